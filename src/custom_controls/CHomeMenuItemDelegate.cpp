#include "custom_controls/CHomeMenuItemDelegate.h"

#include "custom_controls/CHomeMenuListModel.h"

#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>

namespace rj_app::custom_controls {

namespace {
QPixmap cachedPixmap(const QString &path)
{
    QPixmap pm;
    if (path.isEmpty())
        return pm;
    if (!QPixmapCache::find(path, &pm)) {
        pm.load(path);
        QPixmapCache::insert(path, pm);
    }
    return pm;
}
} // namespace

CHomeMenuItemDelegate::CHomeMenuItemDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
{
}

void CHomeMenuItemDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                  const QModelIndex &index) const
{
    const QRect r = option.rect;
    const bool selected = option.state & QStyle::State_Selected;
    const bool hovered = option.state & QStyle::State_MouseOver;

    painter->save();
    painter->setPen(Qt::NoPen);
    painter->fillRect(r, QColor(0x3c, 0x3c, 0x3c));

    const int role = selected ? CHomeMenuListModel::SelectedIconRole
                     : hovered ? CHomeMenuListModel::HoverIconRole
                               : CHomeMenuListModel::NormalIconRole;
    const QPixmap icon = cachedPixmap(index.data(role).toString());
    painter->drawPixmap(r.left() + (r.width() - icon.width()) / 2, r.top(), icon);

    const QRect textRect(r.left(), r.top() + icon.height(), r.width(), r.height() - 2 * icon.height());
    painter->setPen((selected || hovered) ? QColor(0xf5, 0x45, 0x2e) : QColor(0x91, 0x91, 0x91));
    painter->drawText(textRect, Qt::AlignCenter, index.data(CHomeMenuListModel::CaptionRole).toString());
    painter->restore();
}

} // namespace rj_app::custom_controls
