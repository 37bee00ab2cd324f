#include "views/meetings/CConferencesSchedulePage.h"

#include "views/meetings/MeetingsPageHeader.h"
#include "helpers/CGeneralUtils.h"
#include "views/framework/AlertDlg.h"
#include "views/framework/CScaleRule.h"
#include "views/meetings/CConferencesScheduleCalendar.h"
#include "views/meetings/CConferencesScheduleDataEdit.h"
#include "views/meetings/CConferencesScheduleTimeEdit.h"
#include "views/meetings/CConferencestableview.h"
#include "views/meetings/MeetingsScale.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegExpValidator>
#include <QScopedValueRollback>
#include <QScrollArea>
#include <QStyleOption>
#include <QToolButton>
#include <QVBoxLayout>

using rj_app::views::AlertDlg;

namespace {

const char *const kPasswordRule = "^[0-9]{0,12}$";
constexpr qint64 kDayMs = 24LL * 3600 * 1000;

} // namespace

CConferencesSchedulePage::CConferencesSchedulePage(QWidget *parent)
    : CBaseWgt(parent)
    , m_clock([] { return QDateTime::currentDateTime(); })
{
    m_pCalendar = new CConferencesScheduleCalendar(nullptr);
    setupUi();
    dateEdit->setCalendarPopup(true);
    dateEdit->setCalendarWidget(m_pCalendar);
    tableView->init();

    lineEdit_password->setValidator(
        new QRegExpValidator(QRegExp(QLatin1String(kPasswordRule), Qt::CaseSensitive, QRegExp::RegExp),
                             lineEdit_password));

    connect(back_Btn, &QToolButton::clicked, this, &CConferencesSchedulePage::signal_back_clicked);
    connect(pBtn_schedule, &QPushButton::clicked, this, &CConferencesSchedulePage::slot_schedule_pressed);
    connect(tableView, &CConferencestableview::signal_addusers, this, &CConferencesSchedulePage::slot_addusers);
    QMetaObject::connectSlotsByName(this);
    retranslate();
    m_layoutScaler.init(680, 520, this);
}

CConferencesSchedulePage::~CConferencesSchedulePage()
{
    // The date field owns the popup once it has shown it; before that it is ours.
    if (m_pCalendar && !m_pCalendar->parent())
        delete m_pCalendar;
}

