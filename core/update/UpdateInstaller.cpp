#include "core/update/UpdateInstaller.h"

#include "core/model/AppLocalization.h"
#include "core/model/SizeText.h"
#include "core/support/Log.h"
#include "core/support/StandardPath.h"
#include "core/update/UpdateConfiguration.h"
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
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace roror {

namespace {

// The download gives up when no data arrives for this long.
constexpr int transferTimeoutMs = 60000;
// How long the application may take to quit before the process is ended anyway.
constexpr int forcedExitDelayMs = 1500;

enum class InstallOutcome { scriptStarted, installFailed, mountFailed, appNotFound };

struct InstallResult {
    InstallOutcome outcome = InstallOutcome::installFailed;
    QString detail; // why installFailed, in the user's language; empty for the plain message
};

QString shortRandomName()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces).left(8).toUpper();
}

// A limit as people write it: "1 GiB", "512 MiB".
QString limitText(qint64 bytes)
{
    constexpr qint64 KiB = 1024;
    if (bytes > 0 && bytes % (KiB * KiB * KiB) == 0)
        return QStringLiteral("%1 GiB").arg(bytes / (KiB * KiB * KiB));
    if (bytes > 0 && bytes % (KiB * KiB) == 0)
        return QStringLiteral("%1 MiB").arg(bytes / (KiB * KiB));
    if (bytes > 0 && bytes % KiB == 0)
        return QStringLiteral("%1 KiB").arg(bytes / KiB);
    return SizeText::bytes(bytes);
}

QString downloadTooLarge(qint64 limit)
{
    return UpdateInstallerError::downloadFailed(
               AppLocalization::coreText(
                   QStringLiteral("更新超过了 %1 的下载上限").arg(limitText(limit)),
                   QStringLiteral("the update is larger than the download limit of %1").arg(limitText(limit))))
        .errorDescription();
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

bool lstatPath(const QString& path, struct stat* info)
{
    return ::lstat(QFile::encodeName(path).constData(), info) == 0;
}

// Why `candidate` cannot take the place of the installed bundle named `installedName`, or nothing
// when it can: it must be a real folder (no link) of the same name that holds the executable at
// `executable` as a regular, executable file, reached through real folders only.
std::optional<QString> unusableReason(const QString& candidate, const QString& installedName, const QString& executable)
{
    using AppLocalization::coreText;
    const QString found = lastPathComponent(candidate);
    if (found != installedName)
        return coreText(QStringLiteral("磁盘映像里的应用是 %1，不是 %2。").arg(found, installedName),
                        QStringLiteral("The disk image holds %1, not %2.").arg(found, installedName));
    struct stat info { };
    if (!lstatPath(candidate, &info) || !S_ISDIR(info.st_mode))
        return coreText(QStringLiteral("磁盘映像里的 %1 不是一个文件夹。").arg(installedName),
                        QStringLiteral("%1 in the disk image is not a folder.").arg(installedName));
    const QString missing
        = coreText(QStringLiteral("磁盘映像里的 %1 缺少可执行的程序 %2。").arg(installedName, executable),
                   QStringLiteral("%1 in the disk image lacks its program %2.").arg(installedName, executable));
    const QStringList parts = executable.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (parts.isEmpty() || executable.startsWith(QLatin1Char('/')) || parts.contains(QStringLiteral(".."))
        || parts.contains(QStringLiteral(".")))
        return missing;
    QString path = candidate;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        path = joinPath(path, parts.at(i));
        if (!lstatPath(path, &info))
            return missing;
        const bool last = i == parts.size() - 1;
        if (!last && !S_ISDIR(info.st_mode))
            return missing;
        if (last && (!S_ISREG(info.st_mode) || (info.st_mode & 0111) == 0))
            return missing;
    }
    return std::nullopt;
}

// Why the relaunch script could not swap the bundle at `bundlePath`, or nothing when it can: it
// creates the new copy beside the installed one and renames both, so that folder must take a new
// folder and the bundle must be movable. Found out now, while the application still runs.
std::optional<QString> swapProblem(const QString& bundlePath)
{
    const QString folder = QFileInfo(bundlePath).absolutePath();
    const QString problem
        = AppLocalization::coreText(QStringLiteral("无法在文件夹 %1 中放置新版本。").arg(folder),
                                    QStringLiteral("The new version cannot be put in the folder %1.").arg(folder));
    const QString staged = UpdateRelaunchScript::stagedPath(bundlePath);
    const QByteArray stagedName = QFile::encodeName(staged);
    // A copy left by an earlier attempt; the script would remove it first as well.
    struct stat info { };
    if (::lstat(stagedName.constData(), &info) == 0)
        DiskImage::detach(staged);
    if (::mkdir(stagedName.constData(), 0700) != 0) {
        qCWarning(roror::log::update) << "cannot create" << staged << ":" << std::strerror(errno);
        return problem;
    }
    if (::rmdir(stagedName.constData()) != 0)
        qCWarning(roror::log::update) << "cannot remove" << staged << ":" << std::strerror(errno);
    // Renaming within one folder needs no write permission on the bundle itself, but an immutable
    // bundle or a read-only mount refuses it.
    const QByteArray bundleName = QFile::encodeName(bundlePath);
    if (::access(bundleName.constData(), W_OK) != 0 && (errno == EPERM || errno == EROFS)) {
        qCWarning(roror::log::update) << "cannot move" << bundlePath << ":" << std::strerror(errno);
        return AppLocalization::coreText(QStringLiteral("无法替换已安装的 %1。").arg(bundlePath),
                                         QStringLiteral("The installed copy %1 cannot be replaced.").arg(bundlePath));
    }
    return std::nullopt;
}

