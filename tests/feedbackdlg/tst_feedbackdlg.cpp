// The feedback dialog: the description limit, the pictures, and sending
// through the simulated engine with the busy overlay and the result boxes.

#include "support/AlertBoxSeam.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "helpers/CUserConfigUtils.h"
#include "models/CRJSdkManager.h"
#include "rjsim_control.h"
#include "views/framework/CWaitingDlg.h"
#include "views/settings/CFeedbackArchiver.h"
#include "views/settings/FeedBackDlg.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QQueue>
#include <QScopeGuard>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTextCursor>
#include <QThreadPool>

#include <atomic>
#include <memory>

using glimora::test::AlertBoxSeam;
using glimora::test::readBytes;
using glimora::test::writeBytes;
using rj_app::helpers::CUserConfigUtils;
using rj_app::models::CRJSdkManager;
using rj_app::views::CFeedbackArchiver;
using rj_app::views::CWaitingDlg;
using rj_app::views::FeedBackDlg;

namespace {

const int kWaitMs = 10000;

QString field(const std::vector<std::string> &call, std::size_t i)
{
    return i < call.size() ? QString::fromStdString(call[i]) : QStringLiteral("<missing>");
}

} // namespace

class TestFeedBackDlg : public QObject
{
    Q_OBJECT

    QString m_dir; // the user data directory
    QString m_files; // pictures and save targets, outside it
    QPointer<FeedBackDlg> m_dlg;
    QQueue<QString> m_openAnswers;
    int m_openCalls = 0;
    QString m_saveAnswer;
    QStringList m_saveCall;

    template <typename T> T *child(const char *name) const
    {
        return m_dlg->findChild<T *>(QString::fromLatin1(name));
    }
    QPlainTextEdit *textEdit() const { return child<QPlainTextEdit>("m_textEdit"); }
    QPushButton *sendButton() const { return child<QPushButton>("m_uploadButton"); }
    CWaitingDlg *overlay() const { return m_dlg ? m_dlg->findChild<CWaitingDlg *>() : nullptr; }

    QString picture(const QString &name, Qt::GlobalColor colour)
    {
        QImage image(30, 20, QImage::Format_RGB32);
        image.fill(colour);
        const QString path = m_files + QLatin1Char('/') + name + QStringLiteral(".png");
        return image.save(path) ? path : QString();
    }

    void insertAt(int position, const QString &text)
    {
        // As typing or pasting does: at the edit's own cursor.
        QTextCursor cursor = textEdit()->textCursor();
        cursor.setPosition(position);
        textEdit()->setTextCursor(cursor);
        textEdit()->insertPlainText(text);
    }

    // Clicks Sure and waits until the upload's final result was handled.
    void sendAndWait(AlertBoxSeam &seam, int boxes)
    {
        QTest::mouseClick(sendButton(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(seam.count() >= boxes, kWaitMs);
    }

    // Holds the dialog's archive task in its clock (after collecting, before
    // zipping) until released; gives up by itself after 5 s.
    struct ClockGate
    {
        QSemaphore inClock, release;
        std::atomic<bool> leftClock{false};
    };
    std::shared_ptr<ClockGate> blockArchiveClock()
    {
        auto gate = std::make_shared<ClockGate>();
        m_dlg->archiver()->setClock([gate] {
            gate->inClock.release();
            gate->release.tryAcquire(1, 5000);
            gate->leftClock = true;
            return QDateTime::currentDateTime();
        });
        return gate;
    }

private slots:
    void initTestCase()
    {
        qputenv("RJSIM_TIME_SCALE", "0");
        CUserConfigUtils::initInstance(QCoreApplication::applicationFilePath().toLocal8Bit().constData());
        m_dir = CUserConfigUtils::getUserConfigPath();
        m_files = glimora::test::isolatedRoot() + QStringLiteral("/files");
        QVERIFY(QDir().mkpath(m_files));
        CRJSdkManager::initInstance();
        QVERIFY(CRJSdkManager::getInstance() && CRJSdkManager::getInstance()->hasEngine());
        FeedBackDlg::setOpenFileChooser([this](QWidget *, const QString &caption, const QString &dir,
                                               const QString &filter) {
            ++m_openCalls;
            if (caption != QLatin1String("Please choose an image file") || !dir.isEmpty() ||
                filter != QLatin1String("Image Files(*.jpg *.png *.bmp *.pgm *.pbm);;All(*.*)"))
                return QString();
            return m_openAnswers.isEmpty() ? QString() : m_openAnswers.dequeue();
        });
        FeedBackDlg::setSaveFileChooser([this](QWidget *, const QString &caption, const QString &start,
                                               const QString &filter) {
            m_saveCall = QStringList{caption, start, filter};
            return m_saveAnswer;
        });
    }

    void init()
    {
        QCOMPARE(rjsim_wait_idle(kWaitMs), 1);
        QCoreApplication::processEvents();
        rjsim_clear_result(nullptr);
        rjsim_clear_journal();
        QVERIFY(writeBytes(m_dir + QStringLiteral("/app.log"), "log line\n"));
        m_openAnswers.clear();
        m_openCalls = 0;
        m_saveAnswer.clear();
        m_saveCall.clear();
        m_dlg = new FeedBackDlg;
        m_dlg->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_dlg));
    }

