#pragma once
// Private to the dialog layer: a filter list "description NUL pattern NUL ... NUL" as
// the toolkit's name filters.

#include <QStringList>

namespace win32 {

/// The name filters of `filter`; each pattern list ("*.a;*.b") becomes "description (*.a *.b)",
/// unless the description already ends with just that in parentheses.
QStringList name_filters(const char* filter);

} // namespace win32
