#include "support/TestMain.h"

#include "models/CUrlJoinConfArgsParser.h"

#include <QElapsedTimer>

using rj_app::models::CUrlJoinConfArgsParser;

class TestUrlJoinParser : public QObject
{
    Q_OBJECT
private slots:
    void parse_data()
    {
        QTest::addColumn<QByteArray>("arg");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("protocol");
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("conf");
        QTest::addColumn<bool>("audioOnly");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("sip");

        const QString none;

        // Server form.
        QTest::newRow("server: audio only, no password")
            << QByteArray("--url=brondal://meet.example.com:8443/joinmeeting/8000123/1/NO")
            << true << 1 << "meet.example.com:8443" << "8000123" << true << none << none;
        QTest::newRow("server: audio flag 'true' is not '1'")
            << QByteArray("--url=brondal://10.0.0.5/joinmeeting/8000123/true/secret")
            << true << 1 << "10.0.0.5" << "8000123" << false << "secret" << none;
        QTest::newRow("server: audio flag '0'")
            << QByteArray("--url=brondal://srv/joinmeeting/42/0/pw")
            << true << 1 << "srv" << "42" << false << "pw" << none;
        QTest::newRow("server: 'no' is a real password")
            << QByteArray("--url=brondal://srv/joinmeeting/42/1/no")
            << true << 1 << "srv" << "42" << true << "no" << none;
        QTest::newRow("server: 'NO' inside a password stays")
            << QByteArray("--url=brondal://srv/joinmeeting/42/1/NOPE")
            << true << 1 << "srv" << "42" << true << "NOPE" << none;
        // Greedy groups: extra slashes go to the earlier fields.
        QTest::newRow("server: greedy, slash in the tail")
            << QByteArray("--url=brondal://srv/joinmeeting/123/1/pass/word")
            << true << 1 << "srv" << "123/1" << false << "word" << none;
        QTest::newRow("server: greedy, joinmeeting twice")
            << QByteArray("--url=brondal://a/joinmeeting/b/joinmeeting/7/1/pw")
            << true << 1 << "a/joinmeeting/b" << "7" << true << "pw" << none;
        QTest::newRow("server: UTF-8 password")
            << QByteArray("--url=brondal://srv/joinmeeting/42/0/") + QString::fromUtf8("密码").toUtf8()
            << true << 1 << "srv" << "42" << false << QString::fromUtf8("密码") << none;

        // SIP form.
        QTest::newRow("sip: no sip server")
            << QByteArray("--url=glimora://joinmeeting/8000123/1/NO")
            << true << 2 << none << "8000123" << true << none << none;
        QTest::newRow("sip: trailing slash, empty sip server")
            << QByteArray("--url=glimora://joinmeeting/8000123/0/secret/")
            << true << 2 << none << "8000123" << false << "secret" << none;
        QTest::newRow("sip: all fields")
            << QByteArray("--url=glimora://joinmeeting/8000123/1/secret/sip.example.com")
            << true << 2 << none << "8000123" << true << "secret" << "sip.example.com";
        QTest::newRow("sip: audio flag 'yes' is not '1'")
            << QByteArray("--url=glimora://joinmeeting/55/yes/NO/sip.example.com")
            << true << 2 << none << "55" << false << none << "sip.example.com";

        // Near misses.
        QTest::newRow("miss: sip, slash inside the password")
            << QByteArray("--url=glimora://joinmeeting/8000123/1/pa/ss/sip.example.com")
            << false << 0 << none << none << false << none << none;
        QTest::newRow("miss: no prefix")
            << QByteArray("brondal://srv/joinmeeting/42/1/pw")
            << false << 0 << none << none << false << none << none;
        QTest::newRow("miss: prefix in capitals")
            << QByteArray("--URL=brondal://srv/joinmeeting/42/1/pw")
            << false << 0 << none << none << false << none << none;
        QTest::newRow("miss: scheme in capitals")
            << QByteArray("--url=GLIMORA://joinmeeting/42/1/pw")
            << false << 0 << none << none << false << none << none;
        QTest::newRow("miss: path in capitals")
            << QByteArray("--url=brondal://srv/JoinMeeting/42/1/pw")
            << false << 0 << none << none << false << none << none;
        QTest::newRow("miss: server, empty meeting number")
            << QByteArray("--url=brondal://srv/joinmeeting//1/pw")
            << false << 0 << none << none << false << none << none;
        QTest::newRow("miss: sip, empty meeting number")
            << QByteArray("--url=glimora://joinmeeting//1/pw")
            << false << 0 << none << none << false << none << none;
        QTest::newRow("miss: server, empty password")
            << QByteArray("--url=brondal://srv/joinmeeting/42/1/")
            << false << 0 << none << none << false << none << none;
        QTest::newRow("miss: server, trailing line feed")
            << QByteArray("--url=brondal://srv/joinmeeting/42/1/pw\n")
            << false << 0 << none << none << false << none << none;
        QTest::newRow("miss: sip, trailing line feed")
            << QByteArray("--url=glimora://joinmeeting/42/1/pw\n")
            << false << 0 << none << none << false << none << none;
        QTest::newRow("miss: sip, trailing line feed after sip server")
            << QByteArray("--url=glimora://joinmeeting/42/1/pw/sip\n")
            << false << 0 << none << none << false << none << none;
        QTest::newRow("miss: leading text")
            << QByteArray(" --url=glimora://joinmeeting/42/1/pw")
            << false << 0 << none << none << false << none << none;
        QTest::newRow("miss: empty")
            << QByteArray("") << false << 0 << none << none << false << none << none;
    }

