#include "views/incall/menuAudioWidget.h"

#include "helpers/LogMacros.h"
#include "models/CRJSdkManager.h"
#include "views/incall/CDevicePopupParts.h"

#include <QDebug>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QSpacerItem>
#include <QVBoxLayout>

using rj_app::models::CRJSdkManager;
namespace popup = rj_app::views::devicepopup;

namespace rj_app::views {

menuAudioWidget::menuAudioWidget(double scale, QWidget *parent)
    : CBaseWgt(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint | Qt::SubWindow);
    fStretchFactor = scale;
    setStyleSheets(QStringLiteral(":/resources/qss/menuaudiowidget"));
}

menuAudioWidget::~menuAudioWidget() = default;

void menuAudioWidget::refreshDevices()
{
    m_micList.clear();
    m_speakerList.clear();
    if (CRJSdkManager *sdk = CRJSdkManager::getInstance()) {
        m_micList = sdk->getDevices(rj::engine::RJ_DEVICE_MIC);
        m_speakerList = sdk->getDevices(rj::engine::RJ_DEVICE_SPEAKER);
        m_currentMic = sdk->getDevice(rj::engine::RJ_DEVICE_MIC);
        m_currentSpeaker = sdk->getDevice(rj::engine::RJ_DEVICE_SPEAKER);
    }
    qInfo() << RJ_FUNCTION << "microphones:" << m_micList.size() << "speakers:" << m_speakerList.size();
    buildForm();
}

void menuAudioWidget::buildForm()
{
    const double s = fStretchFactor;
    m_pMicTitle = popup::makeTitle(this, tr("Select microphone"), s);
    m_pMicLine = popup::makeLine(this);
    m_pSpeakerTitle = popup::makeTitle(this, tr("Select speaker"), s);
    m_pSpeakerLine = popup::makeLine(this);
    m_pBtnSettings = popup::makeSettingsButton(this, "m_showAudioSets", tr("Audio setting"), s);
    m_pSpacer = new QSpacerItem(20, 0, QSizePolicy::Preferred, QSizePolicy::Preferred);
    m_pLayout = new QVBoxLayout();
    m_pLayout->setObjectName(QStringLiteral("m_vLayout"));
    m_pLayout->setSpacing(6);
    m_pLayout->setContentsMargins(0, 6, 0, 6);

    const auto section = [this, s](QLabel *title, QFrame *line, QButtonGroup *group,
                                   const std::vector<rj::engine::RJDevice> &devices,
                                   const rj::engine::RJDevice &current, const char *systemDefault,
                                   void (menuAudioWidget::*slot)(int)) {
        if (devices.empty()) {
            title->hide();
            line->hide();
            return;
        }
        m_pLayout->addWidget(title);
        const QString defaultName = QString::fromLatin1(systemDefault);
        popup::addDeviceChecks(this, m_pLayout, group, devices, current.id, s,
                               [this, defaultName](const rj::engine::RJDevice &d) {
                                   const QString name = QString::fromStdString(d.name);
                                   return name == defaultName ? tr("System Default") : name;
                               });
        connect(group, &QButtonGroup::idClicked, this, slot);
        m_pLayout->addWidget(line);
    };
    section(m_pMicTitle, m_pMicLine, &m_micGroup, m_micList, m_currentMic, "System Default Microphone",
            &menuAudioWidget::slot_checked_mic);
    section(m_pSpeakerTitle, m_pSpeakerLine, &m_speakerGroup, m_speakerList, m_currentSpeaker,
            "System Default Speaker", &menuAudioWidget::slot_checked_speaker);

    m_pLayout->addWidget(m_pBtnSettings);
    m_pLayout->addItem(m_pSpacer);
    popup::finishForm(this, m_pLayout, s);
    connect(m_pBtnSettings, &QPushButton::clicked, this, &menuAudioWidget::slot_clicked_showsets);
}

void menuAudioWidget::slot_checked_mic(int nId)
{
    if (!popup::takeDevice(m_micGroup, m_micList, m_currentMic, nId))
        return;
    qInfo() << RJ_FUNCTION << "id:" << nId;
    CRJSdkManager::getInstance()->setDevice(rj::engine::RJ_DEVICE_MIC, static_cast<unsigned int>(nId));
}

void menuAudioWidget::slot_checked_speaker(int nId)
{
    if (!popup::takeDevice(m_speakerGroup, m_speakerList, m_currentSpeaker, nId))
        return;
    qInfo() << RJ_FUNCTION << "id:" << nId;
    CRJSdkManager::getInstance()->setDevice(rj::engine::RJ_DEVICE_SPEAKER, static_cast<unsigned int>(nId));
}

void menuAudioWidget::slot_clicked_showsets()
{
    emit sigShowAudioSetting();
    hide();
}

} // namespace rj_app::views
