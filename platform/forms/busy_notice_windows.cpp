// The busy notice as a small bordered window of the system's, in the middle of the screen.

#include "busy_notice.h"

#include "runtime/app.h"
#include "impl_windows.h"

namespace forms {

struct BusyNotice::Impl {
    HWND window = nullptr;
    HFONT font = nullptr;
};

BusyNotice::BusyNotice() : d(std::make_unique<Impl>()) {}

BusyNotice::~BusyNotice() { close(); }

void BusyNotice::show(const std::string& text)
{
    if (!d->window) {
        d->window = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"STATIC", wide(rt::App::title() + " - busy").c_str(),
                                    WS_POPUP | WS_BORDER | SS_CENTER | SS_CENTERIMAGE, 0, 0, 0, 0, nullptr, nullptr,
                                    GetModuleHandleA(nullptr), nullptr);
        d->font = make_font({"MS Sans Serif", 10, false});
        SendMessageA(d->window, WM_SETFONT, reinterpret_cast<WPARAM>(d->font), FALSE);
        SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
    }
    const std::wstring w = wide(text);
    SetWindowTextW(d->window, w.c_str());
    // The text with a margin of 24 pixels all round, in the middle of the screen.
    HDC dc = GetDC(d->window);
    HGDIOBJ old = SelectObject(dc, d->font);
    SIZE size{};
    GetTextExtentPoint32W(dc, w.c_str(), static_cast<int>(w.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(d->window, dc);
    const int width = size.cx + 48, height = size.cy + 48;
    SetWindowPos(d->window, HWND_TOPMOST, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    pump();
}

void BusyNotice::pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void BusyNotice::close()
{
    if (!d->window)
        return;
    DestroyWindow(d->window);
    d->window = nullptr;
    DeleteObject(d->font);
    d->font = nullptr;
    SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
    pump();
}

bool BusyNotice::shown() const { return d->window != nullptr; }

} // namespace forms
