#include "views/incall/CLayoutPeopleSettingDlg.h"

#include "views/framework/AlertDlg.h"

#include "helpers/CGeneralUtils.h"
#include "helpers/CUserConfigUtils.h"
#include "helpers/LogMacros.h"
#include "models/CCallController.h"
#include "models/CRJSdkManager.h"
#include "models/ScreenThread.h"
#include "views/annotation/CbackgroundWidget.h"
#include "views/annotation/WhiteBoard.h"
#include "views/annotation/WhiteBoardDlg.h"
#include "views/framework/OutermostOwner.h"
#include "views/framework/PlaceKeeper.h"
#include "views/incall/CAudioModeWidget.h"
#include "views/incall/CLayoutCellCoverDlg.h"
#include "views/incall/CLayoutCellDlg.h"
#include "views/incall/CLayoutCoverDlg.h"
#include "views/incall/CLayoutFloatingCellsDlg.h"
#include "views/incall/CLayoutToolbarDlg.h"
#include "views/incall/CMediaStatisticsDlg.h"
#include "views/incall/CPromptWidget.h"
#include "views/incall/CRemoteContentDlg.h"

#include <QApplication>
#include <QDebug>
#include <QEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace rj_app::views {

using helpers::CUserConfigUtils;
using models::CCallController;
using models::CRJSdkManager;

namespace {

constexpr int kHideToolbarIntervalMs = 5000;
// Mouse moves closer together than this continue one movement.
constexpr qint64 kCoverMoveGapMs = 301;
// A movement shows the toolbar once it is farther than this from its start.
constexpr double kCoverMoveDistance2 = 100.0;
const char *const kLocalCellBorder = "#4381ff";
const char *const kWhiteBoardCellBorder = "#f00";

// Every window laid over video is a window of its own, owned by another.
constexpr Qt::WindowFlags kOwnedWindow = Qt::SplashScreen | Qt::FramelessWindowHint;

CCallController *callController()
{
    return CCallController::getInstance();
}

// The engine facade, or null once it was released at exit.
CRJSdkManager *sdk()
{
    return CRJSdkManager::getInstance();
}

template <typename T>
void deleteOwned(T *&widget)
{
    if (!widget)
        return;
    widget->setParent(nullptr);
    delete widget;
    widget = nullptr;
}

} // namespace

CLayoutPeopleSettingDlg::CLayoutPeopleSettingDlg(QWidget *parent)
    : CBaseDlg(parent)
{
    m_pRemoteVideoCell = new CLayoutCellDlg(nullptr);
    m_pLocalVideoCell = new CLayoutCellDlg(nullptr);
    m_lastCoverMouseMoveTime = now();
    m_pLayoutCover = new CLayoutCoverDlg(nullptr);
    m_pToolbarDlg = new CLayoutToolbarDlg(nullptr);
    m_pFloatingCellsDlg = new CLayoutFloatingCellsDlg(nullptr);
    m_pAudioWidget = new CAudioModeWidget(nullptr);
    setupForm();
    initChildren();
    initConnections();
    keepStripOffTheBoardTools();
}

CLayoutPeopleSettingDlg::~CLayoutPeopleSettingDlg()
{
    qInfo() << RJ_FUNCTION;
    // The feeder grabs a window that goes below: end its loop first.
    if (m_pScreenThread) {
        stopScreenFeederIfRunning();
        m_pScreenThread->wait();
        delete m_pScreenThread;
        m_pScreenThread = nullptr;
    }
    deleteOwned(m_pLocalVideoCell);
    deleteOwned(m_pRemoteVideoCell);
    deleteOwned(m_pFloatingCellsDlg);
    if (m_pMediaStatisticsDlg) {
        CMediaStatisticsDlg *stats = m_pMediaStatisticsDlg;
        deleteOwned(stats);
    }
    deleteOwned(m_pRemoteContentDlg);
    for (QPointer<WhiteBoardDlg> *board : {&m_whiteBoardDlg, &m_whiteBoardDlgForLayout}) {
        if (WhiteBoardDlg *dlg = *board)
            deleteOwned(dlg);
    }
    if (CbackgroundWidget *overlay = m_bgWidget)
        deleteOwned(overlay);
    if (WhiteBoard *sheet = m_wbWidget)
        deleteOwned(sheet);
    deleteOwned(m_pToolbarDlg);
    if (CPromptWidget *prompt = m_pPromptWidget)
        deleteOwned(prompt);
    deleteOwned(m_pAudioWidget);
    // Cells owned through parenting go now, while their handlers still run
    // on a whole object.
    deleteOwned(m_pRemoteContentCell);
    deleteOwned(m_pRemoteWhiteBoardCell);
    deleteOwned(m_pLayoutCover);
    qInfo() << RJ_FUNCTION << "done";
}

void CLayoutPeopleSettingDlg::setupForm()
{
    setObjectName(QStringLiteral("CLayoutPeopleSettingDlg"));
    resize(400, 300);
    setMaximumSize(4096, 3112);
    setStyleSheet(QString());
    verticalLayout = new QVBoxLayout(this);
    verticalLayout->setObjectName(QStringLiteral("verticalLayout"));
    verticalLayout->setSpacing(0);
    verticalLayout->setContentsMargins(0, 0, 0, 0);
    setWindowTitle(QString());
}

void CLayoutPeopleSettingDlg::initChildren()
{
    helpers::CGeneralUtils::setStyle(this, QStringLiteral(":/resources/qss/layout-people-setting-dlg.qss"));
    connect(m_pAudioWidget, &CAudioModeWidget::sigMouseMove, this,
            &CLayoutPeopleSettingDlg::slotOnCellCoverMouseMove);
    connect(m_pAudioWidget, &CAudioModeWidget::sigMousePress, this,
            &CLayoutPeopleSettingDlg::slotOnCellCoverMousePress);
    m_pLayoutCover->setParent(this, kOwnedWindow);
    m_pLayoutCover->installEventFilter(this);
    // The mouse cover lies over the whole layout, whatever size the window
    // system last reported for it.
    new CPlaceKeeper(m_pLayoutCover, [this]() -> std::optional<QRect> {
        if (!isVisible())
            return std::nullopt;
        return QRect(m_pLayoutCover->pos(), size());
    });
    m_pLocalVideoCell->setBorderColor(QLatin1String(kLocalCellBorder));
    m_pLocalVideoCell->setCellType(2);
    m_pFloatingCellsDlg->setMaxRemoteCellCount(4);
    m_pHideToolbarTimer = new QTimer(this);
    m_pHideToolbarTimer->setInterval(kHideToolbarIntervalMs);
    m_pLayoutCover->raise();
    m_pToolbarDlg->setParent(m_pLayoutCover, kOwnedWindow);
    m_pFloatingCellsDlg->setParent(m_pToolbarDlg, kOwnedWindow);
    setIsLocalRemoteMuted(false);
    m_pRemoteWhiteBoardCell = new CLayoutCellDlg(nullptr);
    m_pRemoteWhiteBoardCell->setOwner(this, kOwnedWindow);
    m_pAudioWidget->setParent(m_pLayoutCover, kOwnedWindow);
}

