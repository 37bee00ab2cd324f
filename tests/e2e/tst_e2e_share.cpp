// Sharing a screen with the drawing overlay, end to end, as a person meets it
// on the test desktop: signed in as alice against the demo server, she joins
// a meeting, shares her screen from the toolbar's chooser, finds the overlay
// over it letting the mouse and the picture of the desktop through (a click
// reaches the program under it), draws a stroke with the mouse over the
// desktop that still shows, saves a screenshot into her snapshot folder,
// turns the screen into a black board and back, goes back to the pointer and
// stops the share from the overlay, which asks first. Twice, in two calls.

#include "E2eCallSupport.h"
#include "E2eSupport.h"

#include "support/AlertBoxSeam.h"
#include "support/ModalDialogDriver.h"
#include "support/DemoServerProcess.h"
#include "support/StandInRingtone.h"

#include "helpers/CUserConfigUtils.h"
#include "models/CCallController.h"
#include "rjsim_control.h"
#include "views/annotation/CbackgroundWidget.h"
#include "views/annotation/PaintListWidget.h"
#include "views/annotation/PaintWidget.h"
#include "views/annotation/SelectBgColorWidget.h"
#include "views/annotation/WhiteBoard.h"
#include "views/incall/CLayoutBackgroundDlg.h"
#include "views/incall/CLayoutCellCoverDlg.h" // CLayoutCellDlg.h needs it whole
#include "views/incall/CLayoutCellDlg.h"
#include "views/incall/CLayoutPeopleSettingDlg.h"
#include "views/incall/CLayoutToolbarDlg.h"
#include "views/incall/CSelectShareContent.h"
#include "views/incall/CWidgetContentSub.h"
#include "views/incall/CWidgetContents.h"
#include "views/main/CMainDlgManager.h"

#include <QDir>
#include <QGuiApplication>
#include <QImageReader>
#include <QPointer>
#include <QScreen>
#include <QTemporaryDir>

using glimora::test::AlertBoxSeam;
using glimora::test::ModalDialogDriver;
using rj_app::models::CCallController;
using rj_app::views::CbackgroundWidget;
using rj_app::views::CMainDlgManager;
using rj_app::views::CSelectShareContent;
using namespace glimora::test::e2e;
using namespace rj_app::enums;

namespace {

namespace desktop = glimora::test::desktop;

// The desktop's colour under the shared screen: another program's window.
constexpr QRgb kDesktopColour = 0x2e8b57;

bool near(QRgb a, QRgb b, int tolerance)
{
    return qAbs(qRed(a) - qRed(b)) <= tolerance && qAbs(qGreen(a) - qGreen(b)) <= tolerance
        && qAbs(qBlue(a) - qBlue(b)) <= tolerance;
}

// How many pixels of the picture show `colour`.
int pixelsOf(const QImage &image, QRgb colour, int tolerance = 3)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += near(image.pixel(x, y), colour, tolerance) ? 1 : 0;
    return count;
}


// The board sheet under the overlay.
WhiteBoard *sheet()
{
    return qobject_cast<WhiteBoard *>(layoutDlg()->getScreenDrawing());
}

// A click at a global point that `window` must not take (another window below
// it, or the desktop, does).
void expectNotOnTop(QWidget *window, const QPoint &global, const char *what)
{
    QVERIFY2(QTest::qWaitFor([&] { return desktop::topLevelAt(global) != window; }, kWaitMs), what);
}

} // namespace

class TestEndToEndShare : public QObject
{
    Q_OBJECT

    glimora::test::DemoServerProcess m_server{QStringLiteral(GLIMORA_DEVSERVER)};
    CallMouse &m_mouse = callMouse();

