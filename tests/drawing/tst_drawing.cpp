// Screen drawing: the palette tables and their lookups; strokes recorded from
// mouse events on the drawing surface and the pixels they paint (pen,
// highlighter translucency, eraser), undo and clear; the board sheet's
// colours; the whiteboard's background picker and its scaling.

#include "support/TestMain.h"

#include "helpers/CUserConfigUtils.h"
#include "platform/CInputShape.h"
#include "views/annotation/DrawingPalette.h"
#include "views/annotation/PaintWidget.h"
#include "views/annotation/WhiteBoard.h"
#include "views/annotation/WhiteBoardFile.h"
#include "views/annotation/WhiteBoardSelectBgWidget.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <qpa/qwindowsysteminterface.h>

#include <memory>

using namespace rj_app::views;

namespace {

constexpr int kWaitMs = 10000;

void setScreenDpi(qreal dpi)
{
    QWindowSystemInterface::handleScreenLogicalDotsPerInchChange(QGuiApplication::primaryScreen(), dpi, dpi);
    QWindowSystemInterface::flushWindowSystemEvents();
}

// The surface's own pixels, without any background behind them.
QImage renderOf(QWidget *widget, const QRegion &region = QRegion())
{
    QImage image(widget->size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    // render() puts the region's corner at the target offset.
    widget->render(&image, region.boundingRect().topLeft(), region, QWidget::DrawChildren);
    return image;
}

// Premultiplied storage loses a little precision at low alpha; compare the
// colour channels loosely and the alpha tightly.
bool pixelIs(const QImage &image, QPoint at, const QColor &expected, int colourTolerance = 4)
{
    const QColor actual = image.pixelColor(at);
    const bool ok = qAbs(actual.alpha() - expected.alpha()) <= 1
        && (expected.alpha() == 0
            || (qAbs(actual.red() - expected.red()) <= colourTolerance
                && qAbs(actual.green() - expected.green()) <= colourTolerance
                && qAbs(actual.blue() - expected.blue()) <= colourTolerance));
    if (!ok)
        qWarning() << "pixel" << at << "is" << actual.name(QColor::HexArgb) << "expected"
                   << expected.name(QColor::HexArgb);
    return ok;
}

QPen toolPen(const QColor &color, int width)
{
    return QPen(QBrush(color), width, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
}

// A shown window whose only content is a drawing surface at its origin, so
// window and surface coordinates agree.
struct Surface
{
    QWidget host;
    PaintWidget *paint = nullptr;

    explicit Surface(QSize size = QSize(240, 240))
    {
        auto *layout = new QVBoxLayout(&host);
        layout->setContentsMargins(0, 0, 0, 0);
        paint = new PaintWidget(&host);
        layout->addWidget(paint);
        host.resize(size);
        host.show();
    }
    bool ready() { return QTest::qWaitForWindowExposed(&host) && paint->size() == host.size(); }
    QWindow *window() { return host.windowHandle(); }

    // Through the window system path, as a user's mouse would arrive.
    void stroke(const QVector<QPoint> &points)
    {
        QTest::mousePress(window(), Qt::LeftButton, Qt::NoModifier, points.first());
        for (int i = 1; i < points.size(); ++i)
            QTest::mouseMove(window(), points.at(i));
        QTest::mouseRelease(window(), Qt::LeftButton, Qt::NoModifier, points.last());
    }

    // Straight to the surface, for strokes too long to pass the event loop
    // point by point.
    void send(QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons)
    {
        QMouseEvent event(type, pos, paint->mapToGlobal(pos), button, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(paint, &event);
    }
    void sendStroke(const QVector<QPoint> &points, bool release = true)
    {
        send(QEvent::MouseButtonPress, points.first(), Qt::LeftButton, Qt::LeftButton);
        for (int i = 1; i < points.size(); ++i)
            send(QEvent::MouseMove, points.at(i), Qt::NoButton, Qt::LeftButton);
        if (release)
            send(QEvent::MouseButtonRelease, points.last(), Qt::LeftButton, Qt::NoButton);
    }
};

} // namespace

class TestDrawing : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    // Palette
    void paletteColours_data();
    void paletteColours();
    void paletteSizes_data();
    void paletteSizes();
    void reverseLookupKeepsModesApart();
    void boardTextsAndAccent();

    // Drawing surface
    void strokeFromMouseIsPainted();
    void strokeRecording_data();
    void strokeRecording();
    void undoRemovesTheNewestStrokeFromThePicture();
    void highlighterIsTranslucentAndDoesNotDarken();
    void eraserClearsToAlmostTransparent();
    void everyPressIsAnnounced();
    void penKeepsColourAndWidth();
    void lostReleaseKeepsTheEarlierStroke();
    void longStrokeIsBoundedAndDrawnWhole();
    void partialRepaintMatchesWholeRepaint_data();
    void partialRepaintMatchesWholeRepaint();
    void drawingFolderIsCreatedOnce();
    void drawingFolderFailureIsHarmless();

    // Board sheet
    void styleSheetColoursReadBack_data();
    void styleSheetColoursReadBack();
    void boardSheetColours_data();
    void boardSheetColours();
    void boardSheetIsATranslucentToolWindow();

    // Background picker
    void backgroundPickerFramesTheChoice_data();
    void backgroundPickerFramesTheChoice();
    void backgroundPickerScales();
    void backgroundPickerImagesExist();

private:
    QString m_dataDir;
};

void TestDrawing::initTestCase()
{
    // The drawing folder's home: the user data directory of the isolated
    // environment, so nothing lands beside the test binary.
    m_dataDir = rj_app::helpers::CUserConfigUtils::getUserConfigPath();
    QVERIFY(m_dataDir.startsWith(glimora::test::isolatedRoot()));
}

// ---------------------------------------------------------------- palette

void TestDrawing::paletteColours_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("swatch");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("hex");
    QTest::addColumn<int>("alpha");

    const int pen = int(DrawMode::Pen);
    const int hl = int(DrawMode::Highlighter);
    QTest::newRow("pen 1") << pen << 1 << "black" << "#000000" << 255;
    QTest::newRow("pen 2") << pen << 2 << "white" << "#ffffff" << 255;
    QTest::newRow("pen 3") << pen << 3 << "blue" << "#0000ff" << 255;
    QTest::newRow("pen 4") << pen << 4 << "green" << "#00f900" << 255;
    QTest::newRow("pen 5") << pen << 5 << "yellow" << "#fffc00" << 255;
    QTest::newRow("pen 6") << pen << 6 << "orange" << "#ff8517" << 255;
    QTest::newRow("pen 7") << pen << 7 << "red" << "#ff0000" << 255;
    QTest::newRow("pen 8") << pen << 8 << "purple" << "#ff40ff" << 255;
    QTest::newRow("highlighter 1") << hl << 1 << "yellow" << "#fffc00" << 80;
    QTest::newRow("highlighter 2") << hl << 2 << "green" << "#00f900" << 80;
    QTest::newRow("highlighter 3") << hl << 3 << "lake" << "#00fdff" << 80;
    QTest::newRow("highlighter 4") << hl << 4 << "purple" << "#ff40ff" << 80;
    QTest::newRow("highlighter 5") << hl << 5 << "orange" << "#ff8517" << 80;
    QTest::newRow("highlighter 6") << hl << 6 << "light-green" << "#aae464" << 80;
    QTest::newRow("highlighter 7") << hl << 7 << "light-blue" << "#a9d8ff" << 80;
    QTest::newRow("highlighter 8") << hl << 8 << "pink" << "#ffacd5" << 80;
}

void TestDrawing::paletteColours()
{
    QFETCH(int, mode);
    QFETCH(int, swatch);
    QFETCH(QString, name);
    QFETCH(QString, hex);
    QFETCH(int, alpha);
    const auto m = DrawMode(mode);

    const QColor color = paletteColor(m, swatch);
    QCOMPARE(color.name(QColor::HexRgb), hex);
    QCOMPARE(color.alpha(), alpha);
    QCOMPARE(swatchHex(m, swatch), hex);
    QCOMPARE(swatchName(m, swatch), name);
    QCOMPARE(swatchOfColor(m, color), swatch);
    const auto &table = m == DrawMode::Pen ? kPenColors : kHighlighterColors;
    QCOMPARE(table[size_t(swatch - 1)], color);
}

void TestDrawing::paletteSizes_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("width");

