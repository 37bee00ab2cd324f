#include "views/annotation/CbackgroundWidget.h"

#include "helpers/LogMacros.h"
#include "models/CRJSdkManager.h"

#include <QDebug>
#include <QHBoxLayout>
#include <QPushButton>

namespace rj_app::views {

CbackgroundWidget::CbackgroundWidget(QWidget *parent)
    : CBaseWgt(parent)
{
    setObjectName(QStringLiteral("CbackgroundWidget"));
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool);
    setAttribute(Qt::WA_TranslucentBackground);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_pBtnShowPicture = new QPushButton(tr("Show PIP"), this);
    m_pBtnShowPicture->setObjectName(QStringLiteral("Button_ShowPicture"));
    m_pBtnShowPicture->hide();
    layout->addWidget(m_pBtnShowPicture, 0, Qt::AlignTop | Qt::AlignHCenter);
    connect(m_pBtnShowPicture, &QPushButton::clicked, this, [this] {
        m_pBtnShowPicture->hide();
        emit sigOnShowPicture();
    });
}

CbackgroundWidget::~CbackgroundWidget()
{
    qInfo() << RJ_FUNCTION;
}

bool CbackgroundWidget::isShowPictureButtonVisible() const
{
    return !m_pBtnShowPicture->isHidden();
}

void CbackgroundWidget::slotHidePicture()
{
    m_pBtnShowPicture->show();
}

void CbackgroundWidget::updateShowPicture(bool visible)
{
    m_pBtnShowPicture->setVisible(visible);
}

void CbackgroundWidget::refreshManagerNumber()
{
    qDebug() << RJ_FUNCTION;
}

void CbackgroundWidget::setAudioMuted(bool muted)
{
    m_bAudioMuted = muted;
    if (models::CRJSdkManager *sdk = models::CRJSdkManager::getInstance())
        sdk->enableMic(!muted);
}

void CbackgroundWidget::muteAudio()
{
    qInfo() << RJ_FUNCTION;
    setAudioMuted(true);
}

void CbackgroundWidget::unmuteAudio()
{
    qInfo() << RJ_FUNCTION;
    setAudioMuted(false);
}

} // namespace rj_app::views
