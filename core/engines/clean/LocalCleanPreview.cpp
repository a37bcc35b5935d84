#include "core/engines/clean/LocalCleanPreview.h"

#include "core/engines/clean/CleanFileError.h"
#include "core/engines/clean/CleanWhitelistMatcher.h"
#include "core/engines/clean/CleanWhitelistStore.h"
#include "core/model/AppLocalization.h"
#include "core/support/ByteCountFormat.h"
#include "core/support/FileInfo.h"
#include "core/support/Log.h"
#include "core/support/ProgramStop.h"
#include "core/support/StandardPath.h"
#include "platform/HomeTrash.h"
#include "platform/ProcessNames.h"
#include "platform/ToolRunner.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>
#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <iterator>
#include <dirent.h>
#include <fcntl.h>
#include <latch>
#include <memory>
#include <mutex>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace roror::LocalCleanPreview {

namespace {

using AppLocalization::coreText;
using Entry = CleanPreviewReport::Entry;
using Status = CleanPreviewEntryStatus;

// Absent: nothing exists at the path.
using Measure = std::function<std::optional<LocationSummary>(const QString& path)>;

constexpr int kOpenDirFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

// Folders open at once in one walk; a folder deeper than this is counted but not entered, so a
// pathological nesting can neither exhaust the descriptors nor the stack.
constexpr size_t kMaxOpenFolders = 256;

// Listing buffer of one open folder; one per depth, reused by every folder at that depth.
constexpr size_t kListingBufferSize = 32 * 1024;

// A thread helping with a branch keeps fewer folders open: deeper than this, it leaves the branch
// unfinished to the walk that offered it, so helping adds few descriptors to the walks' own.
constexpr size_t kMaxBranchOpenFolders = 64;

// Branches one snapshot makes at most; past that, walks count their folders themselves, so a home
// with a great many folders costs no more memory than that.
constexpr size_t kMaxBranches = 1 << 16;

// What a walk found below one folder, handed to the walks that would meet the same folder. A walk
// rooted at a folder and a walk passing through it count exactly the same items there (the same
// listing order, the same protection scope, worked out from the same path), so a complete count is
// taken over instead of walked again.
struct FolderCount {
    LocationSummary summary;
    bool complete = false; // not stopped at the item limit, no folder left unentered for depth
    size_t depth = 0;      // deepest folder entered, counted from the folder itself (0)
    dev_t device = 0;
    ino_t inode = 0;
};

// The walk roots of one snapshot and the work its threads share. A location's root (or a folder
// that is one location's root and lies inside another) is claimed by the first walk to reach it;
// the others take its count once it is there. A walk also offers the folders it is about to meet
// to idle threads (branches): a thread counts a branch as a walk of its own, and the walk that
// offered it takes that count over when it gets there, so one large location is counted by many
// threads. Where the count cannot stand in for its own (the item limit falls inside it, it was
// left unfinished) the walk counts the branch itself, so every measure stays what one walk in
// listing order gives. Waits never go round in a circle: a walk waits only on its own root or on a
// folder below the one it is in, and while it waits its thread counts branches of that same folder
// or, waiting on another location's root, any branch (a branch never leads to a location's root).
class SharedCounts {
public:
    struct Root {
        QByteArray path; // standardized for a location's root; as opened for a branch
        enum class State { free, counting, counted, left } state = State::free;
        FolderCount count;
        CleanWhitelistMatcher::Scope scope; // a branch's, worked out by the walk that offered it
        size_t location = 0;                // the location a branch is counted for
        // A folder leading to another location's root, which its walk keeps: the threads take
        // nothing offered after it until the walk is past it (free until then), so they do not
        // count what lies beyond the item limit while the walk is inside it.
        bool barrier = false;
    };

    struct Offer {
        QByteArray path;
        CleanWhitelistMatcher::Scope scope;
        bool barrier = false;
    };

    // What a thread of the pool does next: count a branch, measure a location, or nothing (done).
    struct Job {
        Root* branch = nullptr;
        std::optional<size_t> location;
    };

    SharedCounts(const QStringList& roots, size_t locationCount)
        : m_offered(locationCount)
        , m_walked(std::make_unique<std::atomic<qint64>[]>(locationCount))
        , m_locationCount(locationCount)
    {
        for (const QString& root : roots) {
            const QByteArray path = QFile::encodeName(standardizedPath(root));
            if (std::none_of(m_roots.begin(), m_roots.end(), [&](const auto& r) { return r->path == path; }))
                m_roots.push_back(std::make_unique<Root>(Root{path}));
        }
    }

    Root* find(const QByteArray& path) const
    {
        for (const auto& root : m_roots) {
            if (root->path == path)
                return root.get();
        }
        return nullptr;
    }

    // The roots strictly below `path`, each with the names that lead to it.
    std::vector<std::pair<QList<QByteArray>, Root*>> below(const QByteArray& path) const
    {
        std::vector<std::pair<QList<QByteArray>, Root*>> found;
        const QByteArray prefix = path.endsWith('/') ? path : path + '/';
        for (const auto& root : m_roots) {
            if (root->path.size() > prefix.size() && root->path.startsWith(prefix))
                found.emplace_back(root->path.mid(prefix.size()).split('/'), root.get());
        }
        return found;
    }

    // A walk passing through `root`, or a thread taking a branch: true when it is now the one
    // counting it. The walk that offered a branch and counts it in its own walk leaves it
    // (`left`): nobody waits for that count.
    bool claim(Root* root, Root::State state = Root::State::counting)
    {
        std::lock_guard lock(m_mutex);
        if (root->state != Root::State::free)
            return false;
        root->state = state;
        return true;
    }

    // The count of `root` when one is there.
    std::optional<FolderCount> counted(Root* root)
    {
        std::lock_guard lock(m_mutex);
        if (root->state != Root::State::counted)
            return std::nullopt;
        return root->count;
    }

    bool counting(Root* root)
    {
        std::lock_guard lock(m_mutex);
        return root->state == Root::State::counting;
    }

