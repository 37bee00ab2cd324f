#include "views/main/CHomeDlg.h"

#include "custom_controls/CClickedLabel.h"
#include "custom_controls/CHomeMenuItem.h"
#include "custom_controls/CHomeMenuListView.h"
#include "helpers/CGeneralUtils.h"
#include "helpers/LogMacros.h"
#include "models/CCallController.h"
#include "models/CLinguist.h"
#include "models/CLoginManager.h"
#include "models/CUCMApiManager.h"
#include "views/framework/AlertDlg.h"
#include "views/framework/CAppLifetimeInstance.h"
#include "views/framework/CScaleRule.h"
#include "views/main/CEmptyForm.h"
#include "views/main/CHomeExitButton.h"
#include "views/main/CJoinConfDlg.h"
#include "views/main/CJoinConfWidget.h"
#include "views/main/CMyInfoDlg.h"
#include "views/meetings/CConferencesWidget.h"
#include "views/meetings/CContactsWidget.h"
#include "views/meetings/CWebPageHost.h"
#include "views/meetings/WebComponents.h"
#include "views/settings/CSettingsForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QDebug>
#include <QDesktopWidget>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QOperatingSystemVersion>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace rj_app::views {

using custom_controls::CHomeMenuItem;
using models::CCallController;
using models::CLoginManager;

