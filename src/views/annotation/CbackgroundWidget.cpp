#include "views/annotation/CbackgroundWidget.h"

#include "custom_controls/CToolButton.h"
#include "helpers/CUserConfigUtils.h"
#include "helpers/LogMacros.h"
#include "models/CCallController.h"
#include "models/CLinguist.h"
#include "models/CRJSdkManager.h"
#include "platform/CInputShape.h"
#include "views/annotation/Button_share.h"
#include "views/annotation/CManagerButtonWidget.h"
#include "views/annotation/CSharingControls.h"
#include "views/annotation/ColorWidget.h"
#include "views/annotation/DrawingPalette.h"
#include "views/annotation/PaintListWidget.h"
#include "views/annotation/PaintWidget.h"
#include "views/annotation/QMenuButton.h"
#include "views/annotation/SelectBgColorWidget.h"
#include "views/framework/AlertDlg.h"
#include "views/framework/MouseRelease.h"
#include "views/framework/PlaceKeeper.h"
#include "views/incall/CControllableProbe.h"

#include <QCursor>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QSysInfo>
#include <QVBoxLayout>

using rj_app::models::CCallController;
using rj_app::models::CRJSdkManager;

namespace rj_app::views {

const char CbackgroundWidget::kTakeMouseStyle[] = "#w{background-color: rgba(190, 190, 190, 0.005)}";
const char CbackgroundWidget::kPassMouseStyle[] = "#w{background-color: rgba(43, 144, 25, 0)}";

namespace {

constexpr int kFrameWidth = 5;
constexpr int kToolBarTop = 80;
constexpr int kPickerGap = 10;
constexpr int kEraserWidth = 9;

const char kBrushCursor[] = ":/resources/images/ScreenDrawing/icon_brush_click.png";
const char kHighlighterCursor[] = ":/resources/images/ScreenDrawing/icon_highlighter_click.png";
const char kEraserCursor[] = ":/resources/images/ScreenDrawing/icon_eraser_click.png";

} // namespace

CbackgroundWidget::CbackgroundWidget(QWidget *parent)
    : CBaseWgt(parent)
{
    qInfo() << RJ_FUNCTION;
    setupForm();
    retranslateForm();
    initWidgets();
    refreshShareVoiceStatus();
    m_pSharingControls->refreshMicStatus();
    m_pSharingControls->refreshCameraStatus();
    Button_Manager->hide();
    checkControllable();
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_TranslucentBackground);
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
}

CbackgroundWidget::~CbackgroundWidget()
{
    qInfo() << RJ_FUNCTION;
    // The controls close an open settings window.
    delete m_pSharingControls;
    m_pSharingControls = nullptr;
    PropertyWidget->removeEventFilter(this);
    w->removeEventFilter(this);
    delete w;
    w = nullptr;
    for (QWidget *picker : {static_cast<QWidget *>(m_pPaintListWidget.data()),
                            static_cast<QWidget *>(m_pColorWidget.data()),
                            static_cast<QWidget *>(m_pSelectBgColorWidget.data())}) {
        if (picker) {
            picker->setParent(nullptr);
            delete picker;
        }
    }
    if (m_screenThread.isRunning())
        m_screenThread.stop();
    // The thread's own destructor ends a running loop and waits for it.
    qInfo() << RJ_FUNCTION << "done";
}

PaintListWidget *CbackgroundWidget::paintListWidget() const
{
    return m_pPaintListWidget;
}

ColorWidget *CbackgroundWidget::colorWidget() const
{
    return m_pColorWidget;
}

SelectBgColorWidget *CbackgroundWidget::selectBgColorWidget() const
{
    return m_pSelectBgColorWidget;
}

// ------------------------------------------------------------------ form

