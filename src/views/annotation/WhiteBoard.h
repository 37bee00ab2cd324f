#pragma once

#include <QWidget>

class QVBoxLayout;

// The sheet laid over the whole shared screen under the annotation overlay:
// transparent while the screen itself is annotated, black or white when the
// user turns the screen into a board. Its only colour is the style-sheet
// background of its child "bg"; a 6-pixel strip along the bottom edge always
// stays transparent. While transparent it lets the mouse through to the
// programs under the shared screen; while it shows a colour it takes it.
class WhiteBoard : public QWidget
{
    Q_OBJECT
public:
    explicit WhiteBoard(QWidget *parent = nullptr);
    ~WhiteBoard() override;

    // `color` is a board text such as "rgb(0,0,0,255)" (alpha 0 to 255).
    void setBgColor(const QString &color);
    // Back to transparent.
    void clearBgColor();

    // The sheet shows a colour and so takes the mouse.
    bool takesMouse() const { return m_bTakesMouse; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void setupUi();
    void applyColor(const QColor &color);
    void updateInputRegion();

    QVBoxLayout *m_pVerticalLayout = nullptr;
    QWidget *m_pBg = nullptr;
    QVBoxLayout *m_pVerticalLayout2 = nullptr;
    bool m_bTakesMouse = false;
};
