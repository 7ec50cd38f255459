// The print dialog of the dialog service, and the page setup dialog.

#include "cdc_class.h"
#include "forms/msgbox.h"
#include "runtime/app.h"
#include "runtime/error.h"
#include "win32/devmode.h"
#include "win32/global_memory.h"
#include "win32/wingdi.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <functional>
#include <vector>

namespace {

constexpr std::size_t devmode_bytes = CDC_class::devmode_bytes;
constexpr std::size_t devnames_bytes = 108;

/// Runs one statement; a runtime error skips it and nothing more.
void attempt(const std::function<void()>& statement)
{
    try {
        statement();
    } catch (const rt::Error&) {
        // The field keeps its 0.
    }
}

/// A movable, zeroed block with `bytes` copied in when it could be locked; its handle.
win32::HGLOBAL block_holding(const void* bytes, std::size_t size)
{
    const win32::HGLOBAL block = win32::GlobalAlloc(win32::GMEM_MOVEABLE | win32::GMEM_ZEROINIT, size);
    if (void* p = win32::GlobalLock(block)) {
        win32::RtlMoveMemory(p, bytes, size);
        win32::GlobalUnlock(block);
    }
    return block;
}

/// Copies the first `size` bytes of the block to `bytes` and frees the block.
void take_block(win32::HGLOBAL block, void* bytes, std::size_t size)
{
    if (const void* p = win32::GlobalLock(block)) {
        win32::RtlMoveMemory(bytes, p, std::min(size, win32::GlobalSize(block)));
        win32::GlobalUnlock(block);
    }
    win32::GlobalFree(block);
}

/// The device name a names block carries, and the block freed; empty when it holds none.
std::string device_in(win32::HGLOBAL names)
{
    std::string device;
    if (const char* p = static_cast<const char*>(win32::GlobalLock(names))) {
        const std::size_t size = win32::GlobalSize(names);
        win32::WORD at = 0;
        if (size >= 8)
            std::memcpy(&at, p + 2, 2);
        if (at > 0 && at < size)
            device.assign(p + at, strnlen(p + at, size - at));
        win32::GlobalUnlock(names);
    }
    win32::GlobalFree(names);
    return device;
}

std::string upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
    return text;
}

} // namespace

namespace {

/// The settings a printing dialog starts from: the application printer's paper, each read on
/// its own (one it cannot give is left out). The paper is marked as set with the orientation
/// and duplex: an untouched OK keeps it.
win32::DEVMODEA paper_settings(const printing::Printer& p)
{
    using namespace printing;
    win32::DEVMODEA dm{};
    dm.dmSize = devmode_bytes;
    dm.dmFields = win32::DM_ORIENTATION | win32::DM_PAPERSIZE | win32::DM_DUPLEX;
    attempt([&] { dm.dmPaperWidth = p.get(prnPaperWidth).to_int16(); });
    attempt([&] { dm.dmOrientation = p.get(prnOrientation).to_int16(); });
    attempt([&] { dm.dmPaperSize = p.get(prnPaperSize).to_int16(); });
    return dm;
}

/// The names block the print dialog starts from: driver, device and port, each after its NUL,
/// blank-padded to 100 characters. Names longer than that (a queue's name may have 127 bytes)
/// make the block as long as they need: cut, the device's name would name no printer.
std::vector<char> names_block(const std::string& driver, const std::string& device, const std::string& port)
{
    std::string names = driver + '\0' + device + '\0' + port + '\0';
    std::vector<char> dn(std::max(devnames_bytes, 8 + names.size()), '\0');
    const win32::WORD driver_at = 8;
    const auto device_at = static_cast<win32::WORD>(driver_at + driver.size() + 1);
    const auto output_at = static_cast<win32::WORD>(device_at + device.size() + 1);
    std::memcpy(dn.data(), &driver_at, 2);
    std::memcpy(dn.data() + 2, &device_at, 2);
    std::memcpy(dn.data() + 4, &output_at, 2);
    names.resize(dn.size() - 8, ' ');
    std::memcpy(dn.data() + 8, names.data(), names.size());
    return dn;
}

/// The printer the person chose, by its whole name from the names block (the settings hold
/// only its first 31 characters), upper-cased as printers are compared.
std::string chosen_printer(const win32::PRINTDLGA& pd, const win32::DEVMODEA& dm)
{
    std::string device = device_in(pd.hDevNames);
    if (device.empty()) {
        const char* name = reinterpret_cast<const char*>(dm.dmDeviceName);
        const std::size_t length = strnlen(name, win32::CCHDEVICENAME);
        if (length == win32::CCHDEVICENAME)
            throw rt::Error(rt::errInvalidCall, "CDC_class", "Invalid procedure call or argument");
        device.assign(name, length);
    }
    return upper(device);
}

} // namespace

