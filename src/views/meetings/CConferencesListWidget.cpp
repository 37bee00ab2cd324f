#include "views/meetings/CConferencesListWidget.h"

#include "views/meetings/CConferenceItemWidget.h"
#include "views/meetings/MeetingsScale.h"

#include <QHash>
#include <QPointer>
#include <QScopedValueRollback>
#include <QTimerEvent>

namespace {

// A row of the list: its meeting and, while it is in or near the view, its
// widget (the view owns the widget).
class MeetingRowItem : public QListWidgetItem
{
public:
    explicit MeetingRowItem(const conferenceItemData &data)
        : QListWidgetItem(nullptr, QListWidgetItem::UserType)
        , data(data)
    {
    }

    conferenceItemData data;
    QPointer<CConferenceItemWidget> widget;
};

MeetingRowItem *rowItem(QListWidgetItem *item)
{
    return item && item->type() == QListWidgetItem::UserType ? static_cast<MeetingRowItem *>(item) : nullptr;
}

} // namespace

CConferencesListWidget::CConferencesListWidget(QWidget *parent)
    : QListWidget(parent)
{
    // Every row is an empty item of the style sheet's height: one size hint
    // serves them all instead of one per row.
    setUniformItemSizes(true);
}

void CConferencesListWidget::addItem(const conferenceItemData &data)
{
    QListWidget::addItem(new MeetingRowItem(data));
}

void CConferencesListWidget::setItems(const QList<conferenceItemData> &items)
{
    if (updateInPlace(items))
        return;
    clear();
    for (const conferenceItemData &data : items)
        QListWidget::addItem(new MeetingRowItem(data));
}

const conferenceItemData *CConferencesListWidget::dataAt(int row) const
{
    const MeetingRowItem *it = rowItem(item(row));
    return it ? &it->data : nullptr;
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
    position.reserve(items.size());
    for (int i = 0; i < items.size(); ++i) {
        if (position.contains(items.at(i).conference.id))
            return false;
        position.insert(items.at(i).conference.id, i);
    }
    int kept = 0;
    int last = -1;
    for (int row = 0; row < count(); ++row) {
        const conferenceItemData *shown = dataAt(row);
        if (!shown)
            return false;
        const int at = position.value(shown->conference.id, -1);
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
        if (!position.contains(dataAt(row)->conference.id))
            delete takeItem(row);
    }
    // The kept rows are in the new order: row i either shows items[i] or a
    // later meeting, and then items[i] is new.
    for (int i = 0; i < items.size(); ++i) {
        const conferenceItemData *shown = dataAt(i);
        if (shown && shown->conference.id == items.at(i).conference.id)
            setRowData(i, items.at(i));
        else
            insertItem(i, new MeetingRowItem(items.at(i)));
    }
    return true;
}

void CConferencesListWidget::setRowData(int row, const conferenceItemData &data)
{
    MeetingRowItem *it = rowItem(item(row));
    it->data = data;
    if (it->widget)
        it->widget->setData(data);
}

CConferenceItemWidget *CConferencesListWidget::createRowWidget(const conferenceItemData &data)
{
    // Made on the viewport, where the view puts it: a row moved there later
    // would be styled twice.
    auto *widget = new CConferenceItemWidget(viewport());
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

CConferenceItemWidget *CConferencesListWidget::itemWidgetAt(int row)
{
    MeetingRowItem *it = rowItem(item(row));
    if (!it)
        return nullptr;
    if (!it->widget) {
        it->widget = createRowWidget(it->data);
        setItemWidget(it, it->widget);
    }
    return it->widget;
}

void CConferencesListWidget::updateGeometries()
{
    QListWidget::updateGeometries();
    placeRowWidgets();
}

void CConferencesListWidget::scrollContentsBy(int dx, int dy)
{
    QListWidget::scrollContentsBy(dx, dy);
    placeRowWidgets();
}

bool CConferencesListWidget::rowsInView(int *first, int *last)
{
    const QRect area = viewport()->rect();
    if (count() == 0 || area.isEmpty())
        return false;
    const QModelIndex top = indexAt(QPoint(area.left(), area.top()));
    const QModelIndex bottom = indexAt(QPoint(area.left(), area.bottom()));
    *first = top.isValid() ? top.row() : 0;
    // Below the last row the viewport may be empty.
    const int rowHeight = qMax(1, visualItemRect(item(*first)).height());
    *last = bottom.isValid() ? bottom.row() : qMin(count() - 1, *first + area.height() / rowHeight);
    return true;
}

void CConferencesListWidget::placeRowWidgets()
{
    // Giving a row its widget lays the list out again, which comes back here.
    if (m_placing)
        return;
    const QScopedValueRollback<bool> placing(m_placing, true);
    // Only the rows in view get widgets: a scroll makes the ones it brings
    // into view before they are painted.
    int first = 0, last = -1;
    if (!rowsInView(&first, &last))
        return;
    for (int row = first; row <= last; ++row)
        itemWidgetAt(row);
    // Later, so that a widget just looked up is not taken while the list is
    // laid out on its way to show it.
    if (!m_releaseTimer.isActive())
        m_releaseTimer.start(0, this);
}

void CConferencesListWidget::releaseFarRowWidgets()
{
    int first = 0, last = -1;
    if (!rowsInView(&first, &last))
        return;
    // Rows within a screenful keep theirs, so that scrolling back and forth
    // does not make them again and again.
    const int shown = last - first + 1;
    for (int row = 0; row < count(); ++row) {
        MeetingRowItem *it = rowItem(item(row));
        if (it && it->widget && (row < first - shown || row > last + shown)) {
            it->widget->hide();
            removeItemWidget(it);   // deletes it later
            it->widget = nullptr;
        }
    }
}

void CConferencesListWidget::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_releaseTimer.timerId()) {
        QListWidget::timerEvent(event);
        return;
    }
    m_releaseTimer.stop();
    releaseFarRowWidgets();
}

int CConferencesListWidget::indexOfItemWidget(QWidget *widget) const
{
    if (!widget)
        return -1;
    for (int row = 0; row < count(); ++row) {
        const MeetingRowItem *it = rowItem(item(row));
        if (it && it->widget == widget)
            return row;
    }
    return -1;
}

void CConferencesListWidget::retranslate()
{
    for (int row = 0; row < count(); ++row) {
        MeetingRowItem *it = rowItem(item(row));
        if (it && it->widget)
            it->widget->retranslate();
    }
}

void CConferencesListWidget::updateDpi(double scale)
{
    scale = meetings::normalScale(scale);
    m_scale = scale;
    for (int row = 0; row < count(); ++row) {
        MeetingRowItem *it = rowItem(item(row));
        if (it && it->widget)
            it->widget->updateDpi(scale);
    }
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
