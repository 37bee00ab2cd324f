#include "views/incall/CLayoutToolbarDlg.h"

#include "helpers/CGeneralUtils.h"
#include "helpers/LogMacros.h"
#include "models/CCallController.h"
#include "models/CLinguist.h"
#include "models/CLoginManager.h"
#include "models/CRJSdkManager.h"
#include "views/framework/AlertDlg.h"
#include "views/incall/CAttendeesButton.h"
#include "views/incall/CAttendessWidgets.h"
#include "views/incall/CConfMngtDlg.h"
#include "views/incall/CContainerSettingsFormWidget.h"
#include "views/incall/CControlVolumeWidget.h"
#include "views/incall/CControllableProbe.h"
#include "views/incall/CMenuMoreWidget.h"
#include "views/incall/CNumberButton.h"
#include "views/incall/CSelectShareContent.h"
#include "views/incall/menuAudioWidget.h"
#include "views/incall/menuVideoWidget.h"

#include <QCursor>
#include <QDebug>
#include <QEvent>
#include <QHBoxLayout>
#include <QIcon>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpacerItem>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>

using rj_app::models::CCallController;
using rj_app::models::CLinguist;
using rj_app::models::CLoginManager;
using rj_app::models::CRJSdkManager;

namespace rj_app::views {

namespace {

// Button pictures; the scale suffix and ".png" are added when used.
const QString kImgMicOn = QStringLiteral(":/resources/images/layout-operationbar/icon_unmute");
const QString kImgMicOff = QStringLiteral(":/resources/images/layout-operationbar/icon_mute");
const QString kImgCameraOn = QStringLiteral(":/resources/images/layout-operationbar/icon_resume-camera");
const QString kImgCameraOff = QStringLiteral(":/resources/images/layout-operationbar/icon_suspend-camera");
const QString kImgLayoutPreferred = QStringLiteral(":/resources/images/layout-operationbar/icon_perferred_content");
const QString kImgLayoutOnly = QStringLiteral(":/resources/images/layout-operationbar/icon_speaker");
const QString kImgShare = QStringLiteral(":/resources/images/layout-operationbar/icon_share");
const QString kImgMore = QStringLiteral(":/resources/images/layout-operationbar/icon_more");
// Named with "-1.5x" and "-2x".
const QString kImgVolume = QStringLiteral(":/resources/images/layout-operationbar/icon_volume");
const QString kImgVolumeOff = QStringLiteral(":/resources/images/layout-operationbar/icon_volumeoff");
const QString kStyleFile = QStringLiteral(":/resources/qss/layout-toolbar-dlg.qss");
const QString kStyleBase = QStringLiteral(":/resources/qss/layout-toolbar-dlg");
const QString kStyleOn = QStringLiteral("color: #fff;");
const QString kStyleOff = QStringLiteral("color: #FF4747;");
constexpr int kBaseWidth = 1082;
constexpr int kBaseHeight = 60;
constexpr int kPopupGap = 10;
// Windows the toolbar owns are frameless windows of their own above the
// video, which the engine paints into native windows.
constexpr Qt::WindowFlags kOwnedWindow = Qt::SplashScreen | Qt::FramelessWindowHint;

QToolButton *makeToolButton(QWidget *parent, const char *name)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setFixedSize(88, 60);
    button->setIconSize(QSize(56, 56));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    return button;
}

QPushButton *makePickerButton(QWidget *parent, const char *name)
{
    auto *button = new QPushButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    button->setMinimumSize(16, 60);
    button->setMaximumSize(20, 60);
    button->setAutoDefault(false);
    return button;
}

} // namespace

CLayoutToolbarDlg::CLayoutToolbarDlg(QWidget *parent)
    : CBaseDlg(parent)
{
    // The layout mode travels in queued connections and under both spellings.
    qRegisterMetaType<enums::LayoutModeType>("enums::LayoutModeType");
    qRegisterMetaType<enums::LayoutModeType>("rj_app::enums::LayoutModeType");
    setupForm();
    initForm();
    initConnections();
}

CLayoutToolbarDlg::~CLayoutToolbarDlg()
{
    qInfo() << RJ_FUNCTION;
    if (m_pConfMngtDlg) {
        disconnect(m_pConfMngtDlg, &CConfMngtDlg::sigClose, this, &CLayoutToolbarDlg::slotOnConfMngtDlgClosed);
        delete m_pConfMngtDlg;
        m_pConfMngtDlg = nullptr;
    }
    // The owned windows go with the toolbar as its children; they must not
    // call back into it while that happens.
    const QList<QObject *> watched = {m_pAudioSelectMenu.data(), m_pCamSelectMenu.data(), m_pMoreMenu.data(),
                                      m_pVolumeControl.data(),   m_pSettingForm.data(),   m_pSelectShareContentForm.data(),
                                      m_pAttendeesWidget.data()};
    for (QObject *w : watched) {
        if (w)
            w->removeEventFilter(this);
    }
    if (m_pAlertDlg)
        disconnect(m_pAlertDlg, nullptr, this, nullptr);
    qInfo() << RJ_FUNCTION << "done";
}

// ------------------------------------------------------------------ form

