#include "core/engines/analysis/LocalAnalysis.h"

#include "core/support/StandardPath.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <mutex>
#include <string>
#include <strings.h>
#include <sys/stat.h>
#include <system_error>
#include <thread>
#include <unistd.h>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace roror::LocalAnalysis {

namespace {

constexpr int kOpenFolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
constexpr size_t kListingBufferSize = 64 * 1024;
constexpr int kMaxWorkers = 32;

// Where an item stands in a depth-first walk that lists every folder in the file system's own order:
// the listing index of each folder on the way down, then the item's own index. Comparing two of
// these gives the order a single-threaded walk would have met the items in, whichever thread
// actually listed them.
using WalkOrder = std::vector<uint32_t>;

struct FolderTask {
    std::string path;   // standardized, as bytes
    WalkOrder order;    // empty inside bundles, whose files are never ranked
    uint32_t slot = 0;  // the top-level child the folder lies in
    bool inBundle = false;
};

struct TopLevelSeed {
    std::string name;
    bool isDirectory = false;
};

struct LargeFile {
    qint64 size = 0;
    WalkOrder order;
    std::string path;
};

// Larger files first, equal sizes in walk order.
bool ranksBefore(const LargeFile& a, const LargeFile& b)
{
    if (a.size != b.size)
        return a.size > b.size;
    return a.order < b.order;
}

// Whether the item at `index` inside the folder at `folderOrder` comes before `other` in the walk.
bool walksBefore(const WalkOrder& folderOrder, uint32_t index, const WalkOrder& other)
{
    const size_t common = std::min(folderOrder.size(), other.size());
    for (size_t i = 0; i < common; ++i) {
        if (folderOrder[i] != other[i])
            return folderOrder[i] < other[i];
    }
    if (other.size() <= folderOrder.size())
        return false;
    return index < other[folderOrder.size()];
}

bool isBundleName(const char* name)
{
    const char* dot = std::strrchr(name, '.');
    if (!dot || dot == name || dot[1] == 0)
        return false;
    const char* extension = dot + 1;
    return ::strcasecmp(extension, "app") == 0 || ::strcasecmp(extension, "framework") == 0
        || ::strcasecmp(extension, "xcarchive") == 0;
}

std::string joinBytes(const std::string& folder, const char* name)
{
    std::string path;
    path.reserve(folder.size() + std::strlen(name) + 1);
    path = folder;
    if (path.empty() || path.back() != '/')
        path.push_back('/');
    path.append(name);
    return path;
}

// Protected paths as folder -> names of its children that are never seeded, entered or counted.
struct ProtectedChildren {
    std::unordered_map<std::string, std::unordered_set<std::string>> byFolder;

    const std::unordered_set<std::string>* inFolder(const std::string& folder) const
    {
        if (byFolder.empty())
            return nullptr;
        const auto it = byFolder.find(folder);
        return it == byFolder.end() ? nullptr : &it->second;
    }
};

// The personal folders are left out only when the root is the home folder itself.
ProtectedChildren protectedChildPaths(const QString& root)
{
    ProtectedChildren result;
    const QString home = standardizedPath(QDir::homePath());
    if (root != home)
        return result;
    for (const char* relative : {"Desktop", "Documents", "Downloads", "Library/Mobile Documents"}) {
        const QString path = standardizedPath(joinPath(home, QString::fromUtf8(relative)));
        const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
        const QString folder = slash == 0 ? QStringLiteral("/") : path.left(slash);
        result.byFolder[QFile::encodeName(folder).toStdString()].insert(
            QFile::encodeName(path.mid(slash + 1)).toStdString());
    }
    return result;
}

// What one thread has counted; the tallies of all threads are added up at the end.
struct Tally {
    qint64 totalSize = 0;
    qint64 totalFiles = 0;
    std::vector<qint64> slotBytes;
    std::vector<LargeFile> largest; // a heap whose front is the weakest of the kept files
    std::vector<char> listing;

    void addToSlot(uint32_t slot, qint64 bytes)
    {
        if (slot >= slotBytes.size())
            slotBytes.resize(slot + 1, 0);
        slotBytes[slot] += bytes;
    }

