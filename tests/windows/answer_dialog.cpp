#include "answer_dialog.h"

#include <gtest/gtest.h>

#include <chrono>
#include <vector>

std::vector<std::pair<HWND, std::string>> windows_up(DWORD process, bool dialogs_only)
{
    struct Search {
        DWORD process;
        bool dialogs_only;
        std::vector<std::pair<HWND, std::string>> found;
    } search{process, dialogs_only, {}};
    EnumWindows(
        [](HWND w, LPARAM p) -> BOOL {
            auto* search = reinterpret_cast<Search*>(p);
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            char cls[64] = {};
            GetClassNameA(w, cls, sizeof cls);
            if (pid == search->process && IsWindowVisible(w) && (!search->dialogs_only || std::string(cls) == "#32770")) {
                char title[256] = {};
                GetWindowTextA(w, title, sizeof title);
                search->found.emplace_back(w, title);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

namespace {

/// The visible dialog windows of `process`, with their titles.
std::vector<std::pair<HWND, std::string>> dialogs_up(DWORD process) { return windows_up(process, true); }

} // namespace

AnswerDialog::AnswerDialog(std::string title, std::function<void(HWND)> act, int wait_ms, DWORD process)
    : title_(std::move(title)), process_(process)
{
    worker_ = std::thread([this, act = std::move(act), wait_ms] {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(wait_ms);
        while (std::chrono::steady_clock::now() < deadline) {
            for (const auto& [window, title] : dialogs_up(process_)) {
                if (title != title_) {
                    failure_ = "a dialog nobody expected: \"" + title + "\"";
                    PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
                    return;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(150)); // its controls filled
                act(window);
                answered_ = true;
                watch_after_answer();
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        failure_ = "the dialog \"" + title_ + "\" did not come within " + std::to_string(wait_ms) + " ms";
        for (const auto& [window, title] : dialogs_up(process_))
            PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    });
}

void AnswerDialog::watch_after_answer()
{
    auto since = std::chrono::steady_clock::now();
    while (!done_) {
        const auto up = dialogs_up(process_);
        if (up.empty()) {
            since = std::chrono::steady_clock::now();
        } else if (std::chrono::steady_clock::now() - since > std::chrono::seconds(3)) {
            failure_ = "a dialog still up after the answer: \"" + up.front().second + "\"";
            for (const auto& [window, title] : up) {
                PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
                PostMessageA(window, WM_CLOSE, 0, 0);
            }
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

AnswerDialog::~AnswerDialog()
{
    done_ = true;
    worker_.join();
    if (!failure_.empty())
        ADD_FAILURE() << failure_;
}

std::string item_text(HWND dialog, int id)
{
    char text[4096] = {};
    SendDlgItemMessageA(dialog, id, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

void set_item_text(HWND dialog, int id, const std::string& text)
{
    SendDlgItemMessageA(dialog, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void press(HWND dialog, int id)
{
    HWND button = GetDlgItem(dialog, id);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

void choose_in_combo(HWND dialog, int id, const std::string& text)
{
    HWND combo = GetDlgItem(dialog, id);
    const LRESULT at = SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
    if (at == CB_ERR) {
        ADD_FAILURE() << "no entry \"" << text << "\" in combo box " << id;
        return;
    }
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

void set_check(HWND dialog, int id, bool checked)
{
    HWND box = GetDlgItem(dialog, id);
    SendMessageA(box, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(box));
}
