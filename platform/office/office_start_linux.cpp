// Reaching the office: which one (the environment's settings), starting it when nothing answers
// on ZEB's pipe and waiting for it a bounded time, refusing an office that is not the person's
// own or runs without windows, and connecting to it over the pipe.

#include "automation.h"

#include "office_object_linux.h"
#include "office_words.h"
#include "runtime/error.h"
#include "runtime/file_identity.h"
#include "runtime/program_path_linux.h"

#include <com/sun/star/bridge/BridgeFactory.hpp>
#include <com/sun/star/connection/Connector.hpp>
#include <com/sun/star/connection/NoConnectException.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/lang/XMultiComponentFactory.hpp>
#include <com/sun/star/reflection/theCoreReflection.hpp>
#include <com/sun/star/script/Converter.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <rtl/bootstrap.hxx>

#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace office {

using css::uno::Reference;
using css::uno::XComponentContext;

namespace {

/// Which office to reach and how to start it.
struct Settings {
    std::string soffice;  ///< the program that starts the office
    std::string pipe;     ///< the pipe the office accepts ZEB on
    std::string profile;  ///< a private profile folder; empty for the user's own
    bool headless = false;
    double wait_seconds = 60;

    /// The settings the environment gives, with their defaults.
    static Settings from_environment();
    /// How the office is reached: its pipe, in the connector's terms.
    std::string connection() const;
    /// The command line that starts the office accepting on the pipe.
    std::vector<std::string> command_line() const;
};

std::string env(const char* name, const std::string& fallback = "")
{
    const char* v = std::getenv(name);
    return v && *v ? v : fallback;
}

Settings Settings::from_environment()
{
    Settings s;
    s.soffice = env("ZEB_SOFFICE", "soffice");
    s.pipe = env("ZEB_OFFICE_PIPE", "zeb_office");
    s.profile = env("ZEB_OFFICE_PROFILE");
    s.headless = env("ZEB_OFFICE_HEADLESS") == "1";
    const std::string wait = env("ZEB_OFFICE_WAIT");
    if (!wait.empty()) {
        char* end = nullptr;
        const double w = std::strtod(wait.c_str(), &end);
        if (end && *end == '\0' && w > 0 && w <= 600)
            s.wait_seconds = w;
    }
    return s;
}

std::string Settings::connection() const
{
    return "pipe,name=" + pipe;
}

std::vector<std::string> Settings::command_line() const
{
    std::vector<std::string> args{soffice};
    if (headless) {
        args.push_back("--headless");
        args.push_back("--invisible");
    }
    args.push_back("--norestore");
    args.push_back("--nologo");
    args.push_back("--nodefault");
    if (!profile.empty())
        args.push_back("-env:UserInstallation=" + rt::posix_file_url(profile));
    args.push_back("--accept=pipe,name=" + pipe + ";urp;StarOffice.ComponentContext");
    return args;
}

/// Starts `args` in a session of its own, with standard input and output on /dev/null,
/// so the office outlives ZEB and never holds ZEB's terminal. Returns the process id, or -1.
pid_t launch(const std::vector<std::string>& args)
{
    std::vector<char*> argv;
    for (const auto& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&files, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&files, 1, 2);
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSID);

    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &files, &attr, argv.data(), environ) != 0)
        pid = -1;
    posix_spawnattr_destroy(&attr);
    posix_spawn_file_actions_destroy(&files);
    return pid;
}

/// Whether `pid` has ended; its exit status goes to `status`.
bool has_ended(pid_t pid, int& status)
{
    return waitpid(pid, &status, WNOHANG) == pid;
}

/// The inodes of the sockets bound to `path` (the kernel's list of local sockets).
std::vector<std::string> socket_inodes(const std::string& path)
{
    std::vector<std::string> inodes;
    std::ifstream table("/proc/net/unix");
    std::string line;
    std::getline(table, line); // the header
    while (std::getline(table, line)) {
        std::istringstream fields(line);
        std::string num, refs, protocol, flags, type, state, inode, bound;
        if (fields >> num >> refs >> protocol >> flags >> type >> state >> inode >> bound && bound == path)
            inodes.push_back(inode);
    }
    return inodes;
}

bool started_headless(const std::filesystem::path& process)
{
    std::ifstream cmdline(process / "cmdline");
    std::string arg;
    while (std::getline(cmdline, arg, '\0'))
        if (arg == "--headless" || arg == "-headless")
            return true;
    return false;
}

