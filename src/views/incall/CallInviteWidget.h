#pragma once

#include "views/framework/CBaseWgt.h"
#include "views/framework/CDpiLayoutScaler.h"

class QLabel;
class QPushButton;

namespace rj_app::views {

// Offers an incoming call over the whole call window: the caller, and buttons
// to accept with audio only, hang up, or accept with video. A plain view: the
// call window decides when it shows, places it and acts on its signals.
class CallInviteWidget : public CBaseWgt
{
    Q_OBJECT
public:
    explicit CallInviteWidget(QWidget *parent = nullptr);
    ~CallInviteWidget() override;

signals:
    void sigAcceptCall(bool bIsAudioOnly);
    void sigHangUp();

public slots:
    void onSetMeetingNumber(QString number);
    void setIsAudioOnlyCall(bool isAudioOnly);
    void slotOnAudioAccept();
    void slotOnVideoAccept();
    void slotOnHangUpAction();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void onDpiChanged() override;

private:
    void setupForm();

    CDpiLayoutScaler m_scaler;

    QWidget *callBg = nullptr;
    QLabel *headImg = nullptr;
    QLabel *inviteInfo = nullptr;
    QLabel *confNumber = nullptr;
    QPushButton *m_pBtnAudioAccept = nullptr;
    QPushButton *m_pBtnHangup = nullptr;
    QPushButton *m_pBtnVideoAccept = nullptr;
};

} // namespace rj_app::views
