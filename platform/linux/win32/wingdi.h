#pragma once
// Device contexts of printers, as far as the dialogs hand them out.

#include "win32/devmode.h"
#include "win32/windef.h"

#include <string>

namespace win32 {

/// A device context for the printer `device` (any letter case; `driver` "WINSPOOL"); 0
/// when there is no such printer.
HDC CreateDCA(LPCSTR driver, LPCSTR device, LPCSTR output, const DEVMODEA* settings);
/// An information context: a device context that is only asked, never drawn on.
HDC CreateICA(LPCSTR driver, LPCSTR device, LPCSTR output, const DEVMODEA* settings);
/// Ends a device context; FALSE for a handle that is not one.
BOOL DeleteDC(HDC dc);
/// The printer a device context draws on; empty for a handle that is not one.
std::string printer_of_dc(HDC dc);

} // namespace win32
