#include "private_cups.h"

#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#ifndef ZEB_TEST_PPD
#error "ZEB_TEST_PPD names the test queues' PPD template"
#endif

namespace fs = std::filesystem;

namespace {

void write(const std::string& path, const std::string& text, mode_t mode = 0644)
{
    std::ofstream(path) << text;
    chmod(path.c_str(), mode);
}

std::string read(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

bool answers(const std::string& socket_path)
{
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    socket_path.copy(addr.sun_path, sizeof addr.sun_path - 1);
    const bool ok = connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
    close(fd);
    return ok;
}

} // namespace

PrivateCups::PrivateCups()
{
    char pattern[] = "/tmp/zeb-cups-XXXXXX";
    if (!mkdtemp(pattern))
        throw std::runtime_error("no folder for the private print scheduler");
    root_ = pattern;
    chmod(root_.c_str(), 0755);
    for (const char* d : {"etc", "run", "state", "cache", "spool", "log", "home", "filter", "xdg"})
        fs::create_directories(root_ + "/" + d);
    fs::create_directories(root_ + "/spool/tmp");
    fs::create_directories(root_ + "/records");
    chmod((root_ + "/spool/tmp").c_str(), 01777);
    chmod((root_ + "/records").c_str(), 01777);
    chmod((root_ + "/xdg").c_str(), 0700);

    // Run as root, the scheduler runs filters as lp; as anybody else, as that user.
    const bool root = geteuid() == 0;
    const std::string user = root ? "lp" : getpwuid(geteuid())->pw_name;
    const std::string group = root ? "lp" : getgrgid(getegid())->gr_name;
    const std::string& r = root_;
    write(r + "/etc/cups-files.conf",
          "ServerRoot " + r + "/etc\nStateDir " + r + "/state\nCacheDir " + r + "/cache\nRequestRoot " + r +
              "/spool\nTempDir " + r + "/spool/tmp\nErrorLog " + r + "/log/error_log\nAccessLog " + r +
              "/log/access_log\nPageLog " + r + "/log/page_log\nServerBin /usr/lib/cups\nDataDir /usr/share/cups\n"
              "User " + user + "\nGroup " + group + "\nSystemGroup root\nFileDevice Yes\nPrintcap " + r +
              "/etc/printcap\n");
    write(r + "/etc/cupsd.conf",
          "Listen " + r + "/run/cups.sock\nBrowsing Off\nBrowseLocalProtocols none\nDefaultAuthType None\n"
              "WebInterface No\nLogLevel warn\nAccessLogLevel all\n<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
              "<Policy default>\n  <Limit All>\n  </Limit>\n</Policy>\n");
    write(r + "/filter/record",
          "#!/bin/sh\n# Keeps the options the driver got, then takes the job.\nprintf 'copies=%s %s\\n' \"$4\" \"$5\" > " +
              r + "/records/\"$PRINTER\".new\nmv " + r + "/records/\"$PRINTER\".new " + r +
              "/records/\"$PRINTER\"\ncat > /dev/null\nexit 0\n",
          0755);
    std::string ppd = read(ZEB_TEST_PPD);
    ppd.replace(ppd.find("@FILTER@"), 8, r + "/filter/record");
    write(r + "/zeb-test.ppd", ppd);

    setenv("CUPS_SERVER", (r + "/run/cups.sock").c_str(), 1);
    setenv("CUPS_SERVERROOT", (r + "/etc").c_str(), 1);
    setenv("HOME", (r + "/home").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (r + "/home/.config").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (r + "/xdg").c_str(), 1);
    unsetenv("LPDEST");
    unsetenv("PRINTER");

    pid_ = fork();
    if (pid_ == 0) {
        const std::string conf = r + "/etc/cupsd.conf", files = r + "/etc/cups-files.conf";
        execl("/usr/sbin/cupsd", "cupsd", "-f", "-c", conf.c_str(), "-s", files.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!answers(r + "/run/cups.sock")) {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = 0;
            throw std::runtime_error("the private print scheduler did not start:\n" + read(r + "/log/error_log"));
        }
        if (std::chrono::steady_clock::now() > deadline)
            throw std::runtime_error("the private print scheduler did not answer within 10 s");
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

PrivateCups::~PrivateCups()
{
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    std::error_code ec;
    fs::remove_all(root_, ec);
}

std::string PrivateCups::run(const std::string& command_line) const
{
    std::string out;
    if (FILE* p = popen((command_line + " 2>&1").c_str(), "r")) {
        char buffer[4096];
        while (const std::size_t n = fread(buffer, 1, sizeof buffer, p))
            out.append(buffer, n);
        pclose(p);
    }
    return out;
}

void PrivateCups::add_queue(const std::string& name, const std::string& uri, const PpdEdits& edits)
{
    std::string ppd_file = root_ + "/zeb-test.ppd";
    if (!edits.empty()) {
        std::string ppd = read(ppd_file);
        for (const auto& [old_text, new_text] : edits) {
            const std::size_t at = ppd.find(old_text);
            if (at == std::string::npos)
                throw std::logic_error("the test PPD has no \"" + old_text + "\"");
            ppd.replace(at, old_text.size(), new_text);
        }
        ppd_file = root_ + "/" + name + ".ppd";
        write(ppd_file, ppd);
    }
    run("lpadmin -p '" + name + "' -E -v '" + uri + "' -P '" + ppd_file + "'");
}

void PrivateCups::remove_queue(const std::string& name) { run("lpadmin -x '" + name + "'"); }

std::size_t PrivateCups::requests() const
{
    const std::string log = read(root_ + "/log/access_log");
    return static_cast<std::size_t>(std::count(log.begin(), log.end(), '\n'));
}

std::string PrivateCups::lpoptions() const { return read(root_ + "/home/.cups/lpoptions"); }

void PrivateCups::reset_user() const
{
    std::error_code ec;
    fs::remove(root_ + "/home/.cups/lpoptions", ec);
    fs::remove_all(root_ + "/home/.config", ec);
}

std::string PrivateCups::print_and_record(const std::string& queue) const
{
    const std::string record = root_ + "/records/" + queue;
    std::error_code ec;
    fs::remove(record, ec);
    write(root_ + "/job.txt", "ZEB\n");
    run("lp -d '" + queue + "' '" + root_ + "/job.txt'");
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!fs::exists(record)) {
        if (std::chrono::steady_clock::now() > deadline)
            return "(the job never reached the filter)\n" + read(root_ + "/log/error_log");
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return read(record);
}

void PrivateCups::suspend(bool stopped) const { kill(pid_, stopped ? SIGSTOP : SIGCONT); }
