// The measures, fonts, window class and picture drawing the Windows forms share.

#include "impl_windows.h"

#include <cmath>

namespace forms {
namespace {

LRESULT CALLBACK dispatch(HWND window, UINT msg, WPARAM wparam, LPARAM lparam)
{
    if (msg == WM_NCCREATE) {
        const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lparam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    if (auto* owner = reinterpret_cast<WindowOwner*>(GetWindowLongPtrA(window, GWLP_USERDATA))) {
        LRESULT result = 0;
        if (owner->handle(window, msg, wparam, lparam, result))
            return result;
    }
    if (msg == WM_CTLCOLORSTATIC)
        return label_colours(reinterpret_cast<HWND>(lparam), reinterpret_cast<HDC>(wparam));
    return DefWindowProcA(window, msg, wparam, lparam);
}

} // namespace

std::string window_text(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return utf8(text);
}

double twips_per_pixel_here()
{
    // Read once: every control's placing asks for it.
    static const double ratio = [] {
        HDC screen = GetDC(nullptr);
        const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
        ReleaseDC(nullptr, screen);
        return dpi > 0 ? 1440.0 / dpi : 15.0;
    }();
    return ratio;
}

int pixels(int twips) { return static_cast<int>(std::lround(twips / twips_per_pixel_here())); }

int twips(int pixels) { return static_cast<int>(std::lround(pixels * twips_per_pixel_here())); }

HFONT make_font(const Font& font)
{
    const int height = -static_cast<int>(std::lround(font.size * 1440.0 / 72.0 / twips_per_pixel_here()));
    return CreateFontW(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                       wide(font.name).c_str());
}

const char* window_class()
{
    static const char* const name = [] {
        WNDCLASSA wc{};
        wc.style = CS_HREDRAW | CS_VREDRAW;
        wc.lpfnWndProc = dispatch;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        wc.lpszClassName = "ZEB window";
        return RegisterClassA(&wc) ? "ZEB window" : "";
    }();
    return name;
}

void fill_background(HWND window, HDC dc, HBRUSH brush)
{
    RECT r;
    GetClientRect(window, &r);
    FillRect(dc, &r, brush);
}

void draw_picture(HDC dc, const Picture& picture, int width, int height, bool stretch)
{
    if (picture.empty())
        return;
    const Picture::Impl& p = *picture.impl();
    if (!stretch) {
        // At its own size in twips: as many pixels as that is on this screen.
        width = pixels(picture.width());
        height = pixels(picture.height());
    }
    // The sharper drawing where the screen shows the picture at twice its pixels or more.
    const bool sharp = p.sharp && width >= 2 * p.width && height >= 2 * p.height;
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, sharp ? p.sharp : p.bitmap);
    const int from_w = sharp ? p.sharp_width : p.width, from_h = sharp ? p.sharp_height : p.height;
    if (width == from_w && height == from_h) {
        BitBlt(dc, 0, 0, width, height, source, 0, 0, SRCCOPY);
    } else {
        SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);
        StretchBlt(dc, 0, 0, width, height, source, 0, 0, from_w, from_h, SRCCOPY);
    }
    SelectObject(source, old);
    DeleteDC(source);
}

} // namespace forms
