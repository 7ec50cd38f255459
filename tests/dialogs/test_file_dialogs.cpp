#include "cdc_class.h"
#include "drivers.h"
#include "test_app.h"
#include "runtime/app.h"
#include "runtime/error.h"
#include "win32/commdlg.h"

#include <QDir>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using namespace std::string_literals;
using namespace win32;

namespace {

const std::string ods_filter = "LO  files(*.ODS)"s + '\0' + "*.ODS";
constexpr DWORD multi = OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_FILEMUSTEXIST;

class FileDialogs : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }

    std::string make(const std::string& name)
    {
        const std::string path = dir() + "/" + name;
        std::ofstream(path) << "x";
        return path;
    }
    std::string dir() const { return folder.path().toStdString(); }
    std::string open(DWORD flags) { return cdc.ShowOpen(0, ods_filter, rt::Value(std::int32_t(flags)), "Pick", dir()).to_text(); }

    QTemporaryDir folder;
    bool dlg_fail = true;
    CDC_class cdc{dlg_fail, test_printers()};
    SeenDialog seen;
};

} // namespace

TEST_F(FileDialogs, OpenGivesTheChosenPathAloneAndKeepsTheWorkingFolder)
{
    const std::string book = make("book.ods");
    const auto cwd = std::filesystem::current_path();
    answer_file_dialog(seen, "book.ods");
    const std::string result = open(OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR);
    EXPECT_EQ(result, book);
    EXPECT_FALSE(dlg_fail);
    EXPECT_EQ(cdc.last_error(), 0);
    EXPECT_EQ(std::filesystem::current_path(), cwd);

    EXPECT_EQ(seen.title, "Pick");
    EXPECT_EQ(seen.directory.toStdString(), dir());
    EXPECT_EQ(seen.initial_name, "") << "the dialog starts with no name";
    ASSERT_EQ(seen.filters.size(), 1);
    EXPECT_TRUE(seen.filters[0].endsWith("(*.ODS)"));
    EXPECT_EQ(seen.mode, QFileDialog::AnyFile);
    EXPECT_EQ(cdc.file_record().nFileOffset, book.size() - 8);
    EXPECT_EQ(cdc.file_record().nFilterIndex, 1u);
    // The buffer held no name: past the path and its NUL nothing was written.
    const char* buffer = cdc.file_record().lpstrFile;
    EXPECT_EQ(std::string(buffer + book.size() + 1, 2048 - book.size() - 1), std::string(2048 - book.size() - 1, '\0'));
}

TEST_F(FileDialogs, CancelGivesEmptyTextSetsDlgFailAndShowsNoBox)
{
    const NoModalExpected no_box(is_message_box); // a box would block the call; it fails instead
    answer_file_dialog(seen, "");
    EXPECT_EQ(open(0x808), "");
    EXPECT_TRUE(seen.seen);
    EXPECT_TRUE(dlg_fail);
    EXPECT_EQ(cdc.last_error(), 0);
    EXPECT_EQ(win32::CommDlgExtendedError(), 0u);
    EXPECT_FALSE(modal_appears_within(200));

    answer_file_dialog(seen, "");
    dlg_fail = false;
    EXPECT_EQ(cdc.ShowSave(0, "All"s + '\0' + "*.*", "txt", 0, "Save", dir(), "x"), "");
    EXPECT_TRUE(dlg_fail);
}

TEST_F(FileDialogs, SeveralFilesGiveTheFolderThenEachNameEachEndingInCR)
{
    make("a.ods"), make("b.ods"), make("c.ods");
    answer_file_dialog(seen, "\"a.ods\" \"b.ods\" \"c.ods\"");
    EXPECT_EQ(open(multi), dir() + "\ra.ods\rb.ods\rc.ods\r");
    EXPECT_FALSE(dlg_fail);
    EXPECT_EQ(cdc.file_record().nFileOffset, dir().size() + 1) << "the first name, after the folder's NUL";
    EXPECT_EQ(seen.mode, QFileDialog::ExistingFiles);

    // The same flags with one file: the full path, as for a single selection.
    answer_file_dialog(seen, "b.ods");
    EXPECT_EQ(open(multi), dir() + "/b.ods");
}

TEST_F(FileDialogs, SelectionThatOverflowsTheBufferIsReportedAndGivesNothing)
{
    QString typed;
    for (int i = 0; i < 60; ++i) {
        const std::string name = "a_rather_long_workbook_name_number_" + std::to_string(100 + i) + ".ods";
        make(name);
        typed += "\"" + QString::fromStdString(name) + "\" ";
    }
    QString title, text;
    answer_file_dialog(seen, typed);
    answer_box(title, text); // waits for the box that comes after the file dialog
    EXPECT_EQ(open(multi), "");
    EXPECT_EQ(title, "FUNCTION ERROR");
    EXPECT_EQ(text, "ShowOpen\n\nThe function was provided with a filename buffer which was too small.");
    EXPECT_TRUE(dlg_fail);
    EXPECT_EQ(cdc.last_error(), 0x3003);

    // A later success leaves the failed dialog's code.
    make("one.ods");
    answer_file_dialog(seen, "one.ods");
    EXPECT_EQ(open(multi), dir() + "/one.ods");
    EXPECT_FALSE(dlg_fail);
    EXPECT_EQ(cdc.last_error(), 0x3003);
}

