#pragma once

#include <QList>
#include <QMap>
#include <QPen>
#include <QPoint>
#include <QRect>
#include <QWidget>

class WhiteBoardFile;

// The kind of a stroke; the value is also the QPainter::CompositionMode its
// segments are drawn with (SourceOver, Clear, Source).
enum PaintStrokeType : int {
    PaintStrokePen = 0,
    PaintStrokeEraser = 2,
    PaintStrokeHighlighter = 3,
};

struct PaintStroke
{
    QPen pen;
    int type = PaintStrokePen;
    QList<QPoint> points;
    // Area the stroke can touch, so a partial repaint skips strokes elsewhere.
    QRect bounds;
};

// The transparent surface on which the user draws over a shared screen. It
// records free-hand strokes while the left button is held, keeps them by step
// number and repaints them all in that order; undo removes the newest one,
// clear removes all. The overlay chooses the pen and stroke type and switches
// drawing on and off.
class PaintWidget : public QWidget
{
    Q_OBJECT
public:
    explicit PaintWidget(QWidget *parent = nullptr);
    ~PaintWidget() override;

    // The pen for new strokes; its cap style is always replaced (see .cpp).
    void setPen(const QPen &pen);
    void setPaintType(int type);
    // Undo: removes the newest stroke.
    void RevocationSingleStep();
    void clearAll();

    const QPen &pen() const { return m_pen; }
    int paintType() const { return m_iPaintType; }
    int step() const { return m_iStep; }
    const QMap<int, PaintStroke> &strokes() const { return m_mapStrokes; }

    // A stroke that reaches this many points is thinned to about half, so a
    // stroke held for minutes keeps bounded memory and paint time.
    static constexpr int kMaxStrokePoints = 16384;

    // Whether mouse moves record a stroke; set directly by the overlay.
    bool m_bDrawEnabled = false;

signals:
    // Emitted at the start of every press, whichever button.
    void LeftButtonPressed();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    static QRect segmentArea(const PaintStroke &stroke, const QPoint &from, const QPoint &to);
    static void thin(PaintStroke &stroke);

    QPen m_pen;
    bool m_bPressed = false;
    int m_iStep = 0;
    QPoint m_pressPoint;
    QMap<int, PaintStroke> m_mapStrokes;
    int m_iPaintType = PaintStrokePen;
    QList<QPoint> m_listPoints;
    // Whether the current press has stored a stroke under m_iStep.
    bool m_bStrokeRecorded = false;
    WhiteBoardFile *m_pWhiteBoardFile = nullptr;
};
