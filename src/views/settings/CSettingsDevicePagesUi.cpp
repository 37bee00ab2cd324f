// The Audio, Video and About pages of the settings page set.

#include "views/settings/CSettingsFormUi.h"

#include "custom_controls/CComboBoxIgnoreScroll.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSpacerItem>
#include <QVBoxLayout>
#include <QWidget>

namespace Ui {

namespace {

constexpr int kRowHeight = 30;
constexpr int kColumnWidth = 480;

QString formText(const char *source)
{
    return QCoreApplication::translate("CSettingsForm", source);
}

template <typename T>
T *named(T *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QVBoxLayout *column(QWidget *owner, int spacing)
{
    auto *layout = new QVBoxLayout(owner);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(spacing);
    return layout;
}

// The page column as the SIP page has it: fields 16 apart.
QVBoxLayout *pageColumn(QWidget *owner)
{
    return column(owner, 16);
}

// A fixed-width column at the left of its page, the rest of the width empty.
QWidget *newColumnPage(const char *pageName, QWidget *&columnWidget, const char *columnName)
{
    auto *page = named(new QWidget(), pageName);
    auto *row = new QHBoxLayout(page);
    // Off the page's edges where the SIP page's fields start.
    row->setContentsMargins(30, 20, 0, 20);
    auto *left = new QVBoxLayout();
    columnWidget = named(new QWidget(page), columnName);
    columnWidget->setFixedWidth(kColumnWidth);
    left->addWidget(columnWidget);
    left->addStretch(1);
    row->addLayout(left);
    row->addItem(new QSpacerItem(0, 0, QSizePolicy::Expanding, QSizePolicy::Minimum));
    return page;
}

rj_app::custom_controls::CComboBoxIgnoreScroll *newDeviceCombo(QWidget *parent, const char *name)
{
    auto *combo = named(new rj_app::custom_controls::CComboBoxIgnoreScroll(parent), name);
    combo->setFixedHeight(kRowHeight);
    return combo;
}

void centredInRow(QVBoxLayout *layout, QWidget *widget)
{
    auto *row = new QHBoxLayout();
    row->addStretch(1);
    row->addWidget(widget);
    row->addStretch(1);
    layout->addLayout(row);
}

} // namespace

QWidget *CSettingsForm::setupAudioPage()
{
    QWidget *page = newColumnPage("tabSettingsAudio", audioWidget, "audioWidget");
    QVBoxLayout *col = pageColumn(audioWidget);

    widget = named(new QWidget(audioWidget), "widget");
    QVBoxLayout *micLayout = column(widget, 4);
    lblMic = named(new QLabel(widget), "lblMic");
    lblMic->setFixedHeight(kRowHeight);
    cbbMic = newDeviceCombo(widget, "cbbMic");
    pgbMic = named(new QProgressBar(widget), "pgbMic");
    pgbMic->setFixedSize(330, 16);
    pgbMic->setMaximum(360);
    pgbMic->setValue(36);
    pgbMic->setTextVisible(false);
    micLayout->addWidget(lblMic);
    micLayout->addWidget(cbbMic);
    micLayout->addSpacing(6);
    micLayout->addWidget(pgbMic);
    col->addWidget(widget);

    widget_12 = named(new QWidget(audioWidget), "widget_12");
    QVBoxLayout *speakerLayout = column(widget_12, 4);
    lblSpeaker = named(new QLabel(widget_12), "lblSpeaker");
    lblSpeaker->setFixedHeight(kRowHeight);
    cbbSpeaker = newDeviceCombo(widget_12, "cbbSpeaker");
    auto *testRow = new QHBoxLayout();
    testRow->setSpacing(10);
    btnPlayTestSound = named(new QPushButton(widget_12), "btnPlayTestSound");
    btnPlayTestSound->setFixedSize(120, kRowHeight);
    btnPlayTestSound->setCursor(Qt::PointingHandCursor);
    lblPlayTestSoundTip = named(new QLabel(widget_12), "lblPlayTestSoundTip");
    lblPlayTestSoundTip->setFixedSize(250, kRowHeight);
    testRow->addWidget(btnPlayTestSound);
    testRow->addWidget(lblPlayTestSoundTip);
    testRow->addStretch(1);
    speakerLayout->addWidget(lblSpeaker);
    speakerLayout->addWidget(cbbSpeaker);
    speakerLayout->addSpacing(12);
    speakerLayout->addLayout(testRow);
    col->addWidget(widget_12);
    return page;
}

QWidget *CSettingsForm::setupVideoPage()
{
    QWidget *page = newColumnPage("tabSettingsVideo", videoWidget, "videoWidget");
    QVBoxLayout *col = pageColumn(videoWidget);

    wgtVideoPreview = named(new QWidget(videoWidget), "wgtVideoPreview");
    wgtVideoPreview->setFixedSize(480, 270);
    // The engine draws into this widget's own native window.
    wgtVideoPreview->setAttribute(Qt::WA_NativeWindow);
    wgtVideoPreview->setAttribute(Qt::WA_StyledBackground);
    wgtVideoPreview->setStyleSheet(QStringLiteral("background-color: black;"));
    col->addWidget(wgtVideoPreview);

    widget_13 = named(new QWidget(videoWidget), "widget_13");
    QVBoxLayout *cameraLayout = column(widget_13, 8);
    label_camera = named(new QLabel(widget_13), "label_camera");
    label_camera->setFixedHeight(16);
    cbbCamera = newDeviceCombo(widget_13, "cbbCamera");
    cameraLayout->addWidget(label_camera);
    cameraLayout->addWidget(cbbCamera);
    col->addWidget(widget_13);
    return page;
}

QWidget *CSettingsForm::setupAboutPage()
{
    auto *page = named(new QWidget(), "tabSettingsAbout");
    QVBoxLayout *pageLayout = column(page, 0);
    scrollArea = named(new QScrollArea(page), "scrollArea");
    scrollArea->setFrameShape(QFrame::NoFrame);
    scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollArea->setWidgetResizable(true);
    pageLayout->addWidget(scrollArea);

    scrollAreaWidgetContents = named(new QWidget(), "scrollAreaWidgetContents");
    QVBoxLayout *contents = column(scrollAreaWidgetContents, 0);
    contents->setContentsMargins(0, 20, 0, 20);
    contents->addStretch(1);

    wgtAbout = named(new QWidget(scrollAreaWidgetContents), "wgtAbout");
    QVBoxLayout *about = column(wgtAbout, 0);
    lblLogo = named(new QLabel(wgtAbout), "lblLogo");
    lblLogo->setFixedSize(120, 120);
    // The picture comes from the form's style sheet, at the form's scale.
    centredInRow(about, lblLogo);
    about->addSpacing(16);
    label_Zor = named(new QLabel(wgtAbout), "label_Zor");
    label_Zor->setFixedHeight(28);
    label_Zor->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    about->addWidget(label_Zor);
    about->addSpacing(70);
    label_copyright = named(new QLabel(wgtAbout), "label_copyright");
    label_copyright->setFixedHeight(60);
    label_copyright->setAlignment(Qt::AlignCenter);
    label_copyright->setWordWrap(true);
    about->addWidget(label_copyright);
    about->addSpacing(4);
    m_pBtnCheckUpdate = named(new QPushButton(wgtAbout), "m_pBtnCheckUpdate");
    m_pBtnCheckUpdate->setFixedSize(140, kRowHeight);
    m_pBtnCheckUpdate->setCursor(Qt::PointingHandCursor);
    centredInRow(about, m_pBtnCheckUpdate);

    auto *aboutRow = new QHBoxLayout();
    aboutRow->addStretch(1);
    aboutRow->addWidget(wgtAbout);
    aboutRow->addStretch(1);
    contents->addLayout(aboutRow);
    contents->addStretch(1);

    m_pLabVersion = named(new QLabel(scrollAreaWidgetContents), "m_pLabVersion");
    m_pLabVersion->setFixedSize(140, kRowHeight);
    m_pLabVersion->setAlignment(Qt::AlignCenter);
    m_pLabVersion->setText(QStringLiteral("TextLabel"));
    centredInRow(contents, m_pLabVersion);

    scrollArea->setWidget(scrollAreaWidgetContents);
    return page;
}

void CSettingsForm::retranslateDevicePages()
{
    lblMic->setText(formText("Microphone"));
    lblSpeaker->setText(formText("Speaker"));
    btnPlayTestSound->setText(formText("Play Test Music"));
    lblPlayTestSoundTip->setText(formText("Play the test music"));
    label_camera->setText(formText("Camera"));
    label_Zor->setText(formText("PRODUCT_NAME"));
    label_copyright->setText(formText("COPYRIGHT_STRING"));
    m_pBtnCheckUpdate->setText(formText("Check for Updates"));
    // m_pLabVersion keeps the text the form gave it at construction.
}

} // namespace Ui
