// Two real processes of the client: the second starts with a join URL at
// several moments of the first one's start-up, from before its window shows
// to after its engine is up. Whichever of the two holds the instance dials
// the meeting once and connects; the other hands its start over and exits
// with 0. The same link opened once more only brings the client forward,
// and no log holds the meeting's password. The end of the session ends the
// first with 0 and no crash report. Everything is read from outside: the
// processes, the client's logs and the engine's log in the user data
// directory.

#include "support/DemoServerProcess.h"
#include "support/TestMain.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>

namespace {

constexpr int kWaitMs = 20000;
const char *const kPassword = "Pw4711x";

QString joinLink()
{
    return QStringLiteral("--url=glimora://joinmeeting/1001/0/%1/127.0.0.1").arg(QLatin1String(kPassword));
}

QString readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The real executable with user data, home and runtime directories of its
// own, shared by every process started through it.
class Client
{
public:
    explicit Client(const QString &root)
        : m_root(root)
    {
        m_env = QProcessEnvironment::systemEnvironment();
        for (const char *dir : {"appdata", "HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"}) {
            const QString path = m_root + QLatin1Char('/') + QLatin1String(dir);
            QDir().mkpath(path);
            m_env.insert(QLatin1String(dir), path);
        }
        const QString runtime = m_root + QStringLiteral("/runtime");
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        m_env.insert(QStringLiteral("RJSIM_TIME_SCALE"), QStringLiteral("0"));
    }
    void start(QProcess &process, const QStringList &args) const
    {
        process.setProgram(QStringLiteral(GLIMORA_EXECUTABLE));
        process.setArguments(args);
        process.setProcessEnvironment(m_env);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.setStandardOutputFile(QProcess::nullDevice());
        process.start();
    }
    QString dataDir() const { return m_root + QStringLiteral("/appdata/glimora"); }
    QString log() const { return readFile(dataDir() + QStringLiteral("/app.log")); }
    QString engineLog() const { return readFile(dataDir() + QStringLiteral("/rjsdk.log")); }
    QString laterLog() const { return readFile(dataDir() + QStringLiteral("/app-conflict.log")); }

private:
    QString m_root;
    QProcessEnvironment m_env;
};

} // namespace

class TestHandoverProcesses : public QObject
{
    Q_OBJECT

    glimora::test::DemoServerProcess m_server{QStringLiteral(GLIMORA_DEVSERVER)};

private slots:
    void initTestCase() { QVERIFY(m_server.start()); }

    void secondStartWithUrl_data()
    {
        QTest::addColumn<int>("delayMs");
        for (const int delay : {0, 50, 100, 300, 450, 500})
            QTest::addRow("%d ms", delay) << delay;
    }
    void secondStartWithUrl()
    {
        QFETCH(int, delayMs);
        QTemporaryDir root(glimora::test::isolatedRoot() + QStringLiteral("/handover-XXXXXX"));
        QVERIFY(root.isValid());
        Client client(root.path());
        QProcess first;
        QProcess second;
        QElapsedTimer sinceFirst;
        client.start(first, {});
        sinceFirst.start();
        if (delayMs > 0)
            QThread::msleep(ulong(qMax<qint64>(0, delayMs - sinceFirst.elapsed())));
        client.start(second, {joinLink()});
        QVERIFY(first.waitForStarted(kWaitMs));
        QVERIFY(second.waitForStarted(kWaitMs));

        // Started at the same moment, either may hold the instance.
        QTRY_VERIFY_WITH_TIMEOUT(first.state() == QProcess::NotRunning || second.state() == QProcess::NotRunning,
                                 kWaitMs);
        QProcess &later = first.state() == QProcess::NotRunning ? first : second;
        QProcess &running = &later == &first ? second : first;
        QCOMPARE(later.exitStatus(), QProcess::NormalExit);
        QCOMPARE(later.exitCode(), 0);
        QVERIFY(QFile::exists(client.dataDir() + QStringLiteral("/app-conflict.log")));

        QTRY_VERIFY_WITH_TIMEOUT(client.engineLog().contains(QLatin1String("event onCallConnected")), kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(client.log().contains(QLatin1String("setCallStatus, from 1 to 5")), kWaitMs);
        static const QRegularExpression dial(QStringLiteral(" dialOut 1001[@* ]"));
        QCOMPARE(client.engineLog().count(dial), 1);
        QCOMPARE(running.state(), QProcess::Running);

        // The link of the meeting under way, password and all: no box, the
        // running client only comes forward.
        const QLatin1String activated("Only activate the app");
        const int activations = client.log().count(activated);
        QProcess again;
        client.start(again, {joinLink()});
        QVERIFY(again.waitForFinished(kWaitMs));
        QCOMPARE(again.exitCode(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(client.log().count(activated), activations + 1, kWaitMs);
        QCOMPARE(client.engineLog().count(dial), 1);

        ::kill(pid_t(running.processId()), SIGTERM);
        QVERIFY(running.waitForFinished(kWaitMs));
        QCOMPARE(running.exitStatus(), QProcess::NormalExit);
        QCOMPARE(running.exitCode(), 0);
        QVERIFY(client.log().contains(QLatin1String("Exit app")));
        for (const QString &log : {client.log(), client.laterLog(), client.engineLog()})
            QVERIFY(!log.contains(QLatin1String(kPassword)));
        QCOMPARE(QDir(client.dataDir()).entryList({QStringLiteral("*.dmp")}, QDir::Files), QStringList());
    }
};

GLIMORA_TEST_MAIN(TestHandoverProcesses)
#include "tst_e2e_handover.moc"
