// The call window against the simulated engine: its reaction to every call
// status, the gate for incoming calls, the duration and quality helpers, its
// compact and full-screen modes, and a call that ends while it is compact.

#include "support/SignInServer.h"
#include "support/StandInRingtone.h"
#include "support/EngineJournal.h"
#include "support/TestMain.h"

#include "helpers/CUserConfigUtils.h"
#include "models/CCallController.h"
#include "models/CLinguist.h"
#include "models/CLoginManager.h"
#include "models/CRJSdkManager.h"
#include "models/CUCMApiManager.h"
#include "views/incall/CLayoutBackgroundDlg.h"
#include "views/incall/CLayoutPeopleSettingDlg.h"
#include "views/incall/CLayoutToolbarDlg.h"
#include "views/incall/CallInviteWidget.h"
#include "views/incall/CallWaitingWidget.h"
#include "views/incall/CompactWidget.h"
#include "views/main/CHomeDlg.h"
#include "views/main/CLoginDlg.h"
#include "views/main/CMainDlgManager.h"
#include "rjsim_control.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <qpa/qwindowsysteminterface.h>

using rj_app::helpers::CUserConfigUtils;
using rj_app::models::CCallController;
using rj_app::models::CLinguist;
using rj_app::models::CLoginManager;
using rj_app::models::CRJSdkManager;
using rj_app::views::CallInviteWidget;
using rj_app::views::CallWaitingWidget;
using rj_app::views::CLayoutBackgroundDlg;
using rj_app::views::CLayoutToolbarDlg;
using rj_app::views::CLoginDlg;
using rj_app::views::CMainDlgManager;
using rj_app::views::CompactWidget;
using namespace rj_app::enums;

Q_DECLARE_METATYPE(CallStatus)
Q_DECLARE_METATYPE(LoginStatus)

using glimora::test::journalOps;

namespace {

constexpr int kWaitMs = 15000;

} // namespace

class TestCallWindow : public QObject
{
    Q_OBJECT

    glimora::test::SignInServer m_server;

    CLayoutBackgroundDlg *dlg() { return CLayoutBackgroundDlg::getInstance(); }
    CCallController *call() { return CCallController::getInstance(); }
    CLoginManager *login() { return CLoginManager::getInstance(); }
    template <typename T>
    T *child(const char *name)
    {
        return dlg()->findChild<T *>(QLatin1String(name));
    }
    CallInviteWidget *invite() { return dlg()->findChild<CallInviteWidget *>(); }
    CallWaitingWidget *waiting() { return dlg()->findChild<CallWaitingWidget *>(); }

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

