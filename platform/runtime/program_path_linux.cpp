#include "program_path_linux.h"

#include <cstdlib>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace rt {
namespace {

bool is_executable(const std::string& path)
{
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

} // namespace

std::string find_program(const std::string& program)
{
    if (program.find('/') != std::string::npos)
        return is_executable(program) ? program : "";
    const char* path = std::getenv("PATH");
    std::stringstream dirs(path ? path : "/usr/bin:/bin");
    std::string dir;
    while (std::getline(dirs, dir, ':')) {
        const std::string candidate = (dir.empty() ? "." : dir) + "/" + program;
        if (is_executable(candidate))
            return candidate;
    }
    return "";
}

} // namespace rt
