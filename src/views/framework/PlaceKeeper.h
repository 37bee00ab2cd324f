#pragma once

#include <QObject>
#include <QRect>
#include <QPointer>

#include <functional>
#include <optional>

class QWidget;

namespace rj_app::views {

// Keeps a window where its owner puts it, at the size it gives it. Under a
// window manager a window moved or resized right after a new owner or a show
// now and then stays, or comes back, where and as large as it stood before,
// and the X server reports that to Qt: a cell's cover then lies far from its
// cell, over whatever is there, and a mouse cover keeps the size of the
// compact window. After each move, resize or show of the window, the
// geometry its owner wants (none: any will do) is asked again, a few times in
// a row at most, so a window manager that insists is not fought for ever.
class CPlaceKeeper : public QObject
{
public:
    using WantedPlace = std::function<std::optional<QRect>()>;

    CPlaceKeeper(QWidget *window, WantedPlace wanted);

    static constexpr int kMaxTries = 3;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void check();

    QPointer<QWidget> m_window;
    WantedPlace m_wanted;
    int m_tries = 0;
    bool m_pending = false;
};

// Keeps Qt's idea of a window's place on what the X server shows. Under a
// window manager the last report of a window's place now and then tells of
// an older one (a move answered with the place the window had when it was
// mapped): Qt then puts what belongs to the window, and what a person aims
// at on it, where the window is not. After each move, resize or show, once
// the events are handled, the X server is asked and Qt told where the window
// lies. `skip` says when not to ask (a place the window manager is about to
// set).
class CServerPlaceFollower : public QObject
{
public:
    CServerPlaceFollower(QWidget *window, std::function<bool()> skip = {});

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void check();

    QPointer<QWidget> m_window;
    std::function<bool()> m_skip;
    bool m_pending = false;
};

} // namespace rj_app::views