void CLayoutPeopleSettingDlg::initConnections()
{
    CCallController *call = callController();
    connect(call, &CCallController::sigContentStreamStatusChanged, this,
            &CLayoutPeopleSettingDlg::slotOnContentStreamStatusChanged);
    if (CRJSdkManager *manager = sdk()) {
        connect(manager, &CRJSdkManager::eventWarn, this, &CLayoutPeopleSettingDlg::slotOnWarn);
        connect(manager, &CRJSdkManager::eventMuteSpeakingDetected, this,
                &CLayoutPeopleSettingDlg::slotOnMuteSpeakingDetected);
        connect(manager, &CRJSdkManager::eventContent, this, &CLayoutPeopleSettingDlg::slotOnContent);
        connect(manager, &CRJSdkManager::eventMicMutedShow, this, &CLayoutPeopleSettingDlg::slotOnMicMutedShow);
        connect(manager, &CRJSdkManager::eventCurrentDeviceChanged, this,
                &CLayoutPeopleSettingDlg::slotOnCurrentDeviceChanged);
        connect(manager, &CRJSdkManager::eventVideoMutedShow, this,
                &CLayoutPeopleSettingDlg::slotOnVideoMutedShow);
    }
    connect(call, &CCallController::sigCallStatusChanged, this, &CLayoutPeopleSettingDlg::slotOnCallStatusChanged);
    connect(call, &CCallController::sigCallStateChanged, this, &CLayoutPeopleSettingDlg::slotOnCallStateChanged);
    connect(m_pToolbarDlg, &CLayoutToolbarDlg::sigChangeLayoutMode, this,
            &CLayoutPeopleSettingDlg::slotOnChangeLayoutMode);
    connect(m_pToolbarDlg, &CLayoutToolbarDlg::sigIsLocalMicEnabled, this,
            &CLayoutPeopleSettingDlg::slotOnIsLocalMicEnabled);
    connect(m_pToolbarDlg, &CLayoutToolbarDlg::sigrequestSpeakPrompt, this,
            &CLayoutPeopleSettingDlg::slotOnRequestSpeak);
    connect(m_pToolbarDlg, &CLayoutToolbarDlg::sigSettingWinClosed, this,
            &CLayoutPeopleSettingDlg::slogOnSettingWinClosed);
    connect(m_pHideToolbarTimer, &QTimer::timeout, this, &CLayoutPeopleSettingDlg::slotOnTimerHideToolbar);
    connect(m_pLayoutCover, &CLayoutCoverDlg::sigMouseMove, this, &CLayoutPeopleSettingDlg::slotOnCellCoverMouseMove);
    connect(m_pLayoutCover, &CLayoutCoverDlg::sigMousePress, this,
            &CLayoutPeopleSettingDlg::slotOnCellCoverMousePress);
    // Only the remote and the content cell turn a double click into full
    // screen.
    connectCellMouse(m_pLocalVideoCell, false);
    connectCellMouse(m_pRemoteVideoCell, true);
    connect(m_pToolbarDlg, &CLayoutToolbarDlg::sigOnShowPicture, m_pFloatingCellsDlg,
            &CLayoutFloatingCellsDlg::slot_FloatingCellsDlg_Show);
    connect(m_pFloatingCellsDlg, &CLayoutFloatingCellsDlg::signal_FloatingCellsDlg_Hide, m_pToolbarDlg,
            &CLayoutToolbarDlg::slotHidePicture);

    // A cell may get a new native window (a new parent, a new stacking
    // hint): the engine is moved off the old one before it goes and onto
    // the new one as soon as it exists.
    watchVideoWindow(m_pRemoteVideoCell, [](WId id) {
        if (sdk())
            callController()->setRemoteVideoWindow(id);
    });
    watchVideoWindow(m_pLocalVideoCell, [](WId id) {
        if (sdk())
            callController()->setLocalVideoWindow(id);
    });
}

void CLayoutPeopleSettingDlg::connectCellMouse(CLayoutCellDlg *cell, bool doubleClick)
{
    connect(cell, &CLayoutCellDlg::sigMouseMove, this, &CLayoutPeopleSettingDlg::slotOnCellCoverMouseMove);
    connect(cell, &CLayoutCellDlg::sigMousePress, this, &CLayoutPeopleSettingDlg::slotOnCellCoverMousePress);
    if (doubleClick)
        connect(cell, &CLayoutCellDlg::sigMouseDoubleClick, this,
                &CLayoutPeopleSettingDlg::slotOnCellMouseDoubleClick);
}

void CLayoutPeopleSettingDlg::watchVideoWindow(CLayoutCellDlg *cell, const std::function<void(WId)> &bind)
{
    connect(cell, &CLayoutCellDlg::sigVideoWindowAboutToChange, this, [bind](WId) { bind(0); });
    connect(cell, &CLayoutCellDlg::sigVideoWindowIdChanged, this, [bind](WId id) { bind(id); });
}

// ---------------------------------------------------------------------------
// Operations of the call window

void CLayoutPeopleSettingDlg::setEventFilter(QObject *filter)
{
    m_pEventFilter = filter;
    if (!filter)
        return;
    installEventFilter(filter);
    m_pLayoutCover->installEventFilter(filter);
    m_pToolbarDlg->installEventFilter(filter);
    m_pAudioWidget->installEventFilter(filter);
    m_pFloatingCellsDlg->installEventFilter(filter);
}

void CLayoutPeopleSettingDlg::setRemoteVideoWindows()
{
    if (sdk())
        callController()->setRemoteVideoWindow(m_pRemoteVideoCell->getVideoWindowId());
}

