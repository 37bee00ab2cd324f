#pragma once

#include "engine/RJTypes.h"
#include "views/framework/CBaseDlg.h"
#include "views/framework/CDpiLayoutScaler.h"

#include <QPointer>
#include <QSize>

class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace rj_app::views {

class CHomeDlg;

// The profile popup on the home window's avatar: account data, in-place
// rename of the display name, avatar and password dialogs, logout.
class CMyInfoDlg : public CBaseDlg
{
    Q_OBJECT
public:
    explicit CMyInfoDlg(QWidget *parent = nullptr);

    void setHomeDlg(CHomeDlg *home) { m_pHomeDlg = home; }
    void initData();
    bool isEditing() const { return m_pNewNameEdit != nullptr; }
    QLineEdit *nameEditor() const { return m_pNewNameEdit; }
    // True for a display name the server accepts (after trimming).
    static bool isValidDisplayName(const QString &name);

public slots:
    void slotOnClose();
    void slotOnLogout();
    void slotOnAvatarDownloadedOk();
    void on_m_pBtnChangePassword_clicked();
    void slot_m_pLblAvatar_clicked();
    void EnterEditMode();
    void ExitEditMode();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void onDpiChanged() override;

private:
    void setupUi();
    void drawAvatar(bool darken);
    void showAvatarHover(bool show);
    void fitLabelWidth(QLabel *label);

    QWidget *m_pWgtTitlePanel = nullptr;
    QPushButton *m_pBtnClose = nullptr;
    QHBoxLayout *m_pNameRow = nullptr;
    QLabel *m_pLblDisplayName = nullptr;
    QPushButton *m_pBtnChange = nullptr;
    QLabel *m_pLblAccountContent = nullptr;
    QLabel *m_pLblAvatar = nullptr;
    QLabel *m_pLblUserIdContent = nullptr;
    QLabel *m_pLblOrganizationContent = nullptr;
    QLabel *m_pLblDepartmentContent = nullptr;
    QLabel *m_pLblMobileContent = nullptr;
    QLabel *m_pLblEmailContent = nullptr;
    QWidget *m_pWgtChangePasswordPanel = nullptr;
    QPushButton *m_pBtnChangePassword = nullptr;
    QPushButton *m_pBtnLogout = nullptr;

    QSize m_avatarBaseSize{60, 60};
    rj::engine::RJUserInfo m_userInfo;
    QLineEdit *m_pNewNameEdit = nullptr;
    QLabel *m_pHoverIcon = nullptr;
    CDpiLayoutScaler m_scaler;
    QPointer<CHomeDlg> m_pHomeDlg;
    bool m_bPlaced = false;
    // Set while the refused-name prompt is up.
    bool m_bLeavingEditMode = false;
};

} // namespace rj_app::views
