#pragma once

// A scripted stand-in for the engine library: records every operation with
// its raw arguments, answers with forced result codes, and keeps the
// registered handler so a test can fire callbacks from a thread of its own.

#include "engine/IAVEngine.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMutex>
#include <QMutexLocker>

#include <functional>
#include <string>
#include <vector>

namespace facadetest {

using Call = QList<QByteArray>; // operation name, then its arguments

// Lifecycle events of every fake engine ("create", "delete"), interleaved
// with the operations of the engine, in order.
QList<Call> &lifecycle();

class FakeEngine : public rj::engine::IAVEngine
{
public:
    QList<Call> journal() const
    {
        QMutexLocker lock(&m_mutex);
        return m_journal;
    }
    QList<Call> callsOf(const QByteArray &op) const
    {
        QList<Call> out;
        for (const Call &c : journal())
            if (c.first() == op)
                out << c;
        return out;
    }
    void clearJournal()
    {
        QMutexLocker lock(&m_mutex);
        m_journal.clear();
    }
    void forceResult(const QByteArray &op, int code)
    {
        QMutexLocker lock(&m_mutex);
        m_results.insert(op, code);
    }
    rj::engine::IAVEventHandler *handler() const
    {
        QMutexLocker lock(&m_mutex);
        return m_handler;
    }

    std::vector<rj::engine::RJContentSourceInfo> sources;
    // Runs inside getFeature, on the caller's thread (a test holds a caller there).
    std::function<void()> onGetFeature;
    // The token getUserInfo hands out.
    std::string userToken = "tok-fake";

