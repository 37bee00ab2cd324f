#pragma once

#include <QRegion>

class QWidget;

namespace rj_app::platform {

// Which part of a top-level window takes the mouse. On X11 a translucent
// window takes every click inside its rectangle, transparent pixels
// included; an input shape (the X shape extension's input kind) limits the
// clicks it takes to a region, and the rest go to the windows below. The
// window's painting is not clipped, unlike QWidget::setMask.
class CInputShape
{
public:
    // Whether this display has input shapes (the xcb platform with the shape
    // extension); elsewhere the setters do nothing.
    static bool isSupported();

    // The window takes the mouse only inside `region` (widget coordinates).
    // Creates the native window when needed. False when not supported or
    // `window` is not a window. The region is set again each time the window
    // comes on screen: a window manager that frames the window copies the
    // client's input shape to its frame only when told of a change after
    // framing, and until then the frame takes every click.
    static bool setInputRegion(QWidget *window, const QRegion &region);

    // The whole window takes the mouse again.
    static bool clearInputRegion(QWidget *window);

    // The input region the display holds for the window, in widget
    // coordinates; empty when not supported or the window has no native
    // window yet.
    static QRegion inputRegion(QWidget *window);
};

} // namespace rj_app::platform
