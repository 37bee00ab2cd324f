#include "views/main/CLoginDlg.h"

#include "views/framework/CAppLifetimeInstance.h"

#include "ui_CLoginDlg.h"

#include "helpers/CAppConfigUtils.h"
#include "helpers/CResourceUsageMonitor.h"
#include "helpers/LogMacros.h"
#include "models/CLinguist.h"
#include "models/CLoginManager.h"
#include "models/CUrlJoinConfArgsParser.h"
#include "views/framework/CWaitingDlg.h"
#include "views/incall/CContainerSettingsFormWidget.h"
#include "views/main/CLoginChangePasswordForm.h"
#include "views/main/CLoginInfoForm.h"
#include "views/main/CLoginJoinConfForm.h"
#include "views/main/CMainDlgManager.h"
#include "views/settings/CDownloadThread.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDebug>
#include <QIcon>
#include <QShowEvent>
#include <QTimer>

namespace rj_app::views {

using enums::LoginProgress;
using enums::LoginStatus;
using helpers::CAppConfigUtils;
using models::CLoginManager;

namespace {

const QString kStyleBase = QStringLiteral(":/resources/qss/login-dlg");
constexpr int kLogoWidth = 272;
constexpr int kLogoHeight = 44;

enum PageIndex { Page_LoginInfo = 0, Page_JoinConf = 1, Page_ChangePassword = 2 };

const CAppConfigUtils *g_pAppConfig = nullptr;

} // namespace

CLoginDlg::CLoginDlg(QWidget *parent)
    : CBaseDlg(parent)
    , ui(std::make_unique<Ui::CLoginDlg>())
{
    ui->setupUi(this);
    // Pages are made without parent; the stacked widget takes them over.
    m_pLoginInfoForm = new CLoginInfoForm();
    m_pLoginJoinConfForm = new CLoginJoinConfForm();
    m_pLoginChangePasswordForm = new CLoginChangePasswordForm();

    dragAreaHeight = ui->m_pWgtTitlebar->height();
    setWindowTitle(tr("PRODUCT_NAME"));
    ui->m_pWgtTitlebar->setAttribute(Qt::WA_StyledBackground);
    ui->m_pBtnLogo->setIconSize(QSize(kLogoWidth, kLogoHeight));

    // The form's placeholder pages make way for the three pages.
    while (ui->m_pStackedWgtContent->count() > 0) {
        QWidget *placeholder = ui->m_pStackedWgtContent->widget(0);
        ui->m_pStackedWgtContent->removeWidget(placeholder);
        delete placeholder;
    }
    ui->m_pStackedWgtContent->insertWidget(Page_LoginInfo, m_pLoginInfoForm);
    ui->m_pStackedWgtContent->insertWidget(Page_JoinConf, m_pLoginJoinConfForm);
    ui->m_pStackedWgtContent->insertWidget(Page_ChangePassword, m_pLoginChangePasswordForm);
    ui->m_pStackedWgtContent->setCurrentIndex(Page_LoginInfo);

    connect(ui->m_pBtnMin, &QPushButton::clicked, this, &QWidget::showMinimized);
    connect(ui->m_pBtnClose, &QPushButton::clicked, this, &QWidget::close);
    connect(ui->m_pBtnSetting, &QPushButton::clicked, this, &CLoginDlg::openSettingsWindow);

    CLoginManager *pLogin = CLoginManager::getInstance();
    connect(pLogin, &CLoginManager::loginProgressChanged, this, &CLoginDlg::onLoginProgressChanged);
    connect(pLogin, &CLoginManager::loginStatusChanged, this, &CLoginDlg::slotOnLoginStatusChanged);
    connect(models::CLinguist::getInstance(), &models::CLinguist::sigLanguageChanged, this,
            &CLoginDlg::slotOnLanguageChanged);
}

CLoginDlg::~CLoginDlg()
{
    // The process-wide overlay outlives this window. At exit it may already
    // be gone, and its accessor must not be asked again then.
    if (m_pWaitingDlg && m_pWaitingDlg->parentWidget() == this) {
        m_pWaitingDlg->hide();
        m_pWaitingDlg->setParent(nullptr);
    }
}

CLoginDlg *CLoginDlg::getInstance()
{
    static CAppLifetimeInstance<CLoginDlg> s_instance;
    return s_instance.get([] { return new CLoginDlg(nullptr); });
}

void CLoginDlg::setAppConfig(const CAppConfigUtils *config)
{
    g_pAppConfig = config;
}

const CAppConfigUtils *CLoginDlg::appConfig()
{
    return g_pAppConfig ? g_pAppConfig : CAppConfigUtils::getInstance();
}

void CLoginDlg::showWaitingDlg()
{
    CWaitingDlg *pWaiting = CWaitingDlg::getInstance();
    m_pWaitingDlg = pWaiting;
    if (pWaiting->parentWidget() != this)
        pWaiting->setParent(this, Qt::SplashScreen | Qt::FramelessWindowHint);
    pWaiting->show();
    pWaiting->move(pos());
    const QSize size = geometry().size();
    if (fStretchFactor > 0)
        pWaiting->setFixedSize(size);
    else
        pWaiting->setScaledFixedSize(size.width(), size.height());
}

void CLoginDlg::setLogoIcon()
{
    const double scale = fStretchFactor > 0 ? fStretchFactor : 1.0;
    const QString path =
        QStringLiteral(":/resources/images/login/logo-") + QString::number(scale, 'g', 6) + QStringLiteral("x.png");
    ui->m_pBtnLogo->setIcon(QIcon(path));
}

void CLoginDlg::closeEvent(QCloseEvent *event)
{
    qInfo() << "CLoginDlg::closeEvent";
    Q_UNUSED(event)
    emit sigClose();
}

void CLoginDlg::showEvent(QShowEvent *event)
{
    qDebug() << RJ_FUNCTION;
    m_scaler.init(width(), height(), this);
    CBaseDlg::showEvent(event);
    centerWindowOnScreen();

    // Until the delayed handling is done, and while a login runs.
    if (!m_bLoaded || CLoginManager::getInstance()->m_loginStatus == enums::LoggingIn)
        showWaitingDlg();
    CWaitingDlg *pWaiting = CWaitingDlg::getInstance();
    if (pWaiting->isVisible() && pWaiting->parentWidget() == this)
        pWaiting->move(pos());

    if (!m_pTimerDelayHandle4WinShow) {
        m_pTimerDelayHandle4WinShow = new QTimer(this);
        m_pTimerDelayHandle4WinShow->setSingleShot(true);
        m_pTimerDelayHandle4WinShow->setInterval(kDelayedShowMs);
        connect(m_pTimerDelayHandle4WinShow, &QTimer::timeout, this, &CLoginDlg::slotOnTimerDelayHandle4WinShow,
                Qt::UniqueConnection);
    }
    m_pTimerDelayHandle4WinShow->start();
}

void CLoginDlg::slotOnTimerDelayHandle4WinShow()
{
    const int protocol = models::CUrlJoinConfArgsParser::getInstance()->m_iJoinConfProtocol;
    qInfo() << RJ_FUNCTION << "loaded:" << m_bLoaded << ", join URL protocol:" << protocol;
    if (m_bLoaded) {
        if (protocol != models::UrlJoinConfProtocol_None)
            CMainDlgManager::getInstance()->execUrlJoinConfInUnloginStatus(protocol);
        followLoginStatusWithOverlay();
        return;
    }
    m_bLoaded = true;

    CLoginManager *pLogin = CLoginManager::getInstance();
    pLogin->initRJSdkManagerInstance();
    onLoginProgressChanged(pLogin->m_loginProgress);
    CMainDlgManager::getInstance()->initialize();

    // Read again: a second start's URL that came before the engine was kept
    // for this moment, and replaces the one of the command line.
    const int pendingProtocol = models::CUrlJoinConfArgsParser::getInstance()->m_iJoinConfProtocol;
    if (pendingProtocol != models::UrlJoinConfProtocol_None) {
        CMainDlgManager::getInstance()->execUrlJoinConfInUnloginStatus(pendingProtocol);
    } else {
        const bool bAutoLogin = pLogin->tryAutoLogin(false);
        qInfo() << RJ_FUNCTION << "automatic login started:" << bAutoLogin;
    }

    m_pLoginInfoForm->refreshData();
    m_pLoginJoinConfForm->refreshData();

    CDownloadThread::getInstance()->Tstart(true, false);
    if (appConfig()->getDisableResourceMonitor())
        qInfo() << "Disable resource monitor";
    else
        startResourceMonitor();

    followLoginStatusWithOverlay();
}

// The overlay stays exactly while a login runs, whoever started it: the
// automatic login, or a join URL that signs in first.
void CLoginDlg::followLoginStatusWithOverlay()
{
    const LoginStatus status = CLoginManager::getInstance()->m_loginStatus;
    CWaitingDlg *pWaiting = CWaitingDlg::getInstance();
    if (status == enums::LoggingIn) {
        if (!pWaiting->isVisible() && isVisible())
            showWaitingDlg();
    } else if (pWaiting->isVisible() && pWaiting->parentWidget() == this) {
        pWaiting->hide();
    }
}

void CLoginDlg::startResourceMonitor()
{
    // One monitor for the process; it ends with the application object.
    static helpers::CResourceUsageMonitor *s_pMonitor = nullptr;
    if (s_pMonitor)
        return;
    s_pMonitor = new helpers::CResourceUsageMonitor();
    s_pMonitor->setParent(QCoreApplication::instance());
    s_pMonitor->startMonitor();
}

void CLoginDlg::onLoginProgressChanged(LoginProgress loginProgress)
{
    qInfo() << RJ_FUNCTION << int(loginProgress);
    switch (loginProgress) {
    case enums::NoPageChosen:
    case enums::LoginInfoPage:
        ui->m_pStackedWgtContent->setCurrentIndex(Page_LoginInfo);
        break;
    case enums::JoinConfPage:
        ui->m_pStackedWgtContent->setCurrentIndex(Page_JoinConf);
        break;
    case enums::ChangePasswordPage:
        m_pLoginChangePasswordForm->clearPasswords();
        ui->m_pStackedWgtContent->setCurrentIndex(Page_ChangePassword);
        break;
    default:
        qWarning() << RJ_FUNCTION << "unknown login progress" << int(loginProgress);
        break;
    }
}

void CLoginDlg::slotOnLoginStatusChanged(LoginStatus loginStatus)
{
    qInfo() << RJ_FUNCTION << int(loginStatus);
    if (loginStatus == enums::LoggingIn) {
        // A hidden window gets its overlay when it is shown.
        if (isVisible())
            showWaitingDlg();
        return;
    }
    CWaitingDlg *pWaiting = CWaitingDlg::getInstance();
    if (pWaiting->parentWidget() == this)
        pWaiting->hide();
}

void CLoginDlg::slotOnLanguageChanged()
{
    ui->retranslateUi(this);
    // The form has no title of its own; the product name stays the title.
    setWindowTitle(tr("PRODUCT_NAME"));
    setLogoIcon();
}

void CLoginDlg::onDpiChanged()
{
    qInfo() << RJ_FUNCTION << fStretchFactor;
    setStyleSheet(QString());
    m_pLoginInfoForm->updateQss(fStretchFactor);
    m_pLoginJoinConfForm->updateQss(fStretchFactor);
    m_pLoginChangePasswordForm->updateQss(fStretchFactor);
    setStyleSheets(kStyleBase);
    m_scaler.rescale(fStretchFactor, this);
    dragAreaHeight = ui->m_pWgtTitlebar->height();
    setLogoIcon();
    const QSize logoSize(static_cast<int>(kLogoWidth * fStretchFactor), static_cast<int>(kLogoHeight * fStretchFactor));
    ui->m_pBtnLogo->setIconSize(logoSize);
    ui->m_pBtnLogo->setFixedSize(logoSize);
}

void CLoginDlg::openSettingsWindow()
{
    qInfo() << RJ_FUNCTION;
    auto *pSettings = new CContainerSettingsFormWidget(nullptr);
    pSettings->setAttribute(Qt::WA_DeleteOnClose);
    pSettings->setWindowModality(Qt::ApplicationModal);
    pSettings->show();
}

} // namespace rj_app::views