namespace {

// The page word of each menu row for a login status.
QStringList menuWords(enums::LoginStatus status)
{
    if (status == enums::AnonymousLoggedIn)
        return {QStringLiteral("join"), QStringLiteral("setting")};
    return {QStringLiteral("conf"), QStringLiteral("contacts"), QStringLiteral("setting")};
}

QString menuIcon(const QString &word, char state, const QString &scaleWord)
{
    return QStringLiteral(":/resources/images/home-window/icon_%1_%2-%3.png")
        .arg(word, QString(QLatin1Char(state)), scaleWord);
}

QString scaleWordOf(double scale)
{
    if (scale >= 2)
        return QStringLiteral("2x");
    if (scale >= 1.5)
        return QStringLiteral("1.5x");
    return QStringLiteral("1x");
}

QPushButton *titleButton(QWidget *parent, const char *name)
{
    auto *button = new QPushButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setFixedSize(28, 28);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

bool isROZServer()
{
    return CLoginManager::getInstance()->m_userInfo.appServerType == "ROZ";
}

} // namespace

CHomeDlg *CHomeDlg::getInstance()
{
    static CAppLifetimeInstance<CHomeDlg> s_instance;
    return s_instance.get([] { return new CHomeDlg; });
}

CHomeDlg::CHomeDlg()
    : CBaseDlg(nullptr)
{
    m_pSettingsForm = new CSettingsForm(nullptr);
    setupUi();
    qInfo("%s", RJ_FUNCTION);
    setWindowTitle(tr("PRODUCT_NAME"));

    m_pLvMenus->setViewMode(QListView::ListMode);
    m_pLvMenus->setMovement(QListView::Static);
    m_pLvMenus->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_pLvMenus->setResizeMode(QListView::Adjust);

    CLoginManager *login = CLoginManager::getInstance();
    const bool anonymous = login->m_loginStatus == enums::AnonymousLoggedIn;
    m_pBtnExit->setVisible(anonymous);
    m_pBtnJoinConf->setVisible(!anonymous);
    buildMenu();
    rebuildContentPages();
    m_pBtnLogo->hide();
    m_pBtnRestore->hide();

    connect(m_pStackedWgtContent, &QStackedWidget::currentChanged, this, &CHomeDlg::slot_contentsPageChanged);
    connect(
        m_pLvMenus, &QListView::clicked, this,
        [this](const QModelIndex &index) {
            qInfo("CHomeDlg, menu item clicked: %d, content count: %d", index.row(), m_pStackedWgtContent->count());
            showPage(index.row());
        },
        Qt::QueuedConnection);
    connect(login, &CLoginManager::loginStatusChanged, this, &CHomeDlg::slotOnLoginStatusChanged);
    connect(login, &CLoginManager::sigAvatarDownloadedOk, this, &CHomeDlg::slotOnAvatarDownloadedOk);
    connect(login, &CLoginManager::sigDisplayNameChanged, this, &CHomeDlg::slotOnDisplayNameChanged);
    connect(login, &CLoginManager::sigRegisterInfoChanged, this, &CHomeDlg::slotOnRegisterInfoChanged);
    connect(CCallController::getInstance(), &CCallController::sigCallStatusChanged, this,
            &CHomeDlg::slotOnCallStatusChanged);
    connect(m_pBtnJoinConf, &QPushButton::clicked, this, &CHomeDlg::slotOnBtnJoinConfClicked);
    connect(m_pBtnMin, &QPushButton::clicked, this, &CHomeDlg::slotOnWinMin);
    connect(m_pBtnMax, &QPushButton::clicked, this, &CHomeDlg::slotOnWinMax);
    connect(m_pBtnRestore, &QPushButton::clicked, this, &CHomeDlg::slotOnWinRestore);
    connect(m_pBtnClose, &QPushButton::clicked, this, &CHomeDlg::slotOnClose);
    connect(m_pLblAvatar, &custom_controls::CClickedLabel::clicked, this, &CHomeDlg::slotOnAvatarClicked);
    connect(m_pBtnExit, &CHomeExitButton::clicked, this, &CHomeDlg::slotOnLogout);
    connect(models::CLinguist::getInstance(), &models::CLinguist::sigLanguageChanged, this,
            &CHomeDlg::slotOnLanguageChanged);
    connect(models::CUCMApiManager::getInstance(), &models::CUCMApiManager::signal_ucmapi_error, this,
            &CHomeDlg::slot_ucmapi_error);
    connect(models::CUCMApiManager::getInstance(), &models::CUCMApiManager::signal_ucmapi_unreachable, this,
            &CHomeDlg::slot_ucmapi_unreachable);
}

CHomeDlg::~CHomeDlg()
{
    qInfo("%s", RJ_FUNCTION);
    delete m_pContentTimer;
    if (m_pSettingsForm && !m_pSettingsForm->parent())
        delete m_pSettingsForm;
}

void CHomeDlg::setupUi()
{
    setObjectName(QStringLiteral("CHomeDlg"));
    resize(857, 599);
    m_pRootLayout = new QHBoxLayout(this);
    m_pRootLayout->setObjectName(QStringLiteral("horizontalLayout_6"));
    m_pRootLayout->setContentsMargins(1, 1, 1, 1);
    m_pRootLayout->setSpacing(0);

    // Sidebar.
    m_pWgtOperationBar = new QWidget(this);
    m_pWgtOperationBar->setObjectName(QStringLiteral("m_pWgtOperationBar"));
    m_pWgtOperationBar->setAttribute(Qt::WA_StyledBackground);
    m_pWgtOperationBar->setFixedWidth(70);
    auto *bar = new QVBoxLayout(m_pWgtOperationBar);
    bar->setContentsMargins(0, 0, 0, 20);
    bar->setSpacing(0);
    m_pWgtLoginUserInfo = new QWidget(m_pWgtOperationBar);
    m_pWgtLoginUserInfo->setObjectName(QStringLiteral("m_pWgtLoginUserInfo"));
    m_pWgtLoginUserInfo->setFixedHeight(69);
    auto *userRow = new QHBoxLayout(m_pWgtLoginUserInfo);
    userRow->setContentsMargins(0, 29, 0, 0);
    userRow->addStretch();
    m_pLblAvatar = new custom_controls::CClickedLabel(m_pWgtLoginUserInfo);
    m_pLblAvatar->setObjectName(QStringLiteral("m_pLblAvatar"));
    m_pLblAvatar->setFixedSize(40, 40);
    m_pLblAvatar->setCursor(Qt::PointingHandCursor);
    userRow->addWidget(m_pLblAvatar);
    userRow->addStretch();
    bar->addWidget(m_pWgtLoginUserInfo);
    bar->addSpacerItem(new QSpacerItem(20, 30, QSizePolicy::Minimum, QSizePolicy::Fixed));
    auto *menuHolder = new QWidget(m_pWgtOperationBar);
    menuHolder->setObjectName(QStringLiteral("verticalWidget_4"));
    menuHolder->setMinimumHeight(200);
    auto *menuLayout = new QVBoxLayout(menuHolder);
    menuLayout->setContentsMargins(0, 0, 0, 0);
    m_pLvMenus = new custom_controls::CHomeMenuListView(menuHolder);
    m_pLvMenus->setObjectName(QStringLiteral("m_pLvMenus"));
    m_pLvMenus->setFocusPolicy(Qt::NoFocus);
    menuLayout->addWidget(m_pLvMenus);
    bar->addWidget(menuHolder);
    bar->addStretch();
    auto *statusRow = new QHBoxLayout;
    statusRow->addStretch();
    m_pLblRegisterStatus = new QLabel(m_pWgtOperationBar);
    m_pLblRegisterStatus->setObjectName(QStringLiteral("label_RegisterStatus"));
    m_pLblRegisterStatus->setFixedSize(16, 16);
    statusRow->addWidget(m_pLblRegisterStatus);
    statusRow->addStretch();
    bar->addLayout(statusRow);
    m_pBtnRegisterStatus = new QToolButton(m_pWgtOperationBar);
    m_pBtnRegisterStatus->setObjectName(QStringLiteral("m_pBtnRegisterStatus"));
    m_pBtnRegisterStatus->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_pBtnRegisterStatus->setFixedHeight(28);
    m_pBtnRegisterStatus->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_pBtnRegisterStatus->setFocusPolicy(Qt::NoFocus);
    bar->addWidget(m_pBtnRegisterStatus);
    m_pBtnExit = new CHomeExitButton(m_pWgtOperationBar);
    m_pBtnExit->setObjectName(QStringLiteral("m_pBtnExit"));
    m_pBtnExit->setFixedHeight(56);
    bar->addWidget(m_pBtnExit);
    m_pRootLayout->addWidget(m_pWgtOperationBar);

    // Title bar over the pages.
    auto *column = new QVBoxLayout;
    column->setObjectName(QStringLiteral("verticalLayout"));
    column->setContentsMargins(1, 1, 1, 1);
    column->setSpacing(0);
    m_pWgtTitleBar = new QWidget(this);
    m_pWgtTitleBar->setObjectName(QStringLiteral("m_pWgtTitleBar"));
    m_pWgtTitleBar->setFixedHeight(28);
    auto *title = new QHBoxLayout(m_pWgtTitleBar);
    title->setContentsMargins(0, 0, 0, 0);
    title->setSpacing(0);
    m_pBtnLogo = new QPushButton(m_pWgtTitleBar);
    m_pBtnLogo->setObjectName(QStringLiteral("m_pBtnLogo"));
    m_pBtnLogo->setFixedSize(88, 22);
    title->addWidget(m_pBtnLogo);
    title->addStretch();
    m_pBtnJoinConf = new QPushButton(m_pWgtTitleBar);
    m_pBtnJoinConf->setObjectName(QStringLiteral("m_pBtnJoinConf"));
    m_pBtnJoinConf->setFixedSize(120, 28);
    m_pBtnJoinConf->setCursor(Qt::PointingHandCursor);
    m_pBtnJoinConf->setFocusPolicy(Qt::NoFocus);
    title->addWidget(m_pBtnJoinConf);
    auto *separator = new QFrame(m_pWgtTitleBar);
    separator->setObjectName(QStringLiteral("m_pLineServiceRight"));
    separator->setFixedSize(10, 28);
    separator->setFrameShape(QFrame::VLine);
    title->addWidget(separator);
    m_pBtnMin = titleButton(m_pWgtTitleBar, "m_pBtnMin");
    m_pBtnMax = titleButton(m_pWgtTitleBar, "m_pBtnMax");
    m_pBtnRestore = titleButton(m_pWgtTitleBar, "m_pBtnRestore");
    m_pBtnClose = titleButton(m_pWgtTitleBar, "m_pBtnClose");
    title->addWidget(m_pBtnMin);
    title->addWidget(m_pBtnMax);
    title->addWidget(m_pBtnRestore);
    title->addWidget(m_pBtnClose);
    column->addWidget(m_pWgtTitleBar);
    auto *line = new QFrame(this);
    line->setObjectName(QStringLiteral("line"));
    line->setFixedHeight(1);
    line->setFrameShape(QFrame::HLine);
    column->addWidget(line);
    m_pWgtContext = new QWidget(this);
    m_pWgtContext->setObjectName(QStringLiteral("m_pWgtContext"));
    auto *context = new QVBoxLayout(m_pWgtContext);
    context->setContentsMargins(0, 0, 0, 0);
    m_pStackedWgtContent = new QStackedWidget(m_pWgtContext);
    m_pStackedWgtContent->setObjectName(QStringLiteral("m_pStackedWgtContent"));
    context->addWidget(m_pStackedWgtContent);
    column->addWidget(m_pWgtContext);
    m_pRootLayout->addLayout(column);
    retranslateUi();
}

void CHomeDlg::retranslateUi()
{
    setWindowTitle(QString());
    m_pBtnJoinConf->setText(tr("Join a Meeting"));
}

void CHomeDlg::buildMenu()
{
    m_pLvMenus->clearMenuItems();
    const bool anonymous = CLoginManager::getInstance()->m_loginStatus == enums::AnonymousLoggedIn;
    const QStringList captions = anonymous ? QStringList{tr("Join"), tr("Settings")}
                                           : QStringList{tr("Meetings"), tr("Contacts"), tr("Settings")};
    const QStringList words = menuWords(CLoginManager::getInstance()->m_loginStatus);
    for (int row = 0; row < words.size(); ++row) {
        auto *item = new CHomeMenuItem;
        item->m_qstrNormalIcon = menuIcon(words.at(row), 'n', QStringLiteral("1x"));
        item->m_qstrSelectedIcon = menuIcon(words.at(row), 'c', QStringLiteral("1x"));
        item->m_qstrHoverIcon = menuIcon(words.at(row), 'h', QStringLiteral("1x"));
        item->m_qstrText = captions.at(row);
        m_pLvMenus->addMenuItem(item);
    }
    updateMenuIcons();
}

void CHomeDlg::updateMenuIcons()
{
    const QString word = scaleWordOf(fStretchFactor);
    const QStringList words = menuWords(CLoginManager::getInstance()->m_loginStatus);
    for (int row = 0; row < words.size(); ++row)
        m_pLvMenus->setItemIcons(row, menuIcon(words.at(row), 'n', word), menuIcon(words.at(row), 'c', word),
                                 menuIcon(words.at(row), 'h', word));
}

void CHomeDlg::retranslateMenu()
{
    CLoginManager *login = CLoginManager::getInstance();
    if (login->m_loginStatus == enums::AnonymousLoggedIn) {
        m_pLvMenus->setItemText(0, tr("Join"));
        m_pLvMenus->setItemText(1, tr("Settings"));
    } else {
        m_pLvMenus->setItemText(0, tr("Meetings"));
        m_pLvMenus->setItemText(1, tr("Contacts"));
        m_pLvMenus->setItemText(2, tr("Settings"));
    }
    m_pBtnRegisterStatus->setText(login->m_registerInfo.state == 1 ? tr("Online") : tr("Offline"));
}

void CHomeDlg::rebuildContentPages()
{
    // Taking pages out must not run the settings-leave question.
    const QSignalBlocker blocker(m_pStackedWgtContent);
    while (m_pStackedWgtContent->count() > 0) {
        QWidget *page = m_pStackedWgtContent->widget(0);
        m_pStackedWgtContent->removeWidget(page);
        page->hide();
    }
    m_iPreviousPageIndex = -1;
    const double scale = fStretchFactor;
    CLoginManager *login = CLoginManager::getInstance();
    if (login->m_loginStatus == enums::AnonymousLoggedIn) {
        if (!m_pJoinConfWidget) {
            m_pJoinConfWidget = new CJoinConfWidget(nullptr);
            m_scaler.addWidget(m_pJoinConfWidget);
            if (scale > 0)
                m_scaler.rescale(scale, m_pJoinConfWidget, false);
        }
        m_pStackedWgtContent->addWidget(m_pJoinConfWidget);
        m_pJoinConfWidget->updateDpi(scale);
    } else {
        if (!isROZServer()) {
            delete m_pConfListWebPage;
            if (!m_pConferencesWidget) {
                m_pConferencesWidget = new CConferencesWidget(nullptr);
                connect(m_pConferencesWidget, &CConferencesWidget::sigZOVJoinConf, this, &CHomeDlg::slotJoinConf);
            }
            m_pStackedWgtContent->addWidget(m_pConferencesWidget);
            m_pConferencesWidget->updateDpi(scale);
            delete m_pContactsWebPage;
            if (!m_pContactsWidget) {
                m_pContactsWidget = new CContactsWidget(nullptr);
                connect(m_pContactsWidget, &CContactsWidget::sigUCMP2pCall, this, &CHomeDlg::slotP2pCall);
            }
            m_pStackedWgtContent->addWidget(m_pContactsWidget);
            m_pContactsWidget->updateDpi(scale);
        } else {
            delete m_pConferencesWidget;
            if (!m_pConfListWebPage) {
                m_pConfListWebPage = WebComponents::createWebBrowserWrapperForm(enums::Conferences, nullptr);
                connect(m_pConfListWebPage, &CWebPageHost::sigJoinConf, this, &CHomeDlg::slotJoinConf);
            }
            m_pStackedWgtContent->addWidget(m_pConfListWebPage);
            m_pConfListWebPage->updateDpi(scale);
            delete m_pContactsWidget;
            if (!m_pContactsWebPage) {
                m_pContactsWebPage = WebComponents::createWebBrowserWrapperForm(enums::Contact, nullptr);
                connect(m_pContactsWebPage, &CWebPageHost::sigJoinConf, this, &CHomeDlg::slotP2pCall);
            }
            m_pStackedWgtContent->addWidget(m_pContactsWebPage);
            m_pContactsWebPage->updateDpi(scale);
        }
        delete m_pJoinConfWidget;
    }
    delete m_pEmptyForm;
    m_pStackedWgtContent->addWidget(m_pSettingsForm);
    const bool anonymous = login->m_loginStatus == enums::AnonymousLoggedIn;
    m_pSettingsForm->setSipSettingsVisible(anonymous);
    m_pStackedWgtContent->setCurrentIndex(0);
    m_iPreviousPageIndex = 0;
    if (anonymous)
        CCallController::getInstance()->whenLoginSkipped();
}

void CHomeDlg::showPage(int index)
{
    m_pStackedWgtContent->setCurrentIndex(index);
}

void CHomeDlg::selectRowAndPage(int index)
{
    m_pLvMenus->setCurrentRow(index);
    showPage(index);
}

CConferencesWidget *CHomeDlg::conferencesWidget() const
{
    return m_pConferencesWidget;
}

CContactsWidget *CHomeDlg::contactsWidget() const
{
    return m_pContactsWidget;
}

CJoinConfWidget *CHomeDlg::joinConfWidget() const
{
    return m_pJoinConfWidget;
}

CWebPageHost *CHomeDlg::confListWebPage() const
{
    return m_pConfListWebPage;
}

CWebPageHost *CHomeDlg::contactsWebPage() const
{
    return m_pContactsWebPage;
}

void CHomeDlg::updateWebPages()
{
    qInfo("%s", RJ_FUNCTION);
    if (m_pConfListWebPage)
        m_pConfListWebPage->updatePage();
    if (m_pContactsWebPage)
        m_pContactsWebPage->updatePage();
}

void CHomeDlg::stopWebPages()
{
    qInfo("%s", RJ_FUNCTION);
    if (m_pConfListWebPage)
        m_pConfListWebPage->stopWeb();
    if (m_pContactsWebPage)
        m_pContactsWebPage->stopWeb();
}

QPoint CHomeDlg::getContentTopLeft() const
{
    const QRect window = geometry();
    return QPoint(window.x() + m_pWgtOperationBar->x() + m_pWgtOperationBar->width(),
                  window.y() + m_pWgtTitleBar->y() + m_pWgtTitleBar->height());
}

void CHomeDlg::showEvent(QShowEvent *event)
{
    qInfo() << "content count:" << m_pStackedWgtContent->count();
    m_scaler.init(width(), height(), this);
    CBaseDlg::showEvent(event);
    // Centred when the client shows it; a restore from minimised by the
    // window system (a spontaneous show) brings it back where it was left.
    if (!event->spontaneous())
        centerWindowOnScreen();
    if (!m_pShowTimer) {
        m_pShowTimer = new QTimer(this);
        m_pShowTimer->setSingleShot(true);
        m_pShowTimer->setInterval(500);
        connect(m_pShowTimer, &QTimer::timeout, this, &CHomeDlg::slotOnTimerDelayHandle4WinShow,
                Qt::UniqueConnection);
    }
    m_pShowTimer->start();
}

void CHomeDlg::slotOnTimerDelayHandle4WinShow()
{
    qInfo("%s", RJ_FUNCTION);
    if (m_bDelayedContentHandled)
        return;
    m_bDelayedContentHandled = true;
    setRegisterStatus(CLoginManager::getInstance()->getRegisterInfo().state == 1);
    if (QOperatingSystemVersion::current().type() == QOperatingSystemVersion::Windows
        && QOperatingSystemVersion::current() <= QOperatingSystemVersion(QOperatingSystemVersion::Windows, 6, 1)) {
        qInfo("Show default content delayed");
        if (!m_pEmptyForm) {
            m_pEmptyForm = new CEmptyForm(nullptr);
            m_pStackedWgtContent->addWidget(m_pEmptyForm);
        }
        m_pLvMenus->setCurrentRow(0);
        showPage(m_pStackedWgtContent->count() - 1);
        if (!m_pContentTimer) {
            m_pContentTimer = new QTimer;
            m_pContentTimer->setSingleShot(true);
            m_pContentTimer->setInterval(700);
            connect(m_pContentTimer, &QTimer::timeout, this, &CHomeDlg::slotOnTimerShowContent, Qt::UniqueConnection);
        }
        m_pContentTimer->start();
    } else {
        qInfo("Show default content directly");
        selectRowAndPage(0);
    }
}

void CHomeDlg::slotOnTimerShowContent()
{
    qInfo("%s", RJ_FUNCTION);
    selectRowAndPage(0);
}

void CHomeDlg::slot_contentsPageChanged(int index)
{
    QWidget *page = m_pStackedWgtContent->widget(index);
    if (page && m_pSettingsForm) {
        QWidget *previous = m_pStackedWgtContent->widget(m_iPreviousPageIndex);
        if (previous && previous != page && previous == m_pSettingsForm && m_pSettingsForm->isSipSettingsChanged()) {
            const auto answer = AlertDlg::execQuestion(this, tr("Note"),
                                                       tr("Changes are not saved, Are you sure you want to leave?"),
                                                       QDialogButtonBox::Ok | QDialogButtonBox::Cancel,
                                                       QDialogButtonBox::Ok);
            if (answer != QDialogButtonBox::Ok) {
                const int settingsIndex = m_pStackedWgtContent->indexOf(m_pSettingsForm);
                m_pLvMenus->setCurrentRow(settingsIndex);
                const QSignalBlocker blocker(m_pStackedWgtContent);
                m_pStackedWgtContent->setCurrentIndex(settingsIndex);
                return;
            }
            m_pSettingsForm->loadSipSettings();
        }
    }
    m_iPreviousPageIndex = index;
}

void CHomeDlg::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || isMaximized())
        return;
    const QPoint origin = pos();
    const QRect titleRect(m_pWgtTitleBar->mapTo(this, QPoint(0, 0)) + origin, m_pWgtTitleBar->size());
    const QRect barRect(m_pWgtOperationBar->pos() + origin, m_pWgtOperationBar->size());
    if (!titleRect.contains(event->globalPos()) && !barRect.contains(event->globalPos()))
        return;
    m_bDragging = true;
    m_dragOffset = event->globalPos() - origin;
}

