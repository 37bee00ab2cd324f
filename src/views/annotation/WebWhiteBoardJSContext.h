#pragma once

#include <QObject>
#include <QString>

namespace rj_app::views {

// The object the whiteboard page reaches as "qtWebObj". Slot names and
// argument types are what the page's script calls; keep them.
class WebWhiteBoardJSContext : public QObject
{
    Q_OBJECT
public:
    explicit WebWhiteBoardJSContext(QObject *parent = nullptr);
    ~WebWhiteBoardJSContext() override;

signals:
    void sigBoardConnected();

public slots:
    // Only the sign-in token is renewed; the whiteboard token stays.
    void tokenExpired();
    void boardConnected();
    void clearCache();
    void webLog(QString logInfo);
};

} // namespace rj_app::views
