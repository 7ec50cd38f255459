#pragma once
// The tests' office made the office for a test: office_server.exe registered as the class of
// "com.sun.star.ServiceManager" while the object lives, reaching the real LibreOffice through
// the relay whose port scripts/test-windows gives in ZEB_TEST_OFFICE_PORT.

/// Registers the tests' office for this user while it lives; fails the test when there is no
/// relay to reach. `option` makes it an office that fails as a real one may: "Refuse" (its
/// automation switched off), "Delay=N" (N seconds to start), "Missing" (registered for a
/// program that is not there).
class TestOffice {
public:
    explicit TestOffice(const char* option = "");
    ~TestOffice();
    TestOffice(const TestOffice&) = delete;
    TestOffice& operator=(const TestOffice&) = delete;
};
