#include "Whiteboard.h"

#include <httplib.h>

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QtMath>

#include <cmath>
#include <string>

namespace devserver {

namespace {

using httplib::Request;
using httplib::Response;

const char kJsonType[] = "application/json;charset=UTF-8";
constexpr int kMaxPoints = 4000;
constexpr int kMaxStrokes = 5000;
constexpr int kMaxAuthorLength = 64;
constexpr double kMaxWidth = 64;
constexpr int kMaxPictureSide = 4096;

void sendJson(Response &res, const QJsonObject &object, int status = 200)
{
    res.status = status;
    res.set_content(QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString(), kJsonType);
}

void sendError(Response &res, int status, const char *message)
{
    sendJson(res, QJsonObject{{QStringLiteral("error"), QString::fromLatin1(message)}}, status);
}

QByteArray base64UrlDecode(const QByteArray &part)
{
    return QByteArray::fromBase64(part, QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals);
}

// The value of one cookie of a Cookie header.
QByteArray cookieValue(const std::string &header, const QByteArray &name)
{
    const QList<QByteArray> pairs = QByteArray::fromStdString(header).split(';');
    for (const QByteArray &pair : pairs) {
        const int eq = pair.indexOf('=');
        if (eq > 0 && pair.left(eq).trimmed() == name)
            return pair.mid(eq + 1).trimmed();
    }
    return {};
}

bool isFiniteIn(const QJsonValue &v, double low, double high)
{
    if (!v.isDouble())
        return false;
    const double d = v.toDouble();
    return std::isfinite(d) && d >= low && d <= high;
}

QString page()
{
    QFile file(QStringLiteral(":/devserver/whiteboard.html"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

// A drawing seeded on the remote participant's board: a framed sketch of a
// plan, in normalised page coordinates.
QJsonArray seededStrokes(const QString &author)
{
    const auto stroke = [&author](const QString &tool, int r, int g, int b, double width,
                                  std::initializer_list<std::pair<double, double>> points) {
        QJsonArray pts;
        for (const auto &p : points)
            pts.append(QJsonArray{p.first, p.second});
        return QJsonObject{{QStringLiteral("author"), author},
                           {QStringLiteral("tool"), tool},
                           {QStringLiteral("color"), QJsonObject{{QStringLiteral("r"), r},
                                                                 {QStringLiteral("g"), g},
                                                                 {QStringLiteral("b"), b}}},
                           {QStringLiteral("width"), width},
                           {QStringLiteral("points"), pts}};
    };
    return QJsonArray{
        stroke(QStringLiteral("pencil"), 33, 150, 243, 6, {{0.15, 0.2}, {0.45, 0.2}, {0.45, 0.45}, {0.15, 0.45}, {0.15, 0.2}}),
        stroke(QStringLiteral("pencil"), 76, 175, 80, 6, {{0.55, 0.55}, {0.85, 0.55}, {0.85, 0.8}, {0.55, 0.8}, {0.55, 0.55}}),
        stroke(QStringLiteral("pencil"), 244, 67, 54, 9, {{0.45, 0.33}, {0.55, 0.45}, {0.55, 0.55}}),
        stroke(QStringLiteral("nitePen"), 255, 235, 59, 16, {{0.17, 0.6}, {0.45, 0.6}}),
    };
}

} // namespace

Whiteboards::Whiteboards(QString seededConference, QString seededAuthor)
    : m_seededConference(std::move(seededConference))
    , m_seededAuthor(std::move(seededAuthor))
{
}

std::optional<QString> Whiteboards::conferenceOf(const QByteArray &token)
{
    const QList<QByteArray> parts = token.split('.');
    if (parts.size() != 3 || token.size() > 4096)
        return std::nullopt;
    QJsonParseError error;
    const QJsonDocument claims = QJsonDocument::fromJson(base64UrlDecode(parts.at(1)), &error);
    if (error.error != QJsonParseError::NoError || !claims.isObject())
        return std::nullopt;
    const QString conf = claims.object().value(QLatin1String("conf")).toString().trimmed();
    if (conf.isEmpty() || conf.size() > 64)
        return std::nullopt;
    return conf;
}

Whiteboards::Board &Whiteboards::boardLocked(const QString &conf)
{
    auto it = m_boards.find(conf);
    if (it == m_boards.end()) {
        Board board;
        if (conf == m_seededConference)
            board.strokes = seededStrokes(m_seededAuthor);
        it = m_boards.emplace(conf, board).first;
    }
    return it->second;
}

QJsonObject Whiteboards::snapshot(const QString &conf)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const Board &b = boardLocked(conf);
    return QJsonObject{{QStringLiteral("conference"), conf},
                       {QStringLiteral("revision"), b.revision},
                       {QStringLiteral("strokes"), b.strokes},
                       {QStringLiteral("background"), b.background},
                       {QStringLiteral("pictureVersion"), b.pictureVersion}};
}

std::optional<QJsonObject> Whiteboards::checkedStroke(const QJsonObject &stroke)
{
    const QString tool = stroke.value(QLatin1String("tool")).toString();
    if (tool != QLatin1String("pencil") && tool != QLatin1String("nitePen") && tool != QLatin1String("eraser"))
        return std::nullopt;
    const QString author = stroke.value(QLatin1String("author")).toString();
    if (author.size() > kMaxAuthorLength)
        return std::nullopt;
    const QJsonObject color = stroke.value(QLatin1String("color")).toObject();
    for (const char *c : {"r", "g", "b"}) {
        if (!isFiniteIn(color.value(QLatin1String(c)), 0, 255))
            return std::nullopt;
    }
    if (!isFiniteIn(stroke.value(QLatin1String("width")), 0.5, kMaxWidth))
        return std::nullopt;
    const QJsonArray points = stroke.value(QLatin1String("points")).toArray();
    if (points.isEmpty() || points.size() > kMaxPoints)
        return std::nullopt;
    QJsonArray cleanPoints;
    for (const QJsonValue &p : points) {
        const QJsonArray xy = p.toArray();
        if (xy.size() != 2 || !isFiniteIn(xy.at(0), 0, 1) || !isFiniteIn(xy.at(1), 0, 1))
            return std::nullopt;
        cleanPoints.append(QJsonArray{xy.at(0).toDouble(), xy.at(1).toDouble()});
    }
    // Only what the pages draw is kept: no stray keys reach other pages.
    return QJsonObject{{QStringLiteral("author"), author},
                       {QStringLiteral("tool"), tool},
                       {QStringLiteral("color"), QJsonObject{{QStringLiteral("r"), qRound(color.value(QLatin1String("r")).toDouble())},
                                                             {QStringLiteral("g"), qRound(color.value(QLatin1String("g")).toDouble())},
                                                             {QStringLiteral("b"), qRound(color.value(QLatin1String("b")).toDouble())}}},
                       {QStringLiteral("width"), stroke.value(QLatin1String("width")).toDouble()},
                       {QStringLiteral("points"), cleanPoints}};
}

std::optional<int> Whiteboards::addStroke(const QString &conf, const QJsonObject &stroke)
{
    const std::optional<QJsonObject> clean = checkedStroke(stroke);
    if (!clean)
        return std::nullopt;
    std::lock_guard<std::mutex> lock(m_mutex);
    Board &b = boardLocked(conf);
    if (b.strokes.size() >= kMaxStrokes)
        return std::nullopt;
    b.strokes.append(*clean);
    return ++b.revision;
}

int Whiteboards::undo(const QString &conf, const QString &author)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    Board &b = boardLocked(conf);
    // Each page takes back its own strokes only.
    for (int i = b.strokes.size() - 1; i >= 0; --i) {
        if (b.strokes.at(i).toObject().value(QLatin1String("author")).toString() == author) {
            b.strokes.removeAt(i);
            return ++b.revision;
        }
    }
    return b.revision;
}

int Whiteboards::clear(const QString &conf)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    Board &b = boardLocked(conf);
    b.strokes = QJsonArray();
    return ++b.revision;
}

std::optional<int> Whiteboards::setBackground(const QString &conf, const QString &kind)
{
    if (kind != QLatin1String("white") && kind != QLatin1String("black") && kind != QLatin1String("img"))
        return std::nullopt;
    std::lock_guard<std::mutex> lock(m_mutex);
    Board &b = boardLocked(conf);
    if (kind == QLatin1String("img") && b.picture.isEmpty())
        return std::nullopt;
    b.background = kind;
    return ++b.revision;
}

bool Whiteboards::storeBackground(const QString &conf, const QByteArray &data)
{
    QBuffer buffer;
    buffer.setData(data);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > kMaxPictureSide || size.height() > kMaxPictureSide)
        return false;
    const QImage image = reader.read();
    if (image.isNull())
        return false;
    // Re-encoded, so only a picture is ever served back.
    QByteArray png;
    QBuffer out(&png);
    out.open(QIODevice::WriteOnly);
    if (!image.save(&out, "PNG"))
        return false;
    std::lock_guard<std::mutex> lock(m_mutex);
    Board &b = boardLocked(conf);
    b.picture = png;
    ++b.pictureVersion;
    ++b.revision;
    return true;
}

