#pragma once
// The controls a form holds: frames, labels, picture boxes and images. Positions and sizes
// are twips, kept exactly as set, relative to the control's container.

#include "font.h"
#include "picture.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace forms {

/// Mouse buttons and keys held, as press and release report them.
enum MouseButton : int { vbLeftButton = 1, vbRightButton = 2, vbMiddleButton = 4 };
enum ShiftState : int { vbShiftMask = 1, vbCtrlMask = 2, vbAltMask = 4 };

/// What every control has: place, size, visibility and colours (0x00BBGGRR).
class Control {
public:
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    int left() const { return left_; }
    int top() const { return top_; }
    int width() const { return width_; }
    int height() const { return height_; }
    void set_left(int twips);
    void set_top(int twips);
    void set_width(int twips);
    void set_height(int twips);
    bool visible() const { return visible_; }
    void set_visible(bool on);
    std::int32_t back_colour() const { return back_; }
    std::int32_t fore_colour() const { return fore_; }
    void set_back_colour(std::int32_t colour);
    void set_fore_colour(std::int32_t colour);
    /// The name a screen reader says for the control (a picture's, say, which has no text).
    void set_accessible_name(const std::string& name);

    struct Impl;
    Impl& impl() { return *d; }
    /// Made by the forms layer, which alone knows Impl.
    explicit Control(std::unique_ptr<Impl> impl);

protected:
    void place();

    std::unique_ptr<Impl> d;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    std::int32_t back_ = 0xC0C0C0, fore_ = 0;
};

/// A frame without caption that holds other controls.
class Frame : public Control {
public:
    using Control::Control;
};

/// A text in one or more lines, wrapped at its width.
class Label : public Control {
public:
    enum class Align { Left, Right, Center };
    using Control::Control;
    std::string caption() const;
    void set_caption(const std::string& caption);
    Align alignment() const { return align_; }
    void set_alignment(Align a);
    const Font& font() const { return font_; }
    void set_font(const Font& font);

private:
    Align align_ = Align::Left;
    Font font_;
};

/// A box that shows a picture at its top-left corner, unscaled, and may hold controls.
class PictureBox : public Control {
public:
    using Control::Control;
    const Picture& picture() const { return picture_; }
    void set_picture(const Picture& picture);

private:
    Picture picture_;
};

/// A picture that either stretches to the control's size or gives the control its own size;
/// it reports mouse presses and releases.
class Image : public Control {
public:
    using Control::Control;
    bool stretch() const { return stretch_; }
    void set_stretch(bool on);
    const Picture& picture() const { return picture_; }
    void set_picture(const Picture& picture);
    /// Makes the image a button for those on the keyboard or with a screen reader: it takes the
    /// keyboard focus, Return and Space press and release it as the left mouse button does
    /// (with the keys held reported), and a screen reader hears a button it can press.
    void set_tab_stop(bool on);
    bool tab_stop() const { return tab_stop_; }

    /// A mouse button went down on the image: button, keys held, position in twips.
    std::function<void(int button, int shift, int x, int y)> on_mouse_down;
    /// A mouse button came up.
    std::function<void(int button, int shift, int x, int y)> on_mouse_up;

private:
    bool stretch_ = false;
    bool tab_stop_ = false;
    Picture picture_;
};

} // namespace forms
