#include "views/main/CHomeDlg.h"

#include "helpers/LogMacros.h"
#include "views/framework/CAppLifetimeInstance.h"
#include "views/framework/CEmulatedMaximize.h"
#include "models/CCallController.h"
#include "models/CLinguist.h"
#include "models/CLoginManager.h"
#include "views/main/CJoinConfDlg.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace rj_app::views {

using models::CLoginManager;

CHomeDlg *CHomeDlg::getInstance()
{
    static CAppLifetimeInstance<CHomeDlg> s_instance;
    return s_instance.get([] { return new CHomeDlg; });
}

CHomeDlg::CHomeDlg()
    : CBaseDlg(nullptr)
{
    setObjectName(QStringLiteral("CHomeDlg"));
    resize(640, 420);
    auto *root = new QVBoxLayout(this);
    auto *titleBar = new QHBoxLayout;
    titleBar->addStretch();
    m_pBtnClose = new QPushButton(this);
    m_pBtnClose->setObjectName(QStringLiteral("m_pBtnClose"));
    titleBar->addWidget(m_pBtnClose);
    root->addLayout(titleBar);

    m_pLblUserName = new QLabel(this);
    m_pLblUserName->setObjectName(QStringLiteral("m_pLblUserName"));
    m_pLblUserName->setAlignment(Qt::AlignCenter);
    QFont nameFont = m_pLblUserName->font();
    nameFont.setPointSize(16);
    m_pLblUserName->setFont(nameFont);
    root->addStretch();
    root->addWidget(m_pLblUserName);
    m_pLblStatus = new QLabel(this);
    m_pLblStatus->setObjectName(QStringLiteral("m_pLblStatus"));
    m_pLblStatus->setAlignment(Qt::AlignCenter);
    root->addWidget(m_pLblStatus);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    m_pBtnJoinConf = new QPushButton(this);
    m_pBtnJoinConf->setObjectName(QStringLiteral("m_pBtnJoinConf"));
    m_pBtnLogout = new QPushButton(this);
    m_pBtnLogout->setObjectName(QStringLiteral("m_pBtnLogout"));
    buttons->addWidget(m_pBtnJoinConf);
    buttons->addWidget(m_pBtnLogout);
    buttons->addStretch();
    root->addLayout(buttons);
    root->addStretch();
    dragAreaHeight = 40;

    connect(m_pBtnJoinConf, &QPushButton::clicked, this, &CHomeDlg::slotOnBtnJoinConfClicked);
    connect(m_pBtnLogout, &QPushButton::clicked, this, &CHomeDlg::slotOnLogout);
    connect(m_pBtnClose, &QPushButton::clicked, this, &CHomeDlg::close);
    CLoginManager *login = CLoginManager::getInstance();
    connect(login, &CLoginManager::loginStatusChanged, this, &CHomeDlg::slotOnLoginStatusChanged);
    connect(login, &CLoginManager::sigDisplayNameChanged, this, &CHomeDlg::slotOnDisplayNameChanged);
    connect(login, &CLoginManager::sigRegisterInfoChanged, this, [this] { updateTexts(); });
    connect(models::CLinguist::getInstance(), &models::CLinguist::sigLanguageChanged, this,
            &CHomeDlg::slotOnLanguageChanged);
    updateTexts();
}

CHomeDlg::~CHomeDlg() = default;

void CHomeDlg::updateWebPages()
{
    qInfo("%s", RJ_FUNCTION);
}

void CHomeDlg::stopWebPages()
{
    qInfo("%s", RJ_FUNCTION);
}

void CHomeDlg::slotOnBtnJoinConfClicked()
{
    CJoinConfDlg dlg(QString(), QString(), this);
    dlg.setWindowModality(Qt::WindowModal);
    dlg.exec();
}

void CHomeDlg::slotOnLoginStatusChanged(rj_app::enums::LoginStatus loginStatus)
{
    // After a skipped login calls go through the SIP settings, or anonymous.
    if (loginStatus == enums::AnonymousLoggedIn)
        models::CCallController::getInstance()->whenLoginSkipped();
    updateTexts();
}

void CHomeDlg::slotOnDisplayNameChanged()
{
    updateTexts();
}

void CHomeDlg::slotOnWinMax()
{
    m_maximize.maximize(this);
    m_bMaximized = m_maximize.isMaximized();
}

void CHomeDlg::slotOnWinRestore()
{
    m_maximize.restore(this);
    m_bMaximized = false;
}

void CHomeDlg::slotOnLogout()
{
    CLoginManager::getInstance()->logout();
}

void CHomeDlg::slotOnLanguageChanged()
{
    updateTexts();
}

void CHomeDlg::closeEvent(QCloseEvent *event)
{
    qInfo("%s", RJ_FUNCTION);
    event->ignore();
    emit sigClose();
}

void CHomeDlg::updateTexts()
{
    setWindowTitle(tr("PRODUCT_NAME"));
    CLoginManager *login = CLoginManager::getInstance();
    const bool anonymous = login->m_loginStatus == enums::AnonymousLoggedIn;
    m_pLblUserName->setText(anonymous ? tr("Guest") : login->m_qstrDisplayName);
    m_pLblStatus->setText(login->m_registerInfo.state == 1 ? tr("Online") : tr("Offline"));
    m_pBtnJoinConf->setText(tr("Join a Meeting"));
    m_pBtnLogout->setText(anonymous ? tr("Back to Login") : tr("Logout"));
    m_pBtnClose->setText(tr("Exit"));
}

} // namespace rj_app::views
