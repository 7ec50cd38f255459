#include "dialog_error.h"

#include "win32/commdlg.h"

namespace win32 {
namespace {

// Like the system's, the extended error belongs to the thread that made the dialog call.
thread_local DWORD last_error = 0;

} // namespace

BOOL dialog_outcome(DWORD code, BOOL result)
{
    last_error = code;
    return code == 0 ? result : FALSE;
}

DWORD CommDlgExtendedError() { return last_error; }

} // namespace win32