void CLayoutToolbarDlg::setupForm()
{
    setObjectName(QStringLiteral("CLayoutToolbarDlg"));
    resize(kBaseWidth, kBaseHeight);
    setMinimumHeight(kBaseHeight);
    setMaximumHeight(kBaseHeight);
    setStyleSheet(QString());

    verticalLayout = new QVBoxLayout(this);
    verticalLayout->setObjectName(QStringLiteral("verticalLayout"));
    verticalLayout->setSpacing(0);
    verticalLayout->setContentsMargins(0, 0, 0, 0);
    horizontalLayout = new QHBoxLayout();
    horizontalLayout->setObjectName(QStringLiteral("horizontalLayout"));
    horizontalLayout->setSpacing(0);
    int top = 0;
    int bottom = 0;
    horizontalLayout->getContentsMargins(nullptr, &top, nullptr, &bottom);
    horizontalLayout->setContentsMargins(0, top, 0, bottom);

    widget = new QWidget(this);
    widget->setObjectName(QStringLiteral("widget"));
    widget->setFixedWidth(130);
    horizontalLayout_2 = new QHBoxLayout(widget);
    horizontalLayout_2->setObjectName(QStringLiteral("horizontalLayout_2"));
    horizontalLayout_2->setSpacing(0);
    horizontalLayout_2->setContentsMargins(15, 0, 0, 0);
    m_pBtnShowPic = new QPushButton(widget);
    m_pBtnShowPic->setObjectName(QStringLiteral("m_pBtnShowPic"));
    m_pBtnShowPic->setFixedSize(110, 34);
    m_pBtnShowPic->setAutoDefault(false);
    horizontalLayout_2->addWidget(m_pBtnShowPic);
    horizontalLayout->addWidget(widget);
    horizontalLayout->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));

    m_pBtnEnableMic = makeToolButton(this, "m_pBtnEnableMic");
    horizontalLayout->addWidget(m_pBtnEnableMic);
    m_pBtnSelectMicUp = makePickerButton(this, "m_pBtnSelectMicUp");
    horizontalLayout->addWidget(m_pBtnSelectMicUp);
    m_pBtnEnableCamera = makeToolButton(this, "m_pBtnEnableCamera");
    horizontalLayout->addWidget(m_pBtnEnableCamera);
    m_pBtnSelectCameraUp = makePickerButton(this, "m_pBtnSelectCameraUp");
    horizontalLayout->addWidget(m_pBtnSelectCameraUp);
    m_pBtnShare = makeToolButton(this, "m_pBtnShare");
    horizontalLayout->addWidget(m_pBtnShare);
    m_pBtnConfMngt = new CNumberButton(this);
    m_pBtnConfMngt->setObjectName(QStringLiteral("m_pBtnConfMngt"));
    horizontalLayout->addWidget(m_pBtnConfMngt);
    m_pBtnAttendees = new CAttendeesButton(this);
    m_pBtnAttendees->setObjectName(QStringLiteral("m_pBtnAttendees"));
    horizontalLayout->addWidget(m_pBtnAttendees);
    m_pBtnSwitchLayout = makeToolButton(this, "m_pBtnSwitchLayout");
    horizontalLayout->addWidget(m_pBtnSwitchLayout);
    m_pBtnMore = makeToolButton(this, "m_pBtnMore");
    horizontalLayout->addWidget(m_pBtnMore);
    m_pBtnVolume = makeToolButton(this, "m_pBtnVolume");
    horizontalLayout->addWidget(m_pBtnVolume);
    horizontalLayout->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    m_pBtnHangup = new QPushButton(this);
    m_pBtnHangup->setObjectName(QStringLiteral("m_pBtnHangup"));
    m_pBtnHangup->setFixedSize(130, 60);
    m_pBtnHangup->setAutoDefault(false);
    horizontalLayout->addWidget(m_pBtnHangup);
    verticalLayout->addLayout(horizontalLayout);

    retranslateForm();
}

void CLayoutToolbarDlg::retranslateForm()
{
    setWindowTitle(QString());
    m_pBtnShowPic->setText(tr("Show PIP"));
    m_pBtnHangup->setText(tr("Hang Up"));
    for (QAbstractButton *b : {static_cast<QAbstractButton *>(m_pBtnEnableMic),
                               static_cast<QAbstractButton *>(m_pBtnSelectMicUp),
                               static_cast<QAbstractButton *>(m_pBtnEnableCamera),
                               static_cast<QAbstractButton *>(m_pBtnSelectCameraUp),
                               static_cast<QAbstractButton *>(m_pBtnShare),
                               static_cast<QAbstractButton *>(m_pBtnSwitchLayout),
                               static_cast<QAbstractButton *>(m_pBtnMore),
                               static_cast<QAbstractButton *>(m_pBtnVolume)})
        b->setText(QString());
}

void CLayoutToolbarDlg::initForm()
{
    helpers::CGeneralUtils::setStyle(this, kStyleFile);
    setWindowFlags(Qt::FramelessWindowHint);
    centerOnFirstShow = false;
    for (QToolButton *b : {m_pBtnEnableMic, m_pBtnEnableCamera, m_pBtnSwitchLayout, m_pBtnVolume})
        b->setCheckable(true);
    refreshStaticImages();
    m_pBtnShowPic->hide();
    m_pBtnConfMngt->hide();
    m_pControllableProbe = new CControllableProbe(this);
    connect(m_pControllableProbe, &CControllableProbe::answered, this, &CLayoutToolbarDlg::slotConfMngtVisible);
    retranslateButtons();
}

