// The office as ZEB reaches it on Windows: the class registered as "com.sun.star.ServiceManager"
// (here the tests' office, the real LibreOffice behind the bridge's rules), called by name
// through IDispatch.

#include "office_registration.h"

#include "office/automation.h"
#include "office/questions.h"

#include "runtime/dispatch_object.h"
#include "runtime/error.h"
#include "runtime/file_identity.h"
#include "runtime/value.h"

#include <fstream>
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

TEST(OfficeBridge, AnOpeningThatGaveNoDocumentIsToldByTheFileItself)
{
    // A file URL names a Windows path in either spelling of a drive or a share.
    EXPECT_EQ(rt::path_of_url("file:///C:/a%20b/c.ods"), "C:\\a b\\c.ods");
    EXPECT_EQ(rt::path_of_url("file:///c|/x.ods"), "c:\\x.ods");
    EXPECT_EQ(rt::path_of_url("file://server/share/x.ods"), "\\\\server\\share\\x.ods");
    EXPECT_EQ(rt::path_of_url("file://///server/share/x.ods"), "\\\\server\\share\\x.ods");
    EXPECT_EQ(rt::path_of_url("private:factory/scalc"), "");

    const TestOffice office;
    auto desk = office::create_object("com.sun.star.ServiceManager")
                    ->call("createInstance", {rt::Value("com.sun.star.frame.Desktop")})
                    .to_object();
    CreateDirectoryA("C:\\zeb tests", nullptr);
    const char* const path = "C:\\zeb tests\\asked.ods";
    const char* const url = "file:///C|/zeb%20tests/asked.ods";
    const char* const lock = "C:\\zeb tests\\.~lock.asked.ods#";
    {
        std::ofstream(path, std::ios::binary) << std::string(200000, 'x');
    }
    using Asked = std::vector<office::Question>;
    EXPECT_EQ(office::questions_on_opening(*desk, url), Asked{office::Question::Other});
    {
        std::ofstream(lock, std::ios::binary) << "Someone Else,otherhost,someone,07.12.2026 09:00,;";
    }
    EXPECT_EQ(office::questions_on_opening(*desk, url), Asked{office::Question::Lock});
    // Held by a program that lets nobody read it: the office could not read it either, and
    // said so, which asks nothing.
    const HANDLE held = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(office::questions_on_opening(*desk, url), Asked{office::Question::Report});
    CloseHandle(held);
    DeleteFileA(lock);
    DeleteFileA(path);
}
