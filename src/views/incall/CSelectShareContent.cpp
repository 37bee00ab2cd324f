#include "views/incall/CSelectShareContent.h"

#include "helpers/CGeneralUtils.h"
#include "helpers/Enums.h"
#include "helpers/LogMacros.h"
#include "models/CCallController.h"
#include "models/CLoginManager.h"
#include "models/CRJSdkManager.h"
#include "views/framework/AlertDlg.h"
#include "views/incall/CArrowWidget.h"
#include "views/incall/CWidgetContentSub.h"
#include "views/incall/CWidgetContents.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDebug>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyleOption>
#include <QVBoxLayout>

using rj_app::models::CCallController;
using rj_app::models::CLoginManager;
using rj_app::models::CRJSdkManager;
using namespace rj_app::enums;

namespace rj_app::views {

namespace {
const QString kStyleFile = QStringLiteral(":/resources/qss/select-share-content.qss");
const char *const kShareScreenIndexMethod = "setShareScreenIndex(int)";

QSpacerItem *hSpacer(int width)
{
    return new QSpacerItem(width, 20, QSizePolicy::Fixed, QSizePolicy::Minimum);
}

QSpacerItem *vSpacer(int height)
{
    return new QSpacerItem(20, height, QSizePolicy::Minimum, QSizePolicy::Fixed);
}

QSpacerItem *hExpanding()
{
    return new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum);
}

QPushButton *helpButton(QWidget *parent, const char *name)
{
    auto *b = new QPushButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setFixedSize(16, 16);
    b->setCursor(Qt::PointingHandCursor);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}
} // namespace

