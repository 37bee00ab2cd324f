#pragma once

#include "views/framework/CBaseWgt.h"

#include <QColor>

#include <array>

class QFrame;
class QGridLayout;
class QPushButton;
class QVBoxLayout;

namespace rj_app::views {

// The colour and line size popup of the pen and the highlighter. It keeps one
// colour and one size for each tool; m_bIsNitePen says which one it shows and
// changes. The owner reads getColor() / getSize() on changeColor() / changeSize().
class ColorWidget : public CBaseWgt
{
    Q_OBJECT
public:
    // The parent is not passed on (CBaseWgt); the owner re-parents it.
    explicit ColorWidget(QWidget *parent = nullptr);
    ~ColorWidget() override;

    QColor getColor() const;
    qint16 getSize() const;
    // Shows the current mode's choice again and reports both values.
    void refreshSelection();

    // True while the picker shows and changes the highlighter's values.
    bool m_bIsNitePen = false;

signals:
    void changeColor();
    void changeSize();

protected slots:
    void onClickedBlackColor();
    void onClickedWhiteColor();
    void onClickedBlueColor();
    void onClickedGreenColor();
    void onClickedYellowColor();
    void onClickedOrangleColor();
    void onClickedRedColor();
    void onClickedPurpleColor();
    void onButtonSize1Clicked();
    void onButtonSize2Clicked();
    void onButtonSize3Clicked();
    void onButtonSize4Clicked();

protected:
    void onDpiChanged() override;

private:
    void setupUi();
    void chooseSwatch(int swatch);
    void chooseSize(int step);
    QString swatchStyle(int swatch, bool selected, int selectedSwatch) const;

    qint16 m_iPenSize;
    qint16 m_iNitePenSize;
    QColor m_penColor;
    QColor m_nitePenColor;

    QVBoxLayout *m_pVerticalLayout = nullptr;
    QFrame *m_pBgFrame = nullptr;
    QGridLayout *m_pGridLayout = nullptr;
    std::array<QPushButton *, 8> m_swatches{};
    std::array<QPushButton *, 4> m_sizeButtons{};
};

} // namespace rj_app::views
