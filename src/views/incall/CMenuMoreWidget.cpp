#include "views/incall/CMenuMoreWidget.h"

#include "helpers/CGeneralUtils.h"
#include "helpers/LogMacros.h"
#include "models/CRJSdkManager.h"

#include <QDebug>
#include <QPushButton>
#include <QVBoxLayout>

using rj_app::models::CRJSdkManager;

namespace rj_app::views {

CMenuMoreWidget::CMenuMoreWidget(QWidget *parent, Qt::WindowFlags flags)
    : QWidget(parent, flags)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint | Qt::SubWindow);
    helpers::CGeneralUtils::setStyle(this, QStringLiteral(":/resources/qss/menu-more-widget.qss"));
    m_vLayout = new QVBoxLayout(this);
    m_vLayout->setObjectName(QStringLiteral("m_vLayout"));
    m_vLayout->setSpacing(6);
    m_vLayout->setContentsMargins(0, 6, 0, 6);
}

CMenuMoreWidget::~CMenuMoreWidget() = default;

void CMenuMoreWidget::setRequestSpeakVisible(bool visible)
{
    m_bRequestSpeakVisible = visible;
    if (m_vLayout) {
        if (m_pBtnRequestSpeak) {
            m_vLayout->removeWidget(m_pBtnRequestSpeak);
            delete m_pBtnRequestSpeak;
            m_pBtnRequestSpeak = nullptr;
        }
        if (m_bRequestSpeakVisible) {
            m_pBtnRequestSpeak = new QPushButton(tr("Speech Request"), this);
            m_pBtnRequestSpeak->setObjectName(QStringLiteral("m_requestSpeak"));
            m_pBtnRequestSpeak->setMinimumWidth(130);
            m_pBtnRequestSpeak->setFixedHeight(24);
            m_vLayout->addWidget(m_pBtnRequestSpeak);
            connect(m_pBtnRequestSpeak, &QPushButton::clicked, this, &CMenuMoreWidget::slot_clicked_requestSpeak);
        }
    }
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    setMinimumWidth(130);
}

void CMenuMoreWidget::slot_clicked_requestSpeak()
{
    qInfo() << RJ_FUNCTION;
    CRJSdkManager::getInstance()->requestRemoteUnmute(true);
    QMetaObject::invokeMethod(this, "signal_clicked_requestSpeak", Qt::QueuedConnection);
    hide();
}

} // namespace rj_app::views
