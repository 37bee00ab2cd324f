#include "views/annotation/WhiteBoardTopWidget.h"

#include "custom_controls/CToolButton.h"
#include "helpers/LogMacros.h"
#include "models/CLinguist.h"
#include "views/annotation/Button_share.h"
#include "views/annotation/CSharingControls.h"
#include "views/annotation/QMenuButton.h"
#include "views/incall/CControllableProbe.h"

#include <QDebug>
#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSpacerItem>
#include <QVBoxLayout>

namespace rj_app::views {

namespace {

constexpr int kBaseWidth = 957;
constexpr int kBarHeight = 54;
constexpr int kTabHeight = 15;

QSpacerItem *expanding(int width)
{
    return new QSpacerItem(width, 20, QSizePolicy::Expanding, QSizePolicy::Minimum);
}

} // namespace

WhiteBoardTopWidget::WhiteBoardTopWidget(QWidget *parent)
    : QWidget(parent)
{
    qInfo() << RJ_FUNCTION;
    setupForm();
    // Recorded at the design size now, not at the first show: the window
    // passes its scale before it shows the bar.
    m_scaler.init(width(), height(), this);
    retranslateForm();
    initWidgets();
    m_managerBtn->hide();
    checkControllable();
    m_pControls->refreshMicStatus();
    m_pControls->refreshCameraStatus();
}

WhiteBoardTopWidget::~WhiteBoardTopWidget()
{
    qInfo() << RJ_FUNCTION;
    // The controls close an open settings window and their popups.
    delete m_pControls;
    m_pControls = nullptr;
}

void WhiteBoardTopWidget::setupForm()
{
    setObjectName(QStringLiteral("WhiteBoardTopWidget"));
    resize(kBaseWidth, CSharingControls::kUnfoldedHeight);
    horizontalLayout = new QHBoxLayout(this);
    horizontalLayout->setObjectName(QStringLiteral("horizontalLayout"));
    horizontalLayout->setSpacing(0);
    horizontalLayout->setContentsMargins(0, 0, 0, 0);
    horizontalLayout->addItem(expanding(20));

    PropertyWidget = new QWidget(this);
    PropertyWidget->setObjectName(QStringLiteral("PropertyWidget"));
    PropertyWidget->setMinimumSize(100, CSharingControls::kUnfoldedHeight);
    PropertyWidget->setMaximumHeight(CSharingControls::kUnfoldedHeight);
    horizontalLayout->addWidget(PropertyWidget);
    horizontalLayout->addItem(expanding(20));

    verticalLayout_4 = new QVBoxLayout(PropertyWidget);
    verticalLayout_4->setObjectName(QStringLiteral("verticalLayout_4"));
    verticalLayout_4->setSpacing(0);
    verticalLayout_4->setContentsMargins(0, 0, 0, 0);

    m_bg = new QFrame(PropertyWidget);
    m_bg->setObjectName(QStringLiteral("m_bg"));
    m_bg->setFixedHeight(kBarHeight);
    verticalLayout_4->addWidget(m_bg);
    horizontalLayout_6 = new QHBoxLayout(m_bg);
    horizontalLayout_6->setObjectName(QStringLiteral("horizontalLayout_6"));
    horizontalLayout_6->setSpacing(10);
    horizontalLayout_6->setContentsMargins(20, 0, 20, 0);

    horizontalLayout_2 = new QHBoxLayout();
    horizontalLayout_2->setObjectName(QStringLiteral("horizontalLayout_2"));
    horizontalLayout_2->setSpacing(0);
    m_muteBtn = CSharingControls::makeMenuButton(m_bg, "m_muteBtn", true);
    m_muteBtn->setMaximumSize(88, 54);
    m_muteBtn->setCheckable(true);
    m_muteBtn->setStyleSheet(CSharingControls::stateButtonStyle("m_muteBtn", true));
    m_pBtnSelectMicUp = CSharingControls::makeArrow(m_bg, "m_pBtnSelectMicUp");
    horizontalLayout_2->addWidget(m_muteBtn);
    horizontalLayout_2->addWidget(m_pBtnSelectMicUp);
    horizontalLayout_6->addLayout(horizontalLayout_2);

    horizontalLayout_5 = new QHBoxLayout();
    horizontalLayout_5->setObjectName(QStringLiteral("horizontalLayout_5"));
    horizontalLayout_5->setSpacing(0);
    m_cameraBtn = CSharingControls::makeMenuButton(m_bg, "m_cameraBtn", true);
    m_cameraBtn->setMaximumSize(88, 54);
    m_cameraBtn->setCheckable(true);
    m_cameraBtn->setStyleSheet(CSharingControls::stateButtonStyle("m_cameraBtn", true));
    m_pBtnSelectCameraUp = CSharingControls::makeArrow(m_bg, "m_pBtnSelectCameraUp");
    horizontalLayout_5->addWidget(m_cameraBtn);
    horizontalLayout_5->addWidget(m_pBtnSelectCameraUp);
    horizontalLayout_6->addLayout(horizontalLayout_5);

    m_managerBtn = CSharingControls::makeMenuButton(m_bg, "m_managerBtn", false);
    m_managerBtn->setMaximumSize(88, 54);
    horizontalLayout_6->addWidget(m_managerBtn);
    m_drawBtn = CSharingControls::makeMenuButton(m_bg, "m_drawBtn", true);
    m_drawBtn->setMaximumSize(88, 54);
    horizontalLayout_6->addWidget(m_drawBtn);
    m_pBtnVolume = CSharingControls::makeMenuButton(m_bg, "m_pBtnVolume", true);
    m_pBtnVolume->setMaximumSize(54, 60);
    m_pBtnVolume->setCheckable(true);
    horizontalLayout_6->addWidget(m_pBtnVolume);
    m_closeBtn = CSharingControls::makeMenuButton(m_bg, "m_closeBtn", true);
    m_closeBtn->setMaximumSize(88, 54);
    m_closeBtn->setStyleSheet(CSharingControls::stateButtonStyle("m_closeBtn", false));
    horizontalLayout_6->addWidget(m_closeBtn);
    m_pBtnShowPic = new custom_controls::CToolButton(m_bg);
    m_pBtnShowPic->setObjectName(QStringLiteral("m_pBtnShowPic"));
    m_pBtnShowPic->setFixedSize(110, 34);
    m_pBtnShowPic->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_pBtnShowPic->setCursor(Qt::PointingHandCursor);
    horizontalLayout_6->addWidget(m_pBtnShowPic);

    horizontalBtn_2 = new QFrame(PropertyWidget);
    horizontalBtn_2->setObjectName(QStringLiteral("horizontalBtn_2"));
    horizontalBtn_2->setFixedHeight(kTabHeight);
    verticalLayout_4->addWidget(horizontalBtn_2);
    horizontalLayout_3 = new QHBoxLayout(horizontalBtn_2);
    horizontalLayout_3->setObjectName(QStringLiteral("horizontalLayout_3"));
    horizontalLayout_3->setSpacing(0);
    horizontalLayout_3->setContentsMargins(0, 0, 0, 0);
    horizontalLayout_3->addItem(expanding(40));
    m_shareBtnView = new Button_share(horizontalBtn_2);
    m_shareBtnView->setObjectName(QStringLiteral("m_shareBtnView"));
    m_shareBtnView->setFixedWidth(120);
    m_shareBtnView->setMouseTracking(false);
    horizontalLayout_3->addWidget(m_shareBtnView);
    horizontalLayout_3->addItem(expanding(40));
}

void WhiteBoardTopWidget::retranslateForm()
{
    setWindowTitle(tr("Form"));
    m_pBtnSelectMicUp->setText(QString());
    m_pBtnSelectCameraUp->setText(QString());
    m_pBtnShowPic->setText(tr("Show PIP"));
}

void WhiteBoardTopWidget::initWidgets()
{
    m_bg->setStyleSheet(QStringLiteral("background-color: rgb(28, 30, 32);border-radius: 5px;"));
    m_pBtnSelectMicUp->setStyleSheet(QLatin1String(CSharingControls::kArrowStyle));
    m_pBtnSelectCameraUp->setStyleSheet(QLatin1String(CSharingControls::kArrowStyle));

    const CSharingControls::ButtonLook looks[] = {
        {m_muteBtn, true, ":/resources/images/ScreenDrawing/icon_toolbar_unmute.png",
         ":/resources/images/ScreenDrawing/icon_toolbar_mute.png"},
        {m_cameraBtn, true, ":/resources/images/ScreenDrawing/icon_toolbar_unmute-camera.png",
         ":/resources/images/ScreenDrawing/icon_toolbar_mute-camera.png"},
        {m_pBtnVolume, true, ":/resources/images/layout-operationbar/icon_volume_pop.png",
         ":/resources/images/layout-operationbar/icon_volume_pop.png"},
        {m_managerBtn, false, ":/resources/images/ScreenDrawing/icon_toolbar_detail.png",
         ":/resources/images/ScreenDrawing/icon_detail_c.png"},
        {m_drawBtn, false, ":/resources/images/ScreenDrawing/icon_brush_default.png",
         ":/resources/images/ScreenDrawing/icon_brush_click.png"},
        {m_closeBtn, true, ":/resources/images/ScreenDrawing/icon_stopshare.png",
         ":/resources/images/ScreenDrawing/icon_stopshare.png"},
    };
    CSharingControls::applyLooks(looks);
    m_muteBtn->setLabelText(tr("Mute"));
    m_cameraBtn->setLabelText(tr("Stop Video"));
    // Set once: a language change leaves it as it was.
    m_managerBtn->setLabelText(tr("Management"));
    m_drawBtn->setLabelText(tr("Drawing"));
    m_closeBtn->setLabelText(tr("Stop"));
    m_closeBtn->setOnState();
    m_pBtnShowPic->updateDpi(1.0);

    CSharingControls::Buttons buttons;
    buttons.mic = m_muteBtn;
    buttons.micArrow = m_pBtnSelectMicUp;
    buttons.camera = m_cameraBtn;
    buttons.cameraArrow = m_pBtnSelectCameraUp;
    buttons.volume = m_pBtnVolume;
    CSharingControls::Fold fold;
    fold.tab = m_shareBtnView;
    fold.view = m_bg;
    fold.rows = {PropertyWidget};
    m_pControls = new CSharingControls(this, buttons, fold);
    connect(m_pControls, &CSharingControls::sigRefreshStatus, this, &WhiteBoardTopWidget::sigRefreshStatus);
    connect(m_pControls, &CSharingControls::sigSettingWinClosed, this, &WhiteBoardTopWidget::sigSettingWinClosed);
    connect(m_pControls, &CSharingControls::sigFoldChanged, this, &WhiteBoardTopWidget::slotOnFoldChanged);
    // The controls take the clicks of the microphone, camera, arrows, volume
    // and fold tab, and the engine's volume and microphone events.

    connect(m_managerBtn, &QPushButton::clicked, this, &WhiteBoardTopWidget::slotClickedManagerButton);
    connect(m_drawBtn, &QPushButton::clicked, this, &WhiteBoardTopWidget::slotShowPaintWindow);
    connect(m_closeBtn, &QPushButton::clicked, this, &WhiteBoardTopWidget::slotStopShare);
    connect(m_pBtnShowPic, &QToolButton::clicked, this, &WhiteBoardTopWidget::slotOnBtnShowPicture);
    connect(models::CLinguist::getInstance(), &models::CLinguist::sigLanguageChanged, this,
            &WhiteBoardTopWidget::slotOnLanguageChanged);
    updateTexts();
}

void WhiteBoardTopWidget::updateTexts()
{
    m_pBtnVolume->setLabelText(tr("Volume"));
    m_drawBtn->setLabelText(tr("Drawing"));
    m_closeBtn->setLabelText(tr("Stop"));
    m_pControls->refreshMicStatus();
    m_pControls->refreshCameraStatus();
}

void WhiteBoardTopWidget::slotOnLanguageChanged()
{
    retranslateForm();
    updateTexts();
}

void WhiteBoardTopWidget::checkControllable()
{
    qInfo() << RJ_FUNCTION;
    // The probe is a child of the bar: an answer after the bar is gone goes
    // nowhere.
    m_pControllableProbe = new CControllableProbe(this);
    connect(m_pControllableProbe, &CControllableProbe::answered, this, &WhiteBoardTopWidget::slotConfMngtVisible);
    m_pControllableProbe->start();
}

void WhiteBoardTopWidget::slotConfMngtVisible(bool visible)
{
    qInfo() << RJ_FUNCTION << "visible:" << visible;
    m_managerBtn->setVisible(visible);
}

void WhiteBoardTopWidget::slotSwitchMic()
{
    m_pControls->slotSwitchMic();
}

void WhiteBoardTopWidget::slotSwitchCamera()
{
    m_pControls->slotSwitchCamera();
}

void WhiteBoardTopWidget::slotOnMicMutedShow(bool mic_muted)
{
    m_pControls->slotOnMicMutedShow(mic_muted);
}

void WhiteBoardTopWidget::slotVolume(rj::engine::RJ_DEVICE_TYPE type, rj::engine::RJVolume vol)
{
    m_pControls->slotVolume(type, vol);
}

void WhiteBoardTopWidget::slotClickedManagerButton()
{
    emit sigClickedManagerButton();
}

void WhiteBoardTopWidget::slotShowPaintWindow()
{
    emit sigOpenWhiteBoardTool();
}

void WhiteBoardTopWidget::slotStopShare()
{
    emit sigClose();
}

void WhiteBoardTopWidget::slotOnBtnShowPicture()
{
    emit sigOnShowPicture();
    updateShowPicture(false);
}

void WhiteBoardTopWidget::slotHidePicture()
{
    updateShowPicture(true);
}

void WhiteBoardTopWidget::updateShowPicture(bool visible)
{
    m_pBtnShowPic->setVisible(visible);
}

bool WhiteBoardTopWidget::isShowPictureButtonVisible() const
{
    return !m_pBtnShowPic->isHidden();
}

void WhiteBoardTopWidget::slotOnBtnSelectMicClicked()
{
    m_pControls->slotOnBtnSelectMicClicked();
}

void WhiteBoardTopWidget::slotOnBtnSelectCameraClicked()
{
    m_pControls->slotOnBtnSelectCameraClicked();
}

void WhiteBoardTopWidget::slotOnBtnVolumClicked()
{
    m_pControls->slotOnBtnVolumClicked();
}

void WhiteBoardTopWidget::slotShowAudioSetting()
{
    m_pControls->slotShowAudioSetting();
}

void WhiteBoardTopWidget::slotShowVideoSetting()
{
    m_pControls->slotShowVideoSetting();
}

void WhiteBoardTopWidget::slotEntershareBtn()
{
    m_pControls->entershareBtn();
}

void WhiteBoardTopWidget::slotOnFoldChanged(bool folded)
{
    // The rows already have their scaled heights; the bar keeps its position
    // and width and takes theirs, so nothing of it is cut off or left over.
    const int base = folded ? CSharingControls::kFoldedHeight : CSharingControls::kUnfoldedHeight;
    setFixedHeight(static_cast<int>(base * m_dScale));
}

void WhiteBoardTopWidget::updateDpi(double scale)
{
    qInfo() << RJ_FUNCTION << scale;
    if (scale <= 0)
        scale = 1.0;
    m_scaler.rescale(scale, this, true);
    m_dScale = scale;
    m_pControls->setScale(scale);
    m_pControls->unfold();
    m_scaler.rescale(scale, this, false);
    for (QMenuButton *button : {m_drawBtn, m_muteBtn, m_closeBtn, m_cameraBtn, m_managerBtn, m_pBtnVolume})
        button->updateScale(scale);
    m_pBtnShowPic->updateDpi(scale);
    m_pControls->refreshVolumeStatus(false, false);
}

void WhiteBoardTopWidget::showEvent(QShowEvent *event)
{
    m_scaler.init(width(), height(), this);
    QWidget::showEvent(event);
}

} // namespace rj_app::views
