// The late-bound automation layer on Windows, against the automation objects the system
// itself provides (the scripting runtime's Dictionary and FileSystemObject): the same calls by
// name that the program makes of the office.

#include "error_of.h"
#include "forms/application.h"
#include "office/automation.h"
#include "runtime/date_text.h"
#include "runtime/dispatch_object.h"
#include "runtime/error.h"
#include "runtime/file_system.h"
#include "runtime/value.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <thread>

using rt::Value;

TEST(Automation, MembersAreCalledByNameInAnyLetterCaseWithTheirArgumentsAndResults)
{
    const std::shared_ptr<rt::Object> d = office::create_object("Scripting.Dictionary");
    d->call("Add", {Value("one"), Value(std::int32_t{1})});
    d->call("add", {Value("two"), Value(2.5)});
    d->call("ADD", {Value("\u00FCber"), Value(true)});
    EXPECT_EQ(d->get("Count").to_int32(), 3);
    EXPECT_EQ(d->get("count").to_int32(), 3) << "names match in any letter case";
    EXPECT_EQ(d->call("Item", {Value("one")}).to_int32(), 1);
    EXPECT_EQ(d->call("Item", {Value("two")}).to_double(), 2.5);
    EXPECT_TRUE(d->call("Item", {Value("\u00FCber")}).to_bool()) << "text crosses as UTF-16 and back";
    EXPECT_TRUE(d->call("Exists", {Value("two")}).to_bool());
    EXPECT_FALSE(d->call("Exists", {Value("three")}).to_bool());

    // An array comes back as the runtime's array, in order.
    const std::vector<Value> keys = d->call("Keys", {}).to_array();
    ASSERT_EQ(keys.size(), 3u);
    EXPECT_EQ(keys[0].to_text(), "one");
    EXPECT_EQ(keys[2].to_text(), "\u00FCber");

    // A property written takes effect (text compared regardless of case) and reads back; the
    // object refuses it once it holds keys, as it says.
    const auto text = office::create_object("Scripting.Dictionary");
    text->set("CompareMode", Value(std::int32_t{1}));
    EXPECT_EQ(text->get("CompareMode").to_int32(), 1);
    text->call("Add", {Value("Key"), Value()});
    EXPECT_TRUE(text->call("Exists", {Value("KEY")}).to_bool());
    EXPECT_EQ(error_of([&] { d->set("CompareMode", Value(std::int32_t{1})); }).number(), rt::errInvalidCall);

    // An array handed over whole.
    d->call("Add", {Value("list"), Value(std::vector<Value>{Value(std::int16_t{7}), Value("x"), Value()})});
    const std::vector<Value> list = d->call("Item", {Value("list")}).to_array();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].to_int16(), 7);
    EXPECT_EQ(list[1].to_text(), "x");
    EXPECT_TRUE(list[2].is_empty());
    d->call("Add", {Value("none"), Value(std::vector<Value>{})});
    EXPECT_TRUE(d->call("Item", {Value("none")}).to_array().empty()) << "the empty array of the load call";
}

TEST(Automation, ObjectsComeBackAsObjectsAndGoBackAsThemselves)
{
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string path = std::string(temp) + "zeb-automation.txt";
    std::ofstream(path) << "twelve bytes";
    const auto fso = office::create_object("Scripting.FileSystemObject");
    const std::shared_ptr<rt::Object> file = fso->call("GetFile", {Value(path)}).to_object();
    ASSERT_TRUE(file);
    EXPECT_EQ(file->get("Size").to_int32(), 12);
    EXPECT_EQ(file->get("Name").to_text(), "zeb-automation.txt");
    EXPECT_GT(file->get("DateLastModified").to_double(), 40000.0) << "a date after 2009, as days since 1899";

    const auto d = office::create_object("Scripting.Dictionary");
    d->call("Add", {Value("file"), Value(file)});
    EXPECT_EQ(d->call("Item", {Value("file")}).to_object()->get("Size").to_int32(), 12);
    DeleteFileA(path.c_str());
}

