// "Exit app", or SIGTERM, while the change-password error box is open,
// while a request to the management server is waited for, and during a
// call: the client process ends with 0 and no crash report, and its log has
// nothing after "Exit app" but release lines: nothing on the stack signs in,
// shows a window, starts the update check or asks the server again.
//
// Each case is a client process of its own: this executable started with
// "--client <case> <trigger>" runs the start-up code of main, brings itself
// into the situation, prints "reached" and ends the way the case says.

#include "support/DemoServerProcess.h"
#include "support/HttpFixtureServer.h"
#include "support/TestMain.h"

#include "app/AppStartup.h"
#include "app/CSingleApplication.h"
#include "models/CCallController.h"
#include "models/CLoginManager.h"
#include "models/CRJSdkManager.h"
#include "views/main/CLoginChangePasswordForm.h"
#include "views/main/CLoginDlg.h"
#include "views/main/CMainDlgManager.h"
#include "rjsim_control.h"

#include <QDir>
#include <QDirIterator>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <unistd.h>

using rj_app::models::CCallController;
using rj_app::models::CLoginManager;
using rj_app::models::CRJSdkManager;
using rj_app::views::CMainDlgManager;
using namespace rj_app::enums;

namespace {

constexpr int kWaitMs = 30000;
const char *const kServerPortVariable = "GLIMORA_TEST_SERVER_PORT";

// ---------------------------------------------------------------------------
// The client process

[[noreturn]] void clientFails(const char *what)
{
    std::fprintf(stderr, "CLIENT FAILED: %s\n", what);
    std::fflush(nullptr);
    ::_exit(3);
}

// Steps that wait for what the client shows, polled on its event loop (and
// on the loops of the boxes and requests it runs meanwhile).
class ClientDriver : public QObject
{
public:
    ClientDriver(QString situation, QString trigger)
        : m_situation(std::move(situation))
        , m_trigger(std::move(trigger))
    {
        QTimer::singleShot(kWaitMs, this, [] { clientFails("time-out"); });
    }

    void begin()
    {
        // The login window's delayed first show has brought the engine up.
        when([] { return CRJSdkManager::getInstance() != nullptr; },
             [this] {
                 if (m_situation == QLatin1String("password-box"))
                     passwordBox();
                 else if (m_situation == QLatin1String("server-wait"))
                     serverWait();
                 else if (m_situation == QLatin1String("call"))
                     inACall();
                 else
                     clientFails("unknown case");
             });
    }

private:
    void when(std::function<bool()> ready, std::function<void()> next)
    {
        auto *poll = new QTimer(this);
        poll->setInterval(10);
        connect(poll, &QTimer::timeout, this, [poll, ready, next] {
            if (!ready())
                return;
            poll->stop();
            poll->deleteLater();
            next();
        });
        poll->start();
    }

    void signIn(int port, const char *user, const char *password, LoginStatus reached, std::function<void()> next)
    {
        if (!CLoginManager::getInstance()->login(QStringLiteral("127.0.0.1"), false, port, QLatin1String(user),
                                                 QLatin1String(password)))
            clientFails("login refused");
        when([reached] { return CLoginManager::getInstance()->m_loginStatus == reached; }, std::move(next));
    }

    static int serverPort() { return qEnvironmentVariableIntValue(kServerPortVariable); }

    // bob's first password cannot be changed: the box says so, and behind
    // it the form would sign him in.
    void passwordBox()
    {
        signIn(serverPort(), "bob", "Bob12345", NeedChangePassword, [this] {
            auto *form = rj_app::views::CLoginDlg::getInstance()->findChild<rj_app::views::CLoginChangePasswordForm *>();
            if (!form)
                clientFails("no change-password form");
            form->findChild<QLineEdit *>(QStringLiteral("m_pEditPassword"))->setText(QStringLiteral("NewBob#2026"));
            form->findChild<QLineEdit *>(QStringLiteral("m_pEditConfirmPassword"))
                ->setText(QStringLiteral("NewBob#2026"));
            rjsim_force_result("changePassword", 1, 1);
            QMetaObject::invokeMethod(form->findChild<QPushButton *>(QStringLiteral("m_pBtnNext")), "click",
                                      Qt::QueuedConnection);
            when([] { return boxShown(QStringLiteral("Change new password failed.")); }, [this] { endNow(); });
        });
    }

    // The server takes its time with the meeting list; alice's home window
    // waits for it.
    void serverWait()
    {
        m_slowServer = std::make_unique<glimora::test::HttpFixtureServer>();
        if (!m_slowServer->start())
            clientFails("no slow server");
        for (const char *path : {"/api/rest/v2.0/meetings", "/api/rest/v2.0/contacts", "/api/rest/v2.0/users"})
            m_slowServer->addRoute("GET", QLatin1String(path), 200, "[]", kWaitMs);
        signIn(m_slowServer->port(), "alice", "Alice123", LoggedIn, [this] {
            when([this] {
                const auto requests = m_slowServer->requests();
                for (const auto &request : requests)
                    if (request.path.startsWith(QLatin1String("/api/rest/v2.0/meetings"))
                        || request.path.startsWith(QLatin1String("/api/rest/v2.0/contacts"))
                        || request.path.startsWith(QLatin1String("/api/rest/v2.0/users")))
                        return true;
                return false;
            }, [this] { endNow(); });
        });
    }

    // alice in meeting 1001.
    void inACall()
    {
        signIn(serverPort(), "alice", "Alice123", LoggedIn, [this] {
            when([] { return CLoginManager::getInstance()->getRegisterInfo().state == 1; }, [this] {
                CCallController::getInstance()->dialOut(QStringLiteral("1001"), QString(), true, QString());
                when([] { return CCallController::getInstance()->getCallStatus() == ConfConnected; },
                     [this] { endNow(); });
            });
        });
    }

