// The tour's window with the system's own buttons, labels and edit boxes, laid out from the
// system's message font at the screen's resolution: every caption whole, the window no wider
// than it needs (and never wider than the screen's work area).

#include "tour_window.h"

#include <windows.h>

#include <algorithm>

namespace {

constexpr int first_button = 1000;

int text_width(HDC dc, const std::string& text)
{
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

/// A caption's text as it is drawn: its "&" marks the access key and takes no room.
std::string drawn(std::string caption)
{
    caption.erase(std::remove(caption.begin(), caption.end(), '&'), caption.end());
    return caption;
}

/// The sizes the tour's controls take in `font`, in pixels: each label and field as wide as
/// its own text needs (a field at least as wide as a 32-bit number in hex).
struct Layout {
    int unit = 0; ///< the font's height: gaps and padding are parts of it
    int row_height = 0, control_height = 0, button_width = 0;
    std::vector<std::vector<std::pair<int, int>>> fields; ///< per row: each label's and field's width
    int width = 0;                                        ///< of the client area

    Layout(HFONT font, const std::vector<Operation>& operations)
    {
        HDC dc = GetDC(nullptr);
        HGDIOBJ old = SelectObject(dc, font);
        TEXTMETRICA tm{};
        GetTextMetricsA(dc, &tm);
        unit = tm.tmHeight;
        control_height = unit + unit / 2 + 2;
        row_height = control_height + unit / 3 + 2;
        for (const Operation& op : operations)
            button_width = std::max(button_width, text_width(dc, drawn(op.caption)) + 2 * unit);
        const int least_field = text_width(dc, "0x00000000");
        for (const Operation& op : operations) {
            int x = unit + button_width;
            fields.emplace_back();
            for (const auto& [label, value] : op.arguments) {
                const int label_w = text_width(dc, label) + unit / 4;
                const int field_w = std::max(least_field, text_width(dc, value)) + unit;
                fields.back().emplace_back(label_w, field_w);
                x += unit / 2 + label_w + unit / 4 + field_w;
            }
            width = std::max(width, x + unit);
        }
        SelectObject(dc, old);
        ReleaseDC(nullptr, dc);
    }
};

struct TourWindow {
    const std::vector<Operation>& operations;
    const Press& press;
    std::vector<std::vector<HWND>> fields;
    HWND results = nullptr;
};

std::string text_of(HWND w)
{
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(w)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(w, text.data(), static_cast<int>(text.size()))));
    return text;
}

LRESULT CALLBACK tour_procedure(HWND window, UINT msg, WPARAM wparam, LPARAM lparam)
{
    auto* tour = reinterpret_cast<TourWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (msg == WM_COMMAND && tour && HIWORD(wparam) == BN_CLICKED) {
        const auto index = static_cast<std::size_t>(LOWORD(wparam) - first_button);
        if (index < tour->operations.size()) {
            std::vector<std::string> args;
            for (HWND f : tour->fields[index])
                args.push_back(text_of(f));
            const std::string line = tour->press(index, args) + "\r\n";
            const int end = GetWindowTextLengthA(tour->results);
            SendMessageA(tour->results, EM_SETSEL, end, end);
            SendMessageA(tour->results, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(line.c_str()));
            return 0;
        }
    }
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, msg, wparam, lparam);
}

} // namespace

int run_tour_window(forms::Application&, const std::vector<Operation>& operations, std::intptr_t& huke, const Press& press)
{
    HINSTANCE module = GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    wc.lpfnWndProc = tour_procedure;
    wc.hInstance = module;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "ZEB dialog service tour";
    RegisterClassA(&wc);
    const int rows = static_cast<int>(operations.size());
    // The message font the system uses in its own dialogs, at the screen's resolution.
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    HFONT font = SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)
                     ? CreateFontIndirectA(&metrics.lfMessageFont)
                     : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    const Layout l(font, operations);
    const int results_height = 8 * l.unit;
    RECT outer{0, 0, l.width, l.unit / 2 + rows * l.row_height + l.unit + results_height + l.unit / 2};
    AdjustWindowRectEx(&outer, WS_OVERLAPPEDWINDOW, FALSE, WS_EX_CONTROLPARENT);
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const int width = std::min<int>(outer.right - outer.left, work.right - work.left);
    const int height = std::min<int>(outer.bottom - outer.top, work.bottom - work.top);
    HWND window = CreateWindowExA(WS_EX_CONTROLPARENT, wc.lpszClassName, "Dialog service", WS_OVERLAPPEDWINDOW,
                                  CW_USEDEFAULT, CW_USEDEFAULT, width, height, nullptr, nullptr, module, nullptr);
    huke = reinterpret_cast<std::intptr_t>(window);
    TourWindow tour{operations, press, {}, nullptr};
    auto child = [&](const char* cls, const std::string& text, DWORD style, int x, int y, int w, int h, int id) {
        HWND c = CreateWindowExA(0, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, x, y, w, h, window,
                                 reinterpret_cast<HMENU>(static_cast<std::intptr_t>(id)), module, nullptr);
        SendMessageA(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        return c;
    };
    const int label_drop = (l.control_height - l.unit) / 2; // a label's text level with its field's
    for (int row = 0; row < rows; ++row) {
        const Operation& op = operations[static_cast<std::size_t>(row)];
        const int y = l.unit / 2 + row * l.row_height;
        child("BUTTON", op.caption, WS_TABSTOP | BS_PUSHBUTTON, l.unit, y, l.button_width, l.control_height,
              first_button + row);
        std::vector<HWND> fields;
        int x = l.unit + l.button_width;
        for (std::size_t i = 0; i < op.arguments.size(); ++i) {
            const auto [label_w, field_w] = l.fields[static_cast<std::size_t>(row)][i];
            x += l.unit / 2;
            child("STATIC", op.arguments[i].first, SS_RIGHT, x, y + label_drop, label_w, l.unit, 0);
            x += label_w + l.unit / 4;
            fields.push_back(child("EDIT", op.arguments[i].second, WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, x, y, field_w,
                                   l.control_height, 0));
            x += field_w;
        }
        tour.fields.push_back(fields);
    }
    tour.results = child("EDIT", "", WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, l.unit,
                         l.unit / 2 + rows * l.row_height + l.unit / 2, l.width - 2 * l.unit, results_height, 0);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&tour));
    ShowWindow(window, SW_SHOW);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageA(window, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    if (font != GetStockObject(DEFAULT_GUI_FONT))
        DeleteObject(font);
    return static_cast<int>(msg.wParam);
}
