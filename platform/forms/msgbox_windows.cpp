// Message boxes: the system's own, modal to the program's active window.

#include "msgbox.h"

#include "runtime/app.h"

#include "impl_windows.h"

namespace forms {
namespace {

/// The text with every line break as the system's box wants it, CR LF.
std::string lines(const std::string& prompt)
{
    std::string out;
    for (std::size_t i = 0; i < prompt.size(); ++i) {
        if (prompt[i] == '\r' && i + 1 < prompt.size() && prompt[i + 1] == '\n')
            continue; // the LF that follows writes the break
        if (prompt[i] == '\r' || prompt[i] == '\n')
            out += "\r\n";
        else
            out += prompt[i];
    }
    return out;
}

} // namespace

int msg_box(const std::string& prompt, int style, const std::string& title)
{
    // The style values are the system's own MB_* values.
    const std::string caption = title.empty() ? rt::App::title() : title;
    switch (MessageBoxW(GetActiveWindow(), wide(lines(prompt)).c_str(), wide(caption).c_str(),
                        static_cast<UINT>(style) | MB_SETFOREGROUND)) {
    case IDCANCEL: return vbCancel;
    case IDYES: return vbYes;
    case IDNO: return vbNo;
    default: return vbOK;
    }
}

} // namespace forms
