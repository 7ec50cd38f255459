// One file under two names on Linux: the same device and inode.

#include "file_identity.h"
#include "file_path.h"

#include <filesystem>

namespace rt {

std::string path_of_url(const std::string& url)
{
    const std::string text = unescaped(url);
    const std::string scheme = "file://";
    return text.compare(0, scheme.size(), scheme) == 0 ? text.substr(scheme.size()) : "";
}

bool names_same_file(const std::string& document_url, const std::string& path, const std::string& url)
{
    if (unescaped(document_url) == unescaped(url))
        return true;
    const std::string theirs = path_of_url(document_url);
    if (theirs.empty())
        return false;
    std::error_code ec;
    return std::filesystem::equivalent(file_path(theirs), file_path(path), ec) && !ec;
}

} // namespace rt