    const int pen = int(DrawMode::Pen);
    const int hl = int(DrawMode::Highlighter);
    QTest::newRow("pen 1") << pen << 1 << 3;
    QTest::newRow("pen 2") << pen << 2 << 6;
    QTest::newRow("pen 3") << pen << 3 << 9;
    QTest::newRow("pen 4") << pen << 4 << 12;
    QTest::newRow("highlighter 1") << hl << 1 << 4;
    QTest::newRow("highlighter 2") << hl << 2 << 8;
    QTest::newRow("highlighter 3") << hl << 3 << 12;
    QTest::newRow("highlighter 4") << hl << 4 << 16;
}

void TestDrawing::paletteSizes()
{
    QFETCH(int, mode);
    QFETCH(int, step);
    QFETCH(int, width);
    QCOMPARE(paletteSize(DrawMode(mode), step), width);
    QCOMPARE(stepOfSize(DrawMode(mode), width), step);
}

void TestDrawing::reverseLookupKeepsModesApart()
{
    // Same red, green and blue, different alpha: each only in its own table.
    const QColor penGreen = paletteColor(DrawMode::Pen, 4);
    const QColor markerGreen = paletteColor(DrawMode::Highlighter, 2);
    QCOMPARE(penGreen.rgb(), markerGreen.rgb());
    QCOMPARE(swatchOfColor(DrawMode::Pen, markerGreen), 0);
    QCOMPARE(swatchOfColor(DrawMode::Highlighter, penGreen), 0);
    QCOMPARE(swatchOfColor(DrawMode::Highlighter, markerGreen), 2);

    // A colour that went through another spec is still its swatch.
    QCOMPARE(swatchOfColor(DrawMode::Pen, paletteColor(DrawMode::Pen, 7).toHsv()), 7);
    QCOMPARE(swatchOfColor(DrawMode::Pen, QColor()), 0);
    QCOMPARE(swatchOfColor(DrawMode::Pen, QColor(1, 2, 3)), 0);

    // Out of range numbers and widths of the other table find nothing.
    QVERIFY(!paletteColor(DrawMode::Pen, 0).isValid());
    QVERIFY(!paletteColor(DrawMode::Highlighter, 9).isValid());
    QVERIFY(swatchHex(DrawMode::Pen, 9).isEmpty());
    QVERIFY(swatchName(DrawMode::Pen, -1).isEmpty());
    QCOMPARE(paletteSize(DrawMode::Pen, 0), 0);
    QCOMPARE(paletteSize(DrawMode::Highlighter, 5), 0);
    QCOMPARE(stepOfSize(DrawMode::Pen, 4), 0);
    QCOMPARE(stepOfSize(DrawMode::Highlighter, 3), 0);
    QCOMPARE(stepOfSize(DrawMode::Pen, 12), 4);
    QCOMPARE(stepOfSize(DrawMode::Highlighter, 12), 3);
}

