// The dialog service on Windows, against the system's own common dialogs.

#include "answer_dialog.h"
#include "dialogs/cdc_class.h"

#include <gtest/gtest.h>

#include <cstdio>

#include <filesystem>
#include <fstream>

namespace {

class DialogService : public testing::Test {
protected:
    bool dlg_fail = true;
    printing::Printers printers;
    CDC_class cdc{dlg_fail, printers};
};

// The colour dialog's own controls.
constexpr int red_edit = 706, green_edit = 707, blue_edit = 708;

} // namespace

TEST_F(DialogService, TheColourChosenComesBackAndCancelGivesMinusOne)
{
    {
        AnswerDialog answer("Color", [](HWND d) {
            set_item_text(d, red_edit, "10");
            set_item_text(d, green_edit, "20");
            set_item_text(d, blue_edit, "30");
            press(d, IDOK);
        });
        EXPECT_EQ(cdc.ShowColor(nullptr, win32::CC_FULLOPEN | win32::CC_RGBINIT), 0x1E140A);
    }
    EXPECT_FALSE(dlg_fail);
    {
        AnswerDialog answer("Color", [](HWND d) { press(d, IDCANCEL); });
        EXPECT_EQ(cdc.ShowColor(nullptr, 0), -1);
    }
    EXPECT_TRUE(dlg_fail);
    EXPECT_EQ(cdc.last_error(), 0);
}

namespace {

// The font dialog's controls: face, style and size lists, strike-out and underline.
constexpr int face_combo = 0x470, style_combo = 0x471, size_combo = 0x472, underline_box = 0x411;
// The file dialogs' name box.
constexpr int file_name_box = 0x47C;

/// A folder of the test's own in the user's temporary folder, with empty workbooks in it.
struct Folder {
    Folder()
    {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        path = std::string(temp) + "zeb-dialogs-" + std::to_string(GetCurrentProcessId());
        std::filesystem::create_directories(path);
    }
    ~Folder()
    {
        // A dialog without OFN_NOCHANGEDIR made the folder the working folder.
        std::error_code ec;
        std::filesystem::current_path(working, ec);
        std::filesystem::remove_all(path, ec);
    }
    std::string make(const std::string& name) const
    {
        std::ofstream(path + "\\" + name) << "x";
        return path + "\\" + name;
    }
    std::string path;
    std::filesystem::path working = std::filesystem::current_path();
};

const std::string ods_filter = std::string("Workbooks (*.ods)") + '\0' + "*.ods";

} // namespace

TEST_F(DialogService, TheFontChosenComesBackThroughFontData)
{
    {
        AnswerDialog answer("Font", [](HWND d) {
            choose_in_combo(d, face_combo, "Liberation Sans");
            choose_in_combo(d, style_combo, "Bold Italic");
            choose_in_combo(d, size_combo, "12");
            set_check(d, underline_box, true);
            press(d, IDOK);
        });
        EXPECT_EQ(cdc.ShowFont(nullptr, win32::CF_SCREENFONTS | win32::CF_EFFECTS), "Liberation Sans");
    }
    EXPECT_FALSE(dlg_fail);
    EXPECT_EQ(cdc.FontData(rt::Value(std::int16_t{0})).to_text(), "Liberation Sans");
    EXPECT_EQ(cdc.FontData(rt::Value(std::int16_t{1})).to_int16(), 12);
    EXPECT_TRUE(cdc.FontData(rt::Value(std::int16_t{3})).to_bool()) << "italic";
    EXPECT_TRUE(cdc.FontData(rt::Value(std::int16_t{4})).to_bool()) << "underline";
    EXPECT_FALSE(cdc.FontData(rt::Value(std::int16_t{5})).to_bool()) << "strike-out";
    EXPECT_EQ(cdc.FontData(rt::Value(std::int16_t{7})).to_text(), "700");
    {
        AnswerDialog answer("Font", [](HWND d) { press(d, IDCANCEL); });
        EXPECT_EQ(cdc.ShowFont(nullptr, win32::CF_SCREENFONTS), "");
    }
    EXPECT_TRUE(dlg_fail);
    EXPECT_EQ(cdc.FontData(rt::Value(std::int16_t{1})).to_int16(), 12) << "a cancel keeps the last font";
}