void CLayoutToolbarDlg::initConnections()
{
    connect(CCallController::getInstance(), &CCallController::sigCallStatusChanged, this,
            &CLayoutToolbarDlg::slotOnCallStatusChanged);
    connect(m_pBtnEnableMic, &QToolButton::clicked, this, &CLayoutToolbarDlg::slotOnBtnEnableMicClicked);
    connect(m_pBtnEnableCamera, &QToolButton::clicked, this, &CLayoutToolbarDlg::slotOnBtnEnableCameraClicked);
    connect(m_pBtnSelectMicUp, &QPushButton::clicked, this, &CLayoutToolbarDlg::slotOnBtnSelectMicClicked);
    connect(m_pBtnSelectCameraUp, &QPushButton::clicked, this, &CLayoutToolbarDlg::slotOnBtnSelectCameraClicked);
    connect(m_pBtnSwitchLayout, &QToolButton::clicked, this, &CLayoutToolbarDlg::slotOnBtnSwitchLayoutClicked);
    connect(m_pBtnConfMngt, &CNumberButton::clicked, this, &CLayoutToolbarDlg::slotOnConfMngtClicked);
    connect(m_pBtnAttendees, &CAttendeesButton::clicked, this, &CLayoutToolbarDlg::slotOnAttendeesClicked);
    connect(m_pBtnShare, &QToolButton::clicked, this, &CLayoutToolbarDlg::slotOnShareClicked);
    connect(m_pBtnMore, &QToolButton::clicked, this, &CLayoutToolbarDlg::slotOnBtnMoreClicked);
    connect(m_pBtnHangup, &QPushButton::clicked, this, &CLayoutToolbarDlg::slotOnBtnHangupClicked);
    connect(m_pBtnShowPic, &QPushButton::clicked, this, &CLayoutToolbarDlg::slotOnBtnShowPicture);
    connect(m_pBtnVolume, &QToolButton::clicked, this, &CLayoutToolbarDlg::slotOnBtnVolumClicked);
    connect(CLinguist::getInstance(), &CLinguist::sigLanguageChanged, this, &CLayoutToolbarDlg::slotOnLanguageChanged);
    CRJSdkManager *sdk = CRJSdkManager::getInstance();
    connect(sdk, &CRJSdkManager::eventVolume, this, &CLayoutToolbarDlg::slotVolume);
    connect(sdk, &CRJSdkManager::eventDeviceAdded, this, &CLayoutToolbarDlg::slotOnDeviceAdded);
    connect(sdk, &CRJSdkManager::eventDeviceRemoved, this, &CLayoutToolbarDlg::slotOnDeviceRemoved);
    connect(sdk, &CRJSdkManager::eventMicMutedShow, this, &CLayoutToolbarDlg::slotOnMicMutedShow);
    connect(sdk, &CRJSdkManager::eventVideoMutedShow, this, &CLayoutToolbarDlg::slotOnVideoMutedShow);
}

void CLayoutToolbarDlg::retranslateButtons()
{
    m_pBtnEnableMic->setText(m_pBtnEnableMic->isChecked() ? tr("Mute") : tr("Unmute"));
    m_pBtnEnableCamera->setText(m_pBtnEnableCamera->isChecked() ? tr("Stop Video") : tr("Enable Video"));
    m_pBtnSwitchLayout->setText(tr("Layout"));
    m_pBtnShare->setText(tr("Share"));
    m_pBtnMore->setText(tr("More"));
    m_pBtnVolume->setText(tr("Volume"));
}

void CLayoutToolbarDlg::slotOnLanguageChanged()
{
    retranslateForm();
    retranslateButtons();
}

// ---------------------------------------------------------------- images

double CLayoutToolbarDlg::currentScale() const
{
    return fStretchFactor > 0 ? fStretchFactor : 1.0;
}

QString CLayoutToolbarDlg::imagePath(const QString &stem) const
{
    const double s = currentScale();
    const QString suffix = qFuzzyCompare(s, 1.5)   ? QStringLiteral("@1.5x")
                           : qFuzzyCompare(s, 2.0) ? QStringLiteral("@2x")
                                                   : QString();
    return stem + suffix + QStringLiteral(".png");
}

QString CLayoutToolbarDlg::volumeImagePath(const QString &stem) const
{
    const double s = currentScale();
    const QString suffix = qFuzzyCompare(s, 1.5)   ? QStringLiteral("-1.5x")
                           : qFuzzyCompare(s, 2.0) ? QStringLiteral("-2x")
                                                   : QString();
    return stem + suffix + QStringLiteral(".png");
}

void CLayoutToolbarDlg::refreshStaticImages()
{
    m_pBtnShare->setIcon(QIcon(imagePath(kImgShare)));
    m_pBtnMore->setIcon(QIcon(imagePath(kImgMore)));
}

void CLayoutToolbarDlg::refreshEnableMicBtnStatus(bool enabled)
{
    qInfo() << RJ_FUNCTION << "enabled:" << enabled;
    m_pBtnEnableMic->setChecked(enabled);
    m_pBtnEnableMic->setIcon(QIcon(imagePath(enabled ? kImgMicOn : kImgMicOff)));
    m_pBtnEnableMic->setText(enabled ? tr("Mute") : tr("Unmute"));
    m_pBtnEnableMic->setStyleSheet(enabled ? kStyleOn : kStyleOff);
    emit sigIsLocalMicEnabled(enabled);
}

void CLayoutToolbarDlg::refreshEnableCameraBtnStatus(bool enabled)
{
    qInfo() << RJ_FUNCTION << "enabled:" << enabled;
    m_pBtnEnableCamera->setChecked(enabled);
    m_pBtnEnableCamera->setIcon(QIcon(
        imagePath(enabled ? kImgCameraOn : kImgCameraOff)));
    m_pBtnEnableCamera->setText(enabled ? tr("Stop Video") : tr("Enable Video"));
    m_pBtnEnableCamera->setStyleSheet(enabled ? kStyleOn : kStyleOff);
}

void CLayoutToolbarDlg::refreshVolumeBtnStatus(bool muted, bool apply)
{
    if (apply)
        m_pBtnVolume->setChecked(muted);
    else
        muted = m_pBtnVolume->isChecked();
    m_pBtnVolume->setIcon(
        QIcon(volumeImagePath(muted ? kImgVolumeOff : kImgVolume)));
    m_pBtnVolume->setStyleSheet(muted ? kStyleOff : kStyleOn);
}

