// Test main for tests that need the user-interface session: offscreen Qt at 96 dpi.

#include "forms/application.h"
#include "modal.h"
#include "printing/printers.h"
#include "test_app.h"
#include "watchdog.h"

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

forms::Application* session = nullptr;
printing::Printers* printers = nullptr;

/// Cancels the answers a test set up and never used, so that none acts in a later test;
/// a modal window that was waited for and never came fails the run.
class EndOfTestAnswers : public testing::EmptyTestEventListener {
public:
    int never_came = 0;

private:
    void OnTestStart(const testing::TestInfo& test) override
    {
        watchdog_.start(std::string(test.test_suite_name()) + "." + test.name());
    }
    void OnTestEnd(const testing::TestInfo& test) override
    {
        watchdog_.stop();
        for (const auto& alive : pending_answers())
            if (*alive) {
                *alive = false;
                ++never_came;
                std::fprintf(stderr, "[  FAILED  ] %s.%s waited for a modal window that never came\n",
                             test.test_suite_name(), test.name());
            }
        pending_answers().clear();
    }

    /// No single test takes more than a minute and a half, even under the sanitizers.
    Watchdog watchdog_{std::chrono::seconds(90)};
};

} // namespace

forms::Application& test_app() { return *session; }
printing::Printers& test_printers() { return *printers; }

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("QT_FONT_DPI", "96", 1);
    // Printer tests bring a private print scheduler; every other test sees none at all,
    // never the machine's own.
    setenv("CUPS_SERVER", "/nonexistent/zeb-tests-have-no-print-scheduler", 0);
    forms::Application app(argc, argv);
    session = &app;
    printing::Printers program_printers;
    printers = &program_printers;
    testing::InitGoogleTest(&argc, argv);
    auto* answers = new EndOfTestAnswers; // the listeners own it
    testing::UnitTest::GetInstance()->listeners().Append(answers);
    const int failed = RUN_ALL_TESTS();
    return failed != 0 || answers->never_came != 0 ? 1 : 0;
}
