#pragma once

// The widget set of the settings page set, written by hand in the shape uic
// gives: setupUi builds the tree, retranslateUi sets every text the form
// defines (context "CSettingsForm"), and slots named on_<object>_<signal> are
// connected by name. Each page is built by its own function.

#include <QString>

class QCheckBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QStackedWidget;
class QTabWidget;
class QTableWidget;
class QVBoxLayout;
class QWidget;

namespace rj_app::custom_controls {
class CComboBoxIgnoreScroll;
}

namespace Ui {

class CSettingsForm
{
public:
    // Frame
    QHBoxLayout *horizontalLayout = nullptr;
    QWidget *wgtSettingsEntrances = nullptr;
    QVBoxLayout *verticalLayoutEntrances = nullptr;
    QListWidget *lvSettingsEntrances = nullptr;
    QTabWidget *twgtSettingsPages = nullptr;

    // Page 0: SIP
    QWidget *tabSettingsSIP = nullptr;
    QScrollArea *m_pScrollSIP = nullptr;
    QWidget *scaSettingsSIP = nullptr;
    QWidget *scorllSIPWidght = nullptr;
    QWidget *m_pWgtProtocolPanel = nullptr;
    QLabel *label_protocol = nullptr;
    rj_app::custom_controls::CComboBoxIgnoreScroll *combobox_protocol = nullptr;
    QWidget *m_pWgtScreenNamePanel = nullptr;
    QLabel *label_screenname = nullptr;
    QLineEdit *lineedit_screenname = nullptr;
    QCheckBox *radio_SIPRegistration = nullptr;
    QWidget *widget_SIPregistration = nullptr;
    QWidget *m_pWgtSIPServerPanel = nullptr;
    QLabel *label_SIPserver = nullptr;
    QLineEdit *lineedit_SIPserver = nullptr;
    QWidget *m_pWgtSIPDomainPanel = nullptr;
    QLabel *label_SIPdomain = nullptr;
    QLineEdit *lineedit_SIPdomain = nullptr;
    QWidget *m_pWgtSIPNumberPanel = nullptr;
    QLabel *label_SIPnumber = nullptr;
    QLineEdit *lineedit_SIPnumber = nullptr;
    QWidget *m_pWgtSIPUsernamePanel = nullptr;
    QLabel *label_SIPusername = nullptr;
    QLineEdit *lineedit_SIPusername = nullptr;
    QWidget *m_pWgtSIPPasswordPanel = nullptr;
    QLabel *label_SIPpassword = nullptr;
    QLineEdit *lineedit_SIPpassword = nullptr;
    QPushButton *pbt_SIPSave = nullptr;

    // Page 1: General
    QWidget *tabSettingsGeneral = nullptr;
    QScrollArea *m_pScrollGeneral = nullptr;
    QWidget *scaSettingsGeneral = nullptr;
    QWidget *scorllGeneralWidght = nullptr;
    QWidget *widget_2 = nullptr;
    QLabel *label_callrate = nullptr;
    rj_app::custom_controls::CComboBoxIgnoreScroll *m_pCmbBoxCallRate = nullptr;
    QWidget *m_pWgtLanguagePanel = nullptr;
    QLabel *label_language = nullptr;
    rj_app::custom_controls::CComboBoxIgnoreScroll *m_pCmbBoxLanguage = nullptr;
    QWidget *m_pWgtSnapshotPathPanel = nullptr;
    QLabel *label_snapshot = nullptr;
    QLineEdit *m_pSnapshotPath = nullptr;
    QPushButton *m_pBtnChangeSnapshotPath = nullptr;
    QWidget *m_pWgtDiagnosticsPanel = nullptr;
    QLabel *label_diagnostics = nullptr;
    QPushButton *btnUploadDiagnosis = nullptr;
    QWidget *widget_6 = nullptr;
    QLabel *label_application = nullptr;
    QCheckBox *m_pChkBoxAutoLogin = nullptr;
    QCheckBox *m_pChkBoxAutoAnswer = nullptr;
    QCheckBox *m_pChkBoxAutoRun = nullptr;
    QCheckBox *m_pChkBoxAutoSaveWhiteBoardSnapshot = nullptr;
    QCheckBox *m_pChkBoxSeperateWin4RemoteContent = nullptr;
    QWidget *m_pWgtDisablepromptPanel = nullptr;
    QCheckBox *m_pChkBoxDisablePrompt = nullptr;
    QLabel *lblClosePrompt = nullptr;
    QCheckBox *m_pChkBoxFullScreenOnCallConnected = nullptr;
    QWidget *m_pWgtDisablesharePanel = nullptr;
    QCheckBox *m_pChkBoxDisableShare = nullptr;
    QLabel *lblDisableShare = nullptr;

