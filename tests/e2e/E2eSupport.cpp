#include "E2eSupport.h"

#include "E2eCallSupport.h"

#include "support/DemoServerProcess.h"
#include "support/ModalDialogDriver.h"

#include "models/CCallController.h"
#include "models/CLoginManager.h"
#include "models/CRJSdkManager.h"
#include "views/incall/CLayoutToolbarDlg.h"
#include "views/framework/CWaitingDlg.h"
#include "views/incall/CLayoutBackgroundDlg.h"
#include "views/main/CHomeDlg.h"
#include "views/main/CLoginDlg.h"
#include "views/main/CLoginInfoForm.h"
#include "views/meetings/CConferenceItemWidget.h"
#include "views/meetings/CConferencesListWidget.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMultiMap>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QSet>
#include <QTest>
#include <QToolButton>

using namespace rj_app::enums;
using rj_app::models::CCallController;
using rj_app::models::CLoginManager;
using rj_app::views::CHomeDlg;
using rj_app::views::CLayoutBackgroundDlg;
using rj_app::views::CLoginDlg;

namespace glimora::test::e2e {

int distinctColours(const QImage &image, int enough)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 2) {
        for (int x = 0; x < image.width(); x += 2) {
            colours.insert(image.pixel(x, y));
            if (colours.size() >= enough)
                return colours.size();
        }
    }
    return colours.size();
}

bool hasContent(const QImage &image)
{
    return !image.isNull() && distinctColours(image) > 8;
}

QString screenshotDir()
{
    const QString dir = qEnvironmentVariableIsEmpty("GLIMORA_SCREENSHOT_DIR")
                            ? glimora::test::isolatedRoot() + QStringLiteral("/screenshots")
                            : qEnvironmentVariable("GLIMORA_SCREENSHOT_DIR");
    QDir().mkpath(dir);
    return dir;
}

namespace {

// Grabs until two pictures in a row agree and `wanted` holds for them: the
// screen follows the widgets a moment later, as the compositor paints on its
// own time. `image` is the last picture; false when time ran out.
bool stillPicture(const std::function<QImage()> &grab, QImage &image, int timeoutMs,
                  bool (*wanted)(const QImage &) = nullptr)
{
    QImage previous;
    return QTest::qWaitFor(
        [&] {
            image = grab();
            const bool still = image == previous && (!wanted || wanted(image));
            previous = image;
            if (!still)
                QTest::qWait(50);
            return still;
        },
        timeoutMs);
}

} // namespace

void checkShot(const QString &name, const std::function<QImage()> &grab)
{
    const QString path = screenshotDir() + QLatin1Char('/') + name + QStringLiteral(".png");
    QImage image;
    const bool shows = stillPicture(grab, image, kWaitMs, hasContent);
    QVERIFY2(image.save(path), qPrintable(path));
    qInfo("screenshot %s", qPrintable(path));
    QVERIFY2(shows, qPrintable(QStringLiteral("blank: %1 (%2 colours)").arg(path).arg(distinctColours(image))));
}

QImage grabScreen(const QRect &area)
{
    // Everything asked of the X server so far is drawn before the picture.
    QCoreApplication::processEvents();
    QApplication::sync();
    QScreen *screen = QGuiApplication::primaryScreen();
    return screen->grabWindow(0, area.x(), area.y(), area.width(), area.height()).toImage();
}

QImage grabScreen()
{
    return grabScreen(QGuiApplication::primaryScreen()->geometry());
}

namespace {

// Where the X server shows the point: the window's real place, which the
// application may learn a moment later than a person sees it.
QPoint aim(QWidget *widget, QPoint at)
{
    const QPoint local = at.x() < 0 ? widget->rect().center() : at;
    QWidget *window = widget->window();
    const QRect real = desktop::geometryOf(window);
    const QPoint origin = real.isValid() ? real.topLeft() : window->mapToGlobal(QPoint(0, 0));
    return origin + widget->mapTo(window, local);
}

QString describe(QWidget *window)
{
    return window ? QString::fromLatin1(window->metaObject()->className()) + QLatin1Char(' ') + window->objectName()
                  : QStringLiteral("another program's window, or none");
}

} // namespace

