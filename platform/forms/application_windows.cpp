// The program's session with the system's windows: the open forms and the message loop.

#include "application.h"

#include <windows.h>
#include <objbase.h>

#include <algorithm>

namespace forms {

struct Application::Impl {
    std::vector<Form*> open;
    bool com = false;
};

Application::Application(int&, char**) : d(std::make_unique<Impl>())
{
    // Pictures are loaded through the system's component objects.
    d->com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
}

Application::~Application()
{
    if (d->com)
        CoUninitialize();
}

void Application::run()
{
    MSG msg;
    while (!d->open.empty() && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void Application::process_events()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

const std::vector<Form*>& Application::forms() const { return d->open; }

void Application::opened(Form* form) { d->open.push_back(form); }

void Application::closed(Form* form)
{
    d->open.erase(std::remove(d->open.begin(), d->open.end(), form), d->open.end());
    if (d->open.empty())
        PostMessageA(nullptr, WM_NULL, 0, 0); // the loop sees there is nothing left to run
}

} // namespace forms
