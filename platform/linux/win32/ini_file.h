#pragma once
// Private to the profile functions: a small INI file of sections and "key=value" lines,
// names matched regardless of letter case.

#include <optional>
#include <string>
#include <vector>

namespace win32 {

/// The value of `key` in `section` of the file at `path`; none when the file or entry is missing.
std::optional<std::string> ini_read(const std::string& path, const std::string& section, const std::string& key);
/// The keys of `section`, in file order.
std::vector<std::string> ini_keys(const std::string& path, const std::string& section);
/// Sets `key` in `section` to `value`, or removes it when `value` is none; the file and
/// its folder are made when missing. False when the file cannot be written.
bool ini_write(const std::string& path, const std::string& section, const std::string& key,
               const std::optional<std::string>& value);

} // namespace win32
