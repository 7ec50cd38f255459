// Bridge messages per call while ZEB opens a workbook, as a fresh process would: the real
// workbook dialog answered with PATH, on the office the environment names (ZEB_OFFICE_PIPE,
// ZEB_OFFICE_PROFILE). Prints the calls made by name and the messages written to the office
// from the Return key to the end of start-up, when Routines is enabled:
// "CALLS REQUESTS RELEASES MESSAGES" (requests wait for the office's answer; releases do not).
// Usage: bridge_requests PATH

#include "drivers.h"
#include "forms/application.h"
#include "office/automation.h"
#include "printing/printers.h"
#include "zeb_form.h"
#include "zeb_main.h"

#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    forms::Application app(argc, argv);
    const QString path = QString::fromLocal8Bit(argv[1]);
    printing::Printers printers;
    ZEB_main zeb(app, printers);
    ZEB_form form(zeb);
    office::Traffic before;
    when_modal_of<QFileDialog>([&](QFileDialog* d) {
        // A person takes seconds to choose; ZEB reads its type library meanwhile.
        office::await_type_library(*zeb.desk);
        name_edit(d)->setFocus(Qt::OtherFocusReason);
        name_edit(d)->setText(path);
        before = office::traffic(*zeb.desk);
        QTest::keyClick(name_edit(d), Qt::Key_Return);
    });
    form.show();
    if (!zeb.wb_open) {
        std::fprintf(stderr, "ZEB did not open %s\n", argv[1]);
        return 1;
    }
    const office::Traffic after = office::traffic(*zeb.desk);
    const auto n = [](std::uint64_t a, std::uint64_t b) { return static_cast<unsigned long long>(a - b); };
    std::printf("%llu %llu %llu %llu\n", n(after.calls, before.calls), n(after.requests, before.requests),
                n(after.releases, before.releases), n(after.messages, before.messages));
    std::fflush(stdout);
    form.close();
    _exit(0); // the figures are out; the UNO runtime is not torn down at exit
}
