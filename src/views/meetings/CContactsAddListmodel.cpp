#include "views/meetings/CContactsAddListmodel.h"

#include "models/CAvatarCache.h"
#include "models/CUrlPixmap.h"

namespace rj_app::views {

using rj_app::models::CAvatarCache;
using rj_app::models::CUrlPixmap;

CContactsAddListmodel::CContactsAddListmodel(QObject *parent)
    : QAbstractListModel(parent)
{
    qRegisterMetaType<ucmuserData>("ucmuserData");
    connect(CUrlPixmap::getInstance(), &CUrlPixmap::signal_downloadFinished, this,
            &CContactsAddListmodel::slot_downloadFinished);
}

CContactsAddListmodel::~CContactsAddListmodel()
{
    clearRows();
}

int CContactsAddListmodel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_items.size();
}

QVariant CContactsAddListmodel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= m_items.size())
        return QVariant();
    const userItemData *item = m_items.at(index.row());
    switch (role) {
    case TextRole:
        return item->text;
    case AddedRole:
        return item->added;
    case AvatarRole:
        return item->avatar;
    case UserRole:
        return QVariant::fromValue(item->user);
    case SelectedRole:
        return item->selected;
    default:
        return QVariant();
    }
}

bool CContactsAddListmodel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || index.row() < 0 || index.row() >= m_items.size())
        return false;
    userItemData *item = m_items[index.row()];
    // A value that does not convert changes nothing and is reported as such.
    switch (role) {
    case TextRole:
        if (!value.canConvert<QString>())
            return false;
        item->text = value.toString();
        break;
    case AddedRole:
        if (!value.canConvert<bool>())
            return false;
        item->added = value.toBool();
        break;
    case AvatarRole:
        if (!value.canConvert<QPixmap>())
            return false;
        item->avatar = value.value<QPixmap>();
        break;
    case UserRole:
        if (value.userType() != qMetaTypeId<ucmuserData>())
            return false;
        item->user = value.value<ucmuserData>();
        break;
    case SelectedRole:
        if (!value.canConvert<bool>())
            return false;
        item->selected = value.toBool();
        break;
    default:
        return false;
    }
    emit dataChanged(index, index, {role});
    return true;
}

Qt::ItemFlags CContactsAddListmodel::flags(const QModelIndex &index) const
{
    Q_UNUSED(index)
    return Qt::NoItemFlags;
}

void CContactsAddListmodel::setItems(const QList<userItemData> &items)
{
    beginResetModel();
    clearRows();
    for (const userItemData &item : items)
        storeItem(item);
    endResetModel();
}

void CContactsAddListmodel::appendItem(const userItemData &item)
{
    const int row = m_items.size();
    beginInsertRows(QModelIndex(), row, row);
    storeItem(item);
    endInsertRows();
}

userItemData CContactsAddListmodel::itemAt(int row) const
{
    if (row < 0 || row >= m_items.size())
        return userItemData();
    return *m_items.at(row);
}

void CContactsAddListmodel::setAdded(int userId)
{
    setAddedFlag(userId, true);
}

void CContactsAddListmodel::clearAdded(int userId)
{
    setAddedFlag(userId, false);
}

void CContactsAddListmodel::setAddedFlag(int userId, bool added)
{
    const int row = firstRowOf(userId);
    if (row < 0 || m_items.at(row)->added == added)
        return;
    m_items[row]->added = added;
    rowChanged(row, {AddedRole});
}

void CContactsAddListmodel::setAddedUsers(const QSet<int> &userIds)
{
    int first = -1;
    int last = -1;
    for (int row = 0; row < m_items.size(); ++row) {
        userItemData *item = m_items[row];
        const bool added = userIds.contains(item->user.id);
        if (item->added == added)
            continue;
        item->added = added;
        if (first < 0)
            first = row;
        last = row;
    }
    if (first >= 0)
        emit dataChanged(index(first), index(last), {AddedRole});
}