void CLayoutPeopleSettingDlg::onParentMoved(int x, int y)
{
    m_iParentX = x;
    m_iParentY = y;
    updateAbsoluteOrigin();
    refreshLayoutCellsPos();
    hideToolbarUnlessPopup();
}

void CLayoutPeopleSettingDlg::onParentResized(QRect rectParentGeometry)
{
    const int w = qMax(0, rectParentGeometry.width() - 4);
    const int h = qMax(0, rectParentGeometry.height() - m_iTitleBarHeight - 4);
    setFixedSize(w, h);
    qInfo() << RJ_FUNCTION << "rectParentGeometry:" << rectParentGeometry;
    qInfo() << RJ_FUNCTION << "setFixedSize, this size:" << size();
    hideToolbarUnlessPopup();
}

void CLayoutPeopleSettingDlg::onParentMinimized()
{
    m_pFloatingCellsDlg->hide();
}

void CLayoutPeopleSettingDlg::updateLayout()
{
    setUiLayoutMode();
    redrawLayout(m_layoutMode);
}

void CLayoutPeopleSettingDlg::showMediaStatisticsDlg()
{
    if (m_bCompactMode)
        return;
    if (!m_pMediaStatisticsDlg) {
        m_pMediaStatisticsDlg = new CMediaStatisticsDlg(nullptr);
        m_pMediaStatisticsDlg->setParent(m_pToolbarDlg, m_pMediaStatisticsDlg->windowFlags() | Qt::SplashScreen);
        connect(m_pMediaStatisticsDlg, &CMediaStatisticsDlg::sigClose, this,
                &CLayoutPeopleSettingDlg::slotOnMediaStatisticsDlgClosed);
        new CServerPlaceFollower(m_pMediaStatisticsDlg);
    }
    showPlaced(m_pMediaStatisticsDlg, [this] { m_pMediaStatisticsDlg->centerWindowOnScreen(parentWidget()); });
}

void CLayoutPeopleSettingDlg::slotOnMediaStatisticsDlgClosed()
{
    // A closed dialog is made anew on the next request; this one goes.
    if (m_pMediaStatisticsDlg)
        m_pMediaStatisticsDlg->deleteLater();
    m_pMediaStatisticsDlg = nullptr;
}

void CLayoutPeopleSettingDlg::setShareScreenIndex(int index)
{
    qInfo() << RJ_FUNCTION << index;
    m_iShareScreenIndex = index;
}

QWidget *CLayoutPeopleSettingDlg::getScreenDrawing() const
{
    return m_wbWidget.data();
}

CPromptWidget *CLayoutPeopleSettingDlg::getPromptWidget() const
{
    return m_pPromptWidget;
}

CMediaStatisticsDlg *CLayoutPeopleSettingDlg::getMediaStatisticsDlg() const
{
    return m_pMediaStatisticsDlg;
}

WhiteBoardDlg *CLayoutPeopleSettingDlg::getWhiteBoardDlg() const
{
    return m_whiteBoardDlg;
}

WhiteBoardDlg *CLayoutPeopleSettingDlg::getWhiteBoardDlgForLayout() const
{
    return m_whiteBoardDlgForLayout;
}

CbackgroundWidget *CLayoutPeopleSettingDlg::getBackgroundWidget() const
{
    return m_bgWidget;
}

void CLayoutPeopleSettingDlg::setClock(Clock clock)
{
    m_clock = std::move(clock);
}

void CLayoutPeopleSettingDlg::setActiveMainDlgFunc(ActiveMainDlgFunc func)
{
    m_activeMainDlgFunc = std::move(func);
}

void CLayoutPeopleSettingDlg::setHideToolbarIntervalMs(int intervalMs)
{
    m_pHideToolbarTimer->setInterval(intervalMs);
}

QDateTime CLayoutPeopleSettingDlg::now() const
{
    return m_clock ? m_clock() : QDateTime::currentDateTime();
}

bool CLayoutPeopleSettingDlg::isParentMinimized() const
{
    return parentWidget() && parentWidget()->isMinimized();
}

bool CLayoutPeopleSettingDlg::isConnected() const
{
    return callController()->getCallStatus() == enums::ConfConnected;
}

// ---------------------------------------------------------------------------
// Modes and geometry

void CLayoutPeopleSettingDlg::setUiLayoutMode()
{
    CCallController *call = callController();
    layout::ModeInputs in;
    in.audioOnly = call->getCallInfo().isAudioOnly;
    in.contentStatus = call->getContentStreamStatus();
    in.separateContentWindow = m_bSeperateWindow4RemoteContent;
    in.hasWhiteBoardToken = !call->getAcsJsonWebToken().isEmpty();
    in.currentMode = m_layoutMode;
    const enums::LayoutModeType mode = layout::chooseLayoutMode(in);
    if (mode == enums::LayoutMode_RemoteWhiteBoardOnly && m_layoutMode != enums::LayoutMode_RemoteWhiteBoardOnly)
        prepareWhiteBoardDlgForLayout();
    if (mode == enums::LayoutMode_NormalPeople)
        qInfo() << RJ_FUNCTION << "m_layoutMode:" << int(mode);
    m_layoutMode = mode;
    qInfo() << RJ_FUNCTION << "m_layoutMode is set to:" << int(m_layoutMode);
    m_pToolbarDlg->setLayoutMode(m_layoutMode);
}

void CLayoutPeopleSettingDlg::prepareWhiteBoardDlgForLayout()
{
    if (!m_whiteBoardDlgForLayout) {
        m_whiteBoardDlgForLayout = new WhiteBoardDlg(nullptr);
        connect(m_whiteBoardDlgForLayout, &WhiteBoardDlg::sigRefreshStatus, this,
                &CLayoutPeopleSettingDlg::slotOnJudgeMicAndCameraStatus);
        connect(m_whiteBoardDlgForLayout, &WhiteBoardDlg::sigClickManagerButton, this,
                &CLayoutPeopleSettingDlg::slotOnOpenManagerWindow);
        connect(m_whiteBoardDlgForLayout, &WhiteBoardDlg::sigMouseMove4PaintList, this,
                &CLayoutPeopleSettingDlg::slotOnMouseMove4WhiteBoardDlgForLayoutPaintList);
    }
    // Owned by the cell, not by its video widget: the cell replaces that
    // widget whenever its native window is made anew.
    if (m_whiteBoardDlgForLayout->parentWidget() != m_pRemoteWhiteBoardCell)
        m_whiteBoardDlgForLayout->setParent(m_pRemoteWhiteBoardCell, kOwnedWindow);
    m_whiteBoardDlgForLayout->isSendWhiteBoard(false);
    m_whiteBoardDlgForLayout->updateWebPage();
    m_whiteBoardDlgForLayout->m_bIsSeperateDlg = false;
    m_whiteBoardDlgForLayout->hideTitleBar();
}