// ------------------------------------------------- operations for the layout

void CLayoutToolbarDlg::setLayoutMode(int mode)
{
    m_iLayoutMode = mode;
    m_pBtnSwitchLayout->setVisible(mode >= 1 && mode <= 6);
    if (mode == enums::LayoutMode_RemotePreferredContent || mode == enums::LayoutMode_RemotePreferredWhiteBoard)
        m_pBtnSwitchLayout->setIcon(QIcon(imagePath(kImgLayoutPreferred)));
    else if (mode == enums::LayoutMode_RemoteContentOnly || mode == enums::LayoutMode_RemoteWhiteBoardOnly)
        m_pBtnSwitchLayout->setIcon(QIcon(imagePath(kImgLayoutOnly)));
}

void CLayoutToolbarDlg::setAudioOnlyMode(bool audioOnly)
{
    qInfo() << RJ_FUNCTION << audioOnly;
    if (audioOnly) {
        m_pBtnEnableCamera->hide();
        m_pBtnSwitchLayout->hide();
        m_pBtnSelectCameraUp->hide();
        m_pBtnShare->hide();
        return;
    }
    m_pBtnEnableCamera->show();
    m_pBtnSelectCameraUp->show();
    m_pBtnShare->show();
    setLayoutMode(m_iLayoutMode);
    m_pBtnShare->setVisible(CRJSdkManager::getInstance()->contentEnabled());
}

void CLayoutToolbarDlg::updateMoreModeVisibility(bool isLocalRemoteMuted)
{
    m_bIsLocalRemoteMuted = isLocalRemoteMuted;
    qInfo() << RJ_FUNCTION << ", m_bIsLocalRemoteMuted" << m_bIsLocalRemoteMuted;
    updateMoreModeVisibility();
}

void CLayoutToolbarDlg::updateMoreModeVisibility()
{
    m_pBtnMore->setVisible(m_bIsLocalRemoteMuted);
}

void CLayoutToolbarDlg::checkMicStatus()
{
    const bool bEnabled = CCallController::getInstance()->isMicEnabled();
    qInfo() << RJ_FUNCTION << "bEnabled:" << bEnabled;
    refreshEnableMicBtnStatus(bEnabled);
}

void CLayoutToolbarDlg::checkCameraStatus()
{
    const bool bEnabled = CCallController::getInstance()->isCameraEnabled();
    qInfo() << RJ_FUNCTION << "bEnabled:" << bEnabled;
    refreshEnableCameraBtnStatus(bEnabled);
}

void CLayoutToolbarDlg::refreshDeviceButtons()
{
    refreshEnableMicBtnStatus(CCallController::getInstance()->isMicEnabled());
    refreshEnableCameraBtnStatus(CCallController::getInstance()->isCameraEnabled());
}

bool CLayoutToolbarDlg::isMicButtonChecked() const
{
    return m_pBtnEnableMic->isChecked();
}

void CLayoutToolbarDlg::muteAudio()
{
    m_pBtnEnableMic->setChecked(false);
    slotOnBtnEnableMicClicked();
}

void CLayoutToolbarDlg::UnmuteAudio()
{
    m_pBtnEnableMic->setChecked(true);
    slotOnBtnEnableMicClicked();
}

bool CLayoutToolbarDlg::getShowPromptFlag() const
{
    return m_bShowPrompt;
}

bool CLayoutToolbarDlg::isAnyPopupVisible() const
{
    return anyOfFourPopupsVisible() || (m_pSelectShareContentForm && m_pSelectShareContentForm->isVisible());
}

bool CLayoutToolbarDlg::anyOfFourPopupsVisible() const
{
    const QWidget *popups[] = {m_pAudioSelectMenu.data(), m_pCamSelectMenu.data(), m_pMoreMenu.data(),
                               m_pVolumeControl.data()};
    for (const QWidget *p : popups) {
        if (p && p->isVisible())
            return true;
    }
    return false;
}

void CLayoutToolbarDlg::setShowPicButtonVisible(bool visible)
{
    m_pBtnShowPic->setVisible(visible);
}

void CLayoutToolbarDlg::closeSelectShareContentForm()
{
    if (CSelectShareContent *chooser = m_pSelectShareContentForm.data()) {
        m_pSelectShareContentForm = nullptr;
        chooser->close();
    }
}

void CLayoutToolbarDlg::closeWindows()
{
    if (m_pConfMngtDlg) {
        m_pConfMngtDlg->releaseCurrentPage();
        m_pConfMngtDlg->hide();
    }
}

void CLayoutToolbarDlg::setTitleBarWidget(QWidget *titleBar, QRect rect)
{
    m_pWgtTitleBar = titleBar;
    m_titleBarRect = rect;
    // The full-screen window takes its size from the window manager a moment
    // after it asked: the title bar follows where it is shown.
    if (m_pWgtTitleBar && isVisible()) {
        m_pWgtTitleBar->setGeometry(m_titleBarRect);
        m_pWgtTitleBar->raise();
    }
}

// ------------------------------------------------- microphone and camera

void CLayoutToolbarDlg::slotOnBtnEnableMicClicked()
{
    const bool requested = m_pBtnEnableMic->isChecked();
    qInfo() << RJ_FUNCTION << "isChecked:" << requested;
    CCallController *call = CCallController::getInstance();
    call->enableMic(requested);
    const bool actual = call->isMicEnabled();
    if (actual != requested)
        qWarning() << RJ_FUNCTION << "Failed to enableMic:" << requested;
    // The button shows what the microphone does, not what was asked.
    refreshEnableMicBtnStatus(actual);
}

