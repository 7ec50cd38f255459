#pragma once
// The system's own headers, once, for every Windows header of the platform: no min/max
// macros, and the ANSI forms the program calls.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>
#include <winspool.h>

#include <cstdint>

// The system names its ANSI and wide functions by one macro each (OpenPrinter for
// OpenPrinterA); the program calls the ANSI ones by name and has names of its own like these.
#undef OpenPrinter
