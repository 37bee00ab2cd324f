// Value semantics of the engine records: defaults, what clear() resets and
// keeps, deep copies and moves, and the frame buffer helpers.

#include "support/TestMain.h"

#include "engine/IAVEngine.h"
#include "engine/RJTypes.h"

#include <QVariantMap>

#include <type_traits>
#include <utility>

using namespace rj::engine;

namespace {

QVariant u64(std::uint64_t v) { return QVariant::fromValue<qulonglong>(v); }
QVariant text(const std::string &s) { return QString::fromStdString(s); }
QVariant ptr(const void *p) { return QVariant::fromValue<qulonglong>(reinterpret_cast<quintptr>(p)); }

// Field-by-field snapshots, so one table can state defaults and clear() effects.
QVariantMap snap(const RJError &r)
{
    QStringList args;
    for (const auto &a : r.args)
        args << QString::fromStdString(a);
    return {{"type", r.type}, {"action", text(r.action)}, {"code", r.code},
            {"msg", text(r.msg)}, {"args", args}};
}

QVariantMap snap(const RJCallInfo &r)
{
    QVariantMap m{{"isAudioOnly", r.isAudioOnly},
                  {"contentEnabled", r.contentEnabled},
                  {"isBigConference", r.isBigConference},
                  {"isRemoteMuted", r.isRemoteMuted},
                  {"peer", text(r.peer)},
                  {"conference_number", text(r.conference_number)},
                  {"password", text(r.password)},
                  {"svcCallType", r.svcCallType},
                  {"svcCallAction", r.svcCallAction},
                  {"reservedFlag", r.reservedFlag}};
    const QVariantMap err = snap(r.err);
    for (auto it = err.begin(); it != err.end(); ++it)
        m.insert(QStringLiteral("err.") + it.key(), it.value());
    return m;
}

QVariantMap snap(const RJRegisterInfo &r)
{
    return {{"type", r.type},
            {"state", r.state},
            {"useInternalServer", r.useInternalServer},
            {"internalServer", text(r.internalServer)},
            {"externalServer", text(r.externalServer)},
            {"transProtocol", r.transProtocol},
            {"reservedNumber", r.reservedNumber},
            {"reservedText", text(r.reservedText)}};
}

QVariantMap snap(const RJContentInfo &r)
{
    return {{"enabled", r.enabled},
            {"dir", r.dir},
            {"type", r.type},
            {"status", r.status},
            {"isBigConference", r.isBigConference},
            {"isRemoteMuted", r.isRemoteMuted},
            {"reservedFlag", r.reservedFlag},
            {"senderName", text(r.senderName)},
            {"senderDeviceId", u64(r.senderDeviceId)}};
}

QVariantMap snap(const RJVideoSize &r) { return {{"width", r.width}, {"height", r.height}}; }

QVariantMap snap(const RJContentSourceInfo &r)
{
    return {{"type", r.type},
            {"windowTitle", text(r.windowTitle)},
            {"windowId", ptr(r.windowId)},
            {"keepRatio", r.keepRatio},
            {"reservedFlag", r.reservedFlag},
            {"captureX", r.captureX},
            {"captureY", r.captureY},
            {"captureSize.width", r.captureSize.width},
            {"captureSize.height", r.captureSize.height},
            {"valid", r.valid},
            {"frameData", ptr(r.frameData)},
            {"bytesPerLine", r.bytesPerLine},
            {"reservedNumber1", r.reservedNumber1},
            {"pixelFormat", r.pixelFormat},
            {"reservedNumber2", r.reservedNumber2}};
}

QVariantMap snap(const RJDevice &r)
{
    return {{"id", u64(r.id)}, {"type", int(r.type)}, {"name", text(r.name)}, {"desc", text(r.desc)}};
}

QVariantMap snap(const RJVolume &r) { return {{"mute", r.mute}, {"volume", r.volume}}; }

QVariantMap snap(const RJPasswordPolicy &r)
{
    return {{"minLength", r.minLength},
            {"maxLength", r.maxLength},
            {"typeCount", r.typeCount},
            {"specialChars", text(r.specialChars)}};
}

QVariantMap snap(const AVFeature &r)
{
    return {{"appServerType", text(r.appServerType)},
            {"version", text(r.version)},
            {"apiEnabled", r.apiEnabled},
            {"passwordEncryptionWithAES", r.passwordEncryptionWithAES},
            {"enableChangePassword", r.enableChangePassword}};
}

QVariantMap snap(const RJFeatureSupport &r)
{
    return {{"0", r.feature0}, {"1", r.feature1}, {"2", r.feature2}, {"3", r.feature3},
            {"4", r.feature4}, {"5", r.feature5}, {"6", r.feature6}, {"7", r.feature7}};
}

QVariantMap snap(const RJCameraCaptureInfo &r)
{
    return {{"width", r.width}, {"height", r.height}, {"frameRate", r.frameRate}, {"mode", r.mode}};
}

QVariantMap snap(const RJAudioNoiseSuppressionConfiguration &r)
{
    return {{"nsLevel", r.nsLevel}, {"aecMode", r.aecMode}, {"agcMode", r.agcMode},
            {"vadEnabled", r.vadEnabled}};
}

QVariantMap snap(const RJVideoEncoderConfiguration &r)
{
    return {{"width", r.width}, {"height", r.height}, {"frameRate", r.frameRate},
            {"bitrate", r.bitrate}, {"keyFrameInterval", r.keyFrameInterval}};
}

QVariantMap snap(const RJFrame &r)
{
    return {{"streamType", int(r.streamType)},
            {"isKeyFrame", r.isKeyFrame},
            {"frameIndex", r.frameIndex},
            {"sourceId", r.sourceId},
            {"channelId", r.channelId},
            {"layerId", r.layerId},
            {"pixFmt", int(r.pixFmt)},
            {"size.width", r.size.width},
            {"size.height", r.size.height},
            {"timestamp", r.timestamp},
            {"rotation", r.rotation},
            {"reservedNumber", r.reservedNumber},
            {"sourceName", text(r.sourceName)},
            {"codec", text(r.codec)},
            {"dataLength", r.dataLength},
            {"data", ptr(r.data)},
            {"dataOffset", r.dataOffset}};
}

// Every field set away from its default.
unsigned char g_frameBuffer[16];

RJError dirtyError()
{
    RJError e;
    e.type = 4;
    e.action = "avlogin";
    e.code = 2010;
    e.msg = "locked";
    e.args = {"a", "b"};
    return e;
}

RJCallInfo dirtyCallInfo()
{
    RJCallInfo c;
    c.isAudioOnly = true;
    c.contentEnabled = false;
    c.isBigConference = true;
    c.isRemoteMuted = true;
    c.peer = "Carol Wu";
    c.conference_number = "1001";
    c.password = "1234";
    c.err = dirtyError();
    c.svcCallType = 2;
    c.svcCallAction = 3;
    c.reservedFlag = true;
    return c;
}

RJRegisterInfo dirtyRegisterInfo()
{
    RJRegisterInfo r;
    r.type = 1;
    r.state = 4;
    r.useInternalServer = true;
    r.internalServer = "10.0.0.1";
    r.externalServer = "203.0.113.1";
    r.transProtocol = 2;
    r.reservedNumber = 7;
    r.reservedText = "x";
    return r;
}

RJContentInfo dirtyContentInfo()
{
    RJContentInfo c;
    c.enabled = true;
    c.dir = 0;
    c.type = 3;
    c.status = 5;
    c.isBigConference = true;
    c.isRemoteMuted = true;
    c.reservedFlag = true;
    c.senderName = "Dave Li";
    c.senderDeviceId = 0x1234567890ULL;
    return c;
}

RJContentSourceInfo dirtySourceInfo()
{
    RJContentSourceInfo s;
    s.type = 3;
    s.windowTitle = "Screen 1";
    s.windowId = reinterpret_cast<void *>(quintptr(0x4400001));
    s.keepRatio = true;
    s.reservedFlag = true;
    s.captureX = 10;
    s.captureY = 20;
    s.captureSize = {640, 480};
    s.valid = true;
    s.frameData = g_frameBuffer;
    s.bytesPerLine = 2560;
    s.reservedNumber1 = 8;
    s.pixelFormat = 2;
    s.reservedNumber2 = 9;
    return s;
}

RJDevice dirtyDevice()
{
    RJDevice d;
    d.id = 3;
    d.type = RJ_DEVICE_CAMERA;
    d.name = "USB Webcam";
    d.desc = "usb-0000:00:14.0";
    return d;
}

RJFrame dirtyFrame()
{
    RJFrame f;
    f.streamType = RJ_STREAM_VIDEO;
    f.isKeyFrame = true;
    f.frameIndex = 1;
    f.sourceId = 2;
    f.channelId = 3;
    f.layerId = 4;
    f.pixFmt = RJ_PIX_FMT_NV12;
    f.size = {320, 240};
    f.timestamp = 5;
    f.rotation = 90;
    f.reservedNumber = 6;
    f.sourceName = "cam";
    f.codec = "H264";
    f.dataLength = 16;
    f.data = g_frameBuffer;
    f.dataOffset = 4;
    return f;
}

template <typename R>
void addClearRow(const char *name, R dirty, const QStringList &kept)
{
    const QVariantMap before = snap(dirty);
    const QVariantMap defaults = snap(R());
    dirty.clear();
    QVariantMap expected;
    for (auto it = before.begin(); it != before.end(); ++it)
        expected.insert(it.key(), kept.contains(it.key()) ? it.value() : defaults.value(it.key()));
    QTest::newRow(name) << snap(dirty) << expected;
}

} // namespace