    // The count of a branch another thread took, once that thread is done with it.
    std::optional<FolderCount> await(Root* branch)
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [branch] { return branch->state != Root::State::counting; });
        if (branch->state != Root::State::counted)
            return std::nullopt;
        return branch->count;
    }

    // The root's own walk: waits while another walk counts it, then takes its count or claims it.
    std::optional<FolderCount> awaitOrClaim(Root* root)
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [root] { return root->state != Root::State::counting; });
        if (root->state == Root::State::counted)
            return root->count;
        root->state = Root::State::counting;
        return std::nullopt;
    }

    // Ends a claim; an incomplete count is not handed on, and its root's own walk counts it.
    void publish(Root* root, const FolderCount& count)
    {
        {
            std::lock_guard lock(m_mutex);
            root->count = count;
            root->state = count.complete ? Root::State::counted : Root::State::left;
        }
        m_changed.notify_all();
    }

    // Offers folders (in listing order) met by a walk for `location`. They go before what was
    // offered earlier, so the threads follow the walks' own order, and the earliest locations
    // first: the user essentials are done before anything else is helped.
    std::vector<Root*> offer(size_t location, std::vector<Offer>&& folders)
    {
        std::vector<std::unique_ptr<Root>> made;
        std::vector<Root*> branches;
        made.reserve(folders.size());
        branches.reserve(folders.size());
        for (Offer& folder : folders) {
            made.push_back(std::make_unique<Root>(Root{
                std::move(folder.path), Root::State::free, {}, std::move(folder.scope), location, folder.barrier}));
            branches.push_back(made.back().get());
        }
        {
            std::lock_guard lock(m_mutex);
            std::vector<Root*> queued;
            queued.reserve(branches.size());
            for (size_t i = 0; i < branches.size(); ++i) {
                Root* branch = branches[i];
                if (!branch->barrier) {
                    // A folder another walk offered before (a location inside the one that walk
                    // measures): its count, made or to be made, serves both.
                    Root*& known = m_branchAt[branch->path];
                    if (known) {
                        branches[i] = known;
                        if (known->state == Root::State::free) {
                            known->location = location;
                            queued.push_back(known);
                        }
                        continue;
                    }
                    known = branch;
                }
                m_branches.push_back(std::move(made[i]));
                queued.push_back(branch);
                m_branchCount.store(m_branches.size(), std::memory_order_relaxed);
            }
            auto& queue = m_offered[location];
            queue.insert(queue.begin(), queued.begin(), queued.end());
        }
        if (m_idle > 0)
            m_work.notify_all();
        return branches;
    }

    // The walk that offered `barrier` is past it.
    void pass(Root* barrier)
    {
        {
            std::lock_guard lock(m_mutex);
            barrier->state = Root::State::left;
        }
        if (m_idle > 0)
            m_work.notify_all();
    }

    size_t branchCount() const { return m_branchCount.load(std::memory_order_relaxed); }

    // Items counted so far by the walks for `location`. Once they reach the item limit, the
    // location's walk is past what its measure needs or close to it: its branches are left to it.
    std::atomic<qint64>& walked(size_t location) { return m_walked[location]; }

    // A measured location needs nothing more: what it offered and did not use is dropped.
    void measured(size_t location) { m_walked[location].store(itemLimit, std::memory_order_relaxed); }

    // Branches first, then the next location; waits while walks that may still offer are going.
    Job next()
    {
        std::unique_lock lock(m_mutex);
        for (;;) {
            if (Root* branch = takeBranch()) {
                ++m_running;
                return {branch, std::nullopt};
            }
            if (m_nextLocation < m_locationCount) {
                ++m_running;
                return {nullptr, m_nextLocation++};
            }
            if (m_running == 0)
                return {};
            ++m_idle;
            m_work.wait(lock);
            --m_idle;
        }
    }

    // A branch for a thread that is waiting on another walk, if one is offered.
    Root* branch()
    {
        std::lock_guard lock(m_mutex);
        return takeBranch();
    }

    // Ends a job handed out by `next`.
    void finished()
    {
        bool last = false;
        {
            std::lock_guard lock(m_mutex);
            last = --m_running == 0;
        }
        if (last)
            m_work.notify_all();
    }

private:
    Root* takeBranch()
    {
        for (size_t location = 0; location < m_offered.size(); ++location) {
            auto& queue = m_offered[location];
            if (!queue.empty() && m_walked[location].load(std::memory_order_relaxed) >= itemLimit)
                queue.clear();
            while (!queue.empty()) {
                Root* branch = queue.front();
                if (branch->barrier && branch->state == Root::State::free)
                    break;
                queue.pop_front();
                if (!branch->barrier && branch->state == Root::State::free) {
                    branch->state = Root::State::counting;
                    return branch;
                }
            }
        }
        return nullptr;
    }

    std::vector<std::unique_ptr<Root>> m_roots;
    std::vector<std::unique_ptr<Root>> m_branches;
    QHash<QByteArray, Root*> m_branchAt; // by path
    std::atomic<size_t> m_branchCount{0};
    std::vector<std::deque<Root*>> m_offered; // per location
    std::unique_ptr<std::atomic<qint64>[]> m_walked;
    size_t m_locationCount = 0;
    size_t m_nextLocation = 0;
    int m_running = 0;
    std::atomic<int> m_idle{0};
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::condition_variable m_work;
};

// Counts a branch taken by this thread (defined below the walk).
void countBranch(SharedCounts::Root* branch, const CleanWhitelistMatcher* matcher, SharedCounts* shared, bool mayHelp);

// Depth-first walk that counts like the platform enumerator does: regular files (sized) and folders
// (packages counted, not entered); links and special files are neither counted nor entered. With a
// matcher, what the protection list covers is neither counted nor entered: a clean would leave it.
struct LocationWalk {
    using Scope = CleanWhitelistMatcher::Scope;
    using Root = SharedCounts::Root;
    using Nested = std::pair<QList<QByteArray>, Root*>;

    const CleanWhitelistMatcher* matcher = nullptr;
    SharedCounts* shared = nullptr;
    std::vector<Nested> nested; // other walks' roots below this one
    QString root;               // the folder walked, for the log
    LocationSummary summary;
    bool stopped = false;
    size_t depthRefusals = 0;
    bool unfinished = false; // left before the end (a branch no longer needed, the program stopping)

