#pragma once
// The dialog service: the common dialogs, their failures turned into readable messages.

#include "open_result.h"
#include "printing/printers.h"
#include "runtime/value.h"
#include "win32/commdlg.h"

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

/// Wraps the common dialogs. Every dialog operation clears the caller's dlg_fail flag when
/// it starts and sets it when the user cancels or the dialog fails; a failure with an
/// extended error code is also shown to the user.
class CDC_class {
public:
    /// Every copy the service makes of a printer's settings is this long: the DEVMODE
    /// without its last two bytes.
    static constexpr std::size_t devmode_bytes = 154;

    /// A service that reports cancels and failures through `dlg_fail` and prints through
    /// the program's `printers`.
    CDC_class(bool& dlg_fail, printing::Printers& printers);
    CDC_class(const CDC_class&) = delete;
    CDC_class& operator=(const CDC_class&) = delete;

    /// Asks for files to open. Gives one full path, or the folder and each name chosen,
    /// each followed by a carriage return; empty text when cancelled or failed.
    rt::Value ShowOpen(win32::HWND huke, const rt::Value& filters, const rt::Value& flgs,
                       const rt::Value& title, const std::string& idir);
    /// Asks for a name to save under, starting from `def_fn`; empty text when cancelled
    /// or failed. A `def_fn` over 254 characters raises error 5 and shows no dialog.
    std::string ShowSave(win32::HWND huke, const std::string& filter, const std::string& ext_txt,
                         win32::DWORD flgs, const std::string& title, const std::string& idir,
                         const std::string& def_fn);
    /// Asks for a colour, offering the custom colours kept from the last confirmed call;
    /// the colour (0x00BBGGRR), or -1 when cancelled or failed.
    std::int32_t ShowColor(win32::HWND huke, win32::DWORD flgs);
    /// Asks for a font, starting from Century Gothic; the face name, or empty text when
    /// cancelled or failed. The chosen font's attributes are kept for FontData.
    std::string ShowFont(win32::HWND huke, win32::DWORD flgs);
    /// One attribute of the last chosen font: 0 name, 1 size, 2 the spare flag, 3 italic,
    /// 4 underline, 5 strike-out, 6 colour, 7 weight digits. Another `op` shows
    /// FONT DATA ERROR and gives empty text.
    rt::Value FontData(const rt::Value& op);
    /// Shows the print dialog on the application printer. On OK the printer chosen becomes
    /// the application printer and takes the choices; with default_flag on it also becomes
    /// the default printer and keeps the choices as its own. Errors reading the printer's
    /// names pass to the caller.
    void ShowPrinter(const rt::Value& huke, win32::DWORD flgs);
    /// Shows the page setup dialog; 0 when confirmed (margins and paper kept for PageData,
    /// orientation and paper put on the application printer), -1 when cancelled or failed.
    /// Never clears dlg_fail.
    std::int32_t ShowPageSetupDlg(const rt::Value& huke, win32::DWORD flgs);
    /// Copies the last confirmed page setup into m_ar(0 to 6): margins left, right, top,
    /// bottom, paper width and height, and their unit (0 mm, 1 inches). A shorter array
    /// raises error 9 after the elements it has.
    void PageData(std::vector<float>& m_ar) const;
    /// Whether the print dialog's choices go on to the default printer: zero or false is no.
    void default_flag(const rt::Value& d_flg);
    /// Shows what the extended error `er_cd` of the operation `fnct` means.
    void error_message(const std::string& fnct, std::int32_t er_cd);

    /// The extended error of the last dialog that returned without a result.
    std::int32_t last_error() const { return last_dlg_error; }
    /// The record the file dialogs share.
    const win32::OPENFILENAMEA& file_record() const { return file_dlg; }

private:
    /// Makes the printer the person chose (`chosen`, upper-cased) the application printer,
    /// and the default too when default_flag asks; false when setting the default failed.
    bool follow_chosen(const std::string& chosen);
    friend struct CDC_test_access; // the tests reach the private routines through it

    open_result get_open_files(win32::HWND huke);

    // The default printer and a printer's stored settings.
    /// Makes `name` the system default printer, the way the running platform family does it.
    void set_default_printer(const std::string& name);
    /// The platform family: 1 the Windows 95 family, 2 the NT family, 0 when unknown.
    std::int32_t get_platform_id();
    /// Sets the printer's default attribute through the spooler; dlg_fail set on failure.
    void Win95SetDefaultPrinter(const std::string& name);
    /// The text at `address`, at most 511 characters of it.
    std::string ptr_to_str(const char* address);
    /// Rewrites WIN.INI's Device entry from the printer's PrinterPorts entry, and says so.
    void ini_set_default_printer(const std::string& name);
    /// The driver and port of a PrinterPorts value: the texts before its first and second comma.
    std::pair<std::string, std::string> split_ports_entry(const std::string& text);
    /// Writes WIN.INI's Device entry and tells every top-level window.
    void write_device_entry(const std::string& name, const std::string& driver, const std::string& port);
    /// Stores the application printer's settings, and `media_type` when above 0, as the
    /// printer's defaults.
    void store_printer_settings(const std::string& name, std::int32_t media_type);
    /// Looks at the installed printers again before a dialog, and tells the person when the
    /// application printer's queue has gone.
    void refresh_printers();
    /// A dialog returned without a result: keep and report its extended error, set dlg_fail.
    void dialog_failed(const std::string& operation);

    std::array<float, 7> page_data{};
    std::string font_name;
    std::int16_t font_size = 0;
    bool font_flag = false; ///< the flag FontData gives for index 2
    bool font_italic = false;
    bool font_underline = false;
    bool font_strikeout = false;
    std::int32_t font_colour = 0;
    std::string font_weight;
    win32::OPENFILENAMEA file_dlg{};
    std::array<std::uint8_t, 64> custom_colours{};
    std::int32_t os_platform = 0;
    std::int32_t last_dlg_error = 0;
    bool default_flag_ = true;

    bool& dlg_fail_;
    printing::Printers& printers_;

    // The texts that file_dlg points at; they live as long as the record.
    std::string filter_text_;
    std::string title_text_;
    std::string initial_dir_;
    std::string default_ext_;
    std::vector<char> file_buffer_;
    std::vector<char> title_buffer_;
};
