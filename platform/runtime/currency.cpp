#include "currency.h"

#include "error.h"

#include <cmath>

namespace rt {

Currency Currency::from_double(double d)
{
    const double units = std::nearbyint(d * 10000.0); // the default rounding mode: halves to even
    if (!(units >= -9223372036854775807.0 && units <= 9223372036854775807.0))
        throw Error(errOverflow, "ZEB", "Overflow");
    return Currency(static_cast<std::int64_t>(units));
}

} // namespace rt
