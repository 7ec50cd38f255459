#include "number_text.h"

#include <clocale>
#include <cstdio>

namespace rt {

std::string decimal_separator()
{
    const std::lconv* lc = std::localeconv();
    return (lc && lc->decimal_point && *lc->decimal_point) ? lc->decimal_point : ".";
}

std::string general_number(double d)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15G", d);
    std::string s = buf;
    // printf already wrote the locale's separator; find it whatever it is.
    const std::string sep = decimal_separator();
    const auto e = s.find('E');
    std::string mantissa = s.substr(0, e);
    std::string exponent = e == std::string::npos ? "" : s.substr(e);
    if (mantissa.find(sep) != std::string::npos) {
        while (!mantissa.empty() && mantissa.back() == '0')
            mantissa.pop_back();
        if (mantissa.size() >= sep.size() && mantissa.ends_with(sep))
            mantissa.resize(mantissa.size() - sep.size());
    }
    if (!exponent.empty()) {
        // "E+020" style becomes "E+20"; the sign always shows.
        std::string digits = exponent.substr(2);
        while (digits.size() > 1 && digits.front() == '0')
            digits.erase(digits.begin());
        exponent = exponent.substr(0, 2) + digits;
    }
    return mantissa + exponent;
}

} // namespace rt
