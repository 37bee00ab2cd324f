#pragma once

#include "engine/RJMetaTypes.h"
#include "engine/RJTypes.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <cstddef>

class Button_share;
class QEvent;
class QMenuButton;
class QPushButton;
class QWidget;

namespace rj_app::views {

class CContainerSettingsFormWidget;
class CControlVolumeWidget;
class menuAudioWidget;
class menuVideoWidget;

// The call controls that every sharing toolbar repeats: microphone and camera
// switches with their device lists, the speaker volume with its popup, the
// in-call settings window opened from a device list, and the fold tab. The
// host toolbar owns the buttons and lays them out; this object wires them,
// owns the popups (windows of the host) and filters their events.
class CSharingControls : public QObject
{
    Q_OBJECT
public:
    struct Buttons
    {
        QMenuButton *mic = nullptr;
        QPushButton *micArrow = nullptr;
        QMenuButton *camera = nullptr;
        QPushButton *cameraArrow = nullptr;
        QMenuButton *volume = nullptr;
    };
    // What the fold tab folds: `view` (the button row) is hidden, and each of
    // `rows` gets the folded or unfolded height times the scale.
    struct Fold
    {
        Button_share *tab = nullptr;
        QWidget *view = nullptr;
        QList<QWidget *> rows;
    };

    static constexpr int kUnfoldedHeight = 69;
    static constexpr int kFoldedHeight = 15;
    static constexpr int kPopupGap = 10;

    // `host` is the window the popups belong to; it is also the parent.
    CSharingControls(QWidget *host, const Buttons &buttons, const Fold &fold);
    ~CSharingControls() override;

    // Popups opened from now on are built for this scale.
    void setScale(double scale);
    double scale() const { return m_dScale; }

    // The buttons show what the engine reports, then sigRefreshStatus().
    void refreshMicStatus();
    void refreshCameraStatus();
    // apply: the volume button's checked state becomes `muted`; otherwise
    // `muted` is read from it. Then its icons and look follow.
    void refreshVolumeStatus(bool muted, bool apply);

    void unfold();
    bool isFolded() const;
    bool isPopupOpen() const { return m_bPopupOpen; }

    menuAudioWidget *audioMenu() const;
    menuVideoWidget *cameraMenu() const;
    CControlVolumeWidget *volumeControl() const;
    CContainerSettingsFormWidget *settingsWindow() const;

    // Where a popup goes: centred under its button, kPopupGap below.
    static QPoint popupPosition(const QRect &anchorGlobal, int popupWidth);

    // What both sharing toolbars build alike: their 88 x 54 buttons, the
    // device-list arrows beside them and the red-caption button style.
    static const char kArrowStyle[];
    static QMenuButton *makeMenuButton(QWidget *parent, const char *name, bool pointingHand);
    static QPushButton *makeArrow(QWidget *parent, const char *name);
    static QString stateButtonStyle(const char *name, bool checkedRule);
    // A button's icons and whether it has two states; it starts normal.
    struct ButtonLook
    {
        QMenuButton *button;
        bool checkable;
        const char *normal;
        const char *on;
    };
    template <std::size_t N>
    static void applyLooks(const ButtonLook (&looks)[N])
    {
        for (const ButtonLook &look : looks)
            applyLook(look);
    }
    static void applyLook(const ButtonLook &look);

signals:
    void sigRefreshStatus();
    void sigSettingWinClosed();
    // After the fold tab folded (true) or unfolded (false) the bar.
    void sigFoldChanged(bool folded);

public slots:
    void slotSwitchMic();
    void slotSwitchCamera();
    void slotOnBtnSelectMicClicked();
    void slotOnBtnSelectCameraClicked();
    void slotOnBtnVolumClicked();
    void slotShowAudioSetting();
    void slotShowVideoSetting();
    void slotVolume(rj::engine::RJ_DEVICE_TYPE type, rj::engine::RJVolume vol);
    void slotOnMicMutedShow(bool mic_muted);
    void entershareBtn();
    void showSetting(bool audio);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void openPopup(QWidget *popup);
    void closePopup(QWidget *popup);
    void setRowHeights(int base);

    QWidget *m_pHost = nullptr;
    Buttons m_buttons;
    Fold m_fold;
    double m_dScale = 1.0;
    QPointer<menuVideoWidget> m_pCamSelectMenu;
    QPointer<menuAudioWidget> m_pAudioSelectMenu;
    QPointer<CControlVolumeWidget> m_pVolumeControl;
    QPointer<CContainerSettingsFormWidget> m_pSettingForm;
    // A device list or the volume popup is open: the bar does not fold.
    bool m_bPopupOpen = false;
};

} // namespace rj_app::views
