#pragma once
// Modal message boxes.

#include <string>
#include <vector>

namespace forms {

/// Button and icon style values, added together.
enum MsgBoxStyle : int {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbYesNo = 4,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
};

/// The button the user pressed.
enum MsgBoxResult : int { vbOK = 1, vbCancel = 2, vbYes = 6, vbNo = 7 };

/// Shows `prompt` in a modal box and returns the button pressed. An empty title
/// gives the program's title. CR LF, CR and LF all break the line.
int msg_box(const std::string& prompt, int style = vbOKOnly, const std::string& title = "");
/// Asks `prompt` in a modal box whose buttons read `choices`; the index of the one pressed.
/// Escape, or closing the box, chooses the last.
int ask(const std::string& prompt, const std::vector<std::string>& choices, int style = vbQuestion,
        const std::string& title = "");

} // namespace forms
