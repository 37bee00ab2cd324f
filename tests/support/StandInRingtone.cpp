#include "support/StandInRingtone.h"

#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "models/CCallController.h"

#include <QByteArray>
#include <QString>

namespace glimora::test {

bool useStandInRingtone()
{
    const QString ringtone = isolatedRoot() + QStringLiteral("/ringtone.wav");
    if (!writeBytes(ringtone, QByteArray("RIFF-not-really")))
        return false;
    rj_app::models::CCallController::setRingtonePath(ringtone);
    return true;
}

} // namespace glimora::test
