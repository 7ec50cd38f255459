#pragma once
// The print spooler's printer handles: open a printer, read and change its information and
// stored settings, close it. A handle is an open print-system queue.

#include "win32/devmode.h"
#include "win32/windef.h"

namespace win32 {

using HANDLE = std::intptr_t;
using ACCESS_MASK = DWORD;

struct PRINTER_DEFAULTSA {
    LPSTR pDatatype;
    DEVMODEA* pDevMode;
    ACCESS_MASK DesiredAccess;
};

struct PRINTER_INFO_2A {
    LPSTR pServerName;
    LPSTR pPrinterName;
    LPSTR pShareName;
    LPSTR pPortName;
    LPSTR pDriverName;
    LPSTR pComment;
    LPSTR pLocation;
    DEVMODEA* pDevMode;
    LPSTR pSepFile;
    LPSTR pPrintProcessor;
    LPSTR pDatatype;
    LPSTR pParameters;
    void* pSecurityDescriptor;
    DWORD Attributes;
    DWORD Priority;
    DWORD DefaultPriority;
    DWORD StartTime;
    DWORD UntilTime;
    DWORD Status;
    DWORD cJobs;
    DWORD AveragePPM;
};

struct PRINTER_INFO_5A {
    LPSTR pPrinterName;
    LPSTR pPortName;
    DWORD Attributes;
    DWORD DeviceNotSelectedTimeout;
    DWORD TransmissionRetryTimeout;
};

constexpr ACCESS_MASK PRINTER_ACCESS_ADMINISTER = 0x4;
constexpr ACCESS_MASK PRINTER_ACCESS_USE = 0x8;
constexpr ACCESS_MASK PRINTER_ALL_ACCESS = 0xF000C;

constexpr DWORD PRINTER_ATTRIBUTE_QUEUED = 0x1;
constexpr DWORD PRINTER_ATTRIBUTE_DIRECT = 0x2;
constexpr DWORD PRINTER_ATTRIBUTE_DEFAULT = 0x4;
constexpr DWORD PRINTER_ATTRIBUTE_SHARED = 0x8;
constexpr DWORD PRINTER_ATTRIBUTE_NETWORK = 0x10;
constexpr DWORD PRINTER_ATTRIBUTE_LOCAL = 0x40;

/// Opens the printer `name` (any letter case). FALSE with ERROR_INVALID_PRINTER_NAME, and
/// a null handle, when there is no such printer.
BOOL OpenPrinterA(LPCSTR name, HANDLE* printer, PRINTER_DEFAULTSA* defaults);
/// Level 2 (PRINTER_INFO_2A with the strings and the stored settings as a DEVMODEA inside
/// `buffer`) or level 5 (PRINTER_INFO_5A). When `size` is short: FALSE,
/// ERROR_INSUFFICIENT_BUFFER and the size needed in `needed`.
BOOL GetPrinterA(HANDLE printer, DWORD level, BYTE* buffer, DWORD size, DWORD* needed);
/// Level 2 stores the DEVMODE fields that dmFields names as the user's defaults for the
/// printer (FALSE, ERROR_INVALID_PARAMETER and nothing stored when the printer does not
/// offer a value); level 5 with PRINTER_ATTRIBUTE_DEFAULT makes it the user's default.
/// `command` must be 0.
BOOL SetPrinterA(HANDLE printer, DWORD level, BYTE* info, DWORD command);
/// Closes the handle.
BOOL ClosePrinter(HANDLE printer);

/// How many printer handles are open and not yet closed.
std::size_t OpenPrinterCount();

} // namespace win32
