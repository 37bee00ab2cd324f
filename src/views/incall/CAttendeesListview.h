#pragma once

#include "models/UcmRecords.h"

#include <QList>
#include <QListView>

class CAttendeesDelegate;
class CAttendeesListmodel;

// One tab of the attendees window: the participants with video, or those
// with audio only.
class CAttendeesListview : public QListView
{
    Q_OBJECT
public:
    explicit CAttendeesListview(QWidget *parent = nullptr);
    ~CAttendeesListview() override;

    // Creates the model and the delegate; the audio list (false) keeps only
    // participants without video.
    void initModel(bool isVideo);
    // Rebuilds the list from the participants, in their order.
    void setParticipants(const QList<ucmparticipantData> &participants);
    int rowCount() const;
    void setScale(double scale);

private:
    CAttendeesListmodel *m_pModel = nullptr;
    CAttendeesDelegate *m_pDelegate = nullptr;
};
