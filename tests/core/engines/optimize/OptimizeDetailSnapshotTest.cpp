#include "core/engines/optimize/OptimizeDetailSnapshot.h"
#include "core/engines/optimize/OptimizePreviewCatalog.h"
#include "core/support/ByteCountFormat.h"
#include "core/support/FileInfo.h"
#include "tests/support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstring>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace roror;

namespace {

// Plain system calls: the limit tests create ten thousand files.
void createFile(const QString& path, const char* content)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0);
    const size_t length = std::strlen(content);
    ASSERT_EQ(::write(fd, content, length), static_cast<ssize_t>(length));
    ::close(fd);
}

class OptimizeDetailSnapshotTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        env.setLanguagePreference("english");
        snapshot.home = env.home();
        snapshot.commandRunner = [this](const QString& tool, const QStringList& arguments) {
            probes.append(QStringList{tool} + arguments);
            return probeOutput;
        };
    }

    qint64 allocated(const QString& relative) const { return fileInfo(env.home() + "/" + relative)->allocatedSize; }

    test::TestEnv env;
    OptimizeDetailSnapshot snapshot;
    std::optional<QString> probeOutput;
    QList<QStringList> probes;
};

TEST_F(OptimizeDetailSnapshotTest, CountLinesCountEveryVisibleItemOutsidePackages)
{
    EXPECT_EQ(snapshot.detail("saved_state_cleanup"), QStringLiteral("Saved states: 0 items"));

    // Two files and a folder holding one more: four items.
    env.writeFile("Library/Saved Application State/a.savedState.txt", "1");
    env.writeFile("Library/Saved Application State/b", "2");
    env.writeFile("Library/Saved Application State/sub/c", "3");
    env.writeFile("Library/Saved Application State/.hidden", "4");
    EXPECT_EQ(snapshot.detail("saved_state_cleanup"), QStringLiteral("Saved states: 4 items"));

    // A package counts as one item; what it holds is not entered.
    env.writeFile("Library/Fonts/Family.bundle/Contents/a.ttf", "x");
    env.writeFile("Library/Fonts/b.otf", "x");
    EXPECT_EQ(snapshot.detail("font_cache_rebuild"), QStringLiteral("User fonts: 2 items"));

    // The same folder counted in full and by extension.
    env.writeFile("Library/LaunchAgents/com.example.agent.plist", "x");
    env.writeFile("Library/LaunchAgents/com.example.other.PLIST", "x");
    env.writeFile("Library/LaunchAgents/notes.txt", "x");
    EXPECT_EQ(snapshot.detail("login_items_audit"), QStringLiteral("Login items and launch configs: 3 items"));
    EXPECT_EQ(snapshot.detail("launch_agents_cleanup"), QStringLiteral("User launch agents: 2 items"));
}

TEST_F(OptimizeDetailSnapshotTest, PreferenceCountStopsAtTheLimitAndFiltersByExtension)
{
    const QString preferences = env.makeDir("Library/Preferences");
    for (int i = 0; i < OptimizeDetailSnapshot::walkLimit + 50; ++i)
        createFile(preferences + QStringLiteral("/com.example.%1.plist").arg(i), "");
    EXPECT_EQ(snapshot.detail("fix_broken_configs"), QStringLiteral("Preference files: 10000 items"));

    const QString small = env.makeDir(env.outside() + "/prefs");
    for (const char* name : {"a.plist", "B.PLIST", "c.plist.bak", ".hidden.plist", "d.txt"})
        QFile(small + "/" + name).open(QIODevice::WriteOnly);
    EXPECT_EQ(OptimizeDetailSnapshot::itemCount(small, QStringLiteral("plist")), 2);
    EXPECT_EQ(OptimizeDetailSnapshot::itemCount(small, std::nullopt), 4);
    EXPECT_EQ(OptimizeDetailSnapshot::itemCount(small + "/missing", std::nullopt), 0);
}

TEST_F(OptimizeDetailSnapshotTest, SizeLinesAddAllocatedSizesOfRegularFiles)
{
    const QByteArray block(5000, 'x');
    env.writeFile("Library/Application Support/NotificationCenter/db", block);
    env.writeFile("Library/Application Support/NotificationCenter/db-wal", block);
    env.writeFile("Library/Application Support/NotificationCenter/sub/old", block);
    env.writeFile("Library/Application Support/NotificationCenter/.hidden", block);
    const qint64 expected = allocated("Library/Application Support/NotificationCenter/db")
        + allocated("Library/Application Support/NotificationCenter/db-wal")
        + allocated("Library/Application Support/NotificationCenter/sub/old");
    ASSERT_GT(expected, 0);
    EXPECT_EQ(snapshot.detail("notification_cleanup"), "Notification records: " + formatByteCount(expected));

    // Only ".sqlite" files count for the databases, across the three folders in order.
    env.writeFile("Library/Mail/Envelope Index.sqlite", block);
    env.writeFile("Library/Mail/Envelope Index.sqlite-wal", block);
    env.writeFile("Library/Mail/Envelope Index.sqlite-shm", block);
    env.writeFile("Library/Safari/History.SQLITE", block + block);
    const qint64 databases
        = allocated("Library/Mail/Envelope Index.sqlite") + allocated("Library/Safari/History.SQLITE");
    EXPECT_EQ(snapshot.detail("sqlite_vacuum"), "Common app databases: " + formatByteCount(databases));
}

