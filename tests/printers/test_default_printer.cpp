// The dialog service's default-printer routines against a private scheduler.

#include "cdc_class.h"
#include "cups_fixture.h"
#include "modal.h"
#include "printing/printers.h"
#include "win32/broadcast.h"
#include "win32/winbase.h"
#include "win32/winspool.h"
#include "win32/winuser.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

/// The private routines of the dialog service, as the tests call them.
struct CDC_test_access {
    CDC_class& cdc;
    void set_default_printer(const std::string& name) { cdc.set_default_printer(name); }
    void ini_set_default_printer(const std::string& name) { cdc.ini_set_default_printer(name); }
    std::pair<std::string, std::string> split(const std::string& text) { return cdc.split_ports_entry(text); }
    std::string ptr_to_str(const char* address) { return cdc.ptr_to_str(address); }
    void store_printer_settings(const std::string& name, std::int32_t media) { cdc.store_printer_settings(name, media); }
    std::int32_t os_platform() const { return cdc.os_platform; }
    std::int32_t last_error() const { return cdc.last_dlg_error; }
};

namespace {

/// Makes the version query report another platform family, or fail, for one test.
class PlatformSeam {
public:
    explicit PlatformSeam(const char* id) { setenv("ZEB_PLATFORM_ID", id, 1); }
    ~PlatformSeam() { unsetenv("ZEB_PLATFORM_ID"); }
};

std::string device()
{
    char buffer[256];
    win32::GetProfileStringA("windows", "Device", "", buffer, sizeof buffer);
    return buffer;
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

/// A service with its own printers, and what the broadcast said meanwhile.
class DefaultPrinterTest : public PrinterTest {
protected:
    bool dlg_fail = false;
    printing::Printers printers;
    CDC_class cdc{dlg_fail, printers};
    CDC_test_access access{cdc};
    std::vector<std::string> heard;
    win32::BroadcastReceiver window{[this](win32::UINT msg, win32::WPARAM, win32::LPARAM l) {
        if (msg == win32::WM_WININICHANGE)
            heard.emplace_back(reinterpret_cast<const char*>(l));
    }};
    NoModalExpected no_box; // none of these routines may show a box here

    void TearDown() override { EXPECT_EQ(win32::OpenPrinterCount(), 0u) << "every printer handle is closed"; }
};

} // namespace

TEST_F(DefaultPrinterTest, OnTheNtFamilyTheDeviceEntryNamesThePrinterAndTheQueueBecomesTheDefault)
{
    access.set_default_printer("Q_C"); // upper case, as the print dialog passes it
    EXPECT_EQ(access.os_platform(), 2);
    EXPECT_EQ(device(), "q_c,winspool,file:///dev/null");
    EXPECT_TRUE(contains(cups().run("lpstat -d"), "system default destination: q_c"));
    EXPECT_EQ(heard, std::vector<std::string>{"windows"});
    EXPECT_FALSE(dlg_fail);


    // An unknown printer has no PrinterPorts entry: nothing changes, nothing is said.
    access.set_default_printer("NoSuchQueue");
    EXPECT_EQ(device(), "q_c,winspool,file:///dev/null");
    EXPECT_EQ(heard.size(), 1u);

    // From one default to another, later in the print system's order: the old one gives way.
    access.set_default_printer("Q_D");
    EXPECT_TRUE(contains(cups().run("lpstat -d"), "system default destination: Q_D"));
}

TEST_F(DefaultPrinterTest, APortsEntryWithFewerThanTwoCommasGivesNoPort)
{
    using P = std::pair<std::string, std::string>;
    EXPECT_EQ(access.split(""), P());
    EXPECT_EQ(access.split("winspool"), P());
    EXPECT_EQ(access.split("winspool,Ne00:"), P("winspool", ""));
    EXPECT_EQ(access.split("winspool,Ne00:,15,45"), P("winspool", "Ne00:"));
    EXPECT_EQ(access.split(",,"), P());
    std::string buffer(1024, ' ');
    std::memcpy(buffer.data(), "winspool,LPT1:,15,45\0", 21);
    EXPECT_EQ(access.split(buffer), P("winspool", "LPT1:")) << "the buffer as the profile call leaves it";
}

TEST_F(DefaultPrinterTest, WhenThePlatformCannotBeReadTheWinIniWayIsTaken)
{
    PlatformSeam fails("fail");
    access.set_default_printer("Q_B");
    EXPECT_EQ(access.os_platform(), 0);
    EXPECT_EQ(device(), "Q_B,winspool,file:///dev/null");
    EXPECT_EQ(heard.size(), 1u);
}

TEST_F(DefaultPrinterTest, OnTheWindows95FamilyTheSpoolerMakesTheQueueTheDefault)
{
    PlatformSeam win95("1");
    access.set_default_printer("q_B");
    EXPECT_EQ(access.os_platform(), 1);
    EXPECT_TRUE(contains(cups().run("lpstat -d"), "system default destination: Q_B"));
    EXPECT_TRUE(heard.empty()) << "this way broadcasts nothing";
    EXPECT_FALSE(dlg_fail);

    // A printer that cannot be opened fails silently: dlg_fail, no box, no error kept.
    access.set_default_printer("NoSuchQueue");
    EXPECT_TRUE(dlg_fail);
    EXPECT_EQ(access.last_error(), 0);
    EXPECT_TRUE(contains(cups().run("lpstat -d"), "Q_B"));
}

TEST_F(DefaultPrinterTest, PtrToStrStopsAtTheBuffersEnd)
{
    const std::string long_text(600, 'x');
    EXPECT_EQ(access.ptr_to_str(long_text.c_str()), std::string(511, 'x'));
    EXPECT_EQ(access.ptr_to_str("Q_A"), "Q_A");
    EXPECT_EQ(access.ptr_to_str(nullptr), "");
}

TEST_F(DefaultPrinterTest, StoredSettingsReachOtherProgramsJobs)
{
    // The choices on the application printer, a photo-paper default stored before.
    cups().run("lpoptions -p Q_A -o MediaType=Photo");
    printing::Printer& p = printers.application();
    ASSERT_EQ(p.name(), "Q_A");
    const std::pair<std::int32_t, std::int16_t> choices[] = {
        {printing::prnOrientation, 2}, {printing::prnPaperSize, 5}, {printing::prnCopies, 2}, {printing::prnPaperBin, 4},
        {printing::prnPrintQuality, 300}, {printing::prnColorMode, 1}, {printing::prnDuplex, 2}};
    for (const auto& [id, value] : choices)
        p.set(id, rt::Value(value));

    access.store_printer_settings("Q_A", 0);
    const printing::Printer stored("Q_A");
    for (const auto& [id, value] : choices)
        EXPECT_EQ(stored.get(id).to_int16(), value) << std::hex << id;
    EXPECT_EQ(stored.settings().media_type, 3) << "media type 0 leaves the stored one";

    // A plain lp job, as any other program prints, gets what was stored.
    const std::string job = cups().print_and_record("Q_A");
    for (const char* option : {"copies=2 ", "PageSize=Legal", "InputSlot=Manual", "Resolution=300dpi", "ColorModel=Gray",
                               "Duplex=DuplexNoTumble", "MediaType=Photo", "orientation-requested=4"})
        EXPECT_TRUE(contains(job, option)) << option << " not in: " << job;

    access.store_printer_settings("Q_A", 1);
    EXPECT_EQ(printing::Printer("Q_A").settings().media_type, 1);
    EXPECT_TRUE(contains(cups().print_and_record("Q_A"), "MediaType=Plain"));

    // A printer that cannot be opened stores nothing, quietly.
    const std::string before = cups().lpoptions();
    access.store_printer_settings("NoSuchQueue", 1);
    EXPECT_EQ(cups().lpoptions(), before);
    EXPECT_FALSE(contains(cups().lpoptions(), "Q_B")) << "only the named queue changes";
}

TEST_F(DefaultPrinterTest, ASpoolerThatCannotStoreTheDefaultIsAFailureOnTheWindows95Way)
{
    PlatformSeam win95("1");
    // The user's settings folder cannot be made: the spooler opens and reads the printer,
    // then fails to make it the default.
    const std::string folder = std::string(std::getenv("HOME")) + "/.cups";
    std::filesystem::remove_all(folder);
    std::ofstream(folder) << "not a folder";
    access.set_default_printer("Q_B");
    std::filesystem::remove(folder);
    EXPECT_TRUE(dlg_fail) << "a default that was not set is not reported as set";
    EXPECT_FALSE(contains(cups().run("lpstat -d"), "Q_B"));
}

TEST_F(DefaultPrinterTest, SettingsAreStoredWhateverTheSizeOfThePrintersRecord)
{
    // Names one to four characters longer make records of every size modulo 4, so that
    // the buffer's rounding is tried both ways.
    for (const std::string name : {"Q_SIZE", "Q_SIZE1", "Q_SIZE12", "Q_SIZE123"}) {
        cups().add_queue(name);
        printers.set_application(printing::Printer(name));
        printers.application().set(printing::prnCopies, rt::Value(std::int16_t{5}));
        access.store_printer_settings(name, 0);
        EXPECT_EQ(printing::Printer(name).get(printing::prnCopies).to_int16(), 5) << name;
        cups().remove_queue(name);
    }
}

TEST_F(DefaultPrinterTest, ANewPaperReplacesThePageSizeAndRegionTheUserHadStored)
{
    cups().run("lpoptions -p Q_A -o PageSize=Legal -o PageRegion=Legal");
    printing::Printer& p = printers.application();
    ASSERT_EQ(p.name(), "Q_A");
    ASSERT_EQ(p.get(printing::prnPaperSize).to_int16(), 5);
    p.set(printing::prnPaperSize, rt::Value(std::int16_t{9}));
    access.store_printer_settings("Q_A", 0);
    const std::string stored = cups().lpoptions();
    EXPECT_FALSE(contains(stored, "PageSize=") || contains(stored, "PageRegion=")) << stored;
    EXPECT_EQ(printing::Printer("Q_A").get(printing::prnPaperSize).to_int16(), 9);
    const std::string job = cups().print_and_record("Q_A");
    EXPECT_TRUE(contains(job, "PageSize=A4") && !contains(job, "Legal")) << job;
}

TEST_F(DefaultPrinterTest, QueueNamesWithCommasOfFullLengthOrInUtf8BecomeTheDefaultWhole)
{
    // "Office" is installed beside "Office,2F": the default must be the one chosen.
    const std::string longest = "Q_" + std::string(125, 'L');
    const std::string names[] = {"Office,2F", longest, "B\xc3\xbcro-Drucker"};
    cups().add_queue("Office");
    for (const std::string& name : names)
        cups().add_queue(name);
    for (const std::string& name : names) {
        access.set_default_printer(name);
        EXPECT_EQ(device(), name + ",winspool,file:///dev/null");
        EXPECT_EQ(queues::default_queue(), name);
        EXPECT_FALSE(dlg_fail);
    }
    for (const std::string& name : names)
        cups().remove_queue(name);
    cups().remove_queue("Office");
}
