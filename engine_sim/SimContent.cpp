// Video windows, content sources and their pictures, and content sharing.

#include "SimEngine.h"

#include "SimRuntime.h"
#include "SimSupport.h"

#include <algorithm>
#include <chrono>

using namespace rj::engine;

namespace rjsim {

// ---------------------------------------------------------------------------
// Video windows and content sources

int SimEngine::setLocalVideoWindow(void *id)
{
    return keepSetting("setLocalVideoWindow", {ptr(id)}, [&] { m_localVideoWindow = id; });
}

int SimEngine::setRemoteVideoWindow(void *id)
{
    return keepSetting("setRemoteVideoWindow", {ptr(id)}, [&] { m_remoteVideoWindow = id; });
}

int SimEngine::setRemoteContentWindow(void *id)
{
    return keepSetting("setRemoteContentWindow", {ptr(id)}, [&] { m_remoteContentWindow = id; });
}

int SimEngine::setLocalContentWindow(void *id, int mode)
{
    const Forced forced = enter("setLocalContentWindow", {ptr(id), num(mode)});
    if (forced.refused)
        return forced.code;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_localContentWindow = id;
    m_localContentMode = mode;
    return forced.done(kOk);
}

void SimEngine::refreshScreensLocked()
{
    std::vector<media::Screen> screens;
    if (media::readScreens(&screens))
        m_screens = screens;
    if (m_screens.empty())
        m_screens.push_back(media::Screen{"SIM-1", 0, 0, 1920, 1080});
}

std::vector<RJContentSourceInfo> SimEngine::sourcesLocked() const
{
    std::vector<RJContentSourceInfo> list;
    for (const media::Screen &s : m_screens) {
        RJContentSourceInfo info;
        info.type = 0;
        info.windowTitle = s.name;
        info.keepRatio = true;
        info.captureX = s.x;
        info.captureY = s.y;
        info.captureSize.width = s.width;
        info.captureSize.height = s.height;
        info.valid = true;
        list.push_back(info);
    }
    for (const media::Window &w : media::demoWindows()) {
        RJContentSourceInfo info;
        info.type = 1;
        info.windowTitle = w.title;
        info.windowId = reinterpret_cast<void *>(w.id);
        info.keepRatio = true;
        info.captureSize.width = w.width;
        info.captureSize.height = w.height;
        info.valid = true;
        list.push_back(info);
    }
    return list;
}

std::vector<RJContentSourceInfo> SimEngine::getContentSourceList()
{
    note("getContentSourceList", {});
    std::lock_guard<std::mutex> lock(m_mutex);
    refreshScreensLocked();
    return sourcesLocked();
}

const media::Window *SimEngine::findWindowLocked(const RJContentSourceInfo &info) const
{
    for (const media::Window &w : media::demoWindows())
        if ((info.windowId && reinterpret_cast<std::uintptr_t>(info.windowId) == w.id) || info.windowTitle == w.title)
            return &w;
    return nullptr;
}

int SimEngine::getContentSourceBitmap(const RJContentSourceInfo &info, int bitmapType, int maxWidth, int maxHeight,
                                      RJBitmap &bitmap)
{
    const Forced forced = enter("getContentSourceBitmap", {num(info.type), info.windowTitle, ptr(info.windowId),
                                                           num(bitmapType), num(maxWidth), num(maxHeight)});
    if (forced.refused)
        return forced.code;
    if (maxWidth <= 0 || maxHeight <= 0 || (bitmapType != 0 && bitmapType != 1))
        return forced.done(kBadParameter);
    int sourceWidth = 0, sourceHeight = 0;
    std::uint32_t seed = seedOf(info.windowTitle);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (info.type == 0) {
            const auto it = std::find_if(m_screens.begin(), m_screens.end(),
                                         [&](const media::Screen &s) { return s.name == info.windowTitle; });
            if (it == m_screens.end() || bitmapType != 0) // screens have no icon
                return forced.done(kBadParameter);
            sourceWidth = it->width;
            sourceHeight = it->height;
        } else if (info.type == 1) {
            const media::Window *w = findWindowLocked(info);
            if (!w)
                return forced.done(kBadParameter);
            sourceWidth = w->width;
            sourceHeight = w->height;
            seed = seedOf(w->title);
        } else {
            return forced.done(kBadParameter);
        }
    }
    int width = 0, height = 0;
    if (bitmapType == 0) {
        media::fitInto(sourceWidth, sourceHeight, maxWidth, maxHeight, &width, &height);
    } else {
        width = height = std::min(maxWidth, maxHeight);
    }
    unsigned char *data = media::renderSourceBitmap(info.type, seed, width, height, bitmapType);
    if (!data)
        return forced.done(kInternal);
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bitmaps.insert(data);
    bitmap.width = width;
    bitmap.height = height;
    bitmap.data = data;
    return forced.done(kOk);
}

