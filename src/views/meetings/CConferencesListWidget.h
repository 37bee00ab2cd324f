#pragma once

#include "views/meetings/ConferenceType.h"

#include <QBasicTimer>
#include <QListWidget>

class CConferenceItemWidget;

// The meeting list of the main page, one row per meeting in the order of the
// server's list, so that a row number is a position in that list. Every row
// holds its meeting; a row gets its widget when it comes into view and gives
// it up once it is more than a screenful out of view, so a list of hundreds
// of meetings costs about what a screenful does.
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
    // The row's widget, made now if the row has none; null for a row that does
    // not exist. The widget of a row far out of view is given up the next
    // time events are handled: look it up again rather than keep it.
    CConferenceItemWidget *itemWidgetAt(int row);
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

protected:
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;
    void timerEvent(QTimerEvent *event) override;

private:
    // The meeting of a row; null for a row that does not exist.
    const conferenceItemData *dataAt(int row) const;
    CConferenceItemWidget *createRowWidget(const conferenceItemData &data);
    // The rows in view, first and last; false when there are none.
    bool rowsInView(int *first, int *last);
    // Gives the rows in view their widgets.
    void placeRowWidgets();
    // Takes the widgets of the rows far from the viewport.
    void releaseFarRowWidgets();
    // Brings the rows to `items` by small changes; false when it is better
    // built afresh (nothing is changed then).
    bool updateInPlace(const QList<conferenceItemData> &items);
    void setRowData(int row, const conferenceItemData &data);
    void emitForSender(void (CConferencesListWidget::*signal)(int));

    double m_scale = 1.0;
    bool m_placing = false;
    QBasicTimer m_releaseTimer;
};
