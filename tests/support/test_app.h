#pragma once
// The user-interface session the test main keeps for every test.

namespace forms {
class Application;
}
namespace printing {
class Printers;
}

/// The one session of this test process.
forms::Application& test_app();
/// The printers of this test process, as main keeps them for the program.
printing::Printers& test_printers();
