#pragma once

#include "helpers/Enums.h"
#include "views/framework/CBaseDlg.h"
#include "views/framework/CEmulatedMaximize.h"

class QLabel;
class QPushButton;

namespace rj_app::views {

// The home window of a signed-in user or of one who skipped the login: for
// now a small window with the user, a join button, logout and exit. The
// main-window manager creates it hidden and decides when it is visible.
class CHomeDlg : public CBaseDlg
{
    Q_OBJECT
public:
    static CHomeDlg *getInstance();
    ~CHomeDlg() override;

    // Refreshes the embedded web pages after a sign-in; none exist yet.
    void updateWebPages();
    // Stops the embedded web pages before the process ends; none exist yet.
    void stopWebPages();

    bool m_bMaximized = false;

signals:
    void sigClose();

public slots:
    void slotOnBtnJoinConfClicked();
    void slotOnLoginStatusChanged(rj_app::enums::LoginStatus loginStatus);
    void slotOnDisplayNameChanged();
    void slotOnWinMax();
    void slotOnWinRestore();
    void slotOnLogout();
    void slotOnLanguageChanged();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    CHomeDlg();
    void updateTexts();

    QLabel *m_pLblUserName = nullptr;
    QLabel *m_pLblStatus = nullptr;
    QPushButton *m_pBtnJoinConf = nullptr;
    QPushButton *m_pBtnLogout = nullptr;
    QPushButton *m_pBtnClose = nullptr;
    CEmulatedMaximize m_maximize;
};

} // namespace rj_app::views
