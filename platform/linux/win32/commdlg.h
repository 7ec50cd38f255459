#pragma once
// The common dialogs: records, flags and extended error codes with their published names
// and values, and the dialog functions.

#include "win32/windef.h"

namespace win32 {

using LPOFNHOOKPROC = std::uintptr_t (*)(HWND, UINT, WPARAM, LPARAM);

/// The open/save record, members in their published order.
struct OPENFILENAMEA {
    DWORD lStructSize;
    HWND hwndOwner;
    HINSTANCE hInstance;
    LPCSTR lpstrFilter;
    LPSTR lpstrCustomFilter;
    DWORD nMaxCustFilter;
    DWORD nFilterIndex;
    LPSTR lpstrFile;
    DWORD nMaxFile;
    LPSTR lpstrFileTitle;
    DWORD nMaxFileTitle;
    LPCSTR lpstrInitialDir;
    LPCSTR lpstrTitle;
    DWORD Flags;
    WORD nFileOffset;
    WORD nFileExtension;
    LPCSTR lpstrDefExt;
    LPARAM lCustData;
    LPOFNHOOKPROC lpfnHook;
    LPCSTR lpTemplateName;
};

// Open/save flags.
constexpr DWORD OFN_READONLY = 0x1;
constexpr DWORD OFN_OVERWRITEPROMPT = 0x2;
constexpr DWORD OFN_HIDEREADONLY = 0x4;
constexpr DWORD OFN_NOCHANGEDIR = 0x8;
constexpr DWORD OFN_SHOWHELP = 0x10;
constexpr DWORD OFN_ENABLEHOOK = 0x20;
constexpr DWORD OFN_ENABLETEMPLATE = 0x40;
constexpr DWORD OFN_ENABLETEMPLATEHANDLE = 0x80;
constexpr DWORD OFN_NOVALIDATE = 0x100;
constexpr DWORD OFN_ALLOWMULTISELECT = 0x200;
constexpr DWORD OFN_EXTENSIONDIFFERENT = 0x400;
constexpr DWORD OFN_PATHMUSTEXIST = 0x800;
constexpr DWORD OFN_FILEMUSTEXIST = 0x1000;
constexpr DWORD OFN_CREATEPROMPT = 0x2000;
constexpr DWORD OFN_SHAREAWARE = 0x4000;
constexpr DWORD OFN_NOREADONLYRETURN = 0x8000;
constexpr DWORD OFN_NOTESTFILECREATE = 0x10000;
constexpr DWORD OFN_NONETWORKBUTTON = 0x20000;
constexpr DWORD OFN_NOLONGNAMES = 0x40000;
constexpr DWORD OFN_EXPLORER = 0x80000;
constexpr DWORD OFN_NODEREFERENCELINKS = 0x100000;
constexpr DWORD OFN_LONGNAMES = 0x200000;

// Extended error codes.
constexpr DWORD CDERR_GENERALCODES = 0x0000;
constexpr DWORD CDERR_STRUCTSIZE = 0x0001;
constexpr DWORD CDERR_INITIALIZATION = 0x0002;
constexpr DWORD CDERR_NOTEMPLATE = 0x0003;
constexpr DWORD CDERR_NOHINSTANCE = 0x0004;
constexpr DWORD CDERR_LOADSTRFAILURE = 0x0005;
constexpr DWORD CDERR_FINDRESFAILURE = 0x0006;
constexpr DWORD CDERR_LOADRESFAILURE = 0x0007;
constexpr DWORD CDERR_LOCKRESFAILURE = 0x0008;
constexpr DWORD CDERR_MEMALLOCFAILURE = 0x0009;
constexpr DWORD CDERR_MEMLOCKFAILURE = 0x000A;
constexpr DWORD CDERR_NOHOOK = 0x000B;
constexpr DWORD CDERR_REGISTERMSGFAIL = 0x000C;
constexpr DWORD CDERR_DIALOGFAILURE = 0xFFFF;
constexpr DWORD PDERR_PRINTERCODES = 0x1000;
constexpr DWORD PDERR_SETUPFAILURE = 0x1001;
constexpr DWORD PDERR_PARSEFAILURE = 0x1002;
constexpr DWORD PDERR_RETDEFFAILURE = 0x1003;
constexpr DWORD PDERR_LOADDRVFAILURE = 0x1004;
constexpr DWORD PDERR_GETDEVMODEFAIL = 0x1005;
constexpr DWORD PDERR_INITFAILURE = 0x1006;
constexpr DWORD PDERR_NODEVICES = 0x1007;
constexpr DWORD PDERR_NODEFAULTPRN = 0x1008;
constexpr DWORD PDERR_DNDMMISMATCH = 0x1009;
constexpr DWORD PDERR_CREATEICFAILURE = 0x100A;
constexpr DWORD PDERR_PRINTERNOTFOUND = 0x100B;
constexpr DWORD PDERR_DEFAULTDIFFERENT = 0x100C;
constexpr DWORD CFERR_CHOOSEFONTCODES = 0x2000;
constexpr DWORD CFERR_NOFONTS = 0x2001;
constexpr DWORD CFERR_MAXLESSTHANMIN = 0x2002;
constexpr DWORD FNERR_FILENAMECODES = 0x3000;
constexpr DWORD FNERR_SUBCLASSFAILURE = 0x3001;
constexpr DWORD FNERR_INVALIDFILENAME = 0x3002;
constexpr DWORD FNERR_BUFFERTOOSMALL = 0x3003;
constexpr DWORD FRERR_FINDREPLACECODES = 0x4000;
constexpr DWORD FRERR_BUFFERLENGTHZERO = 0x4001;

using COLORREF = DWORD;
using LPCCHOOKPROC = std::uintptr_t (*)(HWND, UINT, WPARAM, LPARAM);
using LPCFHOOKPROC = std::uintptr_t (*)(HWND, UINT, WPARAM, LPARAM);

/// The colour dialog's record, members in their published order.
struct CHOOSECOLORA {
    DWORD lStructSize;
    HWND hwndOwner;
    HWND hInstance;
    COLORREF rgbResult;
    COLORREF* lpCustColors;
    DWORD Flags;
    LPARAM lCustData;
    LPCCHOOKPROC lpfnHook;
    LPCSTR lpTemplateName;
};

constexpr DWORD CC_RGBINIT = 0x1;
constexpr DWORD CC_FULLOPEN = 0x2;
constexpr DWORD CC_PREVENTFULLOPEN = 0x4;
constexpr DWORD CC_SHOWHELP = 0x8;
constexpr DWORD CC_ENABLEHOOK = 0x10;
constexpr DWORD CC_ENABLETEMPLATE = 0x20;
constexpr DWORD CC_ENABLETEMPLATEHANDLE = 0x40;
constexpr DWORD CC_SOLIDCOLOR = 0x80;
constexpr DWORD CC_ANYCOLOR = 0x100;

constexpr int LF_FACESIZE = 32;

/// A logical font, members in their published order: 60 bytes, no pointers.
struct LOGFONTA {
    LONG lfHeight;
    LONG lfWidth;
    LONG lfEscapement;
    LONG lfOrientation;
    LONG lfWeight;
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet;
    BYTE lfOutPrecision;
    BYTE lfClipPrecision;
    BYTE lfQuality;
    BYTE lfPitchAndFamily;
    char lfFaceName[LF_FACESIZE];
};
static_assert(sizeof(LOGFONTA) == 60);

/// The font dialog's record, members in their published order.
struct CHOOSEFONTA {
    DWORD lStructSize;
    HWND hwndOwner;
    HDC hDC;
    LOGFONTA* lpLogFont;
    std::int32_t iPointSize;
    DWORD Flags;
    COLORREF rgbColors;
    LPARAM lCustData;
    LPCFHOOKPROC lpfnHook;
    LPCSTR lpTemplateName;
    HINSTANCE hInstance;
    LPSTR lpszStyle;
    WORD nFontType;
    WORD ___MISSING_ALIGNMENT__;
    std::int32_t nSizeMin;
    std::int32_t nSizeMax;
};

constexpr DWORD CF_SCREENFONTS = 0x1;
constexpr DWORD CF_PRINTERFONTS = 0x2;
constexpr DWORD CF_BOTH = 0x3;
constexpr DWORD CF_SHOWHELP = 0x4;
constexpr DWORD CF_ENABLEHOOK = 0x8;
constexpr DWORD CF_ENABLETEMPLATE = 0x10;
constexpr DWORD CF_ENABLETEMPLATEHANDLE = 0x20;
constexpr DWORD CF_INITTOLOGFONTSTRUCT = 0x40;
constexpr DWORD CF_USESTYLE = 0x80;
constexpr DWORD CF_EFFECTS = 0x100;
constexpr DWORD CF_APPLY = 0x200;
constexpr DWORD CF_ANSIONLY = 0x400;
constexpr DWORD CF_NOVECTORFONTS = 0x800;
constexpr DWORD CF_NOSIMULATIONS = 0x1000;
constexpr DWORD CF_LIMITSIZE = 0x2000;
constexpr DWORD CF_FIXEDPITCHONLY = 0x4000;
constexpr DWORD CF_WYSIWYG = 0x8000;
constexpr DWORD CF_FORCEFONTEXIST = 0x10000;
constexpr DWORD CF_SCALABLEONLY = 0x20000;
constexpr DWORD CF_TTONLY = 0x40000;
constexpr DWORD CF_NOFACESEL = 0x80000;
constexpr DWORD CF_NOSTYLESEL = 0x100000;
constexpr DWORD CF_NOSIZESEL = 0x200000;

constexpr WORD BOLD_FONTTYPE = 0x100;
constexpr WORD ITALIC_FONTTYPE = 0x200;
constexpr WORD REGULAR_FONTTYPE = 0x400;

/// The names block of a printer: offsets of the driver, device and port names that follow it.
struct DEVNAMES {
    WORD wDriverOffset;
    WORD wDeviceOffset;
    WORD wOutputOffset;
    WORD wDefault;
};
constexpr WORD DN_DEFAULTPRN = 0x1;

using LPPRINTHOOKPROC = std::uintptr_t (*)(HWND, UINT, WPARAM, LPARAM);
using LPSETUPHOOKPROC = std::uintptr_t (*)(HWND, UINT, WPARAM, LPARAM);

/// The print dialog's record, members in their published order.
struct PRINTDLGA {
    DWORD lStructSize;
    HWND hwndOwner;
    HGLOBAL hDevMode;
    HGLOBAL hDevNames;
    HDC hDC;
    DWORD Flags;
    WORD nFromPage;
    WORD nToPage;
    WORD nMinPage;
    WORD nMaxPage;
    WORD nCopies;
    HINSTANCE hInstance;
    LPARAM lCustData;
    LPPRINTHOOKPROC lpfnPrintHook;
    LPSETUPHOOKPROC lpfnSetupHook;
    LPCSTR lpPrintTemplateName;
    LPCSTR lpSetupTemplateName;
    HGLOBAL hPrintTemplate;
    HGLOBAL hSetupTemplate;
};

constexpr DWORD PD_ALLPAGES = 0x0;
constexpr DWORD PD_SELECTION = 0x1;
constexpr DWORD PD_PAGENUMS = 0x2;
constexpr DWORD PD_NOSELECTION = 0x4;
constexpr DWORD PD_NOPAGENUMS = 0x8;
constexpr DWORD PD_COLLATE = 0x10;
constexpr DWORD PD_PRINTTOFILE = 0x20;
constexpr DWORD PD_PRINTSETUP = 0x40;
constexpr DWORD PD_NOWARNING = 0x80;
constexpr DWORD PD_RETURNDC = 0x100;
constexpr DWORD PD_RETURNIC = 0x200;
constexpr DWORD PD_RETURNDEFAULT = 0x400;
constexpr DWORD PD_SHOWHELP = 0x800;
constexpr DWORD PD_ENABLEPRINTHOOK = 0x1000;
constexpr DWORD PD_ENABLESETUPHOOK = 0x2000;
constexpr DWORD PD_ENABLEPRINTTEMPLATE = 0x4000;
constexpr DWORD PD_ENABLESETUPTEMPLATE = 0x8000;
constexpr DWORD PD_ENABLEPRINTTEMPLATEHANDLE = 0x10000;
constexpr DWORD PD_ENABLESETUPTEMPLATEHANDLE = 0x20000;
constexpr DWORD PD_USEDEVMODECOPIES = 0x40000;
constexpr DWORD PD_USEDEVMODECOPIESANDCOLLATE = 0x40000;
constexpr DWORD PD_DISABLEPRINTTOFILE = 0x80000;
constexpr DWORD PD_HIDEPRINTTOFILE = 0x100000;
constexpr DWORD PD_NONETWORKBUTTON = 0x200000;
constexpr DWORD PD_CURRENTPAGE = 0x400000;
constexpr DWORD PD_NOCURRENTPAGE = 0x800000;

struct POINT {
    LONG x;
    LONG y;
};
struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};

