// Media statistics and the network diagnosis.

#include "SimEngine.h"

#include "SimSupport.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <sstream>

using namespace rj::engine;

namespace rjsim {

int SimEngine::getStats(RJStats &stats)
{
    const Forced forced = enter("getStats", {});
    if (forced.refused)
        return forced.code;
    stats.count = 0;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_call.phase != Phase::Connected)
        return forced.done(kOk);
    const double seconds = std::max<std::int64_t>(0, m_dispatcher.worldNow() - m_call.connectedAt) / 1000.0;
    auto add = [&](RJ_STREAM_TYPE type, int direction, const char *codec, double rate, double fps, int w, int h) {
        if (stats.count >= RJ_MAX_STREAM_STATS)
            return;
        RJStreamStats &s = stats.streams[stats.count++];
        s = RJStreamStats();
        s.streamType = type;
        s.direction = direction;
        s.codec = codec;
        s.lineRate = static_cast<float>(rate);
        s.actualLineRate = static_cast<float>(rate * (0.92 + 0.05 * std::sin(seconds)));
        s.jitter = 3 + static_cast<int>(seconds) % 4;
        s.delay = 18 + static_cast<int>(seconds) % 7;
        s.frameRate = static_cast<float>(fps);
        s.width = w;
        s.height = h;
        s.packetsLost = static_cast<std::uint64_t>(seconds / 7.0) * (direction == 1 ? 1 : 0);
        s.packetLossRate = direction == 1 ? 0.1f : 0.0f;
        s.encrypted = m_secure;
    };
    const bool audioOnly = m_call.info.isAudioOnly;
    const double videoRate = std::max(64.0, m_bandwidth * 0.45);
    const int vw = m_hd ? 1920 : 1280, vh = m_hd ? 1080 : 720;
    const double vfps = m_highFps ? 60.0 : 30.0;
    add(RJ_STREAM_AUDIO, 1, "OPUS", 64, 0, 0, 0);
    add(RJ_STREAM_AUDIO, 0, "OPUS", 64, 0, 0, 0);
    if (!audioOnly) {
        add(RJ_STREAM_VIDEO, 1, "H.264", videoRate, vfps, vw, vh);
        if (m_call.video && m_camera)
            add(RJ_STREAM_VIDEO, 0, "H.264", videoRate, vfps, vw, vh);
    }
    switch (m_call.content) {
    case ContentState::ReceivingContent:
    case ContentState::ReceivingWhiteboard:
        add(RJ_STREAM_CONTENT, 1, "H.264", std::max(64.0, m_bandwidth * 0.4), 5, 1920, 1080);
        break;
    case ContentState::SendingContent:
    case ContentState::SendingWhiteboard: {
        const auto now = std::chrono::steady_clock::now();
        const auto recent = std::count_if(m_frameTimes.begin(), m_frameTimes.end(), [&](const auto &t) {
            return now - t <= std::chrono::seconds(1);
        });
        const int w = m_source.captureSize.width > 0 ? m_source.captureSize.width : 1920;
        const int h = m_source.captureSize.height > 0 ? m_source.captureSize.height : 1080;
        add(RJ_STREAM_CONTENT, 0, "H.264", std::max(64.0, m_bandwidth * 0.4), double(recent), w, h);
        break;
    }
    case ContentState::None:
        break;
    }
    return forced.done(kOk);
}

// ---------------------------------------------------------------------------
// Diagnosis

std::string SimEngine::callDurationText(std::int64_t ms) const
{
    const std::int64_t s = std::max<std::int64_t>(0, ms / 1000);
    char buffer[32];
    std::snprintf(buffer, sizeof(buffer), "%02lld:%02lld:%02lld", static_cast<long long>(s / 3600),
                  static_cast<long long>((s / 60) % 60), static_cast<long long>(s % 60));
    return buffer;
}

