// Calls: dialling, answering, connecting, ending, the remote mute.

#include "SimEngine.h"

#include "SimNet.h"
#include "SimSupport.h"

#include <algorithm>

using namespace rj::engine;

namespace rjsim {

int SimEngine::requestRemoteUnmute(bool request)
{
    const Forced forced = enter("requestRemoteUnmute", {flag(request)});
    if (forced.refused)
        return forced.code;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_call.phase != Phase::Connected)
        return forced.done(kNotInConference);
    // The host answers a request to speak a little later by unmuting; a
    // withdrawn or repeated request replaces the one before.
    const std::uint64_t requestId = ++m_unmuteRequest;
    if (request && m_remoteMuted) {
        const std::uint64_t id = m_call.id;
        later(kHostAnswerDelayMs, [this, id, requestId](Events &events) {
            if (callIs(id, Phase::Connected) && m_unmuteRequest == requestId && m_remoteMuted)
                remoteMuteLocked(false, events);
        });
    }
    return forced.done(kOk);
}

void SimEngine::remoteMuteLocked(bool muted, Events &events)
{
    m_remoteMuted = muted;
    m_mic = !muted;
    if (m_call.phase != Phase::None) {
        m_call.info.isRemoteMuted = muted;
        const RJCallInfo info = m_call.info;
        events.push_back({"onCallState", [info](IAVEventHandler &h) { h.onCallState(info); }});
    }
    const int shown = muted ? 1 : 0;
    events.push_back({"onMicMutedShow", [shown](IAVEventHandler &h) { h.onMicMutedShow(shown); }});
}

// ---------------------------------------------------------------------------
// Calls

bool SimEngine::callIs(std::uint64_t id, Phase phase) const
{
    return m_call.id == id && m_call.phase == phase;
}

void SimEngine::endCallLocked(std::uint64_t id, const RJError *error, Events &events)
{
    if (m_call.id != id || m_call.phase == Phase::None)
        return; // already ended: one end per call
    if (m_call.content != ContentState::None) {
        const bool sending =
            m_call.content == ContentState::SendingContent || m_call.content == ContentState::SendingWhiteboard;
        const bool board =
            m_call.content == ContentState::SendingWhiteboard || m_call.content == ContentState::ReceivingWhiteboard;
        const RJContentInfo ci = contentInfoLocked(false, sending ? 0 : 1, board ? 3 : 2);
        events.push_back({"onContent", [ci](IAVEventHandler &h) { h.onContent(ci); }});
    }
    RJCallInfo info = m_call.info;
    if (error) {
        info.err = *error;
        const RJError e = *error;
        events.push_back({"onError", [e](IAVEventHandler &h) { h.onError(e); }});
    }
    events.push_back({"onCallEnd", [info](IAVEventHandler &h) { h.onCallEnd(info); }});

    m_lastCall.exists = true;
    m_lastCall.failed = m_call.connectedAt < 0 && error != nullptr;
    m_lastCall.audioOnly = m_call.info.isAudioOnly;
    m_lastCall.hadContent = m_call.hadContent;
    m_lastCall.number = m_call.info.conference_number;
    m_lastCall.peer = m_call.info.peer;
    m_lastCall.durationMs = m_call.connectedAt < 0 ? 0 : m_dispatcher.worldNow() - m_call.connectedAt;
    m_lastCall.startedAt = m_call.startedAt;
    m_call = Call();
    m_remoteMuted = false;
    m_haveSource = false;
}

