#include "support/TestMain.h"

#include "views/incall/CLayoutCellCoverDlg.h"
#include "views/incall/CLayoutCellDlg.h"
#include "views/incall/CLayoutCoverDlg.h"
#include "views/incall/CLayoutFloatingCellsDlg.h"

#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>
#include <qpa/qwindowsysteminterface.h>
#include <xcb/xcb.h>

#include <cstdlib>

#include <memory>

using rj_app::views::CLayoutCellCoverDlg;
using rj_app::views::CLayoutCellDlg;
using rj_app::views::CLayoutCoverDlg;
using rj_app::views::CLayoutFloatingCellsDlg;

namespace {

void setScreenDpi(qreal dpi)
{
    QWindowSystemInterface::handleScreenLogicalDotsPerInchChange(QGuiApplication::primaryScreen(), dpi, dpi);
    QWindowSystemInterface::flushWindowSystemEvents();
}

// Mouse events straight to a window, with the global position chosen here, so
// drags do not depend on where the X server put the window.
void sendMouse(QWidget *w, QEvent::Type type, const QPoint &global, Qt::MouseButton button,
               Qt::MouseButtons buttons)
{
    QMouseEvent ev(type, QPointF(global - w->pos()), QPointF(global), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &ev);
}

QRect screenRect(QWidget *w)
{
    return QRect(w->pos(), w->size());
}

QWidget *titleBarOf(CLayoutCellCoverDlg *overlay)
{
    return overlay->findChild<QWidget *>(QStringLiteral("m_pWgtTitlebar"));
}

QLabel *labelOf(CLayoutCellCoverDlg *overlay)
{
    return overlay->findChild<QLabel *>(QStringLiteral("m_pLblSiteName"));
}

QPushButton *iconOf(CLayoutCellCoverDlg *overlay)
{
    return overlay->findChild<QPushButton *>(QStringLiteral("m_pBtnStatusImage"));
}

// The strip's parts at scale 1.
constexpr int kCellW = 378;
constexpr int kCellH = 213;
constexpr int kSpacing = 2;
constexpr int kBar = 26;

struct Strip
{
    std::unique_ptr<CLayoutCellDlg> local = std::make_unique<CLayoutCellDlg>();
    std::vector<std::unique_ptr<CLayoutCellDlg>> remote;
    std::unique_ptr<CLayoutFloatingCellsDlg> dlg = std::make_unique<CLayoutFloatingCellsDlg>();
    int repaints = 0;

    explicit Strip(int remoteCount = 0)
    {
        dlg->setMaxRemoteCellCount(4);
        dlg->setRepaintVideoFunc([this] { ++repaints; });
        dlg->move(100, 80);
        for (int i = 0; i < remoteCount; ++i)
            remote.push_back(std::make_unique<CLayoutCellDlg>());
    }
    // The strip's destructor hands the cells back: it goes first.
    ~Strip() { dlg.reset(); }

    QVector<CLayoutCellDlg *> remoteCells() const
    {
        QVector<CLayoutCellDlg *> cells;
        for (const auto &c : remote)
            cells.append(c.get());
        return cells;
    }
};

} // namespace

class TestCells : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    // Cell and overlay
    void videoWindowIdIsNativeAndStable();
    void overlayFollowsCell_data();
    void overlayFollowsCell();
    void overlayStaysWhileDragged();
    void mouseRelay();
    void coverStates_data();
    void coverStates();
    void emptySiteNameKeepsPrevious();
    void longSiteNameIsElided();
    void borderPainting_data();
    void borderPainting();
    void topFlagsOnTopCellChangeNothing();
    void windowFlagChangesKeepVisibility();
    void placedWhileHiddenShowsThere_data();
    void placedWhileHiddenShowsThere();
    void deletedCellTakesOverlayAlong();
    void deletedOverlayOwnerLeavesCellUsable();
    void groupCoverRelaysMouse();
    void overlayScales_data();
    void overlayScales();

    // Floating strip
    void stripGeometry_data();
    void stripGeometry();
    void staleReportFromTheWindowSystem_data();
    void staleReportFromTheWindowSystem();
    void secondLocalCellIgnored();
    void userHidesAndShowsAgain();
    void dragByTitleBar();
    void dragByCell();
    void coverNotSizedWhileInvisible();
    void clearRemoteCells();
    void stripScales_data();
    void stripScales();
    void topAndNonTopWindow();
    void deletedCellLeavesStrip();
    void deletedStripHandsCellsBack();
};

void TestCells::initTestCase()
{
    qRegisterMetaType<WId>("WId");
    qRegisterMetaType<QMouseEvent *>("QMouseEvent*");
    // Real enter and leave events come only from the tests themselves.
    QCursor::setPos(QGuiApplication::primaryScreen()->geometry().bottomRight());
}

void TestCells::cleanup()
{
    setScreenDpi(96);
}

// ---------------------------------------------------------------------------
// Cell and overlay

// Where the X server itself has a window, asked on a connection of its own:
// Qt may still hold an id whose window the server has destroyed, or a place
// the server has not confirmed. Empty when the window does not exist.
QRect xWindowGeometry(WId id)
{
    static xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    xcb_generic_error_t *error = nullptr;
    xcb_get_geometry_reply_t *reply =
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, xcb_drawable_t(id)), &error);
    const QRect rect = reply && !error ? QRect(reply->x, reply->y, reply->width, reply->height) : QRect();
    free(reply);
    free(error);
    return rect;
}

bool xWindowExists(WId id)
{
    return xWindowGeometry(id).isValid();
}

