#pragma once
// kernel32 as the printer routines use it: the thread's last error, the version query,
// string copies and the WIN.INI profile.

#include "win32/windef.h"

namespace win32 {

constexpr DWORD ERROR_SUCCESS = 0;
constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
constexpr DWORD ERROR_ACCESS_DENIED = 5;
constexpr DWORD ERROR_INVALID_HANDLE = 6;
constexpr DWORD ERROR_INVALID_PARAMETER = 87;
constexpr DWORD ERROR_INSUFFICIENT_BUFFER = 122;
constexpr DWORD ERROR_INVALID_LEVEL = 124;
constexpr DWORD ERROR_INVALID_PRINTER_NAME = 1801;

/// The calling thread's last error.
DWORD GetLastError();
/// Sets the calling thread's last error.
void SetLastError(DWORD code);

/// The version record: 148 bytes, no pointers.
struct OSVERSIONINFOA {
    DWORD dwOSVersionInfoSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformId;
    char szCSDVersion[128];
};
static_assert(sizeof(OSVERSIONINFOA) == 148);

constexpr DWORD VER_PLATFORM_WIN32s = 0;
constexpr DWORD VER_PLATFORM_WIN32_WINDOWS = 1;
constexpr DWORD VER_PLATFORM_WIN32_NT = 2;

/// Fills the version record: the NT family (2) with the kernel's version numbers. FALSE,
/// with ERROR_INSUFFICIENT_BUFFER, when dwOSVersionInfoSize is not 148. The environment
/// variable ZEB_PLATFORM_ID ("1", "2" or "fail") makes it report another family or fail,
/// for the tests of code that tells the families apart.
BOOL GetVersionExA(OSVERSIONINFOA* info);

/// Copies the string `source` with its NUL to `destination`; gives `destination`.
LPSTR lstrcpyA(LPSTR destination, LPCSTR source);
/// Copies at most `max_chars` - 1 characters of `source` and a NUL; gives `destination`.
LPSTR lstrcpynA(LPSTR destination, LPCSTR source, int max_chars);

/// Reads WIN.INI's `key` in `section` into `buffer` (at most `size` - 1 characters and a
/// NUL), or `default_text` when there is no such entry; the number of characters copied.
/// [PrinterPorts] and [windows] Device come from the print system; with a null key, the
/// section's keys, each ending in NUL, and a final NUL.
DWORD GetProfileStringA(LPCSTR section, LPCSTR key, LPCSTR default_text, LPSTR buffer, DWORD size);
/// Writes WIN.INI's `key` in `section`; a null `value` removes the key. Writing [windows]
/// Device makes the printer it names the user's default; FALSE when there is no such printer.
BOOL WriteProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value);

} // namespace win32
