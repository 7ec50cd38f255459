#pragma once
// Private to the forms layer: the keyboard focus goes back where it was when a modal window
// closes. Without a window manager (or where the system leaves it) it would fall to the root
// window, and the next keys would reach another program's window.

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace forms {

/// Notes the active window when made; makes it active again when it goes, if it still shows.
class FocusReturn {
public:
    FocusReturn() : before_(QApplication::activeWindow()) {}
    ~FocusReturn()
    {
        if (before_ && before_->isVisible()) {
            before_->raise();
            before_->activateWindow();
        }
    }
    FocusReturn(const FocusReturn&) = delete;
    FocusReturn& operator=(const FocusReturn&) = delete;

private:
    QPointer<QWidget> before_;
};

} // namespace forms