void CLayoutToolbarDlg::slotOnBtnEnableCameraClicked()
{
    const bool requested = m_pBtnEnableCamera->isChecked();
    qInfo() << RJ_FUNCTION << "isChecked:" << requested;
    CCallController *call = CCallController::getInstance();
    call->enableCamera(requested);
    const bool actual = call->isCameraEnabled();
    if (actual != requested)
        qWarning() << RJ_FUNCTION << "Failed to enableCamera:" << requested;
    refreshEnableCameraBtnStatus(actual);
}

void CLayoutToolbarDlg::slotOnMicMutedShow(bool mic_muted)
{
    Q_UNUSED(mic_muted)
    checkMicStatus();
}

void CLayoutToolbarDlg::slotOnVideoMutedShow(int video_muted)
{
    Q_UNUSED(video_muted)
    checkCameraStatus();
}

// ---------------------------------------------------------------- popups

void CLayoutToolbarDlg::placePopup(QWidget *popup, QWidget *anchor)
{
    const QPoint toolbar = mapToGlobal(QPoint(0, 0));
    const QPoint inside = anchor->mapTo(this, QPoint(0, 0));
    const int x = toolbar.x() + inside.x() - (popup->width() - anchor->width()) / 2;
    const int y = toolbar.y() + inside.y() - popup->height() - kPopupGap;
    popup->move(x, y);
}

void CLayoutToolbarDlg::slotOnBtnSelectMicClicked()
{
    qInfo() << RJ_FUNCTION;
    if (m_pAudioSelectMenu)
        return;
    const QSignalBlocker blocker(m_pBtnSelectMicUp);
    auto *menu = new menuAudioWidget(currentScale(), nullptr);
    m_pAudioSelectMenu = menu;
    menu->setParent(this, kOwnedWindow);
    menu->installEventFilter(this);
    menu->refreshDevices();
    openPopup(menu, m_pBtnSelectMicUp);
    connect(menu, &menuAudioWidget::sigShowAudioSetting, this, &CLayoutToolbarDlg::slotShowAudioSetting);
}

void CLayoutToolbarDlg::slotOnBtnSelectCameraClicked()
{
    qInfo() << RJ_FUNCTION;
    if (m_pCamSelectMenu)
        return;
    const QSignalBlocker blocker(m_pBtnSelectCameraUp);
    auto *menu = new menuVideoWidget(currentScale(), nullptr);
    m_pCamSelectMenu = menu;
    menu->setParent(this, kOwnedWindow);
    menu->installEventFilter(this);
    menu->refreshDevices();
    openPopup(menu, m_pBtnSelectCameraUp);
    connect(menu, &menuVideoWidget::sigShowVideoSetting, this, &CLayoutToolbarDlg::slotShowVideoSetting);
}

void CLayoutToolbarDlg::slotOnBtnVolumClicked()
{
    qInfo() << RJ_FUNCTION;
    const rj::engine::RJVolume vol = CRJSdkManager::getInstance()->getVolume(rj::engine::RJ_DEVICE_SPEAKER);
    // Whatever the click toggled, the button shows the engine's state.
    refreshVolumeBtnStatus(vol.mute != 0, true);
    if (m_pVolumeControl)
        return;
    const QSignalBlocker blocker(m_pBtnVolume);
    auto *control = new CControlVolumeWidget(currentScale(), nullptr);
    m_pVolumeControl = control;
    control->setParent(this, kOwnedWindow);
    control->installEventFilter(this);
    control->init(vol.mute != 0, vol.volume);
    openPopup(control, m_pBtnVolume);
}

void CLayoutToolbarDlg::slotOnBtnMoreClicked()
{
    qInfo() << RJ_FUNCTION;
    const QSignalBlocker blocker(m_pBtnMore);
    if (!m_pMoreMenu) {
        auto *menu = new CMenuMoreWidget(nullptr);
        m_pMoreMenu = menu;
        menu->setParent(this, kOwnedWindow);
        menu->installEventFilter(this);
        connect(menu, &CMenuMoreWidget::signal_clicked_requestSpeak, this, &CLayoutToolbarDlg::sigrequestSpeakPrompt);
    }
    m_pMoreMenu->setRequestSpeakVisible(m_bIsLocalRemoteMuted);
    m_pMoreMenu->adjustSize();
    openPopup(m_pMoreMenu, m_pBtnMore);
}

// One popup at a time, over its button. It takes the focus, so that a click
// anywhere else deactivates it and closes it.
void CLayoutToolbarDlg::openPopup(QWidget *popup, QWidget *anchor)
{
    closePopupsBut(popup);
    popup->show();
    placePopup(popup, anchor);
    popup->raise();
    popup->activateWindow();
    m_bShowPrompt = false;
}

void CLayoutToolbarDlg::closePopupsBut(QWidget *kept)
{
    const QList<QWidget *> open = {m_pAudioSelectMenu.data(), m_pCamSelectMenu.data(), m_pMoreMenu.data(),
                                   m_pVolumeControl.data()};
    for (QWidget *popup : open) {
        if (popup && popup != kept)
            closePopup(popup);
    }
}

QWidget *CLayoutToolbarDlg::popupOf(QObject *watched) const
{
    if (!watched)
        return nullptr;
    QWidget *popups[] = {m_pAudioSelectMenu.data(), m_pCamSelectMenu.data(), m_pMoreMenu.data(),
                         m_pVolumeControl.data()};
    for (QWidget *p : popups) {
        if (p && p == watched)
            return p;
    }
    return nullptr;
}

