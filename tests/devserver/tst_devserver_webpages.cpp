// The demo server's web pages of a "ROZ" server: each kind at the address the
// client builds, for a signed-in user only; what a refused request gets; the
// script and style sheet they share.
#include "support/DemoServerProcess.h"
#include "support/TestMain.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrlQuery>

namespace {

constexpr int kWaitMs = 10000;

struct Answer
{
    int status = 0;
    QByteArray body;
    QByteArray contentType;
};

Answer get(QNetworkAccessManager &nam, const QUrl &url)
{
    QNetworkReply *reply = nam.get(QNetworkRequest(url));
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(kWaitMs, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec();
    Answer a;
    a.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    a.body = reply->readAll();
    a.contentType = reply->header(QNetworkRequest::ContentTypeHeader).toByteArray();
    delete reply;
    return a;
}

} // namespace

class TestDevServerWebPages : public QObject
{
    Q_OBJECT

    glimora::test::DemoServerProcess m_server{QStringLiteral(GLIMORA_DEVSERVER)};
    QNetworkAccessManager m_nam;

    QUrl pageUrl(const QString &path, const QString &token, bool roz = true)
    {
        QUrl url(m_server.base(roz ? m_server.rozPort : m_server.plainPort) + path);
        QUrlQuery query;
        if (!token.isNull())
            query.addQueryItem(QStringLiteral("token"), QString::fromLatin1(QUrl::toPercentEncoding(token)));
        query.addQueryItem(QStringLiteral("numericId"), QStringLiteral("1001"));
        url.setQuery(query);
        return url;
    }

private slots:
    void initTestCase() { QVERIFY(m_server.startPlainHttp()); }

    // The address the client builds ("/client" + key) and the one with a
    // slash both give the page of that kind, on either port.
    void pageForAGoodToken_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("roz");
        QTest::addColumn<QByteArray>("kind");
        QTest::newRow("conferences") << "/clientconferences" << true << QByteArray("conferences");
        QTest::newRow("conference control") << "/clientconfControl" << true << QByteArray("confControl");
        QTest::newRow("contacts") << "/clientcontact" << true << QByteArray("contact");
        QTest::newRow("with a slash") << "/client/contact" << true << QByteArray("contact");
        QTest::newRow("plain port, same data") << "/clientconferences" << false << QByteArray("conferences");
    }

    void pageForAGoodToken()
    {
        QFETCH(QString, path);
        QFETCH(bool, roz);
        QFETCH(QByteArray, kind);
        for (const char *user : {"alice", "bob", "carol"}) {
            const Answer a = get(m_nam, pageUrl(path, QStringLiteral("sim-%1-12").arg(QLatin1String(user)), roz));
            QCOMPARE(a.status, 200);
            QVERIFY(a.contentType.startsWith("text/html"));
            QVERIFY2(a.body.contains("data-page=\"" + kind + "\""), a.body.left(400).constData());
            QVERIFY(a.body.contains("qrc:///qtwebchannel/qwebchannel.js"));
        }
    }

    // Without a token of a user who signs in there is no page, only the
    // notice that asks the client for a new token; the request's text is
    // never echoed into it.
    void refusedWithoutAGoodToken_data()
    {
        QTest::addColumn<QString>("token");
        QTest::newRow("none") << QString();
        QTest::newRow("empty") << QStringLiteral("");
        QTest::newRow("unknown user") << QStringLiteral("sim-mallory-1");
        QTest::newRow("locked account") << QStringLiteral("sim-locked-1");
        QTest::newRow("not a counter") << QStringLiteral("sim-alice-x");
        QTest::newRow("markup") << QStringLiteral("<script>alert(1)</script>");
    }

    void refusedWithoutAGoodToken()
    {
        QFETCH(QString, token);
        for (const char *path : {"/clientconferences", "/clientconfControl", "/clientcontact"}) {
            const Answer a = get(m_nam, pageUrl(QLatin1String(path), token));
            QCOMPARE(a.status, 401);
            QVERIFY(a.body.contains("data-page=\"refused\""));
            QVERIFY(!a.body.contains("<script>alert"));
        }
    }

    // What the pages load besides themselves, without a token.
    void sharedFiles_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QByteArray>("type");
        QTest::addColumn<QByteArray>("contains");
        QTest::newRow("script") << "/client/assets/roz_pages.js" << QByteArray("text/javascript")
                                << QByteArray("pageCreated");
        QTest::newRow("style") << "/client/assets/roz_pages.css" << QByteArray("text/css") << QByteArray("body");
        QTest::newRow("reservation") << "/client/reservation" << QByteArray("text/html")
                                     << QByteArray("data-page=\"reservation\"");
    }

    void sharedFiles()
    {
        QFETCH(QString, path);
        QFETCH(QByteArray, type);
        QFETCH(QByteArray, contains);
        const Answer a = get(m_nam, QUrl(m_server.base(m_server.rozPort) + path));
        QCOMPARE(a.status, 200);
        QVERIFY(a.contentType.startsWith(type));
        QVERIFY(a.body.contains(contains));
    }

    // Other page names are not pages.
    void unknownPage()
    {
        QCOMPARE(get(m_nam, pageUrl(QStringLiteral("/clientsettings"), QStringLiteral("sim-alice-1"))).status, 404);
        QCOMPARE(get(m_nam, pageUrl(QStringLiteral("/client/conferencesx"), QStringLiteral("sim-alice-1"))).status,
                 404);
    }
};

GLIMORA_TEST_MAIN(TestDevServerWebPages)
#include "tst_devserver_webpages.moc"
