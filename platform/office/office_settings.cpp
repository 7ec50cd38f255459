#include "office_settings.h"

#include "runtime/file_identity.h"

#include <cstdlib>

namespace office {
namespace {

std::string env(const char* name, const std::string& fallback = "")
{
    const char* v = std::getenv(name);
    return v && *v ? v : fallback;
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
        args.push_back("-env:UserInstallation=" + rt::posix_file_url(profile));
    args.push_back("--accept=pipe,name=" + pipe + ";urp;StarOffice.ComponentContext");
    return args;
}

} // namespace office
