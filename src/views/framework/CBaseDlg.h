#pragma once

#include <QDialog>
#include <QPoint>

class QScreen;

namespace rj_app::platform {
class CScreenDpiWatcher;
}

namespace rj_app::views {

// Base of every dialog and top-level window: frameless, dragged by a strip at
// its top, deaf to Escape, centred on its screen at the first show, and scaled
// 1, 1.5 or 2 by the logical DPI of its screen.
class CBaseDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CBaseDlg(QWidget *parent = nullptr);
    ~CBaseDlg() override;

    // The screen under the centre of `reference` (this dialog when null),
    // else the primary screen; null when there is none.
    QScreen *getDisplayScreen(QWidget *reference = nullptr) const;
    void centerWindowOnScreen(QWidget *reference = nullptr);

    // Applies basePath + ".qss" and basePath + "-<scale>x.qss".
    void setStyleSheets(const QString &basePath);
    void updateDpi(unsigned int dpi);

    // Enter activates no button of this dialog.
    virtual void disableDefaultButtons();

    // 0 until the first show, then 1, 1.5 or 2.
    double fStretchFactor = 0;
    // Height of the strip at the top by which the dialog is dragged.
    int dragAreaHeight = 0;
    bool centerOnFirstShow = true;

signals:
    void sigDragPosChanged(QWidget *sender, int relativeX, int relativeY);

protected:
    bool m_bDrag = false;
    // A title-bar drag is moving the window.
    bool isDragging() const { return m_bDragging; }

    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool nativeEvent(const QByteArray &eventType, void *message, long *result) override;

    // Called on every change of the scale, the first show included. Subclasses
    // reload their style sheets, rescale their layout and set dragAreaHeight.
    virtual void onDpiChanged();

private:
    void dragTo(const QPoint &globalPos);

    bool m_bFirstShow = true;
    bool m_bDragging = false;
    QPoint m_pressPos;
    unsigned int m_uLastDpi = 0;
    rj_app::platform::CScreenDpiWatcher *m_pDpiWatcher = nullptr;
};

} // namespace rj_app::views
