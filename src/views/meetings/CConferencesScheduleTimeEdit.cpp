#include "views/meetings/CConferencesScheduleTimeEdit.h"

#include "views/meetings/ScheduleFieldIcon.h"

CConferencesScheduleTimeEdit::CConferencesScheduleTimeEdit(QWidget *parent)
    : QTimeEdit(parent)
{
    m_pIcon = meetings::addFieldIcon(this);
    updateDpi(1);
}

void CConferencesScheduleTimeEdit::updateDpi(double scale)
{
    m_pIcon->setStyleSheet(meetings::fieldIconStyle("icon_time", scale));
}
