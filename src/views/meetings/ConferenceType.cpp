#include "views/meetings/ConferenceType.h"

#include "models/CLoginManager.h"

namespace {
constexpr qint64 kFixedFirst = 8201000;
constexpr qint64 kFixedLast = 8209999;
} // namespace

ConferenceType conferenceTypeOf(const ucmconferenceData &conference)
{
    // Widened, so that numbers far below the range cannot wrap into it.
    const qint64 number = conference.numericId;
    if (number >= kFixedFirst && number <= kFixedLast)
        return Fixed;
    if (conference.status == QLatin1String("LAUNCHING") || conference.status == QLatin1String("ONGOING"))
        return Ongoing;
    return Schedule;
}

int signedInUserId()
{
    return static_cast<int>(rj_app::models::CLoginManager::getInstance()->m_userInfo.userId);
}

bool isConferenceNotOwned(const ucmconferenceData &conference, int userId)
{
    return conference.applicantId != userId;
}

conferenceItemData conferenceItemDataOf(const ucmconferenceData &conference)
{
    conferenceItemData item;
    item.type = conferenceTypeOf(conference);
    item.notOwner = isConferenceNotOwned(conference, signedInUserId());
    item.conference = conference;
    return item;
}
