#include "views/meetings/CConferencesMainPage.h"

#include "views/meetings/CConferencesListWidget.h"
#include "views/meetings/CConferencesToolBtn.h"
#include "views/meetings/ConferenceType.h"
#include "views/meetings/MeetingsScale.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyleOption>
#include <QVBoxLayout>

CConferencesMainPage::CConferencesMainPage(QWidget *parent)
    : CBaseWgt(parent)
{
    setupUi();
    myroom_widget->setType(0);
    schedule_widget->setType(1);
    join_widget->setType(2);
    // The personal room has its row below; the tool bar offers only the two
    // other actions.
    myroom_widget->hide();

    connect(myroom_widget, &CConferencesToolBtn::signal_clicked, this, &CConferencesMainPage::signal_myroom_clicked);
    connect(schedule_widget, &CConferencesToolBtn::signal_clicked, this,
            &CConferencesMainPage::signal_schedule_clicked);
    connect(join_widget, &CConferencesToolBtn::signal_clicked, this, &CConferencesMainPage::signal_join_clicked);
    connect(pBtn_confjoin, &QPushButton::clicked, this, &CConferencesMainPage::slot_ConfJoin_clicked);
    connect(m_pListWidget, &CConferencesListWidget::signal_MeetingDetail_clicked, this,
            &CConferencesMainPage::signal_MeetingDetail_clicked);
    connect(m_pListWidget, &CConferencesListWidget::signal_Join_clicked, this,
            &CConferencesMainPage::signal_Join_clicked);
    connect(m_pListWidget, &CConferencesListWidget::signal_Delete_clicked, this,
            &CConferencesMainPage::signal_Delete_clicked);
    connect(m_pListWidget, &CConferencesListWidget::signal_Edit_clicked, this,
            &CConferencesMainPage::signal_Edit_clicked);
    connect(m_pListWidget, &CConferencesListWidget::signal_DeleteEdit_clicked, this,
            &CConferencesMainPage::signal_DeleteEdit_clicked);
    retranslate();
}

void CConferencesMainPage::setupUi()
{
    setObjectName(QStringLiteral("CConferencesMainPage"));
    resize(680, 520);

    verticalLayout = new QVBoxLayout(this);
    verticalLayout->setObjectName(QStringLiteral("verticalLayout"));
    verticalLayout->setSpacing(0);
    verticalLayout->setContentsMargins(10, 10, 10, 0);

    horizontalLayout = new QHBoxLayout;
    horizontalLayout->setObjectName(QStringLiteral("horizontalLayout"));
    horizontalLayout->setSpacing(10);
    auto makeToolBtn = [this](const char *name) {
        auto *button = new CConferencesToolBtn(this);
        button->setObjectName(QLatin1String(name));
        button->setFixedHeight(80);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        horizontalLayout->addWidget(button, 1);
        return button;
    };
    myroom_widget = makeToolBtn("myroom_widget");
    schedule_widget = makeToolBtn("schedule_widget");
    join_widget = makeToolBtn("join_widget");
    verticalLayout->addLayout(horizontalLayout);
    verticalLayout->addSpacerItem(new QSpacerItem(20, 10, QSizePolicy::Minimum, QSizePolicy::Fixed));

    myroomitem_widget = new QWidget(this);
    myroomitem_widget->setObjectName(QStringLiteral("myroomitem_widget"));
    myroomitem_widget->setFixedHeight(70);
    myroomitem_widget->setAttribute(Qt::WA_StyledBackground);
    auto *horizontalLayout_2 = new QHBoxLayout(myroomitem_widget);
    horizontalLayout_2->setObjectName(QStringLiteral("horizontalLayout_2"));
    horizontalLayout_2->setSpacing(10);
    horizontalLayout_2->setContentsMargins(10, 8, 10, 8);
    myroomicon_label = new QLabel(myroomitem_widget);
    myroomicon_label->setObjectName(QStringLiteral("myroomicon_label"));
    myroomicon_label->setFixedSize(34, 34);
    horizontalLayout_2->addWidget(myroomicon_label);

    auto *verticalLayout_2 = new QVBoxLayout;
    verticalLayout_2->setObjectName(QStringLiteral("verticalLayout_2"));
    verticalLayout_2->setSpacing(2);
    myroomtitle_label = new QLabel(myroomitem_widget);
    myroomtitle_label->setObjectName(QStringLiteral("myroomtitle_label"));
    verticalLayout_2->addWidget(myroomtitle_label);
    auto *horizontalLayout_3 = new QHBoxLayout;
    horizontalLayout_3->setObjectName(QStringLiteral("horizontalLayout_3"));
    horizontalLayout_3->setSpacing(10);
    label_meetingid = new QLabel(myroomitem_widget);
    label_meetingid->setObjectName(QStringLiteral("label_meetingid"));
    label_meetingid->setAlignment(Qt::AlignCenter);
    horizontalLayout_3->addWidget(label_meetingid);
    label_meetingid_value = new QLabel(myroomitem_widget);
    label_meetingid_value->setObjectName(QStringLiteral("label_meetingid_value"));
    label_meetingid_value->setAlignment(Qt::AlignLeading | Qt::AlignLeft | Qt::AlignVCenter);
    horizontalLayout_3->addWidget(label_meetingid_value, 1);
    verticalLayout_2->addLayout(horizontalLayout_3);
    horizontalLayout_2->addLayout(verticalLayout_2, 1);

    pBtn_confjoin = new QPushButton(myroomitem_widget);
    pBtn_confjoin->setObjectName(QStringLiteral("pBtn_confjoin"));
    pBtn_confjoin->setFixedSize(24, 24);
    pBtn_confjoin->setCursor(Qt::PointingHandCursor);
    horizontalLayout_2->addWidget(pBtn_confjoin);
    verticalLayout->addWidget(myroomitem_widget);

    m_pListWidget = new CConferencesListWidget(this);
    m_pListWidget->setObjectName(QStringLiteral("listWidget"));
    m_pListWidget->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_pListWidget->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    verticalLayout->addWidget(m_pListWidget);

    label_listState = new QLabel(this);
    label_listState->setObjectName(QStringLiteral("label_listState"));
    label_listState->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label_listState->setWordWrap(true);
    label_listState->setContentsMargins(0, 20, 0, 0);
    label_listState->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    label_listState->hide();
    verticalLayout->addWidget(label_listState);
}