void TestCells::videoWindowIdIsNativeAndStable()
{
    CLayoutCellDlg cell;
    QSignalSpy changed(&cell, &CLayoutCellDlg::sigVideoWindowIdChanged);
    QVERIFY(cell.getVideoWidget()->testAttribute(Qt::WA_NativeWindow));
    WId bound = cell.getVideoWindowId();
    QVERIFY(bound != 0);
    QVERIFY(bound != cell.winId()); // a window of its own, not the cell's

    // A window about to go is announced while it still exists, so that the
    // engine is unbound from it before anything could paint into it dead.
    QList<WId> announced;
    QList<bool> existedWhenAnnounced;
    connect(&cell, &CLayoutCellDlg::sigVideoWindowAboutToChange, &cell, [&](WId id) {
        announced << id;
        QApplication::sync();
        existedWhenAnnounced << xWindowExists(id);
    }, Qt::DirectConnection);

    // After every step the window the engine was last given exists, or was
    // announced going and a new one was given out.
    int step = 0;
    auto check = [&](bool mayRenew) {
        ++step;
        const QByteArray where = QByteArray::number(step);
        QApplication::sync();
        if (changed.count() > 0) {
            QVERIFY2(mayRenew, where.constData());
            QCOMPARE(announced, QList<WId>{bound});
            QCOMPARE(existedWhenAnnounced, QList<bool>{true});
            bound = changed.takeLast().at(0).value<WId>();
            changed.clear();
        } else {
            QVERIFY2(announced.isEmpty(), where.constData());
        }
        announced.clear();
        existedWhenAnnounced.clear();
        QCOMPARE(cell.getVideoWindowId(), bound);
        QVERIFY2(xWindowExists(bound), where.constData());
        QVERIFY(cell.getVideoWidget()->isVisibleTo(&cell));
        // Qt paints into every native window it keeps: each still exists.
        for (QWidget *w : QApplication::allWidgets()) {
            QWindow *window = w->windowHandle();
            if (window && window->handle() && w->isVisible())
                QVERIFY2(xWindowExists(window->winId()),
                         qPrintable(QStringLiteral("step %1: %2 %3 has lost its window")
                                        .arg(step)
                                        .arg(QLatin1String(w->metaObject()->className()), w->objectName())));
        }
    };

    cell.show();
    QVERIFY(QTest::qWaitForWindowExposed(&cell));
    check(false);
    CLayoutCoverDlg owner;
    cell.setCoverParent(&owner);
    cell.resize(500, 300);
    cell.hide();
    cell.show();
    check(false);

    // Stacking changes and later shows: the platform may replace the cell's window.
    cell.setTopWindowFlags(true);
    QVERIFY(cell.windowHandle()->flags() & Qt::WindowStaysOnTopHint);
    check(true);
    cell.hide();
    cell.show();
    check(true);
    cell.setNormalWindowFlags();
    QVERIFY(!(cell.windowHandle()->flags() & Qt::WindowStaysOnTopHint));
    cell.hide();
    cell.show();
    check(true);

    // Into the strip and out again, as the layout engine moves it around.
    {
        CLayoutFloatingCellsDlg strip;
        strip.setRepaintVideoFunc([] {});
        strip.show();
        strip.setLocalVideoCell(&cell);
        QCOMPARE(cell.parentWidget(), &strip);
        check(true);
        strip.setTopWindow();
        strip.hide();
        strip.show();
        check(true);
        strip.setNonTopWindow();
        strip.hide();
        strip.show();
        check(true);
        strip.clearLocalVideoCell();
    }
    QVERIFY(!cell.parentWidget());
    cell.show();
    check(true);
    QCOMPARE(cell.getVideoWidget()->objectName(), QStringLiteral("m_pWgtVideo"));
    QVERIFY(cell.getVideoWidget()->testAttribute(Qt::WA_NativeWindow));
}

void TestCells::overlayFollowsCell_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("withOwner");
    for (bool owner : {false, true}) {
        const char *suffix = owner ? " (owned)" : "";
        for (const char *action : {"moveToOrigin", "move", "resize", "hideShow", "setCoverParent"})
            QTest::newRow(qPrintable(QString::fromLatin1(action) + QLatin1String(suffix)))
                << QString::fromLatin1(action) << owner;
    }
}

void TestCells::overlayFollowsCell()
{
    QFETCH(QString, action);
    QFETCH(bool, withOwner);

    CLayoutCoverDlg owner;
    CLayoutCellDlg cell;
    CLayoutCellCoverDlg *overlay = cell.getCellCoverDlg();
    if (withOwner) {
        cell.setCoverParent(&owner);
        QCOMPARE(overlay->parentWidget(), &owner);
        QCOMPARE(overlay->windowType(), Qt::SplashScreen);
    }
    cell.resize(320, 180);
    cell.move(40, 50);
    cell.show();
    QVERIFY(QTest::qWaitForWindowExposed(&cell));
    QVERIFY(overlay->isVisible());
    QTRY_COMPARE(screenRect(overlay), screenRect(&cell));

    if (action == QLatin1String("moveToOrigin")) {
        cell.setRelativePos(7, 9);
        cell.moveToOrigin(200, 300);
        QTRY_COMPARE(cell.pos(), QPoint(207, 309));
    } else if (action == QLatin1String("move")) {
        cell.move(333, 222);
    } else if (action == QLatin1String("resize")) {
        cell.resize(500, 280);
        QTRY_COMPARE(overlay->size(), QSize(500, 280));
    } else if (action == QLatin1String("hideShow")) {
        cell.hide();
        QVERIFY(!overlay->isVisible());
        cell.move(111, 99);
        cell.show();
        QVERIFY(overlay->isVisible());
    } else if (action == QLatin1String("setCoverParent")) {
        CLayoutCoverDlg other;
        cell.setCoverParent(&other);
        QCOMPARE(overlay->parentWidget(), &other);
        QVERIFY(overlay->isVisible());
        QTRY_COMPARE(screenRect(overlay), screenRect(&cell));
        cell.setCoverParent(nullptr); // before `other` goes
        QVERIFY(overlay->isVisible());
    }
    QTRY_COMPARE(screenRect(overlay), screenRect(&cell));
}

