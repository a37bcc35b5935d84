#include "core/engines/analysis/LocalAnalysis.h"

#include "core/support/FolderHandle.h"
#include "core/support/ProgramStop.h"
#include "core/support/StandardPath.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <atomic>
#include <climits>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <mutex>
#include <numeric>
#include <string>
#include <strings.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <system_error>
#include <thread>
#include <unistd.h>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

namespace roror::LocalAnalysis {

namespace {

constexpr int kOpenFolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
constexpr size_t kListingBufferSize = 128 * 1024;
// The first read of a folder is shorter: a full buffer of a large folder takes over a millisecond
// to fill, and its first batch of files waits for it.
constexpr size_t kFirstListingSize = 32 * 1024;
constexpr int kMaxWorkers = 32;
// A folder's first files are counted by the thread listing it; past them, its regular files go out
// in batches of this many for idle threads to count, so one huge folder does not leave the others
// waiting. About a millisecond of work per batch.
constexpr uint32_t kBatchFiles = 256;

// Where an item stands in a depth-first walk that lists every folder in the file system's own order:
// the listing index of each folder on the way down, then the item's own index. Comparing two of
// these gives the order a single-threaded walk would have met the items in, whichever thread
// actually listed them.
using WalkOrder = std::vector<uint32_t>;

// A folder met by the walk. Each points at its parent, so its path, its walk order and an open
// folder to reach it from are found by going up; nothing is copied down the tree per folder.
struct Folder {
    std::atomic<uint32_t> references{1}; // the folder's task and each child folder hold one
    Folder* parent = nullptr;
    std::string name;   // as listed, in bytes
    uint32_t index = 0; // position in the parent's listing
    uint32_t depth = 0; // 0 for the root
    uint32_t slot = 0;  // the top-level child it lies in
    bool inBundle = false;

    // A listed folder keeps its descriptor open while its subfolders wait, so they are opened
    // relative to it: `pending` counts the subfolders not yet opened and `shares` the users of
    // the descriptor (one for the subfolders as a whole plus one per open under way). The last
    // share closes it. A folder that kept nothing has no shares, and its subfolders go further up.
    int fd = -1;
    bool kept = false;
    std::atomic<uint32_t> pending{0};
    std::atomic<uint32_t> shares{0};
};

void retain(Folder* folder)
{
    folder->references.fetch_add(1, std::memory_order_relaxed);
}

// Lets go of a folder and of every ancestor nothing else holds, without recursion, so a tree
// thousands of levels deep cannot exhaust the stack.
void release(Folder* folder)
{
    while (folder && folder->references.fetch_sub(1, std::memory_order_acq_rel) == 1) {
        Folder* parent = folder->parent;
        delete folder;
        folder = parent;
    }
}

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

void appendComponent(std::string& path, const char* name)
{
    if (path.empty() || path.back() != '/')
        path.push_back('/');
    path.append(name);
}

std::string joinBytes(const std::string& folder, const char* name)
{
    std::string path;
    path.reserve(folder.size() + std::strlen(name) + 1);
    path = folder;
    appendComponent(path, name);
    return path;
}

// Protected paths as folder (relative to the root, "" for the root itself) -> names of its
// children that are never seeded, entered or counted.
struct ProtectedChildren {
    std::unordered_map<std::string, std::unordered_set<std::string>> byFolder;
    uint32_t deepestFolder = 0;
};

// The personal folders are left out only when the root is the home folder itself.
ProtectedChildren protectedChildPaths(const QString& root)
{
    ProtectedChildren result;
    const QString home = standardizedPath(QDir::homePath());
    if (root != home)
        return result;
    const QString prefix = root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/');
    for (const char* relative : {"Desktop", "Documents", "Downloads", "Library/Mobile Documents"}) {
        const QString path = standardizedPath(joinPath(home, QString::fromUtf8(relative)));
        if (!path.startsWith(prefix))
            continue;
        const QString inside = path.mid(prefix.size());
        const qsizetype slash = inside.lastIndexOf(QLatin1Char('/'));
        const QString folder = slash < 0 ? QString() : inside.left(slash);
        result.byFolder[QFile::encodeName(folder).toStdString()].insert(
            QFile::encodeName(inside.mid(slash + 1)).toStdString());
        const auto depth = static_cast<uint32_t>(folder.isEmpty() ? 0 : folder.count(QLatin1Char('/')) + 1);
        result.deepestFolder = std::max(result.deepestFolder, depth);
    }
    return result;
}

// What the walk shares between its threads besides the queue.
struct WalkShared {
    std::string rootPath; // standardized, in bytes
    ProtectedChildren protectedChildren;
    int descriptorBudget = 0; // most folders kept open for their subfolders at once
    std::atomic<int> keptDescriptors{0};
    bool shareFiles = false; // other threads walk too, so a large folder's files are handed out
};

void dropShare(Folder* folder, WalkShared& shared)
{
    if (folder->shares.fetch_sub(1, std::memory_order_acq_rel) == 1) {
        ::close(folder->fd);
        shared.keptDescriptors.fetch_sub(1, std::memory_order_relaxed);
    }
}

// A share of the folder's descriptor; false once it is closed, or when it was never kept.
bool takeShare(Folder* folder)
{
    uint32_t shares = folder->shares.load(std::memory_order_acquire);
    while (shares > 0) {
        if (folder->shares.compare_exchange_weak(shares, shares + 1, std::memory_order_acq_rel))
            return true;
    }
    return false;
}

// What one thread has counted; the tallies of all threads are added up at the end.
struct Tally {
    qint64 totalSize = 0;
    qint64 totalFiles = 0;
    std::vector<qint64> slotBytes;
    std::vector<LargeFile> largest; // a heap whose front is the weakest of the kept files

