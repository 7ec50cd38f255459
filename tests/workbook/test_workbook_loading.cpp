#include "drivers.h"
#include "toolkit/window_handles.h"
#include "forms/application.h"
#include "office_env.h"
#include "office_probe.h"
#include "office/automation.h"
#include "runtime/error.h"
#include "test_app.h"
#include "zeb_form.h"
#include "zeb_main.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QMainWindow>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const std::string sample = ZEB_SOURCE_DIR "/samples/Sample.ods";
const std::string one_sheet = ZEB_SOURCE_DIR "/tests/data/one_sheet.ods";
const std::string protected_book = ZEB_SOURCE_DIR "/tests/data/password.ods"; // password "zeb"

bool main_window_shown()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* m = qobject_cast<QMainWindow*>(w); m && m->windowTitle() == "ZEB" && m->isVisible())
            return true;
    return false;
}

/// A run of the program whose workbook dialog is answered with `typed` (empty: Cancel).
struct ProgramRun {
    explicit ProgramRun(const std::string& typed)
    {
        answer_file_dialog(seen, QString::fromStdString(typed));
        form.show();
    }
    ~ProgramRun()
    {
        if (form.loaded())
            form.close();
    }
    ZEB_main zeb{test_app(), test_printers()};
    ZEB_form form{zeb};
    SeenDialog seen;
};

class Loading : public testing::Test {
protected:
    void SetUp() override
    {
        desk = test_office().desktop();
        documents_before = open_documents(desk);
    }
    std::string copy(const std::string& from, const std::string& name)
    {
        const std::string to = test_office().scratch() + "/" + name;
        fs::copy_file(from, to, fs::copy_options::overwrite_existing);
        return to;
    }
    std::string write(const std::string& name, const std::string& bytes)
    {
        const std::string to = test_office().scratch() + "/" + name;
        std::ofstream(to, std::ios::binary) << bytes;
        return to;
    }
    std::shared_ptr<rt::Object> desk;
    int documents_before = 0;
};

} // namespace

TEST_F(Loading, WorkbookDialogAsksForAnOdsFileInTheProgramFolder)
{
    ProgramRun run("");
    EXPECT_EQ(run.seen.title, "Sheetwright: SELECT AN 'ODS' FILE");
    EXPECT_EQ(run.seen.directory.toStdString() + "/", run.zeb.app_dir);
    ASSERT_EQ(run.seen.filters.size(), 1);
    EXPECT_TRUE(run.seen.filters[0].startsWith("LO ") && run.seen.filters[0].endsWith("files(*.ODS)"));
    EXPECT_EQ(run.seen.mode, QFileDialog::AnyFile) << "flags 0x808 choose one file";
    EXPECT_EQ(run.zeb.cdc, nullptr) << "the dialog service is released at the end";
}

