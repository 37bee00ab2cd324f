#pragma once

#include "engine/RJTypes.h"
#include "helpers/Enums.h"
#include "views/framework/CBaseDlg.h"
#include "views/framework/CDpiLayoutScaler.h"
#include "views/framework/CEmulatedMaximize.h"

#include <QPoint>
#include <QPointer>
#include <QRect>

class CHomeExitButton;
class QFrame;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QStackedWidget;
class QTimer;
class QToolButton;

namespace rj_app::custom_controls {
class CClickedLabel;
class CHomeMenuListView;
} // namespace rj_app::custom_controls

namespace rj_app::views {

class CConferencesWidget;
class CContactsWidget;
class CEmptyForm;
class CJoinConfWidget;
class CSettingsForm;
class CWebPageHost;

// The main window of a signed-in user, or of one who skipped the login: a
// dark sidebar (avatar, menu, registration status, exit) and a stack of pages
// chosen by the login status and the server type. The main-window manager
// creates it hidden and decides when it is visible; every close of it ends
// the application through sigClose.
class CHomeDlg : public CBaseDlg
{
    Q_OBJECT
public:
    static CHomeDlg *getInstance();
    ~CHomeDlg() override;

    // Fresh web pages after a sign-in.
    void updateWebPages();
    // Stops the web pages before the process ends.
    void stopWebPages();
    // Screen point at the top-left corner of the content area.
    QPoint getContentTopLeft() const;
    void setRegisterStatus(bool online);
    void updateRegisterStatusIcon();

    // Read by the main-window manager.
    bool m_bMaximized = false;

    // What the window shows, for its owner and tests.
    QStackedWidget *contentStack() const { return m_pStackedWgtContent; }
    custom_controls::CHomeMenuListView *menuList() const { return m_pLvMenus; }
    CSettingsForm *settingsForm() const { return m_pSettingsForm; }
    CConferencesWidget *conferencesWidget() const;
    CContactsWidget *contactsWidget() const;
    CJoinConfWidget *joinConfWidget() const;
    CWebPageHost *confListWebPage() const;
    CWebPageHost *contactsWebPage() const;

signals:
    void sigClose();

public slots:
    void slotOnBtnJoinConfClicked();
    void slotOnLoginStatusChanged(rj_app::enums::LoginStatus loginStatus);
    void slotOnAvatarDownloadedOk();
    void slotOnDisplayNameChanged();
    void slotOnWinMin();
    void slotOnWinMax();
    void slotOnWinRestore();
    void slotOnClose();
    void slotOnAvatarClicked(Qt::MouseButton mouseButton);
    void slotOnRegisterInfoChanged(rj::engine::RJRegisterInfo info);
    void slotOnLogout();
    void slotOnLanguageChanged();
    void slotJoinConf(QString confNumber, QString password, bool audioOnly, QString peerName);
    void slotP2pCall(QString number, QString password, bool audioOnly, QString name);
    void slotOnCallStatusChanged(rj_app::enums::CallStatus callStatus);
    void slotOnTimerShowContent();
    void slotOnTimerDelayHandle4WinShow();
    // background: the failed request was a background refresh, which
    // prompts nothing (its list shows its own state).
    void slot_ucmapi_error(int errorCode, QString errorInfo, bool background = false);
    void slot_ucmapi_unreachable(bool background = false);
    void slot_contentsPageChanged(int index);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    void onDpiChanged() override;

private:
    CHomeDlg();
    void setupUi();
    void retranslateUi();
    void buildMenu();
    void updateMenuIcons();
    void retranslateMenu();
    void rebuildContentPages();
    void showPage(int index);
    void selectRowAndPage(int index);
    void updateAvatar();
    void restoreFromMaximized();
    void forceLogout();

    // Form.
    QHBoxLayout *m_pRootLayout = nullptr;
    QWidget *m_pWgtOperationBar = nullptr;
    QWidget *m_pWgtLoginUserInfo = nullptr;
    custom_controls::CClickedLabel *m_pLblAvatar = nullptr;
    custom_controls::CHomeMenuListView *m_pLvMenus = nullptr;
    QLabel *m_pLblRegisterStatus = nullptr;
    QToolButton *m_pBtnRegisterStatus = nullptr;
    CHomeExitButton *m_pBtnExit = nullptr;
    QWidget *m_pWgtTitleBar = nullptr;
    QPushButton *m_pBtnLogo = nullptr;
    QPushButton *m_pBtnJoinConf = nullptr;
    QPushButton *m_pBtnMin = nullptr;
    QPushButton *m_pBtnMax = nullptr;
    QPushButton *m_pBtnRestore = nullptr;
    QPushButton *m_pBtnClose = nullptr;
    QWidget *m_pWgtContext = nullptr;
    QStackedWidget *m_pStackedWgtContent = nullptr;

    bool m_bDelayedContentHandled = false;
    CSettingsForm *m_pSettingsForm = nullptr;
    QPointer<CWebPageHost> m_pConfListWebPage;
    QPointer<CWebPageHost> m_pContactsWebPage;
    QPointer<CEmptyForm> m_pEmptyForm;
    QPointer<CContactsWidget> m_pContactsWidget;
    QPointer<CConferencesWidget> m_pConferencesWidget;
    QPointer<CJoinConfWidget> m_pJoinConfWidget;
    CEmulatedMaximize m_maximize;
    CDpiLayoutScaler m_scaler;
    QTimer *m_pContentTimer = nullptr;
    QTimer *m_pShowTimer = nullptr;
    int m_iPreviousPageIndex = -1;
    bool m_bDragging = false;
    QPoint m_dragOffset;
};

} // namespace rj_app::views
