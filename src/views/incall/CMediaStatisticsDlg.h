#pragma once

#include "views/framework/CBaseDlg.h"
#include "views/framework/CDpiLayoutScaler.h"

#include <QString>
#include <QStringList>

#include <functional>

class QLabel;
class QPushButton;
class QTableWidget;
class QTimer;

namespace rj {
namespace engine {
struct RJStats;
struct RJStreamStats;
} // namespace engine
} // namespace rj

namespace rj_app::views {

// "Media Statistics" of the running call: one row per media stream the engine
// reports, refreshed every second while the window is visible. Its close
// button only hides it; a close request also tells the owner (sigClose).
class CMediaStatisticsDlg : public CBaseDlg
{
    Q_OBJECT
public:
    explicit CMediaStatisticsDlg(QWidget *parent = nullptr);
    ~CMediaStatisticsDlg() override;

    static constexpr int m_iRefreshIntervalMs = 1000;
    // At most this many rows are visible without scrolling.
    static constexpr int m_iMaxVisibleRows = 12;

    void startRefreshStatisticsStatsTimer();
    void stopRefreshStatisticsStatsTimer();

    // Test seams: the refresh interval of the next and the running timer,
    // and where the statistics come from (null: the engine facade).
    using StatsSource = std::function<bool(rj::engine::RJStats &stats)>;
    void setRefreshIntervalMs(int intervalMs);
    int refreshIntervalMs() const { return m_iRefreshMs; }
    bool isRefreshing() const;
    void setStatsSource(StatsSource source);

    // The eight cells of one stream's row, as the table shows them.
    static QStringList rowTexts(const rj::engine::RJStreamStats &stream);

signals:
    void sigClose();

public slots:
    void slotOnClose();
    void slotOnTimerRefreshStatisticsStats();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void onDpiChanged() override;

private:
    void setupForm();
    void initTableHeader();
    // The scale for sizes: never below 1.
    double sizeScale() const;
    bool readStats(rj::engine::RJStats &stats);
    static QString directionText(const rj::engine::RJStreamStats &stream);
    static QString resolutionText(const rj::engine::RJStreamStats &stream);
    static QString frameRateText(const rj::engine::RJStreamStats &stream);
    static QString packetLostText(const rj::engine::RJStreamStats &stream);

    QTimer *m_pRefreshTimer = nullptr;
    CDpiLayoutScaler m_scaler;
    int m_iRefreshMs = m_iRefreshIntervalMs;
    StatsSource m_statsSource;

    QWidget *m_pWgtTitleBar = nullptr;
    QLabel *m_pLblTitle = nullptr;
    QPushButton *m_pBtnClose = nullptr;
    QTableWidget *m_pTableWgtStatistics = nullptr;
};

} // namespace rj_app::views
