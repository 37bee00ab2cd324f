#include "support/TestMain.h"

#include "helpers/CGeneralUtils.h"
#include "helpers/CResourceUsageMonitor.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QWidget>

#include <cmath>
#include <limits>

using rj_app::helpers::CGeneralUtils;
using rj_app::helpers::CResourceUsageMonitor;

namespace {

// Collects every Qt message while alive, so tests can check log texts.
class MessageCapture
{
public:
    MessageCapture()
    {
        s_messages.clear();
        m_previous = qInstallMessageHandler(&MessageCapture::handler);
    }
    ~MessageCapture() { qInstallMessageHandler(m_previous); }

    QStringList messages(QtMsgType type) const
    {
        QStringList out;
        for (const auto &m : qAsConst(s_messages))
            if (m.first == type)
                out << m.second;
        return out;
    }

private:
    static void handler(QtMsgType type, const QMessageLogContext &, const QString &text)
    {
        s_messages.append({type, text});
    }
    static inline QList<QPair<QtMsgType, QString>> s_messages;
    QtMessageHandler m_previous = nullptr;
};

QString writeFile(const QDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return QString();
    return path;
}

} // namespace

class TestUtilities : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir{glimora::test::isolatedRoot() + QStringLiteral("/utilities-XXXXXX")};

    QString whitePicture()
    {
        QImage image(100, 80, QImage::Format_RGB32);
        image.fill(Qt::white);
        const QString path = m_dir.filePath(QStringLiteral("white.png"));
        if (!QFile::exists(path))
            image.save(path, "PNG");
        return path;
    }

