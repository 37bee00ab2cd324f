#pragma once

namespace rj_app::views {

// Closes the modal dialogs of a fixed set of classes at the top of the modal
// stack before something more urgent is shown.
class CModualDlgsManager
{
public:
    // With onlyAlertDlg, message boxes only; otherwise also the profile, join
    // and share-source dialogs. Stops at the first modal widget of another
    // class, and at one that refuses to close.
    static void closeAllModualDlgs(bool onlyAlertDlg);
};

} // namespace rj_app::views
