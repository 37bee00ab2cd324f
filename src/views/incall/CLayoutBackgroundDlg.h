#pragma once

#include "engine/RJMetaTypes.h"
#include "engine/RJTypes.h"
#include "helpers/Enums.h"
#include "views/framework/CBaseDlg.h"
#include "views/framework/CEmulatedMaximize.h"

#include <QDateTime>

#include <functional>

class QHBoxLayout;
class QLabel;
class QPushButton;
class QScreen;
class QTimer;
class QVBoxLayout;

namespace rj_app::views {

class CallInviteWidget;
class CallWaitingWidget;
class CEventFilter;
class CLayoutPeopleSettingDlg;
class CompactWidget;

// The call window: a 40-pixel title bar (network quality, encryption mark,
// duration, conference number, window buttons) above the layout dialog that
// shows the call. It offers incoming calls, runs the duration clock and has
// its own maximise, full-screen and compact modes. Created hidden by the
// main-window manager and kept for the life of the application.
class CLayoutBackgroundDlg : public CBaseDlg
{
    Q_OBJECT
public:
    static CLayoutBackgroundDlg *getInstance();
    ~CLayoutBackgroundDlg() override;

    // The annotation overlay over a locally shared screen, or null.
    QWidget *getScreenDrawing() const;
    // Stops feeding a shared screen to the engine; called before the engine
    // is released at exit.
    void stopScreenFeeder();

    void setCompactMode(bool flag);
    void setNetworkQuality(int iQualityRating);
    void updatePos4LayoutPeopleDlg();

    CLayoutPeopleSettingDlg *layoutDlg() const { return m_pLayoutPeopleSettingDlg; }
    bool isCompactMode() const { return m_bCompactMode; }
    int networkQuality() const { return m_iNetworkQuality; }

    // "hh:mm:ss" for a call of `seconds`; hours may take more than two digits.
    static QString formatCallDuration(qint64 seconds);
    // The screen compact mode uses: under the cursor, else under the window,
    // else the primary one.
    static QScreen *resolveCompactScreen(const QPoint &cursor, const QWidget *window);
    // Tests replace the clock of the duration timer.
    void setClock(std::function<QDateTime()> clock);

    bool m_bMaximized = false;
    bool m_bFullScreen = false;
    // Where the window stood before full screen, normal or maximised.
    QRect m_rectBeforeFullScreen;

signals:
    void sigClose();

public slots:
    void slotOnCallStatusChanged(rj_app::enums::CallStatus callStatus);
    void slotOnCallIncoming(rj::engine::RJCallInfo info);
    void slotOnWaitQueue(int iQueueSize);
    void slotOnNetworkQuality(float fQualityRating);
    void slotOnNetworkQualityClicked();
    void slotOnWinMin();
    void slotOnWinMax();
    void slotOnWinRestore();
    void slotOnWinFullScreen();
    void slotOnWinFullScreenExit();
    void slotOnLanguageChanged();
    void slotOnCallWaitingWidgetHangUp();
    void slotOnAcceptCall(bool bIsAudioOnly);
    void slotOncallInviteHangup();
    void slotOnSwitchFullScreen();
    void slotFullScreenButtonVisible(bool nflag);
    void slotOnCompactBtnMinClicked();
    void slotOnCompactBtnRecoverClicked();
    void slotOnTimerRefreshCallDuration();

protected:
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void changeEvent(QEvent *event) override;
    void onDpiChanged() override;

private:
    CLayoutBackgroundDlg();
    void setupForm();
    void startCallDurationTimer();
    void updatEncryptionStats();
    void refreshWindowStateBtns();
    void placeVisibleOverlays();
    void placeOverlay(QWidget *overlay);
    void informLayoutOfGeometry();
    void applyCompactGeometry(QScreen *screen);
    void showTitleBarInLayout();
    void placeFullScreenTitleBar();
    void layoutAfterTitleBarChange();
    void setTitleItemsVisible(bool visible);
    void setStaysOnTop(bool onTop);
    int titleHeight() const;
    double scale() const;
    QDateTime now() const;

    // The form.
    QVBoxLayout *verticalLayout = nullptr;
    QWidget *m_pWgtTitleBar = nullptr;
    QWidget *m_pLeftWidget = nullptr;
    QPushButton *m_pBtnNetworkQuality = nullptr;
    QWidget *widget_Encryption = nullptr;
    QLabel *m_pLblEncryption = nullptr;
    QLabel *m_pLblCallDuration = nullptr;
    QLabel *m_pLblConfNumber = nullptr;
    QWidget *m_pRightWidget = nullptr;
    QPushButton *m_pBtnMin = nullptr;
    QPushButton *m_pBtnMax = nullptr;
    QPushButton *m_pBtnRestore = nullptr;
    QPushButton *m_pBtnFullScreen = nullptr;
    QPushButton *m_pBtnFullScreen_Exit = nullptr;
    QWidget *widget = nullptr;
    QVBoxLayout *verticalLayout_2 = nullptr;

    int m_iNetworkQuality = 0;
    QTimer *m_pTimerCallDuration = nullptr;
    QDateTime m_dtCallStart;
    CLayoutPeopleSettingDlg *m_pLayoutPeopleSettingDlg = nullptr;
    CallWaitingWidget *m_pCallWaitingWidget = nullptr;
    CallInviteWidget *m_pCallInviteWidget = nullptr;
    CompactWidget *m_pCompactWidget = nullptr;
    CEmulatedMaximize m_maximize;
    CEventFilter *m_pEventFilter = nullptr;
    bool m_bCompactMode = false;
    std::function<QDateTime()> m_clock;
};

} // namespace rj_app::views
