#pragma once

#include "views/framework/CBaseDlg.h"

class QLabel;
class QPushButton;

namespace rj_app::views {

// A window of its own for received content, when the configuration asks for
// content in a separate window: a title line given by the layout engine, its
// own maximise, restore and full-screen buttons, and the surface the engine
// renders into.
class CRemoteContentDlg : public CBaseDlg
{
    Q_OBJECT
public:
    explicit CRemoteContentDlg(QWidget *parent = nullptr);
    ~CRemoteContentDlg() override;

    void setTitle(QString title);
    // The native window the engine renders the received content into.
    WId getContentWindowId();

public slots:
    void slotOnWinMin();
    void slotOnWinMax();
    void slotOnWinRestore();
    void slotOnFullScreen();
    void slotOnExitFullScreen();
    void slotOnLanguageChanged();

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void setupForm();
    void retranslateUi();
    void refreshWindowStateBtns();

    QString m_title; // survives a retranslation of the form

    QWidget *m_pWgtTitleBar = nullptr;
    QWidget *m_pWgtTitlePanel = nullptr;
    QLabel *m_pLblTitle = nullptr;
    QPushButton *m_pBtnMin = nullptr;
    QPushButton *m_pBtnMax = nullptr;
    QPushButton *m_pBtnRestore = nullptr;
    QPushButton *m_pBtnFullScreen = nullptr;
    QPushButton *m_pBtnExitFullScreen = nullptr;
    QWidget *m_pWgtContent = nullptr;
};

} // namespace rj_app::views