TEST_F(Loading, ThreeSheetsAreHeldInDocumentOrderAndExitClosesTheWorkbookOnce)
{
    const std::string book = copy(sample, "three.ods");
    const std::string before = file_bytes(book);
    {
        ProgramRun run(book);
        ASSERT_TRUE(run.form.loaded());
        for (QWidget* w : QApplication::topLevelWidgets())
            EXPECT_FALSE(qobject_cast<QFileDialog*>(w) && w->isVisible()) << "the workbook dialog left the screen";
        EXPECT_TRUE(main_window_shown());
        EXPECT_TRUE(run.zeb.wb_open);
        ASSERT_EQ(run.zeb.sheet_cnt, 3);
        ASSERT_EQ(run.zeb.wb_sheets.size(), 3u);
        EXPECT_EQ(run.zeb.wb_sheets[0]->get("Name").to_text(), "Accounts");
        EXPECT_EQ(run.zeb.wb_sheets[1]->get("Name").to_text(), "Budget");
        EXPECT_EQ(run.zeb.wb_sheets[2]->get("Name").to_text(), "Notes");
        // Each sheet holds a few rows a person recognises at once.
        const auto cell = [&](int sheet, int column, int row) {
            return run.zeb.wb_sheets[static_cast<std::size_t>(sheet)]
                ->call("getCellByPosition", {rt::Value(std::int32_t(column)), rt::Value(std::int32_t(row))})
                .to_object();
        };
        EXPECT_EQ(cell(0, 0, 0)->get("String").to_text(), "Account");
        EXPECT_EQ(cell(0, 1, 1)->get("Value").to_double(), 1200.0);
        EXPECT_EQ(cell(1, 0, 3)->get("String").to_text(), "Travel");
        EXPECT_EQ(cell(2, 0, 0)->get("String").to_text(), "Sample workbook for ZEB");
        EXPECT_EQ(open_documents(desk), documents_before + 1);
        // The dialog was asked exactly so: one existing path, the working folder kept, and
        // the filter text with its two blanks, ending in the list's double NUL.
        ASSERT_TRUE(run.zeb.cdc);
        EXPECT_EQ(run.zeb.cdc->file_record().Flags, 0x808u);
        EXPECT_EQ(std::string(run.zeb.cdc->file_record().lpstrFilter, 24),
                  std::string("LO  files(*.ODS)\0*.ODS\0\0", 24));
        EXPECT_TRUE(fs::exists(lock_file_of(book)));

        run.form.xit.on_click();
        EXPECT_TRUE(test_app().forms().empty());
        EXPECT_EQ(run.zeb.exit_code, 0);
        EXPECT_FALSE(run.zeb.wb_doc);
        EXPECT_FALSE(run.zeb.cdc);
        for (const auto& sheet : run.zeb.wb_sheets)
            EXPECT_FALSE(sheet);
    }
    EXPECT_EQ(open_documents(desk), documents_before) << "the workbook is closed, the office still answers";
    for (QWidget* w : QApplication::allWidgets())
        EXPECT_FALSE(qobject_cast<QFileDialog*>(w)) << "the dialog went with the main window at the latest";
    EXPECT_FALSE(fs::exists(lock_file_of(book)));
    EXPECT_EQ(file_bytes(book), before) << "the workbook file is never written";
}

TEST_F(Loading, TheCloseButtonClosesTheWorkbookAsExitDoes)
{
    const std::string book = copy(sample, "close_button.ods");
    {
        ProgramRun run(book);
        ASSERT_TRUE(run.form.loaded());
        ASSERT_EQ(open_documents(desk), documents_before + 1);
        toolkit::window_for(run.form.hwnd())->close(); // the title bar's close button
        EXPECT_TRUE(test_app().forms().empty());
        EXPECT_EQ(run.zeb.exit_code, 0);
    }
    EXPECT_EQ(open_documents(desk), documents_before);
    EXPECT_FALSE(fs::exists(lock_file_of(book)));
}

TEST_F(Loading, AWorkbookOpenInLibreOfficeAlreadyIsRefusedAndTheUsersCopyKeepsItsEditsAndLock)
{
    // A name whose URL carries escapes of several bytes and characters left as they are:
    // LibreOffice hands back its own spelling, which is compared with the escapes read back.
    const std::string book = copy(sample, "in use {1} \xc3\xbc" "ber.ods");
    auto users = desk->call("loadComponentFromURL", {rt::Value(path_to_url(book)), rt::Value("_blank"),
                                                     rt::Value(std::int16_t(0)), rt::Value(std::vector<rt::Value>{})})
                     .to_object();
    auto cell = users->get("Sheets").to_object()->call("getByIndex", {rt::Value(std::int16_t(0))}).to_object()->call(
        "getCellByPosition", {rt::Value(std::int32_t(0)), rt::Value(std::int32_t(0))});
    cell.to_object()->call("setString", {rt::Value("the user's edit")});
    ASSERT_TRUE(users->call("isModified", {}).to_bool());
    ASSERT_TRUE(fs::exists(lock_file_of(book)));

    SeenBox box;
    answer_box(box);
    {
        ProgramRun run(book);
        EXPECT_FALSE(run.form.loaded());
        EXPECT_EQ(run.zeb.exit_code, 3);
        EXPECT_FALSE(run.zeb.wb_doc);
    }
    EXPECT_EQ(box.title, "WORKBOOK ERROR");
    EXPECT_TRUE(box.text.contains("already open in LibreOffice: close it there, then start ZEB again"))
        << box.text.toStdString();
    EXPECT_EQ(open_documents(desk), documents_before + 1) << "the user's document is still open, and no other";
    EXPECT_TRUE(users->call("isModified", {}).to_bool());
    EXPECT_EQ(cell.to_object()->call("getString", {}).to_text(), "the user's edit");
    EXPECT_TRUE(fs::exists(lock_file_of(book))) << "the user's lock stays";
    users->call("close", {rt::Value(true)});
}

