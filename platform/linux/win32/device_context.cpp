#include "win32/wingdi.h"

#include "queues/queue.h"

#include <map>

namespace win32 {
namespace {

// Like the system's own, the device contexts belong to the process.
struct Contexts {
    std::map<HDC, std::string> open; // handle -> the printer's own name
    HDC next = 0x5000;
};

Contexts& contexts()
{
    static Contexts c;
    return c;
}

} // namespace

HDC CreateDCA(LPCSTR, LPCSTR device, LPCSTR, const DEVMODEA*)
{
    const auto queue = device ? queues::find_queue(device) : std::nullopt;
    if (!queue)
        return 0;
    Contexts& c = contexts();
    const HDC dc = c.next;
    c.next += 4;
    c.open.emplace(dc, *queue);
    return dc;
}

HDC CreateICA(LPCSTR driver, LPCSTR device, LPCSTR output, const DEVMODEA* settings)
{
    return CreateDCA(driver, device, output, settings);
}

BOOL DeleteDC(HDC dc) { return contexts().open.erase(dc) ? TRUE : FALSE; }

std::string printer_of_dc(HDC dc)
{
    const auto it = contexts().open.find(dc);
    return it == contexts().open.end() ? "" : it->second;
}

} // namespace win32
