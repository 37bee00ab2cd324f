#pragma once

#include "helpers/Enums.h"
#include "views/framework/CBaseDlg.h"
#include "views/framework/CDpiLayoutScaler.h"

#include <QPointer>

#include <memory>

class QTimer;

namespace Ui {
class CLoginDlg;
}

namespace rj_app::helpers {
class CAppConfigUtils;
}

namespace rj_app::views {

class CLoginInfoForm;
class CLoginJoinConfForm;
class CLoginChangePasswordForm;
class CWaitingDlg;

// The first window: title bar, logo and one of three pages (account login,
// guest join, change password), chosen by the login manager's progress.
// Shortly after its first show it brings up the engine, the main-window
// manager, a pending join URL or the automatic login, the update check and
// the resource monitor; while a login runs the waiting overlay covers it.
// One instance per process (getInstance). GUI thread only.
class CLoginDlg : public CBaseDlg
{
    Q_OBJECT
public:
    static constexpr int kDelayedShowMs = 300;

    explicit CLoginDlg(QWidget *parent = nullptr);
    ~CLoginDlg() override;

    // The process-wide login window, made on first use without parent.
    static CLoginDlg *getInstance();

    // Lays the process-wide waiting overlay over this window.
    void showWaitingDlg();
    // The logo picture of the current scale (1 before the first show).
    void setLogoIcon();

    // Seam: the deployment configuration read by the window and its pages
    // (null: the one beside the executable). The object must outlive them.
    static void setAppConfig(const helpers::CAppConfigUtils *config);
    static const helpers::CAppConfigUtils *appConfig();

signals:
    void sigClose();

public slots:
    void onLoginProgressChanged(rj_app::enums::LoginProgress loginProgress);
    void slotOnLoginStatusChanged(rj_app::enums::LoginStatus loginStatus);
    void slotOnLanguageChanged();
    void slotOnTimerDelayHandle4WinShow();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void onDpiChanged() override;

private:
    void openSettingsWindow();
    void followLoginStatusWithOverlay();
    static void startResourceMonitor();

    std::unique_ptr<Ui::CLoginDlg> ui;
    CLoginInfoForm *m_pLoginInfoForm = nullptr;
    CLoginJoinConfForm *m_pLoginJoinConfForm = nullptr;
    CLoginChangePasswordForm *m_pLoginChangePasswordForm = nullptr;
    bool m_bLoaded = false;
    QPointer<CWaitingDlg> m_pWaitingDlg; // the overlay as last laid over this window
    CDpiLayoutScaler m_scaler;
    QTimer *m_pTimerDelayHandle4WinShow = nullptr;
};

} // namespace rj_app::views
