#include "views/meetings/CContactsListmodel.h"

#include "models/CAvatarCache.h"
#include "models/CUrlPixmap.h"

namespace rj_app::views {

using rj_app::models::CAvatarCache;
using rj_app::models::CUrlPixmap;

CContactsListmodel::CContactsListmodel(QObject *parent)
    : QAbstractListModel(parent)
{
    qRegisterMetaType<ucmcontactData>("ucmcontactData");
    connect(CUrlPixmap::getInstance(), &CUrlPixmap::signal_downloadFinished, this,
            &CContactsListmodel::slot_downloadFinished);
}

CContactsListmodel::~CContactsListmodel()
{
    clearRows();
}

int CContactsListmodel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_items.size();
}

QVariant CContactsListmodel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= m_items.size())
        return QVariant();
    const contactItemData *item = m_items.at(index.row());
    switch (role) {
    case TextRole:
        return item->text;
    case TypeRole:
        return item->type;
    case AvatarRole:
        return item->avatar;
    case ContactRole:
        return QVariant::fromValue(item->contact);
    case SelectedRole:
        return item->selected;
    default:
        return QVariant();
    }
}

bool CContactsListmodel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || index.row() < 0 || index.row() >= m_items.size())
        return false;
    contactItemData *item = m_items[index.row()];
    // A value that does not convert changes nothing and is reported as such,
    // rather than blanking the field and claiming success.
    switch (role) {
    case TextRole:
        if (!value.canConvert<QString>())
            return false;
        item->text = value.toString();
        break;
    case TypeRole: {
        bool ok = false;
        const int type = value.toInt(&ok);
        if (!ok)
            return false;
        item->type = type;
        break;
    }
    case AvatarRole:
        if (!value.canConvert<QPixmap>())
            return false;
        item->avatar = value.value<QPixmap>();
        break;
    case ContactRole:
        if (value.userType() != qMetaTypeId<ucmcontactData>())
            return false;
        item->contact = value.value<ucmcontactData>();
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

Qt::ItemFlags CContactsListmodel::flags(const QModelIndex &index) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= m_items.size())
        return Qt::NoItemFlags;
    if (m_bSelectMode)
        return Qt::NoItemFlags;
    const int type = m_items.at(index.row())->type;
    if (type == contactItemData::Separator || type == contactItemData::SectionTitle)
        return Qt::NoItemFlags;
    return QAbstractListModel::flags(index);
}

void CContactsListmodel::setItems(const QList<contactItemData> &items)
{
    beginResetModel();
    clearRows();
    for (const contactItemData &item : items)
        storeItem(item);
    endResetModel();
}

void CContactsListmodel::appendItem(const contactItemData &item)
{
    const int row = m_items.size();
    beginInsertRows(QModelIndex(), row, row);
    storeItem(item);
    endInsertRows();
}

void CContactsListmodel::removeItemAt(int row)
{
    if (row < 0 || row >= m_items.size() || m_items.at(row)->type != contactItemData::Contact)
        return;
    beginResetModel();
    delete m_items.takeAt(row);
    endResetModel();
}

void CContactsListmodel::removeByUserId(int userId)
{
    removeItemAt(firstContactRowOf(userId));
}

contactItemData CContactsListmodel::itemAt(int row) const
{
    if (row < 0 || row >= m_items.size())
        return contactItemData();
    return *m_items.at(row);
}

void CContactsListmodel::setSelectMode()
{
    beginResetModel();
    m_bSelectMode = true;
    endResetModel();
}

void CContactsListmodel::setSelectedUsers(const QList<int> &ids)
{
    if (!m_bSelectMode || m_items.isEmpty())
        return;
    const QSet<int> wanted(ids.cbegin(), ids.cend());
    for (contactItemData *item : qAsConst(m_items)) {
        if (item->type == contactItemData::Contact)
            item->selected = wanted.contains(item->contact.userId);
    }
    emit dataChanged(index(0), index(m_items.size() - 1), {SelectedRole});
}

void CContactsListmodel::setUserSelected(int userId, bool selected)
{
    if (!m_bSelectMode)
        return;
    const int row = firstContactRowOf(userId);
    if (row < 0)
        return;
    m_items[row]->selected = selected;
    rowChanged(row, {SelectedRole});
}

bool CContactsListmodel::updateUser(int userId, const QString &imageUrl, const QString &text,
                                    const QString &displayName)
{
    const int row = firstContactRowOf(userId);
    if (row < 0)
        return false;
    contactItemData *item = m_items[row];
    if (item->text != text) {
        item->text = text;
        // The text is rebuilt from the name on a language change.
        item->contact.name = displayName;
    }
    if (item->contact.imageURL != imageUrl) {
        item->contact.imageURL = imageUrl;
        item->avatarUrl = imageUrl;
        takeAvatar(item);
    }
    rowChanged(row, {TextRole, AvatarRole, ContactRole});
    return true;
}

void CContactsListmodel::setRowText(int row, const QString &text)
{
    if (row >= 0 && row < m_items.size())
        m_items[row]->text = text;
}

void CContactsListmodel::refresh()
{
    beginResetModel();
    endResetModel();
}

void CContactsListmodel::slot_downloadFinished(QString strUrl)
{
    if (strUrl.isEmpty())
        return;
    // Every row of that address takes the picture (one download serves all),
    // each announced on its own: a reset per arrival would re-filter the list
    // and throw the view back to the top while scrolling.
    for (int row = 0; row < m_items.size(); ++row) {
        contactItemData *item = m_items[row];
        if (item->avatarUrl != strUrl)
            continue;
        item->avatar = CAvatarCache::cachedOrDefault(item->contact.imageURL);
        rowChanged(row, {AvatarRole});
    }
}

void CContactsListmodel::clearRows()
{
    qDeleteAll(m_items);
    m_items.clear();
}

void CContactsListmodel::storeItem(const contactItemData &item)
{
    auto *copy = new contactItemData(item);
    if (copy->type == contactItemData::Contact)
        takeAvatar(copy);
    m_items.append(copy);
}

void CContactsListmodel::takeAvatar(contactItemData *item)
{
    CAvatarCache::takeOrQueue(item->contact.imageURL, item->avatar);
}

int CContactsListmodel::firstContactRowOf(int userId) const
{
    // Fixed rows and records without a user carry user id 0: never a match.
    if (userId == 0)
        return -1;
    for (int row = 0; row < m_items.size(); ++row) {
        const contactItemData *item = m_items.at(row);
        if (item->type == contactItemData::Contact && item->contact.userId == userId)
            return row;
    }
    return -1;
}

void CContactsListmodel::rowChanged(int row, const QVector<int> &roles)
{
    const QModelIndex idx = index(row);
    emit dataChanged(idx, idx, roles);
}

} // namespace rj_app::views
