#pragma once
// Private to the forms layer on Windows: the system windows behind forms and controls, and
// the measures between twips and the screen's pixels.

#include "controls.h"
#include "font.h"
#include "picture.h"
#include "runtime/com_value.h"

#include <windows.h>

#include <string>

namespace forms {

/// The program's text (UTF-8) as the system's wide text, and back.
using rt::utf8;
using rt::wide;
/// The text of a window, as the program's text.
std::string window_text(HWND window);

/// Twips for one pixel of the screen, from its dots per inch (15 at 96).
double twips_per_pixel_here();
/// Pixels for a twip length, rounded to the nearest.
int pixels(int twips);
/// Twips for a pixel length.
int twips(int pixels);
/// A new system font for `font` at the screen's resolution; the caller deletes it.
HFONT make_font(const Font& font);
/// The colour 0x00BBGGRR as the system's.
inline COLORREF colour_of(std::int32_t c) { return static_cast<COLORREF>(c & 0xFFFFFF); }
/// The window class every form and container control is made of.
const char* window_class();
/// Fills the window's client area with `brush`, as its background is erased.
void fill_background(HWND window, HDC dc, HBRUSH brush);
/// Draws `picture` into `dc` at 0,0: at its own size, or stretched to `width` x `height`.
void draw_picture(HDC dc, const Picture& picture, int width, int height, bool stretch);

/// What the window procedure asks of the object behind a window.
struct WindowOwner {
    virtual ~WindowOwner() = default;
    /// Handles `msg`; false leaves it to the system.
    virtual bool handle(HWND window, UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result) = 0;
};

struct Control::Impl : WindowOwner {
    enum class Kind { Frame, Label, PictureBox, Image } kind = Kind::Frame;
    Control* owner = nullptr;
    HWND window = nullptr;
    HFONT font = nullptr;
    HBRUSH back = nullptr; ///< the background brush, for labels drawn by their container
    ~Impl() override;
    bool handle(HWND window, UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result) override;
};

/// A new control of type T made inside the window `parent`.
template <typename T>
std::unique_ptr<T> make_control(HWND parent);

/// The window that holds the children of `c` (a frame or picture box).
HWND container_of(Control& c);

/// Colours a label asks of its container as it is drawn.
LRESULT label_colours(HWND label, HDC dc);

/// A picture: its bitmap as the file holds it (a picture's pixels are a 96-dpi screen's, so
/// 15 twips each), and the same picture drawn at twice the size, when a file of it lies beside
/// ("name@2x.gif"), for screens of twice that resolution and more.
struct Picture::Impl {
    HBITMAP bitmap = nullptr;
    int width = 0, height = 0; ///< pixels
    HBITMAP sharp = nullptr;
    int sharp_width = 0, sharp_height = 0;
    ~Impl()
    {
        if (bitmap)
            DeleteObject(bitmap);
        if (sharp)
            DeleteObject(sharp);
    }
};

} // namespace forms
