#pragma once
// The screen the program's windows appear on.

namespace forms {

/// The primary screen's width in twips.
int screen_width_twips();
/// The primary screen's height in twips.
int screen_height_twips();

} // namespace forms
