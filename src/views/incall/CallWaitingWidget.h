#pragma once

#include "views/framework/CBaseWgt.h"
#include "views/framework/CDpiLayoutScaler.h"

class QLabel;
class QPushButton;

namespace rj_app::views {

// Shown over the call window while an outgoing call is set up or queued: the
// meeting, the place in the queue and a hang-up button. A plain view: the call
// window feeds its texts and acts on sigHangUp.
class CallWaitingWidget : public CBaseWgt
{
    Q_OBJECT
public:
    explicit CallWaitingWidget(QWidget *parent = nullptr);
    ~CallWaitingWidget() override;

signals:
    void sigHangUp();

public slots:
    void onSetMeetingNumber(QString s);
    // Empty: no queue line; otherwise "Waiting...# <s> now".
    void onSetPeopleNumber(QString s);
    void slotOnHangUpAction();

protected:
    void showEvent(QShowEvent *event) override;
    void onDpiChanged() override;

private:
    void setupForm();

    CDpiLayoutScaler m_scaler;

    QWidget *bg = nullptr;
    QLabel *meetingNumber = nullptr;
    QLabel *peopleNumber = nullptr;
    QPushButton *m_pBtnHangup = nullptr;
};

} // namespace rj_app::views
