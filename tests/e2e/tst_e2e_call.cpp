// The call window as a person uses it, end to end: signed in as alice
// against the demo server, she joins a meeting from the meetings tab, moves
// the mouse over the video to bring up the toolbar, shrinks the window to its
// compact bar and back, looks at the statistics, shares her screen, sees a
// colleague's content, leaves with the toolbar's hang-up, and takes a call
// that a person announces through the engine's control file. The first walk
// runs again with the screen at twice the logical DPI. Every state is kept as
// a screenshot.

#include "E2eCallSupport.h"
#include "E2eSupport.h"

#include "support/AlertBoxSeam.h"
#include "support/DemoServerProcess.h"
#include "support/StandInRingtone.h"

#include "helpers/CUserConfigUtils.h"
#include "models/CCallController.h"
#include "models/CLoginManager.h"
#include "rjsim_control.h"
#include "views/annotation/CbackgroundWidget.h"
#include "views/incall/CLayoutBackgroundDlg.h"
#include "views/incall/CLayoutCellCoverDlg.h" // CLayoutCellDlg.h needs it whole
#include "views/incall/CLayoutCellDlg.h"
#include "views/incall/CLayoutPeopleSettingDlg.h"
#include "views/incall/CLayoutToolbarDlg.h"
#include "views/incall/CMediaStatisticsDlg.h"
#include "views/incall/CSelectShareContent.h"
#include "views/incall/CWidgetContentSub.h"
#include "views/incall/CWidgetContents.h"
#include "views/incall/CallInviteWidget.h"
#include "views/incall/CompactWidget.h"
#include "views/main/CHomeDlg.h"
#include "views/main/CMainDlgManager.h"

#include "views/meetings/CConferenceItemWidget.h"
#include "views/meetings/CConferencesListWidget.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QTableWidget>
#include <QToolButton>

using glimora::test::AlertBoxSeam;
using rj_app::models::CCallController;
using rj_app::views::CallInviteWidget;
using rj_app::views::CHomeDlg;
using rj_app::views::CLayoutBackgroundDlg;
using rj_app::views::CLayoutCellDlg;
using rj_app::views::CLayoutPeopleSettingDlg;
using rj_app::views::CLayoutToolbarDlg;
using rj_app::views::CMainDlgManager;
using rj_app::views::CompactWidget;
using rj_app::views::CSelectShareContent;
using namespace glimora::test::e2e;
using namespace rj_app::enums;
namespace desktop = glimora::test::desktop;

namespace {

// The desktop's colour under every window while the screen is shared.
constexpr QRgb kDesktopColour = 0x2e8b57;

} // namespace

class TestEndToEndCall : public QObject
{
    Q_OBJECT

    glimora::test::DemoServerProcess m_server{QStringLiteral(GLIMORA_DEVSERVER)};
    qreal m_originalDpi = 96;
    // The call window's duration clock; the toolbar's mouse and its clock.
    QDateTime m_callNow;
    CallMouse &m_mouse = callMouse();

    void moveOverTheVideo(const QPoint &from, int step, int steps) { m_mouse.moveOverTheVideo(from, step, steps); }
    void pointerToTheTitleBar() { m_mouse.pointerToTheTitleBar(); }
    void bringUpTheToolbar() { m_mouse.bringUpTheToolbar(); }

private slots:
    void initTestCase()
    {
        QVERIFY(glimora::test::useStandInRingtone());
        QVERIFY(m_server.start());
        CMainDlgManager::getInstance()->setExitFunction([](int) {});
        m_originalDpi = QGuiApplication::primaryScreen()->logicalDotsPerInchX();
        signInAsAlice(m_server);
        m_callNow = QDateTime::currentDateTime();
        callDlg()->setClock([this] { return m_callNow; });
        m_mouse.install();
    }

    void cleanup()
    {
        // A failed walk must not leave the next one inside a call.
        if (CCallController::isInCall(call()->getCallStatus())) {
            call()->hangUp();
            QTRY_COMPARE_WITH_TIMEOUT(call()->getCallStatus(), ConfEnded, kWaitMs);
        }
        setScreenDpi(m_originalDpi);
    }

    void cleanupTestCase() { m_server.stop(); }

