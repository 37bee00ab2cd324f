#pragma once

#include <QWidget>

class QHBoxLayout;
class QLabel;

// The arrow beside Pen and Marker that opens the colour and size picker.
// A click counts on the left press.
class CimageWidget : public QWidget
{
    Q_OBJECT
public:
    explicit CimageWidget(QWidget *parent = nullptr);
    ~CimageWidget() override;

signals:
    void btnClicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    QHBoxLayout *m_pLayout = nullptr;
    QLabel *m_pImage = nullptr;
    bool m_bPressed = false;
};
