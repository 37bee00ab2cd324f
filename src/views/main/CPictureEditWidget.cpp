#include "views/main/CPictureEditWidget.h"

#include <QDebug>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

CPictureEditWidget::CPictureEditWidget(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("widget"));
    setMinimumSize(200, 200);
    setMaximumSize(200, 200);
}

bool CPictureEditWidget::loadPicture(const QString &path)
{
    if (path.trimmed().isEmpty())
        return false;
    QPixmap picture;
    // A file that is no picture must not leave a blank avatar ready to upload.
    if (!picture.load(path) || picture.isNull()) {
        qWarning() << "Failed to load picture:" << path;
        return false;
    }
    m_source = picture;
    m_iWidth = picture.width();
    m_iHeight = picture.height();
    m_bLoaded = true;
    m_iX = (m_iAreaWidth - m_iWidth) / 2;
    m_iY = (m_iAreaHeight - m_iHeight) / 2;
    update();
    return true;
}

QPixmap CPictureEditWidget::getPixmap() const
{
    return m_bLoaded ? m_canvas : QPixmap();
}

void CPictureEditWidget::mousePressEvent(QMouseEvent *event)
{
    m_lastPos = event->pos();
    if (event->button() == Qt::LeftButton)
        m_bDragging = true;
    setCursor(Qt::SizeAllCursor);
}

void CPictureEditWidget::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_bDragging)
        return;
    const QPoint delta = event->pos() - m_lastPos;
    m_iX += delta.x();
    m_iY += delta.y();
    m_lastPos = event->pos();
    update();
}

void CPictureEditWidget::mouseReleaseEvent(QMouseEvent *)
{
    setCursor(Qt::ArrowCursor);
    m_bDragging = false;
}

void CPictureEditWidget::wheelEvent(QWheelEvent *event)
{
    const QPoint pos = event->position().toPoint();
    const double dx = pos.x() - m_iX;
    const double dy = pos.y() - m_iY;
    if (event->angleDelta().y() > 0) {
        const double width = m_iWidth * 1.1;
        const double height = m_iHeight * 1.1;
        if (width > kMaxSide || height > kMaxSide)
            return;
        m_iWidth = int(width);
        m_iHeight = int(height);
        m_iX = int(m_iX - 0.1 * dx);
        m_iY = int(m_iY - 0.1 * dy);
    } else {
        const int width = int(m_iWidth * 0.9);
        if (width < kMinWidth)
            return;
        m_iWidth = width;
        m_iHeight = int(m_iHeight * 0.9);
        m_iX = int(m_iX + 0.1 * dx);
        m_iY = int(m_iY + 0.1 * dy);
    }
    update();
}

void CPictureEditWidget::paintEvent(QPaintEvent *)
{
    if (m_canvas.isNull())
        m_canvas = QPixmap(size());
    m_canvas.fill(Qt::white);
    QPainter widgetPainter(this);
    widgetPainter.setRenderHint(QPainter::Antialiasing);
    if (m_bLoaded && m_iWidth > 0 && m_iHeight > 0) {
        {
            QPainter canvasPainter(&m_canvas);
            canvasPainter.setRenderHint(QPainter::Antialiasing);
            canvasPainter.setRenderHint(QPainter::SmoothPixmapTransform);
            canvasPainter.drawPixmap(QRect(m_iX, m_iY, m_iWidth, m_iHeight), m_source);
        }
        widgetPainter.fillRect(rect(), QColor(0xd1, 0xd1, 0xd1));
        widgetPainter.drawPixmap(QRect(1, 1, width() - 2, height() - 2), m_canvas);
    } else {
        widgetPainter.fillRect(rect(), QColor(0xd1, 0xd1, 0xd1));
        m_source.load(QStringLiteral(":/resources/images/my-info/bg_upload.png"));
        widgetPainter.drawPixmap((width() - m_source.width()) / 2, (height() - m_source.height()) / 2, m_source);
    }
}
