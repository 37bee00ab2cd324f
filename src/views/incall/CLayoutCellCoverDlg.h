#pragma once

#include "views/framework/CBaseDlg.h"
#include "views/framework/CDpiLayoutScaler.h"

#include <QString>

class QHBoxLayout;
class QLabel;
class QMouseEvent;
class QPushButton;
class QVBoxLayout;

namespace rj_app::views {

// The translucent window laid exactly over a video cell. Native video covers
// whatever is painted in the cell's own window, so the border, the title bar
// (status icon and site name) and the mouse live here.
class CLayoutCellCoverDlg : public CBaseDlg
{
    Q_OBJECT
public:
    enum CellType { CellType_Normal = 0, CellType_Content = 1, CellType_Local = 2 };

    explicit CLayoutCellCoverDlg(QWidget *parent = nullptr);

    void setCellType(int type);
    int getCellType() const { return m_iCellType; }
    void setIsMuted(bool isMuted);
    bool getIsMuted() const { return m_bIsMuted; }
    void setSiteName(const QString &qstrSiteName);
    QString getSiteName() const { return m_qstrSiteName; }
    void setBorderColor(const QString &qstrBorderColor);
    QString getBorderColor() const { return m_qstrBorderColor; }

    void setNormalWindowFlags();
    void setTopWindowFlags();

    void updateTitleBarVisibility();
    void updateSiteNameLabel();

    // The overlay was pressed and is being dragged: whoever moves the cell
    // must leave the overlay where the mouse puts it.
    bool isDragging() const { return m_bDrag && m_bCoverDragging; }

signals:
    void sigMouseMove(QMouseEvent *event);
    void sigMousePress(QMouseEvent *event);
    void sigMouseDoubleClick(QWidget *sender, QMouseEvent *event);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void onDpiChanged() override;

private:
    void setupUi();
    void applyStatusIconStyle();
    void updateLocalTitleBar();
    void changeWindowFlags(Qt::WindowFlags flags);

    QVBoxLayout *m_pLayoutDlg = nullptr;
    QWidget *m_pWgtContent = nullptr;
    QVBoxLayout *verticalLayout_2 = nullptr;
    QWidget *m_pLayoutMain = nullptr;
    QVBoxLayout *m_pLayoutMain2 = nullptr;
    QWidget *m_pWgtTitlebarPanel = nullptr;
    QHBoxLayout *horizontalLayout_2 = nullptr;
    QWidget *m_pWgtTitlebar = nullptr;
    QHBoxLayout *m_pLayoutTitlebar = nullptr;
    QPushButton *m_pBtnStatusImage = nullptr;
    QLabel *m_pLblSiteName = nullptr;

    QString m_qstrBorderColor;
    QString m_qstrSiteName;
    bool m_bIsMuted = false;
    bool m_bAutoHideTitleBar = true;
    int m_iCellType = CellType_Normal;
    bool m_bCoverDragging = false;
    CDpiLayoutScaler m_dpiScaler;
};

} // namespace rj_app::views
