#include "views/meetings/CWebJsContext.h"

#include "helpers/LogMacros.h"
#include "models/CLoginManager.h"

#include <QDesktopServices>
#include <QStringList>

namespace rj_app {
namespace views {

namespace {

CWebJsContext::UrlOpener &urlOpener()
{
    static CWebJsContext::UrlOpener opener;
    return opener;
}

// Page text goes into one log line: control characters (line breaks above all)
// would let a page forge further lines.
QString oneLine(const QString &qstrText)
{
    QString out;
    out.reserve(qstrText.size());
    for (const QChar c : qstrText)
        out.append(c.category() == QChar::Other_Control ? QChar(u' ') : c);
    return out;
}

bool hasControlCharacter(const QString &qstrText)
{
    for (const QChar c : qstrText) {
        if (c.category() == QChar::Other_Control)
            return true;
    }
    return false;
}

// Meeting passwords stay out of the log; whether one was given is enough.
QString maskedPassword(const QString &qstrPassword)
{
    return qstrPassword.isEmpty() ? QString() : QStringLiteral("******");
}

// A number the page sends is dialled or shown in the join dialog: surrounding
// blanks are dropped, and one carrying control characters is refused.
bool acceptableNumber(QString &qstrNumber)
{
    qstrNumber = qstrNumber.trimmed();
    if (hasControlCharacter(qstrNumber)) {
        qWarning() << "Refused join request, malformed number:" << oneLine(qstrNumber);
        return false;
    }
    return true;
}

} // namespace

CWebJsContext::CWebJsContext(QObject *parent)
    : QObject(parent)
{
}

CWebJsContext::~CWebJsContext()
{
    qInfo() << RJ_FUNCTION;
}

void CWebJsContext::setUrlOpener(UrlOpener opener)
{
    urlOpener() = std::move(opener);
}

void CWebJsContext::joinConf(QString confNumber, QString confPassword, bool isAudioOnly)
{
    qInfo() << RJ_FUNCTION;
    qInfo() << "confNumber:" << oneLine(confNumber) << ", confPassword:" << maskedPassword(confPassword)
            << ", isAudioOnly:" << isAudioOnly;
    if (!acceptableNumber(confNumber))
        return;
    emit sigJoinConf(confNumber, confPassword, isAudioOnly, QString());
}

void CWebJsContext::joinConfWithPeerName(QString confNumber, QString confPassword, bool isAudioOnly,
                                         QString peerName)
{
    qInfo() << RJ_FUNCTION;
    qInfo() << "confNumber:" << oneLine(confNumber) << ", confPassword:" << maskedPassword(confPassword)
            << ", isAudioOnly:" << isAudioOnly << ", peerName:" << oneLine(peerName);
    if (!acceptableNumber(confNumber))
        return;
    emit sigJoinConf(confNumber, confPassword, isAudioOnly, peerName);
}

void CWebJsContext::tokenExpired()
{
    qInfo() << RJ_FUNCTION;
    models::CLoginManager::getInstance()->updateLoginToken(true);
}

bool CWebJsContext::go2Reservation(QString qstrUrl)
{
    qInfo() << RJ_FUNCTION;
    return openLink(qstrUrl, {QStringLiteral("http"), QStringLiteral("https")});
}

bool CWebJsContext::sendEmail(QString qstrEmail)
{
    qInfo() << RJ_FUNCTION;
    return openLink(qstrEmail, {QStringLiteral("mailto")});
}

void CWebJsContext::pageCreated()
{
    qInfo() << RJ_FUNCTION;
    emit sigPageCreated();
}

void CWebJsContext::p2pCall(QString qstrPeerInfo)
{
    qInfo() << RJ_FUNCTION;
    qInfo() << "p2pCall:" << oneLine(qstrPeerInfo);
}

void CWebJsContext::clearCache()
{
    qInfo() << RJ_FUNCTION;
    qInfo("do nothing currently");
}

void CWebJsContext::webLog(QString logInfo)
{
    qInfo() << RJ_FUNCTION;
    qInfo().noquote() << oneLine(logInfo);
}

// The page is remote content: a link it hands over is opened only when it is a
// well-formed address of the expected kind, never a local file or a program.
bool CWebJsContext::openLink(const QString &qstrLink, const QStringList &allowedSchemes)
{
    const QUrl url(qstrLink.trimmed(), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (qstrLink.trimmed().isEmpty() || !url.isValid() || !allowedSchemes.contains(scheme)
        || (scheme != QLatin1String("mailto") && url.host().isEmpty())
        || (scheme == QLatin1String("mailto") && url.path().isEmpty())) {
        qWarning() << "Refused to open link:" << oneLine(qstrLink);
        return false;
    }
    const UrlOpener &opener = urlOpener();
    const bool bOpened = opener ? opener(url) : QDesktopServices::openUrl(url);
    if (!bOpened)
        qWarning() << "Failed to open link:" << url.toDisplayString();
    return bOpened;
}

} // namespace views
} // namespace rj_app