void TestDrawing::boardTextsAndAccent()
{
    QCOMPARE(QLatin1String(kBoardBlack), QLatin1String("rgb(0,0,0,255)"));
    QCOMPARE(QLatin1String(kBoardWhite), QLatin1String("rgb(255,255,255,255)"));
    QCOMPARE(QLatin1String(kBoardTransparent), QLatin1String("rgb(255,255,255,0)"));
    QCOMPARE(kAccentColor, QColor(67, 129, 255));
    QCOMPARE(kAccentColor.name(), QLatin1String(kAccentColorName));
    QCOMPARE(QLatin1String(kSelectedFrameStyle), QLatin1String("border:2px solid #4381ff;"));
    QCOMPARE(QLatin1String(kPaintDirName), QLatin1String("Paint"));
}

// ---------------------------------------------------------- drawing surface

void TestDrawing::strokeFromMouseIsPainted()
{
    Surface s;
    QVERIFY(s.ready());
    s.paint->m_bDrawEnabled = true;
    const QColor red = paletteColor(DrawMode::Pen, 7);
    s.paint->setPen(toolPen(red, 6));
    s.paint->setPaintType(PaintStrokePen);

    s.stroke({{20, 40}, {60, 40}, {100, 40}, {100, 100}});
    QCOMPARE(s.paint->strokes().size(), 1);
    QCOMPARE(s.paint->strokes().first().points.size(), 4);

    const QImage image = renderOf(s.paint);
    QVERIFY(pixelIs(image, {40, 40}, red));
    QVERIFY(pixelIs(image, {90, 40}, red));
    QVERIFY(pixelIs(image, {100, 70}, red));
    QVERIFY(pixelIs(image, {40, 80}, Qt::transparent));
    QVERIFY(pixelIs(image, {40, 46}, Qt::transparent));
}

// A script of steps: "D"/"d" drawing on/off, "p x y" left press, "m x y"
// move, "r x y" left release, "R x y" right press and release, "u" undo,
// "c" clear.
void TestDrawing::strokeRecording_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<int>("step");
    QTest::addColumn<QList<int>>("starts"); // y of each stored stroke's first point

    const QString a = QStringLiteral(" p 20 20 m 40 20 m 60 20 r 60 20");
    const QString b = QStringLiteral(" p 20 60 m 40 60 m 60 60 r 60 60");
    const QString c = QStringLiteral(" p 20 100 m 40 100 r 40 100");
    // Ends where it began: a closed loop.
    const QString loop = QStringLiteral(" p 100 140 m 140 140 m 140 180 r 100 140");
    const QString offDrag = QStringLiteral(" d p 30 30 m 50 30 r 50 30 D");

    QTest::newRow("click without moving") << "D p 20 20 r 20 20" << QList<int>{} << 0 << QList<int>{};
    QTest::newRow("one stroke") << "D" + a << QList<int>{0} << 1 << QList<int>{20};
    QTest::newRow("three strokes") << "D" + a + b + c << QList<int>{0, 1, 2} << 3 << QList<int>{20, 60, 100};
    QTest::newRow("drawing off stores nothing, step advances")
        << "d p 20 20 m 40 20 r 40 20" << QList<int>{} << 1 << QList<int>{};
    QTest::newRow("drawing off, release at the press point")
        << "d p 20 20 m 40 20 r 20 20" << QList<int>{} << 0 << QList<int>{};
    QTest::newRow("right button draws nothing") << "D R 20 20 m 40 20 m 60 20" << QList<int>{} << 0 << QList<int>{};
    QTest::newRow("closed stroke is kept") << "D" + loop + a << QList<int>{0, 1} << 2 << QList<int>{140, 20};

    QTest::newRow("undo on nothing") << "u u" << QList<int>{} << 0 << QList<int>{};
    QTest::newRow("undo removes the newest") << "D" + a + b + " u" << QList<int>{0} << 1 << QList<int>{20};
    QTest::newRow("undo then draw takes the freed step")
        << "D" + a + b + " u" + c << QList<int>{0, 1} << 2 << QList<int>{20, 100};
    QTest::newRow("undo more often than strokes") << "D" + a + " u u u" << QList<int>{} << 0 << QList<int>{};
    QTest::newRow("undo after a closed stroke keeps the older one")
        << "D" + a + loop + " u" + c << QList<int>{0, 1} << 2 << QList<int>{20, 100};
    QTest::newRow("undo across a gap left by drawing off")
        << "D" + a + offDrag + b + " u" << QList<int>{0} << 2 << QList<int>{20};
    QTest::newRow("undo across a gap, twice") << "D" + a + offDrag + b + " u u" << QList<int>{} << 0 << QList<int>{};
    QTest::newRow("draw after undo across a gap")
        << "D" + a + offDrag + b + " u" + c << QList<int>{0, 2} << 3 << QList<int>{20, 100};

    QTest::newRow("clear") << "D" + a + b + " c" << QList<int>{} << 0 << QList<int>{};
    QTest::newRow("undo after clear") << "D" + a + b + " c u" << QList<int>{} << 0 << QList<int>{};
    QTest::newRow("draw after clear starts again at 0")
        << "D" + a + b + " c" + c << QList<int>{0} << 1 << QList<int>{100};
    QTest::newRow("clear with drawing off") << "D" + a + " d c" << QList<int>{} << 0 << QList<int>{};
}

