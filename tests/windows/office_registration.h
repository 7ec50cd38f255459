#pragma once
// The tests' office made the office for a test: office_server.exe registered as the class of
// "com.sun.star.ServiceManager" while the object lives, reaching the real LibreOffice through
// the relay whose port scripts/test-windows gives in ZEB_TEST_OFFICE_PORT.

/// Registers the tests' office for this user while it lives; fails the test when there is no
/// relay to reach.
class TestOffice {
public:
    TestOffice();
    ~TestOffice();
    TestOffice(const TestOffice&) = delete;
    TestOffice& operator=(const TestOffice&) = delete;
};
