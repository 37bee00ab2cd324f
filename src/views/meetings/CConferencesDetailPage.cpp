#include "views/meetings/CConferencesDetailPage.h"

#include "views/meetings/MeetingsPageHeader.h"
#include "views/meetings/CConferencestableview.h"
#include "views/meetings/ConferenceType.h"
#include "views/meetings/MeetingsScale.h"

#include <QDateTime>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QStyleOption>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const char *const kStartFormat = "yyyy/MM/dd hh:mm";

QToolButton *makeActionButton(QWidget *parent, const char *name)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setFixedSize(70, 70);
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

} // namespace

CConferencesDetailPage::CConferencesDetailPage(QWidget *parent)
    : CBaseWgt(parent)
{
    setupUi();
    tableView->init();
    tableView->setReadOnly();

    connect(back_Btn, &QToolButton::clicked, this, &CConferencesDetailPage::signal_back_clicked);
    connect(tBtn_edit, &QToolButton::clicked, this, &CConferencesDetailPage::slot_Edit_clicked);
    connect(tBtn_callnow, &QToolButton::clicked, this, &CConferencesDetailPage::slot_CallNow_clicked);
    connect(tBtn_editdelete, &QToolButton::clicked, this, &CConferencesDetailPage::slot_DeleteEdit_clicked);
    connect(tBtn_confjoin, &QToolButton::clicked, this, &CConferencesDetailPage::slot_ConfJoin_clicked);
    connect(tBtn_delete, &QToolButton::clicked, this, &CConferencesDetailPage::slot_Delete_clicked);
    retranslate();
}

