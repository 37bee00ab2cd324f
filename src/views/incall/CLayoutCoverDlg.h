#pragma once

#include <QDialog>

class QMouseEvent;

namespace rj_app::views {

// A nearly invisible window laid over a group of video cells: native video
// swallows the mouse, so this catches moves and presses for its owner.
class CLayoutCoverDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CLayoutCoverDlg(QWidget *parent = nullptr);

signals:
    void sigMouseMove(QMouseEvent *event);
    void sigMousePress(QMouseEvent *event);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
};

} // namespace rj_app::views