/// Whether the office listening on the pipe socket `socket_path` runs without windows
/// (started with --headless); false when that cannot be told.
bool runs_headless(const std::string& socket_path)
{
    const std::vector<std::string> inodes = socket_inodes(socket_path);
    if (inodes.empty())
        return false;
    // Processes end while the folders are read: every step is taken with an error code, so a
    // process gone meanwhile is passed over, never thrown at the caller.
    std::error_code ec;
    const std::filesystem::directory_iterator end;
    for (std::filesystem::directory_iterator it("/proc", ec); !ec && it != end; it.increment(ec)) {
        const std::filesystem::directory_entry& process = *it;
        const std::string name = process.path().filename();
        if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        // Only the office's own processes can hold its pipe; their descriptors alone are read.
        std::string command;
        std::getline(std::ifstream(process.path() / "comm"), command);
        if (command.rfind("soffice", 0) != 0)
            continue;
        std::error_code fd_ec;
        for (std::filesystem::directory_iterator fd(process.path() / "fd", fd_ec); !fd_ec && fd != end;
             fd.increment(fd_ec)) {
            std::error_code link_ec;
            const std::string target = std::filesystem::read_symlink(fd->path(), link_ec).string();
            for (const std::string& inode : inodes)
                if (target == "socket:[" + inode + "]")
                    return started_headless(process.path());
        }
    }
    return false;
}

constexpr auto source = "ZEB.office";

rt::Error cannot_create(const std::string& why) { return rt::Error(rt::errCantCreateObject, source, why); }

/// ZEB's own UNO runtime, which talks to the office over the pipe. Made once and kept
/// for the process: UNO objects must not be torn down while the process exits.
Reference<XComponentContext> local_context()
{
    static Reference<XComponentContext>* context = [] {
        // An office that goes away mid-call must end the call with an error, not end ZEB:
        // writing to its broken pipe would otherwise raise SIGPIPE.
        std::signal(SIGPIPE, SIG_IGN);
        // Without the office's fundamentalrc only the base types are known.
        rtl::Bootstrap::set(rtl::OUString::createFromAscii("URE_BOOTSTRAP"),
                            rtl::OUString::createFromAscii(
                                "vnd.sun.star.pathname:/usr/lib/libreoffice/program/fundamentalrc"));
        return new Reference<XComponentContext>(cppu::defaultBootstrap_InitialComponentContext());
    }();
    return *context;
}

/// Reaps the launcher `pid` whenever it ends, so that no child of ZEB's lingers as a zombie.
void reap_when_it_ends(pid_t pid)
{
    std::thread([pid] {
        int status = 0;
        waitpid(pid, &status, 0);
    }).detach();
}

/// The office on ZEB's pipe: its component context and the bridge to it.
struct Connection {
    Reference<XComponentContext> remote; ///< null when nothing answers on the pipe
    Reference<css::lang::XComponent> bridge;
};

Connection try_connect(const Settings& settings)
{
    Reference<css::connection::XConnection> pipe;
    try {
        pipe = css::connection::Connector::create(local_context())->connect(ustr(settings.connection()));
    } catch (const css::connection::NoConnectException&) {
        return {};
    }
    auto bridge = css::bridge::BridgeFactory::create(local_context())
                      ->createBridge(rtl::OUString(), rtl::OUString::createFromAscii("urp"), pipe, nullptr);
    return {Reference<XComponentContext>(bridge->getInstance(rtl::OUString::createFromAscii("StarOffice.ComponentContext")),
                                         css::uno::UNO_QUERY),
            Reference<css::lang::XComponent>(bridge, css::uno::UNO_QUERY)};
}

