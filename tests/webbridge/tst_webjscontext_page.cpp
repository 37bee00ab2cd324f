// A real page reaching the bridge as "qtWebObj" through the web channel.

#include "support/TestMain.h"
#include "views/meetings/CWebJsContext.h"

#include <QFile>
#include <QMetaMethod>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>
#include <QWebChannel>
#include <QWebEnginePage>

#include <algorithm>

using rj_app::views::CWebJsContext;

class TestWebJsContextPage : public QObject
{
    Q_OBJECT

private slots:
    void pageCallsSlots()
    {
        QList<QUrl> opened;
        CWebJsContext::setUrlOpener([&opened](const QUrl &url) {
            opened << url;
            return true;
        });

        QFile script(QStringLiteral(":/qtwebchannel/qwebchannel.js"));
        QVERIFY(script.open(QIODevice::ReadOnly));

        QWebEnginePage page;
        CWebJsContext ctx;
        auto *channel = new QWebChannel(&page);
        channel->registerObject(QStringLiteral("qtWebObj"), &ctx);
        page.setWebChannel(channel);

        QSignalSpy join(&ctx, &CWebJsContext::sigJoinConf);
        QSignalSpy created(&ctx, &CWebJsContext::sigPageCreated);

        const QString html = QStringLiteral(
            "<html><head><script>%1</script><script>"
            "new QWebChannel(qt.webChannelTransport, function (channel) {"
            "  var o = channel.objects.qtWebObj;"
            "  o.go2Reservation('file:///etc/passwd');"
            "  o.go2Reservation('https://meet.example/reserve');"
            "  o.joinConfWithPeerName('1002', '', true, 'Bob B.');"
            "  o.pageCreated();"
            "});"
            "</script></head><body></body></html>")
                                 .arg(QString::fromUtf8(script.readAll()));
        page.setHtml(html, QUrl(QStringLiteral("https://pages.glimora.example/")));

        QTRY_COMPARE_WITH_TIMEOUT(created.count(), 1, 30000);
        QCOMPARE(join.count(), 1);
        QCOMPARE(join.at(0).at(0).toString(), QStringLiteral("1002"));
        QCOMPARE(join.at(0).at(2).toBool(), true);
        QCOMPARE(join.at(0).at(3).toString(), QStringLiteral("Bob B."));
        QCOMPARE(opened, QList<QUrl>({QUrl(QStringLiteral("https://meet.example/reserve"))}));

        CWebJsContext::setUrlOpener({});
    }

    // The page reaches every slot of the bridge by its exact name: a renamed
    // slot would silently do nothing in the page.
    void pageReachesEverySlotByName()
    {
        CWebJsContext::setUrlOpener([](const QUrl &) { return true; });
        static QStringList s_reached;
        static QtMessageHandler s_previous = nullptr;
        s_reached.clear();
        s_previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context, const QString &msg) {
            s_reached << msg;
            if (s_previous)
                s_previous(type, context, msg);
        });
        const auto restore = qScopeGuard([] { qInstallMessageHandler(s_previous); });

        QFile script(QStringLiteral(":/qtwebchannel/qwebchannel.js"));
        QVERIFY(script.open(QIODevice::ReadOnly));
        QWebEnginePage page;
        CWebJsContext ctx;
        auto *channel = new QWebChannel(&page);
        channel->registerObject(QStringLiteral("qtWebObj"), &ctx);
        page.setWebChannel(channel);
        QSignalSpy created(&ctx, &CWebJsContext::sigPageCreated);

        const QString html = QStringLiteral(
            "<html><head><script>%1</script><script>"
            "new QWebChannel(qt.webChannelTransport, function (channel) {"
            "  var o = channel.objects.qtWebObj;"
            "  o.joinConf('1001', '', false);"
            "  o.joinConfWithPeerName('1002', '', true, 'Bob');"
            "  o.tokenExpired();"
            "  o.go2Reservation('https://meet.example/r');"
            "  o.sendEmail('mailto:carol@example.com');"
            "  o.p2pCall('8001');"
            "  o.clearCache();"
            "  o.webLog('hello');"
            "  o.pageCreated();"
            "});"
            "</script></head><body></body></html>")
                                 .arg(QString::fromUtf8(script.readAll()));
        page.setHtml(html, QUrl(QStringLiteral("https://pages.glimora.example/")));
        QTRY_COMPARE_WITH_TIMEOUT(created.count(), 1, 30000);

        const QMetaObject &mo = CWebJsContext::staticMetaObject;
        for (int i = mo.methodOffset(); i < mo.methodCount(); ++i) {
            const QMetaMethod method = mo.method(i);
            if (method.methodType() != QMetaMethod::Slot || method.access() != QMetaMethod::Public)
                continue;
            const QString name = QStringLiteral("CWebJsContext::") + QString::fromLatin1(method.name());
            QVERIFY2(std::any_of(s_reached.cbegin(), s_reached.cend(),
                                 [&name](const QString &line) { return line.contains(name); }),
                     qPrintable(name + QStringLiteral(" was not reached")));
        }
        CWebJsContext::setUrlOpener({});
    }
};

GLIMORA_TEST_MAIN(TestWebJsContextPage)
#include "tst_webjscontext_page.moc"