    // ---- IRJCommon
    int setLog(int level, const char *path, const char *name, unsigned int max) override
    {
        return call("setLog", {n(level), s(path), s(name), QByteArray::number(max)});
    }
    int enableLog(bool e) override { return call("enableLog", {b(e)}); }
    int initialize(const char *p, const char *f) override { return call("initialize", {s(p), s(f)}); }
    int setRootCA(const char *p) override { return call("setRootCA", {s(p)}); }
    int setUserImage(const char *bg, const char *u) override { return call("setUserImage", {s(bg), s(u)}); }
    int enableWhiteBoard(bool e) override { return call("enableWhiteBoard", {b(e)}); }
    int setUserAgent(const char *c, const char *v) override { return call("setUserAgent", {s(c), s(v)}); }
    int release() override { return call("release", {}); }
    int enableSecure(bool e) override { return call("enableSecure", {b(e)}); }
    std::string encryptPassword(int t, const char *p, const char *k) override
    {
        call("encryptPassword", {n(t), s(p), s(k)});
        return "E3(" + std::string(p) + ")";
    }
    std::string encryptPassword(int t, const char *p) override
    {
        call("encryptPassword", {n(t), s(p)});
        return "E2(" + std::string(p) + ")";
    }
    std::string transformPassword(const char *p) override
    {
        call("transformPassword", {s(p)});
        return "T(" + std::string(p) + ")";
    }
    std::string descryptPassword(int t, const char *c, const char *k, const char *iv) override
    {
        call("descryptPassword", {n(t), s(c), s(k), s(iv)});
        return "D(" + std::string(c) + ")";
    }
    std::vector<rj::engine::RJDevice> getDevices(rj::engine::RJ_DEVICE_TYPE t) override
    {
        call("getDevices", {n(t)});
        rj::engine::RJDevice d;
        d.id = 1;
        d.type = t;
        d.name = "USB Headset";
        return {d};
    }
    rj::engine::RJDevice getDevice(rj::engine::RJ_DEVICE_TYPE t) override
    {
        call("getDevice", {n(t)});
        rj::engine::RJDevice d;
        d.id = 0;
        d.type = t;
        d.name = "System Default";
        return d;
    }
    int setDevice(rj::engine::RJ_DEVICE_TYPE t, std::uint32_t id) override
    {
        return call("setDevice", {n(t), QByteArray::number(id)});
    }
    int enableMicMeter(bool e) override { return call("enableMicMeter", {b(e)}); }
    int setAudioFile(const char *p) override { return call("setAudioFile", {s(p)}); }
    float getMicVolume() override { call("getMicVolume", {}); return 0.5f; }
    int startAudioPlay(int l) override { return call("startAudioPlay", {n(l)}); }
    int stopAudioPlay() override { return call("stopAudioPlay", {}); }
    bool isAudioPlaying() override { call("isAudioPlaying", {}); return true; }
    int setRenderType(int t) override { return call("setRenderType", {n(t)}); }
    int getRenderType() override { call("getRenderType", {}); return 2; }
    rj::engine::RJVolume getVolume(rj::engine::RJ_DEVICE_TYPE t) override
    {
        call("getVolume", {n(t)});
        return {1, 1.5f};
    }
    int setVolume(rj::engine::RJ_DEVICE_TYPE t, const rj::engine::RJVolume &v) override
    {
        return call("setVolume", {n(t), n(v.mute), QByteArray::number(double(v.volume))});
    }
    int setLocalVideoWindow(void *id) override { return call("setLocalVideoWindow", {ptr(id)}); }
    int setRemoteVideoWindow(void *id) override { return call("setRemoteVideoWindow", {ptr(id)}); }
    int setRemoteContentWindow(void *id) override { return call("setRemoteContentWindow", {ptr(id)}); }
    int setLocalContentWindow(void *id, int m) override
    {
        return call("setLocalContentWindow", {ptr(id), n(m)});
    }
    std::vector<rj::engine::RJContentSourceInfo> getContentSourceList() override
    {
        call("getContentSourceList", {});
        return sources;
    }
    int getContentSourceBitmap(const rj::engine::RJContentSourceInfo &info, int type, int w, int h,
                               rj::engine::RJBitmap &bmp) override
    {
        bmp.width = w;
        bmp.height = h;
        return call("getContentSourceBitmap", {s(info.windowTitle.c_str()), n(type), n(w), n(h)});
    }
    int releaseContentSourceBitmap(rj::engine::RJBitmap &bmp) override
    {
        return call("releaseContentSourceBitmap", {n(bmp.width), n(bmp.height)});
    }
    int setLocalContentSource(const rj::engine::RJContentSourceInfo &info) override
    {
        return call("setLocalContentSource", {n(info.type), ptr(info.frameData)});
    }
    int repaintVideo() override { return call("repaintVideo", {}); }
    int downloadUserImage(const char *p) override { return call("downloadUserImage", {s(p)}); }
    int uploadUserImage(const char *p) override { return call("uploadUserImage", {s(p)}); }
    int validatePassword(const char *p) override { return call("validatePassword", {s(p)}); }
    rj::engine::RJPasswordPolicy getPasswordPolicy() override
    {
        call("getPasswordPolicy", {});
        return {8, 16, 2, "!@#$%^&*"};
    }
    int changePassword(const char *o, const char *nw) override
    {
        return call("changePassword", {s(o), s(nw)});
    }
    int changeDisplayName(const char *d) override { return call("changeDisplayName", {s(d)}); }
    int getUserInfo(rj::engine::RJUserInfo &u) override
    {
        u.userId = 7;
        u.displayName = "Alice Chen";
        u.token = userToken;
        return call("getUserInfo", {});
    }
    std::string getDisplayName() override { call("getDisplayName", {}); return "Alice Chen"; }
    int getRegisterInfo(int t, rj::engine::RJRegisterInfo &i) override
    {
        i.type = t;
        i.state = 1;
        return call("getRegisterInfo", {n(t)});
    }
    int enablePreview(bool e) override { return call("enablePreview", {b(e)}); }
    int setBandwidth(unsigned int k) override { return call("setBandwidth", {QByteArray::number(k)}); }
    unsigned int getBandwidth() override { call("getBandwidth", {}); return 2048; }
    bool cameraEnabled() override { call("cameraEnabled", {}); return true; }
    int enableCamera(bool e) override { return call("enableCamera", {b(e)}); }
    bool micEnabled() override { call("micEnabled", {}); return true; }
    int enableMic(bool e) override { return call("enableMic", {b(e)}); }
    int requestRemoteUnmute(bool r) override { return call("requestRemoteUnmute", {b(r)}); }
    bool highFPSEnabled() override { call("highFPSEnabled", {}); return true; }
    int enableHighFPS(bool e) override { return call("enableHighFPS", {b(e)}); }
    int enableHD(bool e) override { return call("enableHD", {b(e)}); }
    bool HDEnabled() override { call("HDEnabled", {}); return true; }
    int getStats(rj::engine::RJStats &st) override
    {
        st.count = 1;
        return call("getStats", {});
    }
    int enableNoiseSuppression(int l) override { return call("enableNoiseSuppression", {n(l)}); }
    int sendContent() override { return call("sendContent", {}); }
    int sendWhiteBoard() override { return call("sendWhiteBoard", {}); }
    int stopContent() override { return call("stopContent", {}); }
    int enableContentAudio(bool e) override { return call("enableContentAudio", {b(e)}); }
    bool contentAudioEnabled() override { call("contentAudioEnabled", {}); return true; }
    int enableContentHighFPS(bool e) override { return call("enableContentHighFPS", {b(e)}); }
    int enableContent(bool e) override { return call("enableContent", {b(e)}); }
    bool contentEnabled() override { call("contentEnabled", {}); return true; }
    int enableHardDecoder(int a, int c, int m) override
    {
        return call("enableHardDecoder", {n(a), n(c), n(m)});
    }
    int enableHardEncoder(int a, int c, int m) override
    {
        return call("enableHardEncoder", {n(a), n(c), n(m)});
    }
    int uploadFeedbackfile(const std::vector<std::string> &files, const char *c, const char *d) override
    {
        return call("uploadFeedbackfile", {list(files), s(c), s(d)});
    }
    int uploadFeedbackFilesWithAddress(const std::vector<std::string> &files, const char *c,
                                       const char *d, const char *a) override
    {
        return call("uploadFeedbackFilesWithAddress", {list(files), s(c), s(d), s(a)});
    }
    rj::engine::RJDiag getDiag() override
    {
        call("getDiag", {});
        rj::engine::RJDiag d;
        d.advice = 2;
        d.adviceParam = "example.invalid";
        return d;
    }
    std::string getDiagString() override { call("getDiagString", {}); return "diag"; }

