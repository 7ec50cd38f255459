#pragma once
// A screen of another resolution for the programs a test starts, and what their windows
// look like from outside.

#include <windows.h>

#include <string>
#include <vector>

/// While it lives, programs started from now on see a screen of `dpi` dots per inch (the
/// user's setting, as the display settings make it); the setting goes when the object goes.
class ScreenDpi {
public:
    explicit ScreenDpi(DWORD dpi);
    ~ScreenDpi();
    ScreenDpi(const ScreenDpi&) = delete;
    ScreenDpi& operator=(const ScreenDpi&) = delete;
};

/// A window as it lies on the screen: its class, text and client size in pixels.
struct Placed {
    std::string cls, text;
    int width = 0, height = 0;
};

/// `window`'s client size, then each of its child windows' (all of them, in creation order).
std::vector<Placed> placed_windows(HWND window);

/// The first visible top-level window of `process` titled `title`, waited for up to `ms`.
HWND window_of_process(DWORD process, const std::string& title, DWORD ms);
