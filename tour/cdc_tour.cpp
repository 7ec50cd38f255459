// A tour of the dialog service: one window, a button for each public operation with the
// arguments a caller would pass (shown and editable), and what each call gave, in the window
// and on standard output, one line a call. It is how a person tries every dialog for real.

#include "operations.h"
#include "tour_window.h"

#include <cstdio>

int main(int argc, char** argv)
{
    forms::Application app(argc, argv);
    printing::Printers printers([&app] { app.process_events(); }); // windows paint while printers are waited for
    bool dlg_fail = false;
    CDC_class cdc(dlg_fail, printers);
    std::intptr_t huke = 0;
    const std::vector<Operation> operations = tour_operations(cdc, printers, huke);
    return run_tour_window(app, operations, huke, [&](std::size_t index, const std::vector<std::string>& args) {
        const std::string line = tour_line(operations[index], args, cdc, dlg_fail);
        std::printf("%s\n", line.c_str());
        std::fflush(stdout);
        return line;
    });
}
