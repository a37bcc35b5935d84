#include "platform/TrashMove.h"

#include "core/model/AppLocalization.h"
#include "core/support/FolderHandle.h"
#include "core/support/StandardPath.h"
#include "platform/HomeTrash.h"

#include <QChar>
#include <QDateTime>
#include <QFile>
#include <QtGlobal>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace roror::TrashMove {

namespace {

#ifdef O_PATH
constexpr int kFolderHandle = O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
#else
constexpr int kFolderHandle = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
#endif

const QByteArray kInfoSuffix = QByteArrayLiteral(".trashinfo");

using FolderHandle::UniqueFd;

QString text(const char* zh, const char* en)
{
    return AppLocalization::coreText(QString::fromUtf8(zh), QString::fromUtf8(en));
}

QString systemText(int error)
{
    return qt_error_string(error);
}

bool fail(QString* error, const QString& message)
{
    if (error)
        *error = message;
    return false;
}

QString outsideScope()
{
    return text("这个路径不在允许范围内，无法移到废纸篓。",
                "This path is outside the allowed scope and cannot be moved to Trash.");
}

QString folderChanged()
{
    return text("这个项目所在的文件夹在检查之后发生了变化，没有移动。",
                "The folder holding this item changed after it was checked, so the item was not moved.");
}

QString notARealTrash()
{
    return text("废纸篓文件夹不是你自己的真实文件夹（可能是一个链接），没有移动任何项目。",
                "The Trash folder is not a real folder of yours (it may be a link), so nothing was moved.");
}

QString noTrash()
{
    return text("找不到可用的废纸篓。", "No Trash is available.");
}

QString otherFileSystem()
{
    return text("这个项目与废纸篓不在同一个文件系统上（或者它本身是一个挂载点），无法移到废纸篓。",
                "This item is on another file system than the Trash (or is a mount point itself), so it cannot be "
                "moved to Trash.");
}

QString cannotRecord(int error)
{
    return text("无法在废纸篓中记录这个项目：", "The item could not be recorded in the Trash: ") + systemText(error);
}

QString cannotMove(int error)
{
    return text("无法移到废纸篓：", "Could not move to Trash: ") + systemText(error);
}

// Opens (making it, mode 0700, when missing) the folder `name` inside `parent` without following
// a link. -1 with errno set when it is not a real folder.
int openOrMakeFolder(int parent, const char* name)
{
    int fd = ::openat(parent, name, kFolderHandle);
    if (fd < 0 && errno == ENOENT) {
        if (::mkdirat(parent, name, 0700) != 0 && errno != EEXIST)
            return -1;
        fd = ::openat(parent, name, kFolderHandle);
    }
    return fd;
}

bool ownFolder(int fd)
{
    struct stat st { };
    return ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid();
}

struct Trash {
    UniqueFd files;
    UniqueFd info;
};

// The home Trash's "files" and "info" folders, reached without following links below the home
// folder (the home itself may be reached through one; it is the user's own).
std::optional<Trash> openTrash(const QString& home, QString* message)
{
    const QString homeText = standardizedPath(home);
    const QString trashText = standardizedPath(HomeTrash::folder(home));
    QByteArray base = "/";
    QString below = trashText.mid(1);
    if (trashText != homeText && isPathInside(trashText, homeText)) {
        char resolved[PATH_MAX];
        if (!::realpath(QFile::encodeName(homeText).constData(), resolved)) {
            *message = noTrash();
            return std::nullopt;
        }
        base = resolved;
        below = trashText.mid(homeText.size() + 1);
    }
    UniqueFd folder(openFolderWithoutLinks(base));
    if (!folder.valid()) {
        *message = noTrash();
        return std::nullopt;
    }
    for (const QString& component : below.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        UniqueFd next(openOrMakeFolder(folder.get(), QFile::encodeName(component).constData()));
        if (!next.valid()) {
            *message = (errno == ELOOP || errno == ENOTDIR) ? notARealTrash() : cannotMove(errno);
            return std::nullopt;
        }
        folder = std::move(next);
    }
    Trash trash{UniqueFd(openOrMakeFolder(folder.get(), "files")), UniqueFd(openOrMakeFolder(folder.get(), "info"))};
    if (!trash.files.valid() || !trash.info.valid()) {
        *message = (errno == ELOOP || errno == ENOTDIR) ? notARealTrash() : cannotMove(errno);
        return std::nullopt;
    }
    if (!ownFolder(folder.get()) || !ownFolder(trash.files.get()) || !ownFolder(trash.info.get())) {
        *message = notARealTrash();
        return std::nullopt;
    }
    return trash;
}

// The mount an entry belongs to, where the kernel tells it; 0 when unknown.
quint64 mountOf(int folder, const char* name)
{
#if defined(Q_OS_LINUX) && defined(STATX_MNT_ID)
    struct statx sx { };
    if (::statx(folder, name, AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT | AT_EMPTY_PATH, STATX_MNT_ID, &sx) == 0
        && (sx.stx_mask & STATX_MNT_ID))
        return sx.stx_mnt_id;
#else
    Q_UNUSED(folder);
    Q_UNUSED(name);
#endif
    return 0;
}

QByteArray infoText(const QByteArray& originalPath)
{
    return QByteArrayLiteral("[Trash Info]\nPath=") + encodeInfoPath(originalPath)
        + QByteArrayLiteral("\nDeletionDate=")
        + QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss")).toLatin1() + '\n';
}

bool writeAll(int fd, const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

// rename without replacing anything; where the file system cannot promise that, a checked rename.
int renameNoReplace(int fromFolder, const char* from, int toFolder, const char* to)
{
#ifdef RENAME_NOREPLACE
    const int result = ::renameat2(fromFolder, from, toFolder, to, RENAME_NOREPLACE);
    if (result == 0 || errno != EINVAL)
        return result;
#endif
    struct stat st { };
    if (::fstatat(toFolder, to, &st, AT_SYMLINK_NOFOLLOW) == 0) {
        errno = EEXIST;
        return -1;
    }
    return ::renameat(fromFolder, from, toFolder, to);
}

} // namespace

bool hasExactBytes(const QString& path)
{
    return !path.contains(QChar::ReplacementCharacter);
}

int openFolderWithoutLinks(const QByteArray& path, bool allowOpenat2)
{
    if (!path.startsWith('/')) {
        errno = EINVAL;
        return -1;
    }
    const UniqueFd root(::open("/", kFolderHandle));
    if (!root.valid())
        return -1;
    return FolderHandle::openBelow(root.get(), path, kFolderHandle, allowOpenat2);
}

QByteArray encodeInfoPath(const QByteArray& path)
{
    return path.toPercentEncoding(QByteArrayLiteral("/"));
}

QByteArray trashName(const QByteArray& name, int attempt)
{
    constexpr qsizetype limit = NAME_MAX - 10; // room for ".trashinfo"
    const QByteArray tag = attempt == 0 ? QByteArray() : ' ' + QByteArray::number(attempt + 1);
    // A suffix is a short ending after the last dot; a leading dot starts a hidden name, not one.
    const qsizetype dot = name.lastIndexOf('.');
    const bool hasSuffix = dot > 0 && name.size() - dot <= 32;
    QByteArray stem = hasSuffix ? name.left(dot) : name;
    const QByteArray suffix = hasSuffix ? name.mid(dot) : QByteArray();
    const qsizetype room = limit - tag.size() - suffix.size();
    if (stem.size() > room) {
        qsizetype cut = room;
        // Never keep half of a character.
        while (cut > 0 && (static_cast<unsigned char>(stem.at(cut)) & 0xC0) == 0x80)
            --cut;
        stem.truncate(cut);
    }
    return stem + tag + suffix;
}

bool moveToTrash(const QString& path, const QString& judgedFolder, const QString& home, QString* error)
{
    if (!hasExactBytes(path) || !hasExactBytes(judgedFolder))
        return fail(error, text("此名称无法被安全处理。", "This name cannot be handled safely."));
    const QString name = lastPathComponent(path);
    if (!path.startsWith(QLatin1Char('/')) || standardizedPath(path) != path || name.isEmpty()
        || !judgedFolder.startsWith(QLatin1Char('/')) || standardizedPath(judgedFolder) != judgedFolder)
        return fail(error, outsideScope());

#ifdef Q_OS_MACOS
    Q_UNUSED(home);
    QFile item(path);
    if (!item.moveToTrash())
        return fail(error, item.errorString());
    return true;
#else
    const QByteArray folderBytes = QFile::encodeName(judgedFolder);
    const QByteArray nameBytes = QFile::encodeName(name);

    // The folder the guard judged, and no other: a link on the way fails the open.
    UniqueFd folder(openFolderWithoutLinks(folderBytes));
    if (!folder.valid()) {
        const int e = errno;
        return fail(error, (e == ELOOP || e == ENOTDIR) ? folderChanged() : cannotMove(e));
    }
    if (FolderHandle::openedPath(folder.get()) != folderBytes)
        return fail(error, folderChanged());

    struct stat item { };
    if (::fstatat(folder.get(), nameBytes.constData(), &item, AT_SYMLINK_NOFOLLOW) != 0)
        return fail(error, cannotMove(errno));

    QString message;
    std::optional<Trash> trash = openTrash(home, &message);
    if (!trash)
        return fail(error, message);

    // Nothing leaves its file system: no copy, and no Trash folder made on the item's own volume.
    struct stat files { };
    if (::fstat(trash->files.get(), &files) != 0)
        return fail(error, cannotMove(errno));
    const quint64 itemMount = mountOf(folder.get(), nameBytes.constData());
    const quint64 trashMount = mountOf(trash->files.get(), "");
    if (item.st_dev != files.st_dev || (itemMount != 0 && trashMount != 0 && itemMount != trashMount))
        return fail(error, otherFileSystem());

    const QByteArray info = infoText(folderBytes + '/' + nameBytes);
    for (int attempt = 0; attempt < maxNameAttempts; ++attempt) {
        const QByteArray candidate = trashName(nameBytes, attempt);
        const QByteArray infoName = candidate + kInfoSuffix;
        UniqueFd infoFile(::openat(trash->info.get(), infoName.constData(),
                                   O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (!infoFile.valid()) {
            if (errno == EEXIST)
                continue;
            return fail(error, cannotRecord(errno));
        }
        const auto dropInfo = [&] { ::unlinkat(trash->info.get(), infoName.constData(), 0); };
        if (!writeAll(infoFile.get(), info) || ::fsync(infoFile.get()) != 0) {
            const int e = errno;
            dropInfo();
            return fail(error, cannotRecord(e));
        }
        infoFile.reset();

        if (renameNoReplace(folder.get(), nameBytes.constData(), trash->files.get(), candidate.constData()) == 0)
            return true;
        const int e = errno;
        dropInfo();
        if (e == EEXIST || e == ENOTEMPTY)
            continue; // an item of that name without its info file
        if (e == EXDEV || e == EBUSY)
            return fail(error, otherFileSystem());
        return fail(error, cannotMove(e));
    }
    return fail(error,
                text("废纸篓中同名的项目太多，这个项目没有移动。",
                     "The Trash holds too many items of this name, so this item was not moved."));
#endif
}

} // namespace roror::TrashMove
