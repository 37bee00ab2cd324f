#include "views/settings/CSettingsFormUi.h"

#include "custom_controls/CComboBoxIgnoreScroll.h"
#include "custom_controls/CWrapCheckBox.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMetaObject>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSpacerItem>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QWidget>

namespace Ui {

namespace {

constexpr int kFieldHeight = 30;
constexpr int kColumnWidth = 480;

QString formText(const char *source)
{
    return QCoreApplication::translate("CSettingsForm", source);
}

QVBoxLayout *newColumnLayout(QWidget *owner, const char *name, int spacing)
{
    auto *layout = new QVBoxLayout(owner);
    layout->setObjectName(QLatin1String(name));
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(spacing);
    return layout;
}

// A settings field: its label above its control, both 30 pixels high.
QWidget *newField(QWidget *parent, const char *panelName, QLabel *&label, const char *labelName,
                  QWidget *control)
{
    auto *panel = new QWidget(parent);
    panel->setObjectName(QLatin1String(panelName));
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    label = new QLabel(panel);
    label->setObjectName(QLatin1String(labelName));
    label->setFixedHeight(kFieldHeight);
    layout->addWidget(label);
    control->setParent(panel);
    control->setFixedHeight(kFieldHeight);
    layout->addWidget(control);
    return panel;
}

// A check box at least 16 pixels high, as high as its caption's lines need,
// with its explanation below, which wraps and grows from 18 to 34 pixels.
QWidget *newExplainedOption(QWidget *parent, const char *panelName, QCheckBox *&box, const char *boxName,
                            QLabel *&explanation, const char *explanationName)
{
    auto *panel = new QWidget(parent);
    panel->setObjectName(QLatin1String(panelName));
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    box = new rj_app::custom_controls::CWrapCheckBox(panel);
    box->setObjectName(QLatin1String(boxName));
    box->setMinimumHeight(16);
    layout->addWidget(box);
    explanation = new QLabel(panel);
    explanation->setObjectName(QLatin1String(explanationName));
    explanation->setMinimumHeight(18);
    explanation->setMaximumHeight(34);
    explanation->setWordWrap(true);
    layout->addWidget(explanation);
    return panel;
}

QLineEdit *newLineEdit(const char *name)
{
    auto *edit = new QLineEdit();
    edit->setObjectName(QLatin1String(name));
    return edit;
}

} // namespace

void CSettingsForm::setupUi(QWidget *form)
{
    if (form->objectName().isEmpty())
        form->setObjectName(QStringLiteral("CSettingsForm"));
    form->resize(796, 668);

    horizontalLayout = new QHBoxLayout(form);
    horizontalLayout->setObjectName(QStringLiteral("horizontalLayout"));
    horizontalLayout->setContentsMargins(0, 0, 0, 0);
    horizontalLayout->setSpacing(0);

    wgtSettingsEntrances = new QWidget(form);
    wgtSettingsEntrances->setObjectName(QStringLiteral("wgtSettingsEntrances"));
    wgtSettingsEntrances->setFixedWidth(250);
    verticalLayoutEntrances = newColumnLayout(wgtSettingsEntrances, "verticalLayoutEntrances", 0);
    lvSettingsEntrances = new QListWidget(wgtSettingsEntrances);
    lvSettingsEntrances->setObjectName(QStringLiteral("lvSettingsEntrances"));
    lvSettingsEntrances->setFrameShape(QFrame::NoFrame);
    lvSettingsEntrances->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    verticalLayoutEntrances->addWidget(lvSettingsEntrances);
    horizontalLayout->addWidget(wgtSettingsEntrances);

    twgtSettingsPages = new QTabWidget(form);
    twgtSettingsPages->setObjectName(QStringLiteral("twgtSettingsPages"));
    twgtSettingsPages->setMinimumWidth(398);
    horizontalLayout->addWidget(twgtSettingsPages);

    setupSipPage();
    setupPages();

    retranslateUi(form);
    twgtSettingsPages->setCurrentIndex(0);
    stackedWidget->setCurrentIndex(1);
    QMetaObject::connectSlotsByName(form);
}

void CSettingsForm::setupSipPage()
{
    tabSettingsSIP = new QWidget();
    tabSettingsSIP->setObjectName(QStringLiteral("tabSettingsSIP"));
    QVBoxLayout *pageLayout = newColumnLayout(tabSettingsSIP, "verticalLayoutSIPPage", 0);

    m_pScrollSIP = new QScrollArea(tabSettingsSIP);
    m_pScrollSIP->setObjectName(QStringLiteral("m_pScrollSIP"));
    m_pScrollSIP->setFrameShape(QFrame::NoFrame);
    m_pScrollSIP->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_pScrollSIP->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_pScrollSIP->setWidgetResizable(true);
    pageLayout->addWidget(m_pScrollSIP);

    scaSettingsSIP = new QWidget();
    scaSettingsSIP->setObjectName(QStringLiteral("scaSettingsSIP"));
    auto *scrollRow = new QHBoxLayout(scaSettingsSIP);
    scrollRow->setObjectName(QStringLiteral("horizontalLayoutSIPScroll"));
    scrollRow->setContentsMargins(0, 0, 0, 0);
    scrollRow->setSpacing(0);

    scorllSIPWidght = new QWidget(scaSettingsSIP);
    scorllSIPWidght->setObjectName(QStringLiteral("scorllSIPWidght"));
    scorllSIPWidght->setFixedWidth(kColumnWidth);
    QVBoxLayout *column = newColumnLayout(scorllSIPWidght, "verticalLayoutSIPColumn", 16);
    column->setContentsMargins(30, 20, 30, 20);
    scrollRow->addWidget(scorllSIPWidght);
    scrollRow->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));

    combobox_protocol = new rj_app::custom_controls::CComboBoxIgnoreScroll();
    combobox_protocol->setObjectName(QStringLiteral("combobox_protocol"));
    m_pWgtProtocolPanel = newField(scorllSIPWidght, "m_pWgtProtocolPanel", label_protocol, "label_protocol",
                                   combobox_protocol);
    column->addWidget(m_pWgtProtocolPanel);

    lineedit_screenname = newLineEdit("lineedit_screenname");
    m_pWgtScreenNamePanel = newField(scorllSIPWidght, "m_pWgtScreenNamePanel", label_screenname,
                                     "label_screenname", lineedit_screenname);
    column->addWidget(m_pWgtScreenNamePanel);

    radio_SIPRegistration = new QCheckBox(scorllSIPWidght);
    radio_SIPRegistration->setObjectName(QStringLiteral("radio_SIPRegistration"));
    radio_SIPRegistration->setFixedHeight(kFieldHeight);
    column->addWidget(radio_SIPRegistration);

    widget_SIPregistration = new QWidget(scorllSIPWidght);
    widget_SIPregistration->setObjectName(QStringLiteral("widget_SIPregistration"));
    QVBoxLayout *registration = newColumnLayout(widget_SIPregistration, "verticalLayoutSIPRegistration", 16);

    lineedit_SIPserver = newLineEdit("lineedit_SIPserver");
    m_pWgtSIPServerPanel = newField(widget_SIPregistration, "m_pWgtSIPServerPanel", label_SIPserver,
                                    "label_SIPserver", lineedit_SIPserver);
    registration->addWidget(m_pWgtSIPServerPanel);
    lineedit_SIPdomain = newLineEdit("lineedit_SIPdomain");
    m_pWgtSIPDomainPanel = newField(widget_SIPregistration, "m_pWgtSIPDomainPanel", label_SIPdomain,
                                    "label_SIPdomain", lineedit_SIPdomain);
    registration->addWidget(m_pWgtSIPDomainPanel);
    lineedit_SIPnumber = newLineEdit("lineedit_SIPnumber");
    m_pWgtSIPNumberPanel = newField(widget_SIPregistration, "m_pWgtSIPNumberPanel", label_SIPnumber,
                                    "label_SIPnumber", lineedit_SIPnumber);
    registration->addWidget(m_pWgtSIPNumberPanel);
    lineedit_SIPusername = newLineEdit("lineedit_SIPusername");
    m_pWgtSIPUsernamePanel = newField(widget_SIPregistration, "m_pWgtSIPUsernamePanel", label_SIPusername,
                                      "label_SIPusername", lineedit_SIPusername);
    registration->addWidget(m_pWgtSIPUsernamePanel);
    lineedit_SIPpassword = newLineEdit("lineedit_SIPpassword");
    m_pWgtSIPPasswordPanel = newField(widget_SIPregistration, "m_pWgtSIPPasswordPanel", label_SIPpassword,
                                      "label_SIPpassword", lineedit_SIPpassword);
    registration->addWidget(m_pWgtSIPPasswordPanel);
    column->addWidget(widget_SIPregistration);

    auto *saveRow = new QHBoxLayout();
    saveRow->setObjectName(QStringLiteral("horizontalLayoutSIPSave"));
    saveRow->setContentsMargins(0, 0, 0, 0);
    pbt_SIPSave = new QPushButton(scorllSIPWidght);
    pbt_SIPSave->setObjectName(QStringLiteral("pbt_SIPSave"));
    pbt_SIPSave->setFixedSize(120, kFieldHeight);
    pbt_SIPSave->setCursor(Qt::PointingHandCursor);
    saveRow->addWidget(pbt_SIPSave);
    saveRow->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    column->addLayout(saveRow);
    column->addItem(new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding));

    m_pScrollSIP->setWidget(scaSettingsSIP);
    twgtSettingsPages->addTab(tabSettingsSIP, QString());
}