    // Reused from folder to folder, so listing a folder allocates nothing once they have grown.
    // The listing buffer is left uninitialized: only the pages a listing fills are ever touched.
    std::unique_ptr<char[]> listing;
    std::vector<const Folder*> way; // folders between one being opened and the open folder it is reached from
    std::string relativePath;
    WalkOrder folderOrder; // of the folder being listed, filled when first needed
    bool folderOrderReady = false;
    std::string folderPath; // likewise
    bool folderPathReady = false;

    void addToSlot(uint32_t slot, qint64 bytes)
    {
        if (slot >= slotBytes.size())
            slotBytes.resize(slot + 1, 0);
        slotBytes[slot] += bytes;
    }

    const WalkOrder& orderOf(const Folder* folder)
    {
        if (!folderOrderReady) {
            folderOrder.resize(folder->depth);
            for (const Folder* f = folder; f->parent; f = f->parent)
                folderOrder[f->depth - 1] = f->index;
            folderOrderReady = true;
        }
        return folderOrder;
    }

    const std::string& pathOf(const Folder* folder, const std::string& rootPath)
    {
        if (!folderPathReady) {
            way.clear();
            for (const Folder* f = folder; f->parent; f = f->parent)
                way.push_back(f);
            folderPath = rootPath;
            for (auto it = way.rbegin(); it != way.rend(); ++it)
                appendComponent(folderPath, (*it)->name.c_str());
            folderPathReady = true;
        }
        return folderPath;
    }

