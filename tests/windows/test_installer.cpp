// The installer as a person's silent install would run it: the program folder, the Start-menu
// entry and the entry among the installed programs; zeb.exe started from there; and the
// uninstaller taking away all it put there.

#include "answer_dialog.h"
#include "program_run.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

namespace {

const std::string folder = "C:\\zeb-installed";
const char* const uninstall_key = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ZEB";

/// Runs `command` and waits for it, at most 60 s; its exit code, or -1.
long run(const std::string& command)
{
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string line = command;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return -1;
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(pi.hProcess, 60000) == WAIT_OBJECT_0)
        GetExitCodeProcess(pi.hProcess, &code);
    else
        TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return static_cast<long>(code);
}

std::string start_menu_entry()
{
    char programs[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, 0, programs);
    return std::string(programs) + "\\ZEB\\ZEB.lnk";
}

std::string listed(const char* value)
{
    char text[512] = {};
    DWORD size = sizeof text;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, uninstall_key, value, RRF_RT_REG_SZ, nullptr, text,
                     &size) != ERROR_SUCCESS)
        return "";
    return text;
}

/// A program started from `folder` and kept running until the object goes (ended by force then).
class Running {
public:
    Running(const std::string& command, const std::string& folder)
    {
        STARTUPINFOA si{};
        si.cb = sizeof si;
        std::string line = command;
        started_ = CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi_);
    }
    ~Running()
    {
        if (!started_)
            return;
        TerminateProcess(pi_.hProcess, 99);
        WaitForSingleObject(pi_.hProcess, 10000);
        CloseHandle(pi_.hThread);
        CloseHandle(pi_.hProcess);
    }
    Running(const Running&) = delete;
    Running& operator=(const Running&) = delete;
    /// Whether its box (without an office, OFFICE ERROR) came within 15 s.
    bool box_up()
    {
        for (int i = 0; started_ && i < 150; ++i, Sleep(100))
            for (const auto& [w, title] : windows_up(pi_.dwProcessId))
                if (title == "OFFICE ERROR")
                    return true;
        return false;
    }
    bool running() const { return started_ && WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT; }

private:
    PROCESS_INFORMATION pi_{};
    bool started_ = false;
};

} // namespace

TEST(Installer, InstallsSilentlyRunsFromItsFolderAndUninstallsEverything)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::remove_all(folder, ec);
    ASSERT_EQ(run("zeb-setup-" ZEB_VERSION ".exe /S /D=" + folder), 0);
    for (const char* f : {"zeb.exe", "uninstall.exe", "Help\\opener1.htm", "graphics\\Moonfinch_fi.gif",
                          "graphics\\f_ul_U.bmp", "samples\\Sample.ods"})
        EXPECT_TRUE(fs::is_regular_file(folder + "\\" + f)) << f;
    {
        // The help is written for Windows: how to install LibreOffice here, paths with "\".
        std::ifstream in(folder + "\\Help\\opener1.htm", std::ios::binary);
        const std::string help((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_NE(help.find("www.libreoffice.org"), std::string::npos);
        EXPECT_NE(help.find("samples\\Sample.ods"), std::string::npos);
        for (const char* other : {"apt install", "xdg-utils", "samples/", "@"})
            EXPECT_EQ(help.find(other), std::string::npos) << other;
    }
    EXPECT_TRUE(fs::is_regular_file(start_menu_entry())) << start_menu_entry();
    EXPECT_EQ(listed("DisplayName"), "ZEB");
    EXPECT_EQ(listed("DisplayVersion"), ZEB_VERSION);
    EXPECT_EQ(listed("Publisher"), "The ZEB developers");
    EXPECT_EQ(listed("UninstallString"), "\"" + folder + "\\uninstall.exe\"");

    {
        // The licence is installed beside the program, as Windows shows text.
        std::ifstream in(folder + "\\LICENSE.txt", std::ios::binary);
        const std::string licence((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(licence.rfind("MIT License\r\n", 0), 0u) << licence.substr(0, 40);
    }

    // A second run without a folder installs where the first did.
    ASSERT_TRUE(fs::remove(folder + "\\samples\\Sample.ods"));
    ASSERT_EQ(run("zeb-setup-" ZEB_VERSION ".exe /S"), 0);
    EXPECT_TRUE(fs::is_regular_file(folder + "\\samples\\Sample.ods")) << "installed again where it was";
    EXPECT_EQ(listed("InstallLocation"), folder);

    {
        // zeb.exe running from the folder (its box up): neither installing over it nor
        // uninstalling it does half its work; a silent run ends with 2 and changes nothing.
        Running zeb(folder + "\\zeb.exe", folder);
        ASSERT_TRUE(zeb.box_up());
        const auto before = fs::last_write_time(folder + "\\zeb.exe");
        EXPECT_EQ(run("zeb-setup-" ZEB_VERSION ".exe /S"), 2);
        EXPECT_EQ(run(folder + "\\uninstall.exe /S _?=" + folder), 2); // _?= : in place, waited for
        for (const char* f : {"zeb.exe", "uninstall.exe", "Help\\opener1.htm", "samples\\Sample.ods"})
            EXPECT_TRUE(fs::is_regular_file(folder + "\\" + f)) << f << " was removed under a running zeb.exe";
        EXPECT_EQ(fs::last_write_time(folder + "\\zeb.exe"), before);
        EXPECT_EQ(listed("DisplayName"), "ZEB");
        EXPECT_TRUE(zeb.running());
    }

    const ProgramEnd end = run_until_office_error(folder + "\\zeb.exe", folder);
    EXPECT_TRUE(end.ended);
    EXPECT_EQ(end.exit_code, 2u) << "started from the installed folder, without a LibreOffice";

    // The uninstaller hands its work to a copy of itself and returns: its work is waited for.
    const std::string kept = folder + "\\graphics\\mine.txt"; // a person's own file stays
    std::ofstream(kept) << "mine";
    ASSERT_EQ(run(folder + "\\uninstall.exe /S"), 0);
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (fs::exists(folder + "\\zeb.exe") && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    for (const char* f : {"zeb.exe", "uninstall.exe", "Help", "samples", "graphics\\Moonfinch_fi.gif"})
        EXPECT_FALSE(fs::exists(folder + "\\" + f)) << f << " left behind";
    EXPECT_TRUE(fs::exists(kept)) << "the person's own file is not the installer's to remove";
    EXPECT_FALSE(fs::exists(start_menu_entry()));
    EXPECT_EQ(listed("DisplayName"), "") << "no longer among the installed programs";
    fs::remove_all(folder, ec);
}
