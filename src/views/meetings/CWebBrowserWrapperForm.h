#pragma once

#include "views/framework/CBaseWgt.h"

class QLabel;

namespace rj_app::views {

// One embedded web page of a "ROZ" server: the conference list, the in-call
// conference control or the contacts. For now a plain page that names its
// kind; the embedded browser replaces its inside without changing this
// interface.
class CWebBrowserWrapperForm : public CBaseWgt
{
    Q_OBJECT
public:
    enum UrlType { Conferences = 0, ConferenceControl = 1, Contact = 2 };

    explicit CWebBrowserWrapperForm(int urlType, QWidget *parent = nullptr);
    ~CWebBrowserWrapperForm() override;

    void updateDpi(double scale);
    // Replaces the page when it was used since the last call.
    void updatePage();
    void releaseCurrentPage();
    void stopWeb();
    void clearConfListCache();

    int urlType() const { return m_iUrlType; }
    double scale() const { return m_dScale; }
    bool hasPage() const { return m_bHasPage; }
    int pageGeneration() const { return m_iPageGeneration; }
    int clearConfListCacheCount() const { return m_iClearCount; }

signals:
    void sigJoinConf(const QString &number, const QString &password, bool audioOnly, const QString &peerName);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void createPage();

    int m_iUrlType = Conferences;
    double m_dScale = 0;
    bool m_bShowFlag = false;
    bool m_bHasPage = false;
    bool m_bPageUsed = false;
    int m_iPageGeneration = 0;
    int m_iClearCount = 0;
    QLabel *m_pLblPage = nullptr;
};

} // namespace rj_app::views
