#include "about/about_64.h"
#include "about/about_window.h"
#include "about/memory_report.h"
#include "forms/picture_linux.h"
#include "forms/controls_linux.h"
#include "modal.h"
#include "runtime/app.h"
#include "runtime/error.h"
#include "test_app.h"

#include <QAccessible>
#include <QTest>
#include <gtest/gtest.h>
#include <tuple>

namespace {

const std::string logo = "graphics/Moonfinch_fi.gif";

struct Box {
    explicit Box(const rt::VersionInfo& v = {"ZEB", 1, 0, 0, "", "", "", "", ""}, std::string date = ", 25/12/2020")
        : file_date(std::move(date)), abt(test_app(), file_date, v)
    {
    }
    About& w() { return dynamic_cast<About&>(abt.window()); }
    void start_up_call(std::int32_t b_c = 0xC0CCD6, std::int32_t f_c = 0, std::int16_t tp = -1, std::int16_t lf = 13200,
                       const std::string& grfic = "", float g_rat = 1.0f)
    {
        abt.create_About(logo, b_c, f_c, tp, lf, grfic, g_rat);
    }
    std::string file_date;
    about_64 abt;
};

QImage shown(forms::Image& image)
{
    return static_cast<QLabel*>(image.impl().widget.data())->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
}

QImage look(About& w, int position)
{
    return w.ImageList1.picture(position).impl()->pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
}

QWidget* widget(forms::Control& c) { return c.impl().widget; }

} // namespace

TEST(AboutLayout, TheStartUpCallGivesTheWorkedExample)
{
    Box box;
    box.start_up_call();
    About& w = box.w();
    EXPECT_TRUE(box.abt.built());
    EXPECT_EQ(w.Frame1[0]->height(), 1200);
    EXPECT_EQ(w.Frame1[0]->top(), 300);
    EXPECT_EQ(w.Frame1[1]->top(), 1800);
    EXPECT_EQ(w.Frame1[2]->top(), 3015);
    EXPECT_EQ(w.width(), 5000);
    EXPECT_EQ(w.height(), 4930);
    for (auto* f : w.Frame1) {
        EXPECT_EQ(f->left(), 400);
        EXPECT_EQ(f->width(), 4200);
    }
    for (auto* l : w.title_lbl) {
        EXPECT_EQ(l->left(), 100);
        EXPECT_EQ(l->width(), 4000);
    }
    EXPECT_FALSE(w.title_lbl[2]->visible());
    EXPECT_EQ(w.title_lbl[2]->height(), 0);
    EXPECT_FALSE(w.title_lbl[3]->visible());
    EXPECT_EQ(w.mem_lbl->left(), 30);
    EXPECT_EQ(w.mem_lbl->width(), 4100);
    for (auto* m : w.make_lbl) {
        EXPECT_EQ(m->left(), 1200);
        EXPECT_EQ(m->width(), 2940);
    }
    EXPECT_EQ(w.Image2->top(), 60);
    EXPECT_EQ(w.Image2->width(), 300);
    EXPECT_EQ(w.Image2->left(), 4620);
    EXPECT_FALSE(w.Image1->visible());

    EXPECT_EQ(w.title_lbl[0]->caption(), "ZEB");
    EXPECT_EQ(w.title_lbl[1]->caption(), "Version 1.0.0, 25/12/2020");
    EXPECT_EQ(w.make_lbl[0]->caption(), "");
    EXPECT_EQ(w.make_lbl[1]->caption(), "\u00A9 ");
    EXPECT_EQ(w.make_lbl[2]->caption(), "");
    EXPECT_EQ(w.mem_lbl->caption().rfind("Total memory = ", 0), 0u) << w.mem_lbl->caption();
    EXPECT_FALSE(w.visible()) << "laid out, not shown";
}