TEST_F(Loading, UnsavedEditsAtExitAreDiscardedOrKeptOpenAsTheUserSays)
{
    // Each answer as a person gives it: a button clicked, or Enter or Escape on the box. Only
    // the button that says so discards; the keys keep the edits.
    struct Answer {
        QString button;
        int key = 0;
        bool keeps = false;
    };
    const Answer answers[] = {{"Keep it open", 0, true}, {"Discard changes", 0, false}, {"", Qt::Key_Return, true},
                              {"", Qt::Key_Escape, true}, {"", 0, false}};
    for (const Answer& answer : answers) {
        const bool edited = !answer.button.isEmpty() || answer.key != 0;
        const std::string what = answer.button.toStdString() + " key " + std::to_string(answer.key);
        const std::string book = copy(sample, "edited.ods");
        QString title, text;
        std::shared_ptr<rt::Object> kept;
        {
            ProgramRun run(book);
            ASSERT_TRUE(run.form.loaded());
            if (edited) // the user types into the workbook in Calc
                run.zeb.wb_sheets[0]
                    ->call("getCellByPosition", {rt::Value(std::int32_t(1)), rt::Value(std::int32_t(1))})
                    .to_object()
                    ->call("setString", {rt::Value("typed in Calc")});
            kept = run.zeb.wb_doc;
            if (!edited) {
                const NoModalExpected no_box(is_message_box); // unmodified: closed as ever, nothing asked
                run.form.xit.on_click();
            } else {
                when_modal_of<QMessageBox>([&](QMessageBox* box) {
                    title = box->windowTitle();
                    text = box->text();
                    if (answer.key) {
                        QTest::keyClick(box, static_cast<Qt::Key>(answer.key));
                        return;
                    }
                    for (QAbstractButton* b : box->buttons())
                        if (b->text() == answer.button)
                            b->click();
                });
                toolkit::window_for(run.form.hwnd())->close(); // the close button is never cancelled
            }
            EXPECT_TRUE(test_app().forms().empty()) << what;
        }
        if (edited) {
            EXPECT_EQ(title, "ZEB");
            EXPECT_TRUE(text.contains("changes that are not saved") && text.contains("ZEB does not save workbooks"))
                << text.toStdString();
        }
        if (answer.keeps) {
            EXPECT_EQ(open_documents(desk), documents_before + 1) << "left open in LibreOffice to be saved there: " << what;
            EXPECT_TRUE(kept->call("isModified", {}).to_bool());
            kept->call("close", {rt::Value(true)});
        }
        EXPECT_EQ(open_documents(desk), documents_before) << what;
        EXPECT_FALSE(fs::exists(lock_file_of(book)));
        fs::remove(book);
    }
}

