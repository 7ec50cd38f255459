#include "error_of.h"
#include "office/automation.h"
#include "office/office_words.h"
#include "office/questions.h"
#include "office_env.h"
#include "private_office.h"
#include "runtime/error.h"
#include "runtime/value.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

using rt::Value;

namespace {

double seconds_for(const std::function<void()>& f)
{
    const auto t0 = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

/// Points the bridge at `soffice` on a pipe nobody answers, waiting at most `wait` seconds.
struct UnreachableOffice {
    explicit UnreachableOffice(const std::string& soffice, const std::string& wait = "5")
        : program("ZEB_SOFFICE", soffice), pipe("ZEB_OFFICE_PIPE", "zeb_nobody_" + std::to_string(getpid())),
          limit("ZEB_OFFICE_WAIT", wait)
    {
    }
    ScopedEnv program, pipe, limit;
};

class Office : public testing::Test {
protected:
    void SetUp() override { desk = test_office().desktop(); }
    std::shared_ptr<rt::Object> desk;
};

} // namespace

TEST_F(Office, ServiceManagerGivesTheDesktop)
{
    ASSERT_TRUE(desk);
    // The desktop answers as a desktop: it has a frame collection.
    EXPECT_EQ(desk->get("Frames").kind(), Value::Kind::Object);
}

TEST_F(Office, MemberNamesMatchRegardlessOfLetterCase)
{
    auto manager = test_office().service_manager();
    auto again = manager->call("CREATEINSTANCE", {Value("com.sun.star.frame.Desktop")}).to_object();
    EXPECT_TRUE(again);
    auto doc = desk->call("LoadComponentFromURL", {Value("private:factory/scalc"), Value("_blank"),
                                                   Value(std::int16_t(0)), Value(std::vector<Value>{})})
                   .to_object();
    EXPECT_EQ(doc->get("sheets").to_object()->get("count").to_int16(), 1);
    doc->call("Close", {Value(true)});
}

TEST_F(Office, DocumentMembersGiveRuntimeValues)
{
    auto doc = desk->call("loadComponentFromURL", {Value("private:factory/scalc"), Value("_blank"),
                                                   Value(std::int16_t(0)), Value(std::vector<Value>{})})
                   .to_object();
    auto sheets = doc->call("getSheets", {}).to_object();
    sheets->call("insertNewByName", {Value("Second"), Value(std::int16_t(1))});
    EXPECT_EQ(sheets->get("Count").kind(), Value::Kind::Long);
    EXPECT_EQ(sheets->get("Count").to_int32(), 2);
    const auto names = sheets->get("ElementNames").to_array();
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(names[1].to_text(), "Second");
    EXPECT_EQ(sheets->call("getByIndex", {Value(std::int16_t(1))}).to_object()->get("Name").to_text(), "Second");
    // A property written by name reads back.
    auto first = sheets->call("getByIndex", {Value(std::int16_t(0))}).to_object();
    first->set("Name", Value("Renamed"));
    EXPECT_EQ(first->get("name").to_text(), "Renamed");
    // A property without a getter method is read through the adapter.
    EXPECT_TRUE(first->get("IsVisible").to_bool());
    // The same members on a second object of the same type, from what the first taught.
    auto second = doc->call("getSheets", {}).to_object()->call("getByIndex", {Value(std::int16_t(1))}).to_object();
    EXPECT_EQ(second->get("Name").to_text(), "Second");
    EXPECT_TRUE(second->get("isvisible").to_bool());
    doc->call("close", {Value(true)});
}

TEST_F(Office, UnknownMemberRaisesError438NamingIt)
{
    const auto e = error_of([&] { desk->call("NoSuchMember", {}); });
    EXPECT_EQ(e.number(), rt::errNoSuchMember);
    EXPECT_NE(e.description().find("NoSuchMember"), std::string::npos);
}

TEST_F(Office, OfficeExceptionBecomesRuntimeErrorWithItsMessage)
{
    const auto e = error_of([&] {
        desk->call("loadComponentFromURL", {Value("file:///no/such/folder/book.ods"), Value("_blank"),
                                            Value(std::int16_t(0)), Value(std::vector<Value>{})});
    });
    EXPECT_EQ(e.number(), rt::errAutomation);
    EXPECT_EQ(e.source(), "com.sun.star.lang.IllegalArgumentException");
    EXPECT_NE(e.description().find("loadComponentFromURL"), std::string::npos);
    // Index out of range inside the office, wrapped by the invocation, arrives unwrapped.
    auto doc = desk->call("loadComponentFromURL", {Value("private:factory/scalc"), Value("_blank"),
                                                   Value(std::int16_t(0)), Value(std::vector<Value>{})})
                   .to_object();
    const auto bad = error_of([&] { doc->get("Sheets").to_object()->call("getByIndex", {Value(7)}); });
    EXPECT_EQ(bad.source(), "com.sun.star.lang.IndexOutOfBoundsException");
    doc->call("close", {Value(true)});
}

TEST(OfficeAbsent, UnknownProgramIdentifierRaises429)
{
    EXPECT_EQ(error_of([] { office::create_object("Excel.Application"); }).number(), rt::errCantCreateObject);
}

TEST(OfficeAbsent, MissingProgramFailsAtOnceSayingToInstallLibreOffice)
{
    UnreachableOffice absent("/nonexistent/libreoffice/soffice");
    rt::Error e(0, "", "");
    const double took = seconds_for([&] { e = error_of([] { office::create_object("com.sun.star.ServiceManager"); }); });
    EXPECT_EQ(e.number(), rt::errCantCreateObject);
    EXPECT_NE(e.description().find("not installed"), std::string::npos) << e.description();
    EXPECT_NE(e.description().find("libreoffice-calc"), std::string::npos) << e.description();
    EXPECT_LT(took, 5.0) << "it must not wait for an office that cannot start";
}

TEST(OfficeAbsent, LauncherThatFailsEndsTheWaitAtOnce)
{
    UnreachableOffice failing("/bin/false");
    rt::Error e(0, "", "");
    bool begun = false, ended = false;
    const office::Waiting waiting{[&] { begun = true; }, {}, [&] { ended = true; }};
    const double took = seconds_for(
        [&] { e = error_of([&] { office::create_object("com.sun.star.ServiceManager", waiting); }); });
    EXPECT_EQ(e.number(), rt::errCantCreateObject);
    EXPECT_NE(e.description().find("exit code 1"), std::string::npos) << e.description();
    EXPECT_TRUE(begun && ended) << "the waiting notice opens and closes again";
    EXPECT_LT(took, 5.0);
}

TEST(OfficeAbsent, WaitForAnOfficeThatNeverAnswersIsBounded)
{
    UnreachableOffice silent("/bin/true", "1");
    rt::Error e(0, "", "");
    const double took = seconds_for([&] { e = error_of([] { office::create_object("com.sun.star.ServiceManager"); }); });
    EXPECT_EQ(e.number(), rt::errCantCreateObject);
    EXPECT_NE(e.description().find("did not answer within 1 seconds"), std::string::npos) << e.description();
    EXPECT_GE(took, 1.0);
    EXPECT_LT(took, 4.0);
}

TEST(OfficeAbsent, AnOfficeZebStartedThatIsSlowIsWaitedForNotClosed)
{
    // A launcher still at work when the wait ends: the office ZEB started has no window yet to
    // close. The person is told it is still starting, and what to do.
    const std::string dir = std::filesystem::temp_directory_path() / ("zeb-slow-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const std::string launcher = dir + "/soffice", pid_file = dir + "/pid";
    std::ofstream(launcher) << "#!/bin/sh\necho $$ > " << pid_file << "\nexec sleep 30\n";
    std::filesystem::permissions(launcher, std::filesystem::perms::owner_all);
    rt::Error e(0, "", "");
    {
        UnreachableOffice slow(launcher, "1");
        e = error_of([] { office::create_object("com.sun.star.ServiceManager"); });
    }
    int pid = 0;
    std::ifstream(pid_file) >> pid;
    if (pid > 0)
        kill(pid, SIGKILL); // nothing the test started outlives it
    std::filesystem::remove_all(dir);
    EXPECT_EQ(e.number(), rt::errCantCreateObject);
    EXPECT_NE(e.description().find("which ZEB started"), std::string::npos) << e.description();
    EXPECT_NE(e.description().find("may still be starting"), std::string::npos) << e.description();
    EXPECT_EQ(e.description().find("close LibreOffice"), std::string::npos) << e.description();
}

TEST(OfficeWords, TheOfficesSourcePlacesStayOutOfMessages)
{
    EXPECT_EQ(office::office_words("Controller disagree ... at ./sfx2/source/view/sfxbasecontroller.cxx:337"),
              "Controller disagree ...");
    EXPECT_EQ(office::office_words("Binary URP bridge already disposed at /build/binaryurp/source/bridge.cxx:1048"),
              "Binary URP bridge already disposed");
    EXPECT_EQ(office::office_words("Unsupported URL <file:///a.ods>: \"type detection failed\" at "
                                   "./framework/source/loadenv/loadenv.cxx:189 at other.hxx:2"),
              "Unsupported URL <file:///a.ods>: \"type detection failed\"");
    EXPECT_EQ(office::office_words("Look at the file a.ods"), "Look at the file a.ods") << "plain words stay";

    // What the office raises reaches the program in its words, without them.
    auto desktop = test_office().desktop();
    const rt::Error e = error_of([&] {
        desktop->call("loadComponentFromURL", {Value("file:///no/such/folder/book.ods"), Value("_blank"),
                                               Value(std::int16_t(0)), Value(std::vector<Value>{})});
    });
    EXPECT_NE(e.description().find("loadComponentFromURL"), std::string::npos) << e.description();
    EXPECT_EQ(e.description().find(".cxx:"), std::string::npos) << e.description();
}

namespace {

/// This process's children that have ended and not been reaped.
int zombie_children()
{
    int zombies = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        std::ifstream stat(entry.path() / "stat");
        std::string text;
        if (!std::getline(stat, text))
            continue;
        const auto close = text.rfind(')');
        if (close == std::string::npos)
            continue;
        std::istringstream rest(text.substr(close + 2));
        char state = 0;
        long ppid = 0;
        rest >> state >> ppid;
        if (state == 'Z' && ppid == getpid())
            ++zombies;
    }
    return zombies;
}

} // namespace

TEST(OfficeLauncher, IsReapedWhenTheOfficeItStartedEnds)
{
    test_office(); // the shared office first, so its own launcher is not counted here
    const std::string profile = std::filesystem::temp_directory_path() / ("zeb-reap-" + std::to_string(getpid()));
    const std::string pipe = "zeb_reap_" + std::to_string(getpid());
    {
        ScopedEnv p("ZEB_OFFICE_PIPE", pipe), f("ZEB_OFFICE_PROFILE", profile), h("ZEB_OFFICE_HEADLESS", "1");
        auto manager = office::create_object("com.sun.star.ServiceManager");
        auto desk = manager->call("createInstance", {Value("com.sun.star.frame.Desktop")}).to_object();
        try {
            desk->call("terminate", {});
        } catch (const rt::Error&) {
            // The office may drop the connection as it goes.
        }
    }
    const std::string socket = "/tmp/OSL_PIPE_" + std::to_string(getuid()) + "_" + pipe;
    for (int i = 0; i < 200 && std::filesystem::exists(socket); ++i)
        usleep(50000);
    // A launcher that ended shows as a zombie until it is reaped, which may take a moment: one
    // that is never reaped is still one two seconds on.
    usleep(1000000);
    int zombies = zombie_children();
    for (int i = 0; i < 20 && zombies != 0; ++i) {
        usleep(50000);
        zombies = zombie_children();
    }
    EXPECT_EQ(zombies, 0) << "the launcher ZEB started is reaped when it ends";
    std::error_code ec;
    std::filesystem::remove_all(profile, ec);
}

TEST(OfficeOfAnotherUser, IsNotReachedAndSaysWhose)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "giving a file to another owner needs root";
    const std::string pipe = "zeb_other_" + std::to_string(getpid());
    const std::string socket = "/tmp/OSL_PIPE_" + std::to_string(getuid()) + "_" + pipe;
    std::ofstream(socket) << "";
    ASSERT_EQ(chown(socket.c_str(), 65534, 65534), 0);
    UnreachableOffice never_started("/bin/false");
    ScopedEnv p("ZEB_OFFICE_PIPE", pipe);
    rt::Error e(0, "", "");
    const double took = seconds_for([&] { e = error_of([] { office::create_object("com.sun.star.ServiceManager"); }); });
    std::filesystem::remove(socket);
    EXPECT_EQ(e.number(), rt::errCantCreateObject);
    EXPECT_NE(e.description().find("belongs to another user"), std::string::npos) << e.description();
    EXPECT_LT(took, 1.0) << "no office is started or waited for";
}

