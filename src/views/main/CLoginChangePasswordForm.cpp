#include "views/main/CLoginChangePasswordForm.h"

#include "ui_CLoginChangePasswordForm.h"

#include "helpers/CUserConfigUtils.h"
#include "helpers/LogMacros.h"
#include "models/CLinguist.h"
#include "models/CLoginManager.h"
#include "models/CRJSdkManager.h"
#include "views/framework/AlertDlg.h"
#include "views/framework/AppStyles.h"

#include <QDebug>

namespace rj_app::views {

using helpers::CUserConfigUtils;
using models::CLoginManager;
using models::CRJSdkManager;

namespace {
const QString kStyleBase = QStringLiteral(":/resources/qss/login-change-password-form");
}

CLoginChangePasswordForm::CLoginChangePasswordForm(QWidget *parent)
    : CBaseWgt(parent)
    , ui(std::make_unique<Ui::CLoginChangePasswordForm>())
{
    ui->setupUi(this);
    setAttribute(Qt::WA_StyledBackground);
    ui->m_pBtnNext->setStyleSheet(styles::RedButton);
    ui->m_pBtnSkip->setStyleSheet(styles::RedButton);

    connect(ui->m_pBtnNext, &QPushButton::clicked, this, &CLoginChangePasswordForm::slotOnBtnNextClicked);
    connect(ui->m_pBtnSkip, &QPushButton::clicked, this, &CLoginChangePasswordForm::slotOnBtnSkipClicked);
    connect(models::CLinguist::getInstance(), &models::CLinguist::sigLanguageChanged, this,
            &CLoginChangePasswordForm::slotOnLanguageChanged);
}

CLoginChangePasswordForm::~CLoginChangePasswordForm() = default;

void CLoginChangePasswordForm::updateQss(double scale)
{
    setStyleSheet(QString());
    fStretchFactor = scale;
    setStyleSheets(kStyleBase);
}

void CLoginChangePasswordForm::onDpiChanged()
{
    // The login window restyles its pages.
    qDebug() << RJ_FUNCTION << fStretchFactor;
}

void CLoginChangePasswordForm::clearPasswords()
{
    ui->m_pEditPassword->clear();
    ui->m_pEditConfirmPassword->clear();
}

QString CLoginChangePasswordForm::passwordPolicyText(const rj::engine::RJPasswordPolicy &policy)
{
    // One substitution pass: a "%2" among the engine's special characters
    // stays as it is.
    return tr("The password length is %1-%2 characters\nThe following special characters can be input %3\n"
              "Please input at least %4 combinations by upper case letters, numbers and special characters")
        .arg(QString::number(policy.minLength), QString::number(policy.maxLength),
             QString::fromUtf8(policy.specialChars.data(), static_cast<int>(policy.specialChars.size())),
             QString::number(policy.typeCount));
}

void CLoginChangePasswordForm::slotOnBtnNextClicked()
{
    const QString newPassword = ui->m_pEditPassword->text();
    const QString confirmPassword = ui->m_pEditConfirmPassword->text();
    if (newPassword.isEmpty() || confirmPassword.isEmpty()) {
        qInfo("empty password");
        return;
    }
    if (newPassword != confirmPassword) {
        qInfo("Confirm Password is not consistent with New Password");
        AlertDlg::execPrompt(this, tr("Prompt"), tr("Confirm Password is not consistent with New Password."));
        return;
    }
    CRJSdkManager *pSdk = CRJSdkManager::getInstance();
    if (!pSdk) {
        qWarning() << RJ_FUNCTION << "no engine facade";
        return;
    }
    const QByteArray newUtf8 = newPassword.toUtf8();
    if (!pSdk->validatePassword(newUtf8.constData())) {
        qInfo("Not valid Password");
        AlertDlg::execPrompt(this, tr("Prompt"), passwordPolicyText(pSdk->getPasswordPolicy()));
        return;
    }
    CLoginManager *pLogin = CLoginManager::getInstance();
    const QString currentPassword = pLogin->getPassword();
    if (newPassword == currentPassword) {
        AlertDlg::execPrompt(this, tr("Prompt"), tr("The new and old password is the same."));
        return;
    }
    if (pSdk->changePassword(currentPassword.toUtf8().constData(), newUtf8.constData())) {
        qInfo() << RJ_FUNCTION << "password changed";
        pLogin->setPassword(newPassword);
        storeChangedPassword(newPassword);
    } else {
        AlertDlg::execPrompt(this, tr("Prompt"), tr("Change new password failed."));
    }
    // Changed or not, the user goes on signed in.
    pLogin->setLoginStatus(enums::LoggedIn);
}

// The login stored the old password for the next start; left there, the
// next automatic login would be refused and the form would offer it again.
void CLoginChangePasswordForm::storeChangedPassword(const QString &newPassword)
{
    CUserConfigUtils *pConfig = CUserConfigUtils::getInstance();
    CRJSdkManager *pSdk = CRJSdkManager::getInstance();
    if (!pConfig || !pSdk || pConfig->getPassword().isEmpty())
        return;
    const std::string stored =
        pSdk->encryptPassword(2, newPassword.toUtf8().constData(), CLoginManager::m_pszPasswordKey);
    pConfig->setPassword(QString::fromStdString(stored));
}

void CLoginChangePasswordForm::slotOnBtnSkipClicked()
{
    qInfo() << RJ_FUNCTION;
    CLoginManager::getInstance()->setLoginStatus(enums::LoggedIn);
}

void CLoginChangePasswordForm::slotOnLanguageChanged()
{
    ui->retranslateUi(this);
}

} // namespace rj_app::views
