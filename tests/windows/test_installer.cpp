// The installer as a person's silent install would run it: the program folder, the Start-menu
// entry and the entry among the installed programs; zeb.exe started from there; and the
// uninstaller taking away all it put there.

#include "program_run.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <chrono>
#include <filesystem>
#include <fstream>
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
    EXPECT_TRUE(fs::is_regular_file(start_menu_entry())) << start_menu_entry();
    EXPECT_EQ(listed("DisplayName"), "ZEB");
    EXPECT_EQ(listed("DisplayVersion"), ZEB_VERSION);
    EXPECT_EQ(listed("Publisher"), "The ZEB developers");
    EXPECT_EQ(listed("UninstallString"), "\"" + folder + "\\uninstall.exe\"");

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
