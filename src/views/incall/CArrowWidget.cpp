#include "views/incall/CArrowWidget.h"

#include "views/incall/CSelectShareContent.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>

namespace rj_app::views {

CArrowWidget::CArrowWidget(CSelectShareContent *parent)
    : QWidget(parent)
{
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    auto *layout = new QHBoxLayout(this);
    layout->setSpacing(0);
    layout->setContentsMargins(15, m_iArrowHeight, 15, m_iArrowHeight + 2);
    m_label = new QLabel(QStringLiteral("test show"), this);
    m_label->setObjectName(QStringLiteral("m_label"));
    layout->addWidget(m_label);
}

void CArrowWidget::setText(const QString &text)
{
    m_label->setText(text);
    adjustSize();
}

QString CArrowWidget::text() const
{
    return m_label->text();
}

void CArrowWidget::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    QPainter painter(this);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    painter.setPen(QColor(225, 225, 225));
    painter.setBrush(Qt::white);

    const int w = width();
    const int h = height();
    QPainterPath path;
    path.addRoundedRect(QRectF(0, 0, w, h - m_iArrowHeight), m_iRadius, m_iRadius);
    QPolygonF arrow;
    arrow << QPointF(w / 2 - m_iArrowWidth / 2, h - m_iArrowHeight) << QPointF(w / 2, h)
          << QPointF(w / 2 + m_iArrowWidth / 2, h - m_iArrowHeight);
    path.addPolygon(arrow);
    path.setFillRule(Qt::WindingFill);
    painter.drawPath(path.simplified());
}

} // namespace rj_app::views
