#pragma once
// Private to the forms layer: the toolkit objects behind menus.

#include "menu.h"

#include <QAction>
#include <QMenu>
#include <QPointer>

namespace forms {

struct MenuItem::Impl {
    QPointer<QAction> action;
    QMetaObject::Connection clicked;
};

struct MenuArray::Place {
    QPointer<QMenu> menu;
    QPointer<QAction> last; ///< the array's entry placed last in the menu
};

struct Menu::Impl {
    QPointer<QMenu> menu;
};

/// A menu entry for an action that its menu or menu bar already owns.
std::unique_ptr<MenuItem> make_item(QAction* action);

} // namespace forms
