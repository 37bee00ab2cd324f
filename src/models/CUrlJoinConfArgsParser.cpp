#include "models/CUrlJoinConfArgsParser.h"

#include <QDebug>
#include <QRegularExpression>

#include <cstring>

namespace rj_app::models {

namespace {

// Both forms must cover the whole argument: \A and \z instead of ^ and $,
// since $ would also accept a trailing line feed. Form 2 keeps line feeds out
// of its fields for the same reason ('.' in form 1 never matches one).
const QRegularExpression &serverForm()
{
    static const QRegularExpression re(
        QStringLiteral("\\A--url=brondal://(.+)/joinmeeting/(.+)/(.+)/(.+)\\z"));
    return re;
}

const QRegularExpression &sipForm()
{
    static const QRegularExpression re(QStringLiteral(
        "\\A--url=glimora://joinmeeting/([^/\\n]+)/([^/\\n]+)/([^/\\n]+)(/)?([^/\\n]*)?\\z"));
    return re;
}

// "NO" in the password field means the meeting has none.
QString passwordField(const QString &field)
{
    return field == QLatin1String("NO") ? QString() : field;
}

} // namespace

CUrlJoinConfArgsParser *CUrlJoinConfArgsParser::getInstance()
{
    static CUrlJoinConfArgsParser instance;
    return &instance;
}

bool CUrlJoinConfArgsParser::parse(const char *arg)
{
    qInfo() << "rj_app::models::CUrlJoinConfArgsParser::parse";
    reset();
    if (!arg)
        return false;

    // Matching a long argument that fails only at its end backtracks for
    // seconds; neither form can match a line feed, and no join URL comes
    // near the bound.
    const size_t length = qstrnlen(arg, size_t(m_iMaxArgumentBytes) + 1);
    if (length > size_t(m_iMaxArgumentBytes) || std::memchr(arg, '\n', length)) {
        qInfo() << "Invalid url join conf arg";
        return false;
    }

    const QString text = QString::fromUtf8(arg, int(length));

    const QRegularExpressionMatch server = serverForm().match(text);
    if (server.hasMatch()) {
        m_qstrServerAddress = server.captured(1);
        m_qstrConfNumber = server.captured(2);
        m_bIsAudioOnly = server.captured(3) == QLatin1String("1");
        m_qstrPassword = passwordField(server.captured(4));
        // The password itself stays out of the log.
        qInfo() << "captured:" << server.lastCapturedIndex()
                << "server:" << m_qstrServerAddress << "conf:" << m_qstrConfNumber
                << "audioOnly:" << m_bIsAudioOnly << "hasPassword:" << !m_qstrPassword.isEmpty();
        m_iJoinConfProtocol = UrlJoinConfProtocol_Server;
        return true;
    }

    const QRegularExpressionMatch sip = sipForm().match(text);
    if (sip.hasMatch()) {
        m_qstrConfNumber = sip.captured(1);
        m_bIsAudioOnly = sip.captured(2) == QLatin1String("1");
        m_qstrPassword = passwordField(sip.captured(3));
        m_qstrSipServerAddress = sip.captured(5);
        qInfo() << "captured:" << sip.lastCapturedIndex() << "conf:" << m_qstrConfNumber
                << "audioOnly:" << m_bIsAudioOnly << "hasPassword:" << !m_qstrPassword.isEmpty()
                << "sipServer:" << m_qstrSipServerAddress;
        m_iJoinConfProtocol = UrlJoinConfProtocol_Sip;
        return true;
    }

    qInfo() << "Invalid url join conf arg";
    return false;
}

QString CUrlJoinConfArgsParser::maskedArgument(const QString &arg)
{
    for (const QRegularExpression *form : {&serverForm(), &sipForm()}) {
        const QRegularExpressionMatch match = form->match(arg);
        const int field = form == &serverForm() ? 4 : 3;
        if (!match.hasMatch() || match.captured(field) == QLatin1String("NO"))
            continue;
        QString masked = arg;
        masked.replace(match.capturedStart(field), match.capturedLength(field), QStringLiteral("***"));
        return masked;
    }
    return arg;
}

void CUrlJoinConfArgsParser::clear()
{
    qInfo() << "rj_app::models::CUrlJoinConfArgsParser::clear";
    reset();
}

void CUrlJoinConfArgsParser::reset()
{
    m_qstrServerAddress.clear();
    m_qstrConfNumber.clear();
    m_bIsAudioOnly = false;
    m_qstrPassword.clear();
    m_qstrSipServerAddress.clear();
    m_iJoinConfProtocol = UrlJoinConfProtocol_None;
}

} // namespace rj_app::models
