#include "forms/application.h"
#include "forms/form.h"
#include "toolkit/window_handles.h"
#include "forms/image_list.h"
#include "forms/picture.h"
#include "runtime/app.h"
#include "forms/msgbox.h"
#include "drivers.h"
#include "runtime/error.h"
#include "test_app.h"

#include <QAbstractButton>
#include <QMainWindow>
#include <QTest>
#include <QMenuBar>
#include <QMessageBox>
#include "win32/winuser.h"

#include <gtest/gtest.h>

namespace {

QMainWindow* window_titled(const QString& title)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* m = qobject_cast<QMainWindow*>(w); m && m->windowTitle() == title)
            return m;
    return nullptr;
}

QStringList texts(const QList<QAction*>& actions)
{
    QStringList out;
    for (QAction* a : actions)
        out << a->text();
    return out;
}

} // namespace

TEST(MenuArray, NewEntriesGoRightAfterTheArraysLastEntry)
{
    forms::Form form(test_app());
    form.set_caption("menus");
    forms::Menu& menu = form.add_menu("Top");
    forms::MenuArray& array = menu.add_array("zero");
    menu.add_item("after");
    array.load(1).set_caption("one");
    array.load(2).set_caption("two");
    int clicked = -1;
    array.on_click = [&](int i) { clicked = i; };

    QMenu* popup = window_titled("menus")->menuBar()->actions().at(0)->menu();
    EXPECT_EQ(texts(popup->actions()), (QStringList{"zero", "one", "two", "after"}));
    EXPECT_EQ(array.count(), 3);
    popup->actions().at(2)->trigger();
    EXPECT_EQ(clicked, 2);
}

TEST(MenuArray, MissingIndexAndIndexInUseRaise)
{
    forms::Form form(test_app());
    forms::MenuArray& array = form.add_menu("Top").add_array("zero");
    try {
        array[5];
        FAIL() << "no error for a missing entry";
    } catch (const rt::Error& e) {
        EXPECT_EQ(e.number(), rt::errSubscript);
    }
    EXPECT_THROW(array.load(0), rt::Error);
}

TEST(Form, ClientSizeIsKeptInTwipsAndShownAtFifteenTwipsAPixel)
{
    forms::Form form(test_app());
    form.set_caption("size");
    form.set_client_size(4680, 3090);
    EXPECT_EQ(form.client_width(), 4680);
    EXPECT_EQ(form.client_height(), 3090);
    QMainWindow* w = window_titled("size");
    EXPECT_EQ(w->width(), 312);
    EXPECT_EQ(w->height() - w->menuBar()->sizeHint().height(), 206);
}

TEST(Form, UnloadRunsOnceEvenWhenTheUnloadClosesAgain)
{
    forms::Form form(test_app());
    int unloads = 0;
    form.on_unload = [&] {
        ++unloads;
        form.close(); // a close already under way is left to proceed
    };
    form.load();
    ASSERT_EQ(test_app().forms().back(), &form);
    form.close();
    form.close();
    EXPECT_EQ(unloads, 1);
    EXPECT_FALSE(form.loaded());
    EXPECT_TRUE(std::find(test_app().forms().begin(), test_app().forms().end(), &form) ==
                test_app().forms().end());
}

TEST(Form, OpenFormsAreKeptInOpeningOrderAndTheCloseButtonUnloads)
{
    const auto before = test_app().forms().size();
    forms::Form first(test_app()), second(test_app());
    first.set_caption("first");
    second.load();
    first.load();
    ASSERT_EQ(test_app().forms().size(), before + 2);
    EXPECT_EQ(test_app().forms()[before], &second);
    EXPECT_EQ(test_app().forms()[before + 1], &first);

    bool unloaded = false;
    first.on_unload = [&] { unloaded = true; };
    first.show();
    window_titled("first")->close(); // as the title bar's close button does
    EXPECT_TRUE(unloaded);
    EXPECT_FALSE(first.loaded());
    second.close();
    EXPECT_EQ(test_app().forms().size(), before);
}

TEST(Form, LoadEventMayCloseTheFormSoItIsNeverShown)
{
    forms::Form form(test_app());
    form.on_load = [&] { form.close(); };
    form.show();
    EXPECT_FALSE(form.visible());
    EXPECT_FALSE(form.loaded());
}

TEST(Form, OpenFormsHearOfAChangedSettingUntilTheyClose)
{
    forms::Form open(test_app()), never_loaded(test_app());
    std::vector<std::string> heard;
    open.on_setting_change = [&](const std::string& section) { heard.push_back("open:" + section); };
    never_loaded.on_setting_change = [&](const std::string& section) { heard.push_back("never:" + section); };
    open.load();
    win32::SendMessageA(win32::HWND_BROADCAST, win32::WM_WININICHANGE, 0, reinterpret_cast<win32::LPARAM>("windows"));
    win32::SendMessageA(win32::HWND_BROADCAST, 0x10 /* WM_CLOSE */, 0, 0);
    open.close();
    win32::SendMessageA(win32::HWND_BROADCAST, win32::WM_WININICHANGE, 0, reinterpret_cast<win32::LPARAM>("windows"));
    EXPECT_EQ(heard, std::vector<std::string>{"open:windows"});
}

