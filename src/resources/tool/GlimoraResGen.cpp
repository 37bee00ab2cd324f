// Build-time generator of the client's resources.
//
//   glimora_resgen <source dir> <output dir>
//
// Reads from the source dir (src/resources):
//   palette.txt            Name=#rrggbb lines; "@Name@" in sheets and SVGs becomes the colour
//   qss/<base>.qss         general sheet, written as is after substitution
//   qss/<base>.scaled.qss  per-scale template: "@12@" becomes int(12 x scale), "@at@"
//                          "", "@1.5x" or "@2x" (also "@us@" with "_", "@dash@" with "-");
//                          written as <base>-1x.qss, <base>-1.5x.qss and <base>-2x.qss
//   images/icons.txt       icon manifest, see below
//   images/svg/*.svg       icon sources, rasterised as the manifest says
//   images/animations.txt  waiting animations drawn here and written as GIF
//   any other file below qss/, images/ or sounds/ is taken verbatim
// and writes the output files plus "glimora.qrc", which maps every file to
// ":/resources/<relative path>".
//
// Manifest line: <output name> <svg file> <W>x<H> [key=value ...]
//   The output name may contain "{s}", replaced by each entry of suffixes=
//   (comma separated, an empty entry is allowed); the scale of an entry is the
//   number before its "x" ("_1.5x" is 1.5), 1 when it has none.
//   Any other key=value replaces "@key@" in the SVG (value: #colour, a palette
//   name or "none").

#include <QBuffer>
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSvgRenderer>
#include <QTextStream>
#include <QtMath>

#include <cstdio>
#include <map>

namespace {

struct Scale
{
    const char *label; // as in the sheet file names: "1", "1.5", "2"
    int halves;        // scale x 2, so that products truncate like the layout scaler
};
constexpr Scale kScales[] = {{"1", 2}, {"1.5", 3}, {"2", 4}};

// Image-name suffixes a sheet may need: "@at@" gives "", "@1.5x", "@2x"; "@us@" the same
// with "_", "@dash@" with "-"; "@scale@" the label itself.
QHash<QString, QString> scaleWords(const Scale &sc)
{
    const QString label = QLatin1String(sc.label);
    const QString tail = sc.halves == 2 ? QString() : label + QLatin1Char('x');
    auto with = [&](char c) { return tail.isEmpty() ? tail : QLatin1Char(c) + tail; };
    return {{QStringLiteral("at"), with('@')},
            {QStringLiteral("us"), with('_')},
            {QStringLiteral("dash"), with('-')},
            {QStringLiteral("scale"), label}};
}

QString g_error;

bool fail(const QString &msg)
{
    if (g_error.isEmpty())
        g_error = msg;
    return false;
}

bool readText(const QString &path, QString *out)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read %1: %2").arg(path, f.errorString()));
    *out = QString::fromUtf8(f.readAll());
    return true;
}

bool writeBytes(const QString &path, const QByteArray &data)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return fail(QStringLiteral("cannot write %1: %2").arg(path, f.errorString()));
    f.write(data);
    if (!f.commit())
        return fail(QStringLiteral("cannot write %1: %2").arg(path, f.errorString()));
    return true;
}

// Calls each("<path>:<line number>", trimmed line) for every line of a text
// file that is neither blank nor a "#" comment; stops at the first false.
template <typename Each>
bool forEachLine(const QString &path, Each each)
{
    QString text;
    if (!readText(path, &text))
        return false;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (!each(QStringLiteral("%1:%2").arg(path).arg(i + 1), line))
            return false;
    }
    return true;
}

QStringList fieldsOf(const QString &line)
{
    return line.split(QRegularExpression(QStringLiteral("\\s+")));
}

// The files below dir, sorted, so that the output does not depend on the
// order the file system lists them in.
QStringList sortedFiles(const QString &dir, const QStringList &nameFilters,
                        QDirIterator::IteratorFlags flags)
{
    QDirIterator it(dir, nameFilters, QDir::Files, flags);
    QStringList files;
    while (it.hasNext())
        files << it.next();
    files.sort();
    return files;
}

using Palette = QHash<QString, QString>;

bool readPalette(const QString &path, Palette *palette)
{
    return forEachLine(path, [&](const QString &where, const QString &line) {
        const int eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0)
            return fail(where + QStringLiteral(": expected Name=value"));
        palette->insert(line.left(eq).trimmed(), line.mid(eq + 1).trimmed());
        return true;
    });
}

