#include "views/incall/CAttendeesListview.h"

#include "views/incall/CAttendeesDelegate.h"
#include "views/incall/CAttendeesListmodel.h"

CAttendeesListview::CAttendeesListview(QWidget *parent)
    : QListView(parent)
{
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFocusPolicy(Qt::NoFocus);
    setUniformItemSizes(true);
}

CAttendeesListview::~CAttendeesListview() = default;

void CAttendeesListview::initModel(bool isVideo)
{
    if (!m_pModel) {
        // Owned by the view: the window is built anew for every opening, and
        // a model left behind would stay connected to the avatar downloader.
        m_pModel = new CAttendeesListmodel(this);
        m_pDelegate = new CAttendeesDelegate(this);
        setModel(m_pModel);
        setItemDelegate(m_pDelegate);
    }
    m_pModel->setAudioFilter(isVideo ? 0 : 1);
}

void CAttendeesListview::setParticipants(const QList<ucmparticipantData> &participants)
{
    if (!m_pModel)
        return;
    m_pModel->clear();
    for (const ucmparticipantData &participant : participants) {
        AttendeeItem item;
        item.name = participant.name;
        item.isAudio = participant.videoMode ? 0 : 1;
        item.userId = participant.userId;
        item.avatarUrl = participant.avatarUrl;
        m_pModel->addItem(item);
    }
}

int CAttendeesListview::rowCount() const
{
    return m_pModel ? m_pModel->rowCount() : 0;
}

void CAttendeesListview::setScale(double scale)
{
    if (!m_pDelegate)
        return;
    m_pDelegate->setScale(scale);
    m_pModel->relayout();
}
