#pragma once

// A callback handler for engine tests: records every callback with a copy of
// its data and the thread it came on, and lets a test wait for them.

#include "engine/IAVEngine.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct RecordedEvent {
    std::string name;
    std::thread::id thread;
    rj::engine::RJError error;
    rj::engine::RJCallInfo call;
    rj::engine::RJContentInfo content;
    rj::engine::RJUserInfo user;
    rj::engine::RJRegisterInfo reg;
    rj::engine::RJDevice device;
    rj::engine::RJWarn warn;
    rj::engine::RJVolume volume;
    int value = 0;
    float level = 0;
    std::string text;
};

class EventRecorder : public rj::engine::IAVEventHandler
{
public:
    // Called inside every callback, after it is recorded (tests make it slow).
    std::function<void()> hook;
    std::atomic<bool> inCallback{false};

    std::vector<RecordedEvent> events() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_events;
    }

    std::vector<RecordedEvent> named(const std::string &name) const
    {
        std::vector<RecordedEvent> out;
        for (const RecordedEvent &e : events())
            if (e.name == name)
                out.push_back(e);
        return out;
    }

    int count(const std::string &name) const { return static_cast<int>(named(name).size()); }

    std::vector<std::string> names() const
    {
        std::vector<std::string> out;
        for (const RecordedEvent &e : events())
            out.push_back(e.name);
        return out;
    }

    // Waits until `name` was seen at least n times.
    bool waitFor(const std::string &name, int n = 1, int timeoutMs = 10000) const
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] {
            int seen = 0;
            for (const RecordedEvent &e : m_events)
                seen += e.name == name ? 1 : 0;
            return seen >= n;
        });
    }

    void clear()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_events.clear();
    }

    void onError(const rj::engine::RJError &err) override { add("onError", [&](RecordedEvent &e) { e.error = err; }); }
    void onWarn(const rj::engine::RJWarn &warn) override { add("onWarn", [&](RecordedEvent &e) { e.warn = warn; }); }
    void onLoginSucceed(const rj::engine::RJUserInfo &user) override
    {
        add("onLoginSucceed", [&](RecordedEvent &e) { e.user = user; });
    }
    void onRegisterInfo(const rj::engine::RJRegisterInfo &info) override
    {
        add("onRegisterInfo", [&](RecordedEvent &e) { e.reg = info; });
    }
    void onDownloadUserImageComplete(const char *path) override
    {
        add("onDownloadUserImageComplete", [&](RecordedEvent &e) { e.text = path ? path : ""; });
    }
    void onUploadUserImageComplete(const char *path) override
    {
        add("onUploadUserImageComplete", [&](RecordedEvent &e) { e.text = path ? path : ""; });
    }
    void onNetworkQuality(float q) override { add("onNetworkQuality", [&](RecordedEvent &e) { e.level = q; }); }
    void onCallConnected(const rj::engine::RJCallInfo &info) override
    {
        add("onCallConnected", [&](RecordedEvent &e) { e.call = info; });
    }
    void onCallState(const rj::engine::RJCallInfo &info) override
    {
        add("onCallState", [&](RecordedEvent &e) { e.call = info; });
    }
    void onCallPeerConnected(const rj::engine::RJCallInfo &info) override
    {
        add("onCallPeerConnected", [&](RecordedEvent &e) { e.call = info; });
    }
    void onCallEnd(const rj::engine::RJCallInfo &info) override
    {
        add("onCallEnd", [&](RecordedEvent &e) { e.call = info; });
    }
    void onContent(const rj::engine::RJContentInfo &info) override
    {
        add("onContent", [&](RecordedEvent &e) { e.content = info; });
    }
    void onMuteSpeakingDetected() override { add("onMuteSpeakingDetected", [](RecordedEvent &) {}); }
    void onMicMutedShow(int muted) override { add("onMicMutedShow", [&](RecordedEvent &e) { e.value = muted; }); }
    void onWaitQueue(int n) override { add("onWaitQueue", [&](RecordedEvent &e) { e.value = n; }); }
    void onUploadFeedback(int n) override { add("onUploadFeedback", [&](RecordedEvent &e) { e.value = n; }); }
    void onVolume(rj::engine::RJ_DEVICE_TYPE type, const rj::engine::RJVolume &vol) override
    {
        add("onVolume", [&](RecordedEvent &e) {
            e.value = type;
            e.volume = vol;
        });
    }
    void onDeviceAdded(const rj::engine::RJDevice &d) override
    {
        add("onDeviceAdded", [&](RecordedEvent &e) { e.device = d; });
    }
    void onDeviceRemoved(const rj::engine::RJDevice &d) override
    {
        add("onDeviceRemoved", [&](RecordedEvent &e) { e.device = d; });
    }
    void onCurrentDeviceChanged(const rj::engine::RJDevice &d) override
    {
        add("onCurrentDeviceChanged", [&](RecordedEvent &e) { e.device = d; });
    }
    void onVideoMutedShow(int muted) override { add("onVideoMutedShow", [&](RecordedEvent &e) { e.value = muted; }); }
    void onCallIncoming(const rj::engine::RJCallInfo &info) override
    {
        add("onCallIncoming", [&](RecordedEvent &e) { e.call = info; });
    }

private:
    template<typename Fill>
    void add(const char *name, Fill fill)
    {
        inCallback = true;
        RecordedEvent e;
        e.name = name;
        e.thread = std::this_thread::get_id();
        fill(e);
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_events.push_back(std::move(e));
        }
        m_changed.notify_all();
        if (hook)
            hook();
        inCallback = false;
    }

    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    std::vector<RecordedEvent> m_events;
};