    // Keeps the best `listLimit` files seen; any file outside them cannot make the final list.
    void offerLargeFile(qint64 size, const Folder* folder, uint32_t index, const char* name,
                        const std::string& rootPath)
    {
        if (largest.size() >= static_cast<size_t>(listLimit)) {
            const LargeFile& weakest = largest.front();
            if (size < weakest.size)
                return;
            if (size == weakest.size && !walksBefore(orderOf(folder), index, weakest.order))
                return;
            std::pop_heap(largest.begin(), largest.end(), ranksBefore);
            largest.pop_back();
        }
        const WalkOrder& order = orderOf(folder);
        LargeFile file;
        file.size = size;
        file.order.reserve(order.size() + 1);
        file.order = order;
        file.order.push_back(index);
        file.path = joinBytes(pathOf(folder, rootPath), name);
        largest.push_back(std::move(file));
        std::push_heap(largest.begin(), largest.end(), ranksBefore);
    }
};

int openBelow(int at, const std::string& relative)
{
    if (relative.find('/') == std::string::npos)
        return ::openat(at, relative.c_str(), kOpenFolderFlags); // the common case, without a copy
    return FolderHandle::openBelow(at, QByteArrayView(relative.data(), qsizetype(relative.size())), kOpenFolderFlags);
}

// Opens a folder relative to the nearest folder above it whose descriptor is still open: its
// parent, as a rule (the root is open throughout).
int openFolder(Folder* folder, WalkShared& shared, Tally& tally)
{
    Folder* parent = folder->parent;
    Folder* base = parent;
    tally.way.clear();
    while (!takeShare(base)) {
        tally.way.push_back(base);
        base = base->parent;
    }
    // The names from the base down, cut where a piece would pass the longest path the kernel takes.
    int fd = base->fd;
    std::string& relative = tally.relativePath;
    relative.clear();
    const auto descend = [&](const std::string& name) {
        if (!relative.empty() && relative.size() + 1 + name.size() >= PATH_MAX && fd >= 0) {
            const int next = openBelow(fd, relative);
            if (fd != base->fd)
                ::close(fd);
            fd = next;
            relative.clear();
        }
        if (!relative.empty())
            relative.push_back('/');
        relative.append(name);
    };
    for (auto it = tally.way.rbegin(); it != tally.way.rend(); ++it)
        descend((*it)->name);
    descend(folder->name);
    if (fd >= 0) {
        const int opened = openBelow(fd, relative);
        if (fd != base->fd)
            ::close(fd);
        fd = opened;
    }
    dropShare(base, shared);
    if (parent->kept && parent->pending.fetch_sub(1, std::memory_order_acq_rel) == 1)
        dropShare(parent, shared);
    return fd;
}

// Regular files of one large folder for another thread to count: the names back to back, each
// with its place in the listing and the top-level record it adds to. The batch holds a reference
// to the folder and a share of its descriptor.
struct FileBatch {
    struct Item {
        uint32_t nameOffset = 0;
        uint32_t index = 0;
        uint32_t slot = 0;
    };
    Folder* folder = nullptr;
    std::string names; // each ends with its zero
    std::vector<Item> items;
};

void countFile(const struct statx& st, Folder* folder, uint32_t index, uint32_t slot, const char* name,
               WalkShared& shared, Tally& tally)
{
    if (!S_ISREG(st.stx_mode))
        return; // replaced since it was listed
    const qint64 size = static_cast<qint64>(st.stx_size);
    tally.totalSize += size;
    ++tally.totalFiles;
    tally.addToSlot(slot, size);
    if (!folder->inBundle)
        tally.offerLargeFile(size, folder, index, name, shared.rootPath);
}

// Counts the files of a batch, reached from their open folder `fd`.
void countItems(const FileBatch& batch, int fd, Folder* folder, WalkShared& shared, Tally& tally)
{
    for (const FileBatch::Item& item : batch.items) {
        const char* name = batch.names.data() + item.nameOffset;
        struct statx st;
        if (::statx(fd, name, AT_SYMLINK_NOFOLLOW, STATX_TYPE | STATX_SIZE, &st) == 0)
            countFile(st, folder, item.index, item.slot, name, shared, tally);
    }
}

// Counts a batch handed out, lets go of its folder and frees it.
void countBatch(FileBatch* batch, WalkShared& shared, Tally& tally)
{
    Folder* folder = batch->folder;
    tally.folderOrderReady = false;
    tally.folderPathReady = false;
    if (!programStopping())
        countItems(*batch, folder->fd, folder, shared, tally);
    dropShare(folder, shared);
    release(folder);
    delete batch;
}

// Folders waiting to be listed and batches of files waiting to be counted. Batches go first, so a
// large folder's descriptor closes soon. Last in, first out keeps the number of folders waiting
// near the depth of the tree times its width rather than a whole level of it.
class FolderQueue {
public:
    // `listings` folders are being listed already, outside the queue.
    FolderQueue(size_t listings, size_t batchLimit)
        : m_unfinished(listings)
        , m_batchLimit(batchLimit)
    {
    }

    // What to do once the first batch or folders wait: set, and run, by the root's listing alone,
    // before any other thread reads it. Threads that start with work waiting do not go to sleep
    // first, and the scheduler spreads new threads over the idle cores better than woken ones.
    void beforeFirstShare(std::function<void()> start) { m_beforeFirstShare = std::move(start); }
    void startSharing()
    {
        if (m_beforeFirstShare)
            std::exchange(m_beforeFirstShare, nullptr)();
    }

