#include "file_system.h"

#include "error.h"

#include <sys/stat.h>

namespace rt {

File FileSystemObject::GetFile(const std::string& path) const
{
    struct stat st {};
    if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        throw Error(errFileNotFound, "Scripting.FileSystemObject", "File not found: " + path);
    return File(path, st.st_mtime);
}

} // namespace rt
