#pragma once
// Private to the office bridge: what the process behind an office's pipe was started with.

#include <string>

namespace office {

/// Whether the office listening on the pipe socket `socket_path` runs without windows
/// (started with --headless); false when that cannot be told.
bool runs_headless(const std::string& socket_path);

} // namespace office
