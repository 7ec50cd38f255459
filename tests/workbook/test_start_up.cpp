#include "drivers.h"
#include "forms/application.h"
#include "modal.h"
#include "office_env.h"
#include "runtime/app.h"
#include "test_app.h"
#include "zeb_form.h"
#include "zeb_main.h"

#include <QAbstractButton>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <gtest/gtest.h>
#include <filesystem>
#include <unistd.h>

namespace {

QMainWindow* main_window()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* m = qobject_cast<QMainWindow*>(w); m && m->windowTitle() == "ZEB" && m->isVisible())
            return m;
    return nullptr;
}

/// The menu bar's entry that reads `text` (its keyboard marker left out).
QAction* top_level(const QString& text)
{
    for (QAction* a : main_window()->menuBar()->actions())
        if (QString(a->text()).remove('&') == text)
            return a;
    ADD_FAILURE() << "no menu " << text.toStdString();
    return nullptr;
}

struct Box {
    QString title, text;
    QMessageBox::Icon icon{};
    QMessageBox::StandardButtons buttons{};
    bool main_window_visible = false;
};

/// Reads the next message box and presses its OK button.
void read_box(Box& box)
{
    when_modal([&box](QWidget* w) {
        auto* m = qobject_cast<QMessageBox*>(w);
        ASSERT_TRUE(m);
        box = {m->windowTitle(), m->text(), m->icon(), m->standardButtons(), main_window() != nullptr};
        m->button(QMessageBox::Ok)->click();
    });
}

class StartUp : public testing::Test {
protected:
    void SetUp() override
    {
        const std::string book = test_office().scratch() + "/start_up.ods";
        std::filesystem::copy_file(ZEB_SOURCE_DIR "/samples/Sample.ods", book,
                                   std::filesystem::copy_options::overwrite_existing);
        // While the workbook dialog is up the main window is not shown and Routines is greyed.
        when_modal_of<QFileDialog>([this, book](QFileDialog* d) {
            dialog_seen = true;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* m = qobject_cast<QMainWindow*>(w); m && m->windowTitle() == "ZEB") {
                    hidden_during_dialog = !m->isVisible();
                    greyed_during_dialog = !m->menuBar()->actions()[0]->isEnabled();
                }
            name_edit(d)->setText(QString::fromStdString(book));
            QTest::keyClick(name_edit(d), Qt::Key_Return);
        });
        form.show();
        ASSERT_TRUE(main_window());
    }
    void TearDown() override
    {
        if (form.loaded())
            form.close();
    }
    ZEB_main zeb{test_app(), test_printers()};
    ZEB_form form{zeb};
    bool dialog_seen = false, hidden_during_dialog = false, greyed_during_dialog = false;
};

const QStringList routines{
    "right_just()", "SaveAsPDF()",  "RW_data()",     "range()",       "get_prop()",    "set_prop()",
    "set_colour()", "style()",      "prnt_rnge()",   "make_style()",  "make_style()",  "set_style()",
    "move_range()", "copy_range()", "set_prnt_rng()", "show_hide()",  "ResizeWin()",   "ReadWin()",
    "zooom()",      "delete_rows()", "insert_rows()", "fil()",        "hide_row()"};

} // namespace

TEST_F(StartUp, MainWindowOffersRoutinesHelpAndExit)
{
    QMenuBar* bar = main_window()->menuBar();
    ASSERT_EQ(bar->actions().size(), 3);
    // The menus show their captions with a key each for the keyboard (Alt+R, Alt+H, Alt+X);
    // read through the program, the captions are the plain words.
    EXPECT_EQ(bar->actions()[0]->text(), "&Routines");
    EXPECT_EQ(bar->actions()[1]->text(), "&Help");
    EXPECT_EQ(bar->actions()[2]->text(), "E&xit");
    EXPECT_EQ(form.rout.title().caption(), "Routines");
    EXPECT_EQ(form.hlp.title().caption(), "Help");
    EXPECT_EQ(form.xit.caption(), "Exit");
    EXPECT_EQ(form.hlp_about.caption(), "About");
    EXPECT_EQ(bar->actions()[2]->menu(), nullptr) << "Exit acts at once, it has no popup";
    EXPECT_TRUE(dialog_seen);
    EXPECT_TRUE(hidden_during_dialog) << "the main window waits for the workbook";
    EXPECT_TRUE(greyed_during_dialog) << "Routines is greyed while the workbook step runs";
    EXPECT_TRUE(bar->actions()[0]->isEnabled()) << "Routines is enabled once the workbook step is done";

    QStringList help;
    for (QAction* a : bar->actions()[1]->menu()->actions())
        help << a->text();
    EXPECT_EQ(help, (QStringList{"&Contents", "&Index", "&Find", "&About"}));

    QStringList entries;
    for (QAction* a : bar->actions()[0]->menu()->actions()) {
        entries << a->text();
        EXPECT_TRUE(a->isVisible());
    }
    EXPECT_EQ(entries, routines);
    EXPECT_EQ(form.client_width(), 4680);
    EXPECT_EQ(form.client_height(), 3090);
}

