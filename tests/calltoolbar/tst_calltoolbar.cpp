// The call toolbar against the simulated engine: the microphone and camera
// switches with the engine's refusals, the hang-up question, the management
// and attendees buttons, the four popups with their life cycle and hot-plug
// rebuild, the speaker volume both ways, the management button's geometry
// at each scale, the controllability answer that arrives too late, and the
// conference-control window.

#include "support/HttpFixtureServer.h"
#include "support/StandInRingtone.h"
#include "support/EngineJournal.h"
#include "support/FakeWebComponents.h"
#include "support/TestMain.h"

#include "helpers/CUserConfigUtils.h"
#include "models/CCallController.h"
#include "models/CLoginManager.h"
#include "models/CRJSdkManager.h"
#include "rjsim_control.h"
#include "views/framework/AlertDlg.h"
#include "views/incall/CAttendeesButton.h"
#include "views/incall/CConfMngtDlg.h"
#include "views/incall/CContainerSettingsFormWidget.h"
#include "views/incall/CControlVolumeWidget.h"
#include "views/incall/CControllableProbe.h"
#include "views/incall/CLayoutToolbarDlg.h"
#include "views/incall/CMenuMoreWidget.h"
#include "views/incall/CNumberButton.h"
#include "views/incall/CSelectShareContent.h"
#include "views/incall/menuAudioWidget.h"
#include "views/incall/menuVideoWidget.h"
#include "views/meetings/CWebPageHost.h"

#include <QCheckBox>
#include <QCursor>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QSemaphore>
#include <QSignalSpy>
#include <QSlider>
#include <QThreadPool>
#include <QToolButton>
#include <qpa/qwindowsysteminterface.h>

#include <malloc.h>

#include <atomic>
#include <memory>

using glimora::test::HttpFixtureServer;
using rj_app::helpers::CUserConfigUtils;
using rj_app::models::CCallController;
using rj_app::models::CLoginManager;
using rj_app::models::CRJSdkManager;
using rj_app::views::AlertDlg;
using rj_app::views::CConfMngtDlg;
using rj_app::views::CControllableProbe;
using rj_app::views::CControlVolumeWidget;
using rj_app::views::CLayoutToolbarDlg;
using rj_app::views::CMenuMoreWidget;
using rj_app::views::menuAudioWidget;
using rj_app::views::menuVideoWidget;
using namespace rj_app::enums;

using glimora::test::journalOps;

namespace {

constexpr int kWaitMs = 15000;

void setScreenDpi(qreal dpi)
{
    QWindowSystemInterface::handleScreenLogicalDotsPerInchChange(QGuiApplication::primaryScreen(), dpi, dpi);
    QWindowSystemInterface::flushWindowSystemEvents();
}

template <typename T>
T *child(QObject *w, const char *name)
{
    T *c = w->findChild<T *>(QLatin1String(name));
    if (!c)
        qWarning() << "no child" << name << "in" << w;
    return c;
}

QStringList checkTexts(QWidget *popup)
{
    QStringList out;
    for (QCheckBox *box : popup->findChildren<QCheckBox *>())
        out << box->text();
    return out;
}

// The popup the toolbar has open of that kind; null when none.
template <typename T>
T *openPopup(CLayoutToolbarDlg *toolbar)
{
    for (T *p : toolbar->findChildren<T *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (p->isVisible())
            return p;
    }
    return nullptr;
}

void sendMouse(QWidget *w, QEvent::Type type, const QPoint &globalPos, Qt::MouseButton button,
               Qt::MouseButtons buttons)
{
    QMouseEvent event(type, w->mapFromGlobal(globalPos), globalPos, button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &event);
}

void deactivate(QWidget *popup)
{
    QEvent event(QEvent::WindowDeactivate);
    QCoreApplication::sendEvent(popup, &event);
}

// Lets an answer of the controllability probe arrive.
void settleProbe()
{
    QThreadPool::globalInstance()->waitForDone();
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

// A query of the controllability probe that answers when the test says so.
struct HeldQuery
{
    QSemaphore entered;
    QSemaphore release;
    std::atomic<bool> answer{true};

    CControllableProbe::Query query()
    {
        return [this]() {
            entered.release();
            release.acquire();
            return answer.load();
        };
    }
};

} // namespace

class TestCallToolbar : public QObject
{
    Q_OBJECT

    HttpFixtureServer m_server; // the management server; the attendees button asks it

    CCallController *c() { return CCallController::getInstance(); }
    CLoginManager *login() { return CLoginManager::getInstance(); }
    CRJSdkManager *sdk() { return CRJSdkManager::getInstance(); }

    // A toolbar shown as the layout engine shows it.
    std::unique_ptr<CLayoutToolbarDlg> showToolbar()
    {
        auto toolbar = std::make_unique<CLayoutToolbarDlg>(nullptr);
        toolbar->move(100, 800);
        toolbar->resize(1200, 60);
        toolbar->show();
        if (!QTest::qWaitForWindowExposed(toolbar.get()))
            qWarning("toolbar not exposed");
        return toolbar;
    }

    void connectCall(const QString &number = QStringLiteral("1001"))
    {
        c()->dialOut(number, QString(), true, QString());
        QTRY_COMPARE_WITH_TIMEOUT(int(c()->getCallStatus()), int(ConfConnected), kWaitMs);
        QCOMPARE(rjsim_wait_idle(kWaitMs), 1);
        QCoreApplication::processEvents();
    }

