#pragma once

#include "models/UcmRecords.h"
#include "views/framework/CBaseWgt.h"

#include <QList>

class CConferencesListWidget;
class CConferencesToolBtn;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QVBoxLayout;

// The main page of the meetings tab: the tool bar ("Schedule meeting",
// "Join meeting"; "My room" stays hidden), the signed-in user's room with a
// join button, and the server's meetings. It sends no request: the tab hands
// it the list and the room number and acts on its signals.
class CConferencesMainPage : public rj_app::views::CBaseWgt
{
    Q_OBJECT
public:
    explicit CConferencesMainPage(QWidget *parent = nullptr);

    // Rebuilds every row, in the given order (a row number is a position in
    // this list).
    void setConferences(const QList<ucmconferenceData> &conferences);
    // While the last refresh of the list failed, a line says so in the
    // list's place; the rows come back with the next successful refresh.
    void setListLoadFailed(bool failed);
    bool isListLoadFailed() const;
    void setRoomNumber(const QString &roomNumber);
    QString roomNumber() const { return m_roomNumber; }
    void retranslate();
    // The owner's scale (0 or below counts as 1).
    void updateDpi(double scale);

    CConferencesListWidget *listWidget() const { return m_pListWidget; }

signals:
    void signal_myroom_clicked();
    void signal_schedule_clicked();
    void signal_join_clicked();
    void signal_ConfJoin_clicked(QString roomNumber);
    void signal_MeetingDetail_clicked(int row);
    void signal_Join_clicked(int row);
    void signal_Delete_clicked(int row);
    void signal_Edit_clicked(int row);
    void signal_DeleteEdit_clicked(int row);

public slots:
    void slot_ConfJoin_clicked();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void setupUi();

    QString m_roomNumber;

    QVBoxLayout *verticalLayout = nullptr;
    QHBoxLayout *horizontalLayout = nullptr;
    CConferencesToolBtn *myroom_widget = nullptr;
    CConferencesToolBtn *schedule_widget = nullptr;
    CConferencesToolBtn *join_widget = nullptr;
    QWidget *myroomitem_widget = nullptr;
    QLabel *myroomicon_label = nullptr;
    QLabel *myroomtitle_label = nullptr;
    QLabel *label_meetingid = nullptr;
    QLabel *label_meetingid_value = nullptr;
    QPushButton *pBtn_confjoin = nullptr;
    CConferencesListWidget *m_pListWidget = nullptr;
    QLabel *label_listState = nullptr;
};
