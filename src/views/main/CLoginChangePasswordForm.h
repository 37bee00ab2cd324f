#pragma once

#include "engine/RJTypes.h"
#include "views/framework/CBaseWgt.h"

#include <QString>

#include <memory>

namespace Ui {
class CLoginChangePasswordForm;
}

namespace rj_app::views {

// The page the login window shows when the server demands a new password
// after the first login. Whether the change succeeds or is skipped, the user
// goes on signed in.
class CLoginChangePasswordForm : public CBaseWgt
{
    Q_OBJECT
public:
    explicit CLoginChangePasswordForm(QWidget *parent = nullptr);
    ~CLoginChangePasswordForm() override;

    void updateQss(double scale);
    void clearPasswords();

    // The prompt for a password the engine's policy rejects.
    static QString passwordPolicyText(const rj::engine::RJPasswordPolicy &policy);

public slots:
    void slotOnBtnNextClicked();
    void slotOnBtnSkipClicked();
    void slotOnLanguageChanged();

protected:
    void onDpiChanged() override;

private:
    static void storeChangedPassword(const QString &newPassword);

    std::unique_ptr<Ui::CLoginChangePasswordForm> ui;
};

} // namespace rj_app::views