class TestEngineRecords : public QObject
{
    Q_OBJECT

private:
    static void compareMaps(const QVariantMap &actual, const QVariantMap &expected)
    {
        QCOMPARE(actual.keys(), expected.keys());
        for (auto it = expected.begin(); it != expected.end(); ++it) {
            if (actual.value(it.key()) != it.value()) {
                QFAIL(qPrintable(QStringLiteral("%1: got %2, expected %3")
                                     .arg(it.key(), actual.value(it.key()).toString(),
                                          it.value().toString())));
            }
        }
    }

private slots:
    void defaults_data()
    {
        QTest::addColumn<QVariantMap>("actual");
        QTest::addColumn<QVariantMap>("expected");

        const QVariantMap errDefaults{{"type", 5}, {"action", ""}, {"code", 0}, {"msg", ""},
                                      {"args", QStringList()}};
        QTest::newRow("RJError") << snap(RJError()) << errDefaults;

        QVariantMap call{{"isAudioOnly", false}, {"contentEnabled", true}, {"isBigConference", false},
                         {"isRemoteMuted", false}, {"peer", ""}, {"conference_number", ""},
                         {"password", ""}, {"svcCallType", 0}, {"svcCallAction", 0},
                         {"reservedFlag", false}};
        for (auto it = errDefaults.begin(); it != errDefaults.end(); ++it)
            call.insert(QStringLiteral("err.") + it.key(), it.value());
        QTest::newRow("RJCallInfo") << snap(RJCallInfo()) << call;

        QTest::newRow("RJRegisterInfo")
            << snap(RJRegisterInfo())
            << QVariantMap{{"type", 0}, {"state", 0}, {"useInternalServer", false},
                           {"internalServer", ""}, {"externalServer", ""}, {"transProtocol", 0},
                           {"reservedNumber", 0}, {"reservedText", ""}};
        QTest::newRow("RJContentInfo")
            << snap(RJContentInfo())
            << QVariantMap{{"enabled", false}, {"dir", 1}, {"type", 2}, {"status", 0},
                           {"isBigConference", false}, {"isRemoteMuted", false},
                           {"reservedFlag", false}, {"senderName", ""}, {"senderDeviceId", u64(0)}};
        QTest::newRow("RJVideoSize") << snap(RJVideoSize()) << QVariantMap{{"width", 0}, {"height", 0}};
        QTest::newRow("RJContentSourceInfo")
            << snap(RJContentSourceInfo())
            << QVariantMap{{"type", 0}, {"windowTitle", ""}, {"windowId", ptr(nullptr)},
                           {"keepRatio", false}, {"reservedFlag", false}, {"captureX", 0},
                           {"captureY", 0}, {"captureSize.width", 0}, {"captureSize.height", 0},
                           {"valid", false}, {"frameData", ptr(nullptr)}, {"bytesPerLine", 0},
                           {"reservedNumber1", 0}, {"pixelFormat", 13}, {"reservedNumber2", 0}};
        QTest::newRow("RJDevice") << snap(RJDevice())
                                  << QVariantMap{{"id", u64(4294967295u)}, {"type", 0}, {"name", ""},
                                                 {"desc", ""}};
        QTest::newRow("RJVolume") << snap(RJVolume()) << QVariantMap{{"mute", 0}, {"volume", 0.0f}};
        QTest::newRow("RJPasswordPolicy")
            << snap(RJPasswordPolicy())
            << QVariantMap{{"minLength", 0}, {"maxLength", 0}, {"typeCount", 0}, {"specialChars", ""}};
        QTest::newRow("AVFeature")
            << snap(AVFeature())
            << QVariantMap{{"appServerType", ""}, {"version", ""}, {"apiEnabled", false},
                           {"passwordEncryptionWithAES", false}, {"enableChangePassword", true}};
        QTest::newRow("RJFeatureSupport")
            << snap(RJFeatureSupport())
            << QVariantMap{{"0", false}, {"1", false}, {"2", false}, {"3", false},
                           {"4", false}, {"5", false}, {"6", false}, {"7", false}};
        QTest::newRow("RJCameraCaptureInfo")
            << snap(RJCameraCaptureInfo())
            << QVariantMap{{"width", 0}, {"height", 0}, {"frameRate", 15.0f}, {"mode", 1}};
        QTest::newRow("RJAudioNoiseSuppressionConfiguration")
            << snap(RJAudioNoiseSuppressionConfiguration())
            << QVariantMap{{"nsLevel", 2}, {"aecMode", 0}, {"agcMode", 0}, {"vadEnabled", 1}};
        QTest::newRow("RJVideoEncoderConfiguration")
            << snap(RJVideoEncoderConfiguration())
            << QVariantMap{{"width", 0}, {"height", 0}, {"frameRate", 0}, {"bitrate", 0},
                           {"keyFrameInterval", 0}};

        QVariantMap frame{{"streamType", 7}, {"isKeyFrame", false}, {"frameIndex", 0},
                          {"sourceId", 0}, {"channelId", 0}, {"layerId", 0}, {"pixFmt", 0},
                          {"size.width", 0}, {"size.height", 0}, {"timestamp", 0},
                          {"rotation", 0}, {"reservedNumber", 0}, {"sourceName", ""},
                          {"codec", ""}, {"dataLength", 0}, {"data", ptr(nullptr)},
                          {"dataOffset", 0}};
        QTest::newRow("RJFrame") << snap(RJFrame()) << frame;

        QVariantMap frameFromIds = frame;
        frameFromIds["streamType"] = 0;
        frameFromIds["sourceId"] = 11;
        frameFromIds["channelId"] = 12;
        frameFromIds["layerId"] = 13;
        QTest::newRow("RJFrame(int, int, int)") << snap(RJFrame(11, 12, 13)) << frameFromIds;

        QVariantMap frameFromFormat = frame;
        frameFromFormat["streamType"] = 2;
        frameFromFormat["pixFmt"] = 13;
        frameFromFormat["size.width"] = 1920;
        frameFromFormat["size.height"] = 1080;
        QTest::newRow("RJFrame(type, fmt, size)")
            << snap(RJFrame(RJ_STREAM_CONTENT, RJ_PIX_FMT_BGRA, RJVideoSize{1920, 1080}))
            << frameFromFormat;
    }

