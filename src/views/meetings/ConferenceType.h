#pragma once

#include "models/UcmRecords.h"

// How a meeting of the server's list is shown: its kind decides the pill and
// which actions its row and its details page offer.
enum ConferenceType : int {
    Schedule = 0,
    Ongoing = 1,
    Fixed = 2
};

// The record behind one row of the meeting list.
struct conferenceItemData
{
    int type = Schedule;
    bool notOwner = false;      // not owned by the signed-in user
    ucmconferenceData conference;
};

// Personal rooms are numbered 8201000 to 8209999 and count as fixed whatever
// their status; otherwise "LAUNCHING" and "ONGOING" (exactly) are running.
ConferenceType conferenceTypeOf(const ucmconferenceData &conference);

// The signed-in user's id as the server's records carry it (32 bits).
int signedInUserId();

// True when the meeting's applicant is not the given user.
bool isConferenceNotOwned(const ucmconferenceData &conference, int userId);

// The row record for a meeting, for the signed-in user.
conferenceItemData conferenceItemDataOf(const ucmconferenceData &conference);