    void endCall()
    {
        if (CCallController::isInCall(c()->getCallStatus())) {
            c()->hangUp();
            QTRY_COMPARE_WITH_TIMEOUT(int(c()->getCallStatus()), int(ConfEnded), kWaitMs);
        }
        QCOMPARE(rjsim_wait_idle(kWaitMs), 1);
        QCoreApplication::processEvents();
    }

private slots:
    void initTestCase()
    {
        // Freed memory is overwritten: a late call into a deleted toolbar
        // crashes here instead of passing by luck.
        mallopt(M_PERTURB, 0xa5);
        qputenv("RJSIM_TIME_SCALE", "0");
        glimora::test::useFakeWebPages();
        CUserConfigUtils::initInstance(QCoreApplication::applicationFilePath().toLocal8Bit().constData());
        QVERIFY(glimora::test::useStandInRingtone());
        QVERIFY(m_server.start());
        login()->initRJSdkManagerInstance();
        login()->initialize();
        QVERIFY(sdk());
        CUserConfigUtils::getInstance()->setUseHttps(false);
        QVERIFY(login()->login(QStringLiteral("127.0.0.1"), false, m_server.port(), QStringLiteral("alice"),
                               QStringLiteral("Alice123")));
        QTRY_COMPARE_WITH_TIMEOUT(int(login()->m_loginStatus), int(LoggedIn), kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(login()->getRegisterInfo().state, 1, kWaitMs);
    }

    void init()
    {
        setScreenDpi(96);
        endCall();
        rjsim_clear_result(nullptr);
        rjsim_clear_journal();
        CControllableProbe::setQuery({});
    }

    void cleanup()
    {
        CControllableProbe::setQuery({});
        settleProbe();
        rjsim_clear_result(nullptr);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void cleanupTestCase()
    {
        endCall();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        m_server.stop();
        CRJSdkManager::releaseInstance();
    }

    // ------------------------------------------------ microphone and camera

    // A click asks the engine for the other state; the button then shows
    // what the engine does, so a refused switch leaves the button as it was.
    void deviceSwitch_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("operation");
        QTest::addColumn<bool>("before");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<QString>("textOn");
        QTest::addColumn<QString>("textOff");
        for (bool before : {false, true}) {
            for (bool refused : {false, true}) {
                const QByteArray suffix = QByteArray(before ? " off" : " on") + (refused ? ", refused" : "");
                QTest::newRow(("microphone" + suffix).constData()) << "m_pBtnEnableMic" << "enableMic" << before << refused
                                                     << "Mute" << "Unmute";
                QTest::newRow(("camera" + suffix).constData()) << "m_pBtnEnableCamera" << "enableCamera" << before << refused
                                                 << "Stop Video" << "Enable Video";
            }
        }
    }
    void deviceSwitch()
    {
        QFETCH(QString, button);
        QFETCH(QString, operation);
        QFETCH(bool, before);
        QFETCH(bool, refused);
        QFETCH(QString, textOn);
        QFETCH(QString, textOff);
        const bool mic = operation == QLatin1String("enableMic");
        const auto engineState = [this, mic]() { return mic ? sdk()->micEnabled() : sdk()->cameraEnabled(); };

        mic ? sdk()->enableMic(before) : sdk()->enableCamera(before);
        auto toolbar = showToolbar();
        QSignalSpy micShown(toolbar.get(), &CLayoutToolbarDlg::sigIsLocalMicEnabled);
        toolbar->refreshDeviceButtons();
        auto *b = child<QToolButton>(toolbar.get(), button.toLatin1().constData());
        QCOMPARE(b->isChecked(), before);
        QCOMPARE(b->text(), before ? textOn : textOff);

        rjsim_clear_journal();
        micShown.clear();
        if (refused)
            rjsim_force_result(operation.toLatin1().constData(), 1, 1);
        QTest::mouseClick(b, Qt::LeftButton);

        const bool after = refused ? before : !before;
        QCOMPARE(int(rjsim::journalOf(operation.toStdString()).size()), 1);
        QCOMPARE(rjsim::journalOf(operation.toStdString()).at(0).at(1), std::string(before ? "0" : "1"));
        QCOMPARE(engineState(), after);
        QCOMPARE(b->isChecked(), after);
        QCOMPARE(b->text(), after ? textOn : textOff);
        QCOMPARE(b->styleSheet(), after ? QStringLiteral("color: #fff;") : QStringLiteral("color: #FF4747;"));
        if (mic) {
            QCOMPARE(micShown.count(), 1);
            QCOMPARE(micShown.at(0).at(0).toBool(), after);
            QCOMPARE(toolbar->isMicButtonChecked(), after);
        } else {
            QCOMPARE(micShown.count(), 0);
        }
    }

    // Muted by the host during a call: the button follows at once, and
    // unmuting is refused until the host allows it.
    void hostMuteRefusesUnmute()
    {
        sdk()->enableMic(true);
        auto toolbar = showToolbar();
        connectCall();
        auto *b = child<QToolButton>(toolbar.get(), "m_pBtnEnableMic");
        QVERIFY(b->isChecked());

        QCOMPARE(rjsim_command("mic-muted 1"), 0);
        QTRY_VERIFY_WITH_TIMEOUT(!b->isChecked(), kWaitMs);
        QCOMPARE(b->text(), QStringLiteral("Unmute"));

        toolbar->UnmuteAudio();
        QVERIFY(!sdk()->micEnabled());
        QVERIFY(!b->isChecked());
        QCOMPARE(b->text(), QStringLiteral("Unmute"));

        QCOMPARE(rjsim_command("mic-muted 0"), 0);
        QCOMPARE(rjsim_wait_idle(kWaitMs), 1);
        QCoreApplication::processEvents();
        toolbar->UnmuteAudio();
        QVERIFY(sdk()->micEnabled());
        QVERIFY(b->isChecked());
        endCall();
    }

    // --------------------------------------------------------------- hang-up

    // "Hang Up" asks; a second click shows the same question again; "Leave"
    // hangs up once, stopping a whiteboard this client sends first, but not
    // a screen. "Cancel" leaves the call as it is.
    void hangUp_data()
    {
        QTest::addColumn<QString>("sending");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QStringList>("expected");
        const QStringList hangUp{"hangUp"};
        QTest::newRow("leave") << "" << "m_button1" << hangUp;
        QTest::newRow("leave while sending a whiteboard") << "whiteboard" << "m_button1"
                                                          << QStringList{"stopContent", "hangUp"};
        QTest::newRow("leave while sending a screen") << "screen" << "m_button1" << hangUp;
        QTest::newRow("cancel") << "" << "m_button2" << QStringList();
    }
    void hangUp()
    {
        QFETCH(QString, sending);
        QFETCH(QString, answer);
        QFETCH(QStringList, expected);

        auto toolbar = showToolbar();
        connectCall();
        if (sending == QLatin1String("whiteboard")) {
            QVERIFY(sdk()->enableWhiteBoard(true));
            QVERIFY(sdk()->sendWhiteBoard());
            QTRY_COMPARE_WITH_TIMEOUT(int(c()->getContentStreamStatus()),
                                      int(ContentStreamStatus_SendingWhiteBoardStarted), kWaitMs);
        } else if (sending == QLatin1String("screen")) {
            const auto sources = sdk()->getContentSourceList();
            QVERIFY(!sources.empty());
            QVERIFY(sdk()->setLocalContentSource(sources.front()));
            QVERIFY(sdk()->sendContent());
            QTRY_COMPARE_WITH_TIMEOUT(int(c()->getContentStreamStatus()),
                                      int(ContentStreamStatus_SendingContentStarted), kWaitMs);
        }
        rjsim_clear_journal();

        auto *hangUpButton = child<QPushButton>(toolbar.get(), "m_pBtnHangup");
        QTest::mouseClick(hangUpButton, Qt::LeftButton);
        QPointer<AlertDlg> question = toolbar->findChild<AlertDlg *>();
        QVERIFY(question);
        QVERIFY(question->isVisible());
        QCOMPARE(child<QLabel>(question.data(), "m_alertContent")->text(),
                 QStringLiteral("Are you sure to leave the meeting?"));
        QCOMPARE(child<QPushButton>(question.data(), "m_button1")->text(), QStringLiteral("Leave"));
        QCOMPARE(child<QPushButton>(question.data(), "m_button2")->text(), QStringLiteral("Cancel"));
        QVERIFY(!child<QPushButton>(question.data(), "m_closeBtn")->isVisible());

        toolbar->slotOnBtnHangupClicked(); // a second click
        QCOMPARE(toolbar->findChildren<AlertDlg *>().size(), 1);
        QCOMPARE(toolbar->findChild<AlertDlg *>(), question.data());
        QVERIFY(question->isVisible());

        QTest::mouseClick(child<QPushButton>(question.data(), answer.toLatin1().constData()), Qt::LeftButton);
        QVERIFY(!question || !question->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(question.isNull());
        QCOMPARE(journalOps({"stopContent", "hangUp"}), expected);

        if (expected.isEmpty()) {
            QCOMPARE(int(c()->getCallStatus()), int(ConfConnected));
            // Asked again, the question is new and answers again.
            QTest::mouseClick(hangUpButton, Qt::LeftButton);
            QPointer<AlertDlg> again = toolbar->findChild<AlertDlg *>();
            QVERIFY(again);
            QTest::mouseClick(child<QPushButton>(again.data(), "m_button1"), Qt::LeftButton);
            QCOMPARE(journalOps({"hangUp"}), QStringList{"hangUp"});
        }
        QTRY_COMPARE_WITH_TIMEOUT(int(c()->getCallStatus()), int(ConfEnded), kWaitMs);
    }

    // A call that ends closes an open question unanswered.
    void callEndClosesQuestion()
    {
        auto toolbar = showToolbar();
        connectCall();
        toolbar->slotOnBtnHangupClicked();
        QPointer<AlertDlg> question = toolbar->findChild<AlertDlg *>();
        QVERIFY(question && question->isVisible());
        rjsim_clear_journal();
        QCOMPARE(rjsim_command("remote-end 0"), 0);
        QTRY_COMPARE_WITH_TIMEOUT(int(c()->getCallStatus()), int(ConfEnded), kWaitMs);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(question.isNull());
        QCOMPARE(journalOps({"hangUp"}), QStringList());
    }

    // ---------------------------------------------- management or attendees

    // The management button shows exactly when the conference is
    // controllable from here; the attendees button only on a server of the
    // client's own after a real login, and not beside the management button.
    void managementOrAttendees_data()
    {
        QTest::addColumn<QString>("serverType");
        QTest::addColumn<int>("loginStatus");
        QTest::addColumn<bool>("controllable");
        QTest::addColumn<bool>("attendees");
        QTest::newRow("own server") << "ZOV" << int(LoggedIn) << false << true;
        QTest::newRow("own server, controllable") << "ZOV" << int(LoggedIn) << true << false;
        QTest::newRow("ROZ") << "ROZ" << int(LoggedIn) << false << false;
        QTest::newRow("ROZ, controllable") << "ROZ" << int(LoggedIn) << true << false;
        QTest::newRow("login skipped") << "ZOV" << int(AnonymousLoggedIn) << false << false;
        QTest::newRow("login skipped, controllable") << "ZOV" << int(AnonymousLoggedIn) << true << false;
    }
    void managementOrAttendees()
    {
        QFETCH(QString, serverType);
        QFETCH(int, loginStatus);
        QFETCH(bool, controllable);
        QFETCH(bool, attendees);

        const std::string savedType = login()->m_userInfo.appServerType;
        auto restore = qScopeGuard([this, savedType] {
            login()->m_userInfo.appServerType = savedType;
            login()->m_loginStatus = LoggedIn;
        });
        login()->m_userInfo.appServerType = serverType.toStdString();
        login()->m_loginStatus = LoginStatus(loginStatus);
        CControllableProbe::setQuery([controllable]() { return controllable; });

        auto toolbar = showToolbar();
        auto *management = child<CNumberButton>(toolbar.get(), "m_pBtnConfMngt");
        auto *attendeesButton = child<CAttendeesButton>(toolbar.get(), "m_pBtnAttendees");
        QVERIFY(management->isHidden());

        toolbar->slotOnCallStatusChanged(ConfConnected);
        settleProbe();
        QCOMPARE(management->isVisible(), controllable);
        QCOMPARE(attendeesButton->isShowAllowed(), attendees);

        // The call ends: the management button goes.
        toolbar->slotOnCallStatusChanged(ConfEnded);
        QVERIFY(management->isHidden());
        QVERIFY(child<QToolButton>(toolbar.get(), "m_pBtnShare")->isHidden());
    }

    // The engine answers for a real meeting: alice owns 1001.
    void managementForOwnMeeting()
    {
        auto toolbar = showToolbar();
        connectCall(QStringLiteral("1001"));
        settleProbe();
        QCOMPARE(int(rjsim::journalOf("conferenceControllable").size()), 1);
        QVERIFY(child<CNumberButton>(toolbar.get(), "m_pBtnConfMngt")->isVisible());
        QVERIFY(!child<CAttendeesButton>(toolbar.get(), "m_pBtnAttendees")->isShowAllowed());
        endCall();
        QVERIFY(child<CNumberButton>(toolbar.get(), "m_pBtnConfMngt")->isHidden());
    }

    // An answer that arrives after the toolbar is gone, or after the call
    // it was asked for has ended, reaches nobody.
    void lateControllableAnswer_data()
    {
        QTest::addColumn<bool>("deleteToolbar");
        QTest::newRow("toolbar deleted") << true;
        QTest::newRow("call ended") << false;
    }
    void lateControllableAnswer()
    {
        QFETCH(bool, deleteToolbar);
        HeldQuery held;
        CControllableProbe::setQuery(held.query());
        auto release = qScopeGuard([&held] { held.release.release(); });

        auto toolbar = showToolbar();
        QPointer<CNumberButton> management = child<CNumberButton>(toolbar.get(), "m_pBtnConfMngt");
        toolbar->slotOnCallStatusChanged(ConfConnected);
        QVERIFY(held.entered.tryAcquire(1, kWaitMs));
        if (deleteToolbar)
            toolbar.reset();
        else
            toolbar->slotOnCallStatusChanged(ConfEnded);
        release.dismiss();
        held.release.release();
        settleProbe();
        if (deleteToolbar)
            QVERIFY(management.isNull());
        else
            QVERIFY(management->isHidden());
    }

    // The probe itself: its answer reaches a living owner only.
    void probeAnswersLivingOwnerOnly()
    {
        HeldQuery held;
        CControllableProbe::setQuery(held.query());
        int answers = 0;
        {
            QObject owner;
            auto *probe = new CControllableProbe(&owner);
            connect(probe, &CControllableProbe::answered, [&answers](bool) { ++answers; });
            probe->start();
            QVERIFY(held.entered.tryAcquire(1, kWaitMs));
        }
        held.release.release();
        settleProbe();
        QCOMPARE(answers, 0);

        QObject owner;
        auto *probe = new CControllableProbe(&owner);
        QSignalSpy spy(probe, &CControllableProbe::answered);
        held.answer = false;
        probe->start();
        held.release.release();
        settleProbe();
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toBool(), false);
    }

    // ---------------------------------------------------------------- popups

    // Each popup opens centred 10 pixels above its button and holds back
    // in-call prompts; clicking its button again opens no second one. It
    // loses activation: with the cursor on it, it stays; elsewhere it closes
    // and is deleted, and prompts may show again.
    void popupLifeCycle_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("kind");
        QTest::newRow("microphone and speaker") << "m_pBtnSelectMicUp" << "audio";
        QTest::newRow("camera") << "m_pBtnSelectCameraUp" << "video";
        QTest::newRow("volume") << "m_pBtnVolume" << "volume";
        QTest::newRow("more") << "m_pBtnMore" << "more";
    }
    void popupLifeCycle()
    {
        QFETCH(QString, button);
        QFETCH(QString, kind);

        auto toolbar = showToolbar();
        toolbar->updateMoreModeVisibility(true);
        const auto popupNow = [&toolbar, kind]() -> QWidget * {
            if (kind == QLatin1String("audio"))
                return openPopup<menuAudioWidget>(toolbar.get());
            if (kind == QLatin1String("video"))
                return openPopup<menuVideoWidget>(toolbar.get());
            if (kind == QLatin1String("volume"))
                return openPopup<CControlVolumeWidget>(toolbar.get());
            return openPopup<CMenuMoreWidget>(toolbar.get());
        };
        auto *anchor = child<QAbstractButton>(toolbar.get(), button.toLatin1().constData());
        QVERIFY(anchor->isVisible());
        QVERIFY(toolbar->getShowPromptFlag());
        QVERIFY(!toolbar->isAnyPopupVisible());

        QTest::mouseClick(anchor, Qt::LeftButton);
        QPointer<QWidget> popup = popupNow();
        QVERIFY(popup);
        QVERIFY(popup->windowFlags() & Qt::SplashScreen);
        QVERIFY(popup->testAttribute(Qt::WA_DeleteOnClose));
        const QPoint anchorPos = anchor->mapToGlobal(QPoint(0, 0));
        QCOMPARE(popup->pos(), QPoint(anchorPos.x() - (popup->width() - anchor->width()) / 2,
                                      anchorPos.y() - popup->height() - 10));
        QVERIFY(!toolbar->getShowPromptFlag());
        QVERIFY(toolbar->isAnyPopupVisible());

        QTest::mouseClick(anchor, Qt::LeftButton);
        QCOMPARE(popupNow(), popup.data());

        QCursor::setPos(popup->mapToGlobal(popup->rect().center()));
        QTRY_VERIFY(popup->rect().contains(popup->mapFromGlobal(QCursor::pos())));
        deactivate(popup);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(popup && popup->isVisible());
        QVERIFY(!toolbar->getShowPromptFlag());

        QCursor::setPos(popup->mapToGlobal(QPoint(-50, -50)));
        QTRY_VERIFY(!popup->rect().contains(popup->mapFromGlobal(QCursor::pos())));
        deactivate(popup);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(popup.isNull());
        QVERIFY(toolbar->getShowPromptFlag());
        QVERIFY(!toolbar->isAnyPopupVisible());

        // The next click opens a new one.
        QTest::mouseClick(anchor, Qt::LeftButton);
        QVERIFY(popupNow());
    }

