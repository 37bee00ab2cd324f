#include "support/AlertBoxSeam.h"
#include "support/ModalDialogDriver.h"
#include "support/TestMain.h"
#include "support/XDesktop.h"

#include "custom_controls/CClickedLabel.h"
#include "custom_controls/CComboBoxIgnoreScroll.h"
#include "custom_controls/CHomeMenuItem.h"
#include "custom_controls/CHomeMenuListModel.h"
#include "custom_controls/CHomeMenuListView.h"
#include "custom_controls/CToolButton.h"
#include "models/CLinguist.h"
#include "views/framework/AlertDlg.h"
#include "views/framework/AppStyles.h"
#include "views/framework/CBaseDlg.h"
#include "views/framework/CBaseWgt.h"
#include "views/framework/CDpiLayoutScaler.h"
#include "views/framework/CModualDlgsManager.h"
#include "views/framework/CScaleRule.h"
#include "views/framework/CWaitingDlg.h"
#include "views/framework/PlaceKeeper.h"

#include <QAbstractItemModelTester>
#include <QAbstractNativeEventFilter>
#include <QDialogButtonBox>
#include <QDirIterator>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QMovie>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSpontaneKeyEvent>
#include <QTabWidget>
#include <QVBoxLayout>
#include <qpa/qwindowsysteminterface.h>

#include <memory>

#include <xcb/xcb.h>

using rj_app::views::AlertDlg;
using rj_app::views::CBaseDlg;
using rj_app::views::CBaseWgt;
using rj_app::views::CDpiLayoutScaler;
using rj_app::views::CModualDlgsManager;
using rj_app::views::CScaleRule;
using glimora::test::AlertBoxSeam;
using glimora::test::ModalDialogDriver;
using Button = QDialogButtonBox::StandardButton;

namespace {

const char *const kAlertClass = "rj_app::views::AlertDlg";

class CountingDlg : public CBaseDlg
{
public:
    using CBaseDlg::CBaseDlg;
    int calls = 0;
    QString styleBase;

protected:
    void onDpiChanged() override
    {
        ++calls;
        if (!styleBase.isEmpty()) {
            setStyleSheet(QString());
            setStyleSheets(styleBase);
        }
    }
};

class CountingWgt : public CBaseWgt
{
public:
    using CBaseWgt::CBaseWgt;
    int calls = 0;

protected:
    void onDpiChanged() override { ++calls; }
};

// A message box that ignores every attempt to reject it.
class StubbornAlert : public AlertDlg
{
public:
    using AlertDlg::AlertDlg;
    int rejects = 0;
    void reject() override { ++rejects; }
};

// Changes the logical DPI of the primary screen the way the platform reports it.
void setScreenDpi(qreal dpi)
{
    QWindowSystemInterface::handleScreenLogicalDotsPerInchChange(QGuiApplication::primaryScreen(), dpi, dpi);
    QWindowSystemInterface::flushWindowSystemEvents();
}

void sendMouse(QWidget *w, QEvent::Type type, const QPoint &global, Qt::MouseButton button,
               Qt::MouseButtons buttons)
{
    QMouseEvent ev(type, QPointF(global - w->pos()), QPointF(global), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &ev);
}

void deleteLaterNow()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QList<AlertDlg *> visibleAlerts()
{
    QList<AlertDlg *> out;
    const auto tops = QApplication::topLevelWidgets();
    for (QWidget *w : tops) {
        if (auto *a = qobject_cast<AlertDlg *>(w); a && a->isVisible())
            out << a;
    }
    return out;
}

QStringList urlsIn(const QString &sheet)
{
    static const QRegularExpression re(QStringLiteral("url\\(\"?(:/[^)\"]+)\"?\\)"));
    QStringList out;
    auto it = re.globalMatch(sheet);
    while (it.hasNext())
        out << it.next().captured(1);
    return out;
}

// Collects the warnings issued while it lives, and passes them on.
class WarningCatcher
{
public:
    WarningCatcher()
    {
        s_current = this;
        m_previous = qInstallMessageHandler(&WarningCatcher::handle);
    }
    ~WarningCatcher()
    {
        qInstallMessageHandler(m_previous);
        s_current = nullptr;
    }
    QStringList caught;

private:
    static void handle(QtMsgType type, const QMessageLogContext &ctx, const QString &msg)
    {
        if (type == QtWarningMsg && s_current)
            s_current->caught << msg;
        if (s_current && s_current->m_previous)
            s_current->m_previous(type, ctx, msg);
    }
    static inline WarningCatcher *s_current = nullptr;
    QtMessageHandler m_previous = nullptr;
};

QString readResource(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// A window designed at 100 %: every kind of element the scaler treats differently.
struct ScalerFixture
{
    QWidget window;
    QVBoxLayout *root = nullptr;
    QHBoxLayout *row = nullptr;
    QPushButton *fixedButton = nullptr;
    QLineEdit *unbounded = nullptr;
    QWidget *bounded = nullptr;
    QWidget *equalMinMax = nullptr;
    QSpacerItem *fixedSpacer = nullptr;
    QSpacerItem *expandingSpacer = nullptr;
    QScrollArea *area = nullptr;
    QPushButton *inScrollContent = nullptr;
    QPushButton *inTab = nullptr;
    QDialogButtonBox *box = nullptr;
    CDpiLayoutScaler scaler;

    ScalerFixture()
    {
        window.setFixedSize(600, 400);
        root = new QVBoxLayout(&window);
        root->setContentsMargins(9, 9, 9, 9);
        root->setSpacing(6);

        row = new QHBoxLayout();
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(4);
        fixedButton = new QPushButton(QStringLiteral("Fixed"));
        fixedButton->setFixedSize(80, 27);
        row->addWidget(fixedButton);
        unbounded = new QLineEdit();
        unbounded->setMinimumWidth(100);
        unbounded->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        row->addWidget(unbounded);
        bounded = new QWidget();
        bounded->setMinimumWidth(100);
        bounded->setMaximumWidth(7999);
        row->addWidget(bounded);
        equalMinMax = new QWidget();
        equalMinMax->setMinimumWidth(120);
        equalMinMax->setMaximumWidth(120);
        row->addWidget(equalMinMax);
        root->addLayout(row);

        fixedSpacer = new QSpacerItem(20, 10, QSizePolicy::Fixed, QSizePolicy::Fixed);
        root->addItem(fixedSpacer);

        area = new QScrollArea();
        area->setWidgetResizable(true);
        auto *content = new QWidget();
        auto *contentLayout = new QVBoxLayout(content);
        inScrollContent = new QPushButton(QStringLiteral("In area"));
        inScrollContent->setFixedSize(50, 30);
        contentLayout->addWidget(inScrollContent);
        area->setWidget(content);
        root->addWidget(area);

        auto *tabs = new QTabWidget();
        auto *page = new QWidget();
        auto *pageLayout = new QVBoxLayout(page);
        inTab = new QPushButton(QStringLiteral("In tab"));
        inTab->setFixedSize(40, 20);
        pageLayout->addWidget(inTab);
        tabs->addTab(page, QStringLiteral("Page"));
        root->addWidget(tabs);

        expandingSpacer = new QSpacerItem(20, 10, QSizePolicy::Minimum, QSizePolicy::Expanding);
        root->addItem(expandingSpacer);

        box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        box->button(QDialogButtonBox::Ok)->setFixedSize(80, 27);
        box->button(QDialogButtonBox::Cancel)->setFixedSize(80, 27);
        root->addWidget(box);
    }

    bool show()
    {
        window.show();
        return QTest::qWaitForWindowExposed(&window);
    }

    // The window as it is now is the design at scale 1.
    void initScaler() { scaler.init(window.width(), window.height(), &window); }
};

// A dialog at (100, 100), 300 x 200, shown where it was put, with a drag strip
// of the given height.
bool showForDrag(CountingDlg &dlg, int dragHeight)
{
    dlg.centerOnFirstShow = false;
    dlg.resize(300, 200);
    dlg.move(100, 100);
    dlg.show();
    if (!QTest::qWaitForWindowExposed(&dlg))
        return false;
    dlg.dragAreaHeight = dragHeight;
    return true;
}

} // namespace

class TestFramework : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    // Scale rule and style sheets
    void scaleRule_data();
    void scaleRule();
    void dpiSequence_data();
    void dpiSequence();
    void firstShowScalesOnce();
    void styleSheetsPerScale_data();
    void styleSheetsPerScale();
    void screenDpiChangeRestyles();
    void centresOnPrimaryWhenOffScreen();
    void baseWidgetIgnoresParent();

