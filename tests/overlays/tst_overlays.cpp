// The in-call overlays and small windows: the incoming-call overlay answering
// or declining a call of the simulated engine, the waiting overlay following
// the queue of meeting 1003, the compact bar and the audio-only panel, the
// received-content window and the prompt label, and the media statistics
// filled from the engine while connected.

#include "support/SignInServer.h"
#include "support/TestMain.h"
#include "support/StandInRingtone.h"
#include "support/TestFiles.h"

#include "engine/RJTypes.h"
#include "helpers/CUserConfigUtils.h"
#include "models/CCallController.h"
#include "models/CLinguist.h"
#include "models/CLoginManager.h"
#include "models/CRJSdkManager.h"
#include "rjsim_control.h"
#include "views/incall/CAudioModeWidget.h"
#include "views/incall/CMediaStatisticsDlg.h"
#include "views/incall/CPromptWidget.h"
#include "views/incall/CRemoteContentDlg.h"
#include "views/incall/CallInviteWidget.h"
#include "views/incall/CallWaitingWidget.h"
#include "views/incall/CompactWidget.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTcpServer>
#include <QTimer>
#include <QToolButton>
#include <qpa/qwindowsysteminterface.h>

#include <memory>

Q_DECLARE_METATYPE(rj::engine::RJStreamStats)

using rj_app::helpers::CUserConfigUtils;
using rj_app::models::CCallController;
using rj_app::models::CLinguist;
using rj_app::models::CLoginManager;
using rj_app::models::CRJSdkManager;
using rj_app::views::CallInviteWidget;
using rj_app::views::CallWaitingWidget;
using rj_app::views::CAudioModeWidget;
using rj_app::views::CMediaStatisticsDlg;
using rj_app::views::CompactWidget;
using rj_app::views::CPromptWidget;
using rj_app::views::CRemoteContentDlg;
using namespace rj_app::enums;

namespace {

constexpr int kWaitMs = 15000;

void setScreenDpi(qreal dpi)
{
    QWindowSystemInterface::handleScreenLogicalDotsPerInchChange(QGuiApplication::primaryScreen(), dpi, dpi);
    QWindowSystemInterface::flushWindowSystemEvents();
}

template <typename T>
T *child(QWidget *w, const char *name)
{
    T *c = w->findChild<T *>(QLatin1String(name));
    if (!c)
        qWarning() << "no child" << name << "in" << w;
    return c;
}

// The icon shows the picture of `path`: same size on file, same pixels.
bool showsPicture(const QIcon &icon, const QString &path)
{
    const QIcon expected(path);
    if (expected.availableSizes().isEmpty() || icon.availableSizes() != expected.availableSizes())
        return false;
    const QSize size = expected.availableSizes().first();
    return icon.pixmap(size).toImage() == expected.pixmap(size).toImage();
}

QString sheetWithoutSpaces(const QWidget *w)
{
    QString s = w->styleSheet();
    s.remove(QLatin1Char(' '));
    return s;
}

rj::engine::RJStreamStats stream(rj::engine::RJ_STREAM_TYPE type, int direction, int width = 0,
                                 int height = 0)
{
    rj::engine::RJStreamStats s;
    s.streamType = type;
    s.direction = direction;
    s.codec = "H.264";
    s.width = width;
    s.height = height;
    return s;
}

// What the call window does with the two overlays: hands an incoming call to
// the controller and offers it, answers or declines from the offer, and shows
// the meeting and the queue while dialling.
class CallWindowStandIn : public QObject
{
public:
    CallInviteWidget invite;
    CallWaitingWidget waiting;

    CallWindowStandIn()
    {
        auto *call = CCallController::getInstance();
        connect(CRJSdkManager::getInstance(), &CRJSdkManager::eventCallIncoming, this,
                [this, call](rj::engine::RJCallInfo info) {
                    call->onCallIncoming(info);
                    waiting.hide();
                    invite.show();
                    // Engine texts are UTF-8.
                    invite.onSetMeetingNumber(QString::fromStdString(info.peer));
                    invite.setIsAudioOnlyCall(info.isAudioOnly);
                });
        connect(&invite, &CallInviteWidget::sigAcceptCall, this,
                [call](bool audioOnly) { call->acceptCall(!audioOnly); });
        connect(&invite, &CallInviteWidget::sigHangUp, this, [this, call]() {
            call->declineCall();
            invite.hide();
            call->hangUp();
        });
        connect(&waiting, &CallWaitingWidget::sigHangUp, this, [call]() { call->hangUp(); });
        connect(call, &CCallController::sigWaitQueue, this,
                [this](int n) { waiting.onSetPeopleNumber(QString::number(n)); });
        connect(call, &CCallController::sigCallStatusChanged, this, [this, call](CallStatus status) {
            if (status == ConfDialing) {
                waiting.onSetMeetingNumber(call->getDisplayConfName());
                waiting.show();
            } else if (status == ConfConnected || status == ConfEnded || status == Idle) {
                invite.hide();
                waiting.onSetPeopleNumber(QString());
                waiting.hide();
            }
        });
    }
};

} // namespace

