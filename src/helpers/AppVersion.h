#pragma once

namespace rj_app::helpers {

// The one version text: start-up log, the engine's user agent, the update check.
inline constexpr const char kAppVersion[] = GLIMORA_VERSION;

} // namespace rj_app::helpers
