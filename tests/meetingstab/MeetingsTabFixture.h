#pragma once

#include "support/HttpFixtureServer.h"

#include "helpers/CUserConfigUtils.h"
#include "models/CLoginManager.h"
#include "models/CUCMApiManager.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

// Signs the client in as user `userId` against a loopback fixture server, so
// that the tabs' requests (prefix and token read at request time) reach it.
inline void signInAgainst(const glimora::test::HttpFixtureServer &server, int userId)
{
    auto *login = rj_app::models::CLoginManager::getInstance();
    login->m_qstrServerHostName = QStringLiteral("127.0.0.1");
    login->m_iPort = server.port();
    login->m_loginStatus = rj_app::enums::LoggedIn;
    login->m_userInfo.userId = static_cast<std::uint64_t>(userId);
    login->m_userInfo.token = "sim-alice-1";
    login->m_userInfo.vmr = "8201011";
    login->m_qstrDisplayName = QStringLiteral("Alice");
    using rj_app::helpers::CUserConfigUtils;
    if (!CUserConfigUtils::getInstance())
        CUserConfigUtils::initInstance(QCoreApplication::applicationFilePath().toLocal8Bit().constData());
    CUserConfigUtils::getInstance()->setUseHttps(false);
}

inline void signOut()
{
    rj_app::models::CLoginManager::getInstance()->m_loginStatus = rj_app::enums::NotLogin;
}

// The requests of one method whose path starts with `pathStart`.
inline QList<glimora::test::CapturedRequest> requestsTo(const glimora::test::HttpFixtureServer &server,
                                                         const QByteArray &method, const QString &pathStart)
{
    QList<glimora::test::CapturedRequest> found;
    for (const auto &request : server.requests()) {
        if (request.method == method && request.path.startsWith(pathStart))
            found.append(request);
    }
    return found;
}

inline QJsonObject jsonBody(const glimora::test::CapturedRequest &request)
{
    return QJsonDocument::fromJson(request.body).object();
}

inline QByteArray compact(const QJsonArray &array)
{
    return QJsonDocument(array).toJson(QJsonDocument::Compact);
}