void CLayoutPeopleSettingDlg::calculateLayoutSize(int layoutMode)
{
    m_layoutSize = layout::calculateLayoutSize(layoutMode, width(), height());
    if (m_layoutSize.widenedToPeopleCells)
        qInfo() << RJ_FUNCTION
                << "PREFERRED_CONTENT_MODE width is less than m_iPeopleWidthOfPreferredContent * 5";
    if (m_layoutSize.narrowedToDialog)
        qInfo() << RJ_FUNCTION << "PREFERRED_CONTENT_MODE width is larger than this->width";
    qInfo() << RJ_FUNCTION << "m_iLayoutWidth:" << m_layoutSize.layoutWidth
            << "m_iLayoutHeight:" << m_layoutSize.layoutHeight
            << "m_iLayoutRelativeX:" << m_layoutSize.relativeX
            << "m_iLayoutRelativeY:" << m_layoutSize.relativeY;
    updateAbsoluteOrigin();
}

void CLayoutPeopleSettingDlg::updateAbsoluteOrigin()
{
    m_iLayoutAbsoluteX = m_layoutSize.relativeX + m_iParentX + 2;
    m_iLayoutAbsoluteY = m_layoutSize.relativeY + m_iParentY + m_iTitleBarHeight + 2;
}

void CLayoutPeopleSettingDlg::placeCell(CLayoutCellDlg *cell, int x, int y, int w, int h)
{
    if (!cell)
        return;
    if (cell->parentWidget() != this)
        cell->setOwner(this, kOwnedWindow);
    if (m_bCompactMode)
        cell->setTopWindowFlags(isVisible());
    cell->setDragEnabled(false);
    cell->setCoverParent(m_pLayoutCover);
    cell->setFixedSize(w, h);
    cell->setRelativePos(x, y);
    cell->moveToOrigin(m_iLayoutAbsoluteX, m_iLayoutAbsoluteY);
    cell->setBorderColor(QString());
    // Shown once in place, so it never flashes where it stood before; not
    // over a call window that is away.
    if (!cell->isVisible() && isVisible())
        cell->show();
}

void CLayoutPeopleSettingDlg::placeWhiteBoardDlgForLayout()
{
    if (!m_whiteBoardDlgForLayout)
        return;
    QWidget *video = m_pRemoteWhiteBoardCell->getVideoWidget();
    if (!video)
        return;
    m_whiteBoardDlgForLayout->resize(video->size());
    m_whiteBoardDlgForLayout->move(video->mapToGlobal(QPoint(0, 0)));
}

void CLayoutPeopleSettingDlg::redrawLayout(int layoutMode)
{
    qInfo() << RJ_FUNCTION << "layoutMode:" << layoutMode;
    if (layoutMode != enums::LayoutMode_AudioOnly) {
        calculateLayoutSize(layoutMode);
        // Back from an audio-only stretch of the call: the panel goes and
        // the toolbar returns over the video.
        if (m_pAudioWidget->isVisible())
            m_pAudioWidget->hide();
        if (m_pToolbarDlg->parentWidget() == m_pAudioWidget) {
            m_pToolbarDlg->hide();
            m_pToolbarDlg->setParent(m_pLayoutCover, kOwnedWindow);
            m_pToolbarDlg->setAudioOnlyMode(false);
        }
    }
    switch (layoutMode) {
    case enums::LayoutMode_NormalPeople:
        drawLayout4NormalPeopleMode();
        break;
    case enums::LayoutMode_RemotePreferredContent:
    case enums::LayoutMode_RemotePreferredWhiteBoard:
        drawTiledLayout(layoutMode);
        break;
    case enums::LayoutMode_RemoteContentOnly:
    case enums::LayoutMode_RemoteWhiteBoardOnly:
    case enums::LayoutMode_LocalContent:
    case enums::LayoutMode_LocalWhiteBoard:
        drawFloatingPeopleLayout(layoutMode);
        break;
    case enums::LayoutMode_AudioOnly:
        drawLayoutAudioOnlyMode();
        break;
    default:
        break;
    }
    if (layoutMode <= enums::LayoutMode_RemoteWhiteBoardOnly || layoutMode > enums::LayoutMode_AudioOnly) {
        // The cover catches the mouse over the video; over nothing it would
        // swallow clicks meant for other windows.
        if (!m_pLayoutCover->isVisible() && isVisible()) {
            m_pLayoutCover->show();
            // Only a prompt of the video comes back with it; one that was
            // over a share that ended stays away.
            if (m_pPromptWidget && m_pPromptWidget->parentWidget() == m_pLayoutCover)
                m_pPromptWidget->showIfActive();
        }
        m_pLayoutCover->raise();
        m_pToolbarDlg->raise();
    }
    // The strip stays above the mouse cover, or its buttons are out of reach.
    m_pFloatingCellsDlg->raiseWithContents();
    raiseWindowsOverTheLayout();
    updateShowPicButton();
    qInfo() << RJ_FUNCTION << "done";
}

void CLayoutPeopleSettingDlg::updateShowPicButton()
{
    const bool tiled = layout::isTiledMode(m_layoutMode);
    m_pToolbarDlg->setShowPicButtonVisible(!tiled && m_pFloatingCellsDlg->getHideFlag());
}

void CLayoutPeopleSettingDlg::drawLayout4NormalPeopleMode()
{
    setLocalVideo2FloatingAndShow(m_pToolbarDlg);
    m_pFloatingCellsDlg->clearRemoteVideoCells();
    placeCell(m_pRemoteVideoCell, 0, 0, m_layoutSize.layoutWidth, m_layoutSize.layoutHeight);
}

