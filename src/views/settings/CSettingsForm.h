#pragma once

#include "views/framework/CBaseWgt.h"
#include "engine/RJTypes.h"
#include "views/framework/CDpiLayoutScaler.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QListWidget;
class QTabWidget;
class QTimer;

namespace Ui {
class CSettingsForm;
}

namespace rj_app::views {

// The index shared by the page list's rows and the tab pages.
enum SettingsPageIndex : int {
    SettingsPageIndex_SIP = 0,
    SettingsPageIndex_General = 1,
    SettingsPageIndex_Audio = 2,
    SettingsPageIndex_Video = 3,
    SettingsPageIndex_NetworkReport = 4,
    SettingsPageIndex_About = 5,
    SettingsPageIndex_Count = 6,
};

// The settings page set: the page list on the left selects the page on the
// right. The home window keeps one for its whole life; the in-call settings
// window makes a new one each time it opens. Both read and write the same
// configuration and engine, so pages reload what they show when the form is
// shown or the page entered; the SIP fields are loaded only when the SIP page
// becomes available, an unsaved-edits question is answered Ok or a save of
// them fails.
//
// The form takes its scale only from its host (updateDpi), not from the
// screen. GUI thread only.
class CSettingsForm : public CBaseWgt
{
    Q_OBJECT
public:
    // The parent is not passed on: the host puts the form into its layout.
    explicit CSettingsForm(QWidget *parent = nullptr);
    ~CSettingsForm() override;

    // Offers the SIP page (row 0) only when the login was skipped.
    void setSipSettingsVisible(bool visible);
    // Selects the list row and the page of `index` at once.
    void setCurrentPage(int index);
    // Restyles and rescales the form for the host's scale.
    void updateDpi(double scale);

    // Whether the SIP fields differ from the stored SIP settings; always
    // false while the SIP page is not offered.
    bool isSipSettingsChanged();
    // Fills the SIP fields from the stored settings, discarding edits.
    void loadSipSettings();

    // Refreshes the Network Report page from the engine's diagnosis.
    void updateWebReport();
    // Shows the overall verdict: icon and title of the report.
    void setNetworkStatus(bool normal);
    // Where refreshes take the diagnosis and its text from: the engine facade
    // unless replaced (tests put records there that no engine gives). An
    // empty function restores the facade.
    using DiagSource = std::function<void(rj::engine::RJDiag &diag, std::string &text)>;
    static void setDiagSource(DiagSource source);
    // Where the meter takes the microphone level from (a fraction of full
    // scale): the engine facade unless replaced; empty restores it.
    using MicLevelSource = std::function<float()>;
    static void setMicLevelSource(MicLevelSource source);

    // Where "Change Path" asks for the snapshot folder: (parent, caption,
    // start folder) -> chosen folder, empty when cancelled. The system's
    // folder dialog unless replaced; empty restores it.
    using FolderChooser = std::function<QString(QWidget *, const QString &, const QString &)>;
    static void setFolderChooser(FolderChooser chooser);

    // The page list and the page stack, for hosts that select pages themselves.
    QListWidget *lvSettingsEntrances() const;
    QTabWidget *twgtSettingsPages() const;

public slots:
    void slt_refreshAudioDevices();
    void slt_refreshVedioDevices();

    // Option controls: each applies the change at once.
    void slotOnCallRateCurrentIndexChanged(int idx);
    void slotOnChkBoxAutoLoginToggled(bool checked);
    void slotOnChkBoxEnableHightFrameRateToggled(bool checked);
    void slotOnChkBoxAutoAnswerToggled(bool checked);
    void slotOnChkBoxAutoSaveWhiteBoardSnapshot(bool checked);
    void slotOnLanguageCurrentIndexChanged(int idx);
    void slotOnLanguageChanged();
    void slotOnChkBoxEnable1080p(bool checked);
    void slotOnSeperateWin4RemoteContent(bool checked);
    void slotOnChkBoxFullScreenOnCallConnected(bool checked);
    void slotOnChkBoxDisableShare(bool checked);
    void slotOnChkBoxDisablePrompt(bool checked);
    void slotOnChkBoxAutoRun(bool checked);
    void slotOnbuttonClicked(int id);
    void slotOnChkBoxAINoiseReduction(bool checked);
    void slotOnChkBoxHardEncode(bool checked);
    void slotOnChkBoxHardDecode(bool checked);
    void slt_settingspageChanged(int index);
    void on_radio_SIPRegistration_clicked(bool nchecked);
    void on_pbt_SIPSave_clicked();

    // Audio and Video pages: device lists, choice, hot-plug, meter, test sound.
    void slt_micSelected(int index);
    void slt_speakerSelected(int index);
    void slt_cameraSelected(int index);
    void slotOnDeviceAdded(rj::engine::RJDevice device);
    void slotOnDeviceRemoved(rj::engine::RJDevice device);
    void slt_updateMicVolume();
    void slt_playTestSound();
    void slt_UploadFeedBack();

    // About page: a manual update check and its answer, or its failure.
    void on_m_pBtnCheckUpdate_clicked();
    void slt_updateMessage(bool toUpdate);
    void slt_updateCheckFailed(const QString &reason);

private slots:
    void on_pBt_details_clicked();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    struct SipValues;

    void initForm();
    void initConnections();
    void retranslatePageNames();
    SipValues storedSipValues() const;
    SipValues fieldSipValues() const;
    void setMicMeterRunning(bool running);
    bool isAudioPageShown() const;
    void stopListeningToUpdateCheck();
    void showWebReport();
    void initDevicePages();
    // General page and the option controls (CSettingsGeneralPage.cpp).
    void initOptionControls();
    void connectOptionControls();
    void loadOptionControls();
    // After a setting could not be saved: its control shows the stored value.
    void showStoredOptions();
    void retranslateLanguageItems();
    void chooseSnapshotPath();
    void showEngineState(QCheckBox *box, bool engineState);
    void showRenderType();
    void refreshMicComboBox();
    void refreshSpeakerComboBox();
    void refreshCameraComboBox();
    void onDeviceChanged(int deviceType);

    Ui::CSettingsForm *ui = nullptr;
    QTimer *m_pMicMeterTimer = nullptr;
    CDpiLayoutScaler m_layoutScaler;
    int m_lastSettingsIndex = 0;
    // What the SIP fields held after the last load or save: the fields differ
    // from it exactly when the user has edits not saved yet.
    std::unique_ptr<SipValues> m_pSipFieldsBase;

    // Network Report: the diagnosis and text of the last refresh, and its
    // overall verdict.
    rj::engine::RJDiag m_diag;
    std::string m_strDiagText;
    bool m_bNetworkNormal = false;
    bool m_bWebReportShown = false;

    // The render-type radio buttons (ids: RenderTypeId) and the type last
    // applied or read from the engine.
    QButtonGroup *m_pRenderTypeGroup = nullptr;
    int m_iRenderType = 0;
    // Whether the stored choices that only this form applies have reached
    // the engine (at the first show).
    bool m_bStoredChoicesApplied = false;

    // Device lists of the last refresh and the engine's current devices then.
    std::vector<rj::engine::RJDevice> m_audioCaptureDevices;
    std::vector<rj::engine::RJDevice> m_audioPlaybackDevices;
    std::vector<rj::engine::RJDevice> m_videoDevices;
    rj::engine::RJDevice m_curAudioCaptureDevice;
    rj::engine::RJDevice m_curAudioPlaybackDevice;
    rj::engine::RJDevice m_curVideoDevice;
};

} // namespace rj_app::views
