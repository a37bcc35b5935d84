#include "core/engines/clean/LocalCleanExecutor.h"

#include "core/engines/clean/CleanFileError.h"
#include "core/engines/clean/CleanWhitelistMatcher.h"
#include "core/engines/clean/CleanWhitelistStore.h"
#include "core/engines/clean/LocalCleanPreview.h"
#include "core/model/AppLocalization.h"
#include "core/support/StandardPath.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace roror::LocalCleanExecutor {

namespace {

constexpr int kOpenDirFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

// A descriptor closed when it goes out of scope.
struct Fd {
    int fd = -1;
    explicit Fd(int value) : fd(value) {}
    ~Fd()
    {
        if (fd >= 0)
            ::close(fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    bool valid() const { return fd >= 0; }
};

struct Outcome {
    qint64 removed = 0;
    qint64 failed = 0;
    qint64 bytes = 0;
    bool kept = false; // something protected stays inside, so the folder must stay too

    Outcome& operator+=(const Outcome& other)
    {
        removed += other.removed;
        failed += other.failed;
        bytes += other.bytes;
        kept = kept || other.kept;
        return *this;
    }
};

qint64 allocatedSize(const struct stat& st)
{
    return static_cast<qint64>(st.st_blocks) * 512;
}

std::optional<QString> resolvedPath(const QString& path)
{
    char buffer[PATH_MAX];
    if (!::realpath(QFile::encodeName(path).constData(), buffer))
        return std::nullopt;
    return QFile::decodeName(buffer);
}

// Where an open folder really is, whatever links the path that opened it went through.
std::optional<QString> resolvedPathOfFolder(int fd, const QString& openedPath)
{
    char buffer[PATH_MAX];
    const QByteArray link = "/proc/self/fd/" + QByteArray::number(fd);
    const ssize_t length = ::readlink(link.constData(), buffer, sizeof buffer - 1);
    if (length > 0 && buffer[0] == '/') {
        buffer[length] = 0;
        return QFile::decodeName(buffer);
    }
    // No /proc: resolve the path and make sure it still names the folder that is open.
    const auto resolved = resolvedPath(openedPath);
    struct stat opened {};
    struct stat named {};
    if (!resolved || ::fstat(fd, &opened) != 0 || ::stat(QFile::encodeName(*resolved).constData(), &named) != 0
        || opened.st_dev != named.st_dev || opened.st_ino != named.st_ino)
        return std::nullopt;
    return resolved;
}

// Strictly inside one of the roots, and none of them itself.
bool isStrictlyInside(const QString& path, const QStringList& roots)
{
    if (roots.contains(path))
        return false;
    return std::any_of(roots.begin(), roots.end(), [&](const QString& root) { return isPathInside(path, root); });
}

QString parentPath(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash <= 0 ? QStringLiteral("/") : path.left(slash);
}

class Cleaner {
public:
    explicit Cleaner(const CleanWhitelistMatcher& matcher) : m_matcher(matcher) {}

    // A path is protected when the list covers it as written or where its links lead.
    bool isProtected(const QStringList& paths) const
    {
        return std::any_of(paths.begin(), paths.end(), [&](const QString& p) { return m_matcher.covers(p); });
    }

    // Removes every unprotected child of the open folder `dirFd`; false when it cannot be listed.
    bool purgeChildren(int dirFd, const QStringList& paths, Outcome& outcome) const
    {
        std::vector<QByteArray> names;
        {
            // A separate open of the same folder, so listing it does not move `dirFd`.
            const int listFd = ::openat(dirFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            if (listFd < 0)
                return false;
            DIR* dir = ::fdopendir(listFd);
            if (!dir) {
                ::close(listFd);
                return false;
            }
            while (const dirent* ent = ::readdir(dir)) {
                const char* n = ent->d_name;
                if (n[0] == '.' && (n[1] == 0 || (n[1] == '.' && n[2] == 0)))
                    continue;
                names.emplace_back(n);
            }
            ::closedir(dir);
        }
        for (const QByteArray& name : names) {
            const QString decoded = QFile::decodeName(name);
            QStringList childPaths;
            for (const QString& path : paths)
                childPaths.append(joinPath(path, decoded));
            outcome += purgeItem(dirFd, name, childPaths);
        }
        return true;
    }

    // One item: a file or link is unlinked (a link as the link itself); a folder is removed whole, or,
    // when something protected lies inside it, only what is not protected is removed.
    Outcome purgeItem(int parentFd, const QByteArray& name, const QStringList& paths) const
    {
        if (isProtected(paths))
            return {.kept = true};
        struct stat st {};
        if (::fstatat(parentFd, name.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0)
            return {.failed = 1};
        if (!S_ISDIR(st.st_mode)) {
            if (::unlinkat(parentFd, name.constData(), 0) != 0)
                return {.failed = 1};
            return {.removed = 1, .bytes = allocatedSize(st)};
        }
        Outcome inner;
        {
            const Fd dirFd(::openat(parentFd, name.constData(), kOpenDirFlags));
            if (!dirFd.valid() || !purgeChildren(dirFd.fd, paths, inner))
                return {.failed = 1};
        }
        if (inner.kept || inner.failed > 0)
            return inner; // the folder stays; what was removed inside counts item by item
        if (::unlinkat(parentFd, name.constData(), AT_REMOVEDIR) != 0) {
            inner.failed += 1;
            return inner;
        }
        return {.removed = 1, .bytes = inner.bytes + allocatedSize(st)};
    }

private:
    const CleanWhitelistMatcher& m_matcher;
};

bool hasCleanableEntry(const CleanPreviewReport& report)
{
    return std::any_of(report.entries.begin(), report.entries.end(), [](const CleanPreviewReport::Entry& e) {
        return e.status == CleanPreviewEntryStatus::cleanable;
    });
}

} // namespace

LocalCleanResult clean(const CleanPreviewReport& report, const QStringList& allowedRoots)
{
    const QSet<QString> running = hasCleanableEntry(report) ? LocalCleanPreview::runningProcessNames() : QSet<QString>();
    return clean(report, allowedRoots, running);
}

LocalCleanResult clean(const CleanPreviewReport& report, const QStringList& allowedRoots,
                       const QSet<QString>& runningApps)
{
    QStringList rootPaths;
    QStringList resolvedRoots;
    for (const QString& root : allowedRoots) {
        if (!root.startsWith(QLatin1Char('/')))
            continue; // a relative root names no fixed place
        const QString standardized = standardizedPath(root);
        const auto resolved = resolvedPath(standardized);
        if (standardized == QLatin1String("/") || resolved == QStringLiteral("/"))
            continue; // the file system root would let a report empty any folder on the machine
        rootPaths.append(standardized);
        if (resolved)
            resolvedRoots.append(*resolved);
    }
    // The protection list belongs to the first root that is taken, never to one that was refused.
    const QString home = rootPaths.isEmpty() ? standardizedPath(QDir::homePath()) : rootPaths.first();

    QStringList patterns;
    try {
        patterns = CleanWhitelistStore::load(home).patterns;
    } catch (const CleanFileError& error) {
        LocalCleanResult stopped;
        stopped.errorDescription = AppLocalization::coreText(
            QStringLiteral("无法读取保护名单，未删除任何内容。") + error.description(),
            QStringLiteral("The protection list could not be read, so nothing was removed. ") + error.description());
        return stopped;
    }
    CleanWhitelistMatcher matcher(patterns, home);
    // A browser that runs now keeps its caches, as the preview said it would.
    for (const LocalCleanPreview::BrowserLocations& browser : LocalCleanPreview::browserLocations()) {
        const bool running = std::any_of(browser.processNames.begin(), browser.processNames.end(),
                                         [&](const QString& name) { return runningApps.contains(name); });
        if (!running)
            continue;
        for (const QString& relative : browser.urls)
            matcher.addProtectedFolder(joinPath(home, relative));
    }
    const Cleaner cleaner(matcher);

    Outcome total;
    for (const CleanPreviewReport::Entry& entry : report.entries) {
        if (entry.status != CleanPreviewEntryStatus::cleanable)
            continue;
        if (!entry.path.startsWith(QLatin1Char('/')))
            continue;
        const QString target = standardizedPath(entry.path);
        if (!isStrictlyInside(target, rootPaths) || matcher.covers(target))
            continue;

        const QString name = lastPathComponent(target);
        const Fd parentFd(::open(QFile::encodeName(parentPath(target)).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (!parentFd.valid())
            continue;
        const auto realParent = resolvedPathOfFolder(parentFd.fd, parentPath(target));
        if (!realParent)
            continue;
        const QString realTarget = joinPath(*realParent, name);
        if (!isStrictlyInside(realTarget, resolvedRoots))
            continue;
        const QStringList paths = realTarget == target ? QStringList{target} : QStringList{target, realTarget};
        if (cleaner.isProtected(paths))
            continue;

        const QByteArray encodedName = QFile::encodeName(name);
        struct stat st {};
        if (::fstatat(parentFd.fd, encodedName.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0)
            continue; // missing
        if (S_ISLNK(st.st_mode))
            continue; // an entry that is a link is never emptied through
        if (S_ISDIR(st.st_mode)) {
            const Fd dirFd(::openat(parentFd.fd, encodedName.constData(), kOpenDirFlags));
            Outcome inner;
            if (dirFd.valid() && cleaner.purgeChildren(dirFd.fd, paths, inner))
                total += inner;
            continue;
        }
        total += cleaner.purgeItem(parentFd.fd, encodedName, paths);
    }
    return {total.removed, total.failed, total.bytes, std::nullopt};
}

} // namespace roror::LocalCleanExecutor
