#include "core/model/AppLocalization.h"
#include "core/model/ScanPathGuard.h"
#include "platform/TrashMove.h"
#include "tests/support/TestEnv.h"
#include "tests/support/Unprivileged.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <functional>
#include <ostream>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <gtest/gtest.h>

QT_BEGIN_NAMESPACE
// Readable QString values in test failures.
inline void PrintTo(const QString& value, std::ostream* out)
{
    *out << '"' << value.toStdString() << '"';
}
QT_END_NAMESPACE

using namespace roror;
using roror::test::TestEnv;

namespace {

QByteArray bytes(const QString& path)
{
    return QFile::encodeName(path);
}

bool existsRaw(const QByteArray& path)
{
    struct stat st { };
    return ::lstat(path.constData(), &st) == 0;
}

bool exists(const QString& path)
{
    return existsRaw(bytes(path));
}

// Names in a folder as bytes, "." and ".." left out.
QByteArrayList entries(const QString& folder)
{
    QByteArrayList names;
    if (DIR* dir = ::opendir(bytes(folder).constData())) {
        while (const dirent* ent = ::readdir(dir)) {
            const QByteArray name(ent->d_name);
            if (name != "." && name != "..")
                names.append(name);
        }
        ::closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

QByteArray writeRaw(const QByteArray& path, const QByteArray& content = "x")
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd >= 0) {
        [[maybe_unused]] const ssize_t n = ::write(fd, content.constData(), content.size());
        ::close(fd);
    }
    return path;
}

// A Trash move as the model makes it: the guard judges the path, the move acts on what it judged.
class TrashMoveTest : public ::testing::Test {
protected:
    QString trash() const { return env.home() + QStringLiteral("/.local/share/Trash"); }
    QString files() const { return trash() + QStringLiteral("/files"); }
    QString info() const { return trash() + QStringLiteral("/info"); }

    std::optional<QString> judge(const QString& path) const
    {
        return ScanPathGuard::allowedParentFolder(path, env.home());
    }

    // Moves `path` from the folder given (the judged one unless told otherwise).
    bool move(const QString& path, std::optional<QString> folder = std::nullopt)
    {
        error.clear();
        if (!folder)
            folder = judge(path);
        if (!folder) {
            ADD_FAILURE() << "the guard refused " << path.toStdString();
            return false;
        }
        return TrashMove::moveToTrash(path, *folder, env.home(), &error);
    }

    void useChinese() const { env.setLanguagePreference(toRaw(AppLanguagePreference::chinese)); }

