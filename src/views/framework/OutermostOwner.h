#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

namespace rj_app::views {

// Every window that `owner` owns through a chain of owned windows (a popup of
// a toolbar laid over a cover laid over `owner`) is shown as owned by `owner`
// itself. Window managers keep an owned window in its owner's layer and above
// it, but not always in its owner's owner's: over a full-screen or
// stay-on-top window such a popup would show beneath. Watches the
// application's show events from the moment it is made.
class COutermostOwner : public QObject
{
public:
    explicit COutermostOwner(QWidget *owner);
    ~COutermostOwner() override;

    // The window at the end of `window`'s chain of owners; `window` itself
    // when it has none.
    static QWidget *outermostOf(QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QWidget> m_owner;
};

} // namespace rj_app::views
