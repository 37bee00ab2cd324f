#include "views/incall/CLayoutBackgroundDlg.h"

#include "helpers/LogMacros.h"
#include "views/framework/CAppLifetimeInstance.h"
#include "views/framework/CEmulatedMaximize.h"
#include "models/CCallController.h"
#include "helpers/CUserConfigUtils.h"
#include "models/CLinguist.h"
#include "models/CLoginManager.h"
#include "models/CRJSdkManager.h"
#include "views/framework/CModualDlgsManager.h"

#include <QCloseEvent>
#include <QDebug>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTime>
#include <QTimer>
#include <QVBoxLayout>

namespace rj_app::views {

using models::CCallController;

CLayoutBackgroundDlg *CLayoutBackgroundDlg::getInstance()
{
    static CAppLifetimeInstance<CLayoutBackgroundDlg> s_instance;
    return s_instance.get([] { return new CLayoutBackgroundDlg; });
}

CLayoutBackgroundDlg::CLayoutBackgroundDlg()
    : CBaseDlg(nullptr)
{
    setObjectName(QStringLiteral("CLayoutBackgroundDlg"));
    resize(800, 500);
    auto *root = new QVBoxLayout(this);
    m_pLblConfName = new QLabel(this);
    m_pLblConfName->setObjectName(QStringLiteral("m_pLblConfName"));
    m_pLblConfName->setAlignment(Qt::AlignCenter);
    QFont nameFont = m_pLblConfName->font();
    nameFont.setPointSize(16);
    m_pLblConfName->setFont(nameFont);
    m_pLblStatus = new QLabel(this);
    m_pLblStatus->setObjectName(QStringLiteral("m_pLblStatus"));
    m_pLblStatus->setAlignment(Qt::AlignCenter);
    m_pLblDuration = new QLabel(this);
    m_pLblDuration->setObjectName(QStringLiteral("m_pLblDuration"));
    m_pLblDuration->setAlignment(Qt::AlignCenter);
    root->addStretch();
    root->addWidget(m_pLblConfName);
    root->addWidget(m_pLblStatus);
    root->addWidget(m_pLblDuration);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    m_pBtnAccept = new QPushButton(this);
    m_pBtnAccept->setObjectName(QStringLiteral("m_pBtnAccept"));
    m_pBtnHangUp = new QPushButton(this);
    m_pBtnHangUp->setObjectName(QStringLiteral("m_pBtnHangUp"));
    buttons->addWidget(m_pBtnAccept);
    buttons->addWidget(m_pBtnHangUp);
    buttons->addStretch();
    root->addLayout(buttons);
    root->addStretch();
    dragAreaHeight = 40;

    m_pTimerDuration = new QTimer(this);
    m_pTimerDuration->setInterval(1000);
    connect(m_pTimerDuration, &QTimer::timeout, this, [this] {
        ++m_iDurationSecs;
        updateTexts();
    });
    connect(m_pBtnAccept, &QPushButton::clicked, this, &CLayoutBackgroundDlg::slotOnAccept);
    connect(m_pBtnHangUp, &QPushButton::clicked, this, &CLayoutBackgroundDlg::slotOnHangUp);
    CCallController *call = CCallController::getInstance();
    connect(call, &CCallController::sigCallStatusChanged, this, &CLayoutBackgroundDlg::slotOnCallStatusChanged);
    if (models::CRJSdkManager *sdk = models::CRJSdkManager::getInstance())
        connect(sdk, &models::CRJSdkManager::eventCallIncoming, this, &CLayoutBackgroundDlg::slotOnCallIncoming);
    connect(models::CLinguist::getInstance(), &models::CLinguist::sigLanguageChanged, this,
            &CLayoutBackgroundDlg::slotOnLanguageChanged);
    updateTexts();
}

CLayoutBackgroundDlg::~CLayoutBackgroundDlg() = default;

void CLayoutBackgroundDlg::stopScreenFeeder()
{
    qInfo("%s", RJ_FUNCTION);
}

void CLayoutBackgroundDlg::slotOnCallStatusChanged(rj_app::enums::CallStatus callStatus)
{
    if (callStatus == enums::ConfConnected) {
        m_iDurationSecs = 0;
        m_pTimerDuration->start();
    } else if (callStatus != enums::ConfDialing && callStatus != enums::ConfIncoming) {
        m_pTimerDuration->stop();
    }
    updateTexts();
}

void CLayoutBackgroundDlg::slotOnCallIncoming(rj::engine::RJCallInfo info)
{
    CCallController *call = CCallController::getInstance();
    const enums::CallStatus status = call->getCallStatus();
    if (status != enums::Idle && status != enums::ConfEnded) {
        qInfo() << "Not proper call status:" << status;
        return;
    }
    const enums::LoginStatus loginStatus = models::CLoginManager::getInstance()->m_loginStatus;
    if (loginStatus != enums::LoggedIn && loginStatus != enums::AnonymousLoggedIn) {
        qInfo() << "Not proper login status:" << loginStatus;
        return;
    }
    CModualDlgsManager::closeAllModualDlgs(false);
    m_qstrPeer = QString::fromStdString(info.peer);
    call->onCallIncoming(info);
    helpers::CUserConfigUtils *config = helpers::CUserConfigUtils::getInstance();
    if (config && config->getAntoAnswer()) {
        qInfo("Call incoming and auto answer");
        call->acceptCall(!info.isAudioOnly);
    }
}

void CLayoutBackgroundDlg::slotOnWinMax()
{
    m_maximize.maximize(this);
    m_bMaximized = m_maximize.isMaximized();
}

void CLayoutBackgroundDlg::slotOnWinRestore()
{
    m_maximize.restore(this);
    m_bMaximized = false;
}

void CLayoutBackgroundDlg::slotOnHangUp()
{
    CCallController *call = CCallController::getInstance();
    if (call->getCallStatus() == enums::ConfIncoming)
        call->declineCall();
    else
        call->hangUp();
}

void CLayoutBackgroundDlg::slotOnAccept()
{
    CCallController::getInstance()->acceptCall(true);
}

void CLayoutBackgroundDlg::slotOnLanguageChanged()
{
    updateTexts();
}

void CLayoutBackgroundDlg::closeEvent(QCloseEvent *event)
{
    // Closing the call window leaves the call; the application goes on.
    event->ignore();
    slotOnHangUp();
}

void CLayoutBackgroundDlg::updateTexts()
{
    setWindowTitle(tr("PRODUCT_NAME"));
    CCallController *call = CCallController::getInstance();
    const enums::CallStatus status = call->getCallStatus();
    // The pure number: the dial string may carry the meeting password.
    const QString peer = QString::fromStdString(call->getCallInfo().peer);
    if (status == enums::ConfIncoming)
        m_pLblConfName->setText(m_qstrPeer);
    else if (status == enums::ConfConnected && !peer.isEmpty())
        m_pLblConfName->setText(peer);
    else
        m_pLblConfName->setText(call->m_confName.isEmpty() ? call->getPureConfNumber() : call->m_confName);
    switch (status) {
    case enums::ConfDialing:
        m_pLblStatus->setText(tr("Connecting..."));
        break;
    case enums::ConfIncoming:
        m_pLblStatus->setText(tr("Incoming call"));
        break;
    case enums::ConfConnected:
        m_pLblStatus->setText(tr("Connected"));
        break;
    default:
        m_pLblStatus->setText(tr("Call ended"));
        break;
    }
    m_pLblDuration->setText(status == enums::ConfConnected
                                ? QTime(0, 0).addSecs(m_iDurationSecs).toString(QStringLiteral("hh:mm:ss"))
                                : QString());
    m_pBtnAccept->setText(tr("Answer"));
    m_pBtnAccept->setVisible(status == enums::ConfIncoming);
    m_pBtnHangUp->setText(status == enums::ConfIncoming ? tr("Decline") : tr("Leave"));
}

} // namespace rj_app::views
