#pragma once

#include "views/framework/CBaseWgt.h"
#include "views/framework/CDpiLayoutScaler.h"

#include <QPoint>

class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;

namespace rj_app::views {

// The "Software Update" popup: offers a newer version, shows the download's
// progress and speed, then asks whether to install. It only displays and
// reports clicks; the update worker decides and closes it.
class CUpdateMessageWidget : public CBaseWgt
{
    Q_OBJECT

public:
    explicit CUpdateMessageWidget(QWidget *parent = nullptr);
    ~CUpdateMessageWidget() override;

    // Found state; the text is set only while the version label is empty, so
    // a failure text stays.
    void showVersion(const QString &text);
    // time: milliseconds since the download started.
    void setProgress(qlonglong bytesReceived, qlonglong bytesTotal, int time);
    void downfinish(bool succeed);
    // A check made while the prompt is open failed: there is nothing to
    // download, only Cancel is left.
    void showCheckFailed(const QString &text);

    // "<speed> <unit>", e.g. "512.0 bytes/s", "2.5 MB/s".
    static QString speedText(qlonglong bytesReceived, int timeMs);

    static constexpr int m_iBaseWidth = 372;
    static constexpr int m_iBaseHeight = 162;

signals:
    void signal_DownLoad();
    void signal_Cancel();
    void signal_Yes();
    void signal_No();

private slots:
    void on_m_pBtnNo_clicked();
    void on_m_pBtnYes_clicked();
    void on_m_pBtnCancel_clicked();
    void on_m_pBtnDown_clicked();

protected:
    void onDpiChanged() override;
    void showEvent(QShowEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void setupUi();
    void showFoundState();

    // The form.
    QFrame *Titlebar = nullptr;
    QLabel *titleName = nullptr;
    QWidget *widget = nullptr;
    QLabel *icon = nullptr;
    QWidget *widgettips = nullptr;
    QFrame *toolbar = nullptr;
    QPushButton *m_pBtnNo = nullptr;
    QPushButton *m_pBtnYes = nullptr;
    QPushButton *m_pBtnCancel = nullptr;
    QPushButton *m_pBtnDown = nullptr;

    QLabel *m_versionText = nullptr;
    QLabel *m_downStatus = nullptr;
    QProgressBar *m_progressBar = nullptr;
    QLabel *m_downValue = nullptr;
    CDpiLayoutScaler m_scaler;
    bool m_bDragging = false;
    QPoint m_lastGlobalPos;
};

} // namespace rj_app::views