TEST(OfficeWithoutWindows, OfTheUsersOwnIsRecognisedBeforeAnythingIsShown)
{
    test_office(); // the shared office's settings, put back when this test's office is done
    ScopedEnv pipe("ZEB_OFFICE_PIPE", ""), profile("ZEB_OFFICE_PROFILE", ""), headless("ZEB_OFFICE_HEADLESS", "");
    PrivateOffice own; // runs with --headless
    own.service_manager();
    {
        ScopedEnv as_a_person("ZEB_OFFICE_HEADLESS", "");
        const rt::Error e = error_of([] { office::create_object("com.sun.star.ServiceManager"); });
        EXPECT_EQ(e.number(), rt::errCantCreateObject);
        EXPECT_NE(e.description().find("running without windows"), std::string::npos) << e.description();
    }
    {
        // Nothing answers on ZEB's pipe: the office ZEB starts hands its request to the one
        // already running with the same profile, which then answers there, without windows.
        ScopedEnv as_a_person("ZEB_OFFICE_HEADLESS", ""),
            other_pipe("ZEB_OFFICE_PIPE", std::string(std::getenv("ZEB_OFFICE_PIPE")) + "_reached_later");
        const rt::Error e = error_of([] { office::create_object("com.sun.star.ServiceManager"); });
        EXPECT_EQ(e.number(), rt::errCantCreateObject);
        EXPECT_NE(e.description().find("running without windows"), std::string::npos) << e.description();
    }
    EXPECT_NO_THROW(office::create_object("com.sun.star.ServiceManager")) << "asked for one without windows, it is fine";
}