void CConferencesSchedulePage::setupUi()
{
    setObjectName(QStringLiteral("CConferencesSchedulePage"));
    resize(680, 520);

    auto *verticalLayout = new QVBoxLayout(this);
    verticalLayout->setSpacing(10);
    verticalLayout->setContentsMargins(10, 10, 10, 10);

    verticalLayout->addLayout(meetings::createBackTitleBar(this, back_Btn, label));

    auto *scrollArea = new QScrollArea(this);
    scrollArea->setObjectName(QStringLiteral("scrollArea"));
    scrollArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollArea->setWidgetResizable(true);
    auto *contents = new QWidget;
    contents->setObjectName(QStringLiteral("scrollAreaWidgetContents"));
    auto *contentsLayout = new QHBoxLayout(contents);
    contentsLayout->setSpacing(0);
    contentsLayout->setContentsMargins(0, 0, 0, 0);
    auto *widget = new QWidget(contents);
    widget->setObjectName(QStringLiteral("widget"));
    widget->setFixedWidth(650);
    contentsLayout->addWidget(widget);

    auto *rows = new QVBoxLayout(widget);
    rows->setSpacing(10);
    rows->setContentsMargins(0, 30, 0, 0);

    auto caption = [&](QWidget *owner, const char *name) {
        auto *l = new QLabel(owner);
        l->setObjectName(QLatin1String(name));
        l->setFixedSize(110, 30);
        l->setAlignment(Qt::AlignRight | Qt::AlignTrailing | Qt::AlignVCenter);
        return l;
    };
    auto gap = [](QHBoxLayout *row, int width) {
        row->addSpacerItem(new QSpacerItem(width, 20, QSizePolicy::Fixed, QSizePolicy::Minimum));
    };
    auto newRow = [&](QLabel *captionLabel) {
        auto *row = new QHBoxLayout;
        row->setSpacing(0);
        row->addWidget(captionLabel, 0, Qt::AlignTop);
        gap(row, 30);
        return row;
    };
    auto endRow = [&](QHBoxLayout *row) {
        row->addStretch();
        rows->addLayout(row);
    };

    label_meetingtitle = caption(widget, "label_meetingtitle");
    auto *row = newRow(label_meetingtitle);
    lineEdit_meetingtitle = new QLineEdit(widget);
    lineEdit_meetingtitle->setObjectName(QStringLiteral("lineEdit_meetingtitle"));
    lineEdit_meetingtitle->setFixedSize(422, 30);
    row->addWidget(lineEdit_meetingtitle);
    endRow(row);

    label_starttime = caption(widget, "label_starttime");
    row = newRow(label_starttime);
    dateEdit = new CConferencesScheduleDataEdit(widget);
    dateEdit->setObjectName(QStringLiteral("dateEdit"));
    dateEdit->setFixedSize(160, 30);
    row->addWidget(dateEdit);
    gap(row, 10);
    timeEdit = new CConferencesScheduleTimeEdit(widget);
    timeEdit->setObjectName(QStringLiteral("timeEdit"));
    timeEdit->setFixedSize(160, 30);
    row->addWidget(timeEdit);
    gap(row, 10);
    checkBox_now = new QCheckBox(widget);
    checkBox_now->setObjectName(QStringLiteral("checkBox_now"));
    checkBox_now->setFixedSize(60, 30);
    row->addWidget(checkBox_now);
    endRow(row);

    label_duration = caption(widget, "label_duration");
    row = newRow(label_duration);
    timeEdit_duration = new CConferencesScheduleTimeEdit(widget);
    timeEdit_duration->setObjectName(QStringLiteral("timeEdit_duration"));
    timeEdit_duration->setFixedSize(160, 30);
    row->addWidget(timeEdit_duration);
    gap(row, 262);
    endRow(row);

    widget_meetingid = new QWidget(widget);
    widget_meetingid->setObjectName(QStringLiteral("widget_meetingid"));
    auto *idRow = new QHBoxLayout(widget_meetingid);
    idRow->setSpacing(0);
    idRow->setContentsMargins(0, 0, 0, 0);
    label_meetingid = caption(widget_meetingid, "label_meetingid");
    idRow->addWidget(label_meetingid);
    gap(idRow, 30);
    lineEdit_meetingid = new QLineEdit(widget_meetingid);
    lineEdit_meetingid->setObjectName(QStringLiteral("lineEdit_meetingid"));
    lineEdit_meetingid->setFixedSize(422, 30);
    lineEdit_meetingid->setReadOnly(true);
    idRow->addWidget(lineEdit_meetingid);
    idRow->addStretch();
    rows->addWidget(widget_meetingid);

    label_password = caption(widget, "label_password");
    row = newRow(label_password);
    lineEdit_password = new QLineEdit(widget);
    lineEdit_password->setObjectName(QStringLiteral("lineEdit_password"));
    lineEdit_password->setFixedSize(422, 30);
    row->addWidget(lineEdit_password);
    endRow(row);

    label_description = caption(widget, "label_description");
    row = newRow(label_description);
    plainTextEdit_description = new QPlainTextEdit(widget);
    plainTextEdit_description->setObjectName(QStringLiteral("plainTextEdit_description"));
    plainTextEdit_description->setFixedSize(422, 54);
    plainTextEdit_description->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    row->addWidget(plainTextEdit_description);
    endRow(row);

    label_participaints = caption(widget, "label_participaints");
    row = newRow(label_participaints);
    tableView = new CConferencestableview(widget);
    tableView->setObjectName(QStringLiteral("tableView"));
    tableView->setFixedSize(422, 94);
    row->addWidget(tableView);
    endRow(row);

    row = new QHBoxLayout;
    row->setSpacing(0);
    gap(row, 140);
    pBtn_schedule = new QPushButton(widget);
    pBtn_schedule->setObjectName(QStringLiteral("pBtn_schedule"));
    pBtn_schedule->setFixedSize(100, 28);
    pBtn_schedule->setCursor(Qt::PointingHandCursor);
    row->addWidget(pBtn_schedule);
    endRow(row);
    rows->addStretch();

    scrollArea->setWidget(contents);
    verticalLayout->addWidget(scrollArea);
}