    // Keeps the best `listLimit` files seen; any file outside them cannot make the final list.
    void offerLargeFile(qint64 size, const FolderTask& folder, uint32_t index, const char* name)
    {
        if (largest.size() >= static_cast<size_t>(listLimit)) {
            const LargeFile& weakest = largest.front();
            if (size < weakest.size)
                return;
            if (size == weakest.size && !walksBefore(folder.order, index, weakest.order))
                return;
            std::pop_heap(largest.begin(), largest.end(), ranksBefore);
            largest.pop_back();
        }
        LargeFile file;
        file.size = size;
        file.order.reserve(folder.order.size() + 1);
        file.order = folder.order;
        file.order.push_back(index);
        file.path = joinBytes(folder.path, name);
        largest.push_back(std::move(file));
        std::push_heap(largest.begin(), largest.end(), ranksBefore);
    }
};

// Lists one open folder: counts its regular files and returns its subfolders in `found`.
// With `seeds` (the root's own listing) every child becomes a top-level record of its own.
void scanFolder(const FolderTask& folder, int fd, const ProtectedChildren& protectedChildren, Tally& tally,
                std::vector<FolderTask>& found, std::vector<TopLevelSeed>* seeds)
{
    const auto* protectedHere = folder.inBundle ? nullptr : protectedChildren.inFolder(folder.path);
    if (tally.listing.empty())
        tally.listing.resize(kListingBufferSize);
    uint32_t index = 0;
    for (;;) {
        const ssize_t length = ::getdents64(fd, tally.listing.data(), tally.listing.size());
        if (length <= 0)
            break; // end of the folder, or it became unreadable: what was read still counts
        for (ssize_t offset = 0; offset < length;) {
            const auto* item = reinterpret_cast<const struct dirent64*>(tally.listing.data() + offset);
            offset += item->d_reclen;
            const uint32_t itemIndex = index++;
            const char* name = item->d_name;
            if (name[0] == '.')
                continue; // hidden, and the "." and ".." links
            if (protectedHere && protectedHere->count(name))
                continue;

            unsigned char type = item->d_type;
            struct stat st {};
            bool statted = false;
            if (type == DT_UNKNOWN) {
                if (::fstatat(fd, name, &st, AT_SYMLINK_NOFOLLOW) == 0) {
                    statted = true;
                    type = S_ISDIR(st.st_mode) ? DT_DIR : S_ISREG(st.st_mode) ? DT_REG : DT_UNKNOWN;
                }
            }

            uint32_t slot = folder.slot;
            if (seeds) {
                slot = static_cast<uint32_t>(seeds->size());
                seeds->push_back({name, type == DT_DIR});
            }

            if (type == DT_DIR) {
                FolderTask child;
                child.path = joinBytes(folder.path, name);
                child.slot = slot;
                child.inBundle = folder.inBundle || isBundleName(name);
                if (!child.inBundle) {
                    child.order.reserve(folder.order.size() + 1);
                    child.order = folder.order;
                    child.order.push_back(itemIndex);
                }
                found.push_back(std::move(child));
            } else if (type == DT_REG) {
                if (!statted && ::fstatat(fd, name, &st, AT_SYMLINK_NOFOLLOW) != 0)
                    continue;
                if (!S_ISREG(st.st_mode))
                    continue; // replaced since it was listed
                const qint64 size = st.st_size;
                tally.totalSize += size;
                ++tally.totalFiles;
                tally.addToSlot(slot, size);
                if (!folder.inBundle)
                    tally.offerLargeFile(size, folder, itemIndex, name);
            }
            // Links, devices, sockets and pipes add nothing.
        }
    }
}

// Folders waiting to be listed. Last in, first out keeps the number waiting near the depth of the
// tree times its width rather than a whole level of it.
class FolderQueue {
public:
    explicit FolderQueue(std::vector<FolderTask>&& tasks)
        : m_waiting(std::move(tasks))
        , m_unfinished(m_waiting.size())
    {
    }

    // Waits for a folder; false once every folder has been listed.
    bool take(FolderTask& task)
    {
        std::unique_lock lock(m_mutex);
        m_wake.wait(lock, [this] { return !m_waiting.empty() || m_unfinished == 0; });
        if (m_waiting.empty())
            return false;
        task = std::move(m_waiting.back());
        m_waiting.pop_back();
        return true;
    }