void CLayoutPeopleSettingDlg::drawTiledLayout(int layoutMode)
{
    m_pFloatingCellsDlg->clearLocalVideoCell();
    m_pFloatingCellsDlg->hide();
    m_pFloatingCellsDlg->clearRemoteVideoCells();
    const layout::LayoutSize &s = m_layoutSize;
    const int contentX = (s.layoutWidth - s.contentWidth) / 2;
    if (layoutMode == enums::LayoutMode_RemotePreferredContent) {
        placeCell(m_pRemoteContentCell, contentX, 0, s.contentWidth, s.contentHeight);
    } else {
        placeCell(m_pRemoteWhiteBoardCell, contentX, 0, s.contentWidth, s.contentHeight);
        if (isVisible()) {
            m_pToolbarDlg->closeSelectShareContentForm();
            if (m_whiteBoardDlgForLayout) {
                m_whiteBoardDlgForLayout->show();
                placeWhiteBoardDlgForLayout();
            }
        }
        m_pRemoteWhiteBoardCell->setBorderColor(QLatin1String(kWhiteBoardCellBorder));
    }
    const int x0 = (s.layoutWidth - 2 * s.peopleWidth) / 2;
    placeCell(m_pLocalVideoCell, x0, s.contentHeight, s.peopleWidth, s.peopleHeight);
    placeCell(m_pRemoteVideoCell, x0 + s.peopleWidth, s.contentHeight, s.peopleWidth, s.peopleHeight);
}

void CLayoutPeopleSettingDlg::drawFloatingPeopleLayout(int layoutMode)
{
    const layout::LayoutSize &s = m_layoutSize;
    switch (layoutMode) {
    case enums::LayoutMode_RemoteContentOnly:
        setLocalVideo2FloatingAndShow(m_pToolbarDlg);
        placeCell(m_pRemoteContentCell, 0, 0, s.layoutWidth, s.layoutHeight);
        break;
    case enums::LayoutMode_RemoteWhiteBoardOnly:
        setLocalVideo2FloatingAndShow(m_pToolbarDlg);
        placeCell(m_pRemoteWhiteBoardCell, 0, 0, s.layoutWidth, s.layoutHeight);
        if (isVisible() && m_whiteBoardDlgForLayout) {
            if (!m_whiteBoardDlgForLayout->isVisible()) {
                m_pToolbarDlg->closeSelectShareContentForm();
                m_whiteBoardDlgForLayout->show();
            }
            placeWhiteBoardDlgForLayout();
        }
        break;
    default:
        setLocalVideo2FloatingAndShow(nullptr);
        break;
    }
    m_pRemoteVideoCell->show();
    m_pRemoteVideoCell->setBorderColor(QString());
    m_pFloatingCellsDlg->setRemoteVideoCells({m_pRemoteVideoCell});
}

void CLayoutPeopleSettingDlg::drawLayoutAudioOnlyMode()
{
    m_pFloatingCellsDlg->hide();
    // Nothing of the video stays over or beside the panel.
    for (CLayoutCellDlg *cell : {m_pRemoteVideoCell, m_pLocalVideoCell, m_pRemoteContentCell,
                                 m_pRemoteWhiteBoardCell}) {
        if (cell && cell->parentWidget() == this)
            cell->hide();
    }
    if (m_whiteBoardDlgForLayout)
        m_whiteBoardDlgForLayout->hide();
    m_pAudioWidget->resize(size());
    m_pAudioWidget->move(m_iParentX + 2, m_iParentY + m_iTitleBarHeight + 2);
    if (isVisible())
        m_pAudioWidget->show();
    if (m_pToolbarDlg->parentWidget() != m_pAudioWidget)
        m_pToolbarDlg->setParent(m_pAudioWidget, kOwnedWindow);
    m_pToolbarDlg->setAudioOnlyMode(true);
    m_pToolbarDlg->hide();
}

void CLayoutPeopleSettingDlg::setLocalVideo2FloatingAndShow(QWidget *pFloatingParent)
{
    qInfo() << RJ_FUNCTION << "pFloatingParent:" << pFloatingParent;
    QWidget *owner = parentWidget();
    if (pFloatingParent) {
        if (!isVisible() && owner && owner->isVisible() && !owner->isMinimized())
            show();
    } else if (isVisible()) {
        hide();
    }
    m_pFloatingCellsDlg->setLocalVideoCell(m_pLocalVideoCell);
    if (m_pFloatingCellsDlg->parentWidget() != pFloatingParent) {
        if (pFloatingParent) {
            qInfo() << RJ_FUNCTION << "set m_pFloatingCellsDlg parent:" << pFloatingParent;
            m_pFloatingCellsDlg->setNonTopWindow();
            m_pFloatingCellsDlg->setParent(pFloatingParent, kOwnedWindow);
        } else {
            qInfo() << RJ_FUNCTION << "set m_pFloatingCellsDlg FramelessWindowHint";
            m_pFloatingCellsDlg->setParent(nullptr, Qt::Tool | Qt::FramelessWindowHint);
            m_pFloatingCellsDlg->setTopWindow();
        }
    }
    if (callController()->getCallTypes() == 2) {
        qInfo() << RJ_FUNCTION << "P2P and hide m_pFloatingCellsDlg";
        m_pFloatingCellsDlg->hide();
    } else if (isParentMinimized()) {
        qInfo() << RJ_FUNCTION << "Do not show m_pFloatingCellsDlg for parent minimized";
    } else if (!m_pFloatingCellsDlg->getHideFlag()) {
        qInfo() << RJ_FUNCTION << "show m_pFloatingCellsDlg";
        m_pFloatingCellsDlg->show();
    } else {
        qInfo() << RJ_FUNCTION << "not show m_pFloatingCellsDlg for hide";
    }
    if (m_bFirstFloatingShow) {
        m_bFirstFloatingShow = false;
        initFloatingDlgPos();
    }
}