void CConferencesSchedulePage::setClock(Clock clock)
{
    m_clock = clock ? std::move(clock) : Clock([] { return QDateTime::currentDateTime(); });
}

QDateTime CConferencesSchedulePage::now() const
{
    return m_clock().toLocalTime();
}

// ---------------------------------------------------------------- modes

void CConferencesSchedulePage::setMode(int mode)
{
    m_nMode = mode;
    if (mode == NewMeeting) {
        label->setText(tr("Schedule meeting"));
        resetForNew();
    } else if (mode == EditMeeting) {
        label->setText(tr("Edit meeting"));
        widget_meetingid->setVisible(true);
        checkBox_now->setChecked(false);
    }
}

void CConferencesSchedulePage::resetForNew()
{
    // On the instant, not the wall clock, so that a default that falls into a
    // skipped hour lands after it.
    const QDateTime current = now();
    const int r = current.time().minute() % 10;
    const QDateTime start = current.addSecs(60 * (r < 5 ? 5 - r : 10 - r));
    showStart(start);
    dateEdit->setMinimumDate(start.date());

    const QTime hour = QTime::fromString(QStringLiteral("01:00"), timeEdit_duration->displayFormat());
    setDuration(hour.isValid() ? hour.msecsSinceStartOfDay() : 3600000);
    lineEdit_password->clear();
    m_qstrStoredPassword.clear();
    plainTextEdit_description->clear();
    widget_meetingid->setVisible(false);
    checkBox_now->setChecked(false);
}

void CConferencesSchedulePage::showStart(const QDateTime &start)
{
    // A minimum above the new date would move it.
    if (dateEdit->minimumDate() > start.date())
        dateEdit->setMinimumDate(start.date());
    dateEdit->setDate(start.date());
    timeEdit->setTime(start.time());
    m_dtShownStart = start;
}

// ---------------------------------------------------------------- setters

void CConferencesSchedulePage::setTitle(const QString &name)
{
    if (m_nMode == NewMeeting)
        lineEdit_meetingtitle->setText(name + tr("'s meeting"));
    else
        lineEdit_meetingtitle->setText(name);
}

void CConferencesSchedulePage::setStartTime(qint64 startTime)
{
    const QDateTime start = QDateTime::fromMSecsSinceEpoch(startTime).toLocalTime();
    if (start.isValid())
        showStart(start);
    // A past date is raised to today; the time stays.
    dateEdit->setMinimumDate(now().date());
}

void CConferencesSchedulePage::setDuration(int duration)
{
    const bool showable = duration >= 0 && duration < kDayMs;
    const QTime shown = showable ? QTime::fromMSecsSinceStartOfDay(duration)
                                 : (duration < 0 ? QTime(0, 0) : timeEdit_duration->maximumTime());
    timeEdit_duration->setTime(shown);
    m_bKeepDuration = !showable;
    m_nKeptDuration = duration;
    m_tShownDuration = timeEdit_duration->time();
}

void CConferencesSchedulePage::setMeetingId(int meetingId)
{
    lineEdit_meetingid->setText(QString::number(meetingId));
}

void CConferencesSchedulePage::setPassword(const QString &password)
{
    // Shown as stored, also when it predates the digits rule.
    lineEdit_password->setText(password);
    m_qstrStoredPassword = password.trimmed();
}

void CConferencesSchedulePage::setDescription(const QString &description)
{
    plainTextEdit_description->setPlainText(description);
}