void CHomeDlg::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_bDragging)
        return;
    if (m_bMaximized)
        restoreFromMaximized();
    move(event->globalPos() - m_dragOffset);
}

void CHomeDlg::mouseReleaseEvent(QMouseEvent *)
{
    m_bDragging = false;
}

void CHomeDlg::restoreFromMaximized()
{
    qInfo("%s", RJ_FUNCTION);
    m_pBtnMax->show();
    m_pBtnRestore->hide();
    m_maximize.restore(this);
    m_bMaximized = false;
    onDpiChanged();
}

void CHomeDlg::slotOnWinMax()
{
    qInfo("%s", RJ_FUNCTION);
    m_pBtnMax->hide();
    m_pBtnRestore->show();
    m_bMaximized = m_maximize.maximize(this);
}

void CHomeDlg::slotOnWinRestore()
{
    restoreFromMaximized();
}

void CHomeDlg::slotOnWinMin()
{
    setWindowState(Qt::WindowMinimized);
}

void CHomeDlg::changeEvent(QEvent *)
{
}

void CHomeDlg::slotOnLoginStatusChanged(rj_app::enums::LoginStatus loginStatus)
{
    qInfo() << RJ_FUNCTION << loginStatus;
    CLoginManager *login = CLoginManager::getInstance();
    if (loginStatus == enums::LoggedIn || loginStatus == enums::AnonymousLoggedIn) {
        updateAvatar();
        m_pBtnExit->setVisible(loginStatus == enums::AnonymousLoggedIn);
        m_pBtnJoinConf->setVisible(loginStatus != enums::AnonymousLoggedIn);
        buildMenu();
        rebuildContentPages();
        // A new menu has no selection; the stack shows page 0 after a rebuild.
        m_pLvMenus->setCurrentRow(0);
    } else if (loginStatus == enums::NotLogin) {
        if (m_pStackedWgtContent->count() > 0) {
            const QSignalBlocker blocker(m_pStackedWgtContent);
            selectRowAndPage(0);
            m_iPreviousPageIndex = 0;
        }
        if (login->m_previousLoginStatus == enums::LoggedIn) {
            if (m_pConfListWebPage) {
                qInfo("clearConfListCache");
                m_pConfListWebPage->clearConfListCache();
            }
            if (m_pContactsWidget)
                CContactsWidget::clearContactsCache();
        }
    }
}

