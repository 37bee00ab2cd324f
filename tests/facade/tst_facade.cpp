// The engine facade and its event bridge, driven by a scripted engine:
// lifecycle order, result mapping, argument conversions, behaviour without an
// engine, and delivery of every engine event into the GUI thread.

#include "support/TestMain.h"

#include "FakeEngine.h"
#include "models/CLoginManager.h"
#include "models/CRJSdkEventObserver.h"
#include "models/CRJSdkManager.h"
#include "rjsim_control.h"

#include <QMutex>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSemaphore>
#include <QThread>
#include <QtConcurrent>

#include <algorithm>
#include <atomic>
#include <functional>
#include <thread>

using rj_app::models::CRJSdkEventObserver;
using rj_app::models::CRJSdkManager;
using namespace rj::engine;
using facadetest::Call;
using facadetest::FakeEngine;

Q_DECLARE_METATYPE(QList<Call>)

namespace {

FakeEngine *g_engine = nullptr;
int g_created = 0;
bool g_publishedBeforeCreate = false;
bool g_failCreate = false;

IAVEngine *fakeCreate()
{
    ++g_created;
    g_publishedBeforeCreate = CRJSdkManager::getInstance() != nullptr;
    facadetest::lifecycle() << Call{"create"};
    if (g_failCreate)
        return nullptr;
    g_engine = new FakeEngine;
    return g_engine;
}

void fakeDelete(IAVEngine *engine)
{
    facadetest::lifecycle() << Call{"delete", FakeEngine::ptr(engine)};
    if (engine == g_engine)
        g_engine = nullptr;
    delete static_cast<FakeEngine *>(engine);
}

// Lets a pool task go on once the facade's release has begun. Atomic: the
// task logs from its own thread.
std::atomic<QSemaphore *> g_releaseStarted{nullptr};
std::atomic<QtMessageHandler> g_previousHandler{nullptr};
void releaseHook(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    QSemaphore *started = g_releaseStarted.load();
    if (started && message.startsWith(QLatin1String("rj_app::models::CRJSdkManager::releaseInstance")))
        started->release();
    g_previousHandler.load()(type, context, message);
}

// Every line logged while a test captures, from any thread.
QMutex g_capturedMutex;
QStringList g_captured;
QtMessageHandler g_handlerBeforeCapture = nullptr;
void captureHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    {
        QMutexLocker lock(&g_capturedMutex);
        g_captured << message;
    }
    g_handlerBeforeCapture(type, context, message);
}

using Op = std::function<bool(CRJSdkManager &)>;

// Every status operation of the facade, by the engine operation it wraps.
const QHash<QByteArray, Op> &statusOps()
{
    static const QHash<QByteArray, Op> ops = [] {
        QHash<QByteArray, Op> o;
        o["initialize"] = [](CRJSdkManager &m) { return m.initialize("/cfg", "brondalrc"); };
        o["setRootCA"] = [](CRJSdkManager &m) { return m.setRootCA("/ca.pem"); };
        o["setUserImage"] = [](CRJSdkManager &m) { return m.setUserImage("/bg.png", "/me.png"); };
        o["enableWhiteBoard"] = [](CRJSdkManager &m) { return m.enableWhiteBoard(true); };
        o["setUserAgent"] = [](CRJSdkManager &m) { return m.setUserAgent("glimora", "2.8.0.4"); };
        o["enableSecure"] = [](CRJSdkManager &m) { return m.enableSecure(true); };
        o["enableMicMeter"] = [](CRJSdkManager &m) { return m.enableMicMeter(true); };
        o["setAudioFile"] = [](CRJSdkManager &m) { return m.setAudioFile(QStringLiteral("/ring.wav")); };
        o["startAudioPlay"] = [](CRJSdkManager &m) { return m.startAudioPlay(1); };
        o["stopAudioPlay"] = [](CRJSdkManager &m) { return m.stopAudioPlay(); };
        o["setRenderType"] = [](CRJSdkManager &m) { return m.setRenderType(2); };
        o["setVolume"] = [](CRJSdkManager &m) { return m.setVolume(RJ_DEVICE_SPEAKER, RJVolume{0, 1.5f}); };
        o["setLocalVideoWindow"] = [](CRJSdkManager &m) { return m.setLocalVideoWindow(WId(0x10)); };
        o["setRemoteVideoWindow"] = [](CRJSdkManager &m) { return m.setRemoteVideoWindow(WId(0x11)); };
        o["setRemoteContentWindow"] = [](CRJSdkManager &m) { return m.setRemoteContentWindow(WId(0x12)); };
        o["setLocalContentWindow"] = [](CRJSdkManager &m) { return m.setLocalContentWindow(WId(0x13), 1); };
        o["getContentSourceBitmap"] = [](CRJSdkManager &m) {
            RJBitmap bmp;
            return m.getContentSourceBitmap(RJContentSourceInfo(), 0, 112, 70, bmp);
        };
        o["setLocalContentSource"] = [](CRJSdkManager &m) { return m.setLocalContentSource(RJContentSourceInfo()); };
        o["repaintVideo"] = [](CRJSdkManager &m) { return m.repaintVideo(); };
        o["downloadUserImage"] = [](CRJSdkManager &m) { return m.downloadUserImage("/header.jpg"); };
        o["uploadUserImage"] = [](CRJSdkManager &m) { return m.uploadUserImage("/up.jpg"); };
        o["validatePassword"] = [](CRJSdkManager &m) { return m.validatePassword("Alice123"); };
        o["changePassword"] = [](CRJSdkManager &m) { return m.changePassword("old", "new"); };
        o["changeDisplayName"] = [](CRJSdkManager &m) { return m.changeDisplayName("Alice"); };
        o["getUserInfo"] = [](CRJSdkManager &m) {
            RJUserInfo u;
            return m.getUserInfo(u);
        };
        o["getRegisterInfo"] = [](CRJSdkManager &m) {
            RJRegisterInfo i;
            return m.getRegisterInfo(1, i);
        };
        o["enablePreview"] = [](CRJSdkManager &m) { return m.enablePreview(true); };
        o["setBandwidth"] = [](CRJSdkManager &m) { return m.setBandwidth(2048); };
        o["enableCamera"] = [](CRJSdkManager &m) { return m.enableCamera(true); };
        o["enableMic"] = [](CRJSdkManager &m) { return m.enableMic(true); };
        o["requestRemoteUnmute"] = [](CRJSdkManager &m) { return m.requestRemoteUnmute(true); };
        o["enableHighFPS"] = [](CRJSdkManager &m) { return m.enableHighFPS(true); };
        o["enableHD"] = [](CRJSdkManager &m) { return m.enableHD(true); };
        o["getStats"] = [](CRJSdkManager &m) {
            RJStats s;
            return m.getStats(s);
        };
        o["enableNoiseSuppression"] = [](CRJSdkManager &m) { return m.enableNoiseSuppression(true); };
        o["sendContent"] = [](CRJSdkManager &m) { return m.sendContent(); };
        o["sendWhiteBoard"] = [](CRJSdkManager &m) { return m.sendWhiteBoard(); };
        o["stopContent"] = [](CRJSdkManager &m) { return m.stopContent(); };
        o["enableContentAudio"] = [](CRJSdkManager &m) { return m.enableContentAudio(true); };
        o["enableContentHighFPS"] = [](CRJSdkManager &m) { return m.enableContentHighFPS(true); };
        o["enableContent"] = [](CRJSdkManager &m) { return m.enableContent(true); };
        o["enableHardDecoder"] = [](CRJSdkManager &m) { return m.enableHardDecoder(true); };
        o["enableHardEncoder"] = [](CRJSdkManager &m) { return m.enableHardEncoder(true); };
        o["uploadFeedbackfile"] = [](CRJSdkManager &m) {
            return m.uploadFeedbackfile(QStringLiteral("/f.zip"), QStringLiteral("c"), QStringLiteral("d"));
        };
        o["uploadFeedbackFilesWithAddress"] = [](CRJSdkManager &m) {
            return m.uploadFeedbackFilesWithAddress(QStringLiteral("/f.zip"), QStringLiteral("c"),
                                                    QStringLiteral("d"), QStringLiteral("a"));
        };
        o["getFeature"] = [](CRJSdkManager &m) {
            AVFeature f;
            return m.getFeature("127.0.0.1", 8080, f);
        };
        o["avlogin"] = [](CRJSdkManager &m) { return m.avlogin("127.0.0.1", 8080, "alice", "pw"); };
        o["avlogout"] = [](CRJSdkManager &m) { return m.avlogout(); };
        o["registerSIPServer"] = [](CRJSdkManager &m) {
            return m.registerSIPServer("sip.example", "Alice", "alice", "pw", "udp");
        };
        o["unregisterSIPServer"] = [](CRJSdkManager &m) { return m.unregisterSIPServer(); };
        o["dialOut"] = [](CRJSdkManager &m) { return m.dialOut("1001", true); };
        o["acceptCall"] = [](CRJSdkManager &m) { return m.acceptCall(true); };
        o["hangUp"] = [](CRJSdkManager &m) { return m.hangUp(); };
        o["declineCall"] = [](CRJSdkManager &m) { return m.declineCall(); };
        return o;
    }();
    return ops;
}

