#pragma once
// Private to the dialog layer: the extended error that CommDlgExtendedError reports.

#include "win32/windef.h"

namespace win32 {

/// Records `code` as the outcome of the dialog call now ending; returns FALSE when it is an error.
BOOL dialog_outcome(DWORD code, BOOL result);

} // namespace win32