void CbackgroundWidget::setupForm()
{
    setObjectName(QStringLiteral("CbackgroundWidget"));
    resize(953, 466);
    // Scoped, so the popups and pickers that become windows of the overlay
    // keep their own backgrounds.
    setStyleSheet(QStringLiteral("#CbackgroundWidget{background-color: rgba(255, 85, 255, 0);}"));
    m_pFormLayout = new QVBoxLayout(this);
    m_pFormLayout->setContentsMargins(0, 0, 0, 0);
    m_pFormLayout->setSpacing(0);

    w = new QWidget(this);
    w->setObjectName(QStringLiteral("w"));
    gridLayout = new QGridLayout(w);
    gridLayout->setObjectName(QStringLiteral("gridLayout"));
    gridLayout->setContentsMargins(5, 0, 5, 5);
    m_pFormLayout->addWidget(w);

    m_pPaintWidget = new PaintWidget(w);
    m_pPaintWidget->setObjectName(QStringLiteral("paintWidget"));
    gridLayout_2 = new QGridLayout(m_pPaintWidget);
    gridLayout_2->setObjectName(QStringLiteral("gridLayout_2"));
    gridLayout_2->setContentsMargins(0, 0, 0, 0);
    gridLayout_2->setSpacing(0);
    gridLayout->addWidget(m_pPaintWidget, 0, 0);

    widget = new QWidget(m_pPaintWidget);
    widget->setObjectName(QStringLiteral("widget"));
    widget->setMinimumHeight(69);
    widget->setMaximumHeight(69);
    auto *rowLayout = new QHBoxLayout(widget);
    rowLayout->setObjectName(QStringLiteral("horizontalLayout"));
    rowLayout->setContentsMargins(0, 0, 0, 0);
    rowLayout->setSpacing(0);
    rowLayout->addStretch(1);

    PropertyWidget = new QWidget(widget);
    PropertyWidget->setObjectName(QStringLiteral("PropertyWidget"));
    PropertyWidget->setMinimumSize(100, 69);
    PropertyWidget->setMaximumHeight(69);
    auto *barLayout = new QVBoxLayout(PropertyWidget);
    barLayout->setObjectName(QStringLiteral("verticalLayout"));
    barLayout->setContentsMargins(0, 0, 0, 0);
    barLayout->setSpacing(0);
    rowLayout->addWidget(PropertyWidget);
    rowLayout->addStretch(1);

    horizontalView = new QFrame(PropertyWidget);
    horizontalView->setObjectName(QStringLiteral("horizontalView"));
    horizontalView->setMinimumHeight(54);
    horizontalView->setMaximumHeight(54);
    auto *buttons = new QHBoxLayout(horizontalView);
    buttons->setObjectName(QStringLiteral("horizontalLayout_2"));
    buttons->setSpacing(10);
    buttons->setContentsMargins(20, 0, 20, 0);

    Button_Voice = CSharingControls::makeMenuButton(horizontalView, "Button_Voice", false);
    buttons->addWidget(Button_Voice);

    auto *micPair = new QHBoxLayout;
    micPair->setSpacing(0);
    Button_Mute = CSharingControls::makeMenuButton(horizontalView, "Button_Mute", true);
    Button_Mute->setStyleSheet(CSharingControls::stateButtonStyle("Button_Mute", true));
    m_pBtnSelectMicUp = CSharingControls::makeArrow(horizontalView, "m_pBtnSelectMicUp");
    micPair->addWidget(Button_Mute);
    micPair->addWidget(m_pBtnSelectMicUp);
    buttons->addLayout(micPair);

    auto *cameraPair = new QHBoxLayout;
    cameraPair->setSpacing(0);
    Button_Camera = CSharingControls::makeMenuButton(horizontalView, "Button_Camera", true);
    Button_Camera->setStyleSheet(CSharingControls::stateButtonStyle("Button_Camera", true));
    m_pBtnSelectCameraUp = CSharingControls::makeArrow(horizontalView, "m_pBtnSelectCameraUp");
    cameraPair->addWidget(Button_Camera);
    cameraPair->addWidget(m_pBtnSelectCameraUp);
    buttons->addLayout(cameraPair);

    Button_Manager = new CManagerButtonWidget(horizontalView);
    Button_Manager->setObjectName(QStringLiteral("Button_Manager"));
    Button_Manager->setCursor(Qt::PointingHandCursor);
    buttons->addWidget(Button_Manager);

    Button_Draw = CSharingControls::makeMenuButton(horizontalView, "Button_Draw", true);
    buttons->addWidget(Button_Draw);

    m_pBtnVolume = CSharingControls::makeMenuButton(horizontalView, "m_pBtnVolume", false);
    m_pBtnVolume->setCheckable(true);
    buttons->addWidget(m_pBtnVolume);

    Button_Close = CSharingControls::makeMenuButton(horizontalView, "Button_Close", true);
    Button_Close->setStyleSheet(CSharingControls::stateButtonStyle("Button_Close", false));
    buttons->addWidget(Button_Close);

    m_pBtnShowPic = new custom_controls::CToolButton(horizontalView);
    m_pBtnShowPic->setObjectName(QStringLiteral("m_pBtnShowPic"));
    m_pBtnShowPic->setFixedSize(110, 34);
    m_pBtnShowPic->setToolButtonStyle(Qt::ToolButtonTextOnly);
    buttons->addWidget(m_pBtnShowPic);
    barLayout->addWidget(horizontalView);

    horizontalBtn = new QFrame(PropertyWidget);
    horizontalBtn->setObjectName(QStringLiteral("horizontalBtn"));
    horizontalBtn->setMinimumHeight(15);
    horizontalBtn->setMaximumHeight(15);
    auto *tabLayout = new QHBoxLayout(horizontalBtn);
    tabLayout->setObjectName(QStringLiteral("horizontalLayout_3"));
    tabLayout->setContentsMargins(0, 0, 0, 0);
    tabLayout->setSpacing(0);
    tabLayout->addStretch(1);
    shareBtnView = new Button_share(horizontalBtn);
    shareBtnView->setObjectName(QStringLiteral("shareBtnView"));
    shareBtnView->setFixedWidth(120);
    tabLayout->addWidget(shareBtnView);
    tabLayout->addStretch(1);
    barLayout->addWidget(horizontalBtn);

    horizontalWidget = new QWidget(m_pPaintWidget);
    horizontalWidget->setObjectName(QStringLiteral("horizontalWidget"));
    gridLayout_2->addWidget(widget, 0, 0);
    gridLayout_2->addWidget(horizontalWidget, 1, 0);
    gridLayout_2->setRowStretch(1, 1);
}