TEST(AboutLayout, SidePictureWidensTheBoxAndMovesTheFrames)
{
    Box box;
    box.start_up_call(0xC0CCD6, 0, -1, 13200, logo, 0.5f);
    About& w = box.w();
    EXPECT_TRUE(w.Image1->visible());
    EXPECT_EQ(w.Image1->height(), 4930);
    EXPECT_EQ(w.Image1->width(), 2465);
    EXPECT_EQ(w.Frame1[0]->left(), 2865);
    EXPECT_EQ(w.width(), 7465);
    EXPECT_EQ(w.Image2->left(), 7465 - 300 - 80);
}

TEST(AboutLayout, TheSidePictureAndTheFramesBesideItShareOneRounding)
{
    Box box;
    box.start_up_call(0xC0CCD6, 0, -1, 13200, logo, 0.499898583f); // 4930 x this is 2464.5 exactly
    About& w = box.w();
    EXPECT_EQ(w.Image1->width(), 2464) << "half to even, as side_width";
    EXPECT_EQ(w.Frame1[0]->left(), 2464 + 400);
}

TEST(AboutLayout, SidePictureTooWideStopsWithOverflowWhereTheArithmeticOverflows)
{
    {
        Box box; // 32368 wide: the frames' offset 32368 + 400 leaves the 16-bit range
        try {
            box.start_up_call(0xC0CCD6, 0, -1, 13200, logo, 32368.2f / 4930.0f);
            FAIL() << "no overflow";
        } catch (const rt::Error& e) {
            EXPECT_EQ(e.number(), rt::errOverflow);
        }
        EXPECT_EQ(box.w().width(), 4200 + 32368 + 800) << "the window was sized before the offset";
        EXPECT_EQ(box.w().Frame1[0]->left(), 0) << "the frames were not moved";
        EXPECT_FALSE(box.abt.built());
    }
    {
        Box box; // 32768 wide: the width itself does not fit 16 bits
        EXPECT_THROW(box.start_up_call(0xC0CCD6, 0, -1, 13200, logo, 32768.4f / 4930.0f), rt::Error);
        EXPECT_EQ(box.w().width(), 0) << "the window was not sized";
        EXPECT_FALSE(box.abt.built());
    }
}

TEST(AboutLayout, DescriptionGetsOneLineUpToHalfTheWidthAndTwoBeyond)
{
    forms::Form ruler(test_app());
    ruler.set_font({"Arial", 12, false});
    auto text_of_width = [&](int twips) {
        std::string s;
        while (ruler.text_width(s) < twips)
            s += "a";
        return s;
    };
    for (const auto& [share, lines] : {std::pair{0.4, 1}, std::pair{0.6, 2}}) {
        const std::string d = text_of_width(static_cast<int>(share * 4000));
        Box box({"ZEB", 1, 0, 0, d, "", "", "", ""});
        box.start_up_call();
        About& w = box.w();
        const int line = ruler.text_height(d);
        EXPECT_EQ(w.title_lbl[2]->height(), lines * line) << share;
        EXPECT_TRUE(w.title_lbl[2]->visible());
        EXPECT_EQ(w.title_lbl[2]->top(), 1000);
        EXPECT_EQ(w.title_lbl[2]->caption(), d);
        EXPECT_FALSE(w.title_lbl[3]->visible()) << "no comments, no comments line";
        EXPECT_EQ(w.Frame1[0]->height(), 1000 + lines * line + 200 + 200);
    }
}

TEST(AboutSettings, OnlyTheFirstCallCountsAndNegativeValuesKeepTheDefaults)
{
    Box box;
    box.start_up_call(-1, -1, -1, 0);
    About& w = box.w();
    EXPECT_EQ(w.back_colour(), 0xC0C0C0);
    EXPECT_EQ(w.Frame1[0]->back_colour(), 0xC0C0C0);
    EXPECT_EQ(w.mem_lbl->fore_colour(), 0);
    EXPECT_EQ(w.top(), 1000);
    EXPECT_EQ(w.left(), 0) << "0 is a valid left edge";

    box.start_up_call(0x0000FF, 0x00FF00, 50, 60);
    EXPECT_EQ(w.back_colour(), 0xC0C0C0) << "a second call changes nothing";
    EXPECT_EQ(w.top(), 1000);
    EXPECT_EQ(w.left(), 0);
}

