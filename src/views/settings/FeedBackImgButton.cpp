#include "views/settings/FeedBackImgButton.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>

FeedBackImgButton::FeedBackImgButton(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("FeedBackImgButton"));
    setFixedSize(45, 45);
    m_img = new QLabel(this);
    m_img->setObjectName(QStringLiteral("m_img"));
    m_img->setGeometry(0, 0, 45, 45);
    m_img->setScaledContents(true);
    m_deleteBtn = new QPushButton(this);
    m_deleteBtn->setObjectName(QStringLiteral("m_deleteBtn"));
    m_deleteBtn->setGeometry(33, 0, 12, 12);
    m_deleteBtn->setStyleSheet(
        QStringLiteral("#m_deleteBtn{border-image: url(:/resources/images/del_normal.png);}\n"
                       "#m_deleteBtn:hover{border-image: url(:/resources/images/del_hover.png);}"));
    m_deleteBtn->hide();
    connect(m_deleteBtn, &QPushButton::clicked, this, &FeedBackImgButton::slotRemoveImageAction);
}

void FeedBackImgButton::setIndex(int index)
{
    m_index = index;
}

void FeedBackImgButton::setImage(const QImage &image)
{
    m_img->setPixmap(QPixmap::fromImage(image));
}

void FeedBackImgButton::slotRemoveImageAction()
{
    emit sigeleteTag(m_index);
}

void FeedBackImgButton::enterEvent(QEvent *event)
{
    m_deleteBtn->show();
    QWidget::enterEvent(event);
}

void FeedBackImgButton::leaveEvent(QEvent *event)
{
    m_deleteBtn->hide();
    QWidget::leaveEvent(event);
}
