// zeb.exe as a person starts it on Windows.

#include "answer_dialog.h"
#include "office_person.h"
#include "office_registration.h"
#include "program_run.h"

#include "runtime/dispatch_object.h"
#include "runtime/error.h"
#include "runtime/file_identity.h"
#include "runtime/value.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

TEST(Program, WithoutLibreOfficeItSaysOfficeErrorAndEndsWithTwo)
{
    const ProgramEnd end = run_until_office_error("zeb.exe");
    ASSERT_TRUE(end.started);
    EXPECT_TRUE(end.ended) << "zeb.exe did not end after its box";
    EXPECT_EQ(end.exit_code, 2u);
    EXPECT_NE(end.box_text.find("ZEB works through LibreOffice and could not reach it."), std::string::npos) << end.box_text;
    EXPECT_NE(end.box_text.find("could not reach it.\r\n\r\nInstall LibreOffice from www.libreoffice.org"),
              std::string::npos)
        << end.box_text;
}

namespace {

/// zeb.exe started in the tests' folder; ended (killed if need be) when the object goes.
class Zeb {
public:
    Zeb()
    {
        STARTUPINFOA si{};
        si.cb = sizeof si;
        char command[] = "zeb.exe";
        started = CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
    }
    ~Zeb()
    {
        if (started && WaitForSingleObject(pi.hProcess, 0) != WAIT_OBJECT_0)
            TerminateProcess(pi.hProcess, 99);
        if (started) {
            CloseHandle(pi.hThread);
            CloseHandle(pi.hProcess);
        }
    }
    /// The exit code once it has ended within `ms`; 259 (still running) when it has not.
    DWORD end_code(DWORD ms)
    {
        DWORD code = 259;
        if (WaitForSingleObject(pi.hProcess, ms) == WAIT_OBJECT_0)
            GetExitCodeProcess(pi.hProcess, &code);
        return code;
    }
    /// Its visible top-level window titled `title`, waited for up to `ms`; null when none came,
    /// or at once when a box of an error came instead (the test fails with its text).
    HWND window(const char* title, DWORD ms)
    {
        for (DWORD waited = 0; waited <= ms; waited += 100) {
            if (HWND box = error_box()) {
                ADD_FAILURE() << "instead of \"" << title << "\": " << item_text(box, 0xFFFF);
                press(box, IDOK);
                return nullptr;
            }
            for (const auto& [w, text] : windows_up(pi.dwProcessId))
                if (text == title)
                    return w;
            Sleep(100);
        }
        return nullptr;
    }
    /// Types `path` into the workbook dialog and confirms it; the main window that then comes,
    /// null when it did not (the test has failed then).
    HWND open(const std::string& path)
    {
        choose(path);
        return window("ZEB", 60000);
    }
    /// Types `path` into the workbook dialog and confirms it.
    void choose(const std::string& path)
    {
        AnswerDialog choose(
            "Sheetwright: SELECT AN 'ODS' FILE",
            [&](HWND d) {
                set_item_text(d, 0x47C, path);
                press(d, IDOK);
            },
            60000, pi.dwProcessId);
    }
    /// The text of the next box titled `title`, which is answered with OK (a test failure when
    /// none comes within 30 s).
    std::string box(const char* title)
    {
        std::string text;
        AnswerDialog read(
            title,
            [&](HWND b) {
                text = item_text(b, 0xFFFF);
                press(b, IDOK);
            },
            30000, pi.dwProcessId);
        return text;
    }
    /// A box of the program's whose caption ends in "ERROR"; null when none shows.
    HWND error_box()
    {
        for (const auto& [w, text] : windows_up(pi.dwProcessId))
            if (text.size() >= 5 && text.compare(text.size() - 5, 5, "ERROR") == 0)
                return w;
        return nullptr;
    }
    bool started = false;
    PROCESS_INFORMATION pi{};
};

/// The office's documents' URLs, as the office hands them to a Windows program.
std::vector<std::string> open_documents()
{
    std::vector<std::string> urls;
    HRESULT hr = S_OK;
    auto manager = rt::create_dispatch_object("com.sun.star.ServiceManager", hr);
    if (!manager)
        return urls;
    auto desk = manager->call("createInstance", {rt::Value("com.sun.star.frame.Desktop")}).to_object();
    auto all = desk->get("Components").to_object()->call("createEnumeration", {}).to_object();
    while (all->call("hasMoreElements", {}).to_bool()) {
        try {
            urls.push_back(all->call("nextElement", {}).to_object()->call("getURL", {}).to_text());
        } catch (const rt::Error&) {
            // a component that is no document
        }
    }
    return urls;
}

std::string file_bytes(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const char* const book = "C:\\zeb tests\\My Book.ods";
const char* const book_url = "file:///C:/zeb%20tests/My%20Book.ods";

/// A copy of the sample workbook at `path`, in the tests' folder on drive C:.
bool copy_sample(const std::string& path = book)
{
    CreateDirectoryA("C:\\zeb tests", nullptr);
    return CopyFileA("samples\\Sample.ods", path.c_str(), FALSE);
}

/// The person quits LibreOffice (through the office, as its own Quit does).
void quit_office()
{
    HRESULT hr = S_OK;
    if (auto manager = rt::create_dispatch_object("com.sun.star.ServiceManager", hr)) {
        try {
            manager->call("createInstance", {rt::Value("com.sun.star.frame.Desktop")}).to_object()->call("terminate", {});
        } catch (const rt::Error&) {
            // the office may go before it answers
        }
    }
}

} // namespace

TEST(Program, APersonsRunOpensTheWorkbookInTheOfficeAndClosingTheWindowClosesIt)
{
    const TestOffice office;
    ASSERT_TRUE(copy_sample());
    const std::string before = file_bytes(book);
    Zeb zeb;
    ASSERT_TRUE(zeb.started);
    HWND main = zeb.open(book);
    ASSERT_TRUE(main) << "the main window came after the workbook opened";
    const auto documents = open_documents();
    EXPECT_NE(std::find(documents.begin(), documents.end(), book_url), documents.end())
        << "the workbook is open in the office, named as LibreOffice for Windows names it";
    PostMessageA(main, WM_CLOSE, 0, 0); // the title bar's close button
    EXPECT_EQ(zeb.end_code(30000), 0u);
    const auto after = open_documents();
    EXPECT_EQ(std::find(after.begin(), after.end(), book_url), after.end()) << "the workbook was closed";
    EXPECT_EQ(file_bytes(book), before) << "ZEB never writes the workbook";
    DeleteFileA(book);
}

TEST(Program, CancellingTheWorkbookDialogEndsWithZero)
{
    const TestOffice office;
    Zeb zeb;
    ASSERT_TRUE(zeb.started);
    bool asked = false;
    {
        AnswerDialog answer(
            "Sheetwright: SELECT AN 'ODS' FILE",
            [&](HWND d) {
                asked = true;
                press(d, IDCANCEL);
            },
            60000, zeb.pi.dwProcessId);
    }
    EXPECT_TRUE(asked) << "the workbook dialog came";
    EXPECT_EQ(zeb.end_code(15000), 0u) << "cancelling the first dialog ends the program with 0";
}

TEST(Program, AWorkbookOpenInTheOfficeUnderAnotherSpellingIsRefusedAndItsLockStays)
{
    const TestOffice office;
    ASSERT_TRUE(copy_sample());
    HRESULT hr = S_OK;
    auto manager = rt::create_dispatch_object("com.sun.star.ServiceManager", hr);
    ASSERT_TRUE(manager);
    auto desk = manager->call("createInstance", {rt::Value("com.sun.star.frame.Desktop")}).to_object();
    // The person's own copy, opened in the office first.
    auto theirs = desk->call("loadComponentFromURL", {rt::Value(book_url), rt::Value("_blank"),
                                                     rt::Value(std::int16_t(0)), rt::Value(std::vector<rt::Value>{})})
                      .to_object();
    ASSERT_TRUE(theirs);
    Zeb zeb;
    zeb.choose("c:\\ZEB TESTS\\my book.ODS"); // the same file, spelt otherwise
    const std::string said = zeb.box("WORKBOOK ERROR");
    EXPECT_EQ(zeb.end_code(15000), 3u);
    EXPECT_NE(said.find("already open in LibreOffice"), std::string::npos) << said;
    EXPECT_NE(GetFileAttributesA("C:\\zeb tests\\.~lock.My Book.ods#"), INVALID_FILE_ATTRIBUTES)
        << "the person's lock stays";
    EXPECT_NO_THROW(theirs->call("isModified", {})) << "the person's copy is still open";
    theirs->call("close", {rt::Value(true)});
    DeleteFileA(book);
}

TEST(Program, TheOfficeQuitWhileZebRunsLetsZebEndWithoutAWord)
{
    const TestOffice office;
    ASSERT_TRUE(copy_sample());
    Zeb zeb;
    HWND main = zeb.open(book);
    ASSERT_TRUE(main);
    quit_office(); // workbook and all, while ZEB runs
    Sleep(2000);
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(zeb.end_code(30000), 0u) << "ZEB ends as ever, asking and showing nothing";
    DeleteFileA(book);
}

TEST(Program, TheOfficeGoneBeforeTheWorkbookOpensIsAnOfficeErrorEndingWithTwo)
{
    const TestOffice office;
    ASSERT_TRUE(copy_sample());
    Zeb zeb;
    {
        AnswerDialog choose(
            "Sheetwright: SELECT AN 'ODS' FILE",
            [](HWND d) {
                quit_office(); // while the person chooses: the office's server process ends
                Sleep(2000);
                set_item_text(d, 0x47C, book);
                press(d, IDOK);
            },
            60000, zeb.pi.dwProcessId);
    }
    const std::string said = zeb.box("OFFICE ERROR");
    EXPECT_EQ(zeb.end_code(15000), 2u);
    EXPECT_NE(said.find("stopped answering"), std::string::npos) << said;
    DeleteFileA(book);
}

namespace {

/// The office's document at `url`, through a connection of the test's own; null when none.
std::shared_ptr<rt::Object> document_at(const std::string& url)
{
    HRESULT hr = S_OK;
    auto manager = rt::create_dispatch_object("com.sun.star.ServiceManager", hr);
    if (!manager)
        return nullptr;
    auto all = manager->call("createInstance", {rt::Value("com.sun.star.frame.Desktop")})
                   .to_object()
                   ->get("Components")
                   .to_object()
                   ->call("createEnumeration", {})
                   .to_object();
    while (all->call("hasMoreElements", {}).to_bool()) {
        auto doc = all->call("nextElement", {}).to_object();
        try {
            if (doc->call("getURL", {}).to_text() == url)
                return doc;
        } catch (const rt::Error&) {
        }
    }
    return nullptr;
}

} // namespace

TEST(Program, UnsavedEditsAtExitAreDiscardedOrKeptOpenAsThePersonSaysAndTheFileStaysAsItWas)
{
    const TestOffice office;
    constexpr int discard = 100, keep = 101; // the question's answers, in order
    for (const int answer : {discard, keep}) {
        ASSERT_TRUE(copy_sample());
        const std::string before = file_bytes(book);
        Zeb zeb;
        HWND main = zeb.open(book);
        ASSERT_TRUE(main);
        auto doc = document_at(book_url);
        ASSERT_TRUE(doc);
        // The person types into the workbook in Calc.
        doc->call("getSheets", {})
            .to_object()
            ->call("getByIndex", {rt::Value(std::int16_t(0))})
            .to_object()
            ->call("getCellByPosition", {rt::Value(std::int32_t(1)), rt::Value(std::int32_t(1))})
            .to_object()
            ->call("setString", {rt::Value("typed in Calc")});
        std::string asked;
        {
            AnswerDialog question(
                "ZEB",
                [&](HWND box) {
                    asked = item_text(box, 0xFFFF);
                    press(box, answer);
                },
                30000, zeb.pi.dwProcessId);
            PostMessageA(main, WM_CLOSE, 0, 0);
        }
        EXPECT_EQ(zeb.end_code(30000), 0u);
        auto left = document_at(book_url);
        if (answer == discard) {
            EXPECT_FALSE(left) << "discarded: the workbook was closed";
        } else {
            ASSERT_TRUE(left) << "kept open in LibreOffice to be saved there";
            EXPECT_TRUE(left->call("isModified", {}).to_bool());
            left->call("close", {rt::Value(true)});
        }
        EXPECT_EQ(file_bytes(book), before) << "ZEB never writes the workbook";
        DeleteFileA(book);
    }
}

TEST(Program, ItsTextIsUtf8InTheSystemsFunctions)
{
    // This test program carries the manifest zeb.exe carries.
    EXPECT_EQ(GetACP(), static_cast<UINT>(CP_UTF8)) << "the manifest's code page";
}

TEST(Program, AWorkbookNamedInOtherScriptsOpensAsChosen)
{
    // Letters of three scripts and an emoji, through the open dialog's ANSI functions, which
    // carry the program's UTF-8 by its manifest.
    const TestOffice office;
    const std::string name = "C:\\zeb tests\\J\xC3\xBCrgen \xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1 "
                             "\xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80.ods";
    ASSERT_TRUE(copy_sample(name));
    Zeb zeb;
    HWND main = zeb.open(name);
    ASSERT_TRUE(main) << "the workbook opened";
    bool open = false;
    for (const std::string& url : open_documents())
        open |= rt::unescaped(url) == "file:///C:/zeb tests/J\xC3\xBCrgen \xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1 "
                                       "\xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80.ods";
    EXPECT_TRUE(open) << "the file chosen is the one open in the office";
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(zeb.end_code(30000), 0u);
    DeleteFileA(name.c_str());
}

TEST(Program, EachWayTheOfficeCannotBeHadGetsItsOwnAdvice)
{
    // What to do, then the runtime's line and the cause.
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"Refuse", "Switch LibreOffice's automation on", "automation is switched off"},
        {"Missing", "Install LibreOffice again", "the program registered is not there"},
    };
    for (const auto& [option, to_do, cause] : cases) {
        const TestOffice office(option);
        const ProgramEnd end = run_until_office_error("zeb.exe");
        EXPECT_TRUE(end.ended) << option;
        EXPECT_EQ(end.exit_code, 2u) << option;
        const auto runtime_line = end.box_text.find("ActiveX component can't create object");
        EXPECT_LT(end.box_text.find(to_do), runtime_line) << option << ": " << end.box_text;
        EXPECT_LT(runtime_line, end.box_text.find(cause)) << option << ": " << end.box_text;
        EXPECT_NE(end.box_text.find(cause), std::string::npos) << option << ": " << end.box_text;
    }
}

