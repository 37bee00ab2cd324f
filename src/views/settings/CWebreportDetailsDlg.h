#pragma once

#include "engine/RJTypes.h"
#include "views/framework/CBaseDlg.h"
#include "views/framework/CDpiLayoutScaler.h"

#include <string>

namespace Ui {
class CWebreportDetailsDlg;
}

namespace rj_app::views {

// Every item of one network diagnosis in a three-column table, and a button
// that copies the engine's diagnosis text to the clipboard. Built from copies
// of the report page's last diagnosis, so it never changes while open.
// Window-modal, shown with show(), deleted on close. GUI thread only.
class CWebreportDetailsDlg : public CBaseDlg
{
    Q_OBJECT
public:
    CWebreportDetailsDlg(QWidget *parent, rj::engine::RJDiag diag, std::string diagText);
    ~CWebreportDetailsDlg() override;

private slots:
    void slotOnClose();
    void on_m_pBtnCopy_clicked();

protected:
    void showEvent(QShowEvent *event) override;
    void onDpiChanged() override;

private:
    Ui::CWebreportDetailsDlg *ui = nullptr;
    CDpiLayoutScaler m_layoutScaler;
    rj::engine::RJDiag m_diag;
    std::string m_strDiagText;
};

} // namespace rj_app::views
