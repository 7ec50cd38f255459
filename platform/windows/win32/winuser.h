#pragma once
// Messages to windows: the system's.

#include "win32/windef.h"

constexpr ::UINT zeb_system_WM_WININICHANGE = WM_WININICHANGE;
#undef WM_WININICHANGE
#undef WM_SETTINGCHANGE
#undef HWND_BROADCAST

namespace win32 {

using ::LRESULT;
using ::SendMessageA;

/// Every top-level window.
inline const HWND HWND_BROADCAST = reinterpret_cast<HWND>(0xFFFF);
constexpr UINT WM_WININICHANGE = zeb_system_WM_WININICHANGE;
constexpr UINT WM_SETTINGCHANGE = WM_WININICHANGE;

} // namespace win32
