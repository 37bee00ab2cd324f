#include "helpers/CGeneralUtils.h"

#include <QBitmap>
#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QNetworkInterface>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QWidget>

namespace rj_app::helpers {

namespace {

// Style sheets are taken as UTF-8 up to the first zero byte.
bool readQss(const QString &path, QString *text)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning().noquote() << "Failed to open qss file:" << path;
        return false;
    }
    QByteArray data = file.readAll();
    const int zero = data.indexOf('\0');
    if (zero >= 0)
        data.truncate(zero);
    *text = QString::fromUtf8(data);
    return true;
}

} // namespace

bool CGeneralUtils::drawRectroundImageOnLabel(QLabel *label, const QString &path, int w, int h,
                                              int xr, int yr, bool darken)
{
    const QFileInfo info(path);
    if (!info.isFile() || info.size() <= 0) {
        qWarning() << "Invalid faile, isFile" << info.isFile() << ", file size:" << info.size();
        return false;
    }
    if (!label || w <= 0 || h <= 0) {
        qWarning() << "rj_app::helpers::CGeneralUtils::drawRectroundImageOnLabel"
                   << "no label or empty size:" << w << h;
        return false;
    }

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning().noquote() << "Failed to open image file:" << path;
        return false;
    }
    const QByteArray data = file.readAll();
    qDebug() << "File size: " << data.size();

    QPixmap source;
    source.loadFromData(data);
    if (source.isNull()) {
        // The label still shows the (empty) result, as for a picture, but the
        // caller learns that nothing was drawn.
        qWarning().noquote() << "Failed to decode image file:" << path;
        label->setFixedSize(w, h);
        label->setPixmap(QPixmap());
        return false;
    }

    QPainterPath shape;
    shape.addRoundedRect(QRectF(0, 0, w, h), xr, yr, Qt::AbsoluteSize);

    QBitmap mask(w, h);
    mask.fill(Qt::color0);
    {
        QPainter painter(&mask);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::color1);
        painter.drawPath(shape);
    }

    QPixmap scaled = source.scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    scaled.setMask(mask);

    if (darken) {
        QPainter painter(&scaled);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 0, 0, 80));
        painter.drawPath(shape);
    }

    label->setFixedSize(w, h);
    label->setPixmap(scaled);
    return true;
}

bool CGeneralUtils::drawRectroundImageOnLabel(QLabel *label, const QString &path, int w, int h)
{
    return drawRectroundImageOnLabel(label, path, w, h, w / 2, h / 2, false);
}

bool CGeneralUtils::isDoubleEqual(double a, double b)
{
    const double diff = a - b;
    return diff > -0.000001 && diff < 0.000001;
}

QString CGeneralUtils::getLocalIpAddress()
{
    return getLocalIpAddress(QNetworkInterface::allAddresses());
}

QString CGeneralUtils::getLocalIpAddress(const QList<QHostAddress> &addresses)
{
    const QHostAddress loopback(QHostAddress::LocalHost);
    for (const QHostAddress &address : addresses) {
        if (address == loopback)
            continue;
        if (address.toIPv4Address() != 0)
            return address.toString();
    }
    return loopback.toString();
}

bool CGeneralUtils::isFileExist(const QString &path)
{
    return QFileInfo(path).isFile();
}

bool CGeneralUtils::isNullOrEmpty(const QString &text)
{
    return text.isEmpty();
}

void CGeneralUtils::setStyle(QWidget *widget, const QString &qssPath)
{
    if (!widget)
        return;
    qDebug().noquote() << "CGeneralUtils::setStyle:" << widget->objectName();
    QString text;
    if (readQss(qssPath, &text))
        widget->setStyleSheet(text);
}

void CGeneralUtils::setStyle(QWidget *widget, const QStringList &qssPaths)
{
    if (!widget)
        return;
    qDebug() << "rj_app::helpers::CGeneralUtils::setStyle" << widget;
    QString sheet;
    for (const QString &path : qssPaths) {
        QString text;
        if (readQss(path, &text))
            sheet += text;
    }
    widget->setStyleSheet(sheet);
}

} // namespace rj_app::helpers
