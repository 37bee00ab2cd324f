#pragma once

#include <QWidget>

class QLabel;

// The conference-management button of the call toolbar and of the sharing
// toolbar: an icon, a number beside it and the caption "Management" below.
// Emits clicked() on a left-button press.
class CNumberButton : public QWidget
{
    Q_OBJECT
public:
    explicit CNumberButton(QWidget *parent = nullptr);
    ~CNumberButton() override;

    void setNumber(const QString &number);
    // Lays the children out for the scale; the button itself has been given
    // its size for the scale before.
    void setScale(double scale);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    void retranslateUi();

    QLabel *m_pImg = nullptr;
    QLabel *m_pTitle = nullptr;
    QLabel *m_pNumber = nullptr;
};
