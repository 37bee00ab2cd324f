#pragma once

#include <QAbstractListModel>
#include <QList>

namespace rj_app::custom_controls {

struct CHomeMenuItem;

// The entries of the home menu. Owns its entries; announces every change so
// that views never hold a stale row count or stale pictures.
class CHomeMenuListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    enum Roles {
        CaptionRole = Qt::UserRole + 1,   // 257
        NormalIconRole = Qt::UserRole + 2, // 258
        SelectedIconRole = Qt::UserRole + 3, // 259
        HoverIconRole = Qt::UserRole + 4, // 260
    };

    explicit CHomeMenuListModel(QObject *parent = nullptr);
    ~CHomeMenuListModel() override;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;

    // Takes ownership; null is ignored.
    void addMenuItem(CHomeMenuItem *item);
    void clearMenuItems();
    bool setItemIcons(int row, const QString &normal, const QString &selected, const QString &hover);
    bool setItemText(int row, const QString &text);

private:
    QList<CHomeMenuItem *> m_items;
};

} // namespace rj_app::custom_controls
