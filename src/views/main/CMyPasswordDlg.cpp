#include "views/main/CMyPasswordDlg.h"

#include "helpers/LogMacros.h"
#include "models/CLoginManager.h"
#include "models/CRJSdkManager.h"
#include "views/framework/AlertDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace rj_app::views {

using models::CLoginManager;
using models::CRJSdkManager;

CMyPasswordDlg::CMyPasswordDlg(QWidget *parent)
    : CBaseDlg(parent)
{
    setupUi();
    setWindowFlags(windowFlags() | Qt::Tool | Qt::FramelessWindowHint);
    setWindowModality(Qt::WindowModal);
    disableDefaultButtons();
    dragAreaHeight = m_pTitlebar->height();
    connect(m_pBtnOK, &QPushButton::clicked, this, &CMyPasswordDlg::on_m_pBtnOK_clicked);
    connect(m_pBtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_pBtnClose, &QPushButton::clicked, this, &QDialog::reject);
}

void CMyPasswordDlg::setupUi()
{
    setObjectName(QStringLiteral("CMyPasswordDlg"));
    setFixedSize(342, 362);
    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(1, 1, 1, 1);
    root->setSpacing(0);

    m_pTitlebar = new QWidget(this);
    m_pTitlebar->setObjectName(QStringLiteral("Titlebar"));
    m_pTitlebar->setAttribute(Qt::WA_StyledBackground);
    m_pTitlebar->setFixedHeight(28);
    auto *title = new QHBoxLayout(m_pTitlebar);
    title->setContentsMargins(10, 0, 0, 0);
    title->setSpacing(0);
    m_pTitleName = new QLabel(tr("Change Password"), m_pTitlebar);
    m_pTitleName->setObjectName(QStringLiteral("titleName"));
    m_pTitleName->setFixedSize(140, 28);
    title->addWidget(m_pTitleName);
    title->addStretch();
    m_pBtnClose = new QPushButton(m_pTitlebar);
    m_pBtnClose->setObjectName(QStringLiteral("m_pBtnClose"));
    m_pBtnClose->setFixedSize(28, 28);
    title->addWidget(m_pBtnClose);
    root->addWidget(m_pTitlebar);

    auto *center = new QWidget(this);
    center->setObjectName(QStringLiteral("centerwidget"));
    auto *form = new QVBoxLayout(center);
    form->setContentsMargins(20, 0, 20, 0);
    form->setSpacing(4);
    const auto addLabel = [&](const char *name, const QString &text) {
        auto *label = new QLabel(text, center);
        label->setObjectName(QLatin1String(name));
        label->setFixedSize(120, 20);
        form->addWidget(label);
        return label;
    };
    const auto addField = [&](const char *name) {
        auto *edit = new QLineEdit(center);
        edit->setObjectName(QLatin1String(name));
        edit->setFixedSize(300, 34);
        edit->setEchoMode(QLineEdit::Password);
        edit->setPlaceholderText(tr("Password"));
        form->addWidget(edit);
        return edit;
    };
    form->addStretch();
    addLabel("LblOldPassword", tr("Old password"));
    m_LEtOldPassword = addField("m_LEtOldPassword");
    auto *tips = new QLabel(tr("Ask administrator to reset if forget"), center);
    tips->setObjectName(QStringLiteral("LblOldPasswordTips"));
    tips->setFixedHeight(20);
    form->addWidget(tips);
    addLabel("LblNewPassword", tr("New password"));
    m_LEtNewPassword = addField("m_LEtNewPassword");
    addLabel("LblConfirmPassword", tr("Confirm password"));
    m_LEtConfirmPassword = addField("m_LEtConfirmPassword");
    form->addStretch();
    root->addWidget(center);

    auto *toolbar = new QWidget(this);
    toolbar->setObjectName(QStringLiteral("toolbar"));
    toolbar->setFixedHeight(44);
    auto *buttons = new QHBoxLayout(toolbar);
    buttons->setContentsMargins(20, 0, 20, 0);
    buttons->setSpacing(10);
    buttons->addStretch();
    m_pBtnCancel = new QPushButton(tr("Cancel"), toolbar);
    m_pBtnCancel->setObjectName(QStringLiteral("m_pBtnCancel"));
    m_pBtnCancel->setFixedSize(80, 28);
    m_pBtnOK = new QPushButton(tr("OK"), toolbar);
    m_pBtnOK->setObjectName(QStringLiteral("m_pBtnOK"));
    m_pBtnOK->setFixedSize(80, 28);
    buttons->addWidget(m_pBtnCancel);
    buttons->addWidget(m_pBtnOK);
    root->addWidget(toolbar);
}

void CMyPasswordDlg::on_m_pBtnOK_clicked()
{
    // The login form takes the password as typed, so the old one is compared
    // as typed too: a password with surrounding spaces still matches.
    const QString oldText = m_LEtOldPassword->text();
    const QString newText = m_LEtNewPassword->text().trimmed();
    const QString confirmText = m_LEtConfirmPassword->text().trimmed();
    const QString stored = CLoginManager::getInstance()->getPassword();
    const QString title = tr("Prompt");
    if (stored != oldText) {
        AlertDlg::execPrompt(this, title, tr("Old password is wrong!"));
        return;
    }
    if (newText == oldText) {
        AlertDlg::execPrompt(this, title, tr("The new and old password is the same."));
        return;
    }
    if (newText != confirmText) {
        AlertDlg::execPrompt(this, title, tr("Confirm Password is not consistent with New Password."));
        return;
    }
    CRJSdkManager *sdk = CRJSdkManager::getInstance();
    const QByteArray newUtf8 = newText.toUtf8();
    if (!sdk || !sdk->validatePassword(newUtf8.constData())) {
        qInfo("Not valid Password");
        const rj::engine::RJPasswordPolicy policy = sdk ? sdk->getPasswordPolicy() : rj::engine::RJPasswordPolicy();
        AlertDlg::execPrompt(this, title,
                             tr("The password length is %1-%2 characters\nThe following special characters can be "
                                "input %3\nPlease input at least %4 combinations by upper case letters, numbers and "
                                "special characters")
                                 .arg(QString::number(policy.minLength), QString::number(policy.maxLength),
                                      QString::fromStdString(policy.specialChars),
                                      QString::number(policy.typeCount)));
        return;
    }
    const std::string oldStd = oldText.toStdString();
    const std::string newStd = newText.toStdString();
    if (!sdk->changePassword(oldStd.c_str(), newStd.c_str())) {
        AlertDlg::execPrompt(nullptr, title, tr("Change new password failed."));
        return;
    }
    CLoginManager::getInstance()->setPassword(newText);
    accept();
}

void CMyPasswordDlg::showEvent(QShowEvent *event)
{
    m_scaler.init(width(), height(), this);
    CBaseDlg::showEvent(event);
    centerWindowOnScreen();
}

void CMyPasswordDlg::onDpiChanged()
{
    setStyleSheet(QString());
    setStyleSheets(QStringLiteral(":/resources/qss/my-password-dlg"));
    m_scaler.rescale(fStretchFactor, this, true);
    dragAreaHeight = m_pTitlebar->height();
}

} // namespace rj_app::views
