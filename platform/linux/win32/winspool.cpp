#include "win32/winspool.h"

#include "queues/queue.h"
#include "win32/print_blocks.h"
#include "win32/winbase.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace win32 {
namespace {

// Like the spooler's own, the handle table belongs to the process.
struct OpenQueue {
    std::string name;                    ///< the queue's own spelling
    std::optional<queues::Queue> read; ///< what the print system said of it, once asked
};

struct Handles {
    std::map<HANDLE, OpenQueue> open;
    HANDLE next = 0x3000;
};

Handles& handles()
{
    static Handles h;
    return h;
}

OpenQueue* queue_of(HANDLE printer)
{
    auto it = handles().open.find(printer);
    return it == handles().open.end() ? nullptr : &it->second;
}

/// The queue's information, read once for the handle: the size query and the read that
/// follows it, and a change after them, see the same queue.
const queues::Queue* queue_read(OpenQueue& q)
{
    if (!q.read)
        q.read = queues::read_queue(q.name);
    if (!q.read)
        SetLastError(ERROR_INVALID_PRINTER_NAME);
    return q.read ? &*q.read : nullptr;
}

/// Lays out a record, then its strings, in one caller's buffer.
class Layout {
public:
    explicit Layout(std::size_t record) : used_(record) {}
    /// Reserves room for `text` and its NUL; gives the offset.
    std::size_t text(const std::string& t)
    {
        const std::size_t at = used_;
        used_ += t.size() + 1;
        texts_.push_back({at, t});
        return at;
    }
    /// Reserves room for a DEVMODE, aligned for its members.
    std::size_t devmode()
    {
        used_ = (used_ + 7) & ~std::size_t{7};
        const std::size_t at = used_;
        used_ += sizeof(DEVMODEA);
        return at;
    }
    std::size_t size() const { return used_; }
    void write_texts(BYTE* buffer) const
    {
        for (const auto& [at, t] : texts_)
            std::memcpy(buffer + at, t.c_str(), t.size() + 1);
    }

private:
    std::size_t used_;
    std::vector<std::pair<std::size_t, std::string>> texts_;
};

BOOL too_small(std::size_t need, DWORD* needed)
{
    if (needed)
        *needed = static_cast<DWORD>(need);
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
}

BOOL info_2(OpenQueue& open, BYTE* buffer, DWORD size, DWORD* needed)
{
    const queues::Queue* q = queue_read(open);
    if (!q)
        return FALSE;
    Layout layout(sizeof(PRINTER_INFO_2A));
    const std::size_t dm_at = layout.devmode();
    const std::size_t name_at = layout.text(q->name), port_at = layout.text(q->port),
                      driver_at = layout.text("winspool"), empty_at = layout.text(""),
                      processor_at = layout.text("winprint"), type_at = layout.text("RAW");
    if (!buffer || size < layout.size())
        return too_small(layout.size(), needed);
    auto* info = reinterpret_cast<PRINTER_INFO_2A*>(buffer);
    *info = {};
    auto at = [buffer](std::size_t offset) { return reinterpret_cast<LPSTR>(buffer + offset); };
    info->pPrinterName = at(name_at);
    info->pPortName = at(port_at);
    info->pDriverName = at(driver_at);
    info->pComment = at(empty_at);
    info->pLocation = at(empty_at);
    info->pSepFile = at(empty_at);
    info->pPrintProcessor = at(processor_at);
    info->pDatatype = at(type_at);
    info->pParameters = at(empty_at);
    info->pDevMode = reinterpret_cast<DEVMODEA*>(buffer + dm_at);
    *info->pDevMode = devmode_of(q->name, q->defaults);
    info->Attributes = PRINTER_ATTRIBUTE_QUEUED | PRINTER_ATTRIBUTE_LOCAL |
                       (queues::default_queue() == q->name ? PRINTER_ATTRIBUTE_DEFAULT : 0);
    layout.write_texts(buffer);
    if (needed)
        *needed = static_cast<DWORD>(layout.size());
    return TRUE;
}

BOOL info_5(const OpenQueue& open, BYTE* buffer, DWORD size, DWORD* needed)
{
    const std::string& name = open.name;
    Layout layout(sizeof(PRINTER_INFO_5A));
    const std::size_t name_at = layout.text(name), port_at = layout.text(queues::queue_port(name));
    if (!buffer || size < layout.size())
        return too_small(layout.size(), needed);
    auto* info = reinterpret_cast<PRINTER_INFO_5A*>(buffer);
    info->pPrinterName = reinterpret_cast<LPSTR>(buffer + name_at);
    info->pPortName = reinterpret_cast<LPSTR>(buffer + port_at);
    info->Attributes = PRINTER_ATTRIBUTE_QUEUED | PRINTER_ATTRIBUTE_LOCAL |
                       (queues::default_queue() == name ? PRINTER_ATTRIBUTE_DEFAULT : 0);
    info->DeviceNotSelectedTimeout = 15000;
    info->TransmissionRetryTimeout = 45000;
    layout.write_texts(buffer);
    if (needed)
        *needed = static_cast<DWORD>(layout.size());
    return TRUE;
}

} // namespace

BOOL OpenPrinterA(LPCSTR name, HANDLE* printer, PRINTER_DEFAULTSA*)
{
    if (!printer) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *printer = 0;
    const std::optional<std::string> queue = name ? queues::find_queue(name) : std::nullopt;
    if (!queue) {
        SetLastError(ERROR_INVALID_PRINTER_NAME);
        return FALSE;
    }
    Handles& h = handles();
    *printer = h.next;
    h.next += 4;
    h.open.emplace(*printer, OpenQueue{*queue, std::nullopt});
    return TRUE;
}

BOOL GetPrinterA(HANDLE printer, DWORD level, BYTE* buffer, DWORD size, DWORD* needed)
{
    OpenQueue* queue = queue_of(printer);
    if (!queue) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (level == 2)
        return info_2(*queue, buffer, size, needed);
    if (level == 5)
        return info_5(*queue, buffer, size, needed);
    SetLastError(ERROR_INVALID_LEVEL);
    return FALSE;
}

BOOL SetPrinterA(HANDLE printer, DWORD level, BYTE* info, DWORD command)
{
    OpenQueue* queue = queue_of(printer);
    if (!queue) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (command != 0 || !info) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (level == 2) {
        const DEVMODEA* dm = reinterpret_cast<const PRINTER_INFO_2A*>(info)->pDevMode;
        if (!dm)
            return TRUE;
        // Only the first 154 bytes are certain to be the caller's: read the fields one by one.
        DEVMODEA copy{};
        std::memcpy(&copy, dm, offsetof(DEVMODEA, dmPanningHeight));
        const queues::Queue* q = queue_read(*queue);
        if (!q)
            return FALSE;
        if (!queues::store_user_defaults(*q, settings_of(copy), copy.dmFields)) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        return TRUE;
    }
    if (level == 5) {
        const auto* p5 = reinterpret_cast<const PRINTER_INFO_5A*>(info);
        if ((p5->Attributes & PRINTER_ATTRIBUTE_DEFAULT) && !queues::make_default_queue(queue->name)) {
            SetLastError(ERROR_ACCESS_DENIED);
            return FALSE;
        }
        return TRUE;
    }
    SetLastError(ERROR_INVALID_LEVEL);
    return FALSE;
}

BOOL ClosePrinter(HANDLE printer)
{
    if (handles().open.erase(printer) == 0) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

std::size_t OpenPrinterCount() { return handles().open.size(); }

} // namespace win32
