#pragma once

#include <QDialog>
#include <QPoint>
#include <QPointer>
#include <QString>

#include <optional>

class QHBoxLayout;
class QMouseEvent;
class QVBoxLayout;

namespace rj_app::views {

class CLayoutCellCoverDlg;

// One video cell: a frameless window whose video widget's native window is
// handed to the conferencing engine, which paints the video straight into it.
// Its decorations live in a translucent overlay window kept exactly over it.
class CLayoutCellDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CLayoutCellDlg(QWidget *parent = nullptr);
    ~CLayoutCellDlg() override;

    // The native window the engine renders into.
    WId getVideoWindowId();

    // Puts the cell at origin + relative position with the size it has now;
    // a hidden cell shows there even after late reports of an older place.
    void moveToOrigin(int x, int y);
    void setRelativePos(int x, int y);
    int getRelativeX() const { return m_iRelativeX; }
    int getRelativeY() const { return m_iRelativeY; }
    void setCoverParent(QWidget *parent);
    // A new owning window; use it, not setParent().
    void setOwner(QWidget *owner, Qt::WindowFlags flags);
    void setDragEnabled(bool enabled);
    bool getDragEnabled() const { return m_bDragEnabled; }

    void setCellType(int type);
    void setIsMuted(bool isMuted);
    void setSiteName(const char *siteName);
    void setBorderColor(QString color);

    void setNormalWindowFlags();
    void setTopWindowFlags(bool visible);
    // Raises the cell and, above it, the cover that takes its mouse.
    void raiseWithCover();

    void setVisible(bool visible) override;

    // Null once its owner (the window given to setCoverParent) deleted it.
    CLayoutCellCoverDlg *getCellCoverDlg() const { return m_pCellCoverDlg; }
    QWidget *getVideoWidget() const { return m_pWgtVideo; }

signals:
    void sigMouseMove(QMouseEvent *event);
    void sigMousePress(QMouseEvent *event);
    void sigMouseDoubleClick(QWidget *sender, QMouseEvent *event);
    // The native window last handed out by getVideoWindowId is about to be
    // destroyed: whoever bound it to the engine unbinds it now, while it
    // still exists. sigVideoWindowIdChanged follows.
    void sigVideoWindowAboutToChange(WId id);
    // The video widget got a new native window (the platform replaced the
    // cell's own); whoever bound the old id to the engine binds this one.
    void sigVideoWindowIdChanged(WId id);

public slots:
    void slotOnMouseDoubleClick(QWidget *sender, QMouseEvent *event);

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    bool event(QEvent *event) override;

private:
    void setupUi();
    void createVideoWidget();
    void renewVideoWindow();
    void announceVideoWindowGoing();
    void applyCoverDragArea();
    void dropNativeMark();
    void placeCover();
    void changeWindowFlags(Qt::WindowFlags flags, bool visible);

    QVBoxLayout *verticalLayout = nullptr;
    QWidget *horizontalWidget = nullptr;
    QHBoxLayout *horizontalLayout = nullptr;
    QWidget *m_pWgtVideo = nullptr;

    std::optional<QPoint> m_placedAt; // the layout's last place for the cell
    int m_iRelativeX = 0;
    int m_iRelativeY = 0;
    QPointer<CLayoutCellCoverDlg> m_pCellCoverDlg;
    bool m_bDragEnabled = false;
    WId m_lastVideoWindowId = 0;
    WId m_topLevelWindowId = 0;
    bool m_bStackingChanged = false;
    bool m_bGoingAnnounced = false; // the window handed out was announced going
};

} // namespace rj_app::views
