#include "custom_controls/CClickedLabel.h"

#include <QMouseEvent>

namespace rj_app::custom_controls {

CClickedLabel::CClickedLabel(QWidget *parent)
    : QLabel(parent)
{
}

void CClickedLabel::mouseReleaseEvent(QMouseEvent *event)
{
    emit clicked(event->button());
    event->accept();
}

} // namespace rj_app::custom_controls
