#include "views/incall/CAudioModeWidget.h"

#include "helpers/CGeneralUtils.h"
#include "helpers/LogMacros.h"

#include <QDebug>
#include <QEvent>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QShowEvent>
#include <QVBoxLayout>

namespace rj_app::views {

namespace {
const QString kStyle = QStringLiteral(":/resources/qss/audio-mode-widget.qss");
const QString kMicOn =
    QStringLiteral("border-image:url(:/resources/images/audio_unmute-1x.png) no-repeat");
const QString kMicOff =
    QStringLiteral("border-image:url(:/resources/images/audio_mute-1x.png) no-repeat");
} // namespace

void CAudioModeWidget::setupForm()
{
    setObjectName(QStringLiteral("CAudioModeWidget"));
    resize(400, 300);
    setMaximumSize(4096, 3112);

    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);

    m_pWgtBg = new QWidget(this);
    m_pWgtBg->setObjectName(QStringLiteral("m_pWgtBg"));
    m_pWgtBg->setAttribute(Qt::WA_StyledBackground);
    root->addWidget(m_pWgtBg);

    auto *column = new QVBoxLayout(m_pWgtBg);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addItem(new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding));
    auto *row = new QHBoxLayout();
    row->setSpacing(0);
    row->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    m_pWgtAudioStatus = new QWidget(m_pWgtBg);
    m_pWgtAudioStatus->setObjectName(QStringLiteral("m_pWgtAudioStatus"));
    m_pWgtAudioStatus->setAttribute(Qt::WA_StyledBackground);
    m_pWgtAudioStatus->setMinimumSize(180, 180);
    m_pWgtAudioStatus->resize(180, 180);
    row->addWidget(m_pWgtAudioStatus);
    row->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    column->addLayout(row);
    column->addItem(new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding));
}

CAudioModeWidget::CAudioModeWidget(QWidget *parent)
    : CBaseWgt(parent)
{
    setupForm();
    helpers::CGeneralUtils::setStyle(this, kStyle);
    m_pWgtBg->setMouseTracking(true);
    m_pWgtBg->installEventFilter(this);
    setMicEnabled(true);
}

CAudioModeWidget::~CAudioModeWidget() = default;

void CAudioModeWidget::setMicEnabled(bool enabled)
{
    m_pWgtAudioStatus->setStyleSheet(enabled ? kMicOn : kMicOff);
}

bool CAudioModeWidget::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_pWgtBg && event->type() == QEvent::MouseMove)
        emit sigMouseMove(static_cast<QMouseEvent *>(event));
    return CBaseWgt::eventFilter(watched, event); // never consumed
}

void CAudioModeWidget::mouseMoveEvent(QMouseEvent *event)
{
    CBaseWgt::mouseMoveEvent(event);
    emit sigMouseMove(event);
}

void CAudioModeWidget::mousePressEvent(QMouseEvent *event)
{
    CBaseWgt::mousePressEvent(event);
    emit sigMousePress(event);
}

void CAudioModeWidget::showEvent(QShowEvent *event)
{
    m_scaler.init(width(), height(), this);
    CBaseWgt::showEvent(event);
}

void CAudioModeWidget::onDpiChanged()
{
    qInfo() << RJ_FUNCTION << fStretchFactor;
    // The layout dialog sizes the panel to itself; a fixed size would stop that.
    m_scaler.rescale(fStretchFactor, this, false);
}

} // namespace rj_app::views
