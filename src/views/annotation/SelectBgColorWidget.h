#pragma once

#include "views/framework/CBaseWgt.h"

class QFrame;
class QHBoxLayout;
class QPushButton;

namespace rj_app::views {

// The overlay's board picker: black board, white board or the transparent
// screen. It reports the choice as a board colour text and nothing else.
class SelectBgColorWidget : public CBaseWgt
{
    Q_OBJECT
public:
    // The parent is not passed on (CBaseWgt); the overlay re-parents it.
    explicit SelectBgColorWidget(QWidget *parent = nullptr);
    ~SelectBgColorWidget() override;

    // The look and colour of the transparent choice, without a signal.
    void initSelection();

    // Colour text of the last choice; empty until the first one.
    QString m_strBgColor;

signals:
    void changeDrawBg(const QString &color);

protected slots:
    void selectBlackBg();
    void selectWhiteBg();
    void selectClearBg();

protected:
    void onDpiChanged() override;

private:
    void setupUi();
    void applyClearLook();

    QHBoxLayout *m_pHorizontalLayout = nullptr;
    QFrame *m_pBgFrame = nullptr;
    QHBoxLayout *m_pFrameLayout = nullptr;
    QPushButton *m_pBlackBg = nullptr;
    QPushButton *m_pWhiteBg = nullptr;
    QPushButton *m_pClearBg = nullptr;
};

} // namespace rj_app::views