    // With the pool's threads sharing the work: the folders met are offered as branches, and the
    // items counted are added to the location's tally.
    bool offering = false;
    bool branch = false; // counts a branch: ends once its location has counted enough
    bool mayHelp = true; // counts other branches of a folder while the one it needs is being counted
    size_t location = 0;
    std::atomic<qint64>* walkedInLocation = nullptr;
    qint64 walked = 0; // items counted here, not taken over
    qint64 reported = 0;

    struct Level {
        int fd;
        size_t offset = 0; // into the listing buffer of this depth
        size_t length = 0;
        Scope scope;                // what the protection list says about this folder's children
        QByteArray name;            // in the folder above; empty for the root
        std::vector<int> onTheWay;  // indices into `nested` of the roots at or below this folder
        Root* claimed = nullptr;    // counted here for that root's own walk
        Root* barrier = nullptr;    // passed when this folder is done
        QByteArray path;            // as opened, while offering
        std::vector<Root*> offered; // branches among the child folders, in listing order
        size_t nextOffered = 0;
        size_t helpFrom = 0;    // branches from here on were tried while waiting
        LocationSummary before; // the totals when this folder was entered
        size_t refusalsBefore = 0;
        size_t deepest = 0; // deepest level entered below this one
        dev_t device = 0;
        ino_t inode = 0;
    };
    std::vector<Level> open;
    std::vector<std::unique_ptr<char[]>> buffers; // one per depth

    bool count()
    {
        ++summary.items;
        ++walked;
        if (summary.items >= itemLimit) {
            stopped = true;
            if (!branch) // the walk that offered it logs where its own count stops
                qCInfo(log::clean) << "preview: stopped counting at" << itemLimit << "items in" << root;
        }
        return stopped;
    }