void TestCells::overlayStaysWhileDragged()
{
    CLayoutCellDlg cell;
    cell.resize(300, 200);
    cell.move(100, 100);
    cell.setDragEnabled(true);
    cell.show();
    QVERIFY(QTest::qWaitForWindowExposed(&cell));
    CLayoutCellCoverDlg *overlay = cell.getCellCoverDlg();
    QCOMPARE(overlay->dragAreaHeight, 200);
    QSignalSpy drags(overlay, &CLayoutCellCoverDlg::sigDragPosChanged);

    sendMouse(overlay, QEvent::MouseButtonPress, QPoint(150, 150), Qt::LeftButton, Qt::LeftButton);
    sendMouse(overlay, QEvent::MouseMove, QPoint(170, 160), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(drags.count(), 1);
    QCOMPARE(drags.at(0).at(1).toInt(), 20);
    QCOMPARE(drags.at(0).at(2).toInt(), 10);
    QVERIFY(overlay->isDragging());
    QTRY_COMPARE(overlay->pos(), QPoint(120, 110));
    // The owner moves the cell after the drag: the overlay stays under the mouse.
    cell.moveToOrigin(120, 110);
    QTRY_COMPARE(overlay->pos(), QPoint(120, 110));
    sendMouse(overlay, QEvent::MouseButtonRelease, QPoint(170, 160), Qt::LeftButton, Qt::NoButton);
    QVERIFY(!overlay->isDragging());
    drags.clear();
    cell.moveToOrigin(300, 300);
    QTRY_COMPARE(overlay->pos(), cell.pos());

    // Without the drag flag the overlay never drags.
    cell.setDragEnabled(false);
    QCOMPARE(overlay->dragAreaHeight, 0);
    sendMouse(overlay, QEvent::MouseButtonPress, QPoint(310, 310), Qt::LeftButton, Qt::LeftButton);
    sendMouse(overlay, QEvent::MouseMove, QPoint(340, 340), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(drags.count(), 0);
    QTRY_COMPARE(overlay->pos(), cell.pos());
    sendMouse(overlay, QEvent::MouseButtonRelease, QPoint(340, 340), Qt::LeftButton, Qt::NoButton);
}

void TestCells::mouseRelay()
{
    CLayoutCellDlg cell;
    cell.resize(300, 200);
    cell.move(50, 50);
    cell.show();
    QVERIFY(QTest::qWaitForWindowExposed(&cell));
    CLayoutCellCoverDlg *overlay = cell.getCellCoverDlg();
    QSignalSpy moves(&cell, &CLayoutCellDlg::sigMouseMove);
    QSignalSpy presses(&cell, &CLayoutCellDlg::sigMousePress);
    QSignalSpy doubles(&cell, &CLayoutCellDlg::sigMouseDoubleClick);

    sendMouse(overlay, QEvent::MouseMove, QPoint(60, 60), Qt::NoButton, Qt::NoButton);
    sendMouse(overlay, QEvent::MouseButtonPress, QPoint(60, 60), Qt::LeftButton, Qt::LeftButton);
    sendMouse(overlay, QEvent::MouseButtonRelease, QPoint(60, 60), Qt::LeftButton, Qt::NoButton);
    sendMouse(overlay, QEvent::MouseButtonDblClick, QPoint(60, 60), Qt::LeftButton, Qt::LeftButton);
    QCOMPARE(moves.count(), 1);
    QCOMPARE(presses.count(), 1);
    QCOMPARE(doubles.count(), 1);
    QCOMPARE(doubles.at(0).at(0).value<QWidget *>(), &cell); // the cell, not its overlay

    sendMouse(&cell, QEvent::MouseButtonDblClick, QPoint(60, 60), Qt::LeftButton, Qt::LeftButton);
    QCOMPARE(doubles.count(), 2);
    QCOMPARE(doubles.at(1).at(0).value<QWidget *>(), &cell);
}

void TestCells::coverStates_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("muted");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("hover");
    QTest::addColumn<QString>("label");
    QTest::addColumn<bool>("iconShown");
    QTest::addColumn<int>("iconSide");
    QTest::addColumn<bool>("titleBarShown");

    QTest::newRow("remote, no name, away") << 0 << false << QString() << true << QString() << false << 20 << false;
    QTest::newRow("remote, named, away") << 0 << false << "Alice" << false << "Alice" << false << 20 << false;
    QTest::newRow("remote, named, hover") << 0 << false << "Alice" << true << "Alice" << false << 20 << true;
    QTest::newRow("remote, muted, hover") << 0 << true << "Alice" << true << "Alice" << true << 20 << true;
    QTest::newRow("content, hover") << 1 << false << "Bob" << true << "Bob's Screen Sharing" << true << 14 << true;
    QTest::newRow("content, muted mark") << 1 << true << "Bob" << true << "Bob's Screen Sharing" << true << 14
                                         << true;
    QTest::newRow("local, muted, away") << 2 << true << "Me" << false << "Me" << true << 20 << true;
    // Shown with the cell; the mouse leaving hides it again.
    QTest::newRow("local, not muted, away") << 2 << false << "Me" << false << "Me" << false << 20 << true;
    QTest::newRow("local, muted, no name") << 2 << true << QString() << false << QString() << true << 20 << true;
}

void TestCells::coverStates()
{
    QFETCH(int, type);
    QFETCH(bool, muted);
    QFETCH(QString, name);
    QFETCH(bool, hover);
    QFETCH(QString, label);
    QFETCH(bool, iconShown);
    QFETCH(int, iconSide);
    QFETCH(bool, titleBarShown);

    CLayoutCellDlg cell;
    cell.resize(400, 240);
    cell.setCellType(type);
    cell.setIsMuted(muted);
    cell.setSiteName(name.toUtf8().constData());
    // The real pointer stays away: a cover mapped under it gets a real enter
    // that the rows without hover do not expect.
    cell.move(100, 100);
    QCursor::setPos(QGuiApplication::primaryScreen()->geometry().bottomRight());
    cell.show();
    QVERIFY(QTest::qWaitForWindowExposed(&cell));
    CLayoutCellCoverDlg *overlay = cell.getCellCoverDlg();
    if (hover) {
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(overlay, &enter);
    }

    QCOMPARE(overlay->getCellType(), type);
    QCOMPARE(labelOf(overlay)->text(), label);
    QCOMPARE(!labelOf(overlay)->isHidden(), !label.isEmpty());
    QCOMPARE(!iconOf(overlay)->isHidden(), iconShown);
    QTRY_COMPARE(iconOf(overlay)->size(), QSize(iconSide, iconSide));
    QCOMPARE(titleBarOf(overlay)->isVisible(), titleBarShown);

    // Leaving hides the title bar, except the muted local cell's.
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(overlay, &leave);
    QCOMPARE(titleBarOf(overlay)->isVisible(), type == 2 && muted);
    cell.hide();
    QVERIFY(!titleBarOf(overlay)->isVisible());
}

void TestCells::emptySiteNameKeepsPrevious()
{
    CLayoutCellDlg cell;
    cell.setSiteName("Ünïcode Ålice");
    cell.setSiteName("");
    cell.setSiteName(nullptr);
    QCOMPARE(cell.getCellCoverDlg()->getSiteName(), QStringLiteral("Ünïcode Ålice"));

    // Content that ends turns the icon back into the muted mark it is.
    cell.setCellType(1);
    QVERIFY(!iconOf(cell.getCellCoverDlg())->isHidden());
    cell.setCellType(0);
    QVERIFY(iconOf(cell.getCellCoverDlg())->isHidden());
}

void TestCells::longSiteNameIsElided()
{
    CLayoutCellDlg cell;
    cell.resize(160, 120);
    cell.setIsMuted(true);
    const QString longName = QString(QLatin1String("Conference room ")).repeated(6);
    cell.setSiteName(longName.toUtf8().constData());
    cell.show();
    QVERIFY(QTest::qWaitForWindowExposed(&cell));
    CLayoutCellCoverDlg *overlay = cell.getCellCoverDlg();
    const int available = overlay->width() - 3 - 3;
    QVERIFY(titleBarOf(overlay)->maximumWidth() <= available);
    const QString shown = labelOf(overlay)->text();
    QVERIFY(shown.endsWith(QChar(0x2026)));
    QVERIFY(longName.startsWith(shown.left(shown.size() - 1)));

    // A wide cell shows the whole name and a title bar just as wide as needed.
    cell.resize(1600, 400);
    QCOMPARE(labelOf(overlay)->text(), longName);
    QVERIFY(titleBarOf(overlay)->maximumWidth() < overlay->width() - 6);
}

void TestCells::borderPainting_data()
{
    QTest::addColumn<QString>("color");
    QTest::newRow("none") << QString();
    QTest::newRow("red") << QStringLiteral("#f00");
    QTest::newRow("blue") << QStringLiteral("#4381ff");
}

void TestCells::borderPainting()
{
    QFETCH(QString, color);
    CLayoutCellCoverDlg overlay;
    overlay.resize(120, 80);
    overlay.setBorderColor(color);
    QCOMPARE(overlay.getBorderColor(), color);
    const QImage image = overlay.grab().toImage();
    const QColor expected = color.isEmpty() ? QColor() : QColor(color);
    for (const QPoint &p : {QPoint(0, 0), QPoint(60, 0), QPoint(0, 40), QPoint(119, 40), QPoint(60, 79)}) {
        const QColor pixel = image.pixelColor(p);
        if (color.isEmpty())
            QVERIFY2(pixel.alpha() < 16, qPrintable(pixel.name(QColor::HexArgb)));
        else
            QCOMPARE(pixel.rgb(), expected.rgb());
    }
    // The middle stays see-through.
    QVERIFY(image.pixelColor(60, 20).alpha() < 16);
}

void TestCells::topFlagsOnTopCellChangeNothing()
{
    CLayoutCellDlg cell;
    cell.show();
    QVERIFY(QTest::qWaitForWindowExposed(&cell));
    cell.setTopWindowFlags(true);
    QVERIFY(cell.windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(cell.getCellCoverDlg()->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(cell.isVisible());
    cell.setTopWindowFlags(false); // already on top: stays shown
    QVERIFY(cell.isVisible());
    QVERIFY(cell.getCellCoverDlg()->isVisible());

    CLayoutCellDlg hidden;
    hidden.setTopWindowFlags(false);
    QVERIFY(!hidden.isVisible());
    QVERIFY(!hidden.getCellCoverDlg()->isVisible());
}

// New window flags hide a window; neither the cell nor its overlay may vanish.
void TestCells::windowFlagChangesKeepVisibility()
{
    CLayoutCellDlg cell;
    cell.move(70, 90);
    cell.show();
    QVERIFY(QTest::qWaitForWindowExposed(&cell));
    CLayoutCellCoverDlg *overlay = cell.getCellCoverDlg();
    cell.setTopWindowFlags(true);
    QVERIFY(cell.isVisible());
    QVERIFY(overlay->isVisible());
    QTRY_COMPARE(screenRect(overlay), screenRect(&cell));
    cell.setNormalWindowFlags();
    QVERIFY(!(cell.windowFlags() & Qt::WindowStaysOnTopHint));
    QVERIFY(!(overlay->windowFlags() & Qt::WindowStaysOnTopHint));
    QVERIFY(cell.isVisible());
    QVERIFY(overlay->isVisible());
    QTRY_COMPARE(cell.pos(), QPoint(70, 90));
    QTRY_COMPARE(screenRect(overlay), screenRect(&cell));
}

// A cell moved while shown and then hidden (or handed to another owner)
// before the X server confirmed the move, and placed anew while hidden, shows
// at its new place: the late confirmation of the old place may arrive while
// it is hidden.
void TestCells::placedWhileHiddenShowsThere_data()
{
    QTest::addColumn<bool>("reparent");
    QTest::newRow("hidden") << false;
    QTest::newRow("to another owner") << true;
}

void TestCells::placedWhileHiddenShowsThere()
{
    QFETCH(bool, reparent);

    CLayoutCoverDlg owner;
    CLayoutCellDlg cell;
    cell.setFixedSize(320, 180);
    cell.move(40, 50);
    cell.show();
    QVERIFY(QTest::qWaitForWindowExposed(&cell));
    QTRY_COMPARE(screenRect(&cell), QRect(40, 50, 320, 180));

    // Moved while shown, as into the strip; nothing confirms it yet.
    cell.setFixedSize(378, 213);
    cell.setRelativePos(2, 26);
    cell.moveToOrigin(1000, 400);
    if (reparent)
        cell.setParent(&owner, Qt::SplashScreen | Qt::FramelessWindowHint);
    else
        cell.hide();
    QVERIFY(!cell.isVisible());
    cell.setFixedSize(600, 340);
    cell.setRelativePos(0, 0);
    cell.moveToOrigin(102, 144);
    // Every confirmation the X server owes arrives now, while hidden.
    QApplication::sync();
    cell.show();

    const QRect placed(102, 144, 600, 340);
    QTRY_COMPARE(screenRect(&cell), placed);
    QApplication::sync();
    QCOMPARE(xWindowGeometry(cell.winId()), placed);
    QTRY_COMPARE(screenRect(cell.getCellCoverDlg()), placed);
}

void TestCells::deletedCellTakesOverlayAlong()
{
    CLayoutCoverDlg owner;
    QPointer<CLayoutCellCoverDlg> owned;
    QPointer<CLayoutCellCoverDlg> free;
    QList<WId> announced;
    QList<bool> existed;
    WId bound = 0;
    {
        CLayoutCellDlg a;
        CLayoutCellDlg b;
        a.setCoverParent(&owner);
        a.show();
        b.show();
        owned = a.getCellCoverDlg();
        free = b.getCellCoverDlg();
        QVERIFY(owned->isVisible());
        QVERIFY(free->isVisible());
        // The engine was given a's window: it hears of its end first.
        bound = a.getVideoWindowId();
        connect(&a, &CLayoutCellDlg::sigVideoWindowAboutToChange, &owner, [&](WId id) {
            announced << id;
            existed << xWindowExists(id);
        }, Qt::DirectConnection);
    }
    QVERIFY(!owned); // no overlay left on screen over nothing
    QVERIFY(!free);
    QCOMPARE(announced, QList<WId>{bound});
    QCOMPARE(existed, QList<bool>{true});
}

void TestCells::deletedOverlayOwnerLeavesCellUsable()
{
    CLayoutCellDlg cell;
    {
        CLayoutCoverDlg owner;
        cell.setCoverParent(&owner);
        cell.show();
    }
    QVERIFY(!cell.getCellCoverDlg());
    // Nothing of the cell may touch the overlay that went with its owner.
    cell.setSiteName("Alice");
    cell.setIsMuted(true);
    cell.setCellType(1);
    cell.setBorderColor(QStringLiteral("#f00"));
    cell.setDragEnabled(true);
    cell.resize(200, 100);
    cell.moveToOrigin(10, 10);
    cell.setTopWindowFlags(true);
    cell.setNormalWindowFlags();
    cell.hide();
    cell.show();
    CLayoutCoverDlg other;
    cell.setCoverParent(&other);
    QVERIFY(cell.isVisible());
}

void TestCells::groupCoverRelaysMouse()
{
    CLayoutCoverDlg cover;
    QVERIFY(qAbs(cover.windowOpacity() - 0.01) < 0.005); // stored in 8 bits
    cover.move(10, 10);
    cover.show();
    QVERIFY(QTest::qWaitForWindowExposed(&cover));
    QSignalSpy moves(&cover, &CLayoutCoverDlg::sigMouseMove);
    QSignalSpy presses(&cover, &CLayoutCoverDlg::sigMousePress);
    sendMouse(&cover, QEvent::MouseMove, QPoint(20, 20), Qt::NoButton, Qt::NoButton);
    sendMouse(&cover, QEvent::MouseButtonPress, QPoint(20, 20), Qt::LeftButton, Qt::LeftButton);
    QCOMPARE(moves.count(), 1);
    QCOMPARE(presses.count(), 1);
}

void TestCells::overlayScales_data()
{
    QTest::addColumn<qreal>("dpi");
    QTest::addColumn<int>("pointSize");
    QTest::addColumn<int>("iconSide");
    QTest::addColumn<int>("margin");
    QTest::newRow("1x") << qreal(96) << 9 << 20 << 3;
    QTest::newRow("1.5x") << qreal(144) << 13 << 30 << 4;
    QTest::newRow("2x") << qreal(192) << 18 << 40 << 6;
}

void TestCells::overlayScales()
{
    QFETCH(qreal, dpi);
    QFETCH(int, pointSize);
    QFETCH(int, iconSide);
    QFETCH(int, margin);

    CLayoutCellDlg cell;
    cell.resize(400, 240);
    cell.setIsMuted(true);
    cell.setSiteName("Alice");
    cell.show();
    QVERIFY(QTest::qWaitForWindowExposed(&cell));
    CLayoutCellCoverDlg *overlay = cell.getCellCoverDlg();
    QCOMPARE(labelOf(overlay)->font().pointSize(), 9);

    setScreenDpi(dpi);
    QCOMPARE(labelOf(overlay)->font().pointSize(), pointSize);
    QTRY_COMPARE(iconOf(overlay)->size(), QSize(iconSide, iconSide));
    QCOMPARE(overlay->layout()->contentsMargins().left(), margin);
    // The overlay keeps the cell's size: only the form is scaled.
    QTRY_COMPARE(overlay->size(), cell.size());
    QVERIFY(titleBarOf(overlay)->maximumWidth() <= overlay->width() - 2 * margin);
    setScreenDpi(96);
    QCOMPARE(labelOf(overlay)->font().pointSize(), 9);
}

// ---------------------------------------------------------------------------
// Floating strip

void TestCells::stripGeometry_data()
{
    QTest::addColumn<int>("remoteCount");
    QTest::addColumn<bool>("bottomBar");
    QTest::newRow("local only") << 0 << false;
    QTest::newRow("one remote") << 1 << false;
    QTest::newRow("three remote") << 3 << false;
    QTest::newRow("four remote") << 4 << true;
}

void TestCells::staleReportFromTheWindowSystem_data()
{
    QTest::addColumn<QString>("window");
    QTest::newRow("strip cell") << QStringLiteral("cell");
    QTest::newRow("cell's overlay") << QStringLiteral("overlay");
    QTest::newRow("strip's cover") << QStringLiteral("cover");
}

// The window manager now and then leaves a window where and as large as it
// stood before its last move and the X server tells Qt so: the window goes
// back to its place in the strip, instead of lying over whatever is at the
// old place.
void TestCells::staleReportFromTheWindowSystem()
{
    QFETCH(QString, window);

    Strip s(1);
    s.dlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(s.dlg.get()));
    s.dlg->setLocalVideoCell(s.local.get());
    s.dlg->setRemoteVideoCells(s.remoteCells());
    CLayoutCellDlg *cell = s.remote.front().get();
    QWidget *target = window == QLatin1String("cell")      ? static_cast<QWidget *>(cell)
                      : window == QLatin1String("overlay") ? static_cast<QWidget *>(cell->getCellCoverDlg())
                                                            : s.dlg->getLayoutCoverDlg();
    QTRY_VERIFY(target->isVisible());
    QApplication::sync();
    QCoreApplication::processEvents();
    const QRect placed = screenRect(target);

    // Where and as large as a window of the call layout stood before.
    const QRect old(QPoint(4, 36), QSize(380, 212));
    QWindowSystemInterface::handleGeometryChange<QWindowSystemInterface::SynchronousDelivery>(
        target->windowHandle(), old);
    QCOMPARE(screenRect(target), old);
    QTRY_COMPARE(screenRect(target), placed);
    QApplication::sync();
    QTRY_COMPARE(xWindowGeometry(target->winId()), placed);
}

void TestCells::stripGeometry()
{
    QFETCH(int, remoteCount);
    QFETCH(bool, bottomBar);

    Strip s(remoteCount);
    s.dlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(s.dlg.get()));
    s.dlg->setLocalVideoCell(s.local.get());
    s.dlg->setRemoteVideoCells(s.remoteCells());

    const QPoint origin = s.dlg->pos();
    QCOMPARE(s.dlg->width(), kCellW + 2 * kSpacing);
    QCOMPARE(s.dlg->height(), kBar + (remoteCount + 1) * kCellH + (bottomBar ? kBar : 0));
    QVERIFY(s.repaints > 0);

    QTRY_COMPARE(screenRect(s.local.get()), QRect(origin + QPoint(kSpacing, kBar), QSize(kCellW, kCellH)));
    QVERIFY(s.local->isVisible());
    QTRY_COMPARE(screenRect(s.local->getCellCoverDlg()), screenRect(s.local.get()));
    QCOMPARE(s.local->getCellCoverDlg()->parentWidget(), s.dlg->getLayoutCoverDlg());
    for (int i = 0; i < remoteCount; ++i) {
        CLayoutCellDlg *cell = s.remote[size_t(i)].get();
        QTRY_COMPARE(screenRect(cell),
                 QRect(origin + QPoint(kSpacing, kBar + (i + 1) * kCellH), QSize(kCellW, kCellH)));
        QVERIFY(cell->isVisible());
        QCOMPARE(cell->parentWidget(), s.dlg.get());
        QCOMPARE(cell->windowType(), Qt::SplashScreen);
        QVERIFY(cell->getDragEnabled());
        QVERIFY(s.dlg->isOwnCell(cell));
        QTRY_COMPARE(screenRect(cell->getCellCoverDlg()), screenRect(cell));
    }
    CLayoutCoverDlg *cover = s.dlg->getLayoutCoverDlg();
    QVERIFY(cover->isVisible());
    QTRY_COMPARE(screenRect(cover),
             QRect(origin + QPoint(0, kBar), QSize(s.dlg->width(), (remoteCount + 1) * kCellH)));
    QVERIFY(s.dlg->isOwnCell(s.local.get()));
    CLayoutCellDlg stranger;
    QVERIFY(!s.dlg->isOwnCell(&stranger));

    // Moving the strip carries every cell, overlay and the cover along.
    s.dlg->move(300, 120);
    QTRY_COMPARE(s.local->pos(), QPoint(300 + kSpacing, 120 + kBar));
    QTRY_COMPARE(s.local->getCellCoverDlg()->pos(), s.local->pos());
    for (int i = 0; i < remoteCount; ++i)
        QTRY_COMPARE(s.remote[size_t(i)]->pos(), QPoint(300 + kSpacing, 120 + kBar + (i + 1) * kCellH));
    QTRY_COMPARE(cover->pos(), QPoint(300, 120 + kBar));
}

void TestCells::secondLocalCellIgnored()
{
    Strip s;
    CLayoutCellDlg other;
    s.dlg->show();
    s.dlg->setLocalVideoCell(s.local.get());
    s.dlg->setLocalVideoCell(&other);
    QCOMPARE(s.dlg->getLocalVideoCell(), s.local.get());
    QVERIFY(!s.dlg->isOwnCell(&other));
    QVERIFY(!other.parentWidget());

    s.dlg->clearLocalVideoCell();
    QVERIFY(!s.dlg->getLocalVideoCell());
    s.dlg->setLocalVideoCell(&other);
    QCOMPARE(s.dlg->getLocalVideoCell(), &other);
    s.dlg->clearLocalVideoCell();
}

void TestCells::userHidesAndShowsAgain()
{
    Strip s(1);
    s.dlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(s.dlg.get()));
    s.dlg->setLocalVideoCell(s.local.get());
    s.dlg->setRemoteVideoCells(s.remoteCells());
    QSignalSpy hidden(s.dlg.get(), &CLayoutFloatingCellsDlg::signal_FloatingCellsDlg_Hide);
    const QPoint before = s.dlg->pos();

    auto *minButton = s.dlg->findChild<QPushButton *>(QStringLiteral("pBtMin"));
    QVERIFY(minButton);
    QVERIFY(!minButton->styleSheet().isNull() || !s.dlg->styleSheet().isEmpty());
    QTest::mouseClick(minButton, Qt::LeftButton);
    QCOMPARE(hidden.count(), 1);
    QVERIFY(s.dlg->getHideFlag());
    QVERIFY(!s.dlg->isVisible());
    QVERIFY(!s.local->isVisible());
    QVERIFY(!s.local->getCellCoverDlg()->isVisible());
    QVERIFY(!s.remote[0]->isVisible());
    QVERIFY(!s.dlg->getLayoutCoverDlg()->isVisible());

    // Shown by anyone else, it stays away while the user keeps it hidden.
    s.dlg->show();
    QVERIFY(!s.dlg->isVisible());
    QVERIFY(!s.local->isVisible());

    s.dlg->slot_FloatingCellsDlg_Show();
    QVERIFY(!s.dlg->getHideFlag());
    QVERIFY(s.dlg->isVisible());
    QTRY_COMPARE(s.dlg->pos(), before + QPoint(0, 1));
    QVERIFY(s.local->isVisible());
    QVERIFY(s.local->getCellCoverDlg()->isVisible());
    QVERIFY(s.remote[0]->isVisible());
    QTRY_COMPARE(s.local->pos(), s.dlg->pos() + QPoint(kSpacing, kBar));
    QTRY_COMPARE(s.dlg->getLayoutCoverDlg()->pos(), s.dlg->pos() + QPoint(0, kBar));

    // The layout engine's compact mode hides it the same way.
    s.dlg->setHide();
    QCOMPARE(hidden.count(), 2);
    QVERIFY(!s.dlg->isVisible());
    s.dlg->clearHideFlag();
    s.dlg->show();
    QVERIFY(s.dlg->isVisible());
}

