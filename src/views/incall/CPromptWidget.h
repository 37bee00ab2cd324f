#pragma once

#include "views/framework/CBaseWgt.h"
#include "views/framework/CDpiLayoutScaler.h"

#include <QColor>

#include <memory>

class QLabel;
class QTimer;

namespace rj_app::views {

// A short-lived line of text on a translucent dark plate, shown over the
// current video surface (its parent, as a window of its own) for a given time.
class CPromptWidget : public CBaseWgt
{
    Q_OBJECT
public:
    explicit CPromptWidget(QWidget *parent = nullptr);
    ~CPromptWidget() override;

    // Shows `text` for `msec` milliseconds from now; a newer prompt replaces
    // the text and restarts the time.
    void showPrompt(QString text, int msec);
    // Centres the prompt horizontally on its parent, 80 % down its height.
    void updatePosition();
    // Hide or show only while the display time runs.
    void hideIfActive();
    void showIfActive();

    bool isShowing() const { return m_bShowing; }
    const QTimer *hideTimer() const { return m_pTimer.get(); }

public slots:
    void slot_Timer();

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void onDpiChanged() override;

private:
    double scale() const;
    void fitSize();
    void applyTextStyle();
    void centreText();

    QLabel *m_text = nullptr;
    int m_iFontPointSize = 14;
    QColor m_textColor = QColor(255, 255, 255, 255);
    QColor m_plateColor = QColor(0, 0, 0);
    int m_iVerticalPercent = 80;
    int m_iPlateAlpha = 178;
    bool m_bShowing = false;
    std::unique_ptr<QTimer> m_pTimer;
    CDpiLayoutScaler m_scaler;
};

} // namespace rj_app::views
