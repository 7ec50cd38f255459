#include "operations.h"

#include "runtime/error.h"
#include "win32/windef.h"

#include <algorithm>
#include <cstdio>

namespace {

std::int32_t number(const std::string& text) { return static_cast<std::int32_t>(std::stoll(text, nullptr, 0)); }

std::string hex(std::int64_t v)
{
    if (v < 0)
        return std::to_string(v); // a failure's -1, not its bits
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "0x%llX", static_cast<long long>(v));
    return buffer;
}

/// The application printer's state, read after a call.
std::string application_printer(printing::Printers& printers)
{
    try {
        const printing::Printer& p = printers.application();
        return " application=" + p.get(printing::prnDeviceName).to_text() +
               " orientation=" + p.get(printing::prnOrientation).to_text() +
               " paper=" + p.get(printing::prnPaperSize).to_text() + " copies=" + p.get(printing::prnCopies).to_text() +
               " duplex=" + p.get(printing::prnDuplex).to_text();
    } catch (const rt::Error& e) {
        return " application=(" + e.description() + ")";
    }
}

/// The text in double quotes.
std::string quoted(const std::string& text)
{
    std::string q;
    q.reserve(text.size() + 2);
    q += '"';
    q += text;
    q += '"';
    return q;
}

} // namespace

std::vector<Operation> tour_operations(CDC_class& cdc, printing::Printers& printers, const std::intptr_t& huke)
{
    return {
        {"Show&Open", {{"filters", "Workbooks (*.ods)|*.ods|All files|*"}, {"flags", "0x80A04"}, {"title", "Open"}, {"folder", "."}},
         [&cdc, &printers, &huke](const auto& a) {
             std::string filters = a[0];
             std::replace(filters.begin(), filters.end(), '|', '\0');
             std::string chosen = cdc.ShowOpen(win32::as_handle(huke), rt::Value(filters), rt::Value(number(a[1])), rt::Value(a[2]), a[3]).to_text();
             std::replace(chosen.begin(), chosen.end(), '\r', '|');
             return quoted(chosen);
         }},
        {"Show&Save", {{"filter", "Workbooks (*.ods)|*.ods"}, {"extension", "ods"}, {"flags", "0x2"}, {"title", "Save as"},
                       {"folder", "."}, {"file name", "Book1.ods"}},
         [&cdc, &printers, &huke](const auto& a) {
             std::string filter = a[0];
             std::replace(filter.begin(), filter.end(), '|', '\0');
             return quoted(cdc.ShowSave(win32::as_handle(huke), filter, a[1], number(a[2]), a[3], a[4], a[5]));
         }},
        {"Show&Color", {{"flags", "0x3"}}, [&cdc, &printers, &huke](const auto& a) { return hex(cdc.ShowColor(win32::as_handle(huke), number(a[0]))); }},
        {"Show&Font", {{"flags", "0x141"}}, [&cdc, &printers, &huke](const auto& a) { return quoted(cdc.ShowFont(win32::as_handle(huke), number(a[0]))); }},
        {"Font&Data", {{"op", "1"}}, [&cdc, &printers, &huke](const auto& a) { return cdc.FontData(rt::Value(number(a[0]))).to_text(); }},
        {"Show&Printer", {{"flags", "0x8000C"}},
         [&cdc, &printers, &huke](const auto& a) {
             cdc.ShowPrinter(rt::Value(static_cast<std::int32_t>(huke)), number(a[0]));
             return "done" + application_printer(printers);
         }},
        {"default_f&lag", {{"d_flg", "1"}},
         [&cdc, &printers, &huke](const auto& a) {
             cdc.default_flag(rt::Value(number(a[0])));
             return std::string("set");
         }},
        {"ShowPa&geSetupDlg", {{"flags", "0x8"}},
         [&cdc, &printers, &huke](const auto& a) {
             // The state is read after the call, not in the same expression as it.
             const std::int32_t answer = cdc.ShowPageSetupDlg(rt::Value(static_cast<std::int32_t>(huke)), number(a[0]));
             return std::to_string(answer) + application_printer(printers);
         }},
        {"P&ageData", {},
         [&cdc](const auto&) {
             std::vector<float> m(7);
             cdc.PageData(m);
             std::string text;
             for (float v : m) {
                 char figure[32];
                 std::snprintf(figure, sizeof figure, "%s%g", text.empty() ? "" : " ", static_cast<double>(v));
                 text += figure;
             }
             return text;
         }},
        {"&error_message", {{"fnct", "ShowSave"}, {"er_cd", "0x3003"}},
         [&cdc, &printers, &huke](const auto& a) {
             cdc.error_message(a[0], number(a[1]));
             return std::string("shown");
         }},
    };
}

std::string tour_line(const Operation& op, const std::vector<std::string>& args, const CDC_class& cdc, const bool& dlg_fail)
{
    std::string name = op.caption;
    name.erase(std::remove(name.begin(), name.end(), '&'), name.end());
    std::string line;
    try {
        line = name + " -> " + op.call(args);
    } catch (const rt::Error& e) {
        line = name + " raised " + std::to_string(e.number()) + " \"" + e.description() + "\"";
    } catch (const std::exception& e) {
        line = name + " could not read its arguments: " + e.what();
    }
    line += " dlg_fail=" + std::string(dlg_fail ? "True" : "False") + " last_error=" + hex(cdc.last_error());
    // The system's own text for 0x100B speaks of WIN.INI; here it means the queue is gone.
    if (cdc.last_error() == 0x100B)
        line += " (the printer's queue is no longer installed)";
    return line;
}