    // Page 2: Audio
    QWidget *tabSettingsAudio = nullptr;
    QWidget *audioWidget = nullptr;
    QWidget *widget = nullptr;
    QLabel *lblMic = nullptr;
    rj_app::custom_controls::CComboBoxIgnoreScroll *cbbMic = nullptr;
    QProgressBar *pgbMic = nullptr;
    QWidget *widget_12 = nullptr;
    QLabel *lblSpeaker = nullptr;
    rj_app::custom_controls::CComboBoxIgnoreScroll *cbbSpeaker = nullptr;
    QPushButton *btnPlayTestSound = nullptr;
    QLabel *lblPlayTestSoundTip = nullptr;
    QWidget *m_pWgtAINoiseReductionPanel = nullptr;
    QCheckBox *m_pChkBoxAINoiseReduction = nullptr;
    QLabel *lblAINoiseReduction = nullptr;

    // Page 3: Video
    QWidget *tabSettingsVideo = nullptr;
    QWidget *videoWidget = nullptr;
    QWidget *wgtVideoPreview = nullptr;
    QWidget *widget_13 = nullptr;
    QLabel *label_camera = nullptr;
    rj_app::custom_controls::CComboBoxIgnoreScroll *cbbCamera = nullptr;
    QWidget *m_pWgtRenderTypePanel = nullptr;
    QLabel *label_renderType = nullptr;
    QGroupBox *groupbox = nullptr;
    QRadioButton *prbtRenderAuto = nullptr;
    QRadioButton *prbtRenderD3d = nullptr;
    QRadioButton *prbtRenderGDI = nullptr;
    QWidget *m_pWgtHightFrameRatePanel = nullptr;
    QCheckBox *m_pChkBoxEnableHightFrameRate = nullptr;
    QLabel *lblEnableHighrate = nullptr;
    QCheckBox *m_pChkBoxEnable1080p = nullptr;
    QCheckBox *m_pChkBoxHardEncode = nullptr;
    QCheckBox *m_pChkBoxHardDecode = nullptr;

    // Page 5: About
    QWidget *tabSettingsAbout = nullptr;
    QScrollArea *scrollArea = nullptr;
    QWidget *scrollAreaWidgetContents = nullptr;
    QWidget *wgtAbout = nullptr;
    QLabel *lblLogo = nullptr;
    QLabel *label_Zor = nullptr;
    QLabel *label_copyright = nullptr;
    QPushButton *m_pBtnCheckUpdate = nullptr;
    QLabel *m_pLabVersion = nullptr;

    // Page 4: Network Report
    QWidget *tabSettingReport = nullptr;
    QStackedWidget *stackedWidget = nullptr;
    QWidget *pageNone = nullptr;
    QLabel *label_iconNone = nullptr;
    QLabel *label_titleNone = nullptr;
    QLabel *label_promptNone = nullptr;
    QWidget *pageReport = nullptr;
    QScrollArea *m_pScrollGeneral_report = nullptr;
    QWidget *scaGeneralReport = nullptr;
    QWidget *scorllGeneralWidght_report = nullptr;
    QLabel *label_iconReport = nullptr;
    QLabel *label_titleReport = nullptr;
    QPushButton *pBt_details = nullptr;
    QTableWidget *tableWidget_content = nullptr;
    QWidget *widget_prompt = nullptr;
    QWidget *m_pWgtMakeCallPrompt = nullptr;
    QLabel *label_promptReport = nullptr;
    QWidget *m_pWgtAdvice = nullptr;
    QLabel *m_pLblAdvice = nullptr;

    void setupUi(QWidget *CSettingsForm);
    void retranslateUi(QWidget *CSettingsForm);

private:
    void setupSipPage();
    void setupPages();
    QWidget *setupGeneralPage();
    // The option controls that sit on the Audio and Video pages.
    void setupAudioVideoOptions();
    void retranslateOptions();
    // Audio, Video and About (CSettingsDevicePagesUi.cpp).
    QWidget *setupAudioPage();
    QWidget *setupVideoPage();
    QWidget *setupAboutPage();
    void retranslateDevicePages();
    QWidget *setupReportPage();
};

} // namespace Ui