TEST_F(OptimizeDetailSnapshotTest, QuarantineDatabaseIsASingleFile)
{
    EXPECT_EQ(snapshot.detail("quarantine_cleanup"), "Quarantine database: " + formatByteCount(0));
    env.writeFile("Library/Preferences/com.apple.LaunchServices.QuarantineEventsV2", QByteArray(20000, 'q'));
    const qint64 size = allocated("Library/Preferences/com.apple.LaunchServices.QuarantineEventsV2");
    EXPECT_EQ(snapshot.detail("quarantine_cleanup"), "Quarantine database: " + formatByteCount(size));
}

TEST_F(OptimizeDetailSnapshotTest, SizeWalkStopsAfterTenThousandMeasuredFiles)
{
    const QString folder = env.makeDir(env.outside() + "/many");
    for (int i = 0; i < OptimizeDetailSnapshot::walkLimit + 20; ++i)
        createFile(folder + QStringLiteral("/f%1").arg(i), "x");
    const qint64 one = fileInfo(folder + "/f0")->allocatedSize;
    EXPECT_EQ(OptimizeDetailSnapshot::directorySize(folder, std::nullopt), one * OptimizeDetailSnapshot::walkLimit);
}

TEST_F(OptimizeDetailSnapshotTest, SpotlightLineFollowsTheProbe)
{
    struct Case {
        std::optional<QString> output;
        const char* english;
        const char* chinese;
    };
    const Case cases[] = {
        {QStringLiteral("/:\n\tIndexing enabled. \n"), "Spotlight status: enabled", "Spotlight 状态：已开启"},
        {QStringLiteral("/Volumes/Data:\n\tINDEXING ENABLED.\n"), "Spotlight status: enabled",
         "Spotlight 状态：已开启"},
        {QStringLiteral("/:\n\tIndexing disabled.\n"), "Spotlight status: disabled or unavailable",
         "Spotlight 状态：未开启或不可用"},
        {QString(), "Spotlight status: disabled or unavailable", "Spotlight 状态：未开启或不可用"},
        {std::nullopt, "Spotlight status: unavailable", "Spotlight 状态：无法读取"},
    };
    for (const Case& c : cases) {
        probeOutput = c.output;
        env.setLanguagePreference("english");
        EXPECT_EQ(snapshot.detail("system_maintenance"), QString::fromUtf8(c.english));
        EXPECT_EQ(snapshot.detail("spotlight_index_optimize"), QString::fromUtf8(c.english));
        env.setLanguagePreference("chinese");
        EXPECT_EQ(snapshot.detail("system_maintenance"), QString::fromUtf8(c.chinese));
    }
    ASSERT_FALSE(probes.isEmpty());
    EXPECT_EQ(probes.first(), (QStringList{"/usr/bin/mdutil", "-s", env.home()}));
}

TEST_F(OptimizeDetailSnapshotTest, PlatformProbeRunnerNeedsSuccessAndUtf8)
{
    OptimizeDetailSnapshot platform;
    platform.home = env.home();
    EXPECT_EQ(platform.runCommand("/bin/sh", {"-c", "echo indexing enabled"}), QStringLiteral("indexing enabled\n"));
    EXPECT_EQ(platform.runCommand("/bin/sh", {"-c", "echo enabled; exit 1"}), std::nullopt);
    EXPECT_EQ(platform.runCommand("/bin/sh", {"-c", "printf '\\377\\376'"}), std::nullopt);
    EXPECT_EQ(platform.runCommand(env.outside() + "/no-such-tool", {}), std::nullopt);
    if (!QFileInfo::exists("/usr/bin/mdutil")) {
        EXPECT_EQ(platform.detail("system_maintenance"), QStringLiteral("Spotlight status: unavailable"));
    }
}

TEST_F(OptimizeDetailSnapshotTest, MemoryLineShowsThePhysicalMemory)
{
    QFile meminfo("/proc/meminfo");
    ASSERT_TRUE(meminfo.open(QIODevice::ReadOnly));
    qint64 memTotal = 0;
    for (const QByteArray& line : meminfo.readAll().split('\n')) {
        if (line.startsWith("MemTotal:"))
            memTotal = line.mid(9).trimmed().split(' ').value(0).toLongLong() * 1024;
    }
    EXPECT_EQ(OptimizeDetailSnapshot::physicalMemory(), memTotal);
    EXPECT_EQ(snapshot.detail("memory_pressure_relief"), "Physical memory: " + formatByteCount(memTotal));
    env.setLanguagePreference("chinese");
    EXPECT_EQ(snapshot.detail("memory_pressure_relief"), "物理内存：" + formatByteCount(memTotal));
}

TEST_F(OptimizeDetailSnapshotTest, FixedLinesAndUnknownIds)
{
    EXPECT_EQ(snapshot.detail("network_optimization"),
              QStringLiteral("Will refresh DNS cache and check current proxy settings."));
    EXPECT_EQ(snapshot.detail("disk_verify"), QStringLiteral("Will check the main disk file-system health."));
    env.setLanguagePreference("chinese");
    EXPECT_EQ(snapshot.detail("network_stack_optimize"), QStringLiteral("会刷新路由、ARP 与网络解析缓存。"));
    EXPECT_EQ(snapshot.detail("my_custom_key"), std::nullopt);
    EXPECT_EQ(snapshot.detail("Dock_Refresh"), std::nullopt);
    for (const auto& item : OptimizePreviewCatalog::items())
        EXPECT_TRUE(snapshot.detail(item.id).has_value()) << item.id.toStdString();
}

} // namespace