    static bool isDotOrDotDot(const char* name)
    {
        return name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0));
    }

    // Built only when the log asks for it.
    QString pathOf(const char* name) const
    {
        QString path = root;
        for (size_t i = 1; i < open.size(); ++i)
            path += QLatin1Char('/') + QFile::decodeName(open[i].name);
        return path + QLatin1Char('/') + QFile::decodeName(name);
    }

    // The next name of the deepest open folder; nullptr at its end.
    const dirent64* next()
    {
        Level& level = open.back();
        char* buffer = buffers[open.size() - 1].get();
        if (level.offset >= level.length) {
            const ssize_t length = ::getdents64(level.fd, buffer, kListingBufferSize);
            if (length <= 0)
                return nullptr; // the end, or the folder became unreadable: what was read still counts
            level.offset = 0;
            level.length = static_cast<size_t>(length);
            if (offering)
                offerFolders(level, buffer);
        }
        const auto* item = reinterpret_cast<const dirent64*>(buffer + level.offset);
        level.offset += item->d_reclen;
        return item;
    }

    // Offers the child folders in a listing just read that this walk would enter; folders leading
    // to another location's root stay with this walk, which shares them as before.
    void offerFolders(Level& level, const char* buffer)
    {
        if (open.size() >= kMaxOpenFolders || walkedInLocation->load(std::memory_order_relaxed) >= itemLimit
            || shared->branchCount() >= kMaxBranches)
            return;
        const size_t depth = open.size() - 1;
        std::vector<SharedCounts::Offer> folders;
        for (size_t offset = 0; offset < level.length;) {
            const auto* item = reinterpret_cast<const dirent64*>(buffer + offset);
            offset += item->d_reclen;
            const char* name = item->d_name;
            if (item->d_type != DT_DIR || isDotOrDotDot(name) || isPackage(name))
                continue;
            const CleanWhitelistMatcher::ChildName childName(name);
            if (matcher && matcher->coversChild(level.scope, childName))
                continue;
            if (std::any_of(level.onTheWay.begin(), level.onTheWay.end(), [&](int index) {
                    return nested[static_cast<size_t>(index)].first.at(static_cast<qsizetype>(depth)) == name;
                })) {
                folders.push_back({level.path + '/' + name, Scope(), true});
                continue;
            }
            folders.push_back(
                {level.path + '/' + name, matcher ? matcher->childScope(level.scope, childName.composed()) : Scope()});
        }
        if (folders.empty())
            return;
        const std::vector<Root*> branches = shared->offer(location, std::move(folders));
        level.offered.insert(level.offered.end(), branches.begin(), branches.end());
        level.helpFrom = level.offered.size();
    }

    // The branch offered for the child folder `name` about to be entered, if it is one.
    Root* offeredBranch(const char* name)
    {
        Level& level = open.back();
        if (level.nextOffered >= level.offered.size())
            return nullptr;
        Root* candidate = level.offered[level.nextOffered];
        const size_t length = std::strlen(name);
        const QByteArray& path = candidate->path;
        if (static_cast<size_t>(path.size()) <= length
            || path.at(path.size() - static_cast<qsizetype>(length) - 1) != '/'
            || std::memcmp(path.constData() + path.size() - length, name, length) != 0)
            return nullptr;
        ++level.nextOffered;
        return candidate;
    }

    // Rather than wait for another thread to finish `branch`, counts the free branches of the
    // same folder from its end meanwhile (taken over in their turn); a thread switch per branch
    // would cost more than counting one.
    void helpWhileCounting(Root* branch)
    {
        if (!mayHelp)
            return;
        Level& level = open.back();
        while (shared->counting(branch)) {
            Root* other = nullptr;
            while (!other && level.helpFrom > level.nextOffered) {
                Root* candidate = level.offered[--level.helpFrom];
                if (!candidate->barrier && shared->claim(candidate))
                    other = candidate;
            }
            if (!other)
                return;
            countBranch(other, matcher, shared, false);
        }
    }

    // Counts branches offered by any walk while another walk counts `root`.
    void helpUntilCounted(Root* root)
    {
        if (!mayHelp)
            return;
        while (shared->counting(root)) {
            Root* other = shared->branch();
            if (!other)
                return;
            countBranch(other, matcher, shared, false);
        }
    }

    void push(Level&& level)
    {
        if (buffers.size() < open.size() + 1)
            buffers.emplace_back(new char[kListingBufferSize]);
        level.before = summary;
        level.refusalsBefore = depthRefusals;
        level.deepest = open.size();
        open.push_back(std::move(level));
    }

    // Closes the deepest folder; a root counted on another walk's behalf gets its count.
    void pop()
    {
        Level& level = open.back();
        ::close(level.fd);
        if (level.barrier)
            shared->pass(level.barrier);
        if (walkedInLocation && walked != reported) {
            walkedInLocation->fetch_add(walked - reported, std::memory_order_relaxed);
            reported = walked;
        }
        if (level.claimed) {
            FolderCount count;
            count.summary = {summary.bytes - level.before.bytes, summary.items - level.before.items};
            count.complete = !stopped && !unfinished && depthRefusals == level.refusalsBefore;
            count.depth = level.deepest - (open.size() - 1);
            count.device = level.device;
            count.inode = level.inode;
            shared->publish(level.claimed, count);
        }
        const size_t deepest = level.deepest;
        open.pop_back();
        if (!open.empty())
            open.back().deepest = std::max(open.back().deepest, deepest);
    }

    // For a child folder about to be entered: which other roots lie at or below it, and the one it is.
    Root* nestedRoot(const char* name, std::vector<int>& onTheWay) const
    {
        Root* found = nullptr;
        const size_t depth = open.size() - 1; // names matched so far
        for (const int index : open.back().onTheWay) {
            const QList<QByteArray>& names = nested[static_cast<size_t>(index)].first;
            if (names.at(static_cast<qsizetype>(depth)) != name)
                continue;
            if (static_cast<size_t>(names.size()) == depth + 1)
                found = nested[static_cast<size_t>(index)].second;
            else
                onTheWay.push_back(index);
        }
        return found;
    }

    // Takes over the complete count of a root met on the way, when counting it here would give the
    // same: the item limit is not reached inside it and no folder in it would be too deep.
    bool takeOver(const std::optional<FolderCount>& count, int childFd)
    {
        if (!count || !count->complete || summary.items + count->summary.items >= itemLimit
            || open.size() + count->depth >= kMaxOpenFolders)
            return false;
        struct stat st { };
        if (::fstat(childFd, &st) != 0 || st.st_dev != count->device || st.st_ino != count->inode)
            return false;
        summary.bytes += count->summary.bytes;
        summary.items += count->summary.items;
        // As deep as walking it here would have gone, for a count this walk hands on in turn.
        open.back().deepest = std::max(open.back().deepest, open.size() + count->depth);
        return true;
    }

    void walk(int rootFd, const Scope& rootScope, Root* ownRoot, const QByteArray& rootPath = {})
    {
        Level first{rootFd};
        first.scope = rootScope;
        first.claimed = ownRoot;
        first.path = rootPath;
        for (size_t i = 0; i < nested.size(); ++i)
            first.onTheWay.push_back(static_cast<int>(i));
        if (ownRoot) {
            struct stat st { };
            if (::fstat(rootFd, &st) == 0) {
                first.device = st.st_dev;
                first.inode = st.st_ino;
            }
        }
        push(std::move(first));
        while (!open.empty() && !stopped && !programStopping()
               && !(branch && walkedInLocation->load(std::memory_order_relaxed) >= itemLimit)) {
            const int fd = open.back().fd;
            const dirent64* ent = next();
            if (!ent) {
                pop();
                continue;
            }
            const char* name = ent->d_name;
            if (isDotOrDotDot(name))
                continue;
            const CleanWhitelistMatcher::ChildName childName(name);
            if (matcher && matcher->coversChild(open.back().scope, childName)) {
                qCInfo(log::clean) << "preview: not counted, protected:" << pathOf(name);
                continue;
            }
            unsigned char type = ent->d_type;
            struct stat st { };
            bool statted = false;
            if (type == DT_REG || type == DT_UNKNOWN) {
                if (::fstatat(fd, name, &st, AT_SYMLINK_NOFOLLOW) != 0) {
                    qCInfo(log::clean) << "preview: not counted, cannot be read:" << pathOf(name);
                    continue;
                }
                statted = true;
                type = S_ISREG(st.st_mode) ? DT_REG : S_ISDIR(st.st_mode) ? DT_DIR : DT_UNKNOWN;
            }
            if (type == DT_REG) {
                if (statted && st.st_blocks > 0)
                    summary.bytes += static_cast<quint64>(st.st_blocks) * 512;
                count();
                continue;
            }
            if (type != DT_DIR) {
                qCInfo(log::clean) << "preview: not counted, a link or special file:" << pathOf(name);
                continue;
            }
            if (count())
                continue;
            if (isPackage(name)) {
                qCInfo(log::clean) << "preview: counted, not entered (a package):" << pathOf(name);
                continue;
            }
            if (open.size() >= kMaxOpenFolders) {
                ++depthRefusals;
                qCInfo(log::clean) << "preview: counted, not entered (too deep):" << pathOf(name);
                continue;
            }
            if (branch && open.size() >= kMaxBranchOpenFolders)
                break; // unfinished: the walk that offered it goes deeper itself
            Root* offered = offering ? offeredBranch(name) : nullptr;
            Root* barrier = offered && offered->barrier ? std::exchange(offered, nullptr) : nullptr;
            const int childFd = ::openat(fd, name, kOpenDirFlags);
            if (childFd < 0) {
                qCInfo(log::clean) << "preview: counted, not entered (cannot be opened):" << pathOf(name);
                if (barrier)
                    shared->pass(barrier);
                continue;
            }
            Level child{childFd};
            child.barrier = barrier;
            if (offered) {
                // Another thread's count when it took the branch, else this walk counts it.
                if (!shared->claim(offered, Root::State::left)) {
                    helpWhileCounting(offered);
                    if (takeOver(shared->await(offered), childFd)) {
                        ::close(childFd);
                        continue;
                    }
                }
                child.scope = offered->scope;
                child.name = QByteArray(name);
                child.path = offered->path;
                push(std::move(child));
                continue;
            }
            Root* nestedHere = open.back().onTheWay.empty() ? nullptr : nestedRoot(name, child.onTheWay);
            if (nestedHere && shared->counting(nestedHere)) {
                // Another walk is inside it now, helped by the pool: its count is near, and
                // counting the folder twice would cost more.
                helpUntilCounted(nestedHere);
                shared->await(nestedHere);
            }
            if (nestedHere && takeOver(shared->counted(nestedHere), childFd)) {
                ::close(childFd);
                if (barrier)
                    shared->pass(barrier);
                continue;
            }
            if (nestedHere && shared->claim(nestedHere)) {
                child.claimed = nestedHere;
                if (::fstat(childFd, &st) == 0) {
                    child.device = st.st_dev;
                    child.inode = st.st_ino;
                }
            }
            child.scope = matcher ? matcher->childScope(open.back().scope, childName.composed()) : Scope();
            child.name = QByteArray(name);
            if (offering)
                child.path = open.back().path + '/' + name;
            push(std::move(child));
        }
        unfinished = !open.empty() && !stopped;
        while (!open.empty())
            pop();
    }

    static bool isPackage(const char* name)
    {
        const char* dot = std::strrchr(name, '.');
        if (!dot || dot == name || dot[1] == 0)
            return false;
        return isPackageExtension(QString::fromUtf8(dot + 1));
    }
};

