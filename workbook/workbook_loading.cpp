// Choosing the workbook and loading it in LibreOffice.

#include "zeb_main.h"
#include "zeb_form.h"

#include "forms/busy_cursor.h"
#include "forms/msgbox.h"
#include "office/questions.h"
#include "runtime/error.h"
#include "runtime/file_identity.h"
#include "runtime/file_path.h"
#include "runtime/value.h"

#include <filesystem>
#include <limits>

std::string ZEB_main::pick_workbook()
{
    const std::string filters = std::string("LO  files(*.ODS)") + '\0' + "*.ODS";
    const rt::Value flgs(static_cast<std::int32_t>(win32::OFN_PATHMUSTEXIST | win32::OFN_NOCHANGEDIR));
    if (!cdc)
        cdc = std::make_unique<CDC_class>(dlg_fail, printers);
    return cdc->ShowOpen(win32::as_handle(form->hwnd()), rt::Value(filters), flgs, rt::Value("Sheetwright: SELECT AN 'ODS' FILE"),
                         app_dir)
        .to_text();
}

void ZEB_main::open_workbook()
{
    const std::string path = pick_workbook();
    const std::string url = path_to_url(path);
    if (dlg_fail) {
        if (cdc && cdc->last_error() != 0)
            exit_code = 3; // the dialog failed; the service has said so already
        return;
    }

    // A name that is no file is refused here, before LibreOffice would say so in a box of its own;
    // an empty file LibreOffice would read as a new, empty spreadsheet: that is not this workbook.
    std::error_code ec;
    const std::filesystem::path file = rt::file_path(path);
    if (!std::filesystem::exists(file, ec)) {
        refuse_workbook(path, "There is no such file.");
        return;
    }
    if (std::filesystem::is_regular_file(file, ec) && std::filesystem::file_size(file, ec) == 0 && !ec) {
        refuse_workbook(path, "The file is empty: it holds no workbook.");
        return;
    }
    // The busy cursor is gone again before any box says why the workbook could not be opened.
    std::string why;
    try {
        // A second copy of a workbook the user has open in LibreOffice would be an editable
        // copy beside theirs, and closing it would take away their lock: load nothing then.
        if (open_in_office(path, url))
            why = "The workbook is already open in LibreOffice: close it there, then start ZEB again.";
        else
            why = load_workbook(path, url);
    } catch (const rt::Error& e) {
        // LibreOffice ended after ZEB reached it: the office is gone, not the file at fault.
        if (e.number() != rt::errServerUnavailable)
            throw;
        wb_doc.reset();
        wb_sheets.clear();
        sheet_cnt = 0;
        forms::msg_box("ZEB works through LibreOffice and could not reach it.\r\n\r\n" + e.description(),
                       forms::vbCritical, "OFFICE ERROR");
        dlg_fail = true;
        exit_code = 2;
        return;
    }
    if (!why.empty())
        refuse_workbook(path, why);
}

namespace {

/// What LibreOffice asked about while opening, the first question that was one; empty when it
/// asked nothing (an error it reported is no question).
std::string cancelled_question(const std::vector<office::Question>& asked)
{
    for (const office::Question q : asked) {
        switch (q) {
        case office::Question::Password:
            return "it asked for the workbook's password.";
        case office::Question::Lock:
            return "it asked what to do about the workbook's lock (another user or program may have it open).";
        case office::Question::LockNotMade:
            return "it could not create the workbook's lock file, which keeps others from changing it meanwhile "
                   "(the folder may not be writable for you, or the file's name is too long for its lock "
                   "file's name), and asked whether to open it all the same.";
        case office::Question::Repair:
            return "it found the file damaged and offered to repair it.";
        case office::Question::Other:
            return "it asked a question while opening the file.";
        case office::Question::Report:
            break;
        }
    }
    return "";
}

} // namespace