// Which unpacked-size limit an archive of `archiveBytes` is held to, and how to say it was passed.
struct UnpackLimit {
    qint64 bytes = 0;
    QString message;
};

UnpackLimit unpackLimit(qint64 archiveBytes, const UpdateInstaller::Limits& limits)
{
    using AppLocalization::coreText;
    const qint64 ratio = std::max<qint64>(limits.unpackedRatio, 1);
    if (archiveBytes < limits.unpackedBytes / ratio)
        return {
            archiveBytes * ratio,
            coreText(QStringLiteral("更新解压后会超过其下载大小的 %1 倍。").arg(ratio),
                     QStringLiteral("The update would unpack to more than %1 times its download size.").arg(ratio))};
    return {limits.unpackedBytes,
            coreText(QStringLiteral("更新解压后会超过 %1。").arg(limitText(limits.unpackedBytes)),
                     QStringLiteral("The update would unpack to more than %1.").arg(limitText(limits.unpackedBytes)))};
}

// Writes the relaunch script as an executable file; false when any step fails.
bool writeScript(const QString& scriptPath)
{
    QSaveFile script(scriptPath);
    if (!script.open(QIODevice::WriteOnly))
        return false;
    const QByteArray text = UpdateRelaunchScript::text().toUtf8();
    if (script.write(text) != text.size() || !script.commit())
        return false;
    return QFile::setPermissions(scriptPath,
                                 QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                     | QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther
                                     | QFileDevice::ExeOther);
}

InstallResult doInstall(const QString& dmgPath, const UpdateInstaller::RelaunchContext& context,
                        const UpdateInstaller::Limits& limits)
{
    // Only an installed copy can be replaced; anything else (a build tree) is left alone.
    if (context.bundlePath.isEmpty() || context.executablePath.isEmpty()) {
        qCWarning(roror::log::update) << "not an installed copy; nothing to replace";
        return {InstallOutcome::installFailed, {}};
    }

    const QString mountFolder = joinPath(QFileInfo(dmgPath).absolutePath(), QStringLiteral("mnt"));
    QDir().mkpath(mountFolder);
    const UnpackLimit limit = unpackLimit(QFileInfo(dmgPath).size(), limits);
    qCInfo(roror::log::update) << "unpacking" << dmgPath << "into" << mountFolder << "up to" << limit.bytes << "bytes";
    switch (DiskImage::attach(dmgPath, mountFolder, limit.bytes)) {
    case DiskImage::AttachResult::attached:
        break;
    case DiskImage::AttachResult::unreadable:
        qCWarning(roror::log::update) << "cannot unpack" << dmgPath;
        return {InstallOutcome::mountFailed, {}};
    case DiskImage::AttachResult::tooLarge:
        qCWarning(roror::log::update) << "refused" << dmgPath << ": it unpacks to more than" << limit.bytes << "bytes";
        DiskImage::detach(mountFolder);
        return {InstallOutcome::installFailed, limit.message};
    }

    // The image's copy must carry the installed copy's own name; anything else would be installed
    // in its place under that name.
    const QString installedName = lastPathComponent(context.bundlePath);
    std::optional<QString> app;
    if (QFileInfo::exists(joinPath(mountFolder, installedName))
        || QFileInfo(joinPath(mountFolder, installedName)).isSymLink())
        app = joinPath(mountFolder, installedName);
    if (!app)
        app = findApp(context.bundleName, mountFolder);
    if (!app)
        app = findAnyApp(mountFolder);
    if (!app) {
        qCWarning(roror::log::update) << "no application in" << dmgPath;
        DiskImage::detach(mountFolder);
        return {InstallOutcome::appNotFound, {}};
    }
    if (const std::optional<QString> reason = unusableReason(*app, installedName, context.executablePath)) {
        qCWarning(roror::log::update) << "cannot install" << *app << ":" << *reason;
        DiskImage::detach(mountFolder);
        return {InstallOutcome::installFailed, *reason};
    }
    if (const std::optional<QString> problem = swapProblem(context.bundlePath)) {
        DiskImage::detach(mountFolder);
        return {InstallOutcome::installFailed, *problem};
    }

    const QString scriptPath
        = joinPath(QDir::tempPath(), QStringLiteral("roror-update-") + shortRandomName() + QStringLiteral(".sh"));
    if (!writeScript(scriptPath)) {
        qCWarning(roror::log::update) << "cannot write the relaunch script" << scriptPath;
        QFile::remove(scriptPath);
        DiskImage::detach(mountFolder);
        return {InstallOutcome::installFailed,
                AppLocalization::coreText(QStringLiteral("无法写入重新启动脚本。"),
                                          QStringLiteral("The relaunch script could not be written."))};
    }

    const QStringList arguments = QStringList{scriptPath}
        + UpdateRelaunchScript::arguments(context.processId, context.bundlePath, *app, mountFolder,
                                          context.executablePath, QFileInfo(dmgPath).absolutePath());
    if (!context.startScript || !context.startScript(QStringLiteral("/bin/bash"), arguments)) {
        qCWarning(roror::log::update) << "cannot start the relaunch script" << scriptPath;
        QFile::remove(scriptPath);
        return {InstallOutcome::installFailed, {}};
    }
    qCInfo(roror::log::update) << "relaunch script started:" << scriptPath << "replaces" << context.bundlePath << "with"
                               << *app;
    return {InstallOutcome::scriptStarted, {}};
}

