#include "screen_dpi.h"

#include "answer_dialog.h"

namespace {

const char* const desktop_key = "Control Panel\\Desktop";

Placed placed(HWND w)
{
    Placed p;
    char text[256] = {}, cls[64] = {};
    GetWindowTextA(w, text, sizeof text);
    GetClassNameA(w, cls, sizeof cls);
    RECT r{};
    GetClientRect(w, &r);
    p.cls = cls;
    p.text = text;
    p.width = r.right;
    p.height = r.bottom;
    return p;
}

BOOL CALLBACK add_child(HWND child, LPARAM list)
{
    reinterpret_cast<std::vector<Placed>*>(list)->push_back(placed(child));
    return TRUE;
}

} // namespace

ScreenDpi::ScreenDpi(DWORD dpi)
{
    RegSetKeyValueA(HKEY_CURRENT_USER, desktop_key, "LogPixels", REG_DWORD, &dpi, sizeof dpi);
}

ScreenDpi::~ScreenDpi() { RegDeleteKeyValueA(HKEY_CURRENT_USER, desktop_key, "LogPixels"); }

std::vector<Placed> placed_windows(HWND window)
{
    std::vector<Placed> all{placed(window)};
    EnumChildWindows(window, add_child, reinterpret_cast<LPARAM>(&all));
    return all;
}

HWND window_of_process(DWORD process, const std::string& title, DWORD ms)
{
    for (DWORD waited = 0; waited <= ms; waited += 50, Sleep(50))
        for (const auto& [w, text] : windows_up(process))
            if (text == title)
                return w;
    return nullptr;
}
