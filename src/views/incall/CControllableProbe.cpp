#include "views/incall/CControllableProbe.h"

#include "helpers/LogMacros.h"
#include "models/CRJSdkManager.h"

#include <QDebug>
#include <QFutureWatcher>

#include <atomic>
#include <memory>
#include <QMutex>
#include <QtConcurrent/QtConcurrentRun>

using rj_app::models::CRJSdkManager;

namespace rj_app::views {

namespace {

QMutex &queryMutex()
{
    static QMutex mutex;
    return mutex;
}

CControllableProbe::Query &querySlot()
{
    static CControllableProbe::Query query;
    return query;
}

bool askEngine()
{
    CRJSdkManager *sdk = CRJSdkManager::getInstance();
    return sdk && sdk->conferenceControllable();
}

} // namespace

CControllableProbe::CControllableProbe(QObject *owner)
    : QObject(owner)
{
}

CControllableProbe::~CControllableProbe() = default;

void CControllableProbe::setQuery(Query query)
{
    QMutexLocker lock(&queryMutex());
    querySlot() = std::move(query);
}

void CControllableProbe::start()
{
    cancel();
    Query query;
    {
        QMutexLocker lock(&queryMutex());
        query = querySlot();
    }
    if (!query)
        query = askEngine;

    // The watcher belongs to this probe and so to the owner: deleting either
    // deletes it, and a deleted watcher reports nothing. The answer crosses
    // in an atomic, which ThreadSanitizer sees, not in the future's result
    // store behind Qt's own lock, which it does not.
    auto answer = std::make_shared<std::atomic<bool>>(false);
    auto *watcher = new QFutureWatcher<void>(this);
    m_pWatcher = watcher;
    connect(watcher, &QFutureWatcher<void>::finished, this, [this, watcher, answer]() {
        const bool controllable = answer->load(std::memory_order_acquire);
        watcher->deleteLater();
        if (m_pWatcher != watcher)
            return;
        m_pWatcher = nullptr;
        qInfo() << RJ_FUNCTION << "controllable:" << controllable;
        emit answered(controllable);
    });
    watcher->setFuture(QtConcurrent::run([query, answer] { answer->store(query(), std::memory_order_release); }));
}

void CControllableProbe::cancel()
{
    if (QFutureWatcher<void> *old = m_pWatcher.data()) {
        m_pWatcher = nullptr;
        // The task itself cannot be stopped; its answer just goes nowhere.
        old->disconnect(this);
        old->deleteLater();
    }
}

bool CControllableProbe::isRunning() const
{
    return !m_pWatcher.isNull();
}

} // namespace rj_app::views
