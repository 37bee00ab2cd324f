#pragma once

// The option controls of the settings page set: the General page and the
// option boxes and render type of the Audio and Video pages. Their slots are
// members of CSettingsForm (CSettingsGeneralPage.cpp).

#include <QString>

#include <map>

namespace rj_app::views {

// The call rates offered, kbps to label, in ascending order. "3M" is 3027
// kbps, not 3072: the engine's and the servers' figure.
extern const std::map<int, QString> g_callRateMap;

// Render type ids of the Video page's radio buttons.
enum RenderTypeId : int {
    RenderType_Auto = 0,
    RenderType_D3D = 1,
    RenderType_GDI = 2,
};

} // namespace rj_app::views
