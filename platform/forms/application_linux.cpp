#include "application.h"

#include <QApplication>
#include <QEventLoop>

#include <algorithm>

namespace forms {

struct Application::Impl {
    Impl(int& argc, char** argv) : app(argc, argv) {}
    QApplication app;
    std::vector<Form*> open;
    QEventLoop* loop = nullptr;
};

Application::Application(int& argc, char** argv) : d(std::make_unique<Impl>(argc, argv))
{
    // The program ends when its last form closes, not when its last visible window does:
    // a message box shown before the main window must not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setApplicationName("ZEB");
}

Application::~Application() = default;

void Application::run()
{
    if (d->open.empty())
        return;
    QEventLoop loop;
    d->loop = &loop;
    loop.exec();
    d->loop = nullptr;
}

void Application::process_events() { QApplication::processEvents(); }

const std::vector<Form*>& Application::forms() const { return d->open; }

void Application::opened(Form* form) { d->open.push_back(form); }

void Application::closed(Form* form)
{
    d->open.erase(std::remove(d->open.begin(), d->open.end(), form), d->open.end());
    if (d->open.empty() && d->loop)
        d->loop->quit();
}

} // namespace forms
