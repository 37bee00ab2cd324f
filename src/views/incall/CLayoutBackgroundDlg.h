#pragma once

#include "engine/RJMetaTypes.h"
#include "engine/RJTypes.h"
#include "helpers/Enums.h"
#include "views/framework/CBaseDlg.h"
#include "views/framework/CEmulatedMaximize.h"

class QLabel;
class QPushButton;
class QTimer;

namespace rj_app::views {

// The call window. For now a small window that shows the meeting, its status
// and duration, offers an incoming call and leaves the call; the layout
// engine replaces its body. The main-window manager creates it hidden.
class CLayoutBackgroundDlg : public CBaseDlg
{
    Q_OBJECT
public:
    static CLayoutBackgroundDlg *getInstance();
    ~CLayoutBackgroundDlg() override;

    // The annotation sheet over a locally shared screen; none yet.
    QWidget *getScreenDrawing() const { return nullptr; }
    // Stops feeding a shared screen to the engine; called before the engine
    // is released at exit.
    void stopScreenFeeder();

    bool m_bMaximized = false;
    bool m_bFullScreen = false;

signals:
    void sigClose();

public slots:
    void slotOnCallStatusChanged(rj_app::enums::CallStatus callStatus);
    void slotOnCallIncoming(rj::engine::RJCallInfo info);
    void slotOnWinMax();
    void slotOnWinRestore();
    void slotOnHangUp();
    void slotOnAccept();
    void slotOnLanguageChanged();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    CLayoutBackgroundDlg();
    void updateTexts();

    QLabel *m_pLblConfName = nullptr;
    QLabel *m_pLblStatus = nullptr;
    QLabel *m_pLblDuration = nullptr;
    QPushButton *m_pBtnAccept = nullptr;
    QPushButton *m_pBtnHangUp = nullptr;
    QTimer *m_pTimerDuration = nullptr;
    int m_iDurationSecs = 0;
    CEmulatedMaximize m_maximize;
    QString m_qstrPeer;
};

} // namespace rj_app::views
