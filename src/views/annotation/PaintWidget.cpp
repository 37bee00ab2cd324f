#include "views/annotation/PaintWidget.h"

#include "views/annotation/DrawingPalette.h"
#include "views/annotation/WhiteBoardFile.h"

#include <QDebug>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>

#include <algorithm>
#include <cmath>

namespace {

// The eraser's second pass: almost invisible, but not alpha 0, so the erased
// band still takes the mouse in the translucent overlay.
constexpr int kEraserRepaintWidth = 12;

QPen eraserRepaintPen()
{
    return QPen(QBrush(QColor(255, 255, 255, 1)), kEraserRepaintWidth, Qt::SolidLine, Qt::SquareCap,
                Qt::BevelJoin);
}

} // namespace

PaintWidget::PaintWidget(QWidget *parent)
    : QWidget(parent)
    , m_pWhiteBoardFile(new WhiteBoardFile(this))
{
    setPen(QPen(QBrush(rj_app::views::kPenColors[0]), rj_app::views::kPenSizes[0]));
}

PaintWidget::~PaintWidget() = default;

void PaintWidget::setPen(const QPen &pen)
{
    m_pen = pen;
    // Whatever cap the caller chose: the stroker draws this mask value with
    // round ends, so the separately drawn segments of a stroke join smoothly.
    m_pen.setCapStyle(Qt::MPenCapStyle);
}

void PaintWidget::setPaintType(int type)
{
    m_iPaintType = type;
}

void PaintWidget::RevocationSingleStep()
{
    qInfo() << "totalStep size:" << m_mapStrokes.size();
    if (m_mapStrokes.isEmpty()) {
        qInfo() << "Nothing to revoke";
        return;
    }
    // The newest stroke has the highest key, even when presses with drawing
    // off or a closed stroke left gaps in the keys; the next stroke takes its
    // place, so it never lands on an older stroke.
    const auto newest = std::prev(m_mapStrokes.end());
    const int key = newest.key();
    m_mapStrokes.erase(newest);
    if (key == m_iStep)
        m_bStrokeRecorded = false;
    m_iStep = key;
    update();
    qInfo() << "Revoke Done";
}

void PaintWidget::clearAll()
{
    m_mapStrokes.clear();
    m_iStep = 0;
    m_bStrokeRecorded = false;
    update();
}

void PaintWidget::mousePressEvent(QMouseEvent *event)
{
    emit LeftButtonPressed();
    if (event->button() != Qt::LeftButton)
        return;
    // A stroke whose release never arrived (the surface was hidden while the
    // button was down) is kept, not overwritten or continued by this one.
    if (m_bPressed && m_bStrokeRecorded)
        ++m_iStep;
    m_bPressed = true;
    m_bStrokeRecorded = false;
    m_pressPoint = event->pos();
    m_listPoints.clear();
    m_listPoints.append(event->pos());
    update();
}

void PaintWidget::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_bDrawEnabled || !m_bPressed)
        return;
    const QPoint pos = event->pos();
    auto it = m_bStrokeRecorded ? m_mapStrokes.find(m_iStep) : m_mapStrokes.end();
    if (it == m_mapStrokes.end()) {
        m_listPoints.append(pos);
        PaintStroke stroke;
        stroke.pen = m_pen;
        stroke.type = m_iPaintType;
        stroke.points = std::move(m_listPoints);
        m_listPoints.clear();
        for (int i = 0; i < stroke.points.size(); ++i) {
            const QPoint &from = stroke.points.at(std::max(0, i - 1));
            stroke.bounds |= segmentArea(stroke, from, stroke.points.at(i));
        }
        const QRect area = stroke.bounds;
        m_mapStrokes.insert(m_iStep, std::move(stroke));
        m_bStrokeRecorded = true;
        update(area);
        return;
    }

    // The stroke in progress grows in place: copying all its points on every
    // move would cost time and memory quadratic in its length.
    PaintStroke &stroke = it.value();
    const QPoint last = stroke.points.last();
    const bool restyled = stroke.pen != m_pen || stroke.type != m_iPaintType;
    stroke.pen = m_pen;
    stroke.type = m_iPaintType;
    if (pos != last || restyled) {
        if (pos != last)
            stroke.points.append(pos);
        const QRect area = segmentArea(stroke, last, pos);
        stroke.bounds |= area;
        if (stroke.points.size() >= kMaxStrokePoints) {
            thin(stroke);
            update(stroke.bounds);
        } else {
            update(restyled ? stroke.bounds : area);
        }
    }
}

void PaintWidget::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_bPressed = false;
    // A stroke that ends where it began (a closed loop) is kept as well; only
    // a click that recorded nothing leaves the step where it is.
    if (event->pos() != m_pressPoint || m_bStrokeRecorded)
        ++m_iStep;
    m_bStrokeRecorded = false;
    m_listPoints.clear();
}

void PaintWidget::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QRect dirty = event->rect();
    for (auto it = m_mapStrokes.cbegin(); it != m_mapStrokes.cend(); ++it) {
        const PaintStroke &stroke = it.value();
        // Every stroke sets its own pen first, so one outside the repainted
        // area can be skipped without changing the others.
        if (!stroke.bounds.intersects(dirty))
            continue;
        painter.setPen(stroke.pen);
        if (stroke.points.size() < 2)
            continue;
        for (int i = 0; i + 1 < stroke.points.size(); ++i) {
            const QPoint &from = stroke.points.at(i);
            const QPoint &to = stroke.points.at(i + 1);
            switch (stroke.type) {
            case PaintStrokeEraser:
                painter.setCompositionMode(QPainter::CompositionMode_Clear);
                painter.drawLine(from, to);
                painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
                painter.setPen(eraserRepaintPen());
                painter.drawLine(from, to);
                break;
            case PaintStrokeHighlighter:
                // Replaces what lies below, so overlapping segments do not darken.
                painter.setCompositionMode(QPainter::CompositionMode_Source);
                painter.drawLine(from, to);
                break;
            default:
                painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
                painter.drawLine(from, to);
                break;
            }
        }
    }
}

QRect PaintWidget::segmentArea(const PaintStroke &stroke, const QPoint &from, const QPoint &to)
{
    qreal width = std::max<qreal>(stroke.pen.widthF(), 1.0);
    if (stroke.type == PaintStrokeEraser)
        width = std::max<qreal>(width, kEraserRepaintWidth);
    // A full width on each side covers any cap, plus the antialiased fringe.
    const int margin = static_cast<int>(std::ceil(width)) + 2;
    return QRect(from, to).normalized().adjusted(-margin, -margin, margin, margin);
}

void PaintWidget::thin(PaintStroke &stroke)
{
    QList<QPoint> kept;
    kept.reserve(stroke.points.size() / 2 + 2);
    for (int i = 0; i < stroke.points.size(); i += 2)
        kept.append(stroke.points.at(i));
    if (kept.last() != stroke.points.last())
        kept.append(stroke.points.last());
    stroke.points = std::move(kept);
}
