// A question with the program's own answers, as a dialog box of the system's: the icon, the
// text, and one button for each answer, the last the default and the one Escape chooses.

#include "msgbox.h"

#include "runtime/app.h"
#include "impl_windows.h"

#include <algorithm>
#include <vector>

namespace forms {
namespace {

constexpr int first_answer = 100;

struct Question {
    std::wstring prompt;
    std::vector<std::wstring> choices;
    int style;
    HFONT font;
};

/// The system's icon for the style; null for none.
LPCWSTR icon_for(int style)
{
    switch (style & 0x70) {
    case vbCritical: return MAKEINTRESOURCEW(32513);    // the hand
    case vbQuestion: return MAKEINTRESOURCEW(32514);    // the question mark
    case vbExclamation: return MAKEINTRESOURCEW(32515); // the exclamation mark
    case vbInformation: return MAKEINTRESOURCEW(32516); // the asterisk
    default: return nullptr;
    }
}

/// Lays the box out once it exists: icon, text, buttons, all in the program's font.
void lay_out(HWND box, const Question& q)
{
    HINSTANCE module = GetModuleHandleA(nullptr);
    auto child = [&](LPCWSTR cls, const std::wstring& text, DWORD style, int x, int y, int w, int h, int id) {
        HWND c = CreateWindowExW(0, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, x, y, w, h, box,
                                 reinterpret_cast<HMENU>(static_cast<std::intptr_t>(id)), module, nullptr);
        SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(q.font), FALSE);
        return c;
    };
    const int margin = 16;
    int x = margin;
    if (LPCWSTR icon = icon_for(q.style)) {
        HWND i = child(L"STATIC", L"", SS_ICON, margin, margin, 32, 32, 0);
        SendMessageW(i, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconW(nullptr, icon)), 0);
        x += 32 + margin;
    }
    HDC dc = GetDC(box);
    HGDIOBJ old = SelectObject(dc, q.font);
    RECT text{0, 0, 420, 0};
    DrawTextW(dc, q.prompt.c_str(), static_cast<int>(q.prompt.size()), &text, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    std::vector<int> widths;
    for (const std::wstring& c : q.choices) {
        SIZE s{};
        GetTextExtentPoint32W(dc, c.c_str(), static_cast<int>(c.size()), &s);
        widths.push_back(std::max<int>(80, s.cx + 24));
    }
    SelectObject(dc, old);
    ReleaseDC(box, dc);
    child(L"STATIC", q.prompt, SS_LEFT | SS_NOPREFIX, x, margin, text.right, text.bottom, 0);
    int buttons = 0;
    for (int w : widths)
        buttons += w + 8;
    const int width = std::max<int>(x + text.right + margin, buttons + 2 * margin);
    const int top = margin + std::max<int>(text.bottom, 32) + margin;
    int bx = width - margin - buttons + 8;
    for (std::size_t i = 0; i < q.choices.size(); ++i) {
        const bool last = i + 1 == q.choices.size();
        child(L"BUTTON", q.choices[i], WS_TABSTOP | (last ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), bx, top, widths[i], 26,
              first_answer + static_cast<int>(i));
        bx += widths[i] + 8;
    }
    SendMessageW(box, DM_SETDEFID, first_answer + static_cast<int>(q.choices.size()) - 1, 0);
    RECT outer{0, 0, width, top + 26 + margin};
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrW(box, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(box, GWL_EXSTYLE)));
    const int w = outer.right - outer.left, h = outer.bottom - outer.top;
    SetWindowPos(box, HWND_TOP, (GetSystemMetrics(SM_CXSCREEN) - w) / 2, (GetSystemMetrics(SM_CYSCREEN) - h) / 2, w, h, 0);
    SetFocus(GetDlgItem(box, first_answer + static_cast<int>(q.choices.size()) - 1));
}

INT_PTR CALLBACK box_procedure(HWND box, UINT msg, WPARAM wparam, LPARAM lparam)
{
    if (msg == WM_INITDIALOG) {
        lay_out(box, *reinterpret_cast<const Question*>(lparam));
        SetWindowLongPtrW(box, DWLP_USER, lparam);
        return FALSE; // the focus is set
    }
    if (msg == WM_COMMAND) {
        const auto* q = reinterpret_cast<const Question*>(GetWindowLongPtrW(box, DWLP_USER));
        const int id = LOWORD(wparam);
        if (id == IDCANCEL) { // Escape, or the box closed
            EndDialog(box, static_cast<INT_PTR>(q->choices.size()) - 1);
            return TRUE;
        }
        if (id >= first_answer && id < first_answer + static_cast<int>(q->choices.size())) {
            EndDialog(box, id - first_answer);
            return TRUE;
        }
    }
    return FALSE;
}

} // namespace

int ask(const std::string& prompt, const std::vector<std::string>& choices, int style, const std::string& title)
{
    if (choices.empty())
        return -1;
    Question q{wide(prompt), {}, style, make_font({"MS Sans Serif", 8.25, false})};
    for (const std::string& c : choices)
        q.choices.push_back(wide(c));
    // A box without controls of its own: they are made when it exists, to the text's size.
    struct alignas(4) { // the system reads a box's template from a DWORD boundary
        DLGTEMPLATE head;
        WORD menu, cls;
        wchar_t title[128];
    } tmpl{};
    tmpl.head.style = DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    tmpl.head.cx = 200;
    tmpl.head.cy = 80;
    const std::wstring caption = wide(title.empty() ? rt::App::title() : title).substr(0, 127);
    std::copy(caption.begin(), caption.end(), tmpl.title);
    const INT_PTR answer = DialogBoxIndirectParamW(GetModuleHandleA(nullptr), &tmpl.head, GetActiveWindow(), box_procedure,
                                                   reinterpret_cast<LPARAM>(&q));
    DeleteObject(q.font);
    return answer < 0 ? static_cast<int>(choices.size()) - 1 : static_cast<int>(answer);
}

} // namespace forms
