#pragma once

#include <QStyledItemDelegate>

// Paints one attendee row: avatar and name on a light background.
class CAttendeesDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit CAttendeesDelegate(QObject *parent = nullptr);
    ~CAttendeesDelegate() override;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    // A scale that is not positive counts as 1.
    void setScale(double scale);
    double scale() const { return m_dScale; }

private:
    double m_dScale = 1.0;
};
