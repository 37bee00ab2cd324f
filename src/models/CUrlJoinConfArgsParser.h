#pragma once

#include <QString>

namespace rj_app::models {

// Which join URL form the last parse matched.
enum UrlJoinConfProtocol {
    UrlJoinConfProtocol_None = 0,   // nothing to join
    UrlJoinConfProtocol_Server = 1, // "brondal://<server>/joinmeeting/..."
    UrlJoinConfProtocol_Sip = 2,    // "glimora://joinmeeting/...[/<sip server>]"
};

// Splits a "--url=" start argument into the parts of a meeting join. The
// members are public: the main-window manager, the login window and the
// login manager read them directly.
class CUrlJoinConfArgsParser
{
public:
    static CUrlJoinConfArgsParser *getInstance();

    // Parses one command-line argument (UTF-8). Every call starts from a
    // cleared state; on failure everything stays cleared. An argument longer
    // than m_iMaxArgumentBytes or holding a line feed is refused unmatched.
    bool parse(const char *arg);

    static constexpr int m_iMaxArgumentBytes = 4096;

    // The argument as it may be logged: the password field of a join URL
    // replaced by "***" ("NO", no password, stays). Anything else unchanged.
    static QString maskedArgument(const QString &arg);
    // Any text as it may be logged or archived: the password of every join
    // URL in it hidden, whether the URL would parse or not (see maskedArgument).
    static QString maskedJoinUrls(const QString &text);

    // Forgets the last join URL.
    void clear();

    QString m_qstrServerAddress;
    QString m_qstrConfNumber;
    bool m_bIsAudioOnly = false;
    QString m_qstrPassword;
    QString m_qstrSipServerAddress;
    int m_iJoinConfProtocol = UrlJoinConfProtocol_None;

private:
    CUrlJoinConfArgsParser() = default;
    void reset();
    CUrlJoinConfArgsParser(const CUrlJoinConfArgsParser &) = delete;
    CUrlJoinConfArgsParser &operator=(const CUrlJoinConfArgsParser &) = delete;
};

} // namespace rj_app::models