class TestOverlays : public QObject
{
    Q_OBJECT

    glimora::test::SignInServer m_server; // stands for the management server the engine probes at login

    CCallController *c() { return CCallController::getInstance(); }
    CRJSdkManager *sdk() { return CRJSdkManager::getInstance(); }
    CLoginManager *login() { return CLoginManager::getInstance(); }

    void endCall()
    {
        if (CCallController::isInCall(c()->getCallStatus())) {
            if (!c()->hangUp())
                c()->declineCall();
            QTRY_COMPARE_WITH_TIMEOUT(int(c()->getCallStatus()), int(ConfEnded), kWaitMs);
        }
        QCOMPARE(rjsim_wait_idle(kWaitMs), 1);
        QCoreApplication::processEvents();
    }

    void connectTo(const QString &number)
    {
        c()->dialOut(number, QString(), true, QString());
        QTRY_COMPARE_WITH_TIMEOUT(int(c()->getCallStatus()), int(ConfConnected), kWaitMs);
        QCOMPARE(rjsim_wait_idle(kWaitMs), 1);
        QCoreApplication::processEvents();
    }

private slots:
    void initTestCase()
    {
        qputenv("RJSIM_TIME_SCALE", "0");
        CUserConfigUtils::initInstance(QCoreApplication::applicationFilePath().toLocal8Bit().constData());
        QVERIFY(glimora::test::useStandInRingtone());
        QVERIFY(m_server.listen(QHostAddress::LocalHost));

        login()->initRJSdkManagerInstance();
        login()->initialize();
        QVERIFY(sdk());
        CUserConfigUtils::getInstance()->setUseHttps(false);
        QVERIFY(login()->login(QStringLiteral("127.0.0.1"), false, m_server.serverPort(),
                               QStringLiteral("alice"), QStringLiteral("Alice123")));
        QTRY_COMPARE_WITH_TIMEOUT(int(login()->m_loginStatus), int(LoggedIn), kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(login()->getRegisterInfo().state, 1, kWaitMs);
    }

    void init()
    {
        endCall();
        rjsim_clear_result(nullptr);
        rjsim_clear_journal();
    }

    void cleanup()
    {
        setScreenDpi(96);
        endCall();
    }

    void cleanupTestCase()
    {
        endCall();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        CRJSdkManager::releaseInstance();
    }

    // ------------------------------------------------ incoming-call overlay

    // The offer shows the caller and the buttons the call allows; the button
    // pressed reaches the engine as accept with or without video, or as
    // decline followed by hang-up.
    void incomingCall_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("videoOffered");
        QTest::addColumn<QString>("accepted"); // enable_video in the journal; empty: declined
        QTest::newRow("video call, accept with audio") << "incoming Carol Wu 8001" << "m_pBtnAudioAccept" << true << "0";
        QTest::newRow("video call, accept with video") << "incoming Carol Wu 8001" << "m_pBtnVideoAccept" << true << "1";
        QTest::newRow("video call, decline") << "incoming Carol Wu 8001" << "m_pBtnHangup" << true << "";
        QTest::newRow("caller name not in ASCII")
            << QString::fromUtf8("incoming Zoë Ångström 8001") << "m_pBtnVideoAccept" << true << "1";
        QTest::newRow("caller name in Chinese")
            << QString::fromUtf8("incoming 陈 晓明 8001") << "m_pBtnHangup" << true << "";
        QTest::newRow("audio-only call, accept") << "incoming Erin Park 8003 audio" << "m_pBtnAudioAccept" << false << "0";
        QTest::newRow("audio-only call, decline") << "incoming Erin Park 8003 audio" << "m_pBtnHangup" << false << "";
    }
    void incomingCall()
    {
        QFETCH(QString, command);
        QFETCH(QString, button);
        QFETCH(bool, videoOffered);
        QFETCH(QString, accepted);

        CallWindowStandIn window;
        QSignalSpy accepts(&window.invite, &CallInviteWidget::sigAcceptCall);
        QSignalSpy hangUps(&window.invite, &CallInviteWidget::sigHangUp);

        QCOMPARE(rjsim_command(command.toUtf8().constData()), 0);
        QTRY_VERIFY_WITH_TIMEOUT(window.invite.isVisible(), kWaitMs);
        QCOMPARE(int(c()->getCallStatus()), int(ConfIncoming));
        QVERIFY(QTest::qWaitForWindowExposed(&window.invite));

        const QString peer = command.section(QLatin1Char(' '), 1, 2);
        QCOMPARE(child<QLabel>(&window.invite, "confNumber")->text(), peer);
        QVERIFY(child<QPushButton>(&window.invite, "m_pBtnAudioAccept")->isVisible());
        QVERIFY(child<QPushButton>(&window.invite, "m_pBtnHangup")->isVisible());
        QCOMPARE(child<QPushButton>(&window.invite, "m_pBtnVideoAccept")->isVisible(), videoOffered);
        QCOMPARE(child<QLabel>(&window.invite, "inviteInfo")->text(), QString());

        QTest::mouseClick(child<QPushButton>(&window.invite, button.toLatin1().constData()), Qt::LeftButton);

        if (!accepted.isEmpty()) {
            QCOMPARE(accepts.count(), 1);
            QCOMPARE(accepts.at(0).at(0).toBool(), accepted == QLatin1String("0"));
            const auto calls = rjsim::journalOf("acceptCall");
            QCOMPARE(int(calls.size()), 1);
            QCOMPARE(QString::fromStdString(calls.at(0).at(1)), accepted);
            QTRY_COMPARE_WITH_TIMEOUT(int(c()->getCallStatus()), int(ConfConnected), kWaitMs);
            QCOMPARE(rjsim_journal_count("declineCall"), 0);
        } else {
            QCOMPARE(hangUps.count(), 1);
            QCOMPARE(rjsim_journal_count("declineCall"), 1);
            QCOMPARE(rjsim_journal_count("acceptCall"), 0);
            // Decline first, then hang up.
            const std::vector<std::string> lines = rjsim::journal();
            int declineAt = -1, hangUpAt = -1;
            for (int i = 0; i < int(lines.size()); ++i) {
                if (lines[i].rfind("declineCall", 0) == 0)
                    declineAt = i;
                if (lines[i].rfind("hangUp", 0) == 0)
                    hangUpAt = i;
            }
            QVERIFY(declineAt >= 0);
            QVERIFY(hangUpAt > declineAt);
            QTRY_COMPARE_WITH_TIMEOUT(int(c()->getCallStatus()), int(ConfEnded), kWaitMs);
        }
        QVERIFY(!window.invite.isVisible());
    }