void CLayoutToolbarDlg::closePopup(QWidget *popup)
{
    qInfo() << RJ_FUNCTION << "Second menu closed:" << popup;
    if (popup == m_pAudioSelectMenu) {
        qInfo() << "m_pAudioSelectMenu closed";
        m_pAudioSelectMenu = nullptr;
    } else if (popup == m_pCamSelectMenu) {
        qInfo() << "m_pCamSelectMenu closed";
        m_pCamSelectMenu = nullptr;
    } else if (popup == m_pMoreMenu) {
        qInfo() << "m_pMoreMenu closed";
        m_pMoreMenu = nullptr;
    } else if (popup == m_pVolumeControl) {
        qInfo() << "m_pVolumeControl closed";
        m_pVolumeControl = nullptr;
    }
    popup->removeEventFilter(this);
    popup->close(); // deletes itself
    m_bShowPrompt = !anyOfFourPopupsVisible();
}

bool CLayoutToolbarDlg::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::WindowDeactivate:
        if (QWidget *popup = popupOf(watched)) {
            if (popup->isVisible()) {
                if (popup->rect().contains(popup->mapFromGlobal(QCursor::pos()))) {
                    popup->activateWindow();
                    popup->raise();
                } else {
                    closePopup(popup);
                }
            }
            return true;
        }
        break;
    case QEvent::Hide:
        // The "More" popup hides itself after a request: in-call prompts,
        // the confirmation of that request first, may show again.
        if (popupOf(watched))
            m_bShowPrompt = !anyOfFourPopupsVisible();
        break;
    case QEvent::Close:
        if (watched == m_pSettingForm) {
            qInfo() << RJ_FUNCTION << "m_pSettingForm is closed";
            m_bShowPrompt = true;
            m_pSettingForm = nullptr;
            emit sigSettingWinClosed();
        } else if (watched == m_pSelectShareContentForm) {
            m_pSelectShareContentForm = nullptr;
        } else if (watched == m_pAttendeesWidget) {
            m_pAttendeesWidget = nullptr;
        }
        // The window's own close handling still runs.
        break;
    default:
        break;
    }
    return CBaseDlg::eventFilter(watched, event);
}

void CLayoutToolbarDlg::onDeviceChanged(int deviceType)
{
    qInfo() << RJ_FUNCTION << "deviceType:" << deviceType;
    if (deviceType == rj::engine::RJ_DEVICE_MIC || deviceType == rj::engine::RJ_DEVICE_SPEAKER) {
        if (QWidget *menu = m_pAudioSelectMenu.data()) {
            qInfo() << "refresh audio menu";
            closePopup(menu);
            slotOnBtnSelectMicClicked();
        } else {
            qInfo() << "m_pAudioSelectMenu is nullptr";
        }
    } else if (deviceType == rj::engine::RJ_DEVICE_CAMERA) {
        if (QWidget *menu = m_pCamSelectMenu.data()) {
            qInfo() << "refresh camera menu";
            closePopup(menu);
            slotOnBtnSelectCameraClicked();
        } else {
            qInfo() << "m_pCamSelectMenu is nullptr";
        }
    }
}

void CLayoutToolbarDlg::slotOnDeviceAdded(rj::engine::RJDevice device)
{
    qInfo() << RJ_FUNCTION << "type:" << device.type;
    onDeviceChanged(device.type);
}

void CLayoutToolbarDlg::slotOnDeviceRemoved(rj::engine::RJDevice device)
{
    qInfo() << RJ_FUNCTION << "type:" << device.type;
    onDeviceChanged(device.type);
}

void CLayoutToolbarDlg::slotVolume(rj::engine::RJ_DEVICE_TYPE type, rj::engine::RJVolume vol)
{
    if (type == rj::engine::RJ_DEVICE_SPEAKER)
        refreshVolumeBtnStatus(vol.mute != 0, true);
}

// ------------------------------------------------------- settings window

void CLayoutToolbarDlg::slotShowAudioSetting()
{
    qInfo() << RJ_FUNCTION;
    showSetting(true);
    if (QWidget *menu = m_pAudioSelectMenu.data())
        closePopup(menu);
}

void CLayoutToolbarDlg::slotShowVideoSetting()
{
    qInfo() << RJ_FUNCTION;
    showSetting(false);
    if (QWidget *menu = m_pCamSelectMenu.data())
        closePopup(menu);
}

void CLayoutToolbarDlg::showSetting(bool isAudio)
{
    qInfo() << RJ_FUNCTION << "isAudio:" << isAudio;
    if (CContainerSettingsFormWidget *old = m_pSettingForm.data()) {
        qInfo() << "m_pSettingForm is not null";
        if (old->isVisible()) {
            qInfo() << "m_pSettingForm is visible";
            old->centerWindow();
            return;
        }
        // A hidden one is replaced, not kept around.
        old->removeEventFilter(this);
        disconnect(old, nullptr, this, nullptr);
        old->deleteLater();
        m_pSettingForm = nullptr;
    }
    auto *settings = new CContainerSettingsFormWidget(nullptr);
    m_pSettingForm = settings;
    connect(settings, &CContainerSettingsFormWidget::closeWindow, this, &CLayoutToolbarDlg::slotOnSettingClose);
    settings->setAttribute(Qt::WA_DeleteOnClose);
    settings->installEventFilter(this);
    settings->setParent(this, kOwnedWindow);
    settings->setCurrentTab(isAudio ? 2 : 3);
    settings->show();
}

void CLayoutToolbarDlg::slotOnSettingClose()
{
    qInfo() << RJ_FUNCTION;
    show();
}

// ----------------------------------------------------------------- share

