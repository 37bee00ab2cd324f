#pragma once

#include "views/framework/CBaseWgt.h"

#include <memory>

namespace Ui {
class CJoinConfWidget;
}

namespace rj_app::views {

// The join panel: the first page of the home window after a skipped login.
// The same choices as the join dialog; it stays after a join and refreshes
// its recent numbers, password and device boxes on every show. Its scale is
// set by the home window through updateDpi.
class CJoinConfWidget : public CBaseWgt
{
    Q_OBJECT
public:
    explicit CJoinConfWidget(QWidget *parent = nullptr);
    ~CJoinConfWidget() override;

    // Keeps `scale` (1 when not above 0) and restyles the panel.
    void updateDpi(double scale);
    void joinConf(bool isAudioOnly);

protected slots:
    void slotOnVideoJoin();
    void slotOnAudioJoin();
    void slotOnLanguageChanged();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void updateTexts();

    std::unique_ptr<Ui::CJoinConfWidget> ui;
};

} // namespace rj_app::views
