// Forms as top-level system windows.

#include "form.h"
#include "form_system.h"

#include "application.h"
#include "menu_impl_windows.h"
#include "impl_windows.h"

#include "win32/broadcast.h"

#include <algorithm>

namespace forms {

struct Form::Impl : WindowOwner {
    explicit Impl(Form& f) : form(f) {}
    ~Impl() override
    {
        if (window)
            DestroyWindow(window);
        if (back)
            DeleteObject(back);
        if (font)
            DeleteObject(font);
    }
    bool handle(HWND w, UINT msg, WPARAM wparam, LPARAM lparam, LRESULT& result) override
    {
        switch (msg) {
        case WM_ERASEBKGND:
            fill_background(w, reinterpret_cast<HDC>(wparam), back);
            result = 1;
            return true;
        case WM_CLOSE:
            form.close();
            return true;
        case WM_COMMAND:
            return lparam == 0 && HIWORD(wparam) == 0 && bar.choose(LOWORD(wparam));
        case WM_KEYDOWN: {
            const int key = wparam == VK_ESCAPE ? 27
                            : wparam == VK_RETURN ? 13
                            : ((wparam >= '0' && wparam <= '9') || (wparam >= 'A' && wparam <= 'Z')) ? static_cast<int>(wparam)
                                                                                                        : 0;
            if (!key || !form.on_key_down)
                return false;
            form.on_key_down(key);
            return true;
        }
        default:
            return false;
        }
    }
    /// The menu bar, made with the first menu.
    MenuBar& menu_bar()
    {
        if (!bar.host.menu) {
            bar.host.menu = CreateMenu();
            bar.host.window = window;
            SetMenu(window, bar.host.menu);
        }
        return bar;
    }
    Form& form;
    MenuBar bar;
    HWND window = nullptr;
    HBRUSH back = nullptr;
    HFONT font = nullptr;
    bool modal = false;
};

namespace {

constexpr DWORD framed = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr DWORD frameless = WS_POPUP | WS_BORDER | WS_CLIPCHILDREN;

/// The outer size of a window whose client area is `width` x `height` pixels.
SIZE outer_size(HWND window, int width, int height)
{
    RECT r{0, 0, width, height};
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE)), GetMenu(window) != nullptr,
                       static_cast<DWORD>(GetWindowLongPtrA(window, GWL_EXSTYLE)));
    return {r.right - r.left, r.bottom - r.top};
}

/// Sets every other top-level window of the program on or off, for a modal form.
void enable_others(HWND except, bool on)
{
    struct Walk {
        HWND except;
        bool on;
    } walk{except, on};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM p) -> BOOL {
            const auto* walk = reinterpret_cast<const Walk*>(p);
            if (w != walk->except && IsWindowVisible(w))
                EnableWindow(w, walk->on);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&walk));
}

} // namespace

Form::Form(Application& app) : app_(app), d(new Impl(*this))
{
    d->back = CreateSolidBrush(colour_of(back_));
    d->window = CreateWindowExA(WS_EX_CONTROLPARENT, window_class(), "", framed, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0,
                                nullptr, nullptr, GetModuleHandleA(nullptr), static_cast<WindowOwner*>(d.get()));
    hwnd_ = reinterpret_cast<std::intptr_t>(d->window);
    set_font(font_);
}

void Form::ImplDeleter::operator()(Impl* impl) const { delete impl; }

void Form::set_frameless(bool on)
{
    SetWindowLongPtrA(d->window, GWL_STYLE, on ? frameless : framed);
    SetWindowPos(d->window, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOACTIVATE);
}

void Form::set_back_colour(std::int32_t c)
{
    back_ = c;
    DeleteObject(d->back);
    d->back = CreateSolidBrush(colour_of(c));
    InvalidateRect(d->window, nullptr, TRUE);
}

void Form::set_font(const Font& font)
{
    font_ = font;
    if (d->font)
        DeleteObject(d->font);
    d->font = make_font(font);
}

int Form::text_width(const std::string& text) const
{
    HDC dc = GetDC(d->window);
    HGDIOBJ old = SelectObject(dc, d->font);
    SIZE size{};
    const std::wstring w = wide(text);
    GetTextExtentPoint32W(dc, w.c_str(), static_cast<int>(w.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(d->window, dc);
    return twips(size.cx);
}

int Form::text_height(const std::string& text) const
{
    HDC dc = GetDC(d->window);
    HGDIOBJ old = SelectObject(dc, d->font);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(d->window, dc);
    const auto lines = 1 + std::count(text.begin(), text.end(), '\n');
    return twips(tm.tmHeight) * static_cast<int>(lines);
}

template <typename T>
std::unique_ptr<T> new_control(Form::Impl& form, Control* container)
{
    return make_control<T>(container ? container_of(*container) : form.window);
}

template std::unique_ptr<Frame> new_control<Frame>(Form::Impl&, Control*);
template std::unique_ptr<Label> new_control<Label>(Form::Impl&, Control*);
template std::unique_ptr<PictureBox> new_control<PictureBox>(Form::Impl&, Control*);
template std::unique_ptr<Image> new_control<Image>(Form::Impl&, Control*);

std::string Form::caption() const { return window_text(d->window); }

void Form::set_caption(const std::string& caption) { SetWindowTextW(d->window, wide(caption).c_str()); }

void Form::set_accessible_name(const std::string& name)
{
    // The system names a window by its text, which a window without a title bar does not show.
    if ((GetWindowLongPtrA(d->window, GWL_STYLE) & WS_CAPTION) != WS_CAPTION)
        SetWindowTextW(d->window, wide(name).c_str());
}

void Form::set_client_size(int width_twips, int height_twips)
{
    client_w_ = width_twips;
    client_h_ = height_twips;
    const SIZE outer = outer_size(d->window, pixels(width_twips), pixels(height_twips));
    SetWindowPos(d->window, nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

Menu& Form::add_menu(const std::string& caption)
{
    auto impl = std::make_unique<Menu::Impl>();
    impl->bar = &d->menu_bar();
    impl->caption = caption;
    impl->host.menu = CreatePopupMenu();
    menus_.push_back(std::make_unique<Menu>(std::move(impl)));
    return *menus_.back();
}

MenuItem& Form::add_menu_item(const std::string& caption)
{
    MenuBar& bar = d->menu_bar();
    top_items_.push_back(make_item(bar, bar.host, caption));
    return *top_items_.back();
}

bool Form::visible() const { return IsWindowVisible(d->window) != FALSE; }

void show_window(Form::Impl& form)
{
    ShowWindow(form.window, SW_SHOW);
    SetForegroundWindow(form.window);
    SetFocus(form.window);
}

void hide_window(Form::Impl& form)
{
    ShowWindow(form.window, SW_HIDE);
    if (form.modal) {
        form.modal = false;
        PostMessageA(form.window, WM_NULL, 0, 0); // the modal loop wakes and sees it is over
    }
}

bool showing_modally(const Form::Impl& form) { return form.modal; }

void run_modal(Form::Impl& impl, const Form& form)
{
    enable_others(impl.window, false);
    impl.modal = true;
    show_window(impl);
    MSG msg;
    while (impl.modal && form.loaded() && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    impl.modal = false;
    enable_others(impl.window, true);
}

void size_window(Form::Impl& form, int width, int height)
{
    SetWindowPos(form.window, nullptr, 0, 0, pixels(width), pixels(height), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void place_window(Form::Impl& form, int left, int top)
{
    SetWindowPos(form.window, nullptr, pixels(left), pixels(top), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace forms
