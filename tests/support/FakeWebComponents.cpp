#include "FakeWebComponents.h"

#include "views/meetings/IWebComponents.h"
#include "views/meetings/WebComponents.h"

namespace glimora::test {

namespace {

class FakeWebComponents : public rj_app::views::IWebComponents
{
public:
    rj_app::views::CWebPageHost *createWebBrowserWrapperForm(int urlType, QWidget *parent) override
    {
        return new FakeWebPage(urlType, parent);
    }
    // No page engine here: the client's own stand-in board.
    rj_app::views::WhiteBoardWebWidget *createWhiteBoardWebWidget(QWidget *) override { return nullptr; }
};

} // namespace

FakeWebPage::FakeWebPage(int urlType, QWidget *parent)
    : CWebPageHost(urlType, parent)
{
}

void FakeWebPage::updateDpi(double scale)
{
    m_dZoomFactor = scale > 0 ? scale : 1.0;
}

void FakeWebPage::updatePage()
{
    if (!m_bUsed)
        return;
    m_bHasPage = true;
    m_bUsed = false;
}

void FakeWebPage::showEvent(QShowEvent *event)
{
    CWebPageHost::showEvent(event);
    m_bUsed = true;
    m_bHasPage = true;
    setDisplayState(Shown);
}

void useFakeWebPages()
{
    static FakeWebComponents factory;
    rj_app::views::WebComponents::setFactory(&factory);
}

} // namespace glimora::test
