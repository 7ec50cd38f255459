#pragma once
// A private headless LibreOffice for the tests of one process: own profile, own pipe,
// ended when the tests are done.

#include <memory>
#include <string>

namespace rt {
class Object;
}

/// Points the office bridge at a private headless office, which the first connection starts.
class PrivateOffice {
public:
    PrivateOffice();
    /// Ends the office and removes its profile.
    ~PrivateOffice();

    /// The office's service manager (the office starts on the first call).
    std::shared_ptr<rt::Object> service_manager();
    /// The office's desktop.
    std::shared_ptr<rt::Object> desktop();
    /// A folder for the test's files, removed with the office.
    const std::string& scratch() const { return scratch_; }
    /// The pipe name the office accepts on.
    const std::string& pipe() const { return pipe_; }

private:
    std::string root_;
    std::string scratch_;
    std::string pipe_;
    std::shared_ptr<rt::Object> manager_;
};

/// Sets an environment variable for the life of the object, then puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value);
    ~ScopedEnv();

private:
    std::string name_;
    std::string old_;
    bool had_ = false;
};
