#include "open_result.h"

#include <array>
#include <limits>

namespace {

constexpr std::size_t work_entries = 200;

/// The 1-based position of `what` in `s` at or after position `from`, or 0.
std::size_t in_str(std::size_t from, std::string_view s, std::string_view what)
{
    if (from < 1 || from > s.size())
        return 0;
    const auto at = s.find(what, from - 1);
    return at == std::string_view::npos ? 0 : at + 1;
}

} // namespace

void scan_multiple_selection(std::string_view buffer, open_result& result)
{
    using namespace std::string_view_literals;
    std::array<std::string, work_entries + 1> work; // entries 1 to 200
    const auto keep = [&](int index, std::string_view name) {
        if (index >= 1 && static_cast<std::size_t>(index) <= work_entries)
            work[static_cast<std::size_t>(index)] = std::string(name);
    };

    std::size_t previous = 0;
    int counter = 0;
    int count = 0;
    while (count == 0) {
        const std::size_t current = in_str(previous + 1, buffer, "\0"sv);
        // Without a NUL there is no segment to take; the count still moves on.
        if (current > previous) {
            const std::string_view segment = buffer.substr(previous, current - previous - 1);
            if (counter == 0)
                result.folder = std::string(segment);
            else
                keep(counter, segment);
        }
        if (counter < std::numeric_limits<std::int16_t>::max())
            ++counter;
        const std::size_t single = in_str(current + 1, buffer, "\0"sv);
        const std::size_t pair = in_str(current + 1, buffer, "\0\0"sv);
        if (single == pair) {
            count = counter;
            if (single != 0)
                keep(counter, buffer.substr(current, single - current - 1));
        }
        previous = current;
    }

    result.file_count = static_cast<std::int16_t>(count);
    result.file_names.assign(static_cast<std::size_t>(count) + 1, "");
    for (int i = 1; i <= count && static_cast<std::size_t>(i) <= work_entries; ++i)
        result.file_names[static_cast<std::size_t>(i)] = work[static_cast<std::size_t>(i)];
}
