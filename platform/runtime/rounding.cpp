#include "rounding.h"

#include <cmath>

namespace rt {

double round_half_even(double x, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    return std::nearbyint(x * scale) / scale;
}

} // namespace rt