void CConferencesSchedulePage::setParticipants(const QList<int> &userIds)
{
    tableView->setParticipants(userIds);
}

void CConferencesSchedulePage::setConferenceId(int id)
{
    m_nConferenceId = id;
}

// ---------------------------------------------------------------- getters

QString CConferencesSchedulePage::getTitle() const
{
    return lineEdit_meetingtitle->text().trimmed();
}

QDateTime CConferencesSchedulePage::resolveLocal(const QDate &date, const QTime &time)
{
    if (!date.isValid() || !time.isValid())
        return QDateTime();
    // The wall time read as UTC, then shifted by each offset in force around
    // it; the ones that show the wall time again are its occurrences.
    const QDateTime asUtc(date, time, Qt::UTC);
    const qint64 wallMs = asUtc.toMSecsSinceEpoch();
    const int offsetBefore = QDateTime::fromMSecsSinceEpoch(wallMs - kDayMs).offsetFromUtc();
    const int offsetAfter = QDateTime::fromMSecsSinceEpoch(wallMs + kDayMs).offsetFromUtc();
    QDateTime first;
    for (int offset : {offsetBefore, offsetAfter}) {
        const QDateTime candidate = QDateTime::fromMSecsSinceEpoch(wallMs - offset * 1000LL);
        if (candidate.date() == date && candidate.time() == time && (!first.isValid() || candidate < first))
            first = candidate;
    }
    if (first.isValid())
        return first;
    // Skipped by a daylight-saving change: read with the offset before it.
    const QDateTime skipped = QDateTime::fromMSecsSinceEpoch(wallMs - offsetBefore * 1000LL);
    return skipped.isValid() ? skipped : QDateTime();
}

qint64 CConferencesSchedulePage::getStartTime() const
{
    const QDate date = dateEdit->date();
    const QTime time = timeEdit->time();
    // The instant last shown, when the fields still show it: an hour shown
    // twice by a daylight-saving change reads back as the one that was set.
    if (m_dtShownStart.isValid() && m_dtShownStart.date() == date && m_dtShownStart.time() == time)
        return m_dtShownStart.toMSecsSinceEpoch();
    const QDateTime start = resolveLocal(date, time);
    return start.isValid() ? start.toMSecsSinceEpoch() : 0;
}

int CConferencesSchedulePage::getDuration() const
{
    const QTime time = timeEdit_duration->time();
    if (m_bKeepDuration && time == m_tShownDuration)
        return m_nKeptDuration;
    return time.isValid() ? time.msecsSinceStartOfDay() : 0;
}

QString CConferencesSchedulePage::getPassword() const
{
    return lineEdit_password->text().trimmed();
}

QString CConferencesSchedulePage::getDescription() const
{
    return plainTextEdit_description->toPlainText().trimmed();
}

QList<int> CConferencesSchedulePage::getParticipants() const
{
    return tableView->getUserIds();
}

int CConferencesSchedulePage::getMeetingId() const
{
    bool ok = false;
    const int id = lineEdit_meetingid->text().trimmed().toInt(&ok, 10);
    return ok ? id : 0;
}

ucmconferenceReqData CConferencesSchedulePage::toRequestData() const
{
    ucmconferenceReqData request;
    request.name = getTitle();
    request.startTime = getStartTime();
    request.duration = getDuration();
    request.confPassword = getPassword();
    request.remarks = getDescription();
    request.userIds = getParticipants();
    if (m_nMode == EditMeeting) {
        request.id = getConferenceId();
        request.numericId = getMeetingId();
    }
    return request;
}

// ---------------------------------------------------------------- checks

bool CConferencesSchedulePage::isPasswordAcceptable(const QString &password)
{
    return QRegExp(QLatin1String(kPasswordRule), Qt::CaseSensitive, QRegExp::RegExp).exactMatch(password);
}