TEST(AboutSettings, ColoursReachTheFramesLabelsAndLogoBoxOnly)
{
    Box box;
    box.start_up_call(0x123456, 0x654321, 500, 700);
    About& w = box.w();
    EXPECT_EQ(w.back_colour(), 0x123456);
    std::vector<forms::Control*> coloured(w.Frame1.begin(), w.Frame1.end());
    coloured.insert(coloured.end(), w.title_lbl.begin(), w.title_lbl.end());
    coloured.push_back(w.mem_lbl);
    coloured.insert(coloured.end(), w.make_lbl.begin(), w.make_lbl.end());
    for (auto* c : coloured) {
        EXPECT_EQ(c->back_colour(), 0x123456);
        EXPECT_EQ(c->fore_colour(), 0x654321);
        // On screen: red in the low byte.
        EXPECT_EQ(widget(*c)->palette().color(QPalette::Window), QColor(0x56, 0x34, 0x12));
    }
    EXPECT_EQ(w.Picture2->back_colour(), 0x123456);
    EXPECT_EQ(w.Picture2->fore_colour(), 0) << "the logo box takes no text colour";
    EXPECT_EQ(w.Image1->back_colour(), 0xC0C0C0) << "the side picture is not touched";
    EXPECT_EQ(w.Image2->back_colour(), 0xC0C0C0) << "the picture button is not touched";
    EXPECT_EQ(w.top(), 500);
    EXPECT_EQ(w.left(), 700);
}

TEST(PictureButton, ImageListHoldsUpDownXuXdAndOnlyAPlainLeftClickCloses)
{
    Box box;
    box.start_up_call();
    About& w = box.w();
    ASSERT_EQ(w.ImageList1.count(), 4);
    EXPECT_EQ(w.ImageList1.key(1), "Up");
    EXPECT_EQ(w.ImageList1.key(2), "Down");
    EXPECT_EQ(w.ImageList1.key(3), "XU");
    EXPECT_EQ(w.ImageList1.key(4), "XD");
    EXPECT_NE(look(w, 1), look(w, 2)) << "released and pressed look different";

    QWidget* button = widget(*w.Image2);
    std::vector<std::string> broken;
    when_modal([&](QWidget*) {
        const auto check = [&](bool cond, const char* what) {
            if (!cond)
                broken.push_back(what);
        };
        QTest::mouseClick(button, Qt::RightButton);
        QTest::mouseClick(button, Qt::MiddleButton);
        for (auto mod : {Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier})
            QTest::mouseClick(button, Qt::LeftButton, mod);
        check(w.visible() && shown(*w.Image2) == look(w, 1), "other buttons and modifier keys change nothing");
        QTest::mousePress(button, Qt::LeftButton);
        check(shown(*w.Image2) == look(w, 2), "a left press shows the pressed look");
        QTest::mouseRelease(button, Qt::LeftButton, Qt::ShiftModifier);
        check(w.visible() && shown(*w.Image2) == look(w, 2), "a release with Shift keeps it pressed and open");
        QTest::mousePress(button, Qt::LeftButton);
        QTest::mouseRelease(button, Qt::LeftButton);
    });
    w.show_modal(); // returns once the box is hidden
    EXPECT_TRUE(broken.empty()) << broken.front();
    EXPECT_FALSE(w.visible());
    EXPECT_TRUE(w.loaded()) << "hidden, it keeps its layout";

    bool released_look = false;
    when_modal([&](QWidget*) {
        released_look = shown(*w.Image2) == look(w, 1);
        QTest::mousePress(button, Qt::LeftButton);
        QTest::mouseRelease(button, Qt::LeftButton);
    });
    w.show_modal();
    EXPECT_TRUE(released_look) << "shown again, the button is released";

    // From the keyboard, Escape closes it as the button does (and when it does not, the
    // test closes it, so that the failure is reported instead of waited for).
    bool still_open = false;
    when_modal([&](QWidget* modal) {
        QTest::keyClick(modal, Qt::Key_Escape);
        still_open = w.visible();
        if (still_open)
            w.hide();
    });
    w.show_modal();
    EXPECT_FALSE(still_open) << "Escape closes the about box";
}

