#pragma once

#include "views/framework/CBaseDlg.h"

class QLabel;
class QMovie;

namespace rj_app::views {

// Semi-transparent busy overlay with an animation that runs while it is shown.
// Its owner shows, moves, sizes and hides it.
class CWaitingDlg : public CBaseDlg
{
    Q_OBJECT
public:
    explicit CWaitingDlg(QWidget *parent = nullptr);
    ~CWaitingDlg() override;

    // The process-wide overlay of the login window, made on first use.
    static CWaitingDlg *getInstance();

    // Fixes the size to (width x scale, height x scale) with this overlay's scale.
    void setScaledFixedSize(int width, int height);

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QLabel *m_pLblDisplay = nullptr;
    QMovie *m_pMovie = nullptr;
    QString m_qstrGif1x;
    QString m_qstrGif15x;
    QString m_qstrGif2x;
};

} // namespace rj_app::views
