#pragma once
// Private to the forms layer on Windows: the system menus behind menus and their entries.
// A system menu has no hidden entries, so each menu keeps its entries in order and is built
// again from the visible ones whenever one is shown, hidden, added or let go.

#include "menu.h"

#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace forms {

/// One system menu (a form's bar or a popup) and the entries it shows.
struct MenuHost {
    HMENU menu = nullptr;
    HWND window = nullptr; ///< the form whose bar this is; null for a popup
    std::vector<MenuItem::Impl*> entries;
    /// Puts the visible entries into the system menu, in order.
    void rebuild();
};

/// A form's menu bar and every entry under it, by command number.
struct MenuBar {
    MenuHost host;
    UINT next_command = 100;
    std::map<UINT, MenuItem*> commands;
    /// Runs the entry chosen as `command`; false when there is none.
    bool choose(UINT command);
};

struct MenuItem::Impl {
    MenuBar* bar = nullptr;
    MenuHost* host = nullptr;
    UINT command = 0;
    HMENU popup = nullptr; ///< the popup a top-level menu's entry opens
    std::string caption;   ///< with its "&" marks
    bool enabled = true;
    bool visible = true;
    std::function<void()> chosen; ///< what choosing the entry runs
};

struct MenuArray::Place {
    MenuBar* bar = nullptr;
    MenuHost* host = nullptr;
    const MenuItem::Impl* last = nullptr; ///< the array's entry placed last in the menu
};

struct Menu::Impl {
    MenuBar* bar = nullptr;
    std::string caption; ///< the top-level entry's
    MenuHost host;
    ~Impl();
};

/// A new entry of `host` with `caption`, placed after `after` (at the end when null); it opens
/// `popup` when given.
std::unique_ptr<MenuItem> make_item(MenuBar& bar, MenuHost& host, const std::string& caption, HMENU popup = nullptr,
                                    const MenuItem::Impl* after = nullptr);

} // namespace forms
