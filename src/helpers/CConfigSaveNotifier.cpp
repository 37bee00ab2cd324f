#include "helpers/CConfigSaveNotifier.h"

namespace rj_app::helpers {

CConfigSaveNotifier *CConfigSaveNotifier::instance()
{
    // Never destroyed: setters may run while the application object goes.
    static CConfigSaveNotifier *s_notifier = new CConfigSaveNotifier;
    return s_notifier;
}

void CConfigSaveNotifier::saved(bool ok, const QString &reason)
{
    const bool first = !m_bFailing;
    m_bFailing = !ok;
    if (!ok)
        emit sigSaveFailed(reason, first);
}

} // namespace rj_app::helpers
