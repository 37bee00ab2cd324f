#pragma once

#include <QDateEdit>

class QLabel;

// The schedule form's date field, with a calendar icon 8 pixels from its left edge.
class CConferencesScheduleDataEdit : public QDateEdit
{
    Q_OBJECT
public:
    explicit CConferencesScheduleDataEdit(QWidget *parent = nullptr);

    void updateDpi(double scale);
    QLabel *iconLabel() const { return m_pIcon; }

private:
    QLabel *m_pIcon = nullptr;
};
