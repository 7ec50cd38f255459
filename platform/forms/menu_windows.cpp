// Menus, their entries and menu-item arrays on the system's menus.

#include "menu_impl_windows.h"
#include "menu_system.h"

#include "runtime/error.h"
#include "impl_windows.h"

#include <algorithm>

namespace forms {

void MenuHost::rebuild()
{
    while (GetMenuItemCount(menu) > 0)
        RemoveMenu(menu, 0, MF_BYPOSITION); // a popup taken off the bar is kept, not destroyed
    for (const MenuItem::Impl* e : entries) {
        if (!e->visible)
            continue;
        const UINT state = e->enabled ? MF_ENABLED : MF_GRAYED;
        if (e->popup)
            AppendMenuW(menu, MF_POPUP | MF_STRING | state, reinterpret_cast<UINT_PTR>(e->popup), wide(e->caption).c_str());
        else
            AppendMenuW(menu, MF_STRING | state, e->command, wide(e->caption).c_str());
    }
    if (window)
        DrawMenuBar(window);
}

bool MenuBar::choose(UINT command)
{
    const auto it = commands.find(command);
    if (it == commands.end())
        return false;
    MenuItem::Impl& e = it->second->impl();
    if (e.enabled && e.chosen)
        e.chosen();
    return true;
}

std::unique_ptr<MenuItem> make_item(MenuBar& bar, MenuHost& host, const std::string& caption, HMENU popup,
                                    const MenuItem::Impl* after)
{
    auto impl = std::make_unique<MenuItem::Impl>();
    MenuItem::Impl* e = impl.get();
    e->bar = &bar;
    e->host = &host;
    e->caption = caption;
    e->popup = popup;
    e->command = bar.next_command++;
    auto item = std::make_unique<MenuItem>(std::move(impl));
    MenuItem* self = item.get();
    e->chosen = [self] {
        if (self->on_click)
            self->on_click();
    };
    bar.commands[e->command] = self;
    auto at = std::find(host.entries.begin(), host.entries.end(), after);
    host.entries.insert(at == host.entries.end() ? at : at + 1, e);
    host.rebuild();
    return item;
}

MenuItem::MenuItem(std::unique_ptr<Impl> impl) : d(std::move(impl)) {}

MenuItem::~MenuItem()
{
    d->bar->commands.erase(d->command);
    auto& entries = d->host->entries;
    entries.erase(std::remove(entries.begin(), entries.end(), d.get()), entries.end());
    d->host->rebuild();
}

std::string MenuItem::caption() const
{
    // The caption as it reads: "&" marks the next letter as the item's key and "&&" is one "&".
    std::string plain;
    for (std::size_t i = 0; i < d->caption.size(); ++i) {
        if (d->caption[i] == '&' && i + 1 < d->caption.size())
            ++i;
        plain += d->caption[i];
    }
    return plain;
}

void MenuItem::set_caption(const std::string& caption)
{
    d->caption = caption;
    d->host->rebuild();
}

bool MenuItem::enabled() const { return d->enabled; }

void MenuItem::set_enabled(bool on)
{
    d->enabled = on;
    d->host->rebuild();
}

bool MenuItem::visible() const { return d->visible; }

void MenuItem::set_visible(bool on)
{
    d->visible = on;
    d->host->rebuild();
}

MenuArray::MenuArray(std::unique_ptr<Place> place) : place_(std::move(place)) {}

MenuArray::~MenuArray() = default;

Menu::Impl::~Impl()
{
    if (host.menu)
        DestroyMenu(host.menu);
}

Menu::Menu(std::unique_ptr<Impl> impl)
    : d(std::move(impl)), title_(make_item(*d->bar, d->bar->host, d->caption, d->host.menu))
{
}

Menu::~Menu()
{
    // The entries go before the popup that shows them, the title (on the bar) with them.
    arrays_.clear();
    items_.clear();
    title_.reset();
}

std::unique_ptr<MenuItem> new_entry(Menu::Impl& menu, const std::string& caption)
{
    return make_item(*menu.bar, menu.host, caption);
}

std::unique_ptr<MenuArray> new_array(Menu::Impl& menu)
{
    auto place = std::make_unique<MenuArray::Place>();
    place->bar = menu.bar;
    place->host = &menu.host;
    if (!menu.host.entries.empty())
        place->last = menu.host.entries.back();
    return std::make_unique<MenuArray>(std::move(place));
}

std::unique_ptr<MenuItem> array_entry(MenuArray::Place& place, std::function<void()> chosen)
{
    // Entries of the array stay together: a new one goes right after the last one placed.
    auto item = make_item(*place.bar, *place.host, "", nullptr, place.last);
    place.last = &item->impl();
    item->impl().chosen = std::move(chosen);
    return item;
}

} // namespace forms