void CSettingsForm::setupPages()
{
    tabSettingsGeneral = setupGeneralPage();
    twgtSettingsPages->addTab(tabSettingsGeneral, QString());
    tabSettingsAudio = setupAudioPage();
    twgtSettingsPages->addTab(tabSettingsAudio, QString());
    tabSettingsVideo = setupVideoPage();
    twgtSettingsPages->addTab(tabSettingsVideo, QString());
    setupAudioVideoOptions();
    tabSettingReport = setupReportPage();
    twgtSettingsPages->addTab(tabSettingReport, QString());
    tabSettingsAbout = setupAboutPage();
    twgtSettingsPages->addTab(tabSettingsAbout, QString());
}

// General: call rate, language, snapshot folder, feedback and the
// application options, in a scroll area like the SIP page.
QWidget *CSettingsForm::setupGeneralPage()
{
    auto *page = new QWidget();
    page->setObjectName(QStringLiteral("tabSettingsGeneral"));
    QVBoxLayout *pageLayout = newColumnLayout(page, "verticalLayoutGeneralPage", 0);

    m_pScrollGeneral = new QScrollArea(page);
    m_pScrollGeneral->setObjectName(QStringLiteral("m_pScrollGeneral"));
    m_pScrollGeneral->setFrameShape(QFrame::NoFrame);
    m_pScrollGeneral->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_pScrollGeneral->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_pScrollGeneral->setWidgetResizable(true);
    pageLayout->addWidget(m_pScrollGeneral);

    scaSettingsGeneral = new QWidget();
    scaSettingsGeneral->setObjectName(QStringLiteral("scaSettingsGeneral"));
    auto *scrollRow = new QHBoxLayout(scaSettingsGeneral);
    scrollRow->setObjectName(QStringLiteral("horizontalLayoutGeneralScroll"));
    scrollRow->setContentsMargins(0, 0, 0, 0);
    scrollRow->setSpacing(0);
    scorllGeneralWidght = new QWidget(scaSettingsGeneral);
    scorllGeneralWidght->setObjectName(QStringLiteral("scorllGeneralWidght"));
    scorllGeneralWidght->setFixedWidth(kColumnWidth);
    QVBoxLayout *column = newColumnLayout(scorllGeneralWidght, "verticalLayoutGeneralColumn", 16);
    column->setContentsMargins(30, 20, 30, 20);
    scrollRow->addWidget(scorllGeneralWidght);
    scrollRow->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));

    m_pCmbBoxCallRate = new rj_app::custom_controls::CComboBoxIgnoreScroll();
    m_pCmbBoxCallRate->setObjectName(QStringLiteral("m_pCmbBoxCallRate"));
    widget_2 = newField(scorllGeneralWidght, "widget_2", label_callrate, "label_callrate", m_pCmbBoxCallRate);
    column->addWidget(widget_2);

    m_pCmbBoxLanguage = new rj_app::custom_controls::CComboBoxIgnoreScroll();
    m_pCmbBoxLanguage->setObjectName(QStringLiteral("m_pCmbBoxLanguage"));
    m_pWgtLanguagePanel = newField(scorllGeneralWidght, "m_pWgtLanguagePanel", label_language, "label_language",
                                   m_pCmbBoxLanguage);
    column->addWidget(m_pWgtLanguagePanel);

    // Label above a row of the folder and its button.
    m_pWgtSnapshotPathPanel = new QWidget(scorllGeneralWidght);
    m_pWgtSnapshotPathPanel->setObjectName(QStringLiteral("m_pWgtSnapshotPathPanel"));
    QVBoxLayout *snapshot = newColumnLayout(m_pWgtSnapshotPathPanel, "verticalLayoutSnapshot", 4);
    label_snapshot = new QLabel(m_pWgtSnapshotPathPanel);
    label_snapshot->setObjectName(QStringLiteral("label_snapshot"));
    label_snapshot->setFixedHeight(kFieldHeight);
    snapshot->addWidget(label_snapshot);
    auto *snapshotRow = new QHBoxLayout();
    snapshotRow->setObjectName(QStringLiteral("horizontalLayoutSnapshot"));
    snapshotRow->setContentsMargins(0, 0, 0, 0);
    snapshotRow->setSpacing(10);
    m_pSnapshotPath = new QLineEdit(m_pWgtSnapshotPathPanel);
    m_pSnapshotPath->setObjectName(QStringLiteral("m_pSnapshotPath"));
    m_pSnapshotPath->setFixedHeight(kFieldHeight);
    snapshotRow->addWidget(m_pSnapshotPath);
    m_pBtnChangeSnapshotPath = new QPushButton(m_pWgtSnapshotPathPanel);
    m_pBtnChangeSnapshotPath->setObjectName(QStringLiteral("m_pBtnChangeSnapshotPath"));
    m_pBtnChangeSnapshotPath->setFixedSize(120, kFieldHeight);
    m_pBtnChangeSnapshotPath->setCursor(Qt::PointingHandCursor);
    snapshotRow->addWidget(m_pBtnChangeSnapshotPath);
    snapshot->addLayout(snapshotRow);
    column->addWidget(m_pWgtSnapshotPathPanel);

    m_pWgtDiagnosticsPanel = new QWidget(scorllGeneralWidght);
    m_pWgtDiagnosticsPanel->setObjectName(QStringLiteral("m_pWgtDiagnosticsPanel"));
    QVBoxLayout *diagnostics = newColumnLayout(m_pWgtDiagnosticsPanel, "verticalLayoutDiagnostics", 4);
    label_diagnostics = new QLabel(m_pWgtDiagnosticsPanel);
    label_diagnostics->setObjectName(QStringLiteral("label_diagnostics"));
    label_diagnostics->setFixedHeight(kFieldHeight);
    diagnostics->addWidget(label_diagnostics);
    auto *diagnosticsRow = new QHBoxLayout();
    diagnosticsRow->setObjectName(QStringLiteral("horizontalLayoutDiagnostics"));
    diagnosticsRow->setContentsMargins(0, 0, 0, 0);
    btnUploadDiagnosis = new QPushButton(m_pWgtDiagnosticsPanel);
    btnUploadDiagnosis->setObjectName(QStringLiteral("btnUploadDiagnosis"));
    btnUploadDiagnosis->setFixedSize(120, kFieldHeight);
    btnUploadDiagnosis->setCursor(Qt::PointingHandCursor);
    diagnosticsRow->addWidget(btnUploadDiagnosis);
    diagnosticsRow->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    diagnostics->addLayout(diagnosticsRow);
    column->addWidget(m_pWgtDiagnosticsPanel);

    widget_6 = new QWidget(scorllGeneralWidght);
    widget_6->setObjectName(QStringLiteral("widget_6"));
    widget_6->setFixedHeight(400);
    QVBoxLayout *application = newColumnLayout(widget_6, "verticalLayoutApplication", 8);
    label_application = new QLabel(widget_6);
    label_application->setObjectName(QStringLiteral("label_application"));
    label_application->setFixedHeight(kFieldHeight);
    application->addWidget(label_application);
    // A caption too long for the column, as some are in some languages,
    // goes on to a second line and the box grows; a plain check box would
    // cut it at the column's edge.
    const auto addCheckBox = [](QWidget *parent, QVBoxLayout *layout, const char *name, int height) {
        auto *box = new rj_app::custom_controls::CWrapCheckBox(parent);
        box->setObjectName(QLatin1String(name));
        box->setMinimumHeight(height);
        layout->addWidget(box);
        return box;
    };
    m_pChkBoxAutoLogin = addCheckBox(widget_6, application, "m_pChkBoxAutoLogin", kFieldHeight);
    m_pChkBoxAutoAnswer = addCheckBox(widget_6, application, "m_pChkBoxAutoAnswer", kFieldHeight);
    m_pChkBoxAutoRun = addCheckBox(widget_6, application, "m_pChkBoxAutoRun", kFieldHeight);
    m_pChkBoxAutoSaveWhiteBoardSnapshot =
        addCheckBox(widget_6, application, "m_pChkBoxAutoSaveWhiteBoardSnapshot", kFieldHeight);
    m_pChkBoxSeperateWin4RemoteContent =
        addCheckBox(widget_6, application, "m_pChkBoxSeperateWin4RemoteContent", kFieldHeight);

    m_pWgtDisablepromptPanel = newExplainedOption(widget_6, "m_pWgtDisablepromptPanel", m_pChkBoxDisablePrompt,
                                                  "m_pChkBoxDisablePrompt", lblClosePrompt, "lblClosePrompt");
    application->addWidget(m_pWgtDisablepromptPanel);
    m_pChkBoxFullScreenOnCallConnected = addCheckBox(widget_6, application, "m_pChkBoxFullScreenOnCallConnected", 18);
    m_pWgtDisablesharePanel = newExplainedOption(widget_6, "m_pWgtDisablesharePanel", m_pChkBoxDisableShare,
                                                 "m_pChkBoxDisableShare", lblDisableShare, "lblDisableShare");
    application->addWidget(m_pWgtDisablesharePanel);
    application->addItem(new QSpacerItem(20, 10, QSizePolicy::Minimum, QSizePolicy::Expanding));
    column->addWidget(widget_6);
    column->addItem(new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding));

    m_pScrollGeneral->setWidget(scaSettingsGeneral);
    return page;
}

