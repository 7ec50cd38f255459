#include "zeb_main.h"

namespace {

std::string escaped(unsigned char c)
{
    static const char hex[] = "0123456789ABCDEF";
    return {'%', hex[c >> 4], hex[c & 15]};
}

} // namespace

std::string path_to_url(const std::string& path)
{
    std::string s;
    s.reserve(path.size() + 16);
    if (!path.empty() && path.front() == '/') {
        // A POSIX path: every byte a URL path cannot carry as it is gets escaped.
        for (unsigned char c : path) {
            if (c <= ' ' || c >= 0x7F || c == '%' || c == '#' || c == '?')
                s += escaped(c);
            else
                s += static_cast<char>(c);
        }
        return "file://" + s;
    }
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
