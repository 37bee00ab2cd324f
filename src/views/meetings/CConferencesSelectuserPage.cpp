#include "views/meetings/CConferencesSelectuserPage.h"

#include "views/meetings/CContactsWidget.h"
#include "views/meetings/MeetingsPageHeader.h"
#include "views/meetings/MeetingsScale.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyleOption>
#include <QToolButton>
#include <QVBoxLayout>

CConferencesSelectuserPage::CConferencesSelectuserPage(QWidget *parent)
    : CBaseWgt(parent)
{
    setupUi();
    widget->setSelectMode();
    connect(back_Btn, &QToolButton::clicked, this, &CConferencesSelectuserPage::signal_back_clicked);
    connect(pBtn_ok, &QPushButton::clicked, this, &CConferencesSelectuserPage::signal_ok_clicked);
    retranslate();
}

void CConferencesSelectuserPage::setupUi()
{
    setObjectName(QStringLiteral("CConferencesSelectuserPage"));
    resize(680, 520);
    auto *verticalLayout = new QVBoxLayout(this);
    verticalLayout->setObjectName(QStringLiteral("verticalLayout"));
    verticalLayout->setSpacing(10);
    verticalLayout->setContentsMargins(10, 10, 10, 0);
    verticalLayout->addLayout(meetings::createBackTitleBar(this, back_Btn, label));

    widget_main = new QWidget(this);
    widget_main->setObjectName(QStringLiteral("widget_main"));
    auto *mainLayout = new QVBoxLayout(widget_main);
    mainLayout->setSpacing(10);
    mainLayout->setContentsMargins(0, 0, 0, 10);
    widget = new rj_app::views::CContactsWidget(widget_main);
    widget->setParent(widget_main);
    widget->setObjectName(QStringLiteral("widget"));
    widget->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    mainLayout->addWidget(widget);
    auto *okRow = new QHBoxLayout;
    okRow->setContentsMargins(0, 0, 10, 0);
    okRow->addStretch();
    pBtn_ok = new QPushButton(widget_main);
    pBtn_ok->setObjectName(QStringLiteral("pBtn_ok"));
    pBtn_ok->setFixedSize(100, 28);
    pBtn_ok->setCursor(Qt::PointingHandCursor);
    okRow->addWidget(pBtn_ok);
    mainLayout->addLayout(okRow);
    verticalLayout->addWidget(widget_main);
}

QList<int> CConferencesSelectuserPage::getSelectedUsers() const
{
    return widget->getSelectedUsers();
}

void CConferencesSelectuserPage::setSelectedUsers(const QList<int> &ids)
{
    widget->setSelectedUsers(ids);
}

void CConferencesSelectuserPage::refreshForSelect()
{
    widget->refreshForSelect();
}

void CConferencesSelectuserPage::retranslate()
{
    back_Btn->setText(tr("Back"));
    pBtn_ok->setText(tr("Ok"));
}

void CConferencesSelectuserPage::updateDpi(double scale)
{
    fStretchFactor = meetings::normalScale(scale);
    setStyleSheet(QString());
    setStyleSheets(QStringLiteral(":/resources/qss/conferences-selectuser-page"));
    static const QSize iconSizes[] = {QSize(6, 10), QSize(10, 16), QSize(12, 20)};
    back_Btn->setIcon(QIcon(QStringLiteral(":/resources/images/conferences/icon_back%1.png")
                                .arg(meetings::imageSuffix(fStretchFactor))));
    back_Btn->setIconSize(iconSizes[meetings::sizeSet(fStretchFactor)]);
    widget->updateDpi(fStretchFactor);
}

void CConferencesSelectuserPage::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
}
