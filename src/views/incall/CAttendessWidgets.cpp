#include "views/incall/CAttendessWidgets.h"

#include "helpers/Enums.h"
#include "helpers/LogMacros.h"
#include "models/CCallController.h"
#include "models/CLinguist.h"
#include "models/CLoginManager.h"
#include "models/CUCMApiManager.h"
#include "views/incall/CAttendeesListview.h"

#include <QDebug>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QStyleOption>
#include <QTabWidget>
#include <QVBoxLayout>

using rj_app::models::CCallController;
using rj_app::models::CLinguist;
using rj_app::models::CLoginManager;
using rj_app::models::CUCMApiManager;

namespace rj_app::views {

namespace {

const QString kStyleBase = QStringLiteral(":/resources/qss/attendess-widget");

// Which meeting the REST client's participant list belongs to. The client
// keeps one list for the process and replaces it only on a successful answer,
// so after a meeting change it still holds the previous meeting's people
// until the first answer for the new one.
struct ParticipantLists
{
    QString requestedMeeting; // of the request sent last
    QString listedMeeting;    // of the list the client holds
};

ParticipantLists &participantLists()
{
    static ParticipantLists lists;
    return lists;
}

} // namespace

void trackParticipantLists()
{
    static const bool tracked = [] {
        CUCMApiManager *api = CUCMApiManager::getInstance();
        QObject::connect(api, &CUCMApiManager::signal_getParticipants_succeed, api, [] {
            participantLists().listedMeeting = participantLists().requestedMeeting;
        });
        return true;
    }();
    Q_UNUSED(tracked)
}

void requestParticipants()
{
    trackParticipantLists();
    CLoginManager *login = CLoginManager::getInstance();
    const QString meeting = CCallController::getInstance()->getPureConfNumber();
    if (meeting.trimmed().isEmpty()) {
        qWarning() << RJ_FUNCTION << "no meeting number, nothing requested";
        return;
    }
    participantLists().requestedMeeting = meeting;
    CUCMApiManager::getInstance()->getParticipants(login->getUrlPrefix(), login->getToken(), meeting);
}

QList<ucmparticipantData> participantsOfCurrentMeeting()
{
    const QString meeting = CCallController::getInstance()->getPureConfNumber();
    if (meeting.isEmpty() || participantLists().listedMeeting != meeting)
        return {};
    return CUCMApiManager::getInstance()->getSavedParticipants();
}

void CAttendessWidgets::setupForm()
{
    setObjectName(QStringLiteral("CAttendessWidgets"));
    resize(386, 415);

    auto *verticalLayout = new QVBoxLayout(this);
    verticalLayout->setObjectName(QStringLiteral("verticalLayout"));
    verticalLayout->setSpacing(0);
    verticalLayout->setContentsMargins(1, 1, 1, 1);

    m_pFrameTitle = new QFrame(this);
    m_pFrameTitle->setObjectName(QStringLiteral("frame_title"));
    auto *horizontalLayout = new QHBoxLayout(m_pFrameTitle);
    horizontalLayout->setObjectName(QStringLiteral("horizontalLayout"));
    horizontalLayout->setSpacing(0);
    horizontalLayout->setContentsMargins(0, 0, 0, 0);
    horizontalLayout->addItem(new QSpacerItem(18, 28, QSizePolicy::Fixed, QSizePolicy::Minimum));
    m_pLabelTitle = new QLabel(m_pFrameTitle);
    m_pLabelTitle->setObjectName(QStringLiteral("label"));
    m_pLabelTitle->setAlignment(Qt::AlignCenter);
    horizontalLayout->addWidget(m_pLabelTitle);
    m_pBtnClose = new QPushButton(m_pFrameTitle);
    m_pBtnClose->setObjectName(QStringLiteral("close"));
    m_pBtnClose->setMinimumSize(28, 28);
    m_pBtnClose->setMaximumSize(28, 28);
    m_pBtnClose->setFocusPolicy(Qt::NoFocus);
    horizontalLayout->addWidget(m_pBtnClose);
    verticalLayout->addWidget(m_pFrameTitle);

    m_pTabWidget = new QTabWidget(this);
    m_pTabWidget->setObjectName(QStringLiteral("tabWidget"));
    m_pTabVideo = new QWidget();
    m_pTabVideo->setObjectName(QStringLiteral("tab_video"));
    auto *videoLayout = new QHBoxLayout(m_pTabVideo);
    videoLayout->setSpacing(0);
    videoLayout->setContentsMargins(0, 0, 0, 0);
    m_pListVideo = new CAttendeesListview(m_pTabVideo);
    m_pListVideo->setObjectName(QStringLiteral("listView_video"));
    videoLayout->addWidget(m_pListVideo);
    m_pTabWidget->addTab(m_pTabVideo, QString());

    m_pTabAudio = new QWidget();
    m_pTabAudio->setObjectName(QStringLiteral("tab_audio"));
    auto *audioLayout = new QHBoxLayout(m_pTabAudio);
    audioLayout->setSpacing(0);
    audioLayout->setContentsMargins(0, 0, 0, 0);
    m_pListAudio = new CAttendeesListview(m_pTabAudio);
    m_pListAudio->setObjectName(QStringLiteral("listView_audio"));
    audioLayout->addWidget(m_pListAudio);
    m_pTabWidget->addTab(m_pTabAudio, QString());
    m_pTabWidget->setCurrentIndex(0);
    verticalLayout->addWidget(m_pTabWidget);
}

CAttendessWidgets::CAttendessWidgets(QWidget *parent)
    : CBaseWgt(parent)
{
    setParent(parent);
    setupForm();
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(windowFlags() | Qt::Tool | Qt::FramelessWindowHint);

    m_pListAudio->initModel(false);
    m_pListVideo->initModel(true);

    connect(m_pBtnClose, &QPushButton::clicked, this, &QWidget::close);
    trackParticipantLists();
    connect(CUCMApiManager::getInstance(), &CUCMApiManager::signal_getParticipants_succeed, this,
            &CAttendessWidgets::slot_getParticipants_succeed);
    connect(CLinguist::getInstance(), &CLinguist::sigLanguageChanged, this,
            &CAttendessWidgets::slotOnLanguageChanged);
    slotOnLanguageChanged();
}

CAttendessWidgets::~CAttendessWidgets() = default;

void CAttendessWidgets::refreshLists()
{
    const QList<ucmparticipantData> participants = participantsOfCurrentMeeting();
    m_pListAudio->setParticipants(participants);
    m_pListVideo->setParticipants(participants);
    m_iAudioCount = m_pListAudio->rowCount();
    m_iVideoCount = m_pListVideo->rowCount();
    updateTabTitles();
}

void CAttendessWidgets::updateTabTitles()
{
    m_pTabWidget->setTabText(m_pTabWidget->indexOf(m_pTabAudio), m_qstrAudioTabText.arg(m_iAudioCount));
    m_pTabWidget->setTabText(m_pTabWidget->indexOf(m_pTabVideo), m_qstrVideoTabText.arg(m_iVideoCount));
}

void CAttendessWidgets::slot_getParticipants_succeed()
{
    if (isVisible())
        refreshLists();
}

void CAttendessWidgets::slotOnLanguageChanged()
{
    m_pLabelTitle->setText(tr("Attendees"));
    m_qstrVideoTabText = tr("Video(%1)");
    m_qstrAudioTabText = tr("Audio(%1)");
    updateTabTitles();
}

void CAttendessWidgets::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && !isMaximized()) {
        const QRect titleRect(m_pFrameTitle->mapToGlobal(QPoint(0, 0)), m_pFrameTitle->size());
        if (titleRect.contains(event->globalPos())) {
            m_bDragging = true;
            m_ptLastDragPos = event->globalPos();
        }
    }
    CBaseWgt::mousePressEvent(event);
}

void CAttendessWidgets::mouseReleaseEvent(QMouseEvent *event)
{
    m_bDragging = false;
    CBaseWgt::mouseReleaseEvent(event);
}

void CAttendessWidgets::mouseMoveEvent(QMouseEvent *event)
{
    if (m_bDragging) {
        move(pos() + (event->globalPos() - m_ptLastDragPos));
        m_ptLastDragPos = event->globalPos();
    }
    CBaseWgt::mouseMoveEvent(event);
}

void CAttendessWidgets::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
}

void CAttendessWidgets::showEvent(QShowEvent *event)
{
    m_scaler.init(width(), height(), this);
    CBaseWgt::showEvent(event);
    centerWindow();
    if (isVisible())
        refreshLists();
}

void CAttendessWidgets::onDpiChanged()
{
    qInfo() << RJ_FUNCTION << fStretchFactor;
    m_scaler.rescale(fStretchFactor, this);
    setStyleSheet(QString());
    setStyleSheets(kStyleBase);
    m_pListAudio->setScale(fStretchFactor);
    m_pListVideo->setScale(fStretchFactor);
}

} // namespace rj_app::views