TEST(Automation, FailuresAreTheRuntimesErrorsWithTheObjectsNumberAndText)
{
    const auto d = office::create_object("Scripting.Dictionary");
    d->call("Add", {Value("one"), Value(std::int32_t{1})});
    const rt::Error twice = error_of([&] { d->call("Add", {Value("one"), Value(std::int32_t{1})}); });
    EXPECT_EQ(twice.number(), 457) << "raised by the object: this key is already associated with an element";
    EXPECT_FALSE(twice.description().empty());

    const rt::Error unknown = error_of([&] { d->call("NoSuchMember", {}); });
    EXPECT_EQ(unknown.number(), rt::errNoSuchMember);

    const rt::Error missing = error_of([] { office::create_object("No.Such.Class"); });
    EXPECT_EQ(missing.number(), rt::errCantCreateObject);
    const rt::Error office = error_of([] { office::create_object("com.sun.star.ServiceManager"); });
    EXPECT_EQ(office.number(), rt::errCantCreateObject);
    // What to do first, then the runtime's line; the cause is not known, so not told as known.
    const std::string said = office.description();
    EXPECT_EQ(said.rfind("Install LibreOffice from www.libreoffice.org", 0), 0u) << said;
    EXPECT_NE(said.find("start it once"), std::string::npos) << said;
    EXPECT_NE(said.find("\r\n\r\nActiveX component can't create object: 'com.sun.star.ServiceManager'."), std::string::npos)
        << said;
    EXPECT_EQ(said.find("for this user"), std::string::npos) << said;
}

TEST(FileSystemObject, AFilesDateIsTheOneTheSystemKeeps)
{
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string path = std::string(temp) + "zeb-dated.exe";
    std::ofstream(path) << "x";
    // 25 December 2020, 10:30 local time.
    SYSTEMTIME local{2020, 12, 5, 25, 10, 30, 0, 0}, utc{};
    TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc);
    FILETIME when{};
    SystemTimeToFileTime(&utc, &when);
    HANDLE h = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    SetFileTime(h, nullptr, nullptr, &when);
    CloseHandle(h);

    const rt::File file = rt::FileSystemObject().GetFile(path);
    std::tm t{};
    t.tm_year = 120, t.tm_mon = 11, t.tm_mday = 25, t.tm_hour = 10, t.tm_min = 30, t.tm_isdst = -1;
    EXPECT_EQ(file.DateLastModified(), std::mktime(&t));
    EXPECT_EQ(rt::format_date(file.DateLastModified(), "dd/mm/yyyy"), "25/12/2020");
    DeleteFileA(path.c_str());
    EXPECT_EQ(error_of([&] { rt::FileSystemObject().GetFile(path); }).number(), rt::errFileNotFound);
}

TEST(Automation, ScriptedObjectsAnswerByTheNamesTheirScriptGives)
{
    const auto control = office::create_object("MSScriptControl.ScriptControl");
    control->set("Language", Value("JScript"));
    control->call("AddCode", {Value("function createInstance(name) { return 'made ' + name; }")});
    const auto code = control->get("CodeObject").to_object();
    EXPECT_EQ(code->call("createInstance", {Value("x")}).to_text(), "made x");
}

TEST(Automation, TheProgramJoinsTheSystemsComponentWorldOnceAndLeavesItOnce)
{
    // On a thread of its own, as a program's: its session joins at start and leaves at the end;
    // reaching objects in between joins nothing more, so nothing is left joined after it.
    HRESULT after = S_OK;
    std::thread program([&] {
        {
            int argc = 0;
            forms::Application app(argc, nullptr);
            for (int i = 0; i < 3; ++i) {
                HRESULT hr = S_OK;
                EXPECT_TRUE(rt::create_dispatch_object("Scripting.Dictionary", hr)) << std::hex << hr;
            }
        }
        APTTYPE type{};
        APTTYPEQUALIFIER qualifier{};
        after = CoGetApartmentType(&type, &qualifier);
    });
    program.join();
    EXPECT_EQ(after, CO_E_NOTINITIALIZED) << "joined as often as left";
}
