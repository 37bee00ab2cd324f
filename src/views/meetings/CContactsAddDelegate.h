#pragma once

#include <QPixmap>
#include <QStringList>
#include <QStyledItemDelegate>

namespace rj_app::views {

// Paints the directory rows (avatar, name, and an "Add" / "Added" button or,
// in select mode, a tick box) and turns presses on the button or the tick box
// into signals. The button and the box sit at a fixed distance from the
// row's left edge.
class CContactsAddDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit CContactsAddDelegate(QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                     const QModelIndex &index) override;

    void setSelectMode();
    bool isSelectMode() const { return m_bSelectMode; }
    void updateDpi(double scale);
    double scale() const { return m_scale; }

    // Where presses count, from the row rectangle.
    QRect buttonRect(const QRect &rowRect) const;
    QRect tickRect(const QRect &rowRect) const;

    // The ticked-box and empty-box pictures for a scale.
    static QStringList pictureFiles(double scale);

signals:
    void signal_addContactItem(QModelIndex index);
    void signal_selectUserItem(QModelIndex index);

private:
    int px(double base) const { return int(base * m_scale); }

    QPixmap m_checked;
    QPixmap m_unchecked;
    double m_scale = 1.0;
    bool m_bSelectMode = false;
};

} // namespace rj_app::views