    void cleanup()
    {
        delete m_dlg.data();
        QThreadPool::globalInstance()->waitForDone();
        // The next case's upload would be refused while this one's runs.
        QTRY_VERIFY_WITH_TIMEOUT(!CFeedbackArchiver::isAnyUploadRunning(), kWaitMs);
    }

    void cleanupTestCase()
    {
        FeedBackDlg::setOpenFileChooser(nullptr);
        FeedBackDlg::setSaveFileChooser(nullptr);
        QCOMPARE(rjsim_wait_idle(kWaitMs), 1);
        QCoreApplication::processEvents();
        CRJSdkManager::releaseInstance();
        CUserConfigUtils::releaseInstance();
    }

    void form()
    {
        QCOMPARE(m_dlg->windowFlags() & Qt::FramelessWindowHint, Qt::FramelessWindowHint);
        QVERIFY(m_dlg->testAttribute(Qt::WA_DeleteOnClose));
        QCOMPARE(m_dlg->size(), QSize(414, 400) * m_dlg->fStretchFactor);
        QCOMPARE(child<QLabel>("m_showImgNum")->text(), QStringLiteral("0/6"));
        QCOMPARE(child<QLabel>("m_showContactsNum")->text(), QStringLiteral("0/200"));
        QCOMPARE(sendButton()->text(), QStringLiteral("Sure"));
        for (int i = 1; i <= 6; ++i)
            QVERIFY(!m_dlg->findChild<QWidget *>(QStringLiteral("imageButton_%1").arg(i))->isVisibleTo(m_dlg));
    }

    // Text beyond 200 characters is cut where it was inserted; what stands
    // before and after it stays, and so does the cursor after the kept part.
    void descriptionLimit_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("inserted");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("cursor");

