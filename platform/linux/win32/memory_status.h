#pragma once
// The machine's memory, as kernel32 reports it.

#include "win32/windef.h"

namespace win32 {

using DWORDLONG = std::uint64_t;

/// The extended memory status record, members in their published order (64 bytes).
struct MEMORYSTATUSEX {
    DWORD dwLength;
    DWORD dwMemoryLoad;
    DWORDLONG ullTotalPhys;
    DWORDLONG ullAvailPhys;
    DWORDLONG ullTotalPageFile;
    DWORDLONG ullAvailPageFile;
    DWORDLONG ullTotalVirtual;
    DWORDLONG ullAvailVirtual;
    DWORDLONG ullAvailExtendedVirtual;
};
static_assert(sizeof(MEMORYSTATUSEX) == 64);

/// Fills `status` (whose dwLength must be 64) with the installed and free physical memory,
/// the swap space and the address space; FALSE when the record or the system will not do.
BOOL GlobalMemoryStatusEx(MEMORYSTATUSEX* status);

} // namespace win32