    // ---- IAVEngine
    int registerEventHandler(rj::engine::IAVEventHandler *h) override
    {
        {
            QMutexLocker lock(&m_mutex);
            m_handler = h;
        }
        return call("registerEventHandler", {ptr(h)});
    }
    int unregisterEventHandler(rj::engine::IAVEventHandler *h) override
    {
        {
            QMutexLocker lock(&m_mutex);
            if (m_handler == h)
                m_handler = nullptr;
        }
        return call("unregisterEventHandler", {ptr(h)});
    }
    int getFeature(const char *server, unsigned int port, rj::engine::AVFeature &f) override
    {
        f.appServerType = "ZOV";
        const int rst = call("getFeature", {s(server), QByteArray::number(port)});
        if (onGetFeature)
            onGetFeature();
        return rst;
    }
    int avlogin(const char *server, unsigned int port, const char *u, const char *p) override
    {
        return call("avlogin", {s(server), QByteArray::number(port), s(u), s(p)});
    }
    int avlogout() override { return call("avlogout", {}); }
    int registerSIPServer(const char *d, const char *dn, const char *u, const char *p,
                          const char *pr) override
    {
        return call("registerSIPServer", {s(d), s(dn), s(u), s(p), s(pr)});
    }
    int unregisterSIPServer() override { return call("unregisterSIPServer", {}); }
    int dialOut(const char *num, bool v) override { return call("dialOut", {s(num), b(v)}); }
    int acceptCall(bool v) override { return call("acceptCall", {b(v)}); }
    int hangUp() override { return call("hangUp", {}); }
    int declineCall() override { return call("declineCall", {}); }
    bool conferenceControllable() override { call("conferenceControllable", {}); return true; }

    static QByteArray ptr(const void *p)
    {
        return QByteArray::number(qulonglong(reinterpret_cast<quintptr>(p)), 16);
    }

private:
    static QByteArray s(const char *p) { return p ? QByteArray(p) : QByteArray("<null>"); }
    static QByteArray n(int v) { return QByteArray::number(v); }
    static QByteArray b(bool v) { return v ? "1" : "0"; }
    static QByteArray list(const std::vector<std::string> &files)
    {
        QByteArray out;
        for (const std::string &f : files)
            out += "[" + QByteArray::fromStdString(f) + "]";
        return out;
    }

    int call(const char *op, std::initializer_list<QByteArray> args)
    {
        Call c{QByteArray(op)};
        for (const QByteArray &a : args)
            c << a;
        QMutexLocker lock(&m_mutex);
        m_journal << c;
        if (c.first() == "release" || c.first() == "unregisterEventHandler"
            || c.first() == "registerEventHandler")
            lifecycle() << c;
        return m_results.value(c.first(), 0);
    }

    mutable QMutex m_mutex;
    QList<Call> m_journal;
    QHash<QByteArray, int> m_results;
    rj::engine::IAVEventHandler *m_handler = nullptr;
};

} // namespace facadetest