void TestCells::dragByTitleBar()
{
    Strip s;
    s.dlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(s.dlg.get()));
    s.dlg->setLocalVideoCell(s.local.get());
    const QPoint start = s.dlg->pos();
    const QPoint grab = start + QPoint(40, 10);
    sendMouse(s.dlg.get(), QEvent::MouseButtonPress, grab, Qt::LeftButton, Qt::LeftButton);
    sendMouse(s.dlg.get(), QEvent::MouseMove, grab + QPoint(5, 3), Qt::NoButton, Qt::LeftButton);
    sendMouse(s.dlg.get(), QEvent::MouseMove, grab + QPoint(60, 45), Qt::NoButton, Qt::LeftButton);
    sendMouse(s.dlg.get(), QEvent::MouseButtonRelease, grab + QPoint(60, 45), Qt::LeftButton, Qt::NoButton);
    QTRY_COMPARE(s.dlg->pos(), start + QPoint(60, 45));
    QTRY_COMPARE(s.local->pos(), s.dlg->pos() + QPoint(kSpacing, kBar));
    QTRY_COMPARE(s.local->getCellCoverDlg()->pos(), s.local->pos());

    // Below the title bar the strip itself does not drag.
    const QPoint low = s.dlg->pos() + QPoint(40, kBar + 50);
    sendMouse(s.dlg.get(), QEvent::MouseButtonPress, low, Qt::LeftButton, Qt::LeftButton);
    sendMouse(s.dlg.get(), QEvent::MouseMove, low + QPoint(30, 30), Qt::NoButton, Qt::LeftButton);
    sendMouse(s.dlg.get(), QEvent::MouseButtonRelease, low + QPoint(30, 30), Qt::LeftButton, Qt::NoButton);
    QTRY_COMPARE(s.dlg->pos(), start + QPoint(60, 45));
}