    TestEnv env;
    QString error;
};

// Runs `body` on a thread of its own in a private mount namespace, so mounts made there vanish with
// it and nothing else sees them. False when this system does not allow it.
bool inPrivateMounts(const std::function<void()>& body)
{
    bool available = false;
    std::thread worker([&] {
        if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            return;
        available = true;
        body();
    });
    worker.join();
    return available;
}

// ---- Pieces ----------------------------------------------------------------------------------

TEST(TrashMovePieces, TrashNamesFitTheInfoFileUnderTheNameLimitAndKeepTheirSuffix)
{
    const QByteArray longStem(246, 'a');
    const QByteArray wide = QString(QChar(0x4E2D)).toUtf8().repeated(90); // 270 bytes of 3-byte characters
    struct Case {
        QByteArray name;
        int attempt;
        QByteArray expected;
    };
    const Case cases[] = {
        {"setup.dmg", 0, "setup.dmg"},
        {"setup.dmg", 1, "setup 2.dmg"},
        {"setup.dmg", 41, "setup 42.dmg"},
        {".hidden", 0, ".hidden"},
        {".hidden", 1, ".hidden 2"},
        {"archive.tar.gz", 2, "archive.tar 3.gz"},
        {"no-suffix", 1, "no-suffix 2"},
        {longStem + ".dmg", 0, QByteArray(241, 'a') + ".dmg"},
        {longStem + ".dmg", 3, QByteArray(239, 'a') + " 4.dmg"},
        {wide + ".pkg", 0, wide.left(240) + ".pkg"}, // 241 would cut a character in two
    };
    for (const Case& c : cases) {
        const QByteArray name = TrashMove::trashName(c.name, c.attempt);
        EXPECT_EQ(name, c.expected) << c.name.toStdString() << " #" << c.attempt;
        EXPECT_LE(name.size() + 10, NAME_MAX) << c.name.toStdString();
        EXPECT_EQ(QString::fromUtf8(name).toUtf8(), name) << "no character is cut";
    }
}

TEST(TrashMovePieces, InfoPathsArePercentEncodedWithTheSlashKept)
{
    struct Case {
        QByteArray path;
        QByteArray encoded;
    };
    const Case cases[] = {
        {"/home/ann/Downloads/setup.dmg", "/home/ann/Downloads/setup.dmg"},
        {"/home/ann/100%25 done.dmg", "/home/ann/100%2525%20done.dmg"},
        {"/h/[Trash Info]\nPath=%2Fetc%2Fpasswd.dmg", "/h/%5BTrash%20Info%5D%0APath%3D%252Fetc%252Fpasswd.dmg"},
        {"/h/a\nb", "/h/a%0Ab"},
        {"/h/\xE4\xB8\xAD.txt", "/h/%E4%B8%AD.txt"},
        {"/h/~a-b_c.d", "/h/~a-b_c.d"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TrashMove::encodeInfoPath(c.path), c.encoded);
        EXPECT_EQ(QByteArray::fromPercentEncoding(TrashMove::encodeInfoPath(c.path)), c.path);
    }
}

TEST(TrashMovePieces, FoldersOpenOnlyWithoutALinkOnTheWay)
{
    TestEnv env;
    const QString real = env.makeDir(QStringLiteral("real/inner"));
    ASSERT_TRUE(QFile::link(env.home() + QStringLiteral("/real"), env.home() + QStringLiteral("/link")));
    struct Case {
        QString path;
        bool opens;
    };
    const Case cases[] = {
        {real, true},
        {env.home() + QStringLiteral("/link"), false},       // the last component is a link
        {env.home() + QStringLiteral("/link/inner"), false}, // a link on the way
        {env.home() + QStringLiteral("/missing"), false},
        {QStringLiteral("relative/path"), false},
    };
    for (const bool openat2 : {true, false}) {
        for (const Case& c : cases) {
            const int fd = TrashMove::openFolderWithoutLinks(bytes(c.path), openat2);
            EXPECT_EQ(fd >= 0, c.opens) << c.path.toStdString() << (openat2 ? " (openat2)" : " (walk)");
            if (fd >= 0) {
                char target[PATH_MAX];
                const ssize_t n
                    = ::readlink(("/proc/self/fd/" + QByteArray::number(fd)).constData(), target, sizeof target);
                EXPECT_EQ(QByteArray(target, n > 0 ? n : 0), bytes(c.path));
                ::close(fd);
            }
        }
    }
}

// ---- Info files ------------------------------------------------------------------------------

TEST_F(TrashMoveTest, EveryNameIsRecordedWithOnePathKeyThatRestoresItsExactBytes)
{
    const QString downloads = env.makeDir(QStringLiteral("Downloads"));
    struct Case {
        const char* what;
        QByteArray name;
    };
    const Case cases[] = {
        {"percent sign", "100%25 done.dmg"},
        {"a second Path key", "[Trash Info]\nPath=%2Fetc%2Fpasswd.dmg"},
        {"newline", "line\nbreak.dmg"},
        {"246 bytes and .dmg", QByteArray(246, 'n') + ".dmg"},
        {"Chinese", "\xE5\xAE\x89\xE8\xA3\x85.pkg"},
    };
    const QRegularExpression date(QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d$"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QByteArray item = bytes(downloads) + '/' + c.name;
        writeRaw(item, "payload");
        ASSERT_TRUE(move(QFile::decodeName(item))) << error.toStdString();
        EXPECT_FALSE(existsRaw(item));

        const QByteArray kept = TrashMove::trashName(c.name, 0);
        EXPECT_TRUE(kept.endsWith(c.name.mid(c.name.lastIndexOf('.'))));
        QFile record(QFile::decodeName(bytes(info()) + '/' + kept + ".trashinfo"));
        ASSERT_TRUE(record.open(QIODevice::ReadOnly));
        const QByteArrayList lines = record.readAll().split('\n');
        ASSERT_EQ(lines.size(), 4) << "three lines and the final newline";
        EXPECT_EQ(lines.at(0), "[Trash Info]");
        ASSERT_TRUE(lines.at(1).startsWith("Path="));
        EXPECT_EQ(QByteArray::fromPercentEncoding(lines.at(1).mid(5)), item);
        ASSERT_TRUE(lines.at(2).startsWith("DeletionDate="));
        EXPECT_TRUE(date.match(QString::fromLatin1(lines.at(2).mid(13))).hasMatch()) << lines.at(2).toStdString();
        QFile moved(QFile::decodeName(bytes(files()) + '/' + kept));
        ASSERT_TRUE(moved.open(QIODevice::ReadOnly));
        EXPECT_EQ(moved.readAll(), "payload");
    }
}

TEST_F(TrashMoveTest, SameNamesTakeTheNextFreeNameAndTheSearchIsBounded)
{
    const QString first = env.writeFile(QStringLiteral("Downloads/setup.dmg"), "1");
    ASSERT_TRUE(move(first)) << error.toStdString();
    env.writeFile(QStringLiteral("Downloads/setup.dmg"), "2");
    // An item left in the Trash without its info file is never replaced.
    env.writeFile(files() + QStringLiteral("/setup 2.dmg"), "orphan");
    ASSERT_TRUE(move(first)) << error.toStdString();
    EXPECT_EQ(entries(files()), (QByteArrayList{"setup 2.dmg", "setup 3.dmg", "setup.dmg"}));
    EXPECT_EQ(entries(info()), (QByteArrayList{"setup 3.dmg.trashinfo", "setup.dmg.trashinfo"}));

    const QString busy = env.writeFile(QStringLiteral("Downloads/busy.dmg"), "b");
    for (int attempt = 0; attempt < TrashMove::maxNameAttempts; ++attempt)
        writeRaw(bytes(info()) + '/' + TrashMove::trashName("busy.dmg", attempt) + ".trashinfo");
    const qsizetype before = entries(info()).size();
    EXPECT_FALSE(move(busy));
    EXPECT_EQ(error, QStringLiteral("The Trash holds too many items of this name, so this item was not moved."));
    EXPECT_TRUE(exists(busy));
    EXPECT_EQ(entries(info()).size(), before);
}

// The info file cannot be made: the move fails at once with the reason, and leaves nothing behind.
TEST_F(TrashMoveTest, AnInfoFolderThatCannotBeWrittenFailsTheItemAtOnce)
{
    if (test::ranUnprivileged())
        return;
    const QString item = env.writeFile(QStringLiteral("Downloads/setup.dmg"), "x");
    env.makeDir(files());
    env.makeDir(info());
    ASSERT_EQ(::chmod(bytes(info()).constData(), 0500), 0);
    EXPECT_FALSE(move(item));
    EXPECT_TRUE(error.startsWith(QStringLiteral("The item could not be recorded in the Trash: ")))
        << error.toStdString();
    EXPECT_TRUE(exists(item));
    EXPECT_TRUE(entries(files()).isEmpty());
    EXPECT_TRUE(entries(info()).isEmpty());
    ::chmod(bytes(info()).constData(), 0700);
}

TEST_F(TrashMoveTest, ATrashFileSystemOutOfInodesFailsTheItemAtOnce)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "mounting a small file system needs root";
    const bool ran = inPrivateMounts([&] {
        // The whole home on a file system with a handful of inodes.
        ASSERT_EQ(::mount("tmpfs", bytes(env.home()).constData(), "tmpfs", 0, "size=1m,nr_inodes=64"), 0)
            << std::strerror(errno);
        const QString first = env.writeFile(QStringLiteral("Downloads/first.dmg"), "1");
        const QString item = env.writeFile(QStringLiteral("Downloads/setup.dmg"), "2");
        ASSERT_TRUE(move(first)) << error.toStdString(); // makes the Trash folders
        for (int i = 0; i < 100; ++i) {
            const QByteArray filler = bytes(env.home()) + "/filler-" + QByteArray::number(i);
            const int fd = ::open(filler.constData(), O_WRONLY | O_CREAT, 0600);
            if (fd < 0)
                break;
            ::close(fd);
        }
        EXPECT_FALSE(move(item));
        EXPECT_EQ(error, QStringLiteral("The item could not be recorded in the Trash: ") + qt_error_string(ENOSPC));
        EXPECT_TRUE(exists(item));
        EXPECT_EQ(entries(info()), QByteArrayList{"first.dmg.trashinfo"});
        ::umount2(bytes(env.home()).constData(), MNT_DETACH);
    });
    if (!ran)
        GTEST_SKIP() << "no private mount namespace here";
}

