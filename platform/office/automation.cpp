#include "automation.h"

#include "counted_connection.h"
#include "launch.h"
#include "office_object.h"
#include "office_process.h"
#include "office_words.h"
#include "runtime/error.h"
#include "runtime/program_path_linux.h"
#include "office_settings.h"
#include "text.h"

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
#include <csignal>
#include <cmath>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <thread>

namespace office {

using css::uno::Reference;
using css::uno::XComponentContext;

namespace {

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

/// The office's component context on the pipe, or null when nothing answers there. The
/// messages the bridge writes on the pipe are counted in `count`.
Reference<XComponentContext> try_connect(const Settings& settings, const std::shared_ptr<MessageCount>& count)
{
    Reference<css::connection::XConnection> pipe;
    try {
        pipe = css::connection::Connector::create(local_context())->connect(ustr(settings.connection()));
    } catch (const css::connection::NoConnectException&) {
        return {};
    }
    auto bridge = css::bridge::BridgeFactory::create(local_context())
                      ->createBridge(rtl::OUString(), rtl::OUString::createFromAscii("urp"), new CountedConnection(pipe, count),
                                     nullptr);
    return Reference<XComponentContext>(bridge->getInstance(rtl::OUString::createFromAscii("StarOffice.ComponentContext")), css::uno::UNO_QUERY);
}

/// Starts the office and waits, bounded, until it answers on the pipe.
Reference<XComponentContext> start_and_connect(const Settings& settings, const Waiting& waiting,
                                              const std::shared_ptr<MessageCount>& count)
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
        if (auto context = try_connect(settings, count); context.is()) {
            // The launcher lives as long as the office.
            if (launcher_running)
                reap_when_it_ends(pid);
            return context;
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
            auto count = std::make_shared<MessageCount>();
            Reference<XComponentContext> remote = try_connect(settings, count);
            if (!remote.is())
                remote = start_and_connect(settings, waiting, count);
            // An office of the user's that runs without windows would open the workbook where
            // nobody can see it: the one that answered, or the one the office ZEB started handed
            // its request to. ZEB's own start of one (for tests) asks for exactly that.
            if (!settings.headless && runs_headless(socket))
                throw cannot_create("LibreOffice is running without windows (started with --headless) for this "
                                    "user, so the workbook would open where nobody can see it.\r\nQuit that "
                                    "LibreOffice, or start it normally, then start ZEB again.");
            auto session = std::make_shared<Session>();
            session->messages = count;
            Reference<css::lang::XMultiComponentFactory> manager = remote->getServiceManager();
            session->local.reflection = css::reflection::theCoreReflection::get(local_context());
            session->local.converter = css::script::Converter::create(local_context());
            session->local.types.set(local_context()->getValueByName(rtl::OUString::createFromAscii(
                                         "/singletons/com.sun.star.reflection.theTypeDescriptionManager")),
                                     css::uno::UNO_QUERY);
            session->index = std::make_unique<TypeIndex>(local_context());
            session->invocation.set(manager->createInstanceWithContext(
                                        rtl::OUString::createFromAscii("com.sun.star.script.Invocation"), remote),
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

Traffic traffic(const rt::Object& object)
{
    Traffic t;
    if (auto* o = dynamic_cast<const OfficeObject*>(&object)) {
        t.calls = o->session()->calls;
        t.messages = o->session()->messages->sent.load(std::memory_order_relaxed);
        t.requests = o->session()->messages->requests.load(std::memory_order_relaxed);
        t.releases = o->session()->messages->releases.load(std::memory_order_relaxed);
    }
    return t;
}

void await_type_library(const rt::Object& object)
{
    if (auto* o = dynamic_cast<const OfficeObject*>(&object); o && o->session()->index)
        o->session()->index->wait();
}

void prepare_members(const rt::Object& object, const std::vector<std::string>& names)
{
    auto* o = dynamic_cast<const OfficeObject*>(&object);
    if (!o || !o->session()->index)
        return;
    std::vector<std::string> lowered;
    for (const std::string& name : names)
        lowered.push_back(lower(name));
    o->session()->index->prepare(lowered);
}

} // namespace office
