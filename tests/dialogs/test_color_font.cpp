#include "cdc_class.h"
#include "cdc_font_size.h"
#include "drivers.h"
#include "runtime/error.h"
#include "test_app.h"
#include "win32/commdlg.h"
#include "win32/global_memory.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace win32;

namespace {

class ColourAndFont : public testing::Test {
protected:
    bool dlg_fail = true;
    CDC_class cdc{dlg_fail, test_printers()};
};

/// What a person chooses in the font dialog.
struct FontAnswer {
    QString face = "Liberation Sans";
    QString size = "12";
    int style = 0; ///< 0 regular, 1 italic, 2 bold, 3 bold italic
    bool underline = false;
    bool strike_out = false;
    QString colour;  ///< a standard colour's name; empty leaves it
    bool ok = true;
};

FontAnswer font_of(const QString& size, int style = 0)
{
    FontAnswer a;
    a.size = size;
    a.style = style;
    return a;
}

bool is_font_dialog(QWidget* w) { return w->objectName() == "fontChooser"; }

/// On the next font dialog: choose as `a` says, then press OK (or Cancel).
void answer_font_dialog(const FontAnswer& a)
{
    when_modal([a](QWidget* d) {
        d->findChild<QLineEdit*>("faceEdit")->setText(a.face);
        d->findChild<QLineEdit*>("sizeEdit")->setText(a.size);
        d->findChild<QListWidget*>("styleList")->setCurrentRow(a.style);
        d->findChild<QCheckBox*>("underline")->setChecked(a.underline);
        d->findChild<QCheckBox*>("strikeOut")->setChecked(a.strike_out);
        if (!a.colour.isEmpty()) {
            auto* colours = d->findChild<QComboBox*>("colourCombo");
            colours->setCurrentIndex(colours->findText(a.colour));
        }
        auto* buttons = d->findChild<QDialogButtonBox*>();
        buttons->button(a.ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
    }, is_font_dialog);
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
    const NoModalExpected no_box(is_message_box);
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
    ASSERT_TRUE(QFontDatabase::families().contains("Liberation Sans")) << "fonts-liberation is needed";
    answer_font_dialog(font_of("10"));
    EXPECT_EQ(cdc.ShowFont(0, CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT), "Liberation Sans");
    EXPECT_FALSE(dlg_fail);
    EXPECT_EQ(cdc.FontData(0).to_text(), "Liberation Sans");
    EXPECT_EQ(cdc.FontData(1).to_int16(), 10);
    EXPECT_EQ(cdc.FontData(7).to_text(), "400");

    answer_font_dialog(font_of("12", 2));
    cdc.ShowFont(0, CF_SCREENFONTS);
    EXPECT_EQ(cdc.FontData(1).to_int16(), 12);
    EXPECT_EQ(cdc.FontData(7).to_text(), "700");
    EXPECT_FALSE(cdc.FontData(2).to_bool()) << "the spare flag is never written";

    // Cancelled: empty text, and the font data of the last OK stay.
    FontAnswer cancel = font_of("30");
    cancel.ok = false;
    answer_font_dialog(cancel);
    EXPECT_EQ(cdc.ShowFont(0, CF_SCREENFONTS), "");
    EXPECT_TRUE(dlg_fail);
    EXPECT_EQ(cdc.FontData(1).to_int16(), 12);
    EXPECT_EQ(cdc.FontData(0).to_text(), "Liberation Sans");
}

TEST_F(ColourAndFont, TenthsOfAPointEffectsAndColourComeBackThroughFontData)
{
    // 10.5 pt rounds to 10 and 11.5 pt to 12: whole points, halves to the even one.
    FontAnswer a = font_of("10.5");
    a.face = "Arial"; // the system's stand-in for it is taken
    answer_font_dialog(a);
    EXPECT_FALSE(cdc.ShowFont(0, CF_SCREENFONTS | CF_EFFECTS).empty());
    EXPECT_EQ(cdc.FontData(1).to_int16(), 10);
    answer_font_dialog(font_of("11,5"));
    cdc.ShowFont(0, CF_SCREENFONTS | CF_EFFECTS);
    EXPECT_EQ(cdc.FontData(1).to_int16(), 12);

    FontAnswer styled = font_of("12", 3);
    styled.underline = true;
    styled.strike_out = true;
    styled.colour = "Red";
    answer_font_dialog(styled);
    cdc.ShowFont(0, CF_SCREENFONTS | CF_EFFECTS);
    EXPECT_EQ(cdc.FontData(7).to_text(), "700");
    EXPECT_TRUE(cdc.FontData(3).to_bool());
    EXPECT_TRUE(cdc.FontData(4).to_bool());
    EXPECT_TRUE(cdc.FontData(5).to_bool());
    EXPECT_EQ(cdc.FontData(6).to_int32(), 0x0000FF) << "red in the low byte";

    // Each effect on its own: italic alone, then underline alone.
    for (const bool italic : {true, false}) {
        FontAnswer one = font_of("12", italic ? 1 : 0);
        one.underline = !italic;
        answer_font_dialog(one);
        cdc.ShowFont(0, CF_SCREENFONTS | CF_EFFECTS);
        EXPECT_EQ(cdc.FontData(3).to_bool(), italic);
        EXPECT_EQ(cdc.FontData(4).to_bool(), !italic);
        EXPECT_FALSE(cdc.FontData(5).to_bool());
    }

    // Without CF_EFFECTS there are no effects and no colour to give.
    answer_font_dialog(styled);
    cdc.ShowFont(0, CF_SCREENFONTS);
    EXPECT_FALSE(cdc.FontData(4).to_bool());
    EXPECT_EQ(cdc.FontData(6).to_int32(), 0);
}

TEST(ChooseFont, SizesOutsideTheLimitsOrNotANumberKeepTheDialogOpen)
{
    LOGFONTA lf{};
    CHOOSEFONTA cf{};
    cf.lStructSize = sizeof cf;
    cf.lpLogFont = &lf;
    cf.Flags = CF_LIMITSIZE | CF_SCREENFONTS;
    cf.nSizeMin = 10;
    cf.nSizeMax = 20;
    std::vector<QString> refusals;
    when_modal([&](QWidget* d) {
        for (const char* size : {"9.5", "20.5", "big"}) {
            d->findChild<QLineEdit*>("sizeEdit")->setText(size);
            when_modal([&](QWidget* box) {
                refusals.push_back(static_cast<QMessageBox*>(box)->text());
                static_cast<QDialog*>(box)->accept();
            }, [](QWidget* w) { return qobject_cast<QMessageBox*>(w) != nullptr; });
            d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        }
        d->findChild<QLineEdit*>("sizeEdit")->setText("19.5");
        d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    }, is_font_dialog);
    ASSERT_TRUE(ChooseFontA(&cf));
    EXPECT_EQ(cf.iPointSize, 195);
    EXPECT_EQ(lf.lfHeight, -26);
    ASSERT_EQ(refusals.size(), 3u);
    EXPECT_EQ(refusals[0], "Size must be between 10 and 20 points.");
    EXPECT_EQ(refusals[2], "Size must be a number.");
}

TEST_F(ColourAndFont, DialogStartsFromCenturyGothicWhenAskedTo)
{
    QString family, size, colour, refusal;
    int style = -1;
    when_modal([&](QWidget* d) {
        family = d->findChild<QLineEdit*>("faceEdit")->text();
        size = d->findChild<QLineEdit*>("sizeEdit")->text();
        style = d->findChild<QListWidget*>("styleList")->currentRow();
        colour = d->findChild<QComboBox*>("colourCombo")->currentText();
        // The service's limits are 10 to 72 points.
        d->findChild<QLineEdit*>("sizeEdit")->setText("9");
        when_modal([&](QWidget* box) {
            refusal = static_cast<QMessageBox*>(box)->text();
            static_cast<QDialog*>(box)->accept();
        }, is_message_box);
        d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        static_cast<QDialog*>(d)->reject();
    }, is_font_dialog);
    cdc.ShowFont(0, CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_LIMITSIZE | CF_EFFECTS);
    EXPECT_TRUE(family.startsWith("Century Gothic") || family.startsWith("URW Gothic"))
        << "started on " << family.toStdString();
    EXPECT_EQ(size, "12") << "iPointSize 120";
    EXPECT_EQ(style, 0) << "weight 400, not italic";
    EXPECT_EQ(colour, "Black") << "rgbColors 0";
    EXPECT_EQ(refusal, "Size must be between 10 and 72 points.");

    // Taken as it starts, the face comes back by its name alone, without the foundry.
    when_modal([](QWidget* d) { d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click(); },
               is_font_dialog);
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
    answer_font_dialog(font_of("12"));
    cdc.ShowFont(0, CF_SCREENFONTS);
    EXPECT_EQ(GlobalBlockCount(), live) << "after OK";
    {
        FontAnswer cancelled = font_of("12");
        cancelled.ok = false;
        answer_font_dialog(cancelled);
    }
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
