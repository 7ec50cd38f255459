#pragma once
// The basic Windows types, as this platform sizes them.

#include <cstdint>

namespace win32 {

using BOOL = std::int32_t;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using UINT = std::uint32_t;
using HWND = std::intptr_t;
using HINSTANCE = std::intptr_t;
using HGLOBAL = std::intptr_t;
using HDC = std::intptr_t;
using LPARAM = std::intptr_t;
using WPARAM = std::uintptr_t;
using LPSTR = char*;
using LPCSTR = const char*;

/// A handle given as a number, for any handle member or argument: `cc.hInstance = as_handle(n)`.
struct NumberedHandle {
    std::intptr_t value;
    template <typename H> constexpr operator H() const { return static_cast<H>(value); }
};
constexpr NumberedHandle as_handle(std::intptr_t value) { return {value}; }

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;

} // namespace win32
