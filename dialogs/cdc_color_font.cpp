// The colour and font dialogs of the dialog service.

#include "cdc_class.h"
#include "cdc_font_size.h"
#include "forms/msgbox.h"
#include "runtime/app.h"
#include "runtime/error.h"
#include "runtime/value.h"
#include "win32/global_memory.h"
#include "win32/wingdi.h"

#include <cmath>
#include <cstring>

std::int16_t point_size_of(std::int32_t tenths)
{
    const double points = std::nearbyint(tenths / 10.0); // the default rounding: halves to even
    if (points < -32768 || points > 32767)
        throw rt::Error(rt::errOverflow, "CDC_class", "Overflow");
    return static_cast<std::int16_t>(points);
}

std::int32_t CDC_class::ShowColor(win32::HWND huke, win32::DWORD flgs)
{
    dlg_fail_ = false;
    // The dialog reads and writes 16 colours; the service keeps their 64 bytes.
    std::array<win32::COLORREF, 16> colours;
    static_assert(sizeof colours == sizeof custom_colours);
    std::memcpy(colours.data(), custom_colours.data(), sizeof colours);
    win32::CHOOSECOLORA cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = huke;
    cc.hInstance = win32::as_handle(rt::App::instance());
    cc.rgbResult = 0;
    cc.lpCustColors = colours.data();
    cc.Flags = flgs;
    if (!win32::ChooseColorA(&cc)) {
        dialog_failed("ShowColor");
        return -1;
    }
    std::memcpy(custom_colours.data(), colours.data(), sizeof colours);
    return static_cast<std::int32_t>(cc.rgbResult);
}

namespace {

/// The font the dialog starts from: Century Gothic (its name blank-padded to 31 characters),
/// of normal weight, in the default character set.
win32::LOGFONTA starting_font()
{
    win32::LOGFONTA lf{};
    lf.lfWeight = 400;
    lf.lfCharSet = 1;           // DEFAULT_CHARSET
    lf.lfPitchAndFamily = 0x10; // FF_ROMAN, DEFAULT_PITCH
    const std::string face = std::string("Century Gothic") + std::string(31 - 14, ' ');
    std::memcpy(lf.lfFaceName, face.c_str(), face.size() + 1);
    return lf;
}

/// What the font dialog holds while it runs: the movable block the font travels through
/// (without one the dialog gets no address at all), locked, and the printer's device context;
/// let go on every way out, errors included.
struct FontDialogHold {
    win32::HGLOBAL block = 0;
    void* locked = nullptr;
    win32::HDC dc = 0;
    FontDialogHold() = default;
    FontDialogHold(const FontDialogHold&) = delete;
    FontDialogHold& operator=(const FontDialogHold&) = delete;
    ~FontDialogHold()
    {
        if (locked)
            win32::GlobalUnlock(block);
        if (block)
            win32::GlobalFree(block);
        if (dc)
            win32::DeleteDC(dc);
    }
};

} // namespace

std::string CDC_class::ShowFont(win32::HWND huke, win32::DWORD flgs)
{
    dlg_fail_ = false;
    win32::LOGFONTA lf = starting_font();
    FontDialogHold held;
    held.block = win32::GlobalAlloc(win32::GMEM_MOVEABLE | win32::GMEM_ZEROINIT, sizeof lf);
    held.locked = held.block ? win32::GlobalLock(held.block) : nullptr;
    if (!held.locked) {
        last_dlg_error = static_cast<std::int32_t>(held.block ? win32::CDERR_MEMLOCKFAILURE : win32::CDERR_MEMALLOCFAILURE);
        error_message("ShowFont", last_dlg_error);
        dlg_fail_ = true;
        return "";
    }
    win32::RtlMoveMemory(held.locked, &lf, sizeof lf);

    // The application printer's device context, for the printer's fonts; ended after the dialog.
    try {
        const std::string printer = printers_.application().get(printing::prnDeviceName).to_text();
        held.dc = win32::CreateDCA("WINSPOOL", printer.c_str(), nullptr, nullptr);
    } catch (const rt::Error&) {
        // No printer: the dialog runs without a device context.
    }
    win32::CHOOSEFONTA cf{};
    cf.lStructSize = sizeof cf;
    cf.hwndOwner = huke;
    cf.hDC = held.dc; // 0 when the application printer has none to give
    cf.lpLogFont = static_cast<win32::LOGFONTA*>(held.locked);
    cf.iPointSize = 120;
    cf.Flags = flgs;
    cf.rgbColors = 0;
    cf.nFontType = win32::REGULAR_FONTTYPE;
    cf.nSizeMin = 10;
    cf.nSizeMax = 72;

    if (!win32::ChooseFontA(&cf)) {
        dialog_failed("ShowFont");
        return "";
    }
    // The font chosen, kept for FontData.
    win32::RtlMoveMemory(&lf, held.locked, sizeof lf);
    font_size = point_size_of(cf.iPointSize);
    font_weight = std::to_string(lf.lfWeight);
    font_italic = lf.lfItalic != 0;
    font_underline = lf.lfUnderline != 0;
    font_strikeout = lf.lfStrikeOut != 0;
    font_colour = static_cast<std::int32_t>(cf.rgbColors);
    font_name = std::string(lf.lfFaceName, strnlen(lf.lfFaceName, sizeof lf.lfFaceName));
    return font_name;
}

rt::Value CDC_class::FontData(const rt::Value& op)
{
    double which = -1;
    try {
        which = op.to_double();
    } catch (const rt::Error&) {
        // Not a number: no index matches it.
    }
    if (which == 0) return rt::Value(font_name);
    if (which == 1) return rt::Value(font_size);
    if (which == 2) return rt::Value(font_flag);
    if (which == 3) return rt::Value(font_italic);
    if (which == 4) return rt::Value(font_underline);
    if (which == 5) return rt::Value(font_strikeout);
    if (which == 6) return rt::Value(font_colour);
    if (which == 7) return rt::Value(font_weight);
    forms::msg_box("The parameter must be in the range 0 to 7 ", forms::vbOKOnly, "FONT DATA ERROR");
    return rt::Value("");
}
