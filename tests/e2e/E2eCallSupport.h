#pragma once

// What the end-to-end walks through the call window share: its windows, the
// pointer moved as a person moves it, and the toolbar that comes with it.

#include <QDateTime>
#include <QPoint>
#include <QRect>

class QWidget;

namespace rj_app::models {
class CCallController;
}
namespace rj_app::views {
class CLayoutBackgroundDlg;
class CLayoutCellDlg;
class CLayoutPeopleSettingDlg;
class CLayoutToolbarDlg;
class CSelectShareContent;
} // namespace rj_app::views

namespace glimora::test::e2e {

rj_app::views::CLayoutBackgroundDlg *callDlg();
rj_app::views::CLayoutPeopleSettingDlg *layoutDlg();
rj_app::views::CLayoutToolbarDlg *toolbar();
rj_app::models::CCallController *call();
// Where a window lies on screen, its frame-less geometry.
QRect frameOf(QWidget *window);
// "x,y wxh", for failure messages.
QString rectText(const QRect &r);
// Gives the primary screen another logical DPI, as the platform does.
void setScreenDpi(qreal dpi);
// Moves the pointer as a person does (through the X server) and waits until
// a window of the client has seen it there.
void movePointer(QWidget *over, const QPoint &at);

// The pointer over the call window, on the call window's mouse clock, which
// this walker owns: the toolbar shows for a continuous movement. There is
// one, callMouse(), as the call window keeps its clock for the process.
class CallMouse
{
public:
    // Puts the clock on the call layout; a slow machine must not hide the
    // toolbar between a look and a click.
    void install();
    // What fills the layout: received content, the remote video, or the
    // panel of an audio-only call.
    QWidget *mainVideo();
    // One step of `step` pixels every 40 ms after a pause, each step seen by
    // the window below it before the next.
    void moveOverTheVideo(const QPoint &from, int step, int steps);
    void pointerToTheTitleBar();
    void bringUpTheToolbar();
    // The clock a test moves on by hand between steps.
    QDateTime now;
};

CallMouse &callMouse();

// The home window is back and the call has ended.
void expectHomeAgain();

// Share on the toolbar brings up the share chooser; `chooser` is it, shown.
void openTheShareChooser(CallMouse &mouse, rj_app::views::CSelectShareContent *&chooser);
// The chooser's Share button, with a tile chosen: the chooser goes.
void pressShare(rj_app::views::CSelectShareContent *chooser);

// A person clicks only once what is shown stands still: where the X server
// has the window, the widget's place and the picture there stay the same a
// few looks in a row (`onScreen`: the picture too).
void waitUntilShownStill(QWidget *widget, bool onScreen = true);
// The meetings tab's row of `number` joins, once the home window stands
// still with the row's join button on the screen.
void joinWhenShown(int number);

// The remote video cell's colour while nobody sends a picture.
constexpr unsigned int kVideoColour = 0x666666;
// The remote video shows on screen, through the nearly clear mouse cover.
void expectVideoShows(const char *what);

} // namespace glimora::test::e2e
