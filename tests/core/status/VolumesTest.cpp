// Volumes: the record of one volume, repeats and order, the primary disk and the fallbacks.

#include "core/status/LocalSystemStatus.h"
#include "tests/core/status/FakeStatusSource.h"
#include "tests/support/TestEnv.h"

#include <gtest/gtest.h>

using namespace roror;
using namespace roror::LocalSystemStatus;
using roror::test::FakeStatusScope;
using Disk = SystemReport::Disk;

namespace {

VolumeReading volume(const QString& path, std::optional<QString> name = std::nullopt,
                     std::optional<qint64> total = std::nullopt, std::optional<qint64> available = std::nullopt,
                     std::optional<bool> removable = std::nullopt)
{
    return VolumeReading{path, name, total, available, removable, std::nullopt, std::nullopt};
}

QStringList mounts(const QList<Disk>& disks)
{
    QStringList out;
    for (const Disk& d : disks)
        out.append(d.mount.value_or(QStringLiteral("<none>")));
    return out;
}

} // namespace

TEST(Volumes, OneVolumeRecord)
{
    test::TestEnv env;
    VolumeReading root = volume(QStringLiteral("/"), QStringLiteral("Macintosh HD"), 1000, 250, false);
    root.device = QStringLiteral("/dev/disk3s1s1");
    root.fstype = QStringLiteral("apfs");
    EXPECT_EQ(diskFromVolume(root),
              Disk(QStringLiteral("Macintosh HD"), QStringLiteral("/"), 1000, 750, 75.0,
                   QStringLiteral("/dev/disk3s1s1"), QStringLiteral("apfs"), false));

    // More available than total: used 0; a total of 0: 0 percent; one capacity missing: no use.
    EXPECT_EQ(diskFromVolume(volume(QStringLiteral("/a"), {}, 100, 150)).used, 0);
    EXPECT_EQ(diskFromVolume(volume(QStringLiteral("/a"), {}, 100, 150)).usedPercent, 0.0);
    EXPECT_EQ(diskFromVolume(volume(QStringLiteral("/a"), {}, 0, 0)).usedPercent, 0.0);
    const Disk partial = diskFromVolume(volume(QStringLiteral("/a"), {}, 100));
    EXPECT_EQ(partial.total, 100);
    EXPECT_EQ(partial.used, std::nullopt);
    EXPECT_EQ(partial.usedPercent, std::nullopt);
    EXPECT_EQ(partial.name, QStringLiteral("/a")); // no volume name: the path

    // Under /Volumes/ always external; elsewhere only a removable volume.
    EXPECT_EQ(diskFromVolume(volume(QStringLiteral("/Volumes/Stick"), {}, {}, {}, false)).external, true);
    EXPECT_EQ(diskFromVolume(volume(QStringLiteral("/media/stick"), {}, {}, {}, true)).external, true);
    EXPECT_EQ(diskFromVolume(volume(QStringLiteral("/home"))).external, false);

    env.setLanguagePreference(QStringLiteral("chinese"));
    EXPECT_EQ(diskFromVolume(volume(QStringLiteral("/System/Volumes/Data"), QStringLiteral("Data"))).name,
              QStringLiteral("内置磁盘"));
    env.setLanguagePreference(QStringLiteral("english"));
    EXPECT_EQ(diskFromVolume(volume(QStringLiteral("/System/Volumes/Data"), QStringLiteral("Data"))).name,
              QStringLiteral("Internal Disk"));
}

TEST(Volumes, RepeatsAndOrder)
{
    Disk root(QStringLiteral("Macintosh HD"), QStringLiteral("/"), {}, {}, {}, {}, {}, false);
    Disk data(QStringLiteral("Internal Disk"), QStringLiteral("/System/Volumes/Data"), {}, {}, {}, {}, {}, false);
    Disk b(QStringLiteral("B"), QStringLiteral("/Volumes/B"), {}, {}, {}, {}, {}, true);
    Disk a(QStringLiteral("A"), QStringLiteral("/Volumes/A"), {}, {}, {}, {}, {}, true);
    Disk aAgain(QStringLiteral("A2"), QStringLiteral("/Volumes/A"), {}, {}, {}, {}, {}, true);
    Disk home(QStringLiteral("home"), QStringLiteral("/home"), {}, {}, {}, {}, {}, std::nullopt);
    Disk anonymous1;
    Disk anonymous2;

    // The data volume stands in for "/"; the first of a repeated mount wins; internal first.
    const QList<Disk> withData = deduplicatedDisks({b, root, a, data, aAgain});
    EXPECT_EQ(mounts(withData),
              (QStringList{QStringLiteral("/System/Volumes/Data"), QStringLiteral("/Volumes/A"),
                           QStringLiteral("/Volumes/B")}));
    EXPECT_EQ(withData[1].name, QStringLiteral("A"));

    EXPECT_EQ(mounts(deduplicatedDisks({b, home, root})),
              (QStringList{QStringLiteral("/"), QStringLiteral("/home"), QStringLiteral("/Volumes/B")}));
    // Records without mount, device or name never count as repeats.
    EXPECT_EQ(deduplicatedDisks({anonymous1, anonymous2}).size(), 2);
}

TEST(Volumes, PrimaryDisk)
{
    Disk root(QStringLiteral("Root"), QStringLiteral("/"), {}, {}, {}, {}, {}, false);
    Disk data(QStringLiteral("Data"), QStringLiteral("/System/Volumes/Data"), {}, {}, {}, {}, {}, false);
    Disk other(QStringLiteral("Other"), QStringLiteral("/Volumes/X"), {}, {}, {}, {}, {}, true);
    EXPECT_EQ(primaryDisk({other, root, data}), data);
    EXPECT_EQ(primaryDisk({other, root}), root);
    EXPECT_EQ(primaryDisk({other}), other);
    const Disk made = primaryDisk({});
    EXPECT_EQ(made, Disk(QStringLiteral("Macintosh HD"), QStringLiteral("/"), {}, {}, {}, {}, {}, {}));
}

TEST(Volumes, TheHomeVolumeStandsInWhenNothingIsListed)
{
    FakeStatusScope scope;
    VolumeReading home = volume(QStringLiteral("/"), std::nullopt, 1000, 400);
    scope.source->home = home;
    QList<Disk> disks = diskSnapshots();
    ASSERT_EQ(disks.size(), 1);
    EXPECT_EQ(disks[0], Disk(QStringLiteral("Macintosh HD"), QStringLiteral("/"), 1000, 600, 60.0, {}, {}, {}));

    scope.source->volumeList = {volume(QStringLiteral("/Volumes/B"), QStringLiteral("B"), 10, 5),
                                volume(QStringLiteral("/"), QStringLiteral("Root"), 100, 50)};
    disks = diskSnapshots();
    EXPECT_EQ(mounts(disks), (QStringList{QStringLiteral("/"), QStringLiteral("/Volumes/B")}));
}
