#include "views/main/CJoinConfFlow.h"

#include "helpers/CAppConfigUtils.h"
#include "helpers/CUserConfigUtils.h"
#include "models/CCallController.h"
#include "views/main/CJoinConfCombo.h"

#include <QCheckBox>
#include <QDebug>
#include <QLineEdit>
#include <QListView>

namespace rj_app::views {

using helpers::CAppConfigUtils;
using helpers::CUserConfigUtils;
using models::CCallController;

namespace {
std::optional<bool> &audioOnlyOverride()
{
    static std::optional<bool> value;
    return value;
}
} // namespace

bool CJoinConfFlow::isAudioOnlyCallDisabled()
{
    if (audioOnlyOverride())
        return *audioOnlyOverride();
    return CAppConfigUtils::getInstance()->getDisableAudioOnlyCall();
}

void CJoinConfFlow::setAudioOnlyCallDisabledOverride(std::optional<bool> disabled)
{
    audioOnlyOverride() = disabled;
}

void CJoinConfFlow::initCombo(CJoinConfCombo *combo, QWidget *owner)
{
    combo->initLineEdit();
    if (QLineEdit *editor = combo->lineEdit())
        editor->setAlignment(Qt::AlignCenter);
    combo->setView(new QListView(owner));
}

int CJoinConfFlow::loadRecentNumbers(CJoinConfCombo *combo)
{
    const QStringList ids = CUserConfigUtils::getInstance()->getConfIds();
    combo->clear();
    for (const QString &id : ids) {
        // A hand-edited or truncated list may hold empty keys: no empty rows.
        if (!id.trimmed().isEmpty())
            combo->addItem(id);
    }
    if (combo->currentText().isEmpty() && combo->count() > 0)
        combo->setCurrentIndex(0);
    return combo->count();
}

void CJoinConfFlow::loadDeviceChoices(QCheckBox *micOff, QCheckBox *cameraOff)
{
    const CUserConfigUtils *config = CUserConfigUtils::getInstance();
    micOff->setChecked(config->getDisableMicOnJoinConf());
    cameraOff->setChecked(config->getDisableCameraOnJoinConf());
}

bool CJoinConfFlow::join(const QString &number, const QString &password, bool micOff, bool cameraOff,
                         bool isAudioOnly)
{
    const QString confNumber = number.trimmed();
    if (confNumber.isEmpty()) {
        qInfo() << "Empty conf id";
        return false;
    }

    CCallController *controller = CCallController::getInstance();
    // The controller refuses a second call; switching devices and storing
    // choices for it would change the running call instead.
    if (CCallController::isInCall(controller->getCallStatus())) {
        qWarning() << "rj_app::views::CJoinConfFlow::join a call is under way, status:"
                   << int(controller->getCallStatus());
        return false;
    }

    CUserConfigUtils *config = CUserConfigUtils::getInstance();
    config->setDisableCameraOnJoinConf(cameraOff);
    config->setDisableMicOnJoinConf(micOff);

    controller->enableMic(!micOff);
    controller->enableCamera(!cameraOff);
    controller->dialOut(confNumber, password, !isAudioOnly, QString());
    return true;
}

} // namespace rj_app::views