    // A device plugged in or out while its popup is open rebuilds the popup
    // in the same place with the engine's new list; the other popup and a
    // closed one are left alone.
    void hotPlugRebuildsOpenPopup_data()
    {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("name");
        QTest::newRow("microphone added") << QByteArray("device add mic Desk Microphone") << "audio"
                                          << "Desk Microphone";
        QTest::newRow("speaker added") << QByteArray("device add speaker Desk Speaker") << "audio"
                                       << "Desk Speaker";
        QTest::newRow("camera added") << QByteArray("device add camera Desk Camera") << "video" << "Desk Camera";
    }
    void hotPlugRebuildsOpenPopup()
    {
        QFETCH(QByteArray, command);
        QFETCH(QString, kind);
        QFETCH(QString, name);
        const bool audio = kind == QLatin1String("audio");

        auto toolbar = showToolbar();
        QTest::mouseClick(child<QPushButton>(toolbar.get(), audio ? "m_pBtnSelectMicUp" : "m_pBtnSelectCameraUp"),
                          Qt::LeftButton);
        QPointer<QWidget> before = audio ? static_cast<QWidget *>(openPopup<menuAudioWidget>(toolbar.get()))
                                         : openPopup<menuVideoWidget>(toolbar.get());
        QVERIFY(before);
        const QStringList oldTexts = checkTexts(before);
        QVERIFY(!oldTexts.contains(name));
        const QRect oldGeometry = before->geometry();

        QCOMPARE(rjsim_command(command.constData()), 0);
        QTRY_VERIFY_WITH_TIMEOUT(before.isNull() || !before->isVisible(), kWaitMs);
        QWidget *after = audio ? static_cast<QWidget *>(openPopup<menuAudioWidget>(toolbar.get()))
                               : openPopup<menuVideoWidget>(toolbar.get());
        QVERIFY(after);
        QVERIFY(after != before.data());
        QCOMPARE(checkTexts(after).size(), oldTexts.size() + 1);
        QVERIFY(checkTexts(after).contains(name));
        QCOMPARE(after->geometry().bottom(), oldGeometry.bottom());
        QCOMPARE(after->geometry().center().x(), oldGeometry.center().x());
        QVERIFY(!toolbar->getShowPromptFlag());

        // Unplugged again: rebuilt without it.
        QByteArray remove = command;
        remove.replace("add", "remove");
        QCOMPARE(rjsim_command(remove.constData()), 0);
        QTRY_VERIFY_WITH_TIMEOUT(!checkTexts(audio ? static_cast<QWidget *>(openPopup<menuAudioWidget>(toolbar.get()))
                                                   : openPopup<menuVideoWidget>(toolbar.get()))
                                      .contains(name),
                                 kWaitMs);
        QCOMPARE(rjsim_wait_idle(kWaitMs), 1);
        QCoreApplication::processEvents();
        QVERIFY(!(audio ? openPopup<menuVideoWidget>(toolbar.get()) : nullptr));
    }