TEST(NumberInKB, EachRangeHasItsUnitAndRounding)
{
    Box box;
    const std::pair<std::int64_t, std::string> table[] = {
        {0, "0 bytes"},          {1023, "1023 bytes"},      {1024, "1 KB"},       {1536, "1.5 KB"},
        {1048575, "1024 KB"},    {1048576, "1 MB"},         {1310720, "1.25 MB"},         {1073741824, "1 GB"}, {8589934592, "8 GB"},
        {16000000000, "14.9 GB"}, {-5, "-5 bytes"},         {1099511627776, ""},  {5000000000000, ""},
    };
    for (const auto& [bytes, text] : table)
        EXPECT_EQ(box.abt.NumberInKB(rt::Currency::whole(bytes)), text) << bytes;
    EXPECT_EQ(box.abt.NumberInKB(rt::Currency::from_double(1099511627775.9999)), "1024 GB");
}

TEST(MemoryReport, HalvesJoinUnsignedAndTheShareRoundsHalfToEven)
{
    EXPECT_EQ(join_halves(-1, 0), 4294967295.0);
    EXPECT_EQ(join_halves(0, 1), 4294967296.0);
    EXPECT_EQ(join_halves(-1, -1), 18446744073709551615.0);

    Box box;
    const auto size = [&](double total) { return box.abt.NumberInKB(rt::Currency::from_double(total)); };
    // Shares that lie on a half tell half-to-even from half-up: 12.5 and 62.5 go down, 37.5 up.
    const std::tuple<std::uint64_t, std::uint64_t, std::string> table[] = {
        {8ull << 30, 3ull << 30, "Total memory = 8 GB\nof which 38% is available."},
        {8ull << 30, (5ull << 30) / 2, "Total memory = 8 GB\nof which 31% is available."},
        {8ull << 30, 1ull << 30, "Total memory = 8 GB\nof which 12% is available."},
        {8ull << 30, 5ull << 30, "Total memory = 8 GB\nof which 62% is available."},
        {2ull << 40, 1ull << 40, "Total memory = \nof which 50% is available."},
        {0, 0, "Total memory = unknown\nthe system did not report it."},
    };
    for (const auto& [total, avail, text] : table) {
        win32::MEMORYSTATUSEX s{};
        s.dwLength = sizeof s;
        s.ullTotalPhys = total;
        s.ullAvailPhys = avail;
        EXPECT_EQ(memory_report(s, size), text) << total << " " << avail;
    }
}

TEST(MemoryReport, TheMachinesOwnMemoryIsRead)
{
    win32::MEMORYSTATUSEX s{};
    s.dwLength = 63;
    EXPECT_EQ(win32::GlobalMemoryStatusEx(&s), win32::FALSE) << "a record of the wrong size is refused";
    s.dwLength = sizeof s;
    ASSERT_EQ(win32::GlobalMemoryStatusEx(&s), win32::TRUE);
    EXPECT_GT(s.ullTotalPhys, 64ull << 20);
    EXPECT_LE(s.ullAvailPhys, s.ullTotalPhys);
}

TEST(AboutLayout, TheProgramsOwnVersionInformationReadsLikeAProducts)
{
    Box box(rt::App::version());
    box.start_up_call();
    About& w = box.w();
    EXPECT_EQ(w.title_lbl[0]->caption(), "ZEB");
    EXPECT_TRUE(w.title_lbl[2]->visible() && !w.title_lbl[2]->caption().empty()) << "a description";
    EXPECT_TRUE(w.title_lbl[3]->visible() && !w.title_lbl[3]->caption().empty()) << "a comment";
    EXPECT_EQ(w.make_lbl[0]->caption(), "The ZEB developers");
    EXPECT_EQ(w.make_lbl[1]->caption(), "\u00A9 2026 The ZEB developers");
}

