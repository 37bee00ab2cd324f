// The address an embedded web page loads, from the deployment's setting or
// the sign-in, and what of it reaches the log; whether the web engine may
// start at all.

#include "support/TestMain.h"

#include "views/meetings/CWebPageHost.h"
#include "views/meetings/WebComponents.h"

using rj_app::views::CWebPageHost;
using Parts = CWebPageHost::AddressParts;

Q_DECLARE_METATYPE(CWebPageHost::AddressParts)

class TestWebPageAddress : public QObject
{
    Q_OBJECT

    static Parts roz()
    {
        Parts p;
        p.serverType = QStringLiteral("ROZ");
        p.urlSuffix = QStringLiteral("/client");
        p.urlPrefix = QStringLiteral("https://meet.glimora.example:443");
        p.token = QStringLiteral("sim-alice-7");
        p.numericId = QStringLiteral("1001");
        return p;
    }

private slots:
    void address_data()
    {
        QTest::addColumn<int>("urlType");
        QTest::addColumn<Parts>("parts");
        QTest::addColumn<QString>("expected");

        const QString base = QStringLiteral("https://meet.glimora.example:443/client");
        QTest::newRow("conferences") << 0 << roz() << base + "conferences?token=sim-alice-7&numericId=1001";
        QTest::newRow("conference control") << 1 << roz() << base + "confControl?token=sim-alice-7&numericId=1001";
        QTest::newRow("contacts") << 2 << roz() << base + "contact?token=sim-alice-7&numericId=1001";
        QTest::newRow("other kind: no key") << 7 << roz() << base + "?token=sim-alice-7&numericId=1001";

        Parts outsideCall = roz();
        outsideCall.numericId.clear();
        QTest::newRow("outside a call") << 0 << outsideCall << base + "conferences?token=sim-alice-7&numericId=";

        // The server's suffix stays as it is, route marker included.
        Parts hashRoute = roz();
        hashRoute.urlSuffix = QStringLiteral("/web/#/");
        QTest::newRow("suffix with a route") << 2 << hashRoute
                                            << QStringLiteral("https://meet.glimora.example:443/web/#/contact"
                                                              "?token=sim-alice-7&numericId=1001");

        Parts configured = roz();
        configured.configured = QStringLiteral("http://pages.example/list?x=1");
        QTest::newRow("configured wins") << 0 << configured << QStringLiteral("http://pages.example/list?x=1");
        Parts configuredOnly;
        configuredOnly.configured = QStringLiteral("http://pages.example/list");
        QTest::newRow("configured, not ROZ, nobody signed in")
            << 0 << configuredOnly << QStringLiteral("http://pages.example/list");

        Parts native = roz();
        native.serverType = QStringLiteral("ZOV");
        QTest::newRow("not a ROZ server") << 0 << native << QString();
        Parts lower = roz();
        lower.serverType = QStringLiteral("roz");
        QTest::newRow("type compared exactly") << 0 << lower << QString();
        Parts noSuffix = roz();
        noSuffix.urlSuffix.clear();
        QTest::newRow("ROZ without suffix") << 0 << noSuffix << QString();

        // Values from servers and the call cannot cut or extend the address.
        Parts hostile = roz();
        hostile.token = QStringLiteral("a&numericId=9#x y+z");
        hostile.numericId = QStringLiteral("1001&token=stolen");
        QTest::newRow("query values encoded")
            << 0 << hostile
            << base + "conferences?token=a%26numericId%3D9%23x%20y%2Bz&numericId=1001%26token%3Dstolen";
        // Without its slash the suffix would read as part of the port.
        Parts bare = roz();
        bare.urlSuffix = QStringLiteral("client/");
        QTest::newRow("suffix without slash") << 0 << bare << base + "/conferences?token=sim-alice-7&numericId=1001";
    }

    void address()
    {
        QFETCH(int, urlType);
        QFETCH(Parts, parts);
        QFETCH(QString, expected);
        QCOMPARE(CWebPageHost::pageAddress(CWebPageHost::pageKey(urlType), parts), expected);
    }

    // The token never reaches the log in clear.
    void logHidesToken()
    {
        Parts parts = roz();
        parts.token = QStringLiteral("sim-alice-123456789");
        const QString url = CWebPageHost::pageAddress(CWebPageHost::pageKey(0), parts);
        const QString shown = CWebPageHost::addressForLog(url, parts.token);
        QVERIFY(!shown.contains(parts.token));
        QVERIFY(shown.startsWith(QStringLiteral("https://meet.glimora.example:443/clientconferences?token=sim-...")));
        QVERIFY(shown.endsWith(QStringLiteral("&numericId=1001")));
    }

    // As root the web engine needs its sandbox off, by the variable or by
    // its own flag; any other user needs neither.
    void sandboxRefusal_data()
    {
        QTest::addColumn<unsigned int>("euid");
        QTest::addColumn<bool>("sandboxOff");     // QTWEBENGINE_DISABLE_SANDBOX set
        QTest::addColumn<QByteArray>("flags");    // QTWEBENGINE_CHROMIUM_FLAGS
        QTest::addColumn<bool>("refused");
        QTest::newRow("root") << 0u << false << QByteArray() << true;
        QTest::newRow("root, other flags") << 0u << false << QByteArray("--disable-gpu") << true;
        QTest::newRow("root, sandbox off") << 0u << true << QByteArray() << false;
        QTest::newRow("root, --no-sandbox") << 0u << false << QByteArray("--disable-gpu --no-sandbox") << false;
        QTest::newRow("user") << 1000u << false << QByteArray() << false;
    }

    void sandboxRefusal()
    {
        QFETCH(unsigned int, euid);
        QFETCH(bool, sandboxOff);
        QFETCH(QByteArray, flags);
        QFETCH(bool, refused);
        const QByteArray savedOff = qgetenv("QTWEBENGINE_DISABLE_SANDBOX");
        const bool hadOff = qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX");
        const QByteArray savedFlags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
        const bool hadFlags = qEnvironmentVariableIsSet("QTWEBENGINE_CHROMIUM_FLAGS");
        if (sandboxOff)
            qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
        else
            qunsetenv("QTWEBENGINE_DISABLE_SANDBOX");
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
        rj_app::views::WebComponents::setEffectiveUserIdSource([euid] { return euid; });

        const QString reason = rj_app::views::WebComponents::sandboxRefusal();

        rj_app::views::WebComponents::setEffectiveUserIdSource(nullptr);
        hadOff ? qputenv("QTWEBENGINE_DISABLE_SANDBOX", savedOff) : qunsetenv("QTWEBENGINE_DISABLE_SANDBOX");
        hadFlags ? qputenv("QTWEBENGINE_CHROMIUM_FLAGS", savedFlags) : qunsetenv("QTWEBENGINE_CHROMIUM_FLAGS");
        QCOMPARE(reason,
                 refused ? QStringLiteral("web pages do not run as root without QTWEBENGINE_DISABLE_SANDBOX=1")
                         : QString());
    }
};

GLIMORA_TEST_MAIN(TestWebPageAddress)
#include "tst_webpageaddress.moc"
