#include "views/framework/CModualDlgsManager.h"

#include "views/framework/AlertDlg.h"

#include <QApplication>
#include <QDebug>
#include <QDialog>

namespace rj_app::views {

namespace {
// Meta-object names are qualified; inherits() also finds subclasses.
const char *const kRejectAll[] = {"rj_app::views::CMyHeadpicDlg", "rj_app::views::CMyPasswordDlg",
                                  "rj_app::views::AlertDlg", "rj_app::views::CMyInfoDlg",
                                  "rj_app::views::CJoinConfDlg"};
const char *const kRejectAlertOnly[] = {"rj_app::views::AlertDlg"};
const char *const kCloseAll[] = {"rj_app::views::CSelectShareContent"};

template<size_t N>
bool isOneOf(const QWidget *w, const char *const (&classes)[N])
{
    for (const char *name : classes) {
        if (w->inherits(name))
            return true;
    }
    return false;
}
} // namespace

void CModualDlgsManager::closeAllModualDlgs(bool onlyAlertDlg)
{
    qDebug() << "rj_app::views::CModualDlgsManager::closeAllModualDlgs" << onlyAlertDlg;
    QWidget *modal = QApplication::activeModalWidget();
    while (modal) {
        const bool toReject = onlyAlertDlg ? isOneOf(modal, kRejectAlertOnly) : isOneOf(modal, kRejectAll);
        const bool toClose = !onlyAlertDlg && isOneOf(modal, kCloseAll);
        if (toReject) {
            auto *alert = qobject_cast<AlertDlg *>(modal);
            auto *dialog = qobject_cast<QDialog *>(modal);
            if ((alert && alert->isCloseOnClick()) || !dialog)
                modal->close();
            else
                dialog->reject();
        } else if (toClose) {
            modal->close();
        } else {
            break;
        }
        QWidget *next = QApplication::activeModalWidget();
        if (next == modal) {
            qWarning() << "rj_app::views::CModualDlgsManager::closeAllModualDlgs" << modal
                       << "stays open; stop closing";
            break;
        }
        modal = next;
    }
}

} // namespace rj_app::views
