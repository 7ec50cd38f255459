#pragma once
// A colour value 0x00BBGGRR as the toolkit's colour and back.

#include <QColor>

#include <cstdint>

namespace toolkit {

/// The colour of a 0x00BBGGRR value: red in the low byte.
inline QColor to_qcolor(std::uint32_t colorref)
{
    return QColor(colorref & 0xFF, (colorref >> 8) & 0xFF, (colorref >> 16) & 0xFF);
}

/// The 0x00BBGGRR value of a colour.
inline std::uint32_t to_colorref(const QColor& c)
{
    return static_cast<std::uint32_t>(c.red()) | (static_cast<std::uint32_t>(c.green()) << 8) |
           (static_cast<std::uint32_t>(c.blue()) << 16);
}

} // namespace toolkit
