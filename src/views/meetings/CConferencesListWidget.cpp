#include "views/meetings/CConferencesListWidget.h"

#include "views/meetings/CConferenceItemWidget.h"
#include "views/meetings/MeetingsScale.h"

#include <QHash>

CConferencesListWidget::CConferencesListWidget(QWidget *parent)
    : QListWidget(parent)
{
}

void CConferencesListWidget::addItem(const conferenceItemData &data)
{
    auto *item = new QListWidgetItem;
    QListWidget::addItem(item);
    setItemWidget(item, createRowWidget(data));
}

void CConferencesListWidget::setItems(const QList<conferenceItemData> &items)
{
    if (updateInPlace(items))
        return;
    clear();
    // Every row first, then the row widgets: a row added while the list
    // holds row widgets places all of them again, which made a rebuild take
    // time in the square of the number of meetings.
    for (int row = 0; row < items.size(); ++row)
        QListWidget::addItem(new QListWidgetItem);
    for (int row = 0; row < items.size(); ++row)
        setItemWidget(item(row), createRowWidget(items.at(row)));
}

bool CConferencesListWidget::updateInPlace(const QList<conferenceItemData> &items)
{
    // The periodic refresh mostly brings the same meetings in the same order,
    // now and then with a few gone or new. Those rows are updated in place,
    // the gone ones removed and the new ones inserted; a row keeps showing
    // one meeting, so a click on it still means that meeting. Anything else
    // (meetings in another order, the same meeting twice, many changes) is
    // built afresh.
    constexpr int kMaxChanges = 16;
    QHash<int, int> position;   // meeting id -> row in `items`
    for (int i = 0; i < items.size(); ++i) {
        if (position.contains(items.at(i).conference.id))
            return false;
        position.insert(items.at(i).conference.id, i);
    }
    int kept = 0;
    int last = -1;
    for (int row = 0; row < count(); ++row) {
        const CConferenceItemWidget *widget = itemWidgetAt(row);
        if (!widget)
            return false;
        const int at = position.value(widget->data().conference.id, -1);
        if (at < 0)
            continue;
        if (at <= last)
            return false;
        last = at;
        ++kept;
    }
    if (count() - kept > kMaxChanges || items.size() - kept > kMaxChanges)
        return false;

    for (int row = count() - 1; row >= 0; --row) {
        if (!position.contains(itemWidgetAt(row)->data().conference.id))
            delete takeItem(row);
    }
    // The kept rows are in the new order: row i either shows items[i] or a
    // later meeting, and then items[i] is new.
    for (int i = 0; i < items.size(); ++i) {
        CConferenceItemWidget *widget = i < count() ? itemWidgetAt(i) : nullptr;
        if (widget && widget->data().conference.id == items.at(i).conference.id) {
            widget->setData(items.at(i));
            continue;
        }
        auto *row = new QListWidgetItem;
        insertItem(i, row);
        setItemWidget(row, createRowWidget(items.at(i)));
    }
    return true;
}

CConferenceItemWidget *CConferencesListWidget::createRowWidget(const conferenceItemData &data)
{
    auto *widget = new CConferenceItemWidget;
    widget->initUI();
    widget->updateDpi(m_scale);
    widget->setData(data);
    connect(widget, &CConferenceItemWidget::signal_MeetingDetail_clicked, this,
            &CConferencesListWidget::slot_MeetingDetail_clicked);
    connect(widget, &CConferenceItemWidget::signal_Join_clicked, this, &CConferencesListWidget::slot_Join_clicked);
    connect(widget, &CConferenceItemWidget::signal_Delete_clicked, this,
            &CConferencesListWidget::slot_Delete_clicked);
    connect(widget, &CConferenceItemWidget::signal_Edit_clicked, this, &CConferencesListWidget::slot_Edit_clicked);
    connect(widget, &CConferenceItemWidget::signal_DeleteEdit_clicked, this,
            &CConferencesListWidget::slot_DeleteEdit_clicked);
    return widget;
}

int CConferencesListWidget::indexOfItemWidget(QWidget *widget) const
{
    if (!widget)
        return -1;
    for (int row = 0; row < count(); ++row) {
        if (itemWidget(item(row)) == widget)
            return row;
    }
    return -1;
}

CConferenceItemWidget *CConferencesListWidget::itemWidgetAt(int row) const
{
    QListWidgetItem *it = item(row);
    return it ? qobject_cast<CConferenceItemWidget *>(itemWidget(it)) : nullptr;
}

void CConferencesListWidget::retranslate()
{
    for (int row = 0; row < count(); ++row) {
        if (CConferenceItemWidget *widget = itemWidgetAt(row))
            widget->retranslate();
    }
}

void CConferencesListWidget::updateDpi(double scale)
{
    scale = meetings::normalScale(scale);
    for (int row = 0; row < count(); ++row) {
        if (CConferenceItemWidget *widget = itemWidgetAt(row))
            widget->updateDpi(scale);
    }
    m_scale = scale;
}

void CConferencesListWidget::emitForSender(void (CConferencesListWidget::*signal)(int))
{
    // A row that is no longer in the list (a signal queued past a rebuild)
    // reports nothing rather than row -1.
    const int row = indexOfItemWidget(qobject_cast<QWidget *>(sender()));
    if (row >= 0)
        emit(this->*signal)(row);
}

void CConferencesListWidget::slot_MeetingDetail_clicked()
{
    emitForSender(&CConferencesListWidget::signal_MeetingDetail_clicked);
}

void CConferencesListWidget::slot_Join_clicked()
{
    emitForSender(&CConferencesListWidget::signal_Join_clicked);
}

void CConferencesListWidget::slot_Delete_clicked()
{
    emitForSender(&CConferencesListWidget::signal_Delete_clicked);
}

void CConferencesListWidget::slot_Edit_clicked()
{
    emitForSender(&CConferencesListWidget::signal_Edit_clicked);
}

void CConferencesListWidget::slot_DeleteEdit_clicked()
{
    emitForSender(&CConferencesListWidget::signal_DeleteEdit_clicked);
}
