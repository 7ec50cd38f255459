#pragma once
// A printer's settings block, as the system declares it.

#include "win32/windef.h"

constexpr int zeb_system_CCHDEVICENAME = CCHDEVICENAME;
constexpr int zeb_system_CCHFORMNAME = CCHFORMNAME;
constexpr ::DWORD zeb_system_DM_ORIENTATION = DM_ORIENTATION;
constexpr ::DWORD zeb_system_DM_PAPERSIZE = DM_PAPERSIZE;
constexpr ::DWORD zeb_system_DM_PAPERLENGTH = DM_PAPERLENGTH;
constexpr ::DWORD zeb_system_DM_PAPERWIDTH = DM_PAPERWIDTH;
constexpr ::DWORD zeb_system_DM_SCALE = DM_SCALE;
constexpr ::DWORD zeb_system_DM_COPIES = DM_COPIES;
constexpr ::DWORD zeb_system_DM_DEFAULTSOURCE = DM_DEFAULTSOURCE;
constexpr ::DWORD zeb_system_DM_PRINTQUALITY = DM_PRINTQUALITY;
constexpr ::DWORD zeb_system_DM_COLOR = DM_COLOR;
constexpr ::DWORD zeb_system_DM_DUPLEX = DM_DUPLEX;
constexpr ::DWORD zeb_system_DM_YRESOLUTION = DM_YRESOLUTION;
constexpr ::DWORD zeb_system_DM_TTOPTION = DM_TTOPTION;
constexpr ::DWORD zeb_system_DM_COLLATE = DM_COLLATE;
constexpr ::DWORD zeb_system_DM_FORMNAME = DM_FORMNAME;
constexpr ::DWORD zeb_system_DM_MEDIATYPE = DM_MEDIATYPE;
#undef CCHDEVICENAME
#undef CCHFORMNAME
#undef DM_ORIENTATION
#undef DM_PAPERSIZE
#undef DM_PAPERLENGTH
#undef DM_PAPERWIDTH
#undef DM_SCALE
#undef DM_COPIES
#undef DM_DEFAULTSOURCE
#undef DM_PRINTQUALITY
#undef DM_COLOR
#undef DM_DUPLEX
#undef DM_YRESOLUTION
#undef DM_TTOPTION
#undef DM_COLLATE
#undef DM_FORMNAME
#undef DM_MEDIATYPE

namespace win32 {

using ::DEVMODEA;

constexpr int CCHDEVICENAME = zeb_system_CCHDEVICENAME;
constexpr int CCHFORMNAME = zeb_system_CCHFORMNAME;
constexpr DWORD DM_ORIENTATION = zeb_system_DM_ORIENTATION;
constexpr DWORD DM_PAPERSIZE = zeb_system_DM_PAPERSIZE;
constexpr DWORD DM_PAPERLENGTH = zeb_system_DM_PAPERLENGTH;
constexpr DWORD DM_PAPERWIDTH = zeb_system_DM_PAPERWIDTH;
constexpr DWORD DM_SCALE = zeb_system_DM_SCALE;
constexpr DWORD DM_COPIES = zeb_system_DM_COPIES;
constexpr DWORD DM_DEFAULTSOURCE = zeb_system_DM_DEFAULTSOURCE;
constexpr DWORD DM_PRINTQUALITY = zeb_system_DM_PRINTQUALITY;
constexpr DWORD DM_COLOR = zeb_system_DM_COLOR;
constexpr DWORD DM_DUPLEX = zeb_system_DM_DUPLEX;
constexpr DWORD DM_YRESOLUTION = zeb_system_DM_YRESOLUTION;
constexpr DWORD DM_TTOPTION = zeb_system_DM_TTOPTION;
constexpr DWORD DM_COLLATE = zeb_system_DM_COLLATE;
constexpr DWORD DM_FORMNAME = zeb_system_DM_FORMNAME;
constexpr DWORD DM_MEDIATYPE = zeb_system_DM_MEDIATYPE;

} // namespace win32
