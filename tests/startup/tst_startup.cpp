// Start-up: what a later instance tells the running one, and the
// single-instance channel between real processes (whole messages, byte-exact
// UTF-8, a killed first instance does not block the next start).

#include "support/TestMain.h"

#include "app/AppStartup.h"
#include "app/CNativeEventFilters.h"
#include "app/CSingleApplication.h"
#include "models/CUrlJoinConfArgsParser.h"
#include "views/settings/CFeedbackArchiveTask.h"

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSharedMemory>
#include <QProcess>

#include <QCryptographicHash>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <csignal>
#include <fcntl.h>
#include <memory>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using rj_app::CNativeEventFilters;
using rj_app::CSingleApplication;
using rj_app::startup::laterInstanceMessage;
using rj_app::views::CFeedbackArchiveTask;
using namespace rj_app::enums;

Q_DECLARE_METATYPE(LoginStatus)

namespace {

constexpr int kWaitMs = 10000;

// A probe process; its stdout is read line by line.
class Probe
{
public:
    explicit Probe(const QStringList &args, const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
    {
        m_process.setProgram(QStringLiteral(GLIMORA_INSTANCE_PROBE));
        m_process.setArguments(args);
        m_process.setProcessEnvironment(env);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start();
    }
    ~Probe()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(kWaitMs);
        }
    }
    // The next line of output, empty after the time-out.
    QByteArray nextLine()
    {
        QElapsedTimer timer;
        timer.start();
        while (!m_process.canReadLine() && timer.elapsed() < kWaitMs) {
            if (!m_process.waitForReadyRead(100) && m_process.state() == QProcess::NotRunning
                && !m_process.canReadLine())
                break;
        }
        return m_process.readLine().trimmed();
    }
    QProcess &process() { return m_process; }

private:
    QProcess m_process;
};

