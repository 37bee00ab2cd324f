#include "views/meetings/CConferencesMyroomPage.h"

#include "views/meetings/MeetingsPageHeader.h"
#include "views/meetings/MeetingsScale.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QStyleOption>
#include <QToolButton>
#include <QVBoxLayout>

CConferencesMyroomPage::CConferencesMyroomPage(QWidget *parent)
    : CBaseWgt(parent)
{
    setupUi();
    connect(back_Btn, &QToolButton::clicked, this, &CConferencesMyroomPage::signal_back_clicked);
    connect(pBtn_confjoin, &QPushButton::clicked, this, &CConferencesMyroomPage::slot_ConfJoin_clicked);
    retranslate();
}

void CConferencesMyroomPage::setupUi()
{
    setObjectName(QStringLiteral("CConferencesMyroomPage"));
    resize(680, 520);

    auto *verticalLayout = new QVBoxLayout(this);
    verticalLayout->setObjectName(QStringLiteral("verticalLayout"));
    verticalLayout->setSpacing(10);
    verticalLayout->setContentsMargins(10, 10, 10, 10);

    verticalLayout->addLayout(meetings::createBackTitleBar(this, back_Btn, label));

    auto *scrollArea = new QScrollArea(this);
    scrollArea->setObjectName(QStringLiteral("scrollArea"));
    scrollArea->setWidgetResizable(true);
    scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto *contents = new QWidget;
    contents->setObjectName(QStringLiteral("scrollAreaWidgetContents"));
    contents->setGeometry(0, 0, 658, 458);
    auto *contentsLayout = new QHBoxLayout(contents);
    contentsLayout->setSpacing(0);
    contentsLayout->setContentsMargins(0, 0, 0, 0);
    auto *widget = new QWidget(contents);
    widget->setObjectName(QStringLiteral("widget"));
    widget->setFixedWidth(650);
    contentsLayout->addWidget(widget);
    contentsLayout->addStretch();

    auto *row = new QHBoxLayout(widget);
    row->setSpacing(0);
    row->setContentsMargins(0, 0, 0, 0);
    row->addSpacerItem(new QSpacerItem(280, 20, QSizePolicy::Fixed, QSizePolicy::Minimum));
    auto *column = new QVBoxLayout;
    column->setSpacing(20);
    column->addSpacerItem(new QSpacerItem(20, 120, QSizePolicy::Minimum, QSizePolicy::Fixed));
    label_meetingid = new QLabel(widget);
    label_meetingid->setObjectName(QStringLiteral("label_meetingid"));
    label_meetingid->setFixedSize(220, 30);
    label_meetingid->setAlignment(Qt::AlignCenter);
    column->addWidget(label_meetingid);
    label_meetingid_value = new QLabel(widget);
    label_meetingid_value->setObjectName(QStringLiteral("label_meetingid_value"));
    label_meetingid_value->setFixedSize(220, 30);
    label_meetingid_value->setAlignment(Qt::AlignCenter);
    column->addWidget(label_meetingid_value);
    pBtn_confjoin = new QPushButton(widget);
    pBtn_confjoin->setObjectName(QStringLiteral("pBtn_confjoin"));
    pBtn_confjoin->setFixedSize(220, 34);
    pBtn_confjoin->setCursor(Qt::PointingHandCursor);
    column->addWidget(pBtn_confjoin);
    column->addStretch();
    row->addLayout(column);
    row->addStretch();

    scrollArea->setWidget(contents);
    verticalLayout->addWidget(scrollArea);
}

void CConferencesMyroomPage::setRoomNumber(const QString &roomNumber)
{
    m_roomNumber = roomNumber.trimmed();
    label_meetingid_value->setText(m_roomNumber);
    pBtn_confjoin->setVisible(!m_roomNumber.isEmpty());
}

void CConferencesMyroomPage::retranslate()
{
    back_Btn->setText(tr("Back"));
    label->setText(tr("My room"));
    label_meetingid->setText(tr("Meeting ID"));
    pBtn_confjoin->setText(tr("Join"));
}

void CConferencesMyroomPage::updateDpi(double scale)
{
    fStretchFactor = meetings::normalScale(scale);
    setStyleSheet(QString());
    setStyleSheets(QStringLiteral(":/resources/qss/conferences-myroom-page"));
    static const QSize iconSizes[] = {QSize(6, 10), QSize(10, 16), QSize(12, 20)};
    back_Btn->setIcon(QIcon(QStringLiteral(":/resources/images/conferences/icon_back%1.png")
                                .arg(meetings::imageSuffix(fStretchFactor))));
    back_Btn->setIconSize(iconSizes[meetings::sizeSet(fStretchFactor)]);
}

void CConferencesMyroomPage::slot_ConfJoin_clicked()
{
    if (!m_roomNumber.isEmpty())
        emit signal_ConfJoin_clicked(m_roomNumber);
}

void CConferencesMyroomPage::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
}
