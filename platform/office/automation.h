#pragma once
// Creating automation objects: the office's service manager, reached by its program identifier.

#include "runtime/object.h"

#include <functional>
#include <memory>
#include <string>

namespace office {

/// What the caller wants to hear while the office is being started, which can take seconds.
struct Waiting {
    std::function<void()> begin; ///< the office is being started; the wait starts
    std::function<void()> tick;  ///< still waiting (about every 50 ms)
    std::function<void()> end;   ///< the wait is over, reached or not
};

/// Creates the automation object `progid`. "com.sun.star.ServiceManager" connects to
/// LibreOffice on ZEB's own pipe, starting it when nothing answers, and waits a bounded time.
/// Failures raise rt::Error 429 with a description that says what to do.
///
/// The environment chooses the office: ZEB_SOFFICE (the soffice program), ZEB_OFFICE_PIPE
/// (the pipe name), ZEB_OFFICE_PROFILE (a private profile folder), ZEB_OFFICE_HEADLESS=1
/// (no windows) and ZEB_OFFICE_WAIT (seconds to wait for it to answer, 60 by default).
std::shared_ptr<rt::Object> create_object(const std::string& progid, const Waiting& waiting = {});

} // namespace office
