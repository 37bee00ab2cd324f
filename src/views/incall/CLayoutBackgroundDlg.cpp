#include "views/incall/CLayoutBackgroundDlg.h"

#include "helpers/CUserConfigUtils.h"
#include "helpers/LogMacros.h"
#include "models/CCallController.h"
#include "models/CLinguist.h"
#include "models/CLoginManager.h"
#include "models/CRJSdkManager.h"
#include "views/framework/CAppLifetimeInstance.h"
#include "views/framework/CModualDlgsManager.h"
#include "views/framework/OutermostOwner.h"
#include "views/framework/PlaceKeeper.h"
#include "views/incall/CEventFilter.h"
#include "views/incall/CLayoutPeopleSettingDlg.h"
#include "views/incall/CLayoutToolbarDlg.h"
#include "views/incall/CallInviteWidget.h"
#include "views/incall/CallWaitingWidget.h"
#include "views/framework/WindowFlags.h"
#include "views/incall/CompactWidget.h"
#include "views/main/CMainDlgManager.h"

#include <QCloseEvent>
#include <QCursor>
#include <QDebug>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSpacerItem>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>
#include <qpa/qwindowsysteminterface.h>

namespace rj_app::views {

using models::CCallController;
using models::CRJSdkManager;

namespace {
const QString kStyleBase = QStringLiteral(":/resources/qss/layout-background-dlg");
// Frameless, minimisable, fixed size; the window-type bits stay clear.
const Qt::WindowFlags kWindowFlags = Qt::FramelessWindowHint | Qt::WindowMinimizeButtonHint
                                     | Qt::MSWindowsFixedSizeDialogHint;
constexpr int kTitleBarHeight = 40;
constexpr int kNormalWidth = 1280;
constexpr int kNormalHeight = 760;

QPushButton *titleButton(QWidget *parent, const char *name)
{
    auto *button = new QPushButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setFixedSize(40, 40);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

bool inCall(enums::CallStatus status)
{
    return status != enums::Idle && status != enums::ConfEnded;
}
} // namespace

CLayoutBackgroundDlg *CLayoutBackgroundDlg::getInstance()
{
    static CAppLifetimeInstance<CLayoutBackgroundDlg> s_instance;
    return s_instance.get([] { return new CLayoutBackgroundDlg; });
}

CLayoutBackgroundDlg::CLayoutBackgroundDlg()
    : CBaseDlg(nullptr)
{
    setupForm();
    setWindowFlags(kWindowFlags);
    setWindowTitle(tr("PRODUCT_NAME"));
    dragAreaHeight = m_pWgtTitleBar->height();

    m_pLayoutPeopleSettingDlg = new CLayoutPeopleSettingDlg(this);
    m_pLayoutPeopleSettingDlg->m_iTitleBarHeight = m_pWgtTitleBar->height();
    m_pLayoutPeopleSettingDlg->setRemoteVideoWindows();
    // Windows laid over the call window (cells, covers, toolbar, popups,
    // questions, strip) stay in its layer: full screen and compact included.
    new COutermostOwner(this);
    // Not in full screen, whose place the window manager sets a moment later
    // and resizeEvent knows already.
    new CServerPlaceFollower(this, [this] { return m_bFullScreen; });
    m_pEventFilter = new CEventFilter(this);
    m_pLayoutPeopleSettingDlg->setEventFilter(m_pEventFilter);

    m_pCallWaitingWidget = new CallWaitingWidget(nullptr);
    m_pCallWaitingWidget->setParent(this, Qt::SplashScreen);
    m_pCallWaitingWidget->hide();
    m_pCallInviteWidget = new CallInviteWidget(nullptr);
    m_pCallInviteWidget->setParent(this, Qt::SplashScreen);
    m_pCallInviteWidget->hide();
    m_pBtnRestore->hide();
    m_pBtnFullScreen_Exit->hide();

    CCallController *call = CCallController::getInstance();
    connect(call, &CCallController::sigCallStatusChanged, this, &CLayoutBackgroundDlg::slotOnCallStatusChanged);
    if (CRJSdkManager *sdk = CRJSdkManager::getInstance())
        connect(sdk, &CRJSdkManager::eventCallIncoming, this, &CLayoutBackgroundDlg::slotOnCallIncoming);
    connect(call, &CCallController::sigWaitQueue, this, &CLayoutBackgroundDlg::slotOnWaitQueue);
    if (CRJSdkManager *sdk = CRJSdkManager::getInstance())
        connect(sdk, &CRJSdkManager::eventNetworkQuality, this, &CLayoutBackgroundDlg::slotOnNetworkQuality);
    connect(m_pBtnNetworkQuality, &QPushButton::clicked, this, &CLayoutBackgroundDlg::slotOnNetworkQualityClicked);
    connect(m_pBtnMin, &QPushButton::clicked, this, &CLayoutBackgroundDlg::slotOnWinMin);
    connect(m_pBtnMax, &QPushButton::clicked, this, &CLayoutBackgroundDlg::slotOnWinMax);
    connect(m_pBtnRestore, &QPushButton::clicked, this, &CLayoutBackgroundDlg::slotOnWinRestore);
    connect(m_pBtnFullScreen, &QPushButton::clicked, this, &CLayoutBackgroundDlg::slotOnWinFullScreen);
    connect(m_pBtnFullScreen_Exit, &QPushButton::clicked, this, &CLayoutBackgroundDlg::slotOnWinFullScreenExit);
    connect(models::CLinguist::getInstance(), &models::CLinguist::sigLanguageChanged, this,
            &CLayoutBackgroundDlg::slotOnLanguageChanged);
    connect(m_pCallWaitingWidget, &CallWaitingWidget::sigHangUp, this,
            &CLayoutBackgroundDlg::slotOnCallWaitingWidgetHangUp);
    connect(m_pCallInviteWidget, &CallInviteWidget::sigAcceptCall, this, &CLayoutBackgroundDlg::slotOnAcceptCall);
    connect(m_pCallInviteWidget, &CallInviteWidget::sigHangUp, this, &CLayoutBackgroundDlg::slotOncallInviteHangup);
    connect(m_pLayoutPeopleSettingDlg, &CLayoutPeopleSettingDlg::sigSwitchFullScreen, this,
            &CLayoutBackgroundDlg::slotOnSwitchFullScreen);
    connect(m_pLayoutPeopleSettingDlg, &CLayoutPeopleSettingDlg::sigFullScreenButtonVisible, this,
            &CLayoutBackgroundDlg::slotFullScreenButtonVisible);

    m_pWgtTitleBar->installEventFilter(m_pEventFilter);
    installEventFilter(m_pEventFilter);
}

CLayoutBackgroundDlg::~CLayoutBackgroundDlg()
{
    delete m_pTimerCallDuration;
    m_pTimerCallDuration = nullptr;
    // The layout dialog stops the screen feeder before it goes.
    delete m_pLayoutPeopleSettingDlg;
    m_pLayoutPeopleSettingDlg = nullptr;
    for (QWidget *overlay : {static_cast<QWidget *>(m_pCallWaitingWidget), static_cast<QWidget *>(m_pCallInviteWidget)}) {
        overlay->setParent(nullptr);
        delete overlay;
    }
    m_pCallWaitingWidget = nullptr;
    m_pCallInviteWidget = nullptr;
    delete m_pEventFilter;
    m_pEventFilter = nullptr;
}

void CLayoutBackgroundDlg::setupForm()
{
    setObjectName(QStringLiteral("CLayoutBackgroundDlg"));
    resize(1030, 625);
    setMaximumSize(4096, 3112);
    verticalLayout = new QVBoxLayout(this);
    verticalLayout->setObjectName(QStringLiteral("verticalLayout"));
    verticalLayout->setContentsMargins(1, 1, 1, 1);
    verticalLayout->setSpacing(0);

    m_pWgtTitleBar = new QWidget(this);
    m_pWgtTitleBar->setObjectName(QStringLiteral("m_pWgtTitleBar"));
    m_pWgtTitleBar->setAttribute(Qt::WA_StyledBackground);
    m_pWgtTitleBar->setFixedHeight(kTitleBarHeight);
    auto *titleRow = new QHBoxLayout(m_pWgtTitleBar);
    titleRow->setContentsMargins(0, 0, 0, 0);
    titleRow->setSpacing(0);

    m_pLeftWidget = new QWidget(m_pWgtTitleBar);
    m_pLeftWidget->setObjectName(QStringLiteral("m_pLeftWidget"));
    m_pLeftWidget->setMaximumWidth(300);
    auto *leftRow = new QHBoxLayout(m_pLeftWidget);
    leftRow->setContentsMargins(8, 0, 0, 0);
    leftRow->setSpacing(6);
    m_pBtnNetworkQuality = new QPushButton(m_pLeftWidget);
    m_pBtnNetworkQuality->setObjectName(QStringLiteral("m_pBtnNetworkQuality"));
    m_pBtnNetworkQuality->setFixedSize(24, 24);
    m_pBtnNetworkQuality->setFocusPolicy(Qt::NoFocus);
    widget_Encryption = new QWidget(m_pLeftWidget);
    widget_Encryption->setObjectName(QStringLiteral("widget_Encryption"));
    auto *encryptionRow = new QHBoxLayout(widget_Encryption);
    encryptionRow->setContentsMargins(0, 0, 0, 0);
    m_pLblEncryption = new QLabel(widget_Encryption);
    m_pLblEncryption->setObjectName(QStringLiteral("m_pLblEncryption"));
    m_pLblEncryption->setFixedSize(24, 24);
    encryptionRow->addWidget(m_pLblEncryption);
    m_pLblCallDuration = new QLabel(m_pLeftWidget);
    m_pLblCallDuration->setObjectName(QStringLiteral("m_pLblCallDuration"));
    m_pLblCallDuration->setMinimumWidth(100);
    m_pLblCallDuration->setMaximumWidth(300);
    leftRow->addWidget(m_pBtnNetworkQuality);
    leftRow->addWidget(widget_Encryption);
    leftRow->addWidget(m_pLblCallDuration);
    leftRow->addStretch();

    m_pLblConfNumber = new QLabel(m_pWgtTitleBar);
    m_pLblConfNumber->setObjectName(QStringLiteral("m_pLblConfNumber"));
    m_pLblConfNumber->setAlignment(Qt::AlignCenter);
    m_pLblConfNumber->setFixedHeight(40);
    m_pLblConfNumber->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    m_pRightWidget = new QWidget(m_pWgtTitleBar);
    m_pRightWidget->setObjectName(QStringLiteral("m_pRightWidget"));
    m_pRightWidget->setMaximumWidth(300);
    auto *rightRow = new QHBoxLayout(m_pRightWidget);
    rightRow->setContentsMargins(0, 0, 0, 0);
    rightRow->setSpacing(0);
    rightRow->addStretch();
    m_pBtnMin = titleButton(m_pRightWidget, "m_pBtnMin");
    m_pBtnMax = titleButton(m_pRightWidget, "m_pBtnMax");
    m_pBtnRestore = titleButton(m_pRightWidget, "m_pBtnRestore");
    m_pBtnFullScreen = titleButton(m_pRightWidget, "m_pBtnFullScreen");
    m_pBtnFullScreen_Exit = titleButton(m_pRightWidget, "m_pBtnFullScreen_Exit");
    for (QPushButton *b : {m_pBtnMin, m_pBtnMax, m_pBtnRestore, m_pBtnFullScreen, m_pBtnFullScreen_Exit})
        rightRow->addWidget(b);

    titleRow->addWidget(m_pLeftWidget);
    titleRow->addWidget(m_pLblConfNumber);
    titleRow->addWidget(m_pRightWidget);
    verticalLayout->addWidget(m_pWgtTitleBar);

    widget = new QWidget(this);
    widget->setObjectName(QStringLiteral("widget"));
    verticalLayout_2 = new QVBoxLayout(widget);
    verticalLayout_2->setObjectName(QStringLiteral("verticalLayout_2"));
    verticalLayout_2->setContentsMargins(0, 0, 0, 0);
    verticalLayout->addWidget(widget);
}

QWidget *CLayoutBackgroundDlg::getScreenDrawing() const
{
    return m_pLayoutPeopleSettingDlg ? m_pLayoutPeopleSettingDlg->getScreenDrawing() : nullptr;
}

void CLayoutBackgroundDlg::stopScreenFeeder()
{
    qInfo("%s", RJ_FUNCTION);
    if (m_pLayoutPeopleSettingDlg)
        m_pLayoutPeopleSettingDlg->stopScreenFeeder();
}

void CLayoutBackgroundDlg::setClock(std::function<QDateTime()> clock)
{
    m_clock = std::move(clock);
}

QDateTime CLayoutBackgroundDlg::now() const
{
    return m_clock ? m_clock() : QDateTime::currentDateTime();
}

double CLayoutBackgroundDlg::scale() const
{
    return fStretchFactor > 0 ? fStretchFactor : 1.0;
}

int CLayoutBackgroundDlg::titleHeight() const
{
    return isFullScreen() ? 0 : m_pWgtTitleBar->height();
}

QString CLayoutBackgroundDlg::formatCallDuration(qint64 seconds)
{
    if (seconds < 0)
        seconds = 0;
    const qint64 hours = seconds / 3600;
    const qint64 rest = seconds % 3600;
    const qint64 minutes = rest / 60;
    const qint64 secs = rest % 60;
    auto part = [](qint64 value) {
        return value < 10 ? QStringLiteral("0") + QString::number(value) : QString::number(value);
    };
    return part(hours) + QLatin1Char(':') + part(minutes) + QLatin1Char(':') + part(secs);
}

// --- call status and incoming calls ---------------------------------------

void CLayoutBackgroundDlg::slotOnCallStatusChanged(rj_app::enums::CallStatus callStatus)
{
    qInfo() << RJ_FUNCTION << "callStatus:" << callStatus;
    CCallController *call = CCallController::getInstance();
    switch (callStatus) {
    case enums::Idle:
    case enums::ConfEnded:
        if (m_bCompactMode) {
            m_bCompactMode = false;
            setCompactMode(false);
            CMainDlgManager::getInstance()->updateMainDlgVisibility();
        }
        m_pLblConfNumber->clear();
        m_pCallWaitingWidget->onSetPeopleNumber(QString());
        m_pCallWaitingWidget->hide();
        m_pCallInviteWidget->hide();
        if (m_pTimerCallDuration)
            m_pTimerCallDuration->stop();
        break;
    case enums::ConfDialing:
        m_pLblCallDuration->setText(QStringLiteral("00:00:00"));
        setNetworkQuality(5);
        m_pLblConfNumber->setText(call->getDisplayConfName());
        m_pCallInviteWidget->hide();
        m_pCallWaitingWidget->onSetMeetingNumber(call->getDisplayConfName());
        m_pCallWaitingWidget->show();
        placeOverlay(m_pCallWaitingWidget);
        slotFullScreenButtonVisible(false);
        break;
    case enums::ConfIncoming:
        m_pLblCallDuration->setText(QStringLiteral("00:00:00"));
        setNetworkQuality(5);
        m_pLblConfNumber->clear();
        m_pCallInviteWidget->hide();
        m_pCallWaitingWidget->onSetMeetingNumber(call->getConfNumber());
        m_pCallWaitingWidget->show();
        placeOverlay(m_pCallWaitingWidget);
        slotFullScreenButtonVisible(false);
        break;
    case enums::ConfConnected: {
        startCallDurationTimer();
        updatEncryptionStats();
        // Engine texts are UTF-8; a caller's name must not turn into mojibake.
        m_pLblConfNumber->setText(QString::fromStdString(call->getCallInfo().peer));
        m_pCallInviteWidget->hide();
        m_pCallWaitingWidget->onSetPeopleNumber(QString());
        m_pCallWaitingWidget->hide();
        if (call->getCallTypes() != 2)
            slotFullScreenButtonVisible(true);
        m_pLayoutPeopleSettingDlg->show();
        m_pLayoutPeopleSettingDlg->onParentResized(geometry());
        m_pLayoutPeopleSettingDlg->move(2, titleHeight() + 2);
        m_pLayoutPeopleSettingDlg->onParentMoved(x(), y());
        m_pLayoutPeopleSettingDlg->initFloatingDlgPos();
        if (call->getCallTypes() == 3)
            m_pLayoutPeopleSettingDlg->updateLayout();
        helpers::CUserConfigUtils *config = helpers::CUserConfigUtils::getInstance();
        if (config && config->getFullScreenOnCallConnected()) {
            qInfo("Full screen in config");
            slotOnWinFullScreen();
        }
        break;
    }
    default:
        if (callStatus == 3) {
            m_pLblCallDuration->setText(QStringLiteral("00:00:00"));
            setNetworkQuality(5);
        }
        break;
    }
}

void CLayoutBackgroundDlg::slotOnCallIncoming(rj::engine::RJCallInfo info)
{
    CCallController *call = CCallController::getInstance();
    const enums::CallStatus status = call->getCallStatus();
    if (inCall(status)) {
        qInfo() << "Not proper call status:" << status;
        return;
    }
    const enums::LoginStatus loginStatus = models::CLoginManager::getInstance()->m_loginStatus;
    if (loginStatus != enums::LoggedIn && loginStatus != enums::AnonymousLoggedIn) {
        qInfo() << "Not proper login status:" << loginStatus;
        return;
    }
    CModualDlgsManager::closeAllModualDlgs(false);
    call->onCallIncoming(info);
    helpers::CUserConfigUtils *config = helpers::CUserConfigUtils::getInstance();
    if (config && config->getAntoAnswer()) {
        qInfo("Call incoming and auto answer");
        call->acceptCall(!info.isAudioOnly);
        return;
    }
    m_pCallWaitingWidget->hide();
    m_pCallInviteWidget->show();
    placeOverlay(m_pCallInviteWidget);
    m_pCallInviteWidget->onSetMeetingNumber(QString::fromStdString(info.peer));
    m_pCallInviteWidget->setIsAudioOnlyCall(info.isAudioOnly);
    slotFullScreenButtonVisible(false);
}

void CLayoutBackgroundDlg::slotOnAcceptCall(bool bIsAudioOnly)
{
    CCallController::getInstance()->acceptCall(!bIsAudioOnly);
}

void CLayoutBackgroundDlg::slotOncallInviteHangup()
{
    CCallController *call = CCallController::getInstance();
    call->declineCall();
    m_pCallInviteWidget->hide();
    call->hangUp();
}

void CLayoutBackgroundDlg::slotOnCallWaitingWidgetHangUp()
{
    CCallController::getInstance()->hangUp();
}

void CLayoutBackgroundDlg::slotOnWaitQueue(int iQueueSize)
{
    qInfo() << "CLayoutBackgroundDlg::slotOnWaitQueue:" << iQueueSize;
    m_pCallWaitingWidget->onSetPeopleNumber(QString::number(iQueueSize));
}

// --- duration, encryption, network quality --------------------------------

void CLayoutBackgroundDlg::startCallDurationTimer()
{
    if (!m_pTimerCallDuration) {
        m_pTimerCallDuration = new QTimer;
        m_pTimerCallDuration->setInterval(1000);
        connect(m_pTimerCallDuration, &QTimer::timeout, this, &CLayoutBackgroundDlg::slotOnTimerRefreshCallDuration);
    }
    m_pTimerCallDuration->start();
    m_dtCallStart = now();
}

void CLayoutBackgroundDlg::slotOnTimerRefreshCallDuration()
{
    m_pLblCallDuration->setText(formatCallDuration(m_dtCallStart.secsTo(now())));
}

void CLayoutBackgroundDlg::updatEncryptionStats()
{
    CRJSdkManager *sdk = CRJSdkManager::getInstance();
    rj::engine::RJStats stats;
    if (!sdk || !sdk->getStats(stats))
        return;
    widget_Encryption->setVisible(stats.count > 0 && stats.streams[0].encrypted);
}

void CLayoutBackgroundDlg::slotOnNetworkQuality(float fQualityRating)
{
    qInfo() << "fQualityRating:" << fQualityRating;
    setNetworkQuality(static_cast<int>(fQualityRating));
}

void CLayoutBackgroundDlg::setNetworkQuality(int iQualityRating)
{
    qInfo() << "iQualityRating:" << iQualityRating;
    if (iQualityRating == m_iNetworkQuality)
        return;
    qInfo("Network quality rating will changing from %d to %d", m_iNetworkQuality, iQualityRating);
    if (iQualityRating < 1) {
        qInfo("Network quality rating is less than 1 and set it to 1");
        iQualityRating = 1;
    }
    if (iQualityRating > 5)
        iQualityRating = 5;
    m_iNetworkQuality = iQualityRating;
    m_pBtnNetworkQuality->setStyleSheet(
        QStringLiteral("border-image: url(:/resources/images/icon_call_quality_level%1.png)").arg(iQualityRating));
}

void CLayoutBackgroundDlg::slotOnNetworkQualityClicked()
{
    m_pLayoutPeopleSettingDlg->showMediaStatisticsDlg();
}

// --- window modes ---------------------------------------------------------

void CLayoutBackgroundDlg::slotOnWinMin()
{
    qInfo("%s", RJ_FUNCTION);
    if (m_pLayoutPeopleSettingDlg->getLayoutMode() == enums::LayoutMode_AudioOnly) {
        setWindowState(windowState() | Qt::WindowMinimized);
        return;
    }
    m_bCompactMode = !m_bCompactMode;
    setCompactMode(m_bCompactMode);
}

void CLayoutBackgroundDlg::slotOnWinMax()
{
    qInfo("%s", RJ_FUNCTION);
    if (!m_maximize.maximize(this))
        return;
    m_bMaximized = true;
    m_pBtnMax->hide();
    m_pBtnRestore->show();
}

void CLayoutBackgroundDlg::slotOnWinRestore()
{
    qInfo("%s", RJ_FUNCTION);
    if (!m_bMaximized)
        return;
    m_bMaximized = false;
    m_maximize.restore(this);
    m_pBtnMax->show();
    m_pBtnRestore->hide();
}

void CLayoutBackgroundDlg::slotOnWinFullScreen()
{
    const enums::CallStatus status = CCallController::getInstance()->getCallStatus();
    if (!inCall(status)) {
        qWarning() << "Can not full screen for invalid call status:" << status;
        return;
    }
    if (m_bFullScreen)
        return;
    if (m_bCompactMode) {
        qWarning("Can not full screen in compact mode");
        return;
    }
    m_pLayoutPeopleSettingDlg->m_iTitleBarHeight = 0;
    m_bFullScreen = true;
    m_rectBeforeFullScreen = geometry();
    // A fixed size keeps the window manager from giving the window the
    // whole screen.
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    showFullScreen();
    m_pBtnMin->hide();
    m_pBtnMax->hide();
    m_pBtnRestore->hide();
    m_pBtnFullScreen->hide();
    m_pBtnFullScreen_Exit->show();
    verticalLayout->removeWidget(m_pWgtTitleBar);
    CLayoutToolbarDlg *toolbar = m_pLayoutPeopleSettingDlg->getToolbarDlg();
    m_pWgtTitleBar->setParent(toolbar, Qt::SplashScreen | Qt::FramelessWindowHint);
    m_pWgtTitleBar->hide();
    placeFullScreenTitleBar();
    layoutAfterTitleBarChange();
}

// The window may keep its size (a maximised window is as large as a screen
// without panels): the video takes or gives back the title bar's height all
// the same.
void CLayoutBackgroundDlg::layoutAfterTitleBarChange()
{
    updatePos4LayoutPeopleDlg();
    if (CCallController::getInstance()->getCallStatus() == enums::ConfConnected)
        informLayoutOfGeometry();
}

void CLayoutBackgroundDlg::placeFullScreenTitleBar()
{
    m_pLayoutPeopleSettingDlg->getToolbarDlg()->setTitleBarWidget(
        m_pWgtTitleBar, QRect(geometry().topLeft(), QSize(width(), m_pWgtTitleBar->height())));
}

void CLayoutBackgroundDlg::slotOnWinFullScreenExit()
{
    if (!m_bFullScreen)
        return;
    m_pLayoutPeopleSettingDlg->m_iTitleBarHeight = m_pWgtTitleBar->height();
    m_bFullScreen = false;
    showNormal();
    if (m_rectBeforeFullScreen.isValid()) {
        setFixedSize(m_rectBeforeFullScreen.size());
        move(m_rectBeforeFullScreen.topLeft());
    }
    m_pLayoutPeopleSettingDlg->getToolbarDlg()->setTitleBarWidget(nullptr, QRect());
    showTitleBarInLayout();
    m_pBtnMin->show();
    m_pBtnMax->setVisible(!m_bMaximized);
    m_pBtnRestore->setVisible(m_bMaximized);
    m_pBtnFullScreen->show();
    m_pBtnFullScreen_Exit->hide();
    layoutAfterTitleBarChange();
}

void CLayoutBackgroundDlg::showTitleBarInLayout()
{
    if (m_pWgtTitleBar->parentWidget() != this)
        m_pWgtTitleBar->setParent(this, Qt::Widget);
    verticalLayout->removeWidget(m_pWgtTitleBar);
    verticalLayout->insertWidget(0, m_pWgtTitleBar);
    m_pWgtTitleBar->show();
}

void CLayoutBackgroundDlg::slotOnSwitchFullScreen()
{
    qInfo() << "isFullScreen:" << m_bFullScreen;
    if (m_bFullScreen)
        slotOnWinFullScreenExit();
    else
        slotOnWinFullScreen();
}

void CLayoutBackgroundDlg::slotFullScreenButtonVisible(bool nflag)
{
    if (nflag) {
        m_pBtnFullScreen->show();
        m_pBtnMin->show();
        return;
    }
    if (m_bFullScreen)
        slotOnWinFullScreenExit();
    m_pBtnFullScreen->hide();
    m_pBtnMin->hide();
}

QScreen *CLayoutBackgroundDlg::resolveCompactScreen(const QPoint &cursor, const QWidget *window)
{
    if (QScreen *screen = QGuiApplication::screenAt(cursor))
        return screen;
    if (window) {
        if (QScreen *screen = QGuiApplication::screenAt(window->geometry().center()))
            return screen;
    }
    return QGuiApplication::primaryScreen();
}

void CLayoutBackgroundDlg::setTitleItemsVisible(bool visible)
{
    m_pBtnNetworkQuality->setVisible(visible);
    m_pLblCallDuration->setVisible(visible);
    m_pLblConfNumber->setVisible(visible);
    if (!visible)
        widget_Encryption->hide();
}

void CLayoutBackgroundDlg::applyCompactGeometry(QScreen *screen)
{
    const QRect available = screen->availableGeometry();
    const double width = available.width() / 5.0;
    const double height = width / 16 * 9 + 40 * scale();
    qInfo() << "width:" << width << ", height:" << height;
    setFixedSize(static_cast<int>(width), static_cast<int>(height));
    move(available.topLeft() + QPoint(50, 50));
}

void CLayoutBackgroundDlg::setCompactMode(bool flag)
{
    qInfo() << RJ_FUNCTION << "flag:" << flag << ", isFullScreen:" << isFullScreen();
    // Resolve the screen first: without one nothing may change half-way.
    QScreen *screen = resolveCompactScreen(QCursor::pos(), this);
    if (!screen) {
        qWarning("Failed to position the screen");
        m_bCompactMode = !flag;
        return;
    }
    m_bCompactMode = flag;
    m_pLayoutPeopleSettingDlg->setCompactMode(flag);
    if (flag) {
        if (m_bFullScreen)
            slotOnWinFullScreenExit();
        m_pBtnMin->hide();
        if (m_bMaximized)
            slotOnWinRestore();
        setStaysOnTop(true);
        qInfo("Compact and show again");
        show();
        verticalLayout->removeWidget(m_pWgtTitleBar);
        m_pWgtTitleBar->hide();
        if (!m_pCompactWidget) {
            m_pCompactWidget = new CompactWidget(nullptr);
            m_pCompactWidget->setParent(this);
            connect(m_pCompactWidget, &CompactWidget::sigMin, this, &CLayoutBackgroundDlg::slotOnCompactBtnMinClicked);
            connect(m_pCompactWidget, &CompactWidget::sigRecover, this,
                    &CLayoutBackgroundDlg::slotOnCompactBtnRecoverClicked);
        }
        m_pBtnMax->hide();
        m_pBtnRestore->hide();
        m_pBtnFullScreen->hide();
        m_pBtnFullScreen_Exit->hide();
        applyCompactGeometry(screen);
        informLayoutOfGeometry();
        verticalLayout->insertWidget(0, m_pCompactWidget);
        m_pCompactWidget->show();
        m_pCompactWidget->setFixedSize(width(), static_cast<int>(40 * scale()));
        m_pCompactWidget->onDpiUpdate(scale());
    } else {
        if (m_pCompactWidget) {
            verticalLayout->removeWidget(m_pCompactWidget);
            delete m_pCompactWidget;
            m_pCompactWidget = nullptr;
        }
        setStaysOnTop(false);
        qInfo("Not Compact and show again");
        show();
        if (m_bFullScreen) {
            slotOnWinFullScreenExit();
        } else {
            showTitleBarInLayout();
            m_pBtnMin->show();
            m_pBtnMax->setVisible(!m_bMaximized);
            m_pBtnRestore->setVisible(m_bMaximized);
            m_pBtnFullScreen->show();
        }
        onDpiChanged();
        centerWindowOnScreen();
    }
    setTitleItemsVisible(!flag);
    // Above or not, the window manager raised the call window over the video
    // laid on it.
    m_pLayoutPeopleSettingDlg->raiseOverCallWindow();
    if (!flag)
        updatEncryptionStats();
}

void CLayoutBackgroundDlg::setStaysOnTop(bool onTop)
{
    const Qt::WindowFlags flags = onTop ? kWindowFlags | Qt::WindowStaysOnTopHint : kWindowFlags;
    // A new native window would leave the windows the call owns (video cells,
    // covers, toolbar) naming the old one as their owner, and the window
    // manager would stack them beneath the call window.
    if (!setWindowFlagsInPlace(this, flags))
        setWindowFlags(flags);
}

void CLayoutBackgroundDlg::slotOnCompactBtnMinClicked()
{
    setWindowState(windowState() | Qt::WindowMinimized);
}

void CLayoutBackgroundDlg::slotOnCompactBtnRecoverClicked()
{
    m_bCompactMode = !m_bCompactMode;
    setCompactMode(m_bCompactMode);
}

// --- geometry upkeep ------------------------------------------------------

void CLayoutBackgroundDlg::informLayoutOfGeometry()
{
    m_pLayoutPeopleSettingDlg->onParentResized(geometry());
    m_pLayoutPeopleSettingDlg->onParentMoved(x(), y());
}

void CLayoutBackgroundDlg::placeOverlay(QWidget *overlay)
{
    const int title = titleHeight();
    overlay->setFixedSize(width(), height() - title);
    overlay->move(x(), y() + title);
}

void CLayoutBackgroundDlg::placeVisibleOverlays()
{
    for (QWidget *overlay : {static_cast<QWidget *>(m_pCallWaitingWidget), static_cast<QWidget *>(m_pCallInviteWidget)}) {
        if (overlay && overlay->isVisible())
            placeOverlay(overlay);
    }
}

void CLayoutBackgroundDlg::moveEvent(QMoveEvent *event)
{
    CBaseDlg::moveEvent(event);
    if (m_bMaximized && isDragging())
        slotOnWinRestore();
    if (CCallController::getInstance()->getCallStatus() == enums::ConfConnected) {
        m_pLayoutPeopleSettingDlg->move(2, titleHeight() + 2);
        m_pLayoutPeopleSettingDlg->onParentMoved(x(), y());
    }
    if (m_bFullScreen)
        placeFullScreenTitleBar();
    placeVisibleOverlays();
}

void CLayoutBackgroundDlg::resizeEvent(QResizeEvent *event)
{
    qInfo() << RJ_FUNCTION << "size:" << width() << height();
    CBaseDlg::resizeEvent(event);
    if (m_bFullScreen && screen()) {
        // A full-screen window lies on its screen's top-left. Under a window
        // manager the X server may report the new size with the old place
        // and nothing after it: the layout, the toolbar and its Hang Up
        // would go where the window stood before, partly off the screen.
        // Only Qt's idea of the place is mended: a move asked of the window
        // manager now would become the place the window returns to.
        const QRect area = screen()->geometry();
        if (size() == area.size() && pos() != area.topLeft() && windowHandle()) {
            qInfo() << RJ_FUNCTION << "full screen reported at" << pos() << "lies at" << area.topLeft();
            QWindowSystemInterface::handleGeometryChange(windowHandle(), QRect(area.topLeft(), size()));
        }
    }
    if (CCallController::getInstance()->getCallStatus() == enums::ConfConnected)
        informLayoutOfGeometry();
    if (m_bFullScreen)
        placeFullScreenTitleBar();
    placeVisibleOverlays();
}

void CLayoutBackgroundDlg::showEvent(QShowEvent *event)
{
    qInfo() << RJ_FUNCTION << isVisible() << size() << isFullScreen() << windowState();
    if (isMinimized()) {
        qInfo("Minimized and can not show m_pLayoutPeopleSettingDlg");
        m_pLayoutPeopleSettingDlg->hide();
        m_pLayoutPeopleSettingDlg->onParentMinimized();
        return;
    }
    CBaseDlg::showEvent(event);
    if (m_pLayoutPeopleSettingDlg->isHidden()
        && CCallController::getInstance()->getCallStatus() == enums::ConfConnected)
        m_pLayoutPeopleSettingDlg->show();
    if (!m_bCompactMode && !m_bFullScreen)
        centerWindowOnScreen();
}

void CLayoutBackgroundDlg::hideEvent(QHideEvent *event)
{
    CBaseDlg::hideEvent(event);
    m_pLayoutPeopleSettingDlg->hide();
    if (isVisible() && isMinimized()) {
        qWarning("visible! should minimized");
        showMinimized();
    }
}

void CLayoutBackgroundDlg::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::WindowStateChange) {
        qInfo("Received WindowStateChange");
        refreshWindowStateBtns();
    }
    CBaseDlg::changeEvent(event);
}

