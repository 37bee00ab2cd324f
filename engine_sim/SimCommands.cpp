// The control language: commands from tests and from the control file.

#include "SimEngine.h"

#include "SimSupport.h"

#include <QtGlobal>

#include <algorithm>
#include <fstream>

#include <sys/stat.h>

using namespace rj::engine;

namespace rjsim {

// ---------------------------------------------------------------------------
// Control commands

void SimEngine::setUserDataDirLocked(const std::string &dir)
{
    if (dir.empty() || dir == m_userDataDir)
        return;
    m_userDataDir = dir;
    m_controlPath = pathJoin(dir, "rjsim.ctl");
    // Only lines appended from now on count.
    struct stat st;
    m_controlOffset = (::stat(m_controlPath.c_str(), &st) == 0) ? static_cast<long long>(st.st_size) : 0;
    m_controlPending.clear();
}

void SimEngine::pollControlFile()
{
    std::string path;
    long long offset = 0;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_released)
            return;
        path = m_controlPath;
        offset = m_controlOffset;
    }
    std::vector<std::string> lines;
    if (!path.empty()) {
        struct stat st;
        if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
            const long long size = static_cast<long long>(st.st_size);
            if (size < offset)
                offset = 0; // rewritten from scratch
            std::string chunk;
            if (size > offset) {
                std::ifstream in(path, std::ios::binary);
                in.seekg(offset);
                chunk.resize(static_cast<std::size_t>(size - offset));
                in.read(&chunk[0], static_cast<std::streamsize>(chunk.size()));
                chunk.resize(static_cast<std::size_t>(std::max<std::streamsize>(0, in.gcount())));
            }
            std::lock_guard<std::mutex> lock(m_mutex);
            if (path == m_controlPath) {
                m_controlOffset = offset + static_cast<long long>(chunk.size());
                m_controlPending += chunk;
                std::string::size_type nl;
                while ((nl = m_controlPending.find('\n')) != std::string::npos) {
                    lines.push_back(m_controlPending.substr(0, nl));
                    m_controlPending.erase(0, nl + 1);
                }
            }
        }
    }
    for (std::string &line : lines) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const auto first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#')
            continue;
        const int rc = command(line);
        if (rc != 0)
            qWarning("rjsim: control file: cannot run \"%s\" (%d)", line.c_str(), rc);
        else
            qInfo("rjsim: control file: %s", line.c_str());
    }
    m_dispatcher.postAmbient(kControlPollMs, [this] { pollControlFile(); });
}

struct SimEngine::Parsed {
    enum Kind {
        Incoming, RemoteEnd, Content, ContentDeny, CallState, Warn, MicMuted, VideoMuted, MuteSpeaking, Quality,
        Device, Kick, Error, FeatureAes
    } kind;
    std::string text;   // name, sender, action, device name
    std::string number; // incoming number
    std::string message;
    bool on = false; // audio, start, add
    bool whiteboard = false;
    int value = 0; // codes, type, device kind
    int code = 0;
    float level = 0;
};

int runResultCommand(const std::vector<std::string> &t); // SimControl.cpp

