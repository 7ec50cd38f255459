#include "memory_report.h"

#include "about_64.h"
#include "runtime/number_text.h"
#include "runtime/rounding.h"

#include <cstring>

namespace {

/// The two halves of a 64-bit member, low half first.
double joined(const win32::DWORDLONG& member)
{
    std::int32_t halves[2];
    std::memcpy(halves, &member, sizeof halves);
    return join_halves(halves[0], halves[1]);
}

} // namespace

double join_halves(std::int32_t low, std::int32_t high)
{
    const double two32 = 4294967296.0;
    const double lo = low < 0 ? low + two32 : low;
    const double hi = high < 0 ? high + two32 : high;
    return hi * two32 + lo;
}

std::string memory_report(const win32::MEMORYSTATUSEX& status, const std::function<std::string(double)>& size_text)
{
    const double total = joined(status.ullTotalPhys);
    const double free = joined(status.ullAvailPhys);
    if (total <= 0) // the query failed and left the record cleared
        return "Total memory = unknown\nthe system did not report it.";
    const double percentage = rt::round_half_even(free / total * 100.0, 0);
    return "Total memory = " + size_text(total) + "\nof which " + rt::general_number(percentage) + "% is available.";
}

std::string about_64::memory_line() const
{
    win32::MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    win32::GlobalMemoryStatusEx(&status); // a failure leaves the record cleared
    return memory_report(status, [this](double total) { return NumberInKB(rt::Currency::from_double(total)); });
}

std::string about_64::NumberInKB(rt::Currency vNumber) const
{
    using rt::Currency;
    const double v = vNumber.to_double();
    if (vNumber < Currency::whole(1024))
        return rt::general_number(v) + " bytes";
    if (vNumber < Currency::whole(1048576))
        return rt::general_number(rt::round_half_even(v / 1024.0, 1)) + " KB";
    if (vNumber < Currency::whole(1073741824))
        return rt::general_number(rt::round_half_even(v / 1048576.0, 2)) + " MB";
    if (vNumber < Currency::whole(1099511627776))
        return rt::general_number(rt::round_half_even(v / 1073741824.0, 2)) + " GB";
    return "";
}