void CbackgroundWidget::retranslateForm()
{
    setWindowTitle(QString());
    m_pBtnSelectMicUp->setText(QString());
    m_pBtnSelectCameraUp->setText(QString());
    m_pBtnShowPic->setText(tr("Show PIP"));
}

void CbackgroundWidget::initWidgets()
{
    horizontalView->setStyleSheet(QStringLiteral("background-color: rgb(28, 30, 32);border-radius: 5px;"));
    m_pBtnSelectMicUp->setStyleSheet(QLatin1String(CSharingControls::kArrowStyle));
    m_pBtnSelectCameraUp->setStyleSheet(QLatin1String(CSharingControls::kArrowStyle));

    const CSharingControls::ButtonLook looks[] = {
        {Button_Voice, true, ":/resources/images/ScreenDrawing/icon_sharevoice.png",
         ":/resources/images/ScreenDrawing/icon_sharevoice-off.png"},
        {Button_Mute, true, ":/resources/images/ScreenDrawing/icon_toolbar_unmute.png",
         ":/resources/images/ScreenDrawing/icon_toolbar_mute.png"},
        {Button_Camera, true, ":/resources/images/ScreenDrawing/icon_toolbar_unmute-camera.png",
         ":/resources/images/ScreenDrawing/icon_toolbar_mute-camera.png"},
        {Button_Draw, false, ":/resources/images/ScreenDrawing/icon_brush_default.png",
         ":/resources/images/ScreenDrawing/icon_brush_click.png"},
        {m_pBtnVolume, true, ":/resources/images/layout-operationbar/icon_volume_pop.png",
         ":/resources/images/layout-operationbar/icon_volume_pop.png"},
        {Button_Close, true, ":/resources/images/ScreenDrawing/icon_stopshare.png",
         ":/resources/images/ScreenDrawing/icon_stopshare.png"},
    };
    CSharingControls::applyLooks(looks);
    Button_Close->setOnState();
    m_pBtnShowPic->updateDpi(1.0);

    // The pickers are windows of the overlay, hidden until asked for.
    m_pPaintListWidget = new PaintListWidget(nullptr);
    // Its place is kept on the X server's, or the pickers and the aim of a
    // click go where the bar is not.
    new CServerPlaceFollower(m_pPaintListWidget);
    m_pPaintListWidget->setParent(this, Qt::SplashScreen);
    m_pPaintListWidget->hide();
    m_pColorWidget = new ColorWidget(nullptr);
    m_pColorWidget->setParent(this, Qt::SplashScreen);
    m_pColorWidget->hide();
    m_pSelectBgColorWidget = new SelectBgColorWidget(nullptr);
    m_pSelectBgColorWidget->setParent(this, Qt::SplashScreen);
    m_pSelectBgColorWidget->hide();

    CSharingControls::Buttons controls;
    controls.mic = Button_Mute;
    controls.micArrow = m_pBtnSelectMicUp;
    controls.camera = Button_Camera;
    controls.cameraArrow = m_pBtnSelectCameraUp;
    controls.volume = m_pBtnVolume;
    CSharingControls::Fold fold;
    fold.tab = shareBtnView;
    fold.view = horizontalView;
    fold.rows = {PropertyWidget, widget};
    m_pSharingControls = new CSharingControls(this, controls, fold);
    connect(m_pSharingControls, &CSharingControls::sigRefreshStatus, this, &CbackgroundWidget::sigRefreshStatus);
    connect(m_pSharingControls, &CSharingControls::sigSettingWinClosed, this,
            &CbackgroundWidget::sigSettingWinClosed);
    PropertyWidget->installEventFilter(this);
    w->installEventFilter(this);

    connect(Button_Voice, &QPushButton::clicked, this, &CbackgroundWidget::slotSwitchVoice);
    connect(Button_Manager, &CManagerButtonWidget::clicked, this, &CbackgroundWidget::slotClickedManagerButton);
    connect(Button_Close, &QPushButton::clicked, this, &CbackgroundWidget::stopShare);
    connect(Button_Draw, &QPushButton::clicked, this, &CbackgroundWidget::showPaintWindow);
    connect(m_pPaintWidget, &PaintWidget::LeftButtonPressed, this, [this] {
        m_pColorWidget->hide();
        m_pSelectBgColorWidget->hide();
    });
    PaintListWidget *bar = m_pPaintListWidget;
    connect(bar, &PaintListWidget::enabelMouse, this, &CbackgroundWidget::slotOnMouse);
    connect(bar, &PaintListWidget::penClicked, this, &CbackgroundWidget::onBtnPenClicked);
    connect(bar, &PaintListWidget::nitePenClicked, this, &CbackgroundWidget::onBtnNitePenClicked);
    connect(bar, &PaintListWidget::eraserClicked, this, &CbackgroundWidget::onBtnEraserClicked);
    connect(bar, &PaintListWidget::revokeClicked, this, &CbackgroundWidget::onBtnRevokeClicked);
    connect(bar, &PaintListWidget::bgClicked, this, &CbackgroundWidget::onBtnBgClicked);
    connect(bar, &PaintListWidget::clearClicked, this, &CbackgroundWidget::onBtnClearClicked);
    connect(bar, &PaintListWidget::exitClicked, this, &CbackgroundWidget::onBtnExitClicked);
    connect(bar, &PaintListWidget::selectPenClicked, this, &CbackgroundWidget::onBtnSelectPenClicked);
    connect(bar, &PaintListWidget::selectNitePenClicked, this, &CbackgroundWidget::onBtnSelectNitePenClicked);
    connect(bar, &PaintListWidget::sigSaveClicked, this, &CbackgroundWidget::slotBtnSaveClicked);
    connect(m_pColorWidget, &ColorWidget::changeColor, this, &CbackgroundWidget::changePenColor);
    connect(m_pColorWidget, &ColorWidget::changeSize, this, &CbackgroundWidget::changePenLineSize);
    connect(m_pSelectBgColorWidget, &SelectBgColorWidget::changeDrawBg, this, &CbackgroundWidget::c_changeDrawBg);
    connect(m_pBtnShowPic, &QToolButton::clicked, this, &CbackgroundWidget::slotOnBtnShowPicture);
    if (CRJSdkManager *sdk = CRJSdkManager::getInstance()) {
        connect(sdk, &CRJSdkManager::eventMicMutedShow, this, &CbackgroundWidget::slotOnMicMutedShow);
        connect(sdk, &CRJSdkManager::eventContent, this, &CbackgroundWidget::slotOnContent);
    }
    connect(models::CLinguist::getInstance(), &models::CLinguist::sigLanguageChanged, this,
            &CbackgroundWidget::slotOnLanguageChanged);

    setTakesMouse(false);
    updateTexts();
}