    // Join, toolbar, compact and back, leave; at the screen's usual scale and
    // at twice its logical DPI.
    void joinCompactAndLeave_data()
    {
        QTest::addColumn<qreal>("dpi");
        QTest::addColumn<int>("scale");
        QTest::newRow("scale 1") << qreal(96) << 1;
        QTest::newRow("scale 2") << qreal(192) << 2;
    }
    void joinCompactAndLeave()
    {
        QFETCH(qreal, dpi);
        QFETCH(int, scale);
        const QString shot = QStringLiteral("scale%1-").arg(scale);
        AlertBoxSeam seam(QDialogButtonBox::Ok);
        setScreenDpi(dpi);
        rjsim_clear_journal();
        {
            // The home window grows with the DPI. Taller than the screen at
            // twice the DPI, it keeps its whole width and its top on it.
            QWidget *home = CHomeDlg::getInstance();
            QTRY_COMPARE_WITH_TIMEOUT(home->width() >= 857 * scale, true, kWaitMs);
            QTRY_COMPARE_WITH_TIMEOUT(desktop::geometryOf(home), frameOf(home), kWaitMs);
            const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
            const QRect shown = desktop::geometryOf(home);
            QVERIFY2(shown.left() >= screen.left() && shown.right() <= screen.right() && shown.top() >= screen.top(),
                     qPrintable(QStringLiteral("the home window stands at %1,%2 %3x%4")
                                    .arg(shown.x())
                                    .arg(shown.y())
                                    .arg(shown.width())
                                    .arg(shown.height())));
        }

        // 1. The meeting's row joins; the window connects with the meeting's
        // name and its clock runs from the moment it connected.
        joinWhenShown(1001);
        if (QTest::currentTestFailed())
            return;
        expectTheCall(QStringLiteral("Weekly sync"));
        if (QTest::currentTestFailed())
            return;
        auto *duration = child<QLabel>(callDlg(), "m_pLblCallDuration");
        QCOMPARE(duration->text(), QStringLiteral("00:00:00"));
        m_callNow = m_callNow.addSecs(1);
        QTRY_COMPARE_WITH_TIMEOUT(duration->text(), QStringLiteral("00:00:01"), kWaitMs);
        m_callNow = m_callNow.addSecs(61);
        QTRY_COMPARE_WITH_TIMEOUT(duration->text(), QStringLiteral("00:01:02"), kWaitMs);
        QVERIFY(duration->isVisible());
        auto *titleBar = child<QWidget>(callDlg(), "m_pWgtTitleBar");
        QCOMPARE(titleBar->height(), 40 * scale);
        const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
        QTRY_VERIFY_WITH_TIMEOUT(available.contains(frameOf(callDlg())), kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(desktop::geometryOf(callDlg()), frameOf(callDlg()), kWaitMs);
        QVERIFY(layoutDlg()->getRemoteVideoCell()->isVisible());
        expectVideoShows("connected");
        if (QTest::currentTestFailed())
            return;
        checkShot(shot + QStringLiteral("1-connected"), [] { return grabScreen(frameOf(callDlg())); });

        // 2. A single small move is nothing; a movement over ten pixels
        // brings the toolbar over the bottom of the video.
        QVERIFY(!toolbar()->isVisible());
        pointerToTheTitleBar();
        const QWidget *video = layoutDlg()->getRemoteVideoCell();
        const QPoint start(video->width() / 4, video->height() / 2);
        moveOverTheVideo(start, 4, 3); // 8 px
        QVERIFY(!toolbar()->isVisible());
        m_mouse.now = m_mouse.now.addMSecs(40);
        movePointer(layoutDlg()->getRemoteVideoCell(), start + QPoint(12, 0));
        QTRY_VERIFY_WITH_TIMEOUT(toolbar()->isVisible(), kWaitMs);
        // It lies along the bottom of the video, inside the window.
        QCOMPARE(toolbar()->height(), 60 * scale);
        QApplication::sync();
        QCoreApplication::processEvents();
        QTRY_COMPARE_WITH_TIMEOUT(frameOf(toolbar()).bottom(), frameOf(layoutDlg()->getRemoteVideoCell()).bottom(), kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(desktop::geometryOf(callDlg()).contains(desktop::geometryOf(toolbar())), kWaitMs);
        auto *hangUp = child<QWidget>(toolbar(), "m_pBtnHangup");
        QVERIFY(hangUp->isVisible());
        expectOnTop(toolbar(), screenRectOf(hangUp).center());
        checkShot(shot + QStringLiteral("2-toolbar"), [] { return grabScreen(frameOf(callDlg())); });

        // 3. The title bar's minimise makes the window a small compact one
        // with its own bar; that bar's restore brings the full size back.
        const QSize normal = callDlg()->size();
        personClicks(child<QPushButton>(callDlg(), "m_pBtnMin"));
        QTRY_VERIFY_WITH_TIMEOUT(callDlg()->isCompactMode(), kWaitMs);
        auto *compactBar = callDlg()->findChild<CompactWidget *>();
        QVERIFY(compactBar && compactBar->isVisible());
        QVERIFY(!titleBar->isVisible());
        QVERIFY(!toolbar()->isVisible());
        QVERIFY(callDlg()->width() < normal.width() && callDlg()->height() < normal.height());
        QCOMPARE(compactBar->width(), callDlg()->width());
        QCOMPARE(compactBar->height(), 40 * scale);
        QTRY_VERIFY_WITH_TIMEOUT(available.contains(frameOf(callDlg())), kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(desktop::geometryOf(callDlg()), frameOf(callDlg()), kWaitMs);
        QVERIFY(callDlg()->windowFlags() & Qt::WindowStaysOnTopHint);
        {
            // Another program's window opened over it leaves the compact
            // window on top.
            desktop::ForeignWindow other(frameOf(callDlg()).adjusted(-20, -20, 20, 20), 0x3070c0);
            QVERIFY(other.waitUntilMapped());
            expectOnTop(callDlg(), screenRectOf(compactBar).center());
        }
        // The video stays over the call window, whatever the window manager
        // did with the call window's stacking.
        expectVideoShows("compact");
        if (QTest::currentTestFailed())
            return;
        checkShot(shot + QStringLiteral("3-compact"), [] { return grabScreen(frameOf(callDlg())); });

        personClicks(child<QToolButton>(compactBar, "m_pBtnRecover"));
        QTRY_VERIFY_WITH_TIMEOUT(!callDlg()->isCompactMode(), kWaitMs);
        QCOMPARE(callDlg()->size(), normal);
        QVERIFY(titleBar->isVisible());
        QVERIFY(duration->isVisible());
        QCOMPARE(child<QLabel>(callDlg(), "m_pLblConfNumber")->text(), QStringLiteral("Weekly sync"));
        QVERIFY(!(callDlg()->windowFlags() & Qt::WindowStaysOnTopHint));
        QTRY_VERIFY_WITH_TIMEOUT(layoutDlg()->getRemoteVideoCell()->isVisible(), kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(desktop::geometryOf(callDlg()), frameOf(callDlg()), kWaitMs);
        expectVideoShows("restored");
        if (QTest::currentTestFailed())
            return;
        // A click on the title bar raises the call window; the window
        // manager brings the video it owns along.
        personClicks(child<QLabel>(callDlg(), "m_pLblConfNumber"));
        expectVideoShows("title bar clicked");
        if (QTest::currentTestFailed())
            return;
        checkShot(shot + QStringLiteral("3-restored"), [] { return grabScreen(frameOf(callDlg())); });

        // 6. Hang Up asks first; "Leave" ends the call and brings home back.
        leaveTheCall();
        expectHomeAgain();
        QCOMPARE(int(rjsim::journalOf("hangUp").size()), 1);
        QCOMPARE(seam.count(), 0);
    }

    // 4. and 5. The statistics open from the quality button and close; the
    // screen is shared from the toolbar's chooser, the drawing overlay lies
    // over it while the call window steps aside, and the layout comes back
    // when a colleague takes the floor and stops.
    void statisticsAndShareAScreen()
    {
        AlertBoxSeam seam(QDialogButtonBox::Ok);
        joinWhenShown(1001);
        if (QTest::currentTestFailed())
            return;
        expectTheCall(QStringLiteral("Weekly sync"));
        if (QTest::currentTestFailed())
            return;

        personClicks(child<QPushButton>(callDlg(), "m_pBtnNetworkQuality"));
        rj_app::views::CMediaStatisticsDlg *stats = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT((stats = layoutDlg()->getMediaStatisticsDlg()) && stats->isVisible(), kWaitMs);
        auto *table = child<QTableWidget>(stats, "m_pTableWgtStatistics");
        QTRY_VERIFY_WITH_TIMEOUT(table->rowCount() >= 4, kWaitMs);
        checkShot(QStringLiteral("4-statistics"), [stats] { return grabScreen(frameOf(stats)); });
        personClicks(child<QPushButton>(stats, "m_pBtnClose"));
        QTRY_VERIFY_WITH_TIMEOUT(!layoutDlg()->getMediaStatisticsDlg()
                                     || !layoutDlg()->getMediaStatisticsDlg()->isVisible(),
                                 kWaitMs);
        QVERIFY(callDlg()->isVisible());

        rjsim_clear_journal();
        // The desktop under everything, what the shared screen shows where
        // no window covers it.
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        desktop::ForeignWindow desk(screen, kDesktopColour, desktop::ForeignWindow::Desktop);
        QVERIFY(desk.waitUntilMapped());
        CSelectShareContent *chooser = nullptr;
        openTheShareChooser(m_mouse, chooser);
        if (QTest::currentTestFailed())
            return;
        const auto &tiles = chooser->form().desktopwidget->tiles();
        QVERIFY(!tiles.isEmpty());
        CWidgetContentSub *screenTile = tiles.first();
        QVERIFY(!screenTile->isWhiteBoard());
        QCOMPARE(screenTile->getContentSourceInfo().type, 0);
        const std::string screenName = screenTile->getContentSourceInfo().windowTitle;
        checkShot(QStringLiteral("5-chooser"), [chooser] { return grabScreen(frameOf(chooser)); });
        personClicks(screenTile);
        QTRY_VERIFY_WITH_TIMEOUT(screenTile->isSelected(), kWaitMs);
        pressShare(chooser);

        QTRY_COMPARE_WITH_TIMEOUT(call()->getContentStreamStatus(), ContentStreamStatus_SendingContentStarted,
                                  kWaitMs);
        QCOMPARE(layoutDlg()->getLayoutMode(), LayoutMode_LocalContent);
        const auto sources = rjsim::journalOf("setLocalContentSource");
        QVERIFY(!sources.empty());
        // The engine was given the chosen screen: type 0 and its name.
        QVERIFY(sources.back().size() > 2);
        QCOMPARE(sources.back().at(1), std::string("0"));
        QCOMPARE(sources.back().at(2), screenName);
        QCOMPARE(int(rjsim::journalOf("sendContent").size()), 1);
        // The overlay covers the shared screen; the call window steps aside.
        QTRY_VERIFY_WITH_TIMEOUT(layoutDlg()->getBackgroundWidget() && layoutDlg()->getBackgroundWidget()->isVisible(),
                                 kWaitMs);
        QVERIFY(layoutDlg()->getScreenDrawing() && layoutDlg()->getScreenDrawing()->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(callDlg()->isHidden(), kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(frameOf(layoutDlg()->getBackgroundWidget()), screen, kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(!desktop::isViewable(callDlg()), kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(desktop::geometryOf(layoutDlg()->getBackgroundWidget()), screen, kWaitMs);
        // The overlay is no sheet: the desktop shows through its middle.
        QVERIFY(!desktop::isViewable(CHomeDlg::getInstance()));
        const QPoint middle = screen.center();
        expectScreenShows(QRect(middle + QPoint(-300, 120), QSize(60, 60)), kDesktopColour, "sharing");
        checkShot(QStringLiteral("5-sharing"), [] { return grabScreen(); });

        // Nothing on the overlay stops the share yet; a colleague taking the
        // floor does, as the meeting would.
        QCOMPARE(rjsim_command("content start Dave Li"), 0);
        QTRY_COMPARE_WITH_TIMEOUT(call()->getContentStreamStatus(), ContentStreamStatus_ReceivingContentStarted,
                                  kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(!layoutDlg()->getScreenDrawing(), kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(callDlg()->isVisible(), kWaitMs);
        QCOMPARE(rjsim_command("content stop Dave Li"), 0);
        QTRY_COMPARE_WITH_TIMEOUT(call()->getContentStreamStatus(), ContentStreamStatus_None, kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(layoutDlg()->getLayoutMode(), LayoutMode_NormalPeople, kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(layoutDlg()->getRemoteVideoCell()->isVisible(), kWaitMs);
        QVERIFY(!layoutDlg()->getRemoteContentCell() || !layoutDlg()->getRemoteContentCell()->isVisible());
        checkShot(QStringLiteral("5-after-share"), [] { return grabScreen(frameOf(callDlg())); });

        leaveTheCall();
        expectHomeAgain();
        QCOMPARE(seam.count(), 0);
    }

    // 7. In the design review a colleague's content fills the layout.
    void seeReceivedContent()
    {
        AlertBoxSeam seam(QDialogButtonBox::Ok);
        joinWhenShown(1006);
        if (QTest::currentTestFailed())
            return;
        expectTheCall(QStringLiteral("Design review"));
        if (QTest::currentTestFailed())
            return;
        QTRY_COMPARE_WITH_TIMEOUT(call()->getContentStreamStatus(), ContentStreamStatus_ReceivingContentStarted,
                                  kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(layoutDlg()->getLayoutMode(), LayoutMode_RemoteContentOnly, kWaitMs);
        CLayoutCellDlg *content = layoutDlg()->getRemoteContentCell();
        QVERIFY(content);
        QTRY_VERIFY_WITH_TIMEOUT(content->isVisible(), kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(frameOf(callDlg()).contains(frameOf(content)), kWaitMs);
        QVERIFY(content->width() > callDlg()->width() / 2);
        checkShot(QStringLiteral("7-received-content"), [] { return grabScreen(frameOf(callDlg())); });

        leaveTheCall();
        expectHomeAgain();
        QCOMPARE(seam.count(), 0);
    }

    // 8. A call announced through the control file is offered over the call
    // window; video accept connects it.
    void acceptAnIncomingCall()
    {
        AlertBoxSeam seam(QDialogButtonBox::Ok);
        rjsim_clear_journal();
        // The user data directory, the one the client gave the engine, is
        // named after the executable: "$appdata/glimora" for a person.
        const QString control = rj_app::helpers::CUserConfigUtils::getUserConfigPath() + QStringLiteral("/rjsim.ctl");
        QCOMPARE(control, qEnvironmentVariable("appdata") + QLatin1Char('/')
                              + QFileInfo(QCoreApplication::applicationFilePath()).fileName()
                              + QStringLiteral("/rjsim.ctl"));
        {
            QFile file(control);
            QVERIFY2(file.open(QIODevice::Append), qPrintable(control));
            file.write("incoming Carol Wu 8001\n");
        }
        QTRY_COMPARE_WITH_TIMEOUT(call()->getCallStatus(), ConfIncoming, kWaitMs);
        auto *invite = callDlg()->findChild<CallInviteWidget *>();
        QVERIFY(invite);
        QTRY_VERIFY_WITH_TIMEOUT(invite->isVisible(), kWaitMs);
        QVERIFY(callDlg()->isVisible());
        QCOMPARE(child<QLabel>(invite, "confNumber")->text(), QStringLiteral("Carol Wu"));
        QTRY_VERIFY_WITH_TIMEOUT(frameOf(callDlg()).contains(frameOf(invite)), kWaitMs);
        checkShot(QStringLiteral("8-incoming"), [] { return grabScreen(frameOf(callDlg())); });

        personClicks(child<QPushButton>(invite, "m_pBtnVideoAccept"));
        expectTheCall(QStringLiteral("Carol Wu"));
        if (QTest::currentTestFailed())
            return;
        QVERIFY(invite->isHidden());
        const auto accepted = rjsim::journalOf("acceptCall");
        QCOMPARE(int(accepted.size()), 1);
        QCOMPARE(accepted.front().at(1), std::string("1"));
        QTRY_VERIFY_WITH_TIMEOUT(layoutDlg()->getRemoteVideoCell()->isVisible(), kWaitMs);
        checkShot(QStringLiteral("8-accepted"), [] { return grabScreen(frameOf(callDlg())); });

        leaveTheCall();
        expectHomeAgain();
        QCOMPARE(seam.count(), 0);
    }
};

// The demo world runs at half its time: without delays a colleague's content
// in meeting 1006 would start and stop before the call window saw it, and an
// incoming call would end unanswered at once.
GLIMORA_E2E_MAIN(TestEndToEndCall, "0.5")

#include "tst_e2e_call.moc"
