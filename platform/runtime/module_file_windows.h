#pragma once
// The running program's own file on Windows, for what the runtime reads of it.

#include <string>

namespace rt {

/// The full path of the running program's executable, as the system gives it; empty when the
/// system gives none.
std::wstring own_file_name();

} // namespace rt
