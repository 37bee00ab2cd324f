#include "views/meetings/CConferencesScheduleDataEdit.h"

#include "views/meetings/ScheduleFieldIcon.h"

CConferencesScheduleDataEdit::CConferencesScheduleDataEdit(QWidget *parent)
    : QDateEdit(parent)
{
    m_pIcon = meetings::addFieldIcon(this);
    updateDpi(1);
}

void CConferencesScheduleDataEdit::updateDpi(double scale)
{
    m_pIcon->setStyleSheet(meetings::fieldIconStyle("icon_date", scale));
}