void CSelectShareContent::Form::setupUi(QWidget *form)
{
    form->setObjectName(QStringLiteral("CSelectShareContent"));
    form->setFixedSize(m_iBaseWidth, m_iBaseHeight);
    form->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

    verticalLayout = new QVBoxLayout(form);
    verticalLayout->setSpacing(0);
    verticalLayout->setContentsMargins(1, 1, 1, 1);

    Titlebar = new QFrame(form);
    Titlebar->setObjectName(QStringLiteral("Titlebar"));
    Titlebar->setFrameShape(QFrame::StyledPanel);
    Titlebar->setFrameShadow(QFrame::Raised);
    Titlebar->setFixedHeight(28);
    titleLayout = new QHBoxLayout(Titlebar);
    titleLayout->setSpacing(0);
    titleLayout->setContentsMargins(0, 0, 0, 0);
    titleLayout->addItem(hSpacer(20));
    titleName = new QLabel(Titlebar);
    titleName->setObjectName(QStringLiteral("titleName"));
    titleName->setFixedSize(300, 28);
    titleLayout->addWidget(titleName);
    titleLayout->addItem(hExpanding());
    close = new QPushButton(Titlebar);
    close->setObjectName(QStringLiteral("close"));
    close->setFixedSize(28, 28);
    close->setFocusPolicy(Qt::NoFocus);
    titleLayout->addWidget(close);
    verticalLayout->addWidget(Titlebar);

    verticalLayout->addItem(vSpacer(20));

    scrollArea = new QScrollArea(form);
    scrollArea->setObjectName(QStringLiteral("scrollArea"));
    scrollArea->setFrameShape(QFrame::NoFrame);
    scrollArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollArea->setWidgetResizable(true);
    scrollAreaWidgetContents = new QWidget();
    scrollAreaWidgetContents->setObjectName(QStringLiteral("scrollAreaWidgetContents"));
    scrollAreaWidgetContents->setGeometry(0, 0, 733, 436);
    verticalLayout_2 = new QVBoxLayout(scrollAreaWidgetContents);
    verticalLayout_2->setObjectName(QStringLiteral("verticalLayout_2"));
    verticalLayout_2->setSpacing(0);
    verticalLayout_2->setContentsMargins(0, 0, 0, 0);

    auto *desktopTipsRow = new QHBoxLayout();
    desktopTipsRow->setSpacing(0);
    desktopTipsRow->addItem(hSpacer(20));
    desktoptips = new QLabel(scrollAreaWidgetContents);
    desktoptips->setObjectName(QStringLiteral("desktoptips"));
    desktoptips->setFixedSize(70, 20);
    desktopTipsRow->addWidget(desktoptips);
    desktopTipsRow->addItem(hExpanding());
    verticalLayout_2->addLayout(desktopTipsRow);
    desktopSpacer = vSpacer(12);
    verticalLayout_2->addItem(desktopSpacer);

    auto *desktopRow = new QHBoxLayout();
    desktopRow->setSpacing(0);
    desktopRow->addItem(hSpacer(20));
    desktopwidget = new CWidgetContents(scrollAreaWidgetContents);
    desktopwidget->setObjectName(QStringLiteral("desktopwidget"));
    desktopwidget->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    desktopRow->addWidget(desktopwidget);
    desktopRow->addItem(hSpacer(8));
    verticalLayout_2->addLayout(desktopRow);
    windowGapSpacer = vSpacer(15);
    verticalLayout_2->addItem(windowGapSpacer);

    auto *windowTipsRow = new QHBoxLayout();
    windowTipsRow->setSpacing(0);
    windowTipsRow->addItem(hSpacer(20));
    windowtips = new QLabel(scrollAreaWidgetContents);
    windowtips->setObjectName(QStringLiteral("windowtips"));
    windowtips->setFixedSize(90, 20);
    windowTipsRow->addWidget(windowtips);
    windowTipsRow->addItem(hExpanding());
    verticalLayout_2->addLayout(windowTipsRow);
    windowSpacer = vSpacer(12);
    verticalLayout_2->addItem(windowSpacer);

    auto *windowRow = new QHBoxLayout();
    windowRow->setSpacing(0);
    windowRow->addItem(hSpacer(20));
    windowwidget = new CWidgetContents(scrollAreaWidgetContents);
    windowwidget->setObjectName(QStringLiteral("windowwidget"));
    windowRow->addWidget(windowwidget);
    windowRow->addItem(hSpacer(8));
    verticalLayout_2->addLayout(windowRow);
    verticalLayout_2->addItem(new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding));
    scrollArea->setWidget(scrollAreaWidgetContents);
    verticalLayout->addWidget(scrollArea);

    toolbar = new QFrame(form);
    toolbar->setObjectName(QStringLiteral("toolbar"));
    toolbar->setFrameShape(QFrame::StyledPanel);
    toolbar->setFrameShadow(QFrame::Raised);
    toolbar->setFixedHeight(50);
    horizontalLayout_2 = new QHBoxLayout(toolbar);
    horizontalLayout_2->setObjectName(QStringLiteral("horizontalLayout_2"));
    horizontalLayout_2->setSpacing(0);
    horizontalLayout_2->setContentsMargins(0, 0, 0, 0);
    horizontalLayout_2->addItem(hSpacer(20));
    cBshareSound = new QCheckBox(toolbar);
    cBshareSound->setObjectName(QStringLiteral("cBshareSound"));
    cBshareSound->setFixedHeight(30);
    horizontalLayout_2->addWidget(cBshareSound);
    horizontalLayout_2->addItem(hSpacer(5));
    pBtHelp = helpButton(toolbar, "pBtHelp");
    horizontalLayout_2->addWidget(pBtHelp);
    horizontalLayout_2->addItem(hSpacer(30));
    m_pChkBoxContentHighFPS = new QCheckBox(toolbar);
    m_pChkBoxContentHighFPS->setObjectName(QStringLiteral("m_pChkBoxContentHighFPS"));
    m_pChkBoxContentHighFPS->setFixedHeight(30);
    horizontalLayout_2->addWidget(m_pChkBoxContentHighFPS);
    horizontalLayout_2->addItem(hSpacer(5));
    m_pChkBoxContentHighFPSHelp = helpButton(toolbar, "m_pChkBoxContentHighFPSHelp");
    horizontalLayout_2->addWidget(m_pChkBoxContentHighFPSHelp);
    horizontalLayout_2->addItem(hExpanding());
    pBtShare = new QPushButton(toolbar);
    pBtShare->setObjectName(QStringLiteral("pBtShare"));
    pBtShare->setFixedSize(64, 28);
    pBtShare->setCursor(Qt::PointingHandCursor);
    horizontalLayout_2->addWidget(pBtShare);
    horizontalLayout_2->addItem(hSpacer(20));
    verticalLayout->addWidget(toolbar);

    retranslateUi(form);
}

