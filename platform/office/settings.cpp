#include "settings.h"

#include <cstdlib>

namespace office {
namespace {

std::string env(const char* name, const std::string& fallback = "")
{
    const char* v = std::getenv(name);
    return v && *v ? v : fallback;
}

// A folder as the file URL the office's -env option takes.
std::string folder_url(const std::string& path)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string url = "file://";
    for (unsigned char c : path) {
        if (c <= ' ' || c >= 0x7f || c == '%' || c == '#' || c == '?') {
            url += '%';
            url += hex[c >> 4];
            url += hex[c & 15];
        } else {
            url += static_cast<char>(c);
        }
    }
    return url;
}

} // namespace

Settings Settings::from_environment()
{
    Settings s;
    s.soffice = env("ZEB_SOFFICE", "soffice");
    s.pipe = env("ZEB_OFFICE_PIPE", "zeb_office");
    s.profile = env("ZEB_OFFICE_PROFILE");
    s.headless = env("ZEB_OFFICE_HEADLESS") == "1";
    const std::string wait = env("ZEB_OFFICE_WAIT");
    if (!wait.empty()) {
        char* end = nullptr;
        const double w = std::strtod(wait.c_str(), &end);
        if (end && *end == '\0' && w > 0 && w <= 600)
            s.wait_seconds = w;
    }
    return s;
}

std::string Settings::connection() const
{
    return "pipe,name=" + pipe;
}

std::vector<std::string> Settings::command_line() const
{
    std::vector<std::string> args{soffice};
    if (headless) {
        args.push_back("--headless");
        args.push_back("--invisible");
    }
    args.push_back("--norestore");
    args.push_back("--nologo");
    args.push_back("--nodefault");
    if (!profile.empty())
        args.push_back("-env:UserInstallation=" + folder_url(profile));
    args.push_back("--accept=pipe,name=" + pipe + ";urp;StarOffice.ComponentContext");
    return args;
}

} // namespace office
