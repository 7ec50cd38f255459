#pragma once
// Numbers as text in their general form.

#include <string>

namespace rt {

/// `d` with at most 15 significant digits, no trailing zeros and the locale's decimal separator.
std::string general_number(double d);

/// The decimal separator of the user's locale.
std::string decimal_separator();

} // namespace rt
