#pragma once

// What a person does and sees on the X display, for tests that must meet the
// client the way a person does.
//
// Input goes through the X server (the XTEST extension) at global screen
// coordinates, from a connection of its own: the server delivers it to
// whatever window is on top there, exactly as for a real mouse or keyboard.
// A widget covered by another window does not get the click; the window that
// covers it does.
//
// The questions go to the X server too: which window takes input at a point,
// the stacking order of the top-level windows, a window's real geometry.
//
//   using namespace glimora::test::desktop;
//   QVERIFY(topLevelAt(centreOf(button)) == button->window());
//   click(centreOf(button));

#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QWindow>

#include <cstdint>

class QWidget;

namespace glimora::test::desktop {

using WindowId = uint32_t;

// The display has a window manager and a compositor that took their
// selections (_NET_SUPPORTING_WM_CHECK, _NET_WM_CM_S0).
bool hasWindowManager();
bool hasCompositor();

// ---- input, through the X server --------------------------------------------

// Moves the pointer to a global position.
void movePointer(const QPoint &global);
// Presses and releases a button where the pointer is.
void pressButton(Qt::MouseButton button = Qt::LeftButton);
void releaseButton(Qt::MouseButton button = Qt::LeftButton);
// Moves there, presses and releases.
void click(const QPoint &global, Qt::MouseButton button = Qt::LeftButton);
// A stroke as a hand draws it: the left button held from `from` to `to` in
// `steps` moves, each seen by the application before the next.
void drag(const QPoint &from, const QPoint &to, int steps);
// Presses and releases a key, with modifiers held around it.
void keyClick(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Types text into whatever has the keyboard, one key per character (shift
// where the character needs it; characters the keyboard lacks are put on a
// spare key for the moment, as input methods do).
void typeText(const QString &text);

// Waits until the X server has handled everything sent so far and the
// application has seen the events it caused.
void settle();

// ---- what the X server shows -------------------------------------------------

// The innermost window that takes input at a global position (input shapes
// honoured), and the chain from the top-level window down to it.
WindowId windowAt(const QPoint &global);
QList<WindowId> windowChainAt(const QPoint &global);
// The application's top-level widget that would take a click at a global
// position, or null when another program's window (or none) would.
QWidget *topLevelAt(const QPoint &global);

// The top-level windows of the display, bottom first, as the window manager
// stacked them (frames included).
QList<WindowId> stackingOrder();
// Where a window lies in that order: the index of its frame (or of itself
// when unmanaged); -1 when it is not mapped.
int stackingIndex(QWidget *window);
// `upper` is stacked above `lower`.
bool isAbove(QWidget *upper, QWidget *lower);
// The window is mapped (viewable) in the X server.
bool isViewable(QWidget *window);

// A window's geometry on screen as the X server has it, frame excluded.
QRect geometryOf(WindowId window);
QRect geometryOf(QWidget *window);

// The global centre of a widget, where a person aims.
QPoint centreOf(QWidget *widget);

// ---- another program's window ----------------------------------------------

// A plain X window of another client, of one colour, that records the button
// presses it gets: the desktop under the client, or a program beside it.
class ForeignWindow
{
public:
    enum Kind { Normal, Desktop };
    ForeignWindow(const QRect &geometry, uint32_t rgb, Kind kind = Normal);
    ~ForeignWindow();
    ForeignWindow(const ForeignWindow &) = delete;
    ForeignWindow &operator=(const ForeignWindow &) = delete;

    WindowId id() const { return m_window; }
    // Waits until the window manager has mapped it.
    bool waitUntilMapped(int timeoutMs = 5000);
    // The presses received so far (events are read on each call).
    int presses();
    QPoint lastPress() const;

private:
    WindowId m_window = 0;
};

} // namespace glimora::test::desktop
