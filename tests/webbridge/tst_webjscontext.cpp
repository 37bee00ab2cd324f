// The page bridge called directly, as the web channel would call it.

#include "models/CLoginManager.h"
#include "support/TestMain.h"
#include "views/meetings/CWebJsContext.h"

#include <QMetaMethod>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

using rj_app::views::CWebJsContext;

class TestWebJsContext : public QObject
{
    Q_OBJECT

    QList<QUrl> m_opened;
    bool m_openerResult = true;

private slots:
    void init()
    {
        m_opened.clear();
        m_openerResult = true;
        CWebJsContext::setUrlOpener([this](const QUrl &url) {
            m_opened << url;
            return m_openerResult;
        });
    }

    void cleanup() { CWebJsContext::setUrlOpener({}); }

    // The page's script finds the slots by name and argument types.
    void metaObjectOrder()
    {
        const QMetaObject &mo = CWebJsContext::staticMetaObject;
        const QStringList expected = {
            "sigPageCreated()",
            "sigJoinConf(QString,QString,bool,QString)",
            "joinConf(QString,QString,bool)",
            "joinConfWithPeerName(QString,QString,bool,QString)",
            "tokenExpired()",
            "go2Reservation(QString)",
            "sendEmail(QString)",
            "pageCreated()",
            "p2pCall(QString)",
            "clearCache()",
            "webLog(QString)",
        };
        QCOMPARE(mo.methodCount() - mo.methodOffset(), expected.size());
        for (int i = 0; i < expected.size(); ++i) {
            const QMetaMethod m = mo.method(mo.methodOffset() + i);
            QCOMPARE(QString::fromLatin1(m.methodSignature()), expected.at(i));
            QCOMPARE(m.methodType(), i < 2 ? QMetaMethod::Signal : QMetaMethod::Slot);
            if (i >= 2)
                QCOMPARE(m.access(), QMetaMethod::Public);
        }
    }

    void join_data()
    {
        QTest::addColumn<bool>("withPeer");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("audioOnly");
        QTest::addColumn<QString>("peer");
        QTest::addColumn<bool>("emitted");
        QTest::addColumn<QString>("expectedNumber");

        QTest::newRow("join") << false << "9001" << "1234" << false << "" << true << "9001";
        QTest::newRow("join audio only, no password") << false << "9001" << "" << true << "" << true << "9001";
        QTest::newRow("join ignores nothing but blanks") << false << " 9001 \t" << "pw" << false << "" << true << "9001";
        QTest::newRow("join empty number (join dialog asks)") << false << "" << "" << false << "" << true << "";
        QTest::newRow("join uri") << false << "9001@conf.example" << "" << false << "" << true << "9001@conf.example";
        QTest::newRow("join number with line break") << false << "9001\n9002" << "" << false << "" << false << "";
        QTest::newRow("join number with NUL") << false << QString("90") + QChar(0x0) + "01" << "" << false << ""
                                              << false << "";
        QTest::newRow("peer") << true << "1002" << "" << true << "Bob B." << true << "1002";
        QTest::newRow("peer quote") << true << "1002" << "x" << false << "O'Neil" << true << "1002";
        QTest::newRow("peer malformed") << true << "10\r02" << "" << false << "Bob" << false << "";
        // Unicode line breaks and bidirectional controls, as control characters.
        QTest::newRow("join number with line separator") << false << QString("9001") + QChar(0x2028) + "9002" << ""
                                                         << false << "" << false << "";
        QTest::newRow("join number with paragraph separator") << false << QString("9001") + QChar(0x2029) + "9"
                                                              << "" << false << "" << false << "";
        QTest::newRow("join number with next line") << false << QString("90") + QChar(0x85) + "01" << "" << false
                                                    << "" << false << "";
        QTest::newRow("join number with right-to-left override") << false << QString(QChar(0x202E)) + "1009" << ""
                                                                 << false << "" << false << "";
        QTest::newRow("peer number with isolate") << true << QString("10") + QChar(0x2067) + "02" << "" << false
                                                  << "Bob" << false << "";
        QTest::newRow("peer number with right-to-left mark") << true << QString("1002") + QChar(0x200F) << ""
                                                             << false << "Bob" << false << "";
    }

    void join()
    {
        QFETCH(bool, withPeer);
        QFETCH(QString, number);
        QFETCH(QString, password);
        QFETCH(bool, audioOnly);
        QFETCH(QString, peer);
        QFETCH(bool, emitted);
        QFETCH(QString, expectedNumber);

        CWebJsContext ctx;
        QSignalSpy spy(&ctx, &CWebJsContext::sigJoinConf);
        if (withPeer)
            ctx.joinConfWithPeerName(number, password, audioOnly, peer);
        else
            ctx.joinConf(number, password, audioOnly);
        QCOMPARE(spy.count(), emitted ? 1 : 0);
        if (emitted) {
            const QList<QVariant> args = spy.at(0);
            QCOMPARE(args.at(0).toString(), expectedNumber);
            QCOMPARE(args.at(1).toString(), password);
            QCOMPARE(args.at(2).toBool(), audioOnly);
            // joinConf always hands on an empty peer name.
            QCOMPARE(args.at(3).toString(), withPeer ? peer : QString());
        }
    }

