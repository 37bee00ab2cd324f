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

// A line ends at a line feed, or at a carriage return that comes before one
// or ends the text (a line of a CR LF file). A carriage return inside a line
// is no end: the parser takes it as part of a password.
bool endsLine(const QString &text, int at)
{
    const QChar c = text.at(at);
    if (c == QLatin1Char('\n'))
        return true;
    return c == QLatin1Char('\r') && (at + 1 == text.size() || text.at(at + 1) == QLatin1Char('\n'));
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
    return maskedJoinUrls(arg);
}

// A join URL need not parse to carry a password: a bare one, one with a
// slash too many or a line feed is still logged as typed. So every
// "joinmeeting/<number>/<flag>/" hides what follows it to the end of its line;
// only the SIP form's server after a single further "/" stays readable, as
// the parser reads it.
QString CUrlJoinConfArgsParser::maskedJoinUrls(const QString &text)
{
    static const QLatin1String kMarker("joinmeeting/");
    static const QLatin1String kSipScheme("glimora://");
    static const QLatin1String kHidden("***");
    QString out = text;
    int from = 0;
    for (int at; (at = out.indexOf(kMarker, from, Qt::CaseInsensitive)) >= 0;) {
        const int fields = at + kMarker.size();
        int lineEnd = fields;
        while (lineEnd < out.size() && !endsLine(out, lineEnd))
            ++lineEnd;
        from = lineEnd;
        const int numberEnd = out.indexOf(QLatin1Char('/'), fields);
        if (numberEnd < 0 || numberEnd >= lineEnd)
            continue; // a number alone
        const int flagEnd = out.indexOf(QLatin1Char('/'), numberEnd + 1);
        // Without a flag field what follows the number may be the password.
        const int start = flagEnd >= 0 && flagEnd < lineEnd ? flagEnd + 1 : numberEnd + 1;
        int end = lineEnd;
        const bool sip = at >= kSipScheme.size()
                         && out.midRef(at - kSipScheme.size(), kSipScheme.size()).compare(kSipScheme, Qt::CaseInsensitive) == 0;
        const int serverStart = out.indexOf(QLatin1Char('/'), start);
        const int slashAfter = serverStart >= 0 ? out.indexOf(QLatin1Char('/'), serverStart + 1) : -1;
        if (sip && serverStart >= 0 && serverStart < lineEnd && (slashAfter < 0 || slashAfter >= lineEnd))
            end = serverStart;
        if (end == start || out.midRef(start, end - start) == QLatin1String("NO"))
            continue;
        out.replace(start, end - start, kHidden);
        from = start + kHidden.size() + (lineEnd - end);
    }
    return out;
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
