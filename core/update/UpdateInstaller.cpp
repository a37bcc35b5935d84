#include "core/update/UpdateInstaller.h"

#include "core/model/AppLocalization.h"
#include "core/support/StandardPath.h"
#include "core/update/UpdateRelaunchScript.h"
#include "platform/AppBundle.h"
#include "platform/DiskImage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QProcess>
#include <QSaveFile>
#include <QTemporaryFile>
#include <QUuid>
#include <QtConcurrent/QtConcurrentRun>
#include <thread>
#include <unistd.h>

namespace roror {

namespace {

// The download gives up when no data arrives for this long.
constexpr int transferTimeoutMs = 60000;
// How long the application may take to quit before the process is ended anyway.
constexpr int forcedExitDelayMs = 1500;

enum class InstallOutcome { scriptStarted, installFailed, mountFailed, appNotFound };

QString shortRandomName()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces).left(8).toUpper();
}

bool isSuccessStatus(const QVariant& status)
{
    const int code = status.toInt();
    return code >= 200 && code <= 299;
}

QList<QString> listing(const QString& folder)
{
    QDir dir(folder);
    if (!dir.exists())
        return {};
    return dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

std::optional<QString> findApp(const QString& name, const QString& folder)
{
    for (const QString& entry : listing(folder)) {
        if (pathExtension(entry) == QLatin1String("app") && entry.contains(name))
            return joinPath(folder, entry);
    }
    return std::nullopt;
}

std::optional<QString> findAnyApp(const QString& folder)
{
    for (const QString& entry : listing(folder)) {
        if (pathExtension(entry) == QLatin1String("app"))
            return joinPath(folder, entry);
    }
    return std::nullopt;
}

InstallOutcome doInstall(const QString& dmgPath, const UpdateInstaller::RelaunchContext& context)
{
    // Only an installed copy can be replaced; anything else (a build tree) is left alone.
    if (context.bundlePath.isEmpty() || context.executablePath.isEmpty())
        return InstallOutcome::installFailed;

    const QString mountFolder = joinPath(QFileInfo(dmgPath).absolutePath(), QStringLiteral("mnt"));
    QDir().mkpath(mountFolder);
    if (!DiskImage::attach(dmgPath, mountFolder))
        return InstallOutcome::mountFailed;

    std::optional<QString> app = findApp(context.bundleName, mountFolder);
    if (!app)
        app = findAnyApp(mountFolder);
    if (!app) {
        DiskImage::detach(mountFolder);
        return InstallOutcome::appNotFound;
    }

    const QString scriptPath =
        joinPath(QDir::tempPath(), QStringLiteral("roror-update-") + shortRandomName() + QStringLiteral(".sh"));
    QSaveFile script(scriptPath);
    if (script.open(QIODevice::WriteOnly)) {
        script.write(UpdateRelaunchScript::text().toUtf8());
        script.commit();
    }
    QFile::setPermissions(scriptPath, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                          | QFileDevice::ReadGroup | QFileDevice::ExeGroup
                                          | QFileDevice::ReadOther | QFileDevice::ExeOther);

    const QStringList arguments = QStringList{scriptPath}
        + UpdateRelaunchScript::arguments(context.processId, context.bundlePath, *app, mountFolder,
                                          context.executablePath);
    if (!context.startScript || !context.startScript(QStringLiteral("/bin/bash"), arguments))
        return InstallOutcome::installFailed;
    return InstallOutcome::scriptStarted;
}

} // namespace

struct UpdateInstaller::Download {
    quint64 generation = 0;
    QPointer<QNetworkReply> reply;
    std::unique_ptr<QTemporaryFile> file;
    qint64 received = 0;
    QString failure; // set when the transfer itself must end as failed
};

UpdateInstaller::RelaunchContext UpdateInstaller::RelaunchContext::current()
{
    RelaunchContext context;
    if (const std::optional<AppBundle::Location> location = AppBundle::current()) {
        context.bundlePath = location->bundlePath;
        context.executablePath = location->executablePath;
    }
    context.bundleName = AppBundle::name();
    context.processId = QCoreApplication::applicationPid();
    context.startScript = [](const QString& program, const QStringList& arguments) {
        QProcess process;
        process.setProgram(program);
        process.setArguments(arguments);
        process.setStandardInputFile(QProcess::nullDevice());
        return process.startDetached();
    };
    context.requestTermination = [] { QCoreApplication::quit(); };
    context.scheduleExit = [] {
        std::thread([] {
            std::this_thread::sleep_for(std::chrono::milliseconds(forcedExitDelayMs));
            ::_exit(0);
        }).detach();
    };
    return context;
}