TEST_F(Loading, WorkbookTheUserClosedAlreadyIsNoErrorAtExit)
{
    const std::string book = copy(sample, "closed_first.ods");
    ProgramRun run(book);
    ASSERT_TRUE(run.form.loaded());
    run.zeb.wb_doc->call("close", {rt::Value(true)}); // as the user closing Calc's window
    run.form.close(); // the main window's close button
    EXPECT_TRUE(test_app().forms().empty());
    EXPECT_EQ(run.zeb.exit_code, 0);
    EXPECT_EQ(open_documents(desk), documents_before);
}

TEST_F(Loading, CancelEndsWithoutMainWindowMessageOrDocument)
{
    const NoModalExpected no_box(is_message_box); // a box would block the run; it fails instead
    ProgramRun run("");
    EXPECT_FALSE(run.form.loaded());
    EXPECT_FALSE(main_window_shown());
    EXPECT_FALSE(modal_appears_within(200)) << "a cancel shows no message";
    EXPECT_EQ(run.zeb.sheet_cnt, 0);
    EXPECT_TRUE(run.zeb.wb_sheets.empty());
    EXPECT_FALSE(run.zeb.wb_open);
    EXPECT_EQ(run.zeb.exit_code, 0);
    EXPECT_EQ(open_documents(desk), documents_before);
}

TEST_F(Loading, FileThatHoldsNoWorkbookIsRefusedByNameAndNothingStaysOpen)
{
    std::string zip = file_bytes(sample);
    const std::vector<std::pair<std::string, std::string>> bad = {
        {test_office().scratch() + "/missing.ods", "no such file"},
        {write("random.ods", std::string("\x13\x37\xfe\xed garbage \x01\x02\x03", 17) + std::string(500, '\x9c')), ""},
        {write("cut.ods", zip.substr(0, zip.size() / 2)), ""},
        {write("text.ods", "Dear reader,\nthis is a letter, not a workbook.\n"), "not a spreadsheet"},
        {write("empty.ods", ""), "empty"},
    };
    for (const auto& [path, reason] : bad) {
        const bool existed = fs::exists(path);
        const std::string before = existed ? file_bytes(path) : "";
        QString title, text;
        bool shown_with_main = true, busy_with_box = true;
        when_modal_of<QMessageBox>([&](QMessageBox* box) {
            title = box->windowTitle();
            text = box->text();
            shown_with_main = main_window_shown();
            busy_with_box = QApplication::overrideCursor() != nullptr;
            box->accept();
        });
        {
            ProgramRun run(path);
            EXPECT_FALSE(run.form.loaded()) << path;
            EXPECT_EQ(run.zeb.exit_code, 3) << path;
            EXPECT_EQ(run.zeb.sheet_cnt, 0);
            EXPECT_FALSE(run.zeb.wb_doc);
        }
        EXPECT_EQ(title, "WORKBOOK ERROR") << path;
        EXPECT_TRUE(text.contains(QString::fromStdString(path))) << text.toStdString();
        if (!reason.empty()) {
            EXPECT_TRUE(text.contains(QString::fromStdString(reason))) << text.toStdString();
        }
        EXPECT_FALSE(shown_with_main);
        EXPECT_FALSE(busy_with_box) << "the busy cursor is gone before the box: " << path;
        EXPECT_FALSE(main_window_shown());
        EXPECT_EQ(open_documents(desk), documents_before) << path;
        EXPECT_EQ(fs::exists(path), existed);
        if (existed) {
            EXPECT_EQ(file_bytes(path), before) << path;
            EXPECT_FALSE(fs::exists(lock_file_of(path))) << path;
        }
    }
}