const QSet<QByteArray> kAlwaysTrue{"enableNoiseSuppression", "enableHardDecoder", "enableHardEncoder"};

// ---- event samples, and one text per emission so order and content compare at once

QString t(const std::string &s) { return QString::fromStdString(s); }

QString ser(const RJError &e)
{
    QStringList args;
    for (const auto &a : e.args)
        args << t(a);
    return QStringLiteral("%1|%2|%3|%4|%5").arg(e.type).arg(t(e.action)).arg(e.code).arg(t(e.msg), args.join(','));
}
QString ser(const RJCallInfo &c)
{
    return QString::fromStdString(CRJSdkEventObserver::callInfoToString(c)) + "|" + ser(c.err)
           + QStringLiteral("|%1|%2|%3").arg(c.reservedFlag).arg(t(c.conference_number), t(c.password));
}
QString ser(const RJUserInfo &u)
{
    return QStringLiteral("%1|%2|%3|%4|%5|%6").arg(u.userId).arg(t(u.displayName), t(u.token), t(u.vmr)).arg(u.deviceId).arg(u.mustChangePasswd);
}
QString ser(const RJRegisterInfo &r)
{
    return QStringLiteral("%1|%2|%3|%4").arg(r.type).arg(r.state).arg(t(r.externalServer), t(r.reservedText));
}
QString ser(const RJContentInfo &c)
{
    return QStringLiteral("%1|%2|%3|%4|%5").arg(c.enabled).arg(c.dir).arg(c.type).arg(t(c.senderName)).arg(c.senderDeviceId);
}
QString ser(const RJDevice &d)
{
    return QStringLiteral("%1|%2|%3|%4").arg(d.id).arg(int(d.type)).arg(t(d.name), t(d.desc));
}

RJError sampleError()
{
    RJError e;
    e.type = 4;
    e.action = "avlogin";
    e.code = 2010;
    e.msg = "account locked";
    e.args = {"first", "second"};
    return e;
}
RJWarn sampleWarn() { return RJWarn{3, "low bandwidth"}; }
RJUserInfo sampleUser()
{
    RJUserInfo u;
    u.userId = 0x100000001ULL;
    u.displayName = "Alice Chen";
    u.token = std::string(300, 'k'); // long enough to live on the heap
    u.vmr = "8201001";
    u.deviceId = 99;
    u.mustChangePasswd = true;
    return u;
}
RJRegisterInfo sampleRegister()
{
    RJRegisterInfo r;
    r.type = 1;
    r.state = 1;
    r.externalServer = "203.0.113.7";
    r.reservedText = "extra";
    return r;
}
RJCallInfo sampleCall(const char *peer, int svcCallType)
{
    RJCallInfo c;
    c.isAudioOnly = true;
    c.contentEnabled = false;
    c.peer = peer;
    c.conference_number = "1001";
    c.password = "1234";
    c.err = sampleError();
    c.svcCallType = svcCallType;
    c.svcCallAction = 5;
    c.reservedFlag = true;
    return c;
}
RJContentInfo sampleContent()
{
    RJContentInfo c;
    c.enabled = true;
    c.dir = 2;
    c.type = 3;
    c.senderName = "Erin Park";
    c.senderDeviceId = 0xABCDEF0123ULL;
    return c;
}
RJDevice sampleDevice(const char *name, RJ_DEVICE_TYPE type)
{
    RJDevice d;
    d.id = 4;
    d.type = type;
    d.name = name;
    d.desc = "desc of " + std::string(name);
    return d;
}

// Overwrites a record the engine is done with, so any reference still held by
// the client would show garbage.
template <typename R>
void scribble(R &r)
{
    r = R();
}
void scribble(RJCallInfo &c)
{
    c.peer.assign(64, '#');
    c.err.action.assign(64, '#');
    c.err.args.assign(3, "#");
}

} // namespace

class TestFacade : public QObject
{
    Q_OBJECT

private:
    CRJSdkManager *start()
    {
        CRJSdkManager::setEngineFunctions(&fakeCreate, &fakeDelete);
        CRJSdkManager::initInstance();
        return CRJSdkManager::getInstance();
    }

