#include "views/framework/CScaleRule.h"

#include "helpers/CGeneralUtils.h"

#include <QDebug>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace rj_app::views {

double CScaleRule::scaleForDpi(unsigned int dpi)
{
    const double ratio = static_cast<double>(dpi) / 96.0;
    if (ratio >= 2.0)
        return 2.0;
    if (ratio >= 1.5)
        return 1.5;
    return 1.0;
}

QStringList CScaleRule::styleSheetFiles(const QString &basePath, double scale)
{
    return {basePath + QStringLiteral(".qss"),
            basePath + QLatin1Char('-') + QString::number(scale, 'g', 6) + QStringLiteral("x.qss")};
}

bool CScaleRule::takeDpi(const char *logName, const QWidget *widget, unsigned int dpi,
                         unsigned int &lastDpi, double &factor)
{
    if (dpi == lastDpi) {
        qDebug() << logName << widget << "Dpi not changed";
        return false;
    }
    lastDpi = dpi;
    const double scale = scaleForDpi(dpi);
    if (helpers::CGeneralUtils::isDoubleEqual(scale, factor)) {
        qDebug() << logName << widget << "fStretchFactor not changed";
        return false;
    }
    factor = scale;
    return true;
}

QScreen *CScaleRule::screenOf(const QWidget *widget)
{
    if (!widget)
        return QGuiApplication::primaryScreen();
    // A child widget reports its position inside its parent; the screen is
    // found from where it really is on the desktop.
    const QPoint topLeft = widget->isWindow() ? widget->pos() : widget->mapToGlobal(QPoint(0, 0));
    const QPoint center(topLeft.x() + widget->width() / 2, topLeft.y() + widget->height() / 2);
    QScreen *screen = QGuiApplication::screenAt(center);
    if (!screen) {
        qWarning() << "Can not get valid screen by center point:" << center << widget;
        screen = QGuiApplication::primaryScreen();
        if (!screen)
            qWarning() << "primaryScreen is invalid";
    }
    return screen;
}

void CScaleRule::centerOn(QWidget *widget, QScreen *screen)
{
    if (!widget)
        return;
    if (!screen) {
        qWarning() << "Can not get valid screen";
        return;
    }
    const QRect avail = screen->availableGeometry();
    const QPoint target(avail.left() + (avail.width() - widget->width()) / 2,
                        avail.top() + (avail.height() - widget->height()) / 2);
    qDebug() << "Screen" << screen->name() << "logical dpi" << screen->logicalDotsPerInch()
             << "available" << avail << "geometry" << screen->geometry() << "Move window to "
             << target;
    widget->move(target);
}

void CScaleRule::keepOnScreen(QWidget *window, QScreen *screen)
{
    if (!window || !screen)
        return;
    const QRect avail = screen->availableGeometry();
    const QRect frame = window->frameGeometry();
    const QPoint target(qMax(avail.left(), qMin(frame.left(), avail.right() + 1 - frame.width())),
                        qMax(avail.top(), qMin(frame.top(), avail.bottom() + 1 - frame.height())));
    if (target != frame.topLeft()) {
        qInfo() << "Move" << window << "back onto the screen, to" << target;
        window->move(target);
    }
}

} // namespace rj_app::views
