#include "views/meetings/CConferencesWidget.h"

#include "models/CLinguist.h"
#include "models/CLoginManager.h"
#include "models/CUCMApiManager.h"
#include "views/framework/AlertDlg.h"
#include "views/meetings/CConferencesDetailPage.h"
#include "views/meetings/CConferencesMainPage.h"
#include "views/meetings/CConferencesMyroomPage.h"
#include "views/meetings/CConferencesSchedulePage.h"
#include "views/meetings/CConferencesSelectuserPage.h"
#include "views/meetings/ConferenceType.h"
#include "views/meetings/MeetingsScale.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QStackedWidget>

using rj_app::models::CLinguist;
using rj_app::models::CLoginManager;
using rj_app::models::CUCMApiManager;

namespace {
constexpr int kRefreshIntervalMs = 15000;

QString urlPrefix()
{
    return CLoginManager::getInstance()->getUrlPrefix();
}

QString token()
{
    return CLoginManager::getInstance()->getToken();
}

QString roomNumberOfSignedInUser()
{
    return QString::fromStdString(CLoginManager::getInstance()->m_userInfo.vmr);
}
} // namespace

CConferencesErrorPage::CConferencesErrorPage(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("CConferencesErrorPage"));
    resize(680, 520);
    label = new QLabel(tr("Error"), this);
    label->setObjectName(QStringLiteral("label"));
    label->setGeometry(170, 20, 131, 31);
    back_Btn = new QPushButton(tr("Back"), this);
    back_Btn->setObjectName(QStringLiteral("back_Btn"));
    back_Btn->setGeometry(50, 20, 93, 28);
    connect(back_Btn, &QPushButton::clicked, this, &CConferencesErrorPage::signal_back_clicked);
}

namespace rj_app::views {

CConferencesWidget::CConferencesWidget(QWidget *parent)
    : CBaseWgt(parent)
{
    setupUi();
    initPages();
    connect(CLoginManager::getInstance(), &CLoginManager::sigLoginTokenChanged, this,
            &CConferencesWidget::slot_tokenChanged);
    CUCMApiManager *api = CUCMApiManager::getInstance();
    connect(api, &CUCMApiManager::signal_getConferences_succeed, this,
            &CConferencesWidget::slot_getConferences_succeed);
    connect(api, &CUCMApiManager::signal_getConferences_failed, this,
            &CConferencesWidget::slot_getConferences_failed);
    connect(api, &CUCMApiManager::signal_addConference_succeed, this,
            &CConferencesWidget::slot_addConference_succeed);
    connect(api, &CUCMApiManager::signal_putConference_succeed, this,
            &CConferencesWidget::slot_putConference_succeed);
    connect(api, &CUCMApiManager::signal_deleteConference_succeed, this,
            &CConferencesWidget::slot_deleteConference_succeed);
    connect(api, &CUCMApiManager::signal_terminateConference_succeed, this,
            &CConferencesWidget::slot_terminateConference_succeed);
    connect(CLinguist::getInstance(), &CLinguist::sigLanguageChanged, this,
            &CConferencesWidget::slotOnLanguageChanged);
    m_timer.setSingleShot(false);
    m_timer.setInterval(kRefreshIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &CConferencesWidget::slot_updatePage);
}

CConferencesWidget::~CConferencesWidget() = default;

void CConferencesWidget::setupUi()
{
    setObjectName(QStringLiteral("CConferencesWidget"));
    resize(680, 520);
    horizontalLayout = new QHBoxLayout(this);
    horizontalLayout->setObjectName(QStringLiteral("horizontalLayout"));
    horizontalLayout->setSpacing(0);
    horizontalLayout->setContentsMargins(0, 0, 0, 0);
    m_pStack = new QStackedWidget(this);
    m_pStack->setObjectName(QStringLiteral("stackedWidget"));
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("page"));
    m_pStack->addWidget(page);
    auto *page2 = new QWidget;
    page2->setObjectName(QStringLiteral("page_2"));
    m_pStack->addWidget(page2);
    horizontalLayout->addWidget(m_pStack);
}