void CHomeDlg::setRegisterStatus(bool online)
{
    m_pBtnRegisterStatus->setText(online ? tr("Online") : tr("Offline"));
    updateRegisterStatusIcon();
}

void CHomeDlg::updateRegisterStatusIcon()
{
    const QString picture = m_pBtnRegisterStatus->text() == tr("Online")
                                ? QStringLiteral(":/resources/images/home-window/status_success-%1.png")
                                : QStringLiteral(":/resources/images/home-window/status_fail-%1.png");
    QString word;
    int side = 0;
    if (helpers::CGeneralUtils::isDoubleEqual(fStretchFactor, 1.0)) {
        word = QStringLiteral("1x");
        side = 14;
    } else if (helpers::CGeneralUtils::isDoubleEqual(fStretchFactor, 1.5)) {
        word = QStringLiteral("1.5x");
        side = 20;
    } else if (helpers::CGeneralUtils::isDoubleEqual(fStretchFactor, 2.0)) {
        word = QStringLiteral("2x");
        side = 28;
    }
    // Before the first show there is no scale and hence no picture.
    if (word.isEmpty()) {
        m_pLblRegisterStatus->setStyleSheet(QString());
        return;
    }
    m_pLblRegisterStatus->setStyleSheet(QStringLiteral("border-image: url(\"%1\");").arg(picture.arg(word)));
    m_pBtnRegisterStatus->setIconSize(QSize(side, side));
}

