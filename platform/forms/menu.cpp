// Menus, the same on every system: a menu's entries and arrays kept in order, an array's
// entries by index. What the system does is in menu_system.h.

#include "menu.h"
#include "menu_system.h"

#include "runtime/error.h"

namespace forms {

MenuItem& MenuArray::operator[](int index)
{
    auto it = items_.find(index);
    if (it == items_.end())
        throw rt::Error(rt::errSubscript, "ZEB", "Control array element '" + std::to_string(index) + "' doesn't exist");
    return *it->second;
}

MenuItem& MenuArray::load(int index)
{
    if (items_.count(index))
        throw rt::Error(rt::errAlreadyLoaded, "ZEB", "Object already loaded");
    auto item = array_entry(*place_, [this, index] {
        if (on_click)
            on_click(index);
    });
    return *(items_[index] = std::move(item));
}

MenuItem& Menu::add_item(const std::string& caption)
{
    items_.push_back(new_entry(*d, caption));
    return *items_.back();
}

MenuArray& Menu::add_array(const std::string& caption)
{
    arrays_.push_back(new_array(*d));
    MenuArray& array = *arrays_.back();
    array.load(0).set_caption(caption);
    return array;
}

} // namespace forms
