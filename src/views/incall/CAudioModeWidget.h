#pragma once

#include "views/framework/CBaseWgt.h"
#include "views/framework/CDpiLayoutScaler.h"

class QMouseEvent;

namespace rj_app::views {

// Fills the layout dialog in the audio-only layout: a dark surface with a
// large microphone picture. Reports mouse moves and presses so that its owner
// can bring up the toolbar.
class CAudioModeWidget : public CBaseWgt
{
    Q_OBJECT
public:
    explicit CAudioModeWidget(QWidget *parent = nullptr);
    ~CAudioModeWidget() override;

    void setMicEnabled(bool enabled);

signals:
    void sigMouseMove(QMouseEvent *event);
    void sigMousePress(QMouseEvent *event);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void onDpiChanged() override;

private:
    void setupForm();

    CDpiLayoutScaler m_scaler;

    QWidget *m_pWgtBg = nullptr;
    QWidget *m_pWgtAudioStatus = nullptr;
};

} // namespace rj_app::views
