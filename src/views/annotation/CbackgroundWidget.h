#pragma once

#include "views/framework/CBaseWgt.h"

#include <QString>

class QPushButton;

namespace rj_app::views {

// The drawing overlay laid over a locally shared screen, with its sharing
// toolbar: a translucent, frameless, stay-on-top window of its own. The call
// layout creates it while a screen is shared and deletes it afterwards.
class CbackgroundWidget : public CBaseWgt
{
    Q_OBJECT
public:
    explicit CbackgroundWidget(QWidget *parent = nullptr);
    ~CbackgroundWidget() override;

    // The board colour last chosen: "rgb(0,0,0,255)", "rgb(255,255,255,255)"
    // or "rgb(255,255,255,0)". Read by the call layout on changeBgColor().
    QString m_strDrawBg;

    // The Mute button's state: true while it shows the microphone muted.
    bool isAudioMuted() const { return m_bAudioMuted; }
    bool isShowPictureButtonVisible() const;

signals:
    void sigClickManagerButton();
    void sigRefreshStatus();
    void sigSettingWinClosed();
    void sigOnShowPicture();
    void sigClose();
    void changeBgColor();
    void stopDraw();

public slots:
    void slotHidePicture();
    void updateShowPicture(bool visible);
    void refreshManagerNumber();
    void muteAudio();
    void unmuteAudio();
    void slotOnStopShareClicked();

private:
    void setAudioMuted(bool muted);

    QPushButton *m_pBtnShowPicture = nullptr;
    QPushButton *m_pBtnStopShare = nullptr;
    bool m_bAudioMuted = false;
};

} // namespace rj_app::views