TEST(Program, AnOfficeSlowToStartIsWaitedForWithTheNoticeUpAndOnlySoLong)
{
    {
        // Four seconds to start: the notice shows meanwhile, then the workbook dialog comes.
        const TestOffice office("Delay=4");
        Zeb zeb;
        ASSERT_TRUE(zeb.started);
        EXPECT_TRUE(zeb.window("ZEB is starting LibreOffice\xE2\x80\xA6", 3000)) << "the notice while it starts";
        bool asked = false;
        {
            AnswerDialog answer(
                "Sheetwright: SELECT AN 'ODS' FILE",
                [&](HWND d) {
                    asked = true;
                    press(d, IDCANCEL);
                },
                30000, zeb.pi.dwProcessId);
        }
        EXPECT_TRUE(asked);
        EXPECT_EQ(zeb.end_code(15000), 0u);
    }
    {
        // Waited for one second only: said so at once, exit 2.
        const TestOffice office("Delay=8");
        SetEnvironmentVariableA("ZEB_OFFICE_WAIT", "1");
        const DWORD t0 = GetTickCount();
        const ProgramEnd end = run_until_office_error("zeb.exe");
        const DWORD took = GetTickCount() - t0;
        SetEnvironmentVariableA("ZEB_OFFICE_WAIT", nullptr);
        EXPECT_EQ(end.exit_code, 2u);
        EXPECT_NE(end.box_text.find("did not answer within 1 seconds"), std::string::npos) << end.box_text;
        EXPECT_LT(took, 6000u) << "the wait is bounded";
    }
}