void CLayoutToolbarDlg::slotOnShareClicked()
{
    qInfo() << RJ_FUNCTION;
    if (CCallController::getInstance()->getContentStreamStatus() == enums::ContentStreamStatus_SendingContentStarted) {
        qInfo() << "Can not share for SendingContentStarted";
        return;
    }
    const std::vector<rj::engine::RJContentSourceInfo> sources = CRJSdkManager::getInstance()->getContentSourceList();
    qInfo() << "getContentSourceList OK";
    if (sources.empty()) {
        qInfo() << "Can not share for nContentSourceInfos is empty";
        return;
    }
    qInfo() << "check m_pSelectShareContentForm";
    if (m_pSelectShareContentForm) {
        qInfo() << "m_pSelectShareContentForm has been initiated";
    } else {
        auto *chooser = new CSelectShareContent(parentWidget());
        m_pSelectShareContentForm = chooser;
        chooser->setWindowModality(Qt::WindowModal);
        chooser->installEventFilter(this);
        chooser->setContentSourceList(sources);
        chooser->setShareAudioChecked(false);
        chooser->setHighFpsChecked(false);
    }
    m_pSelectShareContentForm->show();
}

// ---------------------------------------------------- layout and picture

void CLayoutToolbarDlg::slotOnBtnSwitchLayoutClicked()
{
    qInfo() << RJ_FUNCTION << m_iLayoutMode;
    switch (m_iLayoutMode) {
    case enums::LayoutMode_RemotePreferredContent:
        emit sigChangeLayoutMode(enums::LayoutMode_RemoteContentOnly);
        break;
    case enums::LayoutMode_RemoteContentOnly:
        emit sigChangeLayoutMode(enums::LayoutMode_RemotePreferredContent);
        break;
    case enums::LayoutMode_RemotePreferredWhiteBoard:
        emit sigChangeLayoutMode(enums::LayoutMode_RemoteWhiteBoardOnly);
        break;
    case enums::LayoutMode_RemoteWhiteBoardOnly:
        emit sigChangeLayoutMode(enums::LayoutMode_RemotePreferredWhiteBoard);
        break;
    default:
        break;
    }
}

void CLayoutToolbarDlg::slotOnBtnShowPicture()
{
    qInfo() << RJ_FUNCTION;
    emit sigOnShowPicture();
    m_pBtnShowPic->hide();
}

void CLayoutToolbarDlg::slotHidePicture()
{
    qInfo() << RJ_FUNCTION;
    m_pBtnShowPic->show();
}

// ------------------------------------------- conference control, attendees

void CLayoutToolbarDlg::slotOnConfMngtClicked()
{
    qInfo() << RJ_FUNCTION;
    openManagerWindow();
}

void CLayoutToolbarDlg::openManagerWindow()
{
    qInfo() << RJ_FUNCTION;
    if (!m_pConfMngtDlg) {
        m_pConfMngtDlg = new CConfMngtDlg(nullptr);
        m_pConfMngtDlg->setParent(this, kOwnedWindow);
        connect(m_pConfMngtDlg, &CConfMngtDlg::sigClose, this, &CLayoutToolbarDlg::slotOnConfMngtDlgClosed);
    }
    if (!m_pConfMngtDlg->isVisible())
        m_pConfMngtDlg->updatePage();
    m_pConfMngtDlg->show();
    m_pConfMngtDlg->activateWindow();
    qInfo() << RJ_FUNCTION << "done";
}

void CLayoutToolbarDlg::slotOnConfMngtDlgClosed()
{
    qInfo() << RJ_FUNCTION;
    if (CCallController::getInstance()->getContentStreamStatus() != enums::ContentStreamStatus_SendingContentStarted) {
        qInfo() << "Show again to active, not lost focus";
        show();
    }
    if (m_pConfMngtDlg) {
        m_pConfMngtDlg->releaseCurrentPage();
        if (m_pConfMngtDlg->isVisible())
            m_pConfMngtDlg->hide();
    }
}

void CLayoutToolbarDlg::slotOnAttendeesClicked()
{
    qInfo() << RJ_FUNCTION << "openAttendessWindow";
    if (!m_pAttendeesWidget) {
        m_pAttendeesWidget = new CAttendessWidgets(this);
        m_pAttendeesWidget->installEventFilter(this);
    }
    m_pAttendeesWidget->show();
    qInfo() << RJ_FUNCTION << "done";
}

void CLayoutToolbarDlg::slotOnParticipant(int number)
{
    m_pBtnConfMngt->setNumber(QString::number(number));
}

void CLayoutToolbarDlg::checkControllable()
{
    qInfo() << RJ_FUNCTION;
    m_pControllableProbe->start();
}

void CLayoutToolbarDlg::slotConfMngtVisible(bool controllable)
{
    qInfo() << RJ_FUNCTION << controllable;
    m_pBtnConfMngt->setVisible(controllable);
    const CLoginManager *login = CLoginManager::getInstance();
    const bool ownServer = QString::fromStdString(login->m_userInfo.appServerType) != QLatin1String("ROZ") &&
                           login->m_loginStatus != enums::AnonymousLoggedIn;
    m_pBtnAttendees->setShowAllowed(ownServer && !controllable);
}

// --------------------------------------------------------------- hang-up

void CLayoutToolbarDlg::slotOnBtnHangupClicked()
{
    qInfo() << RJ_FUNCTION;
    if (!m_pAlertDlg) {
        auto *alert = new AlertDlg(nullptr);
        m_pAlertDlg = alert;
        alert->setParent(this, kOwnedWindow);
        // Connected once per question: a question shown twice is still
        // answered once.
        connect(alert, &AlertDlg::sigClickButton1, this, &CLayoutToolbarDlg::slotAlertWidgetBtn1);
        connect(alert, &AlertDlg::sigClickButton2, this, &CLayoutToolbarDlg::slotAlertWidgetBtn2);
        connect(alert, &AlertDlg::sigClickButton3, this, &CLayoutToolbarDlg::slotAlertWidgetBtn3);
        connect(alert, &AlertDlg::sigCloseWindow, this, &CLayoutToolbarDlg::slotCloseAlertWidget);
    }
    m_pAlertDlg->setButton1Text(tr("Leave"));
    m_pAlertDlg->setButton2Text(tr("Cancel"));
    m_pAlertDlg->setAlertContent(tr("Are you sure to leave the meeting?"));
    m_pAlertDlg->setCloseBtnVisible(false);
    m_pAlertDlg->show();
    m_pAlertDlg->raise();
}