// "@Name@" -> palette value, "@12@" -> int(12 * halves / 2), "@@" -> "@".
bool substitute(const QString &in, const Palette &palette, int halves,
                const QHash<QString, QString> &extra, const QString &where, QString *out)
{
    static const QRegularExpression token(QStringLiteral("@([A-Za-z0-9_.-]*)@"));
    QString result;
    int last = 0;
    auto it = token.globalMatch(in);
    while (it.hasNext()) {
        const auto m = it.next();
        result += in.midRef(last, m.capturedStart() - last);
        last = m.capturedEnd();
        const QString key = m.captured(1);
        bool isNumber = false;
        const int n = key.toInt(&isNumber);
        if (key.isEmpty()) {
            result += QLatin1Char('@');
        } else if (isNumber) {
            result += QString::number(n * halves / 2);
        } else if (extra.contains(key)) {
            QString v = extra.value(key);
            result += palette.value(v, v);
        } else if (palette.contains(key)) {
            result += palette.value(key);
        } else {
            return fail(QStringLiteral("%1: unknown placeholder @%2@").arg(where, key));
        }
    }
    result += in.midRef(last);
    *out = result;
    return true;
}

class Output
{
public:
    explicit Output(QString dir) : m_dir(std::move(dir)) {}

    // rel: path below ":/resources/"
    bool add(const QString &rel, const QByteArray &data)
    {
        if (m_files.count(rel))
            return fail(QStringLiteral("resource %1 produced twice").arg(rel));
        const QString path = m_dir + QStringLiteral("/resources/") + rel;
        if (!writeBytes(path, data))
            return false;
        m_files[rel] = path;
        return true;
    }

    bool writeQrc()
    {
        QString xml;
        QTextStream s(&xml);
        s << "<!DOCTYPE RCC><RCC version=\"1.0\">\n<qresource prefix=\"/\">\n";
        for (const auto &f : m_files)
            s << "  <file alias=\"resources/" << f.first.toHtmlEscaped() << "\">"
              << f.second.toHtmlEscaped() << "</file>\n";
        s << "</qresource>\n</RCC>\n";
        s.flush();
        // Always rewritten, so that rcc runs again after any input changed.
        return writeBytes(m_dir + QStringLiteral("/glimora.qrc"), xml.toUtf8());
    }

private:
    QString m_dir;
    std::map<QString, QString> m_files; // sorted: a stable qrc
};

// Qt's style-sheet parser rejects a whole sheet over an unquoted url() that
// holds "@", as every "@1.5x" picture name does.
bool checkSheet(const QString &sheet, const QString &where)
{
    static const QRegularExpression bad(QStringLiteral("url\\(\\s*[^\"'\\s)][^)]*@"));
    const auto m = bad.match(sheet);
    if (m.hasMatch())
        return fail(QStringLiteral("%1: quote this url: %2").arg(where, m.captured(0)));
    return true;
}

bool genStyleSheets(const QString &srcDir, const Palette &palette, Output *out)
{
    const QStringList files = sortedFiles(srcDir + QStringLiteral("/qss"), {QStringLiteral("*.qss")},
                                          QDirIterator::NoIteratorFlags);
    for (const QString &path : files) {
        QString text;
        if (!readText(path, &text))
            return false;
        auto addSheet = [&](const QString &rel, const Scale &sc) {
            QString sheet;
            return substitute(text, palette, sc.halves, scaleWords(sc), path, &sheet)
                   && checkSheet(sheet, path) && out->add(rel, sheet.toUtf8());
        };
        const QString name = QFileInfo(path).fileName();
        static const QString scaledExt = QStringLiteral(".scaled.qss");
        if (name.endsWith(scaledExt)) {
            const QString base = name.left(name.size() - scaledExt.size());
            for (const Scale &sc : kScales) {
                if (!addSheet(QStringLiteral("qss/%1-%2x.qss").arg(base, QLatin1String(sc.label)), sc))
                    return false;
            }
        } else if (!addSheet(QStringLiteral("qss/") + name, kScales[0])) {
            // A general sheet is substituted at scale 1.
            return false;
        }
    }
    return true;
}

double scaleOfSuffix(const QString &suffix)
{
    static const QRegularExpression re(QStringLiteral("(\\d+(?:\\.\\d+)?)x"));
    const auto m = re.match(suffix);
    return m.hasMatch() ? m.captured(1).toDouble() : 1.0;
}

QByteArray pngOf(const QImage &img)
{
    QByteArray data;
    QBuffer buf(&data);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    return data;
}

