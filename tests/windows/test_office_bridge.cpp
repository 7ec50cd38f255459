// The office as ZEB reaches it on Windows: the class registered as "com.sun.star.ServiceManager"
// (here the tests' office, the real LibreOffice behind the bridge's rules), called by name
// through IDispatch.

#include "office_registration.h"

#include "office/automation.h"

#include "runtime/dispatch_object.h"
#include "runtime/error.h"
#include "runtime/value.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

std::shared_ptr<rt::DispatchObject> service_manager()
{
    HRESULT hr = S_OK;
    auto manager = rt::create_dispatch_object("com.sun.star.ServiceManager", hr);
    EXPECT_TRUE(manager) << std::hex << hr;
    return manager;
}

rt::Error error_of(const std::function<void()>& f)
{
    try {
        f();
    } catch (const rt::Error& e) {
        return e;
    }
    ADD_FAILURE() << "no error was raised";
    return rt::Error(0, "", "");
}

} // namespace

TEST(OfficeBridge, MembersAreFoundInAnyLetterCaseAndTheCallsKindMustBeTheMembers)
{
    const TestOffice office;
    auto manager = service_manager();
    ASSERT_TRUE(manager);
    auto desk = manager->call("CreateInstance", {rt::Value("com.sun.star.frame.Desktop")}).to_object();
    ASSERT_TRUE(desk);
    auto components = desk->get("components").to_object(); // a property, in another letter case
    ASSERT_TRUE(components);
    EXPECT_TRUE(components->call("CREATEENUMERATION", {}).to_object());
    // A method read as a property has nothing in common with the call: no such member.
    EXPECT_EQ(error_of([&] { components->get("createEnumeration"); }).number(), rt::errNoSuchMember);
    EXPECT_EQ(error_of([&] { desk->call("noSuchMemberAnywhere", {}); }).number(), rt::errNoSuchMember);
}

TEST(OfficeBridge, AnOfficeExceptionComesAsTheBridgesExceptionWithItsText)
{
    const TestOffice office;
    auto manager = service_manager();
    ASSERT_TRUE(manager);
    auto desk = manager->call("createInstance", {rt::Value("com.sun.star.frame.Desktop")}).to_object();
    auto documents = desk->get("Components").to_object()->call("createEnumeration", {}).to_object();
    while (documents->call("hasMoreElements", {}).to_bool())
        documents->call("nextElement", {});
    // Past the last element the office raises NoSuchElementException.
    const rt::Error e = error_of([&] { documents->call("nextElement", {}); });
    EXPECT_EQ(e.number(), 1001) << e.description();
    EXPECT_EQ(e.source(), "[automation bridge] ");
    EXPECT_NE(e.description().find("NoSuchElementException"), std::string::npos) << e.description();
}

TEST(OfficeBridge, TheProgramHearsTheOfficesFailuresAsOnLinux)
{
    const TestOffice office;
    auto manager = office::create_object("com.sun.star.ServiceManager");
    auto desk = manager->call("createInstance", {rt::Value("com.sun.star.frame.Desktop")}).to_object();
    auto documents = desk->get("Components").to_object()->call("createEnumeration", {}).to_object();
    while (documents->call("hasMoreElements", {}).to_bool())
        documents->call("nextElement", {});
    const rt::Error e = error_of([&] { documents->call("nextElement", {}); });
    EXPECT_EQ(e.number(), rt::errAutomation) << e.description();
    EXPECT_EQ(e.description().rfind("nextElement: ", 0), 0u) << e.description();
    EXPECT_NE(e.description().find("NoSuchElementException"), std::string::npos) << e.description();
    EXPECT_EQ(e.description().find(".cxx:"), std::string::npos) << "the office's internals stay out";
}
