#pragma once

#include <QWidget>

class QLabel;

// An icon-and-caption button of the meetings tool bar; its type (0 My room,
// 1 Schedule meeting, 2 Join meeting) picks caption and icon.
class CConferencesToolBtn : public QWidget
{
    Q_OBJECT
public:
    explicit CConferencesToolBtn(QWidget *parent = nullptr);

    void setType(int type);
    int type() const { return m_type; }
    QString caption() const;
    void retranslate();
    void updateDpi(double scale);

signals:
    void signal_clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void applyCaption();

    int m_type = -1;
    double m_scale = 1.0;
    QLabel *m_pLblIcon = nullptr;
    QLabel *m_pLblText = nullptr;
};
