#pragma once

#include "views/framework/CBaseWgt.h"

#include <QList>

class CConferencestableview;
class QLabel;
class QToolButton;
class QWidget;

// One meeting of the meetings tab: its values, its participants and the
// actions that its type and ownership allow. The tab fills it (setters in
// the order declared) and turns its signals, which carry the meeting's id,
// into requests or joins.
class CConferencesDetailPage : public rj_app::views::CBaseWgt
{
    Q_OBJECT
public:
    explicit CConferencesDetailPage(QWidget *parent = nullptr);

    void setType(int type);
    void setNotOwner(bool notOwner);
    void setTitle(const QString &title);
    void setStartTime(qint64 startTime);      // milliseconds since the epoch
    void setDuration(int duration);           // milliseconds
    void setMeetingId(int meetingId);         // the meeting number
    void setPassword(const QString &password);
    void setDescription(const QString &description);
    void setParticipants(const QList<int> &userIds);
    void setConferenceId(int id);             // carried by every action signal

    int type() const { return m_nType; }
    bool notOwner() const { return m_nNotOwner != 0; }
    int conferenceId() const { return m_nId; }
    CConferencestableview *participantsView() const { return tableView; }

    void retranslate();
    void updateDpi(double scale);

    // "hh:mm"; durations of a day or more count their hours on ("26:00"),
    // a negative one shows nothing.
    static QString durationText(qint64 duration);

signals:
    void signal_back_clicked();
    void signal_Edit_clicked(int id);
    void signal_CallNow_clicked(int id);
    void signal_DeleteEdit_clicked(int id);   // deletes the scheduled meeting
    void signal_ConfJoin_clicked(int id);
    void signal_Delete_clicked(int id);       // ends the running meeting

public slots:
    void slot_Edit_clicked();
    void slot_CallNow_clicked();
    void slot_DeleteEdit_clicked();
    void slot_ConfJoin_clicked();
    void slot_Delete_clicked();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void setupUi();

    int m_nType = 0;
    int m_nNotOwner = 0;
    int m_nId = 0;

    QToolButton *back_Btn = nullptr;
    QLabel *label = nullptr;
    QLabel *label_meetingtitle = nullptr;
    QLabel *label_meetingtitle_value = nullptr;
    QLabel *label_starttime = nullptr;
    QLabel *label_starttime_value = nullptr;
    QLabel *label_duration = nullptr;
    QLabel *label_duration_value = nullptr;
    QLabel *label_meetingid = nullptr;
    QLabel *label_meetingid_value = nullptr;
    QLabel *label_password = nullptr;
    QLabel *label_password_value = nullptr;
    QLabel *label_description = nullptr;
    QLabel *label_description_value = nullptr;
    QLabel *label_participaints = nullptr;
    CConferencestableview *tableView = nullptr;
    QWidget *widget_schedule = nullptr;
    QWidget *widget_ongoing = nullptr;
    QToolButton *tBtn_edit = nullptr;
    QToolButton *tBtn_callnow = nullptr;
    QToolButton *tBtn_editdelete = nullptr;
    QToolButton *tBtn_confjoin = nullptr;
    QToolButton *tBtn_delete = nullptr;
};