    // The facade over the real (simulated) engine library.
    CRJSdkManager *startSim()
    {
        CRJSdkManager::setEngineFunctions(nullptr, nullptr);
        CRJSdkManager::initInstance();
        return CRJSdkManager::getInstance();
    }

    static QList<QByteArrayList> simCalls(const char *op)
    {
        QList<QByteArrayList> calls;
        for (const auto &fields : rjsim::journalOf(op)) {
            QByteArrayList call;
            for (const std::string &f : fields)
                call << QByteArray::fromStdString(f);
            calls << call;
        }
        return calls;
    }

private slots:
    void initTestCase()
    {
        // The simulated engine runs its schedule as fast as it can.
        qputenv("RJSIM_TIME_SCALE", "0");
    }

    void init()
    {
        rjsim_clear_journal();
        rjsim_clear_result(nullptr);
        g_created = 0;
        g_failCreate = false;
        facadetest::lifecycle().clear();
    }

    void cleanup()
    {
        CRJSdkManager::releaseInstance();
        CRJSdkManager::setEngineFunctions(nullptr, nullptr);
    }

    void lifecycle()
    {
        QVERIFY(!CRJSdkManager::getInstance());
        CRJSdkManager *facade = start();
        QVERIFY(facade);
        QVERIFY2(!g_publishedBeforeCreate, "the instance is published only after the engine exists");

        CRJSdkManager::initInstance();
        QCOMPARE(CRJSdkManager::getInstance(), facade);
        QCOMPARE(g_created, 1);
        QCOMPARE(g_engine->callsOf("registerEventHandler").size(), 1);
        IAVEventHandler *handler = g_engine->handler();
        QVERIFY(handler);
        QVERIFY(dynamic_cast<CRJSdkEventObserver *>(handler));

        const QByteArray engineId = FakeEngine::ptr(g_engine);
        const QByteArray handlerId = FakeEngine::ptr(handler);
        CRJSdkManager::releaseInstance();
        QVERIFY(!CRJSdkManager::getInstance());

        const QList<Call> expected{{"create"},
                                   {"registerEventHandler", handlerId},
                                   {"release"},
                                   {"unregisterEventHandler", handlerId},
                                   {"delete", engineId}};
        QCOMPARE(facadetest::lifecycle(), expected);

        // A second release only logs.
        CRJSdkManager::releaseInstance();
        QVERIFY(!CRJSdkManager::getInstance());
        QCOMPARE(facadetest::lifecycle(), expected);
    }

    void registersMetaTypes_data()
    {
        QTest::addColumn<QByteArray>("name");
        for (const char *name : {"std::string", "rj::engine::RJError", "rj::engine::RJWarn",
                                 "rj::engine::RJUserInfo", "rj::engine::RJCallInfo",
                                 "rj::engine::RJContentInfo", "rj::engine::RJWhiteBoardInfo",
                                 "rj::engine::RJRegisterInfo", "rj::engine::RJ_DEVICE_TYPE",
                                 "rj::engine::RJVolume", "rj::engine::RJDevice",
                                 "rj::engine::RJVideoSize"})
            QTest::newRow(name) << QByteArray(name);
    }

    void registersMetaTypes()
    {
        QFETCH(QByteArray, name);
        start();
        QVERIFY(QMetaType::type(name.constData()) != QMetaType::UnknownType);
    }

    void resultMapping_data()
    {
        QTest::addColumn<QByteArray>("op");
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("expected");

        QList<QByteArray> ops = statusOps().keys();
        std::sort(ops.begin(), ops.end());
        for (const QByteArray &op : ops) {
            const bool always = kAlwaysTrue.contains(op);
            QTest::newRow((op + " 0").constData()) << op << 0 << true;
            QTest::newRow((op + " 3").constData()) << op << 3 << always;
            QTest::newRow((op + " -1").constData()) << op << -1 << always;
        }
        QTest::newRow("getFeature 9") << QByteArray("getFeature") << 9 << true;
        QTest::newRow("getFeature 1") << QByteArray("getFeature") << 1 << false;
        QTest::newRow("getFeature 8") << QByteArray("getFeature") << 8 << false;
        QTest::newRow("getFeature 16") << QByteArray("getFeature") << 16 << false;
    }

    void resultMapping()
    {
        QFETCH(QByteArray, op);
        QFETCH(int, code);
        QFETCH(bool, expected);

        CRJSdkManager *facade = start();
        g_engine->forceResult(op, code);
        QCOMPARE(statusOps().value(op)(*facade), expected);
        QVERIFY2(!g_engine->callsOf(op).isEmpty(), "the engine operation was called");
    }

    void queryResults()
    {
        CRJSdkManager *facade = start();
        QCOMPARE(facade->encryptPassword(2, "secret", "MK305918"), std::string("E3(secret)"));
        QCOMPARE(facade->encryptPassword(1, "secret"), std::string("E2(secret)"));
        QCOMPARE(facade->descryptPassword(2, "c1", "MK305918", ""), std::string("D(c1)"));
        QCOMPARE(facade->getDisplayName(), std::string("Alice Chen"));
        QCOMPARE(facade->getDiagString(), std::string("diag"));
        QCOMPARE(facade->getBandwidth(), 2048u);
        QCOMPARE(facade->getRenderType(), 2);
        QCOMPARE(facade->getMicVolume(), 0.5f);
        QCOMPARE(facade->getVolume(RJ_DEVICE_SPEAKER).volume, 1.5f);
        QCOMPARE(facade->getDevices(RJ_DEVICE_MIC).size(), std::size_t(1));
        QCOMPARE(facade->getDevice(RJ_DEVICE_CAMERA).id, 0u);
        QCOMPARE(facade->getDiag().advice, 2);
        QCOMPARE(facade->getPasswordPolicy().typeCount, 2);
        QVERIFY(facade->conferenceControllable());

        RJUserInfo user;
        QVERIFY(facade->getUserInfo(user));
        QCOMPARE(user.userId, std::uint64_t(7));
    }

    void argumentConversions_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QList<Call>>("expected");

        const QString ring = QString::fromUtf8("/tmp/铃声 Grüße.wav");
        const QString zip = QString::fromUtf8("/tmp/日志 ß/feedback.zip");
        const QString contact = QString::fromUtf8("王小明 <wang@example.com>");
        const QString description = QString::fromUtf8("通话中断 — ça coupe");
        const QString address = QString::fromUtf8("https://upload.example/反馈");

