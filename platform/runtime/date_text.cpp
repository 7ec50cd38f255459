#include "date_text.h"

#include "date_system.h"

namespace rt {

std::string format_date(std::time_t when, const std::string& pattern)
{
    const std::tm t = local_time(when);
    const auto two = [](int n) { return std::string(n < 10 ? "0" : "") + std::to_string(n); };
    std::string out;
    for (std::size_t i = 0; i < pattern.size();) {
        const auto starts = [&](const char* token) { return pattern.compare(i, std::char_traits<char>::length(token), token) == 0; };
        if (starts("yyyy")) { out += std::to_string(t.tm_year + 1900); i += 4; }
        else if (starts("yy")) { out += two((t.tm_year + 1900) % 100); i += 2; }
        else if (starts("dd")) { out += two(t.tm_mday); i += 2; }
        else if (starts("d")) { out += std::to_string(t.tm_mday); i += 1; }
        else if (starts("mm")) { out += two(t.tm_mon + 1); i += 2; }
        else if (starts("m")) { out += std::to_string(t.tm_mon + 1); i += 1; }
        else if (pattern[i] == '/') { out += date_separator(); i += 1; }
        else { out += pattern[i]; i += 1; }
    }
    return out;
}

} // namespace rt