// ---- The folder the guard judged -------------------------------------------------------------

TEST_F(TrashMoveTest, AFolderSwappedForALinkAfterTheCheckFailsTheItemTable)
{
    struct Case {
        const char* what;
        const char* swapped;   // the folder below the home that becomes a link
        bool targetInsideHome; // where the link leads
    };
    const Case cases[] = {
        {"the item's folder, to a folder outside", "Downloads", false},
        {"a folder further up, to a folder outside", "Downloads", false},
        {"the item's folder, to another folder of the home", "Downloads", true},
    };
    int round = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ++round;
        const bool deep = round == 2;
        const QString relative
            = deep ? QStringLiteral("Downloads/batch/setup.dmg") : QStringLiteral("Downloads/setup.dmg");
        const QString item = env.writeFile(relative, "inside");
        const QString target = c.targetInsideHome ? env.home() + QStringLiteral("/Documents%1").arg(round)
                                                  : env.outside() + QStringLiteral("/elsewhere%1").arg(round);
        const QString twin = env.writeFile(
            target + (deep ? QStringLiteral("/batch/setup.dmg") : QStringLiteral("/setup.dmg")), "twin");
        const std::optional<QString> judged = judge(item);
        ASSERT_TRUE(judged);

        const QString swapped = env.home() + QLatin1Char('/') + QString::fromUtf8(c.swapped);
        const QString aside = swapped + QStringLiteral(".aside%1").arg(round);
        ASSERT_TRUE(QDir().rename(swapped, aside));
        ASSERT_TRUE(QFile::link(target, swapped));

        EXPECT_FALSE(move(item, judged));
        EXPECT_EQ(error,
                  QStringLiteral("The folder holding this item changed after it was checked, so the item was "
                                 "not moved."));
        EXPECT_TRUE(exists(twin));
        EXPECT_TRUE(entries(files()).isEmpty());
        EXPECT_TRUE(entries(info()).isEmpty());
        QFile::remove(swapped);
        ASSERT_TRUE(QDir().rename(aside, swapped));
        QDir(swapped).removeRecursively();
    }
}

