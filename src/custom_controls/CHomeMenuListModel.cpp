#include "custom_controls/CHomeMenuListModel.h"

#include "custom_controls/CHomeMenuItem.h"

namespace rj_app::custom_controls {

CHomeMenuListModel::CHomeMenuListModel(QObject *parent)
    : QAbstractListModel(parent)
{
}

CHomeMenuListModel::~CHomeMenuListModel()
{
    qDeleteAll(m_items);
}

int CHomeMenuListModel::rowCount(const QModelIndex &parent) const
{
    // Entries have no children; answering the count for them too would make
    // any tree-walking view or proxy recurse without end.
    return parent.isValid() ? 0 : m_items.size();
}

QVariant CHomeMenuListModel::data(const QModelIndex &index, int role) const
{
    const int row = index.row();
    if (row < 0 || row >= m_items.size())
        return QVariant();
    const CHomeMenuItem *item = m_items.at(row);
    switch (role) {
    case CaptionRole:
        return item->m_qstrText;
    case NormalIconRole:
        return item->m_qstrNormalIcon;
    case SelectedIconRole:
        return item->m_qstrSelectedIcon;
    case HoverIconRole:
        return item->m_qstrHoverIcon;
    default:
        return QVariant();
    }
}

void CHomeMenuListModel::addMenuItem(CHomeMenuItem *item)
{
    if (!item)
        return;
    beginInsertRows(QModelIndex(), m_items.size(), m_items.size());
    m_items.append(item);
    endInsertRows();
}

void CHomeMenuListModel::clearMenuItems()
{
    beginResetModel();
    qDeleteAll(m_items);
    m_items.clear();
    endResetModel();
}

bool CHomeMenuListModel::setItemIcons(int row, const QString &normal, const QString &selected,
                                      const QString &hover)
{
    if (row < 0 || row >= m_items.size())
        return false;
    CHomeMenuItem *item = m_items.at(row);
    item->m_qstrNormalIcon = normal;
    item->m_qstrSelectedIcon = selected;
    item->m_qstrHoverIcon = hover;
    const QModelIndex idx = index(row);
    emit dataChanged(idx, idx, {NormalIconRole, SelectedIconRole, HoverIconRole});
    return true;
}

bool CHomeMenuListModel::setItemText(int row, const QString &text)
{
    if (row < 0 || row >= m_items.size())
        return false;
    m_items.at(row)->m_qstrText = text;
    const QModelIndex idx = index(row);
    emit dataChanged(idx, idx, {CaptionRole});
    return true;
}

} // namespace rj_app::custom_controls