bool genIcons(const QString &srcDir, const Palette &palette, Output *out)
{
    const QString manifest = srcDir + QStringLiteral("/images/icons.txt");
    if (!QFile::exists(manifest))
        return true;
    return forEachLine(manifest, [&](const QString &where, const QString &line) {
        const QStringList f = fieldsOf(line);
        if (f.size() < 3)
            return fail(where + QStringLiteral(": expected <output> <svg> <W>x<H> [key=value]"));
        const QStringList wh = f[2].split(QLatin1Char('x'));
        bool okW = false, okH = false;
        const int w = wh.value(0).toInt(&okW), h = wh.value(1).toInt(&okH);
        if (wh.size() != 2 || !okW || !okH || w <= 0 || h <= 0)
            return fail(where + QStringLiteral(": bad size ") + f[2]);
        QStringList suffixes{QString()};
        QHash<QString, QString> vars{{QStringLiteral("fg"), QStringLiteral("#ffffff")},
                                     {QStringLiteral("bg"), QStringLiteral("none")}};
        for (int k = 3; k < f.size(); ++k) {
            const int eq = f[k].indexOf(QLatin1Char('='));
            if (eq <= 0)
                return fail(where + QStringLiteral(": expected key=value, got ") + f[k]);
            const QString key = f[k].left(eq), value = f[k].mid(eq + 1);
            if (key == QLatin1String("suffixes"))
                suffixes = value.split(QLatin1Char(','));
            else
                vars.insert(key, value);
        }
        if (suffixes.size() > 1 && !f[0].contains(QLatin1String("{s}")))
            return fail(where + QStringLiteral(": suffixes= needs {s} in the output name"));
        QString svgText;
        if (!readText(srcDir + QStringLiteral("/images/svg/") + f[1], &svgText))
            return false;
        QString svg;
        if (!substitute(svgText, palette, 2, vars, where, &svg))
            return false;
        QSvgRenderer renderer(svg.toUtf8());
        if (!renderer.isValid())
            return fail(where + QStringLiteral(": invalid SVG ") + f[1]);
        for (const QString &suffix : suffixes) {
            const double s = scaleOfSuffix(suffix);
            QImage img(int(w * s), int(h * s), QImage::Format_ARGB32_Premultiplied);
            img.fill(Qt::transparent);
            QPainter p(&img);
            p.setRenderHint(QPainter::Antialiasing);
            renderer.render(&p, QRectF(0, 0, img.width(), img.height()));
            p.end();
            QString name = f[0];
            name.replace(QLatin1String("{s}"), suffix);
            if (!out->add(QStringLiteral("images/") + name, pngOf(img)))
                return false;
        }
        return true;
    });
}

// GIF writer for 8-bit indexed frames. The LZW stream uses literal codes only,
// with a clear code often enough that the code width stays at 9 bits: larger
// than real LZW, but tiny for a spinner and valid for every decoder.
class GifWriter
{
public:
    GifWriter(int w, int h, const QVector<QRgb> &colours, int transparentIndex)
        : m_w(w), m_h(h), m_transparent(transparentIndex)
    {
        m_out.append("GIF89a");
        put16(w);
        put16(h);
        m_out.append(char(0xF7)); // global table, 8 bits colour resolution, 256 entries
        m_out.append(char(0));
        m_out.append(char(0));
        for (int i = 0; i < 256; ++i) {
            const QRgb c = colours.value(i);
            m_out.append(char(qRed(c)));
            m_out.append(char(qGreen(c)));
            m_out.append(char(qBlue(c)));
        }
        // Loop for ever.
        m_out.append("\x21\xFF\x0B" "NETSCAPE2.0" "\x03\x01\x00\x00\x00", 19);
    }

    void addFrame(const QVector<uchar> &indices, int delayCs)
    {
        m_out.append("\x21\xF9\x04", 3);
        m_out.append(char(m_transparent >= 0 ? 0x09 : 0x08)); // restore to background
        put16(delayCs);
        m_out.append(char(m_transparent >= 0 ? m_transparent : 0));
        m_out.append(char(0));
        m_out.append(char(0x2C));
        put16(0);
        put16(0);
        put16(m_w);
        put16(m_h);
        m_out.append(char(0));
        m_out.append(char(8)); // LZW minimum code size

        QByteArray data;
        quint32 acc = 0;
        int bits = 0;
        auto putCode = [&](int code) {
            acc |= quint32(code) << bits;
            bits += 9;
            while (bits >= 8) {
                data.append(char(acc & 0xFF));
                acc >>= 8;
                bits -= 8;
            }
        };
        const int clear = 256, end = 257;
        for (int i = 0; i < indices.size(); ++i) {
            if (i % 128 == 0)
                putCode(clear);
            putCode(indices[i]);
        }
        putCode(end);
        if (bits > 0)
            data.append(char(acc & 0xFF));
        for (int pos = 0; pos < data.size(); pos += 255) {
            const int n = qMin(255, data.size() - pos);
            m_out.append(char(n));
            m_out.append(data.mid(pos, n));
        }
        m_out.append(char(0));
    }

    QByteArray finish()
    {
        m_out.append(char(0x3B));
        return m_out;
    }

private:
    void put16(int v)
    {
        m_out.append(char(v & 0xFF));
        m_out.append(char((v >> 8) & 0xFF));
    }

    QByteArray m_out;
    int m_w, m_h, m_transparent;
};

