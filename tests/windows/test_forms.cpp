// The forms on the system's windows: menus as the system shows them, chosen as a person would.

#include "forms/application.h"
#include "forms/form.h"
#include "forms/menu.h"
#include "forms/msgbox.h"
#include "answer_dialog.h"

#include "runtime/error.h"

#include "test_application.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

std::string entry_text(HMENU menu, UINT position)
{
    char text[256] = {};
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

/// Chooses the entry at `position` of `menu` as a click would, and lets the form handle it.
void choose(HWND form, HMENU menu, UINT position)
{
    PostMessageA(form, WM_COMMAND, MAKEWPARAM(GetMenuItemID(menu, static_cast<int>(position)), 0), 0);
    test_application().process_events();
}

} // namespace

TEST(Menus, TheSystemMenuShowsWhatIsVisibleGreysWhatIsDisabledAndChoosingReachesTheEntry)
{
    forms::Form form(test_application());
    forms::Menu& routines = form.add_menu("&Routines");
    forms::MenuArray& rout = routines.add_array("&First");
    forms::MenuItem& exit = form.add_menu_item("E&xit");
    rout.load(1).set_caption("Second");
    rout.load(2).set_caption("Third");
    int chosen = -1, exits = 0;
    rout.on_click = [&](int index) { chosen = index; };
    exit.on_click = [&] { ++exits; };
    form.load();

    const HWND window = reinterpret_cast<HWND>(form.hwnd());
    const HMENU bar = GetMenu(window);
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(GetMenuItemCount(bar), 2);
    EXPECT_EQ(entry_text(bar, 0), "&Routines");
    EXPECT_EQ(routines.title().caption(), "Routines") << "read without its key mark";
    const HMENU popup = GetSubMenu(bar, 0);
    ASSERT_EQ(GetMenuItemCount(popup), 3);
    EXPECT_EQ(entry_text(popup, 2), "Third") << "array entries in the order loaded";

    rout[1].set_visible(false);
    ASSERT_EQ(GetMenuItemCount(popup), 2) << "a hidden entry is not in the menu";
    EXPECT_EQ(entry_text(popup, 1), "Third");
    choose(window, popup, 1);
    EXPECT_EQ(chosen, 2);
    rout[1].set_visible(true);
    EXPECT_EQ(entry_text(popup, 1), "Second") << "shown again in its place";

    exit.set_enabled(false);
    EXPECT_TRUE(GetMenuState(bar, 1, MF_BYPOSITION) & MF_GRAYED);
    choose(window, bar, 1);
    EXPECT_EQ(exits, 0) << "a disabled entry does nothing";
    exit.set_enabled(true);
    choose(window, bar, 1);
    EXPECT_EQ(exits, 1);
    EXPECT_THROW(rout[7], rt::Error);
    form.close();
}

TEST(Questions, TheAnswersAreTheProgramsOwnAndEscapeChoosesTheLast)
{
    int answer = -1;
    std::string first_button;
    {
        AnswerDialog box("Keep?", [&](HWND d) {
            first_button = item_text(d, 100);
            press(d, 100);
        });
        answer = forms::ask("The workbook has changes.", {"Discard changes", "Keep it open"}, forms::vbExclamation, "Keep?");
    }
    EXPECT_EQ(answer, 0);
    EXPECT_EQ(first_button, "Discard changes");
    {
        AnswerDialog box("ZEB", [&](HWND d) { PostMessageA(d, WM_COMMAND, IDCANCEL, 0); });
        answer = forms::ask("Sure?", {"Yes", "No", "Later"});
    }
    EXPECT_EQ(answer, 2) << "Escape, or closing the box, is the last answer";
}
