// The layout engine of the call window against the simulated engine: which
// native window each video stream is bound to while the layout changes, the
// content-sharing states, the toolbar's mouse rule, the prompts and the two
// blocking warnings.

#include "support/AlertBoxSeam.h"
#include "support/HttpFixtureServer.h"
#include "support/StandInRingtone.h"
#include "support/TestMain.h"

#include "helpers/CUserConfigUtils.h"
#include "models/CCallController.h"
#include "models/CLoginManager.h"
#include "models/CRJSdkManager.h"
#include "models/ScreenThread.h"
#include "rjsim_control.h"
#include "views/annotation/CbackgroundWidget.h"
#include "views/annotation/QMenuButton.h"
#include "views/annotation/WhiteBoard.h"
#include "views/annotation/WhiteBoardDlg.h"
#include "views/annotation/WhiteBoardTopWidget.h"
#include "views/incall/CAudioModeWidget.h"
#include "views/incall/CLayoutCellCoverDlg.h"
#include "views/incall/CLayoutCellDlg.h"
#include "views/incall/CLayoutCoverDlg.h"
#include "views/incall/CLayoutFloatingCellsDlg.h"
#include "views/incall/CLayoutPeopleSettingDlg.h"
#include "views/incall/CLayoutToolbarDlg.h"
#include "views/incall/CMediaStatisticsDlg.h"
#include "views/incall/CPromptWidget.h"
#include "views/incall/CRemoteContentDlg.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTimer>
#include <qpa/qwindowsysteminterface.h>

#include <cstdlib>
#include <memory>

using glimora::test::AlertBoxSeam;
using glimora::test::HttpFixtureServer;
using rj_app::helpers::CUserConfigUtils;
using rj_app::models::CCallController;
using rj_app::models::CLoginManager;
using rj_app::models::CRJSdkManager;
using rj_app::models::ScreenThread;
using rj_app::views::AlertDlg;
using rj_app::views::CbackgroundWidget;
using rj_app::views::CLayoutCellDlg;
using rj_app::views::CLayoutPeopleSettingDlg;
using rj_app::views::CPromptWidget;
using rj_app::views::WhiteBoardDlg;
using namespace rj_app::enums;
namespace layout = rj_app::views::layout;

namespace {

constexpr int kWaitMs = 15000;
constexpr int kTitleBarHeight = 40;
const char *const kAcsPath = "/api/rest/v2.0/acsToken";
const QRect kCallWindowGeometry(100, 100, 1030, 625);

void setScreenDpi(qreal dpi)
{
    QWindowSystemInterface::handleScreenLogicalDotsPerInchChange(QGuiApplication::primaryScreen(), dpi, dpi);
    QWindowSystemInterface::flushWindowSystemEvents();
}

// The native window id the engine got last through `op`; -1 when never.
qint64 lastBoundId(const char *op)
{
    const auto calls = rjsim::journalOf(op);
    if (calls.empty())
        return -1;
    const std::string &arg = calls.back().at(1);
    if (arg == "(nil)")
        return 0;
    return qint64(std::strtoull(arg.c_str(), nullptr, 16));
}

QString promptText(CPromptWidget *prompt)
{
    QLabel *label = prompt ? prompt->findChild<QLabel *>() : nullptr;
    return label ? label->text() : QString();
}

// Where a window is once the X server has caught up with every move and
// resize asked of it so far: a late report of an older geometry would
// otherwise still be on its way.
QRect frame(QWidget *w)
{
    QApplication::sync();
    QCoreApplication::processEvents();
    return QRect(w->pos(), w->size());
}

// The X server confirms each move of a top-level window later; a stale
// confirmation can still be on its way, so a frame is compared until the
// latest one has arrived.
#define QTRY_COMPARE_WITH_TIMEOUT_FRAME(actual, expected) QTRY_COMPARE_WITH_TIMEOUT(actual, expected, 5000)

// Stands for the call window: holds the layout engine below a title bar,
// tells it where it is, shows it while connected, and is hidden while this
// client shares (as the main-window manager hides it).
class CallWindow : public QWidget
{
public:
    CallWindow()
    {
        setWindowFlags(Qt::FramelessWindowHint);
        setGeometry(kCallWindowGeometry);
        layout = new CLayoutPeopleSettingDlg(this);
        layout->m_iTitleBarHeight = kTitleBarHeight;
        layout->move(2, kTitleBarHeight + 2);
        layout->setRemoteVideoWindows();
        CCallController *call = CCallController::getInstance();
        QObject::connect(call, &CCallController::sigCallStatusChanged, layout, [this](CallStatus status) {
            if (status == ConfConnected) {
                show();
                layout->show();
                layout->onParentResized(geometry());
                layout->onParentMoved(x(), y());
                layout->initFloatingDlgPos();
            }
        });
        QObject::connect(call, &CCallController::sigContentStreamStatusChanged, layout,
                         [this](const rj_app::structs::CContentStreamInfo &info) {
                             if (!CCallController::isInCall(CCallController::getInstance()->getCallStatus()))
                                 return;
                             const int s = info.getCurrentStatus();
                             setVisible(s != ContentStreamStatus_SendingContentStarted
                                        && s != ContentStreamStatus_SendingWhiteBoardStarted);
                         });
    }

    CLayoutPeopleSettingDlg *layout = nullptr;

protected:
    void moveEvent(QMoveEvent *event) override
    {
        QWidget::moveEvent(event);
        layout->onParentMoved(x(), y());
    }
    void resizeEvent(QResizeEvent *event) override
    {
        QWidget::resizeEvent(event);
        layout->onParentResized(geometry());
        layout->onParentMoved(x(), y());
    }
    void showEvent(QShowEvent *event) override
    {
        QWidget::showEvent(event);
        if (layout->isHidden() && CCallController::getInstance()->getCallStatus() == ConfConnected)
            layout->show();
    }
    void hideEvent(QHideEvent *event) override
    {
        QWidget::hideEvent(event);
        layout->hide();
    }
};

} // namespace

class TestLayoutEngine : public QObject
{
    Q_OBJECT

    HttpFixtureServer m_server; // management server and whiteboard token
    std::unique_ptr<CallWindow> m_window;
    QDateTime m_now;

    CCallController *c() { return CCallController::getInstance(); }
    CRJSdkManager *sdk() { return CRJSdkManager::getInstance(); }
    CUserConfigUtils *config() { return CUserConfigUtils::getInstance(); }
    CLayoutPeopleSettingDlg *dlg() { return m_window->layout; }

    void answerToken(const QByteArray &token)
    {
        if (token.isEmpty())
            m_server.addRoute("GET", QLatin1String(kAcsPath), 500, "{}");
        else
            m_server.addRoute("GET", QLatin1String(kAcsPath), 200,
                              "{\"acsJsonWebToken\":\"" + token + "\",\"externalEdgeIp\":\"edge.example\"}");
    }

