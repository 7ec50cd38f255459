// Reading the printers and their settings from the spooler: what a job starts with is the
// user's own settings block, the printer's own is the spooler's default block, and what a
// printer offers is what its driver reports.

#include "queues/queue.h"
#include "queues/scheduler.h"

#include "win32/system.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace queues {
namespace {

/// An open printer handle, closed when it goes.
struct OpenHandle {
    explicit OpenHandle(const std::string& name)
    {
        PRINTER_DEFAULTSA defaults{nullptr, nullptr, PRINTER_ACCESS_USE};
        std::string copy = name;
        if (!::OpenPrinterA(copy.data(), &handle, &defaults))
            handle = nullptr;
    }
    ~OpenHandle()
    {
        if (handle)
            ::ClosePrinter(handle);
    }
    OpenHandle(const OpenHandle&) = delete;
    OpenHandle& operator=(const OpenHandle&) = delete;
    HANDLE handle = nullptr;
};

/// The printer's information at `level`, in a buffer of the size the spooler asks for.
std::vector<BYTE> printer_info(HANDLE printer, DWORD level)
{
    DWORD needed = 0;
    ::GetPrinterA(printer, level, nullptr, 0, &needed);
    std::vector<BYTE> buffer(needed);
    if (needed == 0 || !::GetPrinterA(printer, level, buffer.data(), needed, &needed))
        buffer.clear();
    return buffer;
}

/// The printer's settings block as its driver completes it; empty on failure.
std::vector<BYTE> driver_devmode(HANDLE printer, const std::string& name)
{
    std::string copy = name;
    const LONG size = ::DocumentPropertiesA(nullptr, printer, copy.data(), nullptr, nullptr, 0);
    if (size <= 0)
        return {};
    std::vector<BYTE> block(static_cast<std::size_t>(size));
    if (::DocumentPropertiesA(nullptr, printer, copy.data(), reinterpret_cast<DEVMODEA*>(block.data()), nullptr,
                              DM_OUT_BUFFER) != IDOK)
        return {};
    return block;
}

Settings settings_of(const DEVMODEA& dm)
{
    Settings s;
    if (dm.dmFields & DM_ORIENTATION) s.orientation = dm.dmOrientation;
    if (dm.dmFields & DM_PAPERSIZE) s.paper_size = dm.dmPaperSize;
    if (dm.dmFields & DM_COPIES) s.copies = std::max<short>(1, dm.dmCopies);
    if (dm.dmFields & DM_DEFAULTSOURCE) s.bin = dm.dmDefaultSource;
    if (dm.dmFields & DM_PRINTQUALITY) s.quality = dm.dmPrintQuality;
    if (dm.dmFields & DM_COLOR) s.colour = dm.dmColor;
    if (dm.dmFields & DM_DUPLEX) s.duplex = dm.dmDuplex;
    if (dm.dmFields & DM_MEDIATYPE) s.media_type = static_cast<std::int32_t>(dm.dmMediaType);
    return s;
}

/// One list the driver reports: `count` entries of `T`, from DeviceCapabilities.
template <typename T>
std::vector<T> capability(const std::string& name, const std::string& port, WORD which, std::size_t entry = sizeof(T))
{
    const int n = ::DeviceCapabilitiesA(name.c_str(), port.c_str(), which, nullptr, nullptr);
    if (n <= 0)
        return {};
    std::vector<char> raw(static_cast<std::size_t>(n) * entry);
    if (::DeviceCapabilitiesA(name.c_str(), port.c_str(), which, raw.data(), nullptr) <= 0)
        return {};
    std::vector<T> out(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        std::memcpy(&out[i], raw.data() + i * entry, std::min(entry, sizeof(T)));
    return out;
}

/// Names of `width` characters each, not always ended by a NUL.
std::vector<std::string> names(const std::string& name, const std::string& port, WORD which, std::size_t width)
{
    std::vector<std::string> out;
    const int n = ::DeviceCapabilitiesA(name.c_str(), port.c_str(), which, nullptr, nullptr);
    if (n <= 0)
        return out;
    std::vector<char> raw(static_cast<std::size_t>(n) * width + 1, '\0');
    if (::DeviceCapabilitiesA(name.c_str(), port.c_str(), which, raw.data(), nullptr) <= 0)
        return out;
    for (int i = 0; i < n; ++i) {
        const char* at = raw.data() + i * width;
        out.emplace_back(at, strnlen(at, width));
    }
    return out;
}

void read_choices(Queue& q)
{
    const std::vector<WORD> papers = capability<WORD>(q.name, q.port, DC_PAPERS);
    const std::vector<std::string> paper_names = names(q.name, q.port, DC_PAPERNAMES, 64);
    const std::vector<POINT> sizes = capability<POINT>(q.name, q.port, DC_PAPERSIZE);
    for (std::size_t i = 0; i < papers.size(); ++i)
        q.papers.push_back({papers[i], i < paper_names.size() ? paper_names[i] : "",
                            static_cast<std::int16_t>(i < sizes.size() ? sizes[i].x : 0)});
    const std::vector<WORD> bins = capability<WORD>(q.name, q.port, DC_BINS);
    const std::vector<std::string> bin_names = names(q.name, q.port, DC_BINNAMES, 24);
    for (std::size_t i = 0; i < bins.size(); ++i)
        q.bins.push_back({bins[i], i < bin_names.size() ? bin_names[i] : ""});
    const std::vector<DWORD> media = capability<DWORD>(q.name, q.port, DC_MEDIATYPES);
    const std::vector<std::string> media_names = names(q.name, q.port, DC_MEDIATYPENAMES, 64);
    for (std::size_t i = 0; i < media.size(); ++i)
        q.media_types.push_back({static_cast<std::int32_t>(media[i]), i < media_names.size() ? media_names[i] : ""});
    // Resolutions come as pairs of dots per inch; the four grades are always offered.
    const std::vector<LONG> dpi = capability<LONG>(q.name, q.port, DC_ENUMRESOLUTIONS);
    for (std::size_t i = 0; i + 1 < dpi.size(); i += 2)
        if (dpi[i] > 0 && !find_choice(q.qualities, dpi[i]))
            q.qualities.push_back({dpi[i], std::to_string(dpi[i]) + "dpi"});
    for (std::int32_t grade : {-1, -2, -3, -4})
        q.qualities.push_back({grade, ""});
    q.colours.push_back({1, "Monochrome"});
    if (::DeviceCapabilitiesA(q.name.c_str(), q.port.c_str(), DC_COLORDEVICE, nullptr, nullptr) > 0)
        q.colours.push_back({2, "Color"});
    q.duplexes.push_back({1, "Simplex"});
    if (::DeviceCapabilitiesA(q.name.c_str(), q.port.c_str(), DC_DUPLEX, nullptr, nullptr) > 0) {
        q.duplexes.push_back({2, "Vertical"});
        q.duplexes.push_back({3, "Horizontal"});
    }
}

} // namespace

std::vector<std::string> queue_names()
{
    std::vector<std::string> out;
    DWORD needed = 0, count = 0;
    const DWORD where = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    ::EnumPrintersA(where, nullptr, 4, nullptr, 0, &needed, &count);
    if (needed == 0)
        return out;
    std::vector<BYTE> buffer(needed);
    if (!::EnumPrintersA(where, nullptr, 4, buffer.data(), needed, &needed, &count))
        return out;
    const auto* info = reinterpret_cast<const PRINTER_INFO_4A*>(buffer.data());
    for (DWORD i = 0; i < count; ++i)
        out.emplace_back(info[i].pPrinterName);
    return out;
}

std::optional<std::string> find_queue(const std::string& name)
{
    for (const std::string& q : queue_names())
        if (q.size() == name.size() && ::CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, q.c_str(), -1, name.c_str(), -1) == CSTR_EQUAL)
            return q;
    return std::nullopt;
}