    void join(const char *number)
    {
        call()->dialOut(QString::fromLatin1(number), QString(), true, QString());
        QTRY_COMPARE_WITH_TIMEOUT(int(call()->getCallStatus()), int(ConfConnected), kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(dlg()->isVisible(), kWaitMs);
    }

private slots:
    void initTestCase()
    {
        qputenv("RJSIM_TIME_SCALE", "0");
        QVERIFY(m_server.listen(QHostAddress::LocalHost, 0));
        rj_app::models::CUCMApiManager::getInstance()->setRequestTimeout(50);
        CUserConfigUtils::initInstance(QCoreApplication::applicationFilePath().toLocal8Bit().constData());
        QVERIFY(glimora::test::useStandInRingtone());
        CMainDlgManager::getInstance()->setExitFunction([](int) {});
        CLoginDlg::getInstance()->show();
        QTRY_VERIFY_WITH_TIMEOUT(CRJSdkManager::getInstance() != nullptr, kWaitMs);
        QVERIFY(login()->login(QStringLiteral("127.0.0.1"), false, m_server.serverPort(), QStringLiteral("alice"),
                               QStringLiteral("Alice123")));
        QTRY_COMPARE_WITH_TIMEOUT(login()->m_loginStatus, LoggedIn, kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(login()->getRegisterInfo().state, 1, kWaitMs);
        settle();
    }

    void init()
    {
        CUserConfigUtils::getInstance()->setAntoAnswer(false);
        CUserConfigUtils::getInstance()->setFullScreenOnCallConnected(false);
        settle();
    }

    void cleanup() { settle(); }

    void durationText_data()
    {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("start") << qint64(0) << "00:00:00";
        QTest::newRow("under a minute") << qint64(59) << "00:00:59";
        QTest::newRow("an hour and a bit") << qint64(3725) << "01:02:05";
        QTest::newRow("a hundred hours") << qint64(100 * 3600 + 61) << "100:01:01";
        QTest::newRow("clock went back") << qint64(-5) << "00:00:00";
    }
    void durationText()
    {
        QFETCH(qint64, seconds);
        QFETCH(QString, text);
        QCOMPARE(CLayoutBackgroundDlg::formatCallDuration(seconds), text);
    }

    // The clock ticks from the connect time, whatever the timer's jitter.
    void durationFollowsTheClock()
    {
        QDateTime fake = QDateTime::currentDateTime();
        dlg()->setClock([&fake] { return fake; });
        join("1001");
        fake = fake.addSecs(3725);
        dlg()->slotOnTimerRefreshCallDuration();
        QCOMPARE(child<QLabel>("m_pLblCallDuration")->text(), QStringLiteral("01:02:05"));
        dlg()->setClock(nullptr);
    }

    void networkQuality_data()
    {
        QTest::addColumn<float>("rating");
        QTest::addColumn<int>("level");
        QTest::newRow("above the top") << 7.9f << 5;
        QTest::newRow("truncated") << 3.7f << 3;
        QTest::newRow("below one") << 0.4f << 1;
        QTest::newRow("negative") << -2.0f << 1;
    }
    void networkQuality()
    {
        QFETCH(float, rating);
        QFETCH(int, level);
        dlg()->setNetworkQuality(level == 2 ? 3 : 2);
        dlg()->slotOnNetworkQuality(rating);
        QCOMPARE(dlg()->networkQuality(), level);
        QVERIFY(child<QPushButton>("m_pBtnNetworkQuality")
                    ->styleSheet()
                    .contains(QStringLiteral("icon_call_quality_level%1.png").arg(level)));
    }

    // A new call starts at full quality and a zero clock before it connects.
    void dialResetsQualityAndDuration()
    {
        dlg()->setNetworkQuality(1);
        call()->dialOut(QStringLiteral("1001"), QString(), true, QString());
        QTRY_COMPARE_WITH_TIMEOUT(int(call()->getCallStatus()), int(ConfDialing), kWaitMs);
        QCOMPARE(dlg()->networkQuality(), 5);
        QCOMPARE(child<QLabel>("m_pLblCallDuration")->text(), QStringLiteral("00:00:00"));
        QVERIFY(waiting()->isVisible());
        QVERIFY(child<QPushButton>("m_pBtnFullScreen")->isHidden());
        QTRY_COMPARE_WITH_TIMEOUT(int(call()->getCallStatus()), int(ConfConnected), kWaitMs);
        QVERIFY(waiting()->isHidden());
        QVERIFY(!child<QPushButton>("m_pBtnFullScreen")->isHidden());
        QVERIFY(dlg()->layoutDlg()->isVisible());
    }

    // An incoming call is offered only when idle and signed in; otherwise it
    // is ignored and nothing is sent to the engine.
    void incomingCallGate_data()
    {
        QTest::addColumn<CallStatus>("callStatus");
        QTest::addColumn<LoginStatus>("loginStatus");
        QTest::addColumn<bool>("offered");
        QTest::newRow("idle, signed in") << Idle << LoggedIn << true;
        QTest::newRow("ended, guest") << ConfEnded << AnonymousLoggedIn << true;
        QTest::newRow("dialling") << ConfDialing << LoggedIn << false;
        QTest::newRow("connected") << ConfConnected << LoggedIn << false;
        QTest::newRow("not signed in") << Idle << NotLogin << false;
        QTest::newRow("signing in") << Idle << LoggingIn << false;
    }
    void incomingCallGate()
    {
        QFETCH(CallStatus, callStatus);
        QFETCH(LoginStatus, loginStatus);
        QFETCH(bool, offered);
        const CallStatus oldCall = call()->getCallStatus();
        const LoginStatus oldLogin = login()->m_loginStatus;
        call()->m_callStatus = callStatus;
        login()->m_loginStatus = loginStatus;
        rj::engine::RJCallInfo info;
        info.peer = "8001";
        dlg()->slotOnCallIncoming(info);
        const bool shown = invite()->isVisible();
        const CallStatus after = call()->getCallStatus();
        call()->m_callStatus = oldCall;
        login()->m_loginStatus = oldLogin;
        invite()->hide();
        waiting()->hide();
        QCOMPARE(shown, offered);
        QCOMPARE(after == ConfIncoming, offered);
        QVERIFY(journalOps({"declineCall", "hangUp"}).isEmpty());
        call()->stopSound();
        call()->m_callStatus = oldCall;
    }

    // A real incoming call: the caller's name arrives byte-exact, "decline"
    // goes out before "hang up".
    void incomingCallDeclined()
    {
        QVERIFY(rjsim_command("incoming Zoë Müller 8001") == 0);
        QTRY_VERIFY_WITH_TIMEOUT(invite() && invite()->isVisible(), kWaitMs);
        QCOMPARE(int(call()->getCallStatus()), int(ConfIncoming));
        const QList<QLabel *> labels = invite()->findChildren<QLabel *>();
        const bool named = std::any_of(labels.begin(), labels.end(), [](QLabel *l) {
            return l->text().contains(QString::fromUtf8("Zoë Müller")) || l->text().contains(QStringLiteral("8001"));
        });
        QVERIFY(named);
        emit invite()->sigHangUp();
        QVERIFY(invite()->isHidden());
        QCOMPARE(journalOps({"declineCall", "hangUp"}).value(0), QStringLiteral("declineCall"));
        QTRY_VERIFY_WITH_TIMEOUT(!CCallController::isInCall(call()->getCallStatus()), kWaitMs);
    }

    void incomingCallAcceptedShowsPeerAsUtf8()
    {
        QVERIFY(rjsim_command("incoming Zoë 8001") == 0);
        QTRY_VERIFY_WITH_TIMEOUT(invite() && invite()->isVisible(), kWaitMs);
        emit invite()->sigAcceptCall(false);
        QTRY_COMPARE_WITH_TIMEOUT(int(call()->getCallStatus()), int(ConfConnected), kWaitMs);
        QVERIFY(invite()->isHidden());
        const QString peer = QString::fromStdString(call()->getCallInfo().peer);
        QVERIFY(!peer.isEmpty());
        QCOMPARE(child<QLabel>("m_pLblConfNumber")->text(), peer);
        QVERIFY(!peer.contains(QChar(0xC3))); // no Latin-1 reading of UTF-8 bytes
    }

    // With auto answer, an audio-only call is accepted without video and the
    // waiting overlay stays until the call connects.
    void autoAnswerAudioOnly()
    {
        CUserConfigUtils::getInstance()->setAntoAnswer(true);
        QVERIFY(rjsim_command("incoming Carol Wu 8001 audio") == 0);
        QTRY_VERIFY_WITH_TIMEOUT(!journalOps({"acceptCall"}).isEmpty(), kWaitMs);
        const auto accepts = rjsim::journalOf("acceptCall");
        QVERIFY(!accepts.empty());
        QCOMPARE(QString::fromStdString(accepts.back().at(1)), QStringLiteral("0"));
        QVERIFY(invite()->isHidden());
        QTRY_COMPARE_WITH_TIMEOUT(int(call()->getCallStatus()), int(ConfConnected), kWaitMs);
        QVERIFY(waiting()->isHidden());
    }

    void fullScreenOnlyInACall()
    {
        dlg()->slotOnWinFullScreen();
        QVERIFY(!dlg()->m_bFullScreen);
        join("1001");
        // The title bar leaves the window in full screen: its buttons are
        // looked up through it.
        QWidget *title = child<QWidget>("m_pWgtTitleBar");
        QVERIFY(title);
        auto *enter = title->findChild<QPushButton *>(QStringLiteral("m_pBtnFullScreen"));
        auto *exit = title->findChild<QPushButton *>(QStringLiteral("m_pBtnFullScreen_Exit"));
        QVERIFY(enter && exit);
        QVERIFY(!enter->isHidden());
        QVERIFY(exit->isHidden());

        dlg()->slotOnWinFullScreen();
        QVERIFY(dlg()->m_bFullScreen);
        QCOMPARE(dlg()->layoutDlg()->m_iTitleBarHeight, 0);
        CLayoutToolbarDlg *toolbar = dlg()->layoutDlg()->getToolbarDlg();
        QCOMPARE(title->parentWidget(), static_cast<QWidget *>(toolbar));
        QVERIFY(title->isHidden());
        QVERIFY(enter->isHidden());
        QVERIFY(!exit->isHidden());
        // With the toolbar, as on a movement of the mouse: the title bar
        // shows at the window's top, with the way out of full screen.
        toolbar->show();
        QVERIFY(exit->isVisible());
        QCOMPARE(title->geometry().topLeft(), dlg()->geometry().topLeft());
        toolbar->hide();

        // The window system reports the screen's size at the window's old
        // place, and nothing after it: the window lies on the screen all the
        // same, and the toolbar with it.
        const QRect area = dlg()->screen()->geometry();
        QWindowSystemInterface::handleGeometryChange<QWindowSystemInterface::SynchronousDelivery>(
            dlg()->windowHandle(), QRect(QPoint(320, 160), area.size()));
        QTRY_COMPARE(dlg()->geometry(), area);
        toolbar->show();
        QVERIFY(area.contains(toolbar->geometry()));
        toolbar->hide();

        // Escape leaves full screen; the title bar comes home.
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(dlg(), &escape);
        QVERIFY(!dlg()->m_bFullScreen);
        QCOMPARE(title->parentWidget(), static_cast<QWidget *>(dlg()));
        QVERIFY(title->isVisible());
        QVERIFY(enter->isVisible());
        QVERIFY(exit->isHidden());
        QCOMPARE(dlg()->layoutDlg()->m_iTitleBarHeight, title->height());

        // A late report of an older place (the window manager's size came
        // without the move that went with it): the window is where the X
        // server has it all the same.
        QApplication::sync();
        const QPoint placed = dlg()->geometry().topLeft();
        QVERIFY(placed != QPoint(0, 0));
        QWindowSystemInterface::handleGeometryChange<QWindowSystemInterface::SynchronousDelivery>(
            dlg()->windowHandle(), QRect(QPoint(0, 0), dlg()->size()));
        QTRY_COMPARE(dlg()->geometry().topLeft(), placed);
    }

    void compactOnAndOff()
    {
        join("1001");
        QScreen *screen = dlg()->screen();
        const QRect available = screen->availableGeometry();
        dlg()->slotOnWinMin();
        QVERIFY(dlg()->isCompactMode());
        QVERIFY(dlg()->windowFlags() & Qt::WindowStaysOnTopHint);
        const int w = int(available.width() / 5.0);
        QCOMPARE(dlg()->width(), w);
        QCOMPARE(dlg()->height(), int(w / 16.0 * 9 + 40 * dlg()->fStretchFactor));
        QVERIFY(dlg()->findChild<CompactWidget *>());
        QVERIFY(child<QPushButton>("m_pBtnNetworkQuality")->isHidden());
        QVERIFY(child<QLabel>("m_pLblConfNumber")->isHidden());

        dlg()->slotOnCompactBtnRecoverClicked();
        QVERIFY(!dlg()->isCompactMode());
        QVERIFY(!(dlg()->windowFlags() & Qt::WindowStaysOnTopHint));
        QVERIFY(!dlg()->findChild<CompactWidget *>());
        QVERIFY(!child<QLabel>("m_pLblConfNumber")->isHidden());
        QVERIFY(child<QWidget>("m_pWgtTitleBar")->isVisible());
        const double s = dlg()->fStretchFactor;
        const QSize normal(int(1280 * s), int(760 * s));
        QCOMPARE(dlg()->size(), normal.boundedTo(available.size()));
    }

    // Maximise fills the screen's free area without the window system; the
    // restore brings the size back.
    void maximiseAndRestore()
    {
        join("1001");
        const QSize normal = dlg()->size();
        dlg()->slotOnWinMax();
        QVERIFY(dlg()->m_bMaximized);
        QCOMPARE(dlg()->size(), dlg()->screen()->availableGeometry().size());
        QVERIFY(child<QPushButton>("m_pBtnMax")->isHidden());
        dlg()->slotOnWinRestore();
        QVERIFY(!dlg()->m_bMaximized);
        QCOMPARE(dlg()->size(), normal);
        QVERIFY(child<QPushButton>("m_pBtnRestore")->isHidden());
    }

    // The call ends while compact: compact mode ends and the window hides.
    void callEndsWhileCompact()
    {
        join("1001");
        dlg()->slotOnWinMin();
        QVERIFY(dlg()->isCompactMode());
        QVERIFY(call()->hangUp());
        QTRY_COMPARE_WITH_TIMEOUT(int(call()->getCallStatus()), int(ConfEnded), kWaitMs);
        QVERIFY(!dlg()->isCompactMode());
        QVERIFY(!dlg()->findChild<CompactWidget *>());
        QTRY_VERIFY_WITH_TIMEOUT(dlg()->isHidden(), kWaitMs);
    }

    // In the audio-only layout the minimise button minimises.
    void minimiseInAudioOnlyLayout()
    {
        join("1004");
        QTRY_COMPARE_WITH_TIMEOUT(int(dlg()->layoutDlg()->getLayoutMode()), int(LayoutMode_AudioOnly), kWaitMs);
        dlg()->slotOnWinMin();
        QVERIFY(!dlg()->isCompactMode());
        QTRY_VERIFY_WITH_TIMEOUT(dlg()->isMinimized(), kWaitMs);
        dlg()->showNormal();
    }

    // Compact mode finds a screen even when the cursor is on none.
    void compactScreenFallsBack()
    {
        QCOMPARE(CLayoutBackgroundDlg::resolveCompactScreen(QPoint(-100000, -100000), nullptr),
                 QGuiApplication::primaryScreen());
        QWidget onScreen;
        onScreen.setGeometry(QGuiApplication::primaryScreen()->geometry().adjusted(10, 10, -10, -10));
        QCOMPARE(CLayoutBackgroundDlg::resolveCompactScreen(QPoint(-100000, -100000), &onScreen),
                 QGuiApplication::primaryScreen());
    }

    // A language switch mid-call keeps the meeting number in the title.
    void languageSwitchKeepsTheNumber()
    {
        join("1001");
        const QString number = child<QLabel>("m_pLblConfNumber")->text();
        QVERIFY(!number.isEmpty());
        dlg()->slotOnLanguageChanged();
        QCOMPARE(child<QLabel>("m_pLblConfNumber")->text(), number);
    }

    // Closing the window hangs up and reports it for the orderly exit.
    void closeHangsUp()
    {
        join("1001");
        // The manager would end the test process; only the signal matters here.
        QObject::disconnect(dlg(), &CLayoutBackgroundDlg::sigClose, CMainDlgManager::getInstance(), nullptr);
        QSignalSpy closed(dlg(), &CLayoutBackgroundDlg::sigClose);
        dlg()->close();
        QCOMPARE(closed.count(), 1);
        QVERIFY(journalOps({"hangUp"}).contains(QStringLiteral("hangUp")));
    }
};

GLIMORA_TEST_MAIN(TestCallWindow)
#include "tst_callwindow.moc"