void TestCells::dragByCell()
{
    Strip s(1);
    s.dlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(s.dlg.get()));
    s.dlg->setLocalVideoCell(s.local.get());
    s.dlg->setRemoteVideoCells(s.remoteCells());
    const QPoint start = s.dlg->pos();
    CLayoutCellCoverDlg *overlay = s.remote[0]->getCellCoverDlg();
    const QPoint grab = overlay->pos() + QPoint(100, 100);
    sendMouse(overlay, QEvent::MouseButtonPress, grab, Qt::LeftButton, Qt::LeftButton);
    sendMouse(overlay, QEvent::MouseMove, grab + QPoint(-25, 35), Qt::NoButton, Qt::LeftButton);
    sendMouse(overlay, QEvent::MouseMove, grab + QPoint(-50, 70), Qt::NoButton, Qt::LeftButton);
    sendMouse(overlay, QEvent::MouseButtonRelease, grab + QPoint(-50, 70), Qt::LeftButton, Qt::NoButton);

    QTRY_COMPARE(s.dlg->pos(), start + QPoint(-50, 70));
    QTRY_COMPARE(s.local->pos(), s.dlg->pos() + QPoint(kSpacing, kBar));
    QTRY_COMPARE(s.remote[0]->pos(), s.dlg->pos() + QPoint(kSpacing, kBar + kCellH));
    QTRY_COMPARE(overlay->pos(), s.remote[0]->pos());
    QTRY_COMPARE(s.local->getCellCoverDlg()->pos(), s.local->pos());
}

