#pragma once
// A form: a top-level window with load and unload events, a caption, a twip-sized
// client area and a menu bar.

#include "menu.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>

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

    /// Appends a top-level menu with a popup.
    Menu& add_menu(const std::string& caption);
    /// Appends a top-level item without a popup; choosing it acts at once.
    MenuItem& add_menu_item(const std::string& caption);

    /// Runs when the form is loaded, before it is first shown.
    std::function<void()> on_load;
    /// Runs when the form is being closed by any means; the close is not cancelled.
    std::function<void()> on_unload;

    /// Loads the form: it joins the open forms and its load event runs. Loading twice does nothing.
    void load();
    /// Whether the form is loaded and not closed.
    bool loaded() const { return loaded_; }
    /// Shows the form, loading it first when needed.
    void show();
    void hide();
    bool visible() const;
    /// Unloads the form: its unload event runs, then it is hidden and leaves the open forms.
    /// A close already under way is left to proceed.
    void close();

    /// The window handle, the owner to pass to dialogs.
    std::intptr_t hwnd() const { return hwnd_; }

    struct Impl;

private:
    Application& app_;
    std::unique_ptr<Impl> d;
    std::deque<std::unique_ptr<Menu>> menus_;
    std::deque<std::unique_ptr<MenuItem>> top_items_;
    std::intptr_t hwnd_ = 0;
    int client_w_ = 0;
    int client_h_ = 0;
    bool loaded_ = false;
    bool closing_ = false;
};

} // namespace forms
