#pragma once
// Rounding as the runtime does it.

namespace rt {

/// `x` rounded to `decimals` places, halves to even.
double round_half_even(double x, int decimals);

} // namespace rt
