#pragma once

#include <QString>

#include <optional>

class CJoinConfCombo;
class QCheckBox;
class QWidget;

namespace rj_app::views {

// What the join dialog and the join panel do alike: prepare the number box,
// fill it with the recent numbers, set the two device boxes from the stored
// choices, and join.
class CJoinConfFlow
{
public:
    CJoinConfFlow() = delete;

    // The deployment removes the audio-only join ("DisableAudioOnlyCall").
    static bool isAudioOnlyCallDisabled();
    // Test seam: a value overrides the deployment's switch; nullopt restores it.
    static void setAudioOnlyCallDisabledOverride(std::optional<bool> disabled);

    // Overlay line edit, centred own editor and a list popup owned by `owner`.
    static void initCombo(CJoinConfCombo *combo, QWidget *owner);
    // Refills the box with the recent numbers in their stored order (blank
    // entries left out) and selects the first when nothing shows. Returns
    // the item count.
    static int loadRecentNumbers(CJoinConfCombo *combo);
    // Checks the boxes by the stored choices.
    static void loadDeviceChoices(QCheckBox *micOff, QCheckBox *cameraOff);

    // Stores the two choices, switches microphone and camera and dials
    // `number` (trimmed) with the password as typed. False, with nothing
    // stored, switched or dialled, when the number is blank or a call is
    // already under way.
    static bool join(const QString &number, const QString &password, bool micOff, bool cameraOff,
                     bool isAudioOnly);
};

} // namespace rj_app::views
