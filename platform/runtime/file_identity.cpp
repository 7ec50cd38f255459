#include "file_identity.h"

#include <cctype>
#include <string>

namespace rt {

std::string posix_file_url(const std::string& path)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string url = "file://";
    url.reserve(url.size() + path.size() + 16);
    for (unsigned char c : path) {
        if (c <= ' ' || c >= 0x7F || c == '%' || c == '#' || c == '?') {
            url += '%';
            url += hex[c >> 4];
            url += hex[c & 15];
        } else {
            url += static_cast<char>(c);
        }
    }
    return url;
}

std::string unescaped(const std::string& url)
{
    std::string out;
    for (std::size_t i = 0; i < url.size(); ++i) {
        if (url[i] == '%' && i + 2 < url.size() && std::isxdigit(static_cast<unsigned char>(url[i + 1])) &&
            std::isxdigit(static_cast<unsigned char>(url[i + 2]))) {
            out += static_cast<char>(std::stoi(url.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += url[i];
        }
    }
    return out;
}

} // namespace rt