void CbackgroundWidget::updateTexts()
{
    Button_Draw->setLabelText(tr("Drawing"));
    m_pBtnVolume->setLabelText(tr("Volume"));
    Button_Close->setLabelText(tr("Stop"));
    Button_Manager->setTitle(tr("Management"));
    refreshShareVoiceStatus();
    m_pSharingControls->refreshMicStatus();
    m_pSharingControls->refreshCameraStatus();
}

void CbackgroundWidget::slotOnLanguageChanged()
{
    retranslateForm();
    updateTexts();
}

// ----------------------------------------------------------- life cycle

void CbackgroundWidget::checkControllable()
{
    qInfo() << RJ_FUNCTION;
    // The probe is a child of the overlay: an answer that arrives after the
    // overlay is gone goes nowhere.
    m_pControllableProbe = new CControllableProbe(this);
    connect(m_pControllableProbe, &CControllableProbe::answered, this, &CbackgroundWidget::slotConfMngtVisible);
    m_pControllableProbe->start();
}

void CbackgroundWidget::slotConfMngtVisible(bool visible)
{
    qInfo() << RJ_FUNCTION << "visible:" << visible;
    Button_Manager->setVisible(visible);
}

void CbackgroundWidget::updateShowPicture(bool visible)
{
    m_pBtnShowPic->setVisible(visible);
}

