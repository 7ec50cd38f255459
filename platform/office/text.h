#pragma once
// Private to the office layer: text between the runtime (UTF-8) and UNO (UTF-16).

#include <rtl/ustring.hxx>

#include <string>
#include <string_view>

namespace office {

/// A UNO text as UTF-8.
inline std::string utf8(const rtl::OUString& s) { return rtl::OUStringToOString(s, RTL_TEXTENCODING_UTF8).getStr(); }

/// UTF-8 text as a UNO text.
inline rtl::OUString ustr(std::string_view s)
{
    return rtl::OStringToOUString(rtl::OString(s.data(), static_cast<sal_Int32>(s.size())), RTL_TEXTENCODING_UTF8);
}

} // namespace office
