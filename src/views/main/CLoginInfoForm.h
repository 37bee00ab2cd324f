#pragma once

#include "views/framework/CBaseWgt.h"

#include <memory>

namespace Ui {
class CLoginInfoForm;
}

namespace rj_app::views {

// The account login page of the login window: server, account, password,
// and behind "More" the port and HTTPS; links to skip the login or to join
// a meeting as a guest, each of which the deployment may switch off.
class CLoginInfoForm : public CBaseWgt
{
    Q_OBJECT
public:
    explicit CLoginInfoForm(QWidget *parent = nullptr);
    ~CLoginInfoForm() override;

    // Fills the fields from the stored login.
    void refreshData();
    void updateQss(double scale);

public slots:
    void slotOnBtnLoginClicked();
    void slotOnBtnSkipLogin(Qt::MouseButton mouseButton);
    void slotOnBtnJoinConf(Qt::MouseButton mouseButton);
    void slotOnChkBoxMore(bool checked);
    void slotOnLanguageChanged();
    void slotOnChkBoxUseHttps(bool checked);

protected:
    void showEvent(QShowEvent *event) override;
    void onDpiChanged() override;

private:
    void arrangeLinks();

    std::unique_ptr<Ui::CLoginInfoForm> ui;
    bool m_bFirstShowDone = false;
};

} // namespace rj_app::views