    // ---------------------------------------------------- waiting overlay

    // Meeting 1003 queues the caller at 3, 2 and 1 before it connects: the
    // overlay shows each place on one line, then nothing.
    void waitingQueueCountsDown()
    {
        CallWindowStandIn window;
        auto *people = child<QLabel>(&window.waiting, "peopleNumber");
        QStringList shown;
        connect(c(), &CCallController::sigWaitQueue, &window, [&shown, people](int) { shown << people->text(); });

        c()->dialOut(QStringLiteral("1003"), QString(), true, QStringLiteral("All hands"));
        QVERIFY(window.waiting.isVisible());
        QCOMPARE(child<QLabel>(&window.waiting, "meetingNumber")->text(), QStringLiteral("All hands"));
        QTRY_COMPARE_WITH_TIMEOUT(int(c()->getCallStatus()), int(ConfConnected), kWaitMs);

        QCOMPARE(shown, (QStringList{QStringLiteral("Waiting...# 3 now"), QStringLiteral("Waiting...# 2 now"),
                                     QStringLiteral("Waiting...# 1 now")}));
        QCOMPARE(people->text(), QString());
        QVERIFY(!window.waiting.isVisible());
    }

    void waitingPeopleText_data()
    {
        QTest::addColumn<QString>("position");
        QTest::addColumn<QString>("text");
        QTest::newRow("position") << "3" << "Waiting...# 3 now";
        QTest::newRow("two digits") << "12" << "Waiting...# 12 now";
        QTest::newRow("cleared") << "" << "";
    }
    void waitingPeopleText()
    {
        QFETCH(QString, position);
        QFETCH(QString, text);
        CallWaitingWidget waiting;
        waiting.onSetPeopleNumber(QStringLiteral("7"));
        waiting.onSetPeopleNumber(position);
        QCOMPARE(child<QLabel>(&waiting, "peopleNumber")->text(), text);
    }