// The user's protection list, read as a clean reads it. A list that cannot be read gives the defaults
// here (the clean itself stops on it, and says why); a line that can never match stops the preview
// (CleanFileError naming the line), so its measures never count what the user meant to keep.
std::shared_ptr<const CleanWhitelistMatcher> protectionFor(const QString& home)
{
    QStringList patterns;
    try {
        patterns = CleanWhitelistStore::loadForClean(home).patterns;
    } catch (const CleanFileError& error) {
        if (error.kind() == CleanFileError::Kind::neverMatches)
            throw;
        qCInfo(log::clean) << "preview: measured with the default protection list:" << error.description();
        patterns = CleanWhitelistStore::defaultPatterns();
    }
    return std::make_shared<const CleanWhitelistMatcher>(patterns, home);
}

// With `shared`, the walk is one of the snapshot's: its folders are offered to the pool's threads.
LocationSummary summarize(const QString& path, const CleanWhitelistMatcher* matcher, SharedCounts* shared = nullptr,
                          size_t location = 0)
{
    LocationWalk walk;
    walk.matcher = matcher;
    walk.shared = shared;
    walk.root = path;
    if (shared) {
        walk.offering = true;
        walk.location = location;
        walk.walkedInLocation = &shared->walked(location);
    }
    CleanWhitelistMatcher::Scope scope;
    const QString standardized = matcher || shared ? standardizedPath(path) : QString();
    if (matcher) {
        if (matcher->covers(standardized)) {
            qCInfo(log::clean) << "preview: not counted, protected:" << path;
            return {};
        }
        scope = matcher->scope(standardized);
    }
    const QByteArray encoded = QFile::encodeName(path);
    const int fd = ::open(encoded.constData(), kOpenDirFlags);
    if (fd >= 0) {
        SharedCounts::Root* own = nullptr;
        std::optional<FolderCount> taken;
        if (shared) {
            const QByteArray standardizedBytes = QFile::encodeName(standardized);
            own = shared->find(standardizedBytes);
            if (own)
                taken = shared->awaitOrClaim(own);
            walk.nested = shared->below(standardizedBytes);
        }
        struct stat st { };
        if (taken && ::fstat(fd, &st) == 0 && st.st_dev == taken->device && st.st_ino == taken->inode) {
            ::close(fd);
            walk.summary = taken->summary;
        } else {
            // another walk's count of another folder: counted here
            walk.walk(fd, scope, taken ? nullptr : own, encoded);
        }
    }
    if (walk.summary.items > 0)
        return walk.summary;
    const qint64 size = fileAllocatedSize(path);
    if (size > 0)
        return {static_cast<quint64>(size), 1};
    return {};
}

// A branch taken by one of the pool's threads: counted as a walk rooted there, for the walk that
// offered it; it counts for the same location and offers its own folders in turn.
void countBranch(SharedCounts::Root* branch, const CleanWhitelistMatcher* matcher, SharedCounts* shared, bool mayHelp)
{
    LocationWalk walk;
    walk.matcher = matcher;
    walk.shared = shared;
    walk.root = QFile::decodeName(branch->path);
    walk.offering = true;
    walk.branch = true;
    walk.mayHelp = mayHelp;
    walk.location = branch->location;
    walk.walkedInLocation = &shared->walked(branch->location);
    const int fd = ::open(branch->path.constData(), kOpenDirFlags);
    if (fd < 0) {
        shared->publish(branch, {}); // the walk that offered it finds out for itself
        return;
    }
    walk.walk(fd, branch->scope, branch, branch->path);
}

// One place to measure: a folder, or only what its content folders hold (the Trash).
struct Location {
    QString path;
    QStringList contentFolders;
};

bool existsFollowingLinks(const QString& path)
{
    struct stat st { };
    return ::stat(QFile::encodeName(path).constData(), &st) == 0;
}

std::optional<LocationSummary> measureIfExists(const Location& location, const CleanWhitelistMatcher* matcher,
                                               SharedCounts* shared = nullptr, size_t index = 0)
{
    if (!existsFollowingLinks(location.path))
        return std::nullopt;
    if (location.contentFolders.isEmpty())
        return summarize(location.path, matcher, shared, index);
    LocationSummary total;
    for (const QString& content : location.contentFolders) {
        const QString folder = joinPath(location.path, content);
        if (!existsFollowingLinks(folder))
            continue;
        const LocationSummary part = summarize(folder, matcher, shared, index);
        total.bytes += part.bytes;
        total.items += part.items;
    }
    return total;
}

// A catalogue path is relative to the home folder unless the platform gives it whole (the Trash).
QString locationPath(const QString& home, const QString& path)
{
    return path.startsWith(QLatin1Char('/')) ? path : joinPath(home, path);
}

// The texts of one report are in the language of its start: reading the choice once spares a
// read of the settings per text.
QString noteText(quint64 bytes, qint64 items, AppResolvedLanguage language)
{
    return formatByteCount(static_cast<qint64>(bytes)) + QStringLiteral(", ") + QString::number(items)
        + AppLocalization::text(QStringLiteral(" 项"), QStringLiteral(" items"), language);
}

