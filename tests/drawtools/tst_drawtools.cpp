// Drawing tools: the tool bar's exclusive tool group, its click signals, its
// dragging and scaling; the colour and size picker's mapping to the palette;
// the board picker; the sharing toolbar's buttons.

#include "support/TestMain.h"

#include "views/annotation/Button_share.h"
#include "views/annotation/CManagerButtonWidget.h"
#include "views/annotation/CimageWidget.h"
#include "views/annotation/Cmenubutton.h"
#include "views/annotation/ColorWidget.h"
#include "views/annotation/PaintListWidget.h"
#include "views/annotation/QMenuButton.h"
#include "views/annotation/SelectBgColorWidget.h"
#include "models/CLinguist.h"

#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <qpa/qwindowsysteminterface.h>

#include <map>
#include <memory>

using namespace rj_app::views;

namespace {

constexpr int kWaitMs = 10000;

void setScreenDpi(qreal dpi)
{
    QWindowSystemInterface::handleScreenLogicalDotsPerInchChange(QGuiApplication::primaryScreen(), dpi, dpi);
    QWindowSystemInterface::flushWindowSystemEvents();
}

const char *const kBarSignals[] = {
    "enabelMouse()",    "penClicked()",       "nitePenClicked()",       "eraserClicked()",
    "revokeClicked()",  "bgClicked()",        "clearClicked()",         "exitClicked()",
    "selectPenClicked()", "selectNitePenClicked()", "sigSaveClicked()", "sigMouseMove()",
};

const char *const kGroup[] = {"button_mouse", "button_pen", "button_niteWriterPen", "button_eraser"};

// One spy per bar signal, by signature.
struct BarSpies {
    explicit BarSpies(PaintListWidget *bar)
    {
        for (const char *signature : kBarSignals) {
            const QByteArray normalized = QByteArray("2") + signature;
            spies[QLatin1String(signature)] = std::make_unique<QSignalSpy>(bar, normalized.constData());
        }
    }
    // Every signal fired `expected` times for `which`, and 0 for the others.
    bool onlyFired(const QString &which, int expected = 1) const
    {
        for (const auto &[name, spy] : spies) {
            const int want = which == name ? expected : 0;
            if (spy->count() != want) {
                qWarning() << name << "fired" << spy->count() << "times, expected" << want;
                return false;
            }
        }
        return true;
    }
    std::map<QString, std::unique_ptr<QSignalSpy>> spies;
};

void sendMouse(QWidget *to, QEvent::Type type, QPoint localPos, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, localPos, to->mapToGlobal(localPos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(to, &event);
}

void sendPlain(QWidget *to, QEvent::Type type)
{
    QEvent event(type);
    QApplication::sendEvent(to, &event);
}

QString resourceOf(const QString &imageStyle)
{
    // "QLabel{border-image:url(<path>)}" with the style parser's escape dropped.
    const int from = imageStyle.indexOf(QLatin1String("url(")) + 4;
    QString path = imageStyle.mid(from, imageStyle.lastIndexOf(QLatin1Char(')')) - from);
    path.remove(QLatin1Char('\\'));
    return path;
}

} // namespace

class TestDrawTools : public QObject
{
    Q_OBJECT

private slots:
    void init() { setScreenDpi(96); }

    // Tool bar
    void barStartsWithPen();
    void barClicks_data();
    void barClicks();
    void barReselectAndOtherButtons();
    void barMarkAndSelectPen();
    void barPushButtonReleasedOutside();
    void barDrag();
    void barMouseMoveSignal();
    void barScales();
    void barWhiteBoardTypes();
    void barRetranslates();

    // Colour and size picker
    void pickerDefaults();
    void pickerColours_data();
    void pickerColours();
    void pickerSizes_data();
    void pickerSizes();
    void pickerModeSwitchRefresh();
    void pickerPenExceptions();
    void pickerScales();

    // Board picker
    void boardStarts();
    void boardChoices_data();
    void boardChoices();
    void boardInitSelection();
    void boardScales();

