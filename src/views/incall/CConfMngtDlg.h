#pragma once

#include "views/framework/CBaseDlg.h"
#include "views/framework/CDpiLayoutScaler.h"
#include "views/framework/CEmulatedMaximize.h"

class QPushButton;
class QVBoxLayout;

namespace rj_app::views {

class CWebPageHost;

// The in-call conference-control window: a title bar with maximise, restore
// and close over the management server's conference-control page. It never
// closes itself: a close request is refused and reported as sigClose(), and
// its opener decides what happens.
class CConfMngtDlg : public CBaseDlg
{
    Q_OBJECT
public:
    explicit CConfMngtDlg(QWidget *parent = nullptr);
    ~CConfMngtDlg() override;

    // A fresh page when the last one was used; called before showing again.
    void updatePage();
    // Frees the page with its script bridge.
    void releaseCurrentPage();

    bool isEmulatedMaximized() const { return m_maximize.isMaximized(); }
    CWebPageHost *page() const { return m_pWebForm; }

signals:
    void sigClose();

public slots:
    void slotOnWinMax();
    void slotOnWinRestore();
    void slotOnWinClose();

protected:
    void moveEvent(QMoveEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void changeEvent(QEvent *event) override;
    void onDpiChanged() override;

private:
    void setupForm();

    QWidget *m_pWgtTitleBar = nullptr;
    QPushButton *m_pBtnMax = nullptr;
    QPushButton *m_pBtnRestore = nullptr;
    QPushButton *m_pBtnClose = nullptr;
    QVBoxLayout *m_pLayoutContext = nullptr;
    CDpiLayoutScaler m_layoutScaler;
    CWebPageHost *m_pWebForm = nullptr;
    CEmulatedMaximize m_maximize;
};

} // namespace rj_app::views