QString stackingOfTheClient()
{
    QMultiMap<int, QString> shown;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        const int index = w->isVisible() ? desktop::stackingIndex(w) : -1;
        if (index >= 0)
            shown.insert(index, describe(w).trimmed());
    }
    QStringList topFirst;
    for (auto it = shown.constEnd(); it != shown.constBegin();) {
        --it;
        topFirst << QStringLiteral("%1: %2").arg(it.key()).arg(it.value());
    }
    return topFirst.join(QStringLiteral("; "));
}

void expectOnTop(QWidget *window, const QPoint &global)
{
    QWidget *top = nullptr;
    const bool onTop = QTest::qWaitFor([&] { return (top = desktop::topLevelAt(global)) == window; }, kWaitMs);
    QVERIFY2(onTop, qPrintable(QStringLiteral("at %1,%2 a person meets %3, not %4; the client's windows, top first: %5")
                                   .arg(global.x())
                                   .arg(global.y())
                                   .arg(describe(top), describe(window), stackingOfTheClient())));
}

namespace {

// Where a person aims at the widget once its window is shown and on top
// there; a null point, the test failed.
QPoint aimOnTop(QWidget *widget, QPoint at)
{
    if (!widget) {
        QTest::qFail("no widget to click", __FILE__, __LINE__);
        return QPoint();
    }
    QWidget *window = widget->window();
    QWidget *top = nullptr;
    QPoint global;
    const bool ready = QTest::qWaitFor(
        [&] {
            if (!widget->isVisible())
                return false;
            global = aim(widget, at);
            return (top = desktop::topLevelAt(global)) == window;
        },
        kWaitMs);
    if (ready) {
        // A person clicks what stands still: a window that is still being laid
        // out moves the target away under the pointer.
        QImage seen;
        (void)stillPicture([widget] { return grabScreen(screenRectOf(widget)); }, seen, 2000);
        global = aim(widget, at);
    }
    if (!ready) {
        const QString why = !widget->isVisible()
                                ? QStringLiteral("%1 is not shown").arg(describe(widget))
                                : QStringLiteral("at %1,%2 a person meets %3, not %4 (%5 at %6,%7 %8x%9)")
                                      .arg(global.x())
                                      .arg(global.y())
                                      .arg(describe(top), describe(window))
                                      .arg(desktop::isViewable(window) ? QStringLiteral("mapped")
                                                                       : QStringLiteral("not mapped"))
                                      .arg(desktop::geometryOf(window).x())
                                      .arg(desktop::geometryOf(window).y())
                                      .arg(desktop::geometryOf(window).width())
                                      .arg(desktop::geometryOf(window).height());
        QTest::qFail(qPrintable(why), __FILE__, __LINE__);
        return QPoint();
    }
    return global;
}

} // namespace

void personClicks(QWidget *widget, QPoint at, Qt::MouseButton button)
{
    const QPoint global = aimOnTop(widget, at);
    if (!global.isNull())
        desktop::click(global, button);
}