void SimEngine::connectCallLocked(std::uint64_t id, Events &events)
{
    if (m_call.id != id)
        return;
    m_call.phase = Phase::Connected;
    m_call.connectedAt = m_dispatcher.worldNow();
    const RJCallInfo info = m_call.info;
    events.push_back({"onCallConnected", [info](IAVEventHandler &h) { h.onCallConnected(info); }});

    if (m_call.person || !m_call.outgoing) {
        const int delay = m_call.outgoing ? world::kPeerConnectDelayMs : 200;
        later(delay, [this, id](Events &next) {
            if (!callIs(id, Phase::Connected) || m_call.peerConnected)
                return;
            m_call.peerConnected = true;
            const RJCallInfo peer = m_call.info;
            next.push_back({"onCallPeerConnected", [peer](IAVEventHandler &h) { h.onCallPeerConnected(peer); }});
        });
    }
    if (m_call.meeting && (m_call.meeting->kind == world::MeetingKind::RemoteContent
                           || m_call.meeting->kind == world::MeetingKind::RemoteWhiteboard)) {
        const bool board = m_call.meeting->kind == world::MeetingKind::RemoteWhiteboard;
        const std::string sharer = m_call.meeting->sharer;
        later(world::kRemoteShareDelayMs, [this, id, board, sharer](Events &next) {
            if (!callIs(id, Phase::Connected))
                return;
            remoteContentLocked(true, board, sharer, next);
            if (board)
                return;
            later(world::kRemoteContentDurationMs, [this, id, sharer](Events &last) {
                if (callIs(id, Phase::Connected) && m_call.content == ContentState::ReceivingContent
                    && m_call.contentSender == sharer)
                    remoteContentLocked(false, false, sharer, last);
            });
        });
    }
    startQualityLocked(id, events);
}

void SimEngine::startQualityLocked(std::uint64_t id, Events &events)
{
    if (!callIs(id, Phase::Connected))
        return;
    const std::uint64_t tick = m_call.qualityTick++;
    float q = m_call.quality;
    if (!m_call.qualityForced) {
        q = 4.0f + static_cast<float>((tick * 7 + 3) % 11) / 10.0f; // 4.0 to 5.0
        m_call.quality = q;
    }
    events.push_back({"onNetworkQuality", [q](IAVEventHandler &h) { h.onNetworkQuality(q); }});
    // At scale 0 a periodic report would spin; one report at connect (and on
    // "quality") is what tests get.
    if (m_dispatcher.timeScale() > 0.0)
        later(kQualityPeriodMs, [this, id](Events &next) { startQualityLocked(id, next); });
}

