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
#include <QTabWidget>
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

// General, Audio, Video, Network Report and About: empty pages with their
// title, filled in by later work on each page.
void CSettingsForm::setupPlaceholderPages()
{
    const auto addPage = [this](const char *name) {
        auto *page = new rj_app::views::CSettingsPlaceholderPage(twgtSettingsPages);
        page->setObjectName(QLatin1String(name));
        twgtSettingsPages->addTab(page, QString());
        return page;
    };
    tabSettingsGeneral = addPage("tabSettingsGeneral");
    tabSettingsAudio = addPage("tabSettingsAudio");
    tabSettingsVideo = addPage("tabSettingsVideo");
    tabSettingReport = addPage("tabSettingReport");
    tabSettingsAbout = addPage("tabSettingsAbout");
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
    tabSettingsAudio->setTitle(formText("Audio"));
    tabSettingsVideo->setTitle(formText("Video"));
    tabSettingReport->setTitle(formText("Network Report"));
    tabSettingsAbout->setTitle(formText("About"));
}

} // namespace Ui
