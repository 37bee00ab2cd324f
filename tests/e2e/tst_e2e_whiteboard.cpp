// The web whiteboard as a person uses it, end to end: signed in as alice
// against the demo server, she joins a meeting, sends a whiteboard from the
// share chooser, finds the drawing tool bar over the board, picks the marker,
// a colour and the eraser, draws on the page with the mouse in the pen, undoes
// it, tries pictures the server refuses as background and then one it takes,
// and stops; twice, in two calls. Then she joins the whiteboard session, where
// a colleague's board shows inside the call layout. All input goes through the X server; what
// the page holds is read back from the page itself, what a person sees from
// the screen.

#include "E2eCallSupport.h"
#include "E2eSupport.h"

#include "support/AlertBoxSeam.h"
#include "support/DemoServerProcess.h"
#include "support/PageScript.h"
#include "support/StandInRingtone.h"

#include "models/CCallController.h"
#include "rjsim_control.h"
#include "views/annotation/ColorWidget.h"
#include "views/annotation/Cmenubutton.h"
#include "views/annotation/DrawingPalette.h"
#include "views/annotation/PaintListWidget.h"
#include "views/annotation/WhiteBoardDlg.h"
#include "views/annotation/WhiteBoardSelectBgWidget.h"
#include "views/annotation/WhiteBoardTopWidget.h"
#include "views/annotation/WhiteBoardWebWidget.h"
#include "views/incall/CLayoutBackgroundDlg.h"
#include "views/incall/CLayoutCellCoverDlg.h" // CLayoutCellDlg.h needs it whole
#include "views/incall/CLayoutCellDlg.h"
#include "views/incall/CLayoutCoverDlg.h"
#include "views/incall/CLayoutPeopleSettingDlg.h"
#include "views/incall/CLayoutToolbarDlg.h"
#include "views/incall/CSelectShareContent.h"
#include "views/incall/CWidgetContentSub.h"
#include "views/incall/CWidgetContents.h"
#include "views/main/CHomeDlg.h"
#include "views/main/CMainDlgManager.h"
#include "views/meetings/CConferenceItemWidget.h"
#include "views/meetings/CConferencesListWidget.h"
#include "views/meetings/WebComponents.h"

#include <QApplication>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QScreen>
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <QWebEngineView>

using glimora::test::AlertBoxSeam;
using rj_app::views::CMainDlgManager;
using rj_app::views::CSelectShareContent;
using rj_app::views::WhiteBoardDlg;
using namespace glimora::test::e2e;
using namespace rj_app::enums;
namespace desktop = glimora::test::desktop;

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

// Pixels of about that colour in a picture.
int pixelsLike(const QImage &image, const QColor &colour)
{
    int like = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            like += qAbs(c.red() - colour.red()) + qAbs(c.green() - colour.green()) + qAbs(c.blue() - colour.blue())
                            < 60
                        ? 1
                        : 0;
        }
    }
    return like;
}

// A stroke as a hand draws it, through the X server: the button held from
// `from` along `by` in `steps` steps (in the widget's coordinates), each
// step seen by the client before the next.
void personDraws(QWidget *surface, const QPoint &from, const QPoint &by, int steps)
{
    const QPoint start = screenRectOf(surface).topLeft() + from;
    expectOnTop(surface->window(), start);
    expectOnTop(surface->window(), start + by);
    if (QTest::currentTestFailed())
        return;
    desktop::drag(start, start + by, steps);
}

} // namespace

class TestEndToEndWhiteboard : public QObject
{
    Q_OBJECT

    glimora::test::DemoServerProcess m_server{QStringLiteral(GLIMORA_DEVSERVER)};
    CallMouse &m_mouse = callMouse();

    // The centre of a widget of a picker where the X server shows the
    // picker: the client's own idea of a picker's place lags behind now and
    // then (left open: it reads 0,0 for a moment after the first show).
    static QPoint onScreen(QWidget *widget)
    {
        QWidget *window = widget->window();
        (void)QTest::qWaitFor([&] { return desktop::isViewable(window); }, kWaitMs);
        return desktop::geometryOf(window).topLeft() + widget->mapTo(window, widget->rect().center());
    }