TEST(OfficeMembers, ANameSeveralInterfacesDeclareReachesTheOneTheObjectHas)
{
    auto desktop = test_office().desktop();
    auto doc = desktop->call("loadComponentFromURL", {Value("private:factory/scalc"), Value("_blank"),
                                                      Value(std::int16_t(0)), Value(std::vector<Value>{})})
                   .to_object();
    // "isModified", "getURL" and "close" are declared by several interfaces each; the document
    // has one of each kind, and the calls reach those.
    EXPECT_FALSE(doc->call("isModified", {}).to_bool());
    EXPECT_EQ(doc->call("getURL", {}).to_text(), "");
    auto cell = doc->get("Sheets").to_object()->call("getByIndex", {Value(std::int16_t(0))}).to_object()
                    ->call("getCellByPosition", {Value(std::int32_t(0)), Value(std::int32_t(0))}).to_object();
    cell->set("Value", Value(2.5));
    EXPECT_TRUE(doc->call("isModified", {}).to_bool());
    // A name only the adapter knows (a property of the property set) still reads.
    EXPECT_DOUBLE_EQ(cell->get("Value").to_double(), 2.5);
    // A method taking other arguments than given is not called straight: the adapter says why.
    EXPECT_EQ(error_of([&] { doc->call("getSheets", {Value(1)}); }).number(), rt::errAutomation);
    doc->call("close", {Value(true)});
    // Objects of the same type that lack what another had are asked again, not refused.
    auto enumeration = desktop->get("Components").to_object()->call("createEnumeration", {}).to_object();
    while (enumeration->call("hasMoreElements", {}).to_bool()) {
        auto component = enumeration->call("nextElement", {}).to_object();
        EXPECT_NO_THROW(component->call("getURL", {})) << "each open document has a URL";
    }
}

