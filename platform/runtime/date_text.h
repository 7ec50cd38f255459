#pragma once
// Dates as text in the user's locale.

#include <ctime>
#include <string>

namespace rt {

/// The date separator of the user's locale ("/" when the locale gives none).
std::string date_separator();

/// `when` in local time after `pattern`: "dd" and "d" the day, "mm" and "m" the month,
/// "yyyy" and "yy" the year, "/" the locale's date separator; other characters as they are.
std::string format_date(std::time_t when, const std::string& pattern);

} // namespace rt
