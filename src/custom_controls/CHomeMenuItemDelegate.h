#pragma once

#include <QStyledItemDelegate>

namespace rj_app::custom_controls {

// Paints a home menu entry: its icon (selected, hovered or normal) above its caption.
class CHomeMenuItemDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit CHomeMenuItemDelegate(QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
};

} // namespace rj_app::custom_controls
