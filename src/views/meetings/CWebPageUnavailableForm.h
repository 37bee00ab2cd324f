#pragma once

#include "views/meetings/CWebPageHost.h"

namespace rj_app::views {

class CWebBrowserLoadFailedForm;

// Stands where a web page would be when the web library cannot be loaded:
// the failed picture with a text that says why, and nothing to retry.
class CWebPageUnavailableForm : public CWebPageHost
{
    Q_OBJECT
public:
    explicit CWebPageUnavailableForm(int urlType, QWidget *parent = nullptr);
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
