#pragma once

#include <QFontMetrics>
#include <QPixmap>
#include <QStringList>
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

    // A participant's name as painted under the avatar: the whole cell width,
    // broken at blanks into at most two lines, a line elided only when one
    // word alone is too wide.
    static QStringList nameLines(const QString &name, const QFontMetrics &metrics, int width);
    // Where the name goes in a cell of `cell`, and its font, at `scale`.
    static QRect nameRect(const QRect &cell, double scale);
    static int namePixelSize(double scale);

private:
    bool m_bReadOnly = false;
    QPixmap m_addPixmap;
    QPixmap m_deletePixmap;
    double m_scale = 1.0;
};