void TestDrawing::strokeRecording()
{
    QFETCH(QString, script);
    QFETCH(QList<int>, keys);
    QFETCH(int, step);
    QFETCH(QList<int>, starts);

    Surface s;
    QVERIFY(s.ready());
    const QStringList t = script.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    auto at = [&](int i) { return QPoint(t.at(i + 1).toInt(), t.at(i + 2).toInt()); };
    for (int i = 0; i < t.size(); ++i) {
        const QString &op = t.at(i);
        if (op == QLatin1String("D")) {
            s.paint->m_bDrawEnabled = true;
        } else if (op == QLatin1String("d")) {
            s.paint->m_bDrawEnabled = false;
        } else if (op == QLatin1String("p")) {
            QTest::mousePress(s.window(), Qt::LeftButton, Qt::NoModifier, at(i));
            i += 2;
        } else if (op == QLatin1String("m")) {
            QTest::mouseMove(s.window(), at(i));
            i += 2;
        } else if (op == QLatin1String("r")) {
            QTest::mouseRelease(s.window(), Qt::LeftButton, Qt::NoModifier, at(i));
            i += 2;
        } else if (op == QLatin1String("R")) {
            QTest::mousePress(s.window(), Qt::RightButton, Qt::NoModifier, at(i));
            QTest::mouseMove(s.window(), at(i) + QPoint(30, 0));
            QTest::mouseRelease(s.window(), Qt::RightButton, Qt::NoModifier, at(i) + QPoint(30, 0));
            i += 2;
        } else if (op == QLatin1String("u")) {
            s.paint->RevocationSingleStep();
        } else if (op == QLatin1String("c")) {
            s.paint->clearAll();
        } else {
            QFAIL(qPrintable(QStringLiteral("bad script step ") + op));
        }
    }
    QCOMPARE(s.paint->strokes().keys(), keys);
    QCOMPARE(s.paint->step(), step);
    QList<int> firstYs;
    for (const PaintStroke &stroke : s.paint->strokes())
        firstYs << stroke.points.first().y();
    QCOMPARE(firstYs, starts);
    // Every stored stroke is a whole drag: at least its press and one move.
    for (const PaintStroke &stroke : s.paint->strokes())
        QVERIFY(stroke.points.size() >= 2);
}

void TestDrawing::undoRemovesTheNewestStrokeFromThePicture()
{
    Surface s;
    QVERIFY(s.ready());
    s.paint->m_bDrawEnabled = true;
    const QColor red = paletteColor(DrawMode::Pen, 7);
    const QColor blue = paletteColor(DrawMode::Pen, 3);
    s.paint->setPen(toolPen(red, 6));
    s.stroke({{20, 40}, {200, 40}});
    s.paint->setPen(toolPen(blue, 6));
    s.stroke({{100, 10}, {100, 200}});

    QImage image = renderOf(s.paint);
    QVERIFY(pixelIs(image, {100, 40}, blue));
    QVERIFY(pixelIs(image, {100, 150}, blue));

    s.paint->RevocationSingleStep();
    image = renderOf(s.paint);
    QVERIFY(pixelIs(image, {100, 40}, red));
    QVERIFY(pixelIs(image, {100, 150}, Qt::transparent));

    s.paint->clearAll();
    image = renderOf(s.paint);
    QVERIFY(pixelIs(image, {100, 40}, Qt::transparent));
    QVERIFY(pixelIs(image, {50, 40}, Qt::transparent));
}

void TestDrawing::highlighterIsTranslucentAndDoesNotDarken()
{
    Surface s;
    QVERIFY(s.ready());
    s.paint->m_bDrawEnabled = true;
    const QColor black = paletteColor(DrawMode::Pen, 1);
    s.paint->setPen(toolPen(black, 12));
    s.paint->setPaintType(PaintStrokePen);
    s.stroke({{20, 60}, {200, 60}});

    const QColor yellow = paletteColor(DrawMode::Highlighter, 1);
    QCOMPARE(yellow.alpha(), kHighlighterAlpha);
    s.paint->setPen(toolPen(yellow, 16));
    s.paint->setPaintType(PaintStrokeHighlighter);
    // Down across the pen stroke and back up over itself.
    s.stroke({{100, 10}, {100, 120}, {101, 120}, {101, 10}});

    const QImage image = renderOf(s.paint);
    // Over the pen stroke, where the marker runs twice, and where it runs alone.
    QVERIFY(pixelIs(image, {100, 60}, yellow));
    QVERIFY(pixelIs(image, {100, 30}, yellow));
    QVERIFY(pixelIs(image, {100, 100}, yellow));
    QVERIFY(pixelIs(image, {40, 60}, black));
    QVERIFY(pixelIs(image, {150, 100}, Qt::transparent));
}

