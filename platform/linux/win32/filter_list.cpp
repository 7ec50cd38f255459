#include "filter_list.h"

#include <cstring>

namespace win32 {
namespace {

constexpr std::size_t longest_list = 65536; // a list without its double NUL ends here

} // namespace

QStringList name_filters(const char* filter)
{
    QStringList out;
    if (!filter)
        return out;
    std::size_t at = 0;
    while (at < longest_list && filter[at] != '\0') {
        const std::size_t desc_len = strnlen(filter + at, longest_list - at);
        const QString description = QString::fromLocal8Bit(filter + at, static_cast<qsizetype>(desc_len));
        at += desc_len + 1;
        if (at >= longest_list || filter[at] == '\0') {
            out << description; // a description without a pattern
            break;
        }
        const std::size_t pat_len = strnlen(filter + at, longest_list - at);
        QString patterns = QString::fromLocal8Bit(filter + at, static_cast<qsizetype>(pat_len));
        at += pat_len + 1;
        patterns.replace(';', ' ');
        patterns = patterns.simplified();
        if (description.endsWith("(" + patterns + ")"))
            out << description;
        else
            out << description + " (" + patterns + ")";
    }
    return out;
}

} // namespace win32