    void parse()
    {
        QFETCH(QByteArray, arg);
        QFETCH(bool, ok);
        QFETCH(int, protocol);
        QFETCH(QString, server);
        QFETCH(QString, conf);
        QFETCH(bool, audioOnly);
        QFETCH(QString, password);
        QFETCH(QString, sip);

        CUrlJoinConfArgsParser *parser = CUrlJoinConfArgsParser::getInstance();
        // Leftovers of an earlier join must never leak into this one.
        QVERIFY(parser->parse("--url=brondal://old/joinmeeting/1/1/oldpw"));

        if (!ok)
            QTest::ignoreMessage(QtInfoMsg, "Invalid url join conf arg");
        QCOMPARE(parser->parse(arg.constData()), ok);
        QCOMPARE(parser->m_iJoinConfProtocol, protocol);
        QCOMPARE(parser->m_qstrServerAddress, server);
        QCOMPARE(parser->m_qstrConfNumber, conf);
        QCOMPARE(parser->m_bIsAudioOnly, audioOnly);
        QCOMPARE(parser->m_qstrPassword, password);
        QCOMPARE(parser->m_qstrSipServerAddress, sip);
    }

    // Arguments that make the patterns backtrack: each is answered at once,
    // and within the bound the forms accept what they always accepted.
    void longInputsAreBounded_data()
    {
        QTest::addColumn<QByteArray>("arg");
        QTest::addColumn<int>("protocol"); // 0: refused
        QTest::addColumn<QString>("conf");

        const int bound = CUrlJoinConfArgsParser::m_iMaxArgumentBytes;
        const QByteArray server = "--url=brondal://a/joinmeeting/";
        const QByteArray sip = "--url=glimora://joinmeeting/";
        const auto fill = [](const QByteArray &head, int total, char c, const QByteArray &tail = {}) {
            return head + QByteArray(total - head.size() - tail.size(), c) + tail;
        };

        QTest::newRow("slashes and a line feed") << fill(server, 20000, '/', "\n") << 0 << QString();
        QTest::newRow("slashes and a line feed, within the bound") << fill(server, bound, '/', "\n") << 0 << QString();
        QTest::newRow("line feed inside a field") << QByteArray("--url=brondal://srv/joinmeeting/42/1/p\nw") << 0
                                                  << QString();
        QTest::newRow("slashes at the bound") << fill(server, bound, '/') << 1
                                              << QString(bound - server.size() - 4, QLatin1Char('/'));
        QTest::newRow("slashes one past the bound") << fill(server, bound + 1, '/') << 0 << QString();
        QTest::newRow("slashes and a carriage return") << fill(server, bound, '/', "\r") << 1
                                                       << QString(bound - server.size() - 4, QLatin1Char('/'));
        QTest::newRow("slashes and a line separator")
            << fill(server, bound, '/', QStringLiteral("\u2028").toUtf8()) << 1
            << QString(bound - server.size() - 6, QLatin1Char('/'));
        QTest::newRow("joinmeeting repeated, the last one short")
            << QByteArray("--url=brondal://") + QByteArray("a/joinmeeting/").repeated(250) + "x" << 1
            << QStringLiteral("a");
        QTest::newRow("sip digits at the bound") << fill(sip, bound, '7', "/1/pw") << 2
                                                 << QString(bound - 5 - sip.size(), QLatin1Char('7'));
        QTest::newRow("sip digits past the bound") << fill(sip, 100000, '7', "/1/pw") << 0 << QString();
        QTest::newRow("sip slashes and a line feed") << fill(sip, 20000, '/', "\n") << 0 << QString();
    }

