#pragma once

#include "views/framework/CBaseDlg.h"

#include <QColor>
#include <QPointer>

#include <functional>

class QFile;
class QHBoxLayout;
class QHttpMultiPart;
class QNetworkAccessManager;
class QNetworkReply;
class QPushButton;
class QVBoxLayout;
class QWindow;

namespace rj_app::views {

class ColorWidget;
class PaintListWidget;
class WhiteBoardSelectBgWidget;
class WhiteBoardTopWidget;
class WhiteBoardWebWidget;

// The whiteboard window: a window of its own for a sent whiteboard (or a
// received one when content opens in its own window), or embedded over the
// whiteboard cell of the call layout. Its tools become scripts of the page;
// the call window's event filter recognises it by its class name.
class WhiteBoardDlg : public CBaseDlg
{
    Q_OBJECT
public:
    // Asks for a background picture; tests replace the system file dialog.
    using FileChooser = std::function<QString(QWidget *parent)>;
    static void setFileChooser(FileChooser chooser);
    // An upload that has not finished after this long is given up, so the
    // next one can start. 0 restores the default.
    static void setUploadTimeoutMs(int ms);

    explicit WhiteBoardDlg(QWidget *parent = nullptr);
    ~WhiteBoardDlg() override;

    // false prepares receiving (no top bar); true prepares sending and
    // creates once, and shows, the top bar.
    void isSendWhiteBoard(bool send);
    // A fresh page when the current one was already used.
    void updateWebPage();
    void hideTitleBar();
    void releaseWebPage();

    bool isSending() const { return m_bSending; }
    bool hasWebPage() const;
    bool isUploading() const { return m_pNam4UploadBackground != nullptr; }
    WhiteBoardWebWidget *webWidget() const { return m_pWebWidget; }
    PaintListWidget *paintListWidget() const { return m_pPaintListWidget; }
    ColorWidget *colorWidget() const { return m_pColorWidget; }
    WhiteBoardSelectBgWidget *selectBgWidget() const { return m_pSelectBgWidget; }

    // Where the top bar, the drawing tool bar and its pickers lie over the
    // board, in global coordinates: the band along the board's top down to
    // the lower edge of a picker open under the bar.
    QRect toolsArea() const;

    // What the person reads when a background picture was not taken: the
    // HTTP status of the answer, 0 when none came.
    static QString uploadFailureText(int status);

    // Where a picker opens for a tool bar at `barPos` of height `barHeight`:
    // above the bar in the lower half of the screen's available height,
    // otherwise below, 10 px apart.
    static QPoint pickerPosition(const QPoint &barPos, int barHeight, int offsetX, int pickerHeight,
                                 int availableHeight);
    // The page's step for a pen or highlighter size, 0 when not in the table.
    static int sizeStep(bool highlighter, int size);
    // The table colour that matches exactly, alpha included; invalid when none.
    static QColor tableColor(bool highlighter, const QColor &color);

    // True unless the call layout embeds this instance in its whiteboard cell.
    bool m_bIsSeperateDlg = true;
    WhiteBoardTopWidget *m_pBoardTopWidget = nullptr;

signals:
    void sigHiddenWhiteBoard();
    void sigRefreshStatus();
    void sigClickManagerButton();
    void sigMouseMove4PaintList();

private slots:
    void slotOnWinMin();
    void slotOnWinMax();
    void slotOnWinRestore();
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
    void slotStopWhiteBoard();
    void slotShowWhiteBoardTool();
    void slotClickedBlack();
    void slotClickedWhite();
    void slotClickedSelect();
    void slotOnUploadBackgroundFinished(QNetworkReply *reply);
    void slotOnMouseMove4PaintList();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void onDpiChanged() override;

private:
    // The tool bar, its pickers and the top bar over the board, above it.
    void raiseTools();
    void showToolBar();
    void watchNativeWindow();
    void setupUi();
    void hidePickers(bool colour, bool background);
    void placePicker(QWidget *picker, int offsetX);
    void paintListWidgetPos();
    void followWithToolBar();
    void placeTopWidget();
    void updateStateButtons();
    void releaseUpload();

    QVBoxLayout *verticalLayout = nullptr;
    QWidget *m_pWgtTitleBar = nullptr;
    QHBoxLayout *horizontalLayout = nullptr;
    QPushButton *m_pBtnMin = nullptr;
    QPushButton *m_pBtnMax = nullptr;
    QPushButton *m_pBtnRestore = nullptr;
    QWidget *m_pLayout = nullptr;
    QVBoxLayout *m_pLayoutContext = nullptr;

    WhiteBoardWebWidget *m_pWebWidget = nullptr;
    PaintListWidget *m_pPaintListWidget = nullptr;
    ColorWidget *m_pColorWidget = nullptr;
    WhiteBoardSelectBgWidget *m_pSelectBgWidget = nullptr;
    QNetworkAccessManager *m_pNam4UploadBackground = nullptr;
    QFile *m_pUploadFile = nullptr;
    QHttpMultiPart *m_pUploadBody = nullptr;
    bool m_bSending = false;
    QPointer<QWindow> m_pWatchedWindow;
    bool m_bExposed = false;
    bool m_bToolBarOnExpose = false;
};

} // namespace rj_app::views
