#include "win32/broadcast.h"

#include <algorithm>
#include <vector>

namespace win32 {
namespace {

std::vector<BroadcastReceiver*>& receivers()
{
    static std::vector<BroadcastReceiver*> list;
    return list;
}

} // namespace

BroadcastReceiver::BroadcastReceiver(BroadcastHandler handler) : handler_(std::move(handler))
{
    receivers().push_back(this);
}

BroadcastReceiver::~BroadcastReceiver()
{
    auto& list = receivers();
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

void deliver_broadcast(UINT msg, WPARAM wparam, LPARAM lparam)
{
    // A handler may create or drop receivers: walk a copy, and skip those gone meanwhile.
    const std::vector<BroadcastReceiver*> now = receivers();
    for (BroadcastReceiver* r : now) {
        const auto& list = receivers();
        if (std::find(list.begin(), list.end(), r) != list.end() && r->handler_)
            r->handler_(msg, wparam, lparam);
    }
}

} // namespace win32
