#pragma once

#include "views/framework/CBaseDlg.h"
#include "views/framework/CDpiLayoutScaler.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace rj_app::views {

// Changes the signed-in user's password: old password, new one twice, checked
// here and against the server's policy before the engine is asked.
class CMyPasswordDlg : public CBaseDlg
{
    Q_OBJECT
public:
    explicit CMyPasswordDlg(QWidget *parent = nullptr);

public slots:
    void on_m_pBtnOK_clicked();

protected:
    void showEvent(QShowEvent *event) override;
    void onDpiChanged() override;

private:
    void setupUi();

    QWidget *m_pTitlebar = nullptr;
    QLabel *m_pTitleName = nullptr;
    QPushButton *m_pBtnClose = nullptr;
    QLineEdit *m_LEtOldPassword = nullptr;
    QLineEdit *m_LEtNewPassword = nullptr;
    QLineEdit *m_LEtConfirmPassword = nullptr;
    QPushButton *m_pBtnCancel = nullptr;
    QPushButton *m_pBtnOK = nullptr;
    CDpiLayoutScaler m_scaler;
};

} // namespace rj_app::views
