#include "views/incall/CLayoutCoverDlg.h"

#include <QMouseEvent>

namespace rj_app::views {

CLayoutCoverDlg::CLayoutCoverDlg(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("CLayoutCoverDlg"));
    resize(400, 300);
    setMaximumSize(4096, 3112);
    setWindowTitle(QString());
    // Opacity 0 would let the clicks through to the window below.
    setWindowOpacity(0.01);
    // Moves without a button pressed are what the owner watches for.
    setAttribute(Qt::WA_MouseTracking);
}

void CLayoutCoverDlg::mousePressEvent(QMouseEvent *event)
{
    emit sigMousePress(event);
}

void CLayoutCoverDlg::mouseMoveEvent(QMouseEvent *event)
{
    emit sigMouseMove(event);
}

} // namespace rj_app::views
