#include "models/CCallController.h"

#include "helpers/CGeneralUtils.h"
#include "helpers/CUserConfigUtils.h"
#include "helpers/LogMacros.h"
#include "models/CLoginManager.h"
#include "models/LogMasking.h"
#include "models/CRJSdkManager.h"
#include "views/framework/AlertDlg.h"

#include <QCoreApplication>
#include <QHostAddress>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QThread>
#include <QTimer>
#include <QUrl>
#ifndef QT_NO_SSL
#include <QSslConfiguration>
#include <QSslSocket>
#endif

using rj_app::helpers::CGeneralUtils;
using rj_app::helpers::CUserConfigUtils;
using namespace rj_app::enums;

namespace rj_app {
namespace models {

namespace {

QString applicationFile(const char *relativePath)
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(relativePath);
}

QString &ringtonePathOverride()
{
    static QString path;
    return path;
}

CUserConfigUtils *config()
{
    return CUserConfigUtils::getInstance();
}


// A token answer is a few hundred bytes; anything far larger is no answer.
constexpr qint64 kMaxAcsAnswerBytes = 16 * 1024;

// The edge address as it goes into a URL when the server named a host name
// or an address; empty for anything else (a path, a port, spaces, nothing).
QString usableEdgeHost(const QString &value)
{
    QHostAddress address;
    if (address.setAddress(value))
        return address.protocol() == QAbstractSocket::IPv6Protocol ? QLatin1Char('[') + value + QLatin1Char(']')
                                                                    : value;
    static const QRegularExpression label(QStringLiteral("^[A-Za-z0-9]([A-Za-z0-9-]{0,61}[A-Za-z0-9])?$"));
    if (value.isEmpty() || value.size() > 253)
        return QString();
    const QStringList labels = value.split(QLatin1Char('.'));
    for (const QString &part : labels) {
        if (!label.match(part).hasMatch())
            return QString();
    }
    return value;
}



} // namespace

// ---------------------------------------------------------------------------
// Lifecycle

CCallController *CCallController::getInstance()
{
    static CCallController instance;
    // The facade may come after the controller (a join handed over early) or
    // be made anew: the controller follows whichever facade exists now.
    instance.connectSdkSignals();
    return &instance;
}

CCallController::CCallController()
    : QObject(nullptr)
{
    registerMetaTypes();

    // This object outlives the application object; nothing of the network or
    // the timer may be left to run down after the event loop is gone.
    if (QCoreApplication *app = QCoreApplication::instance()) {
        connect(app, &QCoreApplication::aboutToQuit, this, [this]() {
            if (m_acsTimer)
                m_acsTimer->stop();
            cancelAcsRequest();
            qDeleteAll(findChildren<QNetworkAccessManager *>(QString(), Qt::FindDirectChildrenOnly));
        });
    }

    // Token renewal must not sign the user out while a call is under way. The
    // login manager outlives this object (it exists before it), so the getter
    // is removed again in the destructor.
    QPointer<CCallController> self(this);
    CLoginManager::getInstance()->setCallStatusGetter([self]() {
        return self ? int(self->m_callStatus) : int(Idle);
    });
}

CCallController::~CCallController()
{
    CLoginManager::getInstance()->setCallStatusGetter(nullptr);
    cancelAcsRequest();
    delete m_acsTimer;
    m_acsTimer = nullptr;
}

void CCallController::registerMetaTypes()
{
    qRegisterMetaType<rj_app::enums::CallStatus>("enums::CallStatus");
    qRegisterMetaType<rj_app::enums::CallStatus>("rj_app::enums::CallStatus");
    qRegisterMetaType<rj_app::structs::CContentStreamInfo>("structs::CContentStreamInfo");
    qRegisterMetaType<rj_app::structs::CContentStreamInfo>("rj_app::structs::CContentStreamInfo");
}

void CCallController::connectSdkSignals()
{
    CRJSdkManager *pSdk = CRJSdkManager::getInstance();
    if (!pSdk || pSdk == m_pConnectedSdk || QThread::currentThread() != thread())
        return;
    m_pConnectedSdk = pSdk;
    qInfo() << RJ_FUNCTION << __LINE__ << "following the engine facade";
    connect(pSdk, SIGNAL(eventCallConnected(rj::engine::RJCallInfo)), this,
            SLOT(slotOnCallConnected(rj::engine::RJCallInfo)));
    connect(pSdk, SIGNAL(eventCallState(rj::engine::RJCallInfo)), this,
            SLOT(slotOnCallState(rj::engine::RJCallInfo)));
    connect(pSdk, SIGNAL(eventCallPeerConnected(rj::engine::RJCallInfo)), this,
            SLOT(slotOnCallPeerConnected(rj::engine::RJCallInfo)));
    connect(pSdk, SIGNAL(eventCallEnd(rj::engine::RJCallInfo)), this,
            SLOT(slotOnCallEnd(rj::engine::RJCallInfo)));
    connect(pSdk, SIGNAL(eventContent(rj::engine::RJContentInfo)), this,
            SLOT(slotOnContent(rj::engine::RJContentInfo)));
    connect(pSdk, SIGNAL(eventWaitQueue(int)), this, SLOT(slotOnWaitQueue(int)));
}

CRJSdkManager *CCallController::sdk(const char *function)
{
    CRJSdkManager *pSdk = CRJSdkManager::getInstance();
    if (!pSdk)
        qWarning() << function << "no engine facade";
    return pSdk;
}

QString CCallController::getDefaultBackgroundPath()
{
    static const QString path = applicationFile("resources/images/background.jpg");
    return path;
}

QString CCallController::getDefaultUserAvatarPath()
{
    static const QString path = applicationFile("resources/images/default_user_header.jpg");
    return path;
}

QString CCallController::getRingtonePath()
{
    static const QString path = applicationFile("resources/sounds/ringtone.wav");
    const QString &overridden = ringtonePathOverride();
    return overridden.isEmpty() ? path : overridden;
}

void CCallController::setRingtonePath(const QString &path)
{
    ringtonePathOverride() = path;
}

void CCallController::setAcsRequestIntervalMs(int intervalMs)
{
    m_iAcsIntervalMs = intervalMs > 0 ? intervalMs : m_iAcsRequestIntervalMs;
    if (m_acsTimer)
        m_acsTimer->setInterval(m_iAcsIntervalMs);
}

void CCallController::setNetworkAccessFactory(NetworkAccessFactory factory)
{
    m_networkAccessFactory = std::move(factory);
}

// ---------------------------------------------------------------------------
// Calls

void CCallController::dialOut(QString number, QString password, bool enableVideo, QString confName)
{
    QString uri = number;
    if (!CGeneralUtils::isNullOrEmpty(password)) {
        const QString suffix = QLatin1Char('*') + password;
        const int at = uri.indexOf(QLatin1Char('@'));
        if (at >= 0)
            uri.insert(at, suffix);
        else
            uri.append(suffix);
    }
    dialOut(uri, enableVideo, confName);
}

void CCallController::dialOut(QString uri, bool enableVideo, QString confName)
{
    // The engine refuses a second call; taking that refusal for the end of
    // the running call would end it in the views while it goes on.
    if (isInCall(m_callStatus)) {
        qWarning() << RJ_FUNCTION << __LINE__ << "a call is under way, status:" << int(m_callStatus);
        return;
    }

    CRJSdkManager *pSdk = sdk(RJ_FUNCTION);
    if (!pSdk)
        return;
    if (CLoginManager::getInstance()->m_loginStatus == LoggedIn) {
        rj::engine::RJRegisterInfo info;
        bool bRegistered = false;
        if (!pSdk->getRegisterInfo(1, info))
            qWarning() << RJ_FUNCTION << __LINE__ << "error: failed to getRegisterInfo";
        else if (info.state != 1)
            qWarning() << RJ_FUNCTION << __LINE__ << "error: unregistered, state:" << info.state;
        else
            bRegistered = true;
        if (!bRegistered) {
            views::AlertDlg::execQuestion(nullptr, tr("Note"),
                                          tr("Not registered to the video service, please try to log in again."),
                                          QDialogButtonBox::Yes, QDialogButtonBox::NoButton);
            return;
        }
    }

    qInfo() << RJ_FUNCTION << __LINE__ << "qstrConfNumber:" << maskedDialString(uri)
            << ", enableVideo:" << enableVideo;

    playSound();
    setAnonymousUserImage();

    m_confName = confName;
    setConfNumber(uri, true);
    setCallStatus(ConfDialing);

    if (!pSdk->dialOut(uri.toUtf8().constData(), enableVideo)) {
        qWarning() << RJ_FUNCTION << __LINE__ << "Failed to dialOut and change call status to Ended";
        setCallStatus(ConfEnded);
    }
}

void CCallController::anonymousJoinConf(QString serverAddress, QString confNumber, QString displayName,
                                        QString password)
{
    qInfo() << RJ_FUNCTION << __LINE__ << "serverAddress:" << serverAddress << ", confNumber:" << confNumber
            << ", displayName:" << displayName;
    // A guest join during a call would leave the guest status behind when the
    // dial is refused.
    if (isInCall(m_callStatus)) {
        qWarning() << RJ_FUNCTION << __LINE__ << "a call is under way, status:" << int(m_callStatus);
        return;
    }

    if (!sdk(RJ_FUNCTION))
        return;
    if (CLoginManager::getInstance()->getRegisterInfo().state == 1)
        unregisterSIPServer();

    QString name = displayName;
    if (CGeneralUtils::isNullOrEmpty(name)) {
        name = CGeneralUtils::getLocalIpAddress();
        qInfo() << RJ_FUNCTION << __LINE__ << "Get host ip address as display name:" << name;
    }
    const QString userName = config() ? config()->getDeviceSn() : QString();
    qInfo() << RJ_FUNCTION << __LINE__ << "sipRegister, username:" << userName;
    registerSIPServer("", name.toUtf8().constData(), userName.toUtf8().constData(), "", "TLS");

    QString uri = confNumber;
    if (!CGeneralUtils::isNullOrEmpty(password))
        uri += QLatin1Char('*') + password;
    uri += QLatin1Char('@') + serverAddress;

    CLoginManager::getInstance()->setLoginStatus(AnonymousLoggingIn);
    dialOut(uri, true, QString());
}

void CCallController::whenLoginSkipped()
{
    if (CLoginManager::getInstance()->getRegisterInfo().state == 1)
        unregisterSIPServer();
    if (!config())
        return;

    const QString protocol = config()->getTransportProtocol();
    const QString screenName = config()->getScreenName();
    const bool bRegistration = config()->getEnableRegistration();
    const QString proxy = config()->getProxyServerAddress();
    const QString authUser = config()->getAuthenticationUserName();
    const QString authPassword = config()->getAuthenticationPassword();

    if (bRegistration) {
        const QString name = CGeneralUtils::isNullOrEmpty(screenName) ? authUser : screenName;
        registerSIPServer(proxy.toUtf8().constData(), name.toUtf8().constData(), authUser.toUtf8().constData(),
                          authPassword.toUtf8().constData(), protocol.toUtf8().constData());
    } else {
        const QString name = screenName.isEmpty() ? CGeneralUtils::getLocalIpAddress() : screenName;
        registerSIPServer("", name.toUtf8().constData(), config()->getDeviceSn().toUtf8().constData(), "",
                          protocol.toUtf8().constData());
    }
}

bool CCallController::acceptCall(bool enableVideo)
{
    qInfo() << RJ_FUNCTION << __LINE__ << "enable_video:" << enableVideo;
    setAnonymousUserImage();
    CRJSdkManager *pSdk = sdk(RJ_FUNCTION);
    return pSdk && pSdk->acceptCall(enableVideo);
}

bool CCallController::declineCall()
{
    CRJSdkManager *pSdk = sdk(RJ_FUNCTION);
    return pSdk && pSdk->declineCall();
}

bool CCallController::hangUp()
{
    CRJSdkManager *pSdk = sdk(RJ_FUNCTION);
    return pSdk && pSdk->hangUp();
}

void CCallController::onCallIncoming(rj::engine::RJCallInfo info)
{
    m_callInfo = info;
    // The caller's number: the last call's dial string, with its password,
    // must not be shown, written as the running meeting or kept in the history.
    m_confName.clear();
    setConfNumber(connectedConfNumber(info), true);
    playSound();
    setCallStatus(ConfIncoming);
}

bool CCallController::registerSIPServer(const char *domain, const char *displayName, const char *username,
                                        const char *password, const char *protocol)
{
    CRJSdkManager *pSdk = sdk(RJ_FUNCTION);
    return pSdk && pSdk->registerSIPServer(domain, displayName, username, password, protocol);
}

bool CCallController::unregisterSIPServer()
{
    CRJSdkManager *pSdk = sdk(RJ_FUNCTION);
    return pSdk && pSdk->unregisterSIPServer();
}

// ---------------------------------------------------------------------------
// Media switches and video windows

bool CCallController::enableCamera(bool enable)
{
    CRJSdkManager *pSdk = sdk(RJ_FUNCTION);
    return pSdk && pSdk->enableCamera(enable);
}

bool CCallController::enableMic(bool enable)
{
    CRJSdkManager *pSdk = sdk(RJ_FUNCTION);
    return pSdk && pSdk->enableMic(enable);
}

bool CCallController::isCameraEnabled()
{
    CRJSdkManager *pSdk = sdk(RJ_FUNCTION);
    return pSdk && pSdk->cameraEnabled();
}

bool CCallController::isMicEnabled()
{
    CRJSdkManager *pSdk = sdk(RJ_FUNCTION);
    return pSdk && pSdk->micEnabled();
}

bool CCallController::setLocalVideoWindow(WId id)
{
    qInfo() << RJ_FUNCTION << __LINE__ << "id:" << id;
    CRJSdkManager *pSdk = sdk(RJ_FUNCTION);
    return pSdk && pSdk->setLocalVideoWindow(id);
}

bool CCallController::setRemoteVideoWindow(WId id)
{
    qInfo() << RJ_FUNCTION << __LINE__ << "id:" << id;
    CRJSdkManager *pSdk = sdk(RJ_FUNCTION);
    return pSdk && pSdk->setRemoteVideoWindow(id);
}

bool CCallController::setRemoteContentWindow(WId id)
{
    qInfo() << RJ_FUNCTION << __LINE__ << "id:" << id;
    CRJSdkManager *pSdk = sdk(RJ_FUNCTION);
    return pSdk && pSdk->setRemoteContentWindow(id);
}

bool CCallController::repaintVideo()
{
    CRJSdkManager *pSdk = sdk(RJ_FUNCTION);
    return pSdk && pSdk->repaintVideo();
}

// ---------------------------------------------------------------------------
// State

void CCallController::setCallStatus(CallStatus status)
{
    qInfo("CCallController::setCallStatus, from %d to %d", int(m_callStatus), int(status));
    m_callStatus = status;

    if (status == ConfConnected && m_callTypes == 1) {
        saveCurrentConfNumber2Config();
        stopSound();
    }
    if (status == Idle || status == ConfEnded) {
        stopSound();
        m_acsServer.clear();
        m_acsJsonWebToken.clear();
        if (m_acsTimer && m_acsTimer->isActive())
            m_acsTimer->stop();
        // An answer for the call that ended must not fill in the next one.
        cancelAcsRequest();
        // Nor may its number and password be taken for the next call's.
        m_confNumber.clear();
        m_pureConfNumber.clear();
        m_confPassword.clear();
        m_confName.clear();
    }

    if (CUserConfigUtils *pConfig = config()) {
        if (isInCall(status)) {
            pConfig->setIsConfRunning(true);
            qInfo() << RJ_FUNCTION << __LINE__ << "setRunningConfId:" << maskedDialString(m_confNumber);
            pConfig->setConfId(m_confNumber);
        } else {
            pConfig->setIsConfRunning(false);
            pConfig->setConfId(QString());
        }
    }

    CLoginManager *pLogin = CLoginManager::getInstance();
    if (pLogin->m_loginStatus == AnonymousLoggingIn && (status == Idle || status == ConfEnded))
        pLogin->setLoginStatus(NotLogin);

    emit sigCallStatusChanged(status);
}

void CCallController::setContentStreamStatus(int status, std::string senderName, std::int64_t senderDeviceId)
{
    qInfo() << RJ_FUNCTION << __LINE__ << "current status:" << int(m_contentStreamStatus) << ", change to:" << status;
    if (status == int(m_contentStreamStatus))
        return;
    structs::CContentStreamInfo info(int(m_contentStreamStatus), status, std::move(senderName), senderDeviceId);
    m_contentStreamStatus = static_cast<ContentStreamStatus>(status);
    m_lastContentStreamInfo = info;
    emit sigContentStreamStatusChanged(info);
}

void CCallController::setContentSourceInfo(rj::engine::RJContentSourceInfo info)
{
    m_contentSourceInfo = info;
}

void CCallController::setConfNumber(QString number, bool force)
{
    qInfo() << RJ_FUNCTION << __LINE__ << "number:" << maskedDialString(number);
    if (m_confNumber.indexOf(number) != 0 || force)
        m_confNumber = number;

    const int star = number.indexOf(QLatin1Char('*'));
    const int at = number.lastIndexOf(QLatin1Char('@'));
    QString pure;
    QString password;
    if (star >= 0) {
        pure = number.left(star);
        // A server part before the "*" is no end of the password.
        password = at > star ? number.mid(star + 1, at - star - 1) : number.mid(star + 1);
    } else {
        pure = at >= 0 ? number.left(at) : number;
    }
    setPureConfNumber(pure);
    setConfPassword(password);

    QString confNumber = m_confNumber;
    emit sigConfNumberChanged(confNumber);
}

void CCallController::setPureConfNumber(QString number)
{
    m_pureConfNumber = number;
    qInfo() << RJ_FUNCTION << __LINE__ << "m_pureConfNumber:" << m_pureConfNumber;
}

void CCallController::setConfPassword(QString password)
{
    m_confPassword = password;
    qInfo() << RJ_FUNCTION << __LINE__ << "m_confPassword:" << hiddenSecret(m_confPassword);
}

QString CCallController::getDisplayConfName() const
{
    return CGeneralUtils::isNullOrEmpty(m_confName) ? m_confNumber : m_confName;
}

void CCallController::saveCurrentConfNumber2Config()
{
    qInfo() << "Save conf number to history list: {0}" << maskedDialString(m_confNumber);
    if (m_confNumber.trimmed().isEmpty() || m_confNumber.contains(QLatin1String("unknown")))
        return;
    if (!config())
        return;
    QStringList ids = config()->getConfIds();
    ids.removeAll(m_confNumber);
    ids.prepend(m_confNumber);
    while (ids.size() > m_iConfHistorySize)
        ids.removeLast();
    config()->setConfIds(ids);
}

// ---------------------------------------------------------------------------
// Ringtone and pictures

void CCallController::playSound()
{
    stopSound();
    CRJSdkManager *pSdk = sdk(RJ_FUNCTION);
    if (!pSdk)
        return;
    pSdk->setAudioFile(getRingtonePath());
    // Mode 1 repeats until stopAudioPlay.
    pSdk->startAudioPlay(1);
    qInfo() << RJ_FUNCTION << __LINE__ << "done";
}

void CCallController::stopSound()
{
    CRJSdkManager *pSdk = CRJSdkManager::getInstance();
    if (pSdk && pSdk->isAudioPlaying())
        pSdk->stopAudioPlay();
}

void CCallController::setAnonymousUserImage()
{
    if (CLoginManager::getInstance()->m_loginStatus == LoggedIn) {
        setLoggedInUserImage();
        return;
    }
    if (CRJSdkManager *pSdk = sdk(RJ_FUNCTION))
        pSdk->setUserImage(getDefaultBackgroundPath().toLocal8Bit().constData(),
                           getDefaultUserAvatarPath().toLocal8Bit().constData());
}

void CCallController::setLoggedInUserImage()
{
    const bool bDownloaded = CLoginManager::getInstance()->m_bAvatarDownloaded;
    qInfo() << RJ_FUNCTION << __LINE__ << "AvatarDownloadedOk:" << bDownloaded;
    const QString avatar =
        bDownloaded && config() ? config()->getHeaderImagePath() : getDefaultUserAvatarPath();
    if (CRJSdkManager *pSdk = sdk(RJ_FUNCTION))
        pSdk->setUserImage(getDefaultBackgroundPath().toLocal8Bit().constData(), avatar.toLocal8Bit().constData());
}

// ---------------------------------------------------------------------------
// Engine events

QString CCallController::connectedConfNumber(const rj::engine::RJCallInfo &info)
{
    QString number = QString::fromStdString(info.conference_number);
    if (!info.password.empty())
        number += QLatin1Char('*') + QString::fromStdString(info.password);
    return number;
}

void CCallController::slotOnCallConnected(rj::engine::RJCallInfo info)
{
    m_callInfo = info;
    setConfNumber(connectedConfNumber(info), false);
    setContentStreamStatus(ContentStreamStatus_None, std::string(), 0);

    if (info.svcCallType == 2) {
        m_callTypes = 3;
    } else if (info.svcCallType == 1) {
        // A point-to-point call rings on until the peer connects.
        m_callTypes = 2;
        setCallStatus(ConfConnected);
    } else {
        stopSound();
        m_callTypes = 1;
        setCallStatus(ConfConnected);
    }
    qInfo() << RJ_FUNCTION << __LINE__ << "set m_callTypes:" << m_callTypes;

    if (!m_acsTimer) {
        m_acsTimer = new QTimer;
        connect(m_acsTimer, &QTimer::timeout, this, &CCallController::onSlotRequestAcsInfoTimeout);
    }
    onSlotRequestAcsInfoTimeout();
    qInfo() << RJ_FUNCTION << __LINE__ << "Start ACS TIMER";
    m_acsTimer->start(m_iAcsIntervalMs);
}

void CCallController::slotOnCallState(rj::engine::RJCallInfo info)
{
    m_callInfo = info;
    emit sigCallStateChanged();
}

void CCallController::slotOnCallPeerConnected(rj::engine::RJCallInfo info)
{
    stopSound();
    // The peer of the call that connected a moment ago: the same call, whose
    // kind, clock and checks stay as they are; its number goes into the
    // history as a peer's does.
    if (m_callStatus == ConfConnected) {
        qInfo() << RJ_FUNCTION << __LINE__ << "peer of the connected call, m_callTypes:" << m_callTypes;
        m_callInfo = info;
        saveCurrentConfNumber2Config();
        return;
    }
    m_callTypes = 1;
    qInfo() << RJ_FUNCTION << __LINE__ << "set m_callTypes:" << m_callTypes;
    m_callInfo = info;
    setConfNumber(connectedConfNumber(info), false);
    setContentStreamStatus(ContentStreamStatus_None, std::string(), 0);
    setCallStatus(ConfConnected);
}

void CCallController::slotOnCallEnd(rj::engine::RJCallInfo callInfo)
{
    Q_UNUSED(callInfo)
    setCallStatus(ConfEnded);
}

void CCallController::slotOnContent(rj::engine::RJContentInfo contentInfo)
{
    qInfo() << RJ_FUNCTION << __LINE__ << "enabled:" << contentInfo.enabled << ", dir:" << contentInfo.dir
            << ", type:" << contentInfo.type;
    if (!contentInfo.enabled) {
        setContentStreamStatus(ContentStreamStatus_None, std::string(), 0);
        return;
    }
    int status = -1;
    if (contentInfo.dir != 0) {
        if (contentInfo.type == rj::engine::RJ_STREAM_CONTENT)
            status = ContentStreamStatus_ReceivingContentStarted;
        else if (contentInfo.type == rj::engine::RJ_STREAM_WHITEBOARD)
            status = ContentStreamStatus_ReceivingWhiteBoardStarted;
    } else {
        if (contentInfo.type == rj::engine::RJ_STREAM_CONTENT)
            status = ContentStreamStatus_SendingContentStarted;
        else if (contentInfo.type == rj::engine::RJ_STREAM_WHITEBOARD)
            status = ContentStreamStatus_SendingWhiteBoardStarted;
    }
    if (status < 0)
        return;
    setContentStreamStatus(status, contentInfo.senderName, static_cast<std::int64_t>(contentInfo.senderDeviceId));
}

void CCallController::slotOnWaitQueue(int queueSize)
{
    qInfo() << RJ_FUNCTION << __LINE__ << queueSize;
    emit sigWaitQueue(queueSize);
}

// ---------------------------------------------------------------------------
// Whiteboard token

QString CCallController::schemePrefix()
{
    return config() && config()->getUseHttps() ? QStringLiteral("https://") : QStringLiteral("http://");
}

void CCallController::cancelAcsRequest()
{
    QNetworkReply *reply = m_acsReply;
    m_acsReply = nullptr;
    if (reply && reply->isRunning())
        reply->abort(); // its finished() finds it stale and releases it
}

void CCallController::onSlotRequestAcsInfoTimeout()
{
    // A request still waiting is replaced, so answers never pile up.
    cancelAcsRequest();

    CLoginManager *pLogin = CLoginManager::getInstance();
    m_acsServer = schemePrefix() + pLogin->m_qstrServerHostName + QLatin1Char(':') + QString::number(pLogin->getPort());

    const QString format = QString::fromLatin1(m_pszAcsTokenUrlFormat);
    const QString token = QString::fromStdString(pLogin->m_userInfo.token);
    const QString meeting = QString::fromLatin1(QUrl::toPercentEncoding(m_pureConfNumber));
    const QString deviceId = QString::number(pLogin->m_userInfo.deviceId);
    const QString url =
        format.arg(m_acsServer, QString::fromLatin1(QUrl::toPercentEncoding(token)), meeting, deviceId);
    qInfo() << RJ_FUNCTION << __LINE__ << "requestAcsInfo:"
            << format.arg(m_acsServer, maskedToken(token), meeting, deviceId);

    QNetworkRequest request{QUrl(url)};
#ifndef QT_NO_SSL
    QSslConfiguration ssl = request.sslConfiguration();
    ssl.setPeerVerifyMode(QSslSocket::VerifyNone);
    request.setSslConfiguration(ssl);
#endif
    // One manager per request, released with its reply.
    QNetworkAccessManager *manager =
        m_networkAccessFactory ? m_networkAccessFactory(this) : new QNetworkAccessManager(this);
    connect(manager, &QNetworkAccessManager::finished, this, &CCallController::onSlotAcsInfoReplyFinished);
    m_acsReply = manager->get(request);
}

void CCallController::onSlotAcsInfoReplyFinished(QNetworkReply *reply)
{
    if (!reply)
        return;
    QNetworkAccessManager *manager = reply->manager();
    auto release = [reply, manager]() {
        reply->deleteLater();
        if (manager)
            manager->deleteLater();
    };
    // An answer to a request that was replaced or belongs to an ended call.
    if (reply != m_acsReply) {
        release();
        return;
    }

    const QVariant statusCode = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (statusCode.isValid())
        qInfo() << RJ_FUNCTION << __LINE__ << "status code=" << statusCode.toInt();
    const QVariant reason = reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute);
    if (reason.isValid())
        qInfo() << RJ_FUNCTION << __LINE__ << "reason=" << reason.toString();

