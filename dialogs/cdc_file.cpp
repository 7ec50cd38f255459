// The file dialogs of the dialog service: open (one file or several) and save.

#include "cdc_class.h"
#include "runtime/app.h"
#include "runtime/error.h"

#include <algorithm>

namespace {

constexpr std::size_t open_buffer = 2048;
constexpr std::size_t save_name = 254;

std::string trim_blanks(std::string s)
{
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos)
        return "";
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

/// `length` bytes of `fill`, then NULs up to `size`.
std::vector<char> buffer_of(std::size_t length, char fill, std::size_t size)
{
    std::vector<char> b(size, '\0');
    std::fill_n(b.begin(), length, fill);
    return b;
}

} // namespace

rt::Value CDC_class::ShowOpen(win32::HWND huke, const rt::Value& filters, const rt::Value& flgs,
                              const rt::Value& title, const std::string& idir)
{
    dlg_fail_ = false;
    std::string result;

    // The filter list ends with a double NUL: one here, one the string's own.
    filter_text_ = filters.to_text() + '\0';
    file_dlg.lpstrFilter = filter_text_.c_str();
    file_dlg.Flags = static_cast<win32::DWORD>(flgs.to_int32());
    title_text_ = title.to_text();
    file_dlg.lpstrTitle = title_text_.c_str();
    initial_dir_ = idir;
    file_dlg.lpstrInitialDir = initial_dir_.c_str();

    const open_result chosen = get_open_files(huke);
    if (chosen.cancelled) {
        dialog_failed("ShowOpen");
        return rt::Value("");
    }
    if (chosen.file_count <= 1) {
        // The path as the dialog wrote it: a name here may end in blanks or hold a carriage
        // return, and trimming would open another file.
        const std::string_view buffer(file_buffer_.data(), open_buffer);
        result = std::string(buffer.substr(0, buffer.find('\0')));
    } else {
        result = chosen.folder + '\r';
        for (int i = 1; i <= chosen.file_count; ++i)
            result += chosen.file_names[static_cast<std::size_t>(i)] + '\r';
    }
    return rt::Value(result);
}

open_result CDC_class::get_open_files(win32::HWND huke)
{
    open_result r;
    file_dlg.lStructSize = sizeof(win32::OPENFILENAMEA);
    file_dlg.hwndOwner = huke;
    // Each buffer is followed by one more NUL, the terminator a text buffer carries. The dialog
    // shows the name buffer up to its first NUL: it starts with no name. The title buffer is
    // only written, and blanks there mean no single file was chosen.
    title_buffer_ = buffer_of(open_buffer, ' ', open_buffer + 1);
    file_dlg.lpstrFileTitle = title_buffer_.data();
    file_dlg.nMaxFileTitle = open_buffer;
    file_buffer_.assign(open_buffer + 1, '\0');
    file_dlg.lpstrFile = file_buffer_.data();
    file_dlg.nMaxFile = open_buffer;

    if (!win32::GetOpenFileNameA(&file_dlg)) {
        r.cancelled = true;
        r.file_names.assign(1, "");
        return r;
    }

    const std::string_view file(file_buffer_.data(), open_buffer);
    const std::string file_title = trim_blanks(std::string(title_buffer_.data(), open_buffer));
    if (file_title.empty() || file_title == std::string(1, '\0')) {
        scan_multiple_selection(file, r);
    } else {
        const std::size_t offset = std::min<std::size_t>(file_dlg.nFileOffset, open_buffer);
        const std::size_t nul = file.find('\0');
        r.folder = std::string(file.substr(0, offset));
        r.file_count = 1;
        r.file_names.assign(2, "");
        if (nul != std::string_view::npos && nul >= offset)
            r.file_names[1] = std::string(file.substr(offset, nul - offset));
    }
    r.cancelled = false;
    return r;
}

std::string CDC_class::ShowSave(win32::HWND huke, const std::string& filter, const std::string& ext_txt,
                                win32::DWORD flgs, const std::string& title, const std::string& idir,
                                const std::string& def_fn)
{
    std::string result;
    if (def_fn.size() > save_name)
        throw rt::Error(rt::errInvalidCall, "CDC_class",
                        "ShowSave: the default file name is longer than 254 characters");
    dlg_fail_ = false;

    // The dialog shows the default name, its NUL right after it.
    file_buffer_.assign(save_name + 1, '\0');
    std::copy(def_fn.begin(), def_fn.end(), file_buffer_.begin());
    title_buffer_ = buffer_of(save_name, ' ', save_name + 1);
    filter_text_ = filter + '\0';
    title_text_ = title;
    initial_dir_ = idir;
    default_ext_ = ext_txt;

    file_dlg.lStructSize = sizeof(win32::OPENFILENAMEA);
    file_dlg.hwndOwner = huke;
    file_dlg.hInstance = win32::as_handle(rt::App::instance());
    file_dlg.lpstrFilter = filter_text_.c_str();
    file_dlg.lpstrFile = file_buffer_.data();
    file_dlg.nMaxFile = save_name + 1;
    file_dlg.lpstrFileTitle = title_buffer_.data();
    file_dlg.nMaxFileTitle = save_name + 1;
    file_dlg.lpstrInitialDir = initial_dir_.c_str();
    file_dlg.lpstrTitle = title_text_.c_str();
    file_dlg.Flags = flgs;
    file_dlg.lpstrDefExt = default_ext_.c_str();

    if (win32::GetSaveFileNameA(&file_dlg)) {
        const std::string_view file(file_buffer_.data(), file_buffer_.size());
        result = std::string(file.substr(0, file.find('\0'))); // as written, blanks and all

    } else {
        dialog_failed("ShowSave");
    }
    return result;
}