    // Dragging and keys
    void drag_data();
    void drag();
    void dragEndsWhenReleaseIsLost();
    void escapeLeavesDialogOpen();
    void enterActivatesNoButtonAfterDisableDefaultButtons();

    // Layout scaler
    void scaler_data();
    void scaler();
    void scalerIgnoresRescaleBeforeInit();
    void scalerForgetsDeletedWidgets();
    void scalerForgetsReplacedSpacers();
    void scalerAddWidgetScalesLateLayout();

    // Message box
    void alertResult_data();
    void alertResult();
    void alertYesAloneHasNoDefault();
    void alertSizesPerScale_data();
    void alertSizesPerScale();
    void newerAlertRejectsOlder();
    void alertOutlivesNeitherCallNorParent();
    void alertTakesTheTopBackFromAPressedWindow();
    void followerSeesALatePlace();
    void showPromptDeletesItself_data();
    void showPromptDeletesItself();
    void customFormButtonsOnlySignal();
    void alertTextsFollowTheLanguage();
    void closeAllStopsAtUnlistedDialog();
    void closeAllStopsAtDialogThatStaysOpen();
    void seamAnswersWithoutWindow();
    void seamRecordsAndLetsShow();

    // Small controls
    void clickedLabel_data();
    void clickedLabel();
    void homeMenuAnnouncesChanges();
    void homeMenuBounds_data();
    void homeMenuBounds();
    void comboIgnoresWheelWithoutFocus();
    void toolButtonSheet_data();
    void toolButtonSheet();
    void waitingAnimationPerScale_data();
    void waitingAnimationPerScale();

};

void TestFramework::cleanup()
{
    setScreenDpi(96);
    const auto tops = QApplication::topLevelWidgets();
    for (QWidget *w : tops) {
        if (qobject_cast<AlertDlg *>(w))
            w->hide();
    }
    deleteLaterNow();
}

// ---------------------------------------------------------------- scale rule

void TestFramework::scaleRule_data()
{
    QTest::addColumn<unsigned int>("dpi");
    QTest::addColumn<double>("scale");
    QTest::newRow("72") << 72u << 1.0;
    QTest::newRow("96 (100 %)") << 96u << 1.0;
    QTest::newRow("120 (125 %)") << 120u << 1.0;
    QTest::newRow("143") << 143u << 1.0;
    QTest::newRow("144 (150 %)") << 144u << 1.5;
    QTest::newRow("168 (175 %)") << 168u << 1.5;
    QTest::newRow("191") << 191u << 1.5;
    QTest::newRow("192 (200 %)") << 192u << 2.0;
    QTest::newRow("288 (300 %)") << 288u << 2.0;
}

void TestFramework::scaleRule()
{
    QFETCH(unsigned int, dpi);
    QFETCH(double, scale);
    QCOMPARE(CScaleRule::scaleForDpi(dpi), scale);
}

void TestFramework::dpiSequence_data()
{
    QTest::addColumn<bool>("dialog");
    QTest::addColumn<QList<unsigned int>>("dpis");
    QTest::addColumn<int>("calls");
    QTest::addColumn<double>("scale");
    for (bool dialog : {true, false}) {
        const char *kind = dialog ? "dialog" : "widget";
        QTest::addRow("%s: 96", kind) << dialog << QList<unsigned int>{96} << 1 << 1.0;
        QTest::addRow("%s: 96 twice", kind) << dialog << QList<unsigned int>{96, 96} << 1 << 1.0;
        QTest::addRow("%s: 120 then 96", kind) << dialog << QList<unsigned int>{120, 96} << 1 << 1.0;
        QTest::addRow("%s: 143", kind) << dialog << QList<unsigned int>{143} << 1 << 1.0;
        QTest::addRow("%s: 96 144 144", kind) << dialog << QList<unsigned int>{96, 144, 144} << 2 << 1.5;
        QTest::addRow("%s: 144 192 96", kind) << dialog << QList<unsigned int>{144, 192, 96} << 3 << 1.0;
        QTest::addRow("%s: 192 191", kind) << dialog << QList<unsigned int>{192, 191} << 2 << 1.5;
    }
}

void TestFramework::dpiSequence()
{
    QFETCH(bool, dialog);
    QFETCH(QList<unsigned int>, dpis);
    QFETCH(int, calls);
    QFETCH(double, scale);
    CountingDlg dlg;
    CountingWgt wgt;
    QCOMPARE(dialog ? dlg.fStretchFactor : wgt.fStretchFactor, 0.0);
    for (unsigned int dpi : dpis)
        dialog ? dlg.updateDpi(dpi) : wgt.updateDpi(dpi);
    QCOMPARE(dialog ? dlg.calls : wgt.calls, calls);
    QCOMPARE(dialog ? dlg.fStretchFactor : wgt.fStretchFactor, scale);
}

void TestFramework::firstShowScalesOnce()
{
    CountingDlg dlg;
    dlg.resize(200, 100);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QCOMPARE(dlg.calls, 1);
    QCOMPARE(dlg.fStretchFactor, 1.0);
    dlg.hide();
    dlg.show();
    QCOMPARE(dlg.calls, 1);

    CountingWgt wgt;
    wgt.show();
    QVERIFY(QTest::qWaitForWindowExposed(&wgt));
    QCOMPARE(wgt.calls, 1);
    QCOMPARE(wgt.fStretchFactor, 1.0);
}

void TestFramework::styleSheetsPerScale_data()
{
    QTest::addColumn<unsigned int>("dpi");
    QTest::addColumn<QString>("scaleFile");
    QTest::addColumn<QString>("fontRule");
    QTest::addColumn<QString>("tipImage");
    QTest::newRow("96") << 96u << ":/resources/qss/alert-dlg-1x.qss" << "font-size: 12px;"
                        << "images/tip.png";
    QTest::newRow("143") << 143u << ":/resources/qss/alert-dlg-1x.qss" << "font-size: 12px;"
                         << "images/tip.png";
    QTest::newRow("144") << 144u << ":/resources/qss/alert-dlg-1.5x.qss" << "font-size: 18px;"
                         << "images/tip@1.5x.png";
    QTest::newRow("192") << 192u << ":/resources/qss/alert-dlg-2x.qss" << "font-size: 24px;"
                         << "images/tip@2x.png";
}

void TestFramework::styleSheetsPerScale()
{
    QFETCH(unsigned int, dpi);
    QFETCH(QString, scaleFile);
    QFETCH(QString, fontRule);
    QFETCH(QString, tipImage);
    const QString base = QStringLiteral(":/resources/qss/alert-dlg");
    QCOMPARE(CScaleRule::styleSheetFiles(base, CScaleRule::scaleForDpi(dpi)),
             QStringList({base + QStringLiteral(".qss"), scaleFile}));

    CountingDlg dlg;
    dlg.styleBase = base;
    dlg.updateDpi(dpi);
    const QString sheet = dlg.styleSheet();
    QVERIFY2(sheet.startsWith(readResource(base + QStringLiteral(".qss"))), "general sheet first");
    QVERIFY(sheet.endsWith(readResource(scaleFile)));
    QVERIFY(sheet.contains(fontRule));
    QVERIFY(sheet.contains(QStringLiteral("#label {\n    image: url(\":/resources/") + tipImage));

    // Qt drops a sheet it cannot parse, with nothing but a warning.
    WarningCatcher warnings;
    dlg.ensurePolished();
    QVERIFY2(warnings.caught.isEmpty(), qPrintable(warnings.caught.join(QLatin1Char('\n'))));
}

// The Linux stand-in for the native DPI message: the screen's logical DPI
// changes while the window is shown, or while it is hidden and it is shown again.
void TestFramework::screenDpiChangeRestyles()
{
    CountingDlg dlg;
    dlg.resize(200, 100);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QCOMPARE(dlg.calls, 1);

    setScreenDpi(144);
    QCOMPARE(dlg.calls, 2);
    QCOMPARE(dlg.fStretchFactor, 1.5);

    dlg.hide();
    setScreenDpi(192);
    QCOMPARE(dlg.calls, 2);
    dlg.show();
    QCOMPARE(dlg.calls, 3);
    QCOMPARE(dlg.fStretchFactor, 2.0);

    setScreenDpi(96);
    QCOMPARE(dlg.calls, 4);
    QCOMPARE(dlg.fStretchFactor, 1.0);
}