UpdateInstaller::UpdateInstaller(QObject* parent)
    : QObject(parent)
    , m_network(new QNetworkAccessManager(this))
    , m_relaunch(RelaunchContext::current())
{
}

UpdateInstaller::~UpdateInstaller()
{
    if (m_downloadTask && m_downloadTask->reply)
        disconnect(m_downloadTask->reply, nullptr, this, nullptr);
}

void UpdateInstaller::setRelaunchContext(RelaunchContext context)
{
    m_relaunch = std::move(context);
}

bool UpdateInstaller::isAllowedDownloadURL(const QUrl& url)
{
    if (!url.isValid() || url.host().isEmpty())
        return false;
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("https"))
        return true;
    if (scheme != QLatin1String("http"))
        return false;
    const QString host = url.host();
    if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        return true;
    const QHostAddress address(host);
    return !address.isNull() && address.isLoopback();
}

void UpdateInstaller::report(const UpdateInstallerState& state)
{
    if (onStateChanged)
        onStateChanged(state);
}

void UpdateInstaller::post(quint64 generation, std::function<void()> action)
{
    // Reports of a download that was cancelled or replaced meanwhile are dropped on arrival.
    QMetaObject::invokeMethod(
        this,
        [this, generation, action = std::move(action)] {
            if (generation == m_generation)
                action();
        },
        Qt::QueuedConnection);
}

void UpdateInstaller::download(const QUrl& url)
{
    m_downloadedDMGPath.reset();
    report(UpdateInstallerState::downloading(0.0));

    // A replaced download is stopped and never heard from again.
    if (m_downloadTask && m_downloadTask->reply) {
        QNetworkReply* previous = m_downloadTask->reply;
        disconnect(previous, nullptr, this, nullptr);
        previous->abort();
        previous->deleteLater();
    }
    m_downloadTask.reset();

    const quint64 generation = ++m_generation;
    auto task = std::make_unique<Download>();
    task->generation = generation;

    if (!isAllowedDownloadURL(url)) {
        const QString message = UpdateInstallerError::downloadFailed(
            AppLocalization::coreText(QStringLiteral("更新只能通过 https 下载"),
                                      QStringLiteral("updates are only downloaded over https"))).errorDescription();
        m_downloadTask = std::move(task);
        post(generation, [this, message] { report(UpdateInstallerState::failed(message)); });
        return;
    }

    task->file = std::make_unique<QTemporaryFile>(joinPath(QDir::tempPath(), QStringLiteral("roror-download-XXXXXX")));
    if (!task->file->open()) {
        const QString message = task->file->errorString();
        m_downloadTask = std::move(task);
        post(generation, [this, message] { report(UpdateInstallerState::failed(message)); });
        return;
    }

    QNetworkRequest request(url);
    request.setTransferTimeout(transferTimeoutMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::UserVerifiedRedirectPolicy);
    QNetworkReply* reply = m_network->get(request);
    task->reply = reply;
    m_downloadTask = std::move(task);

    connect(reply, &QNetworkReply::redirected, this, [this, reply](const QUrl& target) {
        if (isAllowedDownloadURL(target)) {
            emit reply->redirectAllowed();
            return;
        }
        m_downloadTask->failure = UpdateInstallerError::downloadFailed(
            AppLocalization::coreText(QStringLiteral("更新只能通过 https 下载"),
                                      QStringLiteral("updates are only downloaded over https"))).errorDescription();
        reply->abort();
    });
    connect(reply, &QNetworkReply::readyRead, this, [this, reply, generation] {
        const QByteArray data = reply->readAll();
        // An error page is never stored as the image.
        if (!isSuccessStatus(reply->attribute(QNetworkRequest::HttpStatusCodeAttribute)))
            return;
        Download& task = *m_downloadTask;
        if (!task.failure.isEmpty() || !task.file)
            return;
        if (task.file->write(data) != data.size()) {
            task.failure = task.file->errorString();
            reply->abort();
            return;
        }
        // One report per chunk written, while the expected length is known.
        task.received += data.size();
        bool known = false;
        const qint64 expected = reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(&known);
        if (!known || expected <= 0)
            return;
        const double progress = double(task.received) / double(expected);
        post(generation, [this, progress] { report(UpdateInstallerState::downloading(progress)); });
    });
    connect(reply, &QNetworkReply::finished, this, [this, generation] { finishDownload(generation); });
}