TEST_F(FileDialogs, MoreThan200NamesLeaveAnEmptyLineForEachNameBeyond)
{
    QString typed;
    for (int i = 1; i <= 203; ++i) {
        const std::string name = "f" + std::to_string(i);
        make(name);
        typed += "\"" + QString::fromStdString(name) + "\" ";
    }
    answer_file_dialog(seen, typed);
    const std::string result = open(OFN_ALLOWMULTISELECT | OFN_EXPLORER);
    // The dialog lists the names in its own order; count the lines and the empty ones.
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t cr; (cr = result.find('\r', start)) != std::string::npos; start = cr + 1)
        lines.push_back(result.substr(start, cr - start));
    ASSERT_EQ(lines.size(), 204u);
    EXPECT_EQ(lines[0], dir());
    EXPECT_EQ(std::count(lines.begin(), lines.end(), ""), 3);
    EXPECT_EQ(lines[201], "");
    EXPECT_EQ(start, result.size()) << "the text ends with a carriage return";
}

TEST_F(FileDialogs, ANameEndingInBlanksOrHoldingACarriageReturnArrivesWhole)
{
    for (const std::string& name : {"trail.ods  "s, "cr\rname.ods"s}) {
        const std::string path = make(name);
        answer_file_dialog(seen, QString::fromStdString(name));
        EXPECT_EQ(open(OFN_FILEMUSTEXIST), path);
        EXPECT_FALSE(dlg_fail);
    }
    answer_file_dialog(seen, "saved.ods  ");
    EXPECT_EQ(cdc.ShowSave(0, ods_filter, "", 0, "Save", dir(), ""), dir() + "/saved.ods  ");
}

TEST_F(FileDialogs, TheOpenBufferHolds2048CharactersAndTheSaveBuffer255)
{
    // Names whose folder, names, NULs and final NUL take exactly `total` characters.
    auto names_for = [&](std::size_t total, const std::string& tag) {
        std::size_t left = total - dir().size() - 2; // the folder's NUL and the final one
        std::vector<std::string> names;
        while (left > 0) {
            const std::size_t take = left > 201 ? 101 : (left > 101 ? left - 100 : left); // name and its NUL
            names.push_back(tag + std::string(take - 1 - tag.size(), 'n'));
            left -= take;
        }
        QString typed;
        for (const std::string& n : names) {
            make(n);
            typed += "\"" + QString::fromStdString(n) + "\" ";
        }
        return std::make_pair(names.size(), typed);
    };
    const auto [fitting, typed_fitting] = names_for(2048, "a");
    answer_file_dialog(seen, typed_fitting);
    const std::string result = open(multi);
    EXPECT_EQ(std::count(result.begin(), result.end(), '\r'), static_cast<long>(fitting + 1)) << "2048 fit";
    EXPECT_FALSE(dlg_fail);

    const auto [over, typed_over] = names_for(2049, "b");
    (void)over;
    QString title, text;
    answer_file_dialog(seen, typed_over);
    answer_box(title, text);
    EXPECT_EQ(open(multi), "");
    EXPECT_EQ(cdc.last_error(), 0x3003) << "2049 do not";

    // The save dialog's buffer: a path of 254 characters and its NUL fit, one more does not.
    const std::string name254(254 - dir().size() - 1, 's');
    answer_file_dialog(seen, QString::fromStdString(name254));
    EXPECT_EQ(cdc.ShowSave(0, ods_filter, "", 0, "Save", dir(), "").size(), 254u);
    answer_file_dialog(seen, QString::fromStdString(name254 + "t"));
    answer_box(title, text);
    EXPECT_EQ(cdc.ShowSave(0, ods_filter, "", 0, "Save", dir(), ""), "");
    EXPECT_EQ(cdc.last_error(), 0x3003);
}

TEST_F(FileDialogs, SaveStartsFromTheDefaultNameAndGivesOnlyTheChosenPath)
{
    answer_file_dialog(seen, QString::fromStdString(dir() + "/x"));
    const std::string chosen = cdc.ShowSave(0, "Text"s + '\0' + "*.txt", "txt", OFN_OVERWRITEPROMPT, "Save it",
                                            dir(), "a_much_longer_default_name.txt");
    EXPECT_EQ(chosen, dir() + "/x.txt") << "the default extension is added, the rest of def_fn is gone";
    EXPECT_EQ(seen.initial_name, "a_much_longer_default_name.txt");
    EXPECT_EQ(seen.title, "Save it");
    EXPECT_FALSE(dlg_fail);
    EXPECT_EQ(cdc.file_record().hInstance, rt::App::instance());
    EXPECT_EQ(cdc.file_record().nMaxFile, 255u);
    // The default name was handed over alone: past it (and the shorter path written over it),
    // nothing but NULs.
    const std::size_t past = std::max(chosen.size(), std::string("a_much_longer_default_name.txt").size()) + 1;
    EXPECT_EQ(std::string(cdc.file_record().lpstrFile + past, 255 - past), std::string(255 - past, '\0'));

    answer_file_dialog(seen, "");
    cdc.ShowSave(0, "Text"s + '\0' + "*.txt", "txt", 0, "Save it", dir(), "");
    EXPECT_EQ(seen.initial_name, "") << "an empty def_fn starts with no name";
}

