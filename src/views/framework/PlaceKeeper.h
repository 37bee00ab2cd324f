#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>

#include <functional>
#include <optional>

class QWidget;

namespace rj_app::views {

// Keeps a window where its owner puts it. Under a window manager a window
// moved right after a new owner or a show now and then stays, or comes back,
// where it stood before, and the X server reports that place to Qt: a cell's
// cover then lies far from its cell, over whatever is there. After each move
// of the window, the place its owner wants (none: any place will do) is
// asked again, a few times in a row at most, so a window manager that insists
// is not fought for ever.
class CPlaceKeeper : public QObject
{
public:
    using WantedPlace = std::function<std::optional<QPoint>()>;

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

} // namespace rj_app::views