void TestFramework::centresOnPrimaryWhenOffScreen()
{
    CountingDlg dlg;
    dlg.resize(200, 100);
    dlg.move(50000, 50000);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Can not get valid screen by center point:")));
    dlg.centerWindowOnScreen();
    const QRect avail = QGuiApplication::primaryScreen()->availableGeometry();
    QCOMPARE(dlg.pos(), QPoint(avail.left() + (avail.width() - 200) / 2, avail.top() + (avail.height() - 100) / 2));
}

void TestFramework::baseWidgetIgnoresParent()
{
    QWidget owner;
    CountingWgt wgt(&owner);
    QCOMPARE(wgt.parentWidget(), nullptr);
    wgt.show();
    QVERIFY(wgt.isWindow());
}

// ------------------------------------------------------------------- drag

void TestFramework::drag_data()
{
    QTest::addColumn<int>("state"); // 0 normal, 1 maximized, 2 full screen
    QTest::addColumn<int>("dragHeight");
    QTest::addColumn<QPoint>("press"); // window coordinates; (-1, -1): no press
    QTest::addColumn<QList<QPoint>>("moves"); // relative to the window's first position
    QTest::addColumn<QPoint>("shift");
    QTest::addColumn<int>("signalCount");

    QTest::newRow("press and move in the strip") << 0 << 40 << QPoint(50, 10)
                                                  << QList<QPoint>{{80, 30}, {90, 35}} << QPoint(40, 25) << 3;
    QTest::newRow("press below, move into the strip") << 0 << 40 << QPoint(50, 100)
                                                       << QList<QPoint>{{60, 20}} << QPoint(10, -80) << 2;
    QTest::newRow("move below the strip") << 0 << 40 << QPoint(50, 10) << QList<QPoint>{{60, 100}}
                                          << QPoint(0, 0) << 0;
    QTest::newRow("strip of height 0: top row only") << 0 << 0 << QPoint(50, 10)
                                                     << QList<QPoint>{{60, 1}, {60, 0}} << QPoint(10, -10) << 2;
    QTest::newRow("right edge") << 0 << 40 << QPoint(50, 10) << QList<QPoint>{{295, 10}} << QPoint(0, 0) << 0;
    QTest::newRow("bottom edge") << 0 << 400 << QPoint(50, 10) << QList<QPoint>{{50, 195}} << QPoint(0, 0) << 0;
    QTest::newRow("no press") << 0 << 40 << QPoint(-1, -1) << QList<QPoint>{{60, 20}} << QPoint(0, 0) << 0;
    QTest::newRow("maximized") << 1 << 40 << QPoint(50, 10) << QList<QPoint>{{80, 30}} << QPoint(0, 0) << 0;
    QTest::newRow("full screen") << 2 << 40 << QPoint(50, 10) << QList<QPoint>{{80, 30}} << QPoint(0, 0) << 0;
}

void TestFramework::drag()
{
    QFETCH(int, state);
    QFETCH(int, dragHeight);
    QFETCH(QPoint, press);
    QFETCH(QList<QPoint>, moves);
    QFETCH(QPoint, shift);
    QFETCH(int, signalCount);

    CountingDlg dlg;
    QVERIFY(showForDrag(dlg, dragHeight));
    if (state == 1)
        dlg.setWindowState(Qt::WindowMaximized);
    else if (state == 2)
        dlg.setWindowState(Qt::WindowFullScreen);
    const QPoint origin = dlg.pos();
    QSignalSpy spy(&dlg, &CBaseDlg::sigDragPosChanged);

    const bool pressed = press != QPoint(-1, -1);
    if (pressed)
        sendMouse(&dlg, QEvent::MouseButtonPress, origin + press, Qt::LeftButton, Qt::LeftButton);
    for (const QPoint &m : moves)
        sendMouse(&dlg, QEvent::MouseMove, origin + m, Qt::NoButton, pressed ? Qt::LeftButton : Qt::NoButton);
    sendMouse(&dlg, QEvent::MouseButtonRelease, origin + moves.last(), Qt::LeftButton, Qt::NoButton);

    QCOMPARE(dlg.pos(), origin + shift);
    QCOMPARE(spy.count(), signalCount);
    int dx = 0, dy = 0;
    for (const auto &args : spy) {
        QCOMPARE(args.at(0).value<QWidget *>(), &dlg);
        dx += args.at(1).toInt();
        dy += args.at(2).toInt();
    }
    QCOMPARE(QPoint(dx, dy), shift);

    // The drag ends with the release: further moves do nothing.
    sendMouse(&dlg, QEvent::MouseMove, origin + QPoint(70, 5), Qt::NoButton, Qt::NoButton);
    QCOMPARE(dlg.pos(), origin + shift);
}

// A release that never arrives (the window was hidden mid-drag, the grab was
// lost) must not leave the window glued to the cursor.
void TestFramework::dragEndsWhenReleaseIsLost()
{
    CountingDlg dlg;
    QVERIFY(showForDrag(dlg, 40));
    const QPoint origin = dlg.pos();

    sendMouse(&dlg, QEvent::MouseButtonPress, origin + QPoint(50, 10), Qt::LeftButton, Qt::LeftButton);
    sendMouse(&dlg, QEvent::MouseMove, origin + QPoint(80, 30), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(dlg.pos(), origin + QPoint(30, 20));
    dlg.hide();
    dlg.show();

    QSignalSpy spy(&dlg, &CBaseDlg::sigDragPosChanged);
    const QPoint moved = dlg.pos();
    sendMouse(&dlg, QEvent::MouseMove, moved + QPoint(150, 20), Qt::NoButton, Qt::NoButton);
    sendMouse(&dlg, QEvent::MouseMove, moved + QPoint(160, 25), Qt::NoButton, Qt::NoButton);
    QCOMPARE(dlg.pos(), moved);
    QCOMPARE(spy.count(), 0);

    // A new press drags again as usual.
    sendMouse(&dlg, QEvent::MouseButtonPress, moved + QPoint(50, 10), Qt::LeftButton, Qt::LeftButton);
    sendMouse(&dlg, QEvent::MouseMove, moved + QPoint(60, 15), Qt::NoButton, Qt::LeftButton);
    sendMouse(&dlg, QEvent::MouseButtonRelease, moved + QPoint(60, 15), Qt::LeftButton, Qt::NoButton);
    QCOMPARE(dlg.pos(), moved + QPoint(10, 5));
}

void TestFramework::escapeLeavesDialogOpen()
{
    ModalDialogDriver driver;
    bool openAfterEscape = false;
    driver.expect(kAlertClass, ModalDialogDriver::both(
                                   [&](QWidget *box) {
                                       QTest::keyClick(box, Qt::Key_Escape);
                                       openAfterEscape = box->isVisible();
                                   },
                                   ModalDialogDriver::clickStandardButton(QDialogButtonBox::Ok)));
    QCOMPARE(AlertDlg::execPrompt(nullptr, QStringLiteral("Prompt"), QStringLiteral("Escape")), QDialogButtonBox::Ok);
    QVERIFY(openAfterEscape);
    QVERIFY2(driver.allHandled(), qPrintable(driver.failures().join(QLatin1Char('\n'))));

    CountingDlg dlg;
    dlg.show();
    QTest::keyClick(&dlg, Qt::Key_Escape);
    QVERIFY(dlg.isVisible());
}

void TestFramework::enterActivatesNoButtonAfterDisableDefaultButtons()
{
    CountingDlg dlg;
    auto *layout = new QVBoxLayout(&dlg);
    auto *inner = new QWidget(&dlg);
    auto *nested = new QPushButton(QStringLiteral("Nested"), inner);
    auto *direct = new QPushButton(QStringLiteral("Direct"), &dlg);
    layout->addWidget(inner);
    layout->addWidget(direct);
    direct->setDefault(true);
    QSignalSpy nestedClicks(nested, &QPushButton::clicked);
    QSignalSpy directClicks(direct, &QPushButton::clicked);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));

    dlg.disableDefaultButtons();
    for (QPushButton *b : {nested, direct}) {
        QVERIFY(!b->autoDefault());
        QVERIFY(!b->isDefault());
    }
    QTest::keyClick(&dlg, Qt::Key_Return);
    nested->setFocus();
    QTest::keyClick(nested, Qt::Key_Return);
    QCOMPARE(nestedClicks.count() + directClicks.count(), 0);
    QVERIFY(dlg.isVisible());
}

