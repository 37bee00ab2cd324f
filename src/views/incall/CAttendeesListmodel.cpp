#include "views/incall/CAttendeesListmodel.h"

#include "models/CUrlPixmap.h"

#include <QSet>

using rj_app::models::CUrlPixmap;

namespace {

const QString kDefaultKey = QStringLiteral("default");
const QString kDefaultPicture = QStringLiteral(":/resources/images/default_user_header.jpg");

// Addresses asked of the downloader and not yet reported back. Every refresh
// rebuilds the lists; without this, each one would queue the missing avatars
// again while their downloads still wait, and a slow avatar server would see
// the queue grow without end.
QSet<QString> &pendingAvatars()
{
    static QSet<QString> pending;
    return pending;
}

void requestAvatar(const QString &url)
{
    CUrlPixmap *loader = CUrlPixmap::getInstance();
    static const bool tracked = [loader] {
        // Lives with the downloader, so it hears every report, also those
        // that arrive after the window that asked was closed.
        QObject::connect(loader, &CUrlPixmap::signal_downloadFinished, loader,
                         [](const QString &done) { pendingAvatars().remove(done); });
        return true;
    }();
    Q_UNUSED(tracked)
    if (pendingAvatars().contains(url))
        return;
    pendingAvatars().insert(url);
    loader->setDownloadUrl(url);
}

// The cached picture of an address; a cached null picture (the answer was no
// picture) shows the default avatar rather than nothing.
QPixmap cachedAvatar(const QString &url)
{
    const QPixmap pixmap = CUrlPixmap::s_pixmapCache.value(url);
    return pixmap.isNull() ? CAttendeesListmodel::defaultAvatar() : pixmap;
}

} // namespace

CAttendeesListmodel::CAttendeesListmodel(QObject *parent)
    : QAbstractListModel(parent)
{
    connect(CUrlPixmap::getInstance(), &CUrlPixmap::signal_downloadFinished, this,
            &CAttendeesListmodel::slot_downloadFinished);
}

CAttendeesListmodel::~CAttendeesListmodel() = default;

QPixmap CAttendeesListmodel::defaultAvatar()
{
    const QPixmap cached = CUrlPixmap::s_pixmapCache.value(kDefaultKey);
    // The downloader only adds "default" after a failed download.
    return cached.isNull() ? QPixmap(kDefaultPicture) : cached;
}

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
    if (!added.avatarUrl.isEmpty()) {
        if (CUrlPixmap::s_pixmapCache.contains(added.avatarUrl))
            added.avatar = cachedAvatar(added.avatarUrl);
        else
            requestAvatar(added.avatarUrl);
    }
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
    const QPixmap avatar = cachedAvatar(strUrl);
    for (int row = 0; row < m_items.size(); ++row) {
        if (m_items.at(row).avatarUrl != strUrl)
            continue;
        m_items[row].avatar = avatar;
        const QModelIndex changed = index(row);
        emit dataChanged(changed, changed, {AvatarRole});
    }
}
