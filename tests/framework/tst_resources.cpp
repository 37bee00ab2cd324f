// The generated resources against the code: every resource path the sources
// build exists, at every scale they build it for; every picture a style
// sheet names exists; every picture is readable at the size its suffix
// promises.

#include "ResourceReferences.h"
#include "support/TestMain.h"

#include "custom_controls/CToolButton.h"
#include "views/framework/AppStyles.h"

#include <QDirIterator>
#include <QFile>
#include <QImageReader>
#include <QRegularExpression>

using glimora::test::ResourceReferences;

namespace {

QStringList allResources()
{
    QStringList out;
    QDirIterator it(QStringLiteral(":/resources"), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        out << it.next();
    return out;
}

QString readResource(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

QStringList urlsIn(const QString &sheet)
{
    static const QRegularExpression re(QStringLiteral("url\\(\"?(:/[^)\"]+)\"?\\)"));
    QStringList out;
    auto it = re.globalMatch(sheet);
    while (it.hasNext())
        out << it.next().captured(1);
    return out;
}

} // namespace

class TestResources : public QObject
{
    Q_OBJECT

private slots:
    // Read from the sources: a path written in full must exist; a name put
    // together from pieces must exist for the pieces the file holds, and a
    // name built with a scale suffix must exist at 1, 1.5 and 2.
    void resourcesTheCodeBuildsExist()
    {
        const ResourceReferences scanner(QStringLiteral(GLIMORA_SOURCE_DIR), allResources());
        const QVector<ResourceReferences::Reference> refs = scanner.scan();
        QVERIFY(scanner.filesRead() > 100);
        QStringList problems;
        QSet<QString> resolved;
        for (const auto &ref : refs) {
            for (const QString &p : ref.problems)
                problems << ref.where + QStringLiteral(" (") + ref.pattern + QStringLiteral("): ") + p;
            for (const QString &r : ref.resolved)
                resolved.insert(r);
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));

        // The scan sees the kinds of construction the code uses.
        for (const char *path : {
                 ":/resources/images/home-window/default_logged_in_user_avatar.png", // written in full
                 ":/resources/images/home-window/skip_logged_in_user_avatar.png",
                 ":/resources/qss/settings-form-2x.qss",                          // a sheet base
                 ":/resources/images/icon_sip@1.5x.png",                          // base name + suffix + ".png"
                 ":/resources/images/conferences/icon_list_edit-2x.png",          // "%1%2.png"
                 ":/resources/images/contacts/checkbox_checked_2x.png",           // a folder constant + pieces
                 ":/resources/images/window-title-bar/icon_mini_1.5x.png",        // suffix with extension
                 ":/resources/images/ScreenDrawing/icon_brush_click@2x.png",      // completed in another file
             })
            QVERIFY2(resolved.contains(QLatin1String(path)), path);
    }

    // Sheets that code puts together at run time name existing pictures.
    void runtimeSheetsNameExistingPictures()
    {
        QStringList urls;
        for (double s : {1.0, 1.5, 2.0})
            urls << urlsIn(rj_app::custom_controls::CToolButton::styleSheetFor(s));
        for (const QString *style : {&rj_app::styles::MinimizeButton, &rj_app::styles::MaximizeButton,
                                     &rj_app::styles::RestoreButton, &rj_app::styles::FullScreenButton,
                                     &rj_app::styles::ExitFullScreenButton}) {
            const QStringList own = urlsIn(*style);
            QCOMPARE(own.size(), 3);
            urls << own;
        }
        for (const QString &url : qAsConst(urls))
            QVERIFY2(QFile::exists(url), qPrintable(url));
    }

    // Every picture a style sheet points at exists, and every per-scale sheet
    // comes with its general sheet and its two sibling scales.
    void everySheetUrlExists()
    {
        QDirIterator it(QStringLiteral(":/resources/qss"), QDir::Files);
        int sheets = 0;
        while (it.hasNext()) {
            const QString path = it.next();
            ++sheets;
            for (const QString &url : urlsIn(readResource(path)))
                QVERIFY2(QFile::exists(url), qPrintable(path + QStringLiteral(": ") + url));
            static const QRegularExpression scaled(QStringLiteral("^(.*)-(1|1\\.5|2)x\\.qss$"));
            const auto m = scaled.match(path);
            if (m.hasMatch()) {
                QVERIFY2(QFile::exists(m.captured(1) + QStringLiteral(".qss")), qPrintable(path));
                for (const char *s : {"1", "1.5", "2"})
                    QVERIFY2(QFile::exists(m.captured(1) + QStringLiteral("-%1x.qss").arg(QLatin1String(s))),
                             qPrintable(path));
            }
        }
        QVERIFY(sheets >= 5);
    }

    void generatedImagesAreReadable()
    {
        QDirIterator it(QStringLiteral(":/resources/images"), QDir::Files, QDirIterator::Subdirectories);
        int images = 0;
        while (it.hasNext()) {
            const QString path = it.next();
            QImageReader reader(path);
            QVERIFY2(reader.canRead(), qPrintable(path));
            const QImage img = reader.read();
            QVERIFY2(!img.isNull(), qPrintable(path));
            ++images;
            // A suffix "@1.5x", "_2x", ... scales the picture of the plain name.
            static const QRegularExpression suffix(QStringLiteral("^(.*)[@_-](1\\.5|2)x(\\.\\w+)$"));
            const auto m = suffix.match(path);
            if (m.hasMatch() && QFile::exists(m.captured(1) + m.captured(3))) {
                const QSize base = QImageReader(m.captured(1) + m.captured(3)).size();
                const double s = m.captured(2).toDouble();
                QCOMPARE(img.size(), QSize(int(base.width() * s), int(base.height() * s)));
            }
        }
        QVERIFY(images > 20);
    }
};

GLIMORA_TEST_MAIN(TestResources)
#include "tst_resources.moc"
