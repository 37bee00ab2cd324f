#include "E2eCallSupport.h"

#include "E2eSupport.h"

#include "models/CCallController.h"
#include "views/incall/CAudioModeWidget.h"
#include "views/incall/CLayoutBackgroundDlg.h"
#include "views/incall/CLayoutCellCoverDlg.h" // CLayoutCellDlg.h needs it whole
#include "views/incall/CLayoutCellDlg.h"
#include "views/incall/CLayoutCoverDlg.h"
#include "views/incall/CLayoutPeopleSettingDlg.h"
#include "views/incall/CLayoutToolbarDlg.h"
#include "views/incall/CSelectShareContent.h"
#include "views/main/CHomeDlg.h"
#include "views/meetings/CConferenceItemWidget.h"
#include "views/meetings/CConferencesListWidget.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QToolButton>
#include <QWindow>
#include <qpa/qwindowsysteminterface.h>

using rj_app::models::CCallController;
using namespace rj_app::enums;
using namespace rj_app::views;

namespace glimora::test::e2e {

namespace {

// The last place a mouse movement reached any widget: the pointer is moved
// through the X server, which reports it a moment later.
class MoveWatcher : public QObject
{
public:
    MoveWatcher() { qApp->installEventFilter(this); }
    ~MoveWatcher() override { qApp->removeEventFilter(this); }
    QPoint last;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::MouseMove && watched->isWidgetType())
            last = static_cast<QMouseEvent *>(event)->globalPos();
        return false;
    }
};

// The join button on the meetings tab's row of `number`, as a person finds it.
QPushButton *joinButtonOf(int number)
{
    auto *list = child<CConferencesListWidget>(CHomeDlg::getInstance(), "listWidget");
    if (!list || !list->isVisible())
        return nullptr;
    CConferenceItemWidget *row = meetingRow(list, number);
    if (!row)
        return nullptr;
    // The row's buttons in layout order: join, end, edit, delete.
    const QList<QPushButton *> buttons = row->findChildren<QPushButton *>(QString(), Qt::FindDirectChildrenOnly);
    return buttons.isEmpty() ? nullptr : buttons.first();
}

} // namespace

