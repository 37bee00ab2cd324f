#pragma once

#include "views/meetings/CWebPageHost.h"

namespace glimora::test {

// A web page host without the web engine, for tests of the windows that
// hold web pages: it keeps whether it has a page (renewed on updatePage()
// once shown, dropped by releaseCurrentPage()) and the scale it was given.
class FakeWebPage : public rj_app::views::CWebPageHost
{
    Q_OBJECT
public:
    explicit FakeWebPage(int urlType, QWidget *parent = nullptr);

    void updateDpi(double scale) override;
    void updatePage() override;
    void releaseCurrentPage() override { m_bHasPage = false; }
    void stopWeb() override {}
    void clearConfListCache() override {}
    bool hasPage() const override { return m_bHasPage; }
    double zoomFactor() const override { return m_dZoomFactor; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    bool m_bHasPage = true;
    bool m_bUsed = false;
    double m_dZoomFactor = 1.0;
};

// From here on every web page of the program is a FakeWebPage.
void useFakeWebPages();

} // namespace glimora::test
