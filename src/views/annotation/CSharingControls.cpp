#include "views/annotation/CSharingControls.h"

#include "helpers/LogMacros.h"
#include "models/CCallController.h"
#include "models/CLinguist.h"
#include "models/CRJSdkManager.h"
#include "views/annotation/Button_share.h"
#include "views/annotation/QMenuButton.h"
#include "views/incall/CContainerSettingsFormWidget.h"
#include "views/incall/CControlVolumeWidget.h"
#include "views/incall/menuAudioWidget.h"
#include "views/incall/menuVideoWidget.h"

#include <QCursor>
#include <QDebug>
#include <QEvent>
#include <QPushButton>
#include <QSignalBlocker>

using rj_app::models::CCallController;
using rj_app::models::CRJSdkManager;

namespace rj_app::views {

namespace {

constexpr Qt::WindowFlags kPopupWindow = Qt::SplashScreen;
const char kVolumeIcon[] = ":/resources/images/layout-operationbar/icon_volume_pop.png";
const char kVolumeOffIcon[] = ":/resources/images/layout-operationbar/icon_volumeoff.png";

} // namespace

CSharingControls::CSharingControls(QWidget *host, const Buttons &buttons, const Fold &fold)
    : QObject(host)
    , m_pHost(host)
    , m_buttons(buttons)
    , m_fold(fold)
{
    if (m_buttons.mic)
        connect(m_buttons.mic, &QPushButton::clicked, this, &CSharingControls::slotSwitchMic);
    if (m_buttons.camera)
        connect(m_buttons.camera, &QPushButton::clicked, this, &CSharingControls::slotSwitchCamera);
    if (m_buttons.micArrow)
        connect(m_buttons.micArrow, &QPushButton::clicked, this, &CSharingControls::slotOnBtnSelectMicClicked);
    if (m_buttons.cameraArrow)
        connect(m_buttons.cameraArrow, &QPushButton::clicked, this, &CSharingControls::slotOnBtnSelectCameraClicked);
    if (m_buttons.volume)
        connect(m_buttons.volume, &QPushButton::clicked, this, &CSharingControls::slotOnBtnVolumClicked);
    if (m_fold.tab)
        connect(m_fold.tab, &Button_share::mySignal, this, &CSharingControls::entershareBtn);
    if (CRJSdkManager *sdk = CRJSdkManager::getInstance()) {
        connect(sdk, &CRJSdkManager::eventVolume, this, &CSharingControls::slotVolume);
        connect(sdk, &CRJSdkManager::eventMicMutedShow, this, &CSharingControls::slotOnMicMutedShow);
    }
}

CSharingControls::~CSharingControls()
{
    qInfo() << RJ_FUNCTION;
    if (CContainerSettingsFormWidget *settings = m_pSettingForm.data()) {
        m_pSettingForm = nullptr;
        settings->removeEventFilter(this);
        settings->close();
    }
}

menuAudioWidget *CSharingControls::audioMenu() const
{
    return m_pAudioSelectMenu;
}

menuVideoWidget *CSharingControls::cameraMenu() const
{
    return m_pCamSelectMenu;
}

CControlVolumeWidget *CSharingControls::volumeControl() const
{
    return m_pVolumeControl;
}

CContainerSettingsFormWidget *CSharingControls::settingsWindow() const
{
    return m_pSettingForm;
}

void CSharingControls::setScale(double scale)
{
    m_dScale = scale > 0 ? scale : 1.0;
}

// ------------------------------------------------- microphone and camera

void CSharingControls::refreshMicStatus()
{
    if (QMenuButton *button = m_buttons.mic) {
        if (CCallController::getInstance()->isMicEnabled()) {
            button->setOffState();
            button->setLabelText(tr("Mute"));
        } else {
            button->setOnState();
            button->setLabelText(tr("Unmute"));
        }
    }
    emit sigRefreshStatus();
}

void CSharingControls::refreshCameraStatus()
{
    if (QMenuButton *button = m_buttons.camera) {
        if (CCallController::getInstance()->isCameraEnabled()) {
            button->setOffState();
            button->setLabelText(tr("Stop Video"));
        } else {
            button->setOnState();
            button->setLabelText(tr("Enable Video"));
        }
    }
    emit sigRefreshStatus();
}

void CSharingControls::slotSwitchMic()
{
    if (!m_buttons.mic)
        return;
    // The press has already flipped the button: on means muted.
    const bool muted = m_buttons.mic->isOn();
    qInfo() << RJ_FUNCTION << "isChecked:" << muted;
    CCallController *call = CCallController::getInstance();
    call->enableMic(!muted);
    if (call->isMicEnabled() == muted)
        qWarning() << RJ_FUNCTION << "Failed to enableMic:" << !muted;
    // Refused or not, the button shows what the microphone does.
    refreshMicStatus();
}

void CSharingControls::slotSwitchCamera()
{
    if (!m_buttons.camera)
        return;
    const bool stopped = m_buttons.camera->isOn();
    qInfo() << RJ_FUNCTION << "isChecked:" << stopped;
    CCallController *call = CCallController::getInstance();
    call->enableCamera(!stopped);
    if (call->isCameraEnabled() == stopped)
        qWarning() << RJ_FUNCTION << "Failed to enableCamera:" << !stopped;
    refreshCameraStatus();
}

void CSharingControls::slotOnMicMutedShow(bool mic_muted)
{
    Q_UNUSED(mic_muted)
    refreshMicStatus();
}

// ---------------------------------------------------------------- volume

void CSharingControls::refreshVolumeStatus(bool muted, bool apply)
{
    QMenuButton *button = m_buttons.volume;
    if (!button)
        return;
    if (apply)
        button->setChecked(muted);
    else
        muted = button->isChecked();
    const QString icon = QLatin1String(muted ? kVolumeOffIcon : kVolumeIcon);
    button->setNormalIcon(icon);
    button->setOnIcon(icon);
    if (muted)
        button->setOnState();
    else
        button->setOffState();
}

void CSharingControls::slotVolume(rj::engine::RJ_DEVICE_TYPE type, rj::engine::RJVolume vol)
{
    if (type == rj::engine::RJ_DEVICE_SPEAKER)
        refreshVolumeStatus(vol.mute != 0, true);
}

// ------------------------------------------------------- toolbar parts

const char CSharingControls::kArrowStyle[] =
    "QPushButton{image: url(:/resources/images/layout-operationbar/arrow_down.png); background: transparent;}"
    "                                 QPushButton:hover{background-color: #616161;}";

QString CSharingControls::stateButtonStyle(const char *name, bool checkedRule)
{
    const QString n = QLatin1String(name);
    QString style = QStringLiteral("#%1{background-color: rgb(28, 30, 32);border: none;font-size: 12px;color: #ff4747;}\n"
                                   "#%1:hover{background-color: #474747;}")
                        .arg(n);
    if (checkedRule)
        style += QStringLiteral("\n#%1:checked{color: #ffffff;}").arg(n);
    return style;
}

QMenuButton *CSharingControls::makeMenuButton(QWidget *parent, const char *name, bool pointingHand)
{
    auto *button = new QMenuButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setMinimumSize(88, 54);
    if (pointingHand)
        button->setCursor(Qt::PointingHandCursor);
    return button;
}

void CSharingControls::applyLook(const ButtonLook &look)
{
    look.button->m_bCheckable = look.checkable;
    look.button->setNormalIcon(QLatin1String(look.normal));
    look.button->setOnIcon(QLatin1String(look.on));
    look.button->m_iState = 0;
}

QPushButton *CSharingControls::makeArrow(QWidget *parent, const char *name)
{
    auto *arrow = new QPushButton(parent);
    arrow->setObjectName(QLatin1String(name));
    arrow->setMinimumSize(16, 54);
    arrow->setMaximumSize(20, 54);
    return arrow;
}

// ---------------------------------------------------------------- popups

QPoint CSharingControls::popupPosition(const QRect &anchorGlobal, int popupWidth)
{
    return QPoint(anchorGlobal.left() - (popupWidth - anchorGlobal.width()) / 2,
                  anchorGlobal.top() + anchorGlobal.height() + kPopupGap);
}

void CSharingControls::openPopup(QWidget *popup)
{
    popup->setParent(m_pHost, kPopupWindow);
    popup->installEventFilter(this);
}

void CSharingControls::slotOnBtnSelectMicClicked()
{
    qInfo() << RJ_FUNCTION;
    if (m_pAudioSelectMenu || !m_buttons.micArrow)
        return;
    QPushButton *anchor = m_buttons.micArrow;
    const QSignalBlocker blocker(anchor);
    auto *menu = new menuAudioWidget(m_dScale, nullptr);
    m_pAudioSelectMenu = menu;
    openPopup(menu);
    menu->refreshDevices();
    menu->show();
    menu->move(popupPosition(QRect(anchor->mapToGlobal(QPoint(0, 0)), anchor->size()), menu->width()));
    connect(menu, &menuAudioWidget::sigShowAudioSetting, this, &CSharingControls::slotShowAudioSetting);
    m_bPopupOpen = true;
}

void CSharingControls::slotOnBtnSelectCameraClicked()
{
    qInfo() << RJ_FUNCTION;
    if (m_pCamSelectMenu || !m_buttons.cameraArrow)
        return;
    QPushButton *anchor = m_buttons.cameraArrow;
    const QSignalBlocker blocker(anchor);
    auto *menu = new menuVideoWidget(m_dScale, nullptr);
    m_pCamSelectMenu = menu;
    openPopup(menu);
    menu->refreshDevices();
    menu->show();
    menu->move(popupPosition(QRect(anchor->mapToGlobal(QPoint(0, 0)), anchor->size()), menu->width()));
    connect(menu, &menuVideoWidget::sigShowVideoSetting, this, &CSharingControls::slotShowVideoSetting);
    m_bPopupOpen = true;
}

void CSharingControls::slotOnBtnVolumClicked()
{
    qInfo() << RJ_FUNCTION;
    if (!m_buttons.volume)
        return;
    rj::engine::RJVolume vol;
    if (CRJSdkManager *sdk = CRJSdkManager::getInstance())
        vol = sdk->getVolume(rj::engine::RJ_DEVICE_SPEAKER);
    // Whatever the click did to the button, it shows the speaker's state.
    refreshVolumeStatus(vol.mute != 0, true);
    if (m_pVolumeControl)
        return;
    QMenuButton *anchor = m_buttons.volume;
    const QSignalBlocker blocker(anchor);
    auto *control = new CControlVolumeWidget(m_dScale, nullptr);
    m_pVolumeControl = control;
    openPopup(control);
    control->init(vol.mute != 0, vol.volume);
    control->show();
    control->move(popupPosition(QRect(anchor->mapToGlobal(QPoint(0, 0)), anchor->size()), control->width()));
    m_bPopupOpen = true;
}

void CSharingControls::closePopup(QWidget *popup)
{
    qInfo() << RJ_FUNCTION << "Second menu closed:" << popup;
    if (popup == m_pAudioSelectMenu) {
        qInfo() << "m_pAudioSelectMenu closed";
        m_pAudioSelectMenu = nullptr;
    } else if (popup == m_pCamSelectMenu) {
        qInfo() << "m_pCamSelectMenu closed";
        m_pCamSelectMenu = nullptr;
    } else if (popup == m_pVolumeControl) {
        qInfo() << "m_pVolumeControl closed";
        m_pVolumeControl = nullptr;
    }
    m_bPopupOpen = false;
    popup->removeEventFilter(this);
    popup->close(); // deletes itself
}

bool CSharingControls::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::WindowDeactivate) {
        QWidget *popup = nullptr;
        for (QWidget *p : {static_cast<QWidget *>(m_pAudioSelectMenu.data()),
                           static_cast<QWidget *>(m_pCamSelectMenu.data()),
                           static_cast<QWidget *>(m_pVolumeControl.data())}) {
            if (p && p == watched)
                popup = p;
        }
        if (popup) {
            if (popup->rect().contains(popup->mapFromGlobal(QCursor::pos()))) {
                popup->activateWindow();
                popup->raise();
            } else {
                closePopup(popup);
            }
            return true;
        }
    } else if (event->type() == QEvent::Close && watched && watched == m_pSettingForm) {
        qInfo() << RJ_FUNCTION << "m_pSettingForm is closed";
        m_pSettingForm = nullptr;
        emit sigSettingWinClosed();
        // The window still closes: the event stays accepted.
        return true;
    }
    return QObject::eventFilter(watched, event);
}