        QTest::newRow("audio file in local 8-bit")
            << "setAudioFile" << QList<Call>{{"setAudioFile", ring.toLocal8Bit()}};
        QTest::newRow("feedback: path local 8-bit, texts UTF-8")
            << "uploadFeedbackfile"
            << QList<Call>{{"uploadFeedbackfile", "[" + zip.toLocal8Bit() + "]", contact.toUtf8(),
                            description.toUtf8()}};
        QTest::newRow("feedback with address")
            << "uploadFeedbackFilesWithAddress"
            << QList<Call>{{"uploadFeedbackFilesWithAddress", "[" + zip.toLocal8Bit() + "]",
                            contact.toUtf8(), description.toUtf8(), address.toUtf8()}};
        QTest::newRow("password transformed, old first")
            << "changePassword"
            << QList<Call>{{"transformPassword", "Old#2024"},
                           {"transformPassword", "New#2025"},
                           {"changePassword", "T(Old#2024)", "T(New#2025)"}};

        auto coding = [](const QByteArray &op, const QByteArray &mode) {
            QList<Call> calls;
            for (const auto &pair : {std::make_pair("1", "1"), std::make_pair("1", "2"),
                                     std::make_pair("2", "1"), std::make_pair("2", "2"),
                                     std::make_pair("3", "1"), std::make_pair("3", "2")})
                calls << Call{op, pair.first, pair.second, mode};
            return calls;
        };
        QTest::newRow("hard encoder on") << "enableHardEncoder(true)" << coding("enableHardEncoder", "2");
        QTest::newRow("hard encoder off") << "enableHardEncoder(false)" << coding("enableHardEncoder", "1");
        QTest::newRow("hard decoder on") << "enableHardDecoder(true)" << coding("enableHardDecoder", "2");
        QTest::newRow("hard decoder off") << "enableHardDecoder(false)" << coding("enableHardDecoder", "1");
        QTest::newRow("noise suppression on")
            << "enableNoiseSuppression(true)" << QList<Call>{{"enableNoiseSuppression", "2"}};
        QTest::newRow("noise suppression off")
            << "enableNoiseSuppression(false)" << QList<Call>{{"enableNoiseSuppression", "0"}};
        QTest::newRow("native window handle")
            << "setLocalVideoWindow" << QList<Call>{{"setLocalVideoWindow", "4400001"}};
        QTest::newRow("device id") << "setDevice" << QList<Call>{{"setDevice", "2", "3"}};
        QTest::newRow("login texts unchanged")
            << "avlogin" << QList<Call>{{"avlogin", "demo.example", "8080", "alice", "Alice123"}};
        QTest::newRow("dial") << "dialOut" << QList<Call>{{"dialOut", "8201001", "0"}};

