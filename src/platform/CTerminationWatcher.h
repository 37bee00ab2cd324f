#pragma once

#include <QObject>

class QSocketNotifier;

namespace rj_app::platform {

// Turns SIGTERM, SIGINT and SIGHUP (the session ending, Ctrl+C in a
// terminal) into a signal on the GUI thread, so the client ends the orderly
// way instead of being cut off. The handler only writes to a pipe.
class CTerminationWatcher : public QObject
{
    Q_OBJECT
public:
    explicit CTerminationWatcher(QObject *parent = nullptr);
    ~CTerminationWatcher() override;

    bool isActive() const { return m_pNotifier != nullptr; }

signals:
    void sigTerminationRequested(int signalNumber);

private:
    void onReadable();

    QSocketNotifier *m_pNotifier = nullptr;
};

} // namespace rj_app::platform