    // The pickers list the engine's devices, the defaults under a short name,
    // the device in use checked; choosing another one sets it, choosing the
    // one in use asks nothing. "Audio setting" opens the settings window.
    void devicePicker()
    {
        auto toolbar = showToolbar();
        QTest::mouseClick(child<QPushButton>(toolbar.get(), "m_pBtnSelectMicUp"), Qt::LeftButton);
        menuAudioWidget *menu = openPopup<menuAudioWidget>(toolbar.get());
        QVERIFY(menu);
        QCOMPARE(checkTexts(menu), (QStringList{"System Default", "USB Headset Microphone", "System Default",
                                                "USB Headset"}));
        const QList<QCheckBox *> boxes = menu->findChildren<QCheckBox *>();
        QVERIFY(boxes.at(0)->isChecked());
        QVERIFY(boxes.at(2)->isChecked());

        rjsim_clear_journal();
        QTest::mouseClick(boxes.at(0), Qt::LeftButton);
        QCOMPARE(int(rjsim::journalOf("setDevice").size()), 0);
        QTest::mouseClick(boxes.at(3), Qt::LeftButton);
        const auto set = rjsim::journalOf("setDevice");
        QCOMPARE(int(set.size()), 1);
        QCOMPARE(set.at(0), (std::vector<std::string>{"setDevice", "1", "1"}));
        QVERIFY(boxes.at(3)->isChecked());
        QVERIFY(!boxes.at(2)->isChecked());
        QCOMPARE(sdk()->getDevice(rj::engine::RJ_DEVICE_SPEAKER).id, 1u);
        sdk()->setDevice(rj::engine::RJ_DEVICE_SPEAKER, 0);

        QPointer<menuAudioWidget> guard(menu);
        QSignalSpy closed(toolbar.get(), &CLayoutToolbarDlg::sigSettingWinClosed);
        QTest::mouseClick(child<QPushButton>(menu, "m_showAudioSets"), Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(guard.isNull());
        auto *settings = toolbar->findChild<rj_app::views::CContainerSettingsFormWidget *>();
        QVERIFY(settings && settings->isVisible());
        settings->closeTheWindow();
        QCOMPARE(closed.count(), 1);
        QVERIFY(toolbar->getShowPromptFlag());

        // Cameras are listed as named.
        QTest::mouseClick(child<QPushButton>(toolbar.get(), "m_pBtnSelectCameraUp"), Qt::LeftButton);
        QCOMPARE(checkTexts(openPopup<menuVideoWidget>(toolbar.get())),
                 (QStringList{"Integrated Camera", "USB Webcam"}));
    }

    // After a speech request the "More" popup hides itself for reuse; the
    // toolbar passes the request on and lets the prompt about it show.
    void speechRequest()
    {
        auto toolbar = showToolbar();
        connectCall();
        toolbar->updateMoreModeVisibility(true);
        QSignalSpy prompt(toolbar.get(), &CLayoutToolbarDlg::sigrequestSpeakPrompt);
        QTest::mouseClick(child<QToolButton>(toolbar.get(), "m_pBtnMore"), Qt::LeftButton);
        QPointer<CMenuMoreWidget> more = openPopup<CMenuMoreWidget>(toolbar.get());
        QVERIFY(more);
        QVERIFY(!toolbar->getShowPromptFlag());
        rjsim_clear_journal();
        QTest::mouseClick(child<QPushButton>(more.data(), "m_requestSpeak"), Qt::LeftButton);
        QVERIFY(!more->isVisible());
        QVERIFY(toolbar->getShowPromptFlag());
        QVERIFY(!toolbar->isAnyPopupVisible());
        QTRY_COMPARE(prompt.count(), 1);
        QCOMPARE(journalOps({"requestRemoteUnmute"}), QStringList{"requestRemoteUnmute"});

        QTest::mouseClick(child<QToolButton>(toolbar.get(), "m_pBtnMore"), Qt::LeftButton);
        QCOMPARE(openPopup<CMenuMoreWidget>(toolbar.get()), more.data());

        // Not muted by the host: no request entry.
        toolbar->updateMoreModeVisibility(false);
        QVERIFY(child<QToolButton>(toolbar.get(), "m_pBtnMore")->isHidden());
        toolbar->slotOnBtnMoreClicked();
        QVERIFY(!more->findChild<QPushButton *>(QStringLiteral("m_requestSpeak")));
        endCall();
    }

    // ---------------------------------------------------------------- volume

    // The engine's gain 0 to 3 opens the slider at round(gain x 100 / 3);
    // the slider sets 3 x position / 100 and keeps the mute state; the
    // switch sets the mute state and keeps the gain. Opening changes nothing.
    void volumeMapping_data()
    {
        QTest::addColumn<float>("gain");
        QTest::addColumn<int>("opensAt");
        QTest::addColumn<int>("moveTo");
        QTest::addColumn<float>("gives");
        QTest::newRow("1.5 / 50") << 1.5f << 50 << 0 << 0.0f;
        QTest::newRow("1.0 / 33") << 1.0f << 33 << 100 << 3.0f;
        QTest::newRow("0.01 / 0") << 0.01f << 0 << 50 << 1.5f;
        QTest::newRow("3.0 / 100") << 3.0f << 100 << 1 << 0.03f;
        QTest::newRow("0.505 / 17") << 0.505f << 17 << 67 << 2.01f;
    }
    void volumeMapping()
    {
        QFETCH(float, gain);
        QFETCH(int, opensAt);
        QFETCH(int, moveTo);
        QFETCH(float, gives);

        for (bool muted : {false, true}) {
            rj::engine::RJVolume start;
            start.mute = muted ? 1 : 0;
            start.volume = gain;
            QVERIFY(sdk()->setVolume(rj::engine::RJ_DEVICE_SPEAKER, start));
            QCOMPARE(rjsim_wait_idle(kWaitMs), 1);
            auto toolbar = showToolbar();
            rjsim_clear_journal();

            auto *volumeButton = child<QToolButton>(toolbar.get(), "m_pBtnVolume");
            QTest::mouseClick(volumeButton, Qt::LeftButton);
            QCOMPARE(volumeButton->isChecked(), muted); // the engine's state, whatever the click did
            QCOMPARE(volumeButton->styleSheet(), muted ? QStringLiteral("color: #FF4747;") : QStringLiteral("color: #fff;"));
            auto *popup = openPopup<CControlVolumeWidget>(toolbar.get());
            QVERIFY(popup);
            auto *slider = child<QSlider>(popup, "m_volume");
            QCOMPARE(slider->value(), opensAt);
            QCOMPARE(child<QLabel>(popup, "m_value")->text(), QString::number(opensAt));
            QCOMPARE(child<QToolButton>(popup, "m_mute")->isChecked(), muted);
            QCOMPARE(int(rjsim::journalOf("setVolume").size()), 0);

            slider->setValue(moveTo);
            QCOMPARE(child<QLabel>(popup, "m_value")->text(), QString::number(moveTo));
            rj::engine::RJVolume now = sdk()->getVolume(rj::engine::RJ_DEVICE_SPEAKER);
            QVERIFY(qAbs(now.volume - gives) < 1e-5f);
            QCOMPARE(now.mute, muted ? 1 : 0);

            QTest::mouseClick(child<QToolButton>(popup, "m_mute"), Qt::LeftButton);
            now = sdk()->getVolume(rj::engine::RJ_DEVICE_SPEAKER);
            QCOMPARE(now.mute, muted ? 0 : 1);
            QVERIFY(qAbs(now.volume - gives) < 1e-5f);
            // The engine reports the change; the toolbar's button follows.
            QTRY_COMPARE_WITH_TIMEOUT(volumeButton->isChecked(), !muted, kWaitMs);
        }
    }

    // ----------------------------------------------------------------- scale

    // At each scale the management button is 88 x 60 times the scale with
    // its icon and number squares, the title above the bottom edge and the
    // text size of the scale; the device and volume popups follow the
    // scale. A change of scale hides the toolbar until it is shown again.
    void scaledGeometry_data()
    {
        QTest::addColumn<int>("dpi");
        QTest::addColumn<double>("scale");
        QTest::addColumn<int>("square");
        QTest::addColumn<QSize>("title");
        QTest::addColumn<int>("gap");
        QTest::addColumn<int>("fontPx");
        QTest::addColumn<QSize>("volumePopup");
        QTest::newRow("1") << 96 << 1.0 << 28 << QSize(88, 14) << 7 << 12 << QSize(44, 194);
        QTest::newRow("1.5") << 144 << 1.5 << 42 << QSize(132, 21) << 12 << 18 << QSize(66, 291);
        QTest::newRow("2") << 192 << 2.0 << 56 << QSize(176, 28) << 19 << 24 << QSize(88, 388);
    }
    void scaledGeometry()
    {
        QFETCH(int, dpi);
        QFETCH(double, scale);
        QFETCH(int, square);
        QFETCH(QSize, title);
        QFETCH(int, gap);
        QFETCH(int, fontPx);
        QFETCH(QSize, volumePopup);

        auto toolbar = showToolbar();
        QVERIFY(toolbar->isVisible()); // a first scale does not hide it
        setScreenDpi(dpi == 96 ? 144 : 96);
        toolbar->show();
        QVERIFY(toolbar->isVisible());
        setScreenDpi(dpi);
        QVERIFY(!toolbar->isVisible());
        toolbar->show();
        QVERIFY(QTest::qWaitForWindowExposed(toolbar.get()));

        auto *management = child<CNumberButton>(toolbar.get(), "m_pBtnConfMngt");
        management->show();
        QCOMPARE(management->size(), QSize(int(88 * scale), int(60 * scale)));
        auto *img = child<QLabel>(management, "m_pImg");
        auto *number = child<QLabel>(management, "m_pNumber");
        auto *titleLabel = child<QLabel>(management, "m_pTitle");
        QCOMPARE(img->size(), QSize(square, square));
        QCOMPARE(number->size(), QSize(square, square));
        QCOMPARE(img->x(), int(management->width() / 2 - 14 * scale));
        QCOMPARE(number->x(), int(management->width() / 2 + 5 * scale));
        QCOMPARE(titleLabel->size(), title);
        QCOMPARE(management->height() - titleLabel->geometry().bottom() - 1, gap);
        QVERIFY(titleLabel->styleSheet().contains(QStringLiteral("font-size: %1px").arg(fontPx)));
        QCOMPARE(toolbar->height(), int(60 * scale));

        QTest::mouseClick(child<QToolButton>(toolbar.get(), "m_pBtnVolume"), Qt::LeftButton);
        QCOMPARE(openPopup<CControlVolumeWidget>(toolbar.get())->size(), volumePopup);
        QTest::mouseClick(child<QPushButton>(toolbar.get(), "m_pBtnSelectMicUp"), Qt::LeftButton);
        for (QCheckBox *box : openPopup<menuAudioWidget>(toolbar.get())->findChildren<QCheckBox *>()) {
            QVERIFY(box->width() >= int(130 * scale));
            QCOMPARE(box->height(), int(24 * scale));
        }
    }

    // ------------------------------------------------------ layout and share

    // The layout button shows in modes 1 to 6 and asks for the partner mode
    // of 1 to 4; in 5 and 6 it keeps its picture and asks nothing.
    void layoutButton_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<int>("asks"); // -1: nothing
        QTest::newRow("normal") << 0 << false << -1;
        QTest::newRow("content preferred") << 1 << true << 2;
        QTest::newRow("content only") << 2 << true << 1;
        QTest::newRow("whiteboard preferred") << 3 << true << 4;
        QTest::newRow("whiteboard only") << 4 << true << 3;
        QTest::newRow("local content") << 5 << true << -1;
        QTest::newRow("local whiteboard") << 6 << true << -1;
        QTest::newRow("audio only") << 7 << false << -1;
    }
    void layoutButton()
    {
        QFETCH(int, mode);
        QFETCH(bool, visible);
        QFETCH(int, asks);
        auto toolbar = showToolbar();
        auto *layoutButton = child<QToolButton>(toolbar.get(), "m_pBtnSwitchLayout");
        toolbar->setLayoutMode(2);
        const qint64 before = layoutButton->icon().cacheKey();
        toolbar->setLayoutMode(mode);
        QCOMPARE(layoutButton->isVisible(), visible);
        if (mode >= 5)
            QCOMPARE(layoutButton->icon().cacheKey(), before);
        QSignalSpy spy(toolbar.get(), &CLayoutToolbarDlg::sigChangeLayoutMode);
        toolbar->slotOnBtnSwitchLayoutClicked();
        QCOMPARE(spy.count(), asks < 0 ? 0 : 1);
        if (asks >= 0)
            QCOMPARE(int(spy.at(0).at(0).value<LayoutModeType>()), asks);
    }

