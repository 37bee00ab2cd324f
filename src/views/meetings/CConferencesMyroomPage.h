#pragma once

#include "views/framework/CBaseWgt.h"

class QLabel;
class QPushButton;
class QToolButton;

// The signed-in user's personal room with a join button. The tab builds it;
// the main page keeps the tool button that would open it hidden.
class CConferencesMyroomPage : public rj_app::views::CBaseWgt
{
    Q_OBJECT
public:
    explicit CConferencesMyroomPage(QWidget *parent = nullptr);

    void setRoomNumber(const QString &roomNumber);
    QString roomNumber() const { return m_roomNumber; }
    void retranslate();
    void updateDpi(double scale);

signals:
    void signal_back_clicked();
    void signal_ConfJoin_clicked(QString roomNumber);

public slots:
    void slot_ConfJoin_clicked();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void setupUi();

    QString m_roomNumber;
    QToolButton *back_Btn = nullptr;
    QLabel *label = nullptr;
    QLabel *label_meetingid = nullptr;
    QLabel *label_meetingid_value = nullptr;
    QPushButton *pBtn_confjoin = nullptr;
};
