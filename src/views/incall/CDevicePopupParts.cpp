#include "views/incall/CDevicePopupParts.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace rj_app::views::devicepopup {

int scaled(int value, double scale)
{
    return static_cast<int>(value * scale);
}

QLabel *makeTitle(QWidget *popup, const QString &text, double scale)
{
    auto *title = new QLabel(text, popup);
    title->setObjectName(QStringLiteral("m_labelTitle"));
    title->setMinimumWidth(scaled(130, scale));
    title->setFixedHeight(scaled(24, scale));
    return title;
}

QFrame *makeLine(QWidget *popup)
{
    auto *line = new QFrame(popup);
    line->setObjectName(QStringLiteral("m_line"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setFixedHeight(1);
    return line;
}

QPushButton *makeSettingsButton(QWidget *popup, const char *objectName, const QString &text, double scale)
{
    auto *button = new QPushButton(text, popup);
    button->setObjectName(QLatin1String(objectName));
    button->setMinimumWidth(scaled(130, scale));
    button->setFixedHeight(scaled(24, scale));
    return button;
}

void addDeviceChecks(QWidget *popup, QVBoxLayout *layout, QButtonGroup *group,
                     const std::vector<rj::engine::RJDevice> &devices, std::uint32_t currentId,
                     double scale, const std::function<QString(const rj::engine::RJDevice &)> &label)
{
    group->setExclusive(true);
    for (const rj::engine::RJDevice &device : devices) {
        auto *check = new QCheckBox(label(device), popup);
        check->setObjectName(QStringLiteral("m_check"));
        check->setMinimumWidth(scaled(130, scale));
        check->setFixedHeight(scaled(24, scale));
        check->setChecked(device.id == currentId);
        layout->addWidget(check);
        group->addButton(check, static_cast<int>(device.id));
    }
}

bool takeDevice(const QButtonGroup &group, const std::vector<rj::engine::RJDevice> &devices,
                rj::engine::RJDevice &current, int id)
{
    if (!group.button(id) || static_cast<std::uint32_t>(id) == current.id)
        return false;
    const auto it = std::find_if(devices.begin(), devices.end(), [id](const rj::engine::RJDevice &d) {
        return d.id == static_cast<std::uint32_t>(id);
    });
    if (it == devices.end())
        return false;
    current = *it;
    return true;
}

void finishForm(QWidget *popup, QVBoxLayout *layout, double scale)
{
    popup->setLayout(layout);
    popup->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    popup->setMinimumWidth(scaled(130, scale));
    popup->setMinimumHeight(scaled(42, scale));
}

} // namespace rj_app::views::devicepopup
