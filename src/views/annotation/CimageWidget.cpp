#include "views/annotation/CimageWidget.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>

namespace {
const char kHoverStyle[] = "background-color:#474747;";
const char kNormalStyle[] = "background-color: rgb(28, 30, 32);";
} // namespace

CimageWidget::CimageWidget(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("CimageWidget"));
    resize(18, 48);
    setCursor(Qt::PointingHandCursor);
    m_pLayout = new QHBoxLayout(this);
    m_pLayout->setObjectName(QStringLiteral("horizontalLayout"));
    m_pLayout->setSpacing(0);
    m_pLayout->setContentsMargins(0, 0, 0, 0);
    m_pImage = new QLabel(this);
    m_pImage->setObjectName(QStringLiteral("cimage"));
    m_pImage->setStyleSheet(QStringLiteral("image: url(:/resources/images/ScreenDrawing/arrow.png);"));
    m_pLayout->addWidget(m_pImage);
}

CimageWidget::~CimageWidget() = default;

void CimageWidget::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_bPressed = true;
    emit btnClicked();
}

void CimageWidget::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_bPressed || !rect().contains(event->pos()))
        return;
    m_bPressed = false;
    setStyleSheet(QLatin1String(kHoverStyle));
}

void CimageWidget::enterEvent(QEvent *event)
{
    QWidget::enterEvent(event);
    setStyleSheet(QLatin1String(kHoverStyle));
}

void CimageWidget::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    setStyleSheet(QLatin1String(kNormalStyle));
}
