// Ends the office that the environment's ZEB_OFFICE_* settings point at, if it is running,
// as a person's "Quit" would: tests and benchmarks use it to leave no office behind.

#include "office/automation.h"
#include "runtime/error.h"
#include "runtime/value.h"

#include <cstdio>
#include <cstdlib>

int main()
{
    // Only an office already running is ended: never start one to end it.
    setenv("ZEB_SOFFICE", "/bin/false", 1);
    try {
        auto manager = office::create_object("com.sun.star.ServiceManager");
        auto desk = manager->call("createInstance", {rt::Value("com.sun.star.frame.Desktop")}).to_object();
        desk->call("terminate", {});
    } catch (const rt::Error& e) {
        if (e.number() == rt::errCantCreateObject)
            return 0; // nothing runs there
        // terminate drops the connection as the office goes; that is the expected end.
    }
    return 0;
}