void CHomeDlg::slotOnRegisterInfoChanged(rj::engine::RJRegisterInfo info)
{
    qInfo() << RJ_FUNCTION << info.type << info.state;
    setRegisterStatus(info.state == 1);
    const enums::CallStatus call = CCallController::getInstance()->getCallStatus();
    if (info.state == 4 && CLoginManager::getInstance()->m_loginStatus == enums::LoggedIn
        && (call == enums::Idle || call == enums::ConfEnded))
        forceLogout();
}

void CHomeDlg::slotOnCallStatusChanged(rj_app::enums::CallStatus callStatus)
{
    qInfo() << "callStatus:" << callStatus;
    CLoginManager *login = CLoginManager::getInstance();
    if (callStatus == enums::ConfEnded && login->m_loginStatus == enums::LoggedIn
        && login->m_registerInfo.state == 0 && login->m_previousRegisterInfo.state == 4)
        forceLogout();
}

void CHomeDlg::forceLogout()
{
    qInfo("%s", RJ_FUNCTION);
    const QString text = tr("Your account logged in on another device at %1. This session finished automatically.")
                             .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")));
    AlertDlg::execPrompt(this, tr("Prompt"), text);
    CLoginManager::getInstance()->logout();
    qInfo("done");
}

void CHomeDlg::onDpiChanged()
{
    setStyleSheet(QString());
    m_pSettingsForm->updateDpi(fStretchFactor);
    setStyleSheets(QStringLiteral(":/resources/qss/home-dlg"));
    m_scaler.rescale(fStretchFactor, this, !m_bMaximized);
    // Grown from its top-left corner, the window may reach past the screen.
    if (!m_bMaximized && isVisible())
        CScaleRule::keepOnScreen(this, CScaleRule::screenOf(this));
    const int margin = int(fStretchFactor);
    m_pRootLayout->setContentsMargins(margin, margin, margin, margin);
    updateAvatar();
    if (m_pConfListWebPage)
        m_pConfListWebPage->updateDpi(fStretchFactor);
    if (m_pContactsWebPage)
        m_pContactsWebPage->updateDpi(fStretchFactor);
    if (m_pContactsWidget)
        m_pContactsWidget->updateDpi(fStretchFactor);
    if (m_pConferencesWidget)
        m_pConferencesWidget->updateDpi(fStretchFactor);
    if (m_pJoinConfWidget)
        m_pJoinConfWidget->updateDpi(fStretchFactor);
    updateMenuIcons();
    updateRegisterStatusIcon();
    m_pBtnExit->updateDpi(fStretchFactor);
}

