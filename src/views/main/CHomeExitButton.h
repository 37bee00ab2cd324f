#pragma once

#include <QPixmap>
#include <QWidget>

class QLabel;
class QSpacerItem;
class QVBoxLayout;

// The painted "Exit" entry at the bottom of the home window's sidebar.
class CHomeExitButton : public QWidget
{
    Q_OBJECT
public:
    explicit CHomeExitButton(QWidget *parent = nullptr);

    void updateDpi(double scale);
    void retranslate();
    bool isHovered() const { return m_bHovered; }
    QLabel *label() const { return m_pLabel; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QVBoxLayout *m_pLayout = nullptr;
    QSpacerItem *m_pTopSpacer = nullptr;
    QLabel *m_pLabel = nullptr;
    QSpacerItem *m_pBottomSpacer = nullptr;
    QPixmap m_normal;
    QPixmap m_hover;
    bool m_bHovered = false;
    double m_dScale = 0;
};