// ---- The Trash folders -----------------------------------------------------------------------

TEST_F(TrashMoveTest, MissingTrashFoldersAreMadeForTheUserOnly)
{
    ASSERT_FALSE(exists(env.home() + QStringLiteral("/.local")));
    const QString item = env.writeFile(QStringLiteral("Downloads/setup.dmg"));
    ASSERT_TRUE(move(item)) << error.toStdString();
    for (const QString& folder : {trash(), files(), info()}) {
        struct stat st { };
        ASSERT_EQ(::lstat(bytes(folder).constData(), &st), 0) << folder.toStdString();
        EXPECT_TRUE(S_ISDIR(st.st_mode));
        EXPECT_EQ(st.st_mode & 0777, 0700u) << folder.toStdString();
    }
}

TEST_F(TrashMoveTest, TrashFoldersThatAreLinksOrNotTheUsersRefuseEveryMoveTable)
{
    struct Case {
        const char* what;
        const char* link;   // below the home
        const char* target; // below the fake root ("outside" or "home/...")
        bool chownTrash = false;
    };
    const Case cases[] = {
        {"the Trash is a link outside", ".local/share/Trash", "outside/trash", false},
        {"files is a link to Documents", ".local/share/Trash/files", "home/tester/Documents", false},
        {"info is a link to Notes", ".local/share/Trash/info", "home/tester/Notes", false},
        {"the data folder is a link outside", ".local/share", "outside/share", false},
        {"the Trash belongs to someone else", nullptr, nullptr, true},
    };
    const QString root = QFileInfo(env.home()).absoluteDir().absolutePath() + QStringLiteral("/..");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QDir(env.home() + QStringLiteral("/.local")).removeRecursively();
        env.makeDir(files());
        env.makeDir(info());
        QString target;
        if (c.link) {
            const QString link = env.home() + QLatin1Char('/') + QString::fromUtf8(c.link);
            target = env.makeDir(QDir::cleanPath(root + QLatin1Char('/') + QString::fromUtf8(c.target)));
            env.makeDir(target + QStringLiteral("/files"));
            env.makeDir(target + QStringLiteral("/info"));
            env.makeDir(target + QStringLiteral("/Trash/files"));
            env.makeDir(target + QStringLiteral("/Trash/info"));
            QDir(link).removeRecursively();
            ASSERT_TRUE(QFile::link(target, link));
        }
        if (c.chownTrash) {
            ASSERT_EQ(::chown(bytes(trash()).constData(), 65534, 65534), 0);
        }
        const QString item = env.writeFile(QStringLiteral("Downloads/setup.dmg"), "x");

        EXPECT_FALSE(move(item));
        EXPECT_EQ(error,
                  QStringLiteral("The Trash folder is not a real folder of yours (it may be a link), so nothing "
                                 "was moved."));
        EXPECT_TRUE(exists(item));
        if (!target.isEmpty()) {
            QStringList landed;
            QDirIterator it(target, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                            QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString found = it.next();
                if (!QFileInfo(found).isDir())
                    landed.append(found);
            }
            EXPECT_TRUE(landed.isEmpty()) << landed.join(QLatin1Char(' ')).toStdString();
            QFile::remove(env.home() + QLatin1Char('/') + QString::fromUtf8(c.link));
        }
    }
}