TEST_F(Loading, AQuestionCancelledInLibreOfficeIsSaidSoAndNotBlamedOnTheFile)
{
    // The office here has no windows: it cancels every question it would ask, as a person may.
    // (Its own error message after the question is no question.)
    std::vector<std::pair<std::string, std::string>> cases = {
        {copy(protected_book, "locked away.ods"), "Opening was cancelled in LibreOffice: it asked for the workbook's password."},
        {write("cut short.ods", file_bytes(sample).substr(0, file_bytes(sample).size() / 2)),
         "Opening was cancelled in LibreOffice: it found the file damaged and offered to repair it."},
        // A file it cannot read at all, without a question: the file is at fault.
        {write("letter.ods", "Dear reader,\nthis is a letter.\n"), "not a spreadsheet"},
    };
    for (const auto& [path, said] : cases) {
        const std::string before = file_bytes(path);
        SeenBox box;
        answer_box(box);
        {
            ProgramRun run(path);
            EXPECT_EQ(run.zeb.exit_code, 3) << path;
            EXPECT_FALSE(run.form.loaded());
        }
        EXPECT_EQ(box.title, "WORKBOOK ERROR");
        EXPECT_TRUE(box.prompt.contains(QString::fromStdString(said))) << box.prompt.toStdString();
        EXPECT_EQ(box.text.contains("cancelled"), said.find("cancelled") != std::string::npos) << path;
        EXPECT_EQ(open_documents(desk), documents_before);
        EXPECT_EQ(file_bytes(path), before);
        EXPECT_FALSE(fs::exists(lock_file_of(path))) << path;
    }
    // A workbook another user has open (its lock file names them) this office opens read-only
    // without a question; closing it at Exit leaves their lock as it was.
    const std::string theirs = copy(sample, "theirs.ods");
    const std::string lock = "Someone Else,otherhost,someone,07.12.2026 09:00,file:///home/someone/.config/libreoffice/4;";
    std::ofstream(lock_file_of(theirs), std::ios::binary) << lock;
    {
        ProgramRun run(theirs);
        ASSERT_TRUE(run.form.loaded());
        run.form.xit.on_click();
    }
    EXPECT_EQ(open_documents(desk), documents_before);
    EXPECT_EQ(file_bytes(lock_file_of(theirs)), lock) << "their lock is left as it was";
}

TEST_F(Loading, NamesThatNeedEscapingOpenTheirOwnFile)
{
    // Beside each workbook lies the file a raw "#", "%62" or "?" would reach instead.
    fs::create_directories(test_office().scratch() + "/odd");
    copy(one_sheet, "odd/hash");
    copy(one_sheet, "odd/pb.ods");
    for (const std::string name : {"a b.ods", "hash#x.ods", "p%62.ods", "what?.ods", "caf\xC3\xA9 \xE2\x82\xAC.ods"}) {
        const std::string path = copy(sample, "odd/" + name);
        auto doc = desk->call("loadComponentFromURL", {rt::Value(path_to_url(path)), rt::Value("_blank"),
                                                       rt::Value(std::int16_t(0)), rt::Value(std::vector<rt::Value>{})})
                       .to_object();
        EXPECT_EQ(doc->get("Sheets").to_object()->get("Count").to_int32(), 3) << name;
        EXPECT_EQ(doc->call("getURL", {}).to_text(), path_to_url(path)) << name;
        doc->call("close", {rt::Value(true)});
    }
}

namespace {

/// Quits the office as the user's "Quit" would, and waits until its pipe is gone.
void quit_office(PrivateOffice& office)
{
    try {
        office.desktop()->call("terminate", {});
    } catch (const rt::Error&) {
        // the connection may drop while the office ends
    }
    const std::string socket = "/tmp/OSL_PIPE_" + std::to_string(getuid()) + "_" + office.pipe();
    for (int i = 0; i < 200 && fs::exists(socket); ++i)
        usleep(50000);
}

} // namespace

TEST(OfficeGone, UserQuittingLibreOfficeLeavesExitWorking)
{
    test_office(); // the shared office's settings, put back when this test's office is done
    ScopedEnv pipe("ZEB_OFFICE_PIPE", ""), profile("ZEB_OFFICE_PROFILE", ""), headless("ZEB_OFFICE_HEADLESS", "");
    PrivateOffice own;
    const std::string book = own.scratch() + "/quit.ods";
    fs::copy_file(sample, book);
    ProgramRun run(book);
    ASSERT_TRUE(run.form.loaded());

    // The user quits LibreOffice while ZEB still holds the workbook.
    quit_office(own);
    try {
        run.zeb.wb_sheets[0]->get("Name");
        ADD_FAILURE() << "a call on a sheet of an office that has ended must fail";
    } catch (const rt::Error& e) {
        EXPECT_NE(e.description().find("stopped answering"), std::string::npos) << e.description();
    }

    run.form.xit.on_click();
    EXPECT_TRUE(test_app().forms().empty());
    EXPECT_EQ(run.zeb.exit_code, 0);
}

