#include "views/meetings/CConferencesScheduleCalendar.h"

#include "models/CLinguist.h"

#include <QLocale>
#include <QToolButton>

using rj_app::models::CLinguist;

CConferencesScheduleCalendar::CConferencesScheduleCalendar(QWidget *parent)
    : QCalendarWidget(parent)
{
    setGridVisible(true);
    setFirstDayOfWeek(Qt::Sunday);
    setSelectionMode(QCalendarWidget::SingleSelection);
    setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    setHorizontalHeaderFormat(QCalendarWidget::ShortDayNames);

    if (auto *month = findChild<QToolButton *>(QStringLiteral("qt_calendar_monthbutton"))) {
        month->setToolButtonStyle(Qt::ToolButtonTextOnly);
        month->setContextMenuPolicy(Qt::NoContextMenu);
        month->setEnabled(false);
        month->setStyleSheet(QStringLiteral(
            "QToolButton{color: white; background: transparent;} QToolButton::menu-indicator {image: none;}"));
    }
    if (auto *year = findChild<QToolButton *>(QStringLiteral("qt_calendar_yearbutton"))) {
        year->setEnabled(false);
        year->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    }
    updateLocale();
}

void CConferencesScheduleCalendar::updateLocale()
{
    if (CLinguist::getInstance()->getLanguage() == CLinguist::ZH_CN)
        setLocale(QLocale(QLocale::Chinese, QLocale::China));
    else
        setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
}