    // Sharing toolbar buttons
    void menuButtonTwoState();
    void menuButtonTwoStateReleasedOutside();
    void menuButtonPush();
    void menuButtonScale_data();
    void menuButtonScale();
    void managerButton();
    void managerButtonScale_data();
    void managerButtonScale();
    void shareTabAlternates();
    void imagesExist();
};

void TestDrawTools::barStartsWithPen()
{
    PaintListWidget bar;
    QCOMPARE(bar.findChild<Cmenubutton *>(QStringLiteral("button_pen"))->state(), 2);
    for (const char *name : {"button_mouse", "button_niteWriterPen", "button_eraser"})
        QCOMPARE(bar.findChild<Cmenubutton *>(QLatin1String(name))->state(), 0);
    QVERIFY(bar.testAttribute(Qt::WA_DeleteOnClose));
    QVERIFY(bar.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(bar.findChild<Cmenubutton *>(QStringLiteral("button_eraser"))->findChild<QLabel *>(
                 QStringLiteral("cmenuButtonLb"))->text(),
             QStringLiteral("Eraser"));
}

void TestDrawTools::barClicks_data()
{
    QTest::addColumn<QString>("object");
    QTest::addColumn<QString>("signal");
    QTest::addColumn<QString>("selectedTool"); // empty: the group stays as it was (Pen)

    QTest::newRow("mouse") << "button_mouse" << "enabelMouse()" << "button_mouse";
    QTest::newRow("pen") << "button_pen" << "penClicked()" << "button_pen";
    QTest::newRow("marker") << "button_niteWriterPen" << "nitePenClicked()" << "button_niteWriterPen";
    QTest::newRow("eraser") << "button_eraser" << "eraserClicked()" << "button_eraser";
    QTest::newRow("revoke") << "button_revocation" << "revokeClicked()" << "";
    QTest::newRow("background") << "button_paintBackground" << "bgClicked()" << "";
    QTest::newRow("clear") << "button_paintClear" << "clearClicked()" << "";
    QTest::newRow("save") << "button_save" << "sigSaveClicked()" << "";
    QTest::newRow("exit") << "button_exit" << "exitClicked()" << "";
    QTest::newRow("pen arrow") << "button_pen_select" << "selectPenClicked()" << "";
    QTest::newRow("marker arrow") << "button_nite_pen_select" << "selectNitePenClicked()" << "";
}

void TestDrawTools::barClicks()
{
    QFETCH(QString, object);
    QFETCH(QString, signal);
    QFETCH(QString, selectedTool);

    PaintListWidget bar;
    // Start from Eraser so that a tool switch is visible for every tool.
    bar.onBtnEraserClicked();
    BarSpies spies(&bar);
    auto *target = bar.findChild<QWidget *>(object);
    QVERIFY(target);

    // The click counts on the press.
    QTest::mousePress(target, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(spies.onlyFired(signal));
    QTest::mouseRelease(target, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(spies.onlyFired(signal));

    const QString expectedTool = selectedTool.isEmpty() ? QStringLiteral("button_eraser") : selectedTool;
    for (const char *name : kGroup) {
        auto *tool = bar.findChild<Cmenubutton *>(QLatin1String(name));
        QCOMPARE(tool->state(), expectedTool == QLatin1String(name) ? 2 : 0);
        QVERIFY(tool->captionStyle().contains(expectedTool == QLatin1String(name) ? "#4381ff" : "white"));
    }
}

void TestDrawTools::barReselectAndOtherButtons()
{
    PaintListWidget bar;
    BarSpies spies(&bar);
    auto *pen = bar.findChild<Cmenubutton *>(QStringLiteral("button_pen"));
    auto *marker = bar.findChild<Cmenubutton *>(QStringLiteral("button_niteWriterPen"));

    // The selected tool clicked again stays selected and reports again.
    QTest::mouseClick(pen, Qt::LeftButton);
    QTest::mouseClick(pen, Qt::LeftButton);
    QVERIFY(spies.onlyFired(QStringLiteral("penClicked()"), 2));
    QCOMPARE(pen->state(), 2);
    QVERIFY(pen->imageStyle().contains("icon_brush_click"));

    // Right and middle presses do nothing.
    QTest::mouseClick(marker, Qt::RightButton);
    QTest::mouseClick(marker, Qt::MiddleButton);
    QTest::mouseClick(bar.findChild<QWidget *>(QStringLiteral("button_pen_select")), Qt::RightButton);
    QVERIFY(spies.onlyFired(QStringLiteral("penClicked()"), 2));
    QCOMPARE(marker->state(), 0);

    // A left press counts even when the release falls outside.
    QTest::mousePress(marker, Qt::LeftButton);
    QTest::mouseRelease(marker, Qt::LeftButton, {}, QPoint(-50, -50));
    QCOMPARE(spies.spies[QStringLiteral("nitePenClicked()")]->count(), 1);
    QCOMPARE(marker->state(), 2);
    QCOMPARE(pen->state(), 0);
}

void TestDrawTools::barMarkAndSelectPen()
{
    PaintListWidget bar;
    BarSpies spies(&bar);
    auto *pen = bar.findChild<Cmenubutton *>(QStringLiteral("button_pen"));
    auto *marker = bar.findChild<Cmenubutton *>(QStringLiteral("button_niteWriterPen"));

    bar.markNitePenSelected();
    QCOMPARE(marker->state(), 2);
    QCOMPARE(pen->state(), 0);
    bar.markPenSelected();
    QCOMPARE(pen->state(), 2);
    QCOMPARE(marker->state(), 0);
    QVERIFY(spies.onlyFired(QString(), 0));

    bar.onBtnMouseClicked();
    bar.selectPen();
    QCOMPARE(spies.spies[QStringLiteral("penClicked()")]->count(), 1);
    QCOMPARE(pen->state(), 2);
    QCOMPARE(bar.findChild<Cmenubutton *>(QStringLiteral("button_mouse"))->state(), 0);
}

void TestDrawTools::barPushButtonReleasedOutside()
{
    PaintListWidget bar;
    auto *revoke = bar.findChild<Cmenubutton *>(QStringLiteral("button_revocation"));
    QSignalSpy revoked(&bar, &PaintListWidget::revokeClicked);

    QTest::mousePress(revoke, Qt::LeftButton);
    QCOMPARE(revoked.count(), 1);
    QTest::mouseRelease(revoke, Qt::LeftButton, {}, QPoint(-20, -20));
    QVERIFY(revoke->imageStyle().contains("icon_revoke_click"));
    QVERIFY(revoke->captionStyle().contains("#4381ff"));
    // Only leaving resets it.
    sendPlain(revoke, QEvent::Leave);
    QVERIFY(revoke->imageStyle().contains("icon_revoke_default"));
    QVERIFY(revoke->captionStyle().contains("white"));
    QCOMPARE(revoke->state(), 0);

    // Released inside it turns normal at once.
    QTest::mousePress(revoke, Qt::LeftButton);
    QTest::mouseRelease(revoke, Qt::LeftButton);
    QCOMPARE(revoke->state(), 1);
    QVERIFY(revoke->imageStyle().contains("icon_revoke_default"));
    QCOMPARE(revoked.count(), 2);
}

void TestDrawTools::barDrag()
{
    PaintListWidget bar;
    bar.move(100, 100);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    auto *frame = bar.findChild<QFrame *>(QStringLiteral("m_pBgFrame"));
    QVERIFY(frame);
    const QPoint start = bar.pos();

    // A press on the frame's margin (not a button) starts dragging.
    const QPoint grab(8, 10);
    sendMouse(frame, QEvent::MouseButtonPress, grab, Qt::LeftButton, Qt::LeftButton);
    const QPoint globalGrab = bar.mapToGlobal(grab);
    const QPoint globalTarget = globalGrab + QPoint(40, 25);
    sendMouse(frame, QEvent::MouseMove, frame->mapFromGlobal(globalTarget), Qt::NoButton, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(bar.pos(), start + QPoint(40, 25), kWaitMs);

    // Release ends it: further moves leave the bar in place.
    sendMouse(frame, QEvent::MouseButtonRelease, frame->mapFromGlobal(globalTarget), Qt::LeftButton, Qt::NoButton);
    const QPoint dropped = bar.pos();
    sendMouse(frame, QEvent::MouseMove, QPoint(200, 30), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(bar.pos(), dropped);

    // A press on a button does not drag the bar.
    auto *save = bar.findChild<Cmenubutton *>(QStringLiteral("button_save"));
    sendMouse(save, QEvent::MouseButtonPress, QPoint(3, 3), Qt::LeftButton, Qt::LeftButton);
    sendMouse(frame, QEvent::MouseMove, QPoint(300, 30), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(bar.pos(), dropped);
    sendMouse(save, QEvent::MouseButtonRelease, QPoint(3, 3), Qt::LeftButton, Qt::NoButton);

    // A right press on the frame does not start dragging.
    sendMouse(frame, QEvent::MouseButtonPress, grab, Qt::RightButton, Qt::RightButton);
    sendMouse(frame, QEvent::MouseMove, grab + QPoint(30, 30), Qt::NoButton, Qt::RightButton);
    QCOMPARE(bar.pos(), dropped);
}

void TestDrawTools::barMouseMoveSignal()
{
    PaintListWidget bar;
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    QSignalSpy moved(&bar, &PaintListWidget::sigMouseMove);
    auto *frame = bar.findChild<QFrame *>(QStringLiteral("m_pBgFrame"));

    // No button held: the frame's tracking still reports it.
    sendMouse(frame, QEvent::MouseMove, QPoint(6, 6), Qt::NoButton, Qt::NoButton);
    QCOMPARE(moved.count(), 1);

    // Over a button the movement stays with the button.
    auto *clear = bar.findChild<Cmenubutton *>(QStringLiteral("button_paintClear"));
    sendMouse(clear, QEvent::MouseMove, QPoint(4, 4), Qt::NoButton, Qt::NoButton);
    QCOMPARE(moved.count(), 1);
}

void TestDrawTools::barScales()
{
    auto restoreDpi = qScopeGuard([] { setScreenDpi(96); });
    PaintListWidget bar;
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    QTRY_COMPARE_WITH_TIMEOUT(bar.size(), QSize(730, 56), kWaitMs);
    QVERIFY(bar.m_iPenBgX > 0);
    QVERIFY(bar.m_iNitePenBgX > bar.m_iPenBgX);
    QVERIFY(bar.m_iBgBtnX > bar.m_iNitePenBgX);
    const int penXAt1 = bar.m_iPenBgX;

    const auto buttons = bar.findChildren<Cmenubutton *>();
    QCOMPARE(buttons.size(), 9);
    auto checkImages = [&](const QString &suffix) {
        for (Cmenubutton *button : buttons) {
            const QString style = button->imageStyle();
            if (!style.endsWith(suffix + QStringLiteral(")}"))) {
                qWarning() << button->objectName() << style;
                return false;
            }
            if (!QFile::exists(resourceOf(style))) {
                qWarning() << "missing" << resourceOf(style);
                return false;
            }
        }
        return true;
    };
    QVERIFY(checkImages(QStringLiteral(".png")));
    QVERIFY(!bar.findChild<Cmenubutton *>(QStringLiteral("button_pen"))->imageStyle().contains('@'));

    setScreenDpi(192);
    QTRY_COMPARE_WITH_TIMEOUT(bar.size(), QSize(1460, 112), kWaitMs);
    QVERIFY(checkImages(QStringLiteral("\\@2x.png")));
    auto *pen = bar.findChild<Cmenubutton *>(QStringLiteral("button_pen"));
    QVERIFY2(pen->imageStyle().contains("icon_brush_click\\@2x.png"), qPrintable(pen->imageStyle()));
    QVERIFY(pen->captionStyle().contains("20px"));
    // The style parser must really load the "@2x" picture: the selected pen
    // shows accent-coloured pixels.
    {
        auto *image = pen->findChild<QLabel *>(QStringLiteral("cmenuBttonImg"));
        QCOMPARE(image->size(), QSize(52, 52));
        const QImage shot = image->grab().toImage();
        int accent = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x) {
                const QColor c = shot.pixelColor(x, y);
                accent += (c.blue() > 200 && c.red() < 120) ? 1 : 0;
            }
        QVERIFY2(accent > 20, qPrintable(QString::number(accent)));
    }
    QCOMPARE(bar.findChild<QWidget *>(QStringLiteral("m_pPenBg"))->width(), 128);
    QCOMPARE(bar.findChild<QWidget *>(QStringLiteral("button_pen_select"))->width(), 36);
    QVERIFY(bar.m_iPenBgX > penXAt1);

    setScreenDpi(144);
    QTRY_COMPARE_WITH_TIMEOUT(bar.size(), QSize(1095, 84), kWaitMs);
    QVERIFY(checkImages(QStringLiteral("\\@1.5x.png")));

    setScreenDpi(96);
    QTRY_COMPARE_WITH_TIMEOUT(bar.size(), QSize(730, 56), kWaitMs);
    QVERIFY(pen->imageStyle().endsWith("icon_brush_click.png)}"));
    QCOMPARE(bar.m_iPenBgX, penXAt1);
}

void TestDrawTools::barWhiteBoardTypes()
{
    PaintListWidget bar;
    auto *mouse = bar.findChild<QWidget *>(QStringLiteral("button_mouse"));
    auto *exit = bar.findChild<QWidget *>(QStringLiteral("button_exit"));
    bar.setReceiveWhiteBoardType();
    QVERIFY(mouse->isHidden());
    QVERIFY(exit->isHidden());
    bar.setSendWhiteBoardType();
    QVERIFY(mouse->isHidden());
    QVERIFY(!exit->isHidden());
}

void TestDrawTools::barRetranslates()
{
    using rj_app::models::CLinguist;
    CLinguist *linguist = CLinguist::getInstance();
    linguist->setTranslationDir(QStringLiteral(GLIMORA_TEST_QM_DIR));
    auto restore = qScopeGuard([linguist] { linguist->changeLanguage(CLinguist::EN_US); });
    linguist->changeLanguage(CLinguist::EN_US);

    PaintListWidget bar;
    auto caption = [&](const char *button) {
        return bar.findChild<Cmenubutton *>(QLatin1String(button))
            ->findChild<QLabel *>(QStringLiteral("cmenuButtonLb"))
            ->text();
    };
    QCOMPARE(caption("button_niteWriterPen"), QStringLiteral("Marker"));
    linguist->changeLanguage(CLinguist::ZH_CN);
    QCOMPARE(linguist->getLanguage(), CLinguist::ZH_CN);
    QCOMPARE(caption("button_niteWriterPen"), QStringLiteral("荧光笔"));
    QCOMPARE(caption("button_revocation"), QStringLiteral("撤销"));
    QCOMPARE(caption("button_exit"), QStringLiteral("退出"));
    QVERIFY(bar.windowTitle().isEmpty());
    linguist->changeLanguage(CLinguist::EN_US);
    QCOMPARE(caption("button_mouse"), QStringLiteral("Mouse"));
}

void TestDrawTools::pickerDefaults()
{
    ColorWidget picker;
    QCOMPARE(picker.getColor(), QColor(0, 0, 0, 255));
    QCOMPARE(picker.getSize(), qint16(3));
    picker.m_bIsNitePen = true;
    QCOMPARE(picker.getColor(), QColor(255, 252, 0, 80));
    QCOMPARE(picker.getSize(), qint16(4));
    QVERIFY(picker.findChild<QPushButton *>(QStringLiteral("color_black"))->styleSheet().startsWith(
        "border:2px solid #4381ff;"));
}

void TestDrawTools::pickerColours_data()
{
    QTest::addColumn<bool>("highlighter");
    QTest::addColumn<QString>("swatch");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<QString>("image");

    QTest::newRow("pen black") << false << "color_black" << QColor(0, 0, 0, 255) << "color_black_default";
    QTest::newRow("pen white") << false << "color_white" << QColor(255, 255, 255, 255) << "";
    QTest::newRow("pen blue") << false << "color_blue" << QColor(0, 0, 255, 255) << "color_blue_default";
    QTest::newRow("pen green") << false << "color_green" << QColor(0, 249, 0, 255) << "color_green_default";
    QTest::newRow("pen yellow") << false << "color_yellow" << QColor(255, 252, 0, 255) << "color_yellow_default";
    QTest::newRow("pen orange") << false << "color_orange" << QColor(255, 133, 23, 255) << "color_orange_default";
    QTest::newRow("pen red") << false << "color_red" << QColor(255, 0, 0, 255) << "color_red_default";
    QTest::newRow("pen purple") << false << "color_purple" << QColor(255, 64, 255, 255) << "color_purple_default";
    QTest::newRow("hl 1 yellow") << true << "color_black" << QColor(255, 252, 0, 80) << "color_yellow_default";
    QTest::newRow("hl 2 green") << true << "color_white" << QColor(0, 249, 0, 80) << "color_green_default";
    QTest::newRow("hl 3 lake") << true << "color_blue" << QColor(0, 253, 255, 80) << "color_lake_default";
    QTest::newRow("hl 4 purple") << true << "color_green" << QColor(255, 64, 255, 80) << "color_purple_default";
    QTest::newRow("hl 5 orange") << true << "color_yellow" << QColor(255, 133, 23, 80) << "color_orange_default";
    QTest::newRow("hl 6 light-green") << true << "color_orange" << QColor(170, 228, 100, 80)
                                      << "color_light-green_default";
    QTest::newRow("hl 7 light-blue") << true << "color_red" << QColor(169, 216, 255, 80)
                                     << "color_light-blue_default";
    QTest::newRow("hl 8 pink") << true << "color_purple" << QColor(255, 172, 213, 80) << "color_pink_default";
}

void TestDrawTools::pickerColours()
{
    QFETCH(bool, highlighter);
    QFETCH(QString, swatch);
    QFETCH(QColor, colour);
    QFETCH(QString, image);

    ColorWidget picker;
    picker.m_bIsNitePen = highlighter;
    QSignalSpy colourChanged(&picker, &ColorWidget::changeColor);
    QSignalSpy sizeChanged(&picker, &ColorWidget::changeSize);
    auto *button = picker.findChild<QPushButton *>(swatch);
    QVERIFY(button);

    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(colourChanged.count(), 1);
    QCOMPARE(sizeChanged.count(), 0);
    QCOMPARE(picker.getColor(), colour);
    const QString style = button->styleSheet();
    QVERIFY2(style.startsWith("border:2px solid #4381ff;"), qPrintable(style));
    if (!image.isEmpty())
        QVERIFY2(style.contains(QStringLiteral("background-image: url(:/resources/images/ScreenDrawing/") + image
                                + QStringLiteral(".png)")),
                 qPrintable(style));
    // Exactly one swatch wears the accent frame.
    int framed = 0;
    for (QPushButton *other : picker.findChildren<QPushButton *>())
        framed += other->styleSheet().contains("#4381ff") ? 1 : 0;
    QCOMPARE(framed, 1);

    // The other tool keeps its colour; the same swatch again reports again.
    picker.m_bIsNitePen = !highlighter;
    QCOMPARE(picker.getColor(), highlighter ? QColor(0, 0, 0, 255) : QColor(255, 252, 0, 80));
    picker.m_bIsNitePen = highlighter;
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(colourChanged.count(), 2);
    QCOMPARE(picker.getColor(), colour);
}

void TestDrawTools::pickerSizes_data()
{
    QTest::addColumn<bool>("highlighter");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("size");

    QTest::newRow("pen 1") << false << "size_1" << 3;
    QTest::newRow("pen 2") << false << "size_2" << 6;
    QTest::newRow("pen 3") << false << "size_3" << 9;
    QTest::newRow("pen 4") << false << "size_4" << 12;
    QTest::newRow("hl 1") << true << "size_1" << 4;
    QTest::newRow("hl 2") << true << "size_2" << 8;
    QTest::newRow("hl 3") << true << "size_3" << 12;
    QTest::newRow("hl 4") << true << "size_4" << 16;
}

void TestDrawTools::pickerSizes()
{
    QFETCH(bool, highlighter);
    QFETCH(QString, button);
    QFETCH(int, size);

    ColorWidget picker;
    picker.m_bIsNitePen = highlighter;
    QSignalSpy sizeChanged(&picker, &ColorWidget::changeSize);
    QSignalSpy colourChanged(&picker, &ColorWidget::changeColor);
    QTest::mouseClick(picker.findChild<QPushButton *>(button), Qt::LeftButton);
    QCOMPARE(sizeChanged.count(), 1);
    QCOMPARE(colourChanged.count(), 0);
    QCOMPARE(int(picker.getSize()), size);

    picker.m_bIsNitePen = !highlighter;
    QCOMPARE(int(picker.getSize()), highlighter ? 3 : 4);
}

void TestDrawTools::pickerModeSwitchRefresh()
{
    ColorWidget picker;
    QStringList order;
    connect(&picker, &ColorWidget::changeColor, [&] { order << QStringLiteral("colour"); });
    connect(&picker, &ColorWidget::changeSize, [&] { order << QStringLiteral("size"); });
    auto *swatch1 = picker.findChild<QPushButton *>(QStringLiteral("color_black"));
    auto *swatch3 = picker.findChild<QPushButton *>(QStringLiteral("color_blue"));

    QTest::mouseClick(swatch3, Qt::LeftButton);
    QTest::mouseClick(picker.findChild<QPushButton *>(QStringLiteral("size_3")), Qt::LeftButton);
    order.clear();

    picker.m_bIsNitePen = true;
    picker.refreshSelection();
    QCOMPARE(order, QStringList({"colour", "size"}));
    QCOMPARE(picker.getColor(), QColor(255, 252, 0, 80));
    QCOMPARE(picker.getSize(), qint16(4));
    QCOMPARE(swatch1->styleSheet(),
             QStringLiteral("border:2px solid #4381ff;background-image: "
                            "url(:/resources/images/ScreenDrawing/color_yellow_default.png);"));
    QCOMPARE(swatch3->styleSheet(),
             QStringLiteral("border:2px solid #00fdff;background-image: "
                            "url(:/resources/images/ScreenDrawing/color_lake_default.png);"));

    order.clear();
    picker.m_bIsNitePen = false;
    picker.refreshSelection();
    QCOMPARE(order, QStringList({"colour", "size"}));
    QCOMPARE(picker.getColor(), QColor(0, 0, 255, 255));
    QCOMPARE(picker.getSize(), qint16(9));
    QCOMPARE(swatch3->styleSheet(),
             QStringLiteral("border:2px solid #4381ff;background-image: "
                            "url(:/resources/images/ScreenDrawing/color_blue_default.png);"));
    QCOMPARE(swatch1->styleSheet(),
             QStringLiteral("border:2px solid #000000;background-image: "
                            "url(:/resources/images/ScreenDrawing/color_black_default.png);"));
}

void TestDrawTools::pickerPenExceptions()
{
    ColorWidget picker;
    auto *white = picker.findChild<QPushButton *>(QStringLiteral("color_white"));
    auto *orange = picker.findChild<QPushButton *>(QStringLiteral("color_orange"));

    QTest::mouseClick(picker.findChild<QPushButton *>(QStringLiteral("color_yellow")), Qt::LeftButton);
    QCOMPARE(orange->styleSheet(),
             QStringLiteral("border:2px solid #ff8517;border-image: "
                            "url(:/resources/images/ScreenDrawing/color_orange_default.png);"));
    QCOMPARE(white->styleSheet(),
             QStringLiteral("border:2px solid #ffffff;border-image: "
                            "url(:/resources/images/ScreenDrawing/color_white_default.png);"));

    QTest::mouseClick(white, Qt::LeftButton);
    QCOMPARE(white->styleSheet(), QStringLiteral("border:2px solid #4381ff;background-color: #ffffff;"));
    QCOMPARE(orange->styleSheet(),
             QStringLiteral("border:2px solid #ff8517;background-image: "
                            "url(:/resources/images/ScreenDrawing/color_orange_default.png);"));
}

void TestDrawTools::pickerScales()
{
    auto restoreDpi = qScopeGuard([] { setScreenDpi(96); });
    auto *picker = new ColorWidget;
    QPointer<ColorWidget> guard(picker);
    auto cleanup = qScopeGuard([&] { delete guard.data(); });
    picker->show();
    QVERIFY(QTest::qWaitForWindowExposed(picker));
    QTRY_COMPARE_WITH_TIMEOUT(picker->size(), QSize(248, 184), kWaitMs);
    setScreenDpi(144);
    QTRY_COMPARE_WITH_TIMEOUT(picker->size(), QSize(372, 276), kWaitMs);
    for (QPushButton *button : picker->findChildren<QPushButton *>())
        QCOMPARE(button->size(), QSize(54, 54));
    QCOMPARE(picker->findChild<QPushButton *>(QStringLiteral("size_2"))->iconSize(), QSize(20, 20));
    picker->close();
    QTRY_VERIFY_WITH_TIMEOUT(guard.isNull(), kWaitMs);
}

void TestDrawTools::boardStarts()
{
    SelectBgColorWidget picker;
    QVERIFY(picker.m_strBgColor.isEmpty());
    QVERIFY(picker.findChild<QPushButton *>(QStringLiteral("clearBg"))->styleSheet().startsWith(
        "border:2px solid #4381ff;"));
    QVERIFY(picker.testAttribute(Qt::WA_DeleteOnClose));
}

void TestDrawTools::boardChoices_data()
{
    QTest::addColumn<QString>("swatch");
    QTest::addColumn<QString>("colour");

    QTest::newRow("black") << "blackBg" << "rgb(0,0,0,255)";
    QTest::newRow("white") << "whiteBg" << "rgb(255,255,255,255)";
    QTest::newRow("transparent") << "clearBg" << "rgb(255,255,255,0)";
}

void TestDrawTools::boardChoices()
{
    QFETCH(QString, swatch);
    QFETCH(QString, colour);

    SelectBgColorWidget picker;
    QSignalSpy changed(&picker, &SelectBgColorWidget::changeDrawBg);
    auto *button = picker.findChild<QPushButton *>(swatch);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toString(), colour);
    QCOMPARE(picker.m_strBgColor, colour);
    QVERIFY2(button->styleSheet().startsWith("border:2px solid #4381ff;background-image:"),
             qPrintable(button->styleSheet()));
    // The same board again is reported again.
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(changed.count(), 2);
    QCOMPARE(changed.at(1).at(0).toString(), colour);
}

void TestDrawTools::boardInitSelection()
{
    SelectBgColorWidget picker;
    QSignalSpy changed(&picker, &SelectBgColorWidget::changeDrawBg);
    QTest::mouseClick(picker.findChild<QPushButton *>(QStringLiteral("blackBg")), Qt::LeftButton);
    picker.initSelection();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(picker.m_strBgColor, QStringLiteral("rgb(255,255,255,0)"));
    QCOMPARE(picker.findChild<QPushButton *>(QStringLiteral("clearBg"))->styleSheet(),
             QStringLiteral("border:2px solid #4381ff;background-image: "
                            "url(:/resources/images/ScreenDrawing/bg_transparent_default.png);"));
    QCOMPARE(picker.findChild<QPushButton *>(QStringLiteral("blackBg"))->styleSheet(),
             QStringLiteral("border:2px solid #000000;background-image: "
                            "url(:/resources/images/ScreenDrawing/color_black_default.png);"));
}

void TestDrawTools::boardScales()
{
    auto restoreDpi = qScopeGuard([] { setScreenDpi(96); });
    auto *picker = new SelectBgColorWidget;
    QPointer<SelectBgColorWidget> guard(picker);
    auto cleanup = qScopeGuard([&] { delete guard.data(); });
    picker->show();
    QVERIFY(QTest::qWaitForWindowExposed(picker));
    QTRY_COMPARE_WITH_TIMEOUT(picker->size(), QSize(162, 70), kWaitMs);
    setScreenDpi(192);
    QTRY_COMPARE_WITH_TIMEOUT(picker->size(), QSize(324, 140), kWaitMs);
    QCOMPARE(picker->findChild<QPushButton *>(QStringLiteral("whiteBg"))->size(), QSize(72, 72));
}

void TestDrawTools::menuButtonTwoState()
{
    QMenuButton button;
    button.m_bCheckable = true;
    button.setNormalIcon(QStringLiteral(":/a.png"));
    button.setOnIcon(QStringLiteral(":/b.png"));
    QSignalSpy clicked(&button, &QAbstractButton::clicked);

    QTest::mousePress(&button, Qt::LeftButton);
    QCOMPARE(clicked.count(), 0);
    QTest::mouseRelease(&button, Qt::LeftButton);
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(clicked.at(0).at(0).toBool(), false);
    QCOMPARE(button.captionStyle(), QStringLiteral("color:#ff4747; font-size: 12px;"));
    QCOMPARE(button.iconStyle(), QStringLiteral("QLabel{border-image:url(:/b.png)}"));
    QCOMPARE(button.m_iState, 2);
    QVERIFY(button.isOn());

    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(clicked.count(), 2);
    QCOMPARE(button.captionStyle(), QStringLiteral("color:white; font-size: 12px;"));
    QCOMPARE(button.iconStyle(), QStringLiteral("QLabel{border-image:url(:/a.png)}"));
    QCOMPARE(button.m_iState, 0);

    // Right presses do nothing.
    QTest::mouseClick(&button, Qt::RightButton);
    QCOMPARE(clicked.count(), 2);
    QCOMPARE(button.m_iState, 0);
}

void TestDrawTools::menuButtonTwoStateReleasedOutside()
{
    QMenuButton button;
    button.m_bCheckable = true;
    button.setNormalIcon(QStringLiteral(":/a.png"));
    button.setOnIcon(QStringLiteral(":/b.png"));
    QSignalSpy clicked(&button, &QAbstractButton::clicked);

    // No click, so the look must not claim a state the owner never set.
    QTest::mousePress(&button, Qt::LeftButton);
    QCOMPARE(button.m_iState, 2);
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(300, 300));
    QCOMPARE(clicked.count(), 0);
    QCOMPARE(button.m_iState, 0);
    QCOMPARE(button.iconStyle(), QStringLiteral("QLabel{border-image:url(:/a.png)}"));

    button.setOnState();
    QTest::mousePress(&button, Qt::LeftButton);
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(-5, 300));
    QCOMPARE(clicked.count(), 0);
    QCOMPARE(button.m_iState, 2);
    QCOMPARE(button.captionStyle(), QStringLiteral("color:#ff4747; font-size: 12px;"));
}

void TestDrawTools::menuButtonPush()
{
    QMenuButton button;
    button.setNormalIcon(QStringLiteral(":/a.png"));
    button.setOnIcon(QStringLiteral(":/pressed.png"));
    QSignalSpy clicked(&button, &QAbstractButton::clicked);

    sendPlain(&button, QEvent::Enter);
    QCOMPARE(button.captionStyle(), QStringLiteral("color:#919191; font-size: 12px;"));
    QCOMPARE(button.m_iState, 1);

    QTest::mousePress(&button, Qt::LeftButton);
    QCOMPARE(button.captionStyle(), QStringLiteral("color:#4381ff; font-size: 12px;"));
    QCOMPARE(button.iconStyle(), QStringLiteral("QLabel{border-image:url(:/pressed.png)}"));
    QCOMPARE(button.m_iState, 2);
    QTest::mouseRelease(&button, Qt::LeftButton);
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(button.m_iState, 1);
    QCOMPARE(button.captionStyle(), QStringLiteral("color:white; font-size: 12px;"));
    QCOMPARE(button.iconStyle(), QStringLiteral("QLabel{border-image:url(:/a.png)}"));

    sendPlain(&button, QEvent::Leave);
    QCOMPARE(button.m_iState, 0);
    QCOMPARE(button.styleSheet(), QStringLiteral("background-color: rgb(28, 30, 32);"));

    // Released outside: no click.
    QTest::mousePress(&button, Qt::LeftButton);
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(500, 5));
    QCOMPARE(clicked.count(), 1);
}

void TestDrawTools::menuButtonScale_data()
{
    QTest::addColumn<bool>("twoState");
    QTest::addColumn<bool>("on");
    QTest::addColumn<double>("scale");
    QTest::addColumn<QString>("caption");

    QTest::newRow("two-state on 1.5") << true << true << 1.5 << "color:#ff4747; font-size: 18px;";
    QTest::newRow("two-state off 1.5") << true << false << 1.5 << "color:white; font-size: 18px;";
    QTest::newRow("two-state on 2") << true << true << 2.0 << "color:#ff4747; font-size: 24px;";
    QTest::newRow("two-state on 1") << true << true << 1.0 << "color:#ff4747; font-size: 12px;";
    QTest::newRow("push 2") << false << false << 2.0 << "color:white; font-size: 24px;";
}

void TestDrawTools::menuButtonScale()
{
    QFETCH(bool, twoState);
    QFETCH(bool, on);
    QFETCH(double, scale);
    QFETCH(QString, caption);

    QMenuButton button;
    button.m_bCheckable = twoState;
    if (on)
        button.setOnState();
    button.updateScale(scale);
    QCOMPARE(button.captionStyle(), caption);
    QCOMPARE(button.size(), QSize(88, 54));
}

void TestDrawTools::managerButton()
{
    CManagerButtonWidget button;
    auto *number = button.findChild<QLabel *>(QStringLiteral("m_pNumber"));
    auto *title = button.findChild<QLabel *>(QStringLiteral("m_pTitle"));
    QCOMPARE(number->text(), QStringLiteral("0"));
    QCOMPARE(title->text(), QStringLiteral("Management"));
    button.setNumber(QStringLiteral("17"));
    QCOMPARE(number->text(), QStringLiteral("17"));
    button.setTitle(QStringLiteral("Manage"));
    QCOMPARE(title->text(), QStringLiteral("Manage"));

    QSignalSpy clicked(&button, &CManagerButtonWidget::clicked);
    QTest::mousePress(&button, Qt::LeftButton);
    QCOMPARE(clicked.count(), 1);
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(400, 400));
    QCOMPARE(clicked.count(), 1);
    QTest::mouseClick(&button, Qt::RightButton);
    QCOMPARE(clicked.count(), 1);

    sendPlain(&button, QEvent::Enter);
    QCOMPARE(button.styleSheet(), QStringLiteral("background-color:#474747;"));
    sendPlain(&button, QEvent::Leave);
    QCOMPARE(button.styleSheet(), QStringLiteral("background-color: rgb(28, 30, 32);"));
}

void TestDrawTools::managerButtonScale_data()
{
    QTest::addColumn<double>("scale");
    QTest::addColumn<QSize>("size"); // as the owner's layout scaler sets it
    QTest::addColumn<QRect>("image");
    QTest::addColumn<QRect>("number");
    QTest::addColumn<QRect>("title");
    QTest::addColumn<QString>("font");

    QTest::newRow("1") << 1.0 << QSize(88, 54) << QRect(30, 0, 28, 28) << QRect(49, 0, 28, 28)
                       << QRect(0, 34, 88, 15) << "12px";
    QTest::newRow("1.5") << 1.5 << QSize(132, 81) << QRect(45, 0, 42, 42) << QRect(73, 0, 42, 42)
                         << QRect(0, 54, 132, 22) << "18px";
    QTest::newRow("2") << 2.0 << QSize(176, 108) << QRect(60, 0, 56, 56) << QRect(98, 0, 56, 56)
                       << QRect(0, 73, 176, 30) << "24px";
}

void TestDrawTools::managerButtonScale()
{
    QFETCH(double, scale);
    QFETCH(QSize, size);
    QFETCH(QRect, image);
    QFETCH(QRect, number);
    QFETCH(QRect, title);
    QFETCH(QString, font);

    CManagerButtonWidget button;
    button.setFixedSize(size);
    button.updateScale(scale);
    QCOMPARE(button.findChild<QLabel *>(QStringLiteral("m_pImg"))->geometry(), image);
    QCOMPARE(button.findChild<QLabel *>(QStringLiteral("m_pNumber"))->geometry(), number);
    auto *titleLabel = button.findChild<QLabel *>(QStringLiteral("m_pTitle"));
    QCOMPARE(titleLabel->geometry(), title);
    QCOMPARE(titleLabel->styleSheet(),
             QStringLiteral("#m_pTitle{color: rgb(255, 255, 255);font-size: %1;}").arg(font));
    QCOMPARE(button.findChild<QLabel *>(QStringLiteral("m_pNumber"))->styleSheet(),
             QStringLiteral("#m_pNumber{color: rgb(255, 255, 255);font-size: %1;background-color: rgba(255, 255, "
                            "255, 0);}")
                 .arg(font));
}

void TestDrawTools::shareTabAlternates()
{
    Button_share tab;
    QSignalSpy folded(&tab, &Button_share::mySignal);
    auto *arrow = tab.findChild<QPushButton *>(QStringLiteral("ShareBtn"));
    QVERIFY(arrow->styleSheet().contains("icon_up.png"));
    sendPlain(&tab, QEvent::Enter);
    QCOMPARE(folded.count(), 1);
    QVERIFY(arrow->styleSheet().contains("icon_down.png"));
    sendPlain(&tab, QEvent::Leave);
    QCOMPARE(folded.count(), 1);
    sendPlain(&tab, QEvent::Enter);
    QCOMPARE(folded.count(), 2);
    QVERIFY(arrow->styleSheet().contains("icon_up.png"));
}

void TestDrawTools::imagesExist()
{
    const QString dir = QStringLiteral(":/resources/images/ScreenDrawing/");
    QStringList names{QStringLiteral("arrow.png"), QStringLiteral("bg_transparent_default.png"),
                      QStringLiteral("icon_up.png"), QStringLiteral("icon_down.png")};
    for (const char *colour : {"black", "white", "blue", "green", "yellow", "orange", "red", "purple", "lake",
                               "light-green", "light-blue", "pink"})
        names << QStringLiteral("color_%1_default.png").arg(QLatin1String(colour));
    for (int k = 1; k <= 4; ++k)
        names << QStringLiteral("size_click_%1.png").arg(k) << QStringLiteral("size_default_%1.png").arg(k);
    for (const QString &name : names)
        QVERIFY2(!QImage(dir + name).isNull(), qPrintable(name));
    QVERIFY(!QImage(QStringLiteral(":/resources/images/layout-operationbar/icon_detail.png")).isNull());
}

GLIMORA_TEST_MAIN(TestDrawTools)
#include "tst_drawtools.moc"
