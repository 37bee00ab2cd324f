#pragma once

#include <QListView>

namespace rj_app::custom_controls {

struct CHomeMenuItem;
class CHomeMenuListModel;
class CHomeMenuItemDelegate;

// The home window's vertical menu of icon-over-caption entries.
class CHomeMenuListView : public QListView
{
    Q_OBJECT
public:
    explicit CHomeMenuListView(QWidget *parent = nullptr);

    void addMenuItem(CHomeMenuItem *item);
    void clearMenuItems();
    bool setItemIcons(int row, const QString &normal, const QString &selected, const QString &hover);
    bool setItemText(int row, const QString &text);
    void setCurrentRow(int row);

    CHomeMenuListModel *menuModel() const { return m_pModel; }

private:
    CHomeMenuListModel *m_pModel = nullptr;
    CHomeMenuItemDelegate *m_pDelegate = nullptr;
};

} // namespace rj_app::custom_controls
