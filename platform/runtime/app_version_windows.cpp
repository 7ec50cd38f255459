// The program's version information on Windows, read from the running program's own version
// resource, as Windows programs' version information is read (and as Properties > Details
// shows it). A program without one has empty texts and version 0.0.0.

#include "app.h"

#include "com_value.h"
#include "module_file_windows.h"

#include <windows.h>

#include <vector>

namespace rt {
namespace {

VersionInfo read_own_version()
{
    VersionInfo info;
    const std::wstring file = own_file_name();
    if (file.empty())
        return info;
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &ignored);
    std::vector<char> block(size);
    if (size == 0 || !GetFileVersionInfoW(file.c_str(), 0, size, block.data()))
        return info;

    void* found = nullptr;
    UINT length = 0;
    if (VerQueryValueW(block.data(), L"\\", &found, &length) && length >= sizeof(VS_FIXEDFILEINFO)) {
        const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(found);
        info.major = HIWORD(fixed->dwFileVersionMS);
        info.minor = LOWORD(fixed->dwFileVersionMS);
        info.revision = HIWORD(fixed->dwFileVersionLS);
    }
    // The texts are kept per language and code page; the first the resource lists is read.
    std::wstring table = L"040904B0";
    if (VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &found, &length) && length >= 4) {
        const auto* pair = static_cast<const WORD*>(found);
        wchar_t name[9];
        swprintf(name, 9, L"%04X%04X", pair[0], pair[1]);
        table = name;
    }
    const auto text = [&](const wchar_t* key) -> std::string {
        const std::wstring path = L"\\StringFileInfo\\" + table + L"\\" + key;
        void* value = nullptr;
        UINT chars = 0;
        if (!VerQueryValueW(block.data(), path.c_str(), &value, &chars) || chars == 0)
            return "";
        const std::wstring w(static_cast<const wchar_t*>(value));
        return utf8(w);
    };
    info.product_name = text(L"ProductName");
    info.file_description = text(L"FileDescription");
    info.comments = text(L"Comments");
    info.company_name = text(L"CompanyName");
    info.legal_copyright = text(L"LegalCopyright");
    info.legal_trademarks = text(L"LegalTrademarks");
    return info;
}

} // namespace

const VersionInfo& App::version()
{
    static const VersionInfo info = read_own_version();
    return info;
}

} // namespace rt
