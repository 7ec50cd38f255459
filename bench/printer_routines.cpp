// What the default-printer routines cost against a private print scheduler: one
// store_printer_settings, one set_default_printer each way, and a printer object's first
// read of its queue. Prints medians of 21 runs in milliseconds.

#include "cdc_class.h"
#include "forms/application.h"
#include "printing/printers.h"
#include "private_cups.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

/// The dialog service's private routines, as the benchmark calls them.
struct CDC_test_access {
    CDC_class& cdc;
    void set_default_printer(const std::string& name) { cdc.set_default_printer(name); }
    void store_printer_settings(const std::string& name, std::int32_t media) { cdc.store_printer_settings(name, media); }
};

namespace {

double median_ms(int runs, const std::function<void(int)>& work)
{
    using clock_type = std::chrono::steady_clock;
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        const auto t0 = clock_type::now();
        work(run);
        times.push_back(std::chrono::duration<double, std::milli>(clock_type::now() - t0).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    PrivateCups cups; // before any print-system call of the process
    for (const char* q : {"Q_A", "Q_B", "Q_C"})
        cups.add_queue(q);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    forms::Application app(argc, argv);
    printing::Printers printers;
    bool dlg_fail = false;
    CDC_class cdc(dlg_fail, printers);
    CDC_test_access access{cdc};
    const char* names[] = {"Q_A", "Q_B", "Q_C"};

    const double read = median_ms(21, [&](int run) { printing::Printer(names[run % 3]).get(printing::prnPaperSize); });
    printers.application().set(printing::prnDuplex, rt::Value(std::int16_t{2}));
    const double store = median_ms(21, [&](int run) { access.store_printer_settings("Q_A", run % 2); });
    const double nt = median_ms(21, [&](int run) { access.set_default_printer(names[run % 3]); });
    setenv("ZEB_PLATFORM_ID", "1", 1);
    const double win95 = median_ms(21, [&](int run) { access.set_default_printer(names[run % 3]); });
    unsetenv("ZEB_PLATFORM_ID");

    std::printf("default-printer routines, private scheduler, milliseconds (median of 21)\n");
    std::printf("  a printer object's first read of its queue  %7.2f\n", read);
    std::printf("  store_printer_settings                      %7.2f\n", store);
    std::printf("  set_default_printer, WIN.INI way            %7.2f\n", nt);
    std::printf("  set_default_printer, spooler way            %7.2f\n", win95);
    return dlg_fail ? 1 : 0;
}
