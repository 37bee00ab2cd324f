#pragma once

#include "engine/RJTypes.h"

#include <QString>

#include <functional>
#include <vector>

class QButtonGroup;
class QFrame;
class QLabel;
class QPushButton;
class QVBoxLayout;
class QWidget;

// Pieces shared by the microphone and speaker picker and the camera picker.
namespace rj_app::views::devicepopup {

// A design size times the popup's scale, truncated.
int scaled(int value, double scale);

QLabel *makeTitle(QWidget *popup, const QString &text, double scale);
QFrame *makeLine(QWidget *popup);
QPushButton *makeSettingsButton(QWidget *popup, const char *objectName, const QString &text, double scale);

// One exclusive check box per device, in list order, added to the layout and
// to the group with the device id as button id; the device in use is checked.
void addDeviceChecks(QWidget *popup, QVBoxLayout *layout, QButtonGroup *group,
                     const std::vector<rj::engine::RJDevice> &devices, std::uint32_t currentId,
                     double scale, const std::function<QString(const rj::engine::RJDevice &)> &label);

// The device of button id `id` when the group has that button, the list holds
// it and it is not the one in use; `current` then becomes it.
bool takeDevice(const QButtonGroup &group, const std::vector<rj::engine::RJDevice> &devices,
                rj::engine::RJDevice &current, int id);

// The popup's size rules once the form is in its layout.
void finishForm(QWidget *popup, QVBoxLayout *layout, double scale);

} // namespace rj_app::views::devicepopup
