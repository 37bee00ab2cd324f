// The web whiteboard as a person uses it, end to end: signed in as alice
// against the demo server, she joins a meeting, sends a whiteboard from the
// share chooser, picks the highlighter on the native tool bar and draws on
// the page with the mouse, and stops; then she joins the whiteboard session,
// where a colleague's board shows inside the call layout. What the page
// holds is read back from the page itself.

#include "E2eCallSupport.h"
#include "E2eSupport.h"

#include "support/AlertBoxSeam.h"
#include "support/DemoServerProcess.h"
#include "support/PageScript.h"
#include "support/StandInRingtone.h"

#include "models/CCallController.h"
#include "rjsim_control.h"
#include "views/annotation/Cmenubutton.h"
#include "views/annotation/PaintListWidget.h"
#include "views/annotation/WhiteBoardDlg.h"
#include "views/annotation/WhiteBoardTopWidget.h"
#include "views/annotation/WhiteBoardWebWidget.h"
#include "views/incall/CLayoutBackgroundDlg.h"
#include "views/incall/CLayoutCellCoverDlg.h" // CLayoutCellDlg.h needs it whole
#include "views/incall/CLayoutCellDlg.h"
#include "views/incall/CLayoutPeopleSettingDlg.h"
#include "views/incall/CLayoutToolbarDlg.h"
#include "views/incall/CSelectShareContent.h"
#include "views/incall/CWidgetContentSub.h"
#include "views/incall/CWidgetContents.h"
#include "views/main/CMainDlgManager.h"
#include "views/meetings/WebComponents.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QWebEnginePage>
#include <QWebEngineView>

using glimora::test::AlertBoxSeam;
using rj_app::views::CMainDlgManager;
using rj_app::views::CSelectShareContent;
using rj_app::views::WhiteBoardDlg;
using namespace glimora::test::e2e;
using namespace rj_app::enums;

namespace {

QWebEngineView *pageView(WhiteBoardDlg *board)
{
    return board->findChild<QWebEngineView *>();
}

// What the page says it shows (window.boardState()), or an empty object.
QJsonObject boardState(WhiteBoardDlg *board)
{
    QWebEngineView *view = pageView(board);
    const QVariant json = glimora::test::runPageScript(
        view ? view->page() : nullptr, QStringLiteral("JSON.stringify(window.boardState ? window.boardState() : {})"),
        kWaitMs);
    return QJsonDocument::fromJson(json.toString().toUtf8()).object();
}

int boardInt(WhiteBoardDlg *board, const char *key)
{
    return boardState(board).value(QLatin1String(key)).toInt(-1);
}

QString boardText(WhiteBoardDlg *board, const char *key)
{
    return boardState(board).value(QLatin1String(key)).toString();
}

bool boardFlag(WhiteBoardDlg *board, const char *key)
{
    return boardState(board).value(QLatin1String(key)).toBool();
}

} // namespace

class TestEndToEndWhiteboard : public QObject
{
    Q_OBJECT

    glimora::test::DemoServerProcess m_server{QStringLiteral(GLIMORA_DEVSERVER)};
    CallMouse &m_mouse = callMouse();

private slots:
    void initTestCase()
    {
        QVERIFY(glimora::test::useStandInRingtone());
        QVERIFY(m_server.start());
        // Where the application finds the library: beside itself.
        rj_app::views::WebComponents::setLibraryPath(QStringLiteral(GLIMORA_WEB_LIBRARY));
        CMainDlgManager::getInstance()->setExitFunction([](int) {});
        signInAsAlice(m_server);
        m_mouse.install();
    }

    void cleanup()
    {
        if (rj_app::models::CCallController::isInCall(call()->getCallStatus())) {
            call()->hangUp();
            QTRY_COMPARE_WITH_TIMEOUT(call()->getCallStatus(), ConfEnded, kWaitMs);
        }
    }

    void cleanupTestCase() { m_server.stop(); }

