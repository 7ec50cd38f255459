#pragma once
// Private to the office layer on Windows: the office's objects as the bridge hands them over,
// their failures told as on Linux.

#include "runtime/object.h"

#include <memory>

namespace office {

/// Wraps `object`, an object of the office's automation bridge.
std::shared_ptr<rt::Object> bridged(std::shared_ptr<rt::Object> object);

} // namespace office