private slots:
    void roundedPicture_data()
    {
        QTest::addColumn<int>("w");
        QTest::addColumn<int>("h");
        QTest::addColumn<int>("radius"); // -1: the ellipse form
        QTest::addColumn<bool>("darken");
        QTest::addColumn<QPoint>("insidePoint");
        QTest::newRow("circle") << 40 << 40 << -1 << false << QPoint(20, 20);
        QTest::newRow("ellipse") << 60 << 30 << -1 << false << QPoint(30, 15);
        // Inside the corner arc of radius 8, far outside the inscribed circle.
        QTest::newRow("rounded") << 50 << 50 << 8 << false << QPoint(4, 4);
        QTest::newRow("rounded darkened") << 50 << 50 << 8 << true << QPoint(25, 25);
    }
    void roundedPicture()
    {
        QFETCH(int, w);
        QFETCH(int, h);
        QFETCH(int, radius);
        QFETCH(bool, darken);
        QFETCH(QPoint, insidePoint);

        QLabel label;
        const bool ok = radius < 0
            ? CGeneralUtils::drawRectroundImageOnLabel(&label, whitePicture(), w, h)
            : CGeneralUtils::drawRectroundImageOnLabel(&label, whitePicture(), w, h, radius,
                                                       radius, darken);
        QVERIFY(ok);
        QCOMPARE(label.minimumSize(), QSize(w, h));
        QCOMPARE(label.maximumSize(), QSize(w, h));

        const QImage shown = label.pixmap(Qt::ReturnByValue).toImage()
                                 .convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(shown.size(), QSize(w, h));
        // Every corner is cut away; the inside keeps the picture.
        for (const QPoint corner : {QPoint(0, 0), QPoint(1, 1), QPoint(w - 1, 0),
                                    QPoint(0, h - 1), QPoint(w - 1, h - 1)})
            QCOMPARE(qAlpha(shown.pixel(corner)), 0);
        const QRgb inside = shown.pixel(insidePoint);
        QCOMPARE(qAlpha(inside), 255);
        if (darken) {
            // White under black at alpha 80: about 255 * (1 - 80 / 255) = 175.
            QVERIFY2(qAbs(qRed(inside) - 175) <= 2, qPrintable(QString::number(qRed(inside))));
            QCOMPARE(qRed(inside), qBlue(inside));
        } else {
            QCOMPARE(QColor(inside), QColor(Qt::white));
        }
    }

    void roundedPictureRejectsBadFiles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("labelTouched");
        QTest::newRow("missing") << QStringLiteral("missing.png") << false;
        QTest::newRow("empty file") << QStringLiteral("empty.png") << false;
        QTest::newRow("directory") << QStringLiteral("adir") << false;
        QTest::newRow("not a picture") << QStringLiteral("garbage.png") << true;
    }
    void roundedPictureRejectsBadFiles()
    {
        QFETCH(QString, name);
        QFETCH(bool, labelTouched);
        const QDir dir(m_dir.path());
        writeFile(dir, QStringLiteral("empty.png"), QByteArray());
        writeFile(dir, QStringLiteral("garbage.png"), QByteArray("this is no picture"));
        dir.mkpath(QStringLiteral("adir"));

        QLabel label;
        label.setPixmap(QPixmap(QStringLiteral(":/nothing")));
        label.setText(QStringLiteral("before"));
        MessageCapture capture;
        QVERIFY(!CGeneralUtils::drawRectroundImageOnLabel(&label, dir.filePath(name), 30, 30));
        if (labelTouched) {
            QCOMPARE(label.minimumSize(), QSize(30, 30));
            QVERIFY(label.text().isEmpty());
        } else {
            QCOMPARE(label.text(), QStringLiteral("before"));
            QCOMPARE(label.minimumSize(), QSize(0, 0));
            const QStringList warnings = capture.messages(QtWarningMsg);
            QCOMPARE(warnings.size(), 1);
            QVERIFY2(warnings.first().startsWith(QStringLiteral("Invalid faile, isFile")),
                     qPrintable(warnings.first()));
        }
    }

    void doubleEquality_data()
    {
        QTest::addColumn<double>("a");
        QTest::addColumn<double>("b");
        QTest::addColumn<bool>("equal");
        QTest::newRow("same") << 1.25 << 1.25 << true;
        QTest::newRow("exactly the tolerance above") << 0.000001 << 0.0 << false;
        QTest::newRow("exactly the tolerance below") << 0.0 << 0.000001 << false;
        QTest::newRow("just inside") << 0.0000009 << 0.0 << true;
        QTest::newRow("just inside, negative") << -0.0000009 << 0.0 << true;
        QTest::newRow("far apart") << 1.0 << 2.0 << false;
        QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << 0.0 << false;
    }
    void doubleEquality()
    {
        QFETCH(double, a);
        QFETCH(double, b);
        QFETCH(bool, equal);
        QCOMPARE(CGeneralUtils::isDoubleEqual(a, b), equal);
    }

    void localIpAddress_data()
    {
        QTest::addColumn<QStringList>("addresses");
        QTest::addColumn<QString>("expected");
        QTest::newRow("loopback and IPv6 only")
            << QStringList{"127.0.0.1", "::1", "fe80::1"} << QStringLiteral("127.0.0.1");
        QTest::newRow("nothing") << QStringList{} << QStringLiteral("127.0.0.1");
        QTest::newRow("first IPv4 after loopback")
            << QStringList{"127.0.0.1", "fe80::1", "192.168.3.7", "10.0.0.2"}
            << QStringLiteral("192.168.3.7");
    }
    void localIpAddress()
    {
        QFETCH(QStringList, addresses);
        QFETCH(QString, expected);
        QList<QHostAddress> list;
        for (const QString &text : qAsConst(addresses))
            list << QHostAddress(text);
        QCOMPARE(CGeneralUtils::getLocalIpAddress(list), expected);
        // The machine's own answer is always an IPv4 text.
        QCOMPARE(QHostAddress(CGeneralUtils::getLocalIpAddress()).protocol(),
                 QAbstractSocket::IPv4Protocol);
    }

    void fileExists()
    {
        const QDir dir(m_dir.path());
        const QString file = writeFile(dir, QStringLiteral("plain.txt"), "x");
        QVERIFY(CGeneralUtils::isFileExist(file));
        QVERIFY(!CGeneralUtils::isFileExist(m_dir.path()));
        QVERIFY(!CGeneralUtils::isFileExist(dir.filePath(QStringLiteral("nope.txt"))));
    }

    void styleFromList()
    {
        const QDir dir(m_dir.path());
        const QString missing = dir.filePath(QStringLiteral("missing.qss"));
        const QString first = writeFile(dir, QStringLiteral("a.qss"), "QLabel{color:red;}");
        // Text after a zero byte is not part of the sheet.
        const QString second = writeFile(dir, QStringLiteral("b.qss"),
                                         QByteArray("QLabel{margin:2px;}\0junk", 24));

        QWidget widget;
        MessageCapture capture;
        CGeneralUtils::setStyle(&widget, QStringList{missing, second});
        QCOMPARE(widget.styleSheet(), QStringLiteral("QLabel{margin:2px;}"));
        QCOMPARE(capture.messages(QtWarningMsg),
                 QStringList{QStringLiteral("Failed to open qss file: ") + missing});

        CGeneralUtils::setStyle(&widget, QStringList{first, second});
        QCOMPARE(widget.styleSheet(), QStringLiteral("QLabel{color:red;}QLabel{margin:2px;}"));
    }

    void styleFromOneFile()
    {
        const QDir dir(m_dir.path());
        const QString sheet = writeFile(dir, QStringLiteral("one.qss"), "QWidget{color:blue;}");
        QWidget widget;
        widget.setObjectName(QStringLiteral("probe"));
        MessageCapture capture;
        CGeneralUtils::setStyle(&widget, sheet);
        QCOMPARE(widget.styleSheet(), QStringLiteral("QWidget{color:blue;}"));
        QVERIFY(capture.messages(QtDebugMsg).contains(QStringLiteral("CGeneralUtils::setStyle: probe")));

        // A file that cannot be opened keeps the sheet the widget had.
        CGeneralUtils::setStyle(&widget, dir.filePath(QStringLiteral("gone.qss")));
        QCOMPARE(widget.styleSheet(), QStringLiteral("QWidget{color:blue;}"));
    }
    void memoryLine_data()
    {
        QTest::addColumn<QByteArray>("status");
        QTest::addColumn<QByteArray>("meminfo");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("warnings");

        const QByteArray status = "Name:\tglimora\nVmPeak:\t  900000 kB\nVmHWM:\t   60000 kB\n"
                                  "VmRSS:\t   51234 kB\nRssAnon:\t   40000 kB\nThreads:\t12\n";
        const QByteArray meminfo = "MemTotal:       16000000 kB\nMemFree:         1000000 kB\n"
                                   "MemAvailable:    8001234 kB\nBuffers:          200000 kB\n";
        const QString system =
            QStringLiteral(" Available physical memory(K):8001234 usage(%):49");

        QTest::newRow("both figures")
            << status << meminfo << QStringLiteral("App memory(K):51234") + system
            << QStringList();
        // A kernel thread or a restricted /proc has no VmRSS line.
        QTest::newRow("no process figure")
            << QByteArray("Name:\tglimora\nVmHWM:\t 1 kB\n") << meminfo << system
            << QStringList{QStringLiteral("Failed to get process memory info")};
        QTest::newRow("nothing readable")
            << QByteArray() << QByteArray() << QString()
            << QStringList{QStringLiteral("Failed to get process memory info"),
                           QStringLiteral("Failed to get system memory info")};
        QTest::newRow("zero total")
            << status << QByteArray("MemTotal: 0 kB\nMemAvailable: 0 kB\n")
            << QStringLiteral("App memory(K):51234")
            << QStringList{QStringLiteral("Failed to get system memory info")};
        QTest::newRow("everything in use")
            << status << QByteArray("MemTotal: 4096 kB\nMemAvailable: 0 kB\n")
            << QStringLiteral("App memory(K):51234 Available physical memory(K):0 usage(%):100")
            << QStringList();
    }
    void memoryLine()
    {
        QFETCH(QByteArray, status);
        QFETCH(QByteArray, meminfo);
        QFETCH(QString, line);
        QFETCH(QStringList, warnings);
        MessageCapture capture;
        QCOMPARE(CResourceUsageMonitor::memoryUsageText(status, meminfo), line);
        QCOMPARE(capture.messages(QtWarningMsg), warnings);
    }

    void memoryLineOfThisProcess()
    {
        CResourceUsageMonitor monitor;
        MessageCapture capture;
        monitor.outputMemoryUsage();
        QVERIFY(capture.messages(QtWarningMsg).isEmpty());
        const QStringList infos = capture.messages(QtInfoMsg);
        QCOMPARE(infos.size(), 1);
        const QRegularExpression format(QStringLiteral(
            "^App memory\\(K\\):(\\d+) Available physical memory\\(K\\):\\d+ usage\\(%\\):(\\d+)$"));
        const QRegularExpressionMatch match = format.match(infos.first());
        QVERIFY2(match.hasMatch(), qPrintable(infos.first()));
        QVERIFY(match.captured(1).toLongLong() > 0);
        QVERIFY(match.captured(2).toInt() <= 100);
    }

    void startMonitorTwiceMakesOneTimer()
    {
        CResourceUsageMonitor monitor;
        MessageCapture capture;
        monitor.startMonitor();
        monitor.startMonitor();
        const QString name = QStringLiteral("rj_app::helpers::CResourceUsageMonitor::startMonitor");
        QCOMPARE(capture.messages(QtDebugMsg),
                 (QStringList{name, name + QStringLiteral(" done"), name}));
    }
};

GLIMORA_TEST_MAIN(TestUtilities)
#include "tst_utilities.moc"
