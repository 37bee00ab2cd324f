// The profile dialogs against the simulated engine: renaming in place, the
// password checks in their order, the avatar upload and its failures, and the
// picture editor's arithmetic.

#include "HomeTestEnv.h"

#include "support/AlertBoxSeam.h"
#include "support/TestMain.h"

#include "views/main/CMyHeadpicDlg.h"
#include "views/main/CMyInfoDlg.h"
#include "views/main/CMyPasswordDlg.h"
#include "views/main/CPictureEditWidget.h"

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>

using glimora::test::AlertBoxSeam;
using home_test::kWaitMs;
using rj_app::models::CRJSdkManager;
using rj_app::views::CMyHeadpicDlg;
using rj_app::views::CMyInfoDlg;
using rj_app::views::CMyPasswordDlg;
using namespace rj_app::enums;

namespace {

QString writePicture(const QString &dir, const QString &name, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(20, 120, 200));
    const QString path = dir + QLatin1Char('/') + name;
    return image.save(path) ? path : QString();
}

void wheel(QWidget *widget, QPoint at, int delta)
{
    QWheelEvent event(QPointF(at), QPointF(widget->mapToGlobal(at)), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

} // namespace

class TestProfileDlgs : public QObject
{
    Q_OBJECT

    home_test::Env m_env;
    QTemporaryDir m_dir;

    // What reached the plain server as HTTP since the last call.
    QByteArray httpRequests()
    {
        QTest::qWait(20);
        const QByteArray all = m_env.received;
        m_env.received.clear();
        return all;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(m_env.start());
        m_env.signIn(false);
        // Nobody is signed in at a REST prefix here: any token will do.
        QVERIFY(!m_env.login()->getToken().isEmpty());
    }

    void init()
    {
        m_env.settle();
        if (m_env.login()->m_loginStatus != LoggedIn)
            m_env.signIn(false);
        rjsim_clear_journal();
        httpRequests();
    }

    void renameValidation_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");   // the name label afterwards
        QTest::addColumn<bool>("refused");    // "Invalid input format", still editing
        QTest::addColumn<bool>("sent");       // the engine was asked
        QTest::newRow("16 characters") << "Abcdefghijklmnop" << "Abcdefghijklmnop" << false << true;
        QTest::newRow("17 characters") << "Abcdefghijklmnopq" << "Alice Chen" << true << false;
        QTest::newRow("spaces trimmed") << "  Alice W  " << "Alice W" << false << true;
        QTest::newRow("double quote") << "Al\"ice" << "Alice Chen" << true << false;
        QTest::newRow("angle bracket") << "<b>Alice" << "Alice Chen" << true << false;
        QTest::newRow("blank") << "   " << "Alice Chen" << false << false;
    }

    // The name is checked after trimming; a refused one keeps the editor with
    // the old name, a blank one changes nothing, an accepted one is sent and
    // the user's record is asked for again (which, unanswered, is prompted).
    void renameValidation()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(bool, refused);
        QFETCH(bool, sent);
        QVERIFY(CRJSdkManager::getInstance()->changeDisplayName("Alice Chen"));
        CMyInfoDlg dlg;
        auto *label = dlg.findChild<QLabel *>(QStringLiteral("m_pLblDisplayName"));
        QCOMPARE(label->text(), QStringLiteral("Alice Chen"));
        AlertBoxSeam seam(QDialogButtonBox::Ok);
        dlg.EnterEditMode();
        QVERIFY(dlg.isEditing());
        QCOMPARE(dlg.nameEditor()->objectName(), QStringLiteral("m_newNameEdit"));
        dlg.nameEditor()->setText(typed);
        rjsim_clear_journal();
        dlg.ExitEditMode();
        // The user's record is asked of a server that never answers here.
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
        QCOMPARE(seam.count(), refused || sent ? 1 : 0);
        if (sent)
            QCOMPARE(seam.last().text, QStringLiteral("Server unreachable"));
        if (refused) {
            QCOMPARE(seam.last().text, QStringLiteral("Invalid input format"));
            QVERIFY(dlg.isEditing());
            QCOMPARE(dlg.nameEditor()->text(), QStringLiteral("Alice Chen"));
        } else {
            QVERIFY(!dlg.isEditing());
        }
        QCOMPARE(label->text(), shown);
        QCOMPARE(rjsim_journal_count("changeDisplayName"), sent ? 1 : 0);
        const QByteArray http = httpRequests();
        QCOMPARE(http.contains("/api/rest/v2.0/users/1?"), sent);
    }

    // An engine refusal ends edit mode quietly with the old name.
    void renameRefusedByTheEngine()
    {
        QVERIFY(CRJSdkManager::getInstance()->changeDisplayName("Alice Chen"));
        CMyInfoDlg dlg;
        AlertBoxSeam seam(QDialogButtonBox::Ok);
        dlg.EnterEditMode();
        dlg.nameEditor()->setText(QStringLiteral("Alicia"));
        rjsim_force_result("changeDisplayName", 5, 1);
        dlg.ExitEditMode();
        QCOMPARE(seam.count(), 0);
        QVERIFY(!dlg.isEditing());
        QCOMPARE(dlg.findChild<QLabel *>(QStringLiteral("m_pLblDisplayName"))->text(), QStringLiteral("Alice Chen"));
        QVERIFY(!httpRequests().contains("/users/"));
    }

    void renameWhileTheServerWaits_data()
    {
        QTest::addColumn<bool>("click"); // the second commit: a click on the popup, else Return
        QTest::newRow("second Return") << false;
        QTest::newRow("click on the popup") << true;
    }

    // While the user's record is awaited from a slow server, a second Return
    // or a click on the popup finds edit mode already ended: one rename, one
    // request, and the popup is still whole afterwards.
    void renameWhileTheServerWaits()
    {
        QFETCH(bool, click);
        QVERIFY(CRJSdkManager::getInstance()->changeDisplayName("Alice Chen"));
        auto *api = rj_app::models::CUCMApiManager::getInstance();
        const int timeout = api->requestTimeout();
        api->setRequestTimeout(400);
        CMyInfoDlg dlg;
        dlg.show();
        AlertBoxSeam seam(QDialogButtonBox::Ok);
        dlg.EnterEditMode();
        QPointer<QLineEdit> editor = dlg.nameEditor();
        editor->setText(QStringLiteral("Alicia"));
        rjsim_clear_journal();
        // What the sign-in asked of the server is in by now.
        QTest::qWait(100);
        httpRequests();
        int secondCommits = 0;
        QTimer::singleShot(50, &dlg, [&] {
            ++secondCommits;
            if (click)
                QTest::mouseClick(&dlg, Qt::LeftButton, {}, QPoint(5, dlg.height() - 5));
            else if (editor)
                QTest::keyClick(editor, Qt::Key_Return);
        });
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE_WITH_TIMEOUT(seam.count(), 1, kWaitMs); // the unanswered record
        QTest::qWait(20);
        api->setRequestTimeout(timeout);
        QCOMPARE(secondCommits, 1);
        QVERIFY(!dlg.isEditing());
        QCOMPARE(dlg.findChild<QLabel *>(QStringLiteral("m_pLblDisplayName"))->text(), QStringLiteral("Alicia"));
        QCOMPARE(rjsim_journal_count("changeDisplayName"), 1);
        QCOMPARE(httpRequests().count("/api/rest/v2.0/users/1?"), 1);
        QCOMPARE(seam.count(), 1);
    }

    void passwordChecks_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("oldText");
        QTest::addColumn<QString>("newText");
        QTest::addColumn<QString>("confirm");
        QTest::addColumn<int>("forcedFailure");
        QTest::addColumn<QString>("message");
        const QString ok = QStringLiteral("Alice123");
        QTest::newRow("wrong old wins") << ok << "alice123" << "Xyz12345" << "other" << 0 << "Old password is wrong!";
        QTest::newRow("old as new") << ok << ok << ok << ok << 0 << "The new and old password is the same.";
        QTest::newRow("confirm differs") << ok << ok << "Xyz12345" << "Xyz12346" << 0
                                         << "Confirm Password is not consistent with New Password.";
        QTest::newRow("old typed with spaces as at login") << " Alice123 " << " Alice123 " << "Xyz12345"
                                                           << "Xyz12346" << 0
                                                           << "Confirm Password is not consistent with New Password.";
        QTest::newRow("policy") << ok << ok << "short" << "short" << 0
                                << "The password length is 8-16 characters\nThe following special characters can be "
                                   "input !@#$%^&*\nPlease input at least 2 combinations by upper case letters, "
                                   "numbers and special characters";
        QTest::newRow("engine refuses") << ok << ok << "Xyz12345" << "Xyz12345" << 2001
                                        << "Change new password failed.";
    }

    // The checks run in their order and the first failing one speaks.
    void passwordChecks()
    {
        QFETCH(QString, stored);
        QFETCH(QString, oldText);
        QFETCH(QString, newText);
        QFETCH(QString, confirm);
        QFETCH(int, forcedFailure);
        QFETCH(QString, message);
        m_env.login()->setPassword(stored);
        CMyPasswordDlg dlg;
        dlg.findChild<QLineEdit *>(QStringLiteral("m_LEtOldPassword"))->setText(oldText);
        dlg.findChild<QLineEdit *>(QStringLiteral("m_LEtNewPassword"))->setText(newText);
        dlg.findChild<QLineEdit *>(QStringLiteral("m_LEtConfirmPassword"))->setText(confirm);
        if (forcedFailure)
            rjsim_force_result("changePassword", forcedFailure, 1);
        AlertBoxSeam seam(QDialogButtonBox::Ok);
        QTest::mouseClick(dlg.findChild<QPushButton *>(QStringLiteral("m_pBtnOK")), Qt::LeftButton);
        QCOMPARE(seam.count(), 1);
        QCOMPARE(seam.last().text, message);
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QCOMPARE(m_env.login()->getPassword(), stored);
        m_env.login()->setPassword(QStringLiteral("Alice123"));
    }

    // All checks pass: the new password is kept in memory and the dialog
    // closes without a word.
    void passwordChanged()
    {
        m_env.login()->setPassword(QStringLiteral("Alice123"));
        CMyPasswordDlg dlg;
        dlg.findChild<QLineEdit *>(QStringLiteral("m_LEtOldPassword"))->setText(QStringLiteral("Alice123"));
        dlg.findChild<QLineEdit *>(QStringLiteral("m_LEtNewPassword"))->setText(QStringLiteral(" Alice#2027 "));
        dlg.findChild<QLineEdit *>(QStringLiteral("m_LEtConfirmPassword"))->setText(QStringLiteral("Alice#2027"));
        AlertBoxSeam seam(QDialogButtonBox::Ok);
        QTest::mouseClick(dlg.findChild<QPushButton *>(QStringLiteral("m_pBtnOK")), Qt::LeftButton);
        QCOMPARE(seam.count(), 0);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(m_env.login()->getPassword(), QStringLiteral("Alice#2027"));
        // Back to the demo password for the other tests.
        QVERIFY(CRJSdkManager::getInstance()->changePassword("Alice#2027", "Alice123"));
        m_env.login()->setPassword(QStringLiteral("Alice123"));
    }

    void avatarUpload_data()
    {
        QTest::addColumn<int>("refusal");     // forced result of uploadUserImage, 0 none
        QTest::addColumn<QString>("message"); // the box, empty for success
        QTest::newRow("success") << 0 << "Upload picture succeeded";
        QTest::newRow("engine refuses") << 7 << "Upload picture failed.";
    }

    // The visible square is uploaded; success replaces "header.jpg" and tells
    // the avatars to redraw, a refusal removes the temporary file.
    void avatarUpload()
    {
        QFETCH(int, refusal);
        QFETCH(QString, message);
        const QString header = rj_app::helpers::CUserConfigUtils::getInstance()->getHeaderImagePath();
        QImage old(10, 10, QImage::Format_RGB32);
        old.fill(Qt::red);
        QVERIFY(old.save(header, "JPG"));
        const QString picture = writePicture(m_dir.path(), QStringLiteral("me.png"), QSize(300, 240));
        CMyHeadpicDlg::setFileChooser([picture](QWidget *) { return picture; });
        CMyHeadpicDlg dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QTest::mouseClick(dlg.findChild<QPushButton *>(QStringLiteral("m_pBtnOpen")), Qt::LeftButton);
        QVERIFY(dlg.editor()->isLoaded());
        dlg.editor()->repaint();
        QSignalSpy redraw(m_env.login(), &rj_app::models::CLoginManager::sigAvatarDownloadedOk);
        if (refusal)
            rjsim_force_result("uploadUserImage", refusal, 1);
        AlertBoxSeam seam(QDialogButtonBox::Ok);
        QTest::mouseClick(dlg.findChild<QPushButton *>(QStringLiteral("m_pBtnUpload")), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(seam.count(), 1, kWaitMs);
        QCOMPARE(seam.last().text, message);
        QVERIFY(!dlg.isWaiting());
        QVERIFY(!QFile::exists(CMyHeadpicDlg::uploadTempPath()));
        const QImage now(header);
        if (refusal) {
            QCOMPARE(redraw.count(), 0);
            QCOMPARE(now.size(), QSize(10, 10));
            QVERIFY(dlg.isVisible());
        } else {
            QCOMPARE(redraw.count(), 1);
            QCOMPARE(now.size(), dlg.editor()->size());
            QVERIFY(!dlg.isVisible());
        }
        CMyHeadpicDlg::setFileChooser({});
    }

    // An engine error for the upload is prompted; errors of other actions
    // are not the dialog's; the temporary file stays until the next upload.
    void avatarUploadErrorEvent()
    {
        CMyHeadpicDlg dlg;
        AlertBoxSeam seam(QDialogButtonBox::Ok);
        rj::engine::RJError other;
        other.action = "changePassword";
        emit CRJSdkManager::getInstance()->eventError(other);
        QTest::qWait(10);
        QVERIFY(!seam.texts().contains(QStringLiteral("Upload picture failed.")));
        rj::engine::RJError upload;
        upload.action = "uploadUserImage";
        upload.code = 5;
        emit CRJSdkManager::getInstance()->eventError(upload);
        QTRY_VERIFY(seam.texts().contains(QStringLiteral("Upload picture failed.")));
        QVERIFY(!dlg.isWaiting());
    }

    // A file that is no picture leaves nothing to upload; a copy that fails
    // keeps the old avatar in place.
    void avatarNothingLost()
    {
        const QString notPicture = m_dir.path() + QStringLiteral("/fake.jpg");
        QFile fake(notPicture);
        QVERIFY(fake.open(QIODevice::WriteOnly));
        fake.write("not a picture");
        fake.close();
        CMyHeadpicDlg::setFileChooser([notPicture](QWidget *) { return notPicture; });
        CMyHeadpicDlg dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QTest::mouseClick(dlg.findChild<QPushButton *>(QStringLiteral("m_pBtnOpen")), Qt::LeftButton);
        QVERIFY(!dlg.editor()->isLoaded());
        QVERIFY(dlg.editor()->getPixmap().isNull());
        AlertBoxSeam seam(QDialogButtonBox::Ok);
        QTest::mouseClick(dlg.findChild<QPushButton *>(QStringLiteral("m_pBtnUpload")), Qt::LeftButton);
        QCOMPARE(seam.count(), 0);
        QCOMPARE(rjsim_journal_count("uploadUserImage"), 0);
        CMyHeadpicDlg::setFileChooser({});

        const QString header = rj_app::helpers::CUserConfigUtils::getInstance()->getHeaderImagePath();
        QImage old(12, 12, QImage::Format_RGB32);
        old.fill(Qt::green);
        QVERIFY(old.save(header, "JPG"));
        QVERIFY(!CMyHeadpicDlg::replaceFile(m_dir.path() + QStringLiteral("/missing.jpg"), header));
        QCOMPARE(QImage(header).size(), QSize(12, 12));
        dlg.slot_UploadUserImageComplete((m_dir.path() + QStringLiteral("/missing.jpg")).toStdString());
        QCOMPARE(seam.count(), 0);
        QCOMPARE(QImage(header).size(), QSize(12, 12));
        QVERIFY(dlg.isVisible());
    }

    // Centring over the nominal 200 px area, zoom anchored at the cursor,
    // the 100 px floor, the upper bound and the exact drag.
    void editorMath()
    {
        CPictureEditWidget editor;
        editor.resize(200, 200);
        QVERIFY(!editor.loadPicture(QStringLiteral("   ")));
        QVERIFY(editor.loadPicture(writePicture(m_dir.path(), QStringLiteral("a.png"), QSize(120, 60))));
        QCOMPARE(editor.pictureRect(), QRect(40, 70, 120, 60));

        wheel(&editor, QPoint(150, 100), 120);
        QCOMPARE(editor.pictureRect(), QRect(29, 67, 132, 66));
        wheel(&editor, QPoint(150, 100), -120);
        QCOMPARE(editor.pictureRect(), QRect(41, 70, 118, 59));
        wheel(&editor, QPoint(150, 100), -120);
        QCOMPARE(editor.pictureRect(), QRect(51, 73, 106, 53));
        // 106 x 0.9 is below the floor: the step is ignored.
        wheel(&editor, QPoint(150, 100), -120);
        QCOMPARE(editor.pictureRect(), QRect(51, 73, 106, 53));

        QTest::mousePress(&editor, Qt::LeftButton, {}, QPoint(10, 10));
        QMouseEvent move(QEvent::MouseMove, QPointF(25, 5), QPointF(editor.mapToGlobal(QPoint(25, 5))), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&editor, &move);
        QTest::mouseRelease(&editor, Qt::LeftButton, {}, QPoint(25, 5));
        QCOMPARE(editor.pictureRect(), QRect(66, 68, 106, 53));

        QVERIFY(editor.loadPicture(writePicture(m_dir.path(), QStringLiteral("b.png"), QSize(200, 200))));
        for (int i = 0; i < 200; ++i)
            wheel(&editor, QPoint(100, 100), 120);
        QVERIFY(editor.pictureRect().width() <= CPictureEditWidget::kMaxSide);
        QVERIFY(editor.pictureRect().width() > CPictureEditWidget::kMaxSide / 1.1 - 1);
        // Still a picture on the canvas after the zooming.
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        editor.repaint();
        QVERIFY(!editor.getPixmap().isNull());
    }
};

GLIMORA_TEST_MAIN(TestProfileDlgs)

#include "tst_profiledlgs.moc"