void UpdateInstaller::finishDownload(quint64 generation)
{
    if (!m_downloadTask || m_downloadTask->generation != generation || !m_downloadTask->reply)
        return;
    Download& task = *m_downloadTask;
    QNetworkReply* reply = task.reply;
    reply->deleteLater();

    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    QString failure = task.failure;
    if (failure.isEmpty() && status.isValid() && !isSuccessStatus(status))
        failure = UpdateInstallerError::downloadFailed(QStringLiteral("HTTP %1").arg(status.toInt())).errorDescription();
    if (failure.isEmpty() && reply->error() != QNetworkReply::NoError)
        failure = reply->errorString();
    if (failure.isEmpty() && !status.isValid())
        failure = UpdateInstallerError::downloadFailed(reply->errorString()).errorDescription();

    QString destination;
    if (failure.isEmpty()) {
        const QByteArray rest = reply->readAll();
        if (task.file->write(rest) != rest.size())
            failure = task.file->errorString();
    }
    if (failure.isEmpty()) {
        const QString folder = joinPath(QDir::tempPath(), QStringLiteral("RororUpdate-") + shortRandomName());
        QDir().mkpath(folder);
        destination = joinPath(folder, QStringLiteral("Roror.dmg"));
        QFile::remove(destination);
        if (!task.file->flush() || !task.file->rename(destination))
            failure = task.file->errorString();
        else
            task.file->setAutoRemove(false);
    }
    task.file.reset(); // a failed transfer leaves no partial file behind

    if (!failure.isEmpty()) {
        post(generation, [this, failure] { report(UpdateInstallerState::failed(failure)); });
        return;
    }
    post(generation, [this, destination] {
        m_downloadedDMGPath = destination;
        report(UpdateInstallerState::readyToInstall());
    });
}

void UpdateInstaller::cancel()
{
    if (m_downloadTask && m_downloadTask->reply) {
        QNetworkReply* reply = m_downloadTask->reply;
        disconnect(reply, nullptr, this, nullptr);
        reply->abort();
        reply->deleteLater();
    }
    if (m_downloadTask)
        m_downloadTask->file.reset();
    ++m_generation;
    m_downloadedDMGPath.reset();
}

void UpdateInstaller::performInstallAndRelaunch()
{
    if (!m_downloadedDMGPath) {
        report(UpdateInstallerState::failed(UpdateInstallerError::noDownloadedUpdate().errorDescription()));
        return;
    }
    // Two installs at once would extract into the same folder and swap the same bundle twice.
    if (m_installing)
        return;
    m_installing = true;
    report(UpdateInstallerState::installing());

    const QString dmgPath = *m_downloadedDMGPath;
    const RelaunchContext context = m_relaunch;
    QtConcurrent::run([dmgPath, context] { return doInstall(dmgPath, context); })
        .then(this, [this, context](InstallOutcome outcome) {
            m_installing = false;
            switch (outcome) {
            case InstallOutcome::scriptStarted:
                if (context.requestTermination)
                    context.requestTermination();
                if (context.scheduleExit)
                    context.scheduleExit();
                return;
            case InstallOutcome::mountFailed:
                report(UpdateInstallerState::failed(UpdateInstallerError::mountFailed().errorDescription()));
                return;
            case InstallOutcome::appNotFound:
                report(UpdateInstallerState::failed(UpdateInstallerError::appNotFoundInDMG().errorDescription()));
                return;
            case InstallOutcome::installFailed:
                report(UpdateInstallerState::failed(UpdateInstallerError::installFailed().errorDescription()));
                return;
            }
        });
}

} // namespace roror