TEST(LoadingOnAnOfficeThatEnds, LibreOfficeQuittingBeforeTheFileIsChosenIsAnOfficeError)
{
    test_office(); // the shared office's settings, put back when this test's office is done
    ScopedEnv pipe("ZEB_OFFICE_PIPE", ""), profile("ZEB_OFFICE_PROFILE", ""), headless("ZEB_OFFICE_HEADLESS", "");
    PrivateOffice own;
    const std::string book = own.scratch() + "/late.ods";
    fs::copy_file(sample, book);
    own.desktop(); // the office runs
    // While the workbook dialog is up, the user quits LibreOffice; then chooses the file.
    when_modal_of<QFileDialog>([&](QFileDialog* d) {
        quit_office(own);
        name_edit(d)->setText(QString::fromStdString(book));
        QTest::keyClick(name_edit(d), Qt::Key_Return);
    });
    SeenBox box;
    answer_box(box);
    ZEB_main zeb(test_app(), test_printers());
    ZEB_form form(zeb);
    form.show();
    EXPECT_EQ(box.title, "OFFICE ERROR");
    EXPECT_TRUE(box.text.contains("stopped answering")) << box.text.toStdString();
    EXPECT_EQ(zeb.exit_code, 2);
    EXPECT_FALSE(form.loaded());
    EXPECT_TRUE(test_app().forms().empty());
}

namespace {

/// An office object that notes in `log` when the last of its holders lets go of it, and
/// passes every call on to the real one.
class NotedObject : public rt::Object {
public:
    NotedObject(std::shared_ptr<rt::Object> real, std::string name, std::vector<std::string>& log)
        : real_(std::move(real)), name_(std::move(name)), log_(log)
    {
    }
    ~NotedObject() override { log_.push_back(name_); }
    rt::Value call(std::string_view name, const std::vector<rt::Value>& args) override { return real_->call(name, args); }
    rt::Value get(std::string_view name) override { return real_->get(name); }
    void set(std::string_view name, const rt::Value& value) override { real_->set(name, value); }

private:
    std::shared_ptr<rt::Object> real_;
    std::string name_;
    std::vector<std::string>& log_;
};

} // namespace

TEST_F(Loading, ExitLetsGoOfTheSheetsThenTheWorkbookThenTheDesktopThenTheOffice)
{
    const std::string book = copy(sample, "released.ods");
    std::vector<std::string> released;
    {
        ProgramRun run(book);
        ASSERT_TRUE(run.form.loaded());
        ZEB_main& z = run.zeb;
        for (std::size_t i = 0; i < z.wb_sheets.size(); ++i)
            z.wb_sheets[i] = std::make_shared<NotedObject>(z.wb_sheets[i], "sheet " + std::to_string(i), released);
        z.wb_doc = std::make_shared<NotedObject>(z.wb_doc, "workbook", released);
        z.desk = std::make_shared<NotedObject>(z.desk, "desktop", released);
        z.svc_mgr = std::make_shared<NotedObject>(z.svc_mgr, "service manager", released);
        run.form.xit.on_click();
    }
    EXPECT_EQ(released, (std::vector<std::string>{"sheet 0", "sheet 1", "sheet 2", "workbook", "desktop", "service manager"}));
    EXPECT_EQ(open_documents(desk), documents_before);
}

