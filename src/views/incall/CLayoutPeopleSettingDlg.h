#pragma once

#include "engine/RJMetaTypes.h"
#include "engine/RJTypes.h"
#include "helpers/Enums.h"
#include "helpers/Structs.h"
#include "views/framework/CBaseDlg.h"
#include "views/incall/CLayoutPeopleSettingDlgGeometry.h"

#include <QDateTime>
#include <QPoint>
#include <QPointer>
#include <QRect>

#include <functional>

class QMouseEvent;
class QTimer;
class QVBoxLayout;
class WhiteBoard;

namespace rj_app::models {
class ScreenThread;
}

namespace rj_app::views {

class CAudioModeWidget;
class CbackgroundWidget;
class CLayoutCellDlg;
class CLayoutCoverDlg;
class CLayoutFloatingCellsDlg;
class CLayoutToolbarDlg;
class CMediaStatisticsDlg;
class CPromptWidget;
class CRemoteContentDlg;
class WhiteBoardDlg;

// The layout engine of the call window: fills the window below its title
// bar and decides at every moment of a call which video cells exist, where
// they stand, which native window the engine renders each stream into, and
// which extra windows (received content, whiteboard, drawing overlay,
// floating strip, toolbar, prompts) are shown. GUI thread only.
class CLayoutPeopleSettingDlg : public CBaseDlg
{
    Q_OBJECT
public:
    explicit CLayoutPeopleSettingDlg(QWidget *parent = nullptr);
    ~CLayoutPeopleSettingDlg() override;

    // Operations of the call window.
    void setEventFilter(QObject *filter);
    void setRemoteVideoWindows();
    void onParentMoved(int x, int y);
    void onParentResized(QRect rectParentGeometry);
    void onParentMinimized();
    void setCompactMode(bool compact);
    // Lays the windows shown over the call window on top of it again, once
    // the window manager has raised the call window over them.
    void raiseOverCallWindow();
    void raiseWindowsOverTheLayout();
    void closeCallAlerts();
    void initFloatingDlgPos();
    void updateLayout();
    CLayoutToolbarDlg *getToolbarDlg() const { return m_pToolbarDlg; }
    void showMediaStatisticsDlg();
    // Called by the share chooser with an index into QGuiApplication::screens().
    Q_INVOKABLE void setShareScreenIndex(int index);
    enums::LayoutModeType getLayoutMode() const { return m_layoutMode; }
    bool isCompactMode() const { return m_bCompactMode; }

    // The board sheet over a locally shared screen; null while none is shared.
    QWidget *getScreenDrawing() const;
    // Ends feeding a shared whiteboard to the engine and waits for the
    // feeder; called before the engine is released at exit.
    void stopScreenFeeder();

    // The call window's title bar height; 0 in full screen.
    int m_iTitleBarHeight = 0;

    // What the windows of the layout are, for their owner and for tests.
    CLayoutCellDlg *getRemoteVideoCell() const { return m_pRemoteVideoCell; }
    CLayoutCellDlg *getLocalVideoCell() const { return m_pLocalVideoCell; }
    CLayoutCellDlg *getRemoteContentCell() const { return m_pRemoteContentCell; }
    CLayoutCellDlg *getRemoteWhiteBoardCell() const { return m_pRemoteWhiteBoardCell; }
    CLayoutCoverDlg *getLayoutCover() const { return m_pLayoutCover; }
    CLayoutFloatingCellsDlg *getFloatingCellsDlg() const { return m_pFloatingCellsDlg; }
    CAudioModeWidget *getAudioWidget() const { return m_pAudioWidget; }
    CPromptWidget *getPromptWidget() const;
    CRemoteContentDlg *getRemoteContentDlg() const { return m_pRemoteContentDlg; }
    CMediaStatisticsDlg *getMediaStatisticsDlg() const;
    WhiteBoardDlg *getWhiteBoardDlg() const;
    WhiteBoardDlg *getWhiteBoardDlgForLayout() const;
    CbackgroundWidget *getBackgroundWidget() const;
    models::ScreenThread *getScreenThread() const { return m_pScreenThread; }
    // The geometry of the last layout drawn.
    layout::LayoutSize getLayoutSize() const { return m_layoutSize; }
    QPoint getLayoutAbsolutePos() const { return QPoint(m_iLayoutAbsoluteX, m_iLayoutAbsoluteY); }

