#pragma once

#include <QHostAddress>
#include <QList>
#include <QString>
#include <QStringList>

class QLabel;
class QWidget;

namespace rj_app::helpers {

// Stateless helpers shared across the client.
class CGeneralUtils
{
public:
    CGeneralUtils() = delete;

    // Loads the picture at `path`, scales it to w x h, cuts it to a rounded
    // rectangle with radii xr/yr (darkened when asked) and shows it on `label`,
    // whose size is fixed to w x h. False when the file is missing, empty or
    // not a picture.
    static bool drawRectroundImageOnLabel(QLabel *label, const QString &path, int w, int h,
                                          int xr, int yr, bool darken);
    // An ellipse filling w x h (a circle for a square), not darkened.
    static bool drawRectroundImageOnLabel(QLabel *label, const QString &path, int w, int h);

    // True when a and b differ by strictly less than 0.000001.
    static bool isDoubleEqual(double a, double b);

    // First non-loopback IPv4 address of this machine, else "127.0.0.1".
    static QString getLocalIpAddress();
    // The same choice made over the given addresses, in their order.
    static QString getLocalIpAddress(const QList<QHostAddress> &addresses);

    // True for an existing regular file; false for directories.
    static bool isFileExist(const QString &path);
    static bool isNullOrEmpty(const QString &text);

    // Sets the style sheet read from one file; a file that cannot be opened
    // leaves the widget's sheet as it was.
    static void setStyle(QWidget *widget, const QString &qssPath);
    // Sets the concatenation of the files that can be read, in list order.
    static void setStyle(QWidget *widget, const QStringList &qssPaths);
};

} // namespace rj_app::helpers