TEST(OfficeQuestions, OnOpeningAreNotedAndCancelledUnseenAndAFileThatOpensIsClosedAgain)
{
    auto desktop = test_office().desktop();
    const std::string locked = test_office().scratch() + "/asked.ods";
    std::filesystem::copy_file(ZEB_SOURCE_DIR "/tests/data/password.ods", locked,
                               std::filesystem::copy_options::overwrite_existing);
    const auto documents = [&] {
        int n = 0;
        auto all = desktop->get("Components").to_object()->call("createEnumeration", {}).to_object();
        for (; all->call("hasMoreElements", {}).to_bool(); ++n)
            all->call("nextElement", {});
        return n;
    };
    const int before = documents();
    const auto asked = office::questions_on_opening(*desktop, "file://" + locked);
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked.front(), office::Question::Password);

    // Lock files of every kind: another user's, one naming this user on this machine (left by
    // an office of theirs that ended), one that cannot be read. Each is a question about the
    // lock, and each lock file stays as it was.
    char host[256] = {};
    gethostname(host, sizeof host - 1);
    const std::string me = getpwuid(getuid())->pw_name;
    const std::pair<const char*, std::string> locks[] = {
        {"theirs", "Someone Else,otherhost,someone,07.12.2026 09:00,file:///home/someone/.config/libreoffice/4;"},
        {"own", "," + me + "," + host + ",07.12.2026 09:00,file:///tmp/zeb-an-office-that-ended/profile;"},
        {"broken", std::string("\x01\x02 not a lock", 12)},
    };
    for (const auto& [name, lock] : locks) {
        const std::string book = test_office().scratch() + "/" + name + ".ods";
        std::filesystem::copy_file(ZEB_SOURCE_DIR "/tests/data/one_sheet.ods", book,
                                   std::filesystem::copy_options::overwrite_existing);
        const std::string lock_file = test_office().scratch() + "/.~lock." + name + ".ods#";
        std::ofstream(lock_file, std::ios::binary) << lock;
        const auto about_lock = office::questions_on_opening(*desktop, "file://" + book);
        ASSERT_FALSE(about_lock.empty()) << name;
        EXPECT_EQ(about_lock.front(), office::Question::Lock) << name;
        std::ifstream kept(lock_file, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), lock) << name;
    }

    // A name too long for its lock file's name (".~lock." and "#" around it pass the system's
    // limit of 255 bytes): the lock cannot be made, which is no other user's lock.
    const std::string long_name = test_office().scratch() + "/" + std::string(244, 'n') + ".ods";
    std::filesystem::copy_file(ZEB_SOURCE_DIR "/tests/data/one_sheet.ods", long_name,
                               std::filesystem::copy_options::overwrite_existing);
    const auto unlockable = office::questions_on_opening(*desktop, "file://" + long_name);
    ASSERT_FALSE(unlockable.empty());
    EXPECT_EQ(unlockable.front(), office::Question::LockNotMade);
    std::filesystem::remove(long_name);

    const std::string plain = test_office().scratch() + "/plain.ods";
    std::filesystem::copy_file(ZEB_SOURCE_DIR "/tests/data/one_sheet.ods", plain,
                               std::filesystem::copy_options::overwrite_existing);
    EXPECT_TRUE(office::questions_on_opening(*desktop, "file://" + plain).empty());
    EXPECT_EQ(documents(), before) << "nothing opened to ask stays open";
    EXPECT_FALSE(std::filesystem::exists(test_office().scratch() + "/.~lock.plain.ods#"));
}

TEST(OfficeDisposed, AnObjectClosedInTheOfficeIsItsOwnFailureNotALostOffice)
{
    auto desktop = test_office().desktop();
    auto document = desktop->call("loadComponentFromURL", {Value("private:factory/scalc"), Value("_blank"),
                                                          Value(std::int16_t(0)), Value(std::vector<Value>{})})
                        .to_object();
    auto frame = document->call("getCurrentController", {}).to_object()->call("getFrame", {}).to_object();
    frame->call("close", {Value(true)}); // as the person closing its window
    const rt::Error e = error_of([&] { document->call("isModified", {}); });
    EXPECT_EQ(e.number(), rt::errAutomation) << e.description();
    EXPECT_NE(e.description().find("closed this object"), std::string::npos) << e.description();
    EXPECT_NO_THROW(desktop->get("Components")) << "the office still answers";
}
