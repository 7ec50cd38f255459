// Where the running program is, as Windows tells it.

#include "app.h"

#include "com_value.h"
#include "module_file_windows.h"

#include <windows.h>

#include <string>

namespace rt {

std::wstring own_file_name()
{
    // The module's file name, in a buffer that grows until the whole name fits.
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (n == 0)
            return L"";
        if (n < name.size()) {
            name.resize(n);
            return name;
        }
        name.resize(name.size() * 2);
    }
}

std::string App::path()
{
    const std::string name = utf8(own_file_name());
    const std::size_t slash = name.find_last_of("\\/");
    return name.empty() || slash == std::string::npos ? "." : name.substr(0, slash);
}

std::intptr_t App::instance() { return reinterpret_cast<std::intptr_t>(GetModuleHandleA(nullptr)); }

} // namespace rt
