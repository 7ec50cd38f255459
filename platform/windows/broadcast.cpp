#include "win32/broadcast.h"

namespace win32 {
namespace {

const char* const receiver_class = "ZEB broadcast receiver";

/// The window class of the receivers, registered with the module at first use.
const char* registered_class()
{
    static const ATOM atom = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = receiver_class;
        return ::RegisterClassA(&wc);
    }();
    return atom ? receiver_class : nullptr;
}

} // namespace

BroadcastReceiver::BroadcastReceiver(BroadcastHandler handler) : handler_(std::move(handler))
{
    // A top-level window that never shows: broadcasts reach top-level windows only.
    window_ = ::CreateWindowExA(WS_EX_TOOLWINDOW, registered_class(), "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                ::GetModuleHandleA(nullptr), nullptr);
    if (window_) {
        ::SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        ::SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&BroadcastReceiver::window_procedure));
    }
}

BroadcastReceiver::~BroadcastReceiver()
{
    if (window_)
        ::DestroyWindow(window_);
}

LRESULT CALLBACK BroadcastReceiver::window_procedure(HWND window, UINT msg, WPARAM wparam, LPARAM lparam)
{
    auto* self = reinterpret_cast<BroadcastReceiver*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self && msg == WM_WININICHANGE && self->handler_)
        self->handler_(msg, wparam, lparam);
    return ::DefWindowProcA(window, msg, wparam, lparam);
}

} // namespace win32
