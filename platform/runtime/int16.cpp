#include "int16.h"

#include "value.h"

namespace rt {

std::int16_t cint(double d) { return Value(d).to_int16(); }

std::int16_t add16(std::int16_t a, std::int16_t b) { return cint(static_cast<double>(a) + b); }

} // namespace rt
