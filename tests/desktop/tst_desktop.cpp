// The test desktop and its helpers, checked against the X server: a click
// sent through it lands on the window on top at that point, never on a
// covered one; a window without an input region lets it through to the
// program below; the window manager gives a full-screen window the screen;
// typed text arrives as typed.

#include "support/TestMain.h"
#include "support/XDesktop.h"

#include "platform/CInputShape.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTest>
#include <QWidget>

#include <memory>

using namespace glimora::test::desktop;

namespace {

// A window of one colour that counts the presses it gets.
class Target : public QWidget
{
public:
    Target(const QRect &geometry, const QColor &colour)
    {
        setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
        setAutoFillBackground(true);
        QPalette p = palette();
        p.setColor(QPalette::Window, colour);
        setPalette(p);
        setGeometry(geometry);
    }
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        ++presses;
        event->accept();
    }
};

bool shownAt(QWidget *window, const QRect &geometry)
{
    return QTest::qWaitFor([&] { return isViewable(window) && geometryOf(window) == geometry; }, 5000);
}

QRgb screenPixel(const QPoint &at)
{
    settle();
    return QGuiApplication::primaryScreen()->grabWindow(0, at.x(), at.y(), 1, 1).toImage().pixel(0, 0);
}

} // namespace

class TestDesktop : public QObject
{
    Q_OBJECT

private slots:
    void aWindowManagerAndACompositorRun()
    {
        QVERIFY(hasWindowManager());
        QVERIFY(hasCompositor());
    }

    // Two windows overlap: the one on top takes the click at the overlap,
    // whichever of them the test means; raised, the other takes it.
    void theWindowOnTopTakesTheClick()
    {
        Target lower(QRect(100, 100, 400, 300), Qt::darkBlue);
        Target upper(QRect(300, 250, 400, 300), Qt::darkGreen);
        lower.show();
        QVERIFY(shownAt(&lower, lower.geometry()));
        upper.show();
        QVERIFY(shownAt(&upper, upper.geometry()));
        QTRY_VERIFY(isAbove(&upper, &lower));

        const QPoint overlap(400, 320);
        QTRY_COMPARE(topLevelAt(overlap), &upper);
        click(overlap);
        QTRY_COMPARE(upper.presses, 1);
        QCOMPARE(lower.presses, 0);

        // A part of the lower window that nothing covers is its own.
        click(QPoint(150, 150));
        QTRY_COMPARE(lower.presses, 1);

        lower.raise();
        QTRY_VERIFY(isAbove(&lower, &upper));
        QTRY_COMPARE(topLevelAt(overlap), &lower);
        click(overlap);
        QTRY_COMPARE(lower.presses, 2);
        QCOMPARE(upper.presses, 1);
    }

    // A window with an empty input region lets the click through to the
    // program below it; with a full region it takes the click again.
    void anInputRegionLetsTheClickThrough()
    {
        const QRect area(200, 200, 300, 200);
        ForeignWindow below(area, 0xc03030);
        QVERIFY(below.waitUntilMapped());
        // Kept on top, as an overlay is: the click that goes through raises
        // the program below.
        Target cover(area.adjusted(-50, -50, 50, 50), Qt::darkGray);
        cover.setWindowFlag(Qt::WindowStaysOnTopHint);
        cover.show();
        QVERIFY(shownAt(&cover, cover.geometry()));
        QTRY_VERIFY(stackingOrder().indexOf(below.id()) < stackingIndex(&cover));

        const QPoint inside = area.center();
        QTRY_COMPARE(topLevelAt(inside), &cover);
        click(inside);
        QTRY_COMPARE(cover.presses, 1);
        QCOMPARE(below.presses(), 0);

        QVERIFY(rj_app::platform::CInputShape::setInputRegion(&cover, QRegion()));
        settle();
        QTRY_COMPARE(topLevelAt(inside), nullptr);
        QTRY_COMPARE(windowAt(inside), below.id());
        click(inside);
        QTRY_COMPARE(below.presses(), 1);
        QCOMPARE(below.lastPress(), inside);
        QCOMPARE(cover.presses, 1);

        QVERIFY(rj_app::platform::CInputShape::setInputRegion(&cover, QRegion(cover.rect())));
        QTRY_COMPARE(topLevelAt(inside), &cover);
        click(inside);
        QTRY_COMPARE(cover.presses, 2);
        QCOMPARE(below.presses(), 1);
    }

    // The compositor shows what lies under a translucent window, and the
    // read-back of the screen sees it.
    void theScreenShowsThroughATranslucentWindow()
    {
        const QRect area(600, 300, 300, 200);
        ForeignWindow below(area, 0x2060c0);
        QVERIFY(below.waitUntilMapped());
        QTRY_COMPARE(screenPixel(area.center()), qRgb(0x20, 0x60, 0xc0));

        QWidget glass;
        glass.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
        glass.setAttribute(Qt::WA_TranslucentBackground);
        glass.setGeometry(area.adjusted(-20, -20, 20, 20));
        glass.show();
        QVERIFY(shownAt(&glass, glass.geometry()));
        QTRY_VERIFY(stackingOrder().indexOf(below.id()) < stackingIndex(&glass));
        QTRY_COMPARE(screenPixel(area.center()), qRgb(0x20, 0x60, 0xc0));
    }

    // Under the window manager a full-screen window covers the screen, and
    // comes back to its place after.
    void fullScreenCoversTheScreen()
    {
        Target window(QRect(150, 120, 640, 360), Qt::darkCyan);
        window.show();
        QVERIFY(shownAt(&window, window.geometry()));
        window.showFullScreen();
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QVERIFY2(shownAt(&window, screen), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                          .arg(geometryOf(&window).x())
                                                          .arg(geometryOf(&window).y())
                                                          .arg(geometryOf(&window).width())
                                                          .arg(geometryOf(&window).height())));
        // Once the window manager has said so: a request to leave before it
        // has, crosses its answer.
        QTRY_VERIFY(window.windowState().testFlag(Qt::WindowFullScreen));
        settle();
        window.showNormal();
        QVERIFY2(shownAt(&window, QRect(150, 120, 640, 360)), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                          .arg(geometryOf(&window).x())
                                                          .arg(geometryOf(&window).y())
                                                          .arg(geometryOf(&window).width())
                                                          .arg(geometryOf(&window).height())));
    }

    // Text typed through the keyboard arrives as typed, letters the
    // keyboard lacks included; keys with modifiers act.
    void typedTextArrives()
    {
        QLineEdit edit;
        edit.setGeometry(300, 300, 300, 40);
        edit.show();
        QVERIFY(shownAt(&edit, edit.geometry()));
        click(centreOf(&edit));
        QTRY_VERIFY(edit.hasFocus());
        typeText(QStringLiteral("Zoë Gast #1, Alice123!"));
        QTRY_COMPARE(edit.text(), QStringLiteral("Zoë Gast #1, Alice123!"));
        keyClick(Qt::Key_A, Qt::ControlModifier);
        keyClick(Qt::Key_Backspace);
        QTRY_COMPARE(edit.text(), QString());
    }
};

GLIMORA_TEST_MAIN(TestDesktop)

#include "tst_desktop.moc"
