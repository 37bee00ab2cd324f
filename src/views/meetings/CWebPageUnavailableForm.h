#pragma once

#include "views/meetings/CWebBrowserLoadFailedForm.h"
#include "views/meetings/CWebPageHost.h"

namespace rj_app::views {

// Stands where a web page would be when the web library cannot be loaded or
// the web engine cannot start: the failed picture with a text that says why,
// and nothing to retry.
class CWebPageUnavailableForm : public CWebPageHost
{
    Q_OBJECT
public:
    explicit CWebPageUnavailableForm(int urlType, QWidget *parent = nullptr,
                                     CWebBrowserLoadFailedForm::Reason reason = CWebBrowserLoadFailedForm::NoWebComponents);
    ~CWebPageUnavailableForm() override;

    void updateDpi(double scale) override;
    void updatePage() override {}
    void releaseCurrentPage() override {}
    void stopWeb() override {}
    void clearConfListCache() override {}
    bool hasPage() const override { return false; }
    double zoomFactor() const override { return m_dZoomFactor; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    CWebBrowserLoadFailedForm *m_pFailedForm = nullptr;
    double m_dZoomFactor = 1.0;
};

} // namespace rj_app::views