    // Sharing a screen already sent opens nothing; otherwise the chooser
    // opens, and while still open is shown again as it is.
    void shareChooser()
    {
        auto toolbar = showToolbar();
        connectCall();
        auto *share = child<QToolButton>(toolbar.get(), "m_pBtnShare");

        const auto sources = sdk()->getContentSourceList();
        QVERIFY(sdk()->setLocalContentSource(sources.front()));
        QVERIFY(sdk()->sendContent());
        QTRY_COMPARE_WITH_TIMEOUT(int(c()->getContentStreamStatus()), int(ContentStreamStatus_SendingContentStarted),
                                  kWaitMs);
        toolbar->slotOnShareClicked();
        QVERIFY(!toolbar->isAnyPopupVisible());
        QVERIFY(sdk()->stopContent());
        QTRY_COMPARE_WITH_TIMEOUT(int(c()->getContentStreamStatus()), int(ContentStreamStatus_None), kWaitMs);

        QTest::mouseClick(share, Qt::LeftButton);
        QPointer<rj_app::views::CSelectShareContent> chooser;
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *c = qobject_cast<rj_app::views::CSelectShareContent *>(w); c && c->isVisible())
                chooser = c;
        }
        QVERIFY(chooser);
        QVERIFY(toolbar->isAnyPopupVisible());
        chooser->hide();
        QTest::mouseClick(share, Qt::LeftButton);
        QVERIFY(chooser && chooser->isVisible());

