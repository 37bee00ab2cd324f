// Whether a sign-in reaches its server: the login window's HTTPS choice
// against the kinds of server a person may name, through the real engine,
// the login manager and the main-window manager's error prompts.

#include "support/AlertBoxSeam.h"
#include "support/DemoServerProcess.h"
#include "support/StandInRingtone.h"
#include "support/TestMain.h"

#include "helpers/CUserConfigUtils.h"
#include "models/CLoginManager.h"
#include "models/CRJSdkManager.h"
#include "views/settings/CDownloadThread.h"
#include "views/main/CLoginDlg.h"
#include "views/main/CMainDlgManager.h"
#include "rjsim_control.h"

#include <QElapsedTimer>
#include <QTcpServer>

using glimora::test::AlertBoxSeam;
using glimora::test::DemoServerProcess;
using rj_app::helpers::CUserConfigUtils;
using rj_app::models::CLoginManager;
using rj_app::models::CRJSdkManager;
using rj_app::views::CLoginDlg;
using namespace rj_app::enums;

Q_DECLARE_METATYPE(LoginStatus)

namespace {

constexpr int kWaitMs = 15000;
// The engine's wait for a server, injected: far below its own 2 s, so a
// sign-in that ends within the default could not pass for one that ends
// within this.
constexpr int kServerTimeoutMs = 250;
constexpr int kUnansweredWithinMs = 1900;

const QString kUnreachable = QStringLiteral("Server unreachable, please try again later(8).");

enum class Server { DemoTls, DemoPlainHttp, NothingListening, NeverAnswers };

} // namespace

Q_DECLARE_METATYPE(Server)

class TestLoginReach : public QObject
{
    Q_OBJECT

    DemoServerProcess m_tls{QStringLiteral(GLIMORA_DEVSERVER)};
    DemoServerProcess m_plain{QStringLiteral(GLIMORA_DEVSERVER)};
    // Listens, so the system takes connections, and never reads them.
    QTcpServer m_silent;
    quint16 m_closedPort = 0;

    CLoginManager *login() { return CLoginManager::getInstance(); }

    quint16 portOf(Server server) const
    {
        switch (server) {
        case Server::DemoTls: return quint16(m_tls.plainPort);
        case Server::DemoPlainHttp: return quint16(m_plain.plainPort);
        case Server::NothingListening: return m_closedPort;
        case Server::NeverAnswers: return m_silent.serverPort();
        }
        return 0;
    }

    void settle()
    {
        QCOMPARE(rjsim_wait_idle(kWaitMs), 1);
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }

private slots:
    void initTestCase()
    {
        qputenv("RJSIM_TIME_SCALE", "0");
        rjsim_set_server_timeout(kServerTimeoutMs);
        QVERIFY(m_tls.start());
        QVERIFY(m_plain.startPlainHttp());
        QVERIFY(m_silent.listen(QHostAddress::LocalHost, 0));
        m_silent.setMaxPendingConnections(64);
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost, 0));
        m_closedPort = closed.serverPort();
        closed.close();

        CUserConfigUtils::initInstance(QCoreApplication::applicationFilePath().toLocal8Bit().constData());
        QVERIFY(glimora::test::useStandInRingtone());
        rj_app::views::CMainDlgManager::getInstance()->setExitFunction([](int) {});
        // The real start: the login window's delayed first show creates the
        // engine and initialises the manager, whose error handler ends a
        // failed login.
        CLoginDlg::getInstance()->show();
        QTRY_VERIFY_WITH_TIMEOUT(CRJSdkManager::getInstance() != nullptr, kWaitMs);
        settle();
    }

    void cleanupTestCase()
    {
        rjsim_set_server_timeout(0);
        // A sign-in started the update check; nothing may run on into exit.
        CLoginDlg::getInstance()->hide();
        QCOMPARE(rjsim_wait_idle(kWaitMs), 1);
        rj_app::views::CDownloadThread::getInstance()->Tquit();
        CRJSdkManager::releaseInstance();
    }

    void httpsChoiceAgainstServers_data()
    {
        QTest::addColumn<bool>("https");
        QTest::addColumn<Server>("server");
        QTest::addColumn<LoginStatus>("after");
        QTest::addColumn<QString>("prompt");
        QTest::newRow("https, demo server") << true << Server::DemoTls << LoggedIn << QString();
        QTest::newRow("http, demo server") << false << Server::DemoTls << LoginFailed << kUnreachable;
        QTest::newRow("https, demo server --http") << true << Server::DemoPlainHttp << LoginFailed << kUnreachable;
        QTest::newRow("http, demo server --http") << false << Server::DemoPlainHttp << LoggedIn << QString();
        for (bool https : {true, false}) {
            const char *scheme = https ? "https" : "http";
            QTest::addRow("%s, nothing listening", scheme) << https << Server::NothingListening << LoginFailed
                                                           << kUnreachable;
            QTest::addRow("%s, accepts and never answers", scheme) << https << Server::NeverAnswers << LoginFailed
                                                                   << kUnreachable;
        }
    }

    void httpsChoiceAgainstServers()
    {
        QFETCH(bool, https);
        QFETCH(Server, server);
        QFETCH(LoginStatus, after);
        QFETCH(QString, prompt);
        login()->setLoginStatus(NotLogin);
        settle();
        AlertBoxSeam seam(QDialogButtonBox::Ok);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(login()->login(QStringLiteral("127.0.0.1"), https, portOf(server), QStringLiteral("alice"),
                               QStringLiteral("Alice123")));
        QTRY_VERIFY_WITH_TIMEOUT(login()->m_loginStatus != LoggingIn, kWaitMs);
        const qint64 took = clock.elapsed();
        QCOMPARE(login()->m_loginStatus, after);
        if (prompt.isEmpty()) {
            QCOMPARE(seam.count(), 0);
            QVERIFY(!login()->getToken().isEmpty());
        } else {
            QTRY_COMPARE_WITH_TIMEOUT(seam.count(), 1, kWaitMs);
            QCOMPARE(seam.last().text, prompt);
            QVERIFY2(took < kUnansweredWithinMs, qPrintable(QStringLiteral("%1 ms").arg(took)));
        }
        login()->logout();
        settle();
    }
};

GLIMORA_TEST_MAIN(TestLoginReach)
#include "tst_loginreach.moc"