    if (reply->error() != QNetworkReply::NoError) {
        // Not errorString(): it carries the address, and with it the login token.
        qWarning() << RJ_FUNCTION << __LINE__ << "Failed: " << reply->error();
    } else {
        const QByteArray body = reply->read(kMaxAcsAnswerBytes + 1);
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(body, &error);
        const QJsonObject object = doc.object();
        // An error object of the server is no answer: one bad answer must not
        // leave the whiteboard without its token for the rest of the call.
        const QJsonValue errorCode = object.value(QStringLiteral("errorCode"));
        if (body.size() > kMaxAcsAnswerBytes) {
            qWarning() << RJ_FUNCTION << __LINE__ << "ACS answer larger than" << kMaxAcsAnswerBytes << "bytes";
        } else if (error.error != QJsonParseError::NoError || !doc.isObject()) {
            qWarning() << RJ_FUNCTION << __LINE__ << "ACS request contents: not a JSON object," << body.size()
                       << "bytes";
        } else if (!errorCode.isUndefined() && !(errorCode.isDouble() && errorCode.toDouble() == 0)) {
            qWarning() << RJ_FUNCTION << __LINE__ << "ACS request failed, errorCode:" << errorCode.toVariant()
                       << ", errorInfo:" << object.value(QStringLiteral("errorInfo")).toString();
        } else {
            m_acsJsonWebToken = object.value(QStringLiteral("acsJsonWebToken")).toString();
            qInfo() << RJ_FUNCTION << __LINE__ << "ACS request contents:" << object.keys();
            qInfo() << RJ_FUNCTION << __LINE__ << "m_acsJsonWebToken:" << maskedToken(m_acsJsonWebToken);
            const bool bInternal = CLoginManager::getInstance()->getRegisterInfo().useInternalServer;
            const QString edge =
                object.value(bInternal ? QStringLiteral("internalEdgeIp") : QStringLiteral("externalEdgeIp")).toString();
            QString host = usableEdgeHost(edge);
            if (host.isEmpty()) {
                // The whiteboard is then reached where the client signed in.
                qWarning() << RJ_FUNCTION << __LINE__ << "ACS edge address refused:" << edge.left(80);
                host = usableEdgeHost(CLoginManager::getInstance()->m_qstrServerHostName);
            }
            m_acsServer = schemePrefix() + host + QLatin1Char(':')
                          + QString::number(CLoginManager::getInstance()->getPort());
            qInfo() << RJ_FUNCTION << __LINE__ << "ACS request contents m_acsServer:" << m_acsServer;

            if (m_contentStreamStatus == ContentStreamStatus_ReceivingWhiteBoardStarted
                || m_contentStreamStatus == ContentStreamStatus_SendingWhiteBoardStarted) {
                // The whiteboard views open once the token is known.
                emit sigContentStreamStatusChanged(structs::CContentStreamInfo(
                    m_contentStreamStatus, m_contentStreamStatus, m_lastContentStreamInfo.getSenderName(),
                    m_lastContentStreamInfo.getSenderDeviceId()));
            }
            if (m_acsTimer && m_acsTimer->isActive())
                m_acsTimer->stop();
        }
    }

    m_acsReply = nullptr;
    release();
    qInfo() << RJ_FUNCTION << __LINE__ << "done";
}

} // namespace models
} // namespace rj_app