QString rectText(const QRect &r)
{
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

CLayoutBackgroundDlg *callDlg()
{
    return CLayoutBackgroundDlg::getInstance();
}

CLayoutPeopleSettingDlg *layoutDlg()
{
    return callDlg()->layoutDlg();
}

CLayoutToolbarDlg *toolbar()
{
    return layoutDlg()->getToolbarDlg();
}

CCallController *call()
{
    return CCallController::getInstance();
}

QRect frameOf(QWidget *window)
{
    return QRect(window->pos(), window->size());
}

void setScreenDpi(qreal dpi)
{
    QWindowSystemInterface::handleScreenLogicalDotsPerInchChange(QGuiApplication::primaryScreen(), dpi, dpi);
    QWindowSystemInterface::flushWindowSystemEvents();
}

void movePointer(QWidget *over, const QPoint &at)
{
    // Where the X server has the window: a window whose flags changed while
    // shown may be somewhere else than the application still thinks.
    const QPoint global = screenRectOf(over).topLeft() + at;
    // A window that maps under a still pointer gets no movement: a person
    // who wants it to see one moves the mouse, once the window is there.
    (void)QTest::qWaitFor([&] { return desktop::topLevelAt(global) != nullptr; }, kWaitMs);
    if (QCursor::pos() == global)
        desktop::movePointer(global + QPoint(1, 0));
    MoveWatcher watcher;
    desktop::movePointer(global);
    const bool seen = QTest::qWaitFor([&] { return watcher.last == global; }, kWaitMs);
    QWidget *top = desktop::topLevelAt(global);
    QVERIFY2(seen, qPrintable(QStringLiteral("no window of the client saw the pointer at %1,%2 over %3; on top: %4")
                                  .arg(global.x())
                                  .arg(global.y())
                                  .arg(QLatin1String(over->window()->metaObject()->className()),
                                       top ? QLatin1String(top->metaObject()->className())
                                           : QStringLiteral("another program's window, or none"))));
}

CallMouse &callMouse()
{
    static CallMouse mouse;
    return mouse;
}

void CallMouse::install()
{
    // Never back in time: the layout keeps the last movement's time.
    if (!now.isValid())
        now = QDateTime::currentDateTime().addSecs(3600);
    layoutDlg()->setClock([this] { return now; });
    layoutDlg()->setHideToolbarIntervalMs(10 * 60 * 1000);
}

QWidget *CallMouse::mainVideo()
{
    if (layoutDlg()->getLayoutMode() == LayoutMode_AudioOnly)
        return layoutDlg()->getAudioWidget();
    CLayoutCellDlg *content = layoutDlg()->getRemoteContentCell();
    if (layoutDlg()->getLayoutMode() == LayoutMode_RemoteContentOnly && content && content->isVisible())
        return content;
    return layoutDlg()->getRemoteVideoCell();
}

void CallMouse::moveOverTheVideo(const QPoint &from, int step, int steps)
{
    QWidget *video = mainVideo();
    QVERIFY(video->isVisible());
    now = now.addSecs(10);
    for (int i = 0; i < steps && !QTest::currentTestFailed(); ++i) {
        now = now.addMSecs(40);
        movePointer(video, from + QPoint(i * step, 0));
    }
}

void CallMouse::pointerToTheTitleBar()
{
    auto *title = child<QWidget>(callDlg(), "m_pWgtTitleBar");
    movePointer(title, QPoint(title->width() / 2, title->height() / 2));
}

void CallMouse::bringUpTheToolbar()
{
    if (toolbar()->isVisible())
        return;
    // The mouse cover comes over the video a moment after the call connects;
    // a person who sees no toolbar moves the mouse again.
    for (int attempt = 0; attempt < 5 && !toolbar()->isVisible() && !QTest::currentTestFailed(); ++attempt) {
        if (attempt > 0)
            qWarning("moving the mouse over the video again: no toolbar came");
        pointerToTheTitleBar();
        QWidget *video = mainVideo();
        const QPoint from(video->width() / 4, video->height() / 2);
        moveOverTheVideo(from, 6, 4);
        if (QTest::qWaitFor([] { return toolbar()->isVisible(); }, 2000))
            break;
    }
    QVERIFY2(toolbar()->isVisible(),
             qPrintable(QStringLiteral("the toolbar does not come with the mouse; the client's windows, top first: %1; "
                                           "the mouse cover at %2 on the X server, %3 for the widget, %4 for its "
                                           "window; the video at %5")
                            .arg(stackingOfTheClient(),
                                 rectText(desktop::geometryOf(layoutDlg()->getLayoutCover())),
                                 rectText(layoutDlg()->getLayoutCover()->geometry()),
                                 rectText(layoutDlg()->getLayoutCover()->windowHandle()->geometry()),
                                 rectText(screenRectOf(callMouse().mainVideo())))));
}

void expectHomeAgain()
{
    QTRY_VERIFY_WITH_TIMEOUT(CHomeDlg::getInstance()->isVisible(), kWaitMs);
    QTRY_COMPARE_WITH_TIMEOUT(call()->getCallStatus(), ConfEnded, kWaitMs);
    QVERIFY(callDlg()->isHidden());
}

void openTheShareChooser(CallMouse &mouse, CSelectShareContent *&chooser)
{
    chooser = nullptr;
    mouse.bringUpTheToolbar();
    if (QTest::currentTestFailed())
        return;
    personClicks(child<QToolButton>(toolbar(), "m_pBtnShare"));
    // The click reaches the application a moment after it was sent.
    CSelectShareContent *shown = nullptr;
    QTRY_VERIFY_WITH_TIMEOUT((shown = layoutDlg()->findChild<CSelectShareContent *>()) && shown->isVisible(), kWaitMs);
    chooser = shown;
}

void pressShare(CSelectShareContent *chooser)
{
    QPointer<CSelectShareContent> shown(chooser);
    personClicks(chooser->form().pBtShare);
    QTRY_VERIFY_WITH_TIMEOUT(!shown, kWaitMs);
}

// A person clicks only once what is shown stands still: the window where
// the X server has it is where the application thinks it is, the widget
// keeps its place and the screen there shows the same picture twice over.
// After a change of DPI the home window grows, the window manager moves it
// and the list lays out its rows again, each a moment after the other.
void waitUntilShownStill(QWidget *widget, bool onScreen)
{
    QRect last;
    QImage lastShot;
    int still = 0;
    const bool settled = QTest::qWaitFor(
        [&] {
            QWidget *window = widget->window();
            const QRect rect = screenRectOf(widget);
            // Off the screen there is nothing to see; where it stands is
            // enough.
            const QImage shot = onScreen ? grabScreen(rect) : QImage();
            const bool same = widget->isVisible() && desktop::geometryOf(window) == frameOf(window) && rect == last
                              && shot == lastShot && (!onScreen || distinctColours(shot) > 1);
            still = same ? still + 1 : 0;
            last = rect;
            lastShot = shot;
            if (still < 3)
                QTest::qWait(50);
            return still >= 3;
        },
        kWaitMs);
    if (!settled)
        grabScreen().save(screenshotDir() + QStringLiteral("/not-still-screen.png"));
    QVERIFY2(settled, qPrintable(QStringLiteral("%1 does not stand still on screen: at %2,%3; its window at %4 "
                                                "on the X server, at %5 for the application; the client's windows, top "
                                                "first: %6")
                                     .arg(QLatin1String(widget->metaObject()->className()))
                                     .arg(last.x())
                                     .arg(last.y())
                                     .arg(rectText(desktop::geometryOf(widget->window())),
                                          rectText(frameOf(widget->window())), stackingOfTheClient())));
}


// The remote video, as the screen shows it: through the mouse cover over
// it, which is nearly clear, on the left, away from the self-view strip.
void expectVideoShows(const char *what)
{
    const QRect video = screenRectOf(layoutDlg()->getRemoteVideoCell());
    const QPoint at = video.topLeft() + QPoint(video.width() / 4, video.height() * 2 / 3);
    expectScreenShows(QRect(at - QPoint(20, 20), QSize(40, 40)), kVideoColour, what, 2);
}



// The home window is shown still with the meeting's row before a person
// aims at its join button, which must lie on the screen.
void joinWhenShown(int number)
{
    QPushButton *join = nullptr;
    QTRY_VERIFY_WITH_TIMEOUT((join = joinButtonOf(number)) && join->isVisible(), kWaitMs);
    auto *list = child<CConferencesListWidget>(CHomeDlg::getInstance(), "listWidget");
    list->scrollToItem(list->item(list->indexOfItemWidget(join->parentWidget())));
    waitUntilShownStill(join, false);
    if (QTest::currentTestFailed())
        return;
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QRect button = screenRectOf(join);
    QVERIFY2(screen.contains(button), qPrintable(QStringLiteral("the join button of %1 lies off the screen, at %2,%3")
                                                     .arg(number)
                                                     .arg(button.x())
                                                     .arg(button.y())));
    waitUntilShownStill(join);
    if (QTest::currentTestFailed())
        return;
    joinFromMeetingList(number);
}

} // namespace glimora::test::e2e
