// Asking CUPS's scheduler whether it answers, on a thread of its own so that the caller's
// thread goes on (and the program's windows paint) while it waits.

#include "queues/scheduler.h"

#include <cups/cups.h>

#include <chrono>
#include <future>
#include <memory>
#include <thread>

namespace queues {

Scheduler scheduler_state(double seconds, const std::function<void()>& tick)
{
    const int wait_ms = static_cast<int>(seconds * 1000);
    // A new thread reads the print system's environment afresh (libcups keeps it per thread).
    auto asked = std::make_shared<std::promise<Scheduler>>();
    std::future<Scheduler> answer = asked->get_future();
    std::thread([asked, wait_ms] {
        int cancel = 0;
        http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, wait_ms,
                                    &cancel);
        if (!http) {
            asked->set_value(Scheduler::NotRunning);
            return;
        }
        // A stopped scheduler takes the connection and never answers: give up after the wait.
        httpSetTimeout(http, wait_ms / 1000.0, [](http_t*, void*) { return 0; }, nullptr);
        ipp_t* response = cupsDoRequest(http, ippNewRequest(IPP_OP_CUPS_GET_DEFAULT), "/");
        const bool answered = response != nullptr;
        ippDelete(response);
        httpClose(http);
        asked->set_value(answered ? Scheduler::Answering : Scheduler::NotAnswering);
    }).detach();
    // The thread ends by itself within the wait; the caller waits a little longer for it.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(wait_ms + 1000);
    while (answer.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready) {
        if (std::chrono::steady_clock::now() >= deadline)
            return Scheduler::NotAnswering;
        if (tick)
            tick();
    }
    return answer.get();
}

} // namespace queues
