// zeb.exe as a person starts it on Windows.

#include "answer_dialog.h"

#include <gtest/gtest.h>

TEST(Program, WithoutLibreOfficeItSaysOfficeErrorAndEndsWithTwo)
{
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    char command[] = "zeb.exe";
    ASSERT_TRUE(CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    std::string text;
    {
        AnswerDialog answer(
            "OFFICE ERROR",
            [&](HWND box) {
                text = item_text(box, 0xFFFF); // a message box's text
                press(box, IDOK);
            },
            15000, pi.dwProcessId);
    }
    const bool ended = WaitForSingleObject(pi.hProcess, 10000) == WAIT_OBJECT_0;
    if (!ended)
        TerminateProcess(pi.hProcess, 99);
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    EXPECT_TRUE(ended) << "zeb.exe did not end after its box";
    EXPECT_EQ(code, 2u);
    EXPECT_NE(text.find("ZEB works through LibreOffice and could not reach it."), std::string::npos) << text;
    EXPECT_NE(text.find("LibreOffice is not installed"), std::string::npos) << text;
}
