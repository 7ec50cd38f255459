#pragma once
// 16-bit integer arithmetic that raises the overflow error instead of wrapping.

#include <cstdint>

namespace rt {

/// `d` as a 16-bit integer, rounded half to even; outside -32768..32767 raises error 6.
std::int16_t cint(double d);
/// a + b in 16 bits; a result outside the range raises error 6.
std::int16_t add16(std::int16_t a, std::int16_t b);

} // namespace rt
