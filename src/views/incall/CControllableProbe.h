#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

template <typename T>
class QFutureWatcher;

namespace rj_app::views {

// Asks the engine on the global thread pool whether this client may control
// the current conference, and hands the answer back in the owner's thread.
// The probe is a child of its owner: once the owner is gone no answer is
// delivered, however late the engine replies. A new start, or cancel(),
// drops an answer still on its way, so a reply for a call that has ended
// never reaches the owner.
class CControllableProbe : public QObject
{
    Q_OBJECT
public:
    using Query = std::function<bool()>;

    explicit CControllableProbe(QObject *owner);
    ~CControllableProbe() override;

    void start();
    void cancel();
    bool isRunning() const;

    // Replaces the engine's conferenceControllable for every later start (an
    // empty function restores it). For tests that decide when the engine
    // answers.
    static void setQuery(Query query);

signals:
    void answered(bool controllable);

private:
    QPointer<QFutureWatcher<void>> m_pWatcher;
};

} // namespace rj_app::views