void TestDrawing::eraserClearsToAlmostTransparent()
{
    Surface s;
    QVERIFY(s.ready());
    s.paint->m_bDrawEnabled = true;
    const QColor red = paletteColor(DrawMode::Pen, 7);
    s.paint->setPen(toolPen(red, 12));
    s.stroke({{20, 60}, {200, 60}});
    s.paint->setPen(toolPen(paletteColor(DrawMode::Highlighter, 3), 16));
    s.paint->setPaintType(PaintStrokeHighlighter);
    s.stroke({{20, 100}, {200, 100}});

    // As the overlay's eraser: the current pen colour at width 9.
    s.paint->setPen(toolPen(red, 9));
    s.paint->setPaintType(PaintStrokeEraser);
    s.stroke({{120, 20}, {120, 50}, {120, 80}, {120, 110}, {120, 140}});

    const QImage image = renderOf(s.paint);
    const QColor erased(255, 255, 255, 1);
    QVERIFY(pixelIs(image, {120, 60}, erased, 255));
    QVERIFY(pixelIs(image, {120, 100}, erased, 255));
    QVERIFY(pixelIs(image, {120, 30}, erased, 255));
    QVERIFY(pixelIs(image, {60, 60}, red));
    QVERIFY(pixelIs(image, {60, 100}, paletteColor(DrawMode::Highlighter, 3)));
    QVERIFY(pixelIs(image, {160, 30}, Qt::transparent));
}

void TestDrawing::everyPressIsAnnounced()
{
    Surface s;
    QVERIFY(s.ready());
    QSignalSpy pressed(s.paint, &PaintWidget::LeftButtonPressed);
    QTest::mouseClick(s.window(), Qt::RightButton, Qt::NoModifier, {50, 50});
    QTest::mouseClick(s.window(), Qt::LeftButton, Qt::NoModifier, {60, 50});
    QTest::mouseClick(s.window(), Qt::MiddleButton, Qt::NoModifier, {70, 50});
    QCOMPARE(pressed.count(), 3);
}

void TestDrawing::penKeepsColourAndWidth()
{
    Surface s;
    // Before any tool: opaque black, width 3.
    QCOMPARE(s.paint->pen().color(), paletteColor(DrawMode::Pen, 1));
    QCOMPARE(s.paint->pen().width(), paletteSize(DrawMode::Pen, 1));
    QCOMPARE(s.paint->paintType(), int(PaintStrokePen));

    const QColor pink = paletteColor(DrawMode::Highlighter, 8);
    QPen flat = toolPen(pink, 16);
    flat.setCapStyle(Qt::FlatCap);
    s.paint->setPen(flat);
    QCOMPARE(s.paint->pen().color(), pink);
    QCOMPARE(s.paint->pen().width(), 16);
    QCOMPARE(s.paint->pen().capStyle(), Qt::MPenCapStyle);

    // The stroke keeps the pen it was drawn with.
    QVERIFY(s.ready());
    s.paint->m_bDrawEnabled = true;
    s.stroke({{20, 20}, {80, 20}});
    s.paint->setPen(toolPen(Qt::blue, 3));
    QCOMPARE(s.paint->strokes().first().pen.color(), pink);
}

void TestDrawing::lostReleaseKeepsTheEarlierStroke()
{
    Surface s;
    QVERIFY(s.ready());
    s.paint->m_bDrawEnabled = true;
    // The release of the first stroke never arrives (the surface was hidden
    // while the button was down).
    s.sendStroke({{20, 20}, {60, 20}, {100, 20}}, false);
    s.sendStroke({{20, 80}, {60, 80}});
    QCOMPARE(s.paint->strokes().size(), 2);
    QCOMPARE(s.paint->strokes().first().points, (QList<QPoint>{{20, 20}, {60, 20}, {100, 20}}));
    QCOMPARE(s.paint->strokes().last().points, (QList<QPoint>{{20, 80}, {60, 80}}));
    QCOMPARE(s.paint->step(), 2);
}

void TestDrawing::longStrokeIsBoundedAndDrawnWhole()
{
    Surface s;
    QVERIFY(s.ready());
    s.paint->m_bDrawEnabled = true;
    const QColor blue = paletteColor(DrawMode::Pen, 3);
    s.paint->setPen(toolPen(blue, 3));

    // A serpentine of one-pixel steps over rows two pixels apart, longer than
    // the point limit.
    QVector<QPoint> points;
    const int total = PaintWidget::kMaxStrokePoints + 5000;
    for (int i = 0; i < total; ++i) {
        const int row = i / 200;
        const int col = i % 200;
        points.append(QPoint(20 + (row % 2 ? 199 - col : col), 10 + row * 2));
    }
    QVERIFY(points.last().y() < s.paint->height() - 5);
    s.sendStroke(points);

    QCOMPARE(s.paint->strokes().size(), 1);
    const PaintStroke &stroke = s.paint->strokes().first();
    QVERIFY2(stroke.points.size() < PaintWidget::kMaxStrokePoints,
             qPrintable(QString::number(stroke.points.size())));
    QCOMPARE(stroke.points.first(), points.first());
    QCOMPARE(stroke.points.last(), points.last());

    const QImage image = renderOf(s.paint);
    // Start, end, points dropped by the thinning, and the turn of a row, which
    // the thinning cuts a little (nearly full cover).
    for (int i : {0, 1, 3, total / 3 + 1, total / 2 + 1, total - 2, total - 1, 199, 200}) {
        const QColor c = image.pixelColor(points.at(i));
        QVERIFY2(c.rgb() == blue.rgb() && c.alpha() > 224,
                 qPrintable(QStringLiteral("%1: %2").arg(i).arg(c.name(QColor::HexArgb))));
    }
    // Between the rows of the serpentine nothing is left out either.
    QCOMPARE(image.pixelColor(120, 11).rgb(), blue.rgb());
    QCOMPARE(image.pixelColor(120, 11).alpha(), 255);
}