// ------------------------------------------------------------- layout scaler

void TestFramework::scaler_data()
{
    QTest::addColumn<QList<double>>("scales");
    QTest::addColumn<QSize>("window");
    QTest::addColumn<QSize>("fixedButton");
    QTest::addColumn<int>("margin");
    QTest::addColumn<int>("spacing");
    QTest::addColumn<QSize>("fixedSpacer");
    QTest::addColumn<int>("unboundedMin");
    QTest::addColumn<int>("boundedMax");
    QTest::addColumn<int>("equalWidth");
    QTest::addColumn<QSize>("inScroll");
    QTest::addColumn<QSize>("inTab");

    QTest::newRow("1.5") << QList<double>{1.5} << QSize(900, 600) << QSize(120, 40) << 13 << 9
                         << QSize(30, 15) << 150 << 11998 << 180 << QSize(75, 45) << QSize(60, 30);
    QTest::newRow("2") << QList<double>{2} << QSize(1200, 800) << QSize(160, 54) << 18 << 12
                       << QSize(40, 20) << 200 << 15998 << 240 << QSize(100, 60) << QSize(80, 40);
    QTest::newRow("2 then back to 1") << QList<double>{2, 1} << QSize(600, 400) << QSize(80, 27) << 9 << 6
                                      << QSize(20, 10) << 100 << 7999 << 120 << QSize(50, 30) << QSize(40, 20);
    QTest::newRow("1.5, 2, 1.5") << QList<double>{1.5, 2, 1.5} << QSize(900, 600) << QSize(120, 40) << 13
                                 << 9 << QSize(30, 15) << 150 << 11998 << 180 << QSize(75, 45) << QSize(60, 30);
}

void TestFramework::scaler()
{
    QFETCH(QList<double>, scales);
    QFETCH(QSize, window);
    QFETCH(QSize, fixedButton);
    QFETCH(int, margin);
    QFETCH(int, spacing);
    QFETCH(QSize, fixedSpacer);
    QFETCH(int, unboundedMin);
    QFETCH(int, boundedMax);
    QFETCH(int, equalWidth);
    QFETCH(QSize, inScroll);
    QFETCH(QSize, inTab);

    ScalerFixture f;
    QVERIFY(f.show());
    const QSize areaMin = f.area->minimumSize();
    const QSize areaMax = f.area->maximumSize();
    const QSize expandingHint = f.expandingSpacer->sizeHint();

    f.initScaler();
    for (double s : scales)
        f.scaler.rescale(s, &f.window);

    QCOMPARE(f.window.size(), window);
    QCOMPARE(f.window.minimumSize(), window);
    QCOMPARE(f.window.maximumSize(), window);
    QCOMPARE(f.fixedButton->minimumSize(), fixedButton);
    QCOMPARE(f.fixedButton->maximumSize(), fixedButton);
    QCOMPARE(f.box->button(QDialogButtonBox::Ok)->minimumSize(), fixedButton);
    QCOMPARE(f.box->button(QDialogButtonBox::Cancel)->maximumSize(), fixedButton);
    QCOMPARE(f.root->contentsMargins(), QMargins(margin, margin, margin, margin));
    QCOMPARE(f.root->spacing(), spacing);
    QCOMPARE(f.fixedSpacer->sizeHint(), fixedSpacer);
    QCOMPARE(f.expandingSpacer->sizeHint(), expandingHint);
    QCOMPARE(f.unbounded->minimumWidth(), unboundedMin);
    QCOMPARE(f.unbounded->maximumWidth(), QWIDGETSIZE_MAX);
    QCOMPARE(f.bounded->maximumWidth(), boundedMax);
    QCOMPARE(f.equalMinMax->minimumWidth(), equalWidth);
    QCOMPARE(f.equalMinMax->maximumWidth(), equalWidth);
    QCOMPARE(f.inScrollContent->maximumSize(), inScroll);
    QCOMPARE(f.inTab->maximumSize(), inTab);
    QCOMPARE(f.area->minimumSize(), areaMin);
    QCOMPARE(f.area->maximumSize(), areaMax);
    QCOMPARE(f.scaler.scale(), scales.last());
}

void TestFramework::scalerIgnoresRescaleBeforeInit()
{
    ScalerFixture f;
    QVERIFY(f.show());
    f.scaler.rescale(2, &f.window);
    QCOMPARE(f.window.size(), QSize(600, 400));
    QCOMPARE(f.fixedButton->size(), QSize(80, 27));
    QCOMPARE(f.root->spacing(), 6);
    QVERIFY(!f.scaler.isInitialised());
}

// A widget deleted after init must not hand its record to a new widget that
// happens to get its address (or its layout item's address).
void TestFramework::scalerForgetsDeletedWidgets()
{
    ScalerFixture f;
    QVERIFY(f.show());
    f.initScaler();
    const int recordsBefore = f.scaler.recordCount();

    const void *oldAddress = f.fixedButton;
    delete f.fixedButton;
    auto *newcomer = new QPushButton(QStringLiteral("New"));
    newcomer->setFixedSize(50, 20);
    f.row->insertWidget(0, newcomer);
    qInfo("new widget %s the deleted one's address", newcomer == oldAddress ? "reuses" : "does not reuse");
    QCOMPARE(f.scaler.recordCount(), recordsBefore - 1);

    f.scaler.rescale(2, &f.window); // first met: its size now is its design size
    QCOMPARE(newcomer->maximumSize(), QSize(50, 20));
    f.scaler.rescale(1.5, &f.window);
    QCOMPARE(newcomer->maximumSize(), QSize(75, 30));
    f.scaler.rescale(1, &f.window);
    QCOMPARE(newcomer->maximumSize(), QSize(50, 20));
}

// A spacer is no QObject to watch: one put in place of a deleted spacer (and
// likely at its address) starts from its own size, not the old record.
void TestFramework::scalerForgetsReplacedSpacers()
{
    ScalerFixture f;
    QVERIFY(f.show());
    f.initScaler();
    f.scaler.rescale(2, &f.window);
    QCOMPARE(f.fixedSpacer->sizeHint(), QSize(40, 20));

    const int index = f.root->indexOf(f.fixedSpacer);
    const void *oldAddress = f.fixedSpacer;
    f.root->removeItem(f.fixedSpacer);
    delete f.fixedSpacer;
    auto *newcomer = new QSpacerItem(6, 4, QSizePolicy::Fixed, QSizePolicy::Fixed);
    f.root->insertItem(index, newcomer);
    qInfo("new spacer %s the deleted one's address", newcomer == oldAddress ? "reuses" : "does not reuse");

    f.scaler.rescale(2, &f.window); // first met: its size now is its design size
    QCOMPARE(newcomer->sizeHint(), QSize(6, 4));
    f.scaler.rescale(1.5, &f.window);
    QCOMPARE(newcomer->sizeHint(), QSize(9, 6));
    f.scaler.rescale(1, &f.window);
    QCOMPARE(newcomer->sizeHint(), QSize(6, 4));
}

void TestFramework::scalerAddWidgetScalesLateLayout()
{
    ScalerFixture f;
    QVERIFY(f.show());
    f.initScaler();

    auto makePage = [] {
        auto *page = new QWidget();
        auto *l = new QVBoxLayout(page);
        l->setContentsMargins(10, 10, 10, 10);
        l->setSpacing(4);
        return page;
    };
    QWidget *announced = makePage();
    QWidget *unannounced = makePage();
    f.root->addWidget(announced);
    f.root->addWidget(unannounced);
    f.scaler.addWidget(announced);

    f.scaler.rescale(2, &f.window);
    QCOMPARE(announced->layout()->contentsMargins(), QMargins(20, 20, 20, 20));
    QCOMPARE(announced->layout()->spacing(), 8);
    QCOMPARE(unannounced->layout()->contentsMargins(), QMargins(10, 10, 10, 10));
}

// ---------------------------------------------------------------- message box

namespace {
enum AlertAction { ClickOk, ClickYes, ClickNo, ClickCancel, PressEnter, CloseWindow, CloseAllModal };
}

