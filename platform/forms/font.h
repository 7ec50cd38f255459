#pragma once
// A font as a form or control names it.

#include <string>

namespace forms {

/// A typeface by name, its size in points and its weight.
struct Font {
    std::string name = "MS Sans Serif";
    double size = 8.25;
    bool bold = false;
};

} // namespace forms