// Removes the folder a download was stored in (with its image and mount folder), and only that.
void removeDownloadFolder(const QString& dmgPath)
{
    const QString folder = QFileInfo(dmgPath).absolutePath();
    if (lastPathComponent(folder).startsWith(QLatin1String("RororUpdate-")))
        DiskImage::detach(folder);
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

void UpdateInstaller::setLimits(const Limits& limits)
{
    m_limits = limits;
}

bool UpdateInstaller::isAllowedDownloadURL(const QUrl& url)
{
    return UpdateConfiguration::isSecureAddress(url);
}

void UpdateInstaller::report(const UpdateInstallerState& state)
{
    if (state.kind == UpdateInstallerState::Kind::failed)
        qCWarning(roror::log::update) << "update failed:" << state.message;
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
                                                              QStringLiteral("updates are only downloaded over https")))
                                    .errorDescription();
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

    qCInfo(roror::log::update) << "downloading" << url.toString();
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
        m_downloadTask->failure
            = UpdateInstallerError::downloadFailed(
                  AppLocalization::coreText(QStringLiteral("更新只能通过 https 下载"),
                                            QStringLiteral("updates are only downloaded over https")))
                  .errorDescription();
        reply->abort();
    });
    // An announced length past the limit ends the download before any of it is stored.
    connect(reply, &QNetworkReply::metaDataChanged, this, [this, reply] {
        bool known = false;
        const qint64 expected = reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(&known);
        if (known && isSuccessStatus(reply->attribute(QNetworkRequest::HttpStatusCodeAttribute)))
            stopWhenTooLarge(reply, expected);
    });
    connect(reply, &QNetworkReply::readyRead, this, [this, reply, generation] {
        const QByteArray data = reply->readAll();
        // An error page is never stored as the image.
        if (!isSuccessStatus(reply->attribute(QNetworkRequest::HttpStatusCodeAttribute)))
            return;
        Download& task = *m_downloadTask;
        if (!task.failure.isEmpty() || !task.file)
            return;
        if (stopWhenTooLarge(reply, task.received + data.size()))
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

bool UpdateInstaller::stopWhenTooLarge(QNetworkReply* reply, qint64 bytes)
{
    if (bytes <= m_limits.downloadBytes)
        return false;
    if (m_downloadTask && m_downloadTask->failure.isEmpty()) {
        qCWarning(roror::log::update) << "download stopped: more than" << m_limits.downloadBytes << "bytes";
        m_downloadTask->failure = downloadTooLarge(m_limits.downloadBytes);
        reply->abort();
    }
    return true;
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
        failure
            = UpdateInstallerError::downloadFailed(QStringLiteral("HTTP %1").arg(status.toInt())).errorDescription();
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
    qCInfo(roror::log::update) << "downloaded to" << destination;
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
    const Limits limits = m_limits;
    qCInfo(roror::log::update) << "installing" << dmgPath;
    QtConcurrent::run([dmgPath, context, limits] {
        InstallResult result = doInstall(dmgPath, context, limits);
        // A failed install leaves nothing behind; the relaunch script cleans up after itself.
        if (result.outcome != InstallOutcome::scriptStarted)
            removeDownloadFolder(dmgPath);
        return result;
    }).then(this, [this, context, dmgPath](const InstallResult& result) {
        m_installing = false;
        if (result.outcome != InstallOutcome::scriptStarted && m_downloadedDMGPath == dmgPath)
            m_downloadedDMGPath.reset();
        switch (result.outcome) {
        case InstallOutcome::scriptStarted:
            qCInfo(roror::log::update) << "quitting for the relaunch";
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
            report(UpdateInstallerState::failed(UpdateInstallerError::installFailed(result.detail).errorDescription()));
            return;
        }
    });
}
} // namespace roror