QString CConferencesSchedulePage::validationError() const
{
    const QString password = getPassword();
    if (!isPasswordAcceptable(password) && !(m_nMode == EditMeeting && password == m_qstrStoredPassword))
        return tr("The password may hold only digits, at most 12.");
    if (!resolveLocal(dateEdit->date(), timeEdit->time()).isValid())
        return tr("The start time is not valid.");
    if (m_nMode == NewMeeting && !checkBox_now->isChecked()) {
        QDateTime minute = now();
        minute.setTime(QTime(minute.time().hour(), minute.time().minute()));
        if (getStartTime() < minute.toMSecsSinceEpoch())
            return tr("The start time has passed, please choose a later time.");
    }
    if (getDuration() <= 0)
        return tr("Please set the duration of the meeting.");
    return QString();
}

void CConferencesSchedulePage::slot_schedule_pressed()
{
    // The request waits for the server inside the emit; a second click in
    // that wait must not send the meeting twice.
    if (m_bSubmitting)
        return;
    QScopedValueRollback<bool> guard(m_bSubmitting, true);
    const QString error = validationError();
    if (!error.isEmpty()) {
        AlertDlg::execPrompt(this, tr("Prompt"), error);
        return;
    }
    emit signal_schedule_clicked();
}

// ---------------------------------------------------------------- slots

void CConferencesSchedulePage::slot_addusers()
{
    emit signal_adduser_clicked(tableView->getUserIds());
}

void CConferencesSchedulePage::on_checkBox_now_toggled(bool checked)
{
    if (checked) {
        const QDateTime current = now();
        dateEdit->setMinimumDate(qMin(dateEdit->minimumDate(), current.date()));
        showStart(current);
    }
    dateEdit->setEnabled(!checked);
    timeEdit->setEnabled(!checked);
}

// ---------------------------------------------------------------- look

void CConferencesSchedulePage::retranslate()
{
    back_Btn->setText(tr("Back"));
    label_meetingtitle->setText(tr("Meeting Title"));
    label_starttime->setText(tr("Start Time"));
    label_duration->setText(tr("Duration"));
    label_meetingid->setText(tr("Meeting ID"));
    label_password->setText(tr("Password"));
    label_description->setText(tr("Description"));
    label_participaints->setText(tr("Participaints"));
    checkBox_now->setText(tr("Now"));
    pBtn_schedule->setText(tr("Schedule"));
    dateEdit->setDisplayFormat(tr("yyyy/MM/dd"));
    timeEdit->setDisplayFormat(tr("HH:mm"));
    timeEdit_duration->setDisplayFormat(tr("HH:mm"));
    m_pCalendar->updateLocale();
    label->setText(m_nMode == EditMeeting ? tr("Edit meeting") : tr("Schedule meeting"));
}

void CConferencesSchedulePage::updateDpi(double scale)
{
    fStretchFactor = meetings::normalScale(scale);
    setStyleSheet(QString());
    // Sheets exist for the three scale sets only.
    static const double sheetScales[] = {1.0, 1.5, 2.0};
    rj_app::helpers::CGeneralUtils::setStyle(
        this, rj_app::views::CScaleRule::styleSheetFiles(QStringLiteral(":/resources/qss/conferences-schedule-page"),
                                                         sheetScales[meetings::sizeSet(fStretchFactor)]));
    m_layoutScaler.rescale(fStretchFactor, this, false);
    tableView->updateDpi(fStretchFactor);
    dateEdit->updateDpi(fStretchFactor);
    timeEdit->updateDpi(fStretchFactor);
    timeEdit_duration->updateDpi(fStretchFactor);
    m_pCalendar->setFixedSize(meetings::scaled(300, fStretchFactor), meetings::scaled(250, fStretchFactor));

    static const QSize backSizes[] = {QSize(6, 10), QSize(10, 16), QSize(12, 20)};
    back_Btn->setIcon(QIcon(QStringLiteral(":/resources/images/conferences/icon_back%1.png")
                                .arg(meetings::imageSuffix(fStretchFactor))));
    back_Btn->setIconSize(backSizes[meetings::sizeSet(fStretchFactor)]);
}

void CConferencesSchedulePage::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
}