void CConferencesMainPage::setListLoadFailed(bool failed)
{
    m_pListWidget->setVisible(!failed);
    label_listState->setVisible(failed);
}

bool CConferencesMainPage::isListLoadFailed() const
{
    return !label_listState->isHidden();
}

void CConferencesMainPage::setConferences(const QList<ucmconferenceData> &conferences)
{
    QList<conferenceItemData> rows;
    rows.reserve(conferences.size());
    for (const ucmconferenceData &conference : conferences)
        rows.append(conferenceItemDataOf(conference));
    m_pListWidget->setItems(rows);
}

void CConferencesMainPage::setRoomNumber(const QString &roomNumber)
{
    m_roomNumber = roomNumber.trimmed();
    label_meetingid_value->setText(m_roomNumber);
    // A user without a personal room has nothing to join here; an empty
    // number would open the join dialog on the last number dialled.
    const bool hasRoom = !m_roomNumber.isEmpty();
    label_meetingid->setVisible(hasRoom);
    pBtn_confjoin->setVisible(hasRoom);
}

void CConferencesMainPage::retranslate()
{
    myroomtitle_label->setText(tr("My room"));
    label_meetingid->setText(tr("Meeting ID:"));
    label_listState->setText(tr("The meeting list could not be loaded."));
    myroom_widget->retranslate();
    schedule_widget->retranslate();
    join_widget->retranslate();
    m_pListWidget->retranslate();
}

void CConferencesMainPage::updateDpi(double scale)
{
    fStretchFactor = meetings::normalScale(scale);
    setStyleSheet(QString());
    setStyleSheets(QStringLiteral(":/resources/qss/conferences-main-page"));
    myroom_widget->updateDpi(fStretchFactor);
    schedule_widget->updateDpi(fStretchFactor);
    join_widget->updateDpi(fStretchFactor);
    m_pListWidget->updateDpi(fStretchFactor);
}

void CConferencesMainPage::slot_ConfJoin_clicked()
{
    if (!m_roomNumber.isEmpty())
        emit signal_ConfJoin_clicked(m_roomNumber);
}

void CConferencesMainPage::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
}
