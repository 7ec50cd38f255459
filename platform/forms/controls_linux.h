#pragma once
// Private to the forms layer: the widgets behind controls.

#include "controls.h"

#include <QLabel>
#include <QPointer>
#include <QWidget>

namespace forms {

struct Control::Impl {
    QPointer<QWidget> widget;
};

/// A new control of type T whose widget is made inside `parent`.
template <typename T>
std::unique_ptr<T> make_control(QWidget* parent);

/// The widget that holds the children of `c` (a frame or picture box).
QWidget* container_of(Control& c);

} // namespace forms