        // The call ends: the chooser closes.
        endCall();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(chooser.isNull());
    }

    // --------------------------------------------------- conference control

    // Closing the window is refused and reported once; the toolbar then
    // releases the page and hides the window, and gives it a fresh page
    // when it opens it again.
    void conferenceControlWindow()
    {
        CConfMngtDlg dlg;
        QSignalSpy closed(&dlg, &CConfMngtDlg::sigClose);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QCOMPARE(dlg.page()->urlType(), int(rj_app::enums::ConfControl));
        QTest::mouseClick(child<QPushButton>(&dlg, "m_pBtnClose"), Qt::LeftButton);
        QCOMPARE(closed.count(), 1);
        QVERIFY(dlg.isVisible());

        auto toolbar = showToolbar();
        toolbar->openManagerWindow();
        auto *window = toolbar->findChild<CConfMngtDlg *>();
        QVERIFY(window && window->isVisible());
        QVERIFY(window->page()->hasPage());
        QSignalSpy windowClosed(window, &CConfMngtDlg::sigClose);
        toolbar->hide();
        window->close();
        QCOMPARE(windowClosed.count(), 1);
        QVERIFY(!window->isVisible());
        QVERIFY(!window->page()->hasPage());
        QVERIFY(toolbar->isVisible()); // shown again so that it keeps the focus
        toolbar->openManagerWindow();
        QCOMPARE(toolbar->findChildren<CConfMngtDlg *>().size(), 1);
        QVERIFY(window->isVisible());
        QVERIFY(window->page()->hasPage());
    }

    // Maximise fills the available area of the screen under the cursor;
    // restore and a drag by the title bar give the window its size back.
    // Every show centres the window on its screen.
    void conferenceControlMaximize()
    {
        CConfMngtDlg dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QScreen *screen = QGuiApplication::primaryScreen();
        QCOMPARE(dlg.geometry().center(), screen->availableGeometry().center());
        dlg.hide();
        dlg.move(0, 0);
        dlg.show();
        QCOMPARE(dlg.geometry().center(), screen->availableGeometry().center());
        const QRect normal = dlg.geometry();
        QCursor::setPos(screen->geometry().center());

        QTest::mouseClick(child<QPushButton>(&dlg, "m_pBtnMax"), Qt::LeftButton);
        QCOMPARE(dlg.geometry(), screen->availableGeometry());
        QVERIFY(dlg.isEmulatedMaximized());
        QVERIFY(child<QPushButton>(&dlg, "m_pBtnMax")->isHidden());
        QVERIFY(!child<QPushButton>(&dlg, "m_pBtnRestore")->isHidden());

        QTest::mouseClick(child<QPushButton>(&dlg, "m_pBtnRestore"), Qt::LeftButton);
        QCOMPARE(dlg.size(), normal.size());
        QVERIFY(!dlg.isEmulatedMaximized());
        QVERIFY(!child<QPushButton>(&dlg, "m_pBtnMax")->isHidden());

        // A scale change while maximised keeps the size and zooms the page.
        QTest::mouseClick(child<QPushButton>(&dlg, "m_pBtnMax"), Qt::LeftButton);
        setScreenDpi(144);
        QCOMPARE(dlg.geometry(), screen->availableGeometry());
        QCOMPARE(dlg.page()->zoomFactor(), 1.5);
        setScreenDpi(96);
        QCOMPARE(dlg.geometry(), screen->availableGeometry());

        const QPoint grip = dlg.mapToGlobal(QPoint(100, 10));
        sendMouse(&dlg, QEvent::MouseButtonPress, grip, Qt::LeftButton, Qt::LeftButton);
        sendMouse(&dlg, QEvent::MouseMove, grip + QPoint(40, 10), Qt::NoButton, Qt::LeftButton);
        sendMouse(&dlg, QEvent::MouseButtonRelease, grip + QPoint(40, 10), Qt::LeftButton, Qt::NoButton);
        QVERIFY(!dlg.isEmulatedMaximized());
        QCOMPARE(dlg.size(), normal.size());
    }
};

GLIMORA_TEST_MAIN(TestCallToolbar)
#include "tst_calltoolbar.moc"
