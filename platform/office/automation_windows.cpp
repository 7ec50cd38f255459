// Creating automation objects on Windows: the class registered for the program identifier,
// started by the system, reached through IDispatch. LibreOffice registers its automation
// bridge as "com.sun.star.ServiceManager".

#include "automation.h"
#include "bridged_object_windows.h"

#include "runtime/dispatch_object.h"
#include "runtime/error.h"
#include "runtime/value.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>


namespace office {
namespace {

/// The program identifier LibreOffice registers its automation bridge under.
const std::string office_progid = "com.sun.star.ServiceManager";

/// The class `progid` could not be made: what the person can do about it first, then the
/// runtime's own line and `detail`, what the system said.
rt::Error cannot_create(const std::string& progid, const std::string& to_do, const std::string& detail)
{
    return rt::Error(rt::errCantCreateObject, "ZEB",
                     to_do + "\r\n\r\nActiveX component can't create object: '" + progid + "'.\r\n" + detail);
}

/// The system's own words for `hr`, and its number.
std::string system_words(HRESULT hr)
{
    char* text = nullptr;
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   static_cast<DWORD>(hr), 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string words = text ? text : "";
    LocalFree(text);
    while (!words.empty() && (words.back() == '\n' || words.back() == '\r' || words.back() == ' '))
        words.pop_back();
    char code[16];
    std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(hr));
    return "(Windows said: " + (words.empty() ? std::string() : words + " ") + code + ")";
}

/// The default value of the class key `key`; empty when there is none.
std::string class_value(const std::string& key)
{
    char value[1024] = {};
    DWORD size = sizeof value;
    if (RegGetValueA(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value,
                     &size) != ERROR_SUCCESS)
        return "";
    return value;
}

/// Whether the office's class is registered for a program that is not there (a registration
/// left behind by a LibreOffice that was uninstalled or moved).
bool registered_program_missing(const std::string& progid)
{
    const std::string clsid = class_value(progid + "\\CLSID");
    std::string program = clsid.empty() ? "" : class_value("CLSID\\" + clsid + "\\LocalServer32");
    if (program.empty())
        return false;
    // The program's path, without quotes and the arguments after it.
    if (program.front() == '"')
        program = program.substr(1, program.find('"', 1) - 1);
    else if (const auto exe = program.find(".exe"); exe != std::string::npos)
        program.resize(exe + 4);
    return GetFileAttributesA(program.c_str()) == INVALID_FILE_ATTRIBUTES;
}

/// What the person can do when the office's class cannot be had, by what the system said; the
/// cause, and the system's words, go in `detail`.
std::string advice(const std::string& progid, HRESULT hr, std::string& detail)
{
    detail = system_words(hr);
    if (progid != office_progid)
        return "The class is not installed on this computer.";
    // A program that is not there is told by the registration itself: Wine answers it as a
    // class not registered.
    const bool program_gone = registered_program_missing(progid) || hr == CO_E_APPNOTFOUND ||
                              hr == CO_E_SERVER_EXEC_FAILURE || hr == HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND) ||
                              hr == HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND) ||
                              hr == HRESULT_FROM_WIN32(ERROR_BAD_EXE_FORMAT);
    if (program_gone) {
        detail = "LibreOffice is registered for automation, but the program registered is not there (left by a "
                 "LibreOffice that was uninstalled or moved).\r\n" + detail;
        return "Install LibreOffice again, or repair it (from www.libreoffice.org), then start ZEB again.";
    }
    if (hr == REGDB_E_CLASSNOTREG || hr == CO_E_CLASSSTRING) {
        detail = "LibreOffice's automation is not registered on this computer.\r\n" + detail;
        return "Install LibreOffice from www.libreoffice.org, then start ZEB again. If LibreOffice is installed "
               "already, start it once, then start ZEB again.";
    }
    if (hr == E_NOINTERFACE) {
        detail = "LibreOffice is installed, but it refused to be driven by another program: its automation is "
                 "switched off in its settings (or by the administrator).\r\n" + detail;
        return "Switch LibreOffice's automation on in its settings, or ask whoever manages this computer, then "
               "start ZEB again.";
    }
    detail = "LibreOffice did not start.\r\n" + detail;
    return "Close any LibreOffice that shows a question, then start ZEB again.";
}

