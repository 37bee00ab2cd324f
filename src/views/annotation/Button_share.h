#pragma once

#include <QWidget>

class QHBoxLayout;
class QPushButton;

// The red tab under a sharing toolbar. Every entry of the pointer flips its
// arrow and reports mySignal(); the toolbar folds or unfolds itself.
class Button_share : public QWidget
{
    Q_OBJECT
public:
    explicit Button_share(QWidget *parent = nullptr);
    ~Button_share() override;

    bool isFlipped() const { return m_bFlag; }

signals:
    void mySignal();

protected:
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    bool m_bFlag = false;
    QHBoxLayout *m_pLayout = nullptr;
    QWidget *m_pVerticalWidget = nullptr;
    QHBoxLayout *m_pInnerLayout = nullptr;
    QPushButton *m_pShareBtn = nullptr;
};
