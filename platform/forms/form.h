#pragma once
// A form: a top-level window with load and unload events, a caption, a twip-sized
// client area and a menu bar.

#include "controls.h"
#include "font.h"
#include "menu.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>

namespace win32 {
class BroadcastReceiver;
}

namespace forms {

class Application;

/// A top-level window of the program. Geometry is in twips; the screen shows pixels at 15 twips each.
class Form {
public:
    /// A form of `app`, not loaded yet.
    explicit Form(Application& app);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    std::string caption() const;
    void set_caption(const std::string& caption);
    /// Client area width and height in twips, exactly as set.
    int client_width() const { return client_w_; }
    int client_height() const { return client_h_; }
    void set_client_size(int width_twips, int height_twips);

    /// Outer width and height in twips, and the place on the screen.
    int width() const { return width_; }
    int height() const { return height_; }
    void set_size(int width_twips, int height_twips);
    int left() const { return left_; }
    int top() const { return top_; }
    void set_position(int left_twips, int top_twips);
    /// A window without title bar or border: the program gives its own way to close it.
    void set_frameless(bool on);
    std::int32_t back_colour() const { return back_; }
    /// The background colour, 0x00BBGGRR.
    void set_back_colour(std::int32_t colour);
    const Font& font() const { return font_; }
    void set_font(const Font& font);
    /// The width of `text` in the form's font, in twips.
    int text_width(const std::string& text) const;
    /// The height of `text` in the form's font, in twips: one line's height per line.
    int text_height(const std::string& text) const;

    /// Adds a control inside `container` (a frame or picture box), or on the form itself.
    Frame& add_frame(Control* container = nullptr);
    Label& add_label(Control* container = nullptr);
    PictureBox& add_picture_box(Control* container = nullptr);
    Image& add_image(Control* container = nullptr);

    /// Appends a top-level menu with a popup.
    Menu& add_menu(const std::string& caption);
    /// Appends a top-level item without a popup; choosing it acts at once.
    MenuItem& add_menu_item(const std::string& caption);

    /// Runs when the form is loaded, before it is first shown.
    std::function<void()> on_load;
    /// Runs when the form is being closed by any means; the close is not cancelled.
    std::function<void()> on_unload;
    /// Runs when a key goes down in the form: 27 for Escape, 13 for Return, the character's
    /// code for letters and digits.
    std::function<void(int key)> on_key_down;
    /// Runs, while the form is loaded, when a system setting changed; it gets the name of
    /// the WIN.INI section that changed ("windows" for the default printer).
    std::function<void(const std::string& section)> on_setting_change;

    /// Loads the form: it joins the open forms and its load event runs. Loading twice does nothing.
    void load();
    /// Whether the form is loaded and not closed.
    bool loaded() const { return loaded_; }
    /// The name a screen reader says for the window, where its caption is empty or not enough.
    void set_accessible_name(const std::string& name);
    /// Shows the form, loading it first when needed.
    void show();
    /// Hides the form; a modal showing ends.
    void hide();
    bool visible() const;
    /// Shows the form modally, without an owner, loading it first when needed; returns
    /// when it is hidden or closed.
    void show_modal();
    /// Unloads the form: its unload event runs, then it is hidden and leaves the open forms.
    /// A close already under way is left to proceed.
    void close();

    /// The window handle, the owner to pass to dialogs.
    std::intptr_t hwnd() const { return hwnd_; }

    struct Impl;
    /// Lets go of the system's part of a form: each system's own.
    struct ImplDeleter {
        void operator()(Impl* impl) const;
    };

private:
    Application& app_;
    std::unique_ptr<Impl, ImplDeleter> d;
    std::unique_ptr<win32::BroadcastReceiver> settings_receiver_;
    std::deque<std::unique_ptr<Menu>> menus_;
    std::deque<std::unique_ptr<MenuItem>> top_items_;
    std::deque<std::unique_ptr<Control>> controls_;
    std::intptr_t hwnd_ = 0;
    int client_w_ = 0;
    int client_h_ = 0;
    int width_ = 0, height_ = 0, left_ = 0, top_ = 0;
    std::int32_t back_ = 0xC0C0C0;
    Font font_;
    bool loaded_ = false;
    bool closing_ = false;
};

} // namespace forms
