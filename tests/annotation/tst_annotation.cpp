// The drawing overlay over a shared screen against the simulated engine: the
// modes (pointer, drawing, the stop question and its answers), what each tool
// does to the surface, the host and the pickers, picker and tool bar
// placement, screenshots, the input region on the real X window, the sharing
// controls (microphone, camera, sound, volume, popups, fold tab) and the
// controllability answer that arrives after the overlay is gone.

#include "support/AlertBoxSeam.h"
#include "support/TestMain.h"

#include "helpers/CUserConfigUtils.h"
#include "models/CCallController.h"
#include "models/CLoginManager.h"
#include "models/CRJSdkManager.h"
#include "platform/CInputShape.h"
#include "rjsim_control.h"
#include "views/annotation/CSharingControls.h"
#include "views/annotation/CbackgroundWidget.h"
#include "views/annotation/ColorWidget.h"
#include "views/annotation/DrawingPalette.h"
#include "views/annotation/PaintListWidget.h"
#include "views/annotation/PaintWidget.h"
#include "views/annotation/QMenuButton.h"
#include "views/annotation/SelectBgColorWidget.h"
#include "views/incall/CContainerSettingsFormWidget.h"
#include "views/incall/CControlVolumeWidget.h"
#include "views/incall/CControllableProbe.h"
#include "views/incall/menuAudioWidget.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSemaphore>
#include <QSignalSpy>
#include <qpa/qwindowsysteminterface.h>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QToolButton>

#include <malloc.h>
#include <unistd.h>

#include <atomic>
#include <functional>

using glimora::test::AlertBoxSeam;
using rj_app::helpers::CUserConfigUtils;
using rj_app::models::CCallController;
using rj_app::models::CLoginManager;
using rj_app::models::CRJSdkManager;
using rj_app::platform::CInputShape;
using rj_app::views::CbackgroundWidget;
using rj_app::views::CControllableProbe;
using rj_app::views::CSharingControls;
using rj_app::views::ColorWidget;
using rj_app::views::PaintListWidget;
using rj_app::views::SelectBgColorWidget;

