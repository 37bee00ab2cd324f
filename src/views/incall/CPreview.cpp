#include "views/incall/CPreview.h"

#include <QPainter>

CPreview::CPreview(QWidget *parent)
    : QWidget(parent)
{
}

void CPreview::setThumbnail(const QImage &image)
{
    m_thumbnail = image;
    m_bHasThumbnail = true;
    update();
}

void CPreview::setIcon(const QImage &image)
{
    m_icon = image;
    m_bHasIcon = true;
    update();
}

void CPreview::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    if (!m_bHasThumbnail && !m_bHasIcon)
        return;
    QPainter painter(this);
    if (m_bHasThumbnail)
        painter.drawImage(rect(), m_thumbnail);
    if (m_bHasIcon)
        painter.drawImage(QPoint(0, 0), m_icon);
}
