#pragma once
// Creating automation objects: the office's service manager, reached by its program identifier.

#include "runtime/object.h"
#include "traffic.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

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

/// What has gone to the office over the connection `object` came from; zeros for an object
/// that is not the office's.
Traffic traffic(const rt::Object& object);

/// Waits until the type library ZEB reads for the connection `object` came from is read (on a
/// thread of its own, from the connection on; a person choosing a file gives it all the time
/// it needs), and what prepare_members() was given is ready. Until the library is read,
/// members are found by asking the office.
void await_type_library(const rt::Object& object);

/// Readies in ZEB, ahead, without a word to the office and on the type library's own thread,
/// what the first calls of the members `names` (any letter case) over the connection `object`
/// came from will need: so that those calls, when they come, wait for the office alone.
void prepare_members(const rt::Object& object, const std::vector<std::string>& names);

} // namespace office
