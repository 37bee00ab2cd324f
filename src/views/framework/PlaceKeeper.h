#pragma once

#include <QObject>
#include <QRect>
#include <QPointer>

#include <functional>
#include <optional>

class QWidget;

namespace rj_app::views {

// Looks at a window's place once the events of each of its moves, resizes
// and shows are handled: the owner may be moving it right now.
class CPlaceWatch : public QObject
{
public:
    explicit CPlaceWatch(QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    // The window is visible when this runs.
    virtual void check() = 0;

    QPointer<QWidget> m_window;

private:
    bool m_pending = false;
};

// Keeps a window where its owner puts it, at the size it gives it. Under a
// window manager a window moved or resized right after a new owner or a show
// now and then stays, or comes back, where and as large as it stood before,
// and the X server reports that to Qt: a cell's cover then lies far from its
// cell, over whatever is there, and a mouse cover keeps the size of the
// compact window. After each move, resize or show of the window, the
// geometry its owner wants (none: any will do) is asked again, a few times in
// a row at most, so a window manager that insists is not fought for ever.
class CPlaceKeeper : public CPlaceWatch
{
public:
    using WantedPlace = std::function<std::optional<QRect>()>;

    CPlaceKeeper(QWidget *window, WantedPlace wanted);

    static constexpr int kMaxTries = 3;

protected:
    void check() override;

private:
    WantedPlace m_wanted;
    int m_tries = 0;
};

// Keeps Qt's idea of a window's place on what the X server shows. Under a
// window manager the last report of a window's place now and then tells of
// an older one (a move answered with the place the window had when it was
// mapped): Qt then puts what belongs to the window, and what a person aims
// at on it, where the window is not. After each move, resize or show the X
// server is asked and Qt told where the window lies, and asked again twice a
// moment later, for a window manager that places the window after Qt has
// looked. `skip` says when not to ask (a place the window manager is about to
// set).
class CServerPlaceFollower : public CPlaceWatch
{
public:
    CServerPlaceFollower(QWidget *window, std::function<bool()> skip = {});

    static constexpr int kLaterChecksMs[] = {300, 1500};

protected:
    void check() override;

private:
    void follow();

    std::function<bool()> m_skip;
    quint64 m_generation = 0;
};

// Shows `window` where `place` puts it. Placed before it is mapped: mapped
// where the window manager puts new windows and moved right after, a window
// was now and then reported back at that first place. Placed again once
// shown, in case showing it rescaled it.
void showPlaced(QWidget *window, const std::function<void()> &place);

} // namespace rj_app::views
