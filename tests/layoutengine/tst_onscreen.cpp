// What the screen shows of the call toolbar. QWidget::grab() paints a widget
// by itself; only a picture of the screen shows that the toolbar, an owned
// window with native child windows laid over the video, reaches the display:
// after its first show, after its return from the audio-only panel (a new
// owner) and after a change of the call window's stacking (compact mode).

#include "support/HttpFixtureServer.h"
#include "support/StandInRingtone.h"
#include "support/TestMain.h"

#include "helpers/CUserConfigUtils.h"
#include "models/CCallController.h"
#include "models/CLoginManager.h"
#include "models/CRJSdkManager.h"
#include "rjsim_control.h"
#include "views/incall/CLayoutCoverDlg.h"
#include "views/incall/CLayoutCellCoverDlg.h"
#include "views/incall/CLayoutCellDlg.h"
#include "views/incall/CLayoutFloatingCellsDlg.h"
#include "views/incall/CLayoutPeopleSettingDlg.h"
#include "views/incall/CLayoutToolbarDlg.h"

#include <QHash>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QSet>

#include <memory>

using glimora::test::HttpFixtureServer;
using rj_app::helpers::CUserConfigUtils;
using rj_app::models::CCallController;
using rj_app::models::CLoginManager;
using rj_app::models::CRJSdkManager;
using rj_app::views::CLayoutPeopleSettingDlg;
using namespace rj_app::enums;

namespace {

constexpr int kWaitMs = 15000;
constexpr int kTitleBarHeight = 40;

int distinctColours(const QImage &image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y) & 0xffffff);
    return colours.size();
}

QRgb dominantColour(const QImage &image)
{
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y) & 0xffffff];
    QRgb best = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > counts.value(best))
            best = it.key();
    return best;
}

bool hasWhite(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xffffff) == 0xffffff)
                return true;
    return false;
}

// The display's own pixels in `area` (global), not a widget's rendering.
QImage onScreen(const QRect &area)
{
    QApplication::sync();
    QCoreApplication::processEvents();
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
        .toImage();
}

QRect globalRect(QWidget *widget)
{
    return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
}

// Stands for the call window as it places the layout when a call connects.
class CallWindow : public QWidget
{
public:
    CallWindow()
    {
        setWindowFlags(Qt::FramelessWindowHint);
        setGeometry(100, 100, 1280, 760);
        layout = new CLayoutPeopleSettingDlg(this);
        layout->m_iTitleBarHeight = kTitleBarHeight;
        layout->setRemoteVideoWindows();
        QObject::connect(CCallController::getInstance(), &CCallController::sigCallStatusChanged, layout,
                         [this](CallStatus status) {
                             if (status != ConfConnected)
                                 return;
                             show();
                             layout->show();
                             layout->onParentResized(geometry());
                             layout->move(2, kTitleBarHeight + 2);
                             layout->onParentMoved(x(), y());
                             layout->initFloatingDlgPos();
                         });
    }

    CLayoutPeopleSettingDlg *layout = nullptr;
};

} // namespace

class TestOnScreen : public QObject
{
    Q_OBJECT

    HttpFixtureServer m_server;
    std::unique_ptr<CallWindow> m_window;
    QDateTime m_now = QDateTime::currentDateTime().addSecs(3600);

    CCallController *call() { return CCallController::getInstance(); }
    CLayoutPeopleSettingDlg *dlg() { return m_window->layout; }

