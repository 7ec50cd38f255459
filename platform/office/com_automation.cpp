// Creating automation objects on Windows: the class registered for the program identifier,
// started by the system, reached through IDispatch. LibreOffice registers its automation
// bridge as "com.sun.star.ServiceManager".

#include "automation.h"

#include "runtime/dispatch_object.h"
#include "runtime/error.h"
#include "runtime/value.h"

#include <cstdlib>
#include <fstream>
#include <iterator>


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

/// A script's code object, with the script control that runs it kept for as long.
class ScriptedObject : public rt::Object {
public:
    ScriptedObject(std::shared_ptr<rt::Object> control, std::shared_ptr<rt::Object> code)
        : control_(std::move(control)), code_(std::move(code))
    {
    }
    rt::Value call(std::string_view name, const std::vector<rt::Value>& args) override { return code_->call(name, args); }
    rt::Value get(std::string_view name) override { return code_->get(name); }
    void set(std::string_view name, const rt::Value& value) override { code_->set(name, value); }

private:
    std::shared_ptr<rt::Object> control_; ///< ends the script when it goes
    std::shared_ptr<rt::Object> code_;
};

/// For the tests only: when ZEB_OFFICE_STAND_IN names a script (JScript), the office's service
/// manager is that script's code object, made by the system's script control, so that the
/// program's calls of the office by name reach the functions the script defines. Null when
/// the variable is not set.
std::shared_ptr<rt::Object> stand_in_office()
{
    const char* script = std::getenv("ZEB_OFFICE_STAND_IN");
    if (!script || !*script)
        return nullptr;
    std::ifstream file(script);
    const std::string code{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    HRESULT result = S_OK;
    const std::shared_ptr<rt::DispatchObject> control = rt::create_dispatch_object("MSScriptControl.ScriptControl", result);
    if (!file || !control)
        throw cannot_create("com.sun.star.ServiceManager", std::string("The stand-in office ") + script + " could not be made.");
    control->set("Language", rt::Value("JScript"));
    control->call("AddCode", {rt::Value(code)});
    return std::make_shared<ScriptedObject>(control, control->get("CodeObject").to_object());
}

} // namespace

std::shared_ptr<rt::Object> create_object(const std::string& progid, const Waiting& waiting)
{
    if (progid == "com.sun.star.ServiceManager")
        if (std::shared_ptr<rt::Object> stand_in = stand_in_office())
            return stand_in;
    if (waiting.begin)
        waiting.begin();
    HRESULT result = S_OK;
    std::shared_ptr<rt::DispatchObject> made = rt::create_dispatch_object(progid, result);
    if (waiting.end)
        waiting.end();
    if (!made)
        throw cannot_create(progid, advice(progid, result));
    return made;
}

Traffic traffic(const rt::Object&) { return {}; } // the system's bridge counts nothing for ZEB

void await_type_library(const rt::Object&) {} // members are found by name, by the object itself

void prepare_members(const rt::Object&, const std::vector<std::string>&) {}

} // namespace office
