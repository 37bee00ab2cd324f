#pragma once

#include <QMetaType>

#include <cstdint>
#include <string>
#include <utility>

namespace rj_app {
namespace structs {

// One change of the content-stream status of the current call.
class CContentStreamInfo
{
public:
    CContentStreamInfo() = default;
    CContentStreamInfo(int lastStatus, int currentStatus, std::string senderName, std::int64_t senderDeviceId)
        : lastStatus(lastStatus)
        , currentStatus(currentStatus)
        , senderName(std::move(senderName))
        , senderDeviceId(senderDeviceId)
    {
    }
    CContentStreamInfo(const CContentStreamInfo &) = default;
    CContentStreamInfo(CContentStreamInfo &&) = default;
    CContentStreamInfo &operator=(const CContentStreamInfo &) = default;
    CContentStreamInfo &operator=(CContentStreamInfo &&) = default;

    int getLastStatus() const { return lastStatus; }
    int getCurrentStatus() const { return currentStatus; }
    const std::string &getSenderName() const { return senderName; }
    std::int64_t getSenderDeviceId() const { return senderDeviceId; }

    int lastStatus = 0;
    int currentStatus = 0;
    std::string senderName;        // as the engine gave it; empty for statuses the client sets
    std::int64_t senderDeviceId = 0; // 0 when the engine gives none
};

} // namespace structs
} // namespace rj_app

Q_DECLARE_METATYPE(rj_app::structs::CContentStreamInfo)
