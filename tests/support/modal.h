#pragma once
// Driving modal boxes and dialogs as a person would: wait for one, read it, press its buttons.

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

/// Runs `act` on the next modal widget that `wanted` accepts, once one is up (polled every
/// 10 ms, for at most 10 s).
inline void when_modal(std::function<void(QWidget*)> act,
                       std::function<bool(QWidget*)> wanted = [](QWidget*) { return true; })
{
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [act, wanted, clock, poll] {
        if (QWidget* w = QApplication::activeModalWidget(); w && w->isVisible() && wanted(w)) {
            act(w);
            *poll = nullptr; // drop the self-reference
            return;
        }
        if (clock->elapsed() < 10000)
            QTimer::singleShot(10, *poll);
    };
    QTimer::singleShot(10, *poll);
}

/// Runs `act` on the next modal widget of type T.
template <typename T>
void when_modal_of(std::function<void(T*)> act)
{
    when_modal([act](QWidget* w) { act(qobject_cast<T*>(w)); },
               [](QWidget* w) { return qobject_cast<T*>(w) != nullptr; });
}

/// Whether a modal widget comes up within `ms` milliseconds while events run.
inline bool modal_appears_within(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
        if (QApplication::activeModalWidget())
            return true;
    }
    return false;
}