void CLayoutPeopleSettingDlg::initFloatingDlgPos()
{
    const QPoint g = mapToGlobal(QPoint(0, 0));
    qInfo() << RJ_FUNCTION << "this position" << g;
    const int stripWidth = m_pFloatingCellsDlg->width();
    const int stripHeight = m_pFloatingCellsDlg->height();
    int x = int(g.x() + width() - stripWidth * 1.5);
    int y = g.y() + 50;
    qInfo() << RJ_FUNCTION << "Prepare to set floating dialog to:" << x << y;
    QScreen *screen = QGuiApplication::screenAt(g + QPoint(width() / 2, height() / 2));
    if (!screen) {
        qWarning() << RJ_FUNCTION << "pScreen is null. the pos is not valid.";
        return;
    }
    const QRect area = screen->geometry();
    qInfo() << RJ_FUNCTION << "Current screen geometry:" << area;
    if (x < area.x() || x > area.x() + area.width() - stripWidth)
        x = int(area.width() + area.x() - stripWidth * 1.5);
    if (y < area.y() || y > area.y() + area.height() - stripHeight)
        y = area.y() + 50;
    qInfo() << RJ_FUNCTION << "set m_pFloatingCellsDlg position:" << x << y;
    m_pFloatingCellsDlg->move(x, y);
}

void CLayoutPeopleSettingDlg::slotOnChangeLayoutMode(rj_app::enums::LayoutModeType layoutMode)
{
    qInfo() << RJ_FUNCTION << "layoutMode:" << int(layoutMode);
    if (layoutMode == m_layoutMode) {
        qInfo() << RJ_FUNCTION << "m_layoutMode already is:" << int(m_layoutMode);
        return;
    }
    if (layoutMode < enums::LayoutMode_RemotePreferredContent
        || layoutMode > enums::LayoutMode_RemoteWhiteBoardOnly)
        return;
    m_layoutMode = layoutMode;
    m_pToolbarDlg->setLayoutMode(m_layoutMode);
    redrawLayout(m_layoutMode);
}

void CLayoutPeopleSettingDlg::slotOnCellMouseDoubleClick(QWidget *sender, QMouseEvent *event)
{
    Q_UNUSED(event)
    if (m_bCompactMode || m_pFloatingCellsDlg->isOwnCell(sender))
        return;
    if (sender && sender == m_pRemoteContentCell
        && m_layoutMode == enums::LayoutMode_RemotePreferredContent) {
        m_layoutMode = enums::LayoutMode_RemoteContentOnly;
        m_pToolbarDlg->setLayoutMode(m_layoutMode);
    }
    emit sigSwitchFullScreen();
}

// ---------------------------------------------------------------------------
// Video binding and call status

void CLayoutPeopleSettingDlg::bindLocalVideoWindow()
{
    if (sdk())
        callController()->setLocalVideoWindow(m_pLocalVideoCell->getVideoWindowId());
}

CLayoutCellDlg *CLayoutPeopleSettingDlg::ensureRemoteContentCell()
{
    if (m_pRemoteContentCell)
        return m_pRemoteContentCell;
    m_pRemoteContentCell = new CLayoutCellDlg(nullptr);
    m_pRemoteContentCell->setCellType(1);
    m_pRemoteContentCell->setOwner(this, kOwnedWindow);
    connectCellMouse(m_pRemoteContentCell, true);
    watchVideoWindow(m_pRemoteContentCell, [this](WId id) {
        if (!m_bSeperateWindow4RemoteContent && sdk())
            callController()->setRemoteContentWindow(id);
    });
    return m_pRemoteContentCell;
}

void CLayoutPeopleSettingDlg::setRemoteContentWindow()
{
    m_bSeperateWindow4RemoteContent = CUserConfigUtils::getInstance()->getOpenNewWinInContentStream();
    qInfo() << RJ_FUNCTION << ", m_bSeperateWindow4RemoteContent:" << m_bSeperateWindow4RemoteContent;
    if (!sdk())
        return;
    if (m_bSeperateWindow4RemoteContent) {
        if (!m_pRemoteContentDlg) {
            m_pRemoteContentDlg = new CRemoteContentDlg(nullptr);
            if (m_pEventFilter)
                m_pRemoteContentDlg->installEventFilter(m_pEventFilter);
        }
        callController()->setRemoteContentWindow(m_pRemoteContentDlg->getContentWindowId());
    } else {
        callController()->setRemoteContentWindow(ensureRemoteContentCell()->getVideoWindowId());
    }
}

void CLayoutPeopleSettingDlg::slogOnSettingWinClosed()
{
    activateWindow();
    const enums::CallStatus status = callController()->getCallStatus();
    if (status != enums::ConfConnected) {
        qInfo() << RJ_FUNCTION << "Invalid call status:" << int(status);
        return;
    }
    bindLocalVideoWindow();
}

void CLayoutPeopleSettingDlg::slotOnCallStateChanged()
{
    if (callController()->getCallStatus() == enums::ConfConnected)
        slotOnCallStatusChanged(enums::ConfConnected);
}

void CLayoutPeopleSettingDlg::slotOnCallStatusChanged(rj_app::enums::CallStatus callStatus)
{
    qInfo() << RJ_FUNCTION << "callStatus:" << int(callStatus);
    CCallController *call = callController();
    if (CCallController::isInCall(callStatus) && callStatus != enums::ConfConnected)
        bindLocalVideoWindow();

    if (callStatus == enums::ConfConnected) {
        const bool audioOnly = call->getCallInfo().isAudioOnly;
        qInfo() << RJ_FUNCTION << "Call connected, isAudioOnly:" << audioOnly;
        // The choice of a separate content window is the one of this call.
        if (!audioOnly)
            m_bSeperateWindow4RemoteContent = CUserConfigUtils::getInstance()->getOpenNewWinInContentStream();
        setUiLayoutMode();
        if (m_layoutMode != enums::LayoutMode_AudioOnly) {
            setRemoteContentWindow();
            if (CRJSdkManager *manager = sdk())
                m_pLocalVideoCell->setSiteName(manager->getDisplayName().c_str());
            m_pToolbarDlg->setAudioOnlyMode(false);
        }
        // A participant the host muted finds "More" to ask to speak.
        setIsLocalRemoteMuted(call->getCallInfo().isRemoteMuted);
        if (!isParentMinimized())
            redrawLayout(m_layoutMode);
        qInfo() << RJ_FUNCTION << "done";
        return;
    }

    closeCallAlerts();
    if (m_pMediaStatisticsDlg)
        m_pMediaStatisticsDlg->hide();
    if (m_pRemoteContentDlg)
        m_pRemoteContentDlg->hide();
    hideWhiteBoardDlg();
    hideWhiteBoardDlgForLayout();
    closeScreenDrawing();
    // A prompt of the call that left must not come back with the next one.
    if (m_pPromptWidget)
        m_pPromptWidget->slot_Timer();

    if (callStatus == enums::ConfEnded) {
        qInfo() << RJ_FUNCTION << "Call ended and reset the value to initial status";
        m_pLocalVideoCell->setIsMuted(false);
        m_pLocalVideoCell->hide();
        m_pFloatingCellsDlg->hide();
        hideToolbarUnlessPopup();
        m_pRemoteVideoCell->hide();
        m_pLayoutCover->hide();
        if (m_pRemoteContentCell)
            m_pRemoteContentCell->hide();
        m_pRemoteWhiteBoardCell->hide();
        m_pAudioWidget->hide();
        setIsLocalRemoteMuted(false);
        m_bFirstFloatingShow = true;
        m_pToolbarDlg->setShowPicButtonVisible(false);
        m_pFloatingCellsDlg->clearHideFlag();
    }
    qInfo() << RJ_FUNCTION << "done";
}