    void longInputsAreBounded()
    {
        QFETCH(QByteArray, arg);
        QFETCH(int, protocol);
        QFETCH(QString, conf);

        CUrlJoinConfArgsParser *parser = CUrlJoinConfArgsParser::getInstance();
        if (protocol == 0)
            QTest::ignoreMessage(QtInfoMsg, "Invalid url join conf arg");
        QElapsedTimer timer;
        timer.start();
        const bool ok = parser->parse(arg.constData());
        const qint64 elapsed = timer.elapsed();
        QVERIFY2(elapsed < 1000, qPrintable(QStringLiteral("%1 ms").arg(elapsed)));
        QCOMPARE(ok, protocol != 0);
        QCOMPARE(parser->m_iJoinConfProtocol, protocol);
        QCOMPARE(parser->m_qstrConfNumber, conf);
    }

    void nullArgumentClearsAndFails()
    {
        CUrlJoinConfArgsParser *parser = CUrlJoinConfArgsParser::getInstance();
        QVERIFY(parser->parse("--url=glimora://joinmeeting/9/1/pw/sip"));
        QVERIFY(!parser->parse(nullptr));
        QCOMPARE(parser->m_iJoinConfProtocol, 0);
        QVERIFY(parser->m_qstrConfNumber.isEmpty());
        QVERIFY(parser->m_qstrPassword.isEmpty());
        QVERIFY(parser->m_qstrSipServerAddress.isEmpty());
        QVERIFY(!parser->m_bIsAudioOnly);
    }

    void clearForgetsTheJoin()
    {
        CUrlJoinConfArgsParser *parser = CUrlJoinConfArgsParser::getInstance();
        QVERIFY(parser->parse("--url=brondal://srv/joinmeeting/42/1/pw"));
        parser->clear();
        QCOMPARE(parser->m_iJoinConfProtocol, 0);
        QVERIFY(parser->m_qstrServerAddress.isEmpty());
        QVERIFY(parser->m_qstrConfNumber.isEmpty());
        QVERIFY(parser->m_qstrPassword.isEmpty());
        QVERIFY(!parser->m_bIsAudioOnly);
    }

    void singleInstance()
    {
        QCOMPARE(CUrlJoinConfArgsParser::getInstance(), CUrlJoinConfArgsParser::getInstance());
    }
};

GLIMORA_TEST_MAIN(TestUrlJoinParser)
#include "tst_urljoinparser.moc"
