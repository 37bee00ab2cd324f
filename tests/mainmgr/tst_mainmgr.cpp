// The main-window manager against the simulated engine: the visibility table
// and the real switch, error prompts with their filters and queueing, join
// URLs from a second instance, and the orderly exit.

#include "support/SignInServer.h"
#include "support/AlertBoxSeam.h"
#include "support/StandInRingtone.h"
#include "support/EngineJournal.h"
#include "support/TestMain.h"

#include "helpers/CUserConfigUtils.h"
#include "models/CCallController.h"
#include "models/CLinguist.h"
#include "models/CLoginManager.h"
#include "models/CRJSdkManager.h"
#include "models/CUCMApiManager.h"
#include "models/CUrlJoinConfArgsParser.h"
#include "views/incall/CLayoutBackgroundDlg.h"
#include "views/main/CHomeDlg.h"
#include "views/main/CLoginDlg.h"
#include "views/main/CMainDlgManager.h"
#include "rjsim_control.h"

#include <QScreen>
#include <QTcpServer>
#include <QTcpSocket>

using glimora::test::AlertBoxSeam;
using rj_app::helpers::CUserConfigUtils;
using rj_app::models::CCallController;
using rj_app::models::CLinguist;
using rj_app::models::CLoginManager;
using rj_app::models::CRJSdkManager;
using rj_app::models::CUrlJoinConfArgsParser;
using rj_app::views::CHomeDlg;
using rj_app::views::CLayoutBackgroundDlg;
using rj_app::views::CLoginDlg;
using rj_app::views::CMainDlgManager;
using namespace rj_app::enums;

Q_DECLARE_METATYPE(LoginStatus)
Q_DECLARE_METATYPE(CMainDlgManager::MainDlgs)
Q_DECLARE_METATYPE(CMainDlgManager::UrlJoinAction)

using glimora::test::journalOps;

namespace {

constexpr int kWaitMs = 15000;

rj::engine::RJError error(int type, const char *action, int code, const char *msg = "")
{
    rj::engine::RJError e;
    e.type = type;
    e.action = action;
    e.code = code;
    e.msg = msg;
    return e;
}

} // namespace

class TestMainDlgManager : public QObject
{
    Q_OBJECT

    glimora::test::SignInServer m_server; // answers the engine at sign-in
    int m_exitCode = -1;

    CMainDlgManager *mgr() { return CMainDlgManager::getInstance(); }
    CLoginManager *login() { return CLoginManager::getInstance(); }
    CCallController *call() { return CCallController::getInstance(); }

    void settle()
    {
        rjsim_clear_result(nullptr);
        if (CCallController::isInCall(call()->getCallStatus())) {
            if (!call()->hangUp())
                call()->declineCall();
            QTRY_COMPARE_WITH_TIMEOUT(int(call()->getCallStatus()), int(ConfEnded), kWaitMs);
        }
        QCOMPARE(rjsim_wait_idle(kWaitMs), 1);
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        rjsim_clear_journal();
    }

