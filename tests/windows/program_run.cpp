#include "program_run.h"

#include "answer_dialog.h"

ProgramEnd run_until_office_error(const std::string& command, const std::string& folder)
{
    ProgramEnd end;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string line = command;
    end.started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                 folder.empty() ? nullptr : folder.c_str(), &si, &pi);
    if (!end.started)
        return end;
    {
        AnswerDialog answer(
            "OFFICE ERROR",
            [&](HWND box) {
                end.box_text = item_text(box, 0xFFFF); // a message box's text
                press(box, IDOK);
            },
            15000, pi.dwProcessId);
    }
    end.ended = WaitForSingleObject(pi.hProcess, 10000) == WAIT_OBJECT_0;
    if (!end.ended)
        TerminateProcess(pi.hProcess, 99);
    GetExitCodeProcess(pi.hProcess, &end.exit_code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return end;
}
