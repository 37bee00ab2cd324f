#include "support/HttpFixtureServer.h"
#include "support/TestMain.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

using glimora::test::HttpFixtureServer;

namespace {

// Sends one request and waits for its answer (at most 5 s).
QNetworkReply *send(QNetworkAccessManager &nam, const QByteArray &method, const QUrl &url,
                    const QByteArray &body = {})
{
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::ContentTypeHeader, "application/json");
    request.setRawHeader("X-Probe", "42");
    QNetworkReply *reply = nam.sendCustomRequest(request, method, body);
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    loop.exec();
    return reply;
}

} // namespace

class TestHttpFixture : public QObject
{
    Q_OBJECT

private slots:
    void answersScriptedRoutesAndCapturesRequests()
    {
        HttpFixtureServer server;
        QVERIFY(server.start());
        QVERIFY(server.port() != 0);
        server.addRoute("POST", "/api/items", 201, R"({"ok":true})");

        QNetworkAccessManager nam;
        const QUrl url(server.baseUrl() + "/api/items?token=a%20b&x=1");
        QScopedPointer<QNetworkReply> reply(send(nam, "POST", url, R"({"n":1})"));
        QVERIFY(reply->isFinished());
        QCOMPARE(reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), 201);
        QCOMPARE(reply->readAll(), QByteArray(R"({"ok":true})"));

        QCOMPARE(server.requestCount(), 1);
        const auto req = server.lastRequest();
        QCOMPARE(req.method, QByteArray("POST"));
        QCOMPARE(req.path, QStringLiteral("/api/items"));
        QCOMPARE(req.query.queryItemValue("token"), QStringLiteral("a b"));
        QCOMPARE(req.query.queryItemValue("x"), QStringLiteral("1"));
        QCOMPARE(req.rawTarget, QStringLiteral("/api/items?token=a%20b&x=1"));
        QCOMPARE(req.header("x-probe"), QByteArray("42"));
        QCOMPARE(req.body, QByteArray(R"({"n":1})"));
    }

    void unscriptedRequestGets404AndLaterRouteReplaces()
    {
        HttpFixtureServer server;
        QVERIFY(server.start());
        QNetworkAccessManager nam;
        QScopedPointer<QNetworkReply> r1(send(nam, "GET", QUrl(server.baseUrl() + "/nothing")));
        QCOMPARE(r1->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), 404);

        server.addRoute("GET", "/a", 200, "first");
        server.addRoute("GET", "/a", 500, "second");
        QScopedPointer<QNetworkReply> r2(send(nam, "GET", QUrl(server.baseUrl() + "/a")));
        QCOMPARE(r2->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), 500);
        QCOMPARE(r2->readAll(), QByteArray("second"));
        QCOMPARE(server.requestCount(), 2);
        server.clearRequests();
        QCOMPARE(server.requestCount(), 0);
    }

    // A long scripted delay must not hold up stop().
    void stopCutsDelaysShort()
    {
        HttpFixtureServer server;
        QVERIFY(server.start());
        server.addRoute("GET", "/slow", 200, "late", 60000);
        QNetworkAccessManager nam;
        QNetworkReply *reply = nam.get(QNetworkRequest(QUrl(server.baseUrl() + "/slow")));
        QVERIFY(server.waitForRequests(1));
        QElapsedTimer clock;
        clock.start();
        server.stop();
        QVERIFY2(clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(!server.isRunning());
        server.stop(); // twice is harmless
        reply->abort();
        delete reply;
    }
};

GLIMORA_TEST_MAIN(TestHttpFixture)
#include "tst_httpfixture.moc"
