#include "views/main/CLoginInfoForm.h"

#include "ui_CLoginInfoForm.h"

#include "helpers/CAppConfigUtils.h"
#include "helpers/CUserConfigUtils.h"
#include "helpers/LogMacros.h"
#include "models/CLinguist.h"
#include "models/CLoginManager.h"
#include "views/framework/AlertDlg.h"
#include "views/framework/AppStyles.h"
#include "views/main/CLoginDlg.h"

#include <QDebug>
#include <QShowEvent>

namespace rj_app::views {

using helpers::CUserConfigUtils;
using models::CLoginManager;

namespace {

const QString kStyleBase = QStringLiteral(":/resources/qss/login-info-form");
constexpr int kInvalidPort = -1;

// The port of the form: 0 for an empty field, kInvalidPort for anything but
// a decimal number from 1 to 65535. Blanks around it do not count.
int parsePort(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return 0;
    for (const QChar c : trimmed) {
        // No sign, no spaces inside, only the ASCII digits.
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return kInvalidPort;
    }
    bool ok = false;
    const int port = trimmed.toInt(&ok, 10);
    return ok && port >= 1 && port <= 65535 ? port : kInvalidPort;
}

} // namespace

CLoginInfoForm::CLoginInfoForm(QWidget *parent)
    : CBaseWgt(parent)
    , ui(std::make_unique<Ui::CLoginInfoForm>())
{
    ui->setupUi(this);
    setAttribute(Qt::WA_StyledBackground);
    ui->m_pBtnLogin->setStyleSheet(styles::RedButton);

    connect(ui->m_pBtnLogin, &QPushButton::clicked, this, &CLoginInfoForm::slotOnBtnLoginClicked);
    connect(ui->m_pEditServer, &QLineEdit::returnPressed, this, &CLoginInfoForm::slotOnBtnLoginClicked);
    connect(ui->m_pEditAccount, &QLineEdit::returnPressed, this, &CLoginInfoForm::slotOnBtnLoginClicked);
    connect(ui->m_pEditPassword, &QLineEdit::returnPressed, this, &CLoginInfoForm::slotOnBtnLoginClicked);
    connect(ui->m_pEditPort, &QLineEdit::returnPressed, this, &CLoginInfoForm::slotOnBtnLoginClicked);
    connect(ui->m_pLblSkipLogin, &custom_controls::CClickedLabel::clicked, this, &CLoginInfoForm::slotOnBtnSkipLogin);
    connect(ui->m_pLblGuestJoinMeeting, &custom_controls::CClickedLabel::clicked, this,
            &CLoginInfoForm::slotOnBtnJoinConf);
    connect(ui->m_pChkBoxMore, &QCheckBox::toggled, this, &CLoginInfoForm::slotOnChkBoxMore);
    // Only the user's click: filling the form from the configuration keeps the port.
    connect(ui->m_pChkBoxUseHttps, &QCheckBox::clicked, this, &CLoginInfoForm::slotOnChkBoxUseHttps);
    connect(models::CLinguist::getInstance(), &models::CLinguist::sigLanguageChanged, this,
            &CLoginInfoForm::slotOnLanguageChanged);
}

CLoginInfoForm::~CLoginInfoForm() = default;

void CLoginInfoForm::refreshData()
{
    const CUserConfigUtils *pConfig = CUserConfigUtils::getInstance();
    const helpers::CAppConfigUtils *pAppConfig = CLoginDlg::appConfig();
    if (!pConfig) {
        qWarning() << RJ_FUNCTION << "no user configuration";
        return;
    }
    QString server = pConfig->getIp();
    if (server.isEmpty())
        server = pAppConfig->getDefaultLoginServerAddr();
    ui->m_pEditServer->setText(server);
    ui->m_pEditAccount->setText(pConfig->getUser());
    if (pAppConfig->getIsMorvelSpecialVersion() && !pConfig->getRememberMe())
        ui->m_pEditPassword->clear();
    else
        ui->m_pEditPassword->setText(CLoginManager::getInstance()->getConfigPassword());
    const int port = pConfig->getPort();
    if (port != 0)
        ui->m_pEditPort->setText(QString::number(port));
    ui->m_pChkBoxUseHttps->setChecked(pConfig->getUseHttps());
}

void CLoginInfoForm::updateQss(double scale)
{
    setStyleSheet(QString());
    fStretchFactor = scale;
    setStyleSheets(kStyleBase);
}

void CLoginInfoForm::onDpiChanged()
{
    // The login window restyles its pages.
    qDebug() << RJ_FUNCTION << fStretchFactor;
}

void CLoginInfoForm::showEvent(QShowEvent *event)
{
    if (!m_bFirstShowDone) {
        m_bFirstShowDone = true;
        const helpers::CAppConfigUtils *pAppConfig = CLoginDlg::appConfig();
        if (pAppConfig->getDisableLoginSkipped())
            ui->m_pLblSkipLogin->hide();
        if (pAppConfig->getDisableGuestJoinMeeting())
            ui->m_pLblGuestJoinMeeting->hide();
        arrangeLinks();
    }
    ui->m_pWgtPortPanel->setVisible(ui->m_pChkBoxMore->isChecked());
    CBaseWgt::showEvent(event);
}

// A single link stands at the right; two links take both ends of the row.
void CLoginInfoForm::arrangeLinks()
{
    const bool skip = !ui->m_pLblSkipLogin->isHidden();
    const bool guest = !ui->m_pLblGuestJoinMeeting->isHidden();
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    if (skip && !guest) {
        ui->m_pLayoutLinks->insertStretch(0);
        ui->m_pLblSkipLogin->setAlignment(right);
    } else if (!skip && guest) {
        ui->m_pLayoutLinks->insertStretch(0);
        ui->m_pLblGuestJoinMeeting->setAlignment(right);
    } else if (skip && guest) {
        ui->m_pLayoutLinks->insertStretch(1);
        ui->m_pLblSkipLogin->setAlignment(left);
        ui->m_pLblGuestJoinMeeting->setAlignment(right);
    }
}

void CLoginInfoForm::slotOnBtnLoginClicked()
{
    CLoginManager *pLogin = CLoginManager::getInstance();
    const enums::LoginStatus status = pLogin->m_loginStatus;
    if (status != enums::NotLogin && status != enums::LoginFailed) {
        qInfo() << "Invalid loginStatus" << int(status);
        return;
    }
    const QString server = ui->m_pEditServer->text();
    const QString user = ui->m_pEditAccount->text();
    const QString password = ui->m_pEditPassword->text();
    if (server.isEmpty()) {
        qInfo("empty server");
        return;
    }
    if (user.isEmpty()) {
        qInfo("empty user");
        return;
    }
    if (password.isEmpty()) {
        qInfo("empty password");
        return;
    }
    const int port = parsePort(ui->m_pEditPort->text());
    if (port == kInvalidPort) {
        qInfo() << RJ_FUNCTION << "invalid port";
        AlertDlg::execPrompt(this, tr("Prompt"), tr("The value of port can only be number from 1 to 65535."));
        return;
    }
    pLogin->login(server, ui->m_pChkBoxUseHttps->isChecked(), port, user, password);
}

void CLoginInfoForm::slotOnBtnSkipLogin(Qt::MouseButton mouseButton)
{
    qInfo() << RJ_FUNCTION << int(mouseButton);
    CLoginManager::getInstance()->setLoginStatus(enums::AnonymousLoggedIn);
}

void CLoginInfoForm::slotOnBtnJoinConf(Qt::MouseButton mouseButton)
{
    qInfo() << RJ_FUNCTION << int(mouseButton);
    CLoginManager::getInstance()->setLoginProgress(enums::JoinConfPage);
}

void CLoginInfoForm::slotOnChkBoxMore(bool checked)
{
    ui->m_pWgtPortPanel->setVisible(checked);
}

void CLoginInfoForm::slotOnChkBoxUseHttps(bool checked)
{
    ui->m_pEditPort->setText(checked ? QStringLiteral("443") : QStringLiteral("80"));
}

void CLoginInfoForm::slotOnLanguageChanged()
{
    ui->retranslateUi(this);
}

} // namespace rj_app::views
