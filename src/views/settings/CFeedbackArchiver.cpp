#include "views/settings/CFeedbackArchiver.h"

#include "helpers/CAppConfigUtils.h"
#include "helpers/CUserConfigUtils.h"
#include "helpers/LogMacros.h"
#include "models/CRJSdkManager.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QSet>
#include <QThreadPool>
#include <QtConcurrent>
#include <QtDebug>

#include <memory>
#include <utility>

namespace rj_app::views {

using helpers::CUserConfigUtils;
using models::CRJSdkManager;
using Outcome = CFeedbackArchiveTask::Outcome;

namespace {
const int kPictureCount = 6;
} // namespace

// The one feedback upload of the process: who started it, and the engine's
// results routed to that archiver only. GUI thread only.
class FeedbackUploadGate
{
public:
    static FeedbackUploadGate &instance()
    {
        // Never destroyed: pool tasks may still post to it at exit.
        static FeedbackUploadGate *gate = new FeedbackUploadGate;
        return *gate;
    }

    bool busy() const { return m_bBusy; }
    bool isOwner(const CFeedbackArchiver *archiver) const { return m_bBusy && m_pOwner == archiver; }

    quint64 begin(CFeedbackArchiver *owner)
    {
        watchEngine();
        m_bBusy = true;
        m_pOwner = owner;
        return ++m_uTicket;
    }

    void add(CFeedbackArchiver *archiver) { m_live.insert(archiver); }
    void remove(CFeedbackArchiver *archiver) { m_live.remove(archiver); }

    // Archives that dialogs other than `except` may still need.
    QSet<QString> keptArchives(const CFeedbackArchiver *except) const
    {
        QSet<QString> paths;
        for (const CFeedbackArchiver *archiver : m_live) {
            if (archiver != except && !archiver->zipName().isEmpty())
                paths.insert(archiver->zipPath());
        }
        return paths;
    }

    // Posted by the task once the archive is written, before the engine has it.
    void archiveWritten(quint64 ticket, const QString &zipName, const QString &tempDir)
    {
        if (ticket != m_uTicket)
            return;
        m_qstrCollection = tempDir;
        if (m_pOwner)
            m_pOwner->takeTaskResult(zipName, tempDir);
    }

    void taskEnded(quint64 ticket, Outcome outcome, const QString &zipName, const QString &tempDir)
    {
        if (ticket != m_uTicket || !m_bBusy)
            return;
        m_qstrCollection = tempDir;
        if (outcome == Outcome::Handed)
            return; // the engine's event ends it
        m_bBusy = false;
        removeCollection();
        QPointer<CFeedbackArchiver> owner = m_pOwner;
        m_pOwner.clear();
        if (!owner)
            return;
        owner->takeTaskResult(zipName, tempDir);
        if (outcome == Outcome::Abandoned)
            emit owner->sigUploadAbandoned();
        else
            emit owner->sigUploadFeedback(-1);
    }

private:
    void watchEngine()
    {
        CRJSdkManager *sdk = CRJSdkManager::getInstance();
        if (sdk == m_pWatchedSdk)
            return;
        QObject::disconnect(m_sdkConnection);
        m_pWatchedSdk = sdk;
        if (sdk)
            m_sdkConnection = QObject::connect(sdk, &CRJSdkManager::eventUploadFeedback, &m_context,
                                               [this](int number) { engineResult(number); });
    }

    void engineResult(int number)
    {
        if (!m_bBusy)
            return; // nobody of ours is uploading
        QPointer<CFeedbackArchiver> owner = m_pOwner;
        if (number < 0 || number == 100) {
            m_bBusy = false;
            m_pOwner.clear();
            removeCollection();
        }
        if (owner)
            emit owner->sigUploadFeedback(number);
    }

    // The copies of the logs and of config.ini made for the archive are not
    // left lying about once the upload is over, whatever its outcome; the
    // archive itself stays for "save as" after a failure.
    void removeCollection()
    {
        const QString dir = std::exchange(m_qstrCollection, QString());
        if (dir.isEmpty() || !QFileInfo(dir).isDir())
            return;
        qInfo() << RJ_FUNCTION << "remove" << dir;
        QDir(dir).removeRecursively();
    }

