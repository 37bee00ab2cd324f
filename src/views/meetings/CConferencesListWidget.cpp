#include "views/meetings/CConferencesListWidget.h"

#include "views/meetings/CConferenceItemWidget.h"
#include "views/meetings/MeetingsScale.h"

CConferencesListWidget::CConferencesListWidget(QWidget *parent)
    : QListWidget(parent)
{
}

void CConferencesListWidget::addItem(const conferenceItemData &data)
{
    auto *item = new QListWidgetItem;
    auto *widget = new CConferenceItemWidget;
    widget->initUI();
    widget->updateDpi(m_scale);
    widget->setData(data);
    QListWidget::addItem(item);
    setItemWidget(item, widget);
    connect(widget, &CConferenceItemWidget::signal_MeetingDetail_clicked, this,
            &CConferencesListWidget::slot_MeetingDetail_clicked);
    connect(widget, &CConferenceItemWidget::signal_Join_clicked, this, &CConferencesListWidget::slot_Join_clicked);
    connect(widget, &CConferenceItemWidget::signal_Delete_clicked, this,
            &CConferencesListWidget::slot_Delete_clicked);
    connect(widget, &CConferenceItemWidget::signal_Edit_clicked, this, &CConferencesListWidget::slot_Edit_clicked);
    connect(widget, &CConferenceItemWidget::signal_DeleteEdit_clicked, this,
            &CConferencesListWidget::slot_DeleteEdit_clicked);
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
