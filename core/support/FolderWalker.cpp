#include "core/support/FolderWalker.h"

#include "core/support/ProgramStop.h"
#include "core/support/StandardPath.h"

#include <QFile>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace roror {

namespace {

constexpr int kOpenDirFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

// Listing a folder must not move its access time: the uninstall scan reads it as "last opened".
// O_NOATIME is refused for folders we do not own, so fall back to a plain open.
int openFolderAt(int parentFd, const char* name)
{
    const int fd = ::openat(parentFd, name, kOpenDirFlags | O_NOATIME);
    if (fd >= 0 || errno != EPERM)
        return fd;
    return ::openat(parentFd, name, kOpenDirFlags);
}

struct Walker {
    const WalkOptions& options;
    const WalkVisitor& visitor;
    bool stopped = false;

    // Walks the open folder `dirFd` (taken over and closed here).
    void walk(int dirFd, const QString& dirPath, int depth)
    {
        DIR* dir = ::fdopendir(dirFd);
        if (!dir) {
            ::close(dirFd);
            return;
        }
        struct Child {
            std::string name;
            unsigned char type;
        };
        std::vector<Child> children;
        while (dirent* ent = ::readdir(dir)) {
            const char* n = ent->d_name;
            if (n[0] == '.' && (n[1] == 0 || (n[1] == '.' && n[2] == 0)))
                continue;
            children.push_back({n, ent->d_type});
        }
        // The folder's descriptor stays open (through `dir`) for the *at calls below.
        const int fd = ::dirfd(dir);
        for (const Child& child : children) {
            if (stopped || programStopping())
                break;
            if (options.skipHidden && child.name[0] == '.')
                continue;
            WalkEntry entry;
            entry.name = QFile::decodeName(child.name.c_str());
            entry.path = joinPath(dirPath, entry.name);
            entry.depth = depth;
            bool typeKnown = false;
            if (options.statItems || child.type == DT_UNKNOWN) {
                struct stat st { };
                if (::fstatat(fd, child.name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
                    continue; // vanished between listing and stat
                entry.info = fileInfoFromStat(st);
                typeKnown = true;
            }
            if (!typeKnown) {
                entry.info.isDirectory = child.type == DT_DIR;
                entry.info.isRegularFile = child.type == DT_REG;
                entry.info.isSymbolicLink = child.type == DT_LNK;
            }
            const WalkAction action = visitor(entry);
            if (action == WalkAction::Stop) {
                stopped = true;
                break;
            }
            if (action == WalkAction::SkipDescendants || !entry.info.isDirectory)
                continue;
            if (options.maxDepth >= 0 && depth >= options.maxDepth)
                continue;
            if (options.skipPackageDescendants && isPackageExtension(pathExtension(entry.name)))
                continue;
            const int childFd = openFolderAt(fd, child.name.c_str());
            if (childFd < 0) {
                // Reported already as an item; passed over.
                if (options.onUnreadable)
                    options.onUnreadable(entry.path, errno);
                continue;
            }
            walk(childFd, entry.path, depth + 1);
        }
        ::closedir(dir);
    }
};

struct Measurer {
    TreeSize result;
    qint64 itemLimit = 0;
    qint64 items = 0;

    bool limitReached()
    {
        if (itemLimit > 0 && items >= itemLimit) {
            result.complete = false;
            return true;
        }
        return false;
    }

    void walk(int dirFd)
    {
        DIR* dir = ::fdopendir(dirFd);
        if (!dir) {
            ::close(dirFd);
            return;
        }
        const int fd = ::dirfd(dir);
        while (dirent* ent = ::readdir(dir)) {
            const char* n = ent->d_name;
            if (n[0] == '.' && (n[1] == 0 || (n[1] == '.' && n[2] == 0)))
                continue;
            if (limitReached() || programStopping())
                break;
            ++items;
            if (ent->d_type == DT_DIR) {
                const int childFd = openFolderAt(fd, n);
                if (childFd >= 0)
                    walk(childFd);
                continue;
            }
            if (ent->d_type != DT_REG && ent->d_type != DT_UNKNOWN)
                continue;
            struct stat st { };
            if (::fstatat(fd, n, &st, AT_SYMLINK_NOFOLLOW) != 0)
                continue;
            if (S_ISDIR(st.st_mode)) {
                const int childFd = openFolderAt(fd, n);
                if (childFd >= 0)
                    walk(childFd);
                continue;
            }
            if (!S_ISREG(st.st_mode))
                continue;
            result.allocatedBytes += static_cast<qint64>(st.st_blocks) * 512;
            result.logicalBytes += st.st_size;
            ++result.fileCount;
        }
        ::closedir(dir);
    }
};

} // namespace

bool walkFolder(const QString& root, const WalkOptions& options, const WalkVisitor& visitor)
{
    const QString rootPath = root.size() > 1 && root.endsWith(QLatin1Char('/')) ? root.chopped(1) : root;
    const int fd = openFolderAt(AT_FDCWD, QFile::encodeName(rootPath).constData());
    if (fd < 0)
        return false;
    Walker walker{options, visitor};
    walker.walk(fd, rootPath, 1);
    return true;
}

TreeSize measureTree(const QString& root, qint64 itemLimit)
{
    Measurer measurer;
    measurer.itemLimit = itemLimit;
    const QByteArray path = QFile::encodeName(root);
    struct stat st { };
    if (::lstat(path.constData(), &st) != 0)
        return measurer.result;
    if (S_ISREG(st.st_mode)) {
        measurer.result.allocatedBytes = static_cast<qint64>(st.st_blocks) * 512;
        measurer.result.logicalBytes = st.st_size;
        measurer.result.fileCount = 1;
        return measurer.result;
    }
    if (!S_ISDIR(st.st_mode))
        return measurer.result;
    const int fd = openFolderAt(AT_FDCWD, path.constData());
    if (fd >= 0)
        measurer.walk(fd);
    return measurer.result;
}

} // namespace roror
