#pragma once
// Ends a test process whose running test takes longer than its limit, naming the test.

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

/// Watches one test at a time. When a test runs past the limit (a modal window nobody
/// answers, a call that never returns) the process says which test it was, stops what it
/// started (its child processes, its private office) and ends with a failure, so that a
/// blocking test costs its limit, not the whole run's time.
class Watchdog {
public:
    /// A watchdog with the limit ZEB_TEST_LIMIT gives in seconds, or `default_limit`.
    explicit Watchdog(std::chrono::seconds default_limit);
    ~Watchdog();
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

    /// The test `name` has started: its time runs from now.
    void start(const std::string& name);
    /// The running test has ended.
    void stop();

private:
    void watch();

    std::chrono::seconds limit_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::string name_;
    std::chrono::steady_clock::time_point deadline_{};
    bool running_ = false;
    bool ending_ = false;
    std::thread thread_;
};
