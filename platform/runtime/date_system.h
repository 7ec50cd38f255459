#pragma once
// The system's part of date text: the user's date separator and the local time.

#include <ctime>

namespace rt {

/// `when` in the local time zone.
std::tm local_time(std::time_t when);

} // namespace rt