void CbackgroundWidget::slotHidePicture()
{
    m_pBtnShowPic->show();
}

void CbackgroundWidget::slotOnBtnShowPicture()
{
    emit sigOnShowPicture();
    m_pBtnShowPic->hide();
}

void CbackgroundWidget::refreshManagerNumber()
{
    Button_Manager->setNumber(QString());
}

void CbackgroundWidget::slotClickedManagerButton()
{
    qInfo() << RJ_FUNCTION << "slotClickedManagerButton";
    emit sigClickManagerButton();
}

bool CbackgroundWidget::isWindows7Sp1()
{
    return QSysInfo::productType() == QLatin1String("windows") && QSysInfo::productVersion() == QLatin1String("7sp1");
}

double CbackgroundWidget::scale() const
{
    return fStretchFactor > 0 ? fStretchFactor : 1.0;
}

// ------------------------------------------------------- state buttons

void CbackgroundWidget::refreshShareVoiceStatus()
{
    CRJSdkManager *sdk = CRJSdkManager::getInstance();
    const bool enabled = sdk && sdk->contentAudioEnabled();
    if (enabled) {
        Button_Voice->setOffState();
        Button_Voice->setLabelText(tr("Stop Sound"));
    } else {
        Button_Voice->setOnState();
        Button_Voice->setLabelText(tr("Share Sound"));
    }
    qInfo() << RJ_FUNCTION << "enabled:" << enabled;
}

void CbackgroundWidget::slotSwitchVoice()
{
    const bool on = Button_Voice->isOn();
    qInfo() << RJ_FUNCTION << "ischecked:" << on;
    if (CRJSdkManager *sdk = CRJSdkManager::getInstance())
        sdk->enableContentAudio(!on);
    refreshShareVoiceStatus();
}

void CbackgroundWidget::slotSwitchMic()
{
    m_pSharingControls->slotSwitchMic();
}

void CbackgroundWidget::slotSwitchCamera()
{
    m_pSharingControls->slotSwitchCamera();
}

void CbackgroundWidget::slotOnMicMutedShow(bool mic_muted)
{
    Q_UNUSED(mic_muted)
    m_pSharingControls->refreshMicStatus();
}

void CbackgroundWidget::muteAudio()
{
    qInfo() << RJ_FUNCTION;
    Button_Mute->setOnState();
    slotSwitchMic();
}

void CbackgroundWidget::unmuteAudio()
{
    qInfo() << RJ_FUNCTION;
    Button_Mute->setOffState();
    slotSwitchMic();
}

void CbackgroundWidget::entershareBtn()
{
    m_pSharingControls->entershareBtn();
}

// -------------------------------------------------------- mouse capture

QRegion CbackgroundWidget::inputRegionFor(const QSize &size, const QRect &toolbar, bool drawing)
{
    const QRect all(QPoint(0, 0), size);
    if (drawing)
        return QRegion(all);
    QRegion region;
    region += QRect(0, 0, size.width(), kFrameWidth);
    region += QRect(0, size.height() - kFrameWidth, size.width(), kFrameWidth);
    region += QRect(0, 0, kFrameWidth, size.height());
    region += QRect(size.width() - kFrameWidth, 0, kFrameWidth, size.height());
    region += toolbar;
    return region & all;
}

void CbackgroundWidget::setTakesMouse(bool take)
{
    m_bTakesMouse = take;
    w->setStyleSheet(QLatin1String(take ? kTakeMouseStyle : kPassMouseStyle));
    updateInputRegion();
}

void CbackgroundWidget::updateInputRegion()
{
    // Without a native window there is nothing to shape yet; the show does it.
    if (!testAttribute(Qt::WA_WState_Created))
        return;
    QRect toolbar;
    if (PropertyWidget->isVisibleTo(this))
        toolbar = QRect(PropertyWidget->mapTo(this, QPoint(0, 0)), PropertyWidget->size());
    platform::CInputShape::setInputRegion(this, inputRegionFor(size(), toolbar, m_bTakesMouse));
}

