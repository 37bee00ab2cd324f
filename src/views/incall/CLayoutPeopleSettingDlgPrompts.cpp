// In-call prompts and the engine's warnings.

#include "views/incall/CLayoutPeopleSettingDlg.h"

#include "helpers/CUserConfigUtils.h"
#include "helpers/LogMacros.h"
#include "models/CCallController.h"
#include "models/CRJSdkManager.h"
#include "views/annotation/CbackgroundWidget.h"
#include "views/annotation/WhiteBoardDlg.h"
#include "views/framework/AlertDlg.h"
#include "views/incall/CLayoutCoverDlg.h"
#include "views/incall/CLayoutToolbarDlg.h"
#include "views/incall/CMediaStatisticsDlg.h"
#include "views/incall/CPromptWidget.h"

#include <QDebug>
#include <QGuiApplication>

#include <cstdint>

namespace rj_app::views {

using helpers::CUserConfigUtils;
using models::CCallController;
using models::CRJSdkManager;

namespace {

constexpr Qt::WindowFlags kOwnedWindow = Qt::SplashScreen | Qt::FramelessWindowHint;

constexpr int kContentDeniedMs = 5000;
constexpr int kMutedByHostMs = 7000;
constexpr int kUnmutedMs = 5000;
constexpr int kMuteSpeakingMs = 3000;
constexpr int kRequestSpeakMs = 3000;
constexpr int kVideoMutedMs = 4000;
constexpr int kDeviceMs = 4000;
constexpr int kWarnMs = 10000;

// The engine's warning codes.
enum WarnCode {
    Warn_NetworkUnstable = 0,
    Warn_NetworkPoor = 1,
    Warn_BandwidthLow = 2,
    Warn_BandwidthVeryLow = 3,
    Warn_NoMicrophone = 4,
    Warn_UnmuteRefused = 5,
    Warn_HostUnmutes = 6,
};

// The content record's status for a share the meeting refused.
constexpr int kContentDenied = 3;

bool promptsDisabled()
{
    CUserConfigUtils *config = CUserConfigUtils::getInstance();
    return !config || config->getDisablePrompt();
}

} // namespace

QWidget *CLayoutPeopleSettingDlg::sharingPromptParent() const
{
    if (m_layoutMode == enums::LayoutMode_LocalContent)
        return m_bgWidget.data();
    if (m_layoutMode == enums::LayoutMode_LocalWhiteBoard)
        return m_whiteBoardDlg.data();
    return nullptr;
}

void CLayoutPeopleSettingDlg::detachPromptFrom(QWidget *parent)
{
    if (m_pPromptWidget && m_pPromptWidget->parentWidget() == parent)
        m_pPromptWidget->setParent(nullptr, kOwnedWindow);
}

bool CLayoutPeopleSettingDlg::createPromptWidget(const QString &prompt, int msec)
{
    QWidget *parent = sharingPromptParent();
    qInfo() << RJ_FUNCTION << "prompt:" << prompt << ", pParent:" << parent;
    if (m_bCompactMode) {
        qInfo() << RJ_FUNCTION << "Do not prompt for compact mode";
        return false;
    }
    if (!parent) {
        const bool showPrompt = m_pToolbarDlg->getShowPromptFlag();
        if (!showPrompt || !isVisible()) {
            qInfo() << RJ_FUNCTION << "Do not prompt for getShowPromptFlag:" << showPrompt
                    << ", isVisible:" << isVisible();
            return false;
        }
        parent = m_pLayoutCover;
    }
    if (!m_pPromptWidget) {
        m_pPromptWidget = new CPromptWidget(nullptr);
        m_pPromptWidget->setParent(parent, kOwnedWindow);
        if (m_pEventFilter)
            m_pPromptWidget->installEventFilter(m_pEventFilter);
    } else if (m_pPromptWidget->parentWidget() != parent) {
        m_pPromptWidget->setParent(parent, kOwnedWindow);
    }
    m_pPromptWidget->showPrompt(prompt, msec);
    return true;
}

void CLayoutPeopleSettingDlg::slotOnContent(rj::engine::RJContentInfo contentInfo)
{
    if (contentInfo.status == kContentDenied)
        createPromptWidget(tr("The request for sending conent is denied due to lack of permission."),
                           kContentDeniedMs);
}

void CLayoutPeopleSettingDlg::slotOnMicMutedShow(bool mic_muted)
{
    m_pToolbarDlg->checkMicStatus();
    CCallController *call = CCallController::getInstance();
    if (call->getCallStatus() == enums::ConfConnected)
        setIsLocalRemoteMuted(call->getCallInfo().isRemoteMuted);
    if (mic_muted) {
        createPromptWidget(tr("You have been muted by meeting host."), kMutedByHostMs);
        return;
    }
    CRJSdkManager *manager = CRJSdkManager::getInstance();
    const bool micEnabled = manager && manager->micEnabled();
    qInfo() << RJ_FUNCTION << "Received remote mic unmuted, local micEnabled:" << micEnabled;
    if (micEnabled)
        createPromptWidget(tr("You are unmuted, other participants can hear you now."), kUnmutedMs);
}

void CLayoutPeopleSettingDlg::slotOnMuteSpeakingDetected()
{
    if (promptsDisabled()) {
        qInfo() << RJ_FUNCTION << "Received EventMuteSpeakingDetected, but prompt disabled.";
        return;
    }
    createPromptWidget(tr("Microphone Muted"), kMuteSpeakingMs);
}

void CLayoutPeopleSettingDlg::slotOnRequestSpeak()
{
    createPromptWidget(tr("Speech request has been sent"), kRequestSpeakMs);
}

void CLayoutPeopleSettingDlg::slotOnVideoMutedShow(int video_muted)
{
    if (!isConnected()) {
        qInfo() << RJ_FUNCTION << "not connected, do not show video muted prompt";
        return;
    }
    createPromptWidget(video_muted != 0 ? tr("Video is stopped.") : tr("Video is enabled."), kVideoMutedMs);
}

void CLayoutPeopleSettingDlg::slotOnCurrentDeviceChanged(rj::engine::RJDevice device)
{
    qInfo() << RJ_FUNCTION << "deviceId:" << device.id;
    // The all-bits-set default id, and any id negative as a signed 32-bit
    // number, means there is no such device.
    const bool none = static_cast<std::int32_t>(device.id) < 0;
    const QString name = QString::fromStdString(device.name);
    const QString desc = QString::fromStdString(device.desc);
    QString text;
    switch (device.type) {
    case rj::engine::RJ_DEVICE_MIC:
        text = none ? tr("No microphone device available.")
                    : tr("Current microphone: %1")
                          .arg(name == QLatin1String("System Default Microphone") ? desc : name);
        break;
    case rj::engine::RJ_DEVICE_SPEAKER:
        text = none ? tr("No speaker device available.")
                    : tr("Current speaker: %1").arg(name == QLatin1String("System Default Speaker") ? desc : name);
        break;
    case rj::engine::RJ_DEVICE_CAMERA:
        text = none ? tr("No camera device available.") : tr("Current camera: %1").arg(name);
        break;
    default:
        return;
    }
    createPromptWidget(text, kDeviceMs);
}

void CLayoutPeopleSettingDlg::slotOnWarn(rj::engine::RJWarn warn)
{
    qInfo() << RJ_FUNCTION << "slotOnWarn, code:" << warn.code << ", msg:" << QString::fromStdString(warn.msg);
    if (warn.code >= Warn_NetworkUnstable && warn.code <= Warn_BandwidthVeryLow && promptsDisabled())
        return;
    switch (warn.code) {
    case Warn_NetworkUnstable:
        createPromptWidget(tr("Network is not stable now, it may impact your conferencing experience."), kWarnMs);
        return;
    case Warn_NetworkPoor:
        createPromptWidget(
            tr("Network is in very poor status, recommend checking network or switching to better network."),
            kWarnMs);
        return;
    case Warn_BandwidthLow:
        createPromptWidget(
            tr("Network bandwidth is insufficient, it may impact your conferencing experience."), kWarnMs);
        return;
    case Warn_BandwidthVeryLow:
        createPromptWidget(tr("Network bandwidth is in serious shortage, recommend checking network bandwidth "
                              "or switching to better network."),
                           kWarnMs);
        return;
    case Warn_UnmuteRefused:
        createPromptWidget(tr("Not allowed to unmute."), kWarnMs);
        return;
    case Warn_NoMicrophone:
        break;
    case Warn_HostUnmutes:
        break;
    default:
        return;
    }

    // The two blocking warnings. Their boxes run a nested event loop, in
    // which the share (and the overlay with it) may end, or this window go.
    QPointer<CLayoutPeopleSettingDlg> self(this);
    if (warn.code == Warn_NoMicrophone) {
        const enums::CallStatus status = CCallController::getInstance()->getCallStatus();
        if (status != enums::ConfConnected && int(status) != 2) {
            qInfo() << RJ_FUNCTION << "Do not show no mic window for call status is not connected.";
            return;
        }
        if (!m_pToolbarDlg->isMicButtonChecked()) {
            qInfo() << RJ_FUNCTION << "Do not show no mic window for status is mute.";
            return;
        }
        if (m_bIsShowingAlert)
            return;
        m_bIsShowingAlert = true;
        QWidget *parent = m_pLayoutCover;
        if (m_layoutMode == enums::LayoutMode_LocalContent && m_bgWidget) {
            m_bgWidget->muteAudio();
            parent = m_bgWidget;
        } else {
            m_pToolbarDlg->muteAudio();
        }
        AlertDlg::execPrompt(parent, tr("Prompt"),
                             tr("There is no microphone found and other can not listen to you. Please check "
                                "microphone device."));
        if (self)
            m_bIsShowingAlert = false;
        return;
    }

    if (m_bIsShowingAlert)
        return;
    m_bIsShowingAlert = true;
    QGuiApplication::setQuitOnLastWindowClosed(false);
    QWidget *parent = sharingPromptParent();
    if (!parent)
        parent = m_pLayoutCover;
    const QDialogButtonBox::StandardButton answer =
        AlertDlg::execQuestion(parent, tr("Prompt"), tr("Meeting manager is unmuting you, do you agree?"),
                               QDialogButtonBox::Yes | QDialogButtonBox::No, QDialogButtonBox::Yes);
    if (!self)
        return;
    m_bIsShowingAlert = false;
    if (answer != QDialogButtonBox::Yes)
        return;
    // Decided after the box: the share may have ended while it was open.
    if (m_layoutMode == enums::LayoutMode_LocalContent && m_bgWidget)
        m_bgWidget->unmuteAudio();
    else
        m_pToolbarDlg->UnmuteAudio();
}

} // namespace rj_app::views
