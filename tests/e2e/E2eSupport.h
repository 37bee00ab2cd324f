#pragma once

// What the end-to-end tests share: finding widgets as a person sees them,
// signing in through the login window, joining and leaving a call, and
// screenshots that are checked and kept for a person to look at.

#include "support/ModalDialogDriver.h"
#include "support/TestMain.h"
#include "support/XDesktop.h"

#include "app/AppStartup.h"
#include "app/CSingleApplication.h"

#include <QImage>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>

class CConferenceItemWidget;
class CConferencesListWidget;
class QLineEdit;

namespace glimora::test {

class DemoServerProcess;

namespace e2e {

constexpr int kWaitMs = 20000;

template <typename T> T *child(QWidget *window, const char *name)
{
    return window->findChild<T *>(QLatin1String(name));
}

// How many colours a picture has, counting up to `enough`.
int distinctColours(const QImage &image, int enough = 64);
// A picture of something: more than a handful of colours, not a blank or
// one-colour window.
bool hasContent(const QImage &image);

// Takes a picture with `grab` until it shows something (windows paint a
// moment after they show) and keeps it as "<name>.png" in the screenshot
// directory: $GLIMORA_SCREENSHOT_DIR when set (to keep them after the run),
// otherwise "screenshots" in the test's temporary directory, which goes with
// the test. Fails the test when it stays blank.
void checkShot(const QString &name, const std::function<QImage()> &grab);
QString screenshotDir();
// What the screen shows in `area` (global coordinates): windows of their
// own laid over the call window included.
QImage grabScreen(const QRect &area);
QImage grabScreen();
// Where a widget lies on screen as the X server shows it.
QRect screenRectOf(QWidget *widget);
// What the screen shows where the widget lies is a picture, kept as
// "<name>.png": not blank, not one colour.
void expectOnScreen(QWidget *widget, const QString &name);
// The screen shows `colour` all over `area` (global), as a person sees it
// once the compositor has caught up: what lies under a see-through window
// shows through it.
// `tolerance`: how far each channel may stray, for a colour seen through
// a nearly clear window.
void expectScreenShows(const QRect &area, QRgb colour, const char *what, int tolerance = 0);

// What a person does, through the X server (support/XDesktop.h). Each fails
// the test unless `widget` is visible and its window is the one on top at the
// point aimed at, as a person sees it; then the input goes to whatever the X
// server has there. `at` is in the widget's coordinates, its centre when
// left out.
void personClicks(QWidget *widget, QPoint at = QPoint(-1, -1), Qt::MouseButton button = Qt::LeftButton);
// The client's mapped windows in the window manager's stacking, top first.
QString stackingOfTheClient();
// The window on top at a global point is `window`.
void expectOnTop(QWidget *window, const QPoint &global);
// A click into the field, everything in it selected, the text typed.
void personTypes(QLineEdit *field, const QString &text);
// A click that opens what `driver` expects: clicked again when nothing came
// (a window that has just come back may lose the first one), up to three
// times; then waits until the driver is done with it.
void personClicksAndAnswers(QWidget *widget, const glimora::test::ModalDialogDriver &driver);
// For ModalDialogDriver: a person's click on the dialog's button of that
// object name, or of that caption.
glimora::test::ModalDialogDriver::Action personClicksButtonNamed(const QString &objectName);
glimora::test::ModalDialogDriver::Action personClicksButtonText(const QString &text);

// A button on screen by object name (and caption, when given), in any window.
QPushButton *visibleButton(const QString &name, const QString &text = QString());

// What a row of the meeting list shows, its labels in layout order.
QStringList rowTexts(QWidget *row);
// The meeting list's row of meeting `number`, or null.
CConferenceItemWidget *meetingRow(CConferencesListWidget *list, int number);

// Fills the login window's account page as a person does (server, port of
// the demo server, HTTPS ticked, account, password) and presses Login; all
// through the keyboard and the mouse.
void submitLogin(const DemoServerProcess &server, const QString &user, const QString &password);
// The same against the given port of the demo server (its "ROZ" port, say),
// with HTTPS ticked or not.
void submitLogin(int port, const QString &user, const QString &password, bool https = true);
// The login window comes up and waits for a person; then alice signs in and
// the home window shows her online.
void signInAsAlice(const DemoServerProcess &server);

// The meetings tab's row of `number` joins it through the join dialog.
void joinFromMeetingList(int number);
// The call window comes up and connects, showing the call's name.
void expectTheCall(const QString &name);
// The mouse over the video brings up the toolbar; its hang-up button and the
// question's "Leave" end the call.
void leaveTheCall();

} // namespace e2e
} // namespace glimora::test

// The start-up code that main runs, in process, then the test object; the
// simulated engine's delays multiplied by `timeScale` ("0": no delays).
#define GLIMORA_E2E_MAIN(TestObject, timeScale)                                                        \
    int main(int argc, char *argv[])                                                                   \
    {                                                                                                  \
        glimora::test::isolateEnvironment();                                                           \
        qputenv("RJSIM_TIME_SCALE", timeScale);                                                        \
        rj_app::startup::prepare(argc, argv);                                                          \
        rj_app::CSingleApplication app(argc, argv, rj_app::CSingleApplication::userInstanceKey());     \
        /* The test's own arguments are no join URL. */                                               \
        if (!rj_app::startup::start(app, 1, argv))                                                     \
            return 1;                                                                                  \
        /* After start(): the log layer's handler gets every message still. */                     \
        glimora::test::watchStyleSheetWarnings();                                                      \
        TestObject tc;                                                                                 \
        QTEST_SET_MAIN_SOURCE_PATH                                                                     \
        return glimora::test::styleSheetCheckedStatus(QTest::qExec(&tc, argc, argv));                 \
    }