// ---- Names and links -------------------------------------------------------------------------

TEST_F(TrashMoveTest, NamesThatDoNotRoundTripAreRefusedAndNeverConfusedWithAnother)
{
    const QByteArray downloads = bytes(env.makeDir(QStringLiteral("Downloads")));
    const QByteArrayList names{"setup-\xff.dmg", "setup-\xfe.dmg", "setup-\xEF\xBF\xBD.dmg"};
    for (const QByteArray& name : names)
        writeRaw(downloads + '/' + name);
    const QString shown = QFile::decodeName(downloads + "/setup-\xff.dmg");
    ASSERT_EQ(shown, QFile::decodeName(downloads + "/setup-\xEF\xBF\xBD.dmg")) << "all three read as one text";
    EXPECT_FALSE(TrashMove::hasExactBytes(shown));

    EXPECT_FALSE(move(shown));
    EXPECT_EQ(error, QStringLiteral("This name cannot be handled safely."));
    useChinese();
    EXPECT_FALSE(move(shown));
    EXPECT_EQ(error, QStringLiteral("此名称无法被安全处理。"));
    for (const QByteArray& name : names)
        EXPECT_TRUE(existsRaw(downloads + '/' + name)) << name.toHex().toStdString();
    EXPECT_FALSE(exists(trash()));

    // A folder on the way with such a name is refused the same way.
    ASSERT_EQ(::mkdir(downloads + "/dir-\xff", 0700), 0);
    writeRaw(downloads + "/dir-\xff/a.dmg");
    EXPECT_FALSE(move(QFile::decodeName(downloads + "/dir-\xff/a.dmg"), QFile::decodeName(downloads + "/dir-\xff")));
    EXPECT_TRUE(existsRaw(downloads + "/dir-\xff/a.dmg"));

    // The temporary folder's own removal goes by text and would miss these.
    for (const QByteArray& name : names)
        ::unlink(downloads + '/' + name);
    ::unlink(downloads + "/dir-\xff/a.dmg");
    ::rmdir(downloads + "/dir-\xff");
}

