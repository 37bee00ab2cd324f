#pragma once

#include "engine/RJTypes.h"
#include "views/framework/CBaseWgt.h"

#include <QButtonGroup>

#include <vector>

class QFrame;
class QLabel;
class QPushButton;
class QSpacerItem;
class QVBoxLayout;

namespace rj_app::views {

// The camera picker above the call toolbar's camera button, with an entry
// that opens the video settings. Filled once by refreshDevices; deletes
// itself when closed.
class menuVideoWidget : public CBaseWgt
{
    Q_OBJECT
public:
    explicit menuVideoWidget(double scale, QWidget *parent = nullptr);
    ~menuVideoWidget() override;

    // Reads the camera list and the camera in use, then builds the form.
    void refreshDevices();

signals:
    void sigShowVideoSetting();

public slots:
    void slot_checked_cam(int nId);
    void slot_clicked_showsets();

private:
    void buildForm();

    QLabel *m_pTitle = nullptr;
    QFrame *m_pLine = nullptr;
    QPushButton *m_pBtnSettings = nullptr;
    QSpacerItem *m_pSpacer = nullptr;
    QVBoxLayout *m_pLayout = nullptr;
    QButtonGroup m_camGroup;
    std::vector<rj::engine::RJDevice> m_camList;
    rj::engine::RJDevice m_currentCam;
};

} // namespace rj_app::views
