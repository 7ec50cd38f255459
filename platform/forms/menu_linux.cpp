#include "menu_linux.h"
#include "menu_system.h"

#include "runtime/error.h"

namespace forms {

std::unique_ptr<MenuItem> make_item(QAction* action)
{
    auto impl = std::make_unique<MenuItem::Impl>();
    impl->action = action;
    auto item = std::make_unique<MenuItem>(std::move(impl));
    MenuItem* self = item.get();
    item->impl().clicked = QObject::connect(action, &QAction::triggered, [self] {
        if (self->on_click)
            self->on_click();
    });
    return item;
}

MenuItem::MenuItem(std::unique_ptr<Impl> impl) : d(std::move(impl)) {}

MenuItem::~MenuItem() { QObject::disconnect(d->clicked); }

std::string MenuItem::caption() const
{
    if (!d->action)
        return "";
    // The caption as it reads: "&" marks the next letter as the item's key and "&&" is one "&".
    const QString text = d->action->text();
    QString plain;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size())
            ++i;
        plain += text[i];
    }
    return plain.toStdString();
}

void MenuItem::set_caption(const std::string& caption)
{
    if (d->action)
        d->action->setText(QString::fromStdString(caption));
}

bool MenuItem::enabled() const { return d->action && d->action->isEnabled(); }

void MenuItem::set_enabled(bool on)
{
    if (d->action)
        d->action->setEnabled(on);
}

bool MenuItem::visible() const { return d->action && d->action->isVisible(); }

void MenuItem::set_visible(bool on)
{
    if (d->action)
        d->action->setVisible(on);
}

MenuArray::MenuArray(std::unique_ptr<Place> place) : place_(std::move(place)) {}

MenuArray::~MenuArray() = default;

Menu::Menu(std::unique_ptr<Impl> impl) : d(std::move(impl)), title_(make_item(d->menu->menuAction()))
{
}

Menu::~Menu() = default;

std::unique_ptr<MenuItem> new_entry(Menu::Impl& menu, const std::string& caption)
{
    return make_item(menu.menu->addAction(QString::fromStdString(caption)));
}

std::unique_ptr<MenuArray> new_array(Menu::Impl& menu)
{
    auto place = std::make_unique<MenuArray::Place>();
    place->menu = menu.menu;
    return std::make_unique<MenuArray>(std::move(place));
}

std::unique_ptr<MenuItem> array_entry(MenuArray::Place& place, std::function<void()> chosen)
{
    QMenu* menu = place.menu;
    auto* action = new QAction(menu);
    // Entries of the array stay together: a new one goes right after the last one placed.
    QAction* before = nullptr;
    if (place.last) {
        const auto actions = menu->actions();
        const auto last = actions.indexOf(place.last.data());
        if (last >= 0 && last + 1 < actions.size())
            before = actions[last + 1];
    }
    if (before)
        menu->insertAction(before, action);
    else
        menu->addAction(action);
    place.last = action;
    auto item = make_item(action);
    QObject::disconnect(item->impl().clicked);
    item->impl().clicked = QObject::connect(action, &QAction::triggered, std::move(chosen));
    return item;
}

} // namespace forms
