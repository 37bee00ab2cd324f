#pragma once

#include "models/UcmRecords.h"
#include "views/framework/CBaseWgt.h"
#include "views/framework/CDpiLayoutScaler.h"

#include <QList>
#include <QPoint>
#include <QString>

class CAttendeesListview;
class QFrame;
class QLabel;
class QPushButton;
class QTabWidget;

namespace rj_app::views {

// Asks the management server for the participants of the current meeting
// (its number without password and server), with the signed-in user's server
// and token. Sends nothing while no meeting number is known. Waits for the
// answer in a local event loop (see CUCMApiManager).
void requestParticipants();

// The participants the REST client holds, when they are those of the current
// meeting; otherwise (no answer yet for this meeting) an empty list, so that
// a new meeting never shows the people of the previous one.
QList<ucmparticipantData> participantsOfCurrentMeeting();

// Starts following which meeting the REST client's participant list belongs
// to. Called before anything connects to signal_getParticipants_succeed, so
// that the list is labelled before any receiver reads it. Idempotent.
void trackParticipantLists();

// The attendees window: the participants in two tabs, with video and audio
// only, each row with avatar and name. Deletes itself when closed.
class CAttendessWidgets : public CBaseWgt
{
    Q_OBJECT
public:
    explicit CAttendessWidgets(QWidget *parent = nullptr);
    ~CAttendessWidgets() override;

public slots:
    void slot_getParticipants_succeed();
    void slotOnLanguageChanged();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void onDpiChanged() override;

private:
    void setupForm();
    void refreshLists();
    void updateTabTitles();

    CDpiLayoutScaler m_scaler;
    int m_iAudioCount = 0;
    int m_iVideoCount = 0;
    bool m_bDragging = false;
    QPoint m_ptLastDragPos;

    QString m_qstrVideoTabText; // "Video(%1)", translated
    QString m_qstrAudioTabText; // "Audio(%1)", translated

    QFrame *m_pFrameTitle = nullptr;
    QLabel *m_pLabelTitle = nullptr;
    QPushButton *m_pBtnClose = nullptr;
    QTabWidget *m_pTabWidget = nullptr;
    QWidget *m_pTabVideo = nullptr;
    QWidget *m_pTabAudio = nullptr;
    CAttendeesListview *m_pListVideo = nullptr;
    CAttendeesListview *m_pListAudio = nullptr;
};

} // namespace rj_app::views
