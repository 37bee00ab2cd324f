#include "views/meetings/CWebJsContext.h"

#include "helpers/LogMacros.h"
#include "models/CLoginManager.h"

#include <QDesktopServices>
#include <QStringList>
#include <QUrlQuery>

namespace rj_app {
namespace views {

namespace {

CWebJsContext::UrlOpener &urlOpener()
{
    static CWebJsContext::UrlOpener opener;
    return opener;
}

// Characters that break a line or reorder what follows it: control
// characters, the Unicode line and paragraph separators, and the
// bidirectional marks, embeddings, overrides and isolates.
bool breaksLine(QChar c)
{
    switch (c.category()) {
    case QChar::Other_Control:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    default:
        break;
    }
    const char16_t u = c.unicode();
    return u == 0x061C || u == 0x200E || u == 0x200F || (u >= 0x202A && u <= 0x202E)
           || (u >= 0x2066 && u <= 0x2069);
}

// Page text goes into one log line: such characters would let a page forge
// further lines or disguise the one it writes.
QString oneLine(const QString &qstrText)
{
    QString out;
    out.reserve(qstrText.size());
    for (const QChar c : qstrText)
        out.append(breaksLine(c) ? QChar(u' ') : c);
    return out;
}

bool hasLineBreaker(const QString &qstrText)
{
    for (const QChar c : qstrText) {
        if (breaksLine(c))
            return true;
    }
    return false;
}

// A mail link as the mail program gets it: rebuilt from the address and the
// fields a page may fill in, each value encoded whole, so nothing the page
// wrote (a fragment, a ";" or "&" hidden in a value, attach, file, ...) can
// become a field that makes the mail program send a local file. Empty when
// the link holds anything else.
QUrl rebuiltMailLink(const QUrl &url)
{
    static const QStringList kFields = {QStringLiteral("to"), QStringLiteral("subject"), QStringLiteral("body"),
                                        QStringLiteral("cc"), QStringLiteral("bcc")};
    if (url.hasFragment() || !url.host().isEmpty() || !url.userInfo().isEmpty())
        return QUrl();
    // A separator hidden in the address would become a parameter once the
    // mail program decodes it; a "%" left after decoding would on a second.
    const QString address = url.path(QUrl::FullyDecoded);
    if (address.isEmpty() || hasLineBreaker(address))
        return QUrl();
    for (const QChar c : address) {
        if (c.isSpace() || QStringLiteral("?&#;=%<>\"").contains(c))
            return QUrl();
    }
    QByteArray link = "mailto:" + QUrl::toPercentEncoding(address, "@,+");
    const QList<QPair<QString, QString>> items = QUrlQuery(url).queryItems(QUrl::FullyDecoded);
    for (int i = 0; i < items.size(); ++i) {
        if (!kFields.contains(items.at(i).first.toLower()))
            return QUrl();
        link += (i == 0 ? '?' : '&') + items.at(i).first.toLatin1() + '='
                + QUrl::toPercentEncoding(items.at(i).second, "@,");
    }
    return QUrl::fromEncoded(link, QUrl::StrictMode);
}

// Meeting passwords stay out of the log; whether one was given is enough.
QString maskedPassword(const QString &qstrPassword)
{
    return qstrPassword.isEmpty() ? QString() : QStringLiteral("******");
}

// A number the page sends is dialled or shown in the join dialog: surrounding
// blanks are dropped, and one carrying a character that breaks or reorders a
// line is refused.
bool acceptableNumber(QString &qstrNumber)
{
    qstrNumber = qstrNumber.trimmed();
    if (hasLineBreaker(qstrNumber)) {
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
    QUrl url(qstrLink.trimmed(), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("mailto") && url.isValid())
        url = rebuiltMailLink(url);
    if (qstrLink.trimmed().isEmpty() || !url.isValid() || !allowedSchemes.contains(scheme)
        || (scheme != QLatin1String("mailto") && url.host().isEmpty())) {
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