using LPPAGESETUPHOOK = std::uintptr_t (*)(HWND, UINT, WPARAM, LPARAM);
using LPPAGEPAINTHOOK = std::uintptr_t (*)(HWND, UINT, WPARAM, LPARAM);

/// The page setup dialog's record, members in their published order.
struct PAGESETUPDLGA {
    DWORD lStructSize;
    HWND hwndOwner;
    HGLOBAL hDevMode;
    HGLOBAL hDevNames;
    DWORD Flags;
    POINT ptPaperSize;
    RECT rtMinMargin;
    RECT rtMargin;
    HINSTANCE hInstance;
    LPARAM lCustData;
    LPPAGESETUPHOOK lpfnPageSetupHook;
    LPPAGEPAINTHOOK lpfnPagePaintHook;
    LPCSTR lpPageSetupTemplateName;
    HGLOBAL hPageSetupTemplate;
};

constexpr DWORD PSD_DEFAULTMINMARGINS = 0x0;
constexpr DWORD PSD_MINMARGINS = 0x1;
constexpr DWORD PSD_MARGINS = 0x2;
constexpr DWORD PSD_INTHOUSANDTHSOFINCHES = 0x4;
constexpr DWORD PSD_INHUNDREDTHSOFMILLIMETERS = 0x8;
constexpr DWORD PSD_DISABLEMARGINS = 0x10;
constexpr DWORD PSD_DISABLEPRINTER = 0x20;
constexpr DWORD PSD_NOWARNING = 0x80;
constexpr DWORD PSD_DISABLEORIENTATION = 0x100;
constexpr DWORD PSD_DISABLEPAPER = 0x200;
constexpr DWORD PSD_RETURNDEFAULT = 0x400;
constexpr DWORD PSD_SHOWHELP = 0x800;
constexpr DWORD PSD_ENABLEPAGESETUPHOOK = 0x2000;
constexpr DWORD PSD_ENABLEPAGESETUPTEMPLATE = 0x8000;
constexpr DWORD PSD_ENABLEPAGESETUPTEMPLATEHANDLE = 0x20000;
constexpr DWORD PSD_ENABLEPAGEPAINTHOOK = 0x40000;
constexpr DWORD PSD_DISABLEPAGEPAINTING = 0x80000;
constexpr DWORD PSD_NONETWORKBUTTON = 0x200000;

/// Shows the print dialog pre-set from the DEVMODE and DEVNAMES blocks it is handed; on OK
/// the chosen printer and settings come back in new blocks whose handles replace the caller's.
BOOL PrintDlgA(PRINTDLGA* pd);
/// Shows the page setup dialog; on OK the paper size and margins come back in the record
/// and the orientation and paper size in a new DEVMODE block.
BOOL PageSetupDlgA(PAGESETUPDLGA* psd);

/// Shows the colour dialog; non-zero when the user chose a colour (rgbResult, and the
/// custom colours back in lpCustColors).
BOOL ChooseColorA(CHOOSECOLORA* cc);
/// Shows the font dialog; non-zero when the user chose a font (in lpLogFont, iPointSize).
BOOL ChooseFontA(CHOOSEFONTA* cf);

/// Shows the open-file dialog described by `ofn`; non-zero when the user chose a file.
BOOL GetOpenFileNameA(OPENFILENAMEA* ofn);
/// Shows the save-file dialog described by `ofn`; non-zero when the user chose a name.
BOOL GetSaveFileNameA(OPENFILENAMEA* ofn);
/// The extended error of the last dialog call: 0 after a success or a plain cancel.
DWORD CommDlgExtendedError();

} // namespace win32
