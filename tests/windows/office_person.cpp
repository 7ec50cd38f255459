#include "office_person.h"

#include <winsock2.h>
#include <windows.h>

#include <cstdlib>

#include <gtest/gtest.h>

namespace {

/// A text as the relay reads one: its length in bytes, then its UTF-8.
std::string text_value(const std::string& text)
{
    std::string value(1, 't');
    value += std::to_string(text.size());
    value += ':';
    value += text;
    return value;
}

/// One request to the relay and its answer, empty when the relay could not be reached.
std::string ask_relay(const std::string& request)
{
    char port[16] = {};
    if (GetEnvironmentVariableA("ZEB_TEST_OFFICE_PORT", port, sizeof port) == 0)
        return "";
    const SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET)
        return "";
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(static_cast<u_short>(std::atoi(port)));
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    std::string answer;
    if (connect(s, reinterpret_cast<sockaddr*>(&to), sizeof to) == 0) {
        const std::string message = std::to_string(request.size()) + "\n" + request;
        if (send(s, message.data(), static_cast<int>(message.size()), 0) == static_cast<int>(message.size())) {
            char chunk[4096];
            for (int got; (got = recv(s, chunk, sizeof chunk, 0)) > 0;) {
                answer.append(chunk, static_cast<std::size_t>(got));
                const auto end = answer.find('\n');
                if (end != std::string::npos && answer.size() - end - 1 >= std::stoul(answer.substr(0, end)))
                    break;
            }
        }
    }
    closesocket(s);
    return answer;
}

} // namespace

std::string press_in_office(const std::string& button, unsigned ms)
{
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
    std::string title;
    for (unsigned waited = 0; waited <= ms && title.empty(); waited += 250) {
        // The answer: "ok" then the dialog's title, or a null value when none shows.
        const std::string answer = ask_relay(text_value("press") + text_value(button));
        const std::string ok = text_value("ok") + "t";
        const auto at = answer.find(ok);
        if (at != std::string::npos) {
            const auto colon = answer.find(':', at + ok.size());
            title = answer.substr(colon + 1);
        } else {
            Sleep(250);
        }
    }
    WSACleanup();
    return title;
}

namespace {

void fail_reads(const std::vector<std::string>& names)
{
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
    std::string request = text_value("fail_reads");
    for (const std::string& name : names)
        request += text_value(name);
    const std::string answer = ask_relay(request);
    WSACleanup();
    EXPECT_NE(answer.find(text_value("ok")), std::string::npos) << "the tests' office did not take the reads to fail";
}

} // namespace

FailingReads::FailingReads(const std::vector<std::string>& names) { fail_reads(names); }

FailingReads::~FailingReads() { fail_reads({}); }
