#pragma once

#include "views/framework/CBaseWgt.h"

class QLabel;

namespace rj_app::views {

// Stand-in for a settings page whose controls are not built yet: an empty
// page that only shows its title, so the page set keeps its six pages and
// their indexes. Replaced page by page as the General, Audio, Video, Network
// Report and About pages are filled in.
class CSettingsPlaceholderPage : public CBaseWgt
{
public:
    explicit CSettingsPlaceholderPage(QWidget *parent = nullptr);

    void setTitle(const QString &title);
    QString title() const;

private:
    QLabel *m_pLblTitle = nullptr;
};

} // namespace rj_app::views
