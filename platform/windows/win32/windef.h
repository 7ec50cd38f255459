#pragma once
// The basic Windows types: the system's own.

#include "win32/system.h"


namespace win32 {

using ::BOOL;
using ::BYTE;
using ::COLORREF;
using ::DWORD;
using ::HDC;
using ::HGLOBAL;
using ::HINSTANCE;
using ::HWND;
using ::LONG;
using ::LPARAM;
using ::LPCSTR;
using ::LPSTR;
using ::UINT;
using ::WORD;
using ::WPARAM;

/// A handle given as a number, for any handle member or argument: `cc.hInstance = as_handle(n)`.
struct NumberedHandle {
    std::intptr_t value;
    template <typename H> operator H() const { return reinterpret_cast<H>(value); }
};
inline NumberedHandle as_handle(std::intptr_t value) { return {value}; }

} // namespace win32