    QObject m_context; // the receiver of engine events, in the GUI thread
    QString m_qstrCollection; // the collection folder of the running upload
    bool m_bBusy = false;
    quint64 m_uTicket = 0;
    QPointer<CFeedbackArchiver> m_pOwner;
    QPointer<CRJSdkManager> m_pWatchedSdk;
    QMetaObject::Connection m_sdkConnection;
    QSet<const CFeedbackArchiver *> m_live;
};

CFeedbackArchiver::CFeedbackArchiver(QObject *parent)
    : QObject(parent)
    , m_clock([] { return QDateTime::currentDateTime(); })
{
    FeedbackUploadGate::instance().add(this);
}

CFeedbackArchiver::~CFeedbackArchiver()
{
    // A task still running goes on by itself; its result reaches nobody.
    FeedbackUploadGate::instance().remove(this);
}

bool CFeedbackArchiver::isUploading() const
{
    return FeedbackUploadGate::instance().isOwner(this);
}

bool CFeedbackArchiver::isAnyUploadRunning()
{
    return FeedbackUploadGate::instance().busy();
}

bool CFeedbackArchiver::startUpload(const QString &description, const QString &contact)
{
    FeedbackUploadGate &gate = FeedbackUploadGate::instance();
    if (gate.busy()) {
        qInfo() << RJ_FUNCTION << __LINE__ << "another upload is running";
        return false;
    }
    qInfo() << RJ_FUNCTION << __LINE__;
    const quint64 ticket = gate.begin(this);
    auto task = std::make_shared<CFeedbackArchiveTask>(m_clock, feedbackAddress(), gate.keptArchives(this));
    QtConcurrent::run(QThreadPool::globalInstance(), [task, ticket, description, contact] {
        const auto post = [](std::function<void()> call) {
            // Into the GUI thread, where the gate lives.
            if (QCoreApplication *app = QCoreApplication::instance())
                QMetaObject::invokeMethod(app, std::move(call), Qt::QueuedConnection);
        };
        const Outcome outcome = task->run(description, contact, [&] {
            const QString zip = task->zipName(), temp = task->tempDir();
            post([ticket, zip, temp] { FeedbackUploadGate::instance().archiveWritten(ticket, zip, temp); });
        });
        const QString zip = task->zipName(), temp = task->tempDir();
        post([ticket, outcome, zip, temp] { FeedbackUploadGate::instance().taskEnded(ticket, outcome, zip, temp); });
    });
    return true;
}

CFeedbackArchiveTask::Outcome CFeedbackArchiver::execUploadLog(const QString &description, const QString &contact)
{
    CFeedbackArchiveTask task(m_clock, feedbackAddress(), FeedbackUploadGate::instance().keptArchives(this));
    const Outcome outcome = task.run(description, contact);
    m_qstrZipName = task.zipName();
    m_qstrTempDir = task.tempDir();
    return outcome;
}

QString CFeedbackArchiver::feedbackAddress() const
{
    const helpers::CAppConfigUtils *config = m_pAppConfig ? m_pAppConfig : helpers::CAppConfigUtils::getInstance();
    return config ? config->getFeedbackAddress() : QString();
}

void CFeedbackArchiver::takeTaskResult(const QString &zipName, const QString &tempDir)
{
    m_qstrZipName = zipName;
    m_qstrTempDir = tempDir;
}

void CFeedbackArchiver::setClock(Clock clock)
{
    m_clock = clock ? std::move(clock) : Clock([] { return QDateTime::currentDateTime(); });
}

void CFeedbackArchiver::setAppConfig(const helpers::CAppConfigUtils *config)
{
    m_pAppConfig = config;
}

QString CFeedbackArchiver::zipPath() const
{
    return m_qstrZipName.isEmpty() ? QString() : CUserConfigUtils::getUserConfigPath() + m_qstrZipName;
}

void CFeedbackArchiver::removeZip()
{
    qInfo() << RJ_FUNCTION;
    const QString dir = CUserConfigUtils::getUserConfigPath();
    for (int i = 0; i < kPictureCount; ++i) {
        const QString picture = dir + QStringLiteral("/IMG_%1.jpg").arg(i);
        if (QFileInfo::exists(picture))
            QFile::remove(picture);
    }
    const QString path = zipPath();
    if (!path.isEmpty() && QFileInfo::exists(path))
        QFile::remove(path);
}

} // namespace rj_app::views