void CLayoutBackgroundDlg::refreshWindowStateBtns()
{
    if (isMinimized()) {
        qInfo("Minimized and can not update m_pLayoutPeopleSettingDlg");
        m_pLayoutPeopleSettingDlg->onParentMinimized();
        return;
    }
    if (m_pLayoutPeopleSettingDlg->isHidden()
        && CCallController::getInstance()->getCallStatus() == enums::ConfConnected) {
        qInfo("m_pLayoutPeopleSettingDlg is invisible and show it");
        m_pLayoutPeopleSettingDlg->show();
    }
    updatePos4LayoutPeopleDlg();
    // Entering or leaving full screen, the window manager moves the call
    // window with the windows it owns to another layer, in an order of its
    // own: the mouse cover could end above the toolbar and take its clicks.
    QTimer::singleShot(0, m_pLayoutPeopleSettingDlg, &CLayoutPeopleSettingDlg::raiseOverCallWindow);
}

void CLayoutBackgroundDlg::updatePos4LayoutPeopleDlg()
{
    qInfo() << RJ_FUNCTION << "isFullScreen():" << isFullScreen();
    if (isFullScreen()) {
        m_pLayoutPeopleSettingDlg->m_iTitleBarHeight = 0;
        m_pLayoutPeopleSettingDlg->move(2, 2);
    } else {
        m_pLayoutPeopleSettingDlg->m_iTitleBarHeight = m_pWgtTitleBar->height();
        m_pLayoutPeopleSettingDlg->move(2, m_pWgtTitleBar->height() + 2);
    }
}