std::string default_queue()
{
    DWORD size = 0;
    ::GetDefaultPrinterA(nullptr, &size);
    if (size == 0)
        return "";
    std::string name(size, '\0');
    if (!::GetDefaultPrinterA(name.data(), &size))
        return "";
    name.resize(std::strlen(name.c_str()));
    return name;
}

std::optional<Queue> read_queue(const std::string& name)
{
    const std::optional<std::string> found = find_queue(name);
    if (!found)
        return std::nullopt;
    Queue q;
    q.name = *found;
    const OpenHandle printer(q.name);
    if (!printer.handle)
        return std::nullopt;
    const std::vector<BYTE> info = printer_info(printer.handle, 2);
    if (!info.empty()) {
        const auto* i2 = reinterpret_cast<const PRINTER_INFO_2A*>(info.data());
        q.port = i2->pPortName ? i2->pPortName : "";
        if (i2->pDevMode)
            q.driver_defaults = settings_of(*i2->pDevMode);
    }
    // A job starts with the user's own settings (level 9) where there are any, else with the
    // printer's for everybody (level 2), else with what the driver completes.
    const std::vector<BYTE> own = printer_info(printer.handle, 9);
    const DEVMODEA* users = own.empty() ? nullptr : reinterpret_cast<const PRINTER_INFO_9A*>(own.data())->pDevMode;
    if (users) {
        q.defaults = settings_of(*users);
    } else if (!info.empty() && reinterpret_cast<const PRINTER_INFO_2A*>(info.data())->pDevMode) {
        q.defaults = q.driver_defaults;
    } else if (const std::vector<BYTE> driver = driver_devmode(printer.handle, q.name); !driver.empty()) {
        q.defaults = settings_of(*reinterpret_cast<const DEVMODEA*>(driver.data()));
    }
    read_choices(q);
    // What the driver reports nothing for, it offers only as it is.
    if (q.papers.empty())
        q.papers.push_back({q.defaults.paper_size, "", q.defaults.paper_width});
    for (auto [choices, code] : {std::pair{&q.bins, std::int32_t{q.defaults.bin}}, {&q.media_types, q.defaults.media_type}})
        if (choices->empty())
            choices->push_back({code, ""});
    if (const Choice* paper = find_choice(q.papers, q.defaults.paper_size))
        q.defaults.paper_width = paper->width;
    return q;
}

Scheduler scheduler_state(double, const std::function<void()>&)
{
    return Scheduler::Answering; // the system's own spooler service, asked in the system's calls
}

} // namespace queues