        const QString pasted = QStringLiteral("0123456789").repeated(5);
        QTest::newRow("under the limit") << "hello" << 5 << " world" << "hello world" << 11;
        QTest::newRow("201st at the end") << QString(200, 'a') << 200 << "b" << QString(200, 'a') << 200;
        QTest::newRow("paste into the middle")
            << QString(90, 'x') + QString(90, 'y') << 90 << pasted
            << QString(90, 'x') + pasted.left(20) + QString(90, 'y') << 110;
        QTest::newRow("paste at the start") << QString(200, 'y') << 0 << "abc" << QString(200, 'y') << 0;
        // A character outside the basic plane is two code units: never half of it.
        QTest::newRow("no half character") << QString(199, 'a') << 199 << QString::fromUtf8("\xF0\x9F\x98\x80")
                                           << QString(199, 'a') << 199;
    }
    void descriptionLimit()
    {
        QFETCH(QString, before);
        QFETCH(int, position);
        QFETCH(QString, inserted);
        QFETCH(QString, after);
        QFETCH(int, cursor);

        textEdit()->setPlainText(before);
        insertAt(position, inserted);
        QCOMPARE(textEdit()->toPlainText(), after);
        QCOMPARE(textEdit()->textCursor().position(), cursor);
        QCOMPARE(child<QLabel>("m_showContactsNum")->text(), QStringLiteral("%1/200").arg(after.length()));
    }

    // Text set as a whole (not at the cursor) keeps its first 200 characters.
    void oversizedTextSet()
    {
        textEdit()->setPlainText(QString(150, 'a') + QString(100, 'b'));
        QCOMPARE(textEdit()->toPlainText(), QString(150, 'a') + QString(50, 'b'));
        QCOMPARE(child<QLabel>("m_showContactsNum")->text(), QStringLiteral("200/200"));
    }

    // Nothing is sent without a description.
    void emptyDescription_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString();
        QTest::newRow("blank") << QStringLiteral("  \n\t ");
    }
    void emptyDescription()
    {
        QFETCH(QString, text);
        AlertBoxSeam seam(QDialogButtonBox::Yes);
        textEdit()->setPlainText(text);
        child<QLineEdit>("m_contactsEdit")->setText(QStringLiteral("alice@example.com"));
        QVERIFY(!sendButton()->isEnabled());
        QTest::mouseClick(sendButton(), Qt::LeftButton);
        QVERIFY(!overlay());
        QVERIFY(!m_dlg->isUploading());
        QThreadPool::globalInstance()->waitForDone();
        QCOMPARE(rjsim_journal_count("uploadFeedbackfile"), 0);
        QCOMPARE(seam.count(), 0);

        textEdit()->setPlainText(text + QStringLiteral("x"));
        QVERIFY(sendButton()->isEnabled());
    }

    // Six pictures at most; files that are not pictures and a cancelled
    // chooser change nothing; a removed one leaves no gap, on screen or on disk.
    void pictures()
    {
        const QList<Qt::GlobalColor> colours{Qt::red, Qt::green, Qt::blue, Qt::yellow, Qt::cyan, Qt::magenta,
                                             Qt::black};
        QVERIFY(writeBytes(m_files + QStringLiteral("/broken.png"), "not a picture"));
        m_openAnswers << QString() << m_files + QStringLiteral("/broken.png")
                      << m_files + QStringLiteral("/missing.png");
        QPushButton *pick = child<QPushButton>("m_imgButton");
        for (int i = 0; i < 3; ++i)
            QTest::mouseClick(pick, Qt::LeftButton);
        QCOMPARE(m_dlg->images().size(), 0);
        QCOMPARE(child<QLabel>("m_showImgNum")->text(), QStringLiteral("0/6"));

        for (int i = 0; i < 3; ++i)
            m_openAnswers << picture(QStringLiteral("p%1").arg(i), colours.at(i));
        for (int i = 0; i < 3; ++i)
            QTest::mouseClick(pick, Qt::LeftButton);
        QCOMPARE(m_dlg->images().size(), 3);
        QCOMPARE(child<QLabel>("m_showImgNum")->text(), QStringLiteral("3/6"));
        for (int i = 0; i < 3; ++i)
            QVERIFY(QFileInfo::exists(m_dir + QStringLiteral("/IMG_%1.jpg").arg(i)));

        // Remove the second of three.
        m_dlg->findChild<QWidget *>(QStringLiteral("imageButton_2"))
            ->findChild<QPushButton *>(QStringLiteral("m_deleteBtn"))
            ->click();
        QCOMPARE(m_dlg->images().size(), 2);
        QCOMPARE(m_dlg->images().at(0).pixelColor(0, 0), QColor(Qt::red));
        QCOMPARE(m_dlg->images().at(1).pixelColor(0, 0), QColor(Qt::blue));
        QCOMPARE(child<QLabel>("m_showImgNum")->text(), QStringLiteral("2/6"));
        QVERIFY(m_dlg->findChild<QWidget *>(QStringLiteral("imageButton_2"))->isVisibleTo(m_dlg));
        QVERIFY(!m_dlg->findChild<QWidget *>(QStringLiteral("imageButton_3"))->isVisibleTo(m_dlg));
        QStringList onDisk = QDir(m_dir).entryList(QStringList{QStringLiteral("IMG_*")}, QDir::Files, QDir::Name);
        QCOMPARE(onDisk, (QStringList{QStringLiteral("IMG_0.jpg"), QStringLiteral("IMG_1.jpg")}));
        const QImage second(m_dir + QStringLiteral("/IMG_1.jpg"));
        QVERIFY(second.pixelColor(5, 5).blue() > 200 && second.pixelColor(5, 5).red() < 50);

        // Fill up; the seventh attempt does not even ask.
        for (int i = 3; i < 7; ++i)
            m_openAnswers << picture(QStringLiteral("p%1").arg(i), colours.at(i));
        const int asked = m_openCalls;
        for (int i = 0; i < 5; ++i)
            QTest::mouseClick(pick, Qt::LeftButton);
        QCOMPARE(m_dlg->images().size(), 6);
        QCOMPARE(m_openCalls, asked + 4);
        QCOMPARE(child<QLabel>("m_showImgNum")->text(), QStringLiteral("6/6"));
        QVERIFY(m_dlg->findChild<QWidget *>(QStringLiteral("imageButton_6"))->isVisibleTo(m_dlg));
    }

    // Progress leaves the overlay up; 100 takes it down, says so, drops the
    // archive and the pictures, and Yes closes the dialog. One upload per click.
    void sendSuccess_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("confirmed") << int(QDialogButtonBox::Yes);
        QTest::newRow("box closed") << int(QDialogButtonBox::Cancel);
    }
    void sendSuccess()
    {
        QFETCH(int, answer);
        AlertBoxSeam seam{QDialogButtonBox::StandardButton(answer)};
        QVERIFY(writeBytes(m_dir + QStringLiteral("/IMG_0.jpg"), "picture"));
        textEdit()->setPlainText(QStringLiteral("no sound"));
        child<QLineEdit>("m_contactsEdit")->setText(QStringLiteral("alice@example.com"));
        QSignalSpy results(m_dlg->archiver(), &CFeedbackArchiver::sigUploadFeedback);

        QTest::mouseClick(sendButton(), Qt::LeftButton);
        QPointer<CWaitingDlg> waiting = overlay();
        QVERIFY(waiting && waiting->isVisible());
        QCOMPARE(waiting->size(), m_dlg->size());
        QVERIFY(!sendButton()->isEnabled());
        QTest::mouseClick(sendButton(), Qt::LeftButton); // a second click sends nothing more
        // Progress: no box, the overlay stays.
        emit m_dlg->archiver()->sigUploadFeedback(50);
        QCOMPARE(seam.count(), 0);
        QVERIFY(waiting->isVisible());
        const QString zip = m_dlg->archiver()->zipPath();

        QTRY_COMPARE_WITH_TIMEOUT(seam.count(), 1, kWaitMs);
        QCOMPARE(seam.last().title, QStringLiteral("Note"));
        QCOMPARE(seam.last().text, QStringLiteral("Uploaded successfully"));
        QCOMPARE(results.last().at(0).toInt(), 100);
        for (int i = 0; i + 1 < results.size(); ++i)
            QVERIFY(results.at(i).at(0).toInt() >= 0 && results.at(i).at(0).toInt() < 100);
        QVERIFY(!waiting || !waiting->isVisible());
        QVERIFY(!QFileInfo::exists(m_dir + QStringLiteral("/IMG_0.jpg")));
        QVERIFY(!m_dir.isEmpty() && !QFileInfo::exists(m_dlg ? m_dlg->archiver()->zipPath() : zip));

        const auto calls = rjsim::journalOf("uploadFeedbackfile");
        QCOMPARE(int(calls.size()), 1);
        QCOMPARE(field(calls[0], 2), QStringLiteral("alice@example.com"));
        QCOMPARE(field(calls[0], 3), QStringLiteral("no sound"));

        if (answer == QDialogButtonBox::Yes) {
            QTRY_VERIFY_WITH_TIMEOUT(m_dlg.isNull(), kWaitMs);
        } else {
            QCoreApplication::processEvents();
            QVERIFY(m_dlg && m_dlg->isVisible());
            QVERIFY(sendButton()->isEnabled());
        }
    }

    // The archiver giving up (nothing to archive) takes the overlay down
    // without a box; no result follows it.
    void uploadAbandoned()
    {
        AlertBoxSeam seam(QDialogButtonBox::Cancel);
        textEdit()->setPlainText(QStringLiteral("no sound"));
        QTest::mouseClick(sendButton(), Qt::LeftButton);
        QVERIFY(overlay() && overlay()->isVisible());
        emit m_dlg->archiver()->sigUploadAbandoned();
        QVERIFY(!overlay()->isVisible());
        QCOMPARE(seam.count(), 0);
        // Drain the real upload started by the click.
        QTRY_COMPARE_WITH_TIMEOUT(seam.count(), 1, kWaitMs);
        QVERIFY(!overlay()->isVisible());
        QVERIFY(sendButton()->isEnabled());
    }

    // One upload per process: while one dialog's upload runs, another
    // dialog's Send says so and sends nothing; the result goes to the dialog
    // that sent, and afterwards the second may send.
    void secondDialogWaits()
    {
        AlertBoxSeam seam(QDialogButtonBox::Cancel);
        const auto gate = blockArchiveClock();
        textEdit()->setPlainText(QStringLiteral("first"));
        QTest::mouseClick(sendButton(), Qt::LeftButton);
        QVERIFY(gate->inClock.tryAcquire(1, kWaitMs));

        QPointer<FeedBackDlg> second = new FeedBackDlg;
        auto closeSecond = qScopeGuard([&second] { delete second.data(); });
        second->show();
        QVERIFY(QTest::qWaitForWindowExposed(second));
        second->findChild<QPlainTextEdit *>(QStringLiteral("m_textEdit"))->setPlainText(QStringLiteral("second"));
        auto *secondSend = second->findChild<QPushButton *>(QStringLiteral("m_uploadButton"));
        QVERIFY(secondSend->isEnabled());
        QTest::mouseClick(secondSend, Qt::LeftButton);
        QCOMPARE(seam.count(), 1);
        QCOMPARE(seam.last().text,
                 QStringLiteral("Another feedback is being uploaded. Please try again when it has finished."));
        QCOMPARE(seam.last().parent.data(), static_cast<QWidget *>(second.data()));
        QVERIFY(!second->isUploading());
        CWaitingDlg *secondOverlay = second->findChild<CWaitingDlg *>();
        QVERIFY(!secondOverlay || !secondOverlay->isVisible());

        gate->release.release();
        QTRY_COMPARE_WITH_TIMEOUT(seam.count(), 2, kWaitMs);
        QCOMPARE(seam.last().text, QStringLiteral("Uploaded successfully"));
        QCOMPARE(seam.last().parent.data(), static_cast<QWidget *>(m_dlg.data()));
        QThreadPool::globalInstance()->waitForDone();
        QCOMPARE(rjsim_wait_idle(kWaitMs), 1);
        QCoreApplication::processEvents();
        QCOMPARE(seam.count(), 2);
        const auto calls = rjsim::journalOf("uploadFeedbackfile");
        QCOMPARE(int(calls.size()), 1);
        QCOMPARE(field(calls[0], 3), QStringLiteral("first"));

        QTest::mouseClick(secondSend, Qt::LeftButton);
        QVERIFY(second->isUploading());
        QTRY_COMPARE_WITH_TIMEOUT(seam.count(), 3, kWaitMs);
        QCOMPARE(seam.last().parent.data(), static_cast<QWidget *>(second.data()));
        QCOMPARE(rjsim_journal_count("uploadFeedbackfile"), 2);
    }

    // Closing the dialog while its archive is being made does not wait for
    // the archive; the upload still goes out and nobody answers its result.
    void closeWhileZipping()
    {
        AlertBoxSeam seam(QDialogButtonBox::Yes);
        const auto gate = blockArchiveClock();
        textEdit()->setPlainText(QStringLiteral("closing"));
        QTest::mouseClick(sendButton(), Qt::LeftButton);
        QVERIFY(gate->inClock.tryAcquire(1, kWaitMs));

        QElapsedTimer closing;
        closing.start();
        child<QPushButton>("m_pCloseBtn")->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(m_dlg.isNull());
        QVERIFY2(closing.elapsed() < 1000, qPrintable(QString::number(closing.elapsed())));
        QVERIFY(!gate->leftClock);

        gate->release.release();
        QThreadPool::globalInstance()->waitForDone();
        QTRY_VERIFY_WITH_TIMEOUT(!CFeedbackArchiver::isAnyUploadRunning(), kWaitMs);
        QCOMPARE(rjsim_journal_count("uploadFeedbackfile"), 1);
        QCOMPARE(seam.count(), 0);
    }

    // A failed upload offers to save the archive. The archive goes whether or
    // not it was saved; the dialog closes only after a successful save, so a
    // failed one keeps what the user wrote.
    void sendFailure_data()
    {
        QTest::addColumn<int>("answer");    // to "Uploaded failed"
        QTest::addColumn<QString>("target"); // the save chooser's answer; "dir" an existing folder
        QTest::addColumn<QString>("second"); // the second box, empty for none
        QTest::addColumn<bool>("closed");

        QTest::newRow("saved") << int(QDialogButtonBox::Yes) << "saved.zip" << "Save successfully" << true;
        QTest::newRow("save replaces a file") << int(QDialogButtonBox::Yes) << "old.zip" << "Save successfully"
                                              << true;
        QTest::newRow("save cancelled") << int(QDialogButtonBox::Yes) << "" << "Save failed" << false;
        QTest::newRow("target cannot be replaced") << int(QDialogButtonBox::Yes) << "dir" << "Save failed"
                                                   << false;
        QTest::newRow("box closed") << int(QDialogButtonBox::Cancel) << "saved.zip" << "" << false;
    }
    void sendFailure()
    {
        QFETCH(int, answer);
        QFETCH(QString, target);
        QFETCH(QString, second);
        QFETCH(bool, closed);

        const QString dirTarget = m_files + QStringLiteral("/dir");
        QVERIFY(QDir().mkpath(dirTarget));
        QVERIFY(writeBytes(m_files + QStringLiteral("/old.zip"), "old"));
        QFile::remove(m_files + QStringLiteral("/saved.zip"));
        m_saveAnswer = target.isEmpty() ? QString() : m_files + QLatin1Char('/') + target;

        AlertBoxSeam seam(QDialogButtonBox::Yes);
        seam.answerNext(QDialogButtonBox::StandardButton(answer));
        rjsim_force_result("uploadFeedbackfile", 5, 1);
        textEdit()->setPlainText(QStringLiteral("camera is black"));
        sendAndWait(seam, second.isEmpty() ? 1 : 2);
        QCOMPARE(seam.requests().at(0).title, QStringLiteral("Note"));
        QCOMPARE(seam.requests().at(0).text, QStringLiteral("Uploaded failed"));
        QCOMPARE(seam.count(), second.isEmpty() ? 1 : 2);
        QVERIFY(!overlay() || !overlay()->isVisible());

        // The dialog may be gone already: the engine received the archive's path.
        const auto calls = rjsim::journalOf("uploadFeedbackfile");
        QCOMPARE(int(calls.size()), 1);
        const QString zip = field(calls[0], 1);
        const QString zipName = zip.mid(m_dir.length());
        QVERIFY(zip.startsWith(m_dir) && zipName.startsWith(QStringLiteral("/appLog")));
        if (second.isEmpty()) {
            QVERIFY(m_saveCall.isEmpty());
            QVERIFY(QFileInfo::exists(zip)); // left for the next upload to tidy
        } else {
            QCOMPARE(seam.last().text, second);
            QCOMPARE(m_saveCall.value(0), QStringLiteral("Save Log"));
            QVERIFY(m_saveCall.value(1).endsWith(zipName));
            QCOMPARE(m_saveCall.value(2), QStringLiteral("(*.zip)"));
            QVERIFY(!QFileInfo::exists(zip));
        }
        if (second == QLatin1String("Save successfully")) {
            QVERIFY(readBytes(m_saveAnswer).startsWith("PK"));
        }
        QVERIFY(QFileInfo(dirTarget).isDir());
        if (target != QLatin1String("old.zip"))
            QCOMPARE(readBytes(m_files + QStringLiteral("/old.zip")), QByteArray("old"));

        if (closed) {
            QTRY_VERIFY_WITH_TIMEOUT(m_dlg.isNull(), kWaitMs);
        } else {
            QCoreApplication::processEvents();
            QVERIFY(m_dlg && m_dlg->isVisible());
            QCOMPARE(textEdit()->toPlainText(), QStringLiteral("camera is black"));
            QVERIFY(sendButton()->isEnabled());
        }
    }
};

GLIMORA_TEST_MAIN(TestFeedBackDlg)
#include "tst_feedbackdlg.moc"