int SimEngine::releaseContentSourceBitmap(RJBitmap &bitmap)
{
    const Forced forced = enter("releaseContentSourceBitmap", {ptr(bitmap.data), num(bitmap.width), num(bitmap.height)});
    if (forced.refused)
        return forced.code;
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_bitmaps.find(bitmap.data);
    if (it == m_bitmaps.end())
        return forced.done(kBadParameter); // not lent by this engine, or already returned
    delete[] *it;
    m_bitmaps.erase(it);
    bitmap = RJBitmap();
    return forced.done(kOk);
}

int SimEngine::setLocalContentSource(const RJContentSourceInfo &info)
{
    if (info.frameData) {
        // A captured frame: counted, checked, never journaled (ten a second)
        // and never forced.
        int bytesPerPixel = 0;
        switch (info.pixelFormat) {
        case RJ_PIX_FMT_RGBA:
        case RJ_PIX_FMT_BGRA:
        case RJ_PIX_FMT_ARGB:
            bytesPerPixel = 4;
            break;
        case RJ_PIX_FMT_RGB24:
        case RJ_PIX_FMT_BGR24:
            bytesPerPixel = 3;
            break;
        default:
            return kBadParameter;
        }
        const int w = info.captureSize.width, h = info.captureSize.height;
        if (w <= 0 || h <= 0 || w > 16384 || h > 16384 || info.bytesPerLine < w * bytesPerPixel)
            return kBadParameter;
        // Read the first and last pixel of every line, as an encoder would
        // read them all: a short buffer shows up here, not later.
        unsigned sum = 0;
        for (int y = 0; y < h; ++y) {
            const unsigned char *line = info.frameData + static_cast<std::size_t>(info.bytesPerLine) * y;
            sum += line[0] + line[w * bytesPerPixel - 1];
        }
        (void)sum;
        SimRuntime::instance().countFrame();
        std::lock_guard<std::mutex> lock(m_mutex);
        const auto now = std::chrono::steady_clock::now();
        m_frameTimes.push_back(now);
        while (!m_frameTimes.empty() && now - m_frameTimes.front() > std::chrono::seconds(2))
            m_frameTimes.pop_front();
        m_source.captureSize = info.captureSize;
        m_haveSource = true;
        return kOk;
    }
    const Forced forced = enter("setLocalContentSource",
                                {num(info.type), info.windowTitle, ptr(info.windowId), num(info.captureX),
                                 num(info.captureY), num(info.captureSize.width), num(info.captureSize.height),
                                 flag(info.valid)});
    if (forced.refused)
        return forced.code;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (info.type < 0 || info.type > 3)
        return forced.done(kBadParameter);
    if (info.type == 1 && !findWindowLocked(info))
        return forced.done(kBadParameter);
    m_source = info;
    m_source.frameData = nullptr;
    m_haveSource = true;
    return forced.done(kOk);
}

int SimEngine::repaintVideo()
{
    const Forced forced = enter("repaintVideo", {});
    if (forced.refused)
        return forced.code;
    return forced.done(kOk);
}

rj::engine::RJContentInfo SimEngine::contentInfoLocked(bool enabled, int dir, int type) const
{
    RJContentInfo ci;
    ci.enabled = enabled;
    ci.dir = dir;
    ci.type = type;
    ci.status = enabled ? 1 : 0;
    ci.isBigConference = m_call.info.isBigConference;
    ci.isRemoteMuted = m_remoteMuted;
    if (dir == 0) {
        ci.senderName = m_session.loggedIn ? m_session.info.displayName : m_sipDisplayName;
        ci.senderDeviceId = m_session.loggedIn ? m_session.info.deviceId : 0;
    } else {
        ci.senderName = m_call.contentSender;
        ci.senderDeviceId = m_call.contentSenderId;
    }
    return ci;
}

int SimEngine::sendContent()
{
    const Forced forced = enter("sendContent", {});
    if (forced.refused)
        return forced.code;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_call.phase != Phase::Connected)
        return forced.done(kNotInConference);
    if (!m_contentAllowed || !m_call.info.contentEnabled)
        return forced.done(kRefused);
    if (!m_haveSource)
        return forced.done(kBadParameter);
    return shareLocked(ContentState::SendingContent, 2, forced);
}

