#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QUrlQuery>

#include <memory>

namespace glimora::test {

// One part of a multipart/form-data body.
struct CapturedPart
{
    QByteArray name;
    QByteArray filename;
    QByteArray contentType;
    QByteArray content;
};

// One request as the fixture server received it.
struct CapturedRequest
{
    QByteArray method;                               // "GET", "POST", ...
    QString path;                                    // decoded path, without the query
    QString rawTarget;                               // request target as sent (path and encoded query)
    QUrlQuery query;                                 // decoded query items, in order
    QList<QPair<QByteArray, QByteArray>> headers;    // as sent, in order
    QByteArray body;                                 // empty for multipart/form-data: see parts
    QList<CapturedPart> parts;

    // The value of the first header of that name (case-insensitive); empty
    // when there is none.
    QByteArray header(const QByteArray &name) const;
    bool hasHeader(const QByteArray &name) const;
};

// A scripted answer for one method and path.
struct HttpRoute
{
    QByteArray method = "GET";
    QString path;                                    // exact, without the query
    int status = 200;
    QByteArray body;
    QByteArray contentType = "application/json";
    int delayMs = 0;                                 // wait before answering; cut short by stop()
};

// A loopback HTTP server for tests: listens on 127.0.0.1 on a free port,
// answers from scripted routes (an unscripted request gets 404 with an empty
// body) and records every request. Start and stop it per test; the server
// runs on its own threads, so a Qt client under test can wait on it from the
// GUI thread. Every member may be called from the test thread while the
// server runs.
class HttpFixtureServer
{
public:
    HttpFixtureServer();
    ~HttpFixtureServer();   // stops the server

    HttpFixtureServer(const HttpFixtureServer &) = delete;
    HttpFixtureServer &operator=(const HttpFixtureServer &) = delete;

    // Binds 127.0.0.1:0 and starts serving. False when it cannot bind.
    bool start();
    // Ends delays in progress, closes the listener and joins the threads.
    // Safe to call twice.
    void stop();
    bool isRunning() const;

    quint16 port() const;
    // "http://127.0.0.1:<port>"
    QString baseUrl() const;

    // Adds a route; a later route for the same method and path replaces the
    // earlier one.
    void addRoute(const HttpRoute &route);
    void addRoute(const QByteArray &method, const QString &path, int status, const QByteArray &body,
                  int delayMs = 0, const QByteArray &contentType = "application/json");
    void clearRoutes();

    // Requests received so far, in arrival order.
    QList<CapturedRequest> requests() const;
    int requestCount() const;
    // The last request; a default value when none arrived.
    CapturedRequest lastRequest() const;
    void clearRequests();

    // Processes Qt events until at least `count` requests have arrived or
    // `timeoutMs` has passed. True when they arrived.
    bool waitForRequests(int count, int timeoutMs = 5000) const;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace glimora::test