int SimEngine::command(const std::string &line)
{
    const std::vector<std::string> t = tokens(line);
    if (t.empty())
        return -1;
    const std::string &verb = t[0];
    if (verb == "result")
        return runResultCommand(t);
    Parsed p{};
    if (verb == "incoming") {
        std::vector<std::string> rest(t.begin() + 1, t.end());
        if (!rest.empty() && rest.back() == "audio") {
            p.on = true;
            rest.pop_back();
        }
        if (rest.size() < 2)
            return -1;
        p.kind = Parsed::Incoming;
        p.number = rest.back();
        rest.pop_back();
        p.text = joinFrom(rest, 0);
    } else if (verb == "remote-end") {
        if (t.size() != 2 || !toInt(t[1], &p.code))
            return -1;
        p.kind = Parsed::RemoteEnd;
    } else if (verb == "content" && t.size() == 2 && t[1] == "deny") {
        p.kind = Parsed::ContentDeny;
    } else if (verb == "content") {
        if (t.size() < 2 || (t[1] != "start" && t[1] != "stop"))
            return -1;
        p.kind = Parsed::Content;
        p.on = t[1] == "start";
        std::size_t i = 2;
        if (i < t.size() && t[i] == "whiteboard") {
            p.whiteboard = true;
            ++i;
        }
        p.text = joinFrom(t, i);
        if (p.on && p.text.empty())
            return -1;
    } else if (verb == "warn") {
        if (t.size() < 2 || !toInt(t[1], &p.code))
            return -1;
        p.kind = Parsed::Warn;
        p.message = t.size() > 2 ? joinFrom(t, 2) : "simulated warning " + t[1];
    } else if (verb == "call-state" || verb == "feature") {
        // call-state audio 0|1, feature aes 0|1
        const char *what = verb == "call-state" ? "audio" : "aes";
        if (t.size() != 3 || t[1] != what || (t[2] != "0" && t[2] != "1"))
            return -1;
        p.kind = verb == "call-state" ? Parsed::CallState : Parsed::FeatureAes;
        p.on = t[2] == "1";
    } else if (verb == "mic-muted" || verb == "video-muted") {
        if (t.size() != 2 || (t[1] != "0" && t[1] != "1"))
            return -1;
        p.kind = verb == "mic-muted" ? Parsed::MicMuted : Parsed::VideoMuted;
        p.on = t[1] == "1";
    } else if (verb == "mute-speaking") {
        if (t.size() != 1)
            return -1;
        p.kind = Parsed::MuteSpeaking;
    } else if (verb == "quality") {
        if (t.size() != 2 || !toFloat(t[1], &p.level))
            return -1;
        p.kind = Parsed::Quality;
    } else if (verb == "device") {
        if (t.size() < 4 || (t[1] != "add" && t[1] != "remove"))
            return -1;
        p.kind = Parsed::Device;
        p.on = t[1] == "add";
        if (t[2] == "mic")
            p.value = RJ_DEVICE_MIC;
        else if (t[2] == "speaker")
            p.value = RJ_DEVICE_SPEAKER;
        else if (t[2] == "camera")
            p.value = RJ_DEVICE_CAMERA;
        else
            return -1;
        p.text = joinFrom(t, 3);
    } else if (verb == "kick") {
        if (t.size() != 1)
            return -1;
        p.kind = Parsed::Kick;
    } else if (verb == "error") {
        if (t.size() < 4 || !toInt(t[1], &p.value) || !toInt(t[3], &p.code))
            return -1;
        p.kind = Parsed::Error;
        p.text = t[2];
        p.message = joinFrom(t, 4);
    } else {
        return -1;
    }
    note("command", {line});
    runParsed(p);
    return 0;
}

