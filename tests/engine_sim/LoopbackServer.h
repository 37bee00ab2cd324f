#pragma once

#include <QtGlobal>

#include <string>
#include <thread>

#include <arpa/inet.h>
#include <poll.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

// A server on a loopback port that answers every request with 200 and an
// empty JSON object and closes the connection, on its own thread (the engine
// asks servers synchronously, so the test's event loop may not be running).
// A connection that sends no request within a second is closed unanswered.
class LoopbackServer
{
public:
    bool start()
    {
        m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof(addr);
        if (m_fd < 0 || ::bind(m_fd, reinterpret_cast<sockaddr *>(&addr), len) != 0 || ::listen(m_fd, 64) != 0
            || ::getsockname(m_fd, reinterpret_cast<sockaddr *>(&addr), &len) != 0)
            return false;
        m_port = ntohs(addr.sin_port);
        m_thread = std::thread([this] {
            for (;;) {
                const int c = ::accept(m_fd, nullptr, nullptr);
                if (c < 0)
                    return;
                if (readRequest(c)) {
                    static const char answer[] = "HTTP/1.1 200 OK\r\nContent-Type: application/json\r\n"
                                                 "Content-Length: 2\r\nConnection: close\r\n\r\n{}";
                    (void)!::send(c, answer, sizeof(answer) - 1, MSG_NOSIGNAL);
                }
                ::close(c);
            }
        });
        return true;
    }
    ~LoopbackServer()
    {
        if (m_fd >= 0) {
            ::shutdown(m_fd, SHUT_RDWR);
            if (m_thread.joinable())
                m_thread.join();
            ::close(m_fd);
        }
    }
    quint16 port() const { return m_port; }

private:
    // Reads up to the end of the request's headers.
    static bool readRequest(int c)
    {
        std::string seen;
        char buffer[1024];
        while (seen.find("\r\n\r\n") == std::string::npos && seen.size() < 65536) {
            pollfd pfd{c, POLLIN, 0};
            if (::poll(&pfd, 1, 1000) <= 0)
                return false;
            const ssize_t n = ::recv(c, buffer, sizeof(buffer), 0);
            if (n <= 0)
                return false;
            seen.append(buffer, static_cast<std::size_t>(n));
        }
        return true;
    }

    int m_fd = -1;
    quint16 m_port = 0;
    std::thread m_thread;
};
