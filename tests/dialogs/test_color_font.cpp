#include "cdc_class.h"
#include "cdc_font_size.h"
#include "drivers.h"
#include "runtime/error.h"
#include "test_app.h"
#include "win32/commdlg.h"
#include "win32/global_memory.h"

#include <QColorDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <gtest/gtest.h>

using namespace win32;

namespace {

class ColourAndFont : public testing::Test {
protected:
    bool dlg_fail = true;
    CDC_class cdc{dlg_fail, test_printers()};
};

/// On the next font dialog: choose `font` and press OK, or cancel when `ok` is false.
void answer_font_dialog(const QFont& font, bool ok = true)
{
    when_modal_of<QFontDialog>([font, ok](QFontDialog* d) {
        d->setCurrentFont(font);
        if (ok)
            d->accept();
        else
            d->reject();
    });
}

QFont font_of(double points, bool bold = false)
{
    QFont f("Liberation Sans");
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

} // namespace

TEST_F(ColourAndFont, CustomColoursStartBlackAndAreKeptOnlyAfterOk)
{
    std::vector<QColor> offered;
    when_modal_of<QColorDialog>([&](QColorDialog* d) {
        for (int i = 0; i < 16; ++i)
            offered.push_back(QColorDialog::customColor(i));
        QColorDialog::setCustomColor(3, QColor(10, 20, 30)); // the user adds a custom colour
        d->setCurrentColor(QColor(0x11, 0x22, 0x33));
        d->accept();
    });
    EXPECT_EQ(cdc.ShowColor(0, CC_FULLOPEN), 0x332211) << "red in the low byte";
    EXPECT_FALSE(dlg_fail);
    ASSERT_EQ(offered.size(), 16u);
    for (const QColor& c : offered)
        EXPECT_EQ(c, QColor(Qt::black));

    // Cancelled: -1, no box, and the custom colours stay as the last OK left them.
    when_modal_of<QColorDialog>([&](QColorDialog* d) {
        QColorDialog::setCustomColor(4, QColor(200, 0, 0));
        d->reject();
    });
    EXPECT_EQ(cdc.ShowColor(0, 0), -1);
    EXPECT_TRUE(dlg_fail);
    EXPECT_EQ(cdc.last_error(), 0);
    EXPECT_FALSE(modal_appears_within(150));

    QColor third, fourth;
    when_modal_of<QColorDialog>([&](QColorDialog* d) {
        third = QColorDialog::customColor(3);
        fourth = QColorDialog::customColor(4);
        d->reject();
    });
    cdc.ShowColor(0, 0);
    EXPECT_EQ(third, QColor(10, 20, 30)) << "the colour defined before OK is offered again";
    EXPECT_EQ(fourth, QColor(Qt::black)) << "the colour defined before the cancel is not";
}

TEST(FontSize, TenthsOfAPointRoundToWholePointsHalfToEven)
{
    EXPECT_EQ(point_size_of(105), 10);
    EXPECT_EQ(point_size_of(115), 12);
    EXPECT_EQ(point_size_of(125), 12);
    EXPECT_EQ(point_size_of(104), 10);
    EXPECT_EQ(point_size_of(106), 11);
    EXPECT_EQ(point_size_of(327674), 32767);
    EXPECT_THROW(point_size_of(327675 + 10), rt::Error) << "past 16 bits: overflow, not a wrapped size";
}

TEST_F(ColourAndFont, ChosenFontIsKeptAndBoldGivesItsWeight)
{
    // Qt's font dialog offers whole point sizes only, so the halves above cannot be chosen in it.
    ASSERT_TRUE(QFontDatabase::families().contains("Liberation Sans")) << "fonts-liberation is needed";
    answer_font_dialog(font_of(10));
    EXPECT_EQ(cdc.ShowFont(0, CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT), "Liberation Sans");
    EXPECT_FALSE(dlg_fail);
    EXPECT_EQ(cdc.FontData(0).to_text(), "Liberation Sans");
    EXPECT_EQ(cdc.FontData(1).to_int16(), 10);
    EXPECT_EQ(cdc.FontData(7).to_text(), "400");

    answer_font_dialog(font_of(12, true));
    cdc.ShowFont(0, CF_SCREENFONTS);
    EXPECT_EQ(cdc.FontData(1).to_int16(), 12);
    EXPECT_EQ(cdc.FontData(7).to_text(), "700");
    EXPECT_FALSE(cdc.FontData(2).to_bool()) << "the spare flag is never written";

    // Cancelled: empty text, and the font data of the last OK stay.
    answer_font_dialog(font_of(30), false);
    EXPECT_EQ(cdc.ShowFont(0, CF_SCREENFONTS), "");
    EXPECT_TRUE(dlg_fail);
    EXPECT_EQ(cdc.FontData(1).to_int16(), 12);
    EXPECT_EQ(cdc.FontData(0).to_text(), "Liberation Sans");
}

TEST_F(ColourAndFont, DialogStartsFromCenturyGothicWhenAskedTo)
{
    QString family;
    when_modal_of<QFontDialog>([&](QFontDialog* d) {
        family = d->currentFont().family();
        d->reject();
    });
    cdc.ShowFont(0, CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT);
    EXPECT_TRUE(family.startsWith("Century Gothic") || family.startsWith("URW Gothic"))
        << "started on " << family.toStdString();

    // Taken as it starts, the face comes back by its name alone, without the foundry.
    when_modal_of<QFontDialog>([](QFontDialog* d) { d->accept(); });
    const std::string face = cdc.ShowFont(0, CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT);
    EXPECT_TRUE(face == "Century Gothic" || face == "URW Gothic") << face;
}

TEST_F(ColourAndFont, FontDataBeforeAnyFontAndOutOfRange)
{
    EXPECT_EQ(cdc.FontData(0).to_text(), "");
    EXPECT_EQ(cdc.FontData(6).to_int32(), 0);
    EXPECT_FALSE(cdc.FontData(3).to_bool());
    EXPECT_EQ(cdc.FontData(rt::Value("4")).kind(), rt::Value::Kind::Boolean) << "\"4\" equals 4";
    for (const rt::Value& op : {rt::Value(8), rt::Value(-1), rt::Value("x")}) {
        QString title, text;
        answer_box(title, text);
        EXPECT_EQ(cdc.FontData(op).to_text(), "");
        EXPECT_EQ(title, "FONT DATA ERROR");
        EXPECT_EQ(text, "The parameter must be in the range 0 to 7 ");
    }
}

TEST_F(ColourAndFont, TheFontBlockIsFreedOnEveryPath)
{
    const auto live = GlobalBlockCount();
    answer_font_dialog(font_of(12));
    cdc.ShowFont(0, CF_SCREENFONTS);
    EXPECT_EQ(GlobalBlockCount(), live) << "after OK";
    answer_font_dialog(font_of(12), false);
    cdc.ShowFont(0, CF_SCREENFONTS);
    EXPECT_EQ(GlobalBlockCount(), live) << "after a cancel";

    // The dialog fails: the caller asks for a hook it does not give.
    QString title, text;
    answer_box(title, text);
    EXPECT_EQ(cdc.ShowFont(0, CF_SCREENFONTS | CF_ENABLEHOOK), "");
    EXPECT_EQ(title, "FUNCTION ERROR");
    EXPECT_EQ(cdc.last_error(), static_cast<std::int32_t>(CDERR_NOHOOK));
    EXPECT_EQ(GlobalBlockCount(), live) << "after a failure";
}

TEST_F(ColourAndFont, NoMemoryForTheFontMeansNoDialogAndTheFailureIsReported)
{
    LimitGlobalMemory(0);
    QString title, text;
    answer_box(title, text);
    const std::string chosen = cdc.ShowFont(0, CF_SCREENFONTS);
    LimitGlobalMemory(static_cast<std::size_t>(-1));
    EXPECT_EQ(chosen, "");
    EXPECT_TRUE(dlg_fail);
    EXPECT_EQ(cdc.last_error(), static_cast<std::int32_t>(CDERR_MEMALLOCFAILURE));
    EXPECT_EQ(title, "FUNCTION ERROR");
    EXPECT_EQ(text, "ShowFont\n\nThe function failed to allocate sufficient memory.");
}

TEST(ChooseFont, LimitsTheWrongWayRoundFailWithMaxLessThanMin)
{
    LOGFONTA lf{};
    CHOOSEFONTA cf{};
    cf.lStructSize = sizeof cf;
    cf.lpLogFont = &lf;
    cf.Flags = CF_LIMITSIZE;
    cf.nSizeMin = 20;
    cf.nSizeMax = 10;
    EXPECT_EQ(ChooseFontA(&cf), FALSE);
    EXPECT_EQ(CommDlgExtendedError(), CFERR_MAXLESSTHANMIN);
    CHOOSECOLORA cc{};
    cc.lStructSize = 36;
    EXPECT_EQ(ChooseColorA(&cc), FALSE);
    EXPECT_EQ(CommDlgExtendedError(), CDERR_STRUCTSIZE);
}
