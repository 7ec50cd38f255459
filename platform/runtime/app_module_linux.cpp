// Where the running program is, as Linux tells it.

#include "app.h"

#include <filesystem>

extern "C" char __executable_start; // where the linker placed the executable's first byte

namespace rt {

std::string App::path()
{
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        return std::filesystem::current_path().string();
    return exe.parent_path().string();
}

std::intptr_t App::instance()
{
    // The module handle is the address the executable is loaded at, which is
    // what a module instance handle is.
    return reinterpret_cast<std::intptr_t>(&__executable_start);
}

} // namespace rt
