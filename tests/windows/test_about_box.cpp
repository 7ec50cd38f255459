// The about box on Windows: its layout, its memory report and its picture button, on the
// system's own windows, driven with the messages a person's mouse and keyboard send.

#include "about/about_64.h"
#include "about/about_window.h"
#include "forms/impl_windows.h"
#include "win32/memory_status.h"

#include "runtime/app.h"
#include "screen_dpi.h"
#include "test_application.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include <shellapi.h>

namespace {

struct Box {
    Box() : abt(test_application(), file_date, {"ZEB", 1, 0, 0, "", "", "", "", ""}) {}
    About& w() { return dynamic_cast<About&>(abt.window()); }
    std::string file_date = ", 25/12/2020";
    about_64 abt;
};

HWND window_of(forms::Control& c) { return forms::container_of(c); }
HWND window_of(forms::Form& f) { return reinterpret_cast<HWND>(f.hwnd()); }

/// While the box is shown modally, `act` runs on another thread once it is up; a box not
/// hidden 5 s after the act is closed and reported.
class WhileShown {
public:
    WhileShown(About& box, std::function<void()> act)
        : worker_([this, &box, act = std::move(act)] {
              const auto up = std::chrono::steady_clock::now() + std::chrono::seconds(5);
              while (!IsWindowVisible(window_of(box)) && std::chrono::steady_clock::now() < up)
                  std::this_thread::sleep_for(std::chrono::milliseconds(20));
              std::this_thread::sleep_for(std::chrono::milliseconds(100));
              act();
              const auto gone = std::chrono::steady_clock::now() + std::chrono::seconds(5);
              while (IsWindowVisible(window_of(box)) && std::chrono::steady_clock::now() < gone)
                  std::this_thread::sleep_for(std::chrono::milliseconds(20));
              if (IsWindowVisible(window_of(box))) {
                  stayed_ = true;
                  PostMessageA(window_of(box), WM_CLOSE, 0, 0);
              }
          })
    {
    }
    ~WhileShown() { finish(); }
    /// Whether the box stayed up after the act.
    bool stayed()
    {
        finish();
        return stayed_;
    }

private:
    void finish()
    {
        if (worker_.joinable())
            worker_.join();
    }

    bool stayed_ = false;
    std::thread worker_;
};

/// A press and release of a mouse button on the window, with `keys` (MK_*) held, as the
/// mouse sends them; they are handled in order once the window's thread reads them.
void click(HWND w, UINT down, UINT up, WPARAM keys)
{
    PostMessageA(w, down, keys, MAKELPARAM(5, 5));
    PostMessageA(w, up, keys & ~static_cast<WPARAM>(MK_LBUTTON | MK_RBUTTON), MAKELPARAM(5, 5));
}

} // namespace

TEST(AboutBox, TheStartUpCallLaysTheBoxOutAsOnEverySystem)
{
    Box box;
    box.abt.create_About("graphics/Moonfinch_fi.gif", 0xC0CCD6, 0, -1, 13200, "", 1.0f);
    About& w = box.w();
    EXPECT_TRUE(box.abt.built());
    EXPECT_EQ(w.width(), 5000);
    for (auto* f : w.Frame1) {
        EXPECT_EQ(f->left(), 400);
        EXPECT_EQ(f->width(), 4200);
    }
    EXPECT_EQ(w.Frame1[0]->top(), 300);
    EXPECT_EQ(w.mem_lbl->width(), 4100);
    EXPECT_EQ(w.Image2->left(), 4620);
    EXPECT_EQ(w.title_lbl[0]->caption(), "ZEB");
    EXPECT_EQ(w.title_lbl[1]->caption(), "Version 1.0.0, 25/12/2020");
    EXPECT_EQ(w.make_lbl[1]->caption(), "\u00A9 ") << "the program's text, read back whole";
    EXPECT_FALSE(w.visible()) << "laid out, not shown";

    // The window is where the layout says, at the system's pixels.
    RECT r{};
    GetWindowRect(window_of(w), &r);
    EXPECT_EQ(r.right - r.left, forms::pixels(5000));
    EXPECT_EQ(r.left, forms::pixels(13200));
    RECT frame{};
    GetWindowRect(window_of(*w.Frame1[1]), &frame);
    POINT client{0, 0};
    ClientToScreen(window_of(w), &client);
    EXPECT_EQ(frame.left - client.x, forms::pixels(400));
    EXPECT_EQ(frame.top - client.y, forms::pixels(w.Frame1[1]->top()));
}