    void shareTheScreen()
    {
        CSelectShareContent *chooser = nullptr;
        openTheShareChooser(m_mouse, chooser);
        if (!chooser)
            return;
        const auto &tiles = chooser->form().desktopwidget->tiles();
        QVERIFY(!tiles.isEmpty());
        CWidgetContentSub *screenTile = tiles.first();
        QCOMPARE(screenTile->getContentSourceInfo().type, 0);
        personClicks(screenTile);
        if (QTest::currentTestFailed())
            return;
        pressShare(chooser);
        QTRY_COMPARE_WITH_TIMEOUT(call()->getContentStreamStatus(), ContentStreamStatus_SendingContentStarted,
                                  kWaitMs);
    }

    // A question of the overlay comes up on top and a person answers it with
    // its Ok / Yes button; `asked` is what it said.
    static ModalDialogDriver::Action readAndConfirm(QString &asked)
    {
        return ModalDialogDriver::both([&asked](QWidget *box) { asked = ModalDialogDriver::textOf(box); },
                                       personClicksButtonNamed(QStringLiteral("OkYesButton")));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(glimora::test::useStandInRingtone());
        QVERIFY(m_server.start());
        CMainDlgManager::getInstance()->setExitFunction([](int) {});
        signInAsAlice(m_server);
        m_mouse.install();
    }

    void cleanup()
    {
        if (CCallController::isInCall(call()->getCallStatus())) {
            call()->hangUp();
            QTRY_COMPARE_WITH_TIMEOUT(call()->getCallStatus(), ConfEnded, kWaitMs);
        }
    }

    void cleanupTestCase() { m_server.stop(); }

    void shareDrawSaveAndStop_data()
    {
        QTest::addColumn<int>("round");
        QTest::newRow("first call") << 1;
        QTest::newRow("second call") << 2;
    }

