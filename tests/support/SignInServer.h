#pragma once

#include <QHostAddress>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace glimora::test {

// A management server on a loopback port as far as a sign-in needs one: it
// answers the version route the engine asks before signing in, over plain
// HTTP, and takes every other request without ever answering it (so a REST
// caller under test waits for its own time-out). Runs on its own thread, so
// the GUI thread may block while the engine asks. Stops when destroyed.
class SignInServer
{
public:
    SignInServer() = default;
    SignInServer(const SignInServer &) = delete;
    SignInServer &operator=(const SignInServer &) = delete;
    ~SignInServer() { close(); }

    bool listen(const QHostAddress & = QHostAddress::LocalHost, quint16 port = 0)
    {
        m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        addr.sin_port = htons(port);
        socklen_t len = sizeof(addr);
        if (m_fd < 0 || ::bind(m_fd, reinterpret_cast<sockaddr *>(&addr), len) != 0 || ::listen(m_fd, 64) != 0
            || ::getsockname(m_fd, reinterpret_cast<sockaddr *>(&addr), &len) != 0)
            return false;
        m_port = ntohs(addr.sin_port);
        m_thread = std::thread([this] { serve(); });
        return true;
    }

    quint16 serverPort() const { return m_port; }

    void close()
    {
        if (m_fd < 0)
            return;
        ::shutdown(m_fd, SHUT_RDWR);
        if (m_thread.joinable())
            m_thread.join();
        ::close(m_fd);
        m_fd = -1;
        std::lock_guard<std::mutex> lock(m_mutex);
        for (int held : m_held)
            ::close(held);
        m_held.clear();
    }

private:
    void serve()
    {
        for (;;) {
            const int c = ::accept4(m_fd, nullptr, nullptr, SOCK_CLOEXEC);
            if (c < 0)
                return;
            const std::string head = readHead(c);
            if (head.rfind("GET /api/rest/v2.0/latestAppVersion?", 0) == 0) {
                static const char answer[] = "HTTP/1.1 200 OK\r\nContent-Type: application/json\r\n"
                                             "Content-Length: 19\r\nConnection: close\r\n\r\n"
                                             "{\"version\":\"0.0.0\"}";
                (void)!::send(c, answer, sizeof(answer) - 1, MSG_NOSIGNAL);
                ::close(c);
            } else {
                std::lock_guard<std::mutex> lock(m_mutex);
                m_held.push_back(c);
            }
        }
    }

    // The request line and headers, or what came within a second.
    static std::string readHead(int c)
    {
        std::string seen;
        char buffer[1024];
        while (seen.find("\r\n\r\n") == std::string::npos && seen.size() < 65536) {
            pollfd pfd{c, POLLIN, 0};
            if (::poll(&pfd, 1, 1000) <= 0)
                break;
            const ssize_t n = ::recv(c, buffer, sizeof(buffer), 0);
            if (n <= 0)
                break;
            seen.append(buffer, static_cast<std::size_t>(n));
        }
        return seen;
    }

    int m_fd = -1;
    quint16 m_port = 0;
    std::thread m_thread;
    std::mutex m_mutex;
    std::vector<int> m_held;
};

} // namespace glimora::test