TEST(AboutBox, TheMemoryLineIsTheMachinesOwnReport)
{
    MEMORYSTATUSEX s{};
    s.dwLength = sizeof s;
    ASSERT_TRUE(GlobalMemoryStatusEx(&s));
    Box box;
    box.abt.create_About("graphics/Moonfinch_fi.gif", 0xC0CCD6, 0, -1, 13200, "", 1.0f);
    const std::string total = box.abt.NumberInKB(rt::Currency::from_double(static_cast<double>(s.ullTotalPhys)));
    EXPECT_EQ(box.w().mem_lbl->caption().rfind("Total memory = " + total + "\n", 0), 0u) << box.w().mem_lbl->caption();
}

TEST(AboutBox, OnlyAPlainLeftClickOnThePictureButtonOrEscapeClosesIt)
{
    Box box;
    box.abt.create_About("graphics/Moonfinch_fi.gif", 0xC0CCD6, 0, -1, 13200, "", 1.0f);
    About& w = box.w();
    HWND button = window_of(*w.Image2);
    bool open_after_others = false;
    {
        WhileShown shown(w, [&] {
            click(button, WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON);
            click(button, WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON | MK_SHIFT);
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            open_after_others = IsWindowVisible(window_of(w)) != FALSE;
            click(button, WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON);
        });
        w.show_modal();
        EXPECT_FALSE(shown.stayed()) << "a plain left click closes the box";
    }
    EXPECT_TRUE(open_after_others) << "a right click and a shifted click leave it open";
    EXPECT_TRUE(w.loaded()) << "hidden, it keeps its layout";
    {
        WhileShown shown(w, [&] { PostMessageA(window_of(w), WM_KEYDOWN, VK_ESCAPE, 0); });
        w.show_modal();
        EXPECT_FALSE(shown.stayed()) << "Escape closes the box";
    }
}

namespace {

/// The text `key` of the version resource of the program at `path`; "?" when it has none.
std::string version_text(const std::string& path, const char* key)
{
    DWORD ignored = 0;
    std::vector<char> block(GetFileVersionInfoSizeA(path.c_str(), &ignored));
    if (block.empty() || !GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()))
        return "?";
    void* value = nullptr;
    UINT chars = 0;
    const std::string at = std::string("\\StringFileInfo\\040904B0\\") + key;
    if (!VerQueryValueA(block.data(), at.c_str(), &value, &chars))
        return "?";
    return static_cast<const char*>(value);
}

} // namespace

TEST(VersionResource, EachProgramCarriesItsVersionAndIconAndTheRunningOneReadsItsOwn)
{
    for (const std::string name : {"zeb.exe", "cdc_tour.exe", "about_show.exe"}) {
        const std::string path = ZEB_APP_DIR "/" + name;
        EXPECT_EQ(version_text(path, "ProductName"), "ZEB") << name;
        EXPECT_EQ(version_text(path, "FileVersion"), ZEB_VERSION) << name;
        EXPECT_EQ(version_text(path, "ProductVersion"), ZEB_VERSION) << name;
        EXPECT_EQ(version_text(path, "CompanyName"), "The ZEB developers") << name;
        EXPECT_EQ(version_text(path, "LegalCopyright"), "2026 The ZEB developers") << name;
        EXPECT_EQ(version_text(path, "OriginalFilename"), name);
        EXPECT_NE(version_text(path, "Comments"), "?") << name;
        EXPECT_GT(version_text(path, "FileDescription").size(), 5u) << name;
        EXPECT_GE(ExtractIconExA(path.c_str(), -1, nullptr, nullptr, 0), 1u) << name << " has no icon";
    }
    EXPECT_EQ(version_text(ZEB_APP_DIR "/zeb.exe", "FileDescription"),
              "Opens a workbook in LibreOffice Calc and offers its routines.");

    // This program reads its own resource, as zeb.exe does for its about box.
    const rt::VersionInfo& own = rt::App::version();
    EXPECT_EQ(own.product_name, "ZEB");
    EXPECT_EQ(std::to_string(own.major) + "." + std::to_string(own.minor) + "." + std::to_string(own.revision),
              ZEB_VERSION);
    EXPECT_EQ(own.file_description, "The about box's tests.");
    EXPECT_EQ(own.company_name, "The ZEB developers");
    EXPECT_EQ(own.legal_copyright, "2026 The ZEB developers");
}

