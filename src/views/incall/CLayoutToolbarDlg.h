#pragma once

#include "engine/RJMetaTypes.h"
#include "engine/RJTypes.h"
#include "helpers/Enums.h"
#include "views/framework/CBaseDlg.h"
#include "views/framework/CDpiLayoutScaler.h"

#include <QPointer>
#include <QRect>

class QEvent;
class QHBoxLayout;
class QPushButton;
class QSpacerItem;
class QToolButton;
class QVBoxLayout;
class CAttendeesButton;
class CNumberButton;

namespace rj_app::views {

class AlertDlg;
class CAttendessWidgets;
class CConfMngtDlg;
class CContainerSettingsFormWidget;
class CControlVolumeWidget;
class CControllableProbe;
class CMenuMoreWidget;
class CSelectShareContent;
class menuAudioWidget;
class menuVideoWidget;

// The row of call controls along the bottom of the call window. The layout
// engine creates it hidden and without parent, re-parents it over the video
// and shows and hides it with the mouse. It owns the windows it opens: the
// device, volume and "More" popups, the in-call settings, the share chooser,
// the conference-control and attendees windows and the hang-up question.
class CLayoutToolbarDlg : public CBaseDlg
{
    Q_OBJECT
public:
    explicit CLayoutToolbarDlg(QWidget *parent = nullptr);
    ~CLayoutToolbarDlg() override;

    // Operations for the layout engine and the call window.
    void setLayoutMode(int mode);
    void setAudioOnlyMode(bool audioOnly);
    void updateMoreModeVisibility(bool isLocalRemoteMuted);
    void updateMoreModeVisibility();
    void checkMicStatus();
    void checkCameraStatus();
    void refreshDeviceButtons();
    bool isMicButtonChecked() const;
    void muteAudio();
    void UnmuteAudio();
    bool getShowPromptFlag() const;
    bool isAnyPopupVisible() const;
    void setShowPicButtonVisible(bool visible);
    void closeSelectShareContentForm();
    void closeWindows();
    void openManagerWindow();
    void setTitleBarWidget(QWidget *titleBar, QRect rect);

signals:
    void sigChangeLayoutMode(enums::LayoutModeType layoutMode);
    void sigIsLocalMicEnabled(bool isLocalMicEnabled);
    void sigrequestSpeakPrompt();
    void sigOnShowPicture();
    void sigSettingWinClosed();

public slots:
    void slotOnBtnEnableMicClicked();
    void slotOnBtnEnableCameraClicked();
    void slotOnBtnSelectMicClicked();
    void slotOnBtnSelectCameraClicked();
    void slotOnBtnSwitchLayoutClicked();
    void slotOnBtnHangupClicked();
    void slotOnConfMngtClicked();
    void slotOnAttendeesClicked();
    void slotOnConfMngtDlgClosed();
    void slotOnShareClicked();
    void slotOnLanguageChanged();
    void slotOnCallStatusChanged(enums::CallStatus callStatus);
    void slotShowAudioSetting();
    void slotShowVideoSetting();
    void slotOnMicMutedShow(bool mic_muted);
    void slotOnVideoMutedShow(int video_muted);
    void slotOnBtnMoreClicked();
    void slotOnBtnVolumClicked();
    void slotAlertWidgetBtn1();
    void slotAlertWidgetBtn2();
    void slotAlertWidgetBtn3();
    void slotCloseAlertWidget();
    void slotOnParticipant(int number);
    void slotOnBtnShowPicture();
    void slotHidePicture();
    void slotConfMngtVisible(bool controllable);
    void slotOnSettingClose();
    void slotVolume(rj::engine::RJ_DEVICE_TYPE type, rj::engine::RJVolume vol);
    void slotOnDeviceAdded(rj::engine::RJDevice device);
    void slotOnDeviceRemoved(rj::engine::RJDevice device);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void changeEvent(QEvent *event) override;
    void onDpiChanged() override;

private:
    void setupForm();
    void retranslateForm();
    void initForm();
    void initConnections();
    void retranslateButtons();
    void refreshEnableMicBtnStatus(bool enabled);
    void refreshEnableCameraBtnStatus(bool enabled);
    void refreshVolumeBtnStatus(bool muted, bool apply);
    void refreshStaticImages();
    void placePopup(QWidget *popup, QWidget *anchor);
    void showSetting(bool isAudio);
    void checkControllable();
    void onDeviceChanged(int deviceType);
    void disposeAlert();
    void closeCallWindows();
    QString imagePath(const QString &stem) const;
    QString volumeImagePath(const QString &stem) const;
    double currentScale() const;
    QWidget *popupOf(QObject *watched) const;
    void closePopup(QWidget *popup);
    void openPopup(QWidget *popup, QWidget *anchor);
    void closePopupsBut(QWidget *kept);
    bool anyOfFourPopupsVisible() const;

    // Form.
    QVBoxLayout *verticalLayout = nullptr;
    QHBoxLayout *horizontalLayout = nullptr;
    QWidget *widget = nullptr;
    QHBoxLayout *horizontalLayout_2 = nullptr;
    QPushButton *m_pBtnShowPic = nullptr;
    QToolButton *m_pBtnEnableMic = nullptr;
    QPushButton *m_pBtnSelectMicUp = nullptr;
    QToolButton *m_pBtnEnableCamera = nullptr;
    QPushButton *m_pBtnSelectCameraUp = nullptr;
    QToolButton *m_pBtnShare = nullptr;
    CNumberButton *m_pBtnConfMngt = nullptr;
    CAttendeesButton *m_pBtnAttendees = nullptr;
    QToolButton *m_pBtnSwitchLayout = nullptr;
    QToolButton *m_pBtnMore = nullptr;
    QToolButton *m_pBtnVolume = nullptr;
    QPushButton *m_pBtnHangup = nullptr;

    CConfMngtDlg *m_pConfMngtDlg = nullptr;
    int m_iLayoutMode = 0;
    QPointer<menuVideoWidget> m_pCamSelectMenu;
    QPointer<menuAudioWidget> m_pAudioSelectMenu;
    QPointer<CContainerSettingsFormWidget> m_pSettingForm;
    QPointer<CSelectShareContent> m_pSelectShareContentForm;
    QPointer<CAttendessWidgets> m_pAttendeesWidget;
    QPointer<AlertDlg> m_pAlertDlg;
    bool m_bIsLocalRemoteMuted = false;
    QPointer<QWidget> m_pWgtTitleBar;
    QRect m_titleBarRect;
    bool m_bShowPrompt = true;
    QPointer<CMenuMoreWidget> m_pMoreMenu;
    QPointer<CControlVolumeWidget> m_pVolumeControl;
    CDpiLayoutScaler m_layoutScaler;
    CControllableProbe *m_pControllableProbe = nullptr;
    bool m_bShowing = false; // inside showEvent
};

} // namespace rj_app::views