void TestCells::coverNotSizedWhileInvisible()
{
    Strip s(2);
    CLayoutCoverDlg *cover = s.dlg->getLayoutCoverDlg();
    const QSize initial = cover->size();
    s.dlg->setLocalVideoCell(s.local.get());
    s.dlg->setRemoteVideoCells(s.remoteCells());
    QTRY_COMPARE(cover->size(), initial);
    QVERIFY(!cover->isVisible());
    // Hidden strip: its cells stay hidden too, overlays included.
    QVERIFY(!s.local->isVisible());
    QVERIFY(!s.local->getCellCoverDlg()->isVisible());
    QVERIFY(!s.remote[1]->isVisible());

    s.dlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(s.dlg.get()));
    QTRY_COMPARE(cover->size(), QSize(s.dlg->width(), 3 * kCellH));
    QCOMPARE(s.dlg->height(), kBar + 3 * kCellH);
    QVERIFY(s.local->isVisible());
    QVERIFY(s.remote[1]->isVisible());
}

void TestCells::clearRemoteCells()
{
    Strip s(2);
    s.dlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(s.dlg.get()));
    s.dlg->setLocalVideoCell(s.local.get());
    s.dlg->setRemoteVideoCells(s.remoteCells());
    QCOMPARE(s.dlg->height(), kBar + 3 * kCellH);

    s.dlg->clearRemoteVideoCells();
    QVERIFY(s.dlg->getRemoteVideoCells().isEmpty());
    QCOMPARE(s.dlg->height(), kBar + kCellH);
    QCOMPARE(s.dlg->getLayoutCoverDlg()->height(), kCellH);
    QVERIFY(!s.dlg->isOwnCell(s.remote[0].get()));
    // The cells themselves are left alone for their owner.
    QVERIFY(s.remote[0]->isVisible());
    s.dlg->clearRemoteVideoCells(); // nothing left: only logged

    // A dropped cell no longer drags the strip.
    s.remote[0]->setDragEnabled(true);
    CLayoutCellCoverDlg *overlay = s.remote[0]->getCellCoverDlg();
    const QPoint start = s.dlg->pos();
    const QPoint grab = overlay->pos() + QPoint(50, 50);
    sendMouse(overlay, QEvent::MouseButtonPress, grab, Qt::LeftButton, Qt::LeftButton);
    sendMouse(overlay, QEvent::MouseMove, grab + QPoint(30, 30), Qt::NoButton, Qt::LeftButton);
    sendMouse(overlay, QEvent::MouseButtonRelease, grab + QPoint(30, 30), Qt::LeftButton, Qt::NoButton);
    QTRY_COMPARE(s.dlg->pos(), start);

    s.dlg->clearLocalVideoCell();
    QCOMPARE(s.dlg->height(), kBar + kCellH); // a slot stays for the local video
    QVERIFY(!s.dlg->getLayoutCoverDlg()->isVisible());
}