    void passwordNotLogged()
    {
        CWebJsContext ctx;
        QTest::ignoreMessage(QtInfoMsg, "rj_app::views::CWebJsContext::joinConf");
        QTest::ignoreMessage(QtInfoMsg, "confNumber: \"9001\" , confPassword: \"******\" , isAudioOnly: false");
        ctx.joinConf("9001", "secret", false);
    }

    void links_data()
    {
        QTest::addColumn<bool>("email");
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("opened"); // empty: refused

        QTest::newRow("https") << false << "https://meet.example/reserve?x=1" << "https://meet.example/reserve?x=1";
        QTest::newRow("http") << false << "http://meet.example:8080/a" << "http://meet.example:8080/a";
        QTest::newRow("upper case scheme") << false << "HTTPS://meet.example/" << "https://meet.example/";
        QTest::newRow("empty") << false << "" << "";
        QTest::newRow("file") << false << "file:///etc/passwd" << "";
        QTest::newRow("javascript") << false << "javascript:alert(1)" << "";
        QTest::newRow("local path") << false << "/usr/bin/xterm" << "";
        QTest::newRow("smb") << false << "smb://host/share" << "";
        QTest::newRow("no host") << false << "http:///nohost" << "";
        QTest::newRow("mailto to reservation") << false << "mailto:a@b.example" << "";
        QTest::newRow("mail") << true << "mailto:alice@glimora.example" << "mailto:alice@glimora.example";
        QTest::newRow("mail empty") << true << "" << "";
        QTest::newRow("mail bare address") << true << "alice@glimora.example" << "";
        QTest::newRow("mail via https") << true << "https://evil.example/" << "";
        QTest::newRow("mail file") << true << "file:///tmp/x" << "";
        // Mail fields only: nothing that could attach a local file.
        QTest::newRow("mail fields")
            << true << "mailto:alice@glimora.example?subject=Hi%20there&body=See%20you&cc=bob@x.example&bcc=c@x.example"
            << "mailto:alice@glimora.example?subject=Hi%20there&body=See%20you&cc=bob@x.example&bcc=c@x.example";
        QTest::newRow("mail fields any case") << true << "mailto:a@x.example?Subject=s&TO=b@x.example"
                                              << "mailto:a@x.example?Subject=s&TO=b@x.example";
        QTest::newRow("mail attach") << true << "mailto:a@x.example?attach=/home/u/.ssh/id_rsa" << "";
        QTest::newRow("mail attachment") << true << "mailto:a@x.example?subject=s&Attachment=file:///etc/passwd"
                                         << "";
        QTest::newRow("mail encoded attach") << true << "mailto:a@x.example?%61ttach=/etc/passwd" << "";
        QTest::newRow("mail unknown field") << true << "mailto:a@x.example?x-file=/etc/passwd" << "";
        QTest::newRow("mail separator hidden in the address") << true << "mailto:a@x.example%3Fattach=%2Fetc%2Fpasswd"
                                                              << "";
        // The mail program gets the link rebuilt from the checked fields.
        QTest::newRow("mail fragment") << true << "mailto:a@b.example#?attach=/etc/passwd" << "";
        QTest::newRow("mail fragment after fields") << true << "mailto:a@b.example?subject=s#x" << "";
        QTest::newRow("mail semicolon in a value")
            << true << "mailto:a@x.example?subject=Hi;attach=/etc/passwd"
            << "mailto:a@x.example?subject=Hi%3Battach%3D%2Fetc%2Fpasswd";
        QTest::newRow("mail encoded separators in a value")
            << true << "mailto:a@x.example?body=a%26attach%3D%2Fetc%2Fpasswd%23x"
            << "mailto:a@x.example?body=a%26attach%3D%2Fetc%2Fpasswd%23x";
        QTest::newRow("mail semicolon in the address") << true << "mailto:a@x.example;attach=/etc/passwd" << "";
        QTest::newRow("mail encoded field name") << true << "mailto:a@x.example?%73ubject=Hi" << "mailto:a@x.example?subject=Hi";
        QTest::newRow("mail doubly encoded address") << true << "mailto:a@x.example%253Fattach=%252Fetc" << "";
        QTest::newRow("mail field without value") << true << "mailto:a@x.example?attach" << "";
        QTest::newRow("mail with a host") << true << "mailto://evil.example/a@x.example" << "";
        QTest::newRow("mail two addresses") << true << "mailto:a@x.example,b@y.example?cc=c@z.example"
                                            << "mailto:a@x.example,b@y.example?cc=c@z.example";
    }

