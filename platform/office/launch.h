#pragma once
// Private to the office layer: starting the office as a process of its own.

#include <string>
#include <sys/types.h>
#include <vector>

namespace office {

/// Starts `args` in a session of its own, with standard input and output on /dev/null,
/// so the office outlives ZEB and never holds ZEB's terminal. Returns the process id, or -1.
pid_t launch(const std::vector<std::string>& args);

/// Whether `pid` has ended; its exit status goes to `status`.
bool has_ended(pid_t pid, int& status);

} // namespace office
