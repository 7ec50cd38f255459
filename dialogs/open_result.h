#pragma once
// What the open dialog gave: one file, or a folder with the names chosen in it.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

/// The outcome of one open dialog.
struct open_result {
    std::int16_t file_count = 0;
    std::vector<std::string> file_names; ///< entries 1 to file_count; entry 0 is unused
    std::string folder;
    bool cancelled = false;
};

/// Reads a multiple selection from the file buffer: the folder, a NUL, each name and a
/// NUL, a second NUL after the last name. At most 200 names are kept; later ones are
/// counted but left empty. Reads nothing outside `buffer`.
void scan_multiple_selection(std::string_view buffer, open_result& result);