void TestCells::stripScales_data()
{
    QTest::addColumn<qreal>("dpi");
    QTest::addColumn<double>("scale");
    QTest::newRow("1.5x") << qreal(144) << 1.5;
    QTest::newRow("2x") << qreal(192) << 2.0;
}

void TestCells::stripScales()
{
    QFETCH(qreal, dpi);
    QFETCH(double, scale);

    Strip s(1);
    s.dlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(s.dlg.get()));
    s.dlg->setLocalVideoCell(s.local.get());
    s.dlg->setRemoteVideoCells(s.remoteCells());
    const int repaints = s.repaints;

    setScreenDpi(dpi);
    const int cellW = int(378 * scale), cellH = int(213 * scale), spacing = int(2 * scale), bar = int(26 * scale);
    QCOMPARE(s.dlg->getCellWidth(), cellW);
    QCOMPARE(s.dlg->getCellHeight(), cellH);
    QCOMPARE(s.dlg->width(), cellW + 2 * spacing);
    QCOMPARE(s.dlg->height(), bar + 2 * cellH);
    QTRY_COMPARE(s.dlg->findChild<QPushButton *>(QStringLiteral("pBtMin"))->size(),
             QSize(int(24 * scale), int(24 * scale)));
    QCOMPARE(s.dlg->dragAreaHeight, bar);
    QVERIFY(s.repaints > repaints);
    QTRY_COMPARE(screenRect(s.local.get()), QRect(s.dlg->pos() + QPoint(spacing, bar), QSize(cellW, cellH)));
    QTRY_COMPARE(screenRect(s.remote[0].get()),
             QRect(s.dlg->pos() + QPoint(spacing, bar + cellH), QSize(cellW, cellH)));
    QTRY_COMPARE(s.local->getCellCoverDlg()->size(), QSize(cellW, cellH));
    QTRY_COMPARE(s.dlg->getLayoutCoverDlg()->size(), QSize(s.dlg->width(), 2 * cellH));
    QTRY_COMPARE(s.dlg->getLayoutCoverDlg()->pos(), s.dlg->pos() + QPoint(0, bar));

    setScreenDpi(96);
    QCOMPARE(s.dlg->width(), kCellW + 2 * kSpacing);
    QCOMPARE(s.dlg->height(), kBar + 2 * kCellH);
    QTRY_COMPARE(s.local->size(), QSize(kCellW, kCellH));
}

