#include "HttpFixtureServer.h"

#include <httplib.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QThread>
#include <QUrl>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace glimora::test {

QByteArray CapturedRequest::header(const QByteArray &name) const
{
    for (const auto &h : headers) {
        if (h.first.compare(name, Qt::CaseInsensitive) == 0)
            return h.second;
    }
    return {};
}

bool CapturedRequest::hasHeader(const QByteArray &name) const
{
    for (const auto &h : headers) {
        if (h.first.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

struct HttpFixtureServer::Private
{
    httplib::Server server;
    std::thread thread;
    int port = 0;

    mutable std::mutex mutex;
    std::condition_variable stopping;
    bool stopRequested = false;
    QList<HttpRoute> routes;
    QList<CapturedRequest> requests;

    void handle(const httplib::Request &req, httplib::Response &res)
    {
        CapturedRequest captured;
        captured.method = QByteArray::fromStdString(req.method);
        captured.path = QString::fromStdString(req.path);
        captured.rawTarget = QString::fromStdString(req.target);
        for (const auto &param : req.params)
            captured.query.addQueryItem(QString::fromStdString(param.first), QString::fromStdString(param.second));
        for (const auto &h : req.headers)
            captured.headers.append({QByteArray::fromStdString(h.first), QByteArray::fromStdString(h.second)});
        captured.body = QByteArray::fromStdString(req.body);
        for (const auto &file : req.files) {
            captured.parts.append({QByteArray::fromStdString(file.second.name),
                                   QByteArray::fromStdString(file.second.filename),
                                   QByteArray::fromStdString(file.second.content_type),
                                   QByteArray::fromStdString(file.second.content)});
        }

        HttpRoute route;
        bool found = false;
        {
            std::lock_guard<std::mutex> lock(mutex);
            requests.append(captured);
            for (const HttpRoute &r : routes) {
                if (r.method == captured.method && r.path == captured.path) {
                    route = r;
                    found = true;
                }
            }
        }
        if (!found) {
            res.status = 404;
            return;
        }
        if (route.delayMs > 0) {
            std::unique_lock<std::mutex> lock(mutex);
            stopping.wait_for(lock, std::chrono::milliseconds(route.delayMs), [this] { return stopRequested; });
        }
        res.status = route.status;
        res.set_content(route.body.toStdString(), route.contentType.toStdString());
    }
};

HttpFixtureServer::HttpFixtureServer()
    : d(std::make_unique<Private>())
{
}

HttpFixtureServer::~HttpFixtureServer()
{
    stop();
}

bool HttpFixtureServer::start()
{
    if (isRunning())
        return true;
    d = std::make_unique<Private>();
    auto handler = [p = d.get()](const httplib::Request &req, httplib::Response &res) { p->handle(req, res); };
    d->server.Get(".*", handler);
    d->server.Post(".*", handler);
    d->server.Put(".*", handler);
    d->server.Patch(".*", handler);
    d->server.Delete(".*", handler);
    d->server.Options(".*", handler);
    // One request per connection, so stop() never waits on an idle keep-alive.
    d->server.set_keep_alive_max_count(1);

    d->port = d->server.bind_to_any_port("127.0.0.1");
    if (d->port <= 0) {
        d->port = 0;
        return false;
    }
    d->thread = std::thread([p = d.get()] { p->server.listen_after_bind(); });
    // The socket already listens; wait until the accept loop runs so that a
    // quick stop() cannot slip in before it.
    const QDeadlineTimer deadline(5000);
    while (!d->server.is_running() && !deadline.hasExpired())
        QThread::msleep(1);
    return d->server.is_running();
}

void HttpFixtureServer::stop()
{
    if (!d->thread.joinable())
        return;
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->stopRequested = true;
    }
    d->stopping.notify_all();
    d->server.stop();
    d->thread.join();
}

bool HttpFixtureServer::isRunning() const
{
    return d->thread.joinable() && d->server.is_running();
}

quint16 HttpFixtureServer::port() const
{
    return static_cast<quint16>(d->port);
}

QString HttpFixtureServer::baseUrl() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(d->port);
}

void HttpFixtureServer::addRoute(const HttpRoute &route)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->routes.append(route);
}

void HttpFixtureServer::addRoute(const QByteArray &method, const QString &path, int status,
                                 const QByteArray &body, int delayMs, const QByteArray &contentType)
{
    HttpRoute route;
    route.method = method;
    route.path = path;
    route.status = status;
    route.body = body;
    route.delayMs = delayMs;
    route.contentType = contentType;
    addRoute(route);
}

void HttpFixtureServer::clearRoutes()
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->routes.clear();
}

QList<CapturedRequest> HttpFixtureServer::requests() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->requests;
}

int HttpFixtureServer::requestCount() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->requests.size();
}

CapturedRequest HttpFixtureServer::lastRequest() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->requests.isEmpty() ? CapturedRequest() : d->requests.last();
}

void HttpFixtureServer::clearRequests()
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->requests.clear();
}

bool HttpFixtureServer::waitForRequests(int count, int timeoutMs) const
{
    const QDeadlineTimer deadline(timeoutMs);
    while (requestCount() < count) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
    return true;
}

} // namespace glimora::test