    void shareDrawSaveAndStop()
    {
        QTemporaryDir snapshots;
        QVERIFY(snapshots.isValid());
        rj_app::helpers::CUserConfigUtils::getInstance()->setScreenPicPath(snapshots.path());
        // The questions show for real; a person answers them.
        AlertBoxSeam seam;

        // The desktop under everything: its colour is what the shared screen
        // shows wherever no window covers it.
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        desktop::ForeignWindow desk(screen, kDesktopColour, desktop::ForeignWindow::Desktop);
        QVERIFY(desk.waitUntilMapped());

        // 1. Join and share the screen: the overlay covers it, the call
        // window steps aside.
        joinFromMeetingList(1001);
        if (QTest::currentTestFailed())
            return;
        expectTheCall(QStringLiteral("Weekly sync"));
        if (QTest::currentTestFailed())
            return;
        rjsim_clear_journal();
        shareTheScreen();
        if (QTest::currentTestFailed())
            return;
        QTRY_VERIFY_WITH_TIMEOUT(layoutDlg()->getBackgroundWidget() && layoutDlg()->getBackgroundWidget()->isVisible(),
                                 kWaitMs);
        QPointer<CbackgroundWidget> overlay = layoutDlg()->getBackgroundWidget();
        QTRY_VERIFY_WITH_TIMEOUT(callDlg()->isHidden(), kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(!desktop::isViewable(callDlg()), kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(desktop::isViewable(overlay), kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(desktop::geometryOf(overlay.data()), screen, kWaitMs);

        // 2. Pointer mode: the toolbar and the frame take the mouse, the
        // middle of the screen is the desktop's, and the desktop shows
        // through everywhere but the frame and the toolbar.
        const QPoint middle = screenRectOf(overlay).center();
        auto *toolbarRow = child<QWidget>(overlay, "PropertyWidget");
        expectOnTop(overlay, desktop::centreOf(toolbarRow));
        expectOnTop(overlay, QPoint(screen.left() + 2, middle.y()));
        expectNotOnTop(overlay, middle, "the overlay takes the mouse in the middle of the screen in pointer mode");
        // A click there reaches the program under the shared screen, through
        // the overlay and the transparent board sheet.
        const QPoint onTheDesktop = middle + QPoint(-280, 150);
        const int pressesBefore = desk.presses();
        desktop::click(onTheDesktop);
        QTRY_COMPARE_WITH_TIMEOUT(desk.presses(), pressesBefore + 1, kWaitMs);
        QCOMPARE(desk.lastPress(), onTheDesktop - screen.topLeft());
        for (const char *name : {"Button_Voice", "Button_Mute", "Button_Camera", "Button_Draw", "m_pBtnVolume",
                                 "Button_Close", "m_pBtnSelectMicUp", "m_pBtnSelectCameraUp"})
            QVERIFY2(child<QWidget>(overlay, name)->isVisible(), name);
        const QRect glimpse(middle + QPoint(-300, 120), QSize(60, 60));
        expectScreenShows(glimpse, kDesktopColour, "pointer mode");
        checkShot(QStringLiteral("share-1-overlay"), [] { return grabScreen(); });
        if (QTest::currentTestFailed())
            return;

        // 3. Drawing: the tool bar comes and the whole screen takes the
        // mouse; a stroke made with the mouse stays on the surface and shows
        // in the pen's colour.
        personClicks(child<QPushButton>(overlay, "Button_Draw"));
        QTRY_VERIFY_WITH_TIMEOUT(overlay->paintListWidget() && overlay->paintListWidget()->isVisible(), kWaitMs);
        QPointer<rj_app::views::PaintListWidget> bar = overlay->paintListWidget();
        expectOnTop(overlay, middle);
        expectOnTop(bar, desktop::centreOf(child<QWidget>(bar, "button_save")));
        // Drawing takes the mouse with a surface nobody sees: the desktop
        // still shows under it.
        expectScreenShows(glimpse, kDesktopColour, "drawing", 2);
        auto *surface = overlay->paintWidget();
        QVERIFY(surface->strokes().isEmpty());
        const QPoint from = middle;
        const QPoint to = from + QPoint(200, 80);
        desktop::drag(from, to, 10);
        QTRY_COMPARE_WITH_TIMEOUT(surface->strokes().size(), 1, kWaitMs);
        QVERIFY2(surface->strokes().first().points.size() >= 2, "the stroke has no length");
        const QRgb ink = surface->pen().color().rgb();
        const QPoint onTheStroke = from + (to - from) / 2;
        QTRY_VERIFY2_WITH_TIMEOUT(pixelsOf(grabScreen(QRect(onTheStroke - QPoint(3, 3), QSize(7, 7))), ink, 8) > 0,
                                  "the stroke does not show in the pen's colour", kWaitMs);
        checkShot(QStringLiteral("share-2-stroke"), [] { return grabScreen(); });

        // 4. Save: a picture of the screen, stroke and all, lands in the
        // snapshot folder, and a note says so.
        QString asked;
        {
            ModalDialogDriver driver(kWaitMs);
            driver.expect("rj_app::views::AlertDlg", [&asked](QWidget *box) {
                asked = ModalDialogDriver::textOf(box);
                QPointer<QWidget> yes = box->findChild<QWidget *>(QStringLiteral("OkYesButton"));
                personClicks(yes);
                // Save acts on the press; the first click on its note
                // answers it.
                QVERIFY2(QTest::qWaitFor([&yes] { return !yes || !yes->isVisible(); }, kWaitMs),
                         "the Save note stays after a click on Yes");
            });
            personClicks(child<QWidget>(bar, "button_save"));
            QTRY_VERIFY2_WITH_TIMEOUT(driver.allHandled(), qPrintable(driver.failures().join(QLatin1Char('\n'))),
                                      kWaitMs);
        }
        const QStringList shots = QDir(snapshots.path()).entryList({QStringLiteral("Screenshot_*.jpg")}, QDir::Files);
        QCOMPARE(shots.size(), 1);
        // The note says where the picture went.
        QCOMPARE(asked, QStringLiteral("Save successfully\n") + QDir(snapshots.path()).filePath(shots.first()));
        QImageReader reader(QDir(snapshots.path()).filePath(shots.first()));
        QCOMPARE(reader.format(), QByteArray("jpeg"));
        const QImage saved = reader.read();
        QCOMPARE(saved.size(), screen.size());
        QVERIFY2(pixelsOf(saved.copy(QRect(onTheStroke - QPoint(3, 3), QSize(7, 7))), ink, 40) > 0,
                 "the saved picture lacks the stroke");
        // ... over the desktop, as the others in the call see it.
        const QRect glimpseInShot = glimpse.translated(-screen.topLeft());
        QVERIFY2(pixelsOf(saved.copy(glimpseInShot), kDesktopColour, 12) > glimpseInShot.width() * glimpseInShot.height() * 9 / 10,
                 "the saved picture does not show the desktop under the drawing");

        // 5a. A black board: the sheet under the overlay turns black; the
        // pointer tool makes it clear again.
        personClicks(child<QWidget>(bar, "button_paintBackground"));
        QTRY_VERIFY_WITH_TIMEOUT(overlay->selectBgColorWidget()->isVisible(), kWaitMs);
        QWidget *black = child<QWidget>(overlay->selectBgColorWidget(), "blackBg");
        expectOnTop(overlay->selectBgColorWidget(), desktop::centreOf(black));
        personClicks(black);
        QTRY_VERIFY_WITH_TIMEOUT(sheet() && sheet()->takesMouse(), kWaitMs);
        expectScreenShows(glimpse, qRgb(0, 0, 0), "a black board", 2);
        checkShot(QStringLiteral("share-2b-black-board"), [] { return grabScreen(); });

        // 5. The pointer again: the middle of the screen is the desktop's
        // once more, the stroke stays, and the desktop shows through.
        personClicks(child<QWidget>(bar, "button_mouse"));
        QTRY_VERIFY_WITH_TIMEOUT(!overlay->takesMouse(), kWaitMs);
        expectNotOnTop(overlay, middle, "the overlay keeps the mouse after going back to the pointer");
        QCOMPARE(surface->strokes().size(), 1);
        expectScreenShows(glimpse, kDesktopColour, "back to the pointer");
        QVERIFY(!sheet()->takesMouse());
        const int pressesThen = desk.presses();
        desktop::click(onTheDesktop);
        QTRY_COMPARE_WITH_TIMEOUT(desk.presses(), pressesThen + 1, kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(pixelsOf(grabScreen(QRect(onTheStroke - QPoint(3, 3), QSize(7, 7))), ink, 8) > 0,
                                 kWaitMs);
        checkShot(QStringLiteral("share-3-pointer"), [] { return grabScreen(); });

        // 6. Stop asks; Yes ends the share and brings the call window back.
        {
            ModalDialogDriver driver(kWaitMs);
            driver.expect("rj_app::views::AlertDlg", readAndConfirm(asked));
            personClicks(child<QPushButton>(overlay, "Button_Close"));
            QTRY_VERIFY2_WITH_TIMEOUT(driver.allHandled(), qPrintable(driver.failures().join(QLatin1Char('\n'))),
                                      kWaitMs);
        }
        QCOMPARE(asked, QStringLiteral("Are you sure to stop?"));
        QCOMPARE(seam.count(), 2);
        QTRY_COMPARE_WITH_TIMEOUT(call()->getContentStreamStatus(), ContentStreamStatus_None, kWaitMs);
        QCOMPARE(rjsim_journal_count("stopContent"), 1);
        QTRY_VERIFY_WITH_TIMEOUT(!overlay, kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(callDlg()->isVisible(), kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(layoutDlg()->getLayoutMode(), LayoutMode_NormalPeople, kWaitMs);
        QVERIFY(!bar);
        expectOnScreen(callDlg(), QStringLiteral("share-4-call-again"));

        m_mouse.bringUpTheToolbar();
        leaveTheCall();
        expectHomeAgain();
    }
};

GLIMORA_E2E_MAIN(TestEndToEndShare, "0")

#include "tst_e2e_share.moc"
