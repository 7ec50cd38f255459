// Where the running program is, as Windows tells it.

#include "app.h"

#include <windows.h>

#include <string>

namespace rt {

std::string App::path()
{
    // The module's file name, in a buffer that grows until the whole name fits.
    std::string name(MAX_PATH, '\0');
    for (;;) {
        const DWORD n = GetModuleFileNameA(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (n == 0)
            return ".";
        if (n < name.size()) {
            name.resize(n);
            break;
        }
        name.resize(name.size() * 2);
    }
    const std::size_t slash = name.find_last_of("\\/");
    return slash == std::string::npos ? "." : name.substr(0, slash);
}

std::intptr_t App::instance() { return reinterpret_cast<std::intptr_t>(GetModuleHandleA(nullptr)); }

} // namespace rt