QList<Entry> labelledEntries(const QString& home, const QList<LabelledLocation>& rows, const QString& section,
                             const Measure& measure, AppResolvedLanguage language)
{
    QList<Entry> entries;
    for (const LabelledLocation& row : rows) {
        const QString path = locationPath(home, row.path);
        const auto summary = measure(path);
        if (!summary || (summary->bytes == 0 && summary->items <= 0))
            continue;
        const QString label = AppLocalization::text(row.labelZh, row.labelEn, language);
        entries.append({QUuid::createUuid(), section, path,
                        label + QStringLiteral(" \u00B7 ") + noteText(summary->bytes, summary->items, language),
                        Status::cleanable});
    }
    return entries;
}

QString userEssentialsSection(AppResolvedLanguage language)
{
    return AppLocalization::text(QStringLiteral("用户基础项目"), QStringLiteral("User essentials"), language);
}
QString browsersSection(AppResolvedLanguage language)
{
    return AppLocalization::text(QStringLiteral("浏览器"), QStringLiteral("Browsers"), language);
}
QString developerSection(AppResolvedLanguage language)
{
    return AppLocalization::text(QStringLiteral("开发工具"), QStringLiteral("Developer tools"), language);
}
QString diagnosticsSection(AppResolvedLanguage language)
{
    return AppLocalization::text(QStringLiteral("诊断与崩溃报告"), QStringLiteral("Diagnostics and crash reports"),
                                 language);
}
QString trashSection(AppResolvedLanguage language)
{
    return AppLocalization::text(QStringLiteral("废纸篓"), QStringLiteral("Trash"), language);
}

QList<Entry> browserEntriesWith(const QString& home, const QSet<QString>& runningApps, const Measure& measure,
                                AppResolvedLanguage language)
{
    QList<Entry> entries;
    const QString section = browsersSection(language);
    for (const BrowserLocations& browser : browserLocations()) {
        const bool running = std::any_of(browser.processNames.begin(), browser.processNames.end(),
                                         [&](const QString& name) { return runningApps.contains(name); });
        QList<std::pair<QString, LocationSummary>> existing;
        for (const QString& relative : browser.urls) {
            const QString path = joinPath(home, relative);
            if (const auto summary = measure(path))
                existing.append({path, *summary});
        }
        if (existing.isEmpty())
            continue;
        if (running) {
            LocationSummary total;
            for (const auto& [path, summary] : existing) {
                total.bytes += summary.bytes;
                total.items += summary.items;
            }
            entries.append({QUuid::createUuid(), section,
                            browser.name
                                + AppLocalization::text(QStringLiteral(" 正在运行，缓存清理已跳过"),
                                                        QStringLiteral(" is running, cache cleanup skipped"), language),
                            noteText(total.bytes, total.items, language), Status::skipped});
            continue;
        }
        for (const auto& [path, summary] : existing)
            entries.append({QUuid::createUuid(), section, path, noteText(summary.bytes, summary.items, language),
                            Status::cleanable});
    }
    return entries;
}

// The walk's workers give way to the window's thread: a preview that keeps every core busy must
// not keep the interface from answering. Each worker is a fresh thread, so nothing is restored.
void yieldToInterface()
{
    ::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), 10);
}

// Measures every location on its own thread pool of plain threads; `afterFirst` runs on the calling
// thread once the first `firstCount` locations are measured, while the rest go on. A thread helps
// with the folders that walks already going have offered before it starts another location, the
// earliest locations first, so one large location does not hold up the first ones, nor a late one
// the end.
std::vector<std::optional<LocationSummary>> measureAll(const QList<Location>& paths, qsizetype firstCount,
                                                       const CleanWhitelistMatcher* matcher,
                                                       const std::function<void()>& afterFirst)
{
    const size_t count = static_cast<size_t>(paths.size());
    std::vector<std::optional<LocationSummary>> results(count);
    // A folder that is one location's root and lies inside another's is walked once.
    QStringList roots;
    for (const Location& location : paths) {
        if (location.contentFolders.isEmpty())
            roots.append(location.path);
        for (const QString& content : location.contentFolders)
            roots.append(joinPath(location.path, content));
    }
    SharedCounts shared(roots, count);
    std::latch firstDone(static_cast<std::ptrdiff_t>(std::min<qsizetype>(firstCount, paths.size())));
    auto work = [&] {
        yieldToInterface();
        for (;;) {
            const SharedCounts::Job job = shared.next();
            if (job.branch) {
                countBranch(job.branch, matcher, &shared, true);
                shared.finished();
                continue;
            }
            if (!job.location)
                return;
            const size_t index = *job.location;
            results[index] = measureIfExists(paths.at(static_cast<qsizetype>(index)), matcher, &shared, index);
            shared.measured(index);
            shared.finished();
            if (static_cast<qsizetype>(index) < firstCount)
                firstDone.count_down();
        }
    };
    const unsigned hardware = std::max(1u, std::thread::hardware_concurrency());
    const size_t workerCount = std::min<size_t>(hardware, count);
    std::vector<std::thread> workers;
    workers.reserve(workerCount);
    for (size_t i = 0; i < workerCount; ++i)
        workers.emplace_back(work);
    firstDone.wait();
    afterFirst();
    for (std::thread& worker : workers)
        worker.join();
    return results;
}

Measure directMeasure(const QString& home, const QStringList& contentFolders = {})
{
    const auto protection = protectionFor(home);
    return [protection, contentFolders](const QString& path) {
        return measureIfExists({path, contentFolders}, protection.get());
    };
}

} // namespace

const QList<LabelledLocation>& userEssentialLocations()
{
    static const QList<LabelledLocation> rows = {
        {QStringLiteral("用户应用缓存"), QStringLiteral("User app caches"), QStringLiteral("Library/Caches")},
        {QStringLiteral("用户应用日志"), QStringLiteral("User app logs"), QStringLiteral("Library/Logs")},
        {QStringLiteral("应用保存状态"), QStringLiteral("Saved app states"),
         QStringLiteral("Library/Saved Application State")},
        {QStringLiteral("网页临时存储"), QStringLiteral("Web temporary storage"),
         QStringLiteral("Library/HTTPStorages")},
    };
    return rows;
}

