#pragma once

#include <QComboBox>

namespace rj_app::custom_controls {

// A combo box that leaves the wheel to its scrolling page unless it has the focus.
class CComboBoxIgnoreScroll : public QComboBox
{
    Q_OBJECT
public:
    explicit CComboBoxIgnoreScroll(QWidget *parent = nullptr);

protected:
    void wheelEvent(QWheelEvent *event) override;
};

} // namespace rj_app::custom_controls
