#include "private_office.h"

#include "office/automation.h"
#include "runtime/error.h"
#include "runtime/value.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

PrivateOffice::PrivateOffice()
{
    char tmpl[] = "/tmp/zeb-office-XXXXXX";
    root_ = mkdtemp(tmpl);
    scratch_ = root_ + "/files";
    std::filesystem::create_directories(scratch_);
    // A pipe of its own: a second private office of the process must not reach the first.
    static int made = 0;
    pipe_ = "zeb_test_" + std::to_string(getpid()) + "_" + std::to_string(++made);
    setenv("ZEB_OFFICE_HEADLESS", "1", 1);
    setenv("ZEB_OFFICE_PROFILE", (root_ + "/profile").c_str(), 1);
    setenv("ZEB_OFFICE_PIPE", pipe_.c_str(), 1);
    unsetenv("ZEB_SOFFICE");
}

PrivateOffice::~PrivateOffice()
{
    try {
        if (!manager_)
            manager_ = office::create_object("com.sun.star.ServiceManager");
        desktop()->call("terminate", {});
    } catch (const rt::Error&) {
        // The office is gone already, or went while terminating: either way it has ended.
    }
    manager_.reset();
    // The office has ended when its pipe is gone; then its profile can go too.
    const std::string socket = "/tmp/OSL_PIPE_" + std::to_string(getuid()) + "_" + pipe_;
    for (int i = 0; i < 200 && std::filesystem::exists(socket); ++i)
        usleep(50000);
    usleep(200000);
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
}

std::shared_ptr<rt::Object> PrivateOffice::service_manager()
{
    if (!manager_)
        manager_ = office::create_object("com.sun.star.ServiceManager");
    return manager_;
}

std::shared_ptr<rt::Object> PrivateOffice::desktop()
{
    return service_manager()->call("createInstance", {rt::Value("com.sun.star.frame.Desktop")}).to_object();
}

ScopedEnv::ScopedEnv(const char* name, const std::string& value) : name_(name)
{
    if (const char* v = std::getenv(name)) {
        had_ = true;
        old_ = v;
    }
    setenv(name, value.c_str(), 1);
}

ScopedEnv::~ScopedEnv()
{
    if (had_)
        setenv(name_.c_str(), old_.c_str(), 1);
    else
        unsetenv(name_.c_str());
}
