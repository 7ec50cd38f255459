// Frames, labels, picture boxes and images as system windows: labels are the system's static
// text, the others windows of the program's own class that paint themselves.

#include "impl_windows.h"

#include <windowsx.h>

#include <type_traits>

namespace forms {
namespace {

/// The keys held with a mouse message: Shift and Ctrl as the message carries them, Alt as
/// the keyboard stands.
int shift_state(WPARAM keys)
{
    return (keys & MK_SHIFT ? vbShiftMask : 0) | (keys & MK_CONTROL ? vbCtrlMask : 0) |
           (GetKeyState(VK_MENU) < 0 ? vbAltMask : 0);
}

HBRUSH replace_brush(HBRUSH old, std::int32_t colour)
{
    if (old)
        DeleteObject(old);
    return CreateSolidBrush(colour_of(colour));
}

} // namespace

Control::Impl::~Impl()
{
    if (window)
        DestroyWindow(window);
    if (font)
        DeleteObject(font);
    if (back)
        DeleteObject(back);
}

bool Control::Impl::handle(HWND w, UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result)
{
    switch (msg) {
    case WM_ERASEBKGND:
        fill_background(w, reinterpret_cast<HDC>(wparam), back);
        result = 1;
        return true;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(w, &ps);
        if (kind == Kind::PictureBox)
            draw_picture(dc, static_cast<PictureBox*>(owner)->picture(), 0, 0, false);
        if (kind == Kind::Image) {
            RECT r;
            GetClientRect(w, &r);
            auto* image = static_cast<Image*>(owner);
            draw_picture(dc, image->picture(), r.right, r.bottom, image->stretch());
        }
        EndPaint(w, &ps);
        return true;
    }
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
    case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP: {
        if (kind != Kind::Image)
            return false;
        auto* image = static_cast<Image*>(owner);
        const bool down = msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN;
        const int button = (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONUP)   ? vbLeftButton
                           : (msg == WM_RBUTTONDOWN || msg == WM_RBUTTONUP) ? vbRightButton
                                                                            : vbMiddleButton;
        // The press and its release belong to the image even when the mouse leaves it.
        if (down)
            SetCapture(w);
        else
            ReleaseCapture();
        const auto& report = down ? image->on_mouse_down : image->on_mouse_up;
        if (report)
            report(button, shift_state(wparam), twips(GET_X_LPARAM(lparam)), twips(GET_Y_LPARAM(lparam)));
        return true;
    }
    default:
        return false;
    }
}

LRESULT label_colours(HWND label, HDC dc)
{
    auto* impl = reinterpret_cast<Control::Impl*>(GetWindowLongPtrA(label, GWLP_USERDATA));
    if (!impl)
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    SetTextColor(dc, colour_of(impl->owner->fore_colour()));
    SetBkColor(dc, colour_of(impl->owner->back_colour()));
    return reinterpret_cast<LRESULT>(impl->back);
}

Control::Control(std::unique_ptr<Impl> impl) : d(std::move(impl)) {}

Control::~Control() = default;

void Control::place()
{
    if (d->window)
        MoveWindow(d->window, pixels(left_), pixels(top_), pixels(width_), pixels(height_), TRUE);
}

void Control::set_visible(bool on)
{
    visible_ = on;
    ShowWindow(d->window, on ? SW_SHOWNA : SW_HIDE);
}

void Control::set_back_colour(std::int32_t c)
{
    back_ = c;
    d->back = replace_brush(d->back, c);
    InvalidateRect(d->window, nullptr, TRUE);
}

void Control::set_fore_colour(std::int32_t c)
{
    fore_ = c;
    InvalidateRect(d->window, nullptr, TRUE);
}

std::string Label::caption() const { return window_text(d->window); }

void Label::set_caption(const std::string& caption) { SetWindowTextW(d->window, wide(caption).c_str()); }

void Label::set_alignment(Align a)
{
    align_ = a;
    LONG_PTR style = GetWindowLongPtrA(d->window, GWL_STYLE) & ~static_cast<LONG_PTR>(SS_LEFT | SS_CENTER | SS_RIGHT);
    style |= a == Align::Center ? SS_CENTER : a == Align::Right ? SS_RIGHT : SS_LEFT;
    SetWindowLongPtrA(d->window, GWL_STYLE, style);
    InvalidateRect(d->window, nullptr, TRUE);
}

void Label::set_font(const Font& font)
{
    font_ = font;
    HFONT old = d->font;
    d->font = make_font(font);
    SendMessageA(d->window, WM_SETFONT, reinterpret_cast<WPARAM>(d->font), TRUE);
    if (old)
        DeleteObject(old);
}

void PictureBox::set_picture(const Picture& picture)
{
    picture_ = picture;
    InvalidateRect(d->window, nullptr, TRUE);
}

void Control::set_accessible_name(const std::string& name)
{
    // The system's screen readers say a window's text; a label's text is its caption already.
    if (d->kind != Impl::Kind::Label)
        SetWindowTextW(d->window, wide(name).c_str());
}

void Image::set_tab_stop(bool on)
{
    tab_stop_ = on;
    const LONG_PTR style = GetWindowLongPtrA(d->window, GWL_STYLE);
    SetWindowLongPtrA(d->window, GWL_STYLE, on ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP)));
}

void Image::set_stretch(bool on)
{
    stretch_ = on;
    InvalidateRect(d->window, nullptr, TRUE);
}

void Image::set_picture(const Picture& picture)
{
    picture_ = picture;
    // An image that does not stretch takes the size of the picture it shows.
    if (!stretch_ && !picture.empty()) {
        width_ = picture.width();
        height_ = picture.height();
        place();
    }
    InvalidateRect(d->window, nullptr, TRUE);
}

HWND container_of(Control& c) { return c.impl().window; }

template <typename T>
std::unique_ptr<T> make_control(HWND parent)
{
    auto impl = std::make_unique<Control::Impl>();
    Control::Impl* raw = impl.get();
    auto control = std::make_unique<T>(std::move(impl));
    raw->owner = control.get();
    raw->back = CreateSolidBrush(colour_of(control->back_colour()));
    const DWORD child = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    HINSTANCE module = GetModuleHandleA(nullptr);
    if constexpr (std::is_same_v<T, Label>) {
        raw->kind = Control::Impl::Kind::Label;
        raw->window = CreateWindowExW(0, L"STATIC", L"", child | SS_LEFT, 0, 0, 0, 0, parent, nullptr, module, nullptr);
        SetWindowLongPtrA(raw->window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(raw));
    } else {
        raw->kind = std::is_same_v<T, Frame>        ? Control::Impl::Kind::Frame
                    : std::is_same_v<T, PictureBox> ? Control::Impl::Kind::PictureBox
                                                    : Control::Impl::Kind::Image;
        const DWORD edge = std::is_same_v<T, Frame> ? WS_EX_CLIENTEDGE : 0;
        raw->window = CreateWindowExA(edge | WS_EX_CONTROLPARENT, window_class(), "", child | WS_CLIPCHILDREN, 0, 0, 0,
                                      0, parent, nullptr, module, raw);
    }
    return control;
}

template std::unique_ptr<Frame> make_control<Frame>(HWND);
template std::unique_ptr<Label> make_control<Label>(HWND);
template std::unique_ptr<PictureBox> make_control<PictureBox>(HWND);
template std::unique_ptr<Image> make_control<Image>(HWND);

} // namespace forms
