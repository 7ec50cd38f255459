// zeb.exe as a person starts it on Windows.

#include "answer_dialog.h"
#include "program_run.h"

#include <gtest/gtest.h>

TEST(Program, WithoutLibreOfficeItSaysOfficeErrorAndEndsWithTwo)
{
    const ProgramEnd end = run_until_office_error("zeb.exe");
    ASSERT_TRUE(end.started);
    EXPECT_TRUE(end.ended) << "zeb.exe did not end after its box";
    EXPECT_EQ(end.exit_code, 2u);
    EXPECT_NE(end.box_text.find("ZEB works through LibreOffice and could not reach it."), std::string::npos) << end.box_text;
    EXPECT_NE(end.box_text.find("LibreOffice is not installed"), std::string::npos) << end.box_text;
}

TEST(Program, WithAnOfficeToTalkToItAsksForTheWorkbookAndCancellingEndsWithZero)
{
    // A script stands in for the office (the tests' seam): the program reaches its file dialog.
    SetEnvironmentVariableA("ZEB_OFFICE_STAND_IN", "office_stand_in.js");
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    char command[] = "zeb.exe";
    const bool started = CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
    SetEnvironmentVariableA("ZEB_OFFICE_STAND_IN", nullptr);
    ASSERT_TRUE(started);
    bool asked = false;
    {
        AnswerDialog answer(
            "Sheetwright: SELECT AN 'ODS' FILE",
            [&](HWND d) {
                asked = true;
                press(d, IDCANCEL);
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
    EXPECT_TRUE(asked) << "the workbook dialog came";
    EXPECT_TRUE(ended);
    EXPECT_EQ(code, 0u) << "cancelling the first dialog ends the program with 0";
}