// The noise-reduction panel goes under the test sound of the Audio page; the
// render type, frame rate, 1080p and hardware coding under the camera.
void CSettingsForm::setupAudioVideoOptions()
{
    auto *audioColumn = qobject_cast<QVBoxLayout *>(widget_12->layout());
    m_pWgtAINoiseReductionPanel =
        newExplainedOption(widget_12, "m_pWgtAINoiseReductionPanel", m_pChkBoxAINoiseReduction,
                           "m_pChkBoxAINoiseReduction", lblAINoiseReduction, "lblAINoiseReduction");
    if (audioColumn) {
        audioColumn->addSpacing(12);
        audioColumn->addWidget(m_pWgtAINoiseReductionPanel);
    }

    // One block under the camera, packed tighter than the page's fields so
    // that the page still fits the in-call settings window.
    auto *videoColumn = qobject_cast<QVBoxLayout *>(videoWidget->layout());
    auto *videoOptions = new QWidget(videoWidget);
    videoOptions->setObjectName(QStringLiteral("wgtVideoOptions"));
    QVBoxLayout *options = newColumnLayout(videoOptions, "verticalLayoutVideoOptions", 4);

    m_pWgtRenderTypePanel = new QWidget(videoOptions);
    m_pWgtRenderTypePanel->setObjectName(QStringLiteral("m_pWgtRenderTypePanel"));
    QVBoxLayout *renderType = newColumnLayout(m_pWgtRenderTypePanel, "verticalLayoutRenderType", 4);
    label_renderType = new QLabel(m_pWgtRenderTypePanel);
    label_renderType->setObjectName(QStringLiteral("label_renderType"));
    label_renderType->setFixedHeight(16);
    renderType->addWidget(label_renderType);
    groupbox = new QGroupBox(m_pWgtRenderTypePanel);
    groupbox->setObjectName(QStringLiteral("groupbox"));
    groupbox->setFixedHeight(kFieldHeight);
    groupbox->setFlat(true);
    auto *radios = new QHBoxLayout(groupbox);
    radios->setObjectName(QStringLiteral("horizontalLayoutRenderType"));
    radios->setContentsMargins(0, 0, 0, 0);
    radios->setSpacing(0);
    const auto addRadio = [this, radios](const char *name) {
        auto *radio = new QRadioButton(groupbox);
        radio->setObjectName(QLatin1String(name));
        radio->setFixedSize(120, kFieldHeight);
        radios->addWidget(radio);
        return radio;
    };
    prbtRenderAuto = addRadio("prbtRenderAuto");
    prbtRenderD3d = addRadio("prbtRenderD3d");
    prbtRenderGDI = addRadio("prbtRenderGDI");
    radios->addItem(new QSpacerItem(10, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    renderType->addWidget(groupbox);
    options->addWidget(m_pWgtRenderTypePanel);

    m_pWgtHightFrameRatePanel =
        newExplainedOption(videoOptions, "m_pWgtHightFrameRatePanel", m_pChkBoxEnableHightFrameRate,
                           "m_pChkBoxEnableHightFrameRate", lblEnableHighrate, "lblEnableHighrate");
    lblEnableHighrate->setMinimumHeight(0);
    options->addWidget(m_pWgtHightFrameRatePanel);
    // 1080p and the hardware coding switches side by side.
    auto *switches = new QHBoxLayout();
    switches->setObjectName(QStringLiteral("horizontalLayoutVideoSwitches"));
    switches->setContentsMargins(0, 0, 0, 0);
    switches->setSpacing(16);
    const auto addCheckBox = [videoOptions, switches](const char *name) {
        auto *box = new QCheckBox(videoOptions);
        box->setObjectName(QLatin1String(name));
        box->setFixedHeight(18);
        switches->addWidget(box);
        return box;
    };
    m_pChkBoxEnable1080p = addCheckBox("m_pChkBoxEnable1080p");
    m_pChkBoxHardEncode = addCheckBox("m_pChkBoxHardEncode");
    m_pChkBoxHardDecode = addCheckBox("m_pChkBoxHardDecode");
    switches->addStretch(1);
    options->addLayout(switches);
    if (videoColumn)
        videoColumn->addWidget(videoOptions);
}

// Network Report: a no-report page and the report itself in one stack.
QWidget *CSettingsForm::setupReportPage()
{
    auto *page = new QWidget();
    page->setObjectName(QStringLiteral("tabSettingReport"));
    QVBoxLayout *pageLayout = newColumnLayout(page, "verticalLayoutReportPage", 0);
    stackedWidget = new QStackedWidget(page);
    stackedWidget->setObjectName(QStringLiteral("stackedWidget"));
    pageLayout->addWidget(stackedWidget);

    // 0: no report yet, centred between expanding spacers.
    pageNone = new QWidget();
    pageNone->setObjectName(QStringLiteral("pageNone"));
    QVBoxLayout *none = newColumnLayout(pageNone, "verticalLayoutNone", 10);
    none->addItem(new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding));
    label_iconNone = new QLabel(pageNone);
    label_iconNone->setObjectName(QStringLiteral("label_iconNone"));
    label_iconNone->setFixedSize(30, 30);
    none->addWidget(label_iconNone, 0, Qt::AlignHCenter);
    label_titleNone = new QLabel(pageNone);
    label_titleNone->setObjectName(QStringLiteral("label_titleNone"));
    label_titleNone->setFixedHeight(kFieldHeight);
    label_titleNone->setAlignment(Qt::AlignCenter);
    label_titleNone->setWordWrap(true);
    none->addWidget(label_titleNone);
    label_promptNone = new QLabel(pageNone);
    label_promptNone->setObjectName(QStringLiteral("label_promptNone"));
    label_promptNone->setFixedSize(350, kFieldHeight);
    label_promptNone->setAlignment(Qt::AlignCenter);
    label_promptNone->setWordWrap(true);
    none->addWidget(label_promptNone, 0, Qt::AlignHCenter);
    none->addItem(new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding));
    stackedWidget->addWidget(pageNone);

    // 1: the report in a 480-pixel column.
    pageReport = new QWidget();
    pageReport->setObjectName(QStringLiteral("pageReport"));
    QVBoxLayout *report = newColumnLayout(pageReport, "verticalLayoutReport", 0);
    m_pScrollGeneral_report = new QScrollArea(pageReport);
    m_pScrollGeneral_report->setObjectName(QStringLiteral("m_pScrollGeneral_report"));
    m_pScrollGeneral_report->setFrameShape(QFrame::NoFrame);
    m_pScrollGeneral_report->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_pScrollGeneral_report->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_pScrollGeneral_report->setWidgetResizable(true);
    report->addWidget(m_pScrollGeneral_report);

    scaGeneralReport = new QWidget();
    scaGeneralReport->setObjectName(QStringLiteral("scaGeneralReport"));
    auto *scrollRow = new QHBoxLayout(scaGeneralReport);
    scrollRow->setObjectName(QStringLiteral("horizontalLayoutReportScroll"));
    scrollRow->setContentsMargins(0, 0, 0, 0);
    scrollRow->setSpacing(0);
    scorllGeneralWidght_report = new QWidget(scaGeneralReport);
    scorllGeneralWidght_report->setObjectName(QStringLiteral("scorllGeneralWidght_report"));
    scorllGeneralWidght_report->setFixedWidth(kColumnWidth);
    QVBoxLayout *column = newColumnLayout(scorllGeneralWidght_report, "verticalLayoutReportColumn", 16);
    column->setContentsMargins(20, 20, 20, 20);
    scrollRow->addWidget(scorllGeneralWidght_report);
    scrollRow->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));

    auto *statusRow = new QHBoxLayout();
    statusRow->setObjectName(QStringLiteral("horizontalLayoutReportStatus"));
    statusRow->setContentsMargins(0, 0, 0, 0);
    statusRow->setSpacing(8);
    label_iconReport = new QLabel(scorllGeneralWidght_report);
    label_iconReport->setObjectName(QStringLiteral("label_iconReport"));
    label_iconReport->setFixedSize(30, 30);
    statusRow->addWidget(label_iconReport);
    label_titleReport = new QLabel(scorllGeneralWidght_report);
    label_titleReport->setObjectName(QStringLiteral("label_titleReport"));
    label_titleReport->setFixedSize(300, 30);
    statusRow->addWidget(label_titleReport);
    statusRow->addItem(new QSpacerItem(10, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    pBt_details = new QPushButton(scorllGeneralWidght_report);
    pBt_details->setObjectName(QStringLiteral("pBt_details"));
    pBt_details->setFixedSize(100, 28);
    pBt_details->setCursor(Qt::PointingHandCursor);
    statusRow->addWidget(pBt_details);
    column->addLayout(statusRow);

    tableWidget_content = new QTableWidget(scorllGeneralWidght_report);
    tableWidget_content->setObjectName(QStringLiteral("tableWidget_content"));
    column->addWidget(tableWidget_content);

    widget_prompt = new QWidget(scorllGeneralWidght_report);
    widget_prompt->setObjectName(QStringLiteral("widget_prompt"));
    QVBoxLayout *prompt = newColumnLayout(widget_prompt, "verticalLayoutReportPrompt", 0);
    m_pWgtMakeCallPrompt = new QWidget(widget_prompt);
    m_pWgtMakeCallPrompt->setObjectName(QStringLiteral("m_pWgtMakeCallPrompt"));
    QVBoxLayout *makeCall = newColumnLayout(m_pWgtMakeCallPrompt, "verticalLayoutMakeCall", 0);
    label_promptReport = new QLabel(m_pWgtMakeCallPrompt);
    label_promptReport->setObjectName(QStringLiteral("label_promptReport"));
    label_promptReport->setFixedSize(440, 60);
    label_promptReport->setAlignment(Qt::AlignCenter);
    label_promptReport->setWordWrap(true);
    makeCall->addWidget(label_promptReport);
    prompt->addWidget(m_pWgtMakeCallPrompt);
    m_pWgtAdvice = new QWidget(widget_prompt);
    m_pWgtAdvice->setObjectName(QStringLiteral("m_pWgtAdvice"));
    QVBoxLayout *advice = newColumnLayout(m_pWgtAdvice, "verticalLayoutAdvice", 0);
    m_pLblAdvice = new QLabel(m_pWgtAdvice);
    m_pLblAdvice->setObjectName(QStringLiteral("m_pLblAdvice"));
    m_pLblAdvice->setFixedSize(440, 60);
    m_pLblAdvice->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_pLblAdvice->setWordWrap(true);
    advice->addWidget(m_pLblAdvice);
    prompt->addWidget(m_pWgtAdvice);
    column->addWidget(widget_prompt);

    m_pScrollGeneral_report->setWidget(scaGeneralReport);
    stackedWidget->addWidget(pageReport);
    return page;
}

void CSettingsForm::retranslateUi(QWidget *form)
{
    form->setWindowTitle(QString());
    label_protocol->setText(formText("Protocol"));
    label_screenname->setText(formText("Screen Name"));
    radio_SIPRegistration->setText(formText("Enable SIP Registration"));
    label_SIPserver->setText(formText("SIP Server"));
    label_SIPdomain->setText(formText("SIP Domain"));
    label_SIPnumber->setText(formText("SIP Number"));
    label_SIPusername->setText(formText("SIP Username"));
    label_SIPpassword->setText(formText("Password"));
    pbt_SIPSave->setText(formText("Save"));

    retranslateOptions();
    label_titleNone->setText(formText("No report currently"));
    label_promptNone->setText(formText("Please log in to check report"));
    label_titleReport->setText(formText("Network status is normal"));
    pBt_details->setText(formText("View Details"));
    label_promptReport->setText(formText("Pleas make a call to view more data"));
    m_pLblAdvice->setText(QString());
    retranslateDevicePages();
}

void CSettingsForm::retranslateOptions()
{
    // Spelt out in full so that the translation tools see every text.
    label_callrate->setText(
        QCoreApplication::translate("CSettingsForm", "Call Rate"));
    label_language->setText(
        QCoreApplication::translate("CSettingsForm", "Language"));
    label_snapshot->setText(
        QCoreApplication::translate("CSettingsForm", "Snapshot Path:"));
    m_pBtnChangeSnapshotPath->setText(
        QCoreApplication::translate("CSettingsForm", "Change Path"));
    label_diagnostics->setText(
        QCoreApplication::translate("CSettingsForm", "Diagnostics"));
    btnUploadDiagnosis->setText(
        QCoreApplication::translate("CSettingsForm", "Feedback"));
    label_application->setText(
        QCoreApplication::translate("CSettingsForm", "Application"));
    m_pChkBoxAutoLogin->setText(
        QCoreApplication::translate("CSettingsForm", "Login automatically when app starts up"));
    m_pChkBoxAutoAnswer->setText(
        QCoreApplication::translate("CSettingsForm", "Answer incoming calls automatically"));
    m_pChkBoxAutoRun->setText(
        QCoreApplication::translate("CSettingsForm", "Start app when I start windows"));
    m_pChkBoxAutoSaveWhiteBoardSnapshot->setText(
        QCoreApplication::translate("CSettingsForm", "Automatic save a snapshot when close whiteboard"));
    m_pChkBoxSeperateWin4RemoteContent->setText(
        QCoreApplication::translate("CSettingsForm", "Use a separate window when viewing the video content shared by others"));
    m_pChkBoxDisablePrompt->setText(
        QCoreApplication::translate("CSettingsForm", "Disable prompt"));
    lblClosePrompt->setText(
        QCoreApplication::translate("CSettingsForm", "If checked, prompt information such as network status is not popup after joining conference."));
    m_pChkBoxFullScreenOnCallConnected->setText(
        QCoreApplication::translate("CSettingsForm", "Full screen when entering a meeting"));
    m_pChkBoxDisableShare->setText(
        QCoreApplication::translate("CSettingsForm", "Disable Share"));
    lblDisableShare->setText(
        QCoreApplication::translate("CSettingsForm", "Join the meeting next time to take effect."));

    m_pChkBoxAINoiseReduction->setText(
        QCoreApplication::translate("CSettingsForm", "Intelligent Noise Reduction"));
    lblAINoiseReduction->setText(
        QCoreApplication::translate("CSettingsForm", "When enabled, noise other than people voice is reduced intelligently."));
    label_renderType->setText(
        QCoreApplication::translate("CSettingsForm", "Render Type:"));
    prbtRenderAuto->setText(
        QCoreApplication::translate("CSettingsForm", "Auto"));
    prbtRenderD3d->setText(
        QCoreApplication::translate("CSettingsForm", "D3D"));
    prbtRenderGDI->setText(
        QCoreApplication::translate("CSettingsForm", "GDI"));
    m_pChkBoxEnableHightFrameRate->setText(
        QCoreApplication::translate("CSettingsForm", "Enable high frame rate video"));
    lblEnableHighrate->setText(
        QCoreApplication::translate("CSettingsForm", "If checked, the high frame rate 25fps is preferred in video tranfer."));
    m_pChkBoxEnable1080p->setText(
        QCoreApplication::translate("CSettingsForm", "Support 1080p"));
    m_pChkBoxHardEncode->setText(
        QCoreApplication::translate("CSettingsForm", "Enable hard encode"));
    m_pChkBoxHardDecode->setText(
        QCoreApplication::translate("CSettingsForm", "Enable hard decode"));
}

} // namespace Ui