int SimEngine::dialOut(const char *number, bool enable_video)
{
    const Forced forced = enter("dialOut", {str(number), flag(enable_video)});
    if (forced.refused)
        return forced.code;
    const std::string dial = str(number);
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_released)
        return forced.done(kNotInitialized);
    if (m_call.phase != Phase::None)
        return forced.done(kRefused); // one call at a time
    if (dial.empty())
        return forced.done(kBadParameter);

    // number[*password][@server]
    const auto star = dial.find('*');
    const auto at = dial.rfind('@');
    std::string plainNumber = dial.substr(0, std::min(star, at));
    std::string password;
    if (star != std::string::npos)
        password = dial.substr(star + 1, at == std::string::npos || at < star ? std::string::npos : at - star - 1);
    const std::string server = at == std::string::npos ? std::string() : dial.substr(at + 1);
    if (plainNumber.empty())
        return forced.done(kBadParameter);

    Call call;
    call.id = ++m_nextCallId;
    call.phase = Phase::Dialing;
    call.outgoing = true;
    call.video = enable_video;
    call.startedAt = m_dispatcher.worldNow();
    call.info.conference_number = plainNumber;
    call.info.password = password;
    call.meeting = world::findMeeting(plainNumber);
    call.person = call.meeting ? nullptr : world::findPerson(plainNumber);
    if (call.meeting) {
        call.info.peer = call.meeting->name;
        call.info.isAudioOnly = call.meeting->kind == world::MeetingKind::AudioOnly;
        call.info.isBigConference = call.meeting->big;
    } else if (call.person) {
        call.info.peer = call.person->name;
        call.info.isAudioOnly = call.person->kind == world::PersonKind::AnswersAudio;
        call.info.svcCallType = 1;
    } else {
        call.info.peer = plainNumber;
    }
    m_call = call;
    const std::uint64_t id = call.id;

    auto endAfter = [this, id](int delay, RJError error) {
        later(delay, [this, id, error](Events &events) {
            if (callIs(id, Phase::Dialing))
                endCallLocked(id, &error, events);
        });
    };
    auto connectAfter = [this, id](int delay) {
        later(delay, [this, id](Events &events) {
            if (callIs(id, Phase::Dialing))
                connectCallLocked(id, events);
        });
    };

    const bool registered = (m_session.loggedIn && m_videoReg.state == RJ_REGISTER_STATE_REGISTERED)
                            || m_sipReg.state == RJ_REGISTER_STATE_REGISTERED
                            || m_sipReg.state == RJ_REGISTER_STATE_REGISTERING;
    if (!registered && server.empty()) {
        endAfter(300, makeError(0, "onCallEnd", kNotLoggedIn, "not registered"));
        return forced.done(kOk);
    }
    if (!server.empty() && isReservedInvalidName(server)) {
        endAfter(300, makeError(0, "onCallEnd", kUnresolved, "cannot resolve " + server));
        return forced.done(kOk);
    }
    if (const world::Meeting *m = call.meeting) {
        const std::string required = m->password;
        if (m->kind == world::MeetingKind::NotActive) {
            endAfter(m->connectDelayMs, makeError(4, "onCallEnd", world::kMeetingNotActive, "meeting not active"));
        } else if (!required.empty() && password.empty()) {
            endAfter(500, makeError(4, "onCallEnd", world::kMeetingPasswordRequired, "password required"));
        } else if (!required.empty() && password != required) {
            endAfter(500, makeError(4, "onCallEnd", world::kMeetingWrongPassword, "wrong meeting password"));
        } else if (m->kind == world::MeetingKind::Queue) {
            for (int waiting = 3; waiting >= 1; --waiting) {
                later(500 + (3 - waiting) * 1000, [this, id, waiting](Events &events) {
                    if (callIs(id, Phase::Dialing))
                        events.push_back(
                            {"onWaitQueue", [waiting](IAVEventHandler &h) { h.onWaitQueue(waiting); }});
                });
            }
            connectAfter(3500);
        } else {
            connectAfter(m->connectDelayMs);
        }
    } else if (const world::Person *p = call.person) {
        switch (p->kind) {
        case world::PersonKind::Answers:
        case world::PersonKind::AnswersAudio:
            connectAfter(world::kAnswerDelayMs);
            break;
        case world::PersonKind::Busy:
            endAfter(world::kAnswerDelayMs, makeError(0, "onCallEnd", world::kBusyCode, "busy"));
            break;
        case world::PersonKind::NoAnswer:
            endAfter(world::kNoAnswerAfterMs, makeError(0, "onCallEnd", world::kNoAnswerCode, "no answer"));
            break;
        }
    } else {
        endAfter(600, makeError(4, "onCallEnd", world::kMeetingNotActive, "unknown number"));
    }
    return forced.done(kOk);
}

int SimEngine::acceptCall(bool enable_video)
{
    const Forced forced = enter("acceptCall", {flag(enable_video)});
    if (forced.refused)
        return forced.code;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_call.phase != Phase::Incoming)
        return forced.done(kNotInConference);
    m_call.phase = Phase::Answering;
    m_call.video = enable_video;
    const std::uint64_t id = m_call.id;
    later(300, [this, id](Events &events) {
        if (callIs(id, Phase::Answering))
            connectCallLocked(id, events);
    });
    return forced.done(kOk);
}

int SimEngine::hangUp()
{
    const Forced forced = enter("hangUp", {});
    if (forced.refused)
        return forced.code;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_call.phase == Phase::None)
        return forced.done(kNotInConference);
    if (m_call.phase == Phase::Ending)
        return forced.done(kOk);
    m_call.phase = Phase::Ending;
    const std::uint64_t id = m_call.id;
    later(kHangUpDelayMs, [this, id](Events &events) { endCallLocked(id, nullptr, events); });
    return forced.done(kOk);
}

int SimEngine::declineCall()
{
    const Forced forced = enter("declineCall", {});
    if (forced.refused)
        return forced.code;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_call.phase != Phase::Incoming)
        return forced.done(kNotInConference);
    m_call.phase = Phase::Ending;
    const std::uint64_t id = m_call.id;
    later(kHangUpDelayMs, [this, id](Events &events) { endCallLocked(id, nullptr, events); });
    return forced.done(kOk);
}

bool SimEngine::conferenceControllable()
{
    note("conferenceControllable", {});
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_call.phase == Phase::Connected && m_call.meeting && m_session.loggedIn
           && m_session.user == m_call.meeting->owner;
}

} // namespace rjsim
