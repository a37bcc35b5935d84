#include "core/engines/clean/LocalCleanExecutor.h"

#include "core/engines/clean/CleanFileError.h"
#include "core/engines/clean/CleanWhitelistMatcher.h"
#include "core/engines/clean/CleanWhitelistStore.h"
#include "core/engines/clean/LocalCleanPreview.h"
#include "core/model/AppLocalization.h"
#include "core/support/FolderHandle.h"
#include "core/support/Log.h"
#include "core/support/ProgramStop.h"
#include "core/support/StandardPath.h"
#include "platform/HomeTrash.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace roror::LocalCleanExecutor {

namespace {

constexpr int kOpenDirFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

using Fd = FolderHandle::UniqueFd;

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

// The lstat record of an item and the mount it lies on: a folder mounted inside a cache (a bind
// mount of the same file system too) has its own mount, though it may share the device number.
struct ItemStat {
    struct stat st { };
    std::optional<quint64> mountId;
};

bool statItem(int dirFd, const char* name, int flags, ItemStat& out)
{
    struct statx stx { };
    if (::statx(dirFd, name, flags | AT_SYMLINK_NOFOLLOW, STATX_BASIC_STATS | STATX_MNT_ID, &stx) == 0) {
        out.st = {};
        out.st.st_mode = stx.stx_mode;
        out.st.st_dev = makedev(stx.stx_dev_major, stx.stx_dev_minor);
        out.st.st_ino = stx.stx_ino;
        out.st.st_nlink = stx.stx_nlink;
        out.st.st_blocks = static_cast<blkcnt_t>(stx.stx_blocks);
        out.mountId = (stx.stx_mask & STATX_MNT_ID) ? std::optional<quint64>(stx.stx_mnt_id) : std::nullopt;
        return true;
    }
    if (errno != ENOSYS)
        return false;
    out.mountId = std::nullopt;
    return ::fstatat(dirFd, name, &out.st, flags | AT_SYMLINK_NOFOLLOW) == 0;
}

// The file system (device and mount) of the entry being emptied; nothing on another one is touched.
struct Device {
    dev_t dev;
    std::optional<quint64> mountId;

    bool holds(const ItemStat& item) const
    {
        return item.st.st_dev == dev && (!mountId || !item.mountId || *mountId == *item.mountId);
    }
};

qint64 allocatedSize(const struct stat& st)
{
    return static_cast<qint64>(st.st_blocks) * 512;
}

std::optional<std::vector<QByteArray>> listNames(int dirFd)
{
    // A separate open of the same folder, so listing it does not move `dirFd`.
    const int listFd = ::openat(dirFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listFd < 0)
        return std::nullopt;
    DIR* dir = ::fdopendir(listFd);
    if (!dir) {
        ::close(listFd);
        return std::nullopt;
    }
    std::vector<QByteArray> names;
    while (const dirent* ent = ::readdir(dir)) {
        const char* n = ent->d_name;
        if (n[0] == '.' && (n[1] == 0 || (n[1] == '.' && n[2] == 0)))
            continue;
        names.emplace_back(n);
    }
    ::closedir(dir);
    return names;
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
    if (const auto opened = FolderHandle::openedPath(fd))
        return QFile::decodeName(*opened);
    // No /proc: resolve the path and make sure it still names the folder that is open.
    const auto resolved = resolvedPath(openedPath);
    struct stat opened { };
    struct stat named { };
    if (!resolved || ::fstat(fd, &opened) != 0 || ::stat(QFile::encodeName(*resolved).constData(), &named) != 0
        || opened.st_dev != named.st_dev || opened.st_ino != named.st_ino)
        return std::nullopt;
    return resolved;
}

// Strictly inside one of the roots, and none of the places that are never emptied.
bool mayBeEmptied(const QString& path, const QStringList& roots, const QStringList& neverEmptied)
{
    if (neverEmptied.contains(path))
        return false;
    return std::any_of(roots.begin(), roots.end(), [&](const QString& root) { return isPathInside(path, root); });
}

// The folders a root holds that are roots of their own (the home folder, its Library and
// Applications are never emptied).
QStringList neverEmptiedFor(const QStringList& roots)
{
    QStringList result;
    for (const QString& root : roots)
        result << root << joinPath(root, QStringLiteral("Library")) << joinPath(root, QStringLiteral("Applications"));
    return result;
}

QString parentPath(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash <= 0 ? QStringLiteral("/") : path.left(slash);
}

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

class Cleaner {
public:
    using Scope = CleanWhitelistMatcher::Scope;
    using ChildName = CleanWhitelistMatcher::ChildName;

