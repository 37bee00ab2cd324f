#pragma once

#include <QWidget>

class QPushButton;

namespace rj_app::views {

// The call controls along the top of the whiteboard window while this client
// sends a whiteboard. A child widget of that window.
class WhiteBoardTopWidget : public QWidget
{
    Q_OBJECT
public:
    explicit WhiteBoardTopWidget(QWidget *parent = nullptr);
    ~WhiteBoardTopWidget() override;

    void updateDpi(double scale);
    void updateShowPicture(bool visible);
    bool isShowPictureButtonVisible() const;

signals:
    void sigRefreshStatus();
    void sigOpenWhiteBoardTool();
    void sigClickedManagerButton();
    void sigClose();
    void sigOnShowPicture();
    void sigSettingWinClosed();

public slots:
    void slotHidePicture();

private:
    QPushButton *m_drawBtn = nullptr;
    QPushButton *m_closeBtn = nullptr;
    QPushButton *m_pBtnShowPic = nullptr;
    double m_dScale = 1.0;
};

} // namespace rj_app::views