void CConferencesDetailPage::setupUi()
{
    setObjectName(QStringLiteral("CConferencesDetailPage"));
    resize(680, 520);

    auto *verticalLayout = new QVBoxLayout(this);
    verticalLayout->setObjectName(QStringLiteral("verticalLayout"));
    verticalLayout->setSpacing(10);
    verticalLayout->setContentsMargins(10, 10, 10, 10);

    verticalLayout->addLayout(meetings::createBackTitleBar(this, back_Btn, label));

    auto *scrollArea = new QScrollArea(this);
    scrollArea->setObjectName(QStringLiteral("scrollArea"));
    scrollArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollArea->setWidgetResizable(true);
    auto *contents = new QWidget;
    contents->setObjectName(QStringLiteral("scrollAreaWidgetContents"));
    contents->setGeometry(0, 0, 650, 462);
    auto *horizontalLayout_2 = new QHBoxLayout(contents);
    horizontalLayout_2->setObjectName(QStringLiteral("horizontalLayout_2"));
    horizontalLayout_2->setSpacing(0);
    horizontalLayout_2->setContentsMargins(0, 0, 0, 0);
    auto *widget = new QWidget(contents);
    widget->setObjectName(QStringLiteral("widget"));
    widget->setFixedWidth(650);
    horizontalLayout_2->addWidget(widget);

    auto *horizontalLayout_11 = new QHBoxLayout(widget);
    horizontalLayout_11->setObjectName(QStringLiteral("horizontalLayout_11"));
    horizontalLayout_11->setSpacing(0);
    horizontalLayout_11->setContentsMargins(0, 20, 0, 0);
    horizontalLayout_11->addSpacerItem(new QSpacerItem(36, 20, QSizePolicy::Fixed, QSizePolicy::Minimum));
    auto *verticalLayout_2 = new QVBoxLayout;
    verticalLayout_2->setObjectName(QStringLiteral("verticalLayout_2"));
    verticalLayout_2->setSpacing(10);
    horizontalLayout_11->addLayout(verticalLayout_2);
    horizontalLayout_11->addSpacerItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));

    auto addRow = [&](const char *captionName, QLabel **caption, QWidget *value) {
        *caption = new QLabel(widget);
        (*caption)->setObjectName(QLatin1String(captionName));
        (*caption)->setFixedSize(110, 30);
        (*caption)->setAlignment(Qt::AlignRight | Qt::AlignTrailing | Qt::AlignVCenter);
        auto *row = new QHBoxLayout;
        row->setSpacing(0);
        row->addWidget(*caption, 0, Qt::AlignTop);
        row->addSpacerItem(new QSpacerItem(30, 20, QSizePolicy::Fixed, QSizePolicy::Minimum));
        row->addWidget(value);
        verticalLayout_2->addLayout(row);
    };
    auto makeValue = [&](const char *name, bool wrap) {
        auto *value = new QLabel(widget);
        value->setObjectName(QLatin1String(name));
        value->setFixedWidth(422);
        if (wrap) {
            value->setMinimumHeight(30);
            value->setWordWrap(true);
        } else {
            value->setFixedHeight(30);
        }
        value->setTextFormat(Qt::PlainText);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        return value;
    };
    label_meetingtitle_value = makeValue("label_meetingtitle_value", true);
    addRow("label_meetingtitle", &label_meetingtitle, label_meetingtitle_value);
    label_starttime_value = makeValue("label_starttime_value", false);
    addRow("label_starttime", &label_starttime, label_starttime_value);
    label_duration_value = makeValue("label_duration_value", false);
    addRow("label_duration", &label_duration, label_duration_value);
    label_meetingid_value = makeValue("label_meetingid_value", false);
    addRow("label_meetingid", &label_meetingid, label_meetingid_value);
    label_password_value = makeValue("label_password_value", false);
    addRow("label_password", &label_password, label_password_value);
    label_description_value = makeValue("label_description_value", true);
    addRow("label_description", &label_description, label_description_value);
    tableView = new CConferencestableview(widget);
    tableView->setObjectName(QStringLiteral("tableView"));
    tableView->setFixedSize(422, 94);
    addRow("label_participaints", &label_participaints, tableView);

    auto *horizontalLayout_9 = new QHBoxLayout;
    horizontalLayout_9->setObjectName(QStringLiteral("horizontalLayout_9"));
    horizontalLayout_9->setSpacing(0);
    horizontalLayout_9->addSpacerItem(new QSpacerItem(140, 20, QSizePolicy::Fixed, QSizePolicy::Minimum));

    widget_schedule = new QWidget(widget);
    widget_schedule->setObjectName(QStringLiteral("widget_schedule"));
    auto *scheduleLayout = new QHBoxLayout(widget_schedule);
    scheduleLayout->setSpacing(0);
    scheduleLayout->setContentsMargins(0, 0, 0, 0);
    tBtn_edit = makeActionButton(widget_schedule, "tBtn_edit");
    tBtn_callnow = makeActionButton(widget_schedule, "tBtn_callnow");
    tBtn_editdelete = makeActionButton(widget_schedule, "tBtn_editdelete");
    scheduleLayout->addWidget(tBtn_edit);
    scheduleLayout->addSpacerItem(new QSpacerItem(15, 20, QSizePolicy::Fixed, QSizePolicy::Minimum));
    scheduleLayout->addWidget(tBtn_callnow);
    scheduleLayout->addSpacerItem(new QSpacerItem(15, 20, QSizePolicy::Fixed, QSizePolicy::Minimum));
    scheduleLayout->addWidget(tBtn_editdelete);
    horizontalLayout_9->addWidget(widget_schedule);

    widget_ongoing = new QWidget(widget);
    widget_ongoing->setObjectName(QStringLiteral("widget_ongoing"));
    auto *ongoingLayout = new QHBoxLayout(widget_ongoing);
    ongoingLayout->setSpacing(0);
    ongoingLayout->setContentsMargins(0, 0, 0, 0);
    tBtn_confjoin = makeActionButton(widget_ongoing, "tBtn_confjoin");
    tBtn_delete = makeActionButton(widget_ongoing, "tBtn_delete");
    ongoingLayout->addWidget(tBtn_confjoin);
    ongoingLayout->addSpacerItem(new QSpacerItem(15, 20, QSizePolicy::Fixed, QSizePolicy::Minimum));
    ongoingLayout->addWidget(tBtn_delete);
    horizontalLayout_9->addWidget(widget_ongoing);
    horizontalLayout_9->addSpacerItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    verticalLayout_2->addLayout(horizontalLayout_9);
    verticalLayout_2->addSpacerItem(new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding));

    scrollArea->setWidget(contents);
    verticalLayout->addWidget(scrollArea);
}

void CConferencesDetailPage::setType(int type)
{
    m_nType = type;
    switch (type) {
    case Schedule:
        widget_schedule->setVisible(true);
        widget_ongoing->setVisible(false);
        break;
    case Ongoing:
        widget_schedule->setVisible(false);
        widget_ongoing->setVisible(true);
        tBtn_confjoin->setVisible(true);
        tBtn_delete->setVisible(true);
        break;
    case Fixed:
        widget_schedule->setVisible(false);
        widget_ongoing->setVisible(true);
        tBtn_confjoin->setVisible(true);
        tBtn_delete->setVisible(false);
        break;
    default:
        break;
    }
}

