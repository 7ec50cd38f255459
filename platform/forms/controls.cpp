// What every control keeps the same on every system: its place and size, in twips exactly as
// set; each system puts the control there (Control::place).

#include "controls.h"

namespace forms {

void Control::set_left(int twips) { left_ = twips; place(); }
void Control::set_top(int twips) { top_ = twips; place(); }
void Control::set_width(int twips) { width_ = twips; place(); }
void Control::set_height(int twips) { height_ = twips; place(); }

} // namespace forms
