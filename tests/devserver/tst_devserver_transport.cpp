// How the demo server is reached: HTTPS with a certificate it makes at
// start-up, plain HTTP on request, and slow or idle clients that must not
// hold it up.

#include "models/CUCMApiManager.h"
#include "support/DemoServerProcess.h"
#include "support/TestMain.h"

#include <QEventLoop>
#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSignalSpy>
#include <QSslCertificate>
#include <QSslCertificateExtension>
#include <QSslConfiguration>
#include <QSslError>
#include <QSslSocket>
#include <QTcpSocket>
#include <QTimer>

#include <memory>
#include <vector>

using rj_app::models::CUCMApiManager;

namespace {

constexpr int kWaitMs = 10000;

struct DevServer : glimora::test::DemoServerProcess
{
    DevServer()
        : DemoServerProcess(QStringLiteral(GLIMORA_DEVSERVER))
    {
    }
};

struct Answer
{
    bool answered = false; // an HTTP answer came, whatever its status
    int status = 0;
    QList<QSslError> sslErrors;
    QSslCertificate certificate;
};

// A GET that takes the server's own certificate, as the client's REST
// caller does, and remembers what the TLS layer found wrong with it.
Answer get(const QString &url)
{
    QNetworkAccessManager nam;
    QNetworkReply *reply = nam.get(QNetworkRequest{QUrl(url)});
    Answer answer;
    QObject::connect(reply, &QNetworkReply::sslErrors, reply, [reply, &answer](const QList<QSslError> &errors) {
        answer.sslErrors = errors;
        reply->ignoreSslErrors();
    });
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(kWaitMs, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec();
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    answer.answered = reply->isFinished() && status.isValid();
    answer.status = status.toInt();
    answer.certificate = reply->sslConfiguration().peerCertificate();
    delete reply;
    return answer;
}

const QString kUsersRoute = QStringLiteral("/api/rest/v2.0/users/1?token=sim-alice-1");

// The status line of a GET on a connection of its own, with the least work
// on this side, so that what it waits for is the server.
QByteArray statusLine(quint16 port, bool tls)
{
    QSslSocket socket;
    socket.setPeerVerifyMode(QSslSocket::VerifyNone);
    if (tls) {
        socket.connectToHostEncrypted(QStringLiteral("127.0.0.1"), port);
        if (!socket.waitForEncrypted(kWaitMs))
            return QByteArray();
    } else {
        socket.connectToHost(QHostAddress::LocalHost, port);
        if (!socket.waitForConnected(kWaitMs))
            return QByteArray();
    }
    socket.write("GET " + kUsersRoute.toLatin1() + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n");
    while (!socket.canReadLine() && socket.waitForReadyRead(kWaitMs)) {
    }
    return socket.readLine().trimmed();
}

} // namespace

class TestDevServerTransport : public QObject
{
    Q_OBJECT

private slots:
    // Each port speaks the scheme the server was started with, and only that.
    void schemes_data()
    {
        QTest::addColumn<bool>("http");      // started with --http
        QTest::addColumn<QString>("scheme"); // what the client asks with
        QTest::addColumn<bool>("roz");
        QTest::addColumn<bool>("answered");
        for (bool roz : {false, true}) {
            const char *port = roz ? "ROZ port" : "ordinary port";
            QTest::addRow("default, https, %s", port) << false << "https" << roz << true;
            QTest::addRow("default, http, %s", port) << false << "http" << roz << false;
            QTest::addRow("--http, http, %s", port) << true << "http" << roz << true;
            QTest::addRow("--http, https, %s", port) << true << "https" << roz << false;
        }
    }

    void schemes()
    {
        QFETCH(bool, http);
        QFETCH(QString, scheme);
        QFETCH(bool, roz);
        QFETCH(bool, answered);
        DevServer server;
        QVERIFY(http ? server.startPlainHttp() : server.start());
        const int port = roz ? server.rozPort : server.plainPort;
        const Answer answer = get(QStringLiteral("%1://127.0.0.1:%2%3").arg(scheme).arg(port).arg(kUsersRoute));
        QCOMPARE(answer.answered, answered);
        if (answered)
            QCOMPARE(answer.status, 200);
    }

    // The only fault a client finds is that nobody vouches for it: it names
    // 127.0.0.1, is valid now, and each run makes its own.
    void certificateIsSelfSignedForLoopback()
    {
        DevServer first, second;
        QVERIFY(first.start());
        QVERIFY(second.start());
        const Answer a = get(first.base() + kUsersRoute);
        const Answer b = get(second.base(second.rozPort) + kUsersRoute);
        QVERIFY(a.answered && b.answered);
        QVERIFY(!a.sslErrors.isEmpty());
        for (const QSslError &e : a.sslErrors)
            QVERIFY2(e.error() == QSslError::SelfSignedCertificate, qPrintable(e.errorString()));
        QVERIFY(a.certificate.isSelfSigned());
        QVERIFY(a.certificate.subjectAlternativeNames().values(QSsl::IpAddressEntry).contains(QStringLiteral("127.0.0.1")));
        QVERIFY(a.certificate.effectiveDate() <= QDateTime::currentDateTimeUtc());
        QVERIFY(a.certificate.expiryDate() > QDateTime::currentDateTimeUtc().addDays(30));
        QVERIFY(a.certificate.digest() != b.certificate.digest());
    }

    // The client's REST caller takes the demo server's certificate as it is.
    void restCallerReadsOverHttps()
    {
        DevServer server;
        QVERIFY(server.start());
        CUCMApiManager client;
        client.setRequestTimeout(kWaitMs);
        QSignalSpy users(&client, &CUCMApiManager::signal_getUsers_succeed);
        QSignalSpy errors(&client, &CUCMApiManager::signal_ucmapi_error);
        client.getUsers(server.base(), QStringLiteral("sim-alice-1"));
        QTRY_COMPARE_WITH_TIMEOUT(users.count() + errors.count(), 1, kWaitMs);
        QCOMPARE(users.count(), 1);
        QVERIFY(!client.getSavedUsers().isEmpty());
    }

    // Connections that send nothing (or stop half-way) hold no worker the
    // request after them needs, and are dropped after about a second.
    void idleClientsDoNotStallIt_data()
    {
        QTest::addColumn<bool>("http");
        QTest::newRow("https") << false;
        QTest::newRow("--http") << true;
    }

    void idleClientsDoNotStallIt()
    {
        QFETCH(bool, http);
        // More than the library's own pool has workers on any machine here.
        constexpr int kIdle = 24;
        DevServer server;
        QVERIFY(http ? server.startPlainHttp() : server.start());
        const quint16 port = quint16(server.plainPort);
        // TLS set up on this side before the clock matters.
        QCOMPARE(statusLine(port, !http), QByteArray("HTTP/1.1 200 OK"));
        std::vector<std::unique_ptr<QTcpSocket>> idle;
        for (int i = 0; i < kIdle; ++i) {
            auto socket = std::make_unique<QTcpSocket>();
            socket->connectToHost(QHostAddress::LocalHost, port);
            QVERIFY(socket->waitForConnected(kWaitMs));
            // The start of a request, then nothing: a slow client.
            if (i % 2)
                socket->write(http ? QByteArray("GET /api/rest/v2.0/users/1 HT") : QByteArray("\x16\x03\x01", 3));
            socket->flush();
            idle.push_back(std::move(socket));
        }
        const auto open = [&idle] {
            int n = 0;
            for (const auto &s : idle)
                n += s->state() == QAbstractSocket::ConnectedState;
            return n;
        };

        QCOMPARE(statusLine(port, !http), QByteArray("HTTP/1.1 200 OK"));
        // Served before any of them was given up on: it waited for nobody.
        QCoreApplication::processEvents();
        QCOMPARE(open(), kIdle);

        QTRY_COMPARE_WITH_TIMEOUT(open(), 0, 3000);
    }
};

GLIMORA_TEST_MAIN(TestDevServerTransport)
#include "tst_devserver_transport.moc"