TEST_F(StartUp, ModuleDataHoldsTheOfficeAndTheProgramFolder)
{
    EXPECT_TRUE(zeb.svc_mgr);
    EXPECT_TRUE(zeb.desk);
    EXPECT_TRUE(zeb.wb_open);
    EXPECT_EQ(zeb.rout_cnt, 22);
    ASSERT_EQ(zeb.rout_caps.size(), 23u);
    EXPECT_EQ(zeb.rout_caps[0], "");
    EXPECT_EQ(zeb.rout_caps[9], "make_style()");
    EXPECT_EQ(zeb.rout_caps[10], "make_style()");
    ASSERT_FALSE(zeb.app_dir.empty());
    EXPECT_EQ(zeb.app_dir.back(), '/');
    EXPECT_GT(zeb.scr_w, 0);
}

TEST_F(StartUp, FirstTwoRoutinesAnswerWithTheirCaptionTheOthersDoNothing)
{
    QList<QAction*> entries = top_level("Routines")->menu()->actions();
    for (int i : {0, 1}) {
        Box box;
        read_box(box);
        entries[i]->trigger();
        EXPECT_EQ(box.text, routines[i]);
        EXPECT_EQ(box.title, "ZEB");
        EXPECT_EQ(box.icon, QMessageBox::NoIcon);
        EXPECT_EQ(box.buttons, QMessageBox::Ok);
    }
    for (int i = 2; i < entries.size(); ++i) {
        entries[i]->trigger();
        EXPECT_FALSE(modal_appears_within(i == 2 ? 300 : 20)) << routines[i].toStdString();
    }
}

TEST_F(StartUp, ExitClosesEveryWindowNewestFirstAndReleasesTheOffice)
{
    std::vector<std::string> closed;
    forms::Form later(test_app());
    later.on_unload = [&] { closed.push_back("later"); };
    later.load();
    const auto unload = form.on_unload;
    form.on_unload = [&] {
        closed.push_back("main");
        unload();
    };

    top_level("Exit")->trigger();
    EXPECT_EQ(closed, (std::vector<std::string>{"later", "main"}));
    EXPECT_TRUE(test_app().forms().empty());
    EXPECT_EQ(main_window(), nullptr);
    EXPECT_FALSE(zeb.desk);
    EXPECT_FALSE(zeb.svc_mgr);
    EXPECT_TRUE(zeb.wb_open) << "shut_down does not clear the flag";
    EXPECT_EQ(zeb.exit_code, 0);
}

TEST_F(StartUp, CloseButtonActsAsExit)
{
    main_window()->close();
    EXPECT_TRUE(test_app().forms().empty());
    EXPECT_FALSE(zeb.desk);
}

TEST(StartUpWithoutOffice, SaysLibreOfficeIsMissingAndEndsWithoutTheMainWindow)
{
    test_office();
    ScopedEnv program("ZEB_SOFFICE", "/nonexistent/soffice");
    ScopedEnv pipe("ZEB_OFFICE_PIPE", "zeb_nobody_" + std::to_string(getpid()));
    ZEB_main zeb(test_app(), test_printers());
    ZEB_form form(zeb);
    Box box;
    read_box(box);
    form.show();
    EXPECT_EQ(box.title, "OFFICE ERROR");
    EXPECT_EQ(box.icon, QMessageBox::Critical);
    EXPECT_TRUE(box.text.contains("install", Qt::CaseInsensitive)) << box.text.toStdString();
    EXPECT_FALSE(box.main_window_visible);
    EXPECT_FALSE(form.loaded());
    EXPECT_EQ(main_window(), nullptr);
    EXPECT_EQ(zeb.exit_code, 2) << "an office that cannot be reached, not a failed start (1)";
    EXPECT_TRUE(test_app().forms().empty());
}

TEST(StartUpWithoutItsFiles, SaysWhatFailedUnderStartUpErrorAndEndsWithOne)
{
    test_office();
    // The about box's logo gone from the program folder: the layout cannot be made.
    const std::filesystem::path logo = rt::App::path() + "/graphics/Moonfinch_fi.gif";
    const std::filesystem::path aside = logo.string() + ".aside";
    std::filesystem::rename(logo, aside);
    struct PutBack {
        std::filesystem::path from, to;
        ~PutBack() { std::filesystem::rename(from, to); }
    } put_back{aside, logo};

    ZEB_main zeb(test_app(), test_printers());
    ZEB_form form(zeb);
    Box box;
    read_box(box);
    form.show();
    EXPECT_EQ(box.title, "START-UP ERROR");
    EXPECT_EQ(box.icon, QMessageBox::Critical);
    EXPECT_TRUE(box.text.startsWith("ZEB could not start.\n\n")) << box.text.toStdString();
    EXPECT_FALSE(box.main_window_visible);
    EXPECT_EQ(zeb.exit_code, 1);
    EXPECT_FALSE(form.loaded());
    EXPECT_FALSE(zeb.desk) << "the office objects are let go";
    EXPECT_TRUE(test_app().forms().empty());
}
