#include "win32/shellapi.h"

#include "runtime/error.h"
#include "runtime/program_path_linux.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <strings.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace win32 {
HINSTANCE ShellExecuteA(HWND, LPCSTR operation, LPCSTR file, LPCSTR, LPCSTR, int)
{
    if (operation && *operation && strcasecmp(operation, "open") != 0)
        return SE_ERR_NOASSOC;
    struct stat st {};
    if (!file || stat(file, &st) != 0)
        return SE_ERR_FNF;

    const std::string opener = rt::find_program("xdg-open");
    if (opener.empty())
        throw rt::Error(rt::errFileNotFound, "shell32",
                        "File not found: xdg-open, the desktop's opener (Debian package xdg-utils)");

    // A shell in a session of its own starts the opener and ends at once, so the opener
    // is nobody's child here and the program does not wait for the browser.
    const char* argv[] = {"/bin/sh", "-c", "\"$0\" \"$1\" </dev/null >/dev/null 2>&1 &", opener.c_str(), file, nullptr};
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSID);
    pid_t pid = -1;
    const int failed = posix_spawn(&pid, argv[0], nullptr, &attr, const_cast<char**>(argv), environ);
    posix_spawnattr_destroy(&attr);
    if (failed != 0)
        throw rt::Error(rt::errLoadingLibrary, "shell32", std::string("The shell could not be started: ") + std::strerror(failed));
    int status = 0;
    waitpid(pid, &status, 0);
    return 42;
}

} // namespace win32
