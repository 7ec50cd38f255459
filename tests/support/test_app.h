#pragma once
// The user-interface session the test main keeps for every test.

namespace forms {
class Application;
}

/// The one session of this test process.
forms::Application& test_app();