void CLayoutToolbarDlg::disposeAlert()
{
    AlertDlg *alert = m_pAlertDlg.data();
    if (!alert)
        return;
    m_pAlertDlg = nullptr;
    disconnect(alert, nullptr, this, nullptr);
    // Answered from inside the box's own signal: deleted once that returns.
    alert->hide();
    alert->deleteLater();
}

void CLayoutToolbarDlg::slotAlertWidgetBtn1()
{
    qInfo() << RJ_FUNCTION;
    if (!m_pAlertDlg)
        return;
    disposeAlert();
    if (CCallController::getInstance()->getContentStreamStatus() == enums::ContentStreamStatus_SendingWhiteBoardStarted)
        CRJSdkManager::getInstance()->stopContent();
    CCallController::getInstance()->hangUp();
}

void CLayoutToolbarDlg::slotAlertWidgetBtn2()
{
    qInfo() << RJ_FUNCTION;
    disposeAlert();
}

void CLayoutToolbarDlg::slotAlertWidgetBtn3()
{
    qInfo() << RJ_FUNCTION;
    disposeAlert();
}

void CLayoutToolbarDlg::slotCloseAlertWidget()
{
    qInfo() << RJ_FUNCTION;
    disposeAlert();
}

// ------------------------------------------------------------ call status

void CLayoutToolbarDlg::closeCallWindows()
{
    if (m_pConfMngtDlg) {
        m_pConfMngtDlg->releaseCurrentPage();
        if (m_pConfMngtDlg->isVisible())
            m_pConfMngtDlg->hide();
    }
    if (CContainerSettingsFormWidget *settings = m_pSettingForm.data())
        settings->close();
    closeSelectShareContentForm();
    if (CAttendessWidgets *attendees = m_pAttendeesWidget.data()) {
        m_pAttendeesWidget = nullptr;
        attendees->close();
    }
    if (AlertDlg *alert = m_pAlertDlg.data())
        alert->close();
    // The next call starts with no popup and its prompts shown.
    closePopupsBut(nullptr);
    m_bShowPrompt = true;
}

void CLayoutToolbarDlg::slotOnCallStatusChanged(enums::CallStatus callStatus)
{
    qInfo() << RJ_FUNCTION << "callStatus" << callStatus;
    if (callStatus == enums::ConfConnected) {
        checkMicStatus();
        checkCameraStatus();
        checkControllable();
        // A point-to-point call has no meeting whose participants to list.
        if (CCallController::getInstance()->getCallTypes() == 2)
            m_pBtnAttendees->stopRefresh();
        else
            m_pBtnAttendees->startRefresh();
        return;
    }
    // An answer still on its way belongs to the call that just left.
    m_pControllableProbe->cancel();
    closeCallWindows();
    if (callStatus == enums::ConfEnded) {
        m_pBtnConfMngt->hide();
        m_pBtnShare->hide();
        m_pBtnAttendees->stopRefresh();
    }
}

// ---------------------------------------------------------------- events

void CLayoutToolbarDlg::mousePressEvent(QMouseEvent *event)
{
    // The toolbar cannot be dragged.
    Q_UNUSED(event)
}

void CLayoutToolbarDlg::showEvent(QShowEvent *event)
{
    qInfo() << RJ_FUNCTION << "isVisible:" << isVisible();
    if (m_pWgtTitleBar) {
        m_pWgtTitleBar->setGeometry(m_titleBarRect);
        m_pWgtTitleBar->show();
        m_pWgtTitleBar->raise();
        qInfo() << RJ_FUNCTION << "m_pWgtTitleBar" << m_pWgtTitleBar->geometry();
    }
    m_layoutScaler.init(width(), height(), this);
    m_bShowing = true;
    CBaseDlg::showEvent(event);
    m_bShowing = false;
}

void CLayoutToolbarDlg::hideEvent(QHideEvent *event)
{
    qInfo() << RJ_FUNCTION << "isVisible:" << isVisible();
    if (m_pWgtTitleBar)
        m_pWgtTitleBar->hide();
    CBaseDlg::hideEvent(event);
}

void CLayoutToolbarDlg::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::WindowStateChange) {
        qInfo() << RJ_FUNCTION << "windowState:" << windowState();
        return;
    }
    CBaseDlg::changeEvent(event);
}

void CLayoutToolbarDlg::onDpiChanged()
{
    const double s = currentScale();
    qInfo() << RJ_FUNCTION << s;
    setStyleSheet(QString());
    setStyleSheets(kStyleBase);
    // The height follows the scale; the width is the layout's.
    m_layoutScaler.rescale(s, this, false);
    setMinimumHeight(static_cast<int>(kBaseHeight * s));
    setMaximumHeight(static_cast<int>(kBaseHeight * s));
    refreshEnableMicBtnStatus(CCallController::getInstance()->isMicEnabled());
    refreshEnableCameraBtnStatus(CCallController::getInstance()->isCameraEnabled());
    setLayoutMode(m_iLayoutMode);
    refreshVolumeBtnStatus(false, false);
    refreshStaticImages();
    m_pBtnConfMngt->setScale(s);
    m_pBtnAttendees->setScale(s);
    // A scale that changes under a shown toolbar hides it; the layout shows
    // it again on the next mouse movement over the video. The scale taken
    // while being shown leaves it shown.
    if (!m_bShowing)
        hide();
}

} // namespace rj_app::views
