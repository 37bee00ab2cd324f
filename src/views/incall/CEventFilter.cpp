#include "views/incall/CEventFilter.h"

#include "helpers/LogMacros.h"
#include "views/incall/CLayoutBackgroundDlg.h"

#include <QApplication>
#include <QDebug>
#include <QKeyEvent>
#include <QWidget>

namespace rj_app::views {

namespace {
const char kWhiteBoardDlgClass[] = "rj_app::views::WhiteBoardDlg";
const char kRemoteContentDlgClass[] = "rj_app::views::CRemoteContentDlg";

bool isClass(const QObject *object, const char *name)
{
    return object && qstrcmp(object->metaObject()->className(), name) == 0;
}
} // namespace

CEventFilter::CEventFilter(CLayoutBackgroundDlg *callDlg)
    : QObject(nullptr)
    , m_pCallDlg(callDlg)
{
}

CEventFilter::~CEventFilter() = default;

bool CEventFilter::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        if (static_cast<QKeyEvent *>(event)->key() != Qt::Key_Escape)
            return false;
        if (m_pCallDlg && m_pCallDlg->m_bFullScreen) {
            qInfo("exit full screen");
            m_pCallDlg->slotOnWinFullScreenExit();
        }
        return true;
    }
    case QEvent::WindowActivate: {
        const char *className = watched->metaObject()->className();
        qInfo() << "QEvent::WindowActivate" << className;
        auto *window = qobject_cast<QWidget *>(watched);
        if (isClass(watched, kWhiteBoardDlgClass)) {
            m_pLastWhiteBoardDlg = window;
            if (window)
                window->raise();
        } else if (isClass(watched, kRemoteContentDlgClass)) {
            m_pLastRemoteContentDlg = window;
            m_pLastWhiteBoardDlg = nullptr;
            if (window)
                window->raise();
        } else {
            m_pLastWhiteBoardDlg = nullptr;
            m_pLastRemoteContentDlg = nullptr;
        }
        return true;
    }
    case QEvent::ZOrderChange: {
        if (isClass(watched, kWhiteBoardDlgClass) || isClass(watched, kRemoteContentDlgClass))
            return false;
        qInfo() << "QEvent::ZOrderChange" << watched->metaObject()->className();
        if (QWidget *active = QApplication::activeWindow()) {
            qInfo() << "QEvent::ZOrderChange - QEvent::WindowActivate" << active->metaObject()->className();
            if (isClass(active, kWhiteBoardDlgClass) || isClass(active, kRemoteContentDlgClass)) {
                active->raise();
                return true;
            }
            return false;
        }
        QWidget *remembered = m_pLastWhiteBoardDlg ? m_pLastWhiteBoardDlg.data() : m_pLastRemoteContentDlg.data();
        if (!remembered)
            return false;
        remembered->raise();
        return true;
    }
    default:
        return false;
    }
}

} // namespace rj_app::views
