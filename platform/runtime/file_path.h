#pragma once
// The program's text is UTF-8 on every system; a file's path made from it is read as such (on
// Windows the system's own names are UTF-16, and a plain string would be read in another code).

#include <filesystem>
#include <string>

namespace rt {

/// The path a UTF-8 text names.
inline std::filesystem::path file_path(const std::string& utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

} // namespace rt