    void defaults()
    {
        QFETCH(QVariantMap, actual);
        QFETCH(QVariantMap, expected);
        compareMaps(actual, expected);
    }

    // clear() on a record whose every field was changed: the listed fields
    // keep their values, all others are back at their defaults.
    void clearKeeps_data()
    {
        QTest::addColumn<QVariantMap>("actual");
        QTest::addColumn<QVariantMap>("expected");

        addClearRow("RJError", dirtyError(), {});
        addClearRow("RJCallInfo", dirtyCallInfo(), {"svcCallAction", "reservedFlag"});
        addClearRow("RJRegisterInfo", dirtyRegisterInfo(), {"reservedNumber", "reservedText"});
        addClearRow("RJContentInfo", dirtyContentInfo(), {});
        addClearRow("RJVideoSize", RJVideoSize{3, 4}, {});
        addClearRow("RJContentSourceInfo", dirtySourceInfo(),
                    {"type", "windowTitle", "valid", "bytesPerLine", "reservedNumber1",
                     "reservedNumber2"});
        addClearRow("RJDevice", dirtyDevice(), {});
        addClearRow("RJVolume", RJVolume{1, 2.5f}, {});
        addClearRow("RJPasswordPolicy", RJPasswordPolicy{8, 16, 2, "!@#"}, {});
        addClearRow("AVFeature", AVFeature{"ROZ", "5.1", true, true, false}, {});
        addClearRow("RJFeatureSupport", RJFeatureSupport{true, true, true, true, true, true, true, true}, {});
        addClearRow("RJCameraCaptureInfo", RJCameraCaptureInfo{1280, 720, 30.0f, 3}, {});
        addClearRow("RJAudioNoiseSuppressionConfiguration",
                    RJAudioNoiseSuppressionConfiguration{0, 1, 1, 0}, {});
        addClearRow("RJVideoEncoderConfiguration", RJVideoEncoderConfiguration{1, 2, 3, 4, 5}, {});
        addClearRow("RJFrame", dirtyFrame(), {"pixFmt"});
    }

