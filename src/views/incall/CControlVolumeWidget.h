#pragma once

#include "views/framework/CBaseWgt.h"

class QHBoxLayout;
class QLabel;
class QSlider;
class QSpacerItem;
class QToolButton;
class QVBoxLayout;

namespace rj_app::views {

// The speaker volume popup above the call toolbar's volume button: a
// vertical slider from 0 to 100 for the engine's gain 0 to 3, its value and a
// mute switch. Deletes itself when closed.
class CControlVolumeWidget : public CBaseWgt
{
    Q_OBJECT
public:
    explicit CControlVolumeWidget(double scale, QWidget *parent = nullptr);
    ~CControlVolumeWidget() override;

    // Shows the speaker's state; only changes made afterwards reach the engine.
    void init(bool mute, float volume);

    // The slider position for an engine gain, and the gain for a position.
    static int sliderPosition(float volume);
    static float engineVolume(int position);

public slots:
    void slot_setValue(int nValue);
    void slot_setMute(bool mute);

private:
    void setupForm();

    QLabel *m_value = nullptr;
    QSlider *m_volume = nullptr;
    QToolButton *m_mute = nullptr;
    QSpacerItem *m_pLeftSpacer = nullptr;
    QSpacerItem *m_pRightSpacer = nullptr;
    QHBoxLayout *m_hLayout = nullptr;
    QVBoxLayout *m_vLayout = nullptr;
};

} // namespace rj_app::views
