#pragma once
// The printer settings record DEVMODEA and its field bits, as the published headers lay them out.

#include "win32/windef.h"

#include <cstddef>

namespace win32 {

constexpr int CCHDEVICENAME = 32;
constexpr int CCHFORMNAME = 32;

/// A printer's settings: 156 bytes, no pointers.
struct DEVMODEA {
    BYTE dmDeviceName[CCHDEVICENAME];
    WORD dmSpecVersion;
    WORD dmDriverVersion;
    WORD dmSize;
    WORD dmDriverExtra;
    DWORD dmFields;
    std::int16_t dmOrientation;
    std::int16_t dmPaperSize;
    std::int16_t dmPaperLength;
    std::int16_t dmPaperWidth;
    std::int16_t dmScale;
    std::int16_t dmCopies;
    std::int16_t dmDefaultSource;
    std::int16_t dmPrintQuality;
    std::int16_t dmColor;
    std::int16_t dmDuplex;
    std::int16_t dmYResolution;
    std::int16_t dmTTOption;
    std::int16_t dmCollate;
    BYTE dmFormName[CCHFORMNAME];
    WORD dmLogPixels;
    DWORD dmBitsPerPel;
    DWORD dmPelsWidth;
    DWORD dmPelsHeight;
    DWORD dmNup;
    DWORD dmDisplayFrequency;
    DWORD dmICMMethod;
    DWORD dmICMIntent;
    DWORD dmMediaType;
    DWORD dmDitherType;
    DWORD dmReserved1;
    DWORD dmReserved2;
    DWORD dmPanningWidth;
    DWORD dmPanningHeight;
};
static_assert(sizeof(DEVMODEA) == 156);
static_assert(offsetof(DEVMODEA, dmOrientation) == 44 && offsetof(DEVMODEA, dmMediaType) == 132);

constexpr DWORD DM_ORIENTATION = 0x1;
constexpr DWORD DM_PAPERSIZE = 0x2;
constexpr DWORD DM_PAPERLENGTH = 0x4;
constexpr DWORD DM_PAPERWIDTH = 0x8;
constexpr DWORD DM_SCALE = 0x10;
constexpr DWORD DM_COPIES = 0x100;
constexpr DWORD DM_DEFAULTSOURCE = 0x200;
constexpr DWORD DM_PRINTQUALITY = 0x400;
constexpr DWORD DM_COLOR = 0x800;
constexpr DWORD DM_DUPLEX = 0x1000;
constexpr DWORD DM_YRESOLUTION = 0x2000;
constexpr DWORD DM_TTOPTION = 0x4000;
constexpr DWORD DM_COLLATE = 0x8000;
constexpr DWORD DM_FORMNAME = 0x10000;
constexpr DWORD DM_MEDIATYPE = 0x2000000;

constexpr std::int16_t DMORIENT_PORTRAIT = 1, DMORIENT_LANDSCAPE = 2;
constexpr std::int16_t DMPAPER_LETTER = 1, DMPAPER_LEGAL = 5, DMPAPER_A3 = 8, DMPAPER_A4 = 9;
constexpr std::int16_t DMBIN_UPPER = 1, DMBIN_LOWER = 2, DMBIN_MANUAL = 4, DMBIN_AUTO = 7;
constexpr std::int16_t DMRES_DRAFT = -1, DMRES_LOW = -2, DMRES_MEDIUM = -3, DMRES_HIGH = -4;
constexpr std::int16_t DMCOLOR_MONOCHROME = 1, DMCOLOR_COLOR = 2;
constexpr std::int16_t DMDUP_SIMPLEX = 1, DMDUP_VERTICAL = 2, DMDUP_HORIZONTAL = 3;
constexpr DWORD DMMEDIA_STANDARD = 1, DMMEDIA_TRANSPARENCY = 2, DMMEDIA_GLOSSY = 3;

} // namespace win32