void CConferencesWidget::initPages()
{
    while (QWidget *current = m_pStack->currentWidget()) {
        m_pStack->removeWidget(current);
        delete current;
    }

    m_pMainPage = new CConferencesMainPage;
    m_pMyroomPage = new CConferencesMyroomPage;
    m_pSchedulePage = new CConferencesSchedulePage;
    m_pDetailPage = new CConferencesDetailPage;
    m_pErrorPage = new CConferencesErrorPage;
    m_pSelectuserPage = new CConferencesSelectuserPage;
    m_pStack->addWidget(m_pMainPage);
    m_pStack->addWidget(m_pMyroomPage);
    m_pStack->addWidget(m_pSchedulePage);
    m_pStack->addWidget(m_pDetailPage);
    m_pStack->addWidget(m_pErrorPage);
    m_pStack->addWidget(m_pSelectuserPage);
    m_pStack->setCurrentWidget(m_pMainPage);

    connect(m_pMainPage, &CConferencesMainPage::signal_myroom_clicked, this, &CConferencesWidget::slot_myroom_clicked);
    connect(m_pMainPage, &CConferencesMainPage::signal_schedule_clicked, this,
            &CConferencesWidget::slot_schedule_clicked);
    connect(m_pMainPage, &CConferencesMainPage::signal_join_clicked, this, &CConferencesWidget::slot_join_clicked);
    connect(m_pMainPage, &CConferencesMainPage::signal_ConfJoin_clicked, this,
            &CConferencesWidget::slot_Myroom_ConfJoin_clicked);
    connect(m_pMainPage, &CConferencesMainPage::signal_MeetingDetail_clicked, this,
            &CConferencesWidget::slot_MeetingDetail_clicked);
    connect(m_pMainPage, &CConferencesMainPage::signal_Join_clicked, this, &CConferencesWidget::slot_Join_clicked);
    connect(m_pMainPage, &CConferencesMainPage::signal_Delete_clicked, this, &CConferencesWidget::slot_Delete_clicked);
    connect(m_pMainPage, &CConferencesMainPage::signal_Edit_clicked, this, &CConferencesWidget::slot_Edit_clicked);
    connect(m_pMainPage, &CConferencesMainPage::signal_DeleteEdit_clicked, this,
            &CConferencesWidget::slot_DeleteEdit_clicked);

    connect(m_pMyroomPage, &CConferencesMyroomPage::signal_back_clicked, this, &CConferencesWidget::slot_back_clicked);
    connect(m_pMyroomPage, &CConferencesMyroomPage::signal_ConfJoin_clicked, this,
            &CConferencesWidget::slot_Myroom_ConfJoin_clicked);

    connect(m_pSchedulePage, &CConferencesSchedulePage::signal_back_clicked, this,
            &CConferencesWidget::slot_back_clicked);
    connect(m_pSchedulePage, &CConferencesSchedulePage::signal_adduser_clicked, this,
            &CConferencesWidget::slot_adduser_clicked);
    connect(m_pSchedulePage, &CConferencesSchedulePage::signal_schedule_clicked, this,
            &CConferencesWidget::slot_addputConference_begin);

    connect(m_pDetailPage, &CConferencesDetailPage::signal_back_clicked, this, &CConferencesWidget::slot_back_clicked);
    connect(m_pDetailPage, &CConferencesDetailPage::signal_Edit_clicked, this,
            &CConferencesWidget::slot_Detail_Edit_clicked);
    connect(m_pDetailPage, &CConferencesDetailPage::signal_CallNow_clicked, this,
            &CConferencesWidget::slot_Detail_CallNow_clicked);
    connect(m_pDetailPage, &CConferencesDetailPage::signal_DeleteEdit_clicked, this,
            &CConferencesWidget::slot_Detail_DeleteEdit_clicked);
    connect(m_pDetailPage, &CConferencesDetailPage::signal_ConfJoin_clicked, this,
            &CConferencesWidget::slot_Detail_ConfJoin_clicked);
    connect(m_pDetailPage, &CConferencesDetailPage::signal_Delete_clicked, this,
            &CConferencesWidget::slot_Detail_Delete_clicked);

    connect(m_pErrorPage, &CConferencesErrorPage::signal_back_clicked, this, &CConferencesWidget::slot_back_clicked);

    connect(m_pSelectuserPage, &CConferencesSelectuserPage::signal_back_clicked, this,
            &CConferencesWidget::slot_backSelectuser_clicked);
    connect(m_pSelectuserPage, &CConferencesSelectuserPage::signal_ok_clicked, this,
            &CConferencesWidget::slot_okSelectuser_clicked);
}

