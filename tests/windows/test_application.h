#pragma once
// The forms session the tests of one program share.

#include "forms/application.h"

/// The process's forms session, started at first use.
inline forms::Application& test_application()
{
    static int argc = 1;
    static char name[] = "zeb_tests";
    static char* argv[] = {name, nullptr};
    static forms::Application app(argc, argv);
    return app;
}