        m_actions["setAudioFile"] = [ring](CRJSdkManager &m) { m.setAudioFile(ring); };
        m_actions["uploadFeedbackfile"] = [=](CRJSdkManager &m) {
            m.uploadFeedbackfile(zip, contact, description);
        };
        m_actions["uploadFeedbackFilesWithAddress"] = [=](CRJSdkManager &m) {
            m.uploadFeedbackFilesWithAddress(zip, contact, description, address);
        };
        m_actions["changePassword"] = [](CRJSdkManager &m) { m.changePassword("Old#2024", "New#2025"); };
        m_actions["enableHardEncoder(true)"] = [](CRJSdkManager &m) { m.enableHardEncoder(true); };
        m_actions["enableHardEncoder(false)"] = [](CRJSdkManager &m) { m.enableHardEncoder(false); };
        m_actions["enableHardDecoder(true)"] = [](CRJSdkManager &m) { m.enableHardDecoder(true); };
        m_actions["enableHardDecoder(false)"] = [](CRJSdkManager &m) { m.enableHardDecoder(false); };
        m_actions["enableNoiseSuppression(true)"] = [](CRJSdkManager &m) { m.enableNoiseSuppression(true); };
        m_actions["enableNoiseSuppression(false)"] = [](CRJSdkManager &m) { m.enableNoiseSuppression(false); };
        m_actions["setLocalVideoWindow"] = [](CRJSdkManager &m) { m.setLocalVideoWindow(WId(0x4400001)); };
        m_actions["setDevice"] = [](CRJSdkManager &m) { m.setDevice(RJ_DEVICE_CAMERA, 3); };
        m_actions["avlogin"] = [](CRJSdkManager &m) { m.avlogin("demo.example", 8080, "alice", "Alice123"); };
        m_actions["dialOut"] = [](CRJSdkManager &m) { m.dialOut("8201001", false); };
    }

    void argumentConversions()
    {
        QFETCH(QString, action);
        QFETCH(QList<Call>, expected);
        CRJSdkManager *facade = start();
        g_engine->clearJournal();
        QVERIFY(m_actions.contains(action));
        m_actions.value(action)(*facade);
        QCOMPARE(g_engine->journal(), expected);
    }

    void logLines_data()
    {
        QTest::addColumn<QByteArray>("op");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QString>("completion");

        QTest::newRow("stream style")
            << QByteArray("hangUp") << 4
            << R"(^rj_app::models::CRJSdkManager::hangUp \d+ Failed, rst: 4$)"
            << R"(^rj_app::models::CRJSdkManager::hangUp \d+ done$)";
        QTest::newRow("stream style, named failure")
            << QByteArray("stopContent") << 2 << "^Failed to stopContent, rst: 2$"
            << R"(^rj_app::models::CRJSdkManager::stopContent \d+ done$)";
        QTest::newRow("formatted style")
            << QByteArray("enableHD") << 7 << "^Failed to enableHD, rst: 7$" << "^enableHD done$";
        QTest::newRow("formatted style, success")
            << QByteArray("changePassword") << 0 << QString() << "^changePassword done$";
        QTest::newRow("feature failure")
            << QByteArray("getFeature") << 8
            << R"(^rj_app::models::CRJSdkManager::getFeature \d+ Failed, rst: 8$)"
            << R"(^rj_app::models::CRJSdkManager::getFeature \d+ done, rst: 8$)";
    }

    void logLines()
    {
        QFETCH(QByteArray, op);
        QFETCH(int, code);
        QFETCH(QString, failure);
        QFETCH(QString, completion);

        CRJSdkManager *facade = start();
        g_engine->forceResult(op, code);
        if (!failure.isEmpty())
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(failure));
        QTest::ignoreMessage(QtInfoMsg, QRegularExpression(completion));
        statusOps().value(op)(*facade);
    }

    void emptySourceList()
    {
        CRJSdkManager *facade = start();
        QTest::ignoreMessage(QtInfoMsg,
                             QRegularExpression(R"(^rj_app::models::CRJSdkManager::getContentSourceList \d+ done, size 0$)"));
        QVERIFY(facade->getContentSourceList().empty());
    }

    // createAVEngine yielding nothing leaves a facade whose every operation
    // reports failure (or the record's default) instead of crashing.
    void withoutEngine()
    {
        g_failCreate = true;
        CRJSdkManager *facade = start();
        QVERIFY(facade);
        QCOMPARE(g_created, 1);

        QTest::ignoreMessage(QtWarningMsg, "m_pAVEngine is nullptr");
        QVERIFY(!facade->enablePreview(true));

        for (auto it = statusOps().begin(); it != statusOps().end(); ++it)
            QVERIFY2(!it.value()(*facade), it.key().constData());

        QVERIFY(facade->encryptPassword(2, "p", "k").empty());
        QVERIFY(facade->getDisplayName().empty());
        QVERIFY(facade->getDevices(RJ_DEVICE_MIC).empty());
        QCOMPARE(facade->getDevice(RJ_DEVICE_MIC).id, RJ_INVALID_DEVICE_ID);
        QCOMPARE(facade->getVolume(RJ_DEVICE_SPEAKER).mute, 0);
        QCOMPARE(facade->getDiag().advice, 0);
        QCOMPARE(facade->getBandwidth(), 0u);
        QVERIFY(facade->getContentSourceList().empty());
        QVERIFY(!facade->micEnabled());
        QVERIFY(!facade->conferenceControllable());
        facade->setDevice(RJ_DEVICE_MIC, 1);
        facade->setLog(1, "/tmp", "rjsdk", 1);
        RJBitmap bmp;
        facade->releaseContentSourceBitmap(bmp);

        CRJSdkManager::releaseInstance();
        QVERIFY(!CRJSdkManager::getInstance());
        QCOMPARE(facadetest::lifecycle(), QList<Call>{{"create"}});
    }

    void callInfoText()
    {
        RJCallInfo info = sampleCall("Carol Wu", 1);
        QCOMPARE(CRJSdkEventObserver::callInfoToString(info),
                 std::string("isAudioOnly: 1, contentEnabled: 0, isBigConference: 0, isRemoteMuted: 0, "
                             "peer: Carol Wu, conference_number: 1001, password:<hidden, 4 chars>, err.type: 4, "
                             "err.action: avlogin, err.code: 2010, svcCallType: 1, svcCallAction: 5"));
        info.password.clear();
        QVERIFY(CRJSdkEventObserver::callInfoToString(info).find(", password:, err.type: ")
                != std::string::npos);
    }

    // Logs go into feedback archives: tokens and passwords that pass through
    // the facade, its event bridge or the login manager are never written
    // in clear.
    void secretsStayOutOfTheLog_data()
    {
        QTest::addColumn<QString>("action");
        for (const char *action : {"avlogin", "registerSIPServer", "encryptPassword to store",
                                   "encryptPassword to log in", "descryptPassword", "changePassword",
                                   "validatePassword", "getUserInfo", "dialOut", "login success",
                                   "token renewal", "call events"})
            QTest::newRow(action) << QString(action);
    }

    void secretsStayOutOfTheLog()
    {
        QFETCH(QString, action);
        static const std::string secret = "Zq7-SENTINEL-s3cr3t-x";
        CRJSdkManager *facade = start();
        g_engine->userToken = secret;
        auto *login = rj_app::models::CLoginManager::getInstance();

        RJUserInfo user = sampleUser();
        user.token = secret;
        RJCallInfo call = sampleCall("Carol Wu", 1);
        call.password = secret;
        call.conference_number = "1002*" + secret;

        const QHash<QString, std::function<void()>> actions{
            {"avlogin", [&] { facade->avlogin("demo.example", 443, "alice", secret.c_str()); }},
            {"registerSIPServer",
             [&] { facade->registerSIPServer("sip.example", "Alice", "alice", secret.c_str(), "TLS"); }},
            {"encryptPassword to store", [&] { facade->encryptPassword(2, secret.c_str(), "MK305918"); }},
            {"encryptPassword to log in", [&] { facade->encryptPassword(1, secret.c_str()); }},
            {"descryptPassword", [&] { facade->descryptPassword(2, secret.c_str(), "MK305918", ""); }},
            {"changePassword", [&] { facade->changePassword(secret.c_str(), (secret + "2").c_str()); }},
            {"validatePassword", [&] { facade->validatePassword(secret.c_str()); }},
            {"getUserInfo",
             [&] {
                 RJUserInfo filled;
                 QVERIFY(facade->getUserInfo(filled));
             }},
            {"dialOut", [&] { facade->dialOut(("1002*" + secret).c_str(), true); }},
            {"login success",
             [&] {
                 QSignalSpy delivered(facade, &CRJSdkManager::eventLoginSucceed);
                 IAVEventHandler *h = g_engine->handler();
                 std::thread([h, user] { h->onLoginSucceed(user); }).join();
                 QVERIFY(delivered.wait());
                 login->onLoginSucceed(user);
             }},
            {"token renewal",
             [&] {
                 login->setLoginStatus(rj_app::enums::LoggedIn);
                 login->updateLoginToken(false);
                 QCOMPARE(login->getToken(), QString::fromStdString(secret));
             }},
            {"call events",
             [&] {
                 QSignalSpy incoming(facade, &CRJSdkManager::eventCallIncoming);
                 IAVEventHandler *h = g_engine->handler();
                 std::thread([h, call] {
                     h->onCallConnected(call);
                     h->onCallState(call);
                     h->onCallPeerConnected(call);
                     h->onCallEnd(call);
                     h->onCallIncoming(call);
                 }).join();
                 QVERIFY(incoming.wait());
             }},
        };
        QVERIFY(actions.contains(action));

        g_captured.clear();
        g_handlerBeforeCapture = qInstallMessageHandler(captureHandler);
        actions.value(action)();
        qInstallMessageHandler(g_handlerBeforeCapture);
        login->setLoginStatus(rj_app::enums::NotLogin);
        if (QTest::currentTestFailed())
            return;

        QMutexLocker lock(&g_capturedMutex);
        QVERIFY(!g_captured.isEmpty());
        for (const QString &line : qAsConst(g_captured))
            QVERIFY2(!line.contains(QLatin1String("SENTINEL")), qPrintable(line));
    }

    void micMutedShow_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<bool>("muted");
        QTest::newRow("0") << 0 << false;
        QTest::newRow("1") << 1 << true;
        QTest::newRow("2") << 2 << true;
        QTest::newRow("-1") << -1 << true;
    }

    void micMutedShow()
    {
        QFETCH(int, value);
        QFETCH(bool, muted);
        CRJSdkManager *facade = start();
        QList<bool> got;
        connect(facade, &CRJSdkManager::eventMicMutedShow, this, [&](bool m) { got << m; });
        std::thread engineThread([value] { g_engine->handler()->onMicMutedShow(value); });
        engineThread.join();
        QTRY_COMPARE(got.size(), 1);
        QCOMPARE(got.first(), muted);
    }

    // Every event the engine reports from its own thread reaches the facade's
    // receivers once, in the GUI thread, in order, with its own copy of the data.
    void eventsReachTheGuiThread()
    {
        CRJSdkManager *facade = start();
        QStringList got;
        QList<QThread *> threads;
        auto record = [&](const QString &text) {
            got << text;
            threads << QThread::currentThread();
        };

        connect(facade, &CRJSdkManager::eventError, this, [&](RJError e) { record("eventError " + ser(e)); });
        connect(facade, &CRJSdkManager::eventWarn, this, [&](RJWarn w) {
            record(QStringLiteral("eventWarn %1|%2").arg(w.code).arg(t(w.msg)));
        });
        connect(facade, &CRJSdkManager::eventLoginSucceed, this, [&](RJUserInfo u) { record("eventLoginSucceed " + ser(u)); });
        connect(facade, &CRJSdkManager::eventRegisterInfo, this, [&](RJRegisterInfo r) { record("eventRegisterInfo " + ser(r)); });
        connect(facade, &CRJSdkManager::eventDownloadUserImageComplete, this,
                [&](std::string p) { record("eventDownloadUserImageComplete " + t(p)); });
        connect(facade, &CRJSdkManager::eventUploadUserImageComplete, this,
                [&](std::string p) { record("eventUploadUserImageComplete " + t(p)); });
        connect(facade, &CRJSdkManager::eventNetworkState, this,
                [&](bool r) { record(QStringLiteral("eventNetworkState %1").arg(r)); });
        connect(facade, &CRJSdkManager::eventNetworkQuality, this,
                [&](float q) { record(QStringLiteral("eventNetworkQuality %1").arg(double(q))); });
        connect(facade, &CRJSdkManager::eventCallConnected, this, [&](RJCallInfo c) { record("eventCallConnected " + ser(c)); });
        connect(facade, &CRJSdkManager::eventCallState, this, [&](RJCallInfo c) { record("eventCallState " + ser(c)); });
        connect(facade, &CRJSdkManager::eventCallPeerConnected, this, [&](RJCallInfo c) { record("eventCallPeerConnected " + ser(c)); });
        connect(facade, &CRJSdkManager::eventCallEnd, this, [&](RJCallInfo c) { record("eventCallEnd " + ser(c)); });
        connect(facade, &CRJSdkManager::eventContent, this, [&](RJContentInfo c) { record("eventContent " + ser(c)); });
        connect(facade, &CRJSdkManager::eventMuteSpeakingDetected, this, [&] { record("eventMuteSpeakingDetected"); });
        connect(facade, &CRJSdkManager::eventMicMutedShow, this,
                [&](bool m) { record(QStringLiteral("eventMicMutedShow %1").arg(m)); });
        connect(facade, &CRJSdkManager::eventWaitQueue, this,
                [&](int n) { record(QStringLiteral("eventWaitQueue %1").arg(n)); });
        connect(facade, &CRJSdkManager::eventUploadFeedback, this,
                [&](int n) { record(QStringLiteral("eventUploadFeedback %1").arg(n)); });
        connect(facade, &CRJSdkManager::eventContentSourceStatusChange, this,
                [&](RJVideoSize s, int x, int y, bool o, bool a) {
                    record(QStringLiteral("eventContentSourceStatusChange %1x%2 %3 %4 %5 %6")
                               .arg(s.width).arg(s.height).arg(x).arg(y).arg(o).arg(a));
                });
        connect(facade, &CRJSdkManager::eventSIPRegister, this,
                [&](bool r) { record(QStringLiteral("eventSIPRegister %1").arg(r)); });
        connect(facade, &CRJSdkManager::eventSIPForceClear, this, [&] { record("eventSIPForceClear"); });
        connect(facade, &CRJSdkManager::eventCallIncoming, this, [&](RJCallInfo c) { record("eventCallIncoming " + ser(c)); });
        connect(facade, &CRJSdkManager::eventVolume, this, [&](RJ_DEVICE_TYPE type, RJVolume v) {
            record(QStringLiteral("eventVolume %1 %2 %3").arg(int(type)).arg(v.mute).arg(double(v.volume)));
        });
        connect(facade, &CRJSdkManager::eventDeviceAdded, this, [&](RJDevice d) { record("eventDeviceAdded " + ser(d)); });
        connect(facade, &CRJSdkManager::eventDeviceRemoved, this, [&](RJDevice d) { record("eventDeviceRemoved " + ser(d)); });
        connect(facade, &CRJSdkManager::eventCurrentDeviceChanged, this,
                [&](RJDevice d) { record("eventCurrentDeviceChanged " + ser(d)); });
        connect(facade, &CRJSdkManager::eventVideoMutedShow, this,
                [&](int v) { record(QStringLiteral("eventVideoMutedShow %1").arg(v)); });

        // In firing order, which is the callbacks' declared order.
        const QStringList expected{
            "eventError " + ser(sampleError()),
            "eventWarn 3|low bandwidth",
            "eventLoginSucceed " + ser(sampleUser()),
            "eventRegisterInfo " + ser(sampleRegister()),
            QString::fromUtf8("eventDownloadUserImageComplete /home/测试/header.jpg"),
            "eventUploadUserImageComplete /tmp/upload_avatar_temp.jpg",
            "eventNetworkState 1",
            "eventNetworkQuality 4.5",
            "eventCallConnected " + ser(sampleCall("Carol Wu", 1)),
            "eventCallState " + ser(sampleCall("state", 0)),
            "eventCallPeerConnected " + ser(sampleCall("peer", 1)),
            "eventCallEnd " + ser(sampleCall("end", 2)),
            "eventContent " + ser(sampleContent()),
            "eventMuteSpeakingDetected",
            "eventMicMutedShow 1",
            "eventWaitQueue 3",
            "eventUploadFeedback -2",
            "eventContentSourceStatusChange 1280x720 10 20 1 0",
            "eventVolume 1 1 2.25",
            "eventDeviceAdded " + ser(sampleDevice("USB Headset", RJ_DEVICE_SPEAKER)),
            "eventDeviceRemoved " + ser(sampleDevice("USB Webcam", RJ_DEVICE_CAMERA)),
            "eventCurrentDeviceChanged " + ser(sampleDevice("System Default Microphone", RJ_DEVICE_MIC)),
            "eventVideoMutedShow 1",
            "eventSIPForceClear",
            "eventCallIncoming " + ser(sampleCall("Dave Li", 0)),
        };

        IAVEventHandler *h = g_engine->handler();
        QVERIFY(h);
        std::thread engineThread([h] {
            {
                RJError e = sampleError();
                h->onError(e);
                scribble(e);
            }
            {
                RJWarn w = sampleWarn();
                h->onWarn(w);
                scribble(w);
            }
            {
                RJUserInfo u = sampleUser();
                h->onLoginSucceed(u);
                scribble(u);
            }
            h->onRegisterState(RJ_CALL_TYPE_SIP, RJ_REGISTER_STATE_REGISTERED); // not forwarded
            {
                RJRegisterInfo r = sampleRegister();
                h->onRegisterInfo(r);
                scribble(r);
            }
            {
                std::string path("/home/测试/header.jpg");
                h->onDownloadUserImageComplete(path.c_str());
                path.assign(path.size(), '#');
            }
            {
                std::string path("/tmp/upload_avatar_temp.jpg");
                h->onUploadUserImageComplete(path.c_str());
                path.assign(path.size(), '#');
            }
            h->onNetworkState(true);
            h->onNetworkQuality(4.5f);
            h->onCallLogUpdated(RJCallLog()); // not forwarded
            for (auto fire : {&IAVEventHandler::onCallConnected, &IAVEventHandler::onCallState,
                              &IAVEventHandler::onCallPeerConnected, &IAVEventHandler::onCallEnd}) {
                const char *peer = fire == &IAVEventHandler::onCallConnected     ? "Carol Wu"
                                   : fire == &IAVEventHandler::onCallState       ? "state"
                                   : fire == &IAVEventHandler::onCallPeerConnected ? "peer"
                                                                                 : "end";
                const int svc = fire == &IAVEventHandler::onCallConnected     ? 1
                                : fire == &IAVEventHandler::onCallState       ? 0
                                : fire == &IAVEventHandler::onCallPeerConnected ? 1
                                                                              : 2;
                RJCallInfo c = sampleCall(peer, svc);
                (h->*fire)(c);
                scribble(c);
            }
            {
                RJContentInfo c = sampleContent();
                h->onContent(c);
                scribble(c);
            }
            h->onMuteSpeakingDetected();
            h->onDeliverFrame(RJFrame()); // not forwarded
            h->onAudioData(0, nullptr, 0); // not forwarded
            h->onMicMutedShow(2);
            h->onWaitQueue(3);
            h->onVidInputStateChanged(1, 2, 3, 4, 5); // not forwarded
            h->onUploadFeedback(-2);
            h->onContentSourceStatusChange(RJVideoSize{1280, 720}, 10, 20, true, false);
            {
                RJVolume v{1, 2.25f};
                h->onVolume(RJ_DEVICE_SPEAKER, v);
                scribble(v);
            }
            {
                RJDevice d = sampleDevice("USB Headset", RJ_DEVICE_SPEAKER);
                h->onDeviceAdded(d);
                scribble(d);
                d = sampleDevice("USB Webcam", RJ_DEVICE_CAMERA);
                h->onDeviceRemoved(d);
                scribble(d);
                d = sampleDevice("System Default Microphone", RJ_DEVICE_MIC);
                h->onCurrentDeviceChanged(d);
                scribble(d);
            }
            h->onVideoMutedShow(1);
            h->onFaceInfo("a", "b");   // not forwarded
            h->onSIPRegister(true);    // not forwarded: eventSIPRegister is never seen
            h->onSIPForceClear();
            {
                RJCallInfo c = sampleCall("Dave Li", 0);
                h->onCallIncoming(c);
                scribble(c);
            }
        });
        engineThread.join();

        // Nothing ran on the engine's thread.
        QVERIFY(got.isEmpty());

        QTRY_COMPARE(got.size(), expected.size());
        QCoreApplication::processEvents();
        QCOMPARE(got, expected);
        for (QThread *thread : threads)
            QCOMPARE(thread, qApp->thread());
        QCOMPARE(got.size(), 25); // every signal but eventSIPRegister, once each
    }

    // Even a callback made on the GUI thread reaches receivers only later,
    // from the event loop, never inside the engine's call.
    void callbackOnGuiThreadIsQueued()
    {
        CRJSdkManager *facade = start();
        int ends = 0;
        connect(facade, &CRJSdkManager::eventCallEnd, this, [&](RJCallInfo) { ++ends; });
        g_engine->handler()->onCallEnd(sampleCall("x", 0));
        QCOMPARE(ends, 0);
        QTRY_COMPARE(ends, 1);
    }

    // Events still queued when the facade goes away are dropped with it.
    void releaseWithQueuedEvents()
    {
        CRJSdkManager *facade = start();
        int ends = 0;
        connect(facade, &CRJSdkManager::eventCallEnd, this, [&](RJCallInfo) { ++ends; });
        IAVEventHandler *h = g_engine->handler();
        std::thread engineThread([h] { h->onCallEnd(sampleCall("x", 0)); });
        engineThread.join();
        CRJSdkManager::releaseInstance();
        QCoreApplication::processEvents();
        QCOMPARE(ends, 0);
    }

    // The login task (like every pool task) holds the facade while it calls
    // the engine; releasing the facade then waits for it instead of deleting
    // the engine under its feet.
    void releaseWaitsForPoolTasks()
    {
        CRJSdkManager *facade = start();
        QSemaphore inEngine, goOn;
        g_engine->onGetFeature = [&] {
            inEngine.release();
            goOn.acquire();
        };
        QFuture<bool> task = QtConcurrent::run([facade] {
            AVFeature feature;
            facade->getFeature("127.0.0.1", 8080, feature);
            return facade->avlogin("127.0.0.1", 8080, "alice", "pw");
        });
        inEngine.acquire();

        g_releaseStarted = &goOn;
        // The handler to forward to is known before the hook can be called.
        g_previousHandler = qInstallMessageHandler(nullptr);
        qInstallMessageHandler(g_previousHandler.load());
        qInstallMessageHandler(releaseHook);
        CRJSdkManager::releaseInstance();
        qInstallMessageHandler(g_previousHandler.load());
        g_releaseStarted = nullptr;

        QVERIFY(task.isFinished());
        QVERIFY(task.result());
        QVERIFY(!CRJSdkManager::getInstance());
        QCOMPARE(facadetest::lifecycle().last().first(), QByteArray("delete"));
    }

    // ---- against the simulated engine library

    void simLifecycle()
    {
        CRJSdkManager *facade = startSim();
        QVERIFY(facade);
        CRJSdkManager::initInstance();
        QCOMPARE(CRJSdkManager::getInstance(), facade);
        QCOMPARE(rjsim_journal_count("registerEventHandler"), 1);
        QCOMPARE(rjsim_wait_idle(5000), 1); // an engine exists

        CRJSdkManager::releaseInstance();
        QVERIFY(!CRJSdkManager::getInstance());

        QStringList order;
        for (const std::string &line : rjsim::journal()) {
            const QString op = QString::fromStdString(line.substr(0, line.find('\t')));
            if (op == "registerEventHandler" || op == "release" || op == "unregisterEventHandler")
                order << op;
        }
        QCOMPARE(order, (QStringList{"registerEventHandler", "release", "unregisterEventHandler"}));
        const QByteArray handler = simCalls("registerEventHandler").first().value(1);
        QCOMPARE(simCalls("unregisterEventHandler").first().value(1), handler);
        QCOMPARE(rjsim_wait_idle(0), -2); // deleteAVEngine ran: no engine left
    }

    void simResultMapping_data()
    {
        QTest::addColumn<QByteArray>("op");
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("expected");

        QTest::newRow("getFeature 0") << QByteArray("getFeature") << 0 << true;
        QTest::newRow("getFeature 9") << QByteArray("getFeature") << 9 << true;
        QTest::newRow("getFeature 1") << QByteArray("getFeature") << 1 << false;
        QTest::newRow("getFeature 16") << QByteArray("getFeature") << 16 << false;
        QTest::newRow("hangUp 0") << QByteArray("hangUp") << 0 << true;
        QTest::newRow("hangUp 5") << QByteArray("hangUp") << 5 << false;
        QTest::newRow("enableHD 7") << QByteArray("enableHD") << 7 << false;
        QTest::newRow("stopContent 2") << QByteArray("stopContent") << 2 << false;
        QTest::newRow("validatePassword 1") << QByteArray("validatePassword") << 1 << false;
        QTest::newRow("changePassword 4") << QByteArray("changePassword") << 4 << false;
        QTest::newRow("uploadFeedbackfile 0") << QByteArray("uploadFeedbackfile") << 0 << true;
        QTest::newRow("uploadFeedbackfile 3") << QByteArray("uploadFeedbackfile") << 3 << false;
        QTest::newRow("enableNoiseSuppression 3") << QByteArray("enableNoiseSuppression") << 3 << true;
        QTest::newRow("enableHardDecoder 3") << QByteArray("enableHardDecoder") << 3 << true;
        QTest::newRow("enableHardEncoder 3") << QByteArray("enableHardEncoder") << 3 << true;
    }

    void simResultMapping()
    {
        QFETCH(QByteArray, op);
        QFETCH(int, code);
        QFETCH(bool, expected);

        CRJSdkManager *facade = startSim();
        rjsim_force_result(op.constData(), code, 0);
        QCOMPARE(statusOps().value(op)(*facade), expected);
        QVERIFY(rjsim_journal_count(op.constData()) >= 1);
    }

    void simArgumentConversions()
    {
        CRJSdkManager *facade = startSim();

        const QString ring = QString::fromUtf8("/tmp/铃声 Grüße.wav");
        facade->setAudioFile(ring);
        QCOMPARE(simCalls("setAudioFile"), (QList<QByteArrayList>{{"setAudioFile", ring.toLocal8Bit()}}));

        const QString zip = QString::fromUtf8("/tmp/日志 ß/feedback.zip");
        const QString contact = QString::fromUtf8("王小明 <wang@example.com>");
        const QString description = QString::fromUtf8("通话中断 — ça coupe");
        const QString address = QString::fromUtf8("https://upload.example/反馈");
        rjsim_force_result("uploadFeedbackfile", 0, 0);
        rjsim_force_result("uploadFeedbackFilesWithAddress", 0, 0);
        facade->uploadFeedbackfile(zip, contact, description);
        facade->uploadFeedbackFilesWithAddress(zip, contact, description, address);
        QCOMPARE(simCalls("uploadFeedbackfile"),
                 (QList<QByteArrayList>{{"uploadFeedbackfile", zip.toLocal8Bit(), contact.toUtf8(),
                                         description.toUtf8()}}));
        QCOMPARE(simCalls("uploadFeedbackFilesWithAddress"),
                 (QList<QByteArrayList>{{"uploadFeedbackFilesWithAddress", zip.toLocal8Bit(),
                                         contact.toUtf8(), description.toUtf8(), address.toUtf8()}}));

        rjsim_clear_journal();
        facade->changePassword("Old#2024", "New#2025");
        QStringList order;
        for (const std::string &line : rjsim::journal())
            order << QString::fromStdString(line.substr(0, line.find('\t')));
        QCOMPARE(order, (QStringList{"transformPassword", "transformPassword", "changePassword"}));
        const QList<QByteArrayList> transforms = simCalls("transformPassword");
        QCOMPARE(transforms.at(0).value(1), QByteArray("Old#2024"));
        QCOMPARE(transforms.at(1).value(1), QByteArray("New#2025"));
        const QByteArrayList change = simCalls("changePassword").first();
        QCOMPARE(change.size(), 3);
        for (const QByteArray &arg : change.mid(1))
            QVERIFY2(!arg.contains("Old#2024") && !arg.contains("New#2025") && !arg.isEmpty(),
                     "changePassword gets the transformed texts only");
        QVERIFY(change.at(1) != change.at(2));

        for (const bool enable : {true, false}) {
            rjsim_clear_journal();
            facade->enableHardEncoder(enable);
            facade->enableHardDecoder(enable);
            const QByteArray mode = enable ? "2" : "1";
            for (const char *op : {"enableHardEncoder", "enableHardDecoder"}) {
                const QList<QByteArrayList> expected{
                    {op, "1", "1", mode}, {op, "1", "2", mode}, {op, "2", "1", mode},
                    {op, "2", "2", mode}, {op, "3", "1", mode}, {op, "3", "2", mode}};
                QCOMPARE(simCalls(op), expected);
            }
        }

        rjsim_clear_journal();
        facade->enableNoiseSuppression(true);
        facade->enableNoiseSuppression(false);
        QCOMPARE(simCalls("enableNoiseSuppression"),
                 (QList<QByteArrayList>{{"enableNoiseSuppression", "2"}, {"enableNoiseSuppression", "0"}}));
    }

    // An event the engine raises on its own thread reaches a receiver of the
    // facade in the GUI thread.
    void simEventReachesGuiThread()
    {
        CRJSdkManager *facade = startSim();
        QList<RJWarn> warns;
        QThread *thread = nullptr;
        connect(facade, &CRJSdkManager::eventWarn, this, [&](RJWarn w) {
            warns << w;
            thread = QThread::currentThread();
        });
        QCOMPARE(rjsim_command("warn 42 bandwidth is low"), 0);
        QTRY_COMPARE(warns.size(), 1);
        QCOMPARE(warns.first().code, 42);
        QCOMPARE(warns.first().msg, std::string("bandwidth is low"));
        QCOMPARE(thread, qApp->thread());
    }

private:
    QHash<QString, std::function<void(CRJSdkManager &)>> m_actions;
};

GLIMORA_TEST_MAIN(TestFacade)
#include "tst_facade.moc"