    void sendDrawAndStop()
    {
        AlertBoxSeam seam(QDialogButtonBox::Ok);
        joinFromMeetingList(1001);
        if (QTest::currentTestFailed())
            return;
        expectTheCall(QStringLiteral("Weekly sync"));
        if (QTest::currentTestFailed())
            return;

        // Share → the whiteboard tile → Share.
        CSelectShareContent *chooser = nullptr;
        openTheShareChooser(m_mouse, chooser);
        if (!chooser)
            return;
        CWidgetContentSub *boardTile = nullptr;
        for (auto *tile : chooser->form().desktopwidget->tiles()) {
            if (tile->isWhiteBoard())
                boardTile = tile;
        }
        QVERIFY(boardTile);
        QTest::mouseClick(boardTile, Qt::LeftButton);
        pressShare(chooser);
        QTRY_COMPARE_WITH_TIMEOUT(call()->getContentStreamStatus(), ContentStreamStatus_SendingWhiteBoardStarted,
                                  kWaitMs);

        // The whiteboard window shows the page of the meeting's board, which
        // connects and is started clean by this sender.
        QTRY_VERIFY_WITH_TIMEOUT(layoutDlg()->getWhiteBoardDlg() && layoutDlg()->getWhiteBoardDlg()->isVisible(),
                                 kWaitMs);
        WhiteBoardDlg *board = layoutDlg()->getWhiteBoardDlg();
        QVERIFY(pageView(board));
        QTRY_VERIFY_WITH_TIMEOUT(pageView(board)->url().toString().contains(QLatin1String("/acs/index.html?jwt=")),
                                 kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(board->webWidget()->isBoardStarted(), kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(boardFlag(board, "started"), kWaitMs);
        QCOMPARE(boardText(board, "conference"), QStringLiteral("1001"));
        QTRY_COMPARE_WITH_TIMEOUT(boardInt(board, "strokes"), 0, kWaitMs);
        QVERIFY(board->m_pBoardTopWidget && board->m_pBoardTopWidget->isVisible());
        rj_app::views::PaintListWidget *tools = board->paintListWidget();
        QTRY_VERIFY_WITH_TIMEOUT(tools->isVisible(), kWaitMs);

        // The highlighter on the native tool bar reaches the page.
        QTest::mouseClick(child<QWidget>(tools, "button_niteWriterPen"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(boardText(board, "tool"), QStringLiteral("nitePen"), kWaitMs);

        // A stroke drawn with the mouse on the page.
        QWidget *surface = pageView(board)->focusProxy();
        QVERIFY(surface);
        const QPoint from(surface->width() / 3, surface->height() / 2);
        QTest::mousePress(surface, Qt::LeftButton, Qt::NoModifier, from);
        for (int i = 1; i <= 10; ++i)
            QTest::mouseMove(surface, from + QPoint(i * 15, i * 4));
        QTest::mouseRelease(surface, Qt::LeftButton, Qt::NoModifier, from + QPoint(150, 40));
        QTRY_COMPARE_WITH_TIMEOUT(boardInt(board, "strokes"), 1, kWaitMs);
        checkShot(QStringLiteral("whiteboard-1-drawn"), [board] { return grabScreen(frameOf(board)); });

        // Undo on the tool bar takes it back on the page.
        QTest::mouseClick(child<QWidget>(tools, "button_revocation"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(boardInt(board, "strokes"), 0, kWaitMs);

        // Stop on the top bar: the page is disconnected, the share ends.
        QTest::mouseClick(child<QWidget>(board->m_pBoardTopWidget, "m_closeBtn"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(call()->getContentStreamStatus(), ContentStreamStatus_None, kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(!board->isVisible(), kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(callDlg()->isVisible(), kWaitMs);

        m_mouse.bringUpTheToolbar();
        leaveTheCall();
        expectHomeAgain();
        QCOMPARE(seam.count(), 0);
    }

    void receiveInTheLayout()
    {
        AlertBoxSeam seam(QDialogButtonBox::Ok);
        joinFromMeetingList(1007);
        if (QTest::currentTestFailed())
            return;
        expectTheCall(QStringLiteral("Whiteboard session"));
        if (QTest::currentTestFailed())
            return;
        QTRY_COMPARE_WITH_TIMEOUT(call()->getContentStreamStatus(), ContentStreamStatus_ReceivingWhiteBoardStarted,
                                  kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(layoutDlg()->getWhiteBoardDlgForLayout()
                                     && layoutDlg()->getWhiteBoardDlgForLayout()->isVisible(),
                                 kWaitMs);
        WhiteBoardDlg *board = layoutDlg()->getWhiteBoardDlgForLayout();
        // Erin Park's board: her drawing, connected, never started here.
        QTRY_VERIFY_WITH_TIMEOUT(board->webWidget()->isBoardConnected(), kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(boardInt(board, "strokes") >= 4, kWaitMs);
        QCOMPARE(boardText(board, "conference"), QStringLiteral("1007"));
        QVERIFY(!boardFlag(board, "started"));
        QVERIFY(!board->webWidget()->isBoardStarted());
        QVERIFY(!board->m_pBoardTopWidget);
        QVERIFY(frameOf(callDlg()).contains(frameOf(board)));
        checkShot(QStringLiteral("whiteboard-2-received"), [] { return grabScreen(frameOf(callDlg())); });

        // A movement over the board brings the call's toolbar back.
        m_mouse.now = m_mouse.now.addSecs(10);
        for (int i = 0; i < 4; ++i) {
            m_mouse.now = m_mouse.now.addMSecs(40);
            movePointer(board, QPoint(board->width() / 3 + i * 8, board->height() / 2));
        }
        QTRY_VERIFY_WITH_TIMEOUT(toolbar()->isVisible(), kWaitMs);
        leaveTheCall();
        expectHomeAgain();
        QCOMPARE(seam.count(), 0);
    }
};

// The demo world at half its time, as in the call walk: the colleague's
// whiteboard starts 1.5 s after the call connects.
GLIMORA_E2E_MAIN(TestEndToEndWhiteboard, "0.5")

#include "tst_e2e_whiteboard.moc"
