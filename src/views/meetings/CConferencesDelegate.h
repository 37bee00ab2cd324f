#pragma once

#include <QPixmap>
#include <QStyledItemDelegate>

// Paints a participant cell (avatar, name below it, and on hover in an
// editable grid a delete mark) or the "Add" cell.
class CConferencesDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit CConferencesDelegate(QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return m_bReadOnly; }
    void updateDpi(double scale);
    double scale() const { return m_scale; }

private:
    bool m_bReadOnly = false;
    QPixmap m_addPixmap;
    QPixmap m_deletePixmap;
    double m_scale = 1.0;
};
