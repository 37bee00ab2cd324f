#pragma once

#include "views/framework/CBaseWgt.h"
#include "views/framework/CDpiLayoutScaler.h"

#include <memory>

namespace Ui {
class CContainerSettingsFormWidget;
}

namespace rj_app::views {

class CSettingsForm;

// A small frameless window hosting its own settings page set, opened from
// the call toolbar's device popups, the login window and the sharing
// toolbars. Dragged by its title bar; tells its opener when it closes. The
// opener sets Qt::WA_DeleteOnClose and re-parents it if it wants to.
// GUI thread only.
class CContainerSettingsFormWidget : public CBaseWgt
{
    Q_OBJECT
public:
    explicit CContainerSettingsFormWidget(QWidget *parent = nullptr);
    ~CContainerSettingsFormWidget() override;

    // Selects the page (2 Audio, 3 Video, ...) in the list and the stack.
    void setCurrentTab(int index);
    void centerWindow();

signals:
    // The window is about to close.
    void closeWindow();

public slots:
    void closeTheWindow();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void onDpiChanged() override;

private:
    std::unique_ptr<Ui::CContainerSettingsFormWidget> ui;
    CSettingsForm *m_pSettingsForm = nullptr;
    CDpiLayoutScaler m_scaler;
    bool m_bDragging = false;
    int m_iLastMouseX = 0;
    int m_iLastMouseY = 0;
};

} // namespace rj_app::views
