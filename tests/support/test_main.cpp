// Test main for tests that need the user-interface session: offscreen Qt at 96 dpi.

#include "forms/application.h"
#include "test_app.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace {
forms::Application* session = nullptr;
}

forms::Application& test_app() { return *session; }

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("QT_FONT_DPI", "96", 1);
    forms::Application app(argc, argv);
    session = &app;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