    void connectCall(const QString &number = QStringLiteral("8201001"), const QString &password = QString())
    {
        c()->dialOut(number, password, true, QString());
        QTRY_COMPARE_WITH_TIMEOUT(int(c()->getCallStatus()), int(ConfConnected), kWaitMs);
    }

    void waitForToken()
    {
        QTRY_VERIFY_WITH_TIMEOUT(!c()->getAcsJsonWebToken().isEmpty(), kWaitMs);
    }

    void endCall()
    {
        if (CCallController::isInCall(c()->getCallStatus())) {
            if (!c()->hangUp())
                c()->declineCall();
            QTRY_COMPARE_WITH_TIMEOUT(int(c()->getCallStatus()), int(ConfEnded), kWaitMs);
        }
        QCOMPARE(rjsim_wait_idle(kWaitMs), 1);
        QCoreApplication::processEvents();
        c()->setContentStreamStatus(ContentStreamStatus_None, std::string(), 0);
    }

    // The layout in the call window as the engine's geometry says it is.
    layout::LayoutSize expectedSize(int mode)
    {
        return layout::calculateLayoutSize(mode, dlg()->width(), dlg()->height());
    }
    QPoint origin(const layout::LayoutSize &s)
    {
        return m_window->pos() + QPoint(2 + s.relativeX, kTitleBarHeight + 2 + s.relativeY);
    }

    // Every stream is bound to the native window its cell has now; a cell
    // that is not shown may be unbound until it is.
    void checkBindings(const char *step)
    {
        QApplication::sync();
        QCoreApplication::processEvents();
        const struct
        {
            const char *op;
            CLayoutCellDlg *cell;
        } streams[] = {{"setRemoteVideoWindow", dlg()->getRemoteVideoCell()},
                       {"setLocalVideoWindow", dlg()->getLocalVideoCell()},
                       {"setRemoteContentWindow", dlg()->getRemoteContentCell()}};
        for (const auto &stream : streams) {
            if (!stream.cell)
                continue;
            const QByteArray where = QByteArray(step) + ": " + stream.op;
            const qint64 bound = lastBoundId(stream.op);
            const qint64 current = qint64(stream.cell->getVideoWidget()->winId());
            if (stream.cell->isVisible())
                QVERIFY2(bound == current, where.constData());
            else
                QVERIFY2(bound == current || bound == 0, where.constData());
        }
    }

    void checkPeopleInStrip(const char *step)
    {
        auto *strip = dlg()->getFloatingCellsDlg();
        QVERIFY2(strip->isVisible(), step);
        QVERIFY2(dlg()->getLocalVideoCell()->parentWidget() == strip, step);
        QVERIFY2(dlg()->getLocalVideoCell()->isVisible(), step);
    }

    void checkNormalLayout(const char *step)
    {
        const auto s = expectedSize(LayoutMode_NormalPeople);
        CLayoutCellDlg *remote = dlg()->getRemoteVideoCell();
        QVERIFY2(remote->isVisible(), step);
        QTRY_COMPARE_WITH_TIMEOUT_FRAME(frame(remote), QRect(origin(s), QSize(s.layoutWidth, s.layoutHeight)));
        checkPeopleInStrip(step);
    }

    void checkContentOnlyLayout(const char *step)
    {
        const auto s = expectedSize(LayoutMode_RemoteContentOnly);
        CLayoutCellDlg *content = dlg()->getRemoteContentCell();
        QVERIFY2(content && content->isVisible(), step);
        QTRY_COMPARE_WITH_TIMEOUT_FRAME(frame(content), QRect(origin(s), QSize(s.layoutWidth, s.layoutHeight)));
        QVERIFY2(dlg()->getRemoteVideoCell()->parentWidget() == dlg()->getFloatingCellsDlg(), step);
    }

    void checkPreferredContentLayout(const char *step)
    {
        const auto s = expectedSize(LayoutMode_RemotePreferredContent);
        const QPoint o = origin(s);
        const int x0 = (s.layoutWidth - 2 * s.peopleWidth) / 2;
        QTRY_COMPARE_WITH_TIMEOUT_FRAME(frame(dlg()->getRemoteContentCell()),
                 QRect(o + QPoint((s.layoutWidth - s.contentWidth) / 2, 0), QSize(s.contentWidth, s.contentHeight)));
        QTRY_COMPARE_WITH_TIMEOUT_FRAME(frame(dlg()->getLocalVideoCell()),
                 QRect(o + QPoint(x0, s.contentHeight), QSize(s.peopleWidth, s.peopleHeight)));
        QTRY_COMPARE_WITH_TIMEOUT_FRAME(frame(dlg()->getRemoteVideoCell()),
                 QRect(o + QPoint(x0 + s.peopleWidth, s.contentHeight), QSize(s.peopleWidth, s.peopleHeight)));
        for (CLayoutCellDlg *cell :
             {dlg()->getRemoteContentCell(), dlg()->getLocalVideoCell(), dlg()->getRemoteVideoCell()})
            QVERIFY2(cell->isVisible() && cell->parentWidget() == dlg(), step);
        QVERIFY2(!dlg()->getFloatingCellsDlg()->isVisible(), step);
    }

