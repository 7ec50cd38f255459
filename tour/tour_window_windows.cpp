// The tour's window with the system's own buttons, labels and edit boxes.

#include "tour_window.h"

#include <windows.h>

namespace {

constexpr int first_button = 1000;
constexpr int row_height = 28, button_width = 130, label_width = 64, field_width = 110;

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
    HWND window = CreateWindowExA(WS_EX_CONTROLPARENT, wc.lpszClassName, "Dialog service", WS_OVERLAPPEDWINDOW,
                                  CW_USEDEFAULT, CW_USEDEFAULT, 1290, rows * row_height + 260, nullptr, nullptr, module,
                                  nullptr);
    huke = reinterpret_cast<std::intptr_t>(window);
    TourWindow tour{operations, press, {}, nullptr};
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    auto child = [&](const char* cls, const std::string& text, DWORD style, int x, int y, int w, int h, int id) {
        HWND c = CreateWindowExA(0, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, x, y, w, h, window,
                                 reinterpret_cast<HMENU>(static_cast<std::intptr_t>(id)), module, nullptr);
        SendMessageA(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        return c;
    };
    for (int row = 0; row < rows; ++row) {
        const Operation& op = operations[static_cast<std::size_t>(row)];
        const int y = 8 + row * row_height;
        child("BUTTON", op.caption, WS_TABSTOP | BS_PUSHBUTTON, 8, y, button_width, 24, first_button + row);
        std::vector<HWND> fields;
        int x = 16 + button_width;
        for (const auto& [label, value] : op.arguments) {
            child("STATIC", label, SS_RIGHT, x, y + 4, label_width - 6, 20, 0);
            fields.push_back(child("EDIT", value, WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, x + label_width, y + 2,
                                   field_width - 6, 22, 0));
            x += label_width + field_width;
        }
        tour.fields.push_back(fields);
    }
    tour.results = child("EDIT", "", WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 8,
                          16 + rows * row_height, 1260, 200, 0);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&tour));
    ShowWindow(window, SW_SHOW);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageA(window, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}
