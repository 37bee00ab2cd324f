#include "views/annotation/CbackgroundWidget.h"

#include "helpers/LogMacros.h"
#include "models/CRJSdkManager.h"
#include "views/framework/AlertDlg.h"

#include <QDebug>
#include <QHBoxLayout>
#include <QPointer>
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
    // While the screen is shared the call window is away: this is where the
    // share is stopped.
    m_pBtnStopShare = new QPushButton(tr("Stop Share"), this);
    m_pBtnStopShare->setObjectName(QStringLiteral("m_pBtnStopShare"));
    m_pBtnStopShare->setStyleSheet(QStringLiteral(
        "QPushButton{background-color:#ff4747;color:#ffffff;border:none;border-radius:4px;padding:6px 16px;}"
        "QPushButton:hover{background-color:#ff6b6b;}"));
    layout->addWidget(m_pBtnStopShare, 0, Qt::AlignTop | Qt::AlignHCenter);
    connect(m_pBtnStopShare, &QPushButton::clicked, this, &CbackgroundWidget::slotOnStopShareClicked);
}

void CbackgroundWidget::slotOnStopShareClicked()
{
    qInfo() << RJ_FUNCTION;
    QPointer<CbackgroundWidget> self(this);
    const auto answer = AlertDlg::execQuestion(this, tr("Prompt"), tr("Are you sure to stop sharing?"),
                                               QDialogButtonBox::Ok | QDialogButtonBox::Cancel,
                                               QDialogButtonBox::Cancel);
    // The share may have ended while the question was open.
    if (self && answer == QDialogButtonBox::Ok)
        emit sigClose();
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
