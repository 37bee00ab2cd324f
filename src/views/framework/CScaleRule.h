#pragma once

#include <QString>
#include <QStringList>

class QScreen;
class QWidget;

namespace rj_app::views {

// The rule shared by every window: DPI to scale, and the style sheets of a
// base path at a scale.
struct CScaleRule
{
    // 2 when dpi / 96 >= 2, 1.5 when >= 1.5, else 1.
    static double scaleForDpi(unsigned int dpi);
    // { basePath + ".qss", basePath + "-<scale>x.qss" }
    static QStringList styleSheetFiles(const QString &basePath, double scale);
    // Takes a DPI reading of `widget`: remembers it in `lastDpi` and its scale
    // in `factor`. True when the scale changed; otherwise logs why not, the
    // line starting with `logName`.
    static bool takeDpi(const char *logName, const QWidget *widget, unsigned int dpi,
                        unsigned int &lastDpi, double &factor);
    // The screen under the centre of `widget`, else the primary screen.
    static QScreen *screenOf(const QWidget *widget);
    // Moves `widget` to the centre of the available area of `screen`.
    static void centerOn(QWidget *widget, QScreen *screen);
    // Moves a window that grew past the available area of `screen` back
    // onto it: whole where it fits, else its left and top edges, where its
    // title bar and menu are.
    static void keepOnScreen(QWidget *window, QScreen *screen);
};

} // namespace rj_app::views