void CSelectShareContent::Form::retranslateUi(QWidget *form)
{
    form->setWindowTitle(QString());
    titleName->setText(QCoreApplication::translate("CSelectShareContent", "Choose to share content"));
    close->setText(QString());
    desktoptips->setText(QCoreApplication::translate("CSelectShareContent", "desktop"));
    windowtips->setText(QCoreApplication::translate("CSelectShareContent", "appwindow"));
    cBshareSound->setText(QCoreApplication::translate("CSelectShareContent", "Share Computer Sound"));
    pBtHelp->setText(QString());
    m_pChkBoxContentHighFPS->setText(QCoreApplication::translate("CSelectShareContent", "Preferred Fluency"));
    m_pChkBoxContentHighFPSHelp->setText(QString());
    pBtShare->setText(QCoreApplication::translate("CSelectShareContent", "Share"));
}

CSelectShareContent::CSelectShareContent(QWidget *parent)
    : CBaseWgt(parent)
{
    setParent(parent);
    helpers::CGeneralUtils::setStyle(this, kStyleFile);
    m_ui.setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(windowFlags() | Qt::Tool | Qt::FramelessWindowHint);

    connect(m_ui.close, &QPushButton::clicked, this, &QWidget::close);
    for (CWidgetContents *grid : {m_ui.desktopwidget, m_ui.windowwidget}) {
        connect(grid, &CWidgetContents::signal_contentSelected, this, &CSelectShareContent::slot_contentSelected);
        connect(grid, &CWidgetContents::signal_contentShare, this, &CSelectShareContent::on_pBtShare_clicked);
    }
    QMetaObject::connectSlotsByName(this);

    m_ui.pBtHelp->installEventFilter(this);
    m_pSoundTip = new CArrowWidget(this);
    m_pSoundTip->installEventFilter(this);
    m_pSoundTip->setText(tr("Other participants will be able to hear the audio being played on your computer"));
    m_pSoundTip->hide();
    m_ui.m_pChkBoxContentHighFPSHelp->installEventFilter(this);
    m_pFluencyTip = new CArrowWidget(this);
    m_pFluencyTip->installEventFilter(this);
    m_pFluencyTip->setText(tr("Ensure shared content fluency first"));
    m_pFluencyTip->hide();
}

CSelectShareContent::~CSelectShareContent()
{
    for (CArrowWidget **tip : {&m_pSoundTip, &m_pFluencyTip}) {
        if (*tip) {
            (*tip)->removeEventFilter(this);
            (*tip)->setParent(nullptr);
            delete *tip;
            *tip = nullptr;
        }
    }
}

void CSelectShareContent::setContentSourceList(std::vector<rj::engine::RJContentSourceInfo> list)
{
    qInfo() << RJ_FUNCTION << __LINE__ << "size:" << list.size();
    m_ui.desktopwidget->setContentSourceList(list, 0);
    if (CLoginManager::getInstance()->m_loginStatus != AnonymousLoggedIn)
        m_ui.desktopwidget->addWhiteBoardTile();
    m_ui.desktopwidget->loadPreviews();
    m_ui.windowtips->hide();
    m_ui.windowwidget->hide();
    m_ui.desktopwidget->setCurrentIndex(0);
    updateScrollContentsHeight();
}

void CSelectShareContent::updateScrollContentsHeight()
{
    const int height = m_ui.windowGapSpacer->sizeHint().height() + m_ui.desktopSpacer->sizeHint().height()
                       + m_ui.windowSpacer->sizeHint().height() + m_ui.windowwidget->height()
                       + m_ui.windowtips->height() + m_ui.desktopwidget->height() + m_ui.desktoptips->height();
    m_ui.scrollAreaWidgetContents->setMinimumHeight(height);
}

void CSelectShareContent::setShareAudioChecked(bool checked)
{
    m_ui.cBshareSound->setChecked(checked);
}

void CSelectShareContent::setHighFpsChecked(bool checked)
{
    m_ui.m_pChkBoxContentHighFPS->setChecked(checked);
}