// ---------------------------------------------------------------------------
// Toolbar, microphone and compact mode

void CLayoutPeopleSettingDlg::hideToolbarUnlessPopup()
{
    if (m_pToolbarDlg->isVisible() && !m_pToolbarDlg->isAnyPopupVisible()) {
        m_pToolbarDlg->hide();
        m_pHideToolbarTimer->stop();
    }
}

void CLayoutPeopleSettingDlg::showToolbar()
{
    if (m_bCompactMode)
        return;
    if (!m_pToolbarDlg->isVisible()) {
        qInfo() << RJ_FUNCTION << "show toolbar";
        m_pToolbarDlg->resize(width() + 2, m_pToolbarDlg->height());
        m_pToolbarDlg->move(m_iParentX, m_iParentY + y() + height() - m_pToolbarDlg->height());
        m_pToolbarDlg->show();
        // The first show at a new scale grows the toolbar: keep its bottom
        // edge on the video's.
        m_pToolbarDlg->move(m_iParentX, m_iParentY + y() + height() - m_pToolbarDlg->height());
        m_pToolbarDlg->raise();
    }
    m_pHideToolbarTimer->start();
}

void CLayoutPeopleSettingDlg::slotOnTimerHideToolbar()
{
    hideToolbarUnlessPopup();
}

void CLayoutPeopleSettingDlg::slotOnCellCoverMouseMove(QMouseEvent *event)
{
    if (m_layoutMode == enums::LayoutMode_LocalContent || m_layoutMode == enums::LayoutMode_LocalWhiteBoard)
        return;
    const QDateTime current = now();
    const qint64 elapsed = m_lastCoverMouseMoveTime.msecsTo(current);
    const QPoint global = event ? event->globalPos() : QPoint();
    if (elapsed >= 0 && elapsed < kCoverMoveGapMs) {
        if (m_bCoverMouseMoved) {
            showToolbar();
        } else {
            const double dx = double(global.x()) - m_ptCoverMouseAnchor.x();
            const double dy = double(global.y()) - m_ptCoverMouseAnchor.y();
            if (dx * dx + dy * dy > kCoverMoveDistance2) {
                m_bCoverMouseMoved = true;
                showToolbar();
            }
        }
    } else {
        // After a pause a movement begins here.
        m_ptCoverMouseAnchor = global;
        m_bCoverMouseMoved = false;
    }
    m_lastCoverMouseMoveTime = current;
}

void CLayoutPeopleSettingDlg::slotOnCellCoverMousePress(QMouseEvent *event)
{
    Q_UNUSED(event)
    if (m_layoutMode == enums::LayoutMode_LocalContent || m_layoutMode == enums::LayoutMode_LocalWhiteBoard)
        return;
    if (m_pToolbarDlg->isVisible()) {
        hideToolbarUnlessPopup();
        if (m_pToolbarDlg->isVisible())
            m_pToolbarDlg->activateWindow();
    } else {
        showToolbar();
    }
}

void CLayoutPeopleSettingDlg::slotOnIsLocalMicEnabled(bool isLocalMicEnabled)
{
    qInfo() << RJ_FUNCTION << "isLocalMicEnabled:" << isLocalMicEnabled;
    m_pLocalVideoCell->setIsMuted(!isLocalMicEnabled);
    m_pAudioWidget->setMicEnabled(isLocalMicEnabled);
}

void CLayoutPeopleSettingDlg::setIsLocalRemoteMuted(bool bIsLocalRemoteMuted)
{
    qInfo() << RJ_FUNCTION << "bIsLocalRemoteMuted:" << bIsLocalRemoteMuted
            << ", m_bIsLocalRemoteMuted:" << m_bIsLocalRemoteMuted;
    m_bIsLocalRemoteMuted = bIsLocalRemoteMuted;
    m_pToolbarDlg->updateMoreModeVisibility(bIsLocalRemoteMuted);
}

void CLayoutPeopleSettingDlg::setCompactMode(bool compact)
{
    qInfo() << RJ_FUNCTION << compact;
    m_bCompactMode = compact;
    if (!compact) {
        m_pRemoteVideoCell->setNormalWindowFlags();
        if (m_pRemoteContentCell)
            m_pRemoteContentCell->setNormalWindowFlags();
        return;
    }
    if (m_pPromptWidget)
        m_pPromptWidget->hideIfActive();
    m_pToolbarDlg->closeWindows();
    m_pToolbarDlg->hide();
    m_pHideToolbarTimer->stop();
    m_pFloatingCellsDlg->setHide();
    if (callController()->getContentStreamStatus() == enums::ContentStreamStatus_ReceivingContentStarted
        && !m_bSeperateWindow4RemoteContent) {
        m_pToolbarDlg->setLayoutMode(enums::LayoutMode_RemoteContentOnly);
        redrawLayout(enums::LayoutMode_RemoteContentOnly);
        slotOnChangeLayoutMode(enums::LayoutMode_RemoteContentOnly);
        if (m_pRemoteContentCell) {
            m_pRemoteContentCell->setTopWindowFlags(true);
            m_pRemoteContentCell->show();
        }
    } else {
        m_pRemoteVideoCell->setTopWindowFlags(true);
        m_pRemoteVideoCell->show();
    }
}

