#include "views/incall/CMediaStatisticsDlg.h"

#include "engine/RJTypes.h"
#include "helpers/CGeneralUtils.h"
#include "helpers/LogMacros.h"
#include "models/CRJSdkManager.h"

#include <QCloseEvent>
#include <QDebug>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHideEvent>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace rj_app::views {

namespace {
const QString kStyle = QStringLiteral(":/resources/qss/media-statistics-dlg.qss");
constexpr int kColumnCount = 8;
constexpr int kLastColumn = 7;
// Widths of columns 0 to 6 at scale 1; the last column takes the rest.
constexpr int kColumnWidths[] = {141, 162, 88, 134, 87, 102, 127};
constexpr int kTitleBarHeight = 28;
constexpr int kRowHeight = 36;
constexpr int kRowPitch = 37;
constexpr int kHeaderAllowance = 38;

const Qt::Alignment kCentred = Qt::AlignCenter;
const Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;

Qt::Alignment alignmentOf(int column)
{
    return column == 0 ? kCentred : kLeft;
}

// The engine reports at most RJ_MAX_STREAM_STATS streams; anything outside
// that range is read as that many, never past the array.
int validCount(const rj::engine::RJStats &stats)
{
    return std::clamp(stats.count, 0, rj::engine::RJ_MAX_STREAM_STATS);
}
} // namespace