    void sendMove(const QPoint &global, qint64 atMs)
    {
        m_now = m_now.addMSecs(atMs);
        QWidget *cover = dlg()->getLayoutCover();
        QMouseEvent ev(QEvent::MouseMove, QPointF(global - cover->pos()), QPointF(global), Qt::NoButton,
                       Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(cover, &ev);
    }

private slots:
    void initTestCase()
    {
        qputenv("RJSIM_TIME_SCALE", "0");
        qRegisterMetaType<WId>("WId");
        CUserConfigUtils::initInstance(QCoreApplication::applicationFilePath().toLocal8Bit().constData());
        QVERIFY(glimora::test::useStandInRingtone());
        QVERIFY(m_server.start());
        answerToken("tok");

        CLoginManager *login = CLoginManager::getInstance();
        login->initRJSdkManagerInstance();
        login->initialize();
        QVERIFY(sdk());
        config()->setUseHttps(false);
        QVERIFY(login->login(QStringLiteral("127.0.0.1"), false, m_server.port(), QStringLiteral("alice"),
                             QStringLiteral("Alice123")));
        QTRY_COMPARE_WITH_TIMEOUT(int(login->m_loginStatus), int(LoggedIn), kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(login->getRegisterInfo().state, 1, kWaitMs);
    }

    void init()
    {
        answerToken("tok");
        config()->setOpenNewWinInContentStream(false);
        config()->setDisablePrompt(true);
        m_window = std::make_unique<CallWindow>();
        m_now = QDateTime::currentDateTime().addSecs(3600);
        dlg()->setClock([this] { return m_now; });
        dlg()->setActiveMainDlgFunc([this]() -> QWidget * { return m_window.get(); });
        rjsim_clear_journal();
    }

    void cleanup()
    {
        AlertDlg::setInterceptor({});
        endCall();
        setScreenDpi(96);
        m_window.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void cleanupTestCase()
    {
        m_server.stop();
        CRJSdkManager::releaseInstance();
    }

    // ------------------------------------------------------------------
    // Video binding

    // Through mode changes, compact mode and a change of scale, the engine
    // renders every stream into the native window its cell has at that
    // moment, and the cells stand where the layout puts them.
    void videoWindowsFollowTheLayout()
    {
        connectCall();
        QCOMPARE(int(dlg()->getLayoutMode()), int(LayoutMode_NormalPeople));
        checkNormalLayout("connected");
        checkBindings("connected");

        QCOMPARE(rjsim_command("content start Dave Li"), 0);
        QTRY_COMPARE_WITH_TIMEOUT(int(dlg()->getLayoutMode()), int(LayoutMode_RemoteContentOnly), kWaitMs);
        checkContentOnlyLayout("content arrives");
        checkBindings("content arrives");

        dlg()->slotOnChangeLayoutMode(LayoutMode_RemotePreferredContent);
        checkPreferredContentLayout("content preferred");
        checkBindings("content preferred");

        dlg()->setCompactMode(true);
        m_window->setGeometry(50, 50, 384, 256);
        QCOMPARE(int(dlg()->getLayoutMode()), int(LayoutMode_RemoteContentOnly));
        QVERIFY(dlg()->getRemoteContentCell()->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(!dlg()->getFloatingCellsDlg()->isVisible());
        QTRY_COMPARE_WITH_TIMEOUT_FRAME(frame(dlg()->getRemoteContentCell()),
                 QRect(origin(expectedSize(LayoutMode_RemoteContentOnly)),
                       QSize(expectedSize(LayoutMode_RemoteContentOnly).layoutWidth,
                             expectedSize(LayoutMode_RemoteContentOnly).layoutHeight)));
        checkBindings("compact");

        dlg()->setCompactMode(false);
        m_window->setGeometry(kCallWindowGeometry);
        dlg()->getFloatingCellsDlg()->slot_FloatingCellsDlg_Show();
        QVERIFY(!(dlg()->getRemoteContentCell()->windowFlags() & Qt::WindowStaysOnTopHint));
        checkContentOnlyLayout("compact off");
        checkBindings("compact off");

        setScreenDpi(144);
        QTRY_COMPARE(dlg()->getFloatingCellsDlg()->getCellWidth(), 567);
        checkContentOnlyLayout("scale 1.5");
        checkBindings("scale 1.5");
        setScreenDpi(96);

        dlg()->slotOnChangeLayoutMode(LayoutMode_RemotePreferredContent);
        checkBindings("content preferred again");
        QCOMPARE(rjsim_command("content stop Dave Li"), 0);
        QTRY_COMPARE_WITH_TIMEOUT(int(dlg()->getLayoutMode()), int(LayoutMode_NormalPeople), kWaitMs);
        checkNormalLayout("content stopped");
        checkBindings("content stopped");
        QVERIFY(!dlg()->getRemoteContentCell()->isVisible());
    }

    // A double click on the content in the preferred layout goes to content
    // only and full screen in one step; in compact mode it does nothing.
    void doubleClickOnContent()
    {
        connectCall();
        QCOMPARE(rjsim_command("content start Dave Li"), 0);
        QTRY_VERIFY_WITH_TIMEOUT(dlg()->getRemoteContentCell() && dlg()->getRemoteContentCell()->isVisible(),
                                 kWaitMs);
        dlg()->slotOnChangeLayoutMode(LayoutMode_RemotePreferredContent);
        QSignalSpy fullScreen(dlg(), &CLayoutPeopleSettingDlg::sigSwitchFullScreen);
        QMouseEvent click(QEvent::MouseButtonDblClick, QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);

        emit dlg()->getRemoteContentCell()->sigMouseDoubleClick(dlg()->getRemoteContentCell(), &click);
        QCOMPARE(int(dlg()->getLayoutMode()), int(LayoutMode_RemoteContentOnly));
        QCOMPARE(fullScreen.count(), 1);
        // The call window goes full screen, which lays the content out alone.
        m_window->setGeometry(QGuiApplication::primaryScreen()->geometry());
        checkContentOnlyLayout("full screen");

        // The strip's own cells never switch.
        emit dlg()->getRemoteVideoCell()->sigMouseDoubleClick(dlg()->getRemoteVideoCell(), &click);
        QCOMPARE(fullScreen.count(), 1);

        dlg()->setCompactMode(true);
        emit dlg()->getRemoteContentCell()->sigMouseDoubleClick(dlg()->getRemoteContentCell(), &click);
        QCOMPARE(fullScreen.count(), 1);
        dlg()->showMediaStatisticsDlg();
        QVERIFY(!dlg()->getMediaStatisticsDlg());
        dlg()->setCompactMode(false);
        dlg()->showMediaStatisticsDlg();
        QVERIFY(dlg()->getMediaStatisticsDlg() && dlg()->getMediaStatisticsDlg()->isVisible());
    }

    // The cells are windows of their own: when the call window goes away
    // (hidden, minimised) they go with it, and come back with it.
    void cellsGoWithTheCallWindow()
    {
        connectCall();
        QCOMPARE(rjsim_command("content start Dave Li"), 0);
        QTRY_COMPARE_WITH_TIMEOUT(int(dlg()->getLayoutMode()), int(LayoutMode_RemoteContentOnly), kWaitMs);
        dlg()->slotOnChangeLayoutMode(LayoutMode_RemotePreferredContent);
        const QList<CLayoutCellDlg *> cells{dlg()->getRemoteContentCell(), dlg()->getLocalVideoCell(),
                                            dlg()->getRemoteVideoCell()};

        m_window->hide();
        for (CLayoutCellDlg *cell : cells)
            QVERIFY(!cell->isVisible());
        QVERIFY(!dlg()->getLayoutCover()->isVisible());

        m_window->show();
        checkPreferredContentLayout("shown again");
        checkBindings("shown again");
    }

    // The call turns audio-only and back: the panel replaces the video and
    // gives way to it again, with the toolbar over the video.
    void audioOnlyStretch()
    {
        connectCall();
        QCOMPARE(rjsim_command("call-state audio 1"), 0);
        QTRY_COMPARE_WITH_TIMEOUT(int(dlg()->getLayoutMode()), int(LayoutMode_AudioOnly), kWaitMs);
        QVERIFY(dlg()->getAudioWidget()->isVisible());
        QCOMPARE(dlg()->getAudioWidget()->size(), dlg()->size());
        QVERIFY(!dlg()->getRemoteVideoCell()->isVisible());
        QVERIFY(!dlg()->getFloatingCellsDlg()->isVisible());
        QCOMPARE(dlg()->getToolbarDlg()->parentWidget(), static_cast<QWidget *>(dlg()->getAudioWidget()));

        QCOMPARE(rjsim_command("call-state audio 0"), 0);
        QTRY_COMPARE_WITH_TIMEOUT(int(dlg()->getLayoutMode()), int(LayoutMode_NormalPeople), kWaitMs);
        QVERIFY(!dlg()->getAudioWidget()->isVisible());
        QCOMPARE(dlg()->getToolbarDlg()->parentWidget(), static_cast<QWidget *>(dlg()->getLayoutCover()));
        checkNormalLayout("video again");
        checkBindings("video again");
    }

    // ------------------------------------------------------------------
    // Content sharing

    // A shared screen lays the overlay and the sheet over the chosen screen
    // and hides the layout; the overlay's Stop ends the share with the
    // engine and brings the people back.
    void shareScreenAndStop()
    {
        connectCall();
        dlg()->setShareScreenIndex(0);
        c()->setContentStreamStatus(ContentStreamStatus_SendingContentStarted, std::string(), 0);

        QPointer<CbackgroundWidget> overlay = dlg()->getBackgroundWidget();
        QPointer<QWidget> sheet = dlg()->getScreenDrawing();
        QVERIFY(overlay && sheet);
        const QRect screen = QGuiApplication::screens().at(0)->geometry();
        QVERIFY(overlay->isVisible() && sheet->isVisible());
        QTRY_COMPARE_WITH_TIMEOUT_FRAME(frame(overlay), screen);
        QTRY_COMPARE_WITH_TIMEOUT_FRAME(frame(sheet), screen);
        QCOMPARE(int(dlg()->getLayoutMode()), int(LayoutMode_LocalContent));
        QVERIFY(!dlg()->isVisible());
        auto *strip = dlg()->getFloatingCellsDlg();
        QVERIFY(strip->isVisible());
        QVERIFY(strip->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(dlg()->getRemoteVideoCell()->parentWidget() == strip);

        // The board colour goes to the sheet.
        overlay->m_strDrawBg = QStringLiteral("rgb(0,0,0,255)");
        emit overlay->changeBgColor();
        QVERIFY(sheet->findChild<QWidget *>(QStringLiteral("bg"))->styleSheet().contains(QLatin1String("rgba(0, 0, 0, 255)")));
        QVERIFY(qobject_cast<WhiteBoard *>(sheet.data())->takesMouse());

        // The overlay's Stop asks first: No keeps sharing, Yes ends it.
        const int stops = rjsim_journal_count("stopContent");
        auto *stop = overlay->findChild<QPushButton *>(QStringLiteral("Button_Close"));
        QVERIFY(stop && stop->isVisible());
        {
            AlertBoxSeam seam{QDialogButtonBox::No};
            QTest::mouseClick(stop, Qt::LeftButton);
            QCOMPARE(seam.count(), 1);
        }
        QCOMPARE(rjsim_journal_count("stopContent"), stops);
        QCOMPARE(int(c()->getContentStreamStatus()), int(ContentStreamStatus_SendingContentStarted));
        {
            AlertBoxSeam seam{QDialogButtonBox::Yes};
            QTest::mouseClick(stop, Qt::LeftButton);
        }
        QCOMPARE(rjsim_journal_count("stopContent"), stops + 1);
        QCOMPARE(lastBoundId("setLocalContentWindow"), 0);
        QCOMPARE(int(c()->getContentStreamStatus()), int(ContentStreamStatus_None));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!overlay && !sheet);
        QVERIFY(!dlg()->getScreenDrawing());
        QCOMPARE(int(dlg()->getLayoutMode()), int(LayoutMode_NormalPeople));
        QVERIFY(dlg()->isVisible());
        checkNormalLayout("share ended");
        checkBindings("share ended");
    }

    // The overlay's Stop outside a connected call deletes it and resets the
    // status without asking the engine; a share index past the screens is
    // harmless.
    void shareStoppedOutsideACall()
    {
        // A screen that is gone by now leaves the overlay where it is.
        dlg()->setShareScreenIndex(int(QGuiApplication::screens().size()));
        c()->setContentStreamStatus(ContentStreamStatus_SendingContentStarted, std::string(), 0);
        QPointer<CbackgroundWidget> overlay = dlg()->getBackgroundWidget();
        QVERIFY(overlay);
        emit overlay->sigClose();
        QCOMPARE(rjsim_journal_count("stopContent"), 0);
        QCOMPARE(int(c()->getContentStreamStatus()), int(ContentStreamStatus_None));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!overlay);
    }

    // A sent whiteboard shows its window and feeds it to the engine until
    // its Stop; then the feeder stops and the people come back.
    void sendWhiteBoardAndStop()
    {
        connectCall();
        c()->setContentStreamStatus(ContentStreamStatus_SendingWhiteBoardStarted, std::string(), 0);
        WhiteBoardDlg *board = dlg()->getWhiteBoardDlg();
        QVERIFY(board && board->isVisible() && board->isSending());
        QVERIFY(board->m_pBoardTopWidget && board->m_pBoardTopWidget->isVisible());
        QCOMPARE(int(dlg()->getLayoutMode()), int(LayoutMode_LocalWhiteBoard));
        ScreenThread *feeder = dlg()->getScreenThread();
        QVERIFY(feeder && feeder->isRunning());
        QTRY_VERIFY_WITH_TIMEOUT(rjsim_content_frames() > 0, kWaitMs);

        const int stops = rjsim_journal_count("stopContent");
        emit board->sigHiddenWhiteBoard();
        QCOMPARE(rjsim_journal_count("stopContent"), stops + 1);
        QCOMPARE(int(c()->getContentStreamStatus()), int(ContentStreamStatus_None));
        QVERIFY(!board->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!feeder->isRunning(), kWaitMs);
        QCOMPARE(int(dlg()->getLayoutMode()), int(LayoutMode_NormalPeople));
        checkNormalLayout("whiteboard stopped");

        // The next whiteboard runs the same feeder again.
        c()->setContentStreamStatus(ContentStreamStatus_SendingWhiteBoardStarted, std::string(), 0);
        QCOMPARE(dlg()->getScreenThread(), feeder);
        QVERIFY(feeder->isRunning());
    }

    // The call ends while a whiteboard is sent and no content end came
    // first: the whiteboard window goes and no frame flows any more.
    void callEndStopsTheFeeder()
    {
        connectCall();
        c()->setContentStreamStatus(ContentStreamStatus_SendingWhiteBoardStarted, std::string(), 0);
        ScreenThread *feeder = dlg()->getScreenThread();
        QVERIFY(feeder && feeder->isRunning());

        QVERIFY(c()->hangUp());
        QTRY_COMPARE_WITH_TIMEOUT(int(c()->getCallStatus()), int(ConfEnded), kWaitMs);
        QCOMPARE(int(c()->getContentStreamStatus()), int(ContentStreamStatus_SendingWhiteBoardStarted));
        QVERIFY(!dlg()->getWhiteBoardDlg()->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!feeder->isRunning(), kWaitMs);
    }

    // Destroying the layout engine while a whiteboard is sent ends the
    // feeder and frees it before the window it grabs is gone.
    void destructionEndsTheFeeder()
    {
        connectCall();
        c()->setContentStreamStatus(ContentStreamStatus_SendingWhiteBoardStarted, std::string(), 0);
        QPointer<ScreenThread> feeder = dlg()->getScreenThread();
        QVERIFY(feeder && feeder->isRunning());
        bool finished = false;
        connect(feeder.data(), &QThread::finished, this, [&finished] { finished = true; }, Qt::DirectConnection);

        m_window.reset();
        QVERIFY(finished);
        QVERIFY(!feeder);
    }

    // Received content and whiteboards, in the layout or in a window of
    // their own, with and without the whiteboard token.
    void receiveContent_data()
    {
        QTest::addColumn<bool>("separate");
        QTest::addColumn<bool>("token");
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("shownIn"); // "cell", "whiteboard cell", "content window", "board window", ""

        QTest::newRow("content in the layout") << false << true << "content start Dave Li"
                                               << int(LayoutMode_RemoteContentOnly) << "cell";
        QTest::newRow("content in its own window") << true << true << "content start Dave Li"
                                                   << int(LayoutMode_NormalPeople) << "content window";
        QTest::newRow("whiteboard in the layout") << false << true << "content start whiteboard Erin Park"
                                                  << int(LayoutMode_RemoteWhiteBoardOnly) << "whiteboard cell";
        QTest::newRow("whiteboard without token") << false << false << "content start whiteboard Erin Park"
                                                  << int(LayoutMode_NormalPeople) << "";
        QTest::newRow("whiteboard in its own window") << true << true << "content start whiteboard Erin Park"
                                                      << int(LayoutMode_NormalPeople) << "board window";
        QTest::newRow("whiteboard in its own window without token")
            << true << false << "content start whiteboard Erin Park" << int(LayoutMode_NormalPeople) << "";
    }
    void receiveContent()
    {
        QFETCH(bool, separate);
        QFETCH(bool, token);
        QFETCH(QString, command);
        QFETCH(int, mode);
        QFETCH(QString, shownIn);

        config()->setOpenNewWinInContentStream(separate);
        answerToken(token ? "tok" : "");
        connectCall(QStringLiteral("1002"), QStringLiteral("1234"));
        if (token)
            waitForToken();
        QCOMPARE(rjsim_command(command.toUtf8().constData()), 0);
        QTRY_VERIFY_WITH_TIMEOUT(c()->getContentStreamStatus() != ContentStreamStatus_None, kWaitMs);
        QCOMPARE(int(dlg()->getLayoutMode()), mode);

        CLayoutCellDlg *contentCell = dlg()->getRemoteContentCell();
        const bool inCell = shownIn == QLatin1String("cell");
        QCOMPARE(contentCell && contentCell->isVisible(), inCell);
        if (inCell) {
            QCOMPARE(contentCell->getCellCoverDlg()->findChild<QLabel *>(QStringLiteral("m_pLblSiteName"))->text(),
                     QStringLiteral("Dave Li's Screen Sharing"));
            QCOMPARE(lastBoundId("setRemoteContentWindow"), qint64(contentCell->getVideoWidget()->winId()));
        }
        const bool inContentWindow = shownIn == QLatin1String("content window");
        QCOMPARE(dlg()->getRemoteContentDlg() && dlg()->getRemoteContentDlg()->isVisible(), inContentWindow);
        if (inContentWindow) {
            QCOMPARE(lastBoundId("setRemoteContentWindow"), qint64(dlg()->getRemoteContentDlg()->getContentWindowId()));
            // Titled with the meeting number, never with its password.
            QCOMPARE(dlg()->getRemoteContentDlg()->findChild<QLabel *>(QStringLiteral("m_pLblTitle"))->text(),
                     QStringLiteral("1002"));
        }
        const bool inBoardCell = shownIn == QLatin1String("whiteboard cell");
        QCOMPARE(dlg()->getRemoteWhiteBoardCell()->isVisible(), inBoardCell);
        WhiteBoardDlg *embedded = dlg()->getWhiteBoardDlgForLayout();
        QCOMPARE(embedded && embedded->isVisible(), inBoardCell);
        if (inBoardCell) {
            QVERIFY(!embedded->m_bIsSeperateDlg && !embedded->isSending() && embedded->hasWebPage());
            QWidget *video = dlg()->getRemoteWhiteBoardCell()->getVideoWidget();
            QTRY_COMPARE_WITH_TIMEOUT_FRAME(frame(embedded), QRect(video->mapToGlobal(QPoint(0, 0)), video->size()));
        }
        WhiteBoardDlg *board = dlg()->getWhiteBoardDlg();
        QCOMPARE(board && board->isVisible(), shownIn == QLatin1String("board window"));
        QVERIFY(!dlg()->getScreenThread());
        if (mode == LayoutMode_NormalPeople)
            checkNormalLayout("received");

        // The content ends: the layout returns to the people and every
        // content window is gone.
        QCOMPARE(rjsim_command(command.replace(QLatin1String("start"), QLatin1String("stop")).toUtf8().constData()),
                 0);
        QTRY_COMPARE_WITH_TIMEOUT(int(c()->getContentStreamStatus()), int(ContentStreamStatus_None), kWaitMs);
        QCOMPARE(int(dlg()->getLayoutMode()), int(LayoutMode_NormalPeople));
        QVERIFY(!(contentCell && contentCell->isVisible()));
        QVERIFY(!dlg()->getRemoteWhiteBoardCell()->isVisible());
        QVERIFY(!(embedded && embedded->isVisible()));
        QVERIFY(!(dlg()->getRemoteContentDlg() && dlg()->getRemoteContentDlg()->isVisible()));
        checkNormalLayout("content ended");
    }

    // With content in a window of its own, a change from sending to
    // receiving brings the people back into the call window instead of
    // leaving the layout of the local share, hidden.
    void sendingThenReceivingInOwnWindow_data()
    {
        QTest::addColumn<int>("sending");
        QTest::addColumn<int>("receiving");
        QTest::newRow("screen, then content") << int(ContentStreamStatus_SendingContentStarted)
                                              << int(ContentStreamStatus_ReceivingContentStarted);
        QTest::newRow("whiteboard, then content") << int(ContentStreamStatus_SendingWhiteBoardStarted)
                                                  << int(ContentStreamStatus_ReceivingContentStarted);
        QTest::newRow("screen, then whiteboard") << int(ContentStreamStatus_SendingContentStarted)
                                                 << int(ContentStreamStatus_ReceivingWhiteBoardStarted);
    }
    void sendingThenReceivingInOwnWindow()
    {
        QFETCH(int, sending);
        QFETCH(int, receiving);
        config()->setOpenNewWinInContentStream(true);
        connectCall();
        waitForToken();
        c()->setContentStreamStatus(sending, std::string(), 0);
        QVERIFY(!dlg()->isVisible());

        c()->setContentStreamStatus(receiving, "Dave Li", 7);
        QCOMPARE(int(dlg()->getLayoutMode()), int(LayoutMode_NormalPeople));
        QVERIFY(m_window->isVisible());
        QVERIFY(dlg()->isVisible());
        checkNormalLayout("receiving");
        QVERIFY(!(dlg()->getFloatingCellsDlg()->windowFlags() & Qt::WindowStaysOnTopHint));
        QTRY_VERIFY_WITH_TIMEOUT(!dlg()->getScreenThread() || !dlg()->getScreenThread()->isRunning(), kWaitMs);
    }

    // ------------------------------------------------------------------
    // Toolbar

    // Moves over the video show the toolbar only as one movement of more
    // than 10 pixels with gaps under 301 ms; a jump after a pause never does.
    void toolbarShownByMovement_data()
    {
        QTest::addColumn<QList<QPoint>>("points");
        QTest::addColumn<QList<int>>("gapsMs"); // before each point
        QTest::addColumn<QList<bool>>("shown"); // after each point

        QTest::newRow("jump after a pause") << QList<QPoint>{{100, 100}, {400, 400}}
                                            << QList<int>{1000, 301} << QList<bool>{false, false};
        QTest::newRow("movement beyond 10 px") << QList<QPoint>{{100, 100}, {105, 100}, {111, 100}}
                                               << QList<int>{1000, 100, 100} << QList<bool>{false, false, true};
        QTest::newRow("exactly 10 px") << QList<QPoint>{{100, 100}, {106, 108}, {110, 100}}
                                       << QList<int>{1000, 300, 300} << QList<bool>{false, false, false};
        QTest::newRow("diagonal just beyond") << QList<QPoint>{{100, 100}, {108, 107}}
                                              << QList<int>{1000, 300} << QList<bool>{false, true};
        QTest::newRow("slow movement re-anchors") << QList<QPoint>{{100, 100}, {120, 100}, {140, 100}}
                                                  << QList<int>{1000, 301, 301} << QList<bool>{false, false, false};
        QTest::newRow("moved once, any move goes on showing")
            << QList<QPoint>{{100, 100}, {120, 100}, {120, 101}} << QList<int>{1000, 10, 10}
            << QList<bool>{false, true, true};
    }
    void toolbarShownByMovement()
    {
        QFETCH(QList<QPoint>, points);
        QFETCH(QList<int>, gapsMs);
        QFETCH(QList<bool>, shown);
        m_window->show();
        dlg()->show();
        auto *toolbar = dlg()->getToolbarDlg();
        for (int i = 0; i < points.size(); ++i) {
            sendMove(points[i], gapsMs[i]);
            QCOMPARE(toolbar->isVisible(), shown[i]);
        }
    }

    // A shown toolbar stands along the bottom of the layout, as wide as it,
    // and hides itself after the interval; a press toggles it; nothing of
    // this runs while this client shares.
    void toolbarPlacementAndHiding()
    {
        m_window->show();
        dlg()->show();
        auto *toolbar = dlg()->getToolbarDlg();
        dlg()->setHideToolbarIntervalMs(20);
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(200, 200), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(dlg()->getLayoutCover(), &press);
        QVERIFY(toolbar->isVisible());
        QCOMPARE(toolbar->width(), dlg()->width() + 2);
        QCOMPARE(toolbar->pos(), QPoint(m_window->x(), m_window->y() + dlg()->y() + dlg()->height() - toolbar->height()));
        QTRY_VERIFY(!toolbar->isVisible());

        QApplication::sendEvent(dlg()->getLayoutCover(), &press);
        QVERIFY(toolbar->isVisible());
        QApplication::sendEvent(dlg()->getLayoutCover(), &press);
        QVERIFY(!toolbar->isVisible());

        c()->setContentStreamStatus(ContentStreamStatus_SendingContentStarted, std::string(), 0);
        QApplication::sendEvent(dlg()->getLayoutCover(), &press);
        sendMove({100, 100}, 1000);
        sendMove({150, 100}, 10);
        QVERIFY(!toolbar->isVisible());
    }

    // ------------------------------------------------------------------
    // Prompts

    // Which events prompt what, for how long and over which window, by
    // layout, compact mode and the prompt setting.
    void promptRouting_data()
    {
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<int>("status");       // content-stream status: 0, 3 or 4
        QTest::addColumn<bool>("compact");
        QTest::addColumn<bool>("disablePrompt");
        QTest::addColumn<QString>("text");     // empty: no prompt
        QTest::addColumn<int>("ms");
        QTest::addColumn<QString>("over");     // "cover", "overlay", "whiteboard"

        const QString denied = QStringLiteral("The request for sending conent is denied due to lack of permission.");
        QTest::newRow("share denied") << "content 3" << 0 << false << true << denied << 5000 << "cover";
        QTest::newRow("other content record") << "content 1" << 0 << false << true << "" << 0 << "";
        QTest::newRow("muted by host") << "muted" << 0 << false << true
                                       << "You have been muted by meeting host." << 7000 << "cover";
        QTest::newRow("muted by host while sharing a screen")
            << "muted" << 3 << false << true << "You have been muted by meeting host." << 7000 << "overlay";
        QTest::newRow("muted by host while sending a whiteboard")
            << "muted" << 4 << false << true << "You have been muted by meeting host." << 7000 << "whiteboard";
        QTest::newRow("muted by host, compact") << "muted" << 0 << true << true << "" << 0 << "";
        QTest::newRow("muted by host, compact, sharing") << "muted" << 3 << true << true << "" << 0 << "";
        QTest::newRow("unmuted, microphone on")
            << "unmuted mic on" << 0 << false << true << "You are unmuted, other participants can hear you now."
            << 5000 << "cover";
        QTest::newRow("unmuted, microphone off") << "unmuted mic off" << 0 << false << true << "" << 0 << "";
        QTest::newRow("speaking while muted") << "mute speaking" << 0 << false << false << "Microphone Muted"
                                              << 3000 << "cover";
        QTest::newRow("speaking while muted, prompts off") << "mute speaking" << 0 << false << true << "" << 0
                                                           << "";
        QTest::newRow("speech request") << "request speak" << 3 << false << true
                                        << "Speech request has been sent" << 3000 << "overlay";
        QTest::newRow("video muted, no call") << "video 1" << 0 << false << true << "" << 0 << "";
        QTest::newRow("default microphone") << "device 0 1 System Default Microphone|Built-in Mic" << 0 << false
                                            << true << "Current microphone: Built-in Mic" << 4000 << "cover";
        QTest::newRow("speaker by name") << "device 1 2 USB Headset|Headset (USB)" << 0 << false << true
                                         << "Current speaker: USB Headset" << 4000 << "cover";
        QTest::newRow("default speaker") << "device 1 0 System Default Speaker|Speakers" << 4 << false << true
                                         << "Current speaker: Speakers" << 4000 << "whiteboard";
        QTest::newRow("camera by name") << "device 2 0 Cam Ü|desc" << 0 << false << true
                                        << "Current camera: Cam Ü" << 4000 << "cover";
        QTest::newRow("no camera") << "device 2 -1 |" << 0 << false << true << "No camera device available."
                                   << 4000 << "cover";
        QTest::newRow("no microphone") << "device 0 -5 x|" << 0 << false << true
                                       << "No microphone device available." << 4000 << "cover";
        QTest::newRow("other device kind") << "device 3 0 x|" << 0 << false << true << "" << 0 << "";
        QTest::newRow("network unstable, prompts off") << "warn 0" << 0 << false << true << "" << 0 << "";
        QTest::newRow("network unstable")
            << "warn 0" << 0 << false << false
            << "Network is not stable now, it may impact your conferencing experience." << 10000 << "cover";
        QTest::newRow("network poor")
            << "warn 1" << 3 << false << false
            << "Network is in very poor status, recommend checking network or switching to better network."
            << 10000 << "overlay";
        QTest::newRow("bandwidth low") << "warn 2" << 0 << false << false
                                       << "Network bandwidth is insufficient, it may impact your conferencing "
                                          "experience."
                                       << 10000 << "cover";
        QTest::newRow("bandwidth very low, prompts off") << "warn 3" << 0 << false << true << "" << 0 << "";
        QTest::newRow("bandwidth very low")
            << "warn 3" << 0 << false << false
            << "Network bandwidth is in serious shortage, recommend checking network bandwidth or switching to "
               "better network."
            << 10000 << "cover";
        QTest::newRow("unmute refused, prompts off") << "warn 5" << 0 << false << true
                                                     << "Not allowed to unmute." << 10000 << "cover";
        QTest::newRow("unknown warning") << "warn 42" << 0 << false << false << "" << 0 << "";
    }
    void promptRouting()
    {
        QFETCH(QString, trigger);
        QFETCH(int, status);
        QFETCH(bool, compact);
        QFETCH(bool, disablePrompt);
        QFETCH(QString, text);
        QFETCH(int, ms);
        QFETCH(QString, over);

        config()->setDisablePrompt(disablePrompt);
        m_window->show();
        dlg()->show();
        // As in a connected call, whose layout shows its mouse cover: a
        // prompt over the video stays hidden while its cover is.
        dlg()->getLayoutCover()->show();
        if (status != 0)
            c()->setContentStreamStatus(status, std::string(), 0);
        if (compact)
            dlg()->setCompactMode(true);

        const QStringList parts = trigger.split(QLatin1Char(' '));
        const QString kind = parts.at(0);
        if (kind == QLatin1String("content")) {
            rj::engine::RJContentInfo info;
            info.status = parts.at(1).toInt();
            dlg()->slotOnContent(info);
        } else if (kind == QLatin1String("muted")) {
            dlg()->slotOnMicMutedShow(true);
        } else if (kind == QLatin1String("unmuted")) {
            QVERIFY(sdk()->enableMic(parts.at(2) == QLatin1String("on")));
            dlg()->slotOnMicMutedShow(false);
        } else if (kind == QLatin1String("mute")) {
            dlg()->slotOnMuteSpeakingDetected();
        } else if (kind == QLatin1String("request")) {
            dlg()->slotOnRequestSpeak();
        } else if (kind == QLatin1String("video")) {
            dlg()->slotOnVideoMutedShow(parts.at(1).toInt());
        } else if (kind == QLatin1String("device")) {
            rj::engine::RJDevice device;
            device.type = rj::engine::RJ_DEVICE_TYPE(parts.at(1).toInt());
            device.id = std::uint32_t(parts.at(2).toInt());
            const QStringList names = trigger.section(QLatin1Char(' '), 3).split(QLatin1Char('|'));
            device.name = names.at(0).toStdString();
            device.desc = names.at(1).toStdString();
            dlg()->slotOnCurrentDeviceChanged(device);
        } else if (kind == QLatin1String("warn")) {
            rj::engine::RJWarn warn;
            warn.code = parts.at(1).toInt();
            dlg()->slotOnWarn(warn);
        }

        CPromptWidget *prompt = dlg()->getPromptWidget();
        if (text.isEmpty()) {
            QVERIFY(!prompt || !prompt->isVisible());
            return;
        }
        QVERIFY(prompt && prompt->isVisible());
        QCOMPARE(promptText(prompt), text);
        QCOMPARE(prompt->hideTimer()->interval(), ms);
        QWidget *expectedParent = over == QLatin1String("overlay")      ? static_cast<QWidget *>(dlg()->getBackgroundWidget())
                                  : over == QLatin1String("whiteboard") ? static_cast<QWidget *>(dlg()->getWhiteBoardDlg())
                                                                        : static_cast<QWidget *>(dlg()->getLayoutCover());
        QCOMPARE(prompt->parentWidget(), expectedParent);
    }

    // The engine's events reach the prompts through the facade.
    void engineEventsPrompt()
    {
        config()->setDisablePrompt(false);
        connectCall();
        auto waitFor = [this](const char *command, const QString &text) {
            QCOMPARE(rjsim_command(command), 0);
            QTRY_COMPARE_WITH_TIMEOUT(promptText(dlg()->getPromptWidget()), text, kWaitMs);
            QVERIFY(dlg()->getPromptWidget()->isVisible());
        };
        waitFor("warn 2", QStringLiteral("Network bandwidth is insufficient, it may impact your conferencing experience."));
        waitFor("video-muted 1", QStringLiteral("Video is stopped."));
        waitFor("video-muted 0", QStringLiteral("Video is enabled."));
        waitFor("mic-muted 1", QStringLiteral("You have been muted by meeting host."));
        waitFor("mute-speaking", QStringLiteral("Microphone Muted"));
    }

    // A prompt's parent is hidden when a share ends: the prompt goes with
    // it and the next one appears over the video again.
    void promptLeavesAnEndedShare()
    {
        connectCall();
        c()->setContentStreamStatus(ContentStreamStatus_SendingContentStarted, std::string(), 0);
        dlg()->slotOnRequestSpeak();
        QPointer<CPromptWidget> prompt = dlg()->getPromptWidget();
        QCOMPARE(prompt->parentWidget(), static_cast<QWidget *>(dlg()->getBackgroundWidget()));
        emit dlg()->getBackgroundWidget()->sigClose();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(prompt);
        QVERIFY(!prompt->isVisible());
        dlg()->slotOnRequestSpeak();
        QCOMPARE(prompt->parentWidget(), static_cast<QWidget *>(dlg()->getLayoutCover()));
        QVERIFY(prompt->isVisible());
    }

    // ------------------------------------------------------------------
    // Blocking warnings

    void blockingWarnings_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("status");      // content-stream status
        QTest::addColumn<bool>("connected");
        QTest::addColumn<bool>("micOn");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("text");    // empty: no box
        QTest::addColumn<QString>("over");
        QTest::addColumn<bool>("micOnAfter");

        const QString noMic = QStringLiteral(
            "There is no microphone found and other can not listen to you. Please check microphone device.");
        const QString unmuting = QStringLiteral("Meeting manager is unmuting you, do you agree?");
        const int yes = QDialogButtonBox::Yes;
        const int no = QDialogButtonBox::No;
        const int ok = QDialogButtonBox::Ok;
        QTest::newRow("no microphone") << 4 << 0 << true << true << ok << noMic << "cover" << false;
        QTest::newRow("no microphone while sharing a screen") << 4 << 3 << true << true << ok << noMic << "overlay"
                                                              << false;
        QTest::newRow("no microphone, muted already") << 4 << 0 << true << false << ok << "" << "" << false;
        QTest::newRow("no microphone, no call") << 4 << 0 << false << true << ok << "" << "" << true;
        QTest::newRow("host unmutes, yes") << 6 << 0 << true << false << yes << unmuting << "cover" << true;
        QTest::newRow("host unmutes, no") << 6 << 0 << true << false << no << unmuting << "cover" << false;
        QTest::newRow("host unmutes while sharing, yes") << 6 << 3 << true << false << yes << unmuting
                                                         << "overlay" << true;
        QTest::newRow("host unmutes while sending a whiteboard, yes") << 6 << 4 << true << false << yes
                                                                      << unmuting << "whiteboard" << true;
        QTest::newRow("host unmutes outside a call") << 6 << 0 << false << false << yes << unmuting << "cover"
                                                     << true;
    }
    void blockingWarnings()
    {
        QFETCH(int, code);
        QFETCH(int, status);
        QFETCH(bool, connected);
        QFETCH(bool, micOn);
        QFETCH(int, answer);
        QFETCH(QString, text);
        QFETCH(QString, over);
        QFETCH(bool, micOnAfter);

        if (connected)
            connectCall();
        m_window->show();
        dlg()->show();
        QVERIFY(sdk()->enableMic(micOn));
        dlg()->getToolbarDlg()->checkMicStatus();
        if (status != 0)
            c()->setContentStreamStatus(status, std::string(), 0);
        QWidget *expectedParent = over == QLatin1String("overlay")      ? static_cast<QWidget *>(dlg()->getBackgroundWidget())
                                  : over == QLatin1String("whiteboard") ? static_cast<QWidget *>(dlg()->getWhiteBoardDlg())
                                                                        : static_cast<QWidget *>(dlg()->getLayoutCover());

        AlertBoxSeam seam{QDialogButtonBox::StandardButton(answer)};
        rj::engine::RJWarn warn;
        warn.code = code;
        dlg()->slotOnWarn(warn);

        if (text.isEmpty()) {
            QCOMPARE(seam.count(), 0);
        } else {
            QCOMPARE(seam.count(), 1);
            QCOMPARE(seam.last().text, text);
            QCOMPARE(seam.last().title, QStringLiteral("Prompt"));
            QCOMPARE(seam.last().parent.data(), expectedParent);
        }
        QCOMPARE(sdk()->micEnabled(), micOnAfter);
        if (status == ContentStreamStatus_SendingContentStarted && code == 4)
            QVERIFY(static_cast<QMenuButton *>(dlg()->getBackgroundWidget()->findChild<QPushButton *>(
                                                   QStringLiteral("Button_Mute")))
                        ->isOn());

        // The question is over: the next request asks again.
        if (code == 6) {
            dlg()->slotOnWarn(warn);
            QCOMPARE(seam.count(), 2);
        }
    }

    // A second unmute request while the first question is open is dropped.
    void secondUnmuteQuestionIgnored()
    {
        connectCall();
        m_window->show();
        int asked = 0;
        rj::engine::RJWarn warn;
        warn.code = 6;
        AlertDlg::setInterceptor([&](const AlertDlg::Request &) -> std::optional<QDialogButtonBox::StandardButton> {
            ++asked;
            dlg()->slotOnWarn(warn);
            return QDialogButtonBox::No;
        });
        dlg()->slotOnWarn(warn);
        QCOMPARE(asked, 1);
    }

    // The share ends while the unmute question is open over its overlay:
    // the answer unmutes through the toolbar, the overlay being gone.
    void unmuteAnsweredAfterTheShareEnded()
    {
        connectCall();
        QVERIFY(sdk()->enableMic(false));
        dlg()->getToolbarDlg()->checkMicStatus();
        c()->setContentStreamStatus(ContentStreamStatus_SendingContentStarted, std::string(), 0);
        QPointer<CbackgroundWidget> overlay = dlg()->getBackgroundWidget();
        AlertDlg::setInterceptor([&](const AlertDlg::Request &request)
                                     -> std::optional<QDialogButtonBox::StandardButton> {
            if (request.parent != overlay.data())
                return QDialogButtonBox::No;
            emit overlay->sigClose();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            return QDialogButtonBox::Yes;
        });
        rj::engine::RJWarn warn;
        warn.code = 6;
        dlg()->slotOnWarn(warn);
        QVERIFY(!overlay);
        QVERIFY(sdk()->micEnabled());
        QVERIFY(dlg()->getToolbarDlg()->isMicButtonChecked());
    }
};

GLIMORA_TEST_MAIN(TestLayoutEngine)
#include "tst_layoutengine.moc"