    // Marks the caller's folder as listed and shares the subfolders it found, keeping one of them
    // in `task` for the caller to go on with (returns false when there was none).
    bool finish(std::vector<FolderTask>& found, FolderTask& task)
    {
        const bool keep = !found.empty();
        if (keep) {
            task = std::move(found.back());
            found.pop_back();
        }
        const size_t shared = found.size();
        bool allDone = false;
        {
            std::lock_guard lock(m_mutex);
            for (FolderTask& folder : found)
                m_waiting.push_back(std::move(folder));
            m_unfinished += shared + (keep ? 1 : 0);
            m_unfinished -= 1;
            allDone = m_unfinished == 0;
        }
        found.clear();
        if (allDone || shared > 1)
            m_wake.notify_all();
        else if (shared == 1)
            m_wake.notify_one();
        return keep;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::vector<FolderTask> m_waiting;
    size_t m_unfinished = 0;
};

void work(FolderQueue& queue, const ProtectedChildren& protectedChildren, Tally& tally)
{
    std::vector<FolderTask> found;
    FolderTask current;
    bool have = queue.take(current);
    while (have) {
        const int fd = ::open(current.path.c_str(), kOpenFolderFlags);
        if (fd >= 0) {
            scanFolder(current, fd, protectedChildren, tally, found, nullptr);
            ::close(fd);
        }
        have = queue.finish(found, current) || queue.take(current);
    }
}

int resolvedWorkerCount(int requested)
{
    if (requested > 0)
        return std::min(requested, kMaxWorkers);
    const unsigned cores = std::thread::hardware_concurrency();
    return std::clamp(static_cast<int>(cores), 1, kMaxWorkers);
}

AnalysisReport::Entry makeEntry(const std::string& path, qint64 size, bool isDirectory)
{
    AnalysisReport::Entry entry;
    const QString text = QFile::decodeName(QByteArray::fromStdString(path));
    entry.name = lastPathComponent(text);
    entry.path = text;
    entry.size = size;
    entry.isDirectory = isDirectory;
    return entry;
}

} // namespace

AnalysisReport snapshot(const QString& rootPath)
{
    return snapshot(rootPath, 0);
}

AnalysisReport snapshot(const QString& rootPath, int workerCount)
{
    AnalysisReport report;
    report.path = rootPath;
    report.overview = false;
    report.totalSize = 0;
    report.totalFiles = 0;

    const QString root = standardizedPath(rootPath);
    if (root.isEmpty())
        return report;
    const std::string rootBytes = QFile::encodeName(root).toStdString();
    struct stat rootStat {};
    if (::stat(rootBytes.c_str(), &rootStat) != 0)
        return report; // nothing there

    const ProtectedChildren protectedChildren = protectedChildPaths(root);

    // The root's own listing seeds one record per visible child (an empty folder keeps its 0) and
    // hands the subfolders to the workers. A root given as a link is followed; nothing below is.
    std::vector<TopLevelSeed> seeds;
    std::vector<FolderTask> found;
    Tally rootTally;
    const int rootFd = ::open(rootBytes.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (rootFd >= 0) {
        FolderTask rootTask;
        rootTask.path = rootBytes;
        scanFolder(rootTask, rootFd, protectedChildren, rootTally, found, &seeds);
        ::close(rootFd);
    }

    const int workers = found.empty() ? 1 : resolvedWorkerCount(workerCount);
    std::vector<Tally> tallies(static_cast<size_t>(workers));
    for (Tally& tally : tallies)
        tally.slotBytes.assign(seeds.size(), 0);
    {
        FolderQueue queue(std::move(found));
        std::vector<std::thread> threads;
        for (int i = 1; i < workers; ++i) {
            try {
                threads.emplace_back(work, std::ref(queue), std::cref(protectedChildren), std::ref(tallies[i]));
            } catch (const std::system_error&) {
                break; // fewer threads only make the walk slower
            }
        }
        work(queue, protectedChildren, tallies[0]);
        for (std::thread& thread : threads)
            thread.join();
    }

    tallies.push_back(std::move(rootTally));
    std::vector<qint64> slotBytes(seeds.size(), 0);
    std::vector<LargeFile> largeFiles;
    qint64 totalSize = 0;
    qint64 totalFiles = 0;
    for (Tally& tally : tallies) {
        totalSize += tally.totalSize;
        totalFiles += tally.totalFiles;
        for (size_t slot = 0; slot < tally.slotBytes.size() && slot < slotBytes.size(); ++slot)
            slotBytes[slot] += tally.slotBytes[slot];
        std::move(tally.largest.begin(), tally.largest.end(), std::back_inserter(largeFiles));
    }

    // Equal sizes keep the root's listing order, so the order never depends on the threads.
    QList<AnalysisReport::Entry> entries;
    entries.reserve(static_cast<qsizetype>(seeds.size()));
    for (size_t slot = 0; slot < seeds.size(); ++slot)
        entries.append(makeEntry(joinBytes(rootBytes, seeds[slot].name.c_str()), slotBytes[slot],
                                 seeds[slot].isDirectory));
    std::stable_sort(entries.begin(), entries.end(),
                     [](const AnalysisReport::Entry& a, const AnalysisReport::Entry& b) {
                         return a.size.value_or(0) > b.size.value_or(0);
                     });
    if (entries.size() > listLimit)
        entries.resize(listLimit);

    std::sort(largeFiles.begin(), largeFiles.end(), ranksBefore);
    if (largeFiles.size() > static_cast<size_t>(listLimit))
        largeFiles.resize(listLimit);
    QList<AnalysisReport::Entry> largeEntries;
    largeEntries.reserve(static_cast<qsizetype>(largeFiles.size()));
    for (const LargeFile& file : largeFiles)
        largeEntries.append(makeEntry(file.path, file.size, false));

    report.entries = std::move(entries);
    report.largeFiles = std::move(largeEntries);
    report.totalSize = totalSize;
    report.totalFiles = totalFiles;
    return report;
}

} // namespace roror::LocalAnalysis
