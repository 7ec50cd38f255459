// The dialog service's tour as a person uses it: its window, a button pressed, the dialog
// answered, and the line the tour prints.

#include "answer_dialog.h"
#include "screen_dpi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>

namespace {

/// The tour, started beside the tests with its output on a pipe; ended when the test ends.
class Tour {
public:
    Tour()
    {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        CreatePipe(&read_, &write_, &inherit, 0);
        SetHandleInformation(read_, HANDLE_FLAG_INHERIT, 0);
        STARTUPINFOA si{};
        si.cb = sizeof si;
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdOutput = write_;
        si.hStdError = write_;
        si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        char command[] = "cdc_tour.exe";
        started_ = CreateProcessA(nullptr, command, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &process_);
        CloseHandle(write_);
    }
    ~Tour()
    {
        if (started_) {
            if (HWND w = window())
                PostMessageA(w, WM_CLOSE, 0, 0);
            if (WaitForSingleObject(process_.hProcess, 5000) != WAIT_OBJECT_0) {
                ADD_FAILURE() << "the tour did not end with its window";
                TerminateProcess(process_.hProcess, 1);
            }
            CloseHandle(process_.hThread);
            CloseHandle(process_.hProcess);
        }
        CloseHandle(read_);
    }
    bool started() const { return started_; }
    DWORD id() const { return process_.dwProcessId; }
    /// The tour's window, waited for up to 8 s; null when it did not come.
    HWND window() const
    {
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(8);
        for (;;) {
            HWND w = FindWindowA(nullptr, "Dialog service");
            if (w || std::chrono::steady_clock::now() > until)
                return w;
            Sleep(20);
        }
    }
    /// The next line the tour printed, waited for up to 10 s; what came of it by then.
    std::string line()
    {
        std::string text;
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < until) {
            DWORD waiting = 0;
            if (!PeekNamedPipe(read_, nullptr, 0, nullptr, &waiting, nullptr))
                break; // the tour ended
            if (waiting == 0) {
                Sleep(20);
                continue;
            }
            char c = 0;
            DWORD got = 0;
            if (!ReadFile(read_, &c, 1, &got, nullptr) || got != 1 || c == '\n')
                break;
            if (c != '\r')
                text += c;
        }
        return text;
    }

private:
    HANDLE read_ = nullptr, write_ = nullptr;
    PROCESS_INFORMATION process_{};
    bool started_ = false;
};

} // namespace

TEST(Tour, AButtonCallsTheServiceAndItsLineSaysWhatTheCallGave)
{
    Tour tour;
    ASSERT_TRUE(tour.started());
    HWND window = tour.window();
    ASSERT_NE(window, nullptr) << "the tour's window did not come";
    // The window comes before its buttons: the button is waited for as well.
    HWND button = nullptr;
    for (int i = 0; i < 400 && !(button = FindWindowExA(window, nullptr, "BUTTON", "Show&Color")); ++i)
        Sleep(20);
    ASSERT_NE(button, nullptr);
    {
        AnswerDialog answer(
            "Color",
            [](HWND d) {
                set_item_text(d, 706, "10");
                set_item_text(d, 707, "20");
                set_item_text(d, 708, "30");
                press(d, IDOK);
            },
            8000, tour.id());
        PostMessageA(button, BM_CLICK, 0, 0);
    }
    EXPECT_EQ(tour.line(), "ShowColor -> 0x1E140A dlg_fail=False last_error=0x0");
    {
        AnswerDialog answer("Color", [](HWND d) { press(d, IDCANCEL); }, 8000, tour.id());
        PostMessageA(button, BM_CLICK, 0, 0);
    }
    EXPECT_EQ(tour.line(), "ShowColor -> -1 dlg_fail=True last_error=0x0") << "a cancel gives -1";
}

TEST(Tour, EveryCaptionIsWholeAndTheWindowFitsTheScreenAtEitherResolution)
{
    std::vector<Placed> at_96;
    {
        Tour tour;
        HWND window = tour.window();
        ASSERT_NE(window, nullptr);
        Sleep(300);
        RECT outer{};
        GetWindowRect(window, &outer);
        EXPECT_LE(outer.right - outer.left, 1280) << "wider than a 1280-pixel screen";
        at_96 = placed_windows(window);
        // Each caption measured in the system's message font, as the tour draws it here.
        NONCLIENTMETRICSA metrics{};
        metrics.cbSize = sizeof metrics;
        ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
        HFONT font = CreateFontIndirectA(&metrics.lfMessageFont);
        HDC dc = GetDC(nullptr);
        HGDIOBJ old = SelectObject(dc, font);
        int captions = 0;
        for (const Placed& p : at_96) {
            if (p.cls != "Button" && p.cls != "Static")
                continue;
            std::string text = p.text;
            text.erase(std::remove(text.begin(), text.end(), '&'), text.end());
            SIZE size{};
            GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
            EXPECT_LE(size.cx + (p.cls == "Button" ? 6 : 0), p.width) << "\"" << p.text << "\" is cut";
            ++captions;
        }
        SelectObject(dc, old);
        ReleaseDC(nullptr, dc);
        DeleteObject(font);
        EXPECT_GT(captions, 20);
    }
    // At twice the resolution every control is laid out from the larger font: about twice as
    // large (the window itself no wider than the screen's work area).
    const ScreenDpi screen(192);
    Tour tour;
    HWND window = tour.window();
    ASSERT_NE(window, nullptr);
    Sleep(300);
    const std::vector<Placed> at_192 = placed_windows(window);
    ASSERT_EQ(at_192.size(), at_96.size());
    for (std::size_t i = 1; i < at_96.size(); ++i) {
        EXPECT_GE(at_192[i].width * 10, at_96[i].width * 18) << at_96[i].cls << " \"" << at_96[i].text << "\"";
        EXPECT_GE(at_192[i].height * 10, at_96[i].height * 18) << at_96[i].cls << " \"" << at_96[i].text << "\"";
    }
    RECT outer{};
    GetWindowRect(window, &outer);
    EXPECT_LE(outer.right - outer.left, GetSystemMetrics(SM_CXSCREEN));
}