void CSelectShareContent::stopCurrentContent()
{
    CCallController *call = CCallController::getInstance();
    CRJSdkManager *sdk = CRJSdkManager::getInstance();
    const ContentStreamStatus status = call->getContentStreamStatus();
    qInfo() << RJ_FUNCTION << __LINE__ << "getContentStreamStatus:" << status;
    if (!sdk)
        return;
    if (status == ContentStreamStatus_SendingContentStarted || status == ContentStreamStatus_SendingWhiteBoardStarted) {
        sdk->stopContent();
        call->setContentStreamStatus(ContentStreamStatus_None, std::string(), 0);
    }
    sdk->setLocalContentWindow(0, 0);
}

void CSelectShareContent::slot_contentSelected()
{
    QObject *from = sender();
    qInfo() << RJ_FUNCTION << __LINE__ << "sender:" << from;
    if (!from)
        return;
    if (from == m_ui.desktopwidget)
        m_ui.windowwidget->setSelectedTile(nullptr, false);
    else if (from == m_ui.windowwidget)
        m_ui.desktopwidget->setSelectedTile(nullptr, false);

    CWidgetContentSub *tile = m_ui.desktopwidget->selectedTile();
    const bool whiteBoard = tile && tile->isWhiteBoard();
    if (whiteBoard) {
        qInfo() << RJ_FUNCTION << __LINE__ << "whiteboard selected";
        m_ui.cBshareSound->setChecked(false);
        m_ui.m_pChkBoxContentHighFPS->setChecked(false);
    } else {
        qInfo() << RJ_FUNCTION << __LINE__ << "non whiteboard selected";
    }
    m_ui.cBshareSound->setEnabled(!whiteBoard);
    m_ui.m_pChkBoxContentHighFPS->setEnabled(!whiteBoard);
}

QObject *CSelectShareContent::layoutEngine() const
{
    QWidget *owner = parentWidget();
    return owner ? owner->parentWidget() : nullptr;
}

void CSelectShareContent::setShareScreenIndex(QObject *engine, int index)
{
    if (engine->metaObject()->indexOfMethod(kShareScreenIndexMethod) < 0) {
        qWarning() << RJ_FUNCTION << __LINE__ << engine << "has no" << kShareScreenIndexMethod;
        return;
    }
    QMetaObject::invokeMethod(engine, "setShareScreenIndex", Qt::DirectConnection, Q_ARG(int, index));
}

void CSelectShareContent::on_pBtShare_clicked()
{
    qInfo() << RJ_FUNCTION << __LINE__;
    CRJSdkManager *sdk = CRJSdkManager::getInstance();
    if (!sdk) {
        qWarning() << RJ_FUNCTION << __LINE__ << "no engine facade";
        return;
    }
    CCallController *call = CCallController::getInstance();
    sdk->enableContentAudio(m_ui.cBshareSound->isChecked());
    sdk->enableContentHighFPS(m_ui.m_pChkBoxContentHighFPS->isChecked());

    QObject *engine = layoutEngine();
    if (engine)
        setShareScreenIndex(engine, 0);

    CWidgetContentSub *tile = m_ui.desktopwidget->selectedTile();
    const bool fromScreens = tile != nullptr;
    if (!tile)
        tile = m_ui.windowwidget->selectedTile();
    if (!tile) {
        // Nothing chosen: nothing is shared and the user may still choose.
        qInfo() << RJ_FUNCTION << __LINE__ << "no content selected";
        return;
    }

    if (tile->isWhiteBoard()) {
        // The question runs an event loop in which this window may be closed
        // and deleted.
        QPointer<CSelectShareContent> self(this);
        if (call->getAcsJsonWebToken().isEmpty()) {
            AlertDlg::execQuestion(this, tr("Note"), tr("Service is not connected, please wait..."),
                                   QDialogButtonBox::Yes, QDialogButtonBox::NoButton);
        } else if (call->getContentStreamStatus() == ContentStreamStatus_ReceivingWhiteBoardStarted) {
            AlertDlg::execQuestion(this, tr("Note"), tr("Receiving whiteboard."), QDialogButtonBox::Yes,
                                   QDialogButtonBox::NoButton);
        } else {
            stopCurrentContent();
            sdk->sendWhiteBoard();
        }
        if (!self)
            return;
        qInfo() << RJ_FUNCTION << __LINE__ << "share content whiteboard";
        close();
        return;
    }

    const rj::engine::RJContentSourceInfo source = tile->getContentSourceInfo();
    if (engine && fromScreens) {
        const QString title = QString::fromStdString(source.windowTitle);
        const QList<QScreen *> screens = QGuiApplication::screens();
        for (int i = 0; i < screens.size(); ++i) {
            if (screens.at(i)->name().trimmed() == title) {
                setShareScreenIndex(engine, i);
                break;
            }
        }
    }
    stopCurrentContent();
    sdk->setLocalContentSource(source);
    qInfo() << RJ_FUNCTION << __LINE__ << "share content window id:" << source.windowId;
    sdk->sendContent();
    call->setContentSourceInfo(source);
    close();
}

