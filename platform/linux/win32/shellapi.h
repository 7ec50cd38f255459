#pragma once
// The shell: opening a document with the program the desktop associates with it.

#include "win32/windef.h"

namespace win32 {

constexpr int SW_SHOWNORMAL = 1;
constexpr HINSTANCE SE_ERR_FNF = 2;      ///< the file was not found
constexpr HINSTANCE SE_ERR_NOASSOC = 31; ///< no program is associated with it

/// Opens `file` ("Open" or a null operation) with the desktop's program for it and returns
/// without waiting; a value above 32 is success. When the shell itself cannot be reached
/// the call raises rt::Error.
HINSTANCE ShellExecuteA(HWND hwnd, LPCSTR operation, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                        int show_command);

} // namespace win32