void CConferencesWidget::updateDpi(double scale)
{
    m_dScale = meetings::normalScale(scale);
    fStretchFactor = m_dScale;
    m_pMainPage->updateDpi(m_dScale);
    m_pMyroomPage->updateDpi(m_dScale);
    m_pDetailPage->updateDpi(m_dScale);
    m_pSelectuserPage->updateDpi(m_dScale);
    m_pSchedulePage->updateDpi(m_dScale);
}

void CConferencesWidget::setClock(Clock clock)
{
    m_clock = clock;
    m_pSchedulePage->setClock(std::move(clock));
}

void CConferencesWidget::setRefreshInterval(int ms)
{
    m_timer.setInterval(ms);
}

QDateTime CConferencesWidget::now() const
{
    return m_clock ? m_clock() : QDateTime::currentDateTime();
}

void CConferencesWidget::refresh()
{
    if (m_pStack->currentWidget() != m_pMainPage)
        m_pStack->setCurrentWidget(m_pMainPage);
    requestList();
}

void CConferencesWidget::requestList()
{
    CUCMApiManager::getInstance()->getConferences(urlPrefix(), token());
}

void CConferencesWidget::slot_tokenChanged()
{
    // A renewal happens behind the person's back: the list is asked for
    // again, but the page they are on stays.
    if (CLoginManager::getInstance()->isDeliveringRenewedToken())
        requestList();
    else
        refresh();
    m_pMainPage->setRoomNumber(roomNumberOfSignedInUser());
}

void CConferencesWidget::slot_getConferences_succeed()
{
    CLoginManager::getInstance()->clearTokenRefused();
    m_rowConferences = CUCMApiManager::getInstance()->getSavedConferences();
    m_pMainPage->setConferences(m_rowConferences);
    m_pMainPage->setListLoadFailed(false);
}

void CConferencesWidget::slot_getConferences_failed()
{
    m_pMainPage->setListLoadFailed(true);
}

void CConferencesWidget::slot_addConference_succeed()
{
    refresh();
}

void CConferencesWidget::slot_putConference_succeed()
{
    refresh();
}

void CConferencesWidget::slot_deleteConference_succeed()
{
    refresh();
}

void CConferencesWidget::slot_terminateConference_succeed()
{
    refresh();
}

void CConferencesWidget::slot_ucmapi_error(int errorCode, QString errorInfo)
{
    Q_UNUSED(errorCode)
    Q_UNUSED(errorInfo)
}

void CConferencesWidget::slot_myroom_clicked()
{
    if (!m_pMyroomPage)
        return;
    m_pStack->setCurrentWidget(m_pMyroomPage);
    m_pMyroomPage->setRoomNumber(roomNumberOfSignedInUser());
}

void CConferencesWidget::slot_schedule_clicked()
{
    if (!m_pSchedulePage)
        return;
    m_pStack->setCurrentWidget(m_pSchedulePage);
    m_pSchedulePage->setMode(CConferencesSchedulePage::NewMeeting);
    m_pSchedulePage->setParticipants({signedInUserId()});
    m_pSchedulePage->setTitle(CLoginManager::getInstance()->m_qstrDisplayName);
}

void CConferencesWidget::slot_join_clicked()
{
    emit sigZOVJoinConf(QString(), QString(), false, QString());
}

void CConferencesWidget::slot_back_clicked()
{
    m_pStack->setCurrentWidget(m_pMainPage);
}

void CConferencesWidget::slot_backSelectuser_clicked()
{
    m_pStack->setCurrentWidget(m_pSchedulePage);
}

void CConferencesWidget::slot_okSelectuser_clicked()
{
    m_pStack->setCurrentWidget(m_pSchedulePage);
    m_pSchedulePage->setParticipants(m_pSelectuserPage->getSelectedUsers());
}

void CConferencesWidget::slot_adduser_clicked(QList<int> datas)
{
    m_pStack->setCurrentWidget(m_pSelectuserPage);
    m_pSelectuserPage->setSelectedUsers(datas);
}

void CConferencesWidget::slot_addputConference_begin()
{
    switch (m_pSchedulePage->getMode()) {
    case CConferencesSchedulePage::NewMeeting:
        addConference();
        break;
    case CConferencesSchedulePage::EditMeeting:
        editConference();
        break;
    default:
        break;
    }
}

