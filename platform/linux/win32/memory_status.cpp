#include "win32/memory_status.h"

#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace win32 {

BOOL GlobalMemoryStatusEx(MEMORYSTATUSEX* status)
{
    if (!status || status->dwLength != sizeof(MEMORYSTATUSEX))
        return FALSE;
    // /proc/meminfo gives kB: MemTotal is the installed memory the system can use,
    // MemAvailable what programs can still have without swapping.
    std::ifstream in("/proc/meminfo");
    std::map<std::string, DWORDLONG> kb;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string name;
        DWORDLONG value = 0;
        if (fields >> name >> value && !name.empty() && name.back() == ':')
            kb[name.substr(0, name.size() - 1)] = value;
    }
    if (!kb.count("MemTotal") || kb["MemTotal"] == 0)
        return FALSE;
    const DWORDLONG total = kb["MemTotal"] * 1024;
    const DWORDLONG avail = (kb.count("MemAvailable") ? kb["MemAvailable"] : kb["MemFree"]) * 1024;
    status->ullTotalPhys = total;
    status->ullAvailPhys = avail;
    status->dwMemoryLoad = static_cast<DWORD>(100 - (avail * 100) / total);
    status->ullTotalPageFile = total + kb["SwapTotal"] * 1024;
    status->ullAvailPageFile = avail + kb["SwapFree"] * 1024;
    status->ullTotalVirtual = DWORDLONG(1) << 47; // the user address space of x86-64
    status->ullAvailVirtual = status->ullTotalVirtual;
    status->ullAvailExtendedVirtual = 0;
    return TRUE;
}

} // namespace win32
