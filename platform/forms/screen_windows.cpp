#include "screen.h"

#include "impl_windows.h"

namespace forms {

int screen_width_twips() { return twips(GetSystemMetrics(SM_CXSCREEN)); }

int screen_height_twips() { return twips(GetSystemMetrics(SM_CYSCREEN)); }

} // namespace forms
