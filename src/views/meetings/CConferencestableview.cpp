#include "views/meetings/CConferencestableview.h"

#include "models/CUCMApiManager.h"
#include "views/meetings/CConferencesDelegate.h"
#include "views/meetings/CConferencesTablemodel.h"
#include "views/meetings/MeetingsScale.h"

#include <QHeaderView>

using rj_app::models::CUCMApiManager;

CConferencestableview::CConferencestableview(QWidget *parent)
    : QTableView(parent)
{
    setMouseTracking(true);
    // Hover state for the delete mark, whatever the style.
    viewport()->setAttribute(Qt::WA_Hover);
    setShowGrid(false);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(this, &QTableView::clicked, this, &CConferencestableview::slot_item_clicked);
}

void CConferencestableview::init()
{
    if (m_pModel)
        return;
    m_pModel = new CConferencesTablemodel(this);
    m_pDelegate = new CConferencesDelegate(this);
    setModel(m_pModel);
    setItemDelegate(m_pDelegate);
    m_pDelegate->setReadOnly(m_bReadOnly);
}

void CConferencestableview::setReadOnly()
{
    m_bReadOnly = true;
    if (m_pDelegate)
        m_pDelegate->setReadOnly(true);
}

void CConferencestableview::setParticipants(const QList<int> &userIds)
{
    if (!m_pModel)
        return;
    m_pModel->clear();
    const QList<ucmuserData> &users = CUCMApiManager::getInstance()->getSavedUsers();
    for (int id : userIds) {
        // No user has an id of 0 or below.
        if (id <= 0)
            continue;
        // A user the loaded directory does not hold (not loaded yet, or
        // beyond what the server listed) is still a participant: a
        // placeholder keeps it, so saving an edit does not drop it.
        participantItemData cell;
        cell.name = QString::number(id);
        cell.type = participantItemData::Participant;
        cell.userId = id;
        for (const ucmuserData &user : users) {
            if (user.id == id) {
                cell.name = user.displayName;
                cell.avatarUrl = user.imageURL;
                break;
            }
        }
        m_pModel->appendItem(cell);
    }
    if (!m_bReadOnly) {
        participantItemData add;
        add.name = tr("Add");
        add.type = participantItemData::AddCell;
        m_pModel->appendItem(add);
    }
    m_pModel->refresh();
    // After the pending layout, so that the range already counts the new rows.
    if (!m_bReadOnly)
        scrollToBottom();
}

QList<int> CConferencestableview::getUserIds() const
{
    return m_pModel ? m_pModel->getUserIds() : QList<int>();
}

void CConferencestableview::updateDpi(double scale)
{
    scale = meetings::normalScale(scale);
    verticalHeader()->setDefaultSectionSize(meetings::scaled(68, scale));
    horizontalHeader()->setDefaultSectionSize(meetings::scaled(48, scale));
    if (m_pDelegate)
        m_pDelegate->updateDpi(scale);
    if (m_pModel)
        m_pModel->refresh();
}

void CConferencestableview::slot_item_clicked(QModelIndex index)
{
    if (!m_pModel || !index.isValid())
        return;
    const QVariant type = m_pModel->data(index, CConferencesTablemodel::TypeRole);
    if (!type.isValid())
        return;
    switch (type.toInt()) {
    case participantItemData::Participant:
        if (!m_bReadOnly)
            m_pModel->removeAt(index);
        break;
    case participantItemData::AddCell:
        emit signal_addusers();
        break;
    default:
        break;
    }
}