TEST_F(FileDialogs, DefaultNameOf254IsTheWholeBufferAnd255IsRefused)
{
    const std::string longest(254, 'n');
    answer_file_dialog(seen, "");
    cdc.ShowSave(0, "", "", 0, "Save", dir(), longest);
    EXPECT_EQ(std::string(cdc.file_record().lpstrFile), longest);
    EXPECT_EQ(seen.initial_name.toStdString(), longest);

    dlg_fail = true;
    const NoModalExpected nothing_shown;
    try {
        cdc.ShowSave(0, "", "", 0, "Save", dir(), std::string(255, 'n'));
        FAIL() << "a 255-character default name must be refused";
    } catch (const rt::Error& e) {
        EXPECT_EQ(e.number(), rt::errInvalidCall);
    }
    EXPECT_TRUE(dlg_fail) << "a refused call leaves dlg_fail as it was";
    EXPECT_FALSE(modal_appears_within(100));
}

TEST_F(FileDialogs, OpenAfterSaveCarriesTheSavesDefaultExtension)
{
    answer_file_dialog(seen, "");
    cdc.ShowSave(0, "Data"s + '\0' + "*.csv", "csv", 0, "Save", dir(), "");
    make("later.csv");
    answer_file_dialog(seen, "later");
    EXPECT_EQ(open(0x808), dir() + "/later.csv");
    EXPECT_EQ(seen.default_suffix, "csv");
    EXPECT_EQ(cdc.file_record().hInstance, rt::App::instance());
}

TEST_F(FileDialogs, ChosenFilterIsReportedAndTheNextDialogStartsFromIt)
{
    const std::string two = "Sheets"s + '\0' + "*.ods" + '\0' + "Text"s + '\0' + "*.txt;*.csv";
    when_modal_of<QFileDialog>([&](QFileDialog* d) {
        d->selectNameFilter(d->nameFilters()[1]);
        name_edit(d)->setText("notes.txt");
        QTest::keyClick(name_edit(d), Qt::Key_Return);
    });
    make("notes.txt");
    cdc.ShowOpen(0, two, rt::Value(0x808), "Pick", dir());
    EXPECT_EQ(cdc.file_record().nFilterIndex, 2u);
    answer_file_dialog(seen, "");
    cdc.ShowOpen(0, two, rt::Value(0x808), "Pick", dir());
    EXPECT_EQ(seen.selected_filter, "Text (*.txt *.csv)");
}

TEST_F(FileDialogs, PathMustExistAndAnEmptyNameKeepTheDialogOpen)
{
    // What the flags ask to exist: the folder, or the file itself.
    const std::pair<DWORD, std::string> cases[] = {
        {OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR, "/no/such/folder/x.ods"},
        {OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR, dir() + "/missing.ods"},
    };
    for (const auto& [flags, typed] : cases) {
        bool stayed_after_empty = false;
        QString warning;
        when_modal_of<QFileDialog>([&, typed = typed](QFileDialog* d) {
            name_edit(d)->clear();
            static_cast<QDialog*>(d)->accept();
            stayed_after_empty = d->isVisible();
            when_modal_of<QMessageBox>([&, d](QMessageBox* box) {
                warning = box->text();
                box->accept();
                QTimer::singleShot(0, [d] { d->reject(); });
            });
            QTimer::singleShot(0, [d, typed] {
                name_edit(d)->setText(QString::fromStdString(typed));
                static_cast<QDialog*>(d)->accept();
            });
        });
        EXPECT_EQ(open(flags), "") << typed;
        EXPECT_TRUE(stayed_after_empty);
        EXPECT_TRUE(warning.contains(flags & OFN_FILEMUSTEXIST ? "File not found" : "Path does not exist"))
            << "refused with a message: " << warning.toStdString();
    }
}

TEST(CommDlg, WrongRecordSizeFailsWithStructSize)
{
    char file[16] = "";
    OPENFILENAMEA ofn{};
    ofn.lStructSize = 76; // the 32-bit size; this platform's record is larger
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    EXPECT_EQ(GetOpenFileNameA(&ofn), FALSE);
    EXPECT_EQ(CommDlgExtendedError(), CDERR_STRUCTSIZE);
    ofn.lStructSize = sizeof ofn;
    ofn.Flags = OFN_ENABLEHOOK;
    EXPECT_EQ(GetSaveFileNameA(&ofn), FALSE);
    EXPECT_EQ(CommDlgExtendedError(), CDERR_NOHOOK);
}
