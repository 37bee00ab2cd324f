#pragma once

#include "engine/RJTypes.h"
#include "views/framework/CBaseWgt.h"
#include "views/framework/CDpiLayoutScaler.h"

#include <vector>

class CWidgetContents;
class QCheckBox;
class QFrame;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QScrollArea;
class QSpacerItem;
class QVBoxLayout;

namespace rj_app::views {

class CArrowWidget;

// "Choose to share content": one tile per screen the engine offers, plus the
// whiteboard, and the sound and fluency options. "Share" or a double click
// starts sharing the chosen source and closes the window.
//
// The layout engine is the parent of this window's parent; when there is one
// it is told which of QGuiApplication::screens() is shared through its
// invokable setShareScreenIndex(int).
class CSelectShareContent : public CBaseWgt
{
    Q_OBJECT

public:
    static constexpr int m_iBaseWidth = 752;
    static constexpr int m_iBaseHeight = 536;

    // The form's widgets, built in code; texts in the context "CSelectShareContent".
    struct Form
    {
        QVBoxLayout *verticalLayout = nullptr;
        QFrame *Titlebar = nullptr;
        QHBoxLayout *titleLayout = nullptr;
        QLabel *titleName = nullptr;
        QPushButton *close = nullptr;
        QScrollArea *scrollArea = nullptr;
        QWidget *scrollAreaWidgetContents = nullptr;
        QVBoxLayout *verticalLayout_2 = nullptr;
        QLabel *desktoptips = nullptr;
        QSpacerItem *desktopSpacer = nullptr;  // 12 high, under "desktoptips"
        CWidgetContents *desktopwidget = nullptr;
        QSpacerItem *windowGapSpacer = nullptr; // 15 high, above "windowtips"
        QLabel *windowtips = nullptr;
        QSpacerItem *windowSpacer = nullptr;   // 12 high, under "windowtips"
        CWidgetContents *windowwidget = nullptr;
        QFrame *toolbar = nullptr;
        QHBoxLayout *horizontalLayout_2 = nullptr;
        QCheckBox *cBshareSound = nullptr;
        QPushButton *pBtHelp = nullptr;
        QCheckBox *m_pChkBoxContentHighFPS = nullptr;
        QPushButton *m_pChkBoxContentHighFPSHelp = nullptr;
        QPushButton *pBtShare = nullptr;

        void setupUi(QWidget *form);
        void retranslateUi(QWidget *form);
    };

    explicit CSelectShareContent(QWidget *parent);
    ~CSelectShareContent() override;

    void setContentSourceList(std::vector<rj::engine::RJContentSourceInfo> list);
    void setShareAudioChecked(bool checked);
    void setHighFpsChecked(bool checked);
    void stopCurrentContent();

    const Form &form() const { return m_ui; }
    CArrowWidget *soundTip() const { return m_pSoundTip; }
    CArrowWidget *fluencyTip() const { return m_pFluencyTip; }

public slots:
    void slot_contentSelected();
    void on_pBtShare_clicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void onDpiChanged() override;

private:
    void updateScrollContentsHeight();
    void placeTip(CArrowWidget *tip, QWidget *helpButton);
    QObject *layoutEngine() const;
    void setShareScreenIndex(QObject *engine, int index);

    Form m_ui;
    CArrowWidget *m_pSoundTip = nullptr;
    CArrowWidget *m_pFluencyTip = nullptr;
    CDpiLayoutScaler m_scaler;
    bool m_bDragging = false;
    int m_iLastX = 0;
    int m_iLastY = 0;
};

} // namespace rj_app::views