void TestDrawing::partialRepaintMatchesWholeRepaint_data()
{
    QTest::addColumn<QRect>("area");
    // The first three lie just outside the points of a stroke but inside its
    // width, where only a stroke area that counts the pen can reach.
    QTest::newRow("pen cap beyond its points") << QRect(12, 8, 14, 11);
    QTest::newRow("highlighter cap beyond its points") << QRect(205, 121, 25, 10);
    QTest::newRow("eraser end beyond its points") << QRect(112, 161, 24, 8);
    QTest::newRow("crossing of all three") << QRect(90, 50, 40, 40);
    QTest::newRow("empty corner") << QRect(200, 200, 30, 30);
    QTest::newRow("band across everything") << QRect(0, 65, 240, 10);
}

void TestDrawing::partialRepaintMatchesWholeRepaint()
{
    QFETCH(QRect, area);
    Surface s;
    QVERIFY(s.ready());
    s.paint->m_bDrawEnabled = true;
    s.paint->setPen(toolPen(paletteColor(DrawMode::Pen, 6), 12));
    s.sendStroke({{20, 20}, {120, 70}, {220, 20}});
    s.paint->setPen(toolPen(paletteColor(DrawMode::Highlighter, 6), 16));
    s.paint->setPaintType(PaintStrokeHighlighter);
    s.sendStroke({{20, 120}, {110, 70}, {220, 120}});
    s.paint->setPen(toolPen(Qt::black, 9));
    s.paint->setPaintType(PaintStrokeEraser);
    s.sendStroke({{110, 10}, {110, 90}, {125, 160}});

    const QImage whole = renderOf(s.paint);
    const QImage part = renderOf(s.paint, QRegion(area));
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (whole.pixel(x, y) != part.pixel(x, y))
                QFAIL(qPrintable(QStringLiteral("differs at %1,%2: %3 %4")
                                     .arg(x)
                                     .arg(y)
                                     .arg(whole.pixel(x, y), 8, 16)
                                     .arg(part.pixel(x, y), 8, 16)));
        }
    }
}

void TestDrawing::drawingFolderIsCreatedOnce()
{
    // In the user data directory, never beside the executable.
    const QString folder = m_dataDir + QStringLiteral("/Paint");
    const QString besideExecutable = QCoreApplication::applicationDirPath() + QStringLiteral("/Paint");
    QDir(folder).removeRecursively();
    const bool wasBesideExecutable = QFileInfo::exists(besideExecutable);
    {
        PaintWidget surface;
        QVERIFY(QFileInfo(folder).isDir());
    }
    QCOMPARE(QFileInfo::exists(besideExecutable), wasBesideExecutable);
    QVERIFY(QFileInfo(folder).isDir());
    QFile marker(folder + QStringLiteral("/keep.txt"));
    QVERIFY(marker.open(QIODevice::WriteOnly));
    marker.write("x");
    marker.close();
    {
        PaintWidget second;
        WhiteBoardFile file;
        QCOMPARE(file.path(), folder);
    }
    QCOMPARE(QDir(folder).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{"keep.txt"});
}

void TestDrawing::drawingFolderFailureIsHarmless()
{
    // The base is a file, so the folder cannot be made.
    const QString blocker = glimora::test::isolatedRoot() + QStringLiteral("/not-a-dir");
    QFile file(blocker);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    WhiteBoardFile::setBaseDirForTesting(blocker);
    auto restore = qScopeGuard([] { WhiteBoardFile::setBaseDirForTesting(QString()); });

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("cannot create")));
    PaintWidget surface;
    QVERIFY(!QFileInfo(blocker + QStringLiteral("/Paint")).exists());
    // The surface works without its folder.
    Surface s;
    QVERIFY(s.ready());
}

// --------------------------------------------------------------- board sheet

void TestDrawing::styleSheetColoursReadBack_data()
{
    QTest::addColumn<QString>("board");  // a board text
    QTest::addColumn<QColor>("colour");  // what it means

    QTest::newRow("black") << QString::fromLatin1(kBoardBlack) << QColor(0, 0, 0, 255);
    QTest::newRow("white") << QString::fromLatin1(kBoardWhite) << QColor(255, 255, 255, 255);
    QTest::newRow("transparent") << QString::fromLatin1(kBoardTransparent) << QColor(255, 255, 255, 0);
    // Qt reads an rgba() alpha of 1 as a whole, opaque one.
    QTest::newRow("alpha 1") << QStringLiteral("rgb(190,190,190,1)") << QColor(190, 190, 190, 1);
    QTest::newRow("alpha 2") << QStringLiteral("rgba(43, 144, 25, 2)") << QColor(43, 144, 25, 2);
    QTest::newRow("alpha 80") << QStringLiteral("rgb(1,2,3,80)") << QColor(1, 2, 3, 80);
    QTest::newRow("alpha 254") << QStringLiteral("rgb(9,9,9,254)") << QColor(9, 9, 9, 254);
}

