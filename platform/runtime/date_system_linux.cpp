// Dates as the C library's locale and time zone give them.

#include "date_system.h"
#include "date_text.h"

#include <cctype>
#include <langinfo.h>

namespace rt {

std::string date_separator()
{
    // The first character between two fields of the locale's date format, such as "%d.%m.%Y".
    const char* fmt = nl_langinfo(D_FMT);
    for (const char* p = fmt; p && *p; ++p) {
        if (*p == '%') {
            if (*++p == '\0')
                break;
            continue;
        }
        if (!std::isalnum(static_cast<unsigned char>(*p)) && *p != ' ')
            return std::string(1, *p);
    }
    return "/";
}

std::tm local_time(std::time_t when)
{
    std::tm t{};
    localtime_r(&when, &t);
    return t;
}

} // namespace rt
