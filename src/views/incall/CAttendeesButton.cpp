#include "views/incall/CAttendeesButton.h"

#include "helpers/Enums.h"
#include "helpers/LogMacros.h"
#include "models/CLinguist.h"
#include "models/CLoginManager.h"
#include "models/CUCMApiManager.h"
#include "views/incall/CAttendessWidgets.h"

#include <QDebug>
#include <QFontMetrics>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

using rj_app::models::CLinguist;
using rj_app::models::CLoginManager;
using rj_app::models::CUCMApiManager;

namespace {
constexpr int kRefreshIntervalMs = 10000;
const QString kIconFormat = QStringLiteral(":/resources/images/layout-operationbar/icon_detail%1.png");
const QString kHoverStyle = QStringLiteral("background-color:#616161;");
const QString kNormalStyle = QStringLiteral("background-color:#1c1e20;");
} // namespace

CAttendeesButton::CAttendeesButton(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("CAttendeesButton"));
    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addItem(new QSpacerItem(20, 20, QSizePolicy::Minimum, QSizePolicy::Expanding));
    m_pLabelCaption = new QLabel(this);
    m_pLabelCaption->setObjectName(QStringLiteral("label"));
    m_pLabelCaption->setFixedSize(88, 20);
    m_pLabelCaption->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    layout->addWidget(m_pLabelCaption, 0, Qt::AlignHCenter);
    m_pBottomSpacer = new QSpacerItem(20, 6, QSizePolicy::Fixed, QSizePolicy::Fixed);
    layout->addItem(m_pBottomSpacer);

    setFixedSize(88, 60);
    setAttribute(Qt::WA_StyledBackground);
    retranslateUi();
    // The look of scale 1 until the toolbar gives its scale; m_dScale stays
    // unset until then.
    applyScale(1.0);

    m_refreshTimer.setInterval(kRefreshIntervalMs);
    connect(&m_refreshTimer, &QTimer::timeout, this, &CAttendeesButton::slot_timeout);
    connect(CLoginManager::getInstance(), &CLoginManager::sigLoginTokenChanged, this,
            &CAttendeesButton::slot_tokenChanged);
    rj_app::views::trackParticipantLists();
    connect(CUCMApiManager::getInstance(), &CUCMApiManager::signal_getParticipants_succeed, this,
            &CAttendeesButton::slot_getParticipants_succeed);
    connect(CLinguist::getInstance(), &CLinguist::sigLanguageChanged, this, &CAttendeesButton::retranslateUi);
    applyVisibility();
}

CAttendeesButton::~CAttendeesButton() = default;

bool CAttendeesButton::refreshAllowed()
{
    const CLoginManager *login = CLoginManager::getInstance();
    return QString::fromStdString(login->m_userInfo.appServerType) != QLatin1String("ROZ") &&
           login->m_loginStatus != rj_app::enums::AnonymousLoggedIn;
}

void CAttendeesButton::startRefresh()
{
    if (!refreshAllowed())
        return;
    m_refreshTimer.start();
    // A new meeting: until its answer the button may show, with no number.
    m_bNobodyListed = false;
    if (rj_app::views::participantsOfCurrentMeeting().isEmpty() && m_qstrNumber != QLatin1String("0")) {
        m_qstrNumber = QStringLiteral("0");
        update();
    }
    applyVisibility();
    // The request waits for its answer while events run. Called from the
    // toolbar's call-status slot, it would deliver later statuses to the
    // receivers after that slot before the status being delivered; it is
    // sent from the event loop instead, unless the refresh stopped by then.
    QTimer::singleShot(0, this, [this]() {
        if (m_refreshTimer.isActive())
            rj_app::views::requestParticipants();
    });
}

void CAttendeesButton::setShowAllowed(bool allowed)
{
    m_bShowAllowed = allowed;
    applyVisibility();
}

void CAttendeesButton::applyVisibility()
{
    setVisible(m_bShowAllowed && !m_bNobodyListed);
}

void CAttendeesButton::stopRefresh()
{
    // Stopped whatever the login looks like now, so it never outlives the call.
    if (m_refreshTimer.isActive())
        m_refreshTimer.stop();
}

void CAttendeesButton::slot_timeout()
{
    // A server that keeps refusing the token is not asked every period; the
    // next token (slot_tokenChanged) asks again.
    if (CLoginManager::getInstance()->isTokenRefused())
        return;
    rj_app::views::requestParticipants();
}

void CAttendeesButton::slot_tokenChanged()
{
    // Outside a refreshing meeting there is nothing to ask for.
    if (m_refreshTimer.isActive())
        rj_app::views::requestParticipants();
}

void CAttendeesButton::slot_getParticipants_succeed()
{
    const int n = int(rj_app::views::participantsOfCurrentMeeting().size());
    m_bNobodyListed = n == 0;
    if (n > 0) {
        m_qstrNumber = QString::number(n);
        update();
    }
    applyVisibility();
}

void CAttendeesButton::retranslateUi()
{
    m_pLabelCaption->setText(tr("Attendees"));
}

void CAttendeesButton::setScale(double s)
{
    m_dScale = s;
    applyScale(s > 0 ? s : 1.0);
}

void CAttendeesButton::applyScale(double s)
{
    m_pLabelCaption->setFixedSize(int(88 * s), int(20 * s));
    m_pBottomSpacer->changeSize(20, int(6 * s), QSizePolicy::Fixed, QSizePolicy::Fixed);
    if (layout())
        layout()->invalidate();
    int fontSize = 12;
    QString suffix;
    if (s >= 2) {
        fontSize = 24;
        suffix = QStringLiteral("@2x");
    } else if (s > 1) {
        fontSize = 18;
        suffix = QStringLiteral("@1.5x");
    }
    m_pLabelCaption->setStyleSheet(QStringLiteral("color: #fff; font-size: %1px;").arg(fontSize));
    if (!m_pixmapIcon.load(kIconFormat.arg(suffix)))
        qWarning() << RJ_FUNCTION << "cannot load" << kIconFormat.arg(suffix);
    update();
}

void CAttendeesButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit clicked();
    QWidget::mousePressEvent(event);
}

void CAttendeesButton::enterEvent(QEvent *event)
{
    setStyleSheet(kHoverStyle);
    QWidget::enterEvent(event);
}

void CAttendeesButton::leaveEvent(QEvent *event)
{
    setStyleSheet(kNormalStyle);
    QWidget::leaveEvent(event);
}

void CAttendeesButton::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    const double s = m_dScale > 0 ? m_dScale : 1.0;
    const int halfWidth = width() / 2;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int iconSize = int(28 * s);
    painter.drawPixmap(QRect(int(halfWidth - 14 * s), int(6 * s), iconSize, iconSize), m_pixmapIcon);

    if (m_qstrNumber.toInt() > 0) {
        m_pLabelCaption->ensurePolished();
        const QFont font = m_pLabelCaption->font();
        const QRect bounds = QFontMetrics(font).boundingRect(m_qstrNumber);
        const QRect textRect(int(halfWidth + 7 * s), int(8 * s), bounds.width() + 10, bounds.height());
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(textRect, Qt::AlignCenter, m_qstrNumber);
    }
}
