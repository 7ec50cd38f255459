#include "win32/broadcast.h"
#include "win32/winuser.h"

namespace win32 {

LRESULT SendMessageA(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam)
{
    // The program's windows take no other messages from its own code.
    if (hwnd == HWND_BROADCAST)
        deliver_broadcast(msg, wparam, lparam);
    return 0;
}

} // namespace win32
