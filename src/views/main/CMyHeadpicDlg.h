#pragma once

#include "engine/RJTypes.h"
#include "views/framework/CBaseDlg.h"
#include "views/framework/CDpiLayoutScaler.h"

#include <functional>
#include <string>

class CPictureEditWidget;
class QLabel;
class QPushButton;

namespace rj_app::views {

class CWaitingDlg;

// Picks a picture, lets the user place and zoom it and uploads the visible
// square as the new avatar.
class CMyHeadpicDlg : public CBaseDlg
{
    Q_OBJECT
public:
    // Asks for a picture file; tests replace the system file dialog.
    using FileChooser = std::function<QString(QWidget *parent)>;
    static void setFileChooser(FileChooser chooser);

    explicit CMyHeadpicDlg(QWidget *parent = nullptr);

    CPictureEditWidget *editor() const { return m_pEditor; }
    bool isWaiting() const;
    static QString uploadTempPath();
    // Puts `source` in place of `target` without a moment where the old
    // file is gone and the new one not there yet.
    static bool replaceFile(const QString &source, const QString &target);

public slots:
    void on_m_pBtnOpen_clicked();
    void on_m_pBtnUpload_clicked();
    void slot_UploadUserImageComplete(std::string szPath);
    void slotOnError(rj::engine::RJError err);

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void onDpiChanged() override;

private:
    void setupUi();
    void showWaitingDlg();
    void hideWaitingDlg();

    QWidget *m_pTitlebar = nullptr;
    QPushButton *m_pBtnClose = nullptr;
    CPictureEditWidget *m_pEditor = nullptr;
    QPushButton *m_pBtnOpen = nullptr;
    QPushButton *m_pBtnUpload = nullptr;
    CWaitingDlg *m_pWaitingDlg = nullptr;
    CDpiLayoutScaler m_scaler;
};

} // namespace rj_app::views