namespace {

/// Keys pressed and released as a person's, for the window that has the keyboard.
void keys(std::initializer_list<WORD> held, WORD key)
{
    std::vector<INPUT> in;
    auto add = [&](WORD k, bool up) {
        INPUT i{};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = k;
        i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        in.push_back(i);
    };
    for (WORD h : held)
        add(h, false);
    add(key, false);
    add(key, true);
    for (WORD h : held)
        add(h, true);
    SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
    Sleep(300);
}

} // namespace

TEST(Program, ItsMenusAnswerThePersonsKeysRoutinesAndAbout)
{
    const TestOffice office;
    ASSERT_TRUE(copy_sample());
    Zeb zeb;
    HWND main = zeb.open(book);
    ASSERT_TRUE(main);
    SetForegroundWindow(main);
    Sleep(300);
    std::string said;
    {
        AnswerDialog routine(
            "ZEB",
            [&](HWND box) {
                said = item_text(box, 0xFFFF);
                press(box, IDOK);
            },
            10000, zeb.pi.dwProcessId);
        keys({VK_MENU}, 'R'); // Alt+R opens Routines; Return chooses its first entry
        keys({}, VK_RETURN);
    }
    EXPECT_EQ(said, "right_just()");
    SetForegroundWindow(main);
    Sleep(300);
    keys({VK_MENU}, 'H'); // Alt+H opens Help; About is its last entry
    keys({}, VK_UP);
    keys({}, VK_RETURN);
    HWND about = zeb.window("About ZEB", 10000); // its text, which a screen reader says
    ASSERT_TRUE(about) << "the about box came";
    keys({}, VK_ESCAPE);
    for (int i = 0; i < 30 && IsWindowVisible(about); ++i)
        Sleep(100);
    EXPECT_FALSE(IsWindowVisible(about)) << "Escape closed the about box";
    SetForegroundWindow(main);
    Sleep(300);
    keys({VK_MENU}, 'X'); // Alt+X: Exit
    EXPECT_EQ(zeb.end_code(30000), 0u);
    DeleteFileA(book);
}

