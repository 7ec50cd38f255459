#include "office_registration.h"

#include <windows.h>

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

} // namespace

TestOffice::TestOffice()
{
    char port[16] = {};
    if (GetEnvironmentVariableA("ZEB_TEST_OFFICE_PORT", port, sizeof port) == 0) {
        ADD_FAILURE() << "no office for the tests: scripts/test-windows starts one (ZEB_TEST_OFFICE_PORT)";
        return;
    }
    EXPECT_EQ(run_server(std::string("/RegServer ") + port), 0u) << "the tests' office could not be registered";
}

TestOffice::~TestOffice() { run_server("/UnregServer"); }
