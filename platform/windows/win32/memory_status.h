#pragma once
// The machine's memory: the system's report.

#include "win32/windef.h"


namespace win32 {

using ::DWORDLONG;
using ::MEMORYSTATUSEX;
using ::GlobalMemoryStatusEx;

} // namespace win32