// A ring of dots whose brightness runs round: drawn as coverage, then mapped
// onto a ramp from the background colour to the accent colour.
QByteArray spinnerGif(int size, QColor accent, QColor background)
{
    const int frames = 12;
    QVector<QRgb> ramp(256);
    for (int i = 0; i < 256; ++i) {
        const double a = i / 255.0;
        ramp[i] = qRgb(int(background.red() + (accent.red() - background.red()) * a),
                       int(background.green() + (accent.green() - background.green()) * a),
                       int(background.blue() + (accent.blue() - background.blue()) * a));
    }
    GifWriter gif(size, size, ramp, -1);
    const double c = size / 2.0;
    const double ringR = size * 0.36, dotR = size * 0.075;
    for (int f = 0; f < frames; ++f) {
        QImage img(size, size, QImage::Format_ARGB32);
        img.fill(Qt::transparent);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        for (int d = 0; d < frames; ++d) {
            const double angle = 2 * M_PI * d / frames - M_PI / 2;
            const int age = (f - d + frames) % frames; // 0: the brightest dot
            const int alpha = qMax(40, 255 - age * 20);
            p.setBrush(QColor(0, 0, 0, alpha));
            p.drawEllipse(QPointF(c + ringR * std::cos(angle), c + ringR * std::sin(angle)), dotR,
                          dotR);
        }
        p.end();
        QVector<uchar> idx(size * size);
        for (int y = 0; y < size; ++y) {
            const QRgb *row = reinterpret_cast<const QRgb *>(img.constScanLine(y));
            for (int x = 0; x < size; ++x)
                idx[y * size + x] = uchar(qAlpha(row[x]));
        }
        gif.addFrame(idx, 8);
    }
    return gif.finish();
}

// Line: <output name> <size> accent=<colour> background=<colour>
bool genAnimations(const QString &srcDir, const Palette &palette, Output *out)
{
    const QString manifest = srcDir + QStringLiteral("/images/animations.txt");
    if (!QFile::exists(manifest))
        return true;
    return forEachLine(manifest, [&](const QString &where, const QString &line) {
        const QStringList f = fieldsOf(line);
        bool ok = false;
        const int size = f.value(1).toInt(&ok);
        if (f.size() < 2 || !ok || size <= 0)
            return fail(where + QStringLiteral(": expected <output> <size> [key=value]"));
        QColor accent(palette.value(QStringLiteral("Accent"), QStringLiteral("#f64f35")));
        QColor background(Qt::white);
        for (int k = 2; k < f.size(); ++k) {
            const int eq = f[k].indexOf(QLatin1Char('='));
            const QString key = f[k].left(eq), value = f[k].mid(eq + 1);
            const QColor colour(palette.value(value, value));
            if (eq <= 0 || !colour.isValid())
                return fail(where + QStringLiteral(": bad option ") + f[k]);
            if (key == QLatin1String("accent"))
                accent = colour;
            else if (key == QLatin1String("background"))
                background = colour;
            else
                return fail(where + QStringLiteral(": unknown option ") + key);
        }
        return out->add(QStringLiteral("images/") + f[0], spinnerGif(size, accent, background));
    });
}

bool copyVerbatim(const QString &srcDir, Output *out)
{
    const QStringList skip{QStringLiteral("images/icons.txt"), QStringLiteral("images/animations.txt")};
    for (const char *sub : {"qss", "images", "sounds"}) {
        const QStringList files = sortedFiles(srcDir + QLatin1Char('/') + QLatin1String(sub), {},
                                              QDirIterator::Subdirectories);
        for (const QString &path : files) {
            const QString rel = QDir(srcDir).relativeFilePath(path);
            if (skip.contains(rel) || rel.startsWith(QLatin1String("images/svg/"))
                || rel.endsWith(QLatin1String(".qss")))
                continue;
            QFile f(path);
            if (!f.open(QIODevice::ReadOnly))
                return fail(QStringLiteral("cannot read %1").arg(path));
            if (!out->add(rel, f.readAll()))
                return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: glimora_resgen <source dir> <output dir>\n");
        return 2;
    }
    const QString srcDir = QDir(args[1]).absolutePath();
    const QString outDir = QDir(args[2]).absolutePath();
    // Files of an earlier run that are no longer produced must not linger.
    QDir(outDir + QStringLiteral("/resources")).removeRecursively();

    Palette palette;
    Output out(outDir);
    const bool ok = readPalette(srcDir + QStringLiteral("/palette.txt"), &palette)
                    && genStyleSheets(srcDir, palette, &out) && genIcons(srcDir, palette, &out)
                    && genAnimations(srcDir, palette, &out) && copyVerbatim(srcDir, &out)
                    && out.writeQrc();
    if (!ok) {
        std::fprintf(stderr, "glimora_resgen: %s\n", qPrintable(g_error));
        return 1;
    }
    return 0;
}
