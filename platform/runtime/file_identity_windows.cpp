// One file under two names on Windows: the office spells a file "file:///C:/Book.ods" (or
// "file://server/share/Book.ods"), the program "file:///C|/Book.ods"; the system tells files
// apart by their volume and file index, whatever letter case or path names them.

#include "file_identity.h"

#include "com_value.h"

#include <windows.h>

#include <algorithm>

namespace rt {
namespace {

/// The file's volume and index; false when the file cannot be opened to ask.
bool identity_of(const std::string& path, BY_HANDLE_FILE_INFORMATION& info)
{
    const HANDLE file = CreateFileW(wide(path).c_str(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool ok = GetFileInformationByHandle(file, &info) != 0;
    CloseHandle(file);
    return ok;
}

/// The two paths compared as the system compares names: whole, and without regard to case.
bool same_name(const std::string& a, const std::string& b)
{
    wchar_t full_a[MAX_PATH * 4], full_b[MAX_PATH * 4];
    if (!GetFullPathNameW(wide(a).c_str(), MAX_PATH * 4, full_a, nullptr) ||
        !GetFullPathNameW(wide(b).c_str(), MAX_PATH * 4, full_b, nullptr))
        return false;
    return CompareStringOrdinal(full_a, -1, full_b, -1, TRUE) == CSTR_EQUAL;
}

} // namespace

// The Windows path a file URL names: "file:///C:/a" and "file:///C|/a" are C:\a, and
// "file://server/share/a" (or "file://///server/share/a") is \\server\share\a; empty for
// anything else.
std::string path_of_url(const std::string& url)
{
    const std::string text = unescaped(url);
    const std::string scheme = "file://";
    if (text.size() <= scheme.size() || text.compare(0, scheme.size(), scheme) != 0)
        return "";
    std::string rest = text.substr(scheme.size());
    std::string path;
    if (rest.size() >= 3 && rest[0] == '/' && std::isalpha(static_cast<unsigned char>(rest[1])) &&
        (rest[2] == ':' || rest[2] == '|')) {
        path = rest.substr(1);
        path[1] = ':';
    } else if (!rest.empty() && rest[0] != '/') {
        path = "//" + rest; // a share, as the office spells it
    } else if (rest.size() > 3 && rest.compare(0, 3, "///") == 0 && rest[3] != '/') {
        path = "//" + rest.substr(3); // a share, as the program spells it
    } else {
        return "";
    }
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

bool names_same_file(const std::string& document_url, const std::string& path, const std::string& url)
{
    if (unescaped(document_url) == unescaped(url))
        return true;
    const std::string theirs = path_of_url(document_url);
    if (theirs.empty())
        return false;
    if (same_name(theirs, path))
        return true;
    BY_HANDLE_FILE_INFORMATION a{}, b{};
    return identity_of(theirs, a) && identity_of(path, b) && a.dwVolumeSerialNumber == b.dwVolumeSerialNumber &&
           a.nFileIndexHigh == b.nFileIndexHigh && a.nFileIndexLow == b.nFileIndexLow;
}

} // namespace rt
