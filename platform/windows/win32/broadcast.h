#pragma once
// The receivers of messages sent to every top-level window: on Windows each is a hidden
// top-level window of its own, which the system's broadcasts reach.

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
    static LRESULT CALLBACK window_procedure(HWND window, UINT msg, WPARAM wparam, LPARAM lparam);
    BroadcastHandler handler_;
    HWND window_ = nullptr;
};

} // namespace win32
