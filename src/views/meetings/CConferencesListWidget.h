#pragma once

#include "views/meetings/ConferenceType.h"

#include <QListWidget>

class CConferenceItemWidget;

// The meeting list of the main page: one row widget per meeting, in the order
// of the server's list, so that a row number is a position in that list.
class CConferencesListWidget : public QListWidget
{
    Q_OBJECT
public:
    explicit CConferencesListWidget(QWidget *parent = nullptr);

    void addItem(const conferenceItemData &data);
    // Replaces every row, in the given order.
    void setItems(const QList<conferenceItemData> &items);
    // The row whose item widget is `widget`; -1 for null or an unknown widget.
    int indexOfItemWidget(QWidget *widget) const;
    CConferenceItemWidget *itemWidgetAt(int row) const;
    void retranslate();
    void updateDpi(double scale);
    double scale() const { return m_scale; }

signals:
    void signal_MeetingDetail_clicked(int row);
    void signal_Join_clicked(int row);
    void signal_Delete_clicked(int row);
    void signal_Edit_clicked(int row);
    void signal_DeleteEdit_clicked(int row);

public slots:
    void slot_MeetingDetail_clicked();
    void slot_Join_clicked();
    void slot_Delete_clicked();
    void slot_Edit_clicked();
    void slot_DeleteEdit_clicked();

private:
    CConferenceItemWidget *createRowWidget(const conferenceItemData &data);
    // Brings the rows to `items` by small changes; false when it is better
    // built afresh (nothing is changed then).
    bool updateInPlace(const QList<conferenceItemData> &items);
    void emitForSender(void (CConferencesListWidget::*signal)(int));

    double m_scale = 1.0;
};