namespace {

constexpr int kWaitMs = 10000;

using Action = std::function<void(CbackgroundWidget &)>;

QMenuButton *menuButton(QWidget *overlay, const char *name)
{
    // QMenuButton has no meta object of its own: find it as a push button.
    auto *button = overlay->findChild<QPushButton *>(QLatin1String(name));
    if (!button)
        qWarning() << "no button" << name;
    return static_cast<QMenuButton *>(button);
}

QWidget *child(QWidget *overlay, const char *name)
{
    return overlay->findChild<QWidget *>(QLatin1String(name));
}

void click(QWidget *w)
{
    QTest::mouseClick(w, Qt::LeftButton);
}

// A stroke as the mouse draws it: press, moves with the button held, release.
void drawStroke(QWidget *surface, const QPoint &from, const QPoint &step, int steps)
{
    QTest::mousePress(surface, Qt::LeftButton, Qt::NoModifier, from);
    QPoint at = from;
    for (int i = 0; i < steps; ++i) {
        at += step;
        QMouseEvent move(QEvent::MouseMove, at, surface->mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(surface, &move);
    }
    QTest::mouseRelease(surface, Qt::LeftButton, Qt::NoModifier, at);
}

QString hostStyle(CbackgroundWidget &o)
{
    return child(&o, "w")->styleSheet();
}

// Lets an answer of the controllability probe arrive.
void settleProbe()
{
    QThreadPool::globalInstance()->waitForDone();
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

// A controllability query that answers when the test says so.
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

Q_DECLARE_METATYPE(Action)

class TestAnnotation : public QObject
{
    Q_OBJECT

    QPointer<CbackgroundWidget> m_overlay;

    CRJSdkManager *sdk() { return CRJSdkManager::getInstance(); }

    // An overlay laid over a 1200 x 800 area of the screen, as the call
    // layout lays it over a shared screen.
    CbackgroundWidget &overlay()
    {
        if (!m_overlay) {
            m_overlay = new CbackgroundWidget(nullptr);
            m_overlay->setFixedSize(1200, 800);
            m_overlay->move(0, 0);
            m_overlay->showMaximized();
            if (!QTest::qWaitForWindowExposed(m_overlay.data()))
                qWarning("overlay not exposed");
        }
        return *m_overlay;
    }

    QRect toolbarRect(CbackgroundWidget &o)
    {
        QWidget *bar = child(&o, "PropertyWidget");
        return QRect(bar->mapTo(&o, QPoint(0, 0)), bar->size());
    }

private slots:
    void initTestCase()
    {
        // Freed memory is overwritten: a late call into a deleted overlay
        // crashes here instead of passing by luck.
        mallopt(M_PERTURB, 0xa5);
        qputenv("RJSIM_TIME_SCALE", "0");
        CUserConfigUtils::initInstance(QCoreApplication::applicationFilePath().toLocal8Bit().constData());
        CLoginManager::getInstance()->initRJSdkManagerInstance();
        CLoginManager::getInstance()->initialize();
        QVERIFY(sdk());
    }

    void init()
    {
        CControllableProbe::setQuery([] { return false; });
        rjsim_clear_result(nullptr);
        QVERIFY(sdk()->enableMic(true));
        QVERIFY(sdk()->enableCamera(true));
        QVERIFY(sdk()->enableContentAudio(false));
        rjsim_clear_journal();
    }

    void cleanup()
    {
        delete m_overlay.data();
        settleProbe();
        CControllableProbe::setQuery({});
        AlertDlg_reset();
        rjsim_clear_result(nullptr);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void cleanupTestCase()
    {
        CUserConfigUtils::releaseInstance();
    }

    // ------------------------------------------------------------ modes

    // Pointer mode at start; Drawing takes the mouse with the pen; Mouse lets
    // it through again and resets the board; Clear then does nothing.
    void pointerAndDrawingModes()
    {
        CbackgroundWidget &o = overlay();
        PaintWidget *surface = o.paintWidget();
        QVERIFY(!o.takesMouse());
        QCOMPARE(hostStyle(o), QLatin1String(CbackgroundWidget::kPassMouseStyle));
        QVERIFY(!surface->m_bDrawEnabled);
        QVERIFY(o.paintListWidget()->isHidden());

        click(menuButton(&o, "Button_Draw"));
        QVERIFY(o.takesMouse());
        QCOMPARE(hostStyle(o), QLatin1String(CbackgroundWidget::kTakeMouseStyle));
        QVERIFY(surface->m_bDrawEnabled);
        QVERIFY(o.paintListWidget()->isVisible());
        QCOMPARE(surface->paintType(), int(PaintStrokePen));

        // A stroke, kept through every change of tool and mode.
        drawStroke(surface, QPoint(300, 300), QPoint(50, 20), 2);
        QCOMPARE(surface->strokes().size(), 1);

        QSignalSpy board(&o, &CbackgroundWidget::changeBgColor);
        o.selectBgColorWidget()->findChild<QPushButton *>(QStringLiteral("blackBg"))->click();
        QCOMPARE(o.m_strDrawBg, QLatin1String(rj_app::views::kBoardBlack));
        o.paintListWidget()->onBtnMouseClicked();
        QVERIFY(!o.takesMouse());
        QVERIFY(!surface->m_bDrawEnabled);
        QCOMPARE(o.m_strDrawBg, QLatin1String(rj_app::views::kBoardTransparent));
        QCOMPARE(board.count(), 2);
        QVERIFY(o.paintListWidget()->isVisible());

        o.paintListWidget()->onBtnClearClicked();
        QCOMPARE(surface->strokes().size(), 1);
        QVERIFY(!o.takesMouse());

        // Exit hides the bar and reports the end of drawing; strokes stay.
        QSignalSpy stop(&o, &CbackgroundWidget::stopDraw);
        click(menuButton(&o, "Button_Draw"));
        o.paintListWidget()->onBtnExitClicked();
        QCOMPARE(stop.count(), 1);
        QVERIFY(o.paintListWidget()->isHidden());
        QVERIFY(!o.takesMouse());
        QCOMPARE(surface->strokes().size(), 1);
    }

    // Stop hides everything and asks; only Yes ends the share. No, and a box
    // closed without an answer, bring the toolbar and strokes back, or the
    // share could not be stopped from the overlay any more.
    void stopQuestion_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closes");
        QTest::newRow("yes") << int(QDialogButtonBox::Yes) << true;
        QTest::newRow("no") << int(QDialogButtonBox::No) << false;
        QTest::newRow("closed without answer") << int(QDialogButtonBox::Cancel) << false;
    }

    void stopQuestion()
    {
        QFETCH(int, answer);
        QFETCH(bool, closes);
        CbackgroundWidget &o = overlay();
        click(menuButton(&o, "Button_Draw"));
        QSignalSpy close(&o, &CbackgroundWidget::sigClose);
        QSignalSpy stop(&o, &CbackgroundWidget::stopDraw);

        bool hiddenWhileAsking = false;
        rj_app::views::AlertDlg::setInterceptor([&](const rj_app::views::AlertDlg::Request &r)
                                                    -> std::optional<QDialogButtonBox::StandardButton> {
            hiddenWhileAsking = o.paintWidget()->isHidden() && o.paintListWidget()->isHidden() && !o.takesMouse()
                && stop.count() == 1;
            [&] {
                QCOMPARE(r.title, QStringLiteral("Note"));
                QCOMPARE(r.text, QStringLiteral("Are you sure to stop?"));
                QCOMPARE(r.buttons, QDialogButtonBox::Yes | QDialogButtonBox::No);
                QCOMPARE(r.defaultButton, QDialogButtonBox::Yes);
            }();
            return QDialogButtonBox::StandardButton(answer);
        });
        click(menuButton(&o, "Button_Close"));
        QVERIFY(hiddenWhileAsking);
        QCOMPARE(close.count(), closes ? 1 : 0);
        QCOMPARE(o.paintWidget()->isVisible(), !closes);
        QCOMPARE(child(&o, "PropertyWidget")->isVisible(), !closes);
        // Stop leaves the surface's drawing flag as it was.
        QVERIFY(o.paintWidget()->m_bDrawEnabled);
        QVERIFY(menuButton(&o, "Button_Close")->isOn());
    }

    // The share ends, and the overlay goes, while the question is open.
    void overlayDeletedWhileAsking()
    {
        QPointer<CbackgroundWidget> o = &overlay();
        rj_app::views::AlertDlg::setInterceptor(
            [&](const rj_app::views::AlertDlg::Request &) -> std::optional<QDialogButtonBox::StandardButton> {
                o->deleteLater();
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                return QDialogButtonBox::No;
            });
        o->stopShare();
        QVERIFY(!o);
    }

    // ------------------------------------------------------------ tools

    void tools_data()
    {
        QTest::addColumn<Action>("action");
        QTest::addColumn<bool>("drawing");
        QTest::addColumn<int>("type");
        QTest::addColumn<QColor>("color"); // with its alpha
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("takesMouse");
        QTest::addColumn<bool>("colorPicker");
        QTest::addColumn<bool>("boardPicker");

        const QColor black(0, 0, 0, 255);
        const QColor yellow80(255, 252, 0, 80);
        const auto bar = [](void (PaintListWidget::*slot)()) {
            return Action([slot](CbackgroundWidget &o) { (o.paintListWidget()->*slot)(); });
        };
        // Pen is the tool after Drawing; both pickers are open before each row.
        QTest::newRow("pen") << bar(&PaintListWidget::onBtnPenClicked) << true << 0 << black << 3 << true << false
                             << false;
        QTest::newRow("marker") << bar(&PaintListWidget::onBtnNitePenClicked) << true << 3 << yellow80 << 4 << true
                                << false << false;
        QTest::newRow("eraser") << bar(&PaintListWidget::onBtnEraserClicked) << true << 2 << black << 9 << true
                                << false << false;
        QTest::newRow("revoke") << bar(&PaintListWidget::onBtnRevokeClicked) << true << 0 << black << 3 << true
                                << false << false;
        QTest::newRow("mouse") << bar(&PaintListWidget::onBtnMouseClicked) << false << 0 << black << 3 << false
                               << false << false;
        QTest::newRow("exit") << bar(&PaintListWidget::onBtnExitClicked) << false << 0 << black << 3 << false << false
                              << false;
        QTest::newRow("clear") << bar(&PaintListWidget::onBtnClearClicked) << true << 0 << black << 3 << true << false
                               << false;
        // The board picker toggles: open before, closed after.
        QTest::newRow("background") << bar(&PaintListWidget::onBtnBgClicked) << true << 0 << black << 3 << true
                                    << false << false;
        QTest::newRow("pen arrow") << bar(&PaintListWidget::onBtnSelectPenClicked) << true << 0 << black << 3 << true
                                   << true << false;
        QTest::newRow("marker arrow") << bar(&PaintListWidget::onBtnSelectNitePenClicked) << true << 3 << yellow80 << 4
                                      << true << true << false;
        QTest::newRow("pen colour red") << Action([](CbackgroundWidget &o) {
            o.colorWidget()->findChild<QPushButton *>(QStringLiteral("color_red"))->click();
        }) << true << 0 << QColor(255, 0, 0, 255) << 3
                                        << true << true << true;
        QTest::newRow("marker size 4") << Action([](CbackgroundWidget &o) {
            o.paintListWidget()->onBtnSelectNitePenClicked();
            o.colorWidget()->findChild<QPushButton *>(QStringLiteral("size_4"))->click();
        }) << true << 3 << yellow80 << 16
                                       << true << true << false;
        QTest::newRow("white board") << Action([](CbackgroundWidget &o) {
            o.selectBgColorWidget()->findChild<QPushButton *>(QStringLiteral("whiteBg"))->click();
        }) << true << 0 << black << 3
                                     << true << false << false;
        QTest::newRow("board after marker") << Action([](CbackgroundWidget &o) {
            o.paintListWidget()->onBtnNitePenClicked();
            o.selectBgColorWidget()->findChild<QPushButton *>(QStringLiteral("blackBg"))->click();
        }) << true << 3 << yellow80 << 4
                                            << true << false << false;
    }

    void tools()
    {
        QFETCH(Action, action);
        QFETCH(bool, drawing);
        QFETCH(int, type);
        QFETCH(QColor, color);
        QFETCH(int, width);
        QFETCH(bool, takesMouse);
        QFETCH(bool, colorPicker);
        QFETCH(bool, boardPicker);

        CbackgroundWidget &o = overlay();
        click(menuButton(&o, "Button_Draw"));
        o.colorWidget()->show();
        o.selectBgColorWidget()->show();

        action(o);

        PaintWidget *surface = o.paintWidget();
        QCOMPARE(surface->m_bDrawEnabled, drawing);
        QCOMPARE(surface->paintType(), type);
        QCOMPARE(surface->pen().color(), color);
        QCOMPARE(surface->pen().color().alpha(), color.alpha());
        QCOMPARE(int(surface->pen().widthF()), width);
        QCOMPARE(o.takesMouse(), takesMouse);
        QCOMPARE(hostStyle(o), QLatin1String(takesMouse ? CbackgroundWidget::kTakeMouseStyle
                                                        : CbackgroundWidget::kPassMouseStyle));
        QCOMPARE(o.colorWidget()->isVisible(), colorPicker);
        QCOMPARE(o.selectBgColorWidget()->isVisible(), boardPicker);
    }

    // The Background button toggles the board picker; choosing a board
    // reports it; a press on the surface closes both pickers.
    void boardPickerToggleAndSurfacePress()
    {
        CbackgroundWidget &o = overlay();
        click(menuButton(&o, "Button_Draw"));
        SelectBgColorWidget *board = o.selectBgColorWidget();
        o.paintListWidget()->onBtnBgClicked();
        QVERIFY(board->isVisible());
        o.paintListWidget()->onBtnBgClicked();
        QVERIFY(board->isHidden());
        o.paintListWidget()->onBtnBgClicked();
        o.paintListWidget()->onBtnSelectPenClicked(); // shows the colour picker, closes the board
        QVERIFY(board->isHidden());
        QVERIFY(o.colorWidget()->isVisible());
        // Again: the colour picker stays shown.
        o.paintListWidget()->onBtnSelectPenClicked();
        QVERIFY(o.colorWidget()->isVisible());
        o.paintListWidget()->onBtnBgClicked();
        QVERIFY(o.colorWidget()->isHidden());
        QVERIFY(board->isVisible());
        QTest::mousePress(o.paintWidget(), Qt::LeftButton, Qt::NoModifier, QPoint(500, 500));
        QTest::mouseRelease(o.paintWidget(), Qt::LeftButton, Qt::NoModifier, QPoint(500, 500));
        QVERIFY(board->isHidden());
        QVERIFY(o.colorWidget()->isHidden());
    }

    // ------------------------------------------------------------ placement

    void pickerPosition_data()
    {
        QTest::addColumn<QPoint>("bar");
        QTest::addColumn<int>("desktopHeight");
        QTest::addColumn<QPoint>("expected");
        // Bar 56 high, picker 184 high at 84 px into the bar.
        QTest::newRow("top half: below") << QPoint(100, 80) << 1040 << QPoint(184, 80 + 56 + 10);
        QTest::newRow("exactly half: below") << QPoint(100, 520) << 1040 << QPoint(184, 520 + 56 + 10);
        QTest::newRow("odd height, half rounded down") << QPoint(100, 520) << 1041 << QPoint(184, 520 + 56 + 10);
        QTest::newRow("lower half: above") << QPoint(100, 521) << 1040 << QPoint(184, 521 - 184 - 10);
        QTest::newRow("second screen to the left") << QPoint(-1500, 900) << 1080 << QPoint(-1416, 900 - 184 - 10);
    }

    void pickerPosition()
    {
        QFETCH(QPoint, bar);
        QFETCH(int, desktopHeight);
        QFETCH(QPoint, expected);
        QCOMPARE(CbackgroundWidget::pickerPosition(bar, 56, 84, 184, desktopHeight), expected);
    }

    void toolBarPosition()
    {
        QCOMPARE(CbackgroundWidget::toolBarPosition(QRect(0, 0, 1920, 1080), 730, 1.0), QPoint(595, 80));
        QCOMPARE(CbackgroundWidget::toolBarPosition(QRect(0, 0, 1920, 1080), 1095, 1.5), QPoint(412, 120));
        QCOMPARE(CbackgroundWidget::toolBarPosition(QRect(1920, 100, 1281, 1024), 730, 1.25), QPoint(2195, 200));

        // No screen under the cursor: the overlay's own, then the primary.
        QScreen *primary = QGuiApplication::primaryScreen();
        QScreen *other = reinterpret_cast<QScreen *>(quintptr(0x10)); // only compared, never used
        QCOMPARE(CbackgroundWidget::drawingScreen(other, primary), other);
        QCOMPARE(CbackgroundWidget::drawingScreen(nullptr, other), other);
        QCOMPARE(CbackgroundWidget::drawingScreen(nullptr, nullptr), primary);
    }

    // Drawing puts the bar at the top of the screen under the cursor, and
    // the arrow by Pen opens the colour picker under the pen group.
    void drawingPlacesBarAndPicker()
    {
        CbackgroundWidget &o = overlay();
        QCursor::setPos(600, 400);
        click(menuButton(&o, "Button_Draw"));
        PaintListWidget *bar = o.paintListWidget();
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(bar->pos(), QPoint(screen.left() + (screen.width() - bar->width()) / 2, screen.top() + 80));
        // A late report of the place the bar was shown at (the middle of the
        // screen) before its move: the bar is where the X server has it all
        // the same, and so are the pickers placed from it.
        QApplication::sync();
        const QPoint placed = bar->pos();
        QWindowSystemInterface::handleGeometryChange<QWindowSystemInterface::SynchronousDelivery>(
            bar->windowHandle(), QRect(screen.center() - QPoint(bar->width() / 2, bar->height() / 2), bar->size()));
        QTRY_COMPARE(bar->pos(), placed);
        bar->onBtnSelectPenClicked();
        QCOMPARE(o.colorWidget()->pos(), QPoint(bar->x() + bar->m_iPenBgX, bar->y() + bar->height() + 10));
        bar->onBtnSelectNitePenClicked();
        QCOMPARE(o.colorWidget()->pos(), QPoint(bar->x() + bar->m_iNitePenBgX, bar->y() + bar->height() + 10));
        bar->onBtnBgClicked();
        QCOMPARE(o.selectBgColorWidget()->pos(), QPoint(bar->x() + bar->m_iBgBtnX, bar->y() + bar->height() + 10));
    }

    // ------------------------------------------------------------ screenshot

    void screenshotName()
    {
        const QDateTime when(QDate(2024, 3, 5), QTime(7, 8, 9, 10));
        QCOMPARE(CbackgroundWidget::screenshotPath(QStringLiteral("/tmp/shots"), when),
                 QStringLiteral("/tmp/shots/Screenshot_2024-03-05_07-08-09.010.jpg"));
    }

    void screenshotSaved()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString folder = dir.filePath(QStringLiteral("shots")); // made on the way
        CUserConfigUtils::getInstance()->setScreenPicPath(folder);
        AlertBoxSeam seam(QDialogButtonBox::Yes);
        CbackgroundWidget &o = overlay();
        click(menuButton(&o, "Button_Draw"));
        o.paintListWidget()->slotBtnSaveClicked();

        QCOMPARE(seam.count(), 1);
        QCOMPARE(seam.last().title, QStringLiteral("Note"));
        QCOMPARE(seam.last().buttons, QDialogButtonBox::StandardButtons(QDialogButtonBox::Yes));
        QCOMPARE(seam.last().defaultButton, QDialogButtonBox::NoButton);
        QCOMPARE(seam.last().parent.data(), static_cast<QWidget *>(&o));
        const QStringList files = QDir(folder).entryList(QDir::Files);
        QCOMPARE(files.size(), 1);
        // The note says where the picture went.
        QCOMPARE(seam.last().text, QStringLiteral("Save successfully\n") + QDir(folder).filePath(files.first()));
        QVERIFY(files.first().startsWith(QLatin1String("Screenshot_")));
        QVERIFY(files.first().endsWith(QLatin1String(".jpg")));
        QImageReader reader(QDir(folder).filePath(files.first()));
        QCOMPARE(reader.format(), QByteArray("jpeg"));
        const QImage shot = reader.read();
        QCOMPARE(shot.size(), QGuiApplication::primaryScreen()->geometry().size());
    }

    void screenshotFailure_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("read-only folder") << QStringLiteral("read-only");
        QTest::newRow("folder under a file") << QStringLiteral("under a file");
    }

    void screenshotFailure()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QString folder;
        if (kind == QLatin1String("read-only")) {
            if (::geteuid() == 0)
                QSKIP("the superuser writes into read-only folders");
            folder = dir.filePath(QStringLiteral("locked"));
            QVERIFY(QDir().mkpath(folder));
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        } else {
            QFile blocker(dir.filePath(QStringLiteral("blocker")));
            QVERIFY(blocker.open(QIODevice::WriteOnly));
            blocker.close();
            folder = dir.filePath(QStringLiteral("blocker/shots"));
        }
        CUserConfigUtils::getInstance()->setScreenPicPath(folder);
        AlertBoxSeam seam(QDialogButtonBox::Yes);
        overlay().slotBtnSaveClicked();
        QCOMPARE(seam.count(), 1);
        QVERIFY(seam.last().text.startsWith(QStringLiteral("Save failed\n") + folder + QLatin1String("/Screenshot_")));
        QVERIFY(QDir(folder).entryList(QDir::Files).isEmpty());
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // ------------------------------------------------------------ input region

    void inputRegionComputed()
    {
        const QRect bar(400, 0, 600, 69);
        const QRegion pointer = CbackgroundWidget::inputRegionFor(QSize(1200, 800), bar, false);
        for (const QPoint &p : {QPoint(0, 400), QPoint(4, 400), QPoint(1195, 400), QPoint(600, 0), QPoint(600, 799),
                                QPoint(400, 30), QPoint(999, 68)})
            QVERIFY2(pointer.contains(p), qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
        for (const QPoint &p : {QPoint(5, 400), QPoint(600, 400), QPoint(399, 30), QPoint(600, 69), QPoint(1194, 794)})
            QVERIFY2(!pointer.contains(p), qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
        QCOMPARE(CbackgroundWidget::inputRegionFor(QSize(1200, 800), bar, true), QRegion(0, 0, 1200, 800));
    }

    // The region the X server holds for the overlay's window in each mode.
    void inputRegionOnTheWindow()
    {
        QVERIFY(CInputShape::isSupported());
        CbackgroundWidget &o = overlay();
        const QSize size = o.size();
        const QRegion pointer = CbackgroundWidget::inputRegionFor(size, toolbarRect(o), false);
        QCOMPARE(CInputShape::inputRegion(&o), pointer);
        QVERIFY(!CInputShape::inputRegion(&o).contains(QPoint(600, 400)));

        click(menuButton(&o, "Button_Draw"));
        QCOMPARE(CInputShape::inputRegion(&o), QRegion(QRect(QPoint(0, 0), size)));

        o.paintListWidget()->onBtnMouseClicked();
        QCOMPARE(CInputShape::inputRegion(&o), pointer);

        // Folded, the toolbar takes less.
        o.entershareBtn();
        QTRY_COMPARE(toolbarRect(o).height(), CSharingControls::kFoldedHeight);
        QCOMPARE(CInputShape::inputRegion(&o), CbackgroundWidget::inputRegionFor(size, toolbarRect(o), false));
        o.entershareBtn();
        QTRY_COMPARE(toolbarRect(o).height(), CSharingControls::kUnfoldedHeight);

        // Stop asking: the toolbar is hidden, only the frame takes the mouse.
        QRegion whileAsking;
        rj_app::views::AlertDlg::setInterceptor(
            [&](const rj_app::views::AlertDlg::Request &) -> std::optional<QDialogButtonBox::StandardButton> {
                whileAsking = CInputShape::inputRegion(&o);
                return QDialogButtonBox::No;
            });
        o.stopShare();
        QCOMPARE(whileAsking, CbackgroundWidget::inputRegionFor(size, QRect(), false));
        QCOMPARE(CInputShape::inputRegion(&o), pointer);
    }

    // ------------------------------------------------------------ sharing controls

    // After every click the microphone and camera buttons show what the
    // engine reports, whether it did as asked or refused.
    void micAndCameraFollowTheEngine_data()
    {
        QTest::addColumn<QString>("device");
        QTest::addColumn<bool>("refused");
        QTest::newRow("mic") << QStringLiteral("Mic") << false;
        QTest::newRow("mic refused") << QStringLiteral("Mic") << true;
        QTest::newRow("camera") << QStringLiteral("Camera") << false;
        QTest::newRow("camera refused") << QStringLiteral("Camera") << true;
    }

    void micAndCameraFollowTheEngine()
    {
        QFETCH(QString, device);
        QFETCH(bool, refused);
        const bool mic = device == QLatin1String("Mic");
        CbackgroundWidget &o = overlay();
        QMenuButton *button = menuButton(&o, mic ? "Button_Mute" : "Button_Camera");
        const auto engineOn = [&] { return mic ? sdk()->micEnabled() : sdk()->cameraEnabled(); };
        const QString offCaption = mic ? QStringLiteral("Mute") : QStringLiteral("Stop Video");
        const QString onCaption = mic ? QStringLiteral("Unmute") : QStringLiteral("Enable Video");
        const auto caption = [&] { return button->findChild<QLabel *>()->text(); };
        QVERIFY(!button->isOn());
        QCOMPARE(caption(), offCaption);

        QSignalSpy refreshed(&o, &CbackgroundWidget::sigRefreshStatus);
        for (int round = 0; round < 2; ++round) {
            if (refused)
                rjsim_force_result(mic ? "enableMic" : "enableCamera", 1, 1);
            const bool before = engineOn();
            click(button);
            QCOMPARE(engineOn(), refused ? before : !before);
            QCOMPARE(button->isOn(), !engineOn());
            QCOMPARE(caption(), engineOn() ? offCaption : onCaption);
        }
        QCOMPARE(refreshed.count(), 2);
    }

    // Share sound switches the content's sound; mute and unmute from the
    // call layout go through the microphone button.
    void shareSoundAndCallLayoutMute()
    {
        CbackgroundWidget &o = overlay();
        QMenuButton *voice = menuButton(&o, "Button_Voice");
        QVERIFY(voice->isOn());
        click(voice);
        QVERIFY(sdk()->contentAudioEnabled());
        QVERIFY(!voice->isOn());
        click(voice);
        QVERIFY(!sdk()->contentAudioEnabled());
        QVERIFY(voice->isOn());

        o.muteAudio();
        QVERIFY(!sdk()->micEnabled());
        QVERIFY(menuButton(&o, "Button_Mute")->isOn());
        o.unmuteAudio();
        QVERIFY(sdk()->micEnabled());
        QVERIFY(!menuButton(&o, "Button_Mute")->isOn());
    }

    // A device list opens once, as a window of the overlay centred under its
    // arrow; it closes when it loses activation with the cursor outside, not
    // with the cursor inside. Meanwhile the fold tab never folds the bar.
    void deviceListAndFoldTab()
    {
        CbackgroundWidget &o = overlay();
        CSharingControls *controls = o.sharingControls();
        auto *arrow = o.findChild<QPushButton *>(QStringLiteral("m_pBtnSelectMicUp"));
        click(arrow);
        QPointer<rj_app::views::menuAudioWidget> menu = controls->audioMenu();
        QVERIFY(menu && menu->isVisible());
        QCOMPARE(menu->parentWidget(), static_cast<QWidget *>(&o));
        QCOMPARE(menu->windowType(), Qt::SplashScreen);
        const QPoint anchor = arrow->mapToGlobal(QPoint(0, 0));
        QCOMPARE(menu->pos(), QPoint(anchor.x() - (menu->width() - arrow->width()) / 2,
                                     anchor.y() + arrow->height() + 10));
        click(arrow);
        QCOMPARE(controls->audioMenu(), menu.data());
        QCOMPARE(o.findChildren<rj_app::views::menuAudioWidget *>().size(), 1);
        QVERIFY(controls->isPopupOpen());

        // The fold tab leaves an unfolded bar alone while a popup is open.
        QWidget *view = child(&o, "horizontalView");
        o.entershareBtn();
        QVERIFY(view->isVisible());

        QCursor::setPos(menu->mapToGlobal(menu->rect().center()));
        QEvent deactivate(QEvent::WindowDeactivate);
        QCoreApplication::sendEvent(menu, &deactivate);
        QVERIFY(menu && menu->isVisible());
        QCursor::setPos(o.mapToGlobal(QPoint(600, 600)));
        QCoreApplication::sendEvent(menu, &deactivate);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!menu);
        QVERIFY(!controls->isPopupOpen());

        o.entershareBtn();
        QVERIFY(view->isHidden());
        QCOMPARE(child(&o, "PropertyWidget")->height(), CSharingControls::kFoldedHeight);
        // Folded, a popup does not keep the bar from unfolding.
        click(o.findChild<QPushButton *>(QStringLiteral("m_pBtnVolume")));
        QVERIFY(controls->isPopupOpen());
        o.entershareBtn();
        QVERIFY(view->isVisible());
    }

    // The volume button shows the speaker's state on every click; a second
    // click opens no second popup.
    void volumeButton()
    {
        CbackgroundWidget &o = overlay();
        QMenuButton *volume = menuButton(&o, "m_pBtnVolume");
        CSharingControls *controls = o.sharingControls();
        rj::engine::RJVolume speaker;
        speaker.mute = 1;
        speaker.volume = 1.5f;
        QVERIFY(sdk()->setVolume(rj::engine::RJ_DEVICE_SPEAKER, speaker));
        const bool muted = true;
        click(volume);
        QPointer<rj_app::views::CControlVolumeWidget> popup = controls->volumeControl();
        QVERIFY(popup && popup->isVisible());
        QCOMPARE(volume->isChecked(), muted);
        QCOMPARE(volume->isOn(), muted);
        click(volume);
        QCOMPARE(controls->volumeControl(), popup.data());
        QCOMPARE(o.findChildren<rj_app::views::CControlVolumeWidget *>().size(), 1);

        rj::engine::RJVolume vol;
        vol.mute = muted ? 0 : 1;
        controls->slotVolume(rj::engine::RJ_DEVICE_SPEAKER, vol);
        QCOMPARE(volume->isChecked(), !muted);
        controls->slotVolume(rj::engine::RJ_DEVICE_MIC, vol);
        QCOMPARE(volume->isChecked(), !muted);
    }

    // "Audio setting" in the device list opens the settings window on its
    // audio page and closes the list; closing the window is reported.
    void settingsWindowFromTheDeviceList()
    {
        CbackgroundWidget &o = overlay();
        CSharingControls *controls = o.sharingControls();
        click(o.findChild<QPushButton *>(QStringLiteral("m_pBtnSelectMicUp")));
        QPointer<rj_app::views::menuAudioWidget> menu = controls->audioMenu();
        QVERIFY(menu);
        emit menu->sigShowAudioSetting();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!menu);
        QPointer<rj_app::views::CContainerSettingsFormWidget> settings = controls->settingsWindow();
        QVERIFY(settings && settings->isVisible());
        QCOMPARE(settings->parentWidget(), static_cast<QWidget *>(&o));
        QVERIFY(!controls->isPopupOpen());

        // A second request only centres the open window.
        controls->showSetting(false);
        QCOMPARE(controls->settingsWindow(), settings.data());

        QSignalSpy closed(&o, &CbackgroundWidget::sigSettingWinClosed);
        settings->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(closed.count(), 1);
        QVERIFY(!settings);
        QVERIFY(!controls->settingsWindow());
    }

    // ------------------------------------------------------------ controllability

    void managementFollowsTheProbe()
    {
        HeldQuery held;
        held.answer = true;
        CControllableProbe::setQuery(held.query());
        CbackgroundWidget &o = overlay();
        QWidget *manager = child(&o, "Button_Manager");
        QVERIFY(held.entered.tryAcquire(1, kWaitMs));
        QVERIFY(manager->isHidden());
        held.release.release();
        QTRY_VERIFY_WITH_TIMEOUT(manager->isVisible(), kWaitMs);
        QSignalSpy clicked(&o, &CbackgroundWidget::sigClickManagerButton);
        QTest::mousePress(manager, Qt::LeftButton);
        QCOMPARE(clicked.count(), 1);
    }

    // The answer arrives after the overlay is gone: nobody is called.
    void probeAnswerAfterTheOverlayIsGone()
    {
        HeldQuery held;
        CControllableProbe::setQuery(held.query());
        auto *o = new CbackgroundWidget(nullptr);
        QVERIFY(held.entered.tryAcquire(1, kWaitMs));
        delete o;
        held.release.release();
        settleProbe();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // ------------------------------------------------------------ Show PIP

    void showPictureButton()
    {
        CbackgroundWidget &o = overlay();
        QWidget *pip = child(&o, "m_pBtnShowPic");
        o.updateShowPicture(true);
        QVERIFY(pip->isVisible());
        QSignalSpy shown(&o, &CbackgroundWidget::sigOnShowPicture);
        click(pip);
        QCOMPARE(shown.count(), 1);
        QVERIFY(pip->isHidden());
        o.slotHidePicture();
        QVERIFY(pip->isVisible());
        o.updateShowPicture(false);
        QVERIFY(pip->isHidden());
    }

private:
    static void AlertDlg_reset() { rj_app::views::AlertDlg::setInterceptor({}); }
};

GLIMORA_TEST_MAIN(TestAnnotation)
#include "tst_annotation.moc"