    // Seams. The clock of the toolbar's mouse rule (null: the system clock);
    // the visible main window that the drawing overlay yields to when a
    // share ends (null: the main-window manager's).
    using Clock = std::function<QDateTime()>;
    void setClock(Clock clock);
    using ActiveMainDlgFunc = std::function<QWidget *()>;
    void setActiveMainDlgFunc(ActiveMainDlgFunc func);
    // The interval of the toolbar's hide timer (default 5000 ms).
    void setHideToolbarIntervalMs(int intervalMs);

signals:
    void sigSwitchFullScreen();
    void sigFullScreenButtonVisible(bool nflag);

public slots:
    void slotOnContentStreamStatusChanged(rj_app::structs::CContentStreamInfo contentStreamInfo);
    void slotOnWarn(rj::engine::RJWarn warn);
    void slotOnMuteSpeakingDetected();
    void slotOnContent(rj::engine::RJContentInfo contentInfo);
    void slotOnMicMutedShow(bool mic_muted);
    void slotOnCurrentDeviceChanged(rj::engine::RJDevice device);
    void slotOnVideoMutedShow(int video_muted);
    void slotOnCallStatusChanged(rj_app::enums::CallStatus callStatus);
    void slotOnCallStateChanged();
    void slotOnChangeLayoutMode(rj_app::enums::LayoutModeType layoutMode);
    void slotOnIsLocalMicEnabled(bool isLocalMicEnabled);
    void slotOnRequestSpeak();
    void slogOnSettingWinClosed();
    void slotOnTimerHideToolbar();
    void slotOnCellCoverMouseMove(QMouseEvent *event);
    void slotOnCellCoverMousePress(QMouseEvent *event);
    void slotOnCellMouseDoubleClick(QWidget *sender, QMouseEvent *event);
    void slotOnMediaStatisticsDlgClosed();
    void slotOnScreenDrawingClosed();
    void slotOnHiddenWhiteBoard();
    void slotOnScreenBgChange();
    void slotOnscreenStopDraw();
    void slotOnOpenManagerWindow();
    void slotOnJudgeMicAndCameraStatus();
    void slotOnMouseMove4WhiteBoardDlgForLayoutPaintList();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    // Set-up.
    void setupForm();
    void initChildren();
    void initConnections();
    void connectCellMouse(CLayoutCellDlg *cell, bool doubleClick);
    void watchVideoWindow(CLayoutCellDlg *cell, const std::function<void(WId)> &bind);

    // Modes and drawing.
    void setUiLayoutMode();
    void prepareWhiteBoardDlgForLayout();
    void calculateLayoutSize(int layoutMode);
    void redrawLayout(int layoutMode);
    void drawLayout4NormalPeopleMode();
    void drawTiledLayout(int layoutMode);
    void drawFloatingPeopleLayout(int layoutMode);
    void drawLayoutAudioOnlyMode();
    void placeCell(CLayoutCellDlg *cell, int x, int y, int w, int h);
    void placeWhiteBoardDlgForLayout();
    void setLocalVideo2FloatingAndShow(QWidget *pFloatingParent);
    void refreshLayoutCellsPos();
    void onSizeChanged();
    void updateAbsoluteOrigin();
    void hideToolbarUnlessPopup();
    void showToolbar();
    void setIsLocalRemoteMuted(bool bIsLocalRemoteMuted);
    void updateShowPicButton();
    bool isParentMinimized() const;
    bool isConnected() const;

    // Video binding.
    void setRemoteContentWindow();
    void bindLocalVideoWindow();
    CLayoutCellDlg *ensureRemoteContentCell();

    // Content sharing.
    void closeScreenDrawing();
    void hideWhiteBoardDlg();
    void hideWhiteBoardDlgForLayout();
    void startScreenFeeder();
    void stopScreenFeederIfRunning();
    void showScreenDrawing();
    void keepStripOffTheBoardTools();
    QWidget *activeMainDlg() const;

    // Prompts.
    bool createPromptWidget(const QString &prompt, int msec);
    QWidget *sharingPromptParent() const;
    void detachPromptFrom(QWidget *parent);

    QDateTime now() const;

    QVBoxLayout *verticalLayout = nullptr;

    CLayoutCellDlg *m_pRemoteVideoCell = nullptr;
    CLayoutCellDlg *m_pLocalVideoCell = nullptr;
    CLayoutCellDlg *m_pRemoteContentCell = nullptr;
    CLayoutCellDlg *m_pRemoteWhiteBoardCell = nullptr;
    CLayoutCoverDlg *m_pLayoutCover = nullptr;
    CLayoutToolbarDlg *m_pToolbarDlg = nullptr;
    CLayoutFloatingCellsDlg *m_pFloatingCellsDlg = nullptr;
    CAudioModeWidget *m_pAudioWidget = nullptr;
    CRemoteContentDlg *m_pRemoteContentDlg = nullptr;
    QPointer<CPromptWidget> m_pPromptWidget;
    QPointer<CMediaStatisticsDlg> m_pMediaStatisticsDlg;
    QPointer<WhiteBoardDlg> m_whiteBoardDlg;
    QPointer<WhiteBoardDlg> m_whiteBoardDlgForLayout;
    QPointer<CbackgroundWidget> m_bgWidget;
    QPointer<WhiteBoard> m_wbWidget;
    models::ScreenThread *m_pScreenThread = nullptr;
    bool m_bScreenFeederStarted = false; // started and not yet asked to stop
    QObject *m_pEventFilter = nullptr;

    enums::LayoutModeType m_layoutMode = enums::LayoutMode_NormalPeople;

    layout::LayoutSize m_layoutSize;
    int m_iLayoutAbsoluteX = 0;
    int m_iLayoutAbsoluteY = 0;
    int m_iParentX = 0;
    int m_iParentY = 0;

    QTimer *m_pHideToolbarTimer = nullptr;
    QDateTime m_lastCoverMouseMoveTime;
    QPoint m_ptCoverMouseAnchor;
    bool m_bCoverMouseMoved = false;

    bool m_bSeperateWindow4RemoteContent = false;
    bool m_bCompactMode = false;
    bool m_bIsLocalRemoteMuted = false;
    bool m_bIsShowingAlert = false;
    bool m_bFirstFloatingShow = true;
    int m_iShareScreenIndex = 0;

    Clock m_clock;
    ActiveMainDlgFunc m_activeMainDlgFunc;
};

} // namespace rj_app::views