void CConferencesWidget::addConference()
{
    // The request waits for the server inside the call; a second submit in
    // that wait would create the meeting twice.
    if (m_bChangePending)
        return;
    QScopedValueRollback<bool> pending(m_bChangePending, true);
    ucmconferenceReqData request;
    request.name = m_pSchedulePage->getTitle();
    request.startTime = m_pSchedulePage->getStartTime();
    request.duration = m_pSchedulePage->getDuration();
    request.confPassword = m_pSchedulePage->getPassword();
    request.remarks = m_pSchedulePage->getDescription();
    request.userIds = m_pSchedulePage->getParticipants();
    CUCMApiManager::getInstance()->postConference(urlPrefix(), token(), request);
}

void CConferencesWidget::editConference()
{
    if (m_bChangePending)
        return;
    QScopedValueRollback<bool> pending(m_bChangePending, true);
    ucmconferenceReqData request;
    request.name = m_pSchedulePage->getTitle();
    request.startTime = m_pSchedulePage->getStartTime();
    request.duration = m_pSchedulePage->getDuration();
    request.confPassword = m_pSchedulePage->getPassword();
    request.remarks = m_pSchedulePage->getDescription();
    request.userIds = m_pSchedulePage->getParticipants();
    request.id = m_pSchedulePage->getConferenceId();
    request.numericId = m_pSchedulePage->getMeetingId();
    CUCMApiManager::getInstance()->putConference(urlPrefix(), token(), request);
}

void CConferencesWidget::deleteConference(const QString &id)
{
    confirmThen(tr("Are you sure to delete meeting?"),
                [this, id] { CUCMApiManager::getInstance()->deleteConference(urlPrefix(), token(), id); });
}

void CConferencesWidget::terminateConference(const QString &id)
{
    confirmThen(tr("Are you sure to terminate meeting?"),
                [this, id] { CUCMApiManager::getInstance()->terminateConference(urlPrefix(), token(), id); });
}

// A change that cannot be undone is asked for first; one at a time.
void CConferencesWidget::confirmThen(const QString &question, const std::function<void()> &send)
{
    if (m_bChangePending)
        return;
    QScopedValueRollback<bool> pending(m_bChangePending, true);
    const auto answer = AlertDlg::execQuestion(this, tr("Note"), question,
                                               QDialogButtonBox::Ok | QDialogButtonBox::Cancel,
                                               QDialogButtonBox::Ok);
    if (answer != QDialogButtonBox::Ok)
        return;
    send();
}

void CConferencesWidget::callNow(const ucmconferenceData &conference)
{
    if (m_bChangePending)
        return;
    QScopedValueRollback<bool> pending(m_bChangePending, true);
    ucmconferenceReqData request;
    request.name = conference.name;
    request.startTime = now().toMSecsSinceEpoch();
    request.duration = conference.duration;
    request.confPassword = conference.confPassword;
    request.remarks = conference.remarks;
    request.userIds = conference.users;
    request.id = conference.id;
    request.numericId = conference.numericId;
    CUCMApiManager::getInstance()->putConference(urlPrefix(), token(), request);
}

void CConferencesWidget::showEditPage(const ucmconferenceData &conference)
{
    if (!m_pSchedulePage)
        return;
    m_pStack->setCurrentWidget(m_pSchedulePage);
    m_pSchedulePage->setMode(CConferencesSchedulePage::EditMeeting);
    m_pSchedulePage->setTitle(conference.name);
    m_pSchedulePage->setStartTime(conference.startTime);
    m_pSchedulePage->setDuration(conference.duration);
    m_pSchedulePage->setMeetingId(conference.numericId);
    m_pSchedulePage->setPassword(conference.confPassword);
    m_pSchedulePage->setDescription(conference.remarks);
    m_pSchedulePage->setParticipants(conference.users);
    m_pSchedulePage->setConferenceId(conference.id);
}

const ucmconferenceData *CConferencesWidget::conferenceAtRow(int row) const
{
    // The rows show the list handed to the main page, which a newer answer
    // may already have replaced in the REST client.
    if (row < 0 || row >= m_rowConferences.size())
        return nullptr;
    return &m_rowConferences.at(row);
}

const ucmconferenceData *CConferencesWidget::conferenceById(int id) const
{
    for (const ucmconferenceData &conference : CUCMApiManager::getInstance()->getSavedConferences()) {
        if (conference.id == id)
            return &conference;
    }
    return nullptr;
}

