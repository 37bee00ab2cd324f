#include "E2eCallSupport.h"

#include "E2eSupport.h"

#include "models/CCallController.h"
#include "views/incall/CLayoutBackgroundDlg.h"
#include "views/incall/CLayoutCellCoverDlg.h" // CLayoutCellDlg.h needs it whole
#include "views/incall/CLayoutCellDlg.h"
#include "views/incall/CLayoutPeopleSettingDlg.h"
#include "views/incall/CLayoutToolbarDlg.h"
#include "views/incall/CSelectShareContent.h"
#include "views/main/CHomeDlg.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QToolButton>
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

} // namespace

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
    const QPoint global = over->mapToGlobal(at);
    if (QCursor::pos() == global)
        return;
    MoveWatcher watcher;
    QTest::mouseMove(over, at);
    QTRY_COMPARE_WITH_TIMEOUT(watcher.last, global, kWaitMs);
}

void CallMouse::install()
{
    now = QDateTime::currentDateTime().addSecs(3600);
    layoutDlg()->setClock([this] { return now; });
    layoutDlg()->setHideToolbarIntervalMs(10 * 60 * 1000);
}

CLayoutCellDlg *CallMouse::mainVideo()
{
    CLayoutCellDlg *content = layoutDlg()->getRemoteContentCell();
    if (layoutDlg()->getLayoutMode() == LayoutMode_RemoteContentOnly && content && content->isVisible())
        return content;
    return layoutDlg()->getRemoteVideoCell();
}

void CallMouse::moveOverTheVideo(const QPoint &from, int step, int steps)
{
    CLayoutCellDlg *video = mainVideo();
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
    pointerToTheTitleBar();
    const QWidget *video = mainVideo();
    moveOverTheVideo(QPoint(video->width() / 4, video->height() / 2), 6, 4);
    QTRY_VERIFY_WITH_TIMEOUT(toolbar()->isVisible(), kWaitMs);
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
    QTest::mouseClick(child<QToolButton>(toolbar(), "m_pBtnShare"), Qt::LeftButton);
    CSelectShareContent *shown = layoutDlg()->findChild<CSelectShareContent *>();
    QVERIFY(shown);
    QTRY_VERIFY_WITH_TIMEOUT(shown->isVisible(), kWaitMs);
    chooser = shown;
}

void pressShare(CSelectShareContent *chooser)
{
    QPointer<CSelectShareContent> shown(chooser);
    QTest::mouseClick(chooser->form().pBtShare, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!shown, kWaitMs);
}

} // namespace glimora::test::e2e