    // A movement of 18 px over the video, after a pause, as a person makes
    // it to bring up the toolbar.
    void moveOverTheVideo()
    {
        QWidget *cover = dlg()->getLayoutCover();
        const QPoint from = cover->pos() + QPoint(cover->width() / 4, cover->height() / 2);
        m_now = m_now.addSecs(10);
        for (int i = 0; i < 4; ++i) {
            m_now = m_now.addMSecs(40);
            const QPoint global = from + QPoint(6 * i, 0);
            QMouseEvent move(QEvent::MouseMove, QPointF(global - cover->pos()), QPointF(global), Qt::NoButton,
                             Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(cover, &move);
        }
    }

    void endCall()
    {
        if (CCallController::isInCall(call()->getCallStatus())) {
            if (!call()->hangUp())
                call()->declineCall();
            QTRY_COMPARE_WITH_TIMEOUT(int(call()->getCallStatus()), int(ConfEnded), kWaitMs);
        }
        QCOMPARE(rjsim_wait_idle(kWaitMs), 1);
    }

private slots:
    void initTestCase()
    {
        qputenv("RJSIM_TIME_SCALE", "0");
        qRegisterMetaType<WId>("WId");
        CUserConfigUtils::initInstance(QCoreApplication::applicationFilePath().toLocal8Bit().constData());
        QVERIFY(glimora::test::useStandInRingtone());
        QVERIFY(m_server.start());
        CLoginManager *login = CLoginManager::getInstance();
        login->initRJSdkManagerInstance();
        login->initialize();
        QVERIFY(CRJSdkManager::getInstance());
        CUserConfigUtils::getInstance()->setUseHttps(false);
        CUserConfigUtils::getInstance()->setDisablePrompt(true);
        QVERIFY(login->login(QStringLiteral("127.0.0.1"), false, m_server.port(), QStringLiteral("alice"),
                             QStringLiteral("Alice123")));
        QTRY_COMPARE_WITH_TIMEOUT(int(login->m_loginStatus), int(LoggedIn), kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(login->getRegisterInfo().state, 1, kWaitMs);
    }

    void cleanup()
    {
        endCall();
        m_window.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void cleanupTestCase()
    {
        m_server.stop();
        CRJSdkManager::releaseInstance();
    }

    void toolbarReachesTheScreen_data()
    {
        QTest::addColumn<QString>("before");
        QTest::newRow("first show") << QString();
        QTest::newRow("back from the audio-only panel") << QStringLiteral("audio");
        QTest::newRow("after compact mode") << QStringLiteral("compact");
    }

    // The shown toolbar's rectangle on screen is the toolbar: many colours,
    // the Hang Up button in its own colour and white captions.
    void toolbarReachesTheScreen()
    {
        QFETCH(QString, before);
        m_window = std::make_unique<CallWindow>();
        dlg()->setClock([this] { return m_now; });
        call()->dialOut(QStringLiteral("1001"), QString(), true, QString());
        QTRY_COMPARE_WITH_TIMEOUT(int(call()->getCallStatus()), int(ConfConnected), kWaitMs);
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        auto *toolbar = dlg()->getToolbarDlg();

        if (before == QLatin1String("audio")) {
            QCOMPARE(rjsim_command("call-state audio 1"), 0);
            QTRY_COMPARE_WITH_TIMEOUT(int(dlg()->getLayoutMode()), int(LayoutMode_AudioOnly), kWaitMs);
            QCOMPARE(rjsim_command("call-state audio 0"), 0);
            QTRY_COMPARE_WITH_TIMEOUT(int(dlg()->getLayoutMode()), int(LayoutMode_NormalPeople), kWaitMs);
            QCOMPARE(toolbar->parentWidget(), static_cast<QWidget *>(dlg()->getLayoutCover()));
        } else if (before == QLatin1String("compact")) {
            dlg()->setCompactMode(true);
            dlg()->setCompactMode(false);
            dlg()->updateLayout();
        }
        moveOverTheVideo();
        QTRY_VERIFY_WITH_TIMEOUT(toolbar->isVisible(), kWaitMs);
        QVERIFY(QTest::qWaitForWindowExposed(toolbar));
        const QRect area = globalRect(toolbar);
        QVERIFY(QGuiApplication::primaryScreen()->geometry().contains(area));
        auto *hangUp = toolbar->findChild<QPushButton *>(QStringLiteral("m_pBtnHangup"));
        QVERIFY(hangUp && hangUp->isVisible());
        // Its buttons stay plain widgets: the native video windows of the
        // strip it owns must not make them native windows, which die unseen
        // whenever the toolbar's own window is made anew.
        QVERIFY(!hangUp->internalWinId());
        const QRgb hangUpColour = dominantColour(hangUp->grab().toImage());

        QImage shot;
        QImage button;
        const bool drawn = QTest::qWaitFor(
            [&] {
                shot = onScreen(area);
                button = onScreen(globalRect(hangUp));
                return distinctColours(shot) > 8 && dominantColour(button) == hangUpColour && hasWhite(button);
            },
            5000);
        // Kept for a person to look at: in $GLIMORA_SCREENSHOT_DIR when set.
        const QString dir = qEnvironmentVariableIsEmpty("GLIMORA_SCREENSHOT_DIR")
                                ? glimora::test::isolatedRoot()
                                : qEnvironmentVariable("GLIMORA_SCREENSHOT_DIR");
        const QString picture = QStringLiteral("%1/toolbar-on-screen-%2.png")
                                    .arg(dir, before.isEmpty() ? QStringLiteral("first") : before);
        shot.save(picture);
        QVERIFY2(drawn, qPrintable(QStringLiteral("%1 colours, Hang Up %2 instead of %3; see %4")
                                       .arg(distinctColours(shot))
                                       .arg(dominantColour(button), 6, 16, QLatin1Char('0'))
                                       .arg(hangUpColour, 6, 16, QLatin1Char('0'))
                                       .arg(picture)));
    }

    // The floating strip lies above the mouse cover, which without a
    // compositor is an opaque sheet: on screen its title bar is its own.
    void stripAboveTheCover()
    {
        m_window = std::make_unique<CallWindow>();
        call()->dialOut(QStringLiteral("1001"), QString(), true, QString());
        QTRY_COMPARE_WITH_TIMEOUT(int(call()->getCallStatus()), int(ConfConnected), kWaitMs);
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        auto *strip = dlg()->getFloatingCellsDlg();
        QTRY_VERIFY_WITH_TIMEOUT(strip->isVisible(), kWaitMs);
        QVERIFY(QTest::qWaitForWindowExposed(strip));
        auto *title = strip->findChild<QWidget *>(QStringLiteral("m_pWgtTopTitleBar"));
        QVERIFY(title && title->isVisible());
        QVERIFY(globalRect(dlg()->getLayoutCover()).intersects(globalRect(title)));
        const QRgb own = dominantColour(title->grab().toImage());
        QRgb shown = 0;
        const bool onTop = QTest::qWaitFor(
            [&] {
                shown = dominantColour(onScreen(globalRect(title)));
                return shown == own;
            },
            5000);
        QVERIFY2(onTop, qPrintable(QStringLiteral("strip title %1 on screen instead of %2")
                                       .arg(shown, 6, 16, QLatin1Char('0'))
                                       .arg(own, 6, 16, QLatin1Char('0'))));
    }
};

GLIMORA_TEST_MAIN(TestOnScreen)

#include "tst_onscreen.moc"
