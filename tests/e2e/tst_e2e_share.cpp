// Sharing a screen with the drawing overlay, end to end: signed in as alice
// against the demo server, she joins a meeting, shares her screen from the
// toolbar's chooser, finds the overlay over it letting the mouse through,
// draws a stroke, saves a screenshot into her snapshot folder and stops the
// share from the overlay, which asks first.

#include "E2eCallSupport.h"
#include "E2eSupport.h"

#include "support/AlertBoxSeam.h"
#include "support/DemoServerProcess.h"
#include "support/StandInRingtone.h"

#include "helpers/CUserConfigUtils.h"
#include "models/CCallController.h"
#include "platform/CInputShape.h"
#include "rjsim_control.h"
#include "views/annotation/CbackgroundWidget.h"
#include "views/annotation/PaintListWidget.h"
#include "views/annotation/PaintWidget.h"
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
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QTemporaryDir>

using glimora::test::AlertBoxSeam;
using rj_app::models::CCallController;
using rj_app::platform::CInputShape;
using rj_app::views::CbackgroundWidget;
using rj_app::views::CMainDlgManager;
using rj_app::views::CSelectShareContent;
using namespace glimora::test::e2e;
using namespace rj_app::enums;

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
        QTest::mouseClick(screenTile, Qt::LeftButton);
        pressShare(chooser);
        QTRY_COMPARE_WITH_TIMEOUT(call()->getContentStreamStatus(), ContentStreamStatus_SendingContentStarted,
                                  kWaitMs);
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

    void shareDrawSaveAndStop()
    {
        QTemporaryDir snapshots;
        QVERIFY(snapshots.isValid());
        rj_app::helpers::CUserConfigUtils::getInstance()->setScreenPicPath(snapshots.path());
        AlertBoxSeam seam(QDialogButtonBox::Ok);

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
        QTRY_COMPARE_WITH_TIMEOUT(frameOf(overlay), QGuiApplication::primaryScreen()->geometry(), kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(QTest::qWaitForWindowExposed(overlay.data()), kWaitMs);

        // 2. Pointer mode: the middle of the screen belongs to the windows
        // below; the toolbar and the frame take the mouse.
        const QPoint middle = overlay->rect().center();
        auto *toolbarRow = child<QWidget>(overlay, "PropertyWidget");
        const QPoint onToolbar = toolbarRow->mapTo(overlay.data(), toolbarRow->rect().center());
        QTRY_VERIFY_WITH_TIMEOUT(CInputShape::inputRegion(overlay).contains(onToolbar), kWaitMs);
        QVERIFY(!CInputShape::inputRegion(overlay).contains(middle));
        QVERIFY(CInputShape::inputRegion(overlay).contains(QPoint(0, middle.y())));
        for (const char *name : {"Button_Voice", "Button_Mute", "Button_Camera", "Button_Draw", "m_pBtnVolume",
                                 "Button_Close", "m_pBtnSelectMicUp", "m_pBtnSelectCameraUp"})
            QVERIFY2(child<QWidget>(overlay, name)->isVisible(), name);
        checkShot(QStringLiteral("share-1-overlay"), [] { return grabScreen(); });

        // 3. Drawing: the tool bar comes, the whole screen takes the mouse,
        // and a stroke stays on the surface.
        QTest::mouseClick(child<QPushButton>(overlay, "Button_Draw"), Qt::LeftButton);
        QPointer<rj_app::views::PaintListWidget> bar = overlay->paintListWidget();
        QVERIFY(bar->isVisible());
        QCOMPARE(CInputShape::inputRegion(overlay), QRegion(overlay->rect()));
        auto *surface = overlay->paintWidget();
        const QPoint from = surface->mapFrom(overlay.data(), middle);
        QTest::mousePress(surface, Qt::LeftButton, Qt::NoModifier, from);
        for (int i = 1; i <= 10; ++i) {
            const QPoint at = from + QPoint(20 * i, 8 * i);
            QMouseEvent move(QEvent::MouseMove, at, surface->mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                             Qt::NoModifier);
            QCoreApplication::sendEvent(surface, &move);
        }
        QTest::mouseRelease(surface, Qt::LeftButton, Qt::NoModifier, from + QPoint(200, 80));
        QCOMPARE(surface->strokes().size(), 1);
        checkShot(QStringLiteral("share-2-stroke"), [] { return grabScreen(); });

        // 4. Save: a picture of the screen lands in the snapshot folder.
        QTest::mouseClick(child<QWidget>(bar, "button_save"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(seam.count(), 1, kWaitMs);
        QCOMPARE(seam.last().text, QStringLiteral("Save successfully"));
        const QStringList shots = QDir(snapshots.path()).entryList({QStringLiteral("Screenshot_*.jpg")}, QDir::Files);
        QCOMPARE(shots.size(), 1);
        QImageReader reader(QDir(snapshots.path()).filePath(shots.first()));
        QCOMPARE(reader.format(), QByteArray("jpeg"));
        QCOMPARE(reader.read().size(), QGuiApplication::primaryScreen()->geometry().size());

        // 5. Stop asks; Yes ends the share and brings the call window back.
        seam.answerNext(QDialogButtonBox::Yes);
        QTest::mouseClick(child<QPushButton>(overlay, "Button_Close"), Qt::LeftButton);
        QCOMPARE(seam.count(), 2);
        QCOMPARE(seam.last().text, QStringLiteral("Are you sure to stop?"));
        QTRY_COMPARE_WITH_TIMEOUT(call()->getContentStreamStatus(), ContentStreamStatus_None, kWaitMs);
        QCOMPARE(rjsim_journal_count("stopContent"), 1);
        QTRY_VERIFY_WITH_TIMEOUT(!overlay, kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(callDlg()->isVisible(), kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(layoutDlg()->getLayoutMode(), LayoutMode_NormalPeople, kWaitMs);
        QVERIFY(!bar);

        m_mouse.bringUpTheToolbar();
        leaveTheCall();
        expectHomeAgain();
    }
};

GLIMORA_E2E_MAIN(TestEndToEndShare, "0")

#include "tst_e2e_share.moc"
