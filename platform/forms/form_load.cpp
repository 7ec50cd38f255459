// Loading a form, the same on every system: it joins the open forms, hears of changed
// settings while it is open, and its load event runs.

#include "form.h"

#include "application.h"

#include "win32/broadcast.h"
#include "win32/winuser.h"

namespace forms {

void Form::load()
{
    if (loaded_)
        return;
    loaded_ = true;
    app_.opened(this);
    // Top-level windows hear of changed settings for as long as they are open.
    settings_receiver_ = std::make_unique<win32::BroadcastReceiver>([this](win32::UINT msg, win32::WPARAM, win32::LPARAM l) {
        if (msg == win32::WM_WININICHANGE && on_setting_change)
            on_setting_change(l ? reinterpret_cast<const char*>(l) : "");
    });
    if (on_load)
        on_load();
}

} // namespace forms