TEST(AboutBox, AtTwiceTheResolutionItKeepsItsLayoutAndItsPicturesTheirSize)
{
    // about_show.exe lays the box out as the program does; it is seen from outside, at a
    // 96-dpi screen and at a 192-dpi one.
    std::vector<Placed> seen[2];
    const DWORD dpis[] = {96, 192};
    for (int i = 0; i < 2; ++i) {
        const ScreenDpi screen(dpis[i]);
        STARTUPINFOA si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        char command[] = "about_show.exe";
        const std::string app = ZEB_APP_DIR "/about_show.exe";
        ASSERT_TRUE(CreateProcessA(app.c_str(), command, nullptr, nullptr, FALSE, 0, nullptr, ZEB_APP_DIR, &si, &pi));
        if (HWND box = window_of_process(pi.dwProcessId, "About ZEB", 10000)) {
            Sleep(300);
            seen[i] = placed_windows(box);
        }
        TerminateProcess(pi.hProcess, 0);
        WaitForSingleObject(pi.hProcess, 5000);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    ASSERT_FALSE(seen[0].empty()) << "the about box did not come";
    ASSERT_EQ(seen[1].size(), seen[0].size());
    // Laid out in twips: every control twice as large in pixels, within rounding (and the
    // text heights the fonts give at each size, which the layout follows).
    for (std::size_t k = 0; k < seen[0].size(); ++k) {
        const auto twice = [](int at_192, int at_96) { return std::abs(at_192 - 2 * at_96) <= 2 + at_96 / 14; };
        EXPECT_TRUE(twice(seen[1][k].width, seen[0][k].width) && twice(seen[1][k].height, seen[0][k].height))
            << seen[0][k].cls << " \"" << seen[0][k].text << "\": " << seen[0][k].width << "x" << seen[0][k].height
            << " at 96 dpi, " << seen[1][k].width << "x" << seen[1][k].height << " at 192";
    }
    // The pictures are drawn at their own size in twips there too: this program's test of
    // that, run at 192 dpi.
    const ScreenDpi screen(192);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    char command[] = "about_tests.exe --gtest_filter=PictureOnThisScreen.*";
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    ASSERT_TRUE(CreateProcessA(self, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    DWORD code = 1;
    if (WaitForSingleObject(pi.hProcess, 20000) != WAIT_OBJECT_0)
        TerminateProcess(pi.hProcess, 1);
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    EXPECT_EQ(code, 0u) << "a picture is not drawn at its own size at 192 dpi";
}

TEST(PictureOnThisScreen, IsDrawnAtItsOwnSizeInTwips)
{
    // A picture's pixels are a 96-dpi screen's: 15 twips each, whatever this screen is.
    const forms::Picture picture = forms::load_picture(ZEB_APP_DIR "/graphics/Moonfinch_fi.gif");
    EXPECT_EQ(picture.width(), 67 * 15);
    EXPECT_EQ(picture.height(), 67 * 15);
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP canvas = CreateCompatibleBitmap(screen, 400, 400);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, canvas);
    const RECT all{0, 0, 400, 400};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    forms::draw_picture(dc, picture, 0, 0, false);
    // How far the picture reaches (its corners are the background's colour, its middle not).
    int right = 0;
    for (int x = 0; x < 400; ++x)
        for (int y = 0; y < 400; y += 2)
            if (GetPixel(dc, x, y) != RGB(255, 255, 255))
                right = x + 1;
    SelectObject(dc, old);
    DeleteObject(canvas);
    DeleteDC(dc);
    const int expected = (67 * dpi + 48) / 96;
    EXPECT_LE(right, expected) << "at " << dpi << " dpi";
    EXPECT_GE(right, expected - expected / 10) << "at " << dpi << " dpi";
}