TEST(Form, MenusAnswerTheirKeysAndF10WhileCaptionsReadPlain)
{
    forms::Form form(test_app());
    forms::Menu& tools = form.add_menu("&Tools");
    forms::MenuItem& item = tools.add_item("&Check && go");
    forms::MenuItem& quit = form.add_menu_item("E&xit");
    int quits = 0;
    quit.on_click = [&] { ++quits; };
    std::vector<int> keys;
    form.on_key_down = [&](int key) { keys.push_back(key); };
    EXPECT_EQ(tools.title().caption(), "Tools");
    EXPECT_EQ(item.caption(), "Check & go");
    EXPECT_EQ(quit.caption(), "Exit");
    form.show();
    auto* window = qobject_cast<QMainWindow*>(toolkit::window_for(form.hwnd()));
    ASSERT_NE(window, nullptr);
    QApplication::setActiveWindow(window);
    (void)QTest::qWaitForWindowActive(window, 2000);

    QTest::keyClick(window, Qt::Key_F10);
    ASSERT_NE(window->menuBar()->activeAction(), nullptr) << "F10 reaches the menu bar";
    EXPECT_EQ(window->menuBar()->activeAction()->text(), "&Tools");
    while (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
    window->menuBar()->setActiveAction(nullptr);

    QTest::keyClick(window, Qt::Key_X, Qt::AltModifier);
    EXPECT_EQ(quits, 1) << "Alt+X chooses Exit";
    keys.clear();
    QTest::keyClick(window, Qt::Key_Escape);
    EXPECT_EQ(keys, std::vector<int>{27});
    form.close();
}

TEST(Form, DisabledTopLevelMenuIsGreyed)
{
    forms::Form form(test_app());
    forms::Menu& menu = form.add_menu("Top");
    menu.title().set_enabled(false);
    EXPECT_FALSE(menu.title().enabled());
    menu.title().set_enabled(true);
    EXPECT_TRUE(menu.title().enabled());
}

TEST(MsgBox, TitleDefaultsToTheProgramAndStyleChoosesIconAndButtons)
{
    SeenBox box;
    answer_box(box);
    EXPECT_EQ(forms::msg_box("one\r\ntwo"), forms::vbOK);
    EXPECT_EQ(box.title, "ZEB");
    EXPECT_EQ(box.text, "one\ntwo");
    EXPECT_EQ(box.icon, QMessageBox::NoIcon);
    EXPECT_EQ(box.buttons, QMessageBox::Ok);

    answer_box(box);
    forms::msg_box("bad", forms::vbCritical, "BROWSER ERROR");
    EXPECT_EQ(box.title, "BROWSER ERROR");
    EXPECT_EQ(box.icon, QMessageBox::Critical);
}

TEST(MsgBox, ALongNameIsShortenedWithAMarkAndKeptWholeInTheDetails)
{
    const std::string name = "/home/someone/" + std::string(120, 'a') + "-middle-" + std::string(120, 'z') + ".ods";
    QString text, details;
    int widest = 0;
    when_modal_of<QMessageBox>([&](QMessageBox* m) {
        text = m->text();
        details = m->detailedText();
        const QFontMetrics metrics(m->font());
        for (const QString& line : text.split('\n'))
            widest = std::max(widest, metrics.horizontalAdvance(line));
        m->button(QMessageBox::Ok)->click();
    });
    forms::msg_box("ZEB could not open the workbook\r\n" + name + "\r\n\r\nThere is no such file.", forms::vbCritical,
                   "WORKBOOK ERROR");
    const QStringList lines = text.split('\n');
    ASSERT_EQ(lines.size(), 4) << text.toStdString();
    EXPECT_EQ(lines[0], "ZEB could not open the workbook") << "short lines stay whole";
    EXPECT_TRUE(lines[1].startsWith("/home/someone/aaa") && lines[1].endsWith("zzz.ods") && lines[1].contains(QChar(0x2026)))
        << lines[1].toStdString();
    EXPECT_LE(widest, 480) << "no line is left for the box to break anywhere";
    EXPECT_TRUE(details.contains(QString::fromStdString(name))) << "the whole name is kept";
}

TEST(Picture, MissingFileRaises53AndAFileWithoutAPictureRaises481)
{
    const auto error_of = [](const std::string& path) {
        try {
            forms::load_picture(path);
        } catch (const rt::Error& e) {
            return e.number();
        }
        return 0;
    };
    EXPECT_EQ(error_of("/no/such/picture.gif"), rt::errFileNotFound);
    EXPECT_EQ(error_of("/etc/hostname"), rt::errInvalidPicture);
    const forms::Picture p = forms::load_picture(rt::App::path() + "/graphics/f_ul_U.bmp");
    EXPECT_EQ(p.width(), 300);
    EXPECT_EQ(p.height(), 270);
}

TEST(ImageList, InsertMovesThePicturesFromThatPositionBack)
{
    forms::ImageList list;
    const forms::Picture none;
    list.insert(1, "a", none);
    list.insert(2, "b", none);
    list.insert(1, "c", none);
    EXPECT_EQ(list.key(1), "c");
    EXPECT_EQ(list.key(2), "a");
    EXPECT_EQ(list.key(3), "b");
    EXPECT_THROW(list.insert(5, "x", none), rt::Error);
    EXPECT_THROW(list.picture(0), rt::Error);
}