void CConferencesDetailPage::setNotOwner(bool notOwner)
{
    m_nNotOwner = notOwner ? 1 : 0;
    if (!notOwner)
        return;
    widget_schedule->setVisible(false);
    if (m_nType != Schedule) {
        widget_ongoing->setVisible(true);
        tBtn_confjoin->setVisible(true);
        tBtn_delete->setVisible(false);
    }
}

void CConferencesDetailPage::setTitle(const QString &title)
{
    label_meetingtitle_value->setText(title);
}

void CConferencesDetailPage::setStartTime(qint64 startTime)
{
    label_starttime_value->setText(
        QDateTime::fromMSecsSinceEpoch(startTime).toString(QLatin1String(kStartFormat)));
}

QString CConferencesDetailPage::durationText(qint64 duration)
{
    if (duration < 0)
        return QString();
    const qint64 minutes = duration / 60000;
    return QStringLiteral("%1:%2")
        .arg(minutes / 60, 2, 10, QLatin1Char('0'))
        .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

void CConferencesDetailPage::setDuration(int duration)
{
    label_duration_value->setText(durationText(duration));
}

void CConferencesDetailPage::setMeetingId(int meetingId)
{
    label_meetingid_value->setText(QString::number(meetingId));
}

void CConferencesDetailPage::setPassword(const QString &password)
{
    label_password_value->setText(password);
}

void CConferencesDetailPage::setDescription(const QString &description)
{
    label_description_value->setText(description);
    label_description_value->adjustSize();
}

void CConferencesDetailPage::setParticipants(const QList<int> &userIds)
{
    tableView->setParticipants(userIds);
}

void CConferencesDetailPage::setConferenceId(int id)
{
    m_nId = id;
}

void CConferencesDetailPage::retranslate()
{
    back_Btn->setText(tr("Back"));
    label->setText(tr("Meeting detail"));
    label_meetingtitle->setText(tr("Meeting Title"));
    label_starttime->setText(tr("Start Time"));
    label_duration->setText(tr("Duration"));
    label_meetingid->setText(tr("Meeting ID"));
    label_password->setText(tr("Password"));
    label_description->setText(tr("Description"));
    label_participaints->setText(tr("Participaints"));
    tBtn_edit->setText(tr("Edit"));
    tBtn_callnow->setText(tr("Immediate"));
    tBtn_editdelete->setText(tr("Delete"));
    tBtn_confjoin->setText(tr("Join"));
    tBtn_delete->setText(tr("End"));
}

void CConferencesDetailPage::updateDpi(double scale)
{
    fStretchFactor = meetings::normalScale(scale);
    setStyleSheet(QString());
    setStyleSheets(QStringLiteral(":/resources/qss/conferences-detail-page"));

    const int set = meetings::sizeSet(fStretchFactor);
    const QString suffix = meetings::imageSuffix(fStretchFactor);
    static const QSize backSizes[] = {QSize(6, 10), QSize(10, 16), QSize(12, 20)};
    static const QSize actionSizes[] = {QSize(44, 44), QSize(66, 66), QSize(88, 88)};
    const QString path = QStringLiteral(":/resources/images/conferences/%1%2.png");

    back_Btn->setIcon(QIcon(path.arg(QLatin1String("icon_back"), suffix)));
    back_Btn->setIconSize(backSizes[set]);
    const struct {
        QToolButton *button;
        const char *image;
    } actions[] = {{tBtn_edit, "icon_edit"},
                   {tBtn_callnow, "icon_immediate"},
                   {tBtn_editdelete, "icon_delete"},
                   {tBtn_confjoin, "icon_join"},
                   {tBtn_delete, "icon_end"}};
    for (const auto &a : actions) {
        a.button->setIcon(QIcon(path.arg(QLatin1String(a.image), suffix)));
        a.button->setIconSize(actionSizes[set]);
    }
    tableView->updateDpi(fStretchFactor);
}

void CConferencesDetailPage::slot_Edit_clicked()
{
    emit signal_Edit_clicked(m_nId);
}

void CConferencesDetailPage::slot_CallNow_clicked()
{
    emit signal_CallNow_clicked(m_nId);
}

void CConferencesDetailPage::slot_DeleteEdit_clicked()
{
    emit signal_DeleteEdit_clicked(m_nId);
}

void CConferencesDetailPage::slot_ConfJoin_clicked()
{
    emit signal_ConfJoin_clicked(m_nId);
}

void CConferencesDetailPage::slot_Delete_clicked()
{
    emit signal_Delete_clicked(m_nId);
}

void CConferencesDetailPage::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
}