    void signInAsAlice()
    {
        if (login()->m_loginStatus == LoggedIn)
            return;
        login()->setLoginStatus(NotLogin);
        QVERIFY(login()->login(QStringLiteral("127.0.0.1"), false, m_server.serverPort(), QStringLiteral("alice"),
                               QStringLiteral("Alice123")));
        QTRY_COMPARE_WITH_TIMEOUT(login()->m_loginStatus, LoggedIn, kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(login()->getRegisterInfo().state, 1, kWaitMs);
        settle();
    }

private slots:
    void initTestCase()
    {
        qputenv("RJSIM_TIME_SCALE", "0");
        QVERIFY(m_server.listen(QHostAddress::LocalHost, 0));
        // The home window's tabs ask the server for lists: they are taken and
        // left unanswered, and the REST client gives up at once.
        rj_app::models::CUCMApiManager::getInstance()->setRequestTimeout(50);
        CUserConfigUtils::initInstance(QCoreApplication::applicationFilePath().toLocal8Bit().constData());
        QVERIFY(glimora::test::useStandInRingtone());
        CLinguist::getInstance()->setTranslationDir(QStringLiteral(GLIMORA_TEST_QM_DIR));
        mgr()->setExitFunction([this](int code) { m_exitCode = code; });
        // The real start: the login window's delayed first show creates the
        // engine and initialises the manager.
        CLoginDlg::getInstance()->show();
        QTRY_VERIFY_WITH_TIMEOUT(CRJSdkManager::getInstance() != nullptr, kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(CHomeDlg::getInstance()->isHidden(), kWaitMs);
        settle();
    }

    void init() { settle(); }

    // Every login status against every call and content status, by the
    // three columns of the decision: not in a call, in a call while nothing
    // is sent, in a call while this client sends a screen or a whiteboard.
    void visibilityTable_data()
    {
        using M = CMainDlgManager;
        QTest::addColumn<LoginStatus>("status");
        QTest::addColumn<M::MainDlgs>("idle");
        QTest::addColumn<M::MainDlgs>("inCall");
        QTest::addColumn<M::MainDlgs>("sending");
        const M::MainDlgs loginOnly(M::Dlg_Login), loginAndCall(M::MainDlgs(M::Dlg_Login) | M::Dlg_Call),
            home(M::Dlg_Home), callOnly(M::Dlg_Call), none(M::Dlg_None);
        QTest::newRow("NotLogin") << NotLogin << loginOnly << loginAndCall << loginOnly;
        QTest::newRow("LoggingIn") << LoggingIn << loginOnly << loginAndCall << loginOnly;
        QTest::newRow("LoginFailed") << LoginFailed << loginOnly << loginAndCall << loginOnly;
        QTest::newRow("NeedChangePassword") << NeedChangePassword << loginOnly << loginAndCall << loginOnly;
        QTest::newRow("LoggedIn") << LoggedIn << home << callOnly << none;
        QTest::newRow("AnonymousLoggedIn") << AnonymousLoggedIn << home << callOnly << none;
        QTest::newRow("AnonymousLoggingIn") << AnonymousLoggingIn << none << callOnly << none;
    }
    void visibilityTable()
    {
        QFETCH(LoginStatus, status);
        QFETCH(CMainDlgManager::MainDlgs, idle);
        QFETCH(CMainDlgManager::MainDlgs, inCall);
        QFETCH(CMainDlgManager::MainDlgs, sending);
        for (int callStatus : {0, 1, 2, 3, 4, 5, 6}) {
            for (int content = 0; content <= 4; ++content) {
                const bool in = callStatus >= 1 && callStatus <= 5;
                const auto expected = !in ? idle : (content >= 3 ? sending : inCall);
                QVERIFY2(CMainDlgManager::visibleMainDlgs(status, callStatus, content) == expected,
                         qPrintable(QStringLiteral("call %1 content %2").arg(callStatus).arg(content)));
            }
        }
    }

    // The real switch: signing in hides the login window and shows the home
    // window where the login window was; a call shows the call window; the
    // end of the call brings the home window back.
    void switchFollowsTheModels()
    {
        CLoginDlg *loginDlg = CLoginDlg::getInstance();
        QVERIFY(loginDlg->isVisible());
        const QRect loginGeometry = loginDlg->geometry();
        signInAsAlice();
        QVERIFY(loginDlg->isHidden());
        QVERIFY(CHomeDlg::getInstance()->isVisible());
        QCOMPARE(CMainDlgManager::s_rectLastMainDlg, loginGeometry);
        QCOMPARE(mgr()->getActiveMainDlg(), static_cast<QWidget *>(CHomeDlg::getInstance()));

        call()->dialOut(QStringLiteral("1001"), QString(), true, QString());
        QVERIFY(CLayoutBackgroundDlg::getInstance()->isVisible());
        QVERIFY(CHomeDlg::getInstance()->isHidden());
        QTRY_COMPARE_WITH_TIMEOUT(int(call()->getCallStatus()), int(ConfConnected), kWaitMs);
        QVERIFY(call()->hangUp());
        QTRY_COMPARE_WITH_TIMEOUT(int(call()->getCallStatus()), int(ConfEnded), kWaitMs);
        QVERIFY(CHomeDlg::getInstance()->isVisible());
        QVERIFY(CLayoutBackgroundDlg::getInstance()->isHidden());
    }

    // A home window maximised before a call comes back maximised after it,
    // on the screen's available area; the call window itself comes up normal.
    void maximisedHomeWindowSurvivesACall()
    {
        signInAsAlice();
        CHomeDlg *home = CHomeDlg::getInstance();
        home->slotOnWinMax();
        QVERIFY(home->m_bMaximized);
        const QRect available = home->screen()->availableGeometry();
        QCOMPARE(home->size(), available.size());

        call()->dialOut(QStringLiteral("1001"), QString(), true, QString());
        QVERIFY(CLayoutBackgroundDlg::getInstance()->isVisible());
        QVERIFY(!CLayoutBackgroundDlg::getInstance()->m_bMaximized);
        QCOMPARE(CMainDlgManager::s_rectLastMainDlg.size(), available.size());
        QTRY_COMPARE_WITH_TIMEOUT(int(call()->getCallStatus()), int(ConfConnected), kWaitMs);
        QVERIFY(call()->hangUp());
        QTRY_VERIFY_WITH_TIMEOUT(home->isVisible(), kWaitMs);
        QVERIFY(home->m_bMaximized);
        QCOMPARE(home->size(), available.size());
        home->slotOnWinRestore();
        QVERIFY(home->width() < available.width());
    }

    // Errors that arrive while the windows are being switched wait for the
    // switch and then show, in arrival order, over the window now visible.
    void errorsDuringASwitchShowAfterIt()
    {
        signInAsAlice();
        AlertBoxSeam seam(QDialogButtonBox::Ok);
        mgr()->m_bUpdateMainDlgVisibility = true;
        mgr()->slotOnError(error(3, "onCallEnd", 100));
        mgr()->slotOnError(error(4, "onCallEnd", 6601));
        QCOMPARE(seam.count(), 0);
        QCOMPARE(mgr()->m_listPendingErrors.size(), 2);
        mgr()->updateMainDlgVisibility();
        QCOMPARE(seam.texts(), QStringList({QStringLiteral("Meeting ended or terminated by meeting host(100)."),
                                            QStringLiteral("Invalid meeting room password(6601).")}));
        QCOMPARE(seam.last().parent.data(), static_cast<QWidget *>(CHomeDlg::getInstance()));
        QCOMPARE(seam.last().title, QStringLiteral("Prompt"));
        QVERIFY(!mgr()->m_bUpdateMainDlgVisibility);
    }

    void handleErrorTable_data()
    {
        QTest::addColumn<LoginStatus>("status");
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("msg");
        QTest::addColumn<QString>("text"); // empty: no prompt
        QTest::addColumn<LoginStatus>("after");

        QTest::newRow("unreachable while logging in")
            << LoggingIn << 0 << "avlogin" << 8 << "" << "Server unreachable, please try again later(8)." << LoginFailed;
        QTest::newRow("wrong password, no code shown")
            << LoggingIn << 4 << "avlogin" << 2000 << "" << "Invalid username or password." << LoginFailed;
        QTest::newRow("locked account") << LoggingIn << 4 << "avlogin" << 2010 << "" << "Account is locked(2010)."
                                        << LoginFailed;
        QTest::newRow("unknown login code") << LoggingIn << 4 << "avlogin" << 1234 << "" << "Failed to login(1234)."
                                            << LoginFailed;
        QTest::newRow("unknown code elsewhere")
            << LoggingIn << 4 << "registerSIPServer" << 1234 << "" << "Received error(1234)." << LoginFailed;
        QTest::newRow("getFeature known engine code")
            << LoggingIn << 0 << "getFeature" << 9 << "" << "Invalid server(9)." << LoginFailed;
        QTest::newRow("getFeature other type")
            << LoggingIn << 4 << "getFeature" << 9 << "" << "Invalid server address." << LoginFailed;
        QTest::newRow("getFeature unknown engine code")
            << LoggingIn << 0 << "getFeature" << 15 << "" << "Invalid server address." << LoginFailed;
        QTest::newRow("no row for engine code 15") << AnonymousLoggedIn << 0 << "dialOut" << 15 << "" << ""
                                                    << AnonymousLoggedIn;
        QTest::newRow("host ended the meeting")
            << LoggedIn << 3 << "onCallEnd" << 100 << "" << "Meeting ended or terminated by meeting host(100)."
            << LoggedIn;
        QTest::newRow("call end shown after a guest call")
            << NotLogin << 3 << "onCallEnd" << 101 << "" << "Meeting ended or terminated by meeting host(101)."
            << NotLogin;
        QTest::newRow("not signed in, not a call end") << NotLogin << 4 << "avlogin" << 2000 << "" << "" << NotLogin;
        QTest::newRow("failed login stays quiet") << LoginFailed << 0 << "getFeature" << 8 << "" << ""
                                                  << LoginFailed;
        QTest::newRow("signed in, engine error") << LoggedIn << 0 << "enableMic" << 5 << "" << "" << LoggedIn;
        QTest::newRow("signed in, late login error") << LoggedIn << 4 << "avlogin" << 2000 << "" << "" << LoggedIn;
        QTest::newRow("avatar upload reports itself")
            << LoggedIn << 4 << "uploadUserImage" << 1010 << "" << "" << LoggedIn;
        QTest::newRow("guest, wrong meeting password")
            << AnonymousLoggingIn << 4 << "onCallEnd" << 6601 << "" << "Invalid meeting room password(6601)."
            << AnonymousLoggingIn;
        QTest::newRow("other type, generic text")
            << AnonymousLoggedIn << 2 << "dialOut" << 5 << "boom" << "SDK error, type: 2, code: 5, msg: boom"
            << AnonymousLoggedIn;
        // The engine's text is UTF-8 and is never searched for markers.
        QTest::newRow("engine text kept as sent")
            << AnonymousLoggedIn << 2 << "dialOut" << 5 << "%1 %3 Grüße"
            << "SDK error, type: 2, code: 5, msg: %1 %3 Grüße" << AnonymousLoggedIn;
    }
    void handleErrorTable()
    {
        QFETCH(LoginStatus, status);
        QFETCH(int, type);
        QFETCH(QString, action);
        QFETCH(int, code);
        QFETCH(QString, msg);
        QFETCH(QString, text);
        QFETCH(LoginStatus, after);

        login()->setLoginStatus(status);
        settle();
        AlertBoxSeam seam(QDialogButtonBox::Ok);
        const QByteArray actionUtf8 = action.toUtf8();
        const QByteArray msgUtf8 = msg.toUtf8();
        mgr()->handleError(error(type, actionUtf8.constData(), code, msgUtf8.constData()));
        if (text.isEmpty()) {
            QCOMPARE(seam.count(), 0);
        } else {
            QCOMPARE(seam.texts(), QStringList(text));
            QCOMPARE(seam.last().kind, AlertBoxSeam::Request::NonBlocking);
            QCOMPARE(seam.last().parent.data(), mgr()->getActiveMainDlg());
        }
        QCOMPARE(login()->m_loginStatus, after);
        login()->setLoginStatus(NotLogin);
    }

    // A wrong password ends the login through the real error path, so the
    // next attempt is taken and signs in.
    void failedLoginAllowsTheNextAttempt()
    {
        login()->setLoginStatus(NotLogin);
        settle();
        AlertBoxSeam seam(QDialogButtonBox::Ok);
        QVERIFY(login()->login(QStringLiteral("127.0.0.1"), false, m_server.serverPort(), QStringLiteral("alice"),
                               QStringLiteral("wrong-password")));
        QTRY_COMPARE_WITH_TIMEOUT(login()->m_loginStatus, LoginFailed, kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(seam.count(), 1, kWaitMs);
        QCOMPARE(seam.last().text, QStringLiteral("Invalid username or password."));
        QVERIFY(CLoginDlg::getInstance()->isVisible());
        signInAsAlice();
        QVERIFY(CHomeDlg::getInstance()->isVisible());
    }

    // Every refused login ends through the real error handler: the status
    // becomes LoginFailed, a pending join URL and the login data are dropped,
    // the server's text is shown, and the next attempt signs in.
    void refusedLoginsEnd_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("reachable");
        QTest::addColumn<QString>("text");
        QTest::newRow("nothing listening") << "alice" << "Alice123" << false
                                           << "Server unreachable, please try again later(8).";
        QTest::newRow("locked account") << "locked" << "Locked123" << true << "Account is locked(2010).";
        QTest::newRow("wrong password") << "alice" << "Wrong1234" << true << "Invalid username or password.";
        QTest::newRow("unknown user") << "mallory" << "Mallory12" << true << "Invalid username or password.";
    }
    void refusedLoginsEnd()
    {
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(bool, reachable);
        QFETCH(QString, text);
        login()->setLoginStatus(NotLogin);
        settle();
        quint16 port = m_server.serverPort();
        if (!reachable) {
            QTcpServer closed;
            QVERIFY(closed.listen(QHostAddress::LocalHost, 0));
            port = closed.serverPort();
        }
        auto *parser = CUrlJoinConfArgsParser::getInstance();
        QVERIFY(parser->parse("--url=glimora://joinmeeting/1002/0/1234"));
        CUserConfigUtils::getInstance()->setUser(QString());
        AlertBoxSeam seam(QDialogButtonBox::Ok);
        QVERIFY(login()->login(QStringLiteral("127.0.0.1"), false, port, user, password));
        QTRY_COMPARE_WITH_TIMEOUT(login()->m_loginStatus, LoginFailed, kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(seam.count(), 1, kWaitMs);
        QCOMPARE(seam.last().text, text);
        QCOMPARE(parser->m_iJoinConfProtocol, 0);
        QVERIFY(parser->m_qstrConfNumber.isEmpty());
        QCOMPARE(CUserConfigUtils::getInstance()->getLoginStatus(), LoginFailed);
        QVERIFY(CUserConfigUtils::getInstance()->getUser().isEmpty());
        QCOMPARE(login()->getToken(), QString());
        signInAsAlice();
        QCOMPARE(login()->m_qstrDisplayName, QStringLiteral("Alice Chen"));
    }

    // The error texts follow the language; prompts already made keep theirs.
    void errorTablesFollowTheLanguage()
    {
        login()->setLoginStatus(AnonymousLoggedIn);
        settle();
        AlertBoxSeam seam(QDialogButtonBox::Ok);
        CLinguist::getInstance()->changeLanguage(CLinguist::ZH_CN);
        mgr()->handleError(error(3, "onCallEnd", 100));
        CLinguist::getInstance()->changeLanguage(CLinguist::EN_US);
        mgr()->handleError(error(3, "onCallEnd", 100));
        QCOMPARE(seam.count(), 2);
        QVERIFY(seam.texts().at(0) != seam.texts().at(1));
        QVERIFY(seam.texts().at(0).contains(QLatin1String("100")));
        QCOMPARE(seam.texts().at(1), QStringLiteral("Meeting ended or terminated by meeting host(100)."));
        QCOMPARE(mgr()->m_mapServerErrorMsgs.size(), 32);
        QCOMPARE(mgr()->m_mapSdkErrorMsgs.size(), 15);
        QVERIFY(!mgr()->m_mapSdkErrorMsgs.contains(15));
        login()->setLoginStatus(NotLogin);
    }

    void duplicatedAppJoinTable_data()
    {
        using M = CMainDlgManager;
        QTest::addColumn<LoginStatus>("status");
        QTest::addColumn<int>("callStatus");
        QTest::addColumn<int>("registerState");
        QTest::addColumn<int>("protocol");
        QTest::addColumn<bool>("stored");
        QTest::addColumn<M::UrlJoinAction>("action");
        QTest::newRow("not signed in, stored login") << NotLogin << 0 << 0 << 1 << true << M::UrlJoin_AutoLogin;
        QTest::newRow("failed, stored login") << LoginFailed << 0 << 0 << 2 << true << M::UrlJoin_AutoLogin;
        QTest::newRow("not signed in, SIP form") << NotLogin << 0 << 0 << 2 << false << M::UrlJoin_AnonymousJoin;
        QTest::newRow("not signed in, server form waits") << NotLogin << 0 << 0 << 1 << false << M::UrlJoin_Keep;
        QTest::newRow("logging in") << LoggingIn << 0 << 0 << 1 << true << M::UrlJoin_Discard;
        QTest::newRow("signed in, registered") << LoggedIn << 0 << 1 << 1 << false << M::UrlJoin_Dial;
        QTest::newRow("signed in, after a call") << LoggedIn << 6 << 1 << 2 << false << M::UrlJoin_Dial;
        QTest::newRow("skipped, registered") << AnonymousLoggedIn << 0 << 1 << 2 << false << M::UrlJoin_Dial;
        QTest::newRow("signed in, in a call") << LoggedIn << 5 << 1 << 1 << false << M::UrlJoin_Discard;
        QTest::newRow("signed in, ringing") << LoggedIn << 4 << 1 << 1 << false << M::UrlJoin_Discard;
        QTest::newRow("signed in, not registered") << LoggedIn << 0 << 2 << 1 << false << M::UrlJoin_Discard;
        QTest::newRow("guest joining") << AnonymousLoggingIn << 1 << 0 << 1 << false << M::UrlJoin_Keep;
        QTest::newRow("changing password") << NeedChangePassword << 0 << 1 << 1 << true << M::UrlJoin_Keep;
    }
    void duplicatedAppJoinTable()
    {
        QFETCH(LoginStatus, status);
        QFETCH(int, callStatus);
        QFETCH(int, registerState);
        QFETCH(int, protocol);
        QFETCH(bool, stored);
        QFETCH(CMainDlgManager::UrlJoinAction, action);
        QCOMPARE(CMainDlgManager::duplicatedAppJoinAction(status, callStatus, registerState, protocol, stored), action);
    }

    // A second start's join URL dials at once when signed in and registered,
    // and is dropped, not dialled later, while a call runs.
    void joinUrlFromASecondStart()
    {
        signInAsAlice();
        const QString url = QStringLiteral("--url=glimora://joinmeeting/1001/0/NO");
        mgr()->receiveDuplicatedAppMessage(url);
        QCOMPARE(journalOps({QStringLiteral("dialOut")}), QStringList(QStringLiteral("dialOut")));
        QCOMPARE(CUrlJoinConfArgsParser::getInstance()->m_iJoinConfProtocol, 0);
        QVERIFY(CLayoutBackgroundDlg::getInstance()->isVisible());
        QTRY_COMPARE_WITH_TIMEOUT(int(call()->getCallStatus()), int(ConfConnected), kWaitMs);
        rjsim_clear_journal();

        mgr()->receiveDuplicatedAppMessage(QStringLiteral("--url=glimora://joinmeeting/1004/1/NO"));
        QCOMPARE(journalOps({QStringLiteral("dialOut")}), QStringList());
        QCOMPARE(CUrlJoinConfArgsParser::getInstance()->m_iJoinConfProtocol, 0);
        QCOMPARE(call()->getPureConfNumber(), QStringLiteral("1001"));

        mgr()->receiveDuplicatedAppMessage(QStringLiteral("Activate"));
        QVERIFY(CLayoutBackgroundDlg::getInstance()->isVisible());
    }

    // A join that waits for the registration is dialled when it arrives.
    void joinWaitsForTheRegistration()
    {
        signInAsAlice();
        QVERIFY(CUrlJoinConfArgsParser::getInstance()->parse("--url=glimora://joinmeeting/1004/1/NO"));
        mgr()->execUrlJoinConfInLoginStatus(2);
        QCOMPARE(journalOps({QStringLiteral("dialOut")}).size(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(int(call()->getCallStatus()), int(ConfConnected), kWaitMs);
        settle();

        login()->m_registerInfo.state = 2;
        QVERIFY(CUrlJoinConfArgsParser::getInstance()->parse("--url=glimora://joinmeeting/1004/1/NO"));
        mgr()->execUrlJoinConfInLoginStatus(2);
        QCOMPARE(journalOps({QStringLiteral("dialOut")}).size(), 0);
        QCOMPARE(CUrlJoinConfArgsParser::getInstance()->m_iJoinConfProtocol, 2);
        rj::engine::RJRegisterInfo registered;
        registered.state = 1;
        login()->m_registerInfo.state = 1;
        mgr()->slotOnRegisterInfoChanged(registered);
        QCOMPARE(journalOps({QStringLiteral("dialOut")}).size(), 1);
        QCOMPARE(CUrlJoinConfArgsParser::getInstance()->m_iJoinConfProtocol, 0);
    }

    // Ringing while the account signs out: the offer is withdrawn.
    void signOutResetsAnOfferedCall()
    {
        signInAsAlice();
        QCOMPARE(rjsim_command("incoming Carol 8001"), 0);
        QTRY_COMPARE_WITH_TIMEOUT(int(call()->getCallStatus()), int(ConfIncoming), kWaitMs);
        QVERIFY(CLayoutBackgroundDlg::getInstance()->isVisible());
        login()->logout();
        QCOMPARE(int(call()->getCallStatus()), int(Idle));
        QVERIFY(CLoginDlg::getInstance()->isVisible());
        QVERIFY(CLayoutBackgroundDlg::getInstance()->isHidden());
        call()->declineCall();
    }

    // Last: the exit ends the call, signs out, then releases the engine and
    // the configuration, and ends the process with 0.
    void exitAppInOrder()
    {
        signInAsAlice();
        call()->dialOut(QStringLiteral("1001"), QString(), true, QString());
        QTRY_COMPARE_WITH_TIMEOUT(int(call()->getCallStatus()), int(ConfConnected), kWaitMs);
        QCOMPARE(rjsim_wait_idle(kWaitMs), 1);
        rjsim_clear_journal();
        CHomeDlg::getInstance()->close(); // hidden windows still ask to end
        QCOMPARE(m_exitCode, 0);
        QCOMPARE(journalOps({QStringLiteral("hangUp"), QStringLiteral("avlogout"), QStringLiteral("release")}),
                 QStringList({QStringLiteral("hangUp"), QStringLiteral("avlogout"), QStringLiteral("release")}));
        QVERIFY(CRJSdkManager::getInstance() == nullptr);
        QVERIFY(CUserConfigUtils::getInstance() == nullptr);
    }
};

GLIMORA_TEST_MAIN(TestMainDlgManager)
#include "tst_mainmgr.moc"
