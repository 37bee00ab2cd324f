#pragma once

#include <QString>

namespace rj_app::custom_controls {

// One entry of the home window's menu: three icon paths and a caption.
struct CHomeMenuItem
{
    QString m_qstrNormalIcon;
    QString m_qstrSelectedIcon;
    QString m_qstrHoverIcon;
    QString m_qstrText;
};

} // namespace rj_app::custom_controls