void TestCells::topAndNonTopWindow()
{
    Strip s(1);
    s.dlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(s.dlg.get()));
    s.dlg->setLocalVideoCell(s.local.get());
    s.dlg->setRemoteVideoCells(s.remoteCells());
    const QPoint pos = s.dlg->pos();

    s.dlg->setTopWindow();
    QVERIFY(s.dlg->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(s.local->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(s.remote[0]->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(s.local->getCellCoverDlg()->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(s.dlg->getLayoutCoverDlg()->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(s.dlg->isVisible());
    QVERIFY(s.local->isVisible());
    QVERIFY(s.remote[0]->getCellCoverDlg()->isVisible());
    QTRY_COMPARE(s.dlg->pos(), pos);
    QTRY_COMPARE(s.local->pos(), pos + QPoint(kSpacing, kBar));

    // Cells given to a topmost strip are topmost too.
    CLayoutCellDlg late;
    s.dlg->setRemoteVideoCells({s.remote[0].get(), &late});
    QVERIFY(late.windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(late.isVisible());

    s.dlg->setNonTopWindow();
    QVERIFY(!(s.dlg->windowFlags() & Qt::WindowStaysOnTopHint));
    QVERIFY(!(s.local->windowFlags() & Qt::WindowStaysOnTopHint));
    QVERIFY(!(late.windowFlags() & Qt::WindowStaysOnTopHint));
    QVERIFY(!(s.dlg->getLayoutCoverDlg()->windowFlags() & Qt::WindowStaysOnTopHint));
    QVERIFY(s.dlg->isVisible());
    QVERIFY(s.local->isVisible());
    QVERIFY(late.getCellCoverDlg()->isVisible());
    s.dlg->clearRemoteVideoCells();

    // Hidden by the user: topmost again, yet nothing shows.
    s.dlg->setHide();
    s.dlg->setTopWindow();
    QVERIFY(!s.dlg->isVisible());
    QVERIFY(!s.local->isVisible());
}

void TestCells::deletedCellLeavesStrip()
{
    Strip s(2);
    s.dlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(s.dlg.get()));
    s.dlg->setLocalVideoCell(s.local.get());
    s.dlg->setRemoteVideoCells(s.remoteCells());
    s.remote[0].reset();
    QTRY_COMPARE(s.dlg->getRemoteVideoCells().size(), 1);
    QCOMPARE(s.dlg->height(), kBar + 2 * kCellH);
    s.local.reset();
    QVERIFY(!s.dlg->getLocalVideoCell());
    // Everything that walks the cells still works.
    s.dlg->move(200, 200);
    setScreenDpi(144);
    setScreenDpi(96);
    s.dlg->hide();
    s.dlg->show();
    s.dlg->setTopWindow();
    s.dlg->setNonTopWindow();
    s.dlg->clearLocalVideoCell();
    s.dlg->clearRemoteVideoCells();
    QVERIFY(s.dlg->getRemoteVideoCells().isEmpty());
}

void TestCells::deletedStripHandsCellsBack()
{
    CLayoutCellDlg local;
    CLayoutCellDlg remote;
    {
        CLayoutFloatingCellsDlg strip;
        strip.setRepaintVideoFunc([] {});
        strip.show();
        strip.setLocalVideoCell(&local);
        strip.setRemoteVideoCells({&remote});
        QCOMPARE(local.parentWidget(), &strip);
        QCOMPARE(remote.getCellCoverDlg()->parentWidget(), strip.getLayoutCoverDlg());
    }
    // Still alive with their overlays, off screen until their owner places them.
    QVERIFY(!local.parentWidget());
    QVERIFY(!remote.parentWidget());
    QVERIFY(local.getCellCoverDlg());
    QVERIFY(remote.getCellCoverDlg());
    QVERIFY(!local.isVisible());
    QVERIFY(!remote.getCellCoverDlg()->isVisible());
    remote.setCoverParent(nullptr);
    remote.show();
    QVERIFY(remote.getCellCoverDlg()->isVisible());
}

GLIMORA_TEST_MAIN(TestCells)
#include "tst_cells.moc"
