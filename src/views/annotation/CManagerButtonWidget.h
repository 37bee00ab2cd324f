#pragma once

#include <QWidget>

class QLabel;

// The "Management" button of the sharing toolbar with the participant count
// beside its icon. A click counts on the left press.
class CManagerButtonWidget : public QWidget
{
    Q_OBJECT
public:
    explicit CManagerButtonWidget(QWidget *parent = nullptr);
    ~CManagerButtonWidget() override;

    void setNumber(const QString &number);
    void setTitle(const QString &title);
    void updateScale(double scale);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    QLabel *m_pImg = nullptr;
    QLabel *m_pTitle = nullptr;
    QLabel *m_pNumber = nullptr;
};