QByteArray Whiteboards::background(const QString &conf)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return boardLocked(conf).picture;
}

void Whiteboards::install(httplib::Server &s)
{
    // The token travels in the query of the page's requests, or as the "jwt"
    // cookie of an upload.
    const auto withBoard = [](auto handler) {
        return [handler](const Request &req, Response &res) {
            QByteArray token = QByteArray::fromStdString(req.get_param_value("jwt"));
            if (token.isEmpty())
                token = cookieValue(req.get_header_value("Cookie"), "jwt");
            const std::optional<QString> conf = conferenceOf(token);
            if (!conf) {
                sendError(res, 401, "invalid whiteboard token");
                return;
            }
            handler(*conf, req, res);
        };
    };
    const auto jsonBody = [](const Request &req, QJsonObject *body) {
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(req.body), &error);
        if (error.error != QJsonParseError::NoError || !doc.isObject())
            return false;
        *body = doc.object();
        return true;
    };
    const auto revision = [](Response &res, int rev) {
        sendJson(res, QJsonObject{{QStringLiteral("revision"), rev}});
    };

    s.Get("/acs/index.html", [](const Request &, Response &res) {
        res.set_header("Cache-Control", "no-store");
        res.set_content(page().toStdString(), "text/html;charset=UTF-8");
    });
    s.Get("/acs/board", withBoard([this](const QString &conf, const Request &, Response &res) {
              sendJson(res, snapshot(conf));
          }));
    s.Post("/acs/board/stroke", withBoard([this, jsonBody, revision](const QString &conf, const Request &req, Response &res) {
               QJsonObject body;
               std::optional<int> rev;
               if (jsonBody(req, &body))
                   rev = addStroke(conf, body);
               if (!rev)
                   sendError(res, 400, "invalid stroke");
               else
                   revision(res, *rev);
           }));
    s.Post("/acs/board/undo", withBoard([this, jsonBody, revision](const QString &conf, const Request &req, Response &res) {
               QJsonObject body;
               jsonBody(req, &body);
               revision(res, undo(conf, body.value(QLatin1String("author")).toString()));
           }));
    s.Post("/acs/board/clear", withBoard([this, revision](const QString &conf, const Request &, Response &res) {
               revision(res, clear(conf));
           }));
    s.Post("/acs/board/background", withBoard([this, jsonBody, revision](const QString &conf, const Request &req, Response &res) {
               QJsonObject body;
               std::optional<int> rev;
               if (jsonBody(req, &body))
                   rev = setBackground(conf, body.value(QLatin1String("kind")).toString());
               if (!rev)
                   sendError(res, 400, "invalid background");
               else
                   revision(res, *rev);
           }));
    s.Get("/acs/background", withBoard([this](const QString &conf, const Request &, Response &res) {
              const QByteArray picture = background(conf);
              if (picture.isEmpty()) {
                  sendError(res, 404, "no background picture");
                  return;
              }
              res.set_header("Cache-Control", "no-store");
              res.set_content(picture.toStdString(), "image/png");
          }));
    s.Post("/acs/upload", withBoard([this](const QString &conf, const Request &req, Response &res) {
               if (!req.has_file("file")) {
                   sendError(res, 400, "no file part");
                   return;
               }
               const QByteArray data = QByteArray::fromStdString(req.get_file_value("file").content);
               if (!storeBackground(conf, data)) {
                   sendError(res, 400, "not a picture");
                   return;
               }
               sendJson(res, QJsonObject{{QStringLiteral("ok"), true}});
           }));
}

} // namespace devserver