bool CbackgroundWidget::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == PropertyWidget || watched == w) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
            updateInputRegion();
            break;
        default:
            break;
        }
    }
    return CBaseWgt::eventFilter(watched, event);
}

// ----------------------------------------------------------------- stop

void CbackgroundWidget::hidePickers()
{
    m_pColorWidget->hide();
    m_pSelectBgColorWidget->hide();
}

void CbackgroundWidget::stopShare()
{
    Button_Close->setOnState();
    qInfo() << RJ_FUNCTION << "stopShare Action";
    hidePickers();
    setTakesMouse(false);
    setCursor(Qt::ArrowCursor);
    m_pPaintListWidget->hide();
    m_pPaintWidget->hide();
    updateInputRegion();
    emit stopDraw();
    if (isWindows7Sp1())
        m_screenThread.stop();

    QPointer<CbackgroundWidget> self(this);
    const auto answer = AlertDlg::execQuestion(this, tr("Note"), tr("Are you sure to stop?"),
                                               QDialogButtonBox::Yes | QDialogButtonBox::No, QDialogButtonBox::Yes);
    // The share may have ended, and the overlay gone, while the box was open.
    if (!self)
        return;
    if (answer == QDialogButtonBox::Yes) {
        emit sigClose();
        return;
    }
    // No, or the box closed without an answer: sharing goes on, and the
    // toolbar must come back or the share could not be stopped any more.
    m_pPaintWidget->show();
    updateInputRegion();
}

void CbackgroundWidget::slotOnContent(rj::engine::RJContentInfo info)
{
    qInfo() << RJ_FUNCTION << "enabled:" << info.enabled;
    if (!info.enabled && isWindows7Sp1()) {
        if (CRJSdkManager *sdk = CRJSdkManager::getInstance())
            sdk->setLocalContentSource(CCallController::getInstance()->getContentSourceInfo());
        qInfo() << RJ_FUNCTION << QSysInfo::productType() << QSysInfo::productVersion();
        m_screenThread.stop();
    }
}

// -------------------------------------------------------------- drawing

QScreen *CbackgroundWidget::drawingScreen(QScreen *underCursor, QScreen *own)
{
    if (underCursor)
        return underCursor;
    if (own)
        return own;
    return QGuiApplication::primaryScreen();
}

QScreen *CbackgroundWidget::currentDrawingScreen() const
{
    return drawingScreen(QGuiApplication::screenAt(QCursor::pos()), screen());
}

QPoint CbackgroundWidget::toolBarPosition(const QRect &screen, int barWidth, double scale)
{
    return QPoint(screen.left() + (screen.width() - barWidth) / 2,
                  screen.top() + static_cast<int>(kToolBarTop * scale));
}

QPoint CbackgroundWidget::pickerPosition(const QPoint &bar, int barHeight, int offsetX, int pickerHeight,
                                         int desktopHeight)
{
    const int x = bar.x() + offsetX;
    if (bar.y() > desktopHeight / 2)
        return QPoint(x, bar.y() - pickerHeight - kPickerGap);
    return QPoint(x, bar.y() + barHeight + kPickerGap);
}

void CbackgroundWidget::placePicker(QWidget *picker, int offsetX)
{
    QScreen *primary = QGuiApplication::primaryScreen();
    const int desktopHeight = primary ? primary->availableVirtualGeometry().height() : 0;
    picker->move(pickerPosition(m_pPaintListWidget->pos(), m_pPaintListWidget->height(), offsetX,
                                picker->height(), desktopHeight));
}

void CbackgroundWidget::setCursorImage(const char *path)
{
    // The hot spot defaults to the picture's centre.
    setCursor(QCursor(QPixmap(QLatin1String(path))));
}