    // Waits for a batch or a folder; false once every folder has been listed and every batch counted.
    bool take(Folder*& folder, FileBatch*& batch)
    {
        std::unique_lock lock(m_mutex);
        m_wake.wait(lock, [this] { return !m_batches.empty() || !m_waiting.empty() || m_unfinished == 0; });
        if (!m_batches.empty()) {
            batch = m_batches.back();
            m_batches.pop_back();
            return true;
        }
        if (m_waiting.empty())
            return false;
        folder = m_waiting.back();
        m_waiting.pop_back();
        return true;
    }

    // Marks the caller's folder as listed and shares the subfolders it found, keeping one of them
    // in `task` for the caller to go on with when `task` is given (returns false when there was none).
    bool finish(std::vector<Folder*>& found, Folder** task)
    {
        const bool keep = task && !found.empty();
        if (keep) {
            *task = found.back();
            found.pop_back();
        }
        const size_t shared = found.size();
        bool allDone = false;
        {
            std::lock_guard lock(m_mutex);
            m_waiting.insert(m_waiting.end(), found.begin(), found.end());
            m_unfinished += shared + (keep ? 1 : 0);
            m_unfinished -= 1;
            allDone = m_unfinished == 0;
        }
        found.clear();
        notify(allDone, shared);
        return keep;
    }

    // Hands a batch to whichever thread is free; false when enough wait already.
    bool share(FileBatch* batch)
    {
        {
            std::lock_guard lock(m_mutex);
            if (m_batches.size() >= m_batchLimit)
                return false;
            m_batches.push_back(batch);
            ++m_unfinished;
        }
        if (m_beforeFirstShare)
            startSharing();
        else
            m_wake.notify_one();
        return true;
    }

