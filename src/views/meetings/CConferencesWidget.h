#pragma once

#include "models/UcmRecords.h"
#include "views/framework/CBaseWgt.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QTimer>

#include <functional>

class CConferencesDetailPage;
class CConferencesMainPage;
class CConferencesMyroomPage;
class CConferencesSchedulePage;
class CConferencesSelectuserPage;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QStackedWidget;

// A page the meetings tab keeps in its stack although no flow shows it.
class CConferencesErrorPage : public QWidget
{
    Q_OBJECT
public:
    explicit CConferencesErrorPage(QWidget *parent = nullptr);

signals:
    void signal_back_clicked();

private:
    QLabel *label = nullptr;
    QPushButton *back_Btn = nullptr;
};

namespace rj_app::views {

// The home window's meetings tab: the meeting list, a meeting's details, the
// schedule and edit form with its participant picker, the personal room and
// an error page in one stack. Every button of its pages becomes a REST
// request or a join request; the list is asked for again after every change
// the server confirms and every 15 s while the list is on screen.
class CConferencesWidget : public CBaseWgt
{
    Q_OBJECT
public:
    // The local "now"; tests inject their own.
    using Clock = std::function<QDateTime()>;

    explicit CConferencesWidget(QWidget *parent = nullptr);
    ~CConferencesWidget() override;

    // The owner's scale (0 or below counts as 1).
    void updateDpi(double scale);
    double scale() const { return m_dScale; }

    void setClock(Clock clock);

    // The refresh interval in ms (15000); tests shorten it.
    void setRefreshInterval(int ms);
    const QTimer &refreshTimer() const { return m_timer; }

    QStackedWidget *stackedWidget() const { return m_pStack; }
    CConferencesMainPage *mainPage() const { return m_pMainPage; }
    CConferencesMyroomPage *myroomPage() const { return m_pMyroomPage; }
    CConferencesSchedulePage *schedulePage() const { return m_pSchedulePage; }
    CConferencesDetailPage *detailPage() const { return m_pDetailPage; }
    CConferencesErrorPage *errorPage() const { return m_pErrorPage; }
    CConferencesSelectuserPage *selectuserPage() const { return m_pSelectuserPage; }

signals:
    void sigZOVJoinConf(const QString &meetingNumber, const QString &password, bool audioOnly,
                        const QString &peerName);

public slots:
    void slot_tokenChanged();
    void slot_getConferences_succeed();
    void slot_getConferences_failed();
    void slot_addConference_succeed();
    void slot_putConference_succeed();
    void slot_deleteConference_succeed();
    void slot_terminateConference_succeed();
    void slot_ucmapi_error(int errorCode, QString errorInfo);
    void slot_myroom_clicked();
    void slot_schedule_clicked();
    void slot_join_clicked();
    void slot_back_clicked();
    void slot_backSelectuser_clicked();
    void slot_okSelectuser_clicked();
    void slot_adduser_clicked(QList<int> datas);
    void slot_addputConference_begin();
    void slot_Detail_Edit_clicked(int nId);
    void slot_Detail_CallNow_clicked(int nId);
    void slot_Detail_DeleteEdit_clicked(int nId);
    void slot_Detail_ConfJoin_clicked(int nId);
    void slot_Detail_Delete_clicked(int nId);
    void slot_Myroom_ConfJoin_clicked(QString strId);
    void slot_MeetingDetail_clicked(int nindex);
    void slot_Join_clicked(int nindex);
    void slot_Delete_clicked(int nindex);
    void slot_Edit_clicked(int nindex);
    void slot_DeleteEdit_clicked(int nindex);
    void slot_updatePage();
    void slotOnLanguageChanged();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void setupUi();
    void initPages();
    void refresh();
    void requestList();
    void deleteConference(const QString &id);
    void terminateConference(const QString &id);
    void confirmThen(const QString &question, const std::function<void()> &send);
    void callNow(const ucmconferenceData &conference);
    void showEditPage(const ucmconferenceData &conference);
    void addConference();
    void editConference();
    // The meeting a row of the main page shows, or null.
    const ucmconferenceData *conferenceAtRow(int row) const;
    const ucmconferenceData *conferenceById(int id) const;
    QDateTime now() const;

    double m_dScale = 1.0;
    bool m_bShown = false;
    // A change the user asked for waits for the server.
    bool m_bChangePending = false;
    // The meetings the main page's rows show, in row order.
    QList<ucmconferenceData> m_rowConferences;
    Clock m_clock;
    QTimer m_timer;

    QHBoxLayout *horizontalLayout = nullptr;
    QStackedWidget *m_pStack = nullptr;
    CConferencesMainPage *m_pMainPage = nullptr;
    CConferencesMyroomPage *m_pMyroomPage = nullptr;
    CConferencesSchedulePage *m_pSchedulePage = nullptr;
    CConferencesDetailPage *m_pDetailPage = nullptr;
    CConferencesErrorPage *m_pErrorPage = nullptr;
    CConferencesSelectuserPage *m_pSelectuserPage = nullptr;
};

} // namespace rj_app::views