int SimEngine::sendWhiteBoard()
{
    const Forced forced = enter("sendWhiteBoard", {});
    if (forced.refused)
        return forced.code;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_call.phase != Phase::Connected)
        return forced.done(kNotInConference);
    if (!m_whiteboardEnabled || !m_call.info.contentEnabled)
        return forced.done(kRefused);
    return shareLocked(ContentState::SendingWhiteboard, 3, forced);
}

// The state changes at once; the meeting's answer is reported a moment
// later, in order with everything that changes after it.
int SimEngine::shareLocked(ContentState sending, int contentType, const Forced &forced)
{
    Events now;
    if (m_call.denyShare) {
        // The host forbids sharing: nothing changes, the request is refused.
        m_call.denyShare = false;
        RJContentInfo ci = contentInfoLocked(false, 0, contentType);
        ci.status = kContentDenied;
        now.push_back({"onContent", [ci](IAVEventHandler &h) { h.onContent(ci); }});
        reportLocked(std::move(now), kContentEventDelayMs);
        return forced.done(kOk);
    }
    if (m_call.content == ContentState::ReceivingContent || m_call.content == ContentState::ReceivingWhiteboard)
        remoteContentLocked(false, false, std::string(), now); // sending takes the floor
    else if (m_call.content != sending)
        stopSendingLocked(now);
    m_call.content = sending;
    m_call.hadContent = true;
    const RJContentInfo ci = contentInfoLocked(true, 0, contentType);
    now.push_back({"onContent", [ci](IAVEventHandler &h) { h.onContent(ci); }});
    reportLocked(std::move(now), kContentEventDelayMs);
    return forced.done(kOk);
}

void SimEngine::stopSendingLocked(Events &events)
{
    int type = 0;
    if (m_call.content == ContentState::SendingContent)
        type = 2;
    else if (m_call.content == ContentState::SendingWhiteboard)
        type = 3;
    else
        return;
    m_call.content = ContentState::None;
    const RJContentInfo ci = contentInfoLocked(false, 0, type);
    events.push_back({"onContent", [ci](IAVEventHandler &h) { h.onContent(ci); }});
}

int SimEngine::stopContent()
{
    const Forced forced = enter("stopContent", {});
    if (forced.refused)
        return forced.code;
    std::lock_guard<std::mutex> lock(m_mutex);
    Events now;
    stopSendingLocked(now);
    reportLocked(std::move(now), kContentEventDelayMs);
    return forced.done(kOk);
}

int SimEngine::enableContentAudio(bool enable)
{
    return keepSetting("enableContentAudio", {flag(enable)}, [&] { m_contentAudio = enable; });
}

bool SimEngine::contentAudioEnabled()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_contentAudio;
}

int SimEngine::enableContentHighFPS(bool enable)
{
    return keepSetting("enableContentHighFPS", {flag(enable)}, [&] { m_contentHighFps = enable; });
}

int SimEngine::enableContent(bool enable)
{
    const Forced forced = enter("enableContent", {flag(enable)});
    if (forced.refused)
        return forced.code;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_contentAllowed = enable;
    saveConfigLocked();
    return forced.done(kOk);
}

bool SimEngine::contentEnabled()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_contentAllowed;
}

void SimEngine::remoteContentLocked(bool start, bool whiteboard, const std::string &sender, Events &events)
{
    const bool receiving =
        m_call.content == ContentState::ReceivingContent || m_call.content == ContentState::ReceivingWhiteboard;
    if (receiving) {
        const RJContentInfo ci =
            contentInfoLocked(false, 1, m_call.content == ContentState::ReceivingWhiteboard ? 3 : 2);
        m_call.content = ContentState::None;
        events.push_back({"onContent", [ci](IAVEventHandler &h) { h.onContent(ci); }});
    }
    if (!start)
        return;
    stopSendingLocked(events); // someone else takes the floor
    m_call.content = whiteboard ? ContentState::ReceivingWhiteboard : ContentState::ReceivingContent;
    m_call.contentSender = sender;
    const world::Person *person = world::findPersonByName(sender);
    m_call.contentSenderId = person ? person->deviceId : 700000 + seedOf(sender) % 100000;
    m_call.hadContent = true;
    const RJContentInfo ci = contentInfoLocked(true, 1, whiteboard ? 3 : 2);
    events.push_back({"onContent", [ci](IAVEventHandler &h) { h.onContent(ci); }});
}

} // namespace rjsim
