#include "SimNet.h"

#include <httplib.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace rjsim {

namespace {

bool endsWith(const std::string &text, const std::string &tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

std::string lower(std::string text)
{
    for (char &c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// One address, non-blocking connect with a deadline.
bool connectOnce(const addrinfo *ai, std::chrono::steady_clock::time_point deadline)
{
    const int fd = ::socket(ai->ai_family, ai->ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK, ai->ai_protocol);
    if (fd < 0)
        return false;
    bool ok = false;
    int rc = ::connect(fd, ai->ai_addr, ai->ai_addrlen);
    if (rc == 0) {
        ok = true;
    } else if (errno == EINPROGRESS) {
        for (;;) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                                  deadline - std::chrono::steady_clock::now())
                                  .count();
            if (left <= 0)
                break;
            pollfd pfd{fd, POLLOUT, 0};
            rc = ::poll(&pfd, 1, static_cast<int>(left));
            if (rc < 0 && errno == EINTR)
                continue;
            if (rc > 0) {
                int error = 0;
                socklen_t len = sizeof(error);
                if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &len) == 0 && error == 0)
                    ok = true;
            }
            break;
        }
    }
    ::close(fd);
    return ok;
}

} // namespace

bool isReservedInvalidName(const std::string &host)
{
    const std::string name = lower(host);
    return name == "invalid" || endsWith(name, ".invalid") || endsWith(name, ".invalid.");
}

namespace {

// Null when the name does not resolve; free with freeaddrinfo.
addrinfo *resolve(const std::string &host, unsigned int port)
{
    addrinfo hints;
    std::memset(&hints, 0, sizeof(hints));
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV;
    addrinfo *result = nullptr;
    const std::string service = std::to_string(port);
    const int rc = ::getaddrinfo(host.c_str(), service.c_str(), &hints, &result);
    if (rc != 0 && result) {
        ::freeaddrinfo(result);
        result = nullptr;
    }
    return result;
}

} // namespace

Reach probeServer(const std::string &host, unsigned int port, int timeoutMs)
{
    if (host.empty() || isReservedInvalidName(host))
        return Reach::Unresolved;
    if (port == 0 || port > 65535)
        return Reach::Unreachable;

    addrinfo *result = resolve(host, port);
    if (!result)
        return Reach::Unresolved;

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    bool connected = false;
    for (const addrinfo *ai = result; ai && !connected; ai = ai->ai_next)
        connected = connectOnce(ai, deadline);
    ::freeaddrinfo(result);
    return connected ? Reach::Connected : Reach::Unreachable;
}

Reach askServer(const std::string &host, unsigned int port, bool secure, int timeoutMs)
{
    if (host.empty() || isReservedInvalidName(host))
        return Reach::Unresolved;
    if (port == 0 || port > 65535)
        return Reach::Unreachable;
    // Told apart from an unreachable server: the diagnosis and the error
    // code differ.
    addrinfo *resolved = resolve(host, port);
    if (!resolved)
        return Reach::Unresolved;
    ::freeaddrinfo(resolved);

    const time_t sec = timeoutMs / 1000;
    const time_t usec = static_cast<time_t>(timeoutMs % 1000) * 1000;
    const auto ask = [&](httplib::ClientImpl &client) {
        client.set_connection_timeout(sec, usec);
        client.set_read_timeout(sec, usec);
        client.set_write_timeout(sec, usec);
        client.set_keep_alive(false);
        const httplib::Result answer = client.Get("/api/rest/v2.0/latestAppVersion?appType=linux");
        return answer ? Reach::Connected : Reach::Unreachable;
    };
    if (secure) {
        httplib::SSLClient client(host, static_cast<int>(port));
        client.enable_server_certificate_verification(false);
        return ask(client);
    }
    httplib::ClientImpl client(host, static_cast<int>(port));
    return ask(client);
}

} // namespace rjsim