    // The overlay's hang-up reaches the engine through the call window. At
    // full speed a dial is over at once, so the overlay is put up over a
    // running call.
    void waitingHangUpReachesEngine()
    {
        CallWindowStandIn window;
        connectTo(QStringLiteral("8201001"));
        rjsim_clear_journal();
        window.waiting.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window.waiting));
        QTest::mouseClick(child<QPushButton>(&window.waiting, "m_pBtnHangup"), Qt::LeftButton);
        QCOMPARE(rjsim_journal_count("hangUp"), 1);
        QTRY_COMPARE_WITH_TIMEOUT(int(c()->getCallStatus()), int(ConfEnded), kWaitMs);
        QVERIFY(!window.waiting.isVisible());
    }

    // Both overlays follow the screen's scale: texts, buttons and picture.
    void overlaysPerScale_data()
    {
        QTest::addColumn<qreal>("dpi");
        QTest::addColumn<double>("scale");
        QTest::newRow("1") << qreal(96) << 1.0;
        QTest::newRow("1.5") << qreal(144) << 1.5;
        QTest::newRow("2") << qreal(192) << 2.0;
    }
    void overlaysPerScale()
    {
        QFETCH(qreal, dpi);
        QFETCH(double, scale);
        setScreenDpi(dpi);
        auto px = [scale](int size) { return int(size * scale); };

        CallWaitingWidget waiting;
        waiting.show();
        QCOMPARE(child<QLabel>(&waiting, "meetingNumber")->font().pixelSize(), px(60));
        QCOMPARE(child<QLabel>(&waiting, "peopleNumber")->font().pixelSize(), px(40));
        QCOMPARE(child<QLabel>(&waiting, "meetingNumber")->height(), px(120));
        QCOMPARE(child<QPushButton>(&waiting, "m_pBtnHangup")->size(), QSize(px(100), px(100)));

        CallInviteWidget invite;
        invite.show();
        auto *number = child<QLabel>(&invite, "confNumber");
        number->ensurePolished();
        QCOMPARE(number->font().pixelSize(), px(60));
        QCOMPARE(child<QLabel>(&invite, "inviteInfo")->font().pixelSize(), px(30));
        QCOMPARE(child<QPushButton>(&invite, "m_pBtnVideoAccept")->size(), QSize(px(120), px(120)));
        auto *head = child<QLabel>(&invite, "headImg");
        QCOMPARE(head->size(), QSize(px(120), px(120)));
        const QPixmap headPicture = head->pixmap(Qt::ReturnByValue);
        QVERIFY(!headPicture.isNull());
        QCOMPARE(headPicture.size(), head->size());
        // Round picture: the corners are cut away.
        const QImage picture = headPicture.toImage();
        QCOMPARE(qAlpha(picture.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(picture.pixel(picture.width() / 2, picture.height() / 2)), 255);
        // The overlays are sized by the call window, not fixed by their scale.
        invite.resize(px(900), px(700));
        waiting.resize(px(900), px(700));
        QCOMPARE(invite.size(), QSize(px(900), px(700)));
        QCOMPARE(waiting.size(), QSize(px(900), px(700)));
    }

    // ------------------------------------------------------- compact bar

    void compactBarMicAndCamera()
    {
        CompactWidget bar;
        QSignalSpy mins(&bar, &CompactWidget::sigMin);
        QSignalSpy recovers(&bar, &CompactWidget::sigRecover);
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        auto *mute = child<QToolButton>(&bar, "m_pBtnMute");
        auto *camera = child<QToolButton>(&bar, "m_pBtnCamera");
        const QString unmuted = QStringLiteral(":/resources/images/layout-operationbar/icon_unmute.png");
        const QString muted = QStringLiteral(":/resources/images/layout-operationbar/icon_mute.png");

        const bool micAtStart = sdk()->micEnabled();
        QVERIFY(showsPicture(mute->icon(), micAtStart ? unmuted : muted));
        QTest::mouseClick(mute, Qt::LeftButton);
        QCOMPARE(sdk()->micEnabled(), !micAtStart);
        QVERIFY(showsPicture(mute->icon(), micAtStart ? muted : unmuted));
        QTest::mouseClick(mute, Qt::LeftButton);
        QCOMPARE(sdk()->micEnabled(), micAtStart);
        QVERIFY(showsPicture(mute->icon(), micAtStart ? unmuted : muted));

        // Muted by the conference: the engine tells, the icon follows; a
        // click that the engine refuses leaves the icon on the true state.
        QVERIFY(micAtStart);
        QCOMPARE(rjsim_command("mic-muted 1"), 0);
        QTRY_VERIFY_WITH_TIMEOUT(showsPicture(mute->icon(), muted), kWaitMs);
        QTest::mouseClick(mute, Qt::LeftButton);
        QVERIFY(!sdk()->micEnabled());
        QVERIFY(showsPicture(mute->icon(), muted));
        QCOMPARE(rjsim_command("mic-muted 0"), 0);
        QTRY_VERIFY_WITH_TIMEOUT(showsPicture(mute->icon(), unmuted), kWaitMs);

        const bool cameraAtStart = sdk()->cameraEnabled();
        const QString resumed = QStringLiteral(":/resources/images/layout-operationbar/icon_resume-camera.png");
        const QString suspended = QStringLiteral(":/resources/images/layout-operationbar/icon_suspend-camera.png");
        QVERIFY(showsPicture(camera->icon(), cameraAtStart ? resumed : suspended));
        QTest::mouseClick(camera, Qt::LeftButton);
        QCOMPARE(sdk()->cameraEnabled(), !cameraAtStart);
        QVERIFY(showsPicture(camera->icon(), cameraAtStart ? suspended : resumed));
        QTest::mouseClick(camera, Qt::LeftButton);
        QCOMPARE(sdk()->cameraEnabled(), cameraAtStart);

        QTest::mouseClick(child<QToolButton>(&bar, "m_pBtnWinMin"), Qt::LeftButton);
        QTest::mouseClick(child<QToolButton>(&bar, "m_pBtnRecover"), Qt::LeftButton);
        QCOMPARE(mins.count(), 1);
        QCOMPARE(recovers.count(), 1);
    }

    // The call window gives the bar its scale: pictures of that scale, the
    // icon size stays 56 x 56; unknown scales use the pictures of 1.
    void compactBarPerScale_data()
    {
        QTest::addColumn<double>("scale");
        QTest::addColumn<QString>("operationSuffix");
        QTest::addColumn<QString>("titleSuffix");
        QTest::newRow("1") << 1.0 << ".png" << "_1x.png";
        QTest::newRow("1.25") << 1.25 << ".png" << "_1x.png";
        QTest::newRow("1.5") << 1.5 << "@1.5x.png" << "_1.5x.png";
        QTest::newRow("2") << 2.0 << "@2x.png" << "_2x.png";
    }
    void compactBarPerScale()
    {
        QFETCH(double, scale);
        QFETCH(QString, operationSuffix);
        QFETCH(QString, titleSuffix);
        CompactWidget bar;
        bar.show();
        bar.onDpiUpdate(scale);
        const QString op = QStringLiteral(":/resources/images/layout-operationbar/");
        const QString title = QStringLiteral(":/resources/images/window-title-bar/");
        const QString mic = sdk()->micEnabled() ? QStringLiteral("icon_unmute") : QStringLiteral("icon_mute");
        QVERIFY(showsPicture(child<QToolButton>(&bar, "m_pBtnMute")->icon(), op + mic + operationSuffix));
        QVERIFY(showsPicture(child<QToolButton>(&bar, "m_pBtnWinMin")->icon(), title + "icon_mini" + titleSuffix));
        QVERIFY(showsPicture(child<QToolButton>(&bar, "m_pBtnRecover")->icon(),
                             title + "icon_restored" + titleSuffix));
        for (const char *name : {"m_pBtnWinMin", "m_pBtnMute", "m_pBtnCamera", "m_pBtnRecover"}) {
            auto *b = child<QToolButton>(&bar, name);
            QCOMPARE(b->iconSize(), QSize(56, 56));
            QCOMPARE(b->size(), QSize(int(40 * scale), int(40 * scale)));
        }
        // A scale that is no scale changes nothing.
        bar.onDpiUpdate(0);
        QCOMPARE(child<QToolButton>(&bar, "m_pBtnMute")->size(), QSize(int(40 * scale), int(40 * scale)));
    }

    // -------------------------------------------------- audio-only panel

    void audioPanel()
    {
        CAudioModeWidget panel;
        int moves = 0, presses = 0;
        connect(&panel, &CAudioModeWidget::sigMouseMove, &panel, [&moves](QMouseEvent *) { ++moves; });
        connect(&panel, &CAudioModeWidget::sigMousePress, &panel, [&presses](QMouseEvent *) { ++presses; });
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        auto *bg = child<QWidget>(&panel, "m_pWgtBg");
        auto *status = child<QWidget>(&panel, "m_pWgtAudioStatus");

        // A move over the inner background reaches the owner.
        const QPoint at(bg->width() / 3, bg->height() / 3);
        QMouseEvent move(QEvent::MouseMove, at, bg->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(bg, &move);
        QVERIFY(moves >= 1);
        QTest::mousePress(bg, Qt::LeftButton, Qt::NoModifier, at);
        QCOMPARE(presses, 1);
        QTest::mouseRelease(bg, Qt::LeftButton, Qt::NoModifier, at);

        panel.setMicEnabled(false);
        QVERIFY(sheetWithoutSpaces(status).contains(QStringLiteral("audio_mute-1x.png")));
        panel.setMicEnabled(true);
        QVERIFY(sheetWithoutSpaces(status).contains(QStringLiteral("audio_unmute-1x.png")));
        QVERIFY(QFile::exists(QStringLiteral(":/resources/images/audio_mute-1x.png")));
        QVERIFY(QFile::exists(QStringLiteral(":/resources/images/audio_unmute-1x.png")));

        // The layout dialog sizes the panel to itself after it was scaled.
        panel.resize(900, 500);
        QCOMPARE(panel.size(), QSize(900, 500));
        QVERIFY(status->width() >= 180 && status->height() >= 180);
    }

    // ------------------------------------------- received-content window

    void remoteContentWindowStates_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("shown"); // of max, restore, full screen, exit full screen
        QTest::newRow("maximise") << "m_pBtnMax" << int(Qt::WindowMaximized) << "restore fullscreen";
        QTest::newRow("full screen") << "m_pBtnFullScreen" << int(Qt::WindowFullScreen) << "exit";
    }
    void remoteContentWindowStates()
    {
        QFETCH(QString, button);
        QFETCH(int, state);
        QFETCH(QString, shown);
        CRemoteContentDlg dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        auto visible = [&dlg](const char *name) { return !child<QPushButton>(&dlg, name)->isHidden(); };
        QVERIFY(!visible("m_pBtnMin"));
        QVERIFY(visible("m_pBtnMax") && !visible("m_pBtnRestore"));
        QVERIFY(visible("m_pBtnFullScreen") && !visible("m_pBtnExitFullScreen"));

        QTest::mouseClick(child<QPushButton>(&dlg, button.toLatin1().constData()), Qt::LeftButton);
        QCOMPARE(int(dlg.windowState()), state);
        const QStringList on = shown.split(QLatin1Char(' '));
        QCOMPARE(visible("m_pBtnMax"), false);
        QCOMPARE(visible("m_pBtnRestore"), on.contains(QStringLiteral("restore")));
        QCOMPARE(visible("m_pBtnFullScreen"), on.contains(QStringLiteral("fullscreen")));
        QCOMPARE(visible("m_pBtnExitFullScreen"), on.contains(QStringLiteral("exit")));
        QVERIFY(!visible("m_pBtnMin"));

        // Back to normal from either.
        const char *back = state == Qt::WindowMaximized ? "m_pBtnRestore" : "m_pBtnExitFullScreen";
        QTest::mouseClick(child<QPushButton>(&dlg, back), Qt::LeftButton);
        QCOMPARE(int(dlg.windowState()), int(Qt::WindowNoState));
        QVERIFY(visible("m_pBtnMax") && !visible("m_pBtnRestore"));
        QVERIFY(visible("m_pBtnFullScreen") && !visible("m_pBtnExitFullScreen"));
    }

    void remoteContentTitle()
    {
        CRemoteContentDlg dlg;
        QCOMPARE(dlg.windowFlags() & (Qt::Dialog | Qt::FramelessWindowHint),
                 Qt::WindowFlags(Qt::Dialog | Qt::FramelessWindowHint));
        QCOMPARE(dlg.windowTitle(), QStringLiteral("PRODUCT_NAME")); // no translation loaded here
        QCOMPARE(dlg.dragAreaHeight, 40);
        dlg.setTitle(QStringLiteral("Dave Li's screen"));
        QCOMPARE(child<QLabel>(&dlg, "m_pLblTitle")->text(), QStringLiteral("Dave Li's screen"));
        QVERIFY(dlg.getContentWindowId() != 0);

        // A language switch empties the form's texts but keeps the title it was given.
        emit CLinguist::getInstance()->sigLanguageChanged();
        QCOMPARE(dlg.windowTitle(), QString());
        QCOMPARE(child<QLabel>(&dlg, "m_pLblTitle")->text(), QStringLiteral("Dave Li's screen"));
    }

    // ------------------------------------------------------ prompt label

    void promptShowsForItsTime()
    {
        QWidget surface;
        surface.setGeometry(100, 120, 640, 360);
        surface.show();
        QVERIFY(QTest::qWaitForWindowExposed(&surface));
        CPromptWidget prompt;
        prompt.setParent(&surface, Qt::SplashScreen | Qt::FramelessWindowHint);
        auto *text = child<QLabel>(&prompt, "m_text");

        prompt.showPrompt(QStringLiteral("Recording started"), 60000);
        QVERIFY(prompt.isVisible());
        QVERIFY(prompt.isShowing());
        QCOMPARE(text->text(), QStringLiteral("Recording started"));
        QCOMPARE(prompt.hideTimer()->interval(), 60000);
        QVERIFY(prompt.hideTimer()->isActive());
        QCOMPARE(text->font().pointSize(), 14);
        QCOMPARE(prompt.width(), text->width() + 30);
        QCOMPARE(prompt.height(), 50);
        // Centred horizontally, 80 % down the surface, in screen coordinates.
        const QPoint origin = surface.mapToGlobal(QPoint(0, 0));
        QCOMPARE(prompt.x(), origin.x() + (surface.width() - prompt.width()) / 2);
        QCOMPARE(prompt.y(), origin.y() + int(0.8 * (surface.height() - prompt.height())));
        QCOMPARE(text->x(), (prompt.width() - text->width()) / 2);
        QCOMPARE(text->y(), (prompt.height() - text->height()) / 2);

        // A second prompt replaces the text and runs for its own time.
        prompt.showPrompt(QStringLiteral("Muted"), 300);
        QCOMPARE(text->text(), QStringLiteral("Muted"));
        QCOMPARE(prompt.hideTimer()->interval(), 300);
        QTRY_VERIFY_WITH_TIMEOUT(!prompt.isVisible(), kWaitMs);
        QVERIFY(!prompt.isShowing());
        QVERIFY(!prompt.hideTimer()->isActive());

        // The later prompt restarts the time: the earlier, shorter one would
        // have hidden it long before this deadline passes.
        prompt.showPrompt(QStringLiteral("first"), 100);
        prompt.showPrompt(QStringLiteral("second"), 60000);
        bool deadline = false;
        QTimer::singleShot(400, &prompt, [&deadline]() { deadline = true; });
        QTRY_VERIFY_WITH_TIMEOUT(deadline, kWaitMs);
        QVERIFY(prompt.isVisible());
        QCOMPARE(text->text(), QStringLiteral("second"));

        // Surfaces move: the prompt follows when told.
        surface.move(300, 200);
        QTRY_COMPARE_WITH_TIMEOUT(surface.mapToGlobal(QPoint(0, 0)).x() != origin.x(), true, kWaitMs);
        prompt.updatePosition();
        QCOMPARE(prompt.x(), surface.mapToGlobal(QPoint(0, 0)).x() + (surface.width() - prompt.width()) / 2);
    }

    void promptOnHiddenSurface()
    {
        QWidget surface;
        surface.setGeometry(100, 120, 640, 360);
        CPromptWidget prompt;
        prompt.setParent(&surface, Qt::SplashScreen | Qt::FramelessWindowHint);

        prompt.showPrompt(QStringLiteral("Hidden"), 60000);
        QVERIFY(!prompt.isVisible());
        QVERIFY(prompt.hideTimer()->isActive());

        // Shown again only while its time runs.
        surface.show();
        prompt.showIfActive();
        QVERIFY(prompt.isVisible());
        prompt.hideIfActive();
        QVERIFY(!prompt.isVisible());
        prompt.showIfActive();
        prompt.slot_Timer();
        QVERIFY(!prompt.isVisible());
        prompt.showIfActive();
        QVERIFY(!prompt.isVisible());
        prompt.hideIfActive();
        QVERIFY(!prompt.isVisible());
    }

    void promptPerScale()
    {
        setScreenDpi(144);
        CPromptWidget prompt; // without a parent: shown where it is
        prompt.showPrompt(QStringLiteral("Network is unstable"), 60000);
        QVERIFY(prompt.isVisible());
        QCOMPARE(prompt.fStretchFactor, 1.5);
        QCOMPARE(prompt.width() - child<QLabel>(&prompt, "m_text")->width(), 45);
        QCOMPARE(prompt.height(), 75);
    }

    // A negative time would never start the timer and leave the prompt up for good.
    void promptNegativeTime()
    {
        CPromptWidget prompt;
        prompt.showPrompt(QStringLiteral("x"), -5);
        QTRY_VERIFY_WITH_TIMEOUT(!prompt.isVisible(), kWaitMs);
        QVERIFY(!prompt.hideTimer()->isActive());
    }

    // ---------------------------------------------------- media statistics

    void statisticsCells_data()
    {
        using namespace rj::engine;
        QTest::addColumn<RJStreamStats>("stream");
        QTest::addColumn<QStringList>("cells");

        RJStreamStats audio = stream(RJ_STREAM_AUDIO, 1);
        audio.codec = "OPUS";
        audio.lineRate = 64;
        audio.actualLineRate = 61.04f;
        audio.packetsLost = 12;
        audio.packetLossRate = 0.5f;
        QTest::newRow("audio in") << audio
                                  << QStringList{"Audio In", "OPUS", "64", "61.0", "-", "-", "12(0.5%)", "Not encrypted"};

        RJStreamStats video = stream(RJ_STREAM_VIDEO, 0, 1280, 720);
        video.lineRate = 1024;
        video.actualLineRate = 997.46f;
        video.frameRate = 24.2f;
        video.encrypted = true;
        QTest::newRow("video out 720p") << video
                                        << QStringList{"Video Out", "H.264", "1024", "997.5", "720p", "25", "0(0.0%)", "Encrypted"};

        RJStreamStats odd = stream(RJ_STREAM_CONTENT, 1, 1366, 768);
        odd.lineRate = 1536.25f;
        odd.frameRate = 5;
        QTest::newRow("content in, other size") << odd
                                                << QStringList{"Content In", "H.264", "1536.25", "0.0", "1366x768", "5", "0(0.0%)", "Not encrypted"};

        const QList<QPair<QSize, QString>> named{{{160, 90}, "90p"}, {{320, 180}, "180p"}, {{640, 360}, "360p"}, {{1920, 1080}, "1080p"}};
        for (const auto &n : named) {
            QTest::addRow("whiteboard %s", qPrintable(n.second))
                << stream(RJ_STREAM_WHITEBOARD, 2, n.first.width(), n.first.height())
                << QStringList{"White Board Out", "H.264", "0", "0.0", n.second, "0", "0(0.0%)", "Not encrypted"};
        }
        QTest::newRow("unknown type") << stream(RJ_STREAM_DATA, 1, 0, 0)
                                      << QStringList{"-", "H.264", "0", "0.0", "0x0", "0", "0(0.0%)", "Not encrypted"};
    }
    void statisticsCells()
    {
        QFETCH(rj::engine::RJStreamStats, stream);
        QFETCH(QStringList, cells);
        QCOMPARE(CMediaStatisticsDlg::rowTexts(stream), cells);
    }

    // Rows from the engine while connected, refreshed on the injected
    // interval while shown; hiding stops the refresh and empties the rows,
    // showing refreshes at once.
    void statisticsFromEngine()
    {
        connectTo(QStringLiteral("8201001"));
        rj::engine::RJStats expected;
        QVERIFY(sdk()->getStats(expected));
        QVERIFY(expected.count >= 3);

        CMediaStatisticsDlg dlg;
        dlg.setRefreshIntervalMs(20);
        QVERIFY(!dlg.isRefreshing());
        rjsim_clear_journal();
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        auto *table = child<QTableWidget>(&dlg, "m_pTableWgtStatistics");
        QCOMPARE(table->rowCount(), expected.count);
        for (int row = 0; row < expected.count; ++row) {
            const QStringList cells = CMediaStatisticsDlg::rowTexts(expected.streams[row]);
            QCOMPARE(table->item(row, 0)->text(), cells.at(0));
            QCOMPARE(table->item(row, 1)->text(), cells.at(1));
            QCOMPARE(table->item(row, 4)->text(), cells.at(4));
            QCOMPARE(table->item(row, 0)->textAlignment(), int(Qt::AlignCenter));
            QCOMPARE(table->item(row, 3)->textAlignment(), int(Qt::AlignLeft | Qt::AlignVCenter));
        }
        QCOMPARE(table->item(0, 0)->text(), QStringLiteral("Audio In"));
        QCOMPARE(dlg.height(), 28 + 38 + expected.count * 37);
        QVERIFY(dlg.isRefreshing());
        const int atShow = rjsim_journal_count("getStats");
        QTRY_VERIFY_WITH_TIMEOUT(rjsim_journal_count("getStats") >= atShow + 3, kWaitMs);

        // The close button hides without telling the owner.
        QSignalSpy closes(&dlg, &CMediaStatisticsDlg::sigClose);
        QTest::mouseClick(child<QPushButton>(&dlg, "m_pBtnClose"), Qt::LeftButton);
        QVERIFY(!dlg.isVisible());
        QVERIFY(!dlg.isRefreshing());
        QCOMPARE(closes.count(), 0);
        QCOMPARE(table->rowCount(), expected.count);
        QVERIFY(!table->item(0, 0));
        const int atHide = rjsim_journal_count("getStats");
        QCoreApplication::processEvents();
        QCOMPARE(rjsim_journal_count("getStats"), atHide);

        dlg.show();
        QVERIFY(table->item(0, 0));
        QVERIFY(dlg.isRefreshing());

        // A close request from the window system hides it and tells the owner.
        QVERIFY(dlg.close());
        QCOMPARE(closes.count(), 1);
        QVERIFY(!dlg.isVisible());
        QVERIFY(!dlg.isRefreshing());

        // After the call the engine reports no streams: an empty table.
        endCall();
        dlg.show();
        QCOMPARE(table->rowCount(), 0);
        QCOMPARE(dlg.height(), 28 + 38);
    }

    // At most 12 rows are visible without scrolling; a count beyond the
    // engine's array is read as the array, never past it; a failed read
    // leaves the table as it was.
    void statisticsRowCount_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("rows");
        QTest::newRow("none") << 0 << 0;
        QTest::newRow("twelve") << 12 << 12;
        QTest::newRow("twenty") << 20 << 20;
        QTest::newRow("beyond the array") << 1000 << rj::engine::RJ_MAX_STREAM_STATS;
        QTest::newRow("negative") << -3 << 0;
    }
    void statisticsRowCount()
    {
        QFETCH(int, count);
        QFETCH(int, rows);
        bool succeed = true;
        CMediaStatisticsDlg dlg;
        dlg.setStatsSource([&](rj::engine::RJStats &stats) {
            stats.count = count;
            for (auto &s : stats.streams)
                s = stream(rj::engine::RJ_STREAM_VIDEO, 1, 640, 360);
            return succeed;
        });
        dlg.show();
        auto *table = child<QTableWidget>(&dlg, "m_pTableWgtStatistics");
        QCOMPARE(table->rowCount(), rows);
        QCOMPARE(dlg.height(), 28 + 38 + qMin(rows, 12) * 37);
        if (rows > 0)
            QCOMPARE(table->item(rows - 1, 4)->text(), QStringLiteral("360p"));

        succeed = false;
        count = 1;
        dlg.slotOnTimerRefreshStatisticsStats();
        QCOMPARE(table->rowCount(), rows);
    }

    void statisticsPerScale_data()
    {
        QTest::addColumn<qreal>("dpi");
        QTest::addColumn<int>("headerPx");
        QTest::addColumn<int>("column0");
        QTest::addColumn<int>("column6");
        QTest::newRow("1") << qreal(96) << 13 << 141 << 127;
        QTest::newRow("1.5") << qreal(144) << 19 << 211 << 190;
        QTest::newRow("2") << qreal(192) << 26 << 282 << 254;
    }
    void statisticsPerScale()
    {
        QFETCH(qreal, dpi);
        QFETCH(int, headerPx);
        QFETCH(int, column0);
        QFETCH(int, column6);
        setScreenDpi(dpi);
        CMediaStatisticsDlg dlg;
        dlg.setStatsSource([](rj::engine::RJStats &stats) {
            stats.count = 2;
            return true;
        });
        dlg.show();
        auto *table = child<QTableWidget>(&dlg, "m_pTableWgtStatistics");
        const double s = dlg.fStretchFactor;
        QCOMPARE(table->horizontalHeaderItem(0)->font().pixelSize(), headerPx);
        QVERIFY(table->horizontalHeaderItem(3)->font().bold());
        QCOMPARE(table->columnWidth(0), column0);
        QCOMPARE(table->columnWidth(6), column6);
        QCOMPARE(table->horizontalHeader()->sectionResizeMode(7), QHeaderView::Stretch);
        QCOMPARE(table->horizontalHeaderItem(2)->text(), QStringLiteral("Line Rate\n(kbps)"));
        QCOMPARE(table->rowHeight(0), int(36 * s));
        QCOMPARE(dlg.height(), int(int(28 * s + 38 * s) + 2 * 37 * s));
        QCOMPARE(dlg.width(), int(950 * s));
        QCOMPARE(child<QLabel>(&dlg, "m_pLblTitle")->font().pixelSize(), int(12 * s));
        QCOMPARE(dlg.dragAreaHeight, int(28 * s));
    }
};

GLIMORA_TEST_MAIN(TestOverlays)
#include "tst_overlays.moc"