    void clearKeeps()
    {
        QFETCH(QVariantMap, actual);
        QFETCH(QVariantMap, expected);
        compareMaps(actual, expected);
    }

    void frameClearDataTouchesOnlyTheBuffer()
    {
        RJFrame f = dirtyFrame();
        QVariantMap expected = snap(f);
        expected["dataLength"] = 0;
        expected["data"] = ptr(nullptr);
        expected["dataOffset"] = 0;
        f.clearData();
        compareMaps(snap(f), expected);
    }

    void deviceNoneIdNeverMatchesARealDevice()
    {
        const RJDevice none;
        QCOMPARE(none.id, RJ_INVALID_DEVICE_ID);
        // Read as a signed 32-bit number (how prompts test it), it is negative.
        QCOMPARE(static_cast<std::int32_t>(none.id), -1);
        static_assert(std::is_same<decltype(RJDevice::id), std::uint32_t>::value,
                      "device ids are unsigned 32-bit");
    }

    void diagnosisStartsEmpty()
    {
        const RJDiag d;
        QCOMPARE(d.advice, 0);
        QVERIFY(d.adviceParam.empty());
        QCOMPARE(d.loginItem.status, 0);
        QCOMPARE(d.registerItem.status, 0);
        QCOMPARE(d.call.callItem.status, 0);
        QCOMPARE(d.call.video.upload.jitter.status, 0);
        QVERIFY(d.call.duration.empty());
    }