    void finishBatch()
    {
        bool allDone = false;
        {
            std::lock_guard lock(m_mutex);
            allDone = --m_unfinished == 0;
        }
        notify(allDone, 0);
    }

private:
    void notify(bool allDone, size_t added)
    {
        if (allDone || added > 1)
            m_wake.notify_all();
        else if (added == 1)
            m_wake.notify_one();
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::vector<Folder*> m_waiting;
    std::vector<FileBatch*> m_batches;
    size_t m_unfinished = 0;
    size_t m_batchLimit = 0;
    std::function<void()> m_beforeFirstShare;
};

// Lists one open folder: counts its regular files and returns its subfolders in `found`. The
// descriptor is kept for the subfolders or closed. With `seeds` (the root's own listing) every
// child becomes a top-level record of its own. Past its first files, a large folder's files go to
// `queue` in batches, and its descriptor stays open until the last batch is counted.
void scanFolder(Folder* folder, int fd, WalkShared& shared, Tally& tally, std::vector<Folder*>& found,
                std::vector<TopLevelSeed>* seeds, FolderQueue& queue)
{
    const std::unordered_set<std::string>* protectedHere = nullptr;
    if (!folder->inBundle && !shared.protectedChildren.byFolder.empty()
        && folder->depth <= shared.protectedChildren.deepestFolder) {
        std::string relative;
        tally.way.clear();
        for (Folder* f = folder; f->parent; f = f->parent)
            tally.way.push_back(f);
        for (auto it = tally.way.rbegin(); it != tally.way.rend(); ++it) {
            if (!relative.empty())
                relative.push_back('/');
            relative.append((*it)->name);
        }
        const auto it = shared.protectedChildren.byFolder.find(relative);
        if (it != shared.protectedChildren.byFolder.end())
            protectedHere = &it->second;
    }
    tally.folderOrderReady = false;
    tally.folderPathReady = false;
    if (!tally.listing)
        tally.listing.reset(new char[kListingBufferSize]);

    // The root's descriptor is shared from the start; another folder's once its first batch goes
    // out, within the budget of kept descriptors (past it, the folder counts all its files itself).
    bool sharing = shared.shareFiles;
    bool descriptorShared = seeds != nullptr;
    uint32_t countedHere = 0;
    FileBatch* batch = nullptr;
    const auto handOut = [&] {
        if (!descriptorShared) {
            if (shared.keptDescriptors.fetch_add(1, std::memory_order_relaxed) >= shared.descriptorBudget) {
                shared.keptDescriptors.fetch_sub(1, std::memory_order_relaxed);
                countItems(*batch, fd, folder, shared, tally);
                delete batch;
                batch = nullptr;
                sharing = false;
                return;
            }
            folder->fd = fd;
            folder->shares.store(1, std::memory_order_release); // the listing's own share
            descriptorShared = true;
        }
        folder->shares.fetch_add(1, std::memory_order_acq_rel);
        retain(folder);
        batch->folder = folder;
        if (!queue.share(batch))
            countBatch(batch, shared, tally); // enough batches wait already
        batch = nullptr;
    };

    uint32_t index = 0;
    size_t ask = kFirstListingSize;
    for (;;) {
        const ssize_t length = ::getdents64(fd, tally.listing.get(), ask);
        ask = kListingBufferSize;
        if (length <= 0 || programStopping())
            break; // end of the folder, or it became unreadable: what was read still counts
        for (ssize_t offset = 0; offset < length;) {
            const auto* item = reinterpret_cast<const struct dirent64*>(tally.listing.get() + offset);
            offset += item->d_reclen;
            const uint32_t itemIndex = index++;
            const char* name = item->d_name;
            if (name[0] == '.')
                continue; // hidden, and the "." and ".." links
            if (protectedHere && protectedHere->count(name))
                continue;

            // Only the type and the size are asked for; the type usually comes with the listing.
            unsigned char type = item->d_type;
            struct statx st;
            bool statted = false;
            if (type == DT_UNKNOWN) {
                if (::statx(fd, name, AT_SYMLINK_NOFOLLOW, STATX_TYPE | STATX_SIZE, &st) == 0) {
                    statted = true;
                    type = S_ISDIR(st.stx_mode) ? DT_DIR : S_ISREG(st.stx_mode) ? DT_REG : DT_UNKNOWN;
                }
            }

            uint32_t slot = folder->slot;
            if (seeds) {
                slot = static_cast<uint32_t>(seeds->size());
                seeds->push_back({name, type == DT_DIR});
            }

            if (type == DT_DIR) {
                auto* child = new Folder;
                child->parent = folder;
                retain(folder);
                child->name = name;
                child->index = itemIndex;
                child->depth = folder->depth + 1;
                child->slot = slot;
                child->inBundle = folder->inBundle || isBundleName(name);
                found.push_back(child);
            } else if (type == DT_REG) {
                if (!statted && sharing && countedHere >= kBatchFiles) {
                    if (!batch) {
                        batch = new FileBatch;
                        batch->items.reserve(kBatchFiles);
                    }
                    batch->items.push_back({static_cast<uint32_t>(batch->names.size()), itemIndex, slot});
                    batch->names.append(name, std::strlen(name) + 1);
                    if (batch->items.size() >= kBatchFiles)
                        handOut();
                    continue;
                }
                ++countedHere;
                if (!statted && ::statx(fd, name, AT_SYMLINK_NOFOLLOW, STATX_TYPE | STATX_SIZE, &st) != 0)
                    continue;
                countFile(st, folder, itemIndex, slot, name, shared, tally);
            }
            // Links, devices, sockets and pipes add nothing.
        }
    }
    if (batch) {
        // The rest of the listing is counted here: this thread has nothing else left in the folder.
        countItems(*batch, fd, folder, shared, tally);
        delete batch;
    }

    if (seeds)
        return; // the root's descriptor stays open for the whole walk
    if (descriptorShared) {
        // The listing's share passes to the subfolders, or goes; the last batch may close it.
        if (!found.empty()) {
            folder->kept = true;
            folder->pending.store(static_cast<uint32_t>(found.size()), std::memory_order_relaxed);
        } else {
            dropShare(folder, shared);
        }
        return;
    }
    // Kept while subfolders wait, within the budget; past it they are reached from further up.
    if (!found.empty() && shared.keptDescriptors.fetch_add(1, std::memory_order_relaxed) < shared.descriptorBudget) {
        folder->fd = fd;
        folder->kept = true;
        folder->pending.store(static_cast<uint32_t>(found.size()), std::memory_order_relaxed);
        folder->shares.store(1, std::memory_order_release);
        return;
    }
    if (!found.empty())
        shared.keptDescriptors.fetch_sub(1, std::memory_order_relaxed);
    ::close(fd);
}

void work(FolderQueue& queue, WalkShared& shared, Tally& tally)
{
    std::vector<Folder*> found;
    Folder* current = nullptr;
    FileBatch* batch = nullptr;
    bool have = queue.take(current, batch);
    while (have) {
        if (batch) {
            countBatch(batch, shared, tally);
            batch = nullptr;
            queue.finishBatch();
            have = queue.take(current, batch);
            continue;
        }
        const int fd = openFolder(current, shared, tally);
        if (fd >= 0)
            scanFolder(current, fd, shared, tally, found, nullptr, queue);
        release(current);
        have = queue.finish(found, &current) || queue.take(current, batch);
    }
}

// Two threads per core: a file whose inode is not cached yet holds its thread until the disk
// answers, and the other thread keeps the core busy meanwhile. Once everything is cached, the
// second thread neither helps nor costs.
int resolvedWorkerCount(int requested)
{
    if (requested > 0)
        return std::min(requested, kMaxWorkers);
    const unsigned cores = std::thread::hardware_concurrency();
    return std::clamp(2 * static_cast<int>(cores), 1, kMaxWorkers);
}

// A quarter of the process's descriptor limit, so other work and other walks keep theirs.
int descriptorBudget()
{
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return 256;
    return static_cast<int>(std::clamp<rlim_t>(limit.rlim_cur / 4, 8, 256));
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
    struct stat rootStat { };
    if (::stat(rootBytes.c_str(), &rootStat) != 0)
        return report; // nothing there

    WalkShared shared;
    shared.rootPath = rootBytes;
    shared.protectedChildren = protectedChildPaths(root);
    shared.descriptorBudget = descriptorBudget();

    // The root's own listing seeds one record per visible child (an empty folder keeps its 0) and
    // hands the subfolders to the workers. A root given as a link is followed; nothing below is.
    // The root stays open until every folder below it has been listed.
    std::vector<TopLevelSeed> seeds;
    std::vector<Folder*> found;
    auto* rootFolder = new Folder;
    rootFolder->fd = ::open(rootBytes.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const int workers = resolvedWorkerCount(workerCount);
    shared.shareFiles = workers > 1;
    std::vector<Tally> tallies(static_cast<size_t>(workers));
    {
        FolderQueue queue(1, static_cast<size_t>(4 * workers)); // the root's listing is under way
        std::vector<std::thread> threads;
        // The other threads start once there is work for them: the root's first batch of files or
        // its first subfolders. A root of a few files alone is counted without them.
        if (workers > 1) {
            queue.beforeFirstShare([&] {
                for (int i = 1; i < workers; ++i) {
                    try {
                        threads.emplace_back(work, std::ref(queue), std::ref(shared), std::ref(tallies[i]));
                    } catch (const std::system_error&) {
                        break; // fewer threads only make the walk slower
                    }
                }
            });
        }
        if (rootFolder->fd >= 0) {
            rootFolder->shares.store(1, std::memory_order_relaxed);
            scanFolder(rootFolder, rootFolder->fd, shared, tallies[0], found, &seeds, queue);
        }
        const bool subfolders = !found.empty();
        queue.finish(found, nullptr);
        if (subfolders)
            queue.startSharing();
        work(queue, shared, tallies[0]);
        for (std::thread& thread : threads)
            thread.join();
    }
    if (rootFolder->fd >= 0)
        ::close(rootFolder->fd);
    release(rootFolder);

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

    // Equal sizes keep the root's listing order, so the order never depends on the threads. Only
    // the children that make the list become entries: a root of many files holds thousands.
    std::vector<uint32_t> ranked(seeds.size());
    std::iota(ranked.begin(), ranked.end(), 0U);
    const auto listed = ranked.begin() + static_cast<std::ptrdiff_t>(std::min<size_t>(ranked.size(), listLimit));
    std::partial_sort(ranked.begin(), listed, ranked.end(), [&](uint32_t a, uint32_t b) {
        return slotBytes[a] != slotBytes[b] ? slotBytes[a] > slotBytes[b] : a < b;
    });
    QList<AnalysisReport::Entry> entries;
    entries.reserve(static_cast<qsizetype>(listed - ranked.begin()));
    for (auto it = ranked.begin(); it != listed; ++it)
        entries.append(
            makeEntry(joinBytes(rootBytes, seeds[*it].name.c_str()), slotBytes[*it], seeds[*it].isDirectory));

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