TEST(PictureButton, AScreenReaderHearsANamedBoxAndAButtonItCanPressAndTheKeysPressItToo)
{
    Box box;
    box.start_up_call();
    About& w = box.w();
    QWidget* button = widget(*w.Image2);
    std::vector<std::string> broken;
    const auto check = [&](bool cond, const char* what) {
        if (!cond)
            broken.push_back(what);
    };
    when_modal([&](QWidget* modal) {
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(modal);
        check(window && window->text(QAccessible::Name) == "About ZEB", "the window is named by the product");
        QAccessibleInterface* logo_acc = QAccessible::queryAccessibleInterface(widget(*w.Picture2));
        check(logo_acc && logo_acc->text(QAccessible::Name) == "ZEB", "the logo is named by the product");
        QAccessibleInterface* b = QAccessible::queryAccessibleInterface(button);
        check(b && b->role() == QAccessible::Button, "the picture button is a button");
        check(b && b->text(QAccessible::Name) == "Close", "the button is named Close");
        QAccessibleActionInterface* act = b ? b->actionInterface() : nullptr;
        check(act && act->actionNames().contains(QAccessibleActionInterface::pressAction()), "it can be pressed");
        check(button->focusPolicy() & Qt::TabFocus, "the button takes the keyboard focus");
        // Keys held with Return press it without closing, as a click with them does.
        button->setFocus();
        QTest::keyPress(button, Qt::Key_Return, Qt::ShiftModifier);
        QTest::keyRelease(button, Qt::Key_Return, Qt::ShiftModifier);
        QTest::keyClick(button, Qt::Key_Space, Qt::ControlModifier);
        check(w.visible(), "only a plain press closes it");
        if (act)
            act->doAction(QAccessibleActionInterface::pressAction());
        check(!w.visible(), "a screen reader's press closes it");
        w.hide();
    });
    w.show_modal();

    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Space}) {
        bool pressed_look = false, closed = false;
        when_modal([&](QWidget*) {
            QTest::keyPress(button, key);
            pressed_look = shown(*w.Image2) == look(w, 2);
            QTest::keyRelease(button, key);
            closed = !w.visible();
            w.hide();
        });
        w.show_modal();
        EXPECT_TRUE(pressed_look && closed) << "the key presses and releases it as a click does: " << key;
    }
    EXPECT_TRUE(broken.empty()) << broken.front();
}


TEST(AboutAtTwiceTheScale, ThePicturesAreTheOnesDrawnAtTwiceTheSizeAndKeepTheirTwips)
{
    if (qApp->devicePixelRatio() < 2)
        GTEST_SKIP() << "run at QT_SCALE_FACTOR=2 (the about_at_twice_the_scale entry)";
    Box box;
    box.start_up_call();
    About& w = box.w();
    const auto pixmap_of = [](forms::Control& c) { return static_cast<QLabel*>(widget(c))->pixmap(); };
    const QPixmap button = pixmap_of(*w.Image2), logo_shown = pixmap_of(*w.Picture2);
    EXPECT_EQ(button.devicePixelRatio(), 2.0);
    EXPECT_EQ(button.size(), QSize(40, 36)) << "the button drawn at 40 x 36, not 20 x 18 doubled";
    EXPECT_EQ(w.Image2->width(), 300) << "it covers the same twips";
    EXPECT_EQ(w.Image2->height(), 270);
    EXPECT_EQ(logo_shown.devicePixelRatio(), 2.0);
    EXPECT_EQ(logo_shown.size(), QSize(134, 134));
    EXPECT_EQ(w.Picture2->picture().width(), 1005) << "67 pixels of twips, as at 1x";
    // Drawn anew, not doubled: a doubled picture has every pixel in 2 x 2 blocks.
    const QImage sharp = button.toImage();
    bool blocks_only = true;
    for (int y = 0; y < sharp.height(); y += 2)
        for (int x = 0; x < sharp.width(); x += 2)
            blocks_only &= sharp.pixel(x, y) == sharp.pixel(x + 1, y + 1) && sharp.pixel(x, y) == sharp.pixel(x + 1, y);
    EXPECT_FALSE(blocks_only);
}
