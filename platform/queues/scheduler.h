#pragma once
// Whether the print system answers, asked with a bounded wait: a scheduler that is stopped
// would otherwise hold every print-system call for minutes.

#include <functional>

namespace queues {

/// What the print system's scheduler did when asked.
enum class Scheduler { Answering, NotAnswering, NotRunning };

/// Asks the scheduler for one small answer, waiting at most `seconds`; `tick` runs about every
/// 50 ms of the wait, on the caller's thread (the program's windows paint meanwhile).
Scheduler scheduler_state(double seconds, const std::function<void()>& tick = {});

} // namespace queues