void personTypes(QLineEdit *field, const QString &text)
{
    personClicks(field);
    if (QTest::currentTestFailed())
        return;
    QTRY_VERIFY_WITH_TIMEOUT(field->hasFocus(), kWaitMs);
    desktop::keyClick(Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        desktop::keyClick(Qt::Key_Backspace);
    else
        desktop::typeText(text);
    QTRY_COMPARE_WITH_TIMEOUT(field->text(), text, kWaitMs);
}

void personClicksAndAnswers(QWidget *widget, const ModalDialogDriver &driver)
{
    QPointer<QWidget> target(widget);
    const auto done = [&driver] { return driver.allHandled() || !driver.failures().isEmpty(); };
    for (int attempt = 0; attempt < 3 && target && !done() && !QTest::currentTestFailed(); ++attempt) {
        // A person clicks again when nothing came; the log says so, a lost
        // click is worth knowing about.
        if (attempt > 0)
            qWarning("clicked %s again: the click before opened nothing", target->metaObject()->className());
        personClicks(target);
        if (QTest::qWaitFor(done, 3000))
            break;
    }
    QTRY_VERIFY2_WITH_TIMEOUT(done(), "the click opened nothing", kWaitMs);
    QVERIFY2(driver.allHandled(), qPrintable(driver.failures().join(QLatin1Char('\n'))));
}

ModalDialogDriver::Action personClicksButtonNamed(const QString &objectName)
{
    return [objectName](QWidget *modal) {
        auto *button = modal->findChild<QAbstractButton *>(objectName);
        if (!button) {
            qWarning("no button %s on %s", qPrintable(objectName), modal->metaObject()->className());
            return;
        }
        personClicks(button);
    };
}

ModalDialogDriver::Action personClicksButtonText(const QString &text)
{
    return [text](QWidget *modal) {
        for (QAbstractButton *button : modal->findChildren<QAbstractButton *>())
            if (button->isVisible() && button->text() == text) {
                personClicks(button);
                return;
            }
        qWarning("no button \"%s\" on %s", qPrintable(text), modal->metaObject()->className());
    };
}

QRect screenRectOf(QWidget *widget)
{
    return QRect(aim(widget, QPoint(0, 0)), widget->size());
}

void expectOnScreen(QWidget *widget, const QString &name)
{
    checkShot(name, [widget] { return grabScreen(screenRectOf(widget)); });
}

void expectScreenShows(const QRect &area, QRgb colour, const char *what, int tolerance)
{
    QImage seen;
    const auto near = [&](QRgb pixel) {
        return qAbs(qRed(pixel) - qRed(colour)) <= tolerance && qAbs(qGreen(pixel) - qGreen(colour)) <= tolerance
               && qAbs(qBlue(pixel) - qBlue(colour)) <= tolerance;
    };
    const auto all = [&] {
        for (int y = 0; y < seen.height(); ++y)
            for (int x = 0; x < seen.width(); ++x)
                if (!near(seen.pixel(x, y)))
                    return false;
        return !seen.isNull();
    };
    const bool shows = QTest::qWaitFor(
        [&] {
            seen = grabScreen(area);
            return all();
        },
        kWaitMs);
    const QRgb centre = seen.isNull() ? 0 : seen.pixel(seen.rect().center());
    QVERIFY2(shows, qPrintable(QStringLiteral("%1: the screen at %2,%3 %4x%5 shows #%6, not #%7")
                                   .arg(QLatin1String(what))
                                   .arg(area.x())
                                   .arg(area.y())
                                   .arg(area.width())
                                   .arg(area.height())
                                   .arg(centre & 0xffffff, 6, 16, QLatin1Char('0'))
                                   .arg(colour & 0xffffff, 6, 16, QLatin1Char('0'))));
}

QPushButton *visibleButton(const QString &name, const QString &text)
{
    for (QWidget *window : QApplication::topLevelWidgets())
        for (QPushButton *button : window->findChildren<QPushButton *>(name))
            if (button->isVisible() && (text.isNull() || button->text() == text))
                return button;
    return nullptr;
}

QStringList rowTexts(QWidget *row)
{
    QStringList texts;
    for (QLabel *label : row->findChildren<QLabel *>())
        if (label->isVisibleTo(row) && !label->text().isEmpty())
            texts << label->text();
    return texts;
}

CConferenceItemWidget *meetingRow(CConferencesListWidget *list, int number)
{
    for (int row = 0; row < list->count(); ++row) {
        CConferenceItemWidget *item = list->itemWidgetAt(row);
        if (item && rowTexts(item).contains(QString::number(number)))
            return item;
    }
    return nullptr;
}

void submitLogin(const DemoServerProcess &server, const QString &user, const QString &password)
{
    submitLogin(server.plainPort, user, password);
}

void submitLogin(int port, const QString &user, const QString &password, bool https)
{
    // The guest page has fields of the same names.
    QWidget *dlg = CLoginDlg::getInstance()->findChild<rj_app::views::CLoginInfoForm *>();
    QVERIFY(dlg && dlg->isVisible());
    personTypes(child<QLineEdit>(dlg, "m_pEditServer"), QStringLiteral("127.0.0.1"));
    auto *more = child<QCheckBox>(dlg, "m_pChkBoxMore");
    if (!more->isChecked())
        personClicks(more, QPoint(5, more->height() / 2));
    QTRY_VERIFY_WITH_TIMEOUT(child<QLineEdit>(dlg, "m_pEditPort")->isVisible(), kWaitMs);
    // A person leaves HTTPS ticked, as it comes, and the demo server speaks
    // it. A click on the box writes a port into the field, so the port is
    // typed after it.
    auto *box = child<QCheckBox>(dlg, "m_pChkBoxUseHttps");
    if (box->isChecked() != https)
        personClicks(box, QPoint(5, box->height() / 2));
    QTRY_COMPARE_WITH_TIMEOUT(box->isChecked(), https, kWaitMs);
    personTypes(child<QLineEdit>(dlg, "m_pEditPort"), QString::number(port));
    personTypes(child<QLineEdit>(dlg, "m_pEditAccount"), user);
    personTypes(child<QLineEdit>(dlg, "m_pEditPassword"), password);
    if (QTest::currentTestFailed())
        return;
    personClicks(child<QPushButton>(dlg, "m_pBtnLogin"));
}

void signInAsAlice(const DemoServerProcess &server)
{
    CLoginDlg *dlg = CLoginDlg::getInstance();
    QVERIFY(QTest::qWaitForWindowExposed(dlg));
    QTRY_VERIFY_WITH_TIMEOUT(rj_app::models::CRJSdkManager::getInstance() != nullptr, kWaitMs);
    QTRY_VERIFY_WITH_TIMEOUT(!rj_app::views::CWaitingDlg::getInstance()->isVisible(), kWaitMs);
    submitLogin(server, QStringLiteral("alice"), QStringLiteral("Alice123"));
    if (QTest::currentTestFailed())
        return;
    QTRY_COMPARE_WITH_TIMEOUT(CLoginManager::getInstance()->m_loginStatus, LoggedIn, kWaitMs);
    CHomeDlg *home = CHomeDlg::getInstance();
    QTRY_VERIFY_WITH_TIMEOUT(home->isVisible(), kWaitMs);
    QVERIFY(QTest::qWaitForWindowExposed(home));
    QTRY_COMPARE_WITH_TIMEOUT(child<QToolButton>(home, "m_pBtnRegisterStatus")->text(), QStringLiteral("Online"),
                              kWaitMs);
}

void joinFromMeetingList(int number)
{
    auto *list = child<CConferencesListWidget>(CHomeDlg::getInstance(), "listWidget");
    QVERIFY(list && list->isVisible());
    QString offered;
    ModalDialogDriver driver(kWaitMs);
    driver.expect("rj_app::views::CJoinConfDlg",
                  ModalDialogDriver::both(
                      [&offered](QWidget *dlg) { offered = child<QComboBox>(dlg, "m_pCmbBoxConfNumber")->currentText(); },
                      personClicksButtonNamed(QStringLiteral("m_pBtnVideoJoin"))));
    // The list is filled anew now and then (after a call, on its refresh), its
    // rows replaced: the join is aimed at once the list stands still.
    QTRY_VERIFY_WITH_TIMEOUT(meetingRow(list, number), kWaitMs);
    CConferenceItemWidget *row = meetingRow(list, number);
    list->scrollToItem(list->item(list->indexOfItemWidget(row)));
    expectOnScreen(list->viewport(), QStringLiteral("meetings-%1").arg(number));
    row = meetingRow(list, number);
    QVERIFY(row);
    // The row's buttons in layout order: join, end, edit, delete.
    const QList<QPushButton *> buttons = row->findChildren<QPushButton *>(QString(), Qt::FindDirectChildrenOnly);
    QVERIFY(!buttons.isEmpty());
    personClicksAndAnswers(buttons.first(), driver);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(offered, QString::number(number));
}

void expectTheCall(const QString &name)
{
    CLayoutBackgroundDlg *callDlg = CLayoutBackgroundDlg::getInstance();
    QTRY_VERIFY_WITH_TIMEOUT(callDlg->isVisible(), kWaitMs);
    QTRY_COMPARE_WITH_TIMEOUT(CCallController::getInstance()->getCallStatus(), ConfConnected, kWaitMs);
    QLabel *shown = child<QLabel>(callDlg, "m_pLblConfNumber");
    QVERIFY(shown);
    QTRY_COMPARE_WITH_TIMEOUT(shown->text(), name, kWaitMs);
    expectOnScreen(callDlg, QStringLiteral("call-") + name);
}

void leaveTheCall()
{
    CallMouse &mouse = callMouse();
    mouse.install();
    mouse.bringUpTheToolbar();
    if (QTest::currentTestFailed())
        return;
    personClicks(child<QPushButton>(toolbar(), "m_pBtnHangup"));
    QTRY_VERIFY_WITH_TIMEOUT(visibleButton(QStringLiteral("m_button1"), QStringLiteral("Leave")), kWaitMs);
    personClicks(visibleButton(QStringLiteral("m_button1"), QStringLiteral("Leave")));
}

} // namespace glimora::test::e2e