    // Nothing of the client's own lies over the board's tools: the floating
    // video strip stays clear of the tool bar and the top bar.
    static void expectTheToolsUncovered(WhiteBoardDlg *board)
    {
        const QRect tools = desktop::geometryOf(board->paintListWidget());
        const QRect topBar = screenRectOf(board->m_pBoardTopWidget);
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (w == board || w == board->paintListWidget() || !w->isVisible() || !desktop::isViewable(w)
                || !desktop::isAbove(w, board))
                continue;
            const QRect r = desktop::geometryOf(w);
            QVERIFY2(!r.intersects(tools) && !r.intersects(topBar),
                     qPrintable(QStringLiteral("%1 at %2 (the client places it at %3) lies over the board's tools")
                                   .arg(QLatin1String(w->metaObject()->className()), rectText(r),
                                        rectText(w->geometry()))));
        }
    }

    // The Background picker's picture button with pictures the whiteboard
    // server refuses: one short note each, and the next good picture is
    // taken. The file dialog is replaced by the files a person would pick.
    void uploadBackgrounds(WhiteBoardDlg *board, AlertBoxSeam &seam)
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString text = dir.filePath(QStringLiteral("notes.jpg"));
        {
            QFile f(text);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("not a picture at all\n");
        }
        const QString huge = dir.filePath(QStringLiteral("huge.png"));
        {
            QImage image(5000, 5000, QImage::Format_RGB32);
            image.fill(Qt::darkCyan);
            QVERIFY(image.save(huge));
        }
        const QString heavy = dir.filePath(QStringLiteral("heavy.jpg"));
        {
            QFile f(heavy);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QVERIFY(f.resize(60 * 1024 * 1024));
        }
        const QString good = dir.filePath(QStringLiteral("good.png"));
        {
            QImage image(320, 200, QImage::Format_RGB32);
            image.fill(Qt::yellow);
            QVERIFY(image.save(good));
        }
        struct Case
        {
            QString file;
            QString told;
        };
        const QList<Case> cases{
            {heavy, QStringLiteral("The picture is too large for the whiteboard.")},
            {text, QStringLiteral("The whiteboard did not accept this picture.")},
            {huge, QStringLiteral("The whiteboard did not accept this picture.")},
            {good, QString()},
        };
        rj_app::views::PaintListWidget *tools = board->paintListWidget();
        rj_app::views::WhiteBoardSelectBgWidget *backgrounds = board->selectBgWidget();
        const int version = boardInt(board, "pictureVersion");
        for (const Case &c : cases) {
            const int notes = seam.count();
            WhiteBoardDlg::setFileChooser([file = c.file](QWidget *) { return file; });
            if (!backgrounds->isVisible())
                personClicks(child<QWidget>(tools, "button_paintBackground"));
            QTRY_VERIFY_WITH_TIMEOUT(backgrounds->isVisible(), kWaitMs);
            QWidget *picture = child<QWidget>(backgrounds, "m_selectImg");
            const QPoint atPicture = onScreen(picture);
            expectOnTop(backgrounds, atPicture);
            desktop::click(atPicture);
            if (QTest::currentTestFailed())
                break;
            QTRY_VERIFY_WITH_TIMEOUT(board->isUploading(), kWaitMs);
            // 60 MB go out through the loopback on a busy machine before the
            // answer counts.
            QTRY_VERIFY2_WITH_TIMEOUT(!board->isUploading(), qPrintable(c.file), 3 * kWaitMs);
            if (c.told.isEmpty()) {
                QCOMPARE(seam.count(), notes);
                QTRY_COMPARE_WITH_TIMEOUT(boardText(board, "background"), QStringLiteral("img"), kWaitMs);
                QTRY_COMPARE_WITH_TIMEOUT(boardInt(board, "pictureVersion"), version + 1, kWaitMs);
            } else {
                QTRY_COMPARE_WITH_TIMEOUT(seam.count(), notes + 1, kWaitMs);
                QCOMPARE(seam.last().text, c.told);
                QCOMPARE(boardInt(board, "pictureVersion"), version);
            }
        }
        WhiteBoardDlg::setFileChooser({});
    }

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

    void sendDrawAndStop_data()
    {
        QTest::addColumn<int>("round");
        QTest::newRow("first call") << 1;
        QTest::newRow("second call") << 2;
    }

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
        personClicks(boardTile);
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
        QCOMPARE(boardText(board, "tool"), QStringLiteral("pencil"));
        QVERIFY(board->m_pBoardTopWidget && board->m_pBoardTopWidget->isVisible());
        rj_app::views::PaintListWidget *tools = board->paintListWidget();
        QTRY_VERIFY_WITH_TIMEOUT(tools->isVisible(), kWaitMs);

        // The window takes the call window's place, whole on the screen and
        // on top, its Stop bar along the top.
        QTRY_VERIFY_WITH_TIMEOUT(desktop::isViewable(board), kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(!desktop::isViewable(callDlg()), kWaitMs);
        const QRect boardOnScreen = desktop::geometryOf(board);
        QVERIFY(QGuiApplication::primaryScreen()->geometry().contains(boardOnScreen));
        QCOMPARE(screenRectOf(board->m_pBoardTopWidget).top(), boardOnScreen.top());
        expectOnTop(board, desktop::centreOf(board));

        // The tool bar lies over the board, where a person aims at it.
        expectOnTop(tools, desktop::centreOf(tools));
        expectTheToolsUncovered(board);
        // Marker, one of its colours, the eraser, the pen again: each
        // reaches the page.
        personClicks(child<QWidget>(tools, "button_niteWriterPen"));
        QTRY_COMPARE_WITH_TIMEOUT(boardText(board, "tool"), QStringLiteral("nitePen"), kWaitMs);
        personClicks(child<QWidget>(tools, "button_nite_pen_select"));
        rj_app::views::ColorWidget *colours = board->colorWidget();
        QTRY_VERIFY_WITH_TIMEOUT(colours->isVisible(), kWaitMs);
        QWidget *lake = child<QWidget>(colours, "color_blue");
        const QPoint atLake = onScreen(lake);
        expectOnTop(colours, atLake);
        desktop::click(atLake);
        const QColor marker = rj_app::views::kHighlighterColors[2];
        QTRY_COMPARE_WITH_TIMEOUT(boardState(board).value(QLatin1String("color")).toObject(),
                                  (QJsonObject{{"r", marker.red()}, {"g", marker.green()}, {"b", marker.blue()}}),
                                  kWaitMs);
        personClicks(child<QWidget>(tools, "button_eraser"));
        QTRY_COMPARE_WITH_TIMEOUT(boardText(board, "tool"), QStringLiteral("eraser"), kWaitMs);
        personClicks(child<QWidget>(tools, "button_pen"));
        QTRY_COMPARE_WITH_TIMEOUT(boardText(board, "tool"), QStringLiteral("pencil"), kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(boardState(board).value(QLatin1String("color")).toObject(),
                                  (QJsonObject{{"r", 0}, {"g", 0}, {"b", 0}}), kWaitMs);

        // A stroke drawn with the mouse on the page, in the default black pen.
        QWidget *surface = pageView(board)->focusProxy();
        QVERIFY(surface);
        const QPoint from(surface->width() / 3, surface->height() / 2);
        const QPoint by(150, 40);
        // Halfway along, where the pen crosses a step of the hand.
        const QRect inkArea(screenRectOf(surface).topLeft() + from + by / 2 - QPoint(6, 6), QSize(13, 13));
        QCOMPARE(pixelsLike(grabScreen(inkArea), Qt::black), 0);
        personDraws(surface, from, by, 10);
        if (QTest::currentTestFailed())
            return;
        QTRY_COMPARE_WITH_TIMEOUT(boardInt(board, "strokes"), 1, kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(boardInt(board, "pending"), 0, kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(pixelsLike(grabScreen(inkArea), Qt::black) > 5, kWaitMs);
        checkShot(QStringLiteral("whiteboard-1-drawn"), [boardOnScreen] { return grabScreen(boardOnScreen); });

        // Undo takes the stroke back.
        personClicks(child<QWidget>(tools, "button_revocation"));
        QTRY_COMPARE_WITH_TIMEOUT(boardInt(board, "strokes"), 0, kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(pixelsLike(grabScreen(inkArea), Qt::black), 0, kWaitMs);

        uploadBackgrounds(board, seam);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(seam.count(), 3);

        // Stop on the top bar: the page is disconnected, the share ends.
        personClicks(child<QWidget>(board->m_pBoardTopWidget, "m_closeBtn"));
        QTRY_COMPARE_WITH_TIMEOUT(call()->getContentStreamStatus(), ContentStreamStatus_None, kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(!board->isVisible(), kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(callDlg()->isVisible(), kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(!desktop::isViewable(board), kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(!desktop::isViewable(tools), kWaitMs);
        expectOnScreen(callDlg(), QStringLiteral("whiteboard-1-stopped"));

        m_mouse.bringUpTheToolbar();
        leaveTheCall();
        expectHomeAgain();
        QCOMPARE(seam.count(), 3);
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
        // On screen the board lies inside the call window, above it, and
        // shows her strokes.
        QTRY_VERIFY_WITH_TIMEOUT(desktop::isViewable(board), kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(desktop::geometryOf(callDlg()).contains(desktop::geometryOf(board)), kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(desktop::isAbove(board, callDlg()), kWaitMs);
        const QPoint overBoard = screenRectOf(board).topLeft() + QPoint(board->width() / 3, board->height() / 2);
        // The call's mouse cover takes the pointer over it, and lets it show through.
        rj_app::views::CLayoutCoverDlg *cover = nullptr;
        for (auto *c : layoutDlg()->findChildren<rj_app::views::CLayoutCoverDlg *>(QString(), Qt::FindDirectChildrenOnly))
            if (c->isVisible())
                cover = c;
        QVERIFY(cover);
        expectOnTop(cover, overBoard);
        // Her blue square, drawn 6 px wide.
        QTRY_VERIFY_WITH_TIMEOUT(pixelsLike(grabScreen(screenRectOf(board)), QColor(33, 150, 243)) > 200, kWaitMs);
        expectOnScreen(board, QStringLiteral("whiteboard-2-board"));
        checkShot(QStringLiteral("whiteboard-2-received"), [] { return grabScreen(screenRectOf(callDlg())); });

        // A movement over the board brings the call's toolbar back.
        m_mouse.install();
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
