#pragma once
// The fixed-point currency type: a signed 64-bit count of ten-thousandths.

#include <compare>
#include <cstdint>

namespace rt {

/// A number with four decimal places, exact for whole byte counts up to 922337203685477.
class Currency {
public:
    constexpr Currency() = default;
    /// `d` rounded to four decimals, halves to even; out of range raises error 6.
    static Currency from_double(double d);
    /// A whole number, exactly.
    static constexpr Currency whole(std::int64_t n) { return Currency(n * 10000); }

    double to_double() const { return static_cast<double>(units_) / 10000.0; }
    /// The stored count of ten-thousandths.
    std::int64_t units() const { return units_; }

    auto operator<=>(const Currency&) const = default;

private:
    constexpr explicit Currency(std::int64_t units) : units_(units) {}
    std::int64_t units_ = 0;
};

} // namespace rt