/// Starts the office and waits, bounded, until it answers on the pipe.
Connection start_and_connect(const Settings& settings, const Waiting& waiting)
{
    Settings run = settings;
    run.soffice = rt::find_program(settings.soffice);
    if (run.soffice.empty())
        throw cannot_create("LibreOffice is not installed: the program \"" + settings.soffice +
                            "\" that starts it was not found.\r\nInstall LibreOffice Calc (on Debian: "
                            "sudo apt install libreoffice-calc) and start ZEB again.");
    const pid_t pid = launch(run.command_line());
    if (pid < 0)
        throw cannot_create("LibreOffice could not be started (\"" + run.soffice + "\" did not run).");

    if (waiting.begin)
        waiting.begin();
    struct End {
        const Waiting& w;
        ~End() { if (w.end) w.end(); }
    } end{waiting};

    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::milliseconds(std::lround(settings.wait_seconds * 1000));
    bool launcher_running = true;
    for (;;) {
        if (Connection connection = try_connect(settings); connection.remote.is()) {
            // The launcher lives as long as the office.
            if (launcher_running)
                reap_when_it_ends(pid);
            return connection;
        }
        int status = 0;
        // A launcher that hands its request to an office already running ends with 0;
        // any other end means the office will not come.
        if (launcher_running && has_ended(pid, status)) {
            launcher_running = false;
            if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
                throw cannot_create("LibreOffice stopped while starting (\"" + run.soffice + "\" ended with " +
                                    (WIFEXITED(status) ? "exit code " + std::to_string(WEXITSTATUS(status))
                                                       : "a signal") +
                                    ").\r\nCheck that LibreOffice starts on its own, then start ZEB again.");
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            const std::string waited = "did not answer within " + std::to_string(std::lround(settings.wait_seconds)) +
                                       " seconds.\r\n";
            // The office ZEB started may have no window yet to close: it is still starting. It
            // is left to start; its launcher is reaped whenever it ends.
            if (launcher_running) {
                reap_when_it_ends(pid);
                throw cannot_create("LibreOffice, which ZEB started for you, " + waited +
                                    "It may still be starting (the first start can take a minute), or be asking a "
                                    "question in a window of its own: answer it if so. Wait until LibreOffice's "
                                    "window has come up, then start ZEB again, which then works with it. "
                                    "ZEB_OFFICE_WAIT sets how many seconds ZEB waits.");
            }
            throw cannot_create("LibreOffice " + waited +
                                "If it is showing a question, answer it; otherwise close LibreOffice and start "
                                "ZEB again.");
        }
        if (waiting.tick)
            waiting.tick();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

} // namespace

std::shared_ptr<rt::Object> create_object(const std::string& progid, const Waiting& waiting)
{
    if (progid != "com.sun.star.ServiceManager")
        throw cannot_create("ActiveX component can't create object: '" + progid + "'");
    const Settings settings = Settings::from_environment();
    // The pipe is a socket file named after the user's id; one that another user owns is
    // not this user's office, whatever answers on it.
    const std::string socket = "/tmp/OSL_PIPE_" + std::to_string(getuid()) + "_" + settings.pipe;
    struct stat st {};
    if (lstat(socket.c_str(), &st) == 0 && st.st_uid != getuid())
        throw cannot_create("The pipe ZEB reaches LibreOffice on (" + socket +
                            ") belongs to another user, and ZEB works only with an office of your own.\r\n"
                            "Remove that file, or set ZEB_OFFICE_PIPE to another name, and start ZEB again.");
    // A connection the office drops while it is being set up (its bridge disposed during
    // the first calls) is made once more before ZEB gives up on the office.
    for (int attempt = 1;; ++attempt) {
        try {
            Connection connection = try_connect(settings);
            if (!connection.remote.is())
                connection = start_and_connect(settings, waiting);
            // An office of the user's that runs without windows would open the workbook where
            // nobody can see it: the one that answered, or the one the office ZEB started handed
            // its request to. ZEB's own start of one (for tests) asks for exactly that.
            if (!settings.headless && runs_headless(socket))
                throw cannot_create("LibreOffice is running without windows (started with --headless) for this "
                                    "user, so the workbook would open where nobody can see it.\r\nQuit that "
                                    "LibreOffice, or start it normally, then start ZEB again.");
            auto session = std::make_shared<Session>();
            session->bridge = connection.bridge;
            session->reflection = css::reflection::theCoreReflection::get(local_context());
            session->converter = css::script::Converter::create(local_context());
            Reference<css::lang::XMultiComponentFactory> manager = connection.remote->getServiceManager();
            session->invocation.set(manager->createInstanceWithContext(
                                        rtl::OUString::createFromAscii("com.sun.star.script.Invocation"),
                                        connection.remote),
                                    css::uno::UNO_QUERY_THROW);
            return std::make_shared<OfficeObject>(session, css::uno::Any(manager));
        } catch (const css::lang::DisposedException& e) {
            if (attempt < 2)
                continue;
            throw cannot_create("LibreOffice could not be reached: " + office_words(utf8(e.Message)));
        } catch (const css::uno::Exception& e) {
            throw cannot_create("LibreOffice could not be reached: " + office_words(utf8(e.Message)));
        }
    }
}

} // namespace office
