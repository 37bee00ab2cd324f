#pragma once

#include "views/framework/CBaseDlg.h"

#include <QPointer>
#include <QVector>

#include <functional>

class QHBoxLayout;
class QPushButton;
class QVBoxLayout;

namespace rj_app::views {

class CLayoutCellDlg;
class CLayoutCoverDlg;

// The small floating window that carries the people video while the layout
// shows something else: the local cell first, the remote cells below it. The
// layout engine owns the cells; the strip only places them.
class CLayoutFloatingCellsDlg : public CBaseDlg
{
    Q_OBJECT
public:
    // Raises the strip, then its cells and their cover over it: they are
    // windows of their own, and the window manager raises the strip alone.
    void raiseWithContents();
    // Asks the engine to repaint the video after the cells moved or resized.
    using RepaintVideoFunc = std::function<void()>;

    explicit CLayoutFloatingCellsDlg(QWidget *parent = nullptr);
    ~CLayoutFloatingCellsDlg() override;

    void setLocalVideoCell(QWidget *cell);
    void clearLocalVideoCell();
    void setRemoteVideoCells(const QVector<CLayoutCellDlg *> &cells);
    void clearRemoteVideoCells();

    bool getHideFlag() const { return m_hideFlag; }
    void clearHideFlag();
    bool isOwnCell(QWidget *cell) const;
    void setHide();

    void setTopWindow();
    void setNonTopWindow();

    void setMaxRemoteCellCount(int count) { m_iMaxRemoteCellCount = count; }
    int getMaxRemoteCellCount() const { return m_iMaxRemoteCellCount; }

    CLayoutCellDlg *getLocalVideoCell() const { return m_pLocalVideoCell; }
    QVector<CLayoutCellDlg *> getRemoteVideoCells() const;
    CLayoutCoverDlg *getLayoutCoverDlg() const { return m_pLayoutCoverDlg; }
    int getCellWidth() const { return m_iCellWidth; }
    int getCellHeight() const { return m_iCellHeight; }
    int getSpacing() const { return m_iSpacing; }
    // Height of the strip for its present cells.
    int calculateHeight() const;
    // The cover lies over the cells, below the title bar.
    int coverHeight() const;

    // Replaces the default, which goes to CCallController when an engine
    // facade exists.
    void setRepaintVideoFunc(RepaintVideoFunc func) { m_repaintVideo = std::move(func); }

    void setVisible(bool visible) override;

signals:
    void signal_FloatingCellsDlg_Hide();

public slots:
    void on_pBtMin_clicked();
    void slot_FloatingCellsDlg_Show();
    void slotDragPosChanged(QWidget *sender, int relativeX, int relativeY);

protected:
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void onDpiChanged() override;

private slots:
    void slotOnCellDestroyed(QObject *cell);

private:
    void initWidgets();
    void updateScaledSizes();
    int topTitleBarHeight() const;
    int bottomTitleBarHeight() const;
    void adoptCell(CLayoutCellDlg *cell);
    void watchCell(CLayoutCellDlg *cell);
    void unwatchCell(CLayoutCellDlg *cell);
    void moveLocalCell();
    void setLayoutCoverPos();
    void setLayoutCoverSize();
    void prepareLocalCellForShow();
    void showCellOverlays();
    void repaintVideo();

    QVBoxLayout *verticalLayout_2 = nullptr;
    QWidget *m_pWgtTopTitleBar = nullptr;
    QHBoxLayout *horizontalLayout = nullptr;
    QPushButton *pBtMin = nullptr;
    QWidget *m_pWgtbnBottomTitleBar = nullptr;
    QHBoxLayout *horizontalLayout_2 = nullptr;

    int m_iBaseCellWidth = 0;
    int m_iBaseCellHeight = 0;
    int m_iBaseSpacing = 0;
    int m_iCellWidth = 0;
    int m_iCellHeight = 0;
    int m_iSpacing = 0;

    QPointer<CLayoutCellDlg> m_pLocalVideoCell;
    QVector<QPointer<CLayoutCellDlg>> m_vecRemoteVideoCells;
    int m_iMaxRemoteCellCount = 0;
    CLayoutCoverDlg *m_pLayoutCoverDlg = nullptr;
    bool m_hideFlag = false;
    RepaintVideoFunc m_repaintVideo;
};

} // namespace rj_app::views