void CSelectShareContent::placeTip(CArrowWidget *tip, QWidget *helpButton)
{
    const int x = this->x() + m_ui.toolbar->x() + helpButton->x() - (tip->width() - helpButton->width()) / 2;
    const int y = this->y() + m_ui.toolbar->y() + helpButton->y() - tip->height();
    tip->move(x, y);
}

bool CSelectShareContent::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    const struct
    {
        QWidget *button;
        CArrowWidget *tip;
    } pairs[] = {{m_ui.pBtHelp, m_pSoundTip}, {m_ui.m_pChkBoxContentHighFPSHelp, m_pFluencyTip}};
    for (const auto &pair : pairs) {
        if (!pair.tip)
            continue;
        if (watched == pair.button && (type == QEvent::Enter || type == QEvent::Leave)) {
            if (type == QEvent::Enter) {
                placeTip(pair.tip, pair.button);
                pair.tip->show();
            } else {
                pair.tip->hide();
            }
            return true;
        }
        if (watched == pair.tip && type == QEvent::WindowDeactivate) {
            if (!pair.tip->isHidden())
                pair.tip->hide();
            return true;
        }
    }
    return CBaseWgt::eventFilter(watched, event);
}

void CSelectShareContent::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && m_ui.Titlebar->geometry().contains(event->pos()) && !isMaximized()) {
        m_bDragging = true;
        m_iLastX = event->globalX();
        m_iLastY = event->globalY();
    }
    CBaseWgt::mousePressEvent(event);
}

void CSelectShareContent::mouseReleaseEvent(QMouseEvent *event)
{
    m_bDragging = false;
    CBaseWgt::mouseReleaseEvent(event);
}

void CSelectShareContent::mouseMoveEvent(QMouseEvent *event)
{
    if (m_bDragging) {
        move(x() + event->globalX() - m_iLastX, y() + event->globalY() - m_iLastY);
        m_iLastX = event->globalX();
        m_iLastY = event->globalY();
    }
    CBaseWgt::mouseMoveEvent(event);
}

void CSelectShareContent::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
}

void CSelectShareContent::showEvent(QShowEvent *event)
{
    m_scaler.init(width(), height(), this);
    CBaseWgt::showEvent(event);
    centerWindow();
}

void CSelectShareContent::onDpiChanged()
{
    const double s = fStretchFactor;
    qInfo() << RJ_FUNCTION << __LINE__ << "scale:" << s;
    QFont titleFont = m_ui.titleName->font();
    if (titleFont.weight() <= 57)
        titleFont.setWeight(75);
    titleFont.setPixelSize(static_cast<int>(12 * s));
    m_ui.titleName->setFont(titleFont);
    m_ui.pBtShare->setFont(titleFont);

    QFont textFont = m_ui.desktoptips->font();
    textFont.setPixelSize(static_cast<int>(13 * s));
    m_ui.desktoptips->setFont(textFont);
    m_ui.windowtips->setFont(textFont);
    m_ui.cBshareSound->setFont(textFont);
    m_ui.m_pChkBoxContentHighFPS->setFont(textFont);

    m_scaler.rescale(s, this);
    m_ui.desktopwidget->setScale(s);
    updateScrollContentsHeight();

    const int indicator = static_cast<int>(12 * s);
    const QString sheet = QStringLiteral("QCheckBox::indicator {width: %1px; height: %2px;}").arg(indicator).arg(indicator);
    m_ui.cBshareSound->setStyleSheet(sheet);
    m_ui.m_pChkBoxContentHighFPS->setStyleSheet(sheet);
}

} // namespace rj_app::views
