#include "watchdog.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <unistd.h>

namespace {

/// Stops every process below this one, and the private office (whose launcher has left it
/// to init): the processes whose command line names the office's private profile.
void stop_what_the_test_started()
{
    const char* env = std::getenv("ZEB_OFFICE_PROFILE");
    const std::string profile = env ? env : "";
    std::map<pid_t, pid_t> parent;
    std::set<pid_t> office;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", ec)) {
        const std::string name = entry.path().filename();
        if (name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const pid_t pid = std::atoi(name.c_str());
        std::ifstream status(entry.path() / "status");
        for (std::string line; std::getline(status, line);)
            if (line.rfind("PPid:", 0) == 0)
                parent[pid] = std::atoi(line.c_str() + 5);
        std::ifstream cmdline(entry.path() / "cmdline");
        const std::string args((std::istreambuf_iterator<char>(cmdline)), std::istreambuf_iterator<char>());
        if (!profile.empty() && profile.rfind("/tmp/zeb-office-", 0) == 0 && args.find(profile) != std::string::npos)
            office.insert(pid);
    }
    const pid_t self = getpid();
    for (const auto& [pid, ppid] : parent) {
        bool below = false;
        for (pid_t p = ppid; p > 1 && !below; p = parent.count(p) ? parent[p] : 0)
            below = p == self;
        if ((below || office.count(pid)) && pid != self)
            kill(pid, SIGKILL);
    }
}

} // namespace

Watchdog::Watchdog(std::chrono::seconds default_limit) : limit_(default_limit)
{
    if (const char* limit = std::getenv("ZEB_TEST_LIMIT"); limit && std::atoi(limit) > 0)
        limit_ = std::chrono::seconds(std::atoi(limit));
    thread_ = std::thread([this] { watch(); });
}

Watchdog::~Watchdog()
{
    {
        std::lock_guard lock(mutex_);
        ending_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void Watchdog::start(const std::string& name)
{
    std::lock_guard lock(mutex_);
    name_ = name;
    deadline_ = std::chrono::steady_clock::now() + limit_;
    running_ = true;
    wake_.notify_all();
}

void Watchdog::stop()
{
    std::lock_guard lock(mutex_);
    running_ = false;
    wake_.notify_all();
}

void Watchdog::watch()
{
    std::unique_lock lock(mutex_);
    while (!ending_) {
        if (!running_) {
            wake_.wait(lock);
            continue;
        }
        wake_.wait_until(lock, deadline_);
        if (running_ && !ending_ && std::chrono::steady_clock::now() >= deadline_) {
            std::fprintf(stderr, "[  FAILED  ] %s did not end within %lld s\n", name_.c_str(),
                         static_cast<long long>(limit_.count()));
            std::fflush(stderr);
            stop_what_the_test_started();
            std::_Exit(3);
        }
    }
}
