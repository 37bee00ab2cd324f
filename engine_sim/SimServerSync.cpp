#include "SimServerSync.h"

#include "SimNet.h"

#include <httplib.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

#include <condition_variable>
#include <cstdio>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

namespace rjsim {

namespace {

constexpr int kConnectTimeoutSec = 2;
constexpr int kTransferTimeoutSec = 5;
constexpr std::size_t kMaxWaiting = 16;

std::string percentEncoded(const std::string &text)
{
    std::string out;
    for (unsigned char c : text) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-'
                           || c == '_' || c == '.' || c == '~';
        if (plain) {
            out += static_cast<char>(c);
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof(escaped), "%%%02X", c);
            out += escaped;
        }
    }
    return out;
}

const char *pictureType(const std::string &bytes)
{
    if (bytes.compare(0, 3, "\xFF\xD8\xFF") == 0)
        return "image/jpeg";
    if (bytes.compare(0, 8, "\x89PNG\r\n\x1A\n") == 0)
        return "image/png";
    if (bytes.compare(0, 2, "BM") == 0)
        return "image/bmp";
    return "image/*"; // the server reads the picture by its content
}

bool sameTarget(const ProfileChange &a, const ProfileChange &b)
{
    return a.kind == b.kind && a.host == b.host && a.port == b.port && a.secure == b.secure && a.userId == b.userId;
}

void send(const ProfileChange &change)
{
    const bool picture = change.kind == ProfileChange::Kind::Picture;
    std::unique_ptr<httplib::ClientImpl> secure;
    std::unique_ptr<httplib::ClientImpl> plain;
    if (change.secure) {
        auto tls = std::make_unique<httplib::SSLClient>(change.host, static_cast<int>(change.port));
        // The server was taken at sign-in as it is; a demo server's
        // certificate is its own.
        tls->enable_server_certificate_verification(false);
        secure = std::move(tls);
    } else {
        plain = std::make_unique<httplib::ClientImpl>(change.host, static_cast<int>(change.port));
    }
    httplib::ClientImpl &client = change.secure ? *secure : *plain;
    client.set_connection_timeout(kConnectTimeoutSec, 0);
    client.set_read_timeout(kTransferTimeoutSec, 0);
    client.set_write_timeout(kTransferTimeoutSec, 0);
    client.set_keep_alive(false);
    const std::string path = "/api/rest/v2.0/users/" + std::to_string(change.userId) + (picture ? "/avatar" : "")
                             + "?token=" + percentEncoded(change.token);
    // The answer does not matter here: the server logs what it took, and
    // nothing in the engine depends on it. No log line either, as this may
    // run while the process ends and its logging is gone.
    if (picture) {
        client.Put(path, change.value, pictureType(change.value));
    } else {
        const QJsonObject body{{QStringLiteral("displayName"), QString::fromStdString(change.value)}};
        client.Patch(path, QJsonDocument(body).toJson(QJsonDocument::Compact).toStdString(), "application/json");
    }
}

// The sending thread, started on first use. Never destroyed: the thread may
// still wait on a server while the process ends.
class Forwarder
{
public:
    static Forwarder &instance()
    {
        static Forwarder *forwarder = new Forwarder;
        return *forwarder;
    }

    void post(ProfileChange change)
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            bool replaced = false;
            for (ProfileChange &waiting : m_waiting) {
                if (sameTarget(waiting, change)) {
                    waiting = change;
                    replaced = true;
                }
            }
            if (!replaced) {
                if (m_waiting.size() >= kMaxWaiting)
                    m_waiting.pop_front();
                m_waiting.push_back(std::move(change));
            }
            if (!m_started) {
                m_started = true;
                std::thread([this] { run(); }).detach();
            }
        }
        m_wake.notify_one();
    }

private:
    void run()
    {
        for (;;) {
            ProfileChange change;
            {
                std::unique_lock<std::mutex> lock(m_mutex);
                m_wake.wait(lock, [this] { return !m_waiting.empty(); });
                change = std::move(m_waiting.front());
                m_waiting.pop_front();
            }
            send(change);
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<ProfileChange> m_waiting;
    bool m_started = false;
};

} // namespace

void forwardProfileChange(ProfileChange change)
{
    if (change.host.empty() || change.port == 0 || change.port > 65535 || isReservedInvalidName(change.host))
        return;
    Forwarder::instance().post(std::move(change));
}

} // namespace rjsim
