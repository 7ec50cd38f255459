#pragma once
// Private to the forms layer: what each system does for a menu, behind what menu.cpp writes
// once (menu_linux.cpp on Qt, menu_windows.cpp on the system's own menus).

#include "menu.h"

#include <functional>
#include <memory>
#include <string>

namespace forms {

/// A new entry with `caption` at the end of `menu`'s popup.
std::unique_ptr<MenuItem> new_entry(Menu::Impl& menu, const std::string& caption);
/// A new, empty array of `menu`: its entries go after the entries already there.
std::unique_ptr<MenuArray> new_array(Menu::Impl& menu);
/// A new entry of the array at `place`, right after the array's entry placed last; choosing it
/// runs `chosen`.
std::unique_ptr<MenuItem> array_entry(MenuArray::Place& place, std::function<void()> chosen);

} // namespace forms
