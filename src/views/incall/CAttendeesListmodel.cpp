#include "views/incall/CAttendeesListmodel.h"

#include "models/CAvatarCache.h"
#include "models/CUrlPixmap.h"

using rj_app::models::CAvatarCache;
using rj_app::models::CUrlPixmap;

CAttendeesListmodel::CAttendeesListmodel(QObject *parent)
    : QAbstractListModel(parent)
{
    connect(CUrlPixmap::getInstance(), &CUrlPixmap::signal_downloadFinished, this,
            &CAttendeesListmodel::slot_downloadFinished);
}

CAttendeesListmodel::~CAttendeesListmodel() = default;

int CAttendeesListmodel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_items.size());
}

QVariant CAttendeesListmodel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= m_items.size())
        return QVariant();
    const AttendeeItem &item = m_items.at(index.row());
    switch (role) {
    case NameRole:
        return item.name;
    case IsAudioRole:
        return item.isAudio;
    case UserIdRole:
        return item.userId;
    case AvatarRole:
        return item.avatar;
    default:
        return QVariant();
    }
}

bool CAttendeesListmodel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || index.row() < 0 || index.row() >= m_items.size())
        return false;
    AttendeeItem &item = m_items[index.row()];
    switch (role) {
    case NameRole:
        item.name = value.toString();
        break;
    case IsAudioRole:
        item.isAudio = value.toInt();
        break;
    case UserIdRole:
        item.userId = value.toInt();
        break;
    case AvatarRole:
        item.avatar = value.value<QPixmap>();
        break;
    default:
        return false;
    }
    emit dataChanged(index, index, {role});
    return true;
}

Qt::ItemFlags CAttendeesListmodel::flags(const QModelIndex &index) const
{
    Q_UNUSED(index)
    return Qt::NoItemFlags;
}

void CAttendeesListmodel::addItem(const AttendeeItem &item)
{
    if (item.isAudio != m_iAudioFilter)
        return;
    AttendeeItem added = item;
    // A participant without a picture address keeps an empty avatar.
    if (!added.avatarUrl.isEmpty())
        CAvatarCache::takeOrQueue(added.avatarUrl, added.avatar);
    const int row = int(m_items.size());
    beginInsertRows(QModelIndex(), row, row);
    m_items.append(added);
    endInsertRows();
}

void CAttendeesListmodel::clear()
{
    beginResetModel();
    m_items.clear();
    endResetModel();
}

void CAttendeesListmodel::setAudioFilter(int filter)
{
    m_iAudioFilter = filter;
}

void CAttendeesListmodel::relayout()
{
    beginResetModel();
    endResetModel();
}

void CAttendeesListmodel::slot_downloadFinished(QString strUrl)
{
    if (strUrl.isEmpty())
        return;
    // Every row of that address: one person may take part from two devices.
    const QPixmap avatar = CAvatarCache::cachedOrDefault(strUrl);
    for (int row = 0; row < m_items.size(); ++row) {
        if (m_items.at(row).avatarUrl != strUrl)
            continue;
        m_items[row].avatar = avatar;
        const QModelIndex changed = index(row);
        emit dataChanged(changed, changed, {AvatarRole});
    }
}