    void statsStartEmpty()
    {
        const RJStats s;
        QCOMPARE(s.count, 0);
        QCOMPARE(int(sizeof(s.streams) / sizeof(s.streams[0])), 32);
        QCOMPARE(s.streams[31].packetsLost, std::uint64_t(0));
        QVERIFY(s.streams[0].codec.empty());
    }

    // Copies own their texts and lists: changing the original afterwards does
    // not reach the copy, nested records included.
    void copiesAreDeep()
    {
        RJCallInfo original = dirtyCallInfo();
        const RJCallInfo copy(original);
        RJCallInfo assigned;
        assigned = original;

        original.peer = "changed";
        original.err.action = "changed";
        original.err.args[0] = "changed";
        original.err.args.push_back("more");
        original.clear();

        for (const RJCallInfo *c : std::initializer_list<const RJCallInfo *>{&copy, &assigned}) {
            QCOMPARE(c->peer, std::string("Carol Wu"));
            QCOMPARE(c->err.action, std::string("avlogin"));
            QCOMPARE(c->err.args, (std::vector<std::string>{"a", "b"}));
            QCOMPARE(c->err.type, 4);
            QCOMPARE(c->contentEnabled, false);
        }

        RJStats stats;
        stats.count = 2;
        stats.streams[1].codec = "OPUS";
        RJStats statsCopy = stats;
        stats.streams[1].codec = "G722";
        QCOMPARE(statsCopy.streams[1].codec, std::string("OPUS"));
        QCOMPARE(statsCopy.count, 2);

        RJDiag diag;
        diag.call.audio.download.quality.value = "good";
        diag.adviceParam = "example.invalid";
        const RJDiag diagCopy = diag;
        diag.call.audio.download.quality.value.clear();
        diag.adviceParam.clear();
        QCOMPARE(diagCopy.call.audio.download.quality.value, std::string("good"));
        QCOMPARE(diagCopy.adviceParam, std::string("example.invalid"));
    }

