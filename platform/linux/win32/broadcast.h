#pragma once
// The receivers of messages sent to every top-level window: the program's windows and the
// platform objects that follow system settings. Held for the process, like the system's
// own window list.

#include "win32/windef.h"

#include <functional>

namespace win32 {

using BroadcastHandler = std::function<void(UINT msg, WPARAM wparam, LPARAM lparam)>;

/// Receives every broadcast message for as long as it lives.
class BroadcastReceiver {
public:
    explicit BroadcastReceiver(BroadcastHandler handler);
    ~BroadcastReceiver();
    BroadcastReceiver(const BroadcastReceiver&) = delete;
    BroadcastReceiver& operator=(const BroadcastReceiver&) = delete;

private:
    friend void deliver_broadcast(UINT, WPARAM, LPARAM);
    BroadcastHandler handler_;
};

/// Hands the message to every receiver alive now, oldest first; a receiver that a handler
/// removes meanwhile is skipped.
void deliver_broadcast(UINT msg, WPARAM wparam, LPARAM lparam);

} // namespace win32