void CLayoutBackgroundDlg::onDpiChanged()
{
    const double s = scale();
    QScreen *screen = m_bCompactMode ? QGuiApplication::screenAt(geometry().center()) : getDisplayScreen();
    if (screen)
        qInfo() << "screenRect width:" << screen->availableGeometry().size() << size();
    if (m_bCompactMode) {
        if (screen) {
            applyCompactGeometry(screen);
            if (m_pCompactWidget) {
                m_pCompactWidget->onDpiUpdate(s);
                m_pCompactWidget->setFixedSize(width(), static_cast<int>(40 * s));
            }
        }
    } else if (m_bFullScreen) {
        // The screen's size while full screen; the normal size comes back
        // when it ends.
        m_rectBeforeFullScreen.setSize(QSize(static_cast<int>(kNormalWidth * s), static_cast<int>(kNormalHeight * s)));
        m_pLayoutPeopleSettingDlg->slotOnJudgeMicAndCameraStatus();
    } else {
        setFixedSize(static_cast<int>(kNormalWidth * s), static_cast<int>(kNormalHeight * s));
        m_pLayoutPeopleSettingDlg->slotOnJudgeMicAndCameraStatus();
    }
    setStyleSheet(QString());
    setStyleSheets(kStyleBase);
    m_pLeftWidget->setMaximumWidth(static_cast<int>(300 * s));
    m_pRightWidget->setMaximumWidth(static_cast<int>(300 * s));
    m_pWgtTitleBar->setFixedHeight(static_cast<int>(kTitleBarHeight * s));
    m_pBtnNetworkQuality->setFixedSize(static_cast<int>(24 * s), static_cast<int>(24 * s));
    m_pLblEncryption->setFixedSize(static_cast<int>(24 * s), static_cast<int>(24 * s));
    m_pLblCallDuration->setMinimumWidth(static_cast<int>(100 * s));
    m_pLblCallDuration->setMaximumWidth(static_cast<int>(300 * s));
    m_pLblConfNumber->setFixedHeight(static_cast<int>(40 * s));
    for (QPushButton *b : {m_pBtnMin, m_pBtnMax, m_pBtnRestore, m_pBtnFullScreen, m_pBtnFullScreen_Exit})
        b->setFixedSize(static_cast<int>(40 * s), static_cast<int>(40 * s));
    dragAreaHeight = m_pWgtTitleBar->height();
    if (!screen) {
        qWarning("Can not get valid screen");
        return;
    }
    const QRect available = screen->availableGeometry();
    if (!m_bFullScreen && (height() >= available.height() || width() >= available.width())) {
        setFixedSize(available.size());
        move(available.topLeft());
    }
    updatePos4LayoutPeopleDlg();
    informLayoutOfGeometry();
}

void CLayoutBackgroundDlg::closeEvent(QCloseEvent *event)
{
    CCallController::getInstance()->hangUp();
    CBaseDlg::closeEvent(event);
    emit sigClose();
}

void CLayoutBackgroundDlg::slotOnLanguageChanged()
{
    // The duration is rewritten by the next tick; the meeting number stays,
    // a language switch must not blank it for the rest of the call.
    setWindowTitle(tr("PRODUCT_NAME"));
    m_pLblCallDuration->clear();
}

} // namespace rj_app::views
