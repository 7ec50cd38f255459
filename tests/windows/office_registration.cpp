#include "office_registration.h"

#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>
#include <string>

namespace {

/// Runs office_server.exe (beside this program) with `arguments`; its exit code.
DWORD run_server(const std::string& arguments)
{
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string folder(self);
    folder.erase(folder.find_last_of('\\') + 1);
    std::string command = "\"" + folder + "office_server.exe\" " + arguments;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return 255;
    WaitForSingleObject(pi.hProcess, 20000);
    DWORD code = 255;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return code;
}

/// Ends every office server still running: one whose client was ended by a failing test holds
/// that client's objects for ever, and the test's output with them.
void end_servers()
{
    const HANDLE all = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (all == INVALID_HANDLE_VALUE)
        return;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(all, &entry); more; more = Process32Next(all, &entry)) {
        if (lstrcmpiA(entry.szExeFile, "office_server.exe") != 0)
            continue;
        if (const HANDLE server = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID)) {
            TerminateProcess(server, 1);
            WaitForSingleObject(server, 5000);
            CloseHandle(server);
        }
    }
    CloseHandle(all);
}

} // namespace

TestOffice::TestOffice(const char* option)
{
    char port[16] = {};
    if (GetEnvironmentVariableA("ZEB_TEST_OFFICE_PORT", port, sizeof port) == 0) {
        ADD_FAILURE() << "no office for the tests: scripts/test-windows starts one (ZEB_TEST_OFFICE_PORT)";
        return;
    }
    EXPECT_EQ(run_server(std::string("/RegServer ") + port + " " + option), 0u)
        << "the tests' office could not be registered";
}

TestOffice::~TestOffice()
{
    // A server that ended with its client has gone by now; give one a moment to do so (one
    // ended by force leaves its class registered with the system for a while).
    Sleep(500);
    end_servers();
    run_server("/UnregServer");
}
