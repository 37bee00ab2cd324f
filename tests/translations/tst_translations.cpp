// Scans src/ with lupdate into a temporary file and checks every text it
// finds against the committed translations: each language's .ts files are
// merged by the build, so a text counts as translated when any of them holds
// a finished translation for it under the same context.

#include "support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <algorithm>

namespace {

struct Message
{
    QString context;
    QString source;
    QString comment;   // the disambiguation, part of the key
    bool finished = false;

    QString key() const { return context + QChar(0x1f) + source + QChar(0x1f) + comment; }
};

// Reads the messages of one .ts file. A message is finished when its
// translation is neither unfinished, vanished nor obsolete and has text (every
// plural form, for a plural text).
bool readTs(const QString &path, QList<Message> *messages, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = path + QStringLiteral(": ") + file.errorString();
        return false;
    }
    QXmlStreamReader xml(&file);
    QString context;
    Message message;
    bool inMessage = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const QStringRef name = xml.name();
            if (name == QLatin1String("context")) {
                context.clear();
            } else if (name == QLatin1String("name") && !inMessage) {
                context = xml.readElementText();
            } else if (name == QLatin1String("message")) {
                inMessage = true;
                message = Message();
                message.context = context;
            } else if (inMessage && name == QLatin1String("source")) {
                message.source = xml.readElementText();
            } else if (inMessage && name == QLatin1String("comment")) {
                message.comment = xml.readElementText();
            } else if (inMessage && name == QLatin1String("translation")) {
                const QString type = xml.attributes().value(QLatin1String("type")).toString();
                bool hasText = true;
                bool hasForms = false;
                QString text;
                while (!xml.atEnd()) {
                    xml.readNext();
                    if (xml.isEndElement() && xml.name() == QLatin1String("translation"))
                        break;
                    if (xml.isCharacters())
                        text += xml.text();
                    if (xml.isStartElement() && xml.name() == QLatin1String("numerusform")) {
                        hasForms = true;
                        hasText = hasText && !xml.readElementText().trimmed().isEmpty();
                    }
                }
                if (!hasForms)
                    hasText = !text.trimmed().isEmpty();
                message.finished = type.isEmpty() && hasText;
            }
        } else if (xml.isEndElement() && xml.name() == QLatin1String("message")) {
            inMessage = false;
            messages->append(message);
        }
    }
    if (xml.hasError()) {
        *error = QStringLiteral("%1:%2: %3").arg(path).arg(xml.lineNumber()).arg(xml.errorString());
        return false;
    }
    return true;
}

// The .ts files the build merges for one language: "lang_<flag>.ts" and
// "<area>/lang_<flag>.ts".
QStringList languageFiles(const QString &flag)
{
    const QString dir = QStringLiteral(GLIMORA_SOURCE_DIR "/translations");
    const QString fileName = QStringLiteral("lang_%1.ts").arg(flag);
    QStringList files;
    if (QFile::exists(dir + QLatin1Char('/') + fileName))
        files << dir + QLatin1Char('/') + fileName;
    for (const QString &area : QDir(dir).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        const QString path = dir + QLatin1Char('/') + area + QLatin1Char('/') + fileName;
        if (QFile::exists(path))
            files << path;
    }
    return files;
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void everySourceTextIsTranslated()
    {
        // lupdate writes only into the temporary directory.
        QTemporaryDir scratch;
        QVERIFY(scratch.isValid());
        const QString found = scratch.filePath(QStringLiteral("found.ts"));
        QProcess lupdate;
        lupdate.setProcessChannelMode(QProcess::MergedChannels);
        lupdate.start(QStringLiteral(GLIMORA_LUPDATE),
                      {QStringLiteral("-silent"), QStringLiteral("-locations"), QStringLiteral("none"),
                       QStringLiteral("-recursive"), QStringLiteral(GLIMORA_SOURCE_DIR), QStringLiteral("-ts"),
                       found});
        QVERIFY2(lupdate.waitForFinished(60000), qPrintable(lupdate.errorString()));
        QVERIFY2(lupdate.exitStatus() == QProcess::NormalExit && lupdate.exitCode() == 0,
                 lupdate.readAll().constData());

        QList<Message> sourceTexts;
        QString error;
        QVERIFY2(readTs(found, &sourceTexts, &error), qPrintable(error));
        // The scan must have seen the code, or an empty result would pass.
        const bool sawKnownText = std::any_of(sourceTexts.cbegin(), sourceTexts.cend(), [](const Message &m) {
            return m.context == QLatin1String("rj_app::views::CDownloadThread") &&
                   m.source == QLatin1String("update check failed");
        });
        QVERIFY2(sawKnownText, "lupdate did not report a text known to be in src/");

        QStringList missing;
        QHash<QString, QStringList> missingLanguages;
        for (const QString &flag : {QStringLiteral("en-US"), QStringLiteral("zh-CN")}) {
            const QStringList files = languageFiles(flag);
            QVERIFY2(!files.isEmpty(), qPrintable(flag));
            QSet<QString> finished;
            for (const QString &file : files) {
                QList<Message> messages;
                QVERIFY2(readTs(file, &messages, &error), qPrintable(error));
                for (const Message &m : qAsConst(messages)) {
                    if (m.finished)
                        finished.insert(m.key());
                }
            }
            for (const Message &m : qAsConst(sourceTexts)) {
                const QString shown = QStringLiteral("%1 \"%2\"%3")
                                          .arg(m.context, m.source,
                                               m.comment.isEmpty() ? QString()
                                                                   : QStringLiteral(" (%1)").arg(m.comment));
                if (finished.contains(m.key()))
                    continue;
                if (!missingLanguages.contains(shown))
                    missing << shown;
                missingLanguages[shown] << flag;
            }
        }
        // One line each: a failure message alone would be cut short.
        for (const QString &text : qAsConst(missing))
            qWarning().noquote() << QStringLiteral("untranslated: %1 [%2]")
                                        .arg(text, missingLanguages.value(text).join(QStringLiteral(", ")));
        QVERIFY2(missing.isEmpty(),
                 qPrintable(QStringLiteral("%1 text(s) without a finished translation, listed above")
                                .arg(missing.size())));
    }
};

GLIMORA_TEST_MAIN(TestTranslations)
#include "tst_translations.moc"
