#include "views/incall/CControlVolumeWidget.h"

#include "helpers/LogMacros.h"
#include "models/CRJSdkManager.h"

#include <QDebug>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QSpacerItem>
#include <QToolButton>
#include <QVBoxLayout>

using rj_app::models::CRJSdkManager;

namespace rj_app::views {

CControlVolumeWidget::CControlVolumeWidget(double scale, QWidget *parent)
    : CBaseWgt(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint | Qt::SubWindow);
    fStretchFactor = scale;
    setStyleSheets(QStringLiteral(":/resources/qss/controlvolumewidget"));
    setupForm();
}

CControlVolumeWidget::~CControlVolumeWidget() = default;

void CControlVolumeWidget::setupForm()
{
    const double s = fStretchFactor;
    m_value = new QLabel(QStringLiteral("10"), this);
    m_value->setObjectName(QStringLiteral("m_value"));
    m_value->setAlignment(Qt::AlignCenter);
    m_value->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    m_value->setFixedHeight(26);

    m_volume = new QSlider(Qt::Vertical, this);
    m_volume->setObjectName(QStringLiteral("m_volume"));
    m_volume->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    m_volume->setRange(0, 100);
    m_volume->setSingleStep(1);
    m_volume->setValue(10);

    m_mute = new QToolButton(this);
    m_mute->setObjectName(QStringLiteral("m_mute"));
    m_mute->setFixedSize(static_cast<int>(24 * s), static_cast<int>(24 * s));
    m_mute->setCheckable(true);
    m_mute->setChecked(true);

    m_pLeftSpacer = new QSpacerItem(6, 10, QSizePolicy::Preferred, QSizePolicy::Fixed);
    m_pRightSpacer = new QSpacerItem(6, 10, QSizePolicy::Preferred, QSizePolicy::Fixed);
    m_hLayout = new QHBoxLayout();
    m_hLayout->setObjectName(QStringLiteral("m_hLayout"));
    m_hLayout->setSpacing(0);
    m_hLayout->setContentsMargins(0, 0, 0, 0);
    m_hLayout->addItem(m_pLeftSpacer);
    m_hLayout->addWidget(m_mute);
    m_hLayout->addItem(m_pRightSpacer);

    m_vLayout = new QVBoxLayout(this);
    m_vLayout->setObjectName(QStringLiteral("m_vLayout"));
    m_vLayout->setSpacing(6);
    m_vLayout->setContentsMargins(6, 6, 6, 6);
    m_vLayout->addWidget(m_value);
    m_vLayout->addWidget(m_volume);
    m_vLayout->addLayout(m_hLayout);

    setFixedSize(static_cast<int>(44 * s), static_cast<int>(194 * s));
}

int CControlVolumeWidget::sliderPosition(float volume)
{
    const float hundredths = volume * 100.0f;
    return qRound(static_cast<double>(hundredths) / 3);
}

float CControlVolumeWidget::engineVolume(int position)
{
    return static_cast<float>(position * 3.0 / 100);
}

void CControlVolumeWidget::init(bool mute, float volume)
{
    const int position = sliderPosition(volume);
    qInfo() << RJ_FUNCTION << "mute:" << mute << "volume:" << volume << "position:" << position;
    m_volume->setValue(position);
    m_value->setText(QString::number(m_volume->value()));
    m_mute->setChecked(mute);
    connect(m_volume, &QSlider::valueChanged, this, &CControlVolumeWidget::slot_setValue);
    connect(m_mute, &QToolButton::clicked, this, &CControlVolumeWidget::slot_setMute);
}

void CControlVolumeWidget::slot_setValue(int nValue)
{
    m_value->setText(QString::number(nValue));
    CRJSdkManager *sdk = CRJSdkManager::getInstance();
    rj::engine::RJVolume vol = sdk->getVolume(rj::engine::RJ_DEVICE_SPEAKER);
    vol.volume = engineVolume(nValue);
    sdk->setVolume(rj::engine::RJ_DEVICE_SPEAKER, vol);
}

void CControlVolumeWidget::slot_setMute(bool mute)
{
    CRJSdkManager *sdk = CRJSdkManager::getInstance();
    rj::engine::RJVolume vol = sdk->getVolume(rj::engine::RJ_DEVICE_SPEAKER);
    vol.mute = mute ? 1 : 0;
    sdk->setVolume(rj::engine::RJ_DEVICE_SPEAKER, vol);
}

} // namespace rj_app::views
