#pragma once

#include "views/framework/CBaseWgt.h"

class CimageWidget;
class Cmenubutton;
class QFrame;
class QHBoxLayout;

namespace rj_app::views {

// The draggable bar of drawing tools. It keeps only the look of its buttons
// (which of Mouse, Pen, Marker and Eraser is selected) and turns clicks into
// signals; the host decides what a tool does.
class PaintListWidget : public CBaseWgt
{
    Q_OBJECT
public:
    // The parent is not passed on (CBaseWgt); the host re-parents the bar.
    explicit PaintListWidget(QWidget *parent = nullptr);
    ~PaintListWidget() override;

    // The look of onBtnPenClicked / onBtnNitePenClicked without a signal.
    void markPenSelected();
    void markNitePenSelected();
    // onBtnPenClicked, signal included.
    void selectPen();
    // Received whiteboard: no Mouse, no Exit. Sent whiteboard: no Mouse.
    void setReceiveWhiteBoardType();
    void setSendWhiteBoardType();

    bool eventFilter(QObject *watched, QEvent *event) override;

    // Positions relative to the bar of the pen group, the marker group and
    // the Background button; hosts place the pickers with them.
    int m_iPenBgX = 0;
    int m_iNitePenBgX = 0;
    int m_iBgBtnX = 0;

signals:
    void enabelMouse();
    void penClicked();
    void nitePenClicked();
    void eraserClicked();
    void revokeClicked();
    void bgClicked();
    void clearClicked();
    void exitClicked();
    void selectPenClicked();
    void selectNitePenClicked();
    void sigSaveClicked();
    void sigMouseMove();

public slots:
    void onBtnMouseClicked();
    void onBtnPenClicked();
    void onBtnNitePenClicked();
    void onBtnEraserClicked();
    void onBtnRevokeClicked();
    void onBtnBgClicked();
    void onBtnClearClicked();
    void onBtnExitClicked();
    void onBtnSelectPenClicked();
    void onBtnSelectNitePenClicked();
    void slotBtnSaveClicked();
    void slotOnLanguageChanged();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void onDpiChanged() override;

private:
    void setupUi();
    void selectTool(Cmenubutton *tool);
    Cmenubutton *makeButton(QWidget *parent, const char *name, const char *normal, const char *click);

    QHBoxLayout *m_pHorizontalLayout = nullptr;
    QFrame *m_pBgFrame = nullptr;
    QHBoxLayout *m_pFrameLayout = nullptr;
    QWidget *m_pPenBg = nullptr;
    QWidget *m_pNitePenBg = nullptr;
    Cmenubutton *m_pBtnMouse = nullptr;
    Cmenubutton *m_pBtnPen = nullptr;
    CimageWidget *m_pBtnPenSelect = nullptr;
    Cmenubutton *m_pBtnNitePen = nullptr;
    CimageWidget *m_pBtnNitePenSelect = nullptr;
    Cmenubutton *m_pBtnEraser = nullptr;
    Cmenubutton *m_pBtnRevoke = nullptr;
    Cmenubutton *m_pBtnBackground = nullptr;
    Cmenubutton *m_pBtnClear = nullptr;
    Cmenubutton *m_pBtnSave = nullptr;
    Cmenubutton *m_pBtnExit = nullptr;

    bool m_bDragging = false;
    int m_iPressX = 0;
    int m_iPressY = 0;
};

} // namespace rj_app::views