void TestDrawing::styleSheetColoursReadBack()
{
    QFETCH(QString, board);
    QFETCH(QColor, colour);
    QCOMPARE(boardColor(board), colour);
    // Written for a style sheet, Qt reads back the same colour, alpha and all.
    QWidget w;
    w.setObjectName(QStringLiteral("w"));
    w.setAttribute(Qt::WA_StyledBackground);
    w.resize(8, 8);
    w.setStyleSheet(QStringLiteral("#w{background-color: ") + styleSheetColor(colour) + QStringLiteral("}"));
    QImage image(w.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    w.render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
    QCOMPARE(image.pixelColor(4, 4).alpha(), colour.alpha());
}

void TestDrawing::boardSheetColours_data()
{
    QTest::addColumn<QStringList>("colours");  // setBgColor in order; "clear" calls clearBgColor
    QTest::addColumn<QColor>("expected");

    QTest::newRow("new sheet is transparent") << QStringList{} << QColor(Qt::transparent);
    QTest::newRow("black") << QStringList{kBoardBlack} << QColor(0, 0, 0, 255);
    QTest::newRow("white") << QStringList{kBoardWhite} << QColor(255, 255, 255, 255);
    QTest::newRow("transparent board") << QStringList{kBoardBlack, kBoardTransparent} << QColor(Qt::transparent);
    QTest::newRow("black, then stop drawing") << QStringList{kBoardBlack, "clear"} << QColor(Qt::transparent);
    QTest::newRow("white after black") << QStringList{kBoardBlack, kBoardWhite} << QColor(255, 255, 255, 255);
    QTest::newRow("nonsense keeps no colour") << QStringList{"no-colour{"} << QColor(Qt::transparent);
    QTest::newRow("nonsense keeps the colour") << QStringList{kBoardWhite, "no-colour{"} << QColor(255, 255, 255, 255);
}

void TestDrawing::boardSheetColours()
{
    QFETCH(QStringList, colours);
    QFETCH(QColor, expected);

    auto *sheet = new WhiteBoard;
    QPointer<WhiteBoard> guard(sheet);
    auto cleanup = qScopeGuard([&] { delete guard.data(); });
    QVERIFY(sheet->isHidden());
    sheet->resize(300, 200);
    sheet->show();
    QVERIFY(QTest::qWaitForWindowExposed(sheet));

    if (colours.contains(QLatin1String("no-colour{")))
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("not a board colour")));
    for (const QString &c : colours) {
        if (c == QLatin1String("clear"))
            sheet->clearBgColor();
        else
            sheet->setBgColor(c);
    }

    auto *bg = sheet->findChild<QWidget *>(QStringLiteral("bg"));
    QVERIFY(bg);
    if (!colours.isEmpty() && boardColor(colours.last()).isValid())
        QCOMPARE(bg->styleSheet(),
                 QStringLiteral("#bg{background-color: ") + styleSheetColor(boardColor(colours.last())) + QStringLiteral("}"));

    // Transparent, it lets the mouse through to what lies under the shared
    // screen; showing a colour, it takes the mouse where the colour is.
    const bool coloured = expected.alpha() != 0;
    QCOMPARE(sheet->takesMouse(), coloured);
    if (rj_app::platform::CInputShape::isSupported())
        QTRY_COMPARE_WITH_TIMEOUT(rj_app::platform::CInputShape::inputRegion(sheet),
                                  coloured ? QRegion(bg->geometry()) : QRegion(), kWaitMs);

    const QImage image = renderOf(sheet);
    QVERIFY(pixelIs(image, {150, 100}, expected, 0));
    QVERIFY(pixelIs(image, {1, 1}, expected, 0));
    QVERIFY(pixelIs(image, {298, 193}, expected, 0));
    // The strip along the bottom edge never takes a colour.
    for (int y = 194; y < 200; ++y)
        QVERIFY(pixelIs(image, {150, y}, Qt::transparent, 0));
    // Stopping the drawing leaves the sheet shown.
    QVERIFY(sheet->isVisible());
}

void TestDrawing::boardSheetIsATranslucentToolWindow()
{
    auto *sheet = new WhiteBoard;
    QPointer<WhiteBoard> guard(sheet);
    const Qt::WindowFlags flags = sheet->windowFlags();
    QVERIFY(flags.testFlag(Qt::FramelessWindowHint));
    QVERIFY(flags.testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(flags & Qt::WindowType_Mask, Qt::Tool);
    QVERIFY(sheet->testAttribute(Qt::WA_TranslucentBackground));
    QVERIFY(!sheet->autoFillBackground());
    QCOMPARE(sheet->palette().color(QPalette::Active, QPalette::Window).alpha(), 0);
    QCOMPARE(sheet->palette().color(QPalette::Inactive, QPalette::Window).alpha(), 0);
    QVERIFY(sheet->windowTitle().isEmpty());

    // Closing deletes it.
    sheet->show();
    QVERIFY(QTest::qWaitForWindowExposed(sheet));
    sheet->close();
    QTRY_VERIFY_WITH_TIMEOUT(guard.isNull(), kWaitMs);
}

// -------------------------------------------------------- background picker

void TestDrawing::backgroundPickerFramesTheChoice_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("framed");
    QTest::addColumn<QList<int>>("emitted");  // black, white, select

    QTest::newRow("none yet") << QStringList{} << QString() << QList<int>{0, 0, 0};
    QTest::newRow("black") << QStringList{"m_blackBg"} << "m_blackBg" << QList<int>{1, 0, 0};
    QTest::newRow("white") << QStringList{"m_whiteBg"} << "m_whiteBg" << QList<int>{0, 1, 0};
    QTest::newRow("picture twice")
        << QStringList{"m_selectImg", "m_selectImg"} << "m_selectImg" << QList<int>{0, 0, 2};
    QTest::newRow("black then white") << QStringList{"m_blackBg", "m_whiteBg"} << "m_whiteBg" << QList<int>{1, 1, 0};
    QTest::newRow("white then picture then black")
        << QStringList{"m_whiteBg", "m_selectImg", "m_blackBg"} << "m_blackBg" << QList<int>{1, 1, 1};
}

