#pragma once

#include "helpers/CConfigUtils.h"

#include <QString>

namespace rj_app::helpers {

// The deployment's settings in "app-config.ini" beside the executable. Read
// once at construction and never written (a missing file is not created), so
// getters are safe on any thread.
class CAppConfigUtils : private CConfigUtils
{
public:
    static CAppConfigUtils *getInstance();

    explicit CAppConfigUtils(const QString &qstrPath);

    QString getConfInfoAddress() const;
    QString getConfManagementAddress() const;
    QString getContactsAddress() const;
    QString getDefaultLoginServerAddr() const;
    QString getDefaultRegisterServerAddr() const;
    bool getDisableAudioOnlyCall() const;
    bool getDisableGuestJoinMeeting() const;
    bool getDisableLoginSkipped() const;
    bool getDisableResourceMonitor() const;
    QString getFeedbackAddress() const;
    bool getIsMorvelSpecialVersion() const;
    QString getSoftwareUpdateAddress() const;
    QString getSoftwareUpdateAppInfo() const;
    QString getSoftwareUpdateAppInfoPrefix() const;
    QString getSoftwareUpdateBundleId() const;
    QString getSoftwareUpdateFlag() const;
    QString getUserAgentCompanyName() const;

private:
    QString readString(const char *pszKey) const;
    bool readBool(const char *pszKey) const;
};

} // namespace rj_app::helpers