void CMediaStatisticsDlg::setupForm()
{
    setObjectName(QStringLiteral("CMediaStatisticsDlg"));
    resize(950, 300);
    setMaximumHeight(460);
    setWindowTitle(QString());

    auto *verticalLayout = new QVBoxLayout(this);
    verticalLayout->setObjectName(QStringLiteral("verticalLayout"));
    verticalLayout->setSpacing(0);
    verticalLayout->setContentsMargins(1, 1, 1, 1);

    m_pWgtTitleBar = new QWidget(this);
    m_pWgtTitleBar->setObjectName(QStringLiteral("m_pWgtTitleBar"));
    m_pWgtTitleBar->setAttribute(Qt::WA_StyledBackground);
    m_pWgtTitleBar->setFixedHeight(kTitleBarHeight);
    auto *horizontalLayout = new QHBoxLayout(m_pWgtTitleBar);
    horizontalLayout->setObjectName(QStringLiteral("horizontalLayout"));
    horizontalLayout->setSpacing(0);
    horizontalLayout->setContentsMargins(0, 0, 0, 0);
    horizontalLayout->addItem(new QSpacerItem(10, 20, QSizePolicy::Fixed, QSizePolicy::Minimum));
    m_pLblTitle = new QLabel(tr("Media Statistics"), m_pWgtTitleBar);
    m_pLblTitle->setObjectName(QStringLiteral("m_pLblTitle"));
    horizontalLayout->addWidget(m_pLblTitle);
    horizontalLayout->addItem(new QSpacerItem(590, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    m_pBtnClose = new QPushButton(m_pWgtTitleBar);
    m_pBtnClose->setObjectName(QStringLiteral("m_pBtnClose"));
    m_pBtnClose->setFixedSize(28, 28);
    m_pBtnClose->setFocusPolicy(Qt::NoFocus);
    m_pBtnClose->setCursor(Qt::PointingHandCursor);
    horizontalLayout->addWidget(m_pBtnClose);
    verticalLayout->addWidget(m_pWgtTitleBar);

    auto *verticalLayout_2 = new QVBoxLayout();
    verticalLayout_2->setObjectName(QStringLiteral("verticalLayout_2"));
    verticalLayout_2->setSpacing(0);
    m_pTableWgtStatistics = new QTableWidget(this);
    m_pTableWgtStatistics->setObjectName(QStringLiteral("m_pTableWgtStatistics"));
    verticalLayout_2->addWidget(m_pTableWgtStatistics);
    verticalLayout->addLayout(verticalLayout_2);
}

CMediaStatisticsDlg::CMediaStatisticsDlg(QWidget *parent)
    : CBaseDlg(parent)
{
    setupForm();
    setWindowFlags(Qt::FramelessWindowHint);
    dragAreaHeight = m_pWgtTitleBar->height();
    helpers::CGeneralUtils::setStyle(this, kStyle);

    QTableWidget *table = m_pTableWgtStatistics;
    table->setColumnCount(kColumnCount);
    table->setShowGrid(false);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setFocusPolicy(Qt::NoFocus);
    table->setFrameShape(QFrame::NoFrame);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    table->setAlternatingRowColors(true);
    table->verticalHeader()->setVisible(false);
    table->horizontalHeader()->setSectionResizeMode(kLastColumn, QHeaderView::Stretch);

    initTableHeader();
    slotOnTimerRefreshStatisticsStats();
    connect(m_pBtnClose, &QPushButton::clicked, this, &CMediaStatisticsDlg::slotOnClose);
}

CMediaStatisticsDlg::~CMediaStatisticsDlg()
{
    qInfo() << RJ_FUNCTION;
    delete m_pRefreshTimer;
    m_pRefreshTimer = nullptr;
    qInfo() << RJ_FUNCTION << "done";
}

double CMediaStatisticsDlg::sizeScale() const
{
    return std::max(1.0, fStretchFactor);
}

void CMediaStatisticsDlg::initTableHeader()
{
    QTableWidget *table = m_pTableWgtStatistics;
    table->clear();
    const QString headers[kColumnCount] = {tr("Media Direction"),
                                           tr("Codec"),
                                           tr("Line Rate\n(kbps)"),
                                           tr("Actual Line Rate\n(kbps)"),
                                           tr("Resolution"),
                                           tr("Frame Rate\n(fps)"),
                                           tr("Packet Lost Rate"),
                                           tr("Encryption")};
    for (int column = 0; column < kColumnCount; ++column) {
        auto *item = new QTableWidgetItem(headers[column]);
        item->setTextAlignment(alignmentOf(column));
        table->setHorizontalHeaderItem(column, item);
    }
    const double s = sizeScale();
    QFont font = table->horizontalHeaderItem(0)->font();
    font.setWeight(QFont::Bold);
    font.setPixelSize(static_cast<int>(13 * s));
    for (int column = 0; column < kColumnCount; ++column)
        table->horizontalHeaderItem(column)->setFont(font);
    for (int column = 0; column < kLastColumn; ++column)
        table->setColumnWidth(column, static_cast<int>(s * kColumnWidths[column]));
}

QString CMediaStatisticsDlg::directionText(const rj::engine::RJStreamStats &stream)
{
    const bool in = stream.direction == 1;
    switch (stream.streamType) {
    case rj::engine::RJ_STREAM_AUDIO:
        return in ? tr("Audio In") : tr("Audio Out");
    case rj::engine::RJ_STREAM_VIDEO:
        return in ? tr("Video In") : tr("Video Out");
    case rj::engine::RJ_STREAM_CONTENT:
        return in ? tr("Content In") : tr("Content Out");
    case rj::engine::RJ_STREAM_WHITEBOARD:
        return in ? tr("White Board In") : tr("White Board Out");
    default:
        break;
    }
    return QStringLiteral("-"); // a stream type this client does not know
}

QString CMediaStatisticsDlg::resolutionText(const rj::engine::RJStreamStats &stream)
{
    if (stream.streamType == rj::engine::RJ_STREAM_AUDIO)
        return QStringLiteral("-");
    static const struct
    {
        int width;
        int height;
        const char *name;
    } kNamed[] = {{160, 90, "90p"}, {320, 180, "180p"}, {640, 360, "360p"}, {1280, 720, "720p"},
                  {1920, 1080, "1080p"}};
    for (const auto &named : kNamed) {
        if (stream.width == named.width && stream.height == named.height)
            return QLatin1String(named.name);
    }
    return QStringLiteral("%1x%2").arg(stream.width).arg(stream.height);
}

QString CMediaStatisticsDlg::frameRateText(const rj::engine::RJStreamStats &stream)
{
    if (stream.streamType == rj::engine::RJ_STREAM_AUDIO)
        return QStringLiteral("-");
    return QString::asprintf("%.0f", std::ceil(static_cast<double>(stream.frameRate)));
}

QString CMediaStatisticsDlg::packetLostText(const rj::engine::RJStreamStats &stream)
{
    return QString::number(stream.packetsLost) + QLatin1Char('(')
           + QString::asprintf("%.1f", static_cast<double>(stream.packetLossRate)) + QStringLiteral("%)");
}

QStringList CMediaStatisticsDlg::rowTexts(const rj::engine::RJStreamStats &stream)
{
    return {directionText(stream),
            QString::fromStdString(stream.codec),
            QString::number(static_cast<double>(stream.lineRate), 'g', 6),
            QString::asprintf("%.1f", static_cast<double>(stream.actualLineRate)),
            resolutionText(stream),
            frameRateText(stream),
            packetLostText(stream),
            stream.encrypted ? tr("Encrypted") : tr("Not encrypted")};
}

void CMediaStatisticsDlg::setStatsSource(StatsSource source)
{
    m_statsSource = std::move(source);
}

bool CMediaStatisticsDlg::readStats(rj::engine::RJStats &stats)
{
    if (m_statsSource)
        return m_statsSource(stats);
    auto *sdk = models::CRJSdkManager::getInstance();
    return sdk && sdk->getStats(stats);
}

void CMediaStatisticsDlg::slotOnTimerRefreshStatisticsStats()
{
    rj::engine::RJStats stats;
    if (!readStats(stats) || !isVisible())
        return;

    QTableWidget *table = m_pTableWgtStatistics;
    const int count = validCount(stats);
    table->clearContents();
    table->setRowCount(count);
    for (int row = 0; row < count; ++row) {
        const QStringList cells = rowTexts(stats.streams[row]);
        for (int column = 0; column < kColumnCount; ++column) {
            auto *item = new QTableWidgetItem(cells.at(column));
            item->setTextAlignment(alignmentOf(column));
            table->setItem(row, column, item);
        }
    }
    table->horizontalHeader()->setSectionResizeMode(kLastColumn, QHeaderView::Stretch);

    const double s = sizeScale();
    const int headerTop = static_cast<int>(m_pWgtTitleBar->height() + kHeaderAllowance * s);
    const int visibleRows = std::min(count, m_iMaxVisibleRows);
    setFixedHeight(static_cast<int>(headerTop + visibleRows * kRowPitch * s));
}

void CMediaStatisticsDlg::startRefreshStatisticsStatsTimer()
{
    qInfo() << RJ_FUNCTION;
    if (!m_pRefreshTimer) {
        m_pRefreshTimer = new QTimer();
        m_pRefreshTimer->setSingleShot(false);
        m_pRefreshTimer->setInterval(m_iRefreshMs);
        connect(m_pRefreshTimer, &QTimer::timeout, this, &CMediaStatisticsDlg::slotOnTimerRefreshStatisticsStats);
    }
    m_pRefreshTimer->start();
}

void CMediaStatisticsDlg::stopRefreshStatisticsStatsTimer()
{
    qInfo() << RJ_FUNCTION;
    if (m_pRefreshTimer) {
        m_pRefreshTimer->stop();
        delete m_pRefreshTimer;
        m_pRefreshTimer = nullptr;
    }
}

void CMediaStatisticsDlg::setRefreshIntervalMs(int intervalMs)
{
    m_iRefreshMs = std::max(0, intervalMs);
    if (m_pRefreshTimer)
        m_pRefreshTimer->setInterval(m_iRefreshMs);
}

bool CMediaStatisticsDlg::isRefreshing() const
{
    return m_pRefreshTimer && m_pRefreshTimer->isActive();
}

void CMediaStatisticsDlg::slotOnClose()
{
    qInfo() << RJ_FUNCTION;
    hide();
}

void CMediaStatisticsDlg::closeEvent(QCloseEvent *event)
{
    qInfo() << RJ_FUNCTION;
    stopRefreshStatisticsStatsTimer();
    emit sigClose();
    CBaseDlg::closeEvent(event);
}

void CMediaStatisticsDlg::showEvent(QShowEvent *event)
{
    qInfo() << RJ_FUNCTION;
    slotOnTimerRefreshStatisticsStats();
    startRefreshStatisticsStatsTimer();
    m_scaler.init(width(), height(), this);
    CBaseDlg::showEvent(event);
}

void CMediaStatisticsDlg::hideEvent(QHideEvent *event)
{
    qInfo() << RJ_FUNCTION;
    stopRefreshStatisticsStatsTimer();
    CBaseDlg::hideEvent(event);
    m_pTableWgtStatistics->clearContents();
}

void CMediaStatisticsDlg::onDpiChanged()
{
    const double s = fStretchFactor;
    qInfo() << RJ_FUNCTION << s;
    m_scaler.rescale(s, this);
    dragAreaHeight = m_pWgtTitleBar->height();

    QFont titleFont = m_pLblTitle->font();
    titleFont.setPixelSize(static_cast<int>(12 * s));
    m_pLblTitle->setFont(titleFont);

    m_pTableWgtStatistics->setStyleSheet(
        QStringLiteral("QTableWidget { color: #000000; font-size: %1px; background: #f4f4f4; "
                       "alternate-background-color: #ffffff; border: none; } "
                       "QTableWidget::item { outline: 0px; } "
                       "QHeaderView::section { background-color: #ffffff; min-height: %2px; "
                       "max-height: %2px; border: none; }")
            .arg(13 * s)
            .arg(36 * s));
    const int rowHeight = static_cast<int>(kRowHeight * s);
    m_pTableWgtStatistics->verticalHeader()->setDefaultSectionSize(rowHeight);
    for (int row = 0; row < m_pTableWgtStatistics->rowCount(); ++row)
        m_pTableWgtStatistics->setRowHeight(row, rowHeight);

    initTableHeader();
    slotOnTimerRefreshStatisticsStats();
    centerWindowOnScreen();
}

} // namespace rj_app::views