void TestFramework::alertResult_data()
{
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("defaultButton");
    QTest::addColumn<int>("action");
    QTest::addColumn<int>("expected");
    const int ok = QDialogButtonBox::Ok, cancel = QDialogButtonBox::Cancel, yes = QDialogButtonBox::Yes,
              no = QDialogButtonBox::No, none = QDialogButtonBox::NoButton;
    QTest::newRow("prompt: OK") << ok << none << int(ClickOk) << ok;
    QTest::newRow("prompt: closed by the window system") << ok << none << int(CloseWindow) << cancel;
    QTest::newRow("prompt: closed for something urgent") << ok << none << int(CloseAllModal) << cancel;
    QTest::newRow("yes/no: Yes") << (yes | no) << yes << int(ClickYes) << yes;
    QTest::newRow("yes/no: No") << (yes | no) << yes << int(ClickNo) << no;
    QTest::newRow("yes/no: Enter takes the default") << (yes | no) << yes << int(PressEnter) << yes;
    QTest::newRow("yes/no: closed") << (yes | no) << yes << int(CloseWindow) << cancel;
    QTest::newRow("ok/cancel: Cancel") << (ok | cancel) << ok << int(ClickCancel) << cancel;
    QTest::newRow("ok/cancel: Enter takes the default") << (ok | cancel) << ok << int(PressEnter) << ok;
}

void TestFramework::alertResult()
{
    QFETCH(int, buttons);
    QFETCH(int, defaultButton);
    QFETCH(int, action);
    QFETCH(int, expected);

    ModalDialogDriver::Action act;
    switch (action) {
    case ClickOk: act = ModalDialogDriver::clickStandardButton(QDialogButtonBox::Ok); break;
    case ClickYes: act = ModalDialogDriver::clickStandardButton(QDialogButtonBox::Yes); break;
    case ClickNo: act = ModalDialogDriver::clickStandardButton(QDialogButtonBox::No); break;
    case ClickCancel: act = ModalDialogDriver::clickStandardButton(QDialogButtonBox::Cancel); break;
    case PressEnter: act = ModalDialogDriver::pressKey(Qt::Key_Return); break;
    case CloseWindow: act = ModalDialogDriver::close(); break;
    case CloseAllModal: act = [](QWidget *) { CModualDlgsManager::closeAllModualDlgs(false); }; break;
    }
    QString title, text;
    ModalDialogDriver driver;
    driver.expect(kAlertClass, ModalDialogDriver::both(
                                   [&](QWidget *box) {
                                       title = ModalDialogDriver::titleOf(box);
                                       text = ModalDialogDriver::textOf(box);
                                   },
                                   act));
    const QString t = QStringLiteral("Prompt"), x = QStringLiteral("Something happened.");
    const Button result =
        (buttons == QDialogButtonBox::Ok && defaultButton == QDialogButtonBox::NoButton)
            ? AlertDlg::execPrompt(nullptr, t, x)
            : AlertDlg::execQuestion(nullptr, t, x, QDialogButtonBox::StandardButtons(buttons),
                                     Button(defaultButton));
    QVERIFY2(driver.allHandled(), qPrintable(driver.failures().join(QLatin1Char('\n'))));
    QCOMPARE(int(result), expected);
    QCOMPARE(title, t);
    QCOMPARE(text, x);
}

void TestFramework::alertYesAloneHasNoDefault()
{
    QStringList seen;
    ModalDialogDriver driver;
    driver.expect(kAlertClass, ModalDialogDriver::both(
                                   [&](QWidget *box) {
                                       const auto buttons = box->findChild<QDialogButtonBox *>()->buttons();
                                       for (QAbstractButton *b : buttons)
                                           seen << b->text() << b->objectName();
                                   },
                                   ModalDialogDriver::clickStandardButton(QDialogButtonBox::Yes)));
    QCOMPARE(AlertDlg::execQuestion(nullptr, QStringLiteral("Note"), QStringLiteral("Only yes"),
                                    QDialogButtonBox::Yes, QDialogButtonBox::NoButton),
             QDialogButtonBox::Yes);
    QCOMPARE(seen, QStringList({"Yes", "OkYesButton"}));
}

void TestFramework::alertSizesPerScale_data()
{
    QTest::addColumn<unsigned int>("dpi");
    QTest::addColumn<QSize>("box");
    QTest::addColumn<int>("fontPx");
    QTest::addColumn<QSize>("button");
    QTest::addColumn<QSize>("textLabel");
    QTest::newRow("1") << 96u << QSize(430, 230) << 14 << QSize(80, 27) << QSize(320, 130);
    QTest::newRow("1.5") << 144u << QSize(645, 345) << 21 << QSize(120, 40) << QSize(480, 195);
    QTest::newRow("2") << 192u << QSize(860, 460) << 28 << QSize(160, 54) << QSize(640, 260);
}

void TestFramework::alertSizesPerScale()
{
    QFETCH(unsigned int, dpi);
    QFETCH(QSize, box);
    QFETCH(int, fontPx);
    QFETCH(QSize, button);
    QFETCH(QSize, textLabel);
    QSize seenBox, seenButton, seenLabel;
    QRect titleBar, buttonBar;
    QImage look;
    int titlePx = 0, textPx = 0, dragHeight = 0;
    ModalDialogDriver driver;
    driver.expect(kAlertClass, ModalDialogDriver::both(
                                   [&](QWidget *w) {
                                       auto *dlg = static_cast<AlertDlg *>(w);
                                       dlg->updateDpi(dpi);
                                       seenBox = dlg->size();
                                       titleBar = dlg->findChild<QWidget *>(QStringLiteral("m_titleWidget"))->geometry();
                                       buttonBar = dlg->findChild<QWidget *>(QStringLiteral("m_bottomWidget"))->geometry();
                                       look = dlg->grab().toImage();
                                       seenButton = dlg->findChild<QPushButton *>(QStringLiteral("OkYesButton"))->size();
                                       seenLabel = dlg->findChild<QLabel *>(QStringLiteral("m_alertContent"))->size();
                                       titlePx = dlg->findChild<QLabel *>(QStringLiteral("m_title"))->font().pixelSize();
                                       textPx = dlg->findChild<QLabel *>(QStringLiteral("m_alertContent"))->font().pixelSize();
                                       dragHeight = dlg->dragAreaHeight;
                                   },
                                   ModalDialogDriver::clickStandardButton(QDialogButtonBox::Ok)));
    AlertDlg::execQuestion(nullptr, QStringLiteral("Note"), QStringLiteral("Sizes"),
                           QDialogButtonBox::Ok | QDialogButtonBox::Cancel, QDialogButtonBox::Ok);
    QVERIFY2(driver.allHandled(), qPrintable(driver.failures().join(QLatin1Char('\n'))));
    QCOMPARE(seenBox, box);
    QCOMPARE(seenButton, button);
    QCOMPARE(seenLabel, textLabel);
    QCOMPARE(titlePx, fontPx);
    QCOMPARE(textPx, fontPx);
    QCOMPARE(dragHeight, box.height() * 30 / 230);

    // Title bar and button bar lie on the 1-px frame: no band between them.
    QCOMPARE(titleBar, QRect(1, 1, box.width() - 2, titleBar.height()));
    QCOMPARE(buttonBar, QRect(1, box.height() - 1 - buttonBar.height(), box.width() - 2, buttonBar.height()));
    // Frame #555555, light grey bars, white body; a column clear of texts and buttons.
    QCOMPARE(look.size(), box);
    const int x = 3;
    const auto colourAt = [&look, x](int y) { return look.pixelColor(x, y).name(); };
    QCOMPARE(colourAt(0), QStringLiteral("#555555"));
    QCOMPARE(colourAt(1), QStringLiteral("#f7f7f7"));
    QCOMPARE(colourAt(titleBar.bottom()), QStringLiteral("#f7f7f7"));
    QCOMPARE(colourAt(titleBar.bottom() + 1), QStringLiteral("#ffffff"));
    QCOMPARE(colourAt(buttonBar.top() - 1), QStringLiteral("#ffffff"));
    QCOMPARE(colourAt(buttonBar.top()), QStringLiteral("#f7f7f7"));
    QCOMPARE(colourAt(box.height() - 2), QStringLiteral("#f7f7f7"));
    QCOMPARE(colourAt(box.height() - 1), QStringLiteral("#555555"));
}

