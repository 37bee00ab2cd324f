#pragma once

namespace rj_app::views {

// Tells the person that a setting could not be saved, with the reason, once
// for a run of failed saves: a full disk would otherwise bring a box for
// every setting and every login status change. The controls themselves show
// the stored values again (CSettingsForm).
class CSaveFailureNotice
{
public:
    // Once per process; later calls do nothing.
    static void install();
};

} // namespace rj_app::views