TEST_F(TrashMoveTest, LinksMoveThemselvesNeverTheirTargetsDanglingOnesIncluded)
{
    const QString target = env.writeFile(env.outside() + QStringLiteral("/target.dmg"), "target");
    const QString downloads = env.makeDir(QStringLiteral("Downloads"));
    ASSERT_TRUE(QFile::link(target, downloads + QStringLiteral("/live.dmg")));
    ASSERT_TRUE(QFile::link(env.outside() + QStringLiteral("/gone.dmg"), downloads + QStringLiteral("/dangling.dmg")));
    for (const char* name : {"live.dmg", "dangling.dmg"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(move(downloads + QLatin1Char('/') + QLatin1String(name))) << error.toStdString();
        EXPECT_FALSE(exists(downloads + QLatin1Char('/') + QLatin1String(name)));
        EXPECT_TRUE(QFileInfo(files() + QLatin1Char('/') + QLatin1String(name)).isSymLink());
    }
    EXPECT_TRUE(exists(target));
    EXPECT_FALSE(exists(env.outside() + QStringLiteral("/gone.dmg")));
}

// ---- File systems ----------------------------------------------------------------------------

TEST_F(TrashMoveTest, ItemsOnAnotherFileSystemOrMountPointsAreRefusedAndLeaveNothingTable)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "mounting needs root";
    const QString downloads = env.makeDir(QStringLiteral("Downloads"));
    const QString disk = env.makeDir(QStringLiteral("Downloads/disk"));
    const QString bound = env.makeDir(QStringLiteral("Downloads/bound"));
    const QString source = env.makeDir(QStringLiteral("Library/source"));
    env.writeFile(source + QStringLiteral("/inner.dmg"), "inner");
    env.writeFile(QStringLiteral("Downloads/first.dmg"), "first");
    ASSERT_TRUE(move(downloads + QStringLiteral("/first.dmg"))) << error.toStdString(); // the Trash exists
    const bool ran = inPrivateMounts([&] {
        ASSERT_EQ(::mount("tmpfs", bytes(disk).constData(), "tmpfs", 0, "size=1m"), 0) << std::strerror(errno);
        ASSERT_EQ(::mount(bytes(source).constData(), bytes(bound).constData(), nullptr, MS_BIND, nullptr), 0)
            << std::strerror(errno);
        const QString onDisk = env.writeFile(disk + QStringLiteral("/setup.dmg"), "disk");
        struct Case {
            const char* what;
            QString path;
        };
        const Case cases[] = {
            {"a mount point of another file system", disk},
            {"a file on another file system", onDisk},
            {"a bind mount of the same file system", bound},
            {"a file below a bind mount", bound + QStringLiteral("/inner.dmg")},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            EXPECT_FALSE(move(c.path));
            EXPECT_EQ(error,
                      QStringLiteral("This item is on another file system than the Trash (or is a mount point "
                                     "itself), so it cannot be moved to Trash."));
            EXPECT_TRUE(exists(c.path));
        }
        EXPECT_EQ(entries(disk), QByteArrayList{"setup.dmg"}) << "no Trash folder made on the mounted file system";
        EXPECT_EQ(entries(bound), QByteArrayList{"inner.dmg"});
        EXPECT_EQ(entries(info()), QByteArrayList{"first.dmg.trashinfo"});
        EXPECT_EQ(entries(files()), QByteArrayList{"first.dmg"});
        ::umount2(bytes(bound).constData(), MNT_DETACH);
        ::umount2(bytes(disk).constData(), MNT_DETACH);
    });
    if (!ran)
        GTEST_SKIP() << "no private mount namespace here";
}

TEST_F(TrashMoveTest, PathsNotInStandardFormAreRefused)
{
    const QString item = env.writeFile(QStringLiteral("Downloads/setup.dmg"));
    const QString folder = env.home() + QStringLiteral("/Downloads");
    for (const QString& path :
         {QStringLiteral("Downloads/setup.dmg"), env.home() + QStringLiteral("/Downloads/./setup.dmg"),
          env.home() + QStringLiteral("/Downloads/x/../setup.dmg")}) {
        EXPECT_FALSE(TrashMove::moveToTrash(path, folder, env.home(), &error)) << path.toStdString();
        EXPECT_EQ(error, QStringLiteral("This path is outside the allowed scope and cannot be moved to Trash."));
    }
    EXPECT_TRUE(exists(item));
}

} // namespace
