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

    void updateShowPicture(bool visible);
    bool isShowPictureButtonVisible() const;

signals:
    void sigOnShowPicture();
    void sigSettingWinClosed();
    void sigRefreshStatus();
    void sigClickManagerButton();

public slots:
    void slotHidePicture();

private:
    QPushButton *m_pBtnShowPicture = nullptr;
};

} // namespace rj_app::views
