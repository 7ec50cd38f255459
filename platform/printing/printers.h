#pragma once
// The application printer and the installed-printer collection, for the whole program.

#include "printing/printer.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace win32 {
class BroadcastReceiver;
}

namespace printing {

/// The program's printers: the application printer, through which the program prints, and
/// the printers installed on the system. One object for the program; its owner hands it to
/// whoever prints.
class Printers {
public:
    /// `while_waiting` runs about every 50 ms while the print system is waited for, so that the
    /// program's windows paint meanwhile.
    explicit Printers(std::function<void()> while_waiting = {});
    ~Printers();
    Printers(const Printers&) = delete;
    Printers& operator=(const Printers&) = delete;

    /// The application printer. At first use it is the user's default queue (the user's
    /// lpoptions, then the server's default), else the first queue, else no printer.
    Printer& application();
    /// Makes `printer` the application printer.
    void set_application(const Printer& printer);
    /// One printer object per installed queue, in the print system's order.
    std::vector<Printer> collection() const;
    /// Looks at the installed queues again, as before a dialog: an application printer whose
    /// queue is gone (or that was no printer at all) gives way to the one application() picks
    /// at first use; one whose queue is there stays, with its settings. A print system that
    /// does not answer within a few seconds, or is not running, raises error 484 saying so. The
    /// printer that gave way is kept until a dialog ends: gone() names it, keep_gone() brings
    /// it back.
    void refresh();
    /// The name of the application printer whose queue refresh() found gone; empty when none.
    std::string gone() const;
    /// A dialog that started without the application printer was cancelled: the printer that
    /// gave way is the application printer again, so that a cancel changes nothing.
    void keep_gone();

private:
    /// The system's default printer changed: an application printer that follows it is replaced.
    void default_changed();

    std::function<void()> while_waiting_;
    std::optional<Printer> application_;
    std::optional<Printer> gone_;
    std::unique_ptr<win32::BroadcastReceiver> receiver_;
};

} // namespace printing
