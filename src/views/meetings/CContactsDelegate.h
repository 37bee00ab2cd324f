#pragma once

#include <QPixmap>
#include <QStringList>
#include <QStyledItemDelegate>

namespace rj_app::views {

// Paints the rows of the contacts list by kind and turns a press on a
// contact's tick box (select mode) into signal_selectContactItem.
class CContactsDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit CContactsDelegate(QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                     const QModelIndex &index) override;

    void setSelectMode();
    bool isSelectMode() const { return m_bSelectMode; }
    void updateDpi(double scale);
    double scale() const { return m_scale; }

    // The tick box of a row, for clicks: 14 s square, 24 s left of the right edge.
    QRect tickRect(const QRect &rowRect) const;

    // The five pictures for a scale: add icon, group icon, arrow, ticked box,
    // empty box.
    static QStringList pictureFiles(double scale);

signals:
    void signal_selectContactItem(QModelIndex index);

private:
    int px(double base) const { return int(base * m_scale); }

    QPixmap m_addIcon;
    QPixmap m_groupIcon;
    QPixmap m_arrow;
    QPixmap m_checked;
    QPixmap m_unchecked;
    double m_scale = 1.0;
    bool m_bSelectMode = false;
};

} // namespace rj_app::views
