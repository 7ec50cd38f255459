#pragma once
// Device contexts: the system's.

#include "win32/devmode.h"


namespace win32 {

using ::CreateDCA;
using ::CreateICA;
using ::DeleteDC;

} // namespace win32