void TestFramework::newerAlertRejectsOlder()
{
    Button second = QDialogButtonBox::NoButton;
    QString secondText;
    ModalDialogDriver driver;
    driver.expect(kAlertClass, [&](QWidget *) {
        second = AlertDlg::execPrompt(nullptr, QStringLiteral("Prompt"), QStringLiteral("newer"));
    });
    driver.expect(kAlertClass, ModalDialogDriver::both([&](QWidget *box) { secondText = ModalDialogDriver::textOf(box); },
                                                       ModalDialogDriver::clickStandardButton(QDialogButtonBox::Ok)));
    const Button first = AlertDlg::execQuestion(nullptr, QStringLiteral("Note"), QStringLiteral("older"),
                                                QDialogButtonBox::Yes | QDialogButtonBox::No, QDialogButtonBox::Yes);
    QVERIFY2(driver.allHandled(), qPrintable(driver.failures().join(QLatin1Char('\n'))));
    QCOMPARE(first, QDialogButtonBox::Cancel);
    QCOMPARE(second, QDialogButtonBox::Ok);
    QCOMPARE(secondText, QStringLiteral("newer"));
}

// A blocking box is gone when its call returns, and a parent deleted while the
// box is open takes the box with it without bringing the caller down.
void TestFramework::alertOutlivesNeitherCallNorParent()
{
    QPointer<QWidget> answered;
    {
        ModalDialogDriver driver;
        driver.expect(kAlertClass, ModalDialogDriver::both([&](QWidget *box) { answered = box; },
                                                           ModalDialogDriver::clickStandardButton(QDialogButtonBox::Ok)));
        QCOMPARE(AlertDlg::execPrompt(nullptr, QStringLiteral("Prompt"), QStringLiteral("answered")),
                 QDialogButtonBox::Ok);
        QVERIFY2(driver.allHandled(), qPrintable(driver.failures().join(QLatin1Char('\n'))));
    }
    QVERIFY(answered.isNull());

    auto *owner = new QWidget();
    owner->resize(200, 100);
    owner->show();
    QPointer<QWidget> orphaned;
    ModalDialogDriver driver;
    driver.expect(kAlertClass, [&](QWidget *box) {
        orphaned = box;
        delete owner;
    });
    QCOMPARE(AlertDlg::execQuestion(owner, QStringLiteral("Note"), QStringLiteral("owner goes away"),
                                    QDialogButtonBox::Yes | QDialogButtonBox::No, QDialogButtonBox::Yes),
             QDialogButtonBox::Cancel);
    QVERIFY2(driver.allHandled(), qPrintable(driver.failures().join(QLatin1Char('\n'))));
    QVERIFY(orphaned.isNull());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
}

// A window manager that places a window after Qt has looked, and whose
// report of it never reaches Qt: a moment later Qt has the window where the X
// server shows it.
void TestFramework::followerSeesALatePlace()
{
    QWidget window;
    window.setGeometry(100, 120, 300, 200);
    new rj_app::views::CServerPlaceFollower(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QApplication::sync();
    QTest::qWait(50);
    QCOMPARE(window.pos(), QPoint(100, 120));

    // The window's reports are lost from here on.
    struct DropConfigureNotify : QAbstractNativeEventFilter
    {
        xcb_window_t id = 0;
        bool nativeEventFilter(const QByteArray &type, void *message, long *) override
        {
            if (type != "xcb_generic_event_t")
                return false;
            auto *event = static_cast<xcb_generic_event_t *>(message);
            return (event->response_type & 0x7f) == XCB_CONFIGURE_NOTIFY
                   && reinterpret_cast<xcb_configure_notify_event_t *>(event)->window == id;
        }
    } drop;
    drop.id = xcb_window_t(window.winId());
    qApp->installNativeEventFilter(&drop);
    auto removeFilter = qScopeGuard([&drop] { qApp->removeNativeEventFilter(&drop); });

    // Qt looks (a report of the place it has), and then the window moves on
    // the X server, by another client.
    QWindowSystemInterface::handleGeometryChange<QWindowSystemInterface::SynchronousDelivery>(
        window.windowHandle(), QRect(QPoint(101, 120), window.size()));
    QTRY_COMPARE(window.pos(), QPoint(100, 120));
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents(); // its own look at the place it was told
    xcb_connection_t *other = xcb_connect(nullptr, nullptr);
    QVERIFY(!xcb_connection_has_error(other));
    const uint32_t place[] = {400, 300};
    xcb_configure_window(other, drop.id, XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, place);
    xcb_flush(other);
    free(xcb_get_input_focus_reply(other, xcb_get_input_focus(other), nullptr));
    xcb_disconnect(other);

    QTRY_COMPARE_WITH_TIMEOUT(window.pos(), QPoint(400, 300), 5000);
}

// A window manager raises a window a person clicks, also one a question
// blocks and that takes no focus (the call's mouse cover): the question takes
// the top back at the press, and stays answerable.
void TestFramework::alertTakesTheTopBackFromAPressedWindow()
{
    // Over the whole screen, as the question is centred on the screen.
    QWidget owner;
    owner.setGeometry(QGuiApplication::primaryScreen()->geometry());
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));
    // A click on it moves no focus, as when the window manager keeps the
    // focus where it was.
    QWidget cover(&owner, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    cover.setAttribute(Qt::WA_ShowWithoutActivating);
    cover.setGeometry(owner.geometry());
    cover.show();
    QVERIFY(QTest::qWaitForWindowExposed(&cover));

    // As the toolbar asks before Hang Up: a window owned by the cover.
    QPointer<AlertDlg> box = new AlertDlg(nullptr);
    box->setParent(&cover, Qt::SplashScreen | Qt::FramelessWindowHint);
    box->setAlertContent(QStringLiteral("Are you sure to leave the meeting?"));
    box->show();
    QVERIFY(QTest::qWaitForWindowExposed(box));
    const auto answer = [&box] { return box->mapToGlobal(box->rect().center()); };
    QTRY_COMPARE(glimora::test::desktop::topLevelAt(answer()), static_cast<QWidget *>(box));

    // The press beside the question, and the cover raised as the window
    // manager does on it.
    cover.raise();
    QTRY_COMPARE(glimora::test::desktop::topLevelAt(answer()), &cover);
    glimora::test::desktop::click(owner.geometry().topLeft() + QPoint(20, 20));
    QTRY_COMPARE(glimora::test::desktop::topLevelAt(answer()), static_cast<QWidget *>(box));
    box->close();
}

void TestFramework::showPromptDeletesItself_data()
{
    QTest::addColumn<bool>("byCloseAll");
    QTest::newRow("OK clicked") << false;
    QTest::newRow("closed for a newer box") << true;
}

void TestFramework::showPromptDeletesItself()
{
    QFETCH(bool, byCloseAll);
    AlertDlg::showPrompt(nullptr, QStringLiteral("Prompt"), QStringLiteral("Not blocking"));
    const auto boxes = visibleAlerts();
    QCOMPARE(boxes.size(), 1);
    QPointer<AlertDlg> box = boxes.first();
    QVERIFY(box->isCloseOnClick());
    QCOMPARE(QApplication::activeModalWidget(), box.data());

    if (byCloseAll)
        CModualDlgsManager::closeAllModualDlgs(true);
    else
        box->findChild<QPushButton *>(QStringLiteral("OkYesButton"))->click();
    deleteLaterNow();
    QVERIFY(box.isNull());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
}

