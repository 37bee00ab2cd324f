#pragma once

#include "views/annotation/WhiteBoardWebWidget.h"

#include <QStringList>
#include <QUrl>

namespace glimora::test {

// The whiteboard page widget with its page replaced by a record: scripts run,
// addresses loaded, pages made and released.
class RecordingWhiteBoardPage : public rj_app::views::WhiteBoardWebWidget
{
public:
    QStringList scripts;
    QList<QUrl> loads;
    int pagesCreated = 0;
    int pagesReleased = 0;
    bool channel = true;

    // What the page would call when it has its board.
    void pageReportsConnected() { slotBoardConnected(); }

    void createNewPage() override
    {
        WhiteBoardWebWidget::createNewPage();
        ++pagesCreated;
        channel = true;
    }
    void releaseCurrentPage() override
    {
        ++pagesReleased;
        channel = false;
    }

protected:
    bool hasChannel() const override { return channel; }
    void runScript(const QString &script) override { scripts << script; }
    void loadAddress(const QUrl &url) override { loads << url; }
};

} // namespace glimora::test