RJDiag SimEngine::getDiag()
{
    note("getDiag", {});
    std::lock_guard<std::mutex> lock(m_mutex);
    RJDiag d;
    const std::string host = m_session.loggedIn ? m_session.server + ":" + num(m_session.port) : m_loginHost;
    switch (m_loginOutcome) {
    case LoginOutcome::None:
        break;
    case LoginOutcome::Normal:
        d.loginItem = {host, 1, "logged in"};
        d.dnsItem = {m_loginHost, 1, "resolved"};
        break;
    case LoginOutcome::Unreachable:
        d.loginItem = {m_loginHost, 4, "connection timed out or refused"};
        d.dnsItem = {m_loginHost, 1, "resolved"};
        d.advice = 2;
        d.adviceParam = m_loginHost;
        break;
    case LoginOutcome::Unresolved:
        d.loginItem = {m_loginHost, 4, "name not resolved"};
        d.dnsItem = {m_loginHost, 5, "not resolved"};
        d.advice = 1;
        d.adviceParam = m_loginHost;
        break;
    case LoginOutcome::Failed:
        d.loginItem = {m_loginHost, 5, "login refused"};
        d.dnsItem = {m_loginHost, 1, "resolved"};
        break;
    }
    if (m_registerStatus != 0)
        d.registerItem = {m_registerServer, m_registerStatus, m_registerStatus == 1 ? "registered" : "failed"};

    // The running call, else the last one.
    LastCall c = m_lastCall;
    if (m_call.phase == Phase::Connected) {
        c.exists = true;
        c.failed = false;
        c.audioOnly = m_call.info.isAudioOnly;
        c.hadContent = m_call.hadContent;
        c.number = m_call.info.conference_number;
        c.peer = m_call.info.peer;
        c.durationMs = m_dispatcher.worldNow() - m_call.connectedAt;
    }
    if (c.exists) {
        RJDiagCall &call = d.call;
        call.callItem = {c.number, c.failed ? 5 : 1, c.failed ? "call failed" : "call connected"};
        call.number = c.number;
        call.peer = c.peer;
        call.duration = callDurationText(c.durationMs);
        call.startTime = "";
        call.protocol = m_secure ? "SIP/TLS" : "SIP/TCP";
        if (!c.failed) {
            const std::string rate = num(m_bandwidth) + " kbps";
            call.downloadRate = {"download", "call rate", {rate, 1, ""}};
            call.uploadRate = {"upload", "call rate", {rate, 1, ""}};
            auto media = [](const char *desc, const char *codec, int quality) {
                RJDiagMedia m;
                m.description = desc;
                m.codec = codec;
                m.quality = {quality == 1 ? "good" : "fair", quality, ""};
                m.packetLost = {"0.1%", 1, ""};
                m.jitter = {"4 ms", 1, ""};
                return m;
            };
            call.audio.download = media("Opus 48 kHz", "OPUS", 1);
            call.audio.upload = media("Opus 48 kHz", "OPUS", 1);
            call.audio.delay = {"22 ms", 1, ""};
            if (!c.audioOnly) {
                call.video.download = media(m_hd ? "1920x1080 30 fps" : "1280x720 30 fps", "H.264", 1);
                call.video.upload = media(m_hd ? "1920x1080 30 fps" : "1280x720 30 fps", "H.264", 2);
                call.video.delay = {"35 ms", 1, ""};
            }
            if (c.hadContent) {
                call.content.download = media("1920x1080 5 fps", "H.264", 1);
                call.content.upload = media("1920x1080 5 fps", "H.264", 1);
                call.content.delay = {"40 ms", 1, ""};
            }
        }
    }
    return d;
}

std::string SimEngine::getDiagString()
{
    const RJDiag d = getDiag();
    note("getDiagString", {});
    std::ostringstream out;
    auto item = [&out](const char *label, const RJDiagItem &i) {
        out << label << ": " << (i.value.empty() ? "-" : i.value) << " status " << i.status;
        if (!i.detail.empty())
            out << " (" << i.detail << ")";
        out << "\n";
    };
    item("login", d.loginItem);
    item("dns", d.dnsItem);
    item("register", d.registerItem);
    item("call", d.call.callItem);
    if (d.call.callItem.status != 0) {
        out << "call number: " << d.call.number << "\ncall peer: " << d.call.peer
            << "\ncall duration: " << d.call.duration << "\ncall protocol: " << d.call.protocol << "\n";
        item("download rate", d.call.downloadRate.rateItem);
        item("upload rate", d.call.uploadRate.rateItem);
        item("audio in", d.call.audio.download.quality);
        item("audio out", d.call.audio.upload.quality);
        item("video in", d.call.video.download.quality);
        item("video out", d.call.video.upload.quality);
        item("content in", d.call.content.download.quality);
        item("content out", d.call.content.upload.quality);
    }
    out << "advice: " << d.advice;
    if (!d.adviceParam.empty())
        out << " (" << d.adviceParam << ")";
    out << "\n";
    return out.str();
}

} // namespace rjsim
