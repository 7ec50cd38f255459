#include "busy_cursor.h"

#include <windows.h>

namespace forms {

// The system's wait cursor over the program's windows while it lives; the one before after.
BusyCursor::BusyCursor() { SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT))); }

BusyCursor::~BusyCursor() { SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW))); }

} // namespace forms
