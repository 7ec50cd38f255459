#pragma once
// On Windows, for the platform layers: the program's text as the system's, and the runtime's
// values as automation VARIANTs, and back.

#include "runtime/value.h"

#include <windows.h>
#include <oaidl.h>

#include <string>

namespace rt {

/// The program's text (UTF-8) as the system's wide text, and back.
std::wstring wide(const std::string& text);
std::string utf8(const std::wstring& text);

/// The program's text (UTF-8) as a new BSTR, which the caller frees; and a BSTR as text.
BSTR to_bstr(const std::string& text);
std::string from_bstr(BSTR text);

/// `value` as a VARIANT the caller clears: text as BSTR, numbers and booleans as themselves,
/// office objects as IDispatch, arrays as SAFEARRAYs of VARIANT. An object that is not an
/// automation object raises a type mismatch.
VARIANT to_variant(const Value& value);
/// The VARIANT as a value: objects as automation objects, SAFEARRAYs as arrays, dates and
/// currency as doubles, other integers as 16- or 32-bit integers where they fit.
Value from_variant(const VARIANT& v);

} // namespace rt
