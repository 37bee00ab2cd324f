#include "views/meetings/CWebPageHost.h"

#include "helpers/CAppConfigUtils.h"
#include "models/CCallController.h"
#include "models/CLoginManager.h"
#include "models/LogMasking.h"

#include <QUrl>

namespace rj_app::views {

namespace {

// A query value: the token and the number come from servers and the call,
// and a '&', '#' or blank in them would cut or shift the address.
QString queryValue(const QString &value)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(value));
}

} // namespace

CWebPageHost::CWebPageHost(int urlType, QWidget *parent)
    : CBaseWgt(parent)
    , m_webBrowserUrlType(urlType)
{
}

CWebPageHost::~CWebPageHost() = default;

void CWebPageHost::setDisplayState(DisplayState state)
{
    m_displayState = state;
    emit sigDisplayStateEntered(state);
}

QString CWebPageHost::pageKey(int urlType)
{
    switch (urlType) {
    case enums::Conferences:
        return QStringLiteral("conferences");
    case enums::ConfControl:
        return QStringLiteral("confControl");
    case enums::Contact:
        return QStringLiteral("contact");
    default:
        return QString();
    }
}

QString CWebPageHost::configuredAddress(int urlType)
{
    const helpers::CAppConfigUtils *config = helpers::CAppConfigUtils::getInstance();
    switch (urlType) {
    case enums::Conferences:
        return config->getConfInfoAddress();
    case enums::ConfControl:
        return config->getConfManagementAddress();
    case enums::Contact:
        return config->getContactsAddress();
    default:
        return QString();
    }
}

CWebPageHost::AddressParts CWebPageHost::currentAddressParts()
{
    const models::CLoginManager *login = models::CLoginManager::getInstance();
    AddressParts parts;
    parts.serverType = QString::fromStdString(login->m_userInfo.appServerType);
    parts.urlSuffix = QString::fromStdString(login->m_userInfo.urlSuffixForPC);
    parts.urlPrefix = login->getUrlPrefix();
    // The token as the sign-in stored it, also while the status is not
    // LoggedIn: a page may be reloaded during a token renewal.
    parts.token = QString::fromStdString(login->m_userInfo.token);
    parts.numericId = models::CCallController::getInstance()->getPureConfNumber();
    return parts;
}

QString CWebPageHost::pageAddress(const QString &pageKey, const AddressParts &parts)
{
    if (!parts.configured.isEmpty())
        return parts.configured;
    if (parts.serverType != QLatin1String("ROZ") || parts.urlSuffix.isEmpty())
        return QString();
    // The suffix is the server's own (often ending in a route marker such as
    // "#/"), so it and the key stay as they are; only a missing separator
    // after the port is added, or the suffix would read as part of the port.
    QString suffix = parts.urlSuffix;
    if (!suffix.startsWith(QLatin1Char('/')))
        suffix.prepend(QLatin1Char('/'));
    return parts.urlPrefix + suffix + pageKey + QStringLiteral("?token=") + queryValue(parts.token)
           + QStringLiteral("&numericId=") + queryValue(parts.numericId);
}

QString CWebPageHost::addressForLog(const QString &address, const QString &token)
{
    if (token.isEmpty())
        return address;
    QString shown = address;
    shown.replace(QStringLiteral("token=") + queryValue(token),
                  QStringLiteral("token=") + QString::fromStdString(models::maskedToken(token.toStdString())));
    return shown;
}

} // namespace rj_app::views
