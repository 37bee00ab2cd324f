#include "views/annotation/WebWhiteBoardJSContext.h"

#include "helpers/LogMacros.h"
#include "models/CLoginManager.h"

#include <QDebug>

namespace rj_app::views {

WebWhiteBoardJSContext::WebWhiteBoardJSContext(QObject *parent)
    : QObject(parent)
{
}

WebWhiteBoardJSContext::~WebWhiteBoardJSContext() = default;

void WebWhiteBoardJSContext::tokenExpired()
{
    qInfo() << RJ_FUNCTION;
    // A failed renewal never signs out during a call (the login manager
    // checks the call status).
    models::CLoginManager::getInstance()->updateLoginToken(true);
}

void WebWhiteBoardJSContext::boardConnected()
{
    qInfo() << RJ_FUNCTION << "slotBoardConnected";
    emit sigBoardConnected();
}

void WebWhiteBoardJSContext::clearCache()
{
    qInfo() << RJ_FUNCTION;
}

void WebWhiteBoardJSContext::webLog(QString logInfo)
{
    // The page's text is data: bounded and written as one quoted item.
    constexpr int kMaxLogChars = 2000;
    qInfo() << RJ_FUNCTION << logInfo.left(kMaxLogChars);
}

} // namespace rj_app::views
