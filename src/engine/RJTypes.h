#pragma once

// Value records exchanged with the conferencing engine. Plain C++ only: the
// engine library and the client both compile this header, so it must not pull
// in Qt. Everything is inline, which keeps each side's copy of the code private
// to it (the engine library is built with hidden visibility).

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace rj {
namespace engine {

// ---------------------------------------------------------------------------
// Enumerations

typedef enum _RJ_DEVICE_TYPE {
    RJ_DEVICE_MIC = 0,
    RJ_DEVICE_SPEAKER = 1,
    RJ_DEVICE_CAMERA = 2,
} RJ_DEVICE_TYPE;

typedef enum _RJ_STREAM_TYPE {
    RJ_STREAM_AUDIO = 0,
    RJ_STREAM_VIDEO = 1,
    RJ_STREAM_CONTENT = 2,
    RJ_STREAM_WHITEBOARD = 3,
    RJ_STREAM_CONTENT_AUDIO = 4,
    RJ_STREAM_DATA = 5,
    RJ_STREAM_PREVIEW = 6,
    RJ_STREAM_NONE = 7,
} RJ_STREAM_TYPE;

typedef enum _RJ_PIX_FMT {
    RJ_PIX_FMT_NONE = -1,
    RJ_PIX_FMT_YUV420P = 0,
    RJ_PIX_FMT_NV12 = 1,
    RJ_PIX_FMT_NV21 = 2,
    RJ_PIX_FMT_YUYV422 = 3,
    RJ_PIX_FMT_UYVY422 = 4,
    RJ_PIX_FMT_RGB24 = 10,
    RJ_PIX_FMT_BGR24 = 11,
    RJ_PIX_FMT_RGBA = 12,
    // 32-bit pixels as QImage::Format_RGB32 / ARGB32 lay them out in memory on
    // a little-endian machine (B, G, R, A): the screen feeder's frames.
    RJ_PIX_FMT_BGRA = 13,
    RJ_PIX_FMT_ARGB = 14,
    RJ_PIX_FMT_H264 = 20,
} RJ_PIX_FMT;

typedef enum _RJ_CALL_TYPE {
    RJ_CALL_TYPE_NONE = 0,
    RJ_CALL_TYPE_VIDEO_SERVICE = 1,
    RJ_CALL_TYPE_SIP = 2,
} RJ_CALL_TYPE;

typedef enum _RJ_REGISTER_STATE {
    RJ_REGISTER_STATE_NONE = 0,
    RJ_REGISTER_STATE_REGISTERED = 1,
    RJ_REGISTER_STATE_FAILED = 2,
    RJ_REGISTER_STATE_REGISTERING = 3,
    RJ_REGISTER_STATE_KICKED = 4,
} RJ_REGISTER_STATE;

// The device id of "no device": all 32 bits set, never a real device.
constexpr std::uint32_t RJ_INVALID_DEVICE_ID = 0xFFFFFFFFu;

// Pixel format of a default content-source frame (RJ_PIX_FMT_BGRA).
constexpr int RJ_DEFAULT_SOURCE_PIX_FMT = 13;

// ---------------------------------------------------------------------------
// Errors and warnings

struct RJError {
    int type = 5;
    std::string action;
    int code = 0;
    std::string msg;
    std::vector<std::string> args;

    void clear()
    {
        type = 5;
        action.clear();
        code = 0;
        msg.clear();
        args.clear();
    }
};

struct RJWarn {
    int code = 0;
    std::string msg;
};

// ---------------------------------------------------------------------------
// Calls, users, registrations

struct RJCallInfo {
    bool isAudioOnly = false;
    bool contentEnabled = true;
    bool isBigConference = false;
    bool isRemoteMuted = false;
    std::string peer;
    std::string conference_number;
    std::string password;
    RJError err;
    int svcCallType = 0;
    int svcCallAction = 0;
    bool reservedFlag = false;

    // Leaves svcCallAction and reservedFlag as they are.
    void clear()
    {
        isAudioOnly = false;
        contentEnabled = true;
        isBigConference = false;
        isRemoteMuted = false;
        peer.clear();
        conference_number.clear();
        password.clear();
        err.clear();
        svcCallType = 0;
    }
};

struct RJUserInfo {
    std::uint64_t userId = 0;
    std::string username;
    std::string displayName;
    std::string org;
    std::string orgPortAllocMode;
    std::uint64_t orgPortCount = 0;
    std::string email;
    std::string cellphone;
    std::string telephone;
    std::uint64_t deviceId = 0;
    std::string dept;
    bool everChangedPasswd = false;
    bool mustChangePasswd = false;
    std::string customizedH5UrlPrefix;
    std::string token;
    std::string tessalyVersion;
    std::string specifiedUpgradingServerAddress;
    std::uint64_t serverTime = 0;
    std::string callNumber;
    std::string appServerType;
    std::string urlSuffixForMobile;
    std::string urlSuffixForPC;
    bool contactWebPage = false;
    bool p2pCall = false;
    bool chatInConference = false;
    bool switchingToAudioConference = false;
    bool sitenameIsChangeable = false;
    std::string vmr;
    std::string sipUserName;
};

struct RJRegisterInfo {
    int type = 0;
    int state = 0;
    bool useInternalServer = false;
    std::string internalServer;
    std::string externalServer;
    int transProtocol = 0;
    int reservedNumber = 0;
    std::string reservedText;

    // Leaves reservedNumber and reservedText as they are.
    void clear()
    {
        type = 0;
        state = 0;
        useInternalServer = false;
        internalServer.clear();
        externalServer.clear();
        transProtocol = 0;
    }
};

// ---------------------------------------------------------------------------
// Content

struct RJContentInfo {
    bool enabled = false;
    int dir = 1;
    int type = 2;
    int status = 0;
    bool isBigConference = false;
    bool isRemoteMuted = false;
    bool reservedFlag = false;
    std::string senderName;
    std::uint64_t senderDeviceId = 0;

    void clear() { *this = RJContentInfo(); }
};

struct RJVideoSize {
    int width = 0;
    int height = 0;

    void clear()
    {
        width = 0;
        height = 0;
    }
};

struct RJContentSourceInfo {
    int type = 0;
    std::string windowTitle;
    void *windowId = nullptr;
    bool keepRatio = false;
    bool reservedFlag = false;
    int captureX = 0;
    int captureY = 0;
    RJVideoSize captureSize;
    bool valid = false;
    // A frame lent by the caller for the duration of setLocalContentSource;
    // the record never owns it.
    const unsigned char *frameData = nullptr;
    int bytesPerLine = 0;
    int reservedNumber1 = 0;
    int pixelFormat = RJ_DEFAULT_SOURCE_PIX_FMT;
    int reservedNumber2 = 0;

    // Leaves type, windowTitle, valid, bytesPerLine and the reserved numbers.
    void clear()
    {
        windowId = nullptr;
        keepRatio = false;
        reservedFlag = false;
        captureX = 0;
        captureY = 0;
        captureSize.clear();
        frameData = nullptr;
        pixelFormat = RJ_DEFAULT_SOURCE_PIX_FMT;
    }
};

// A picture lent by the engine (getContentSourceBitmap); handed back with
// releaseContentSourceBitmap. The client never frees the pixels.
// Rows are laid out by type: a thumbnail (type 0) has 24-bit pixels in blue,
// green, red order with each row padded to a multiple of 4 bytes, so bytes
// per line = (width * 3 + 3) / 4 * 4; an icon (type 1) has 32-bit pixels in
// QImage::Format_ARGB32 layout, width * 4 bytes per line.
struct RJBitmap {
    int width = 0;
    int height = 0;
    unsigned char *data = nullptr;
};

struct RJThumbnail {
    int width = 0;
    int height = 0;
    unsigned char *data = nullptr;
};

// ---------------------------------------------------------------------------
// Devices and audio

struct RJDevice {
    std::uint32_t id = RJ_INVALID_DEVICE_ID;
    RJ_DEVICE_TYPE type = RJ_DEVICE_MIC;
    std::string name;
    std::string desc;

    void clear() { *this = RJDevice(); }
};

struct RJVolume {
    int mute = 0;
    float volume = 0.0f;

    void clear()
    {
        mute = 0;
        volume = 0.0f;
    }
};

// ---------------------------------------------------------------------------
// Account and server

struct RJPasswordPolicy {
    int minLength = 0;
    int maxLength = 0;
    int typeCount = 0;
    std::string specialChars;

    void clear() { *this = RJPasswordPolicy(); }
};

struct AVFeature {
    std::string appServerType;
    std::string version;
    bool apiEnabled = false;
    bool passwordEncryptionWithAES = false;
    bool enableChangePassword = true;

    void clear() { *this = AVFeature(); }
};

struct RJWhiteBoardInfo {
    int type = 0;
    std::string authServer;
    std::string server;
};

// ---------------------------------------------------------------------------
// Statistics

struct RJStreamStats {
    RJ_STREAM_TYPE streamType = RJ_STREAM_AUDIO;
    int direction = 0; // 1 incoming, anything else outgoing
    std::string codec;
    float lineRate = 0.0f;       // kbps
    float actualLineRate = 0.0f; // kbps
    std::int32_t jitter = 0;
    std::int32_t delay = 0;
    float frameRate = 0.0f;
    int width = 0;
    int height = 0;
    std::uint64_t packetsLost = 0;
    float packetLossRate = 0.0f; // percent
    bool encrypted = false;
    int reservedNumber = 0;
    std::string reservedText;
};

constexpr int RJ_MAX_STREAM_STATS = 32;

struct RJStats {
    int count = 0; // valid entries of streams, from the first on
    RJStreamStats streams[RJ_MAX_STREAM_STATS];
};

// ---------------------------------------------------------------------------
// Network diagnosis

struct RJDiagItem {
    std::string value;
    int status = 0; // 0 not measured, 1 normal, 2 available, 3 poor, 4 unreachable, 5 failed
    std::string detail;
};

struct RJDiagRole {
    std::string name;
    std::string description;
    RJDiagItem rateItem;
};

struct RJDiagMedia {
    std::string description;
    std::string codec;
    RJDiagItem quality;
    RJDiagItem packetLost;
    RJDiagItem jitter;
};

struct RJDiagStream {
    RJDiagMedia download;
    RJDiagMedia upload;
    RJDiagItem delay;
};

struct RJDiagCall {
    RJDiagItem callItem;
    std::string number;
    std::string peer;
    std::string duration;
    std::string startTime;
    std::string protocol;
    RJDiagRole downloadRate;
    RJDiagRole uploadRate;
    RJDiagStream audio;
    RJDiagStream video;
    RJDiagStream content;
};

struct RJDiag {
    RJDiagItem loginItem;
    RJDiagItem dnsItem;
    RJDiagItem registerItem;
    RJDiagItem mediaItem;
    RJDiagItem proxyItem;
    RJDiagCall call;
    int advice = 0; // 0 none; 1 to 4 name an advice text
    std::string adviceParam;
};

// ---------------------------------------------------------------------------
// Records that only travel through the interface

struct RJVoteInfo {
    std::string content;
};

struct RJSubtitle {
    bool enabled = false;
    bool isFinal = false;
    std::string speaker;
    std::string text;
};

struct RJCallLog {
    std::string number;
    int callType = 0;
    int direction = 0;
    int status = 0;
    std::string name;
    std::string protocol;
    std::int64_t startTime = 0;
    std::int32_t duration = 0;
    std::int32_t reservedNumber = 0;
    bool missed = false;
};

struct RJFeatureSupport {
    bool feature0 = false;
    bool feature1 = false;
    bool feature2 = false;
    bool feature3 = false;
    bool feature4 = false;
    bool feature5 = false;
    bool feature6 = false;
    bool feature7 = false;

    void clear() { *this = RJFeatureSupport(); }
};

struct RJCameraCaptureInfo {
    int width = 0;
    int height = 0;
    float frameRate = 15.0f;
    int mode = 1;

    void clear() { *this = RJCameraCaptureInfo(); }
};

struct RJAudioNoiseSuppressionConfiguration {
    int nsLevel = 2;
    int aecMode = 0;
    int agcMode = 0;
    int vadEnabled = 1;

    void clear() { *this = RJAudioNoiseSuppressionConfiguration(); }
};

struct RJVideoEncoderConfiguration {
    int width = 0;
    int height = 0;
    int frameRate = 0;
    int bitrate = 0;
    int keyFrameInterval = 0;

    void clear() { *this = RJVideoEncoderConfiguration(); }
};

// One media frame. The data buffer belongs to whoever set `data`; copies of
// the record share it, and writeData only fills it.
struct RJFrame {
    RJ_STREAM_TYPE streamType = RJ_STREAM_NONE;
    bool isKeyFrame = false;
    int frameIndex = 0;
    int sourceId = 0;
    int channelId = 0;
    int layerId = 0;
    RJ_PIX_FMT pixFmt = RJ_PIX_FMT_YUV420P;
    RJVideoSize size;
    int timestamp = 0;
    int rotation = 0;
    int reservedNumber = 0;
    std::string sourceName;
    std::string codec;
    int dataLength = 0;
    unsigned char *data = nullptr;
    int dataOffset = 0;

    RJFrame() { clear(); }
    RJFrame(int source, int channel, int layer)
    {
        clear();
        streamType = RJ_STREAM_AUDIO;
        sourceId = source;
        channelId = channel;
        layerId = layer;
    }
    RJFrame(RJ_STREAM_TYPE type, RJ_PIX_FMT fmt, const RJVideoSize &videoSize)
    {
        clear();
        streamType = type;
        pixFmt = fmt;
        size = videoSize;
    }
    RJFrame(const RJFrame &) = default;
    RJFrame(RJFrame &&) = default;
    RJFrame &operator=(const RJFrame &) = default;
    RJFrame &operator=(RJFrame &&) = default;
    ~RJFrame() = default;

    void clear()
    {
        streamType = RJ_STREAM_NONE;
        isKeyFrame = false;
        frameIndex = 0;
        sourceId = 0;
        channelId = 0;
        layerId = 0;
        size.clear();
        timestamp = 0;
        rotation = 0;
        reservedNumber = 0;
        sourceName.clear();
        codec.clear();
        clearData();
    }

    void clearData()
    {
        dataLength = 0;
        data = nullptr;
        dataOffset = 0;
    }

    // Copies `length` bytes into the caller-provided buffer. Without a source,
    // with a negative length or without a buffer to write into, the frame is
    // left unchanged.
    void writeData(const void *source, int length)
    {
        if (source == nullptr || length < 0 || data == nullptr)
            return;
        if (length > 0)
            std::memcpy(data, source, static_cast<std::size_t>(length));
        dataLength = length;
    }
};

} // namespace engine
} // namespace rj
