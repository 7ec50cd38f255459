// The thread's last error, the version query and string copies.

#include "win32/winbase.h"

#include <sys/utsname.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace win32 {
namespace {

thread_local DWORD last_error = ERROR_SUCCESS;

} // namespace

DWORD GetLastError() { return last_error; }

void SetLastError(DWORD code) { last_error = code; }

BOOL GetVersionExA(OSVERSIONINFOA* info)
{
    if (!info || info->dwOSVersionInfoSize != sizeof(OSVERSIONINFOA)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    const char* seam = std::getenv("ZEB_PLATFORM_ID");
    if (seam && std::strcmp(seam, "fail") == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    utsname u{};
    uname(&u);
    unsigned major = 0, minor = 0, build = 0;
    std::sscanf(u.release, "%u.%u.%u", &major, &minor, &build);
    info->dwMajorVersion = major;
    info->dwMinorVersion = minor;
    info->dwBuildNumber = build;
    info->dwPlatformId = seam && std::strcmp(seam, "1") == 0 ? VER_PLATFORM_WIN32_WINDOWS : VER_PLATFORM_WIN32_NT;
    std::memset(info->szCSDVersion, 0, sizeof info->szCSDVersion);
    return TRUE;
}

LPSTR lstrcpyA(LPSTR destination, LPCSTR source)
{
    if (!destination || !source)
        return nullptr;
    return std::strcpy(destination, source);
}

LPSTR lstrcpynA(LPSTR destination, LPCSTR source, int max_chars)
{
    if (!destination || !source || max_chars <= 0)
        return nullptr;
    const std::size_t n = strnlen(source, static_cast<std::size_t>(max_chars - 1));
    std::memmove(destination, source, n);
    destination[n] = '\0';
    return destination;
}

} // namespace win32
