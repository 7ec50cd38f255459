#pragma once
// Answering the system's dialogs from a test as a person would: find the dialog window the
// code under test opened, set its controls, press its buttons.

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

/// While it lives, waits for the next dialog of this process (or of `process`) titled `title`
/// and runs `act` on it from another thread. A dialog that does not come within `wait_ms`, or one with another
/// title, is a failure of the test, and so is a dialog still up 3 s after the answer; such a
/// dialog is cancelled, so the call under test returns instead of waiting for a person.
class AnswerDialog {
public:
    AnswerDialog(std::string title, std::function<void(HWND)> act, int wait_ms = 8000,
                 DWORD process = GetCurrentProcessId());
    /// Waits for the answer to end; reports a dialog that never came.
    ~AnswerDialog();
    AnswerDialog(const AnswerDialog&) = delete;
    AnswerDialog& operator=(const AnswerDialog&) = delete;

    /// Whether the dialog came and was answered.
    bool answered() const { return answered_; }

private:
    /// Until the answer's scope ends, fails and closes any dialog that stays up.
    void watch_after_answer();

    std::string title_;
    DWORD process_;
    std::atomic<bool> answered_{false};
    std::atomic<bool> done_{false};
    std::string failure_;
    std::thread worker_;
};

/// The visible top-level windows of `process` (only its dialogs, when `dialogs_only`), each
/// with its title.
std::vector<std::pair<HWND, std::string>> windows_up(DWORD process, bool dialogs_only = false);

/// The text of control `id` of `dialog`.
std::string item_text(HWND dialog, int id);
/// Sets control `id` of `dialog` to `text`, as typing it would.
void set_item_text(HWND dialog, int id, const std::string& text);
/// Selects the entry `text` of the combo box `id`, as clicking it would.
void choose_in_combo(HWND dialog, int id, const std::string& text);
/// Ticks or clears the check box `id`, as clicking it would.
void set_check(HWND dialog, int id, bool checked);
/// Presses the dialog's button `id` (IDOK, IDCANCEL, or any other).
void press(HWND dialog, int id);
