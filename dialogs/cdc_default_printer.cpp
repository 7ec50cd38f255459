// The default printer and a printer's stored settings, for the print dialog.

#include "cdc_class.h"
#include "runtime/error.h"
#include "win32/global_memory.h"
#include "win32/winbase.h"
#include "win32/winspool.h"
#include "win32/winuser.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

/// An open printer handle, closed on every way out.
struct OpenPrinter {
    win32::HANDLE handle = 0;
    ~OpenPrinter()
    {
        if (handle)
            win32::ClosePrinter(handle);
    }
};

/// A 1-based position as the 16-bit integer it is kept in.
std::int16_t position16(std::size_t zero_based)
{
    if (zero_based + 1 > 32767)
        throw rt::Error(rt::errOverflow, "CDC_class", "Overflow");
    return static_cast<std::int16_t>(zero_based + 1);
}

} // namespace

void CDC_class::set_default_printer(const std::string& name)
{
    os_platform = get_platform_id();
    if (os_platform == static_cast<std::int32_t>(win32::VER_PLATFORM_WIN32_WINDOWS))
        Win95SetDefaultPrinter(name);
    else
        ini_set_default_printer(name);
}

std::int32_t CDC_class::get_platform_id()
{
    win32::OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    std::memset(info.szCSDVersion, ' ', sizeof info.szCSDVersion);
    info.dwPlatformId = 0;
    if (!win32::GetVersionExA(&info))
        return 0;
    return static_cast<std::int32_t>(info.dwPlatformId);
}

void CDC_class::Win95SetDefaultPrinter(const std::string& name)
{
    win32::PRINTER_DEFAULTSA defaults{nullptr, nullptr, win32::PRINTER_ALL_ACCESS};
    OpenPrinter printer;
    if (!win32::OpenPrinterA(name.c_str(), &printer.handle, &defaults) || !printer.handle) {
        dlg_fail_ = true;
        return;
    }
    win32::DWORD needed = 0;
    win32::GetPrinterA(printer.handle, 5, nullptr, 0, &needed);
    std::vector<std::uint32_t> buffer(needed / 4 + 1);
    bool done = win32::GetPrinterA(printer.handle, 5, reinterpret_cast<win32::BYTE*>(buffer.data()), needed, &needed);
    if (done) {
        const auto* read = reinterpret_cast<const win32::PRINTER_INFO_5A*>(buffer.data());
        std::string printer_name = ptr_to_str(read->pPrinterName);
        std::string port_name = ptr_to_str(read->pPortName);
        win32::PRINTER_INFO_5A info{printer_name.data(), port_name.data(), read->Attributes,
                                    read->DeviceNotSelectedTimeout, read->TransmissionRetryTimeout};
        info.Attributes = win32::PRINTER_ATTRIBUTE_DEFAULT;
        done = win32::SetPrinterA(printer.handle, 5, reinterpret_cast<win32::BYTE*>(&info), 0);
    }
    if (!done) {
        last_dlg_error = static_cast<std::int32_t>(win32::CommDlgExtendedError());
        if (last_dlg_error != 0)
            error_message("Win95SetDefaultPrinter", last_dlg_error);
        dlg_fail_ = true;
    }
}

std::string CDC_class::ptr_to_str(const char* address)
{
    // A longer string is cut to what the buffer holds with its NUL, never written past it.
    std::array<char, 512> buffer;
    buffer.fill(' ');
    win32::lstrcpynA(buffer.data(), address, static_cast<int>(buffer.size()));
    const auto nul = std::find(buffer.begin(), buffer.end(), '\0');
    return nul == buffer.end() ? std::string() : std::string(buffer.begin(), nul);
}

void CDC_class::ini_set_default_printer(const std::string& name)
{
    std::string buffer(1024, ' ');
    win32::GetProfileStringA("PrinterPorts", name.c_str(), "", buffer.data(), 1024);
    const auto [driver, port] = split_ports_entry(buffer);
    if (!driver.empty() && !port.empty())
        write_device_entry(name, driver, port);
}

std::pair<std::string, std::string> CDC_class::split_ports_entry(const std::string& text)
{
    std::pair<std::string, std::string> driver_port;
    const std::size_t first = text.find(',');
    if (first == std::string::npos)
        return driver_port;
    const std::int16_t a = position16(first);
    driver_port.first = text.substr(0, a - 1);
    const std::size_t second = text.find(',', a);
    if (second == std::string::npos)
        return driver_port;
    const std::int16_t c = position16(second);
    driver_port.second = text.substr(a, c - a - 1);
    return driver_port;
}

void CDC_class::write_device_entry(const std::string& name, const std::string& driver, const std::string& port)
{
    const std::string value = name + "," + driver + "," + port;
    win32::WriteProfileStringA("windows", "Device", value.c_str());
    static const char section[] = "windows";
    win32::SendMessageA(win32::HWND_BROADCAST, win32::WM_WININICHANGE, 0, reinterpret_cast<win32::LPARAM>(section));
}

void CDC_class::store_printer_settings(const std::string& name, std::int32_t media_type)
{
    win32::PRINTER_DEFAULTSA defaults{nullptr, nullptr, 0};
    OpenPrinter printer;
    if (!win32::OpenPrinterA(name.c_str(), &printer.handle, &defaults) || !printer.handle)
        return;
    std::vector<std::uint32_t> buffer(2);
    win32::DWORD needed = 0;
    win32::GetPrinterA(printer.handle, 2, reinterpret_cast<win32::BYTE*>(buffer.data()), 1, &needed);
    const auto ub = static_cast<std::int32_t>(std::nearbyint(needed / 4.0 + 3)); // halves to even
    buffer.resize(static_cast<std::size_t>(ub) + 1);
    const bool read = win32::GetPrinterA(printer.handle, 2, reinterpret_cast<win32::BYTE*>(buffer.data()),
                                         static_cast<win32::DWORD>(4 * ub), &needed);
    // Without the printer's settings record there is nothing to change: stop quietly.
    auto* info = reinterpret_cast<win32::PRINTER_INFO_2A*>(buffer.data());
    if (!read || !info->pDevMode)
        return;

    win32::DEVMODEA dm{};
    win32::RtlMoveMemory(&dm, info->pDevMode, devmode_bytes);
    const printing::Printer& p = printers_.application();
    dm.dmOrientation = p.get(printing::prnOrientation).to_int16();
    dm.dmPaperSize = p.get(printing::prnPaperSize).to_int16();
    dm.dmCopies = p.get(printing::prnCopies).to_int16();
    dm.dmDefaultSource = p.get(printing::prnPaperBin).to_int16();
    dm.dmPrintQuality = p.get(printing::prnPrintQuality).to_int16();
    dm.dmColor = p.get(printing::prnColorMode).to_int16();
    dm.dmDuplex = p.get(printing::prnDuplex).to_int16();
    if (media_type > 0)
        dm.dmMediaType = static_cast<win32::DWORD>(media_type);
    dm.dmFields = win32::DM_ORIENTATION | win32::DM_PAPERSIZE | win32::DM_COPIES | win32::DM_DEFAULTSOURCE |
                  win32::DM_PRINTQUALITY | win32::DM_COLOR | win32::DM_DUPLEX;
    if (media_type > 0)
        dm.dmFields |= win32::DM_MEDIATYPE;
    win32::RtlMoveMemory(info->pDevMode, &dm, devmode_bytes);
    win32::SetPrinterA(printer.handle, 2, reinterpret_cast<win32::BYTE*>(buffer.data()), 0);
}