    void movesTransferTextsAndCopyNumbers()
    {
        RJCallInfo source = dirtyCallInfo();
        const std::string longPeer(200, 'p'); // beyond the small-string buffer
        source.peer = longPeer;
        const char *peerStorage = source.peer.data();

        RJCallInfo moved(std::move(source));
        QCOMPARE(moved.peer, longPeer);
        QCOMPARE(static_cast<const void *>(moved.peer.data()), static_cast<const void *>(peerStorage));
        QCOMPARE(moved.err.args.size(), std::size_t(2));
        QCOMPARE(moved.svcCallType, 2);
        QCOMPARE(moved.svcCallAction, 3);

        RJUserInfo user;
        user.token = std::string(100, 't');
        user.userId = 42;
        RJUserInfo target;
        target = std::move(user);
        QCOMPARE(target.token, std::string(100, 't'));
        QCOMPARE(target.userId, std::uint64_t(42));
    }

    void frameCopiesShareTheCallersBuffer()
    {
        unsigned char buffer[4] = {0, 0, 0, 0};
        RJFrame a;
        a.data = buffer;
        RJFrame b = a;
        const unsigned char bytes[4] = {1, 2, 3, 4};
        b.writeData(bytes, 4);
        QCOMPARE(a.data, b.data);
        QCOMPARE(int(buffer[3]), 4);
        QCOMPARE(b.dataLength, 4);
        QCOMPARE(a.dataLength, 0);
    }

    void frameWriteData_data()
    {
        QTest::addColumn<bool>("hasBuffer");
        QTest::addColumn<bool>("hasSource");
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("written");

        QTest::newRow("copies") << true << true << 5 << true;
        QTest::newRow("empty copy") << true << true << 0 << true;
        QTest::newRow("null source") << true << false << 5 << false;
        QTest::newRow("negative length") << true << true << -1 << false;
        QTest::newRow("no buffer") << false << true << 5 << false;
    }

    void frameWriteData()
    {
        QFETCH(bool, hasBuffer);
        QFETCH(bool, hasSource);
        QFETCH(int, length);
        QFETCH(bool, written);

        unsigned char buffer[8];
        std::memset(buffer, 0xAA, sizeof buffer);
        const unsigned char source[8] = {1, 2, 3, 4, 5, 6, 7, 8};

        RJFrame f;
        f.data = hasBuffer ? buffer : nullptr;
        f.dataLength = 3; // a previous frame's length
        const QVariantMap before = snap(f);

        f.writeData(hasSource ? source : nullptr, length);

        if (written) {
            QCOMPARE(f.dataLength, length);
            QCOMPARE(std::memcmp(buffer, source, std::size_t(length)), 0);
            QCOMPARE(int(buffer[length]), 0xAA);
        } else {
            compareMaps(snap(f), before);
            QCOMPARE(int(buffer[0]), 0xAA);
        }
    }

    // Callbacks the client does not override do nothing; a handler may
    // override a single one.
    void callbackDefaultsDoNothing()
    {
        struct OnlyMic : IAVEventHandler {
            int last = -1;
            void onMicMutedShow(int v) override { last = v; }
        } handler;
        IAVEventHandler &h = handler;
        h.onError(RJError());
        h.onCallEnd(RJCallInfo());
        h.onSIPRegister(true);
        h.onFaceInfo("a", "b");
        h.onContentSourceStatusChange(RJVideoSize{1, 2}, 0, 0, false, true);
        QCOMPARE(handler.last, -1);
        h.onMicMutedShow(2);
        QCOMPARE(handler.last, 2);
    }
};

GLIMORA_TEST_MAIN(TestEngineRecords)
#include "tst_enginerecords.moc"