/// How long the office may take to answer: ZEB_OFFICE_WAIT seconds, 60 when it is not set.
double wait_seconds()
{
    const char* text = std::getenv("ZEB_OFFICE_WAIT");
    const double seconds = text ? std::atof(text) : 0;
    return seconds > 0 ? seconds : 60;
}

/// What a creation on a thread of its own hands back to the window thread.
struct Handover {
    std::mutex lock;
    bool done = false, abandoned = false;
    HRESULT result = S_OK;
    IStream* marshalled = nullptr; ///< the object, for the window thread's apartment
};

/// Creates the class `progid` on a thread of its own, so that the window thread goes on (the
/// notice paints, `waiting.tick` runs) while the system starts the office; waits at most
/// ZEB_OFFICE_WAIT seconds. Null, with the system's answer in `result`, when it could not be
/// made; `in_time` false when the wait ran out (the creation is then left to end by itself).
std::shared_ptr<rt::DispatchObject> create_in_time(const std::string& progid, const Waiting& waiting, HRESULT& result,
                                                   bool& in_time)
{
    rt::join_apartment(); // the object comes to this thread's apartment
    auto handover = std::make_shared<Handover>();
    std::thread([handover, progid] {
        HRESULT hr = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        const bool joined = SUCCEEDED(hr);
        IStream* stream = nullptr;
        if (joined) {
            const std::shared_ptr<rt::DispatchObject> object = rt::create_dispatch_object(progid, hr);
            if (object)
                hr = CoMarshalInterThreadInterfaceInStream(IID_IDispatch, object->dispatch(), &stream);
        }
        {
            std::lock_guard<std::mutex> guard(handover->lock);
            handover->done = true;
            handover->result = hr;
            if (handover->abandoned && stream) {
                CoReleaseMarshalData(stream);
                stream->Release();
            } else {
                handover->marshalled = stream;
            }
        }
        if (joined)
            CoUninitialize();
    }).detach();

    if (waiting.begin)
        waiting.begin();
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(std::lround(wait_seconds() * 1000));
    bool done = false;
    while (!done) {
        {
            std::lock_guard<std::mutex> guard(handover->lock);
            done = handover->done;
            if (!done && std::chrono::steady_clock::now() >= deadline) {
                handover->abandoned = true;
                in_time = false;
                break;
            }
        }
        if (!done) {
            if (waiting.tick)
                waiting.tick();
            Sleep(50);
        }
    }
    if (waiting.end)
        waiting.end();
    if (!in_time)
        return nullptr;
    result = handover->result;
    if (!handover->marshalled)
        return nullptr;
    IDispatch* object = nullptr;
    result = CoGetInterfaceAndReleaseStream(handover->marshalled, IID_IDispatch, reinterpret_cast<void**>(&object));
    handover->marshalled = nullptr;
    if (FAILED(result) || !object)
        return nullptr;
    auto made = std::make_shared<rt::DispatchObject>(object);
    object->Release(); // the object holds its own reference
    return made;
}

} // namespace

std::shared_ptr<rt::Object> create_object(const std::string& progid, const Waiting& waiting)
{
    HRESULT result = S_OK;
    bool in_time = true;
    // The office's server may take seconds to start: it is waited for off the window thread.
    // Other classes are the system's own, made at once in this thread's apartment.
    const bool office = progid == office_progid;
    std::shared_ptr<rt::DispatchObject> made = office ? create_in_time(progid, waiting, result, in_time)
                                                   : rt::create_dispatch_object(progid, result);
    if (!in_time)
        throw cannot_create(progid,
                            "If LibreOffice is showing a question, answer it; otherwise wait until it has "
                            "started, then start ZEB again.",
                            "LibreOffice did not answer within " + std::to_string(std::lround(wait_seconds())) +
                                " seconds. ZEB_OFFICE_WAIT sets how many seconds ZEB waits.");
    if (!made) {
        std::string detail;
        const std::string to_do = advice(progid, result, detail);
        throw cannot_create(progid, to_do, detail);
    }
    return office ? bridged(made) : made;
}

} // namespace office
