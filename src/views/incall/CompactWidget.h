#pragma once

#include "views/framework/CBaseWgt.h"
#include "views/framework/CDpiLayoutScaler.h"

class QToolButton;

namespace rj_app::views {

// The bar that stands in for the call window's title bar in compact mode:
// minimise, microphone, camera and back to the normal window. The call window
// drives its scale through onDpiUpdate; its own DPI notification only logs.
class CompactWidget : public CBaseWgt
{
    Q_OBJECT
public:
    explicit CompactWidget(QWidget *parent = nullptr);
    ~CompactWidget() override;

    void onDpiUpdate(double scale);

    static constexpr int m_iIconSize = 56;

signals:
    void sigMin();
    void sigRecover();

public slots:
    void slotOnBtnMinClicked();
    void slotOnBtnRecoverClicked();
    void slotOnBtnMuteClicked();
    void slotOnBtnCameraClicked();
    void slotOnMicMutedShow(bool mic_muted);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void setupForm();
    void refreshMicIcon();
    void refreshCameraIcon();
    void refreshWindowIcons();

    CDpiLayoutScaler m_scaler;
    double m_dScale = 1.0;

    QToolButton *m_pBtnWinMin = nullptr;
    QToolButton *m_pBtnMute = nullptr;
    QToolButton *m_pBtnCamera = nullptr;
    QToolButton *m_pBtnRecover = nullptr;
};

} // namespace rj_app::views
