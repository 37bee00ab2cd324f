#pragma once

#include <QObject>
#include <QString>

namespace rj_app::helpers {

// Tells whoever shows settings that one could not be written. The value in
// memory is back to what the file holds when this is emitted, so a control
// that reads it again shows what is stored. One object for the process,
// emitted in the thread of the failed setter (the GUI thread).
class CConfigSaveNotifier : public QObject
{
    Q_OBJECT
public:
    static CConfigSaveNotifier *instance();

    // The outcome of one save of the user configuration.
    void saved(bool ok, const QString &reason);

signals:
    // Every failed save; firstSinceSaved is false while the saves keep
    // failing, so the person is told once and not at every setting.
    void sigSaveFailed(const QString &reason, bool firstSinceSaved);

private:
    using QObject::QObject;
    bool m_bFailing = false;
};

} // namespace rj_app::helpers
