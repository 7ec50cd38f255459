// The dialog service on Windows, against the system's own common dialogs.

#include "answer_dialog.h"
#include "dialogs/cdc_class.h"

#include <gtest/gtest.h>

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
