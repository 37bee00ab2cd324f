#pragma once

#include <QtGlobal>

#include <thread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

// A server on a loopback port that accepts every connection and closes it at
// once, on its own thread (the engine probes servers synchronously, so the
// test's event loop may not be running).
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
    int m_fd = -1;
    quint16 m_port = 0;
    std::thread m_thread;
};
