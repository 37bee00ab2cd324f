#pragma once

#include <QObject>
#include <QString>
#include <QUrl>

#include <functional>

namespace rj_app {
namespace views {

// The object an embedded web page reaches as "qtWebObj" on its web channel.
// Slot names and argument types are what the page's script calls; keep them.
class CWebJsContext : public QObject
{
    Q_OBJECT

public:
    // Hands a link to the desktop; returns whether the desktop took it.
    // Replaceable so tests can see what would be opened.
    using UrlOpener = std::function<bool(const QUrl &)>;

    explicit CWebJsContext(QObject *parent = nullptr);
    ~CWebJsContext() override;

    // An empty opener restores QDesktopServices::openUrl.
    static void setUrlOpener(UrlOpener opener);

signals:
    void sigPageCreated();
    void sigJoinConf(QString confNumber, QString confPassword, bool isAudioOnly, QString peerName);

public slots:
    void joinConf(QString confNumber, QString confPassword, bool isAudioOnly);
    void joinConfWithPeerName(QString confNumber, QString confPassword, bool isAudioOnly, QString peerName);
    void tokenExpired();
    // Both return whether the link went to the desktop, so the page can tell.
    bool go2Reservation(QString qstrUrl);
    bool sendEmail(QString qstrEmail);
    void pageCreated();
    void p2pCall(QString qstrPeerInfo);
    void clearCache();
    void webLog(QString logInfo);

private:
    bool openLink(const QString &qstrLink, const QStringList &allowedSchemes);
};

} // namespace views
} // namespace rj_app
