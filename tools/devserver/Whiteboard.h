#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>

#include <functional>
#include <map>
#include <mutex>
#include <optional>

namespace httplib {
class Server;
struct Request;
struct Response;
} // namespace httplib

namespace devserver {

// The demo whiteboard server: the board page at "/acs/index.html", one board
// per conference that every page of that conference draws on, and background
// pictures uploaded at "/acs/upload". A page proves its conference with the
// whiteboard token the management routes hand out ("/acsToken"); the demo
// server trusts whoever holds one, as its tokens are unsigned.
class Whiteboards
{
public:
    // The board of the demo meeting with a remote whiteboard starts with
    // that participant's drawing on it.
    explicit Whiteboards(QString seededConference = QStringLiteral("1007"),
                         QString seededAuthor = QStringLiteral("Erin Park"));

    // Installs the routes; must run before any catch-all route.
    void install(httplib::Server &server);

    // The conference a whiteboard token names, or nothing for a malformed one.
    static std::optional<QString> conferenceOf(const QByteArray &token);

    // Board operations, also used by the tests. Each answers the new revision,
    // or nothing when the input is refused.
    QJsonObject snapshot(const QString &conf);
    std::optional<int> addStroke(const QString &conf, const QJsonObject &stroke);
    int undo(const QString &conf, const QString &author);
    int clear(const QString &conf);
    std::optional<int> setBackground(const QString &conf, const QString &kind);
    // Stores an uploaded picture (re-encoded); false when it is not one.
    bool storeBackground(const QString &conf, const QByteArray &data);
    QByteArray background(const QString &conf);

private:
    struct Board
    {
        int revision = 0;
        QJsonArray strokes;
        QString background = QStringLiteral("white"); // white, black or img
        QByteArray picture;                            // PNG, when one was uploaded
        int pictureVersion = 0;
    };

    Board &boardLocked(const QString &conf);
    static std::optional<QJsonObject> checkedStroke(const QJsonObject &stroke);

    std::mutex m_mutex;
    std::map<QString, Board> m_boards;
    QString m_seededConference;
    QString m_seededAuthor;
};

} // namespace devserver