void CContactsAddListmodel::updateUser(int userId, const QString &imageUrl, const QString &displayName)
{
    const int row = firstRowOf(userId);
    if (row < 0)
        return;
    userItemData *item = m_items[row];
    QVector<int> roles;
    if (item->text != displayName) {
        item->text = displayName;
        item->user.displayName = displayName;
        roles << TextRole << UserRole;
    }
    if (item->user.imageURL != imageUrl) {
        m_rowsByUrl[item->avatarUrl].removeOne(row);
        item->user.imageURL = imageUrl;
        item->avatarUrl = imageUrl;
        indexUrl(row);
        takeAvatar(item);
        roles << AvatarRole << UserRole;
    }
    if (!roles.isEmpty())
        rowChanged(row, roles);
}

QList<int> CContactsAddListmodel::getSelectedUsers() const
{
    QList<int> ids;
    for (const userItemData *item : m_items) {
        if (item->selected)
            ids.append(item->user.id);
    }
    return ids;
}

void CContactsAddListmodel::setSelectMode()
{
    beginResetModel();
    m_bSelectMode = true;
    endResetModel();
}

void CContactsAddListmodel::setSelectedUsers(const QList<int> &ids)
{
    if (!m_bSelectMode || m_items.isEmpty())
        return;
    const QSet<int> wanted(ids.cbegin(), ids.cend());
    for (userItemData *item : qAsConst(m_items))
        item->selected = wanted.contains(item->user.id);
    emit dataChanged(index(0), index(m_items.size() - 1), {SelectedRole});
}

void CContactsAddListmodel::setUserSelected(int userId, bool selected)
{
    if (!m_bSelectMode)
        return;
    for (int row = 0; row < m_items.size(); ++row) {
        if (m_items.at(row)->user.id == userId && m_items.at(row)->selected != selected) {
            m_items[row]->selected = selected;
            rowChanged(row, {SelectedRole});
        }
    }
}

bool CContactsAddListmodel::toggleSelected(int row)
{
    if (row < 0 || row >= m_items.size())
        return false;
    m_items[row]->selected = !m_items.at(row)->selected;
    rowChanged(row, {SelectedRole});
    return m_items.at(row)->selected;
}

void CContactsAddListmodel::refresh()
{
    beginResetModel();
    endResetModel();
}

void CContactsAddListmodel::slot_downloadFinished(QString strUrl)
{
    if (strUrl.isEmpty())
        return;
    // Every row of that address takes the picture (one download serves all),
    // each announced on its own: a reset per arrival would re-filter the list
    // and throw the view back to the top while scrolling.
    const auto rows = m_rowsByUrl.constFind(strUrl);
    if (rows == m_rowsByUrl.constEnd())
        return;
    for (int row : *rows) {
        userItemData *item = m_items[row];
        item->avatar = CAvatarCache::cachedOrDefault(item->user.imageURL);
        rowChanged(row, {AvatarRole});
    }
}

void CContactsAddListmodel::clearRows()
{
    qDeleteAll(m_items);
    m_items.clear();
    m_rowsByUrl.clear();
}

void CContactsAddListmodel::storeItem(const userItemData &item)
{
    auto *copy = new userItemData(item);
    takeAvatar(copy);
    m_items.append(copy);
    indexUrl(m_items.size() - 1);
}

void CContactsAddListmodel::indexUrl(int row)
{
    const QString &url = m_items.at(row)->avatarUrl;
    if (!url.isEmpty())
        m_rowsByUrl[url].append(row);
}

void CContactsAddListmodel::takeAvatar(userItemData *item)
{
    CAvatarCache::takeOrQueue(item->user.imageURL, item->avatar);
}

int CContactsAddListmodel::firstRowOf(int userId) const
{
    for (int row = 0; row < m_items.size(); ++row) {
        if (m_items.at(row)->user.id == userId)
            return row;
    }
    return -1;
}

void CContactsAddListmodel::rowChanged(int row, const QVector<int> &roles)
{
    const QModelIndex idx = index(row);
    emit dataChanged(idx, idx, roles);
}

} // namespace rj_app::views
