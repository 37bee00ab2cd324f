#pragma once

#include "views/framework/CBaseWgt.h"

class QFrame;
class QHBoxLayout;
class QPushButton;
class QVBoxLayout;

namespace rj_app::views {

// The background picker of the web whiteboard window: black, white, or a
// picture to upload. The chosen button wears the accent frame; the owner
// acts on the signals.
class WhiteBoardSelectBgWidget : public CBaseWgt
{
    Q_OBJECT
public:
    // The parent is not passed on (CBaseWgt); the owner re-parents it.
    explicit WhiteBoardSelectBgWidget(QWidget *parent = nullptr);
    ~WhiteBoardSelectBgWidget() override;

signals:
    void sigClickedBlackBtn();
    void sigClickedWhiteBtn();
    void sigClickedSelectBtn();

protected slots:
    void slotClickedBlackBtn();
    void slotClickedWhiteBtn();
    void slotClickedSelectBtn();

protected:
    void onDpiChanged() override;

private:
    void setupUi();
    void retranslateUi();

    QVBoxLayout *m_pVerticalLayout = nullptr;
    QFrame *m_pBgFrame = nullptr;
    QHBoxLayout *m_pHorizontalLayout2 = nullptr;
    QPushButton *m_blackBg = nullptr;
    QPushButton *m_whiteBg = nullptr;
    QPushButton *m_selectImg = nullptr;
};

} // namespace rj_app::views
