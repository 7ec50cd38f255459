#pragma once
// Starting zeb.exe from a test as a person would, and seeing how it ends.

#include <windows.h>

#include <string>

/// How a run of the program ended.
struct ProgramEnd {
    bool started = false;
    bool ended = false;      ///< it ended by itself after its box was answered
    DWORD exit_code = 0;
    std::string box_text;    ///< the text of the OFFICE ERROR box it showed
};

/// Starts `command` in `folder` (empty: the tests' own), answers the OFFICE ERROR box it shows
/// with OK and waits for the program to end (killed after 10 s more).
ProgramEnd run_until_office_error(const std::string& command, const std::string& folder = "");
