#pragma once

#include <QWidget>

class QHBoxLayout;
class QLabel;
class QVBoxLayout;

// A tool button of the drawing tool bar: an image over a caption. A click
// counts on the left press; the bar decides the group's look afterwards.
class Cmenubutton : public QWidget
{
    Q_OBJECT
public:
    explicit Cmenubutton(QWidget *parent = nullptr);
    ~Cmenubutton() override;

    // Stores the normal image base path and shows it at once.
    void setNormalImage(const QString &basePath);
    // Stores the click image base path; shown when the button is selected.
    void setClickImage(const QString &basePath);
    void setText(const QString &text);
    void setNormal();
    void setSelected();
    void onDpiUpDate(double scale);

    int state() const { return m_iState; }
    QString imageStyle() const;
    QString captionStyle() const;

    // Part of the exclusive tool group: keeps its selected look.
    bool m_bSelectable = false;

signals:
    void btnClicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    void showImage(const QString &basePath);
    void showWhiteCaption();
    void showBlueCaption();
    void setHoverBackground(bool hovered);

    QVBoxLayout *m_pVerticalLayout = nullptr;
    QWidget *m_pImgBg = nullptr;
    QHBoxLayout *m_pImgLayout = nullptr;
    QLabel *m_pImg = nullptr;
    QLabel *m_pCaption = nullptr;

    // 0 normal, 1 just released (outside the group), 2 selected or pressed.
    int m_iState = 0;
    bool m_bPressed = false;
    QString m_strNormalImage;
    QString m_strClickImage;
    QString m_strSuffix = QStringLiteral(".png");
    double m_dScale = 1.0;
};
