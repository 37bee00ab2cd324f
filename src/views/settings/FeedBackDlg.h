#pragma once

#include "views/framework/CBaseDlg.h"
#include "views/framework/CDpiLayoutScaler.h"

#include <QImage>
#include <QVector>

#include <functional>

namespace Ui {
class FeedBackDlg;
}

namespace rj_app::views {

class CFeedbackArchiver;
class CWaitingDlg;

// The feedback form: a description of at most 200 characters, a contact
// line and up to six pictures, sent with an archive of the client's logs.
// Made without parent, not modal, deleted on close. GUI thread only; the
// archive and the upload belong to the owned CFeedbackArchiver.
class FeedBackDlg : public CBaseDlg
{
    Q_OBJECT
public:
    // (parent, caption, start folder or path, filter) -> chosen name, empty when cancelled.
    using FileChooser =
        std::function<QString(QWidget *, const QString &, const QString &, const QString &)>;

    static constexpr int m_iMaxTextLength = 200;
    static constexpr int m_iMaxImages = 6;

    explicit FeedBackDlg(QWidget *parent = nullptr);
    ~FeedBackDlg() override;

    // Seams for the system's file choosers; null restores the real ones.
    static void setOpenFileChooser(FileChooser chooser);
    static void setSaveFileChooser(FileChooser chooser);

    const QVector<QImage> &images() const { return m_images; }
    CFeedbackArchiver *archiver() const { return m_pArchiver; }
    bool isUploading() const;

private slots:
    void slotTextEditTextChanged();
    void slotCloseWindow();
    void slotUploadFeedback(int number);
    void slotClickImgBtn();
    void slotUploadAction();
    void slotRemoveImgAction(int index);
    void slotUploadAbandoned();

protected:
    void onDpiChanged() override;
    void showEvent(QShowEvent *event) override;

private:
    void initUI();
    void refreshImages();
    void saveLogAs();
    void endUpload();
    void updateUploadButton();

    Ui::FeedBackDlg *ui = nullptr;
    CWaitingDlg *m_pWaitingDlg = nullptr;
    CFeedbackArchiver *m_pArchiver = nullptr;
    QVector<QImage> m_images;
    CDpiLayoutScaler m_layoutScaler;
};

} // namespace rj_app::views
