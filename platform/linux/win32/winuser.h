#pragma once
// user32's message sending, as far as the program uses it: the broadcast of a changed setting.

#include "win32/windef.h"

namespace win32 {

using LRESULT = std::intptr_t;

constexpr HWND HWND_BROADCAST = 0xFFFF;
constexpr UINT WM_WININICHANGE = 0x1A;
constexpr UINT WM_SETTINGCHANGE = WM_WININICHANGE;

/// Sends `msg` to the window `hwnd`. To HWND_BROADCAST it reaches every top-level window
/// of the program and every platform object that follows system settings, and gives 0.
LRESULT SendMessageA(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);

} // namespace win32