// ------------------------------------------------------- settings window

void CSharingControls::slotShowAudioSetting()
{
    qInfo() << RJ_FUNCTION;
    showSetting(true);
    if (QWidget *menu = m_pAudioSelectMenu.data()) {
        m_pAudioSelectMenu = nullptr;
        menu->removeEventFilter(this);
        menu->close();
    }
}

void CSharingControls::slotShowVideoSetting()
{
    qInfo() << RJ_FUNCTION;
    showSetting(false);
    if (QWidget *menu = m_pCamSelectMenu.data()) {
        m_pCamSelectMenu = nullptr;
        menu->removeEventFilter(this);
        menu->close();
    }
}

void CSharingControls::showSetting(bool audio)
{
    qInfo() << RJ_FUNCTION << "audio:" << audio;
    if (CContainerSettingsFormWidget *old = m_pSettingForm.data()) {
        if (old->isVisible()) {
            qInfo() << "m_pSettingForm is visible";
            old->centerWindow();
            return;
        }
        old->removeEventFilter(this);
    }
    auto *settings = new CContainerSettingsFormWidget(nullptr);
    m_pSettingForm = settings;
    settings->setAttribute(Qt::WA_DeleteOnClose);
    settings->installEventFilter(this);
    settings->setParent(m_pHost, kPopupWindow);
    settings->setCurrentTab(audio ? 2 : 3);
    settings->show();
    m_bPopupOpen = false;
}

// --------------------------------------------------------------- fold tab

void CSharingControls::setRowHeights(int base)
{
    const int height = static_cast<int>(base * m_dScale);
    for (QWidget *row : m_fold.rows) {
        if (row) {
            row->setMinimumHeight(height);
            row->setMaximumHeight(height);
        }
    }
}

bool CSharingControls::isFolded() const
{
    return m_fold.view && m_fold.view->isHidden();
}

void CSharingControls::unfold()
{
    setRowHeights(kUnfoldedHeight);
    if (m_fold.view)
        m_fold.view->show();
}

void CSharingControls::entershareBtn()
{
    if (!m_fold.view)
        return;
    if (m_fold.view->isHidden()) {
        unfold();
        emit sigFoldChanged(false);
    } else if (m_bPopupOpen) {
        qInfo() << RJ_FUNCTION << "a popup is open, the bar stays";
    } else {
        setRowHeights(kFoldedHeight);
        m_fold.view->hide();
        emit sigFoldChanged(true);
    }
}

} // namespace rj_app::views