void CHomeDlg::slotOnLanguageChanged()
{
    retranslateUi();
    m_pBtnExit->retranslate();
    retranslateMenu();
}

void CHomeDlg::updateAvatar()
{
    const int side = fStretchFactor > 0 ? int(fStretchFactor * 40) : 40;
    helpers::CGeneralUtils::drawRectroundImageOnLabel(m_pLblAvatar,
                                                      CLoginManager::getInstance()->getLoggedInUserAvatarPath(), side,
                                                      side, side / 8, side / 8, false);
}

void CHomeDlg::slotOnAvatarDownloadedOk()
{
    qInfo("%s", RJ_FUNCTION);
    updateAvatar();
}

void CHomeDlg::slotOnDisplayNameChanged()
{
    qInfo("%s", RJ_FUNCTION);
}

void CHomeDlg::slotOnAvatarClicked(Qt::MouseButton)
{
    qInfo("%s", RJ_FUNCTION);
    if (CLoginManager::getInstance()->m_loginStatus == enums::AnonymousLoggedIn)
        return;
    {
        CMyInfoDlg dlg(this);
        dlg.setHomeDlg(this);
        dlg.exec();
    }
    qInfo("done");
    m_bDragging = false;
}

void CHomeDlg::slotOnBtnJoinConfClicked()
{
    qInfo("%s", RJ_FUNCTION);
    {
        CJoinConfDlg dlg(QString(), QString(), this);
        dlg.exec();
    }
    qInfo("exec finised for Join conf dlg");
}

