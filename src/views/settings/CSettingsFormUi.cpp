#include "views/settings/CSettingsFormUi.h"

#include "custom_controls/CComboBoxIgnoreScroll.h"
#include "views/settings/CSettingsPlaceholderPage.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMetaObject>
#include <QPushButton>
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
    setupPlaceholderPages();

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

// General, Audio, Video and About: empty pages with their title, filled in
// by later work on each page.
void CSettingsForm::setupPlaceholderPages()
{
    const auto addPage = [this](const char *name) {
        auto *page = new rj_app::views::CSettingsPlaceholderPage(twgtSettingsPages);
        page->setObjectName(QLatin1String(name));
        twgtSettingsPages->addTab(page, QString());
        return page;
    };
    tabSettingsGeneral = addPage("tabSettingsGeneral");
    tabSettingsAudio = setupAudioPage();
    twgtSettingsPages->addTab(tabSettingsAudio, QString());
    tabSettingsVideo = setupVideoPage();
    twgtSettingsPages->addTab(tabSettingsVideo, QString());
    tabSettingReport = setupReportPage();
    twgtSettingsPages->addTab(tabSettingReport, QString());
    tabSettingsAbout = setupAboutPage();
    twgtSettingsPages->addTab(tabSettingsAbout, QString());
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

    tabSettingsGeneral->setTitle(formText("General"));
    label_titleNone->setText(formText("No report currently"));
    label_promptNone->setText(formText("Please log in to check report"));
    label_titleReport->setText(formText("Network status is normal"));
    pBt_details->setText(formText("View Details"));
    label_promptReport->setText(formText("Pleas make a call to view more data"));
    m_pLblAdvice->setText(QString());
    retranslateDevicePages();
}

} // namespace Ui
