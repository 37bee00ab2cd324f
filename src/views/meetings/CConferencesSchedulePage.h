#pragma once

#include "models/UcmRecords.h"
#include "views/framework/CBaseWgt.h"
#include "views/framework/CDpiLayoutScaler.h"
// Complete: the inline calendar() reads a QPointer to it.
#include "views/meetings/CConferencesScheduleCalendar.h"

#include <QDateTime>
#include <QList>
#include <QPointer>

#include <functional>

class CConferencesScheduleDataEdit;
class CConferencesScheduleTimeEdit;
class CConferencestableview;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;
class QWidget;

// The meetings tab's form for scheduling a new meeting (mode 0) or editing
// one (mode 1). It collects and shows values; the tab reads them through the
// getters (or toRequestData) and sends the request.
class CConferencesSchedulePage : public rj_app::views::CBaseWgt
{
    Q_OBJECT
public:
    enum Mode : int {
        NewMeeting = 0,
        EditMeeting = 1
    };

    // The local "now"; tests inject their own.
    using Clock = std::function<QDateTime()>;

    explicit CConferencesSchedulePage(QWidget *parent = nullptr);
    ~CConferencesSchedulePage() override;

    void setClock(Clock clock);

    void setMode(int mode);
    void setTitle(const QString &name);
    void setStartTime(qint64 startTime);      // milliseconds since the epoch
    void setDuration(int duration);           // milliseconds
    void setMeetingId(int meetingId);
    void setPassword(const QString &password);
    void setDescription(const QString &description);
    void setParticipants(const QList<int> &userIds);
    void setConferenceId(int id);

    int getMode() const { return m_nMode; }
    QString getTitle() const;
    qint64 getStartTime() const;
    int getDuration() const;
    QString getPassword() const;
    QString getDescription() const;
    QList<int> getParticipants() const;
    int getMeetingId() const;
    int getConferenceId() const { return m_nConferenceId; }

    // The create (mode 0) or update (mode 1) request made of the getters.
    ucmconferenceReqData toRequestData() const;
    // Empty when the form may be sent, else the text shown to the user.
    QString validationError() const;

    // Digits only, at most 12; empty is allowed.
    static bool isPasswordAcceptable(const QString &password);
    // A wall-clock date and time as an instant. A time skipped by a
    // daylight-saving change counts with the offset before the change (02:30
    // becomes 03:30); a time that occurs twice counts as its first occurrence.
    static QDateTime resolveLocal(const QDate &date, const QTime &time);

    void retranslate();
    void updateDpi(double scale);

    CConferencesScheduleCalendar *calendar() const { return m_pCalendar; }

signals:
    void signal_back_clicked();
    void signal_schedule_clicked();
    void signal_adduser_clicked(QList<int> userIds);

public slots:
    void slot_addusers();
    void on_checkBox_now_toggled(bool checked);

private slots:
    void slot_schedule_pressed();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void setupUi();
    void resetForNew();
    QDateTime now() const;
    // Shows an instant in the date and start time fields and remembers it, so
    // that an hour shown twice by a daylight-saving change reads back exactly.
    void showStart(const QDateTime &start);

    int m_nMode = NewMeeting;
    int m_nConferenceId = 0;
    Clock m_clock;
    QDateTime m_dtShownStart;
    // A stored duration that the field cannot show (a day or more, negative);
    // handed back unchanged until the user changes the field.
    bool m_bKeepDuration = false;
    int m_nKeptDuration = 0;
    QTime m_tShownDuration;
    QString m_qstrStoredPassword;
    bool m_bSubmitting = false;

    QPointer<CConferencesScheduleCalendar> m_pCalendar;
    // The form's sizes, margins and gaps follow the scale with its fonts.
    rj_app::views::CDpiLayoutScaler m_layoutScaler;

    QToolButton *back_Btn = nullptr;
    QLabel *label = nullptr;
    QLabel *label_meetingtitle = nullptr;
    QLabel *label_starttime = nullptr;
    QLabel *label_duration = nullptr;
    QLabel *label_meetingid = nullptr;
    QLabel *label_password = nullptr;
    QLabel *label_description = nullptr;
    QLabel *label_participaints = nullptr;
    QLineEdit *lineEdit_meetingtitle = nullptr;
    CConferencesScheduleDataEdit *dateEdit = nullptr;
    CConferencesScheduleTimeEdit *timeEdit = nullptr;
    QCheckBox *checkBox_now = nullptr;
    CConferencesScheduleTimeEdit *timeEdit_duration = nullptr;
    QWidget *widget_meetingid = nullptr;
    QLineEdit *lineEdit_meetingid = nullptr;
    QLineEdit *lineEdit_password = nullptr;
    QPlainTextEdit *plainTextEdit_description = nullptr;
    CConferencestableview *tableView = nullptr;
    QPushButton *pBtn_schedule = nullptr;
};
