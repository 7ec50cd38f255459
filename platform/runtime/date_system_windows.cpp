// Dates as the user's regional settings and time zone give them.

#include "date_system.h"
#include "date_text.h"

#include <windows.h>

namespace rt {

std::string date_separator()
{
    char sep[8] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDATE, sep, sizeof sep) > 1)
        return std::string(1, sep[0]);
    return "/";
}

std::tm local_time(std::time_t when)
{
    std::tm t{};
    localtime_s(&t, &when);
    return t;
}

} // namespace rt