void CbackgroundWidget::setDrawingPen(const QColor &color, int width)
{
    m_pPaintWidget->setPen(QPen(QBrush(color), width, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
}

void CbackgroundWidget::showPaintWindow()
{
    qInfo() << RJ_FUNCTION;
    m_pPaintWidget->m_bDrawEnabled = true;
    QScreen *target = currentDrawingScreen();
    showPlaced(m_pPaintListWidget, [this, target] {
        if (target)
            m_pPaintListWidget->move(toolBarPosition(target->geometry(), m_pPaintListWidget->width(), scale()));
    });
    m_pPaintListWidget->selectPen();
    if (isWindows7Sp1()) {
        m_screenThread.setWhiteBoardAndWinId(false, 0);
        m_screenThread.start();
    }
    qInfo() << "QSysInfo().productType():" << QSysInfo::productType();
    qInfo() << "QSysInfo().productVersion()" << QSysInfo::productVersion();
    setTakesMouse(true);
    setCursorImage(kBrushCursor);
}

void CbackgroundWidget::onBtnPenClicked()
{
    hidePickers();
    m_pColorWidget->m_bIsNitePen = false;
    QColor color = m_pColorWidget->getColor();
    color.setAlpha(kPenAlpha);
    setDrawingPen(color, m_pColorWidget->getSize());
    setTakesMouse(true);
    m_pPaintWidget->m_bDrawEnabled = true;
    setCursorImage(kBrushCursor);
    m_pPaintWidget->setPaintType(PaintStrokePen);
}

void CbackgroundWidget::onBtnNitePenClicked()
{
    hidePickers();
    m_pColorWidget->m_bIsNitePen = true;
    QColor color = m_pColorWidget->getColor();
    color.setAlpha(kHighlighterAlpha);
    setDrawingPen(color, m_pColorWidget->getSize());
    m_pPaintWidget->m_bDrawEnabled = true;
    setTakesMouse(true);
    setCursorImage(kHighlighterCursor);
    m_pPaintWidget->setPaintType(PaintStrokeHighlighter);
}

void CbackgroundWidget::onBtnEraserClicked()
{
    hidePickers();
    setCursorImage(kEraserCursor);
    m_pPaintWidget->m_bDrawEnabled = true;
    setTakesMouse(true);
    setDrawingPen(m_pPaintWidget->pen().color(), kEraserWidth);
    m_pPaintWidget->setPaintType(PaintStrokeEraser);
}

void CbackgroundWidget::onBtnRevokeClicked()
{
    hidePickers();
    qInfo() << RJ_FUNCTION << "start revoke";
    m_pPaintWidget->RevocationSingleStep();
}

void CbackgroundWidget::onBtnClearClicked()
{
    if (!m_pPaintWidget->m_bDrawEnabled)
        return;
    setTakesMouse(true);
    hidePickers();
    m_pPaintWidget->clearAll();
}

void CbackgroundWidget::onBtnBgClicked()
{
    m_pColorWidget->hide();
    placePicker(m_pSelectBgColorWidget, m_pPaintListWidget->m_iBgBtnX);
    m_pSelectBgColorWidget->setVisible(m_pSelectBgColorWidget->isHidden());
}

void CbackgroundWidget::onBtnSelectPenClicked()
{
    onBtnPenClicked();
    m_pSelectBgColorWidget->hide();
    m_pColorWidget->m_bIsNitePen = false;
    placePicker(m_pColorWidget, m_pPaintListWidget->m_iPenBgX);
    m_pColorWidget->refreshSelection();
    m_pColorWidget->show();
    m_pPaintWidget->m_bDrawEnabled = true;
}

void CbackgroundWidget::onBtnSelectNitePenClicked()
{
    onBtnNitePenClicked();
    m_pSelectBgColorWidget->hide();
    m_pColorWidget->m_bIsNitePen = true;
    placePicker(m_pColorWidget, m_pPaintListWidget->m_iNitePenBgX);
    m_pColorWidget->refreshSelection();
    m_pColorWidget->show();
    m_pPaintWidget->m_bDrawEnabled = true;
}

void CbackgroundWidget::slotOnMouse()
{
    hidePickers();
    setCursor(Qt::ArrowCursor);
    m_pPaintWidget->m_bDrawEnabled = false;
    setTakesMouse(false);
    m_pSelectBgColorWidget->initSelection();
    m_strDrawBg = m_pSelectBgColorWidget->m_strBgColor;
    emit changeBgColor();
}

void CbackgroundWidget::onBtnExitClicked()
{
    hidePickers();
    setCursor(Qt::ArrowCursor);
    m_pPaintWidget->m_bDrawEnabled = false;
    m_pPaintListWidget->hide();
    setTakesMouse(false);
    emit stopDraw();
    if (isWindows7Sp1()) {
        if (CRJSdkManager *sdk = CRJSdkManager::getInstance())
            sdk->setLocalContentSource(CCallController::getInstance()->getContentSourceInfo());
        m_screenThread.stop();
    }
}

void CbackgroundWidget::changePenColor()
{
    setCursorImage(kBrushCursor);
    int type = PaintStrokePen;
    if (m_pColorWidget->m_bIsNitePen) {
        m_pPaintListWidget->markNitePenSelected();
        type = PaintStrokeHighlighter;
    } else {
        m_pPaintListWidget->markPenSelected();
    }
    m_pPaintWidget->setPaintType(type);
    setDrawingPen(m_pColorWidget->getColor(), m_pColorWidget->getSize());
}

void CbackgroundWidget::changePenLineSize()
{
    setCursorImage(kBrushCursor);
    QColor color = m_pColorWidget->getColor();
    int type = PaintStrokePen;
    if (m_pColorWidget->m_bIsNitePen) {
        m_pPaintListWidget->markNitePenSelected();
        color.setAlpha(kHighlighterAlpha);
        type = PaintStrokeHighlighter;
    } else {
        m_pPaintListWidget->markPenSelected();
        color.setAlpha(kPenAlpha);
    }
    m_pPaintWidget->setPaintType(type);
    setDrawingPen(color, m_pColorWidget->getSize());
}

void CbackgroundWidget::c_changeDrawBg(const QString &color)
{
    qInfo() << RJ_FUNCTION << color;
    m_strDrawBg = color;
    if (m_pColorWidget->m_bIsNitePen) {
        m_pPaintListWidget->markNitePenSelected();
        onBtnNitePenClicked();
    } else {
        m_pPaintListWidget->markPenSelected();
        onBtnPenClicked();
    }
    emit changeBgColor();
}

// ------------------------------------------------------------ screenshot

QString CbackgroundWidget::screenshotPath(const QString &folder, const QDateTime &time)
{
    return folder + QLatin1Char('/') + tr("Screenshot") + time.toString(QStringLiteral("_yyyy-MM-dd_hh-mm-ss.zzz"))
        + QStringLiteral(".jpg");
}

bool CbackgroundWidget::saveScreenshot(const QPixmap &shot, const QString &path)
{
    if (shot.isNull())
        return false;
    QDir().mkpath(QFileInfo(path).absolutePath());
    return shot.save(path, "jpg");
}

void CbackgroundWidget::slotBtnSaveClicked()
{
    hidePickers();
    QScreen *target = currentDrawingScreen();
    const QPixmap shot = target ? target->grabWindow(0) : QPixmap();
    QString folder;
    if (helpers::CUserConfigUtils *config = helpers::CUserConfigUtils::getInstance())
        folder = config->getScreenPicPath();
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    qInfo() << RJ_FUNCTION << "savePath:" << folder;
    const QString path = screenshotPath(folder, QDateTime::currentDateTime());
    const bool saved = saveScreenshot(shot, path);
    // The person is told where to find the picture.
    const QString note = (saved ? tr("Save successfully") : tr("Save failed")) + QLatin1Char('\n')
                         + QDir::toNativeSeparators(path);
    // The tool bar's Save acts on the press: the note waits for the release.
    runWhenMouseReleased(this, [this, note] {
        AlertDlg::execQuestion(this, tr("Note"), note, QDialogButtonBox::Yes, QDialogButtonBox::NoButton);
    });
}

// ------------------------------------------------------------ look

void CbackgroundWidget::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    QPainter painter(this);
    painter.setPen(QPen(kAccentColor, kFrameWidth));
    const int right = width() - 1;
    const int bottom = height() - 1;
    painter.drawLine(0, 0, right, 0);
    painter.drawLine(0, 0, 0, bottom);
    painter.drawLine(right, 0, right, bottom);
    painter.drawLine(0, bottom, right, bottom);
}

void CbackgroundWidget::showEvent(QShowEvent *event)
{
    m_scaler.init(width(), height(), this);
    CBaseWgt::showEvent(event);
    updateInputRegion();
}

void CbackgroundWidget::hideEvent(QHideEvent *event)
{
    qInfo() << RJ_FUNCTION;
    CBaseWgt::hideEvent(event);
}

void CbackgroundWidget::onDpiChanged()
{
    qInfo() << "CbackgroundWidget OnDpiChanged";
    const double s = scale();
    m_pSharingControls->setScale(s);
    m_pSharingControls->unfold();
    m_scaler.rescale(s, this, false);
    for (QMenuButton *button : {Button_Voice, Button_Draw, Button_Mute, Button_Close, Button_Camera})
        button->updateScale(s);
    Button_Manager->updateScale(s);
    m_pBtnVolume->updateScale(s);
    m_pBtnShowPic->updateDpi(s);
    m_pSharingControls->refreshVolumeStatus(false, false);
    showMaximized();
}

} // namespace rj_app::views