void CDC_class::ShowPrinter(const rt::Value& huke, win32::DWORD flgs)
{
    using namespace printing;
    dlg_fail_ = false;
    refresh_printers();
    win32::PRINTDLGA pd{};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = win32::as_handle(huke.to_int32());
    pd.Flags = flgs;

    // The settings the dialog starts from: the application printer's.
    Printer& app_printer = printers_.application();
    win32::DEVMODEA dm = paper_settings(app_printer);
    attempt([&] {
        std::string name = app_printer.get(prnDeviceName).to_text();
        name.resize(win32::CCHDEVICENAME, ' '); // padded with blanks, or cut
        std::memcpy(dm.dmDeviceName, name.data(), win32::CCHDEVICENAME);
    });
    attempt([&] { dm.dmDuplex = app_printer.get(prnDuplex).to_int16(); });
    pd.hDevMode = block_holding(&dm, devmode_bytes);
    try {
        const std::vector<char> names = names_block(app_printer.get(prnDriverName).to_text(),
                                                    app_printer.get(prnDeviceName).to_text(),
                                                    app_printer.get(prnPort).to_text());
        pd.hDevNames = block_holding(names.data(), names.size());
    } catch (...) {
        win32::GlobalFree(pd.hDevMode); // the caller gets the error, not a block nobody frees
        throw;
    }

    if (!win32::PrintDlgA(&pd)) {
        win32::GlobalFree(pd.hDevMode);
        win32::GlobalFree(pd.hDevNames);
        printers_.keep_gone(); // a cancel changes nothing
        dialog_failed("ShowPrinter");
        return;
    }
    // The settings tell the choices and the names block the printer; page range and device
    // context are not used.
    if (pd.hDC)
        win32::DeleteDC(pd.hDC);
    take_block(pd.hDevMode, &dm, devmode_bytes);
    const std::string chosen = chosen_printer(pd, dm);
    if (chosen != upper(app_printer.get(prnDeviceName).to_text()) && !follow_chosen(chosen))
        return;

    Printer& now = printers_.application();
    // The copies come in the settings when the printer makes them, else in the record for the
    // program to make; either way they are the person's choice.
    const std::int16_t copies = std::max<std::int16_t>(dm.dmCopies, static_cast<std::int16_t>(pd.nCopies));
    const std::pair<std::int32_t, std::int16_t> choices[] = {
        {prnCopies, copies},       {prnDuplex, dm.dmDuplex},          {prnOrientation, dm.dmOrientation},
        {prnPaperSize, dm.dmPaperSize}, {prnPrintQuality, dm.dmPrintQuality}, {prnColorMode, dm.dmColor},
        {prnPaperBin, dm.dmDefaultSource}};
    for (const auto& [property, value] : choices)
        attempt([&] { now.set(property, rt::Value(value)); });

    if (default_flag_) {
        try {
            store_printer_settings(chosen, 0);
        } catch (const rt::Error&) {
            // The choices are on the application printer; storing them is a bonus.
        }
    }
}

bool CDC_class::follow_chosen(const std::string& chosen)
{
    using namespace printing;
    for (const Printer& member : printers_.collection()) {
        if (upper(member.get(prnDeviceName).to_text()) != chosen)
            continue;
        if (default_flag_) {
            set_default_printer(chosen);
            if (dlg_fail_)
                return false;
        }
        printers_.set_application(member);
        printers_.application().set(prnFollowsDefault, rt::Value(true));
    }
    return true;
}

std::int32_t CDC_class::ShowPageSetupDlg(const rt::Value& huke, win32::DWORD flgs)
{
    using namespace printing;
    win32::PAGESETUPDLGA psd{};
    refresh_printers();
    Printer& app_printer = printers_.application();
    psd.lStructSize = sizeof psd;
    attempt([&] { psd.hwndOwner = win32::as_handle(huke.to_int32()); });
    psd.hInstance = win32::as_handle(rt::App::instance());
    psd.Flags = flgs;
    win32::DEVMODEA dm = paper_settings(app_printer);
    psd.hDevMode = block_holding(&dm, devmode_bytes);

    if (!win32::PageSetupDlgA(&psd)) {
        win32::GlobalFree(psd.hDevMode);
        printers_.keep_gone(); // a cancel changes nothing
        last_dlg_error = static_cast<std::int32_t>(win32::CommDlgExtendedError());
        if (last_dlg_error != 0)
            error_message("ShowPageSetupDlg", last_dlg_error);
        dlg_fail_ = true; // set on a cancel, never cleared here
        return -1;
    }
    const bool millimetres = psd.Flags & win32::PSD_INHUNDREDTHSOFMILLIMETERS;
    const double divisor = millimetres ? 100 : 1000;
    page_data[6] = millimetres ? 0.0f : 1.0f;
    const win32::LONG values[] = {psd.rtMargin.left, psd.rtMargin.right,  psd.rtMargin.top,
                                  psd.rtMargin.bottom, psd.ptPaperSize.x, psd.ptPaperSize.y};
    for (int i = 0; i < 6; ++i)
        page_data[i] = static_cast<float>(values[i] / divisor);
    take_block(psd.hDevMode, &dm, devmode_bytes);
    if (psd.hDevNames)
        win32::GlobalFree(psd.hDevNames); // not used, but the caller's to free
    app_printer.set(prnOrientation, rt::Value(dm.dmOrientation));
    app_printer.set(prnPaperSize, rt::Value(dm.dmPaperSize));
    return 0;
}

void CDC_class::refresh_printers()
{
    // Printers come and go while the program runs. One the person had chosen that has gone is
    // not replaced without a word: the dialog then starts on another.
    printers_.refresh();
    const std::string gone = printers_.gone();
    if (!gone.empty())
        forms::msg_box("The printer \"" + gone + "\" is no longer installed. The dialog starts on another "
                       "printer; choose the one to print on there.",
                       forms::vbExclamation);
}

void CDC_class::PageData(std::vector<float>& m_ar) const
{
    for (std::size_t i = 0; i < page_data.size(); ++i) {
        if (i >= m_ar.size())
            throw rt::Error(rt::errSubscript, "CDC_class", "Subscript out of range");
        m_ar[i] = page_data[i];
    }
}
