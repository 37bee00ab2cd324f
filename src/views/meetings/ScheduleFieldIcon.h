#pragma once

#include "views/meetings/MeetingsScale.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QWidget>

namespace meetings {

// Puts a 14 x 14 icon label 8 pixels from the left edge of a date or time
// field; clicks go through to the field.
inline QLabel *addFieldIcon(QWidget *field)
{
    auto *layout = new QHBoxLayout(field);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addSpacerItem(new QSpacerItem(8, 10, QSizePolicy::Fixed, QSizePolicy::Fixed));
    auto *icon = new QLabel(field);
    icon->setObjectName(QStringLiteral("label_icon"));
    icon->setFixedSize(14, 14);
    icon->setAttribute(Qt::WA_TransparentForMouseEvents);
    layout->addWidget(icon);
    layout->addStretch();
    return icon;
}

// name: "icon_date" or "icon_time".
inline QString fieldIconStyle(const char *name, double scale)
{
    return QStringLiteral("border-image: url(:/resources/images/conferences/%1%2.png);")
        .arg(QLatin1String(name), imageSuffix(normalScale(scale)));
}

} // namespace meetings