void CHomeDlg::slotJoinConf(QString confNumber, QString password, bool, QString)
{
    qInfo("%s", RJ_FUNCTION);
    CJoinConfDlg dlg(confNumber, password, this);
    dlg.exec();
}

void CHomeDlg::slotP2pCall(QString number, QString password, bool audioOnly, QString name)
{
    qInfo() << "confNumber:" << number;
    CCallController *call = CCallController::getInstance();
    call->enableMic(true);
    if (!audioOnly)
        call->enableCamera(true);
    call->dialOut(number, password, !audioOnly, name);
}

void CHomeDlg::slot_ucmapi_error(int errorCode, QString errorInfo, bool background)
{
    if (errorCode == 1010) {
        CLoginManager::getInstance()->updateLoginToken(true);
        return;
    }
    // The server's own text may hold "%" sequences: only the trailing code
    // marker is filled in, the rest stays as the server wrote it.
    QString text = errorInfo;
    const int marker = text.lastIndexOf(QLatin1String("%1"));
    if (marker >= 0)
        text.replace(marker, 2, QString::number(errorCode));
    if (background) {
        qWarning() << "REST error of a background refresh:" << errorCode << text;
        return;
    }
    AlertDlg::execPrompt(this, tr("Prompt"), text);
}

void CHomeDlg::slot_ucmapi_unreachable(bool background)
{
    if (background) {
        qWarning() << "server unreachable for a background refresh; the list says so";
        return;
    }
    AlertDlg::execPrompt(this, tr("Prompt"), tr("Server unreachable"));
}

void CHomeDlg::slotOnClose()
{
    qInfo("%s", RJ_FUNCTION);
    const auto answer = AlertDlg::execQuestion(this, tr("Note"), tr("Are you sure to close app?"),
                                               QDialogButtonBox::Ok | QDialogButtonBox::Cancel, QDialogButtonBox::Ok);
    if (answer != QDialogButtonBox::Ok)
        return;
    if (CLoginManager::getInstance()->m_loginStatus == enums::LoggedIn && m_pConfListWebPage) {
        qInfo("clearConfListCache");
        m_pConfListWebPage->clearConfListCache();
    }
    close();
}

void CHomeDlg::closeEvent(QCloseEvent *event)
{
    qInfo("%s", RJ_FUNCTION);
    event->accept();
    emit sigClose();
}

void CHomeDlg::slotOnLogout()
{
    CLoginManager::getInstance()->logout();
}

} // namespace rj_app::views