const QList<BrowserLocations>& browserLocations()
{
    static const QList<BrowserLocations> rows = {
        {QStringLiteral("Safari"), {QStringLiteral("Safari")}, {QStringLiteral("Library/Caches/com.apple.Safari")}},
        {QStringLiteral("Google Chrome"),
         {QStringLiteral("Google Chrome"), QStringLiteral("Google Chrome Helper")},
         {QStringLiteral("Library/Caches/Google/Chrome"),
          QStringLiteral("Library/Application Support/Google/Chrome/Default/Service Worker/CacheStorage"),
          QStringLiteral("Library/Application Support/Google/Chrome/Default/Code Cache")}},
        {QStringLiteral("Microsoft Edge"),
         {QStringLiteral("Microsoft Edge"), QStringLiteral("Microsoft Edge Helper")},
         {QStringLiteral("Library/Caches/Microsoft Edge"),
          QStringLiteral("Library/Application Support/Microsoft Edge/Default/Service Worker/CacheStorage"),
          QStringLiteral("Library/Application Support/Microsoft Edge/Default/Code Cache")}},
        {QStringLiteral("Brave Browser"),
         {QStringLiteral("Brave Browser"), QStringLiteral("Brave Browser Helper")},
         {QStringLiteral("Library/Caches/BraveSoftware/Brave-Browser"),
          QStringLiteral("Library/Application Support/BraveSoftware/Brave-Browser/Default/Service Worker/CacheStorage"),
          QStringLiteral("Library/Application Support/BraveSoftware/Brave-Browser/Default/Code Cache")}},
        {QStringLiteral("Firefox"),
         {QStringLiteral("Firefox")},
         {QStringLiteral("Library/Caches/Firefox"), QStringLiteral("Library/Caches/Mozilla")}},
    };
    return rows;
}

const QList<LabelledLocation>& developerLocations()
{
    auto row = [](const char* label, const char* path) {
        return LabelledLocation{QString::fromUtf8(label), QString::fromUtf8(label), QString::fromUtf8(path)};
    };
    static const QList<LabelledLocation> rows = {
        row("Xcode DerivedData", "Library/Developer/Xcode/DerivedData"),
        row("Xcode Archives", "Library/Developer/Xcode/Archives"),
        row("Xcode ModuleCache", "Library/Developer/Xcode/DerivedData/ModuleCache.noindex"),
        row("CoreSimulator Caches", "Library/Developer/CoreSimulator/Caches"),
        row("npm cache", ".npm"),
        row("Yarn cache", "Library/Caches/Yarn"),
        row("pnpm store", "Library/pnpm/store"),
        row("Gradle cache", ".gradle/caches"),
        row("Cargo registry cache", ".cargo/registry/cache"),
    };
    return rows;
}

const QList<LabelledLocation>& diagnosticsLocations()
{
    static const QList<LabelledLocation> rows = {
        {QStringLiteral("崩溃报告"), QStringLiteral("Crash reports"),
         QStringLiteral("Library/Application Support/CrashReporter")},
        {QStringLiteral("诊断报告"), QStringLiteral("Diagnostic reports"),
         QStringLiteral("Library/Logs/DiagnosticReports")},
        {QStringLiteral("旧更新日志"), QStringLiteral("Old update logs"),
         QStringLiteral("Library/Logs/InstallAssistant")},
    };
    return rows;
}

QList<LabelledLocation> trashLocations(const QString& home)
{
    return {{QStringLiteral("用户废纸篓"), QStringLiteral("User Trash"), HomeTrash::folder(home),
             HomeTrash::contentFolders()}};
}

CleanPreviewReport snapshot(const QString& home)
{
    return snapshot(home, &runningProcessNames);
}

CleanPreviewReport snapshot(const QString& home, const RunningAppsSource& runningApps)
{
    // Every location is measured once, the locations in parallel; the entries are then built in
    // catalogue order, so the report does not depend on which walk finished first.
    const QList<LabelledLocation> trash = trashLocations(home);
    QList<Location> locations;
    for (const LabelledLocation& row : userEssentialLocations())
        locations.append({joinPath(home, row.path), {}});
    const qsizetype userEssentialCount = locations.size();
    for (const BrowserLocations& browser : browserLocations()) {
        for (const QString& relative : browser.urls)
            locations.append({joinPath(home, relative), {}});
    }
    for (const auto* rows : {&developerLocations(), &diagnosticsLocations(), &trash}) {
        for (const LabelledLocation& row : *rows)
            locations.append({locationPath(home, row.path), row.contentFolders});
    }

    // What the protection list covers is left out of every measure: the clean would not remove it.
    const auto protection = protectionFor(home);
    QSet<QString> running;
    const auto results = measureAll(locations, userEssentialCount, protection.get(), [&] {
        if (runningApps)
            running = runningApps();
    });
    QHash<QString, std::optional<LocationSummary>> measured;
    for (qsizetype i = 0; i < locations.size(); ++i)
        measured.insert(locations.at(i).path, results[static_cast<size_t>(i)]);
    const Measure lookup = [&measured](const QString& path) { return measured.value(path); };

    const AppResolvedLanguage language = AppLocalization::currentLanguage();
    QList<Entry> entries;
    entries += labelledEntries(home, userEssentialLocations(), userEssentialsSection(language), lookup, language);
    entries += browserEntriesWith(home, running, lookup, language);
    entries += labelledEntries(home, developerLocations(), developerSection(language), lookup, language);
    entries += labelledEntries(home, diagnosticsLocations(), diagnosticsSection(language), lookup, language);
    entries += labelledEntries(home, trash, trashSection(language), lookup, language);

    const QDateTime generatedAt = QDateTime::currentDateTime();
    return {entries, generatedAt, summaryText(entries)};
}

QList<Entry> userEssentialEntries(const QString& home)
{
    const AppResolvedLanguage language = AppLocalization::currentLanguage();
    return labelledEntries(home, userEssentialLocations(), userEssentialsSection(language), directMeasure(home),
                           language);
}

