#pragma once
// The program's module: its data for the whole run, start-up, workbook loading, help and shutdown.

#include "about/about_64.h"
#include "dialogs/cdc_class.h"
#include "forms/application.h"
#include "forms/menu.h"
#include "runtime/object.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class ZEB_form;

/// The module data, owned by main for the whole run, and the procedures that work on it.
class ZEB_main {
public:
    /// The module of a program whose forms live in `app` and which prints through `printers`.
    ZEB_main(forms::Application& app, printing::Printers& printers);
    ~ZEB_main();

    /// Connects to the office, lays out the about box, builds the Routines menu and loads the
    /// workbook the user picks; when none is loaded the program ends through shut_down.
    void start_up();
    /// Asks for the workbook and loads it; on return dlg_fail says whether nothing was loaded.
    void open_workbook();
    /// The path of the workbook the user chose; empty, with dlg_fail true, when none was.
    std::string pick_workbook();
    /// Opens help page 1, 2 or 3 with the desktop's program for it.
    void show_help(std::int16_t page);
    /// ", " and the date of the sibling executable, for the about box's version line.
    std::string get_file_date();
    /// Closes the workbook when one is open (asking first when it has unsaved changes: they
    /// are discarded, or the workbook is left open in LibreOffice), lets go of every office
    /// and service object, then closes the program's windows, newest first.
    void shut_down(const bool& workbook_open);

    forms::Application& app;
    printing::Printers& printers;
    ZEB_form* form = nullptr; ///< the main window, which registers itself here

    bool wb_open = false;
    bool dlg_fail = false;
    std::shared_ptr<rt::Object> svc_mgr;
    std::shared_ptr<rt::Object> desk;
    std::shared_ptr<rt::Object> wb_doc;
    std::int16_t sheet_cnt = 0;
    std::vector<std::shared_ptr<rt::Object>> wb_sheets;
    std::string app_dir;
    std::string file_date;
    std::int16_t scr_w = 0;
    std::array<forms::MenuItem*, 3> top_mnu{};
    std::int16_t rout_cnt = 0;
    std::vector<std::string> rout_caps;
    std::unique_ptr<CDC_class> cdc;
    std::unique_ptr<about_64> abt;

    /// What the process ends with: 0 for a normal end or a cancelled start, 1 when start-up
    /// failed, 2 when LibreOffice could not be reached, 3 when the workbook could not be opened.
    int exit_code = 0;

private:
    /// Ends an edit in progress in a cell of the workbook's window, so the document knows of it.
    void end_cell_edit();
    /// Closes the workbook, asking first when it has unsaved changes; says so when LibreOffice
    /// keeps it open (a dialog of its own over it).
    void close_workbook();
    /// Says under OFFICE ERROR that LibreOffice could not be reached and why, and ends with 2.
    void office_unreachable(const std::string& why);
    /// Whether LibreOffice has the file at `path` (`url`) open already: the same file under
    /// any name (a link to it, another spelling of its URL).
    bool open_in_office(const std::string& path, const std::string& url);
    /// Loads the workbook at `path` (`url`) and fills the sheet table, with the busy cursor on;
    /// why it could not, or empty text when it did. An office that has ended raises error 462.
    std::string load_workbook(const std::string& path, const std::string& url);
    /// Tells the user the workbook at `path` could not be opened, and why; nothing stays loaded.
    void refuse_workbook(const std::string& path, const std::string& why);
};

/// The file URL for a path: a Windows path ("C:\\a b.ods") in the form "file:///C|/a%20b.ods",
/// an absolute POSIX path as a proper file URL; "%", "#" and "?" are always escaped.
std::string path_to_url(const std::string& path);
