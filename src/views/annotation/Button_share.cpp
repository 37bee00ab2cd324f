#include "views/annotation/Button_share.h"

#include <QHBoxLayout>
#include <QPushButton>

Button_share::Button_share(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Button_share"));
    resize(120, 34);
    setStyleSheet(QStringLiteral(
        "background-color: #e02828;border-bottom-left-radius: 5px;border-bottom-right-radius: 5px;"));
    m_pLayout = new QHBoxLayout(this);
    m_pLayout->setObjectName(QStringLiteral("horizontalLayout"));
    m_pLayout->setSpacing(0);
    m_pLayout->setContentsMargins(0, 0, 0, 0);
    m_pVerticalWidget = new QWidget(this);
    m_pVerticalWidget->setObjectName(QStringLiteral("verticalWidget"));
    m_pVerticalWidget->setFixedWidth(120);
    m_pVerticalWidget->setStyleSheet(QString());
    m_pInnerLayout = new QHBoxLayout(m_pVerticalWidget);
    m_pInnerLayout->setObjectName(QStringLiteral("horizontalLayout_2"));
    m_pInnerLayout->setSpacing(0);
    m_pInnerLayout->setContentsMargins(0, 0, 0, 0);
    m_pShareBtn = new QPushButton(m_pVerticalWidget);
    m_pShareBtn->setObjectName(QStringLiteral("ShareBtn"));
    m_pShareBtn->setFixedWidth(30);
    m_pShareBtn->setStyleSheet(QStringLiteral("image: url(:/resources/images/ScreenDrawing/icon_up.png);"));
    m_pShareBtn->setText(QString());
    m_pInnerLayout->addWidget(m_pShareBtn);
    m_pLayout->addWidget(m_pVerticalWidget);
}

Button_share::~Button_share() = default;

void Button_share::enterEvent(QEvent *event)
{
    QWidget::enterEvent(event);
    m_bFlag = !m_bFlag;
    m_pShareBtn->setStyleSheet(m_bFlag ? QStringLiteral("image: url(:/resources/images/ScreenDrawing/icon_down.png);")
                                       : QStringLiteral("image: url(:/resources/images/ScreenDrawing/icon_up.png);"));
    emit mySignal();
}

void Button_share::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
}
