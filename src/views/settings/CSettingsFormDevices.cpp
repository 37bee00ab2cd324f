// The device part of the Audio and Video pages and the About page.

#include "views/settings/CSettingsForm.h"

#include "custom_controls/CComboBoxIgnoreScroll.h"
#include "helpers/AppVersion.h"
#include "helpers/LogMacros.h"
#include "models/CRJSdkManager.h"
#include "views/framework/AlertDlg.h"
#include "views/settings/CDownloadThread.h"
#include "views/settings/CSettingsFormUi.h"

#include <QCoreApplication>
#include <QDebug>
#include <QLabel>
#include <QListView>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include <utility>

namespace rj_app::views {

using models::CRJSdkManager;
using rj::engine::RJ_DEVICE_TYPE;
using rj::engine::RJDevice;

namespace {

QString formText(const char *source)
{
    return QCoreApplication::translate("CSettingsForm", source);
}

QString deviceName(const RJDevice &device)
{
    return QString::fromStdString(device.name);
}

// The fixed differences between the three device lists.
struct DeviceListKind
{
    RJ_DEVICE_TYPE type;
    const char *defaultName; // shown as "System Default"; null: names unchanged
    const char *found;
    const char *fallback;
    const char *empty;
    const char *emptyWarning;
};

const DeviceListKind kMic{rj::engine::RJ_DEVICE_MIC,
                          "System Default Microphone",
                          "Found selected mic",
                          "Not found selected mic and set mic to the first",
                          "Empty mic list",
                          "The mic device list is empty"};
const DeviceListKind kSpeaker{rj::engine::RJ_DEVICE_SPEAKER,
                              "System Default Speaker",
                              "Found selected speaker",
                              "Not found selected speaker and set speaker to the first",
                              "Empty speaker list",
                              "The speaker device list is empty"};
const DeviceListKind kCamera{rj::engine::RJ_DEVICE_CAMERA,
                             nullptr,
                             "Found selected camera",
                             "Not found selected camera and set camera to the first",
                             "Empty camera list",
                             "The video device list is empty"};

// Refills combo from the engine. Returns true when the engine's current device
// was not listed and item 0 must be applied by the caller.
bool refreshDeviceList(const DeviceListKind &kind, QComboBox *combo, std::vector<RJDevice> &list,
                       RJDevice &current)
{
    qInfo() << RJ_FUNCTION << "type:" << kind.type << "start";
    CRJSdkManager *sdk = CRJSdkManager::getInstance();
    list = sdk ? sdk->getDevices(kind.type) : std::vector<RJDevice>();
    current = sdk ? sdk->getDevice(kind.type) : RJDevice();
    qInfo() << RJ_FUNCTION << "current id:" << static_cast<int>(current.id) << ", name:" << deviceName(current);

    const QSignalBlocker blocker(combo);
    combo->clear();
    for (const RJDevice &device : list) {
        const QString name = deviceName(device);
        qInfo() << RJ_FUNCTION << "device id:" << static_cast<int>(device.id) << ", name:" << name;
        const bool isDefault = kind.defaultName && name == QLatin1String(kind.defaultName);
        combo->addItem(isDefault ? formText("System Default") : name, static_cast<int>(device.id));
    }
    const int found = combo->findData(static_cast<int>(current.id));
    if (found >= 0) {
        qInfo() << RJ_FUNCTION << kind.found;
        combo->setCurrentIndex(found);
        return false;
    }
    if (combo->count() > 0) {
        qInfo() << RJ_FUNCTION << kind.fallback;
        combo->setCurrentIndex(0);
        return true;
    }
    qInfo() << RJ_FUNCTION << kind.empty;
    combo->setCurrentIndex(-1);
    return false;
}

// The device id at index, or false when the choice cannot be applied.
bool chosenDevice(const DeviceListKind &kind, QComboBox *combo, int index, const std::vector<RJDevice> &list,
                  unsigned int &id)
{
    id = combo->itemData(index).toUInt();
    qInfo() << RJ_FUNCTION << "index:" << index << ", id:" << id << ", size:" << list.size();
    if (list.empty()) {
        qWarning() << RJ_FUNCTION << kind.emptyWarning;
        return false;
    }
    // A stale or missing index would hand the engine a made-up id.
    if (index < 0 || index >= combo->count()) {
        qWarning() << RJ_FUNCTION << "No device at index" << index;
        return false;
    }
    return CRJSdkManager::getInstance() != nullptr;
}

} // namespace

void CSettingsForm::initDevicePages()
{
    // Plain list views so the style sheet reaches the popup items.
    ui->cbbMic->setView(new QListView());
    ui->cbbSpeaker->setView(new QListView());
    ui->cbbCamera->setView(new QListView());

    connect(ui->cbbMic, QOverload<int>::of(&QComboBox::activated), this, &CSettingsForm::slt_micSelected);
    connect(ui->cbbSpeaker, QOverload<int>::of(&QComboBox::activated), this, &CSettingsForm::slt_speakerSelected);
    connect(ui->cbbCamera, QOverload<int>::of(&QComboBox::activated), this, &CSettingsForm::slt_cameraSelected);
    connect(ui->btnPlayTestSound, &QPushButton::clicked, this, &CSettingsForm::slt_playTestSound);
    connect(m_pMicMeterTimer, &QTimer::timeout, this, &CSettingsForm::slt_updateMicVolume);
    if (CRJSdkManager *sdk = CRJSdkManager::getInstance()) {
        connect(sdk, &CRJSdkManager::eventDeviceAdded, this, &CSettingsForm::slotOnDeviceAdded);
        connect(sdk, &CRJSdkManager::eventDeviceRemoved, this, &CSettingsForm::slotOnDeviceRemoved);
    }

    // Set once: a language change leaves it in the language of construction.
    ui->m_pLabVersion->setText(formText("Version: %1").arg(QLatin1String(helpers::kAppVersion)));
}

// ------------------------------------------------------------ device lists

// A hot-plug or a host's page switch may reach a hidden form: the microphone
// must not be opened for a meter nobody sees.
bool CSettingsForm::isAudioPageShown() const
{
    return isVisible() && ui->twgtSettingsPages->currentIndex() == SettingsPageIndex_Audio;
}

void CSettingsForm::slt_refreshAudioDevices()
{
    refreshMicComboBox();
    refreshSpeakerComboBox();
    if (isAudioPageShown()) {
        if (CRJSdkManager *sdk = CRJSdkManager::getInstance())
            sdk->enableMicMeter(true);
    }
    qInfo() << RJ_FUNCTION << "done";
}

void CSettingsForm::slt_refreshVedioDevices()
{
    if (CRJSdkManager *sdk = CRJSdkManager::getInstance())
        sdk->setLocalVideoWindow(ui->wgtVideoPreview->winId());
    refreshCameraComboBox();
    qInfo() << RJ_FUNCTION << "done";
}

void CSettingsForm::refreshMicComboBox()
{
    if (refreshDeviceList(kMic, ui->cbbMic, m_audioCaptureDevices, m_curAudioCaptureDevice))
        slt_micSelected(0);
}

void CSettingsForm::refreshSpeakerComboBox()
{
    if (refreshDeviceList(kSpeaker, ui->cbbSpeaker, m_audioPlaybackDevices, m_curAudioPlaybackDevice))
        slt_speakerSelected(0);
}

void CSettingsForm::refreshCameraComboBox()
{
    if (refreshDeviceList(kCamera, ui->cbbCamera, m_videoDevices, m_curVideoDevice))
        slt_cameraSelected(0);
}

void CSettingsForm::slt_micSelected(int index)
{
    unsigned int id = 0;
    if (!chosenDevice(kMic, ui->cbbMic, index, m_audioCaptureDevices, id))
        return;
    CRJSdkManager *sdk = CRJSdkManager::getInstance();
    sdk->setDevice(kMic.type, id);
    if (isAudioPageShown())
        sdk->enableMicMeter(true);
}

void CSettingsForm::slt_speakerSelected(int index)
{
    unsigned int id = 0;
    if (!chosenDevice(kSpeaker, ui->cbbSpeaker, index, m_audioPlaybackDevices, id))
        return;
    CRJSdkManager *sdk = CRJSdkManager::getInstance();
    sdk->setDevice(kSpeaker.type, id);
    if (isAudioPageShown())
        sdk->enableMicMeter(true);
}

void CSettingsForm::slt_cameraSelected(int index)
{
    unsigned int id = 0;
    if (!chosenDevice(kCamera, ui->cbbCamera, index, m_videoDevices, id))
        return;
    CRJSdkManager *sdk = CRJSdkManager::getInstance();
    sdk->setDevice(kCamera.type, id);
    sdk->setLocalVideoWindow(ui->wgtVideoPreview->winId());
    // A refresh of a hidden form must not leave the camera running unseen.
    if (isVisible())
        sdk->enablePreview(true);
    qInfo() << RJ_FUNCTION << "done";
}

void CSettingsForm::slotOnDeviceAdded(rj::engine::RJDevice device)
{
    qInfo() << RJ_FUNCTION << "type:" << device.type << ", id:" << static_cast<int>(device.id)
            << ", name:" << deviceName(device);
    onDeviceChanged(device.type);
}

void CSettingsForm::slotOnDeviceRemoved(rj::engine::RJDevice device)
{
    qInfo() << RJ_FUNCTION << "type:" << device.type << ", id:" << static_cast<int>(device.id)
            << ", name:" << deviceName(device);
    onDeviceChanged(device.type);
}

void CSettingsForm::onDeviceChanged(int deviceType)
{
    const int page = ui->twgtSettingsPages->currentIndex();
    qInfo() << RJ_FUNCTION << "type:" << deviceType << ", page:" << page;
    if (deviceType == rj::engine::RJ_DEVICE_MIC && page == SettingsPageIndex_Audio)
        refreshMicComboBox();
    else if (deviceType == rj::engine::RJ_DEVICE_SPEAKER && page == SettingsPageIndex_Audio)
        refreshSpeakerComboBox();
    else if (deviceType == rj::engine::RJ_DEVICE_CAMERA && page == SettingsPageIndex_Video)
        refreshCameraComboBox();
}

// ------------------------------------------------------- meter and sound

namespace {
CSettingsForm::MicLevelSource &micLevelSource()
{
    static CSettingsForm::MicLevelSource source;
    return source;
}
} // namespace

void CSettingsForm::setMicLevelSource(MicLevelSource source)
{
    micLevelSource() = std::move(source);
}

void CSettingsForm::slt_updateMicVolume()
{
    if (m_audioCaptureDevices.empty()) {
        qInfo() << RJ_FUNCTION << "audioCaptureDevices = NULL";
        return;
    }
    float fraction = 0.0f;
    if (micLevelSource()) {
        fraction = micLevelSource()();
    } else if (CRJSdkManager *sdk = CRJSdkManager::getInstance()) {
        fraction = sdk->getMicVolume();
    } else {
        return;
    }
    const float level = fraction * static_cast<float>(ui->pgbMic->maximum());
    // The bar ignores a value outside its range and would stand still.
    ui->pgbMic->setValue(qBound(ui->pgbMic->minimum(), static_cast<int>(level), ui->pgbMic->maximum()));
}

void CSettingsForm::slt_playTestSound()
{
    qInfo() << RJ_FUNCTION;
    CRJSdkManager *sdk = CRJSdkManager::getInstance();
    if (!sdk)
        return;
    if (sdk->isAudioPlaying()) {
        sdk->stopAudioPlay();
        return;
    }
    static const QString path =
        QCoreApplication::applicationDirPath() + QStringLiteral("/") + QStringLiteral("resources/sounds/speaker.wav");
    sdk->setAudioFile(path);
    sdk->startAudioPlay(0);
}

// ------------------------------------------------------------ About page

void CSettingsForm::on_m_pBtnCheckUpdate_clicked()
{
    CDownloadThread *worker = CDownloadThread::getInstance();
    if (worker->isRunning()) {
        qInfo() << RJ_FUNCTION << "Update worker busy";
        return;
    }
    qInfo() << RJ_FUNCTION << "Manual update check";
    // Listening first: the answer must not find nobody waiting for it.
    connect(worker, &CDownloadThread::signal_updateMessage, this, &CSettingsForm::slt_updateMessage,
            Qt::UniqueConnection);
    connect(worker, &CDownloadThread::signal_updateCheckFailed, this, &CSettingsForm::slt_updateCheckFailed,
            Qt::UniqueConnection);
    worker->Tstart(true, true);
}

// Before any prompt: a check finishing while it is open is not ours.
void CSettingsForm::stopListeningToUpdateCheck()
{
    CDownloadThread *worker = CDownloadThread::getInstance();
    disconnect(worker, &CDownloadThread::signal_updateMessage, this, &CSettingsForm::slt_updateMessage);
    disconnect(worker, &CDownloadThread::signal_updateCheckFailed, this, &CSettingsForm::slt_updateCheckFailed);
}

void CSettingsForm::slt_updateMessage(bool toUpdate)
{
    qInfo() << RJ_FUNCTION << "toUpdate:" << toUpdate;
    stopListeningToUpdateCheck();
    if (!toUpdate)
        AlertDlg::execPrompt(this, formText("Prompt"), formText("Not found new version."));
}

void CSettingsForm::slt_updateCheckFailed(const QString &reason)
{
    qInfo() << RJ_FUNCTION << "reason:" << reason;
    stopListeningToUpdateCheck();
    AlertDlg::execPrompt(this, formText("Prompt"), CDownloadThread::checkFailedText(reason));
}

} // namespace rj_app::views