void CConferencesWidget::slot_Detail_Edit_clicked(int nId)
{
    if (const ucmconferenceData *conference = conferenceById(nId)) {
        const ucmconferenceData copy = *conference;
        showEditPage(copy);
    }
}

void CConferencesWidget::slot_Detail_CallNow_clicked(int nId)
{
    if (const ucmconferenceData *conference = conferenceById(nId)) {
        const ucmconferenceData copy = *conference;
        callNow(copy);
    }
}

void CConferencesWidget::slot_Detail_DeleteEdit_clicked(int nId)
{
    if (conferenceById(nId))
        deleteConference(QString::number(nId));
}

void CConferencesWidget::slot_Detail_ConfJoin_clicked(int nId)
{
    const ucmconferenceData *conference = conferenceById(nId);
    if (!conference)
        return;
    const QString number = QString::number(conference->numericId);
    const QString password = conference->confPassword;
    m_pStack->setCurrentWidget(m_pMainPage);
    emit sigZOVJoinConf(number, password, false, QString());
}

void CConferencesWidget::slot_Detail_Delete_clicked(int nId)
{
    if (conferenceById(nId))
        terminateConference(QString::number(nId));
}

void CConferencesWidget::slot_Myroom_ConfJoin_clicked(QString strId)
{
    // No room, nothing to join: the join dialog would offer the last number.
    if (strId.trimmed().isEmpty())
        return;
    emit sigZOVJoinConf(strId, QString(), false, QString());
}

void CConferencesWidget::slot_MeetingDetail_clicked(int nindex)
{
    if (!m_pDetailPage)
        return;
    const ucmconferenceData *row = conferenceAtRow(nindex);
    if (!row)
        return;
    const ucmconferenceData conference = *row;
    m_pStack->setCurrentWidget(m_pDetailPage);
    m_pDetailPage->setType(conferenceTypeOf(conference));
    m_pDetailPage->setNotOwner(isConferenceNotOwned(conference, signedInUserId()));
    m_pDetailPage->setTitle(conference.name);
    m_pDetailPage->setStartTime(conference.startTime);
    m_pDetailPage->setDuration(conference.duration);
    m_pDetailPage->setMeetingId(conference.numericId);
    m_pDetailPage->setPassword(conference.confPassword);
    m_pDetailPage->setDescription(conference.remarks);
    m_pDetailPage->setParticipants(conference.users);
    m_pDetailPage->setConferenceId(conference.id);
}

void CConferencesWidget::slot_Join_clicked(int nindex)
{
    if (const ucmconferenceData *conference = conferenceAtRow(nindex)) {
        const QString number = QString::number(conference->numericId);
        const QString password = conference->confPassword;
        emit sigZOVJoinConf(number, password, false, QString());
    }
}

void CConferencesWidget::slot_Delete_clicked(int nindex)
{
    if (const ucmconferenceData *conference = conferenceAtRow(nindex))
        terminateConference(QString::number(conference->id));
}

void CConferencesWidget::slot_Edit_clicked(int nindex)
{
    if (const ucmconferenceData *conference = conferenceAtRow(nindex)) {
        const ucmconferenceData copy = *conference;
        showEditPage(copy);
    }
}

void CConferencesWidget::slot_DeleteEdit_clicked(int nindex)
{
    if (const ucmconferenceData *conference = conferenceAtRow(nindex))
        deleteConference(QString::number(conference->id));
}

void CConferencesWidget::slot_updatePage()
{
    // After a failed token renewal the server is not polled until the token
    // changes or the person acts.
    if (m_pStack->currentWidget() != m_pMainPage || CLoginManager::getInstance()->isTokenRefused())
        return;
    requestList();
}

void CConferencesWidget::slotOnLanguageChanged()
{
    m_pMainPage->retranslate();
    m_pMyroomPage->retranslate();
    m_pDetailPage->retranslate();
    m_pSelectuserPage->retranslate();
    m_pSchedulePage->retranslate();
}

void CConferencesWidget::showEvent(QShowEvent *event)
{
    Q_UNUSED(event)
    if (m_bShown) {
        CLoginManager::getInstance()->clearTokenRefused();
        refresh();
        m_pSelectuserPage->refreshForSelect();
    }
    m_bShown = true;
    m_timer.start();
}

void CConferencesWidget::hideEvent(QHideEvent *event)
{
    Q_UNUSED(event)
    m_timer.stop();
}

} // namespace rj_app::views