QByteArray sendFromLaterInstance(const QByteArray &text)
{
    Probe sender({QStringLiteral("send"), QString::fromUtf8(text)});
    const QByteArray role = sender.nextLine();
    const QByteArray outcome = sender.nextLine();
    sender.process().waitForFinished(kWaitMs);
    return role + ' ' + outcome;
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void laterInstanceTable_data()
    {
        QTest::addColumn<int>("protocol");
        QTest::addColumn<LoginStatus>("stored");
        QTest::addColumn<bool>("confRunning");
        QTest::addColumn<QString>("confId");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("box");
        const QString url = QStringLiteral("--url=glimora://joinmeeting/1001/0/NO");
        const QString activate = QStringLiteral("Activate");
        const QString loggingIn = QStringLiteral("Another process of the application is logging in.");
        const QString otherMeeting = QStringLiteral("Another meeting is running on the application.");
        QTest::newRow("no url") << 0 << NotLogin << false << "" << activate << "";
        QTest::newRow("no url while logging in") << 0 << LoggingIn << true << "1001" << activate << "";
        QTest::newRow("logging in beats a meeting") << 2 << LoggingIn << true << "1001" << activate << loggingIn;
        QTest::newRow("same meeting running") << 2 << LoggedIn << true << "1001" << activate << "";
        QTest::newRow("other meeting running") << 2 << LoggedIn << true << "1002" << activate << otherMeeting;
        // The running meeting is stored as dialled; its number decides.
        QTest::newRow("same meeting with its password") << 2 << LoggedIn << true << "1001*4321" << activate << "";
        QTest::newRow("same meeting at a server") << 2 << AnonymousLoggedIn << true << "1001@10.0.0.5" << activate << "";
        QTest::newRow("same meeting, password and server")
            << 2 << LoggedIn << true << "1001*4321@10.0.0.5" << activate << "";
        QTest::newRow("longer number with password") << 2 << LoggedIn << true << "10011*4321" << activate << otherMeeting;
        QTest::newRow("other meeting with password") << 2 << LoggedIn << true << "1002*1001" << activate << otherMeeting;
        QTest::newRow("other meeting at the url's server")
            << 2 << LoggedIn << true << "1002@1001" << activate << otherMeeting;
        QTest::newRow("idle gets the url") << 2 << LoggedIn << false << "1001" << url << "";
        QTest::newRow("not signed in gets the url") << 1 << NotLogin << false << "" << url << "";
    }
    void laterInstanceTable()
    {
        QFETCH(int, protocol);
        QFETCH(LoginStatus, stored);
        QFETCH(bool, confRunning);
        QFETCH(QString, confId);
        QFETCH(QString, message);
        QFETCH(QString, box);
        const auto decision = laterInstanceMessage(protocol, stored, confRunning, confId, QStringLiteral("1001"),
                                                   QStringLiteral("--url=glimora://joinmeeting/1001/0/NO"));
        QCOMPARE(decision.message, message);
        QCOMPARE(decision.boxText, box);
        // The log names meetings by number only.
        const QString password = confId.section(QLatin1Char('*'), 1).section(QLatin1Char('@'), 0, 0);
        if (!password.isEmpty() && password != QLatin1String("1001"))
            QVERIFY2(!decision.logText.contains(password), qPrintable(decision.logText));
        if (box == QLatin1String("Another meeting is running on the application."))
            QVERIFY2(decision.logText.contains(QLatin1String("Running conf id: ") + confId.left(4)),
                     qPrintable(decision.logText));
    }

    // The arguments are logged at start: a join URL's password is not.
    void argumentsAsLogged_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("logged");
        QTest::newRow("sip form") << "--url=glimora://joinmeeting/1002/0/Se cret" << "--url=glimora://joinmeeting/1002/0/***";
        QTest::newRow("sip form with server")
            << "--url=glimora://joinmeeting/1002/1/1234/10.0.0.5" << "--url=glimora://joinmeeting/1002/1/***/10.0.0.5";
        QTest::newRow("no password") << "--url=glimora://joinmeeting/1001/0/NO" << "--url=glimora://joinmeeting/1001/0/NO";
        QTest::newRow("server form") << "--url=brondal://meet.example/joinmeeting/1002/0/Secret"
                                     << "--url=brondal://meet.example/joinmeeting/1002/0/***";
        QTest::newRow("no join url") << "--lang=zh-CN" << "--lang=zh-CN";
        // Forms that do not parse are logged as typed: their passwords too.
        QTest::newRow("bare server form") << "brondal://meet.example/joinmeeting/1002/0/Secret"
                                          << "brondal://meet.example/joinmeeting/1002/0/***";
        QTest::newRow("bare sip form") << "glimora://joinmeeting/1002/1/Secret" << "glimora://joinmeeting/1002/1/***";
        QTest::newRow("bare sip form with server")
            << "glimora://joinmeeting/1002/1/Secret/10.0.0.5" << "glimora://joinmeeting/1002/1/***/10.0.0.5";
        QTest::newRow("bare, no password") << "glimora://joinmeeting/1001/0/NO" << "glimora://joinmeeting/1001/0/NO";
        QTest::newRow("server form, slash in the password")
            << "--url=brondal://m.example/joinmeeting/1002/0/Se/cr/et" << "--url=brondal://m.example/joinmeeting/1002/0/***";
        QTest::newRow("server form, trailing slash")
            << "--url=brondal://m.example/joinmeeting/1002/0/Secret/" << "--url=brondal://m.example/joinmeeting/1002/0/***";
        QTest::newRow("sip form, slashes in the password")
            << "--url=glimora://joinmeeting/1002/0/Se/cr/et" << "--url=glimora://joinmeeting/1002/0/***";
        QTest::newRow("line feed ends the url") << "--url=glimora://joinmeeting/1002/0/Secret\n--lang=zh-CN"
                                                << "--url=glimora://joinmeeting/1002/0/***\n--lang=zh-CN";
        QTest::newRow("two urls on two lines")
            << "a brondal://m/joinmeeting/1/0/Secret1 b\r\nc GLIMORA://JoinMeeting/2/0/Secret2/sip.example"
            << "a brondal://m/joinmeeting/1/0/***\r\nc GLIMORA://JoinMeeting/2/0/***/sip.example";
        QTest::newRow("no flag field") << "--url=glimora://joinmeeting/1002/Secret"
                                       << "--url=glimora://joinmeeting/1002/***";
        QTest::newRow("number alone") << "--url=glimora://joinmeeting/1002" << "--url=glimora://joinmeeting/1002";
        // Each scheme without a password, with "--url=" and bare.
        QTest::newRow("sip form with server, no password")
            << "--url=glimora://joinmeeting/1001/1/NO/10.0.0.5" << "--url=glimora://joinmeeting/1001/1/NO/10.0.0.5";
        QTest::newRow("server form, no password")
            << "--url=brondal://meet.example/joinmeeting/1001/0/NO" << "--url=brondal://meet.example/joinmeeting/1001/0/NO";
        QTest::newRow("bare server form, no password")
            << "brondal://meet.example/joinmeeting/1001/1/NO" << "brondal://meet.example/joinmeeting/1001/1/NO";
        QTest::newRow("bare sip form with server, no password")
            << "glimora://joinmeeting/1001/0/NO/10.0.0.5" << "glimora://joinmeeting/1001/0/NO/10.0.0.5";
        QTest::newRow("empty password field") << "--url=glimora://joinmeeting/1001/0/" << "--url=glimora://joinmeeting/1001/0/";
        QTest::newRow("password beginning with NO")
            << "--url=glimora://joinmeeting/1002/0/NOpe" << "--url=glimora://joinmeeting/1002/0/***";
        QTest::newRow("upper-case scheme and path")
            << "--url=GLIMORA://JOINMEETING/1002/0/Secret" << "--url=GLIMORA://JOINMEETING/1002/0/***";
        QTest::newRow("server form, spaces and quotes in the password")
            << "--url=brondal://m.example/joinmeeting/1002/0/Se cr\"et'" << "--url=brondal://m.example/joinmeeting/1002/0/***";
        // The parser takes a carriage return as part of a password: only one
        // before a line feed, or at the end, ends the line.
        QTest::newRow("sip form, carriage return in the password")
            << "--url=glimora://joinmeeting/1002/0/Se\rcret" << "--url=glimora://joinmeeting/1002/0/***";
        QTest::newRow("server form, carriage return in the password")
            << "--url=brondal://m.example/joinmeeting/1002/0/Se\rcret" << "--url=brondal://m.example/joinmeeting/1002/0/***";
        QTest::newRow("bare sip form, carriage return before the server")
            << "glimora://joinmeeting/1002/0/Se\rcret/10.0.0.5" << "glimora://joinmeeting/1002/0/***/10.0.0.5";
        QTest::newRow("carriage return at the end")
            << "--url=glimora://joinmeeting/1002/0/Secret\r" << "--url=glimora://joinmeeting/1002/0/***\r";
    }
    void argumentsAsLogged()
    {
        QFETCH(QString, argument);
        QFETCH(QString, logged);
        QCOMPARE(rj_app::models::CUrlJoinConfArgsParser::maskedArgument(argument), logged);
        // The feedback archive takes a log line of an earlier version, which
        // held the argument as typed, as this version writes it, and leaves
        // this version's line as it is.
        const QByteArray prefix("argv[1]: ");
        QCOMPARE(CFeedbackArchiveTask::withoutJoinPasswords(prefix + argument.toUtf8()), prefix + logged.toUtf8());
        QCOMPARE(CFeedbackArchiveTask::withoutJoinPasswords(prefix + logged.toUtf8()), prefix + logged.toUtf8());
    }

    // The parser joins with a carriage return in the password, so the log
    // must hide all of it.
    void carriageReturnIsPartOfThePassword()
    {
        auto *parser = rj_app::models::CUrlJoinConfArgsParser::getInstance();
        QVERIFY(parser->parse("--url=glimora://joinmeeting/1002/0/Se\rcret"));
        QCOMPARE(parser->m_qstrPassword, QStringLiteral("Se\rcret"));
        parser->clear();
    }

    // A start logs its arguments; a join password in any form stays out.
    void startLogHoldsNoPassword()
    {
        const QStringList arguments{
            "--url=glimora://joinmeeting/1002/0/Pw-0815", "--url=glimora://joinmeeting/1002/1/Pw-0815/10.0.0.5",
            "--url=brondal://meet.example/joinmeeting/1002/0/Pw-0815", "glimora://joinmeeting/1002/0/Pw-0815",
            "brondal://meet.example/joinmeeting/1002/0/Pw-0815", "--url=brondal://m/joinmeeting/1002/0/Pw-0815/",
            "--url=glimora://joinmeeting/1002/0/Pw-0815\rPw-0815", "--url=GLIMORA://JOINMEETING/1002/1/Pw-0815"};
        for (const QString &argument : arguments) {
            QProcess probe;
            probe.start(QStringLiteral(GLIMORA_INSTANCE_PROBE), {QStringLiteral("send"), argument});
            QVERIFY(probe.waitForFinished(kWaitMs));
            const QByteArray log = probe.readAllStandardError();
            QVERIFY2(log.contains("argv[2]:"), log.constData());
            QVERIFY2(!log.contains("Pw-0815"), log.constData());
        }
    }

    void screenSaverCommands()
    {
        QVERIFY(CNativeEventFilters::isScreenSaverCommand(274, 0xF140));
        QVERIFY(CNativeEventFilters::isScreenSaverCommand(274, 0xF170));
        QVERIFY(!CNativeEventFilters::isScreenSaverCommand(274, 0xF141)); // compared whole
        QVERIFY(!CNativeEventFilters::isScreenSaverCommand(274, 0xF020));
        QVERIFY(!CNativeEventFilters::isScreenSaverCommand(275, 0xF140));
    }

    // The key is per user and the local server lives in the user's own
    // runtime directory.
    void keyIsPerUser()
    {
        const QString key = CSingleApplication::userInstanceKey();
        QVERIFY(key.startsWith(QLatin1String(CSingleApplication::s_pszInstanceGuid)));
        QVERIFY(key.contains(QLatin1Char('-') + QString::number(::getuid())));
        QVERIFY(CSingleApplication::serverNameForKey(key).startsWith(qEnvironmentVariable("XDG_RUNTIME_DIR")));
    }

    // A second start hands its text to the first, byte for byte; after the
    // first is killed the next start is the first instance again.
    void twoProcesses()
    {
        auto first = std::make_unique<Probe>(QStringList{QStringLiteral("listen")});
        QCOMPARE(first->nextLine(), QByteArray("first"));

        QCOMPARE(sendFromLaterInstance("Activate"), QByteArray("later sent"));
        QCOMPARE(QByteArray::fromHex(first->nextLine()), QByteArray("Activate"));

        const QByteArray url = QStringLiteral("--url=glimora://joinmeeting/1001/0/Pässwörd-会议").toUtf8();
        QCOMPARE(sendFromLaterInstance(url), QByteArray("later sent"));
        QCOMPARE(QByteArray::fromHex(first->nextLine()), url);

        // A sender that writes in pieces is read until it closes.
        QLocalSocket socket;
        socket.connectToServer(CSingleApplication::serverNameForKey(CSingleApplication::userInstanceKey()));
        QVERIFY(socket.waitForConnected(kWaitMs));
        socket.write("--url=glimora://");
        QVERIFY(socket.waitForBytesWritten(kWaitMs));
        QTest::qWait(150);
        socket.write("joinmeeting/1004/1/NO");
        QVERIFY(socket.waitForBytesWritten(kWaitMs));
        socket.disconnectFromServer();
        QCOMPARE(QByteArray::fromHex(first->nextLine()), QByteArray("--url=glimora://joinmeeting/1004/1/NO"));

        ::kill(pid_t(first->process().processId()), SIGKILL);
        QVERIFY(first->process().waitForFinished(kWaitMs));
        first.reset();

        Probe next({QStringLiteral("listen")});
        QCOMPARE(next.nextLine(), QByteArray("first"));
        QCOMPARE(sendFromLaterInstance("Activate"), QByteArray("later sent"));
        QCOMPARE(QByteArray::fromHex(next.nextLine()), QByteArray("Activate"));
    }

    // A later start that finds the lock taken before the first instance
    // listens waits for the server instead of losing its message.
    void laterInstanceWaitsForTheServer()
    {
        const QString key = CSingleApplication::userInstanceKey();
        const QByteArray lockPath = QFile::encodeName(CSingleApplication::lockFileForKey(key));
        const int lock = ::open(lockPath.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        QVERIFY(lock >= 0);
        const auto unlock = qScopeGuard([lock] { ::close(lock); });
        QCOMPARE(::flock(lock, LOCK_EX | LOCK_NB), 0);
        Probe sender({QStringLiteral("send"), QStringLiteral("Activate")});
        QCOMPARE(sender.nextLine(), QByteArray("later"));

        QLocalServer server;
        QLocalServer::removeServer(CSingleApplication::serverNameForKey(key));
        QVERIFY(server.listen(CSingleApplication::serverNameForKey(key)));
        QVERIFY(server.waitForNewConnection(kWaitMs));
        QLocalSocket *socket = server.nextPendingConnection();
        QByteArray received;
        while (socket->state() == QLocalSocket::ConnectedState && socket->waitForReadyRead(kWaitMs))
            received += socket->readAll();
        received += socket->readAll();
        QCOMPARE(received, QByteArray("Activate"));
        QCOMPARE(sender.nextLine(), QByteArray("sent"));
    }

    // The shared-memory segment under the key is a hint only: one that
    // another local user made (or, where the test cannot switch users, this
    // process) never stops a start, and the channel still works.
    void segmentOfAnotherUserNeverStopsAStart()
    {
        const QString key = CSingleApplication::userInstanceKey();
        {
            // Left by a probe killed above.
            QSharedMemory stale(key);
            if (stale.attach())
                stale.detach();
        }
        std::unique_ptr<Probe> stranger;
        QSharedMemory own(key);
        if (::geteuid() == 0) {
            stranger = std::make_unique<Probe>(QStringList{QStringLiteral("hold"), key});
            const QByteArray held = stranger->nextLine();
            QVERIFY2(held == "held", qPrintable(QStringLiteral("exit code %1").arg(stranger->process().exitCode())));
        } else {
            QVERIFY2(own.create(1), qPrintable(own.errorString()));
        }
        QVERIFY(!QSharedMemory(key).create(1)); // the key is taken

        Probe first({QStringLiteral("listen")});
        QCOMPARE(first.nextLine(), QByteArray("first"));
        QCOMPARE(sendFromLaterInstance("Activate"), QByteArray("later sent"));
        QCOMPARE(QByteArray::fromHex(first.nextLine()), QByteArray("Activate"));
    }

    // Without a runtime directory the channel lives in "glimora-<uid>" in the
    // temporary directory, made private to the user; two starts still find
    // each other there.
    void fallbackDirectoryIsPrivate()
    {
        QTemporaryDir tmp(glimora::test::isolatedRoot() + QStringLiteral("/tmp-XXXXXX"));
        QVERIFY(tmp.isValid());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        env.insert(QStringLiteral("TMPDIR"), tmp.path());

        Probe first({QStringLiteral("listen")}, env);
        QCOMPARE(first.nextLine(), QByteArray("first"));
        const QString dir = tmp.path() + QStringLiteral("/glimora-") + QString::number(::getuid());
        struct stat info {};
        QCOMPARE(::lstat(QFile::encodeName(dir).constData(), &info), 0);
        QVERIFY(S_ISDIR(info.st_mode));
        QCOMPARE(int(info.st_mode & 07777), 0700);
        QCOMPARE(info.st_uid, ::getuid());

        Probe sender({QStringLiteral("send"), QStringLiteral("Activate")}, env);
        QCOMPARE(sender.nextLine(), QByteArray("later"));
        QCOMPARE(sender.nextLine(), QByteArray("sent"));
        QCOMPARE(QByteArray::fromHex(first.nextLine()), QByteArray("Activate"));
    }

    // Another local user who takes that directory's name first, with a socket
    // and a segment where this user's start would look, never stops it: the
    // start is a first instance, and talks to nothing of theirs. (Another
    // user needs root to play.)
    void squattedFallbackNeverStopsAStart()
    {
        if (::geteuid() != 0)
            QSKIP("playing another user needs root");
        // A temporary directory as the system's: everybody writes to it.
        QTemporaryDir tmp(QDir::tempPath() + QStringLiteral("/glimora-shared-XXXXXX"));
        QVERIFY(tmp.isValid());
        QVERIFY(::chmod(QFile::encodeName(tmp.path()).constData(), 01777) == 0);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        env.insert(QStringLiteral("TMPDIR"), tmp.path());
        // What this user's start would compute with the directory its own.
        const QString dir = tmp.path() + QStringLiteral("/glimora-") + QString::number(::getuid());
        const QString key = QString::fromLatin1(CSingleApplication::s_pszInstanceGuid) + QLatin1Char('-')
                            + QString::number(::getuid()) + QLatin1Char('-')
                            + QString::fromLatin1(
                                  QCryptographicHash::hash(QFile::encodeName(dir), QCryptographicHash::Sha1).toHex().left(8));
        Probe stranger({QStringLiteral("hold"), key, dir + QLatin1Char('/') + key}, env);
        QCOMPARE(stranger.nextLine(), QByteArray("held"));

        Probe start({QStringLiteral("send"), QStringLiteral("Activate")}, env);
        QCOMPARE(start.nextLine(), QByteArray("first"));
        QCOMPARE(start.nextLine(), QByteArray("not sent"));
    }

    // Without a first instance a start is the first, and sends nothing.
    void aloneIsFirst()
    {
        QCOMPARE(sendFromLaterInstance("Activate"), QByteArray("first not sent"));
    }
};

GLIMORA_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
