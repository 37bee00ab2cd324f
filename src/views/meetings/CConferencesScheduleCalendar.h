#pragma once

#include <QCalendarWidget>

// The calendar popup of the schedule form's date field: grid lines, weeks
// from Sunday, short day names, no week numbers; month and year are changed
// with the arrows only. Its locale follows the interface language.
class CConferencesScheduleCalendar : public QCalendarWidget
{
    Q_OBJECT
public:
    explicit CConferencesScheduleCalendar(QWidget *parent = nullptr);

    // Chinese for the Chinese interface, English otherwise.
    void updateLocale();
};