void TestFramework::customFormButtonsOnlySignal()
{
    QPointer<AlertDlg> box = new AlertDlg(nullptr);
    box->setAlertContent(QStringLiteral("Are you sure to leave the meeting?"));
    box->setButton1Text(QStringLiteral("Leave"));
    box->setButton2Text(QStringLiteral("Cancel"));
    box->show();
    QVERIFY(QTest::qWaitForWindowExposed(box));
    QCOMPARE(int(box->windowFlags() & ~Qt::WindowType_Mask), int(Qt::FramelessWindowHint));
    QVERIFY(box->findChild<QPushButton *>(QStringLiteral("m_button1"))->isVisible());
    QVERIFY(box->findChild<QPushButton *>(QStringLiteral("m_button2"))->isVisible());
    QVERIFY(!box->findChild<QPushButton *>(QStringLiteral("m_button3"))->isVisible());
    QCOMPARE(ModalDialogDriver::textOf(box), QStringLiteral("Are you sure to leave the meeting?"));

    QSignalSpy one(box.data(), &AlertDlg::sigClickButton1);
    QSignalSpy two(box.data(), &AlertDlg::sigClickButton2);
    QSignalSpy closed(box.data(), &AlertDlg::sigCloseWindow);
    box->findChild<QPushButton *>(QStringLiteral("m_button1"))->click();
    box->findChild<QPushButton *>(QStringLiteral("m_button2"))->click();
    QCOMPARE(one.count(), 1);
    QCOMPARE(two.count(), 1);
    QVERIFY(box->isVisible());

    box->findChild<QPushButton *>(QStringLiteral("m_closeBtn"))->click();
    QCOMPARE(closed.count(), 1);
    deleteLaterNow();
    QVERIFY(box.isNull());
}

// The box's own texts (its buttons, the custom form's title) follow the
// language while it is open; the caller's title and text stay.
void TestFramework::alertTextsFollowTheLanguage()
{
    using rj_app::models::CLinguist;
    CLinguist::getInstance()->setTranslationDir(QStringLiteral(GLIMORA_TEST_QM_DIR));
    std::unique_ptr<AlertDlg> standard(new AlertDlg(nullptr, QStringLiteral("Prompt"), QStringLiteral("Text"),
                                                    QDialogButtonBox::Ok | QDialogButtonBox::Cancel,
                                                    QDialogButtonBox::Ok));
    QPointer<AlertDlg> custom = new AlertDlg(nullptr);
    auto *ok = standard->findChild<QPushButton *>(QStringLiteral("OkYesButton"));
    auto *cancel = standard->findChild<QPushButton *>(QStringLiteral("CancelNoButton"));
    auto *customTitle = custom->findChild<QLabel *>(QStringLiteral("m_title"));
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QCOMPARE(customTitle->text(), QStringLiteral("Note"));

    CLinguist::getInstance()->changeLanguage(CLinguist::ZH_CN);
    const QString okZh = ok->text();
    const QString titleZh = customTitle->text();
    const QString cancelZh = cancel->text();
    CLinguist::getInstance()->changeLanguage(CLinguist::EN_US);
    QCOMPARE(okZh, QStringLiteral("确定"));
    QCOMPARE(cancelZh, QStringLiteral("取消"));
    QCOMPARE(titleZh, QStringLiteral("提示"));
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QCOMPARE(customTitle->text(), QStringLiteral("Note"));
    QCOMPARE(ModalDialogDriver::titleOf(standard.get()), QStringLiteral("Prompt"));
    delete custom.data();
}

// Modal stack, bottom to top: message box A, an unlisted dialog U, message box B.
void TestFramework::closeAllStopsAtUnlistedDialog()
{
    Button resultB = QDialogButtonBox::NoButton;
    bool aOpen = false, uOpen = false;
    QPointer<QWidget> boxA;
    ModalDialogDriver driver;
    driver.expect(kAlertClass, [&](QWidget *a) {
        boxA = a;
        QDialog unlisted;
        unlisted.setWindowModality(Qt::ApplicationModal);
        unlisted.exec();
    });
    driver.expect("QDialog", [&](QWidget *u) {
        // B's own closing of older boxes stops at once at U.
        resultB = AlertDlg::execQuestion(nullptr, QStringLiteral("Note"), QStringLiteral("B"),
                                         QDialogButtonBox::Yes | QDialogButtonBox::No, QDialogButtonBox::Yes);
        uOpen = u->isVisible();
        aOpen = boxA && boxA->isVisible();
        static_cast<QDialog *>(u)->reject();
    });
    driver.expect(kAlertClass, [](QWidget *) { CModualDlgsManager::closeAllModualDlgs(false); });
    driver.expect(kAlertClass, ModalDialogDriver::clickStandardButton(QDialogButtonBox::No));

    const Button resultA = AlertDlg::execQuestion(nullptr, QStringLiteral("Note"), QStringLiteral("A"),
                                                  QDialogButtonBox::Yes | QDialogButtonBox::No, QDialogButtonBox::Yes);
    QVERIFY2(driver.allHandled(), qPrintable(driver.failures().join(QLatin1Char('\n'))));
    QCOMPARE(resultB, QDialogButtonBox::Cancel);
    QVERIFY(uOpen);
    QVERIFY(aOpen);
    QCOMPARE(resultA, QDialogButtonBox::No);
}

void TestFramework::closeAllStopsAtDialogThatStaysOpen()
{
    StubbornAlert stubborn(nullptr, QStringLiteral("Note"), QStringLiteral("stays"), QDialogButtonBox::Ok,
                           QDialogButtonBox::NoButton);
    stubborn.setWindowModality(Qt::ApplicationModal);
    stubborn.show();
    QCOMPARE(QApplication::activeModalWidget(), &stubborn);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("stays open; stop closing$")));
    CModualDlgsManager::closeAllModualDlgs(true); // must return
    QCOMPARE(stubborn.rejects, 1);
    QVERIFY(stubborn.isVisible());
    stubborn.hide();
}

void TestFramework::seamAnswersWithoutWindow()
{
    AlertBoxSeam seam(QDialogButtonBox::Yes);
    seam.answerNext(QDialogButtonBox::No);
    const auto yesNo = QDialogButtonBox::Yes | QDialogButtonBox::No;
    QCOMPARE(AlertDlg::execQuestion(nullptr, "Note", "first", yesNo, QDialogButtonBox::Yes), QDialogButtonBox::No);
    QCOMPARE(AlertDlg::execQuestion(nullptr, "Note", "second", yesNo, QDialogButtonBox::Yes), QDialogButtonBox::Yes);
    seam.answerAll(QDialogButtonBox::Ok);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("is not offered")));
    QCOMPARE(AlertDlg::execQuestion(nullptr, "Note", "not offered", yesNo, QDialogButtonBox::Yes),
             QDialogButtonBox::Cancel);
    AlertDlg::showPrompt(nullptr, "Prompt", "fire and forget");
    QVERIFY(visibleAlerts().isEmpty());

    QCOMPARE(seam.texts(), QStringList({"first", "second", "not offered", "fire and forget"}));
    QCOMPARE(seam.requests().at(0).kind, AlertDlg::Request::Question);
    QCOMPARE(seam.requests().at(0).buttons, yesNo);
    QCOMPARE(seam.requests().at(0).defaultButton, QDialogButtonBox::Yes);
    QCOMPARE(seam.last().kind, AlertDlg::Request::NonBlocking);
    QCOMPARE(seam.last().title, QStringLiteral("Prompt"));
}

void TestFramework::seamRecordsAndLetsShow()
{
    AlertBoxSeam seam;
    ModalDialogDriver driver;
    driver.expect(kAlertClass, ModalDialogDriver::clickStandardButton(QDialogButtonBox::Ok));
    QCOMPARE(AlertDlg::execPrompt(nullptr, "Prompt", "shown"), QDialogButtonBox::Ok);
    QVERIFY2(driver.allHandled(), qPrintable(driver.failures().join(QLatin1Char('\n'))));
    QCOMPARE(seam.count(), 1);
    QCOMPARE(seam.last().kind, AlertDlg::Request::Prompt);
    QCOMPARE(seam.last().buttons, QDialogButtonBox::StandardButtons(QDialogButtonBox::Ok));
}

// ------------------------------------------------------------- small controls

void TestFramework::clickedLabel_data()
{
    QTest::addColumn<int>("button");
    QTest::newRow("left") << int(Qt::LeftButton);
    QTest::newRow("right") << int(Qt::RightButton);
    QTest::newRow("middle") << int(Qt::MiddleButton);
}

void TestFramework::clickedLabel()
{
    QFETCH(int, button);
    rj_app::custom_controls::CClickedLabel label;
    label.resize(50, 20);
    Qt::MouseButton seen = Qt::NoButton;
    int clicks = 0;
    connect(&label, &rj_app::custom_controls::CClickedLabel::clicked, this, [&](Qt::MouseButton b) {
        seen = b;
        ++clicks;
    });
    QTest::mouseRelease(&label, Qt::MouseButton(button), Qt::NoModifier, QPoint(5, 5));
    QCOMPARE(clicks, 1);
    QCOMPARE(int(seen), button);
}

