// Devices, sounds, volumes and the media options the settings pages keep.

#include "SimEngine.h"

#include "SimSupport.h"

#include <algorithm>
#include <chrono>
#include <cmath>

using namespace rj::engine;

namespace rjsim {

// ---------------------------------------------------------------------------
// Devices and sound

std::vector<RJDevice> SimEngine::getDevices(RJ_DEVICE_TYPE type)
{
    note("getDevices", {num(int(type))});
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!validDeviceType(type))
        return {};
    return m_devices[type];
}

RJDevice SimEngine::getDevice(RJ_DEVICE_TYPE type)
{
    note("getDevice", {num(int(type))});
    std::lock_guard<std::mutex> lock(m_mutex);
    RJDevice none;
    if (!validDeviceType(type))
        return none;
    none.type = type;
    for (const RJDevice &d : m_devices[type])
        if (d.id == m_currentDevice[type])
            return d;
    return none;
}

int SimEngine::setDevice(RJ_DEVICE_TYPE type, std::uint32_t id)
{
    const Forced forced = enter("setDevice", {num(int(type)), num(id)});
    if (forced.refused)
        return forced.code;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!validDeviceType(type))
        return forced.done(kBadParameter);
    for (const RJDevice &d : m_devices[type]) {
        if (d.id == id) {
            m_currentDevice[type] = id;
            saveConfigLocked();
            return forced.done(kOk);
        }
    }
    return forced.done(kBadParameter);
}

int SimEngine::enableMicMeter(bool enable)
{
    return keepSetting("enableMicMeter", {flag(enable)}, [&] { m_micMeter = enable; });
}

int SimEngine::setAudioFile(const char *path)
{
    return keepSetting("setAudioFile", {str(path)}, [&] { m_audioFile = str(path); });
}

float SimEngine::getMicVolume()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_micMeter || !m_mic || m_volume[RJ_DEVICE_MIC].mute)
        return 0.0f;
    // Someone talking: a level that moves with real time between 0.05 and
    // 0.85, never silent (a still or silent meter looks broken).
    const double t = std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
    const double level = 0.45 + 0.25 * std::sin(t * 5.3) + 0.15 * std::sin(t * 13.1);
    return static_cast<float>(std::clamp(level, 0.05, 1.0));
}

int SimEngine::startAudioPlay(int loop)
{
    const Forced forced = enter("startAudioPlay", {num(loop)});
    if (forced.refused)
        return forced.code;
    std::string file;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        file = m_audioFile;
    }
    const long long duration = media::soundDurationMs(file);
    std::lock_guard<std::mutex> lock(m_mutex);
    if (file.empty() || duration < 0)
        return forced.done(kBadParameter);
    m_audioPlaying = true;
    const std::uint64_t token = ++m_audioToken;
    // Mode 1 repeats until stopped (the ringtone); other modes play once.
    if (loop != 1) {
        later(std::max<long long>(duration, 1), [this, token](Events &) {
            if (m_audioToken == token)
                m_audioPlaying = false;
        });
    }
    return forced.done(kOk);
}

int SimEngine::stopAudioPlay()
{
    const Forced forced = enter("stopAudioPlay", {});
    if (forced.refused)
        return forced.code;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_audioPlaying = false;
    ++m_audioToken;
    return forced.done(kOk);
}

bool SimEngine::isAudioPlaying()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_audioPlaying;
}

int SimEngine::setRenderType(int type)
{
    const Forced forced = enter("setRenderType", {num(type)});
    if (forced.refused)
        return forced.code;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (type < 0 || type > 2)
        return forced.done(kBadParameter);
    m_renderType = type;
    saveConfigLocked();
    return forced.done(kOk);
}

int SimEngine::getRenderType()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_renderType;
}

RJVolume SimEngine::getVolume(RJ_DEVICE_TYPE type)
{
    note("getVolume", {num(int(type))});
    std::lock_guard<std::mutex> lock(m_mutex);
    return validDeviceType(type) ? m_volume[type] : RJVolume();
}

int SimEngine::setVolume(RJ_DEVICE_TYPE type, const RJVolume &vol)
{
    const Forced forced = enter("setVolume", {num(int(type)), num(vol.mute), fmt(vol.volume, 3)});
    if (forced.refused)
        return forced.code;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!validDeviceType(type) || vol.volume < 0.0f || vol.volume > 3.0f || vol.volume != vol.volume)
        return forced.done(kBadParameter);
    m_volume[type] = vol;
    m_volume[type].mute = vol.mute ? 1 : 0;
    const RJVolume copy = m_volume[type];
    reportLocked({{"onVolume", [type, copy](IAVEventHandler &h) { h.onVolume(type, copy); }}});
    return forced.done(kOk);
}

// ---------------------------------------------------------------------------
// Media options

int SimEngine::enablePreview(bool enable)
{
    return keepSetting("enablePreview", {flag(enable)}, [&] { m_preview = enable; });
}

int SimEngine::setBandwidth(unsigned int kbps)
{
    const Forced forced = enter("setBandwidth", {num(kbps)});
    if (forced.refused)
        return forced.code;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (kbps < 64 || kbps > 20480)
        return forced.done(kBadParameter);
    m_bandwidth = kbps;
    saveConfigLocked();
    return forced.done(kOk);
}

unsigned int SimEngine::getBandwidth()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_bandwidth;
}

bool SimEngine::cameraEnabled()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_camera;
}

int SimEngine::enableCamera(bool enable)
{
    return keepSetting("enableCamera", {flag(enable)}, [&] { m_camera = enable; });
}

bool SimEngine::micEnabled()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_mic;
}

int SimEngine::enableMic(bool enable)
{
    const Forced forced = enter("enableMic", {flag(enable)});
    if (forced.refused)
        return forced.code;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (enable && m_remoteMuted)
        return forced.done(kRefused); // muted by the conference: ask to speak instead
    m_mic = enable;
    return forced.done(kOk);
}

bool SimEngine::highFPSEnabled()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_highFps;
}

int SimEngine::enableHighFPS(bool enable)
{
    const Forced forced = enter("enableHighFPS", {flag(enable)});
    if (forced.refused)
        return forced.code;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_highFps = enable;
    saveConfigLocked();
    return forced.done(kOk);
}

int SimEngine::enableHD(bool enable)
{
    const Forced forced = enter("enableHD", {flag(enable)});
    if (forced.refused)
        return forced.code;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_hd = enable;
    saveConfigLocked();
    return forced.done(kOk);
}

bool SimEngine::HDEnabled()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_hd;
}

int SimEngine::enableNoiseSuppression(int level)
{
    return keepSetting("enableNoiseSuppression", {num(level)}, [&] { m_noiseLevel = level; });
}

int SimEngine::enableHardDecoder(int streamKind, int codec, int mode)
{
    return keepSetting("enableHardDecoder", {num(streamKind), num(codec), num(mode)}, [&] { m_hardDecoder[{streamKind, codec}] = mode; });
}

int SimEngine::enableHardEncoder(int streamKind, int codec, int mode)
{
    return keepSetting("enableHardEncoder", {num(streamKind), num(codec), num(mode)}, [&] { m_hardEncoder[{streamKind, codec}] = mode; });
}

} // namespace rjsim
