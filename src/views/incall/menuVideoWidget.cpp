#include "views/incall/menuVideoWidget.h"

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

menuVideoWidget::menuVideoWidget(double scale, QWidget *parent)
    : CBaseWgt(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint | Qt::SubWindow);
    fStretchFactor = scale;
    setStyleSheets(QStringLiteral(":/resources/qss/menuvideowidget"));
}

menuVideoWidget::~menuVideoWidget() = default;

void menuVideoWidget::refreshDevices()
{
    m_camList.clear();
    if (CRJSdkManager *sdk = CRJSdkManager::getInstance()) {
        m_camList = sdk->getDevices(rj::engine::RJ_DEVICE_CAMERA);
        m_currentCam = sdk->getDevice(rj::engine::RJ_DEVICE_CAMERA);
    }
    qInfo() << RJ_FUNCTION << "cameras:" << m_camList.size();
    buildForm();
}

void menuVideoWidget::buildForm()
{
    const double s = fStretchFactor;
    m_pTitle = popup::makeTitle(this, tr("Select camera"), s);
    m_pLine = popup::makeLine(this);
    m_pBtnSettings = popup::makeSettingsButton(this, "m_showVideoSets", tr("Video setting"), s);
    m_pSpacer = new QSpacerItem(20, 0, QSizePolicy::Preferred, QSizePolicy::Preferred);
    m_pLayout = new QVBoxLayout();
    m_pLayout->setObjectName(QStringLiteral("m_vLayout"));
    m_pLayout->setSpacing(6);
    m_pLayout->setContentsMargins(0, 6, 0, 6);

    if (m_camList.empty()) {
        m_pTitle->hide();
        m_pLine->hide();
    } else {
        m_pLayout->addWidget(m_pTitle);
        popup::addDeviceChecks(this, m_pLayout, &m_camGroup, m_camList, m_currentCam.id, s,
                               [](const rj::engine::RJDevice &d) { return QString::fromStdString(d.name); });
        connect(&m_camGroup, &QButtonGroup::idClicked, this, &menuVideoWidget::slot_checked_cam);
        m_pLayout->addWidget(m_pLine);
    }

    m_pLayout->addWidget(m_pBtnSettings);
    m_pLayout->addItem(m_pSpacer);
    popup::finishForm(this, m_pLayout, s);
    connect(m_pBtnSettings, &QPushButton::clicked, this, &menuVideoWidget::slot_clicked_showsets);
}

void menuVideoWidget::slot_checked_cam(int nId)
{
    if (!popup::takeDevice(m_camGroup, m_camList, m_currentCam, nId))
        return;
    qInfo() << RJ_FUNCTION << "id:" << nId;
    CRJSdkManager::getInstance()->setDevice(rj::engine::RJ_DEVICE_CAMERA, static_cast<unsigned int>(nId));
}

void menuVideoWidget::slot_clicked_showsets()
{
    emit sigShowVideoSetting();
    hide();
}

} // namespace rj_app::views
