#include "custom_controls/CComboBoxIgnoreScroll.h"

#include <QWheelEvent>

namespace rj_app::custom_controls {

CComboBoxIgnoreScroll::CComboBoxIgnoreScroll(QWidget *parent)
    : QComboBox(parent)
{
    setFocusPolicy(Qt::StrongFocus);
}

void CComboBoxIgnoreScroll::wheelEvent(QWheelEvent *event)
{
    if (hasFocus())
        QComboBox::wheelEvent(event);
    else
        event->ignore(); // goes on to the parent, which scrolls
}

} // namespace rj_app::custom_controls