QList<Entry> browserEntries(const QString& home, const QSet<QString>& runningApps)
{
    return browserEntriesWith(home, runningApps, directMeasure(home), AppLocalization::currentLanguage());
}

QList<Entry> developerEntries(const QString& home)
{
    const AppResolvedLanguage language = AppLocalization::currentLanguage();
    return labelledEntries(home, developerLocations(), developerSection(language), directMeasure(home), language);
}

QList<Entry> diagnosticsEntries(const QString& home)
{
    const AppResolvedLanguage language = AppLocalization::currentLanguage();
    return labelledEntries(home, diagnosticsLocations(), diagnosticsSection(language), directMeasure(home), language);
}

QList<Entry> trashEntries(const QString& home)
{
    const AppResolvedLanguage language = AppLocalization::currentLanguage();
    return labelledEntries(home, trashLocations(home), trashSection(language),
                           directMeasure(home, HomeTrash::contentFolders()), language);
}

std::optional<std::pair<QString, LocationSummary>> existingSummary(const QString& path)
{
    if (!existsFollowingLinks(path))
        return std::nullopt;
    return std::make_pair(path, directorySummary(path));
}

LocationSummary directorySummary(const QString& path)
{
    return summarize(path, nullptr);
}

qint64 fileAllocatedSize(const QString& path)
{
    const auto info = fileInfo(path);
    if (!info || !info->isRegularFile)
        return 0;
    return info->allocatedSize;
}

QString noteText(quint64 bytes, qint64 items)
{
    return noteText(bytes, items, AppLocalization::currentLanguage());
}

std::optional<quint64> byteCount(const std::optional<QString>& text)
{
    if (!text)
        return std::nullopt;
    static const QRegularExpression sizeExpression(QStringLiteral("([0-9]+(?:\\.[0-9]+)?)\\s*(KB|MB|GB|TB|bytes)"),
                                                   QRegularExpression::CaseInsensitiveOption);
    if (!sizeExpression.isValid())
        return std::nullopt;
    const QRegularExpressionMatch match = sizeExpression.match(*text);
    if (!match.hasMatch())
        return std::nullopt;
    bool ok = false;
    const double number = match.captured(1).toDouble(&ok);
    if (!ok)
        return std::nullopt;
    // The notes are written in decimal units; read back in binary ones, every size would grow by up
    // to a tenth and the summary would promise more than the entries hold.
    const QString unit = match.captured(2).toLower();
    double multiplier = 1;
    if (unit == QLatin1String("tb"))
        multiplier = 1e12;
    else if (unit == QLatin1String("gb"))
        multiplier = 1e9;
    else if (unit == QLatin1String("mb"))
        multiplier = 1e6;
    else if (unit == QLatin1String("kb"))
        multiplier = 1e3;
    const double bytes = number * multiplier;
    if (!(bytes < 18446744073709551616.0))
        return std::nullopt; // beyond what a byte count can hold; converting it would be undefined
    return static_cast<quint64>(bytes);
}

QString summaryText(const QList<Entry>& entries)
{
    static const QRegularExpression itemExpression(QStringLiteral("([0-9]+)\\s*(项|items)"),
                                                   QRegularExpression::CaseInsensitiveOption);
    QList<const Entry*> cleanable;
    for (const Entry& entry : entries) {
        if (entry.status == Status::cleanable)
            cleanable.append(&entry);
    }

    // A location inside another cleanable location (or the same location listed twice) holds bytes
    // that are already counted once.
    auto isCountedElsewhere = [&](qsizetype index) {
        const QString& path = cleanable.at(index)->path;
        for (qsizetype other = 0; other < cleanable.size(); ++other) {
            if (other == index)
                continue;
            const QString& outer = cleanable.at(other)->path;
            if (path == outer ? other < index : isPathInside(path, outer))
                return true;
        }
        return false;
    };

    quint64 potentialBytes = 0;
    qint64 items = 0;
    QSet<QString> sections;
    for (qsizetype i = 0; i < cleanable.size(); ++i) {
        const Entry& entry = *cleanable.at(i);
        sections.insert(entry.section);
        if (isCountedElsewhere(i))
            continue;
        potentialBytes += byteCount(entry.note).value_or(0);
        if (entry.note && itemExpression.isValid()) {
            const QRegularExpressionMatch match = itemExpression.match(*entry.note);
            if (match.hasMatch()) {
                bool ok = false;
                const qint64 count = match.captured(1).toLongLong(&ok);
                if (ok)
                    items += count;
            }
        }
    }

    const QString size = formatByteCount(static_cast<qint64>(potentialBytes));
    const QString zh = QStringLiteral("预计可清理：") + size + QStringLiteral(" | 项目：") + QString::number(items)
        + QStringLiteral(" | 分类：") + QString::number(sections.size());
    const QString en = QStringLiteral("Potential space: ") + size + QStringLiteral(" | Items: ")
        + QString::number(items) + QStringLiteral(" | Categories: ") + QString::number(sections.size());
    return coreText(zh, en);
}

QSet<QString> runningProcessNames()
{
    // Where the kernel shows its process table, the names are read there: starting the tool would
    // cost more than the whole read, on the path from the user essentials to the finished preview.
    if (const auto commands = ProcessNames::commandNames())
        return processNames(*commands);
    const auto output = runCommand(QStringLiteral("/bin/ps"), {QStringLiteral("-axo"), QStringLiteral("comm=")});
    if (!output)
        return {};
    return processNames(*output);
}

QSet<QString> processNames(const QString& psOutput)
{
    return processNames(psOutput.split(QLatin1Char('\n'), Qt::SkipEmptyParts));
}

QSet<QString> processNames(const QStringList& commands)
{
    QSet<QString> names;
    for (const QString& command : commands) {
        if (command.isEmpty())
            continue;
        const QString name = lastPathComponent(command);
        names.insert(name.isEmpty() ? command : name);
    }
    return names;
}

std::optional<QString> runCommand(const QString& program, const QStringList& arguments)
{
    const ToolRunResult result = runTool(program, arguments);
    if (!result.succeeded())
        return std::nullopt;
    QStringDecoder decoder(QStringConverter::Utf8);
    QString text = decoder.decode(result.standardOutput);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

} // namespace roror::LocalCleanPreview
