#pragma once

#include <QObject>
#include <QPointer>

namespace rj_app::views {

class CLayoutBackgroundDlg;

// Watches the call window and its parts: Escape leaves full screen (and is
// swallowed otherwise), and the whiteboard and received-content windows stay
// above the call window when it or one of its parts is raised.
class CEventFilter : public QObject
{
    Q_OBJECT
public:
    explicit CEventFilter(CLayoutBackgroundDlg *callDlg);
    ~CEventFilter() override;

    QWidget *lastWhiteBoardDlg() const { return m_pLastWhiteBoardDlg; }
    QWidget *lastRemoteContentDlg() const { return m_pLastRemoteContentDlg; }

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    CLayoutBackgroundDlg *m_pCallDlg;
    // Guarded: either window may be deleted while remembered.
    QPointer<QWidget> m_pLastWhiteBoardDlg;
    QPointer<QWidget> m_pLastRemoteContentDlg;
};

} // namespace rj_app::views
