// One file under two names on Linux: the same device and inode.

#include "file_identity.h"
#include "file_path.h"

#include <filesystem>

namespace rt {

bool names_same_file(const std::string& document_url, const std::string& path, const std::string& url)
{
    const std::string theirs = unescaped(document_url);
    if (theirs == unescaped(url))
        return true;
    const std::string scheme = "file://";
    if (theirs.compare(0, scheme.size(), scheme) != 0)
        return false;
    std::error_code ec;
    return std::filesystem::equivalent(file_path(theirs.substr(scheme.size())), file_path(path), ec) && !ec;
}

} // namespace rt
