#include "views/incall/CompactWidget.h"

#include "helpers/CGeneralUtils.h"
#include "helpers/LogMacros.h"
#include "models/CCallController.h"
#include "models/CRJSdkManager.h"

#include <QDebug>
#include <QHBoxLayout>
#include <QIcon>
#include <QShowEvent>
#include <QToolButton>

#include <cmath>

namespace rj_app::views {

namespace {
const QString kStyle = QStringLiteral(":/resources/qss/compact-widget.qss");

// Pictures are drawn for 1, 1.5 and 2; any other scale takes those of 1.
enum class PictureScale { One, OneAndHalf, Two };

PictureScale pictureScale(double scale)
{
    if (helpers::CGeneralUtils::isDoubleEqual(scale, 1.5))
        return PictureScale::OneAndHalf;
    if (helpers::CGeneralUtils::isDoubleEqual(scale, 2.0))
        return PictureScale::Two;
    return PictureScale::One;
}

QString titleBarIcon(const char *name, double scale)
{
    static const char *const suffixes[] = {"_1x.png", "_1.5x.png", "_2x.png"};
    return QStringLiteral(":/resources/images/window-title-bar/") + QLatin1String(name)
           + QLatin1String(suffixes[static_cast<int>(pictureScale(scale))]);
}

QString operationIcon(const char *name, double scale)
{
    static const char *const suffixes[] = {".png", "@1.5x.png", "@2x.png"};
    return QStringLiteral(":/resources/images/layout-operationbar/") + QLatin1String(name)
           + QLatin1String(suffixes[static_cast<int>(pictureScale(scale))]);
}
} // namespace

void CompactWidget::setupForm()
{
    setObjectName(QStringLiteral("CompactWidget"));
    setAttribute(Qt::WA_StyledBackground);
    resize(400, 40);
    setWindowTitle(tr("Form"));

    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    auto makeButton = [this, row](const char *name) {
        auto *b = new QToolButton(this);
        b->setObjectName(QLatin1String(name));
        b->setFixedSize(40, 40);
        b->setIconSize(QSize(m_iIconSize, m_iIconSize));
        b->setFocusPolicy(Qt::NoFocus);
        b->setCursor(Qt::PointingHandCursor);
        row->addWidget(b);
        return b;
    };
    m_pBtnWinMin = makeButton("m_pBtnWinMin");
    m_pBtnMute = makeButton("m_pBtnMute");
    m_pBtnCamera = makeButton("m_pBtnCamera");
    m_pBtnRecover = makeButton("m_pBtnRecover");
}

CompactWidget::CompactWidget(QWidget *parent)
    : CBaseWgt(parent)
{
    setupForm();
    connect(m_pBtnWinMin, &QToolButton::clicked, this, &CompactWidget::slotOnBtnMinClicked);
    connect(m_pBtnRecover, &QToolButton::clicked, this, &CompactWidget::slotOnBtnRecoverClicked);
    connect(m_pBtnMute, &QToolButton::clicked, this, &CompactWidget::slotOnBtnMuteClicked);
    connect(m_pBtnCamera, &QToolButton::clicked, this, &CompactWidget::slotOnBtnCameraClicked);
    if (auto *sdk = models::CRJSdkManager::getInstance())
        connect(sdk, &models::CRJSdkManager::eventMicMutedShow, this, &CompactWidget::slotOnMicMutedShow);
    setStyleSheet(QString());
    helpers::CGeneralUtils::setStyle(this, kStyle);
    refreshWindowIcons();
    refreshMicIcon();
    refreshCameraIcon();
}

CompactWidget::~CompactWidget() = default;

void CompactWidget::slotOnBtnMinClicked()
{
    qInfo() << RJ_FUNCTION;
    emit sigMin();
}

void CompactWidget::slotOnBtnRecoverClicked()
{
    qInfo() << RJ_FUNCTION;
    emit sigRecover();
}

void CompactWidget::slotOnBtnMuteClicked()
{
    qInfo() << RJ_FUNCTION;
    auto *call = models::CCallController::getInstance();
    call->enableMic(!call->isMicEnabled());
    // The engine may refuse (muted by the conference): show what it has.
    refreshMicIcon();
}

void CompactWidget::slotOnBtnCameraClicked()
{
    qInfo() << RJ_FUNCTION;
    auto *call = models::CCallController::getInstance();
    call->enableCamera(!call->isCameraEnabled());
    refreshCameraIcon();
}

void CompactWidget::slotOnMicMutedShow(bool mic_muted)
{
    qInfo() << RJ_FUNCTION << "mic_muted:" << mic_muted;
    refreshMicIcon();
}

void CompactWidget::onDpiUpdate(double scale)
{
    if (!(scale > 0) || !std::isfinite(scale)) {
        qWarning() << RJ_FUNCTION << "invalid scale:" << scale;
        return;
    }
    m_dScale = scale;
    qInfo() << "CompactWidget::onDpiChanged:" << scale;
    m_scaler.rescale(scale, this, false);
    refreshMicIcon();
    refreshCameraIcon();
    refreshWindowIcons();
}

void CompactWidget::showEvent(QShowEvent *event)
{
    m_scaler.init(width(), height(), this);
    CBaseWgt::showEvent(event);
}

void CompactWidget::refreshMicIcon()
{
    const bool enabled = models::CCallController::getInstance()->isMicEnabled();
    m_pBtnMute->setIcon(QIcon(operationIcon(enabled ? "icon_unmute" : "icon_mute", m_dScale)));
}

void CompactWidget::refreshCameraIcon()
{
    const bool enabled = models::CCallController::getInstance()->isCameraEnabled();
    m_pBtnCamera->setIcon(
        QIcon(operationIcon(enabled ? "icon_resume-camera" : "icon_suspend-camera", m_dScale)));
}

void CompactWidget::refreshWindowIcons()
{
    m_pBtnWinMin->setIcon(QIcon(titleBarIcon("icon_mini", m_dScale)));
    m_pBtnRecover->setIcon(QIcon(titleBarIcon("icon_restored", m_dScale)));
}

} // namespace rj_app::views
