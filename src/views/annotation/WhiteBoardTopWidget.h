#pragma once

#include "engine/RJMetaTypes.h"
#include "engine/RJTypes.h"
#include "views/framework/CDpiLayoutScaler.h"

#include <QWidget>

class Button_share;
class QFrame;
class QHBoxLayout;
class QMenuButton;
class QPushButton;
class QVBoxLayout;

namespace rj_app::custom_controls {
class CToolButton;
}

namespace rj_app::views {

class CControllableProbe;
class CSharingControls;

// The call controls along the top of the whiteboard window while this client
// sends a whiteboard: microphone and camera with their device lists,
// Management when the conference is controllable, Drawing, Volume, Stop and
// Show PIP, folding to a thin strip on its fold tab. A child widget of that
// window; it decides nothing about the whiteboard itself.
class WhiteBoardTopWidget : public QWidget
{
    Q_OBJECT
public:
    explicit WhiteBoardTopWidget(QWidget *parent = nullptr);
    ~WhiteBoardTopWidget() override;

    void updateDpi(double scale);
    void updateShowPicture(bool visible);
    bool isShowPictureButtonVisible() const;
    double scale() const { return m_dScale; }
    CSharingControls *sharingControls() const { return m_pControls; }

signals:
    void sigRefreshStatus();
    void sigOpenWhiteBoardTool();
    void sigClickedManagerButton();
    void sigClose();
    void sigOnShowPicture();
    void sigSettingWinClosed();

public slots:
    void slotHidePicture();

protected slots:
    void slotSwitchMic();
    void slotSwitchCamera();
    void slotClickedManagerButton();
    void slotStopShare();
    void slotEntershareBtn();
    void slotShowPaintWindow();
    void slotConfMngtVisible(bool visible);
    void slotOnBtnShowPicture();
    void slotOnBtnSelectMicClicked();
    void slotOnBtnSelectCameraClicked();
    void slotShowAudioSetting();
    void slotShowVideoSetting();
    void slotOnBtnVolumClicked();
    void slotVolume(rj::engine::RJ_DEVICE_TYPE type, rj::engine::RJVolume vol);
    void slotOnMicMutedShow(bool mic_muted);
    void slotOnLanguageChanged();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void setupForm();
    void retranslateForm();
    void initWidgets();
    void updateTexts();
    void checkControllable();
    // The bar's own height follows its rows, folded or not, at its scale.
    void slotOnFoldChanged(bool folded);

    QHBoxLayout *horizontalLayout = nullptr;
    QWidget *PropertyWidget = nullptr;
    QVBoxLayout *verticalLayout_4 = nullptr;
    QFrame *m_bg = nullptr;
    QHBoxLayout *horizontalLayout_6 = nullptr;
    QHBoxLayout *horizontalLayout_2 = nullptr;
    QHBoxLayout *horizontalLayout_5 = nullptr;
    QMenuButton *m_muteBtn = nullptr;
    QPushButton *m_pBtnSelectMicUp = nullptr;
    QMenuButton *m_cameraBtn = nullptr;
    QPushButton *m_pBtnSelectCameraUp = nullptr;
    QMenuButton *m_managerBtn = nullptr;
    QMenuButton *m_drawBtn = nullptr;
    QMenuButton *m_pBtnVolume = nullptr;
    QMenuButton *m_closeBtn = nullptr;
    custom_controls::CToolButton *m_pBtnShowPic = nullptr;
    QFrame *horizontalBtn_2 = nullptr;
    QHBoxLayout *horizontalLayout_3 = nullptr;
    Button_share *m_shareBtnView = nullptr;

    CDpiLayoutScaler m_scaler;
    double m_dScale = 1.0;
    // Popups, the settings window and the fold tab.
    CSharingControls *m_pControls = nullptr;
    CControllableProbe *m_pControllableProbe = nullptr;
};

} // namespace rj_app::views
