#include "views/main/CLoginJoinConfForm.h"

#include "ui_CLoginJoinConfForm.h"

#include "helpers/CAppConfigUtils.h"
#include "helpers/CGeneralUtils.h"
#include "helpers/CUserConfigUtils.h"
#include "helpers/LogMacros.h"
#include "models/CCallController.h"
#include "models/CLinguist.h"
#include "models/CLoginManager.h"
#include "views/framework/AlertDlg.h"
#include "views/framework/AppStyles.h"
#include "views/main/CLoginDlg.h"

#include <QDebug>
#include <QRegularExpression>

namespace rj_app::views {

using helpers::CUserConfigUtils;
using models::CLoginManager;

const QString CLoginJoinConfForm::kDisplayNameFilter = QStringLiteral("[\"<>]+");

namespace {
const QString kStyleBase = QStringLiteral(":/resources/qss/login-join-conf-form");
}

CLoginJoinConfForm::CLoginJoinConfForm(QWidget *parent)
    : CBaseWgt(parent)
    , ui(std::make_unique<Ui::CLoginJoinConfForm>())
{
    ui->setupUi(this);
    setAttribute(Qt::WA_StyledBackground);
    // Until the login window gives it a scale, the general sheet alone.
    helpers::CGeneralUtils::setStyle(this, kStyleBase + QStringLiteral(".qss"));
    ui->m_bBtnJoinConf->setStyleSheet(styles::RedButton);

    connect(ui->m_bBtnJoinConf, &QPushButton::clicked, this, &CLoginJoinConfForm::slotOnBtnJoinConf);
    connect(ui->m_pEditServer, &QLineEdit::returnPressed, this, &CLoginJoinConfForm::slotOnBtnJoinConf);
    connect(ui->m_pBtnBack, &QPushButton::clicked, this, &CLoginJoinConfForm::slotOnBtnBack);
    connect(models::CLinguist::getInstance(), &models::CLinguist::sigLanguageChanged, this,
            &CLoginJoinConfForm::slotOnLanguageChanged);
}

CLoginJoinConfForm::~CLoginJoinConfForm() = default;

void CLoginJoinConfForm::refreshData()
{
    const CUserConfigUtils *pConfig = CUserConfigUtils::getInstance();
    if (!pConfig) {
        qWarning() << RJ_FUNCTION << "no user configuration";
        return;
    }
    QString server = pConfig->getJoinConfServerAddress();
    if (server.isEmpty())
        server = CLoginDlg::appConfig()->getDefaultRegisterServerAddr();
    ui->m_pEditServer->setText(server);
    ui->m_pEditConfNumber->setText(pConfig->getJoinConfNumber());
    ui->m_pEditDisplayName->setText(pConfig->getJoinConfDisplayName());
    ui->m_pEditPassword->setText(pConfig->getJoinConfPassword());
}

void CLoginJoinConfForm::updateQss(double scale)
{
    setStyleSheet(QString());
    fStretchFactor = scale;
    setStyleSheets(kStyleBase);
}

void CLoginJoinConfForm::onDpiChanged()
{
    // The login window restyles its pages.
    qDebug() << RJ_FUNCTION << fStretchFactor;
}

void CLoginJoinConfForm::slotOnBtnJoinConf()
{
    const enums::LoginStatus status = CLoginManager::getInstance()->m_loginStatus;
    if (status != enums::NotLogin && status != enums::LoginFailed) {
        qInfo() << "Not suitable login status:" << int(status);
        return;
    }
    const QString server = ui->m_pEditServer->text();
    const QString confNumber = ui->m_pEditConfNumber->text();
    const QString displayName = ui->m_pEditDisplayName->text();
    const QString password = ui->m_pEditPassword->text();
    if (server.isEmpty()) {
        qInfo("Empty server address");
        return;
    }
    if (confNumber.isEmpty()) {
        qInfo("Empty conf number");
        return;
    }
    if (displayName.isEmpty()) {
        qInfo("Empty display name");
        AlertDlg::execPrompt(this, tr("Prompt"), tr("The username can not be empty."));
        return;
    }
    // Characters as a person counts them: a character outside the basic
    // plane is one, not two.
    if (displayName.toUcs4().size() > kMaxDisplayNameLength) {
        qInfo() << "The length of display name exceeds:" << kMaxDisplayNameLength;
        AlertDlg::execPrompt(this, tr("Prompt"),
                             tr("The length of username can not exceed %1.").arg(kMaxDisplayNameLength));
        return;
    }
    static const QRegularExpression filter(kDisplayNameFilter);
    if (filter.match(displayName).hasMatch()) {
        qInfo("Invalid char in display name");
        AlertDlg::execPrompt(this, tr("Prompt"), tr("The username can not contain \", <, >."));
        return;
    }

    models::CCallController::getInstance()->anonymousJoinConf(server, confNumber, displayName, password);
    if (CUserConfigUtils *pConfig = CUserConfigUtils::getInstance()) {
        pConfig->setJoinConfServerAddress(server);
        pConfig->setJoinConfNumber(confNumber);
        pConfig->setJoinConfDisplayName(displayName);
        pConfig->setJoinConfPassword(password);
    }
}

void CLoginJoinConfForm::slotOnBtnBack()
{
    qInfo() << RJ_FUNCTION;
    CLoginManager::getInstance()->setLoginProgress(enums::LoginInfoPage);
}

void CLoginJoinConfForm::slotOnLanguageChanged()
{
    ui->retranslateUi(this);
    ui->m_pBtnBack->setText(tr("Back"));
}

} // namespace rj_app::views