TEST(Program, AFileThatIsNotAWorkbookIsRefusedAndLeftAsItWas)
{
    const TestOffice office;
    CreateDirectoryA("C:\\zeb tests", nullptr);
    const char* const notes = "C:\\zeb tests\\notes.ods"; // a text, named as a workbook
    {
        std::ofstream(notes, std::ios::binary) << "A shopping list, not a workbook.\r\n";
    }
    const std::string before = file_bytes(notes);
    Zeb zeb;
    zeb.choose(notes);
    const std::string said = zeb.box("WORKBOOK ERROR");
    EXPECT_EQ(zeb.end_code(15000), 3u);
    EXPECT_NE(said.find("not a spreadsheet"), std::string::npos) << said;
    const auto left = open_documents();
    EXPECT_EQ(std::find_if(left.begin(), left.end(), [](const std::string& u) { return u.find("notes.ods") != std::string::npos; }),
              left.end())
        << "nothing of it stays open in the office";
    EXPECT_EQ(file_bytes(notes), before);
    DeleteFileA(notes);
}

TEST(Program, AQuestionOfTheOfficesThePersonCancelsIsSaidSoAndTheFileStaysAsItWas)
{
    const TestOffice office;
    CreateDirectoryA("C:\\zeb tests", nullptr);
    const char* const secret = "C:\\zeb tests\\secret.ods";
    const char* const theirs = "C:\\zeb tests\\theirs.ods";
    const char* const their_lock = "C:\\zeb tests\\.~lock.theirs.ods#";
    ASSERT_TRUE(CopyFileA(ZEB_TEST_DATA "/password.ods", secret, FALSE));
    ASSERT_TRUE(copy_sample(theirs));
    const std::string lock = "Someone Else,otherhost,someone,07.12.2026 09:00,file:///C:/Users/someone/;";
    {
        std::ofstream(their_lock, std::ios::binary) << lock;
    }
    // The office asks for the password, or what to do about another user's lock; the person
    // cancels its question.
    const struct {
        const char* path;
        const char* name;
        const char* office_asks;
        const char* zeb_says;
    } cases[] = {
        {secret, "secret.ods", "Enter Password", "Opening was cancelled in LibreOffice: it asked a question while opening the file."},
        {theirs, "theirs.ods", "Document in Use", "Opening was cancelled in LibreOffice: it asked what to do about the workbook's lock"},
    };
    for (const auto& c : cases) {
        const std::string before = file_bytes(c.path);
        Zeb zeb;
        zeb.choose(c.path);
        const std::string asked = press_in_office("Cancel", 60000);
        EXPECT_NE(asked.find(c.office_asks), std::string::npos) << c.path << ": the office asked " << asked;
        const std::string said = zeb.box("WORKBOOK ERROR");
        EXPECT_EQ(zeb.end_code(15000), 3u) << c.path;
        EXPECT_NE(said.find(c.zeb_says), std::string::npos) << said;
        EXPECT_EQ(file_bytes(c.path), before) << c.path;
        const auto left = open_documents();
        EXPECT_EQ(std::find_if(left.begin(), left.end(),
                               [&](const std::string& u) { return u.find(c.name) != std::string::npos; }),
                  left.end())
            << "nothing of it stays open in the office";
    }
    EXPECT_EQ(file_bytes(their_lock), lock) << "their lock is left as it was";
    EXPECT_EQ(GetFileAttributesA("C:\\zeb tests\\.~lock.secret.ods#"), INVALID_FILE_ATTRIBUTES);
    DeleteFileA(their_lock);
    DeleteFileA(theirs);
    DeleteFileA(secret);
}

TEST(Program, AWorkbookWhoseSheetCountTheOfficeFailsToReadIsRefusedNotTakenAsEmpty)
{
    // The bridge answers a read the office failed with an empty value: that is no count of 0
    // sheets but a workbook ZEB could not read.
    const TestOffice office;
    ASSERT_TRUE(copy_sample());
    const std::string before = file_bytes(book);
    {
        const FailingReads fails({"Count"});
        Zeb zeb;
        zeb.choose(book);
        const std::string said = zeb.box("WORKBOOK ERROR");
        EXPECT_EQ(zeb.end_code(15000), 3u);
        EXPECT_NE(said.find("could not give the workbook's sheets"), std::string::npos) << said;
    }
    const auto left = open_documents();
    EXPECT_EQ(std::find(left.begin(), left.end(), book_url), left.end()) << "nothing of it stays open";
    EXPECT_EQ(file_bytes(book), before);
    DeleteFileA(book);
}
