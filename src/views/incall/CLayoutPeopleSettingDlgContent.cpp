// Content sharing in the call layout: what the layout engine does when the
// conference's content stream changes.

#include "views/incall/CLayoutPeopleSettingDlg.h"

#include "helpers/LogMacros.h"
#include "models/CCallController.h"
#include "models/CRJSdkManager.h"
#include "models/ScreenThread.h"
#include "views/annotation/CbackgroundWidget.h"
#include "views/annotation/WhiteBoard.h"
#include "views/annotation/WhiteBoardDlg.h"
#include "views/annotation/WhiteBoardTopWidget.h"
#include "views/incall/CLayoutCellCoverDlg.h"
#include "views/incall/CLayoutCellDlg.h"
#include "views/incall/CLayoutCoverDlg.h"
#include "views/incall/CLayoutFloatingCellsDlg.h"
#include "views/incall/CLayoutToolbarDlg.h"
#include "views/framework/PlaceKeeper.h"
#include "views/incall/CMediaStatisticsDlg.h"
#include "views/incall/CPromptWidget.h"
#include "views/incall/CRemoteContentDlg.h"
#include "views/main/CMainDlgManager.h"

#include <QDebug>
#include <QGuiApplication>
#include <QScreen>

namespace rj_app::views {

using models::CCallController;
using models::CRJSdkManager;

namespace {

// The floating strip stays on top of the shared whiteboard; lying over the
// board's tools it would hide them, so it moves down below them.
// Where the strip goes so that it leaves the board's tools free; none when
// they are free already.
std::optional<QPoint> clearOf(const QWidget *strip, const QRect &tools)
{
    if (!strip->isVisible() || !strip->frameGeometry().intersects(tools))
        return std::nullopt;
    return QPoint(strip->x(), tools.bottom() + 1 + 10);
}

void keepClearOf(QWidget *strip, const QRect &tools)
{
    if (const std::optional<QPoint> place = clearOf(strip, tools)) {
        qInfo() << RJ_FUNCTION << "strip" << strip->frameGeometry() << "moves below" << tools;
        strip->move(*place);
    }
}

constexpr Qt::WindowFlags kOwnedWindow = Qt::SplashScreen | Qt::FramelessWindowHint;

bool isLocalSharingMode(int mode)
{
    return mode == enums::LayoutMode_LocalContent || mode == enums::LayoutMode_LocalWhiteBoard;
}

} // namespace

void CLayoutPeopleSettingDlg::slotOnContentStreamStatusChanged(rj_app::structs::CContentStreamInfo contentStreamInfo)
{
    CCallController *call = CCallController::getInstance();
    const bool connected = call->getCallStatus() == enums::ConfConnected;
    const int current = contentStreamInfo.getCurrentStatus();
    const int last = contentStreamInfo.getLastStatus();
    qInfo() << RJ_FUNCTION << "callStatus:" << int(call->getCallStatus()) << "last:" << last
            << "current:" << current;
    bool needRedraw = false;

    if (current == enums::ContentStreamStatus_SendingContentStarted) {
        showScreenDrawing();
        setUiLayoutMode();
        needRedraw = true;
    } else {
        qInfo() << RJ_FUNCTION << "non ContentStreamStatus_SendingContentStarted";
        closeScreenDrawing();
    }

    if ((last == enums::ContentStreamStatus_SendingContentStarted
         || last == enums::ContentStreamStatus_SendingWhiteBoardStarted)
        && current == enums::ContentStreamStatus_None && connected) {
        qInfo() << RJ_FUNCTION << "Sending content or whiteboard stopped";
        setUiLayoutMode();
        needRedraw = true;
    }

    if (m_bSeperateWindow4RemoteContent) {
        qInfo() << RJ_FUNCTION << "show content in new window";
        if (current == enums::ContentStreamStatus_ReceivingContentStarted) {
            if (!m_pRemoteContentDlg)
                setRemoteContentWindow();
            if (m_pRemoteContentDlg) {
                // The number alone: the dial string carries the meeting's
                // password, which has no place in a window title.
                m_pRemoteContentDlg->setTitle(call->getPureConfNumber());
                m_pRemoteContentDlg->show();
            }
            // The content has its own window; the layout returns to the
            // people, whatever this client was sharing before.
            setUiLayoutMode();
            needRedraw = true;
        } else if (current == enums::ContentStreamStatus_ReceivingWhiteBoardStarted) {
            if (call->getAcsJsonWebToken().isEmpty()) {
                qInfo() << RJ_FUNCTION << "ReceivingWhiteBoardStarted, but getAcsJsonWebToken is null";
                // Nothing to show; only a layout left from this client's own
                // share is given up.
                if (isLocalSharingMode(m_layoutMode)) {
                    setUiLayoutMode();
                    if (connected)
                        redrawLayout(m_layoutMode);
                }
                return;
            }
            if (!m_whiteBoardDlg) {
                m_whiteBoardDlg = new WhiteBoardDlg(nullptr);
                connect(m_whiteBoardDlg, &WhiteBoardDlg::sigHiddenWhiteBoard, this,
                        &CLayoutPeopleSettingDlg::slotOnHiddenWhiteBoard);
                if (m_pEventFilter)
                    m_whiteBoardDlg->installEventFilter(m_pEventFilter);
            }
            m_whiteBoardDlg->updateWebPage();
            m_whiteBoardDlg->isSendWhiteBoard(false);
            m_whiteBoardDlg->show();
            qInfo() << RJ_FUNCTION << "show m_whiteBoardDlg in new window";
            setUiLayoutMode();
            needRedraw = true;
        } else {
            if (m_pRemoteContentDlg && m_pRemoteContentDlg->isVisible())
                m_pRemoteContentDlg->hide();
            if (m_whiteBoardDlg)
                hideWhiteBoardDlg();
        }
    } else {
        qInfo() << RJ_FUNCTION << "show content in the layout";
        if (current == enums::ContentStreamStatus_ReceivingContentStarted
            || current == enums::ContentStreamStatus_SendingContentStarted) {
            if (m_pRemoteContentCell) {
                m_pRemoteContentCell->setSiteName(contentStreamInfo.getSenderName().c_str());
                if (m_bCompactMode) {
                    m_pRemoteContentCell->setTopWindowFlags(isVisible());
                } else {
                    m_pRemoteContentCell->setNormalWindowFlags();
                    m_pRemoteVideoCell->setNormalWindowFlags();
                }
            }
            setUiLayoutMode();
        } else if (current == enums::ContentStreamStatus_ReceivingWhiteBoardStarted
                   || current == enums::ContentStreamStatus_SendingWhiteBoardStarted) {
            setUiLayoutMode();
        } else if (current == enums::ContentStreamStatus_None && last >= 1 && last <= 4) {
            setUiLayoutMode();
        }
        if (current != enums::ContentStreamStatus_ReceivingContentStarted && m_pRemoteContentCell
            && m_pRemoteContentCell->isVisible()) {
            if (m_bCompactMode) {
                m_pRemoteContentCell->setNormalWindowFlags();
                drawLayout4NormalPeopleMode();
                m_pRemoteVideoCell->setTopWindowFlags(isVisible());
            }
            m_pRemoteContentCell->hide();
        }
        qInfo() << RJ_FUNCTION << "contentStreamInfo.getCurrentStatus():" << current
                << "m_pRemoteWhiteBoardCell->isVisible():" << m_pRemoteWhiteBoardCell->isVisible();
        if (current != enums::ContentStreamStatus_ReceivingWhiteBoardStarted) {
            if (m_pRemoteWhiteBoardCell->isVisible())
                m_pRemoteWhiteBoardCell->hide();
            hideWhiteBoardDlgForLayout();
        }
        needRedraw = true;
    }

    if (current == enums::ContentStreamStatus_SendingWhiteBoardStarted) {
        if (!m_whiteBoardDlg) {
            m_whiteBoardDlg = new WhiteBoardDlg(nullptr);
            connect(m_whiteBoardDlg, &WhiteBoardDlg::sigHiddenWhiteBoard, this,
                    &CLayoutPeopleSettingDlg::slotOnHiddenWhiteBoard);
            if (m_pEventFilter)
                m_whiteBoardDlg->installEventFilter(m_pEventFilter);
        }
        connect(m_whiteBoardDlg, &WhiteBoardDlg::sigRefreshStatus, this,
                &CLayoutPeopleSettingDlg::slotOnJudgeMicAndCameraStatus, Qt::UniqueConnection);
        connect(m_whiteBoardDlg, &WhiteBoardDlg::sigClickManagerButton, this,
                &CLayoutPeopleSettingDlg::slotOnOpenManagerWindow, Qt::UniqueConnection);
        m_whiteBoardDlg->updateWebPage();
        m_whiteBoardDlg->isSendWhiteBoard(true);
        m_whiteBoardDlg->show();
        startScreenFeeder();
        if (WhiteBoardTopWidget *top = m_whiteBoardDlg->m_pBoardTopWidget) {
            top->updateShowPicture(m_pFloatingCellsDlg->getHideFlag());
            connect(top, &WhiteBoardTopWidget::sigOnShowPicture, m_pFloatingCellsDlg,
                    &CLayoutFloatingCellsDlg::slot_FloatingCellsDlg_Show, Qt::UniqueConnection);
            connect(top, &WhiteBoardTopWidget::sigSettingWinClosed, this,
                    &CLayoutPeopleSettingDlg::slogOnSettingWinClosed, Qt::UniqueConnection);
            connect(m_pFloatingCellsDlg, &CLayoutFloatingCellsDlg::signal_FloatingCellsDlg_Hide, top,
                    &WhiteBoardTopWidget::slotHidePicture, Qt::UniqueConnection);
        }
        setUiLayoutMode();
        needRedraw = true;
    } else {
        if (current != enums::ContentStreamStatus_ReceivingWhiteBoardStarted && m_whiteBoardDlg) {
            if (WhiteBoardTopWidget *top = m_whiteBoardDlg->m_pBoardTopWidget)
                disconnect(m_pFloatingCellsDlg, &CLayoutFloatingCellsDlg::signal_FloatingCellsDlg_Hide, top,
                           &WhiteBoardTopWidget::slotHidePicture);
            hideWhiteBoardDlg();
        }
        stopScreenFeederIfRunning();
    }

    qInfo() << RJ_FUNCTION << "bNeedRedrawLayout:" << needRedraw;
    if (needRedraw && connected)
        redrawLayout(m_layoutMode);
    if (current == enums::ContentStreamStatus_SendingWhiteBoardStarted)
        keepClearOf(m_pFloatingCellsDlg, m_whiteBoardDlg->toolsArea());
}

void CLayoutPeopleSettingDlg::keepStripOffTheBoardTools()
{
    // Wherever the strip is shown or moved while the board is up.
    new CPlaceKeeper(m_pFloatingCellsDlg, [this]() -> std::optional<QRect> {
        if (!m_whiteBoardDlg || !m_whiteBoardDlg->isVisible())
            return std::nullopt;
        const std::optional<QPoint> place = clearOf(m_pFloatingCellsDlg, m_whiteBoardDlg->toolsArea());
        if (!place)
            return std::nullopt;
        return QRect(*place, m_pFloatingCellsDlg->size());
    });
}

void CLayoutPeopleSettingDlg::showScreenDrawing()
{
    if (!m_bgWidget) {
        m_bgWidget = new CbackgroundWidget(nullptr);
        qInfo() << RJ_FUNCTION << "m_pScreenDrawing is new m_bgWidget";
        connect(m_bgWidget, &CbackgroundWidget::sigClickManagerButton, this,
                &CLayoutPeopleSettingDlg::slotOnOpenManagerWindow);
        connect(m_bgWidget, &CbackgroundWidget::sigRefreshStatus, this,
                &CLayoutPeopleSettingDlg::slotOnJudgeMicAndCameraStatus);
        connect(m_bgWidget, &CbackgroundWidget::sigSettingWinClosed, this,
                &CLayoutPeopleSettingDlg::slogOnSettingWinClosed);
        connect(m_bgWidget, &CbackgroundWidget::sigOnShowPicture, m_pFloatingCellsDlg,
                &CLayoutFloatingCellsDlg::slot_FloatingCellsDlg_Show);
        connect(m_pFloatingCellsDlg, &CLayoutFloatingCellsDlg::signal_FloatingCellsDlg_Hide, m_bgWidget,
                &CbackgroundWidget::slotHidePicture);
    }
    m_bgWidget->updateShowPicture(m_pFloatingCellsDlg->getHideFlag());
    if (!m_wbWidget) {
        m_wbWidget = new WhiteBoard(nullptr);
        qInfo() << RJ_FUNCTION << "m_wbWidget is new";
    }
    const QList<QScreen *> screens = QGuiApplication::screens();
    if (m_iShareScreenIndex >= 0 && m_iShareScreenIndex < screens.size()) {
        const QRect area = screens.at(m_iShareScreenIndex)->geometry();
        m_wbWidget->setFixedSize(area.size());
        m_wbWidget->move(area.topLeft());
        m_bgWidget->setFixedSize(area.size());
        m_bgWidget->move(area.topLeft());
    } else {
        qWarning() << RJ_FUNCTION << "no screen at index" << m_iShareScreenIndex;
    }
    m_wbWidget->showMaximized();
    m_bgWidget->showMaximized();
    m_bgWidget->refreshManagerNumber();
    connect(m_bgWidget, &CbackgroundWidget::sigClose, this, &CLayoutPeopleSettingDlg::slotOnScreenDrawingClosed,
            Qt::UniqueConnection);
    connect(m_bgWidget, &CbackgroundWidget::changeBgColor, this, &CLayoutPeopleSettingDlg::slotOnScreenBgChange,
            Qt::UniqueConnection);
    connect(m_bgWidget, &CbackgroundWidget::stopDraw, this, &CLayoutPeopleSettingDlg::slotOnscreenStopDraw,
            Qt::UniqueConnection);
}

QWidget *CLayoutPeopleSettingDlg::activeMainDlg() const
{
    if (m_activeMainDlgFunc)
        return m_activeMainDlgFunc();
    return CMainDlgManager::getInstance()->getActiveMainDlg();
}

void CLayoutPeopleSettingDlg::closeScreenDrawing()
{
    if (m_bgWidget) {
        CbackgroundWidget *overlay = m_bgWidget;
        qInfo() << RJ_FUNCTION << "m_bgWidget:" << overlay << ", windowState" << overlay->windowState()
                << ", isVisible:" << overlay->isVisible();
        if (m_pPromptWidget && m_pPromptWidget->parentWidget() == overlay) {
            m_pPromptWidget->hideIfActive();
            detachPromptFrom(overlay);
        }
        qInfo() << RJ_FUNCTION << "m_pScreenDrawing is not null";
        disconnect(overlay, &CbackgroundWidget::sigClose, this, &CLayoutPeopleSettingDlg::slotOnScreenDrawingClosed);
        disconnect(overlay, &CbackgroundWidget::changeBgColor, this, &CLayoutPeopleSettingDlg::slotOnScreenBgChange);
        disconnect(overlay, &CbackgroundWidget::stopDraw, this, &CLayoutPeopleSettingDlg::slotOnscreenStopDraw);
        CCallController *call = CCallController::getInstance();
        const bool sending = call->getContentStreamStatus() == enums::ContentStreamStatus_SendingContentStarted;
        if (sending) {
            qInfo() << RJ_FUNCTION << "stopContent for SendingContentStarted, call status:"
                    << int(call->getCallStatus());
            CRJSdkManager *manager = CRJSdkManager::getInstance();
            if (call->getCallStatus() == enums::ConfConnected && manager) {
                manager->stopContent();
                manager->setLocalContentWindow(0, 0);
            }
        }
        QWidget *active = activeMainDlg();
        qInfo() << RJ_FUNCTION << "activeMainDlg:" << active;
        if (active && active->isVisible()) {
            qInfo() << RJ_FUNCTION << "activeMainDlg is visible and hide screen drawing";
            overlay->hide();
        }
        overlay->deleteLater();
        m_bgWidget = nullptr;
        if (WhiteBoard *sheet = m_wbWidget)
            sheet->deleteLater();
        m_wbWidget = nullptr;
        if (sending)
            call->setContentStreamStatus(enums::ContentStreamStatus_None, std::string(), 0);
    }
    m_pToolbarDlg->setShowPicButtonVisible(m_pFloatingCellsDlg->getHideFlag());
}

void CLayoutPeopleSettingDlg::slotOnScreenDrawingClosed()
{
    closeScreenDrawing();
}

void CLayoutPeopleSettingDlg::slotOnHiddenWhiteBoard()
{
    qInfo() << RJ_FUNCTION;
    if (CRJSdkManager *manager = CRJSdkManager::getInstance()) {
        manager->stopContent();
        manager->setLocalContentWindow(0, 0);
    }
    if (m_whiteBoardDlg)
        hideWhiteBoardDlg();
    CCallController::getInstance()->setContentStreamStatus(enums::ContentStreamStatus_None, std::string(), 0);
}

void CLayoutPeopleSettingDlg::hideWhiteBoardDlg()
{
    if (!m_whiteBoardDlg) {
        qInfo() << RJ_FUNCTION << "m_whiteBoardDlg is null";
        return;
    }
    if (m_pPromptWidget && m_pPromptWidget->parentWidget() == m_whiteBoardDlg) {
        qInfo() << RJ_FUNCTION << "release m_pPromptWidget parent from m_whiteBoardDlg";
        detachPromptFrom(m_whiteBoardDlg);
    }
    m_whiteBoardDlg->hide();
    // Frames of a hidden whiteboard would go on flowing to the engine.
    stopScreenFeederIfRunning();
    qInfo() << RJ_FUNCTION << "done";
}

void CLayoutPeopleSettingDlg::hideWhiteBoardDlgForLayout()
{
    if (!m_whiteBoardDlgForLayout) {
        qInfo() << RJ_FUNCTION << "m_whiteBoardDlgForLayout is null";
        return;
    }
    if (m_pToolbarDlg->parentWidget() == m_whiteBoardDlgForLayout) {
        qInfo() << RJ_FUNCTION << "release m_pToolbarDlg parent from m_whiteBoardDlgForLayout";
        m_pToolbarDlg->hide();
        m_pToolbarDlg->setParent(m_pLayoutCover, kOwnedWindow);
    }
    m_whiteBoardDlgForLayout->hide();
    m_whiteBoardDlgForLayout->releaseWebPage();
    qInfo() << RJ_FUNCTION << "done";
}

void CLayoutPeopleSettingDlg::startScreenFeeder()
{
    if (!m_pScreenThread) {
        qInfo() << RJ_FUNCTION << "new ScreenThread";
        m_pScreenThread = new models::ScreenThread(nullptr);
    }
    m_pScreenThread->setWhiteBoardAndWinId(true, int(m_whiteBoardDlg->winId()));
    m_pScreenThread->start(QThread::InheritPriority);
    m_bScreenFeederStarted = true;
}

void CLayoutPeopleSettingDlg::stopScreenFeederIfRunning()
{
    // One stop per start: a second one would outlive the run it was meant
    // for.
    if (m_pScreenThread && m_bScreenFeederStarted) {
        m_bScreenFeederStarted = false;
        m_pScreenThread->stop();
    }
}

void CLayoutPeopleSettingDlg::stopScreenFeeder()
{
    qInfo() << RJ_FUNCTION;
    if (!m_pScreenThread)
        return;
    stopScreenFeederIfRunning();
    m_pScreenThread->wait();
}

void CLayoutPeopleSettingDlg::slotOnScreenBgChange()
{
    if (m_bgWidget && m_wbWidget)
        m_wbWidget->setBgColor(m_bgWidget->m_strDrawBg);
}

void CLayoutPeopleSettingDlg::slotOnscreenStopDraw()
{
    if (m_wbWidget)
        m_wbWidget->clearBgColor();
}

void CLayoutPeopleSettingDlg::slotOnOpenManagerWindow()
{
    m_pToolbarDlg->openManagerWindow();
}

void CLayoutPeopleSettingDlg::slotOnJudgeMicAndCameraStatus()
{
    m_pToolbarDlg->refreshDeviceButtons();
}

void CLayoutPeopleSettingDlg::slotOnMouseMove4WhiteBoardDlgForLayoutPaintList()
{
    if (CCallController::getInstance()->getContentStreamStatus()
        == enums::ContentStreamStatus_ReceivingWhiteBoardStarted)
        showToolbar();
}

} // namespace rj_app::views