    void links()
    {
        QFETCH(bool, email);
        QFETCH(QString, link);
        QFETCH(QString, opened);

        CWebJsContext ctx;
        const bool result = email ? ctx.sendEmail(link) : ctx.go2Reservation(link);
        QCOMPARE(result, !opened.isEmpty());
        if (opened.isEmpty()) {
            QVERIFY(m_opened.isEmpty());
        } else {
            QCOMPARE(m_opened.size(), 1);
            QCOMPARE(m_opened.at(0), QUrl(opened));
            // Whatever separator a mail program splits on, only mail fields.
            QVERIFY(!m_opened.at(0).hasFragment());
            if (!email)
                return;
            const QString query = m_opened.at(0).query(QUrl::FullyEncoded);
            for (const QString &field : query.split(QRegularExpression(QStringLiteral("[&;]")), Qt::SkipEmptyParts)) {
                const QString name = field.section(QLatin1Char('='), 0, 0).toLower();
                QVERIFY2(QStringList({"to", "subject", "body", "cc", "bcc"}).contains(name), qPrintable(field));
            }
        }
    }

    // A desktop that cannot open the link is not reported as success.
    void openFailureReported()
    {
        m_openerResult = false;
        CWebJsContext ctx;
        QTest::ignoreMessage(QtWarningMsg, "Failed to open link: \"https://meet.example/\"");
        QVERIFY(!ctx.go2Reservation("https://meet.example/"));
        QCOMPARE(m_opened.size(), 1);
    }

    void pageCreatedEachCall()
    {
        CWebJsContext ctx;
        QSignalSpy spy(&ctx, &CWebJsContext::sigPageCreated);
        ctx.pageCreated();
        ctx.pageCreated();
        QCOMPARE(spy.count(), 2);
    }

    void logOnlySlots()
    {
        CWebJsContext ctx;
        QSignalSpy join(&ctx, &CWebJsContext::sigJoinConf);
        QSignalSpy created(&ctx, &CWebJsContext::sigPageCreated);
        QTest::ignoreMessage(QtInfoMsg, "rj_app::views::CWebJsContext::p2pCall");
        QTest::ignoreMessage(QtInfoMsg, "p2pCall: \"1002\"");
        ctx.p2pCall("1002");
        QTest::ignoreMessage(QtInfoMsg, "rj_app::views::CWebJsContext::clearCache");
        QTest::ignoreMessage(QtInfoMsg, "do nothing currently");
        ctx.clearCache();
        QCOMPARE(join.count(), 0);
        QCOMPARE(created.count(), 0);
        QVERIFY(m_opened.isEmpty());
    }

    // One page message is one log line, whatever it contains: no control
    // character, Unicode line or paragraph separator or bidirectional control
    // reaches the log.
    void webLogOneLine_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("logged");
        QTest::newRow("line feed") << "page ready\n FAKE: Exit app" << "page ready  FAKE: Exit app";
        QTest::newRow("line separator") << QString("page ready") + QChar(0x2028) + "FAKE" << "page ready FAKE";
        QTest::newRow("paragraph separator") << QString("a") + QChar(0x2029) + "b" << "a b";
        QTest::newRow("next line") << QString("a") + QChar(0x85) + "b" << "a b";
        QTest::newRow("right-to-left override") << QString("user ") + QChar(0x202E) + "nimda" << "user  nimda";
        QTest::newRow("isolates") << QString(QChar(0x2066)) + "x" + QChar(0x2069) << " x ";
        QTest::newRow("arabic letter mark") << QString("x") + QChar(0x061C) << "x ";
        QTest::newRow("plain text kept") << QStringLiteral("Zoë 张三 ✓") << QStringLiteral("Zoë 张三 ✓");
    }
    void webLogOneLine()
    {
        QFETCH(QString, message);
        QFETCH(QString, logged);
        CWebJsContext ctx;
        QTest::ignoreMessage(QtInfoMsg, "rj_app::views::CWebJsContext::webLog");
        QTest::ignoreMessage(QtInfoMsg, logged.toUtf8().constData());
        ctx.webLog(message);
    }

    void tokenExpiredNotSignedIn()
    {
        auto *login = rj_app::models::CLoginManager::getInstance();
        QCOMPARE(login->m_loginStatus, rj_app::enums::NotLogin);
        QSignalSpy tokenSpy(login, &rj_app::models::CLoginManager::sigLoginTokenChanged);
        CWebJsContext ctx;
        QTest::ignoreMessage(QtInfoMsg, "Can't update login token for not login.");
        ctx.tokenExpired();
        QCOMPARE(tokenSpy.count(), 0);
        QCOMPARE(login->m_loginStatus, rj_app::enums::NotLogin);
    }
};

GLIMORA_TEST_MAIN(TestWebJsContext)
#include "tst_webjscontext.moc"
