#include "custom_controls/CHomeMenuListView.h"

#include "custom_controls/CHomeMenuItemDelegate.h"
#include "custom_controls/CHomeMenuListModel.h"

namespace rj_app::custom_controls {

CHomeMenuListView::CHomeMenuListView(QWidget *parent)
    : QListView(parent)
{
    m_pModel = new CHomeMenuListModel(this);
    m_pDelegate = new CHomeMenuItemDelegate(this);
    setModel(m_pModel);
    setItemDelegate(m_pDelegate);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setMouseTracking(true); // hover pictures
}

void CHomeMenuListView::addMenuItem(CHomeMenuItem *item)
{
    m_pModel->addMenuItem(item);
}

void CHomeMenuListView::clearMenuItems()
{
    m_pModel->clearMenuItems();
}

bool CHomeMenuListView::setItemIcons(int row, const QString &normal, const QString &selected,
                                     const QString &hover)
{
    return m_pModel->setItemIcons(row, normal, selected, hover);
}

bool CHomeMenuListView::setItemText(int row, const QString &text)
{
    return m_pModel->setItemText(row, text);
}

void CHomeMenuListView::setCurrentRow(int row)
{
    setCurrentIndex(m_pModel->index(row, 0));
}

} // namespace rj_app::custom_controls