void SimEngine::runParsed(const Parsed &p)
{
    // The state changes now, in the order commands and operations arrive;
    // the events follow those of every earlier change.
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_released)
        return;
    const auto apply = [this, &p](Events &events) {
        switch (p.kind) {
        case Parsed::Incoming: {
            if (m_call.phase != Phase::None) {
                qWarning("rjsim: incoming call ignored: a call is active");
                return;
            }
            Call call;
            call.id = ++m_nextCallId;
            call.phase = Phase::Incoming;
            call.outgoing = false;
            call.startedAt = m_dispatcher.worldNow();
            call.info.peer = p.text;
            call.info.conference_number = p.number;
            call.info.isAudioOnly = p.on;
            call.info.svcCallType = 1;
            call.person = world::findPerson(p.number);
            m_call = call;
            const RJCallInfo info = call.info;
            events.push_back({"onCallIncoming", [info](IAVEventHandler &h) { h.onCallIncoming(info); }});
            const std::uint64_t id = call.id;
            laterForUser(kIncomingTimeoutMs, [this, id](Events &next) {
                if (callIs(id, Phase::Incoming))
                    endCallLocked(id, nullptr, next); // the caller gave up
            });
            break;
        }
        case Parsed::RemoteEnd: {
            if (m_call.phase == Phase::None) {
                qWarning("rjsim: remote-end ignored: no call");
                return;
            }
            if (p.code != 0) {
                const RJError e = makeError(3, "onCallEnd", p.code, "ended by the remote side");
                endCallLocked(m_call.id, &e, events);
            } else {
                endCallLocked(m_call.id, nullptr, events);
            }
            break;
        }
        case Parsed::Content:
            if (m_call.phase != Phase::Connected) {
                qWarning("rjsim: content ignored: no connected call");
                return;
            }
            if (!p.on && !p.text.empty() && p.text != m_call.contentSender)
                return;
            remoteContentLocked(p.on, p.whiteboard, p.text, events);
            break;
        case Parsed::ContentDeny:
            if (m_call.phase == Phase::None) {
                qWarning("rjsim: content deny ignored: no call");
                return;
            }
            m_call.denyShare = true;
            break;
        case Parsed::CallState: {
            if (m_call.phase == Phase::None) {
                qWarning("rjsim: call-state ignored: no call");
                return;
            }
            m_call.info.isAudioOnly = p.on;
            const RJCallInfo info = m_call.info;
            events.push_back({"onCallState", [info](IAVEventHandler &h) { h.onCallState(info); }});
            break;
        }
        case Parsed::FeatureAes:
            m_featureAes = p.on;
            break;
        case Parsed::Warn: {
            RJWarn w;
            w.code = p.code;
            w.msg = p.message;
            events.push_back({"onWarn", [w](IAVEventHandler &h) { h.onWarn(w); }});
            break;
        }
        case Parsed::MicMuted:
            remoteMuteLocked(p.on, events);
            break;
        case Parsed::VideoMuted: {
            m_camera = !p.on;
            const int muted = p.on ? 1 : 0;
            events.push_back({"onVideoMutedShow", [muted](IAVEventHandler &h) { h.onVideoMutedShow(muted); }});
            break;
        }
        case Parsed::MuteSpeaking:
            events.push_back({"onMuteSpeakingDetected", [](IAVEventHandler &h) { h.onMuteSpeakingDetected(); }});
            break;
        case Parsed::Quality: {
            const float q = p.level;
            if (m_call.phase == Phase::Connected) {
                m_call.quality = q;
                m_call.qualityForced = true;
            }
            events.push_back({"onNetworkQuality", [q](IAVEventHandler &h) { h.onNetworkQuality(q); }});
            break;
        }
        case Parsed::Device: {
            auto &list = m_devices[p.value];
            const auto type = static_cast<RJ_DEVICE_TYPE>(p.value);
            if (p.on) {
                std::uint32_t id = 0;
                for (const RJDevice &d : list)
                    id = std::max(id, d.id + 1);
                RJDevice d;
                d.id = id;
                d.type = type;
                d.name = p.text;
                d.desc = std::string("simulated ") + deviceKindName(p.value);
                list.push_back(d);
                events.push_back({"onDeviceAdded", [d](IAVEventHandler &h) { h.onDeviceAdded(d); }});
                break;
            }
            auto it = std::find_if(list.begin(), list.end(), [&](const RJDevice &d) { return d.name == p.text; });
            if (it == list.end()) {
                qWarning("rjsim: no %s named \"%s\"", deviceKindName(p.value), p.text.c_str());
                return;
            }
            const RJDevice removed = *it;
            list.erase(it);
            events.push_back({"onDeviceRemoved", [removed](IAVEventHandler &h) { h.onDeviceRemoved(removed); }});
            if (removed.id == m_currentDevice[p.value]) {
                RJDevice current;
                current.type = type;
                if (!list.empty())
                    current = list.front();
                m_currentDevice[p.value] = current.id;
                events.push_back(
                    {"onCurrentDeviceChanged", [current](IAVEventHandler &h) { h.onCurrentDeviceChanged(current); }});
            }
            break;
        }
        case Parsed::Kick: {
            // Signed in elsewhere: the registration is taken away, the session
            // ends; a running call goes on.
            if (!m_session.loggedIn) {
                qWarning("rjsim: kick ignored: not logged in");
                return;
            }
            RJRegisterInfo kicked = m_videoReg;
            kicked.type = RJ_CALL_TYPE_VIDEO_SERVICE;
            kicked.state = RJ_REGISTER_STATE_KICKED;
            m_session = Session();
            ++m_loginGeneration;
            m_videoReg.clear();
            m_videoReg.type = RJ_CALL_TYPE_VIDEO_SERVICE;
            const RJRegisterInfo cleared = m_videoReg;
            events.push_back({"onRegisterInfo", [kicked](IAVEventHandler &h) { h.onRegisterInfo(kicked); }});
            events.push_back({"onRegisterInfo", [cleared](IAVEventHandler &h) { h.onRegisterInfo(cleared); }});
            break;
        }
        case Parsed::Error: {
            const RJError e = makeError(p.value, p.text, p.code, p.message);
            events.push_back({"onError", [e](IAVEventHandler &h) { h.onError(e); }});
            break;
        }
        }
    };
    Events produced;
    apply(produced);
    reportLocked(std::move(produced));
}

} // namespace rjsim
