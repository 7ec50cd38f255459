#pragma once
// The font dialog's size, in tenths of a point, as the whole points the service keeps.

#include <cstdint>

/// `tenths` / 10 rounded to the nearest whole point, halves to the even one: 105 gives 10,
/// 115 gives 12. A size past the 16-bit range raises error 6 (overflow).
std::int16_t point_size_of(std::int32_t tenths);
