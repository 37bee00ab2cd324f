#include "views/meetings/CConferencesTablemodel.h"

#include "models/CAvatarCache.h"
#include "models/CUrlPixmap.h"

using rj_app::models::CAvatarCache;
using rj_app::models::CUrlPixmap;

CConferencesTablemodel::CConferencesTablemodel(QObject *parent)
    : QAbstractTableModel(parent)
{
    connect(CUrlPixmap::getInstance(), &CUrlPixmap::signal_downloadFinished, this,
            &CConferencesTablemodel::slot_downloadFinished);
}

CConferencesTablemodel::~CConferencesTablemodel()
{
    qDeleteAll(m_items);
}

int CConferencesTablemodel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return (m_items.size() + kColumns - 1) / kColumns;
}

int CConferencesTablemodel::columnCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return qMin(m_items.size(), kColumns);
}

const participantItemData *CConferencesTablemodel::itemAt(const QModelIndex &index) const
{
    if (!index.isValid() || index.row() < 0 || index.column() < 0 || index.column() >= kColumns)
        return nullptr;
    const int position = index.row() * kColumns + index.column();
    return position < m_items.size() ? m_items.at(position) : nullptr;
}

QVariant CConferencesTablemodel::data(const QModelIndex &index, int role) const
{
    const participantItemData *item = itemAt(index);
    if (!item)
        return {};
    switch (role) {
    case NameRole:
        return item->name;
    case TypeRole:
        return item->type;
    case UserIdRole:
        return item->userId;
    case AvatarRole:
        return item->avatar;
    default:
        return {};
    }
}

void CConferencesTablemodel::clear()
{
    qDeleteAll(m_items);
    m_items.clear();
}

void CConferencesTablemodel::appendItem(const participantItemData &item)
{
    auto *cell = new participantItemData(item);
    m_items.append(cell);
    if (cell->type == participantItemData::Participant)
        CAvatarCache::takeOrQueue(cell->avatarUrl, cell->avatar);
}

void CConferencesTablemodel::removeAt(const QModelIndex &index)
{
    beginResetModel();
    if (index.isValid() && index.row() >= 0 && index.column() >= 0 && index.column() < kColumns) {
        const int position = index.row() * kColumns + index.column();
        if (position < m_items.size())
            delete m_items.takeAt(position);
    }
    endResetModel();
}

void CConferencesTablemodel::refresh()
{
    beginResetModel();
    endResetModel();
}

QList<int> CConferencesTablemodel::getUserIds() const
{
    QList<int> ids;
    for (const participantItemData *item : m_items) {
        if (item->type == participantItemData::Participant)
            ids.append(item->userId);
    }
    return ids;
}

void CConferencesTablemodel::slot_downloadFinished(QString strUrl)
{
    if (strUrl.isEmpty())
        return;
    // Every cell of that address takes the picture (a user may be listed
    // twice, and users without a picture share one address), and the view
    // repaints them now rather than at the next hover.
    const QPixmap picture = CAvatarCache::cachedOrDefault(strUrl);
    for (int position = 0; position < m_items.size(); ++position) {
        participantItemData *item = m_items.at(position);
        if (item->type != participantItemData::Participant || item->avatarUrl != strUrl)
            continue;
        item->avatar = picture;
        const QModelIndex cell = index(position / kColumns, position % kColumns);
        emit dataChanged(cell, cell, {AvatarRole});
    }
}