    static bool boxShown(const QString &text)
    {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (!window->isVisible() || !window->inherits("rj_app::views::AlertDlg"))
                continue;
            for (QLabel *label : window->findChildren<QLabel *>())
                if (label->text() == text)
                    return true;
        }
        return false;
    }

    void endNow()
    {
        std::printf("reached\n");
        std::fflush(stdout);
        if (m_trigger == QLatin1String("sigterm"))
            ::kill(::getpid(), SIGTERM);
        else if (m_trigger == QLatin1String("sighup"))
            ::kill(::getpid(), SIGHUP);
        else if (m_trigger == QLatin1String("quit"))
            QCoreApplication::quit();
        else
            CMainDlgManager::getInstance()->slotMainDlgClose();
    }

    QString m_situation;
    QString m_trigger;
    std::unique_ptr<glimora::test::HttpFixtureServer> m_slowServer;
};

int runClient(char *program, const QString &situation, const QString &trigger)
{
    int argc = 1;
    char *argv[] = {program, nullptr};
    rj_app::startup::prepare(argc, argv);
    rj_app::CSingleApplication app(argc, argv, rj_app::CSingleApplication::userInstanceKey());
    if (!rj_app::startup::start(app, argc, argv))
        clientFails("not the first instance");
    // The engine only needs some file as ringtone.
    const QString ringtone = qEnvironmentVariable("appdata") + QStringLiteral("/ringtone.wav");
    QFile file(ringtone);
    if (!file.open(QIODevice::WriteOnly) || file.write("RIFF-not-really") <= 0)
        clientFails("no ringtone");
    file.close();
    CCallController::setRingtonePath(ringtone);
    ClientDriver driver(situation, trigger);
    QTimer::singleShot(0, &driver, &ClientDriver::begin);
    return rj_app::startup::run(app);
}

} // namespace

class TestExitApp : public QObject
{
    Q_OBJECT

    glimora::test::DemoServerProcess m_server{QStringLiteral(GLIMORA_DEVSERVER)};

private slots:
    void initTestCase() { QVERIFY(m_server.startPlainHttp()); }

    void exitTable_data()
    {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<QString>("trigger");
        for (const char *situation : {"password-box", "server-wait", "call"})
            for (const char *trigger : {"exit", "sigterm"})
                QTest::addRow("%s, %s", situation, trigger) << situation << trigger;
        // The end of the session: the terminal or the session manager.
        for (const char *trigger : {"sighup", "quit"})
            QTest::addRow("call, %s", trigger) << "call" << trigger;
    }
    void exitTable()
    {
        QFETCH(QString, situation);
        QFETCH(QString, trigger);
        QTemporaryDir root(glimora::test::isolatedRoot() + QStringLiteral("/client-XXXXXX"));
        QVERIFY(root.isValid());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *dir : {"appdata", "HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME",
                                "XDG_RUNTIME_DIR"}) {
            const QString path = root.path() + QLatin1Char('/') + QLatin1String(dir);
            QVERIFY(QDir().mkpath(path));
            QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            env.insert(QLatin1String(dir), path);
        }
        env.insert(QStringLiteral("RJSIM_TIME_SCALE"), QStringLiteral("0"));
        env.insert(QLatin1String(kServerPortVariable), QString::number(m_server.plainPort));

        QProcess client;
        client.setProcessEnvironment(env);
        client.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--client"), situation, trigger});
        QVERIFY(client.waitForStarted(kWaitMs));
        QVERIFY(client.waitForFinished(kWaitMs * 2));
        // Without a log configuration beside it the client logs to stderr.
        const QString log = QString::fromUtf8(client.readAllStandardError());
        QVERIFY2(client.readAllStandardOutput().contains("reached"), qPrintable(log.right(3000)));
        QCOMPARE(client.exitStatus(), QProcess::NormalExit);
        QCOMPARE(client.exitCode(), 0);

        const int exitLine = log.indexOf(QLatin1String("Exit app"));
        QVERIFY2(exitLine >= 0, qPrintable(log.right(3000)));
        static const QRegularExpression release(QStringLiteral("release|~C"), QRegularExpression::CaseInsensitiveOption);
        const QStringList after = log.mid(exitLine).split(QLatin1Char('\n'), Qt::SkipEmptyParts).mid(1);
        for (const QString &line : after)
            QVERIFY2(release.match(line).hasMatch(), qPrintable(QStringLiteral("after Exit app: ") + line));
        QCOMPARE(QDir(root.path() + QStringLiteral("/appdata/glimora")).entryList({QStringLiteral("*.dmp")}, QDir::Files),
                 QStringList());
        // No meeting runs any more, as a later start reads it.
        QDirIterator found(root.path() + QStringLiteral("/appdata"), {QStringLiteral("config.ini")}, QDir::Files,
                           QDirIterator::Subdirectories);
        QVERIFY(found.hasNext());
        QFile config(found.next());
        QVERIFY(config.open(QIODevice::ReadOnly));
        const QByteArray stored = config.readAll();
        QVERIFY2(stored.contains("\nIsConfRunning=0\n"), stored.constData());
        QVERIFY2(stored.contains("\nConfId=\n"), stored.constData());
    }
};

int main(int argc, char *argv[])
{
    if (argc == 4 && std::strcmp(argv[1], "--client") == 0)
        return runClient(argv[0], QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    glimora::test::isolateEnvironment();
    QApplication::setApplicationName(QStringLiteral("glimora"));
    QApplication app(argc, argv);
    glimora::test::watchStyleSheetWarnings();
    TestExitApp tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return glimora::test::styleSheetCheckedStatus(QTest::qExec(&tc, argc, argv));
}

#include "tst_exitapp.moc"