TEST_F(DialogService, OpenGivesOnePathOrTheFolderThenEachName)
{
    const Folder folder;
    const std::string book = folder.make("book.ods");
    folder.make("a.ods"), folder.make("b.ods");
    auto open = [&](win32::DWORD flags) {
        return cdc.ShowOpen(nullptr, rt::Value(ods_filter), rt::Value(static_cast<std::int32_t>(flags)), rt::Value("Pick"),
                            folder.path).to_text();
    };
    {
        AnswerDialog answer("Pick", [](HWND d) {
            set_item_text(d, file_name_box, "book.ods");
            press(d, IDOK);
        });
        EXPECT_EQ(open(win32::OFN_PATHMUSTEXIST | win32::OFN_NOCHANGEDIR), book);
    }
    EXPECT_FALSE(dlg_fail);
    EXPECT_EQ(cdc.file_record().nFileOffset, book.size() - 8);
    // The buffer held no name: past the path and its NUL nothing was written.
    const char* buffer = cdc.file_record().lpstrFile;
    EXPECT_EQ(std::string(buffer + book.size() + 1, 2048 - book.size() - 1), std::string(2048 - book.size() - 1, '\0'));

    const win32::DWORD multi = win32::OFN_ALLOWMULTISELECT | win32::OFN_EXPLORER | win32::OFN_FILEMUSTEXIST;
    {
        AnswerDialog answer("Pick", [](HWND d) {
            set_item_text(d, file_name_box, "\"a.ods\" \"b.ods\"");
            press(d, IDOK);
        });
        EXPECT_EQ(open(multi), folder.path + "\ra.ods\rb.ods\r");
    }
    EXPECT_EQ(cdc.file_record().nFileOffset, folder.path.size() + 1) << "the first name, after the folder's NUL";
    {
        AnswerDialog answer("Pick", [](HWND d) { press(d, IDCANCEL); });
        EXPECT_EQ(open(multi), "");
    }
    EXPECT_TRUE(dlg_fail);
    EXPECT_EQ(cdc.last_error(), 0);
}

TEST_F(DialogService, SaveGivesTheNameChosenInTheFolderGiven)
{
    const Folder folder;
    {
        AnswerDialog answer("Save it", [](HWND d) {
            set_item_text(d, file_name_box, "saved.ods");
            press(d, IDOK);
        });
        const std::string chosen = cdc.ShowSave(nullptr, ods_filter, "ods", 0, "Save it", folder.path, "");
        EXPECT_EQ(chosen.substr(0, chosen.find_last_not_of(' ') + 1), folder.path + "\\saved.ods");
    }
    EXPECT_FALSE(dlg_fail);
}

namespace {

/// Presses the file dialog's OK button (`what` it says); a dialog that hangs on it (as one
/// handed a name of blanks did under Wine) ends the test program at once, failed.
void press_or_end_test(HWND d, const char* what)
{
    PostMessageA(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(d, IDOK)));
    Sleep(300);
    DWORD_PTR ignored = 0;
    if (IsWindow(d) && !SendMessageTimeoutA(d, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 3000, &ignored)) {
        std::fprintf(stderr, "FAILED: the file dialog hangs after %s was pressed\n", what);
        std::fflush(stderr);
        ExitProcess(3);
    }
}

} // namespace

TEST_F(DialogService, AnUntouchedOpenOrSaveShowsTheNameMeantAndGivesItBack)
{
    const Folder folder;
    std::string shown = "?";
    {
        // Open pressed with the name field as it came: nothing is chosen, the dialog stays.
        AnswerDialog answer("Pick", [&](HWND d) {
            shown = item_text(d, file_name_box);
            press_or_end_test(d, "Open");
            if (IsWindow(d))
                press(d, IDCANCEL);
        });
        EXPECT_EQ(cdc.ShowOpen(nullptr, rt::Value(ods_filter), rt::Value(std::int32_t{win32::OFN_FILEMUSTEXIST}),
                               rt::Value("Pick"), folder.path)
                      .to_text(),
                  "");
    }
    EXPECT_EQ(shown, "") << "the open dialog starts with no name";
    EXPECT_TRUE(dlg_fail);
    for (const std::string name : {"Book1.ods", ""}) {
        std::string chosen;
        shown.clear(); // the dialog not come, the test has failed already
        {
            AnswerDialog answer("Save it", [&](HWND d) {
                shown = item_text(d, file_name_box);
                if (name.empty())
                    set_item_text(d, file_name_box, "typed.ods");
                press_or_end_test(d, "Save");
            });
            chosen = cdc.ShowSave(nullptr, ods_filter, "ods", 0, "Save it", folder.path, name);
        }
        EXPECT_EQ(shown, name) << "the save dialog shows the default name alone";
        EXPECT_EQ(chosen, folder.path + "\\" + (name.empty() ? "typed.ods" : name));
        EXPECT_FALSE(dlg_fail);
    }
}
