// Creating automation objects on Windows: the class registered for the program identifier,
// started by the system, reached through IDispatch. LibreOffice registers its automation
// bridge as "com.sun.star.ServiceManager".

#include "automation.h"
#include "bridged_object_windows.h"

#include "runtime/dispatch_object.h"
#include "runtime/error.h"
#include "runtime/value.h"


namespace office {
namespace {

rt::Error cannot_create(const std::string& progid, const std::string& why)
{
    return rt::Error(rt::errCantCreateObject, "ZEB", "ActiveX component can't create object: '" + progid + "'.\r\n" + why);
}

/// What to tell the person when the office's class cannot be had.
std::string advice(const std::string& progid, HRESULT hr)
{
    if (progid != "com.sun.star.ServiceManager")
        return "The class is not installed on this computer.";
    if (hr == REGDB_E_CLASSNOTREG || hr == CO_E_CLASSSTRING)
        return "LibreOffice is not installed for this user (its automation bridge is not registered).\r\n"
               "Install LibreOffice, then start ZEB again.";
    return "LibreOffice did not start. Close any LibreOffice that shows a question, then start ZEB again.";
}

} // namespace

std::shared_ptr<rt::Object> create_object(const std::string& progid, const Waiting& waiting)
{
    if (waiting.begin)
        waiting.begin();
    HRESULT result = S_OK;
    std::shared_ptr<rt::DispatchObject> made = rt::create_dispatch_object(progid, result);
    if (waiting.end)
        waiting.end();
    if (!made)
        throw cannot_create(progid, advice(progid, result));
    return progid == "com.sun.star.ServiceManager" ? bridged(made) : made;
}

Traffic traffic(const rt::Object&) { return {}; } // the system's bridge counts nothing for ZEB

void await_type_library(const rt::Object&) {} // members are found by name, by the object itself

void prepare_members(const rt::Object&, const std::vector<std::string>&) {}

} // namespace office
