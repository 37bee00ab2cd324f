#include "platform/CScreenSaverInhibitor.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDebug>
#include <QGuiApplication>

namespace rj_app::platform {

namespace {

const char *const kService = "org.freedesktop.ScreenSaver";
const char *const kPath = "/org/freedesktop/ScreenSaver";
const char *const kInterface = "org.freedesktop.ScreenSaver";

QDBusMessage screenSaverCall(const char *method)
{
    return QDBusMessage::createMethodCall(QLatin1String(kService), QLatin1String(kPath), QLatin1String(kInterface),
                                          QLatin1String(method));
}

} // namespace

CScreenSaverInhibitor::CScreenSaverInhibitor(QObject *parent)
    : QObject(parent)
{
}

CScreenSaverInhibitor::~CScreenSaverInhibitor()
{
    m_bWanted = false;
    uninhibit();
}

void CScreenSaverInhibitor::followApplicationState()
{
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive)
            inhibit();
        else
            uninhibit();
    });
    if (QGuiApplication::applicationState() == Qt::ApplicationActive)
        inhibit();
}

void CScreenSaverInhibitor::inhibit()
{
    m_bWanted = true;
    if (m_uCookie != 0 || m_bPending)
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    QDBusMessage call = screenSaverCall("Inhibit");
    call << QCoreApplication::applicationName() << QStringLiteral("A meeting window is active");
    m_bPending = true;
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *w) {
        w->deleteLater();
        m_bPending = false;
        QDBusPendingReply<unsigned int> reply = *w;
        if (reply.isError()) {
            qInfo() << "Screen saver inhibition unavailable:" << reply.error().message();
            return;
        }
        m_uCookie = reply.value();
        // The window stopped being active while the call was on its way.
        if (!m_bWanted)
            uninhibit();
    });
}

void CScreenSaverInhibitor::uninhibit()
{
    m_bWanted = false;
    if (m_uCookie == 0)
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected()) {
        QDBusMessage call = screenSaverCall("UnInhibit");
        call << m_uCookie;
        bus.call(call, QDBus::NoBlock);
    }
    m_uCookie = 0;
}

} // namespace rj_app::platform
