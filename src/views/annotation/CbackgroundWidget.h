#pragma once

#include "engine/RJMetaTypes.h"
#include "engine/RJTypes.h"
#include "models/ScreenThread.h"
#include "views/framework/CBaseWgt.h"
#include "views/framework/CDpiLayoutScaler.h"

#include <QPointer>
#include <QRegion>
#include <QString>

class Button_share;
class CManagerButtonWidget;
class PaintWidget;
class QDateTime;
class QFrame;
class QGridLayout;
class QHBoxLayout;
class QMenuButton;
class QPixmap;
class QPushButton;
class QScreen;
class QVBoxLayout;

namespace rj_app::custom_controls {
class CToolButton;
}

namespace rj_app::views {

class CControllableProbe;
class ColorWidget;
class CSharingControls;
class PaintListWidget;
class SelectBgColorWidget;

// The drawing overlay laid over a locally shared screen: a translucent,
// frameless, stay-on-top window the size of that screen with a blue frame,
// the sharing toolbar at its top edge and the drawing surface. The tool bar
// and the two pickers are small windows of their own. The call layout creates
// it while a screen is shared and deletes it afterwards.
//
// The overlay takes the mouse while the user draws and lets it through to
// the applications below otherwise (only the toolbar and the frame take it
// then): the host "w" gets a background of alpha 1 or 0, and on X11 the
// window's input region follows the same choice.
class CbackgroundWidget : public CBaseWgt
{
    Q_OBJECT
public:
    explicit CbackgroundWidget(QWidget *parent = nullptr);
    ~CbackgroundWidget() override;

    // The board colour last chosen: "rgb(0,0,0,255)", "rgb(255,255,255,255)"
    // or "rgb(255,255,255,0)". Read by the call layout on changeBgColor().
    QString m_strDrawBg;

    void updateShowPicture(bool visible);
    void refreshManagerNumber();
    void muteAudio();
    void unmuteAudio();

    bool takesMouse() const { return m_bTakesMouse; }
    CSharingControls *sharingControls() const { return m_pSharingControls; }
    PaintWidget *paintWidget() const { return m_pPaintWidget; }
    PaintListWidget *paintListWidget() const;
    ColorWidget *colorWidget() const;
    SelectBgColorWidget *selectBgColorWidget() const;

    // Host styles: taking the mouse (drawing) and letting it through.
    static const char kTakeMouseStyle[];
    static const char kPassMouseStyle[];

    // The part of a window of `size` that takes the mouse: all of it while
    // drawing, else the 5 px frame and the toolbar's rectangle.
    static QRegion inputRegionFor(const QSize &size, const QRect &toolbar, bool drawing);
    // The screen for the tool bar and the screenshot: the one under the
    // cursor, else the overlay's own, else the primary screen.
    static QScreen *drawingScreen(QScreen *underCursor, QScreen *own);
    // The tool bar centred at the top of `screen`, 80 px (scaled) down.
    static QPoint toolBarPosition(const QRect &screen, int barWidth, double scale);
    // A picker under the tool bar at `offsetX`, or above it when the bar's top
    // lies below half of the desktop's available height.
    static QPoint pickerPosition(const QPoint &bar, int barHeight, int offsetX, int pickerHeight,
                                 int desktopHeight);
    static QString screenshotPath(const QString &folder, const QDateTime &time);
    // Writes the picture as JPEG; false when it cannot.
    static bool saveScreenshot(const QPixmap &shot, const QString &path);

signals:
    void sigClickManagerButton();
    void sigRefreshStatus();
    void sigSettingWinClosed();
    void sigOnShowPicture();
    void sigClose();
    void changeBgColor();
    void stopDraw();

public slots:
    void slotHidePicture();
    void slotConfMngtVisible(bool visible);

    void slotSwitchVoice();
    void slotSwitchMic();
    void slotSwitchCamera();
    void slotClickedManagerButton();
    void stopShare();
    void entershareBtn();
    void slotOnBtnShowPicture();
    void slotOnMicMutedShow(bool mic_muted);
    void slotOnContent(rj::engine::RJContentInfo info);
    void slotOnLanguageChanged();

    // Drawing.
    void showPaintWindow();
    void slotOnMouse();
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
    void changePenColor();
    void changePenLineSize();
    void c_changeDrawBg(const QString &color);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void onDpiChanged() override;

private:
    void setupForm();
    void retranslateForm();
    void initWidgets();
    void updateTexts();
    void refreshShareVoiceStatus();
    void checkControllable();
    void setTakesMouse(bool take);
    void updateInputRegion();
    void hidePickers();
    void setCursorImage(const char *path);
    void setDrawingPen(const QColor &color, int width);
    void placePicker(QWidget *picker, int offsetX);
    QScreen *currentDrawingScreen() const;
    double scale() const;
    static bool isWindows7Sp1();

    // Form.
    QVBoxLayout *m_pFormLayout = nullptr;
    QWidget *w = nullptr;
    QGridLayout *gridLayout = nullptr;
    PaintWidget *m_pPaintWidget = nullptr;
    QGridLayout *gridLayout_2 = nullptr;
    QWidget *widget = nullptr;
    QWidget *PropertyWidget = nullptr;
    QFrame *horizontalView = nullptr;
    QMenuButton *Button_Voice = nullptr;
    QMenuButton *Button_Mute = nullptr;
    QPushButton *m_pBtnSelectMicUp = nullptr;
    QMenuButton *Button_Camera = nullptr;
    QPushButton *m_pBtnSelectCameraUp = nullptr;
    CManagerButtonWidget *Button_Manager = nullptr;
    QMenuButton *Button_Draw = nullptr;
    QMenuButton *m_pBtnVolume = nullptr;
    QMenuButton *Button_Close = nullptr;
    custom_controls::CToolButton *m_pBtnShowPic = nullptr;
    QFrame *horizontalBtn = nullptr;
    Button_share *shareBtnView = nullptr;
    QWidget *horizontalWidget = nullptr;

    CDpiLayoutScaler m_scaler;
    QPointer<PaintListWidget> m_pPaintListWidget;
    QPointer<ColorWidget> m_pColorWidget;
    QPointer<SelectBgColorWidget> m_pSelectBgColorWidget;
    models::ScreenThread m_screenThread;
    CSharingControls *m_pSharingControls = nullptr;
    CControllableProbe *m_pControllableProbe = nullptr;
    bool m_bTakesMouse = false;
};

} // namespace rj_app::views
