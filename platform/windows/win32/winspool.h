#pragma once
// The spooler: the system's printer handles and records.

#include "win32/devmode.h"

#include <string>

constexpr ::DWORD zeb_system_PRINTER_ACCESS_ADMINISTER = PRINTER_ACCESS_ADMINISTER;
constexpr ::DWORD zeb_system_PRINTER_ACCESS_USE = PRINTER_ACCESS_USE;
constexpr ::DWORD zeb_system_PRINTER_ALL_ACCESS = PRINTER_ALL_ACCESS;
constexpr ::DWORD zeb_system_PRINTER_ATTRIBUTE_QUEUED = PRINTER_ATTRIBUTE_QUEUED;
constexpr ::DWORD zeb_system_PRINTER_ATTRIBUTE_DIRECT = PRINTER_ATTRIBUTE_DIRECT;
constexpr ::DWORD zeb_system_PRINTER_ATTRIBUTE_DEFAULT = PRINTER_ATTRIBUTE_DEFAULT;
constexpr ::DWORD zeb_system_PRINTER_ATTRIBUTE_SHARED = PRINTER_ATTRIBUTE_SHARED;
constexpr ::DWORD zeb_system_PRINTER_ATTRIBUTE_NETWORK = PRINTER_ATTRIBUTE_NETWORK;
constexpr ::DWORD zeb_system_PRINTER_ATTRIBUTE_LOCAL = PRINTER_ATTRIBUTE_LOCAL;
#undef PRINTER_ACCESS_ADMINISTER
#undef PRINTER_ACCESS_USE
#undef PRINTER_ALL_ACCESS
#undef PRINTER_ATTRIBUTE_QUEUED
#undef PRINTER_ATTRIBUTE_DIRECT
#undef PRINTER_ATTRIBUTE_DEFAULT
#undef PRINTER_ATTRIBUTE_SHARED
#undef PRINTER_ATTRIBUTE_NETWORK
#undef PRINTER_ATTRIBUTE_LOCAL

namespace win32 {

using ::HANDLE;
using ::ACCESS_MASK;
using ::PRINTER_DEFAULTSA;
using ::PRINTER_INFO_2A;
using ::PRINTER_INFO_5A;
using ::OpenPrinterA;
using ::GetPrinterA;
using ::SetPrinterA;
using ::ClosePrinter;

constexpr DWORD PRINTER_ACCESS_ADMINISTER = zeb_system_PRINTER_ACCESS_ADMINISTER;
constexpr DWORD PRINTER_ACCESS_USE = zeb_system_PRINTER_ACCESS_USE;
constexpr DWORD PRINTER_ALL_ACCESS = zeb_system_PRINTER_ALL_ACCESS;
constexpr DWORD PRINTER_ATTRIBUTE_QUEUED = zeb_system_PRINTER_ATTRIBUTE_QUEUED;
constexpr DWORD PRINTER_ATTRIBUTE_DIRECT = zeb_system_PRINTER_ATTRIBUTE_DIRECT;
constexpr DWORD PRINTER_ATTRIBUTE_DEFAULT = zeb_system_PRINTER_ATTRIBUTE_DEFAULT;
constexpr DWORD PRINTER_ATTRIBUTE_SHARED = zeb_system_PRINTER_ATTRIBUTE_SHARED;
constexpr DWORD PRINTER_ATTRIBUTE_NETWORK = zeb_system_PRINTER_ATTRIBUTE_NETWORK;
constexpr DWORD PRINTER_ATTRIBUTE_LOCAL = zeb_system_PRINTER_ATTRIBUTE_LOCAL;

/// Opens the printer `name`; the system's own takes the name as writable text it never writes.
inline BOOL OpenPrinterA(LPCSTR name, HANDLE* printer, PRINTER_DEFAULTSA* defaults)
{
    std::string copy = name ? name : "";
    return ::OpenPrinterA(name ? copy.data() : nullptr, printer, defaults);
}

} // namespace win32
