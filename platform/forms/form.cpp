// A form's life, the same on every system: loaded, it joins the open forms, hears of changed
// settings while it is open and its load event runs; shown, hidden, shown modally; closed, its
// unload event runs and it leaves the open forms. What the system does is in form_system.h.

#include "form.h"
#include "form_system.h"

#include "application.h"

#include "win32/broadcast.h"
#include "win32/winuser.h"

namespace forms {

Form::~Form()
{
    if (loaded_)
        app_.closed(this);
    while (!controls_.empty())
        controls_.pop_back(); // children before their containers
    menus_.clear();
    top_items_.clear();
}

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

void Form::show()
{
    load();
    if (loaded_)
        show_window(*d);
}

void Form::hide() { hide_window(*d); }

void Form::show_modal()
{
    if (showing_modally(*d))
        return;
    load();
    if (loaded_)
        run_modal(*d, *this);
}

void Form::close()
{
    if (!loaded_ || closing_)
        return;
    closing_ = true;
    if (on_unload)
        on_unload();
    hide_window(*d);
    loaded_ = false;
    closing_ = false;
    settings_receiver_.reset();
    app_.closed(this);
}

namespace {

/// `control`, kept in `controls` for the form's life.
template <typename T>
T& keep(std::deque<std::unique_ptr<Control>>& controls, std::unique_ptr<T> control)
{
    T& kept = *control;
    controls.push_back(std::move(control));
    return kept;
}

} // namespace

Frame& Form::add_frame(Control* container) { return keep(controls_, new_control<Frame>(*d, container)); }
Label& Form::add_label(Control* container) { return keep(controls_, new_control<Label>(*d, container)); }
PictureBox& Form::add_picture_box(Control* container) { return keep(controls_, new_control<PictureBox>(*d, container)); }
Image& Form::add_image(Control* container) { return keep(controls_, new_control<Image>(*d, container)); }

void Form::set_size(int width_twips, int height_twips)
{
    width_ = width_twips;
    height_ = height_twips;
    size_window(*d, width_twips, height_twips);
}

void Form::set_position(int left_twips, int top_twips)
{
    left_ = left_twips;
    top_ = top_twips;
    place_window(*d, left_twips, top_twips);
}

} // namespace forms
