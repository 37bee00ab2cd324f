#pragma once

#include <QTimeEdit>

class QLabel;

// A time field of the schedule form (start time, duration), with a clock icon
// 8 pixels from its left edge.
class CConferencesScheduleTimeEdit : public QTimeEdit
{
    Q_OBJECT
public:
    explicit CConferencesScheduleTimeEdit(QWidget *parent = nullptr);

    void updateDpi(double scale);
    QLabel *iconLabel() const { return m_pIcon; }

private:
    QLabel *m_pIcon = nullptr;
};