bool ZEB_main::open_in_office(const std::string& path, const std::string& url)
{
    forms::BusyCursor busy;
    auto documents = desk->get("Components").to_object()->call("createEnumeration", {}).to_object();
    while (documents->call("hasMoreElements", {}).to_bool()) {
        auto document = documents->call("nextElement", {}).to_object();
        try {
            if (rt::names_same_file(document->call("getURL", {}).to_text(), path, url))
                return true;
        } catch (const rt::Error& e) {
            if (e.number() == rt::errServerUnavailable)
                throw;
            // A component that is no document (a help window, the Basic IDE) has no file.
        }
    }
    return false;
}

std::string ZEB_main::load_workbook(const std::string& path, const std::string& url)
{
    forms::BusyCursor busy;
    rt::Value loaded;
    try {
        loaded = desk->call("loadComponentFromURL", {rt::Value(url), rt::Value("_blank"), rt::Value(std::int16_t(0)),
                                                      rt::Value(std::vector<rt::Value>{})});
    } catch (const rt::Error& e) {
        if (e.number() == rt::errServerUnavailable)
            throw;
        std::error_code ec;
        return std::filesystem::exists(rt::file_path(path), ec)
                   ? "LibreOffice could not open the file: it may be unreadable or of a kind "
                     "LibreOffice does not know.\r\n\r\n(" + e.description() + ")"
                   : std::string("There is no such file.");
    }
    try {
        wb_doc = loaded.to_object();
    } catch (const rt::Error&) {
        // A question LibreOffice asks while opening (a password, a lock, a repair) that the person
        // cancels leaves no document, as a file it cannot read does: which one it was is asked.
        bool left_open = false;
        const std::string asked = cancelled_question(office::questions_on_opening(*desk, url, &left_open));
        // A hidden copy the office would not let go of holds a lock on the file: the person
        // must know, or the next opening of their own is refused for a reason they cannot see.
        const std::string kept = left_open ? "\r\n\r\nLibreOffice keeps a hidden copy of the file open, which "
                                             "holds a lock on it: quit LibreOffice to let go of it."
                                           : "";
        if (!asked.empty())
            return "Opening was cancelled in LibreOffice: " + asked + kept;
        return "LibreOffice could not read the file: it may be damaged, or it is not a spreadsheet." + kept;
    }

    try {
        std::int32_t count = 0;
        try {
            count = wb_doc->get("Sheets").to_object()->get("Count").to_int32();
        } catch (const rt::Error& e) {
            if (e.number() != rt::errNoSuchMember)
                throw; // to the sheets' handler below, or on to the caller when the office is gone
            return "The file is not a spreadsheet: LibreOffice opened it as another kind of document.";
        }
        if (count > std::numeric_limits<std::int16_t>::max())
            return "The workbook has " + std::to_string(count) + " sheets; ZEB can work with at most 32767.";
        sheet_cnt = static_cast<std::int16_t>(count);
        wb_sheets.assign(static_cast<std::size_t>(sheet_cnt), nullptr);
        for (std::int16_t i = 0; i < sheet_cnt; ++i)
            wb_sheets[static_cast<std::size_t>(i)] =
                wb_doc->call("getSheets", {}).to_object()->call("getByIndex", {rt::Value(i)}).to_object();
    } catch (const rt::Error& e) {
        if (e.number() == rt::errServerUnavailable)
            throw;
        return "LibreOffice could not give the workbook's sheets.\r\n\r\n(" + e.description() + ")";
    }
    return "";
}

void ZEB_main::refuse_workbook(const std::string& path, const std::string& why)
{
    // A document that came back but is no workbook goes again; nothing of it is kept.
    if (wb_doc) {
        try {
            wb_doc->call("close", {rt::Value(true)});
        } catch (const rt::Error&) {
        }
    }
    wb_doc.reset();
    wb_sheets.clear();
    sheet_cnt = 0;
    forms::msg_box("ZEB could not open the workbook\r\n" + path + "\r\n\r\n" + why, forms::vbCritical,
                   "WORKBOOK ERROR");
    dlg_fail = true;
    exit_code = 3;
}
