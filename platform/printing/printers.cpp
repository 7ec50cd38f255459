#include "printing/printers.h"

#include "queues/scheduler.h"
#include "runtime/error.h"

#include "win32/broadcast.h"
#include "win32/winuser.h"

#include <strings.h>

namespace printing {

// The queues this layer stands on: their settings, choices and codes.
using namespace queues;

Printers::Printers(std::function<void()> while_waiting)
    : while_waiting_(std::move(while_waiting)), receiver_(std::make_unique<win32::BroadcastReceiver>([this](win32::UINT msg, win32::WPARAM, win32::LPARAM lparam) {
          const char* section = reinterpret_cast<const char*>(lparam);
          if (msg == win32::WM_WININICHANGE && (!section || strcasecmp(section, "windows") == 0))
              default_changed();
      }))
{
}

Printers::~Printers() = default;

Printer& Printers::application()
{
    if (!application_) {
        std::string name = default_queue();
        if (name.empty()) {
            const std::vector<std::string> all = queue_names();
            if (!all.empty())
                name = all.front();
        }
        application_ = Printer(name);
    }
    return *application_;
}

void Printers::set_application(const Printer& printer)
{
    application_ = printer;
    gone_.reset();
}

void Printers::refresh()
{
    gone_.reset();
    // A stopped scheduler would hold the next call for minutes, and one that is not running
    // reads as no printer at all: the person is told which it is.
    switch (scheduler_state(3.0, while_waiting_)) {
    case Scheduler::NotAnswering:
        throw rt::Error(rt::errPrinterInfo, "Printers",
                        "The print system is not answering, so no printer can be reached now. Try again in a "
                        "moment; if it goes on, restart the print system (CUPS).");
    case Scheduler::NotRunning:
        throw rt::Error(rt::errPrinterInfo, "Printers",
                        "The print system is not running, so no printer can be reached. Start it (CUPS), then "
                        "try again.");
    case Scheduler::Answering:
        break;
    }
    if (application_ && (application_->name().empty() || !find_queue(application_->name()))) {
        if (!application_->name().empty())
            gone_ = std::move(application_);
        application_.reset();
    }
}

std::string Printers::gone() const { return gone_ ? gone_->name() : std::string(); }

void Printers::keep_gone()
{
    if (gone_)
        application_ = std::move(gone_);
    gone_.reset();
}

std::vector<Printer> Printers::collection() const
{
    std::vector<Printer> printers;
    for (std::string& name : queue_names())
        printers.emplace_back(std::move(name));
    return printers;
}

void Printers::default_changed()
{
    if (!application_ || !application_->follows_default())
        return;
    const std::string name = default_queue();
    if (name.empty() || name == application_->name())
        return;
    Printer now(name);
    now.set(prnFollowsDefault, rt::Value(true));
    application_ = now;
}

} // namespace printing