    explicit Cleaner(const CleanWhitelistMatcher& matcher)
        : m_matcher(matcher)
    {
    }

    // A path is protected when the list covers it as written or where its links lead.
    bool isProtected(const QStringList& paths) const
    {
        return std::any_of(paths.begin(), paths.end(), [&](const QString& p) { return m_matcher.covers(p); });
    }

    // A file (or link) named by an entry.
    Outcome removeFile(int parentFd, const QByteArray& name, const struct stat& st, const QString& path)
    {
        if (::unlinkat(parentFd, name.constData(), 0) != 0) {
            qCInfo(log::clean) << "clean: failed, cannot be removed:" << path << systemError(errno);
            return {.failed = 1};
        }
        return {.removed = 1, .bytes = freedBytes(st)};
    }

    // Removes every unprotected item below the open folder `folderFd` and keeps the folder. A folder
    // below it goes whole, or, when something in it stays, item by item. The walk keeps its place on
    // a heap stack rather than the call stack and holds one folder open at a time, so no depth of
    // nesting can exhaust either; climbing back is checked against the folder it came from.
    // `paths` are the folder's path as written and where its links lead, checked alike.
    Outcome emptyFolder(int folderFd, const ItemStat& folder, const QStringList& paths)
    {
        const Device device{folder.st.st_dev, folder.mountId};
        auto names = listNames(folderFd);
        Fd current(::fcntl(folderFd, F_DUPFD_CLOEXEC, 0));
        if (!names || !current.valid()) {
            qCInfo(log::clean) << "clean: failed, cannot be listed:" << paths.first();
            return {.failed = 1};
        }

        struct Frame {
            QByteArray name; // in the folder above; empty for the folder being emptied
            struct stat st;
            std::vector<QByteArray> pending;
            size_t next = 0;
            Outcome inner;
            std::vector<Scope> scopes; // one per path of `paths`, for this folder's children
            bool leads = false;        // on the way to a protected path: stays
        };
        std::vector<Frame> stack;
        std::vector<Scope> rootScopes;
        for (const QString& path : paths)
            rootScopes.push_back(m_matcher.scope(path));
        stack.push_back({QByteArray(), folder.st, std::move(*names), 0, {}, std::move(rootScopes), false});

        // Built only when the log asks for it.
        const auto pathOf = [&](const QByteArray& name) {
            QString path = paths.first();
            for (size_t i = 1; i < stack.size(); ++i)
                path += QLatin1Char('/') + QFile::decodeName(stack[i].name);
            return name.isEmpty() ? path : path + QLatin1Char('/') + QFile::decodeName(name);
        };

        for (;;) {
            if (programStopping()) {
                // The program is closing: what is removed stays removed, the rest stays in place.
                Outcome total;
                for (const Frame& frame : stack)
                    total += frame.inner;
                total.kept = true;
                return total;
            }
            if (stack.back().next < stack.back().pending.size()) {
                Frame& top = stack.back();
                QByteArray name = std::move(top.pending[top.next++]);
                const ChildName child(name.constData());
                const auto anyScope
                    = [&](auto&& test) { return std::any_of(top.scopes.begin(), top.scopes.end(), test); };
                if (anyScope([&](const Scope& scope) { return m_matcher.coversChild(scope, child); })) {
                    top.inner.kept = true;
                    qCInfo(log::clean) << "clean: kept, protected:" << pathOf(name);
                    continue;
                }
                ItemStat item;
                if (!statItem(current.get(), name.constData(), 0, item) || !device.holds(item)) {
                    top.inner.failed += 1; // vanished, unreadable, or on another file system
                    qCInfo(log::clean) << "clean: failed, vanished, unreadable or on another file system:"
                                       << pathOf(name);
                    continue;
                }
                const auto leads = [&] {
                    return anyScope([&](const Scope& scope) { return m_matcher.childLeadsToProtected(scope, child); });
                };
                if (!S_ISDIR(item.st.st_mode)) {
                    // Only a link can lead somewhere; a regular file is kept only when it is covered.
                    if (S_ISLNK(item.st.st_mode) && leads()) {
                        top.inner.kept = true;
                        qCInfo(log::clean) << "clean: kept, a link on the way to a protected path:" << pathOf(name);
                    } else {
                        top.inner += removeFile(current.get(), name, item.st, pathOf(name));
                    }
                    continue;
                }
                Fd childFd(::openat(current.get(), name.constData(), kOpenDirFlags));
                ItemStat opened;
                std::optional<std::vector<QByteArray>> childNames;
                if (childFd.valid() && statItem(childFd.get(), "", AT_EMPTY_PATH, opened)
                    && opened.st.st_ino == item.st.st_ino && device.holds(opened))
                    childNames = listNames(childFd.get());
                if (!childNames) {
                    top.inner.failed += 1;
                    qCInfo(log::clean) << "clean: failed, cannot be opened:" << pathOf(name);
                    continue;
                }
                std::vector<Scope> scopes;
                for (const Scope& scope : top.scopes)
                    scopes.push_back(m_matcher.childScope(scope, child.composed()));
                const bool folderLeads = leads();
                stack.push_back(
                    {std::move(name), item.st, std::move(*childNames), 0, {}, std::move(scopes), folderLeads});
                std::swap(current, childFd);
                continue;
            }

            if (stack.size() == 1)
                return stack.front().inner;

            Frame done = std::move(stack.back());
            stack.pop_back();
            // A folder on the way to a protected path stays, even when that path is not there yet.
            if (done.leads) {
                done.inner.kept = true;
                qCInfo(log::clean) << "clean: kept, a folder on the way to a protected path:" << pathOf(done.name);
            }
            Fd parent(::openat(current.get(), "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
            struct stat parentStat { };
            if (!parent.valid() || ::fstat(parent.get(), &parentStat) != 0
                || parentStat.st_dev != stack.back().st.st_dev || parentStat.st_ino != stack.back().st.st_ino) {
                // The tree was moved while it was being emptied: stop rather than act on a folder
                // that is no longer where the walk found it.
                qCInfo(log::clean) << "clean: failed, moved while it was emptied:" << pathOf(done.name);
                Outcome total = done.inner;
                for (const Frame& frame : stack)
                    total += frame.inner;
                total.failed += 1;
                return total;
            }
            std::swap(current, parent);
            Frame& up = stack.back();
            if (done.inner.kept || done.inner.failed > 0) {
                up.inner += done.inner; // the folder stays; what went inside counts item by item
                continue;
            }
            if (::unlinkat(current.get(), done.name.constData(), AT_REMOVEDIR) != 0) {
                qCInfo(log::clean) << "clean: failed, cannot be removed:" << pathOf(done.name) << systemError(errno);
                up.inner += done.inner;
                up.inner.failed += 1;
                continue;
            }
            up.inner.removed += 1;
            up.inner.bytes += done.inner.bytes + allocatedSize(done.st);
        }
    }

private:
    // Removing a name frees the file's space only when it was the file's last link; a file linked
    // from elsewhere too stays on the disk, and its last name here counts it once.
    static qint64 freedBytes(const struct stat& st) { return st.st_nlink == 1 ? allocatedSize(st) : 0; }

    const CleanWhitelistMatcher& m_matcher;
};

bool hasCleanableEntry(const CleanPreviewReport& report)
{
    return std::any_of(report.entries.begin(), report.entries.end(), [](const CleanPreviewReport::Entry& e) {
        return e.status == CleanPreviewEntryStatus::cleanable;
    });
}

bool isMissing(int error)
{
    return error == ENOENT || error == ENOTDIR;
}

} // namespace

LocalCleanResult clean(const CleanPreviewReport& report, const QStringList& allowedRoots)
{
    const QSet<QString> running
        = hasCleanableEntry(report) ? LocalCleanPreview::runningProcessNames() : QSet<QString>();
    return clean(report, allowedRoots, running);
}

LocalCleanResult clean(const CleanPreviewReport& report, const QStringList& allowedRoots,
                       const QSet<QString>& runningApps)
{
    QStringList rootPaths;
    QStringList resolvedRoots;
    for (const QString& root : allowedRoots) {
        if (!root.startsWith(QLatin1Char('/')) || root.contains(QChar(0)))
            continue; // a relative root names no fixed place; the kernel would cut a path at a NUL
        const QString standardized = standardizedPath(root);
        const auto resolved = resolvedPath(standardized);
        if (standardized == QLatin1String("/") || resolved == QStringLiteral("/"))
            continue; // the file system root would let a report empty any folder on the machine
        rootPaths.append(standardized);
        if (resolved)
            resolvedRoots.append(*resolved);
    }
    const QStringList neverEmptied = neverEmptiedFor(rootPaths);
    const QStringList neverEmptiedResolved = neverEmptiedFor(resolvedRoots);
    // The protection list belongs to the first root that is taken, never to one that was refused.
    const QString home = rootPaths.isEmpty() ? standardizedPath(QDir::homePath()) : rootPaths.first();

    QStringList patterns;
    try {
        patterns = CleanWhitelistStore::loadForClean(home).patterns;
    } catch (const CleanFileError& error) {
        qCInfo(log::clean) << "clean: stopped before removing anything:" << error.description();
        LocalCleanResult stopped;
        stopped.errorDescription = error.kind() == CleanFileError::Kind::neverMatches
            ? AppLocalization::coreText(QStringLiteral("保护名单中有无法使用的一行，未删除任何内容。")
                                            + error.description(),
                                        QStringLiteral("The protection list holds a line that cannot be used, so "
                                                       "nothing was removed. ")
                                            + error.description())
            : AppLocalization::coreText(
                QStringLiteral("无法读取保护名单，未删除任何内容。") + error.description(),
                QStringLiteral("The protection list could not be read, so nothing was removed. ")
                    + error.description());
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
    const QString trash = standardizedPath(HomeTrash::folder(home));
    Cleaner cleaner(matcher);

    Outcome total;
    const auto passOver
        = [](const QString& path, const char* why) { qCInfo(log::clean) << "clean: passed over," << why << path; };
    const auto fail = [&total](const QString& path, const char* why) {
        qCInfo(log::clean) << "clean: failed," << why << path;
        total.failed += 1;
    };
    for (const CleanPreviewReport::Entry& entry : report.entries) {
        if (programStopping())
            break;
        if (entry.status != CleanPreviewEntryStatus::cleanable)
            continue;
        if (!entry.path.startsWith(QLatin1Char('/')) || entry.path.contains(QChar(0))) {
            passOver(entry.path, "not an absolute path:");
            continue;
        }
        const QString target = standardizedPath(entry.path);
        if (!mayBeEmptied(target, rootPaths, neverEmptied)) {
            passOver(target, "not inside an allowed root:");
            continue;
        }
        if (matcher.covers(target)) {
            passOver(target, "protected:");
            continue;
        }

        const QString name = lastPathComponent(target);
        const Fd parentFd(
            ::open(QFile::encodeName(parentPath(target)).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (!parentFd.valid()) {
            if (isMissing(errno))
                passOver(target, "missing:");
            else
                fail(target, "its folder cannot be opened:");
            continue;
        }
        const auto realParent = resolvedPathOfFolder(parentFd.get(), parentPath(target));
        if (!realParent) {
            passOver(target, "its folder cannot be located:");
            continue;
        }
        const QString realTarget = joinPath(*realParent, name);
        if (!mayBeEmptied(realTarget, resolvedRoots, neverEmptiedResolved)) {
            passOver(target, "leads outside the allowed roots:");
            continue;
        }
        const QStringList paths = realTarget == target ? QStringList{target} : QStringList{target, realTarget};
        if (cleaner.isProtected(paths)) {
            passOver(target, "protected where its links lead:");
            continue;
        }

        const QByteArray encodedName = QFile::encodeName(name);
        ItemStat item;
        if (!statItem(parentFd.get(), encodedName.constData(), 0, item)) {
            if (isMissing(errno))
                passOver(target, "missing:");
            else
                fail(target, "cannot be read:");
            continue;
        }
        if (S_ISLNK(item.st.st_mode)) {
            passOver(target, "a link:"); // never emptied through
            continue;
        }
        // The entry itself must lie on the file system of the folder holding it: a mount point
        // (a bind mount of another folder too) is never entered or removed.
        ItemStat parent;
        if (!statItem(parentFd.get(), "", AT_EMPTY_PATH, parent)) {
            fail(target, "its folder cannot be read:");
            continue;
        }
        const Device parentDevice{parent.st.st_dev, parent.mountId};
        if (!parentDevice.holds(item)) {
            fail(target, "a mount point or on another file system:");
            continue;
        }
        if (!S_ISDIR(item.st.st_mode)) {
            total += cleaner.removeFile(parentFd.get(), encodedName, item.st, target);
            continue;
        }
        const Fd dirFd(::openat(parentFd.get(), encodedName.constData(), kOpenDirFlags));
        ItemStat opened;
        if (!dirFd.valid() || !statItem(dirFd.get(), "", AT_EMPTY_PATH, opened)) {
            fail(target, "cannot be opened:"); // a folder the clean was asked to empty
            continue;
        }
        if (opened.st.st_ino != item.st.st_ino || !parentDevice.holds(opened)) {
            fail(target, "replaced or mounted over while it was opened:");
            continue;
        }
        const QStringList contentFolders = target == trash ? HomeTrash::contentFolders() : QStringList();
        if (contentFolders.isEmpty()) {
            total += cleaner.emptyFolder(dirFd.get(), opened, paths);
            continue;
        }
        // The Trash keeps its own folders; what they hold goes together.
        for (const QString& content : contentFolders) {
            QStringList contentPaths;
            for (const QString& path : paths)
                contentPaths.append(joinPath(path, content));
            const QByteArray contentName = QFile::encodeName(content);
            ItemStat contentStat;
            if (cleaner.isProtected(contentPaths)) {
                passOver(contentPaths.first(), "protected:");
                continue;
            }
            if (!statItem(dirFd.get(), contentName.constData(), 0, contentStat) || !S_ISDIR(contentStat.st.st_mode))
                continue; // a Trash without this folder
            const Fd contentFd(::openat(dirFd.get(), contentName.constData(), kOpenDirFlags));
            ItemStat contentOpened;
            if (!contentFd.valid() || !statItem(contentFd.get(), "", AT_EMPTY_PATH, contentOpened)
                || !Device{opened.st.st_dev, opened.mountId}.holds(contentOpened)) {
                fail(contentPaths.first(), "cannot be opened, or on another file system:");
                continue;
            }
            total += cleaner.emptyFolder(contentFd.get(), contentOpened, contentPaths);
        }
    }
    return {total.removed, total.failed, total.bytes, std::nullopt};
}

} // namespace roror::LocalCleanExecutor
