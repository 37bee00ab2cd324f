#pragma once

#include "views/framework/CBaseDlg.h"

class QLabel;
class QPushButton;
class QVBoxLayout;

namespace rj_app::views {

class WhiteBoardTopWidget;

// The whiteboard window: a window of its own for a sent whiteboard (or a
// received one when content opens in its own window), or embedded over the
// whiteboard cell of the call layout. The call window's event filter
// recognises it by its class name.
class WhiteBoardDlg : public CBaseDlg
{
    Q_OBJECT
public:
    explicit WhiteBoardDlg(QWidget *parent = nullptr);
    ~WhiteBoardDlg() override;

    // false prepares receiving (no top widget); true prepares sending and
    // creates once, and shows, the top widget.
    void isSendWhiteBoard(bool send);
    // Loads the page afresh when the current one was already used.
    void updateWebPage();
    void hideTitleBar();
    void releaseWebPage();

    bool isSending() const { return m_bSending; }
    bool hasWebPage() const { return m_bHasPage; }

    // True unless the call layout embeds this instance in its whiteboard cell.
    bool m_bIsSeperateDlg = true;
    WhiteBoardTopWidget *m_pBoardTopWidget = nullptr;

signals:
    void sigHiddenWhiteBoard();
    void sigRefreshStatus();
    void sigClickManagerButton();
    void sigMouseMove4PaintList();

private:
    QVBoxLayout *m_pLayout = nullptr;
    QWidget *m_pWgtTitleBar = nullptr;
    QLabel *m_pLblTitle = nullptr;
    QPushButton *m_pBtnStop = nullptr;
    QWidget *m_pWgtPage = nullptr;
    bool m_bSending = false;
    bool m_bHasPage = false;
    bool m_bPageUsed = false;
};

} // namespace rj_app::views
