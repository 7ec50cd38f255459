#include "app.h"

namespace rt {

std::string App::title() { return "ZEB"; }

} // namespace rt
