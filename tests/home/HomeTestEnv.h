#pragma once

// The real start of the client against the simulated engine, and sign-ins to
// two loopback "servers": one the engine takes for an ordinary server, one it
// takes for a "ROZ" server.

#include "support/StandInRingtone.h"

#include "helpers/CUserConfigUtils.h"
#include "models/CCallController.h"
#include "models/CLoginManager.h"
#include "models/CRJSdkManager.h"
#include "models/CUCMApiManager.h"
#include "views/main/CHomeDlg.h"
#include "views/main/CLoginDlg.h"
#include "views/main/CMainDlgManager.h"
#include "rjsim_control.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

namespace home_test {

constexpr int kWaitMs = 15000;

struct Env
{
    QTcpServer plain;
    QTcpServer roz;
    int exitCode = -1;
    // Everything sent to the plain server; connections are taken at once so
    // the listen backlog never fills.
    QByteArray received;

    rj_app::models::CLoginManager *login() { return rj_app::models::CLoginManager::getInstance(); }
    rj_app::models::CCallController *call() { return rj_app::models::CCallController::getInstance(); }

    // Call before anything creates the engine.
    bool start()
    {
        qputenv("RJSIM_TIME_SCALE", "0");
        if (!plain.listen(QHostAddress::LocalHost, 0) || !roz.listen(QHostAddress::LocalHost, 0))
            return false;
        for (QTcpServer *server : {&plain, &roz}) {
            QObject::connect(server, &QTcpServer::newConnection, server, [this, server] {
                while (QTcpSocket *socket = server->nextPendingConnection()) {
                    QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                        const QByteArray data = socket->readAll();
                        // The engine asks for the version before it signs in.
                        if (data.startsWith("GET /api/rest/v2.0/latestAppVersion")) {
                            socket->write("HTTP/1.1 200 OK\r\nContent-Type: application/json\r\n"
                                          "Content-Length: 19\r\nConnection: close\r\n\r\n{\"version\":\"0.0.0\"}");
                            socket->disconnectFromHost();
                            return;
                        }
                        received += data;
                    });
                    QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
                }
            });
        }
        qputenv("RJSIM_ROZ_PORTS", QByteArray::number(roz.serverPort()));
        rj_app::helpers::CUserConfigUtils::initInstance(
            QCoreApplication::applicationFilePath().toLocal8Bit().constData());
        if (!glimora::test::useStandInRingtone())
            return false;
        // Nothing but the engine's question is answered here: the REST client
        // gives up at once.
        rj_app::models::CUCMApiManager::getInstance()->setRequestTimeout(50);
        rj_app::views::CMainDlgManager::getInstance()->setExitFunction([this](int code) { exitCode = code; });
        rj_app::views::CLoginDlg::getInstance()->show();
        QElapsedTimer timer;
        timer.start();
        while (!rj_app::models::CRJSdkManager::getInstance() && timer.elapsed() < kWaitMs)
            QTest::qWait(20);
        return rj_app::models::CRJSdkManager::getInstance() != nullptr;
    }

    void settle()
    {
        rjsim_clear_result(nullptr);
        if (rj_app::models::CCallController::isInCall(call()->getCallStatus())) {
            if (!call()->hangUp())
                call()->declineCall();
            QTRY_COMPARE_WITH_TIMEOUT(int(call()->getCallStatus()), int(rj_app::enums::ConfEnded), kWaitMs);
        }
        QCOMPARE(rjsim_wait_idle(kWaitMs), 1);
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }

    // Signs alice in to the plain or the "ROZ" server.
    void signIn(bool toRoz)
    {
        if (login()->m_loginStatus == rj_app::enums::LoggedIn)
            login()->logout();
        login()->setLoginStatus(rj_app::enums::NotLogin);
        const quint16 port = toRoz ? roz.serverPort() : plain.serverPort();
        QVERIFY(login()->login(QStringLiteral("127.0.0.1"), false, port, QStringLiteral("alice"),
                               QStringLiteral("Alice123")));
        QTRY_COMPARE_WITH_TIMEOUT(login()->m_loginStatus, rj_app::enums::LoggedIn, kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(login()->getRegisterInfo().state, 1, kWaitMs);
        settle();
    }
};

} // namespace home_test
