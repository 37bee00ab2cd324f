#pragma once

#include <QPixmap>
#include <QPoint>
#include <QWidget>

// The avatar editor: a picture moved with the mouse and zoomed with the wheel
// over a white square; the square as shown is what gets uploaded.
class CPictureEditWidget : public QWidget
{
    Q_OBJECT
public:
    // Zooming out stops below this width; zooming in stops above the maximum,
    // so the size never overflows nor asks for a huge scaled copy.
    static constexpr int kMinWidth = 100;
    static constexpr int kMaxSide = 8000;

    explicit CPictureEditWidget(QWidget *parent = nullptr);

    // False (and nothing changes) when the path is blank or no picture loads.
    bool loadPicture(const QString &path);
    // The canvas when a picture is loaded, else a null pixmap.
    QPixmap getPixmap() const;

    bool isLoaded() const { return m_bLoaded; }
    QRect pictureRect() const { return QRect(m_iX, m_iY, m_iWidth, m_iHeight); }

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_source;
    QPixmap m_canvas;
    int m_iX = 0;
    int m_iY = 0;
    int m_iWidth = 0;
    int m_iHeight = 0;
    int m_iAreaWidth = 200;
    int m_iAreaHeight = 200;
    bool m_bLoaded = false;
    bool m_bDragging = false;
    QPoint m_lastPos;
};
