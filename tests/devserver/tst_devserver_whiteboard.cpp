// The demo server's whiteboard: its page, the boards that the pages of one
// conference share, and the background upload the client sends.
#include "support/DemoServerProcess.h"
#include "support/TestMain.h"

#include <QBuffer>
#include <QEventLoop>
#include <QHttpMultiPart>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrlQuery>

#include <functional>

namespace {

constexpr int kWaitMs = 10000;

struct Answer
{
    int status = 0;
    QByteArray body;
    QByteArray contentType;
    QJsonObject object() const { return QJsonDocument::fromJson(body).object(); }
};

Answer finish(QNetworkReply *reply)
{
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(kWaitMs, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec();
    Answer a;
    a.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    a.body = reply->readAll();
    a.contentType = reply->header(QNetworkRequest::ContentTypeHeader).toByteArray();
    delete reply;
    return a;
}

QByteArray base64Url(const QJsonObject &o)
{
    return QJsonDocument(o).toJson(QJsonDocument::Compact).toBase64(QByteArray::Base64UrlEncoding
                                                                    | QByteArray::OmitTrailingEquals);
}

// A token of the form the management routes hand out, for any conference.
QByteArray tokenFor(const QString &conf)
{
    return base64Url({{QStringLiteral("alg"), QStringLiteral("none")}}) + '.'
           + base64Url({{QStringLiteral("conf"), conf}}) + '.';
}

QJsonObject stroke(const QString &author, const QString &tool = QStringLiteral("pencil"))
{
    return {{QStringLiteral("author"), author},
            {QStringLiteral("tool"), tool},
            {QStringLiteral("color"), QJsonObject{{QStringLiteral("r"), 10}, {QStringLiteral("g"), 20}, {QStringLiteral("b"), 30}}},
            {QStringLiteral("width"), 6},
            {QStringLiteral("points"), QJsonArray{QJsonArray{0.1, 0.1}, QJsonArray{0.5, 0.6}}}};
}

QByteArray picture(const char *format)
{
    QImage image(32, 24, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

using StrokeSpoiler = std::function<void(QJsonObject &)>;

} // namespace

Q_DECLARE_METATYPE(StrokeSpoiler)

class TestDevServerWhiteboard : public QObject
{
    Q_OBJECT

    glimora::test::DemoServerProcess m_server{QStringLiteral(GLIMORA_DEVSERVER)};
    QNetworkAccessManager m_nam;

    QUrl url(const QString &path, const QByteArray &token) const
    {
        QUrl u(m_server.base() + path);
        if (!token.isNull()) {
            QUrlQuery q;
            q.addQueryItem(QStringLiteral("jwt"), QString::fromLatin1(token));
            u.setQuery(q);
        }
        return u;
    }
    Answer get(const QString &path, const QByteArray &token)
    {
        return finish(m_nam.get(QNetworkRequest(url(path, token))));
    }
    Answer post(const QString &path, const QByteArray &token, const QJsonObject &body)
    {
        QNetworkRequest request(url(path, token));
        request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArray("application/json"));
        return finish(m_nam.post(request, QJsonDocument(body).toJson()));
    }
    QJsonObject board(const QByteArray &token) { return get(QStringLiteral("/acs/board"), token).object(); }

    // The upload exactly as the whiteboard window builds it: the token as the
    // "jwt" cookie, one part "file" named background.jpg whatever it holds.
    Answer upload(const QByteArray &cookie, const QByteArray &content)
    {
        auto *multi = new QHttpMultiPart(QHttpMultiPart::FormDataType);
        QHttpPart part;
        part.setHeader(QNetworkRequest::ContentTypeHeader, QByteArray("image/jpg;"));
        part.setHeader(QNetworkRequest::ContentDispositionHeader,
                       QByteArray("form-data; name=\"file\"; filename=\"background.jpg\""));
        part.setBody(content);
        multi->append(part);
        QNetworkRequest request(url(QStringLiteral("/acs/upload"), QByteArray()));
        if (!cookie.isNull())
            request.setRawHeader("Cookie", "jwt=" + cookie);
        QNetworkReply *reply = m_nam.post(request, multi);
        multi->setParent(reply);
        return finish(reply);
    }

private slots:
    void initTestCase() { QVERIFY(m_server.startPlainHttp()); }

    void pageIsServed()
    {
        const Answer a = get(QStringLiteral("/acs/index.html"), tokenFor(QStringLiteral("1001")));
        QCOMPARE(a.status, 200);
        QVERIFY(a.contentType.startsWith("text/html"));
        // The functions the client calls, and the bridge it reports to.
        for (const char *name : {"window.pencil", "window.eraser", "window.undoLastOperation", "window.clearProject",
                                 "window.startBoard", "window.disconnect", "window.changeBackground",
                                 "window.changeColor", "window.lineWight", "qtWebObj", "boardConnected"})
            QVERIFY2(a.body.contains(name), name);
    }

    void tokens_data()
    {
        QTest::addColumn<QByteArray>("token");
        QTest::newRow("none") << QByteArray();
        QTest::newRow("not a token") << QByteArray("sim-alice-1");
        QTest::newRow("claims not JSON") << QByteArray("e30.bm90IGpzb24.");
        QTest::newRow("no conference") << (base64Url({}) + '.' + base64Url({{QStringLiteral("sub"), QStringLiteral("x")}}) + '.');
        QTest::newRow("too long") << tokenFor(QString(5000, QLatin1Char('9')));
    }
    void tokens()
    {
        QFETCH(QByteArray, token);
        QCOMPARE(get(QStringLiteral("/acs/board"), token).status, 401);
        QCOMPARE(post(QStringLiteral("/acs/board/stroke"), token, stroke(QStringLiteral("a"))).status, 401);
        QCOMPARE(upload(token, picture("PNG")).status, 401);
    }

    void boardsAreSharedPerConference()
    {
        // The demo meeting with a remote whiteboard has that person's drawing.
        const QJsonObject seeded = board(tokenFor(QStringLiteral("1007")));
        QVERIFY(!seeded.value(QLatin1String("strokes")).toArray().isEmpty());
        QCOMPARE(seeded.value(QLatin1String("strokes")).toArray().first().toObject().value(QLatin1String("author")).toString(),
                 QStringLiteral("Erin Park"));

        const QByteArray one = tokenFor(QStringLiteral("2001"));
        const QByteArray other = tokenFor(QStringLiteral("2002"));
        QCOMPARE(board(one).value(QLatin1String("strokes")).toArray().size(), 0);
        QCOMPARE(post(QStringLiteral("/acs/board/stroke"), one, stroke(QStringLiteral("p1"))).status, 200);
        QCOMPARE(post(QStringLiteral("/acs/board/stroke"), one, stroke(QStringLiteral("p2"), QStringLiteral("nitePen"))).status, 200);
        QCOMPARE(post(QStringLiteral("/acs/board/stroke"), one, stroke(QStringLiteral("p1"), QStringLiteral("eraser"))).status, 200);
        QCOMPARE(board(one).value(QLatin1String("strokes")).toArray().size(), 3);
        QCOMPARE(board(other).value(QLatin1String("strokes")).toArray().size(), 0);

        // Undo takes back the asking page's own latest stroke only.
        const int before = board(one).value(QLatin1String("revision")).toInt();
        QCOMPARE(post(QStringLiteral("/acs/board/undo"), one, {{QStringLiteral("author"), QStringLiteral("p2")}}).status, 200);
        QJsonArray left = board(one).value(QLatin1String("strokes")).toArray();
        QCOMPARE(left.size(), 2);
        for (const QJsonValue &s : left)
            QCOMPARE(s.toObject().value(QLatin1String("author")).toString(), QStringLiteral("p1"));
        QVERIFY(board(one).value(QLatin1String("revision")).toInt() > before);
        post(QStringLiteral("/acs/board/undo"), one, {{QStringLiteral("author"), QStringLiteral("nobody")}});
        QCOMPARE(board(one).value(QLatin1String("strokes")).toArray().size(), 2);

        QCOMPARE(post(QStringLiteral("/acs/board/clear"), one, {}).status, 200);
        QCOMPARE(board(one).value(QLatin1String("strokes")).toArray().size(), 0);

        QCOMPARE(post(QStringLiteral("/acs/board/background"), one, {{QStringLiteral("kind"), QStringLiteral("black")}}).status, 200);
        QCOMPARE(board(one).value(QLatin1String("background")).toString(), QStringLiteral("black"));
        // A picture background needs a picture first.
        QCOMPARE(post(QStringLiteral("/acs/board/background"), one, {{QStringLiteral("kind"), QStringLiteral("img")}}).status, 400);
        QCOMPARE(post(QStringLiteral("/acs/board/background"), one, {{QStringLiteral("kind"), QStringLiteral("url(x)")}}).status, 400);
    }

    void strokesAreChecked_data()
    {
        QTest::addColumn<StrokeSpoiler>("spoil");
        using S = StrokeSpoiler;
        QTest::newRow("unknown tool") << S([](QJsonObject &s) { s[QStringLiteral("tool")] = QStringLiteral("knife"); });
        QTest::newRow("no colour") << S([](QJsonObject &s) { s.remove(QStringLiteral("color")); });
        QTest::newRow("colour out of range") << S([](QJsonObject &s) {
            s[QStringLiteral("color")] = QJsonObject{{QStringLiteral("r"), 300}, {QStringLiteral("g"), 0}, {QStringLiteral("b"), 0}};
        });
        QTest::newRow("colour as script") << S([](QJsonObject &s) {
            s[QStringLiteral("color")] = QJsonObject{{QStringLiteral("r"), QStringLiteral("0);alert(1")}, {QStringLiteral("g"), 0}, {QStringLiteral("b"), 0}};
        });
        QTest::newRow("huge width") << S([](QJsonObject &s) { s[QStringLiteral("width")] = 1e9; });
        QTest::newRow("no points") << S([](QJsonObject &s) { s[QStringLiteral("points")] = QJsonArray(); });
        QTest::newRow("point off the page") << S([](QJsonObject &s) {
            s[QStringLiteral("points")] = QJsonArray{QJsonArray{0.5, 1.5}};
        });
        QTest::newRow("point of three numbers") << S([](QJsonObject &s) {
            s[QStringLiteral("points")] = QJsonArray{QJsonArray{0.5, 0.5, 0.5}};
        });
        QTest::newRow("too many points") << S([](QJsonObject &s) {
            QJsonArray many;
            for (int i = 0; i < 4001; ++i)
                many.append(QJsonArray{0.5, 0.5});
            s[QStringLiteral("points")] = many;
        });
        QTest::newRow("long author") << S([](QJsonObject &s) { s[QStringLiteral("author")] = QString(65, QLatin1Char('a')); });
    }
    void strokesAreChecked()
    {
        QFETCH(StrokeSpoiler, spoil);
        const QByteArray token = tokenFor(QStringLiteral("3001"));
        QJsonObject s = stroke(QStringLiteral("p"));
        spoil(s);
        QCOMPARE(post(QStringLiteral("/acs/board/stroke"), token, s).status, 400);
        QCOMPARE(board(token).value(QLatin1String("strokes")).toArray().size(), 0);
    }

    void uploadBecomesTheBackground()
    {
        const QByteArray token = tokenFor(QStringLiteral("4001"));
        // Not a picture, or no cookie: refused, the board keeps no picture.
        QCOMPARE(upload(token, "just text").status, 400);
        QCOMPARE(upload(QByteArray(), picture("PNG")).status, 401);
        QCOMPARE(board(token).value(QLatin1String("pictureVersion")).toInt(), 0);
        QCOMPARE(get(QStringLiteral("/acs/background"), token).status, 404);

        // A PNG sent under the name background.jpg is taken all the same.
        const Answer ok = upload(token, picture("PNG"));
        QCOMPARE(ok.status, 200);
        QCOMPARE(board(token).value(QLatin1String("pictureVersion")).toInt(), 1);
        const Answer back = get(QStringLiteral("/acs/background"), token);
        QCOMPARE(back.status, 200);
        QCOMPARE(QImage::fromData(back.body).size(), QSize(32, 24));
        QCOMPARE(post(QStringLiteral("/acs/board/background"), token, {{QStringLiteral("kind"), QStringLiteral("img")}}).status, 200);
        QCOMPARE(board(token).value(QLatin1String("background")).toString(), QStringLiteral("img"));
        // Another conference's token does not see it.
        QCOMPARE(get(QStringLiteral("/acs/background"), tokenFor(QStringLiteral("4002"))).status, 404);
    }
};

GLIMORA_TEST_MAIN(TestDevServerWhiteboard)
#include "tst_devserver_whiteboard.moc"