void TestDrawing::backgroundPickerFramesTheChoice()
{
    QFETCH(QStringList, clicks);
    QFETCH(QString, framed);
    QFETCH(QList<int>, emitted);

    auto *picker = new WhiteBoardSelectBgWidget;
    QPointer<WhiteBoardSelectBgWidget> guard(picker);
    auto cleanup = qScopeGuard([&] { delete guard.data(); });
    QCOMPARE(picker->windowTitle(), QStringLiteral("Form"));
    QVERIFY(picker->testAttribute(Qt::WA_DeleteOnClose));
    QVERIFY(picker->windowFlags().testFlag(Qt::FramelessWindowHint));
    picker->show();
    QVERIFY(QTest::qWaitForWindowExposed(picker));

    QSignalSpy black(picker, &WhiteBoardSelectBgWidget::sigClickedBlackBtn);
    QSignalSpy white(picker, &WhiteBoardSelectBgWidget::sigClickedWhiteBtn);
    QSignalSpy select(picker, &WhiteBoardSelectBgWidget::sigClickedSelectBtn);
    for (const QString &name : clicks) {
        auto *button = picker->findChild<QPushButton *>(name);
        QVERIFY(button);
        QVERIFY(button->text().isEmpty());
        QCOMPARE(button->cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    QCOMPARE((QList<int>{black.count(), white.count(), select.count()}), emitted);

    const QString accentFrame = QLatin1String(kSelectedFrameStyle);
    for (const char *name : {"m_blackBg", "m_whiteBg", "m_selectImg"}) {
        auto *button = picker->findChild<QPushButton *>(QLatin1String(name));
        QVERIFY(button);
        const QString sheet = button->styleSheet();
        QCOMPARE(sheet.contains(accentFrame), framed == QLatin1String(name));
        // Each keeps showing its own picture.
        const QString picture = QLatin1String(name) == QLatin1String("m_selectImg")
            ? QStringLiteral("btn_upload.png")
            : QLatin1String(name) == QLatin1String("m_blackBg") ? QStringLiteral("color_black_default.png")
                                                                 : QStringLiteral("color_white_default.png");
        QVERIFY2(sheet.contains(QStringLiteral("url(:/resources/images/ScreenDrawing/") + picture), qPrintable(sheet));
    }
}

void TestDrawing::backgroundPickerScales()
{
    setScreenDpi(96);
    auto restoreDpi = qScopeGuard([] { setScreenDpi(96); });
    auto *picker = new WhiteBoardSelectBgWidget;
    QPointer<WhiteBoardSelectBgWidget> guard(picker);
    auto cleanup = qScopeGuard([&] { delete guard.data(); });
    picker->show();
    QVERIFY(QTest::qWaitForWindowExposed(picker));
    auto *blackBg = picker->findChild<QPushButton *>(QStringLiteral("m_blackBg"));
    auto *selectImg = picker->findChild<QPushButton *>(QStringLiteral("m_selectImg"));
    QVERIFY(blackBg && selectImg);

    QCOMPARE(picker->size(), QSize(162, 70));
    QCOMPARE(blackBg->size(), QSize(36, 36));

    setScreenDpi(144);
    QTRY_COMPARE_WITH_TIMEOUT(picker->size(), QSize(243, 105), kWaitMs);
    QCOMPARE(blackBg->minimumSize(), QSize(54, 54));
    QCOMPARE(selectImg->maximumSize(), QSize(54, 54));

    setScreenDpi(192);
    QTRY_COMPARE_WITH_TIMEOUT(picker->size(), QSize(324, 140), kWaitMs);
    QCOMPARE(selectImg->minimumSize(), QSize(72, 72));

    // Closing deletes it.
    picker->close();
    QTRY_VERIFY_WITH_TIMEOUT(guard.isNull(), kWaitMs);
}

void TestDrawing::backgroundPickerImagesExist()
{
    for (const char *name : {"color_black_default.png", "color_white_default.png", "btn_upload.png"}) {
        const QImage image(QStringLiteral(":/resources/images/ScreenDrawing/") + QLatin1String(name));
        QVERIFY2(!image.isNull(), name);
        QCOMPARE(image.size(), QSize(36, 36));
    }
    // The black and white swatches show their colours in the middle.
    QCOMPARE(QImage(QStringLiteral(":/resources/images/ScreenDrawing/color_black_default.png")).pixelColor(18, 18),
             QColor(0, 0, 0));
    QCOMPARE(QImage(QStringLiteral(":/resources/images/ScreenDrawing/color_white_default.png")).pixelColor(18, 18),
             QColor(255, 255, 255));
}

GLIMORA_TEST_MAIN(TestDrawing)
#include "tst_drawing.moc"
