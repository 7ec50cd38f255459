// WIN.INI: the printer sections served from the print system, the rest from an INI file
// in the user's configuration folder.

#include "queues/queue.h"
#include "win32/ini_file.h"
#include "win32/winbase.h"

#include <cstdlib>
#include <cstring>
#include <optional>
#include <strings.h>

namespace win32 {
namespace {

bool same(LPCSTR a, const char* b) { return a && strcasecmp(a, b) == 0; }

std::string win_ini_path()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    const std::string folder = config && *config ? config : std::string(home ? home : ".") + "/.config";
    return folder + "/zeb/win.ini";
}

/// Copies `text` into the buffer as far as it fits with its NUL; the characters copied.
DWORD copy_out(const std::string& text, LPSTR buffer, DWORD size)
{
    if (!buffer || size == 0)
        return 0;
    const std::size_t n = std::min<std::size_t>(text.size(), size - 1);
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return static_cast<DWORD>(n);
}

/// Copies keys, each ending in NUL, and a final NUL; cut short, the list still ends in two NULs.
DWORD copy_keys(const std::vector<std::string>& keys, LPSTR buffer, DWORD size)
{
    if (!buffer || size < 2)
        return 0;
    std::string list;
    for (const std::string& k : keys)
        list += k + '\0';
    const std::size_t n = std::min<std::size_t>(list.size(), size - 2);
    std::memcpy(buffer, list.data(), n);
    buffer[n] = '\0';
    buffer[n + 1] = '\0';
    return static_cast<DWORD>(n == list.size() && n > 0 ? n - 1 : n);
}

/// The queue a "name,driver,port" entry starts with. A queue's name may hold commas, and so
/// may its port: the longest part before a comma that names a queue is the one.
std::optional<std::string> queue_named_first(const std::string& entry)
{
    for (std::size_t end = entry.rfind(','); end != std::string::npos && end > 0; end = entry.rfind(',', end - 1))
        if (const auto queue = queues::find_queue(entry.substr(0, end)))
            return queue;
    return entry.find(',') == std::string::npos ? queues::find_queue(entry) : std::nullopt;
}

std::string ports_entry(const std::string& queue) { return "winspool," + queues::queue_port(queue) + ",15,45"; }

} // namespace

DWORD GetProfileStringA(LPCSTR section, LPCSTR key, LPCSTR default_text, LPSTR buffer, DWORD size)
{
    const std::string fallback = default_text ? default_text : "";
    if (!section)
        return copy_out(fallback, buffer, size);
    if (same(section, "PrinterPorts")) {
        if (!key)
            return copy_keys(queues::queue_names(), buffer, size);
        const auto queue = queues::find_queue(key);
        return copy_out(queue ? ports_entry(*queue) : fallback, buffer, size);
    }
    if (same(section, "windows") && same(key, "Device")) {
        const std::string queue = queues::default_queue();
        return copy_out(queue.empty() ? fallback : queue + ",winspool," + queues::queue_port(queue), buffer, size);
    }
    if (!key)
        return copy_keys(ini_keys(win_ini_path(), section), buffer, size);
    return copy_out(ini_read(win_ini_path(), section, key).value_or(fallback), buffer, size);
}

BOOL WriteProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value)
{
    if (!section || !key) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (same(section, "PrinterPorts")) {
        // Printers are installed through the print system, not through this section.
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (same(section, "windows") && same(key, "Device")) {
        // "name,driver,port": the printer the name stands for becomes the user's default.
        const std::string entry = value ? value : "";
        const auto queue = queue_named_first(entry);
        if (!queue || !queues::make_default_queue(*queue)) {
            SetLastError(ERROR_INVALID_PRINTER_NAME);
            return FALSE;
        }
        return TRUE;
    }
    if (!ini_write(win_ini_path(), section, key, value ? std::optional<std::string>(value) : std::nullopt)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    return TRUE;
}

} // namespace win32
