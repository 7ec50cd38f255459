#include "zeb_main.h"

#include "forms/busy_notice.h"
#include "forms/form.h"
#include "forms/msgbox.h"
#include "forms/screen.h"
#include "office/automation.h"
#include "runtime/app.h"
#include "runtime/error.h"
#include "runtime/value.h"
#include "zeb_form.h"

#include <algorithm>

namespace {

const char* const routine_captions[] = {
    "SaveAsPDF()",  "RW_data()",      "range()",        "get_prop()",  "set_prop()",   "set_colour()",
    "style()",      "prnt_rnge()",    "make_style()",   "make_style()", "set_style()", "move_range()",
    "copy_range()", "set_prnt_rng()", "show_hide()",    "ResizeWin()", "ReadWin()",    "zooom()",
    "delete_rows()", "insert_rows()", "fil()",          "hide_row()",
};

} // namespace

ZEB_main::ZEB_main(forms::Application& application, printing::Printers& program_printers)
    : app(application), printers(program_printers)
{
}

ZEB_main::~ZEB_main() = default;

void ZEB_main::start_up()
{
    wb_open = false;

    // Reaching the office can take seconds when it has to start; the user sees a notice meanwhile.
    try {
        forms::BusyNotice notice;
        office::Waiting waiting{[&] { notice.show("ZEB is starting LibreOffice\u2026"); },
                                [&] { notice.pump(); }, [&] { notice.close(); }};
        svc_mgr = office::create_object("com.sun.star.ServiceManager", waiting);
        desk = svc_mgr->call("createInstance", {rt::Value("com.sun.star.frame.Desktop")}).to_object();
    } catch (const rt::Error& e) {
        office_unreachable(e.description());
        return;
    } catch (const std::exception& e) {
        office_unreachable(e.what()); // the system failed ZEB while the office was sought
        return;
    }

    app_dir = rt::App::path() + "/";
    file_date = get_file_date();

    // A screen wider than the 16-bit range is held at its largest value, so the about box's
    // left edge stays a valid position.
    scr_w = static_cast<std::int16_t>(std::min(forms::screen_width_twips(), 32767));

    if (!abt)
        abt = std::make_unique<about_64>(app, file_date);
    const std::string logo = "graphics/Moonfinch_fi.gif";
    const std::int32_t b_c = 0xC0CCD6;
    const std::int32_t f_c = 0;
    const std::int16_t tp = -1;
    const std::int16_t lf = static_cast<std::int16_t>(scr_w - 6000);
    const std::string grfic;
    const float g_rat = 1.0f;
    abt->create_About(logo, b_c, f_c, tp, lf, grfic, g_rat);

    top_mnu = {&form->rout.title(), &form->hlp.title(), &form->xit};
    top_mnu[0]->set_enabled(false);

    rout_cnt = 22;
    rout_caps.assign(rout_cnt + 1, "");
    for (int i = 1; i <= rout_cnt; ++i)
        rout_caps[i] = routine_captions[i - 1];
    for (int i = 1; i <= rout_cnt; ++i) {
        forms::MenuItem& entry = form->rout0.load(i);
        entry.set_caption(rout_caps[i]);
        entry.set_visible(true);
    }

    dlg_fail = false;
    open_workbook();
    if (dlg_fail) {
        shut_down(wb_open);
        return;
    }
    top_mnu[0]->set_enabled(true);
    wb_open = true;
}

void ZEB_main::office_unreachable(const std::string& why)
{
    forms::msg_box("ZEB works through LibreOffice and could not reach it.\r\n\r\n" + why, forms::vbCritical,
                   "OFFICE ERROR");
    exit_code = 2;
    shut_down(wb_open);
}

void ZEB_main::shut_down(const bool& workbook_open)
{
    if (workbook_open && wb_doc)
        close_workbook();
    cdc.reset();
    for (int i = 0; i < sheet_cnt && i < static_cast<int>(wb_sheets.size()); ++i)
        wb_sheets[i].reset();
    wb_doc.reset();
    desk.reset();
    svc_mgr.reset();

    // Newest window first, the main window last. A window whose close is already under way
    // stays in the list; it is left to proceed rather than waited for.
    const auto& open = app.forms();
    for (;;) {
        const int n = static_cast<int>(open.size()) - 1;
        if (n < 0)
            break;
        const auto before = open.size();
        open[n]->close();
        if (n == 0 || open.size() == before)
            break;
    }
}


void ZEB_main::end_cell_edit()
{
    // Text typed into a cell reaches the document only when the cell is left. Any command of
    // the Calc window ends the edit first, as the window's own closing does; "Deselect" changes
    // nothing else that a person keeps.
    try {
        auto frame = wb_doc->call("getCurrentController", {}).to_object()->call("getFrame", {}).to_object();
        auto helper = svc_mgr->call("createInstance", {rt::Value("com.sun.star.frame.DispatchHelper")}).to_object();
        helper->call("executeDispatch", {rt::Value(frame), rt::Value(".uno:Deselect"), rt::Value(""),
                                         rt::Value(std::int32_t(0)), rt::Value(std::vector<rt::Value>{})});
    } catch (const rt::Error&) {
        // No window (the workbook was closed there already, or the office has ended).
    }
}

void ZEB_main::close_workbook()
{
    end_cell_edit();
    // ZEB never writes the workbook; edits the user made in it are not lost without a word.
    bool close_it = true;
    try {
        if (wb_doc->call("isModified", {}).to_bool())
            close_it = forms::ask("The workbook has changes that are not saved, and ZEB does not save "
                                  "workbooks.\r\n\r\nDiscard the changes, or keep the workbook open in "
                                  "LibreOffice to save it there?",
                                  {"Discard changes", "Keep it open"}, forms::vbExclamation) == 0;
    } catch (const rt::Error&) {
        // The user may have closed the workbook in LibreOffice already.
    }
    if (!close_it)
        return;
    try {
        wb_doc->call("Close", {rt::Value(true)});
    } catch (const rt::Error&) {
        // Closed in LibreOffice already, the failure is nothing to the person. A workbook that
        // still answers was kept open by LibreOffice, which refuses to close a document while
        // one of its dialogs is open over it; ZEB does not force it.
        bool still_open = false;
        try {
            wb_doc->call("getURL", {});
            still_open = true;
        } catch (const rt::Error&) {
        }
        if (still_open)
            forms::msg_box("LibreOffice did not let the workbook close: it is busy with a dialog over the workbook "
                           "(or still working on it).\r\n\r\nThe workbook stays open in LibreOffice. Finish or "
                           "close that dialog there, then close the workbook in LibreOffice yourself.",
                           forms::vbExclamation);
    }
}