void TestFramework::homeMenuAnnouncesChanges()
{
    using namespace rj_app::custom_controls;
    CHomeMenuListView view;
    CHomeMenuListModel *model = view.menuModel();
    QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    view.resize(100, 400);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    QSignalSpy inserted(model, &QAbstractItemModel::rowsInserted);
    QSignalSpy reset(model, &QAbstractItemModel::modelReset);
    QSignalSpy changed(model, &QAbstractItemModel::dataChanged);
    const QString icon = QStringLiteral(":/resources/images/tip.png");
    for (const char *caption : {"Meetings", "Contacts", "Settings"})
        view.addMenuItem(new CHomeMenuItem{icon, icon, icon, QLatin1String(caption)});
    view.addMenuItem(nullptr);
    QCOMPARE(inserted.count(), 3);
    QCOMPARE(model->rowCount(), 3);
    // The view knows every row at once.
    const QModelIndex last = model->index(2, 0);
    QVERIFY(view.visualRect(last).isValid());
    QCOMPARE(view.indexAt(view.visualRect(last).center()), last);

    QVERIFY(view.setItemText(1, QStringLiteral("People")));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toModelIndex().row(), 1);
    QCOMPARE(model->data(model->index(1, 0), CHomeMenuListModel::CaptionRole).toString(), QStringLiteral("People"));
    QVERIFY(view.setItemIcons(2, "n", "s", "h"));
    QCOMPARE(changed.count(), 2);
    QCOMPARE(model->data(model->index(2, 0), 259).toString(), QStringLiteral("s"));
    QCOMPARE(model->data(model->index(2, 0), 260).toString(), QStringLiteral("h"));
    QCOMPARE(model->data(model->index(2, 0), 258).toString(), QStringLiteral("n"));
    QCOMPARE(model->data(model->index(2, 0), 257).toString(), QStringLiteral("Settings"));

    view.setCurrentRow(2);
    QCOMPARE(view.currentIndex().row(), 2);

    view.clearMenuItems();
    QCOMPARE(reset.count(), 1);
    QCOMPARE(model->rowCount(), 0);
    QVERIFY(!view.indexAt(QPoint(5, 5)).isValid());
    QVERIFY(!view.currentIndex().isValid());
}

void TestFramework::homeMenuBounds_data()
{
    QTest::addColumn<int>("row");
    QTest::newRow("-1") << -1;
    QTest::newRow("count") << 2;
    QTest::newRow("far beyond") << 100;
}

void TestFramework::homeMenuBounds()
{
    using namespace rj_app::custom_controls;
    QFETCH(int, row);
    CHomeMenuListView view;
    CHomeMenuListModel *model = view.menuModel();
    view.addMenuItem(new CHomeMenuItem{"n0", "s0", "h0", "zero"});
    view.addMenuItem(new CHomeMenuItem{"n1", "s1", "h1", "one"});
    QSignalSpy changed(model, &QAbstractItemModel::dataChanged);
    QVERIFY(!view.setItemText(row, QStringLiteral("x")));
    QVERIFY(!view.setItemIcons(row, "a", "b", "c"));
    QCOMPARE(changed.count(), 0);
    QVERIFY(!model->data(model->index(row, 0), CHomeMenuListModel::CaptionRole).isValid());
    QCOMPARE(model->data(model->index(1, 0), CHomeMenuListModel::CaptionRole).toString(), QStringLiteral("one"));
    QCOMPARE(model->data(model->index(0, 0), CHomeMenuListModel::HoverIconRole).toString(), QStringLiteral("h0"));
    QVERIFY(!model->data(model->index(0, 0), Qt::DisplayRole).isValid());
}

void TestFramework::comboIgnoresWheelWithoutFocus()
{
    QScrollArea area;
    auto *content = new QWidget();
    content->setFixedSize(200, 1000);
    auto *combo = new rj_app::custom_controls::CComboBoxIgnoreScroll(content);
    combo->addItems({"a", "b", "c"});
    combo->setGeometry(10, 10, 100, 25);
    area.setWidget(content);
    area.resize(230, 150);
    area.show();
    QVERIFY(QTest::qWaitForWindowExposed(&area));
    QCOMPARE(combo->focusPolicy(), Qt::StrongFocus);

    auto wheel = [&] {
        const QPoint local(20, 12);
        QWheelEvent ev(QPointF(local), QPointF(combo->mapToGlobal(local)), QPoint(), QPoint(0, -120),
                       Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QSpontaneKeyEvent::setSpontaneous(&ev);
        qApp->notify(combo, &ev);
    };

    wheel();
    QVERIFY(area.verticalScrollBar()->value() > 0);
    QCOMPARE(combo->currentIndex(), 0);

    area.verticalScrollBar()->setValue(0);
    QApplication::setActiveWindow(&area);
    combo->setFocus(Qt::MouseFocusReason);
    QVERIFY(combo->hasFocus());
    wheel();
    QCOMPARE(combo->currentIndex(), 1);
    QCOMPARE(area.verticalScrollBar()->value(), 0);
}

void TestFramework::toolButtonSheet_data()
{
    QTest::addColumn<double>("scale");
    QTest::addColumn<int>("font");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<int>("padding");
    QTest::newRow("0.5") << 0.5 << 12 << "" << 10;
    QTest::newRow("1") << 1.0 << 12 << "" << 10;
    QTest::newRow("1.25") << 1.25 << 18 << "_1.5x" << 15;
    QTest::newRow("1.5") << 1.5 << 18 << "_1.5x" << 15;
    QTest::newRow("1.75") << 1.75 << 24 << "_2x" << 20;
    QTest::newRow("2") << 2.0 << 24 << "_2x" << 20;
}

void TestFramework::toolButtonSheet()
{
    QFETCH(double, scale);
    QFETCH(int, font);
    QFETCH(QString, suffix);
    QFETCH(int, padding);
    rj_app::custom_controls::CToolButton button;
    QVERIFY(button.styleSheet().isEmpty());
    button.updateDpi(scale);
    const QString sheet = button.styleSheet();
    QVERIFY(sheet.contains(QStringLiteral("font-size: %1px;").arg(font)));
    QVERIFY(sheet.contains(QStringLiteral("icon_resume_pip_normal%1.png").arg(suffix)));
    QVERIFY(sheet.contains(QStringLiteral("icon_resume_pip_click%1.png").arg(suffix)));
    QVERIFY(sheet.contains(QStringLiteral("padding-left: %1px;").arg(padding)));
    QVERIFY(sheet.contains(QStringLiteral("padding-right: -%1px;").arg(padding)));
    for (const QString &url : urlsIn(sheet))
        QVERIFY2(QFile::exists(url), qPrintable(url));
}

void TestFramework::waitingAnimationPerScale_data()
{
    QTest::addColumn<qreal>("dpi");
    QTest::addColumn<QString>("gif");
    QTest::newRow("1") << qreal(96) << ":/resources/images/waiting.gif";
    QTest::newRow("1.5") << qreal(144) << ":/resources/images/waiting_1.5x.gif";
    QTest::newRow("2") << qreal(192) << ":/resources/images/waiting_2x.gif";
}

void TestFramework::waitingAnimationPerScale()
{
    QFETCH(qreal, dpi);
    QFETCH(QString, gif);
    setScreenDpi(dpi);
    rj_app::views::CWaitingDlg overlay;
    auto *label = overlay.findChild<QLabel *>(QStringLiteral("m_pLblDisplay"));
    overlay.show();
    QVERIFY(QTest::qWaitForWindowExposed(&overlay));
    QVERIFY(label->movie());
    QCOMPARE(label->movie()->fileName(), gif);
    QCOMPARE(label->movie()->state(), QMovie::Running);
    QVERIFY(label->movie()->frameCount() > 1);
    QMovie *movie = label->movie();

    overlay.setScaledFixedSize(100, 50);
    QCOMPARE(overlay.size(), QSize(int(100 * overlay.fStretchFactor), int(50 * overlay.fStretchFactor)));

    overlay.hide();
    QCOMPARE(movie->state(), QMovie::NotRunning);
    QVERIFY(!label->movie());
    QVERIFY(qAbs(overlay.windowOpacity() - 0.7) < 0.01); // stored in 8 bits
}

GLIMORA_TEST_MAIN(TestFramework)
#include "tst_framework.moc"
