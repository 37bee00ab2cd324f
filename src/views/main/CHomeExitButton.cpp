#include "views/main/CHomeExitButton.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QSpacerItem>
#include <QVBoxLayout>

CHomeExitButton::CHomeExitButton(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_StyledBackground);
    setCursor(Qt::PointingHandCursor);
    m_pLayout = new QVBoxLayout(this);
    m_pLayout->setSpacing(0);
    m_pLayout->setContentsMargins(0, 0, 0, 0);
    m_pTopSpacer = new QSpacerItem(20, 20, QSizePolicy::Minimum, QSizePolicy::Expanding);
    m_pLayout->addItem(m_pTopSpacer);
    m_pLabel = new QLabel(this);
    m_pLabel->setObjectName(QStringLiteral("m_pLblExit"));
    m_pLabel->setFixedSize(70, 20);
    m_pLabel->setAlignment(Qt::AlignBottom | Qt::AlignHCenter);
    m_pLayout->addWidget(m_pLabel);
    m_pBottomSpacer = new QSpacerItem(20, 6, QSizePolicy::Minimum, QSizePolicy::Fixed);
    m_pLayout->addItem(m_pBottomSpacer);
    retranslate();
    updateDpi(1.0);
}

void CHomeExitButton::updateDpi(double scale)
{
    m_dScale = scale;
    m_pLabel->setFixedSize(int(70 * scale), int(20 * scale));
    m_pBottomSpacer->changeSize(20, int(6 * scale), QSizePolicy::Minimum, QSizePolicy::Fixed);
    const int fontSize = scale <= 1 ? 13 : (scale < 2 ? 19 : 26);
    m_pLabel->setStyleSheet(QStringLiteral("color: #fff; font-size: %1px;").arg(fontSize));
    const QString suffix = scale <= 1 ? QString() : (scale < 2 ? QStringLiteral("-1.5x") : QStringLiteral("-2x"));
    m_normal.load(QStringLiteral(":/resources/images/home-window/icon_exit_n%1.png").arg(suffix));
    m_hover.load(QStringLiteral(":/resources/images/home-window/icon_exit_h%1.png").arg(suffix));
    m_pLayout->invalidate();
    update();
}

void CHomeExitButton::retranslate()
{
    m_pLabel->setText(tr("Exit"));
}

void CHomeExitButton::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    const double s = m_dScale > 0 ? m_dScale : 1.0;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QPixmap &pixmap = m_bHovered ? m_hover : m_normal;
    const int side = int(20 * s);
    painter.drawPixmap(QRect(width() / 2 - int(10 * s), int(6 * s), side, side), pixmap);
}

void CHomeExitButton::enterEvent(QEvent *event)
{
    m_bHovered = true;
    update();
    QWidget::enterEvent(event);
}

void CHomeExitButton::leaveEvent(QEvent *event)
{
    m_bHovered = false;
    update();
    QWidget::leaveEvent(event);
}

// Presses end here so they never start the window's drag.
void CHomeExitButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit clicked();
    event->accept();
}

void CHomeExitButton::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
}

void CHomeExitButton::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
}
