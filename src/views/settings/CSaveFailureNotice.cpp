#include "views/settings/CSaveFailureNotice.h"

#include "helpers/CConfigSaveNotifier.h"
#include "views/framework/AlertDlg.h"

#include <QCoreApplication>
#include <QDebug>

namespace rj_app::views {

void CSaveFailureNotice::install()
{
    static bool s_installed = false;
    if (s_installed)
        return;
    s_installed = true;
    helpers::CConfigSaveNotifier *notifier = helpers::CConfigSaveNotifier::instance();
    // Queued: the failure is heard inside a setter, often in a control's
    // own handler.
    QObject::connect(
        notifier, &helpers::CConfigSaveNotifier::sigSaveFailed, notifier,
        [](const QString &reason, bool firstSinceSaved) {
            qWarning() << "The setting could not be saved:" << reason << (firstSinceSaved ? "" : "(again)");
            if (!firstSinceSaved)
                return;
            AlertDlg::showPrompt(
                nullptr, QCoreApplication::translate("rj_app::views::CSaveFailureNotice", "Prompt"),
                QCoreApplication::translate("rj_app::views::CSaveFailureNotice", "The setting could not be saved: %1")
                    .arg(reason));
        },
        Qt::QueuedConnection);
}

} // namespace rj_app::views