TEST_F(Loading, TheWorkbookOpensInANewWindowBesideTheUsersUntouchedDocument)
{
    // An empty, untouched document of the user's is a window LibreOffice would reuse for a
    // load that does not ask for a new one.
    auto users = desk->call("loadComponentFromURL", {rt::Value("private:factory/scalc"), rt::Value("_blank"),
                                                     rt::Value(std::int16_t(0)), rt::Value(std::vector<rt::Value>{})})
                     .to_object();
    const std::string book = copy(sample, "beside.ods");
    {
        ProgramRun run(book);
        ASSERT_TRUE(run.form.loaded());
        EXPECT_EQ(open_documents(desk), documents_before + 2) << "the user's document is still there";
        EXPECT_EQ(users->call("getURL", {}).to_text(), "") << "and still the user's empty document";
        run.form.xit.on_click();
    }
    EXPECT_EQ(open_documents(desk), documents_before + 1);
    users->call("close", {rt::Value(true)});
}

TEST_F(Loading, AWorkbookDialogThatFailsIsSaidAndEndsWithThree)
{
    // A path longer than the dialog's buffer: the dialog fails with its code, not a cancel.
    std::string folder = test_office().scratch();
    for (int i = 0; i < 9; ++i)
        folder += "/" + std::string(240, static_cast<char>('a' + i));
    fs::create_directories(folder);
    const std::string book = folder + "/long.ods";
    fs::copy_file(sample, book);
    ASSERT_GT(book.size(), 2048u);
    SeenBox box;
    answer_box(box);
    {
        ProgramRun run(book);
        EXPECT_FALSE(run.form.loaded());
        EXPECT_TRUE(run.zeb.dlg_fail);
        EXPECT_EQ(run.zeb.exit_code, 3) << "a failed dialog is no cancel";
    }
    fs::remove_all(test_office().scratch() + "/" + std::string(240, 'a'));
    EXPECT_EQ(box.title, "FUNCTION ERROR");
    EXPECT_EQ(box.text, "ShowOpen\n\nThe function was provided with a filename buffer which was too small.");
    EXPECT_EQ(open_documents(desk), documents_before);
}

TEST_F(Loading, TheSameFileUnderAnotherNameIsAlreadyOpenToo)
{
    // The user opened real/Book.ods; ZEB is given it through a linked folder, and as a hard link.
    const fs::path real = test_office().scratch() + "/real";
    fs::create_directories(real);
    const std::string book = (real / "Book.ods").string();
    fs::copy_file(sample, book, fs::copy_options::overwrite_existing);
    const fs::path linked = test_office().scratch() + "/linked";
    fs::remove(linked);
    fs::create_directory_symlink(real, linked);
    const std::string hard = test_office().scratch() + "/hard.ods";
    fs::remove(hard);
    fs::create_hard_link(book, hard);
    auto users = desk->call("loadComponentFromURL", {rt::Value(path_to_url(book)), rt::Value("_blank"),
                                                     rt::Value(std::int16_t(0)), rt::Value(std::vector<rt::Value>{})})
                     .to_object();
    const std::string lock = file_bytes(lock_file_of(book));
    ASSERT_FALSE(lock.empty());
    for (const std::string& other_name : {(linked / "Book.ods").string(), hard}) {
        SeenBox box;
        answer_box(box);
        {
            ProgramRun run(other_name);
            EXPECT_FALSE(run.form.loaded()) << other_name;
            EXPECT_EQ(run.zeb.exit_code, 3) << other_name;
        }
        EXPECT_EQ(box.title, "WORKBOOK ERROR");
        EXPECT_TRUE(box.text.contains("already open in LibreOffice")) << box.text.toStdString();
        EXPECT_EQ(open_documents(desk), documents_before + 1) << "no second copy: " << other_name;
        EXPECT_EQ(file_bytes(lock_file_of(book)), lock) << "the user's lock stays";
    }
    users->call("close", {rt::Value(true)});
    fs::remove(hard);
    fs::remove(linked);
}
