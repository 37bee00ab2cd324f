#pragma once

#include <QHBoxLayout>
#include <QLabel>
#include <QSpacerItem>
#include <QToolButton>
#include <QWidget>

namespace meetings {

// The bar on top of the details, schedule and room pages: a back button, the
// centred page title, and a spacer as wide as the button so the title stays
// centred. The widgets keep the object names the style sheets select.
inline QHBoxLayout *createBackTitleBar(QWidget *page, QToolButton *&backButton, QLabel *&title)
{
    auto *bar = new QHBoxLayout;
    bar->setObjectName(QStringLiteral("horizontalLayout"));
    bar->setSpacing(0);
    backButton = new QToolButton(page);
    backButton->setObjectName(QStringLiteral("back_Btn"));
    backButton->setFixedSize(100, 28);
    backButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    backButton->setCursor(Qt::PointingHandCursor);
    bar->addWidget(backButton);
    title = new QLabel(page);
    title->setObjectName(QStringLiteral("label"));
    title->setFixedHeight(28);
    title->setAlignment(Qt::AlignCenter);
    bar->addWidget(title, 1);
    bar->addSpacerItem(new QSpacerItem(100, 20, QSizePolicy::Fixed, QSizePolicy::Minimum));
    return bar;
}

} // namespace meetings
