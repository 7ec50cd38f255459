#pragma once
// Driving modal boxes and dialogs as a person would: wait for one, read it, press its buttons.

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

/// The answers to modal windows that the running test has set up and not yet used; the test
/// main cancels them when the test ends, so that none outlives its test.
inline std::vector<std::shared_ptr<bool>>& pending_answers()
{
    static std::vector<std::shared_ptr<bool>> answers;
    return answers;
}

/// How long a test waits for a modal window it expects: offscreen they come within a
/// fraction of a second, under the sanitizers within a few.
constexpr int modal_wait_ms = 8000;

/// Runs `act` on the next modal widget that `wanted` accepts, once one is up (polled every
/// 10 ms). When none has come after modal_wait_ms the test fails at once, and the modal
/// window that is up instead, if any, is closed so that the code under test goes on.
inline void when_modal(std::function<void(QWidget*)> act,
                       std::function<bool(QWidget*)> wanted = [](QWidget*) { return true; })
{
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    auto alive = std::make_shared<bool>(true);
    pending_answers().push_back(alive);
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [act, wanted, clock, poll, alive] {
        if (!*alive) {
            *poll = nullptr; // the test has ended: drop everything it held
            return;
        }
        if (QWidget* w = QApplication::activeModalWidget(); w && w->isVisible() && wanted(w)) {
            *alive = false;
            act(w);
            *poll = nullptr; // drop the self-reference
            return;
        }
        if (clock->elapsed() < modal_wait_ms) {
            QTimer::singleShot(10, *poll);
            return;
        }
        *alive = false;
        QWidget* other = QApplication::activeModalWidget();
        ADD_FAILURE() << "waited " << modal_wait_ms / 1000 << " s for a modal window that never came"
                      << (other ? "; closed \"" + other->windowTitle().toStdString() + "\" instead" : std::string());
        if (other)
            other->close();
        *poll = nullptr;
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

/// Whether `w` is a message box.
inline bool is_message_box(QWidget* w) { return qobject_cast<QMessageBox*>(w) != nullptr; }

/// While it lives, a modal window fails the running test at once and is closed, so that the
/// code that opened it goes on instead of blocking until the test's time runs out.
class NoModalExpected {
public:
    /// Watches for any modal window, or for those `unexpected` picks.
    explicit NoModalExpected(std::function<bool(QWidget*)> unexpected = [](QWidget*) { return true; })
    {
        QObject::connect(&timer_, &QTimer::timeout, [unexpected] {
            QWidget* w = QApplication::activeModalWidget();
            if (!w || !w->isVisible() || !unexpected(w))
                return;
            const auto* box = qobject_cast<QMessageBox*>(w);
            ADD_FAILURE() << "a modal window nobody expected: \"" << w->windowTitle().toStdString() << "\" "
                          << (box ? box->text().toStdString() : std::string());
            w->close();
        });
        timer_.start(10);
    }

private:
    QTimer timer_;
};
