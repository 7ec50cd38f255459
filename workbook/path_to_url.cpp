#include "zeb_main.h"

#include "runtime/file_identity.h"

namespace {

std::string escaped(unsigned char c)
{
    static const char hex[] = "0123456789ABCDEF";
    return {'%', hex[c >> 4], hex[c & 15]};
}

} // namespace

std::string path_to_url(const std::string& path)
{
    if (!path.empty() && path.front() == '/')
        return rt::posix_file_url(path);
    std::string s;
    s.reserve(path.size() + 16);
    // A Windows path. Besides the blank, "%", "#" and "?" are escaped too: raw, they make
    // LibreOffice open another file or none.
    for (unsigned char c : path) {
        switch (c) {
        case '\\': s += '/'; break;
        case ':': s += '|'; break;
        case ' ': s += "%20"; break;
        case '%': case '#': case '?': s += escaped(c); break;
        default: s += static_cast<char>(c);
        }
    }
    return "file:///" + s;
}
