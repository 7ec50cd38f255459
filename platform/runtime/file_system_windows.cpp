// Files and their dates through the system's own file-system automation object.

#include "file_system.h"

#include "dispatch_object.h"
#include "error.h"
#include "value.h"

#include <windows.h>
#include <oleauto.h>

namespace rt {
namespace {

/// An automation date (days since 30 December 1899, local time) as the moment it names.
std::time_t moment_of(double date)
{
    SYSTEMTIME local{};
    if (!VariantTimeToSystemTime(date, &local))
        return 0;
    std::tm t{};
    t.tm_year = local.wYear - 1900;
    t.tm_mon = local.wMonth - 1;
    t.tm_mday = local.wDay;
    t.tm_hour = local.wHour;
    t.tm_min = local.wMinute;
    t.tm_sec = local.wSecond;
    t.tm_isdst = -1;
    return std::mktime(&t);
}

} // namespace

File FileSystemObject::GetFile(const std::string& path) const
{
    HRESULT result = S_OK;
    const std::shared_ptr<DispatchObject> fso = create_dispatch_object("Scripting.FileSystemObject", result);
    if (!fso)
        throw Error(errCantCreateObject, "ZEB", "ActiveX component can't create object: 'Scripting.FileSystemObject'");
    std::shared_ptr<Object> file;
    try {
        file = fso->call("GetFile", {Value(path)}).to_object();
    } catch (const Error&) {
        throw Error(errFileNotFound, "Scripting.FileSystemObject", "File not found: " + path);
    }
    return File(file->get("Path").to_text(), moment_of(file->get("DateLastModified").to_double()));
}

} // namespace rt