// The host's unmute question and the no-microphone alert belong to the call
// that left; closed, the question counts as No.
void CLayoutPeopleSettingDlg::closeCallAlerts()
{
    const QList<QWidget *> parents = {m_pLayoutCover, m_bgWidget.data(), m_whiteBoardDlg.data()};
    for (QWidget *parent : parents) {
        if (!parent)
            continue;
        const QList<AlertDlg *> boxes = parent->findChildren<AlertDlg *>(QString(), Qt::FindDirectChildrenOnly);
        for (AlertDlg *box : boxes)
            box->close();
    }
}

void CLayoutPeopleSettingDlg::raiseOverCallWindow()
{
    for (CLayoutCellDlg *cell : {m_pRemoteVideoCell, m_pRemoteContentCell, m_pRemoteWhiteBoardCell}) {
        if (cell && cell->isVisible() && cell->parentWidget() == this)
            cell->raiseWithCover();
    }
    for (QWidget *window : {static_cast<QWidget *>(m_pLayoutCover), static_cast<QWidget *>(m_pToolbarDlg)}) {
        if (window->isVisible())
            window->raise();
    }
    m_pFloatingCellsDlg->raiseWithContents();
    raiseWindowsOverTheLayout();
}

// What opens over the call (questions, popups, the share chooser, the
// statistics, the conference control, prompts) stays above the layout's own
// windows whenever those are raised; a question above all.
void CLayoutPeopleSettingDlg::raiseWindowsOverTheLayout()
{
    QWidget *callWindow = COutermostOwner::outermostOf(this);
    const auto isLayoutPiece = [this](QWidget *w) {
        return w == this || w == m_whiteBoardDlgForLayout || qobject_cast<CLayoutCellDlg *>(w)
               || qobject_cast<CLayoutCellCoverDlg *>(w) || qobject_cast<CLayoutCoverDlg *>(w)
               || qobject_cast<CLayoutToolbarDlg *>(w) || qobject_cast<CLayoutFloatingCellsDlg *>(w)
               || qobject_cast<CAudioModeWidget *>(w);
    };
    QList<QWidget *> plain;
    QList<QWidget *> modal;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w == callWindow || !w->isVisible() || isLayoutPiece(w) || COutermostOwner::outermostOf(w) != callWindow)
            continue;
        (w->isModal() ? modal : plain).append(w);
    }
    for (QWidget *w : plain + modal)
        w->raise();
}

// ---------------------------------------------------------------------------
// Events

bool CLayoutPeopleSettingDlg::eventFilter(QObject *watched, QEvent *event)
{
    // Compact and full screen exclude each other.
    if (watched == m_pLayoutCover && event->type() == QEvent::MouseButtonDblClick && !m_bCompactMode)
        emit sigSwitchFullScreen();
    return CBaseDlg::eventFilter(watched, event);
}

void CLayoutPeopleSettingDlg::showEvent(QShowEvent *event)
{
    qInfo() << RJ_FUNCTION << "isVisible:" << isVisible();
    CBaseDlg::showEvent(event);
    if (isConnected() && m_layoutMode != enums::LayoutMode_LocalContent
        && m_layoutMode != enums::LayoutMode_LocalWhiteBoard)
        redrawLayout(m_layoutMode);
}

void CLayoutPeopleSettingDlg::hideEvent(QHideEvent *event)
{
    qInfo() << RJ_FUNCTION;
    CBaseDlg::hideEvent(event);
    m_pToolbarDlg->hide();
    m_pHideToolbarTimer->stop();
    // The cells are windows of their own: they do not go with this dialog
    // by themselves.
    for (CLayoutCellDlg *cell : {m_pRemoteVideoCell, m_pLocalVideoCell, m_pRemoteContentCell,
                                 m_pRemoteWhiteBoardCell}) {
        if (cell && cell->parentWidget() == this)
            cell->hide();
    }
    if (m_whiteBoardDlgForLayout)
        m_whiteBoardDlgForLayout->hide();
    m_pLayoutCover->hide();
    if (m_pPromptWidget)
        m_pPromptWidget->hideIfActive();
    if (!isConnected()) {
        qInfo() << RJ_FUNCTION << "not connected, m_pFloatingCellsDlg->isVisible:"
                << m_pFloatingCellsDlg->isVisible();
        if (m_pFloatingCellsDlg->isVisible())
            m_pFloatingCellsDlg->hide();
    }
}

void CLayoutPeopleSettingDlg::resizeEvent(QResizeEvent *event)
{
    CBaseDlg::resizeEvent(event);
    onSizeChanged();
}

void CLayoutPeopleSettingDlg::onSizeChanged()
{
    qInfo() << RJ_FUNCTION << "size:" << size();
    m_pLayoutCover->resize(size());
    qInfo() << RJ_FUNCTION << "m_pAudioWidget width:" << m_pAudioWidget->width()
            << "height:" << m_pAudioWidget->height();
    if (isConnected())
        redrawLayout(m_layoutMode);
    if (m_pPromptWidget && m_pPromptWidget->parentWidget() == m_pLayoutCover)
        m_pPromptWidget->updatePosition();
    if (m_pAudioWidget->isVisible())
        m_pAudioWidget->resize(size());
}

void CLayoutPeopleSettingDlg::refreshLayoutCellsPos()
{
    qDebug() << RJ_FUNCTION;
    if (m_pRemoteVideoCell->isVisible() && m_pRemoteVideoCell->parentWidget() == this)
        m_pRemoteVideoCell->moveToOrigin(m_iLayoutAbsoluteX, m_iLayoutAbsoluteY);
    if (m_pRemoteContentCell && m_pRemoteContentCell->isVisible())
        m_pRemoteContentCell->moveToOrigin(m_iLayoutAbsoluteX, m_iLayoutAbsoluteY);
    if (m_pRemoteWhiteBoardCell->isVisible()) {
        m_pRemoteWhiteBoardCell->moveToOrigin(m_iLayoutAbsoluteX, m_iLayoutAbsoluteY);
        placeWhiteBoardDlgForLayout();
    }
    if (m_pLocalVideoCell->parentWidget() == this)
        m_pLocalVideoCell->moveToOrigin(m_iLayoutAbsoluteX, m_iLayoutAbsoluteY);
    const QPoint origin(m_iParentX + 2, m_iParentY + m_iTitleBarHeight + 2);
    m_pLayoutCover->move(origin);
    m_pAudioWidget->move(origin);
    if (m_pPromptWidget && m_pPromptWidget->parentWidget() == m_pLayoutCover)
        m_pPromptWidget->updatePosition();
}

} // namespace rj_app::views
