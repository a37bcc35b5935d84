#include "platform/SettingsStore.h"
#include "tests/support/TestEnv.h"

#include <QMutex>
#include <QStringList>
#include <gtest/gtest.h>

namespace roror::test {
namespace {

TEST(SettingsStoreWrites, BackgroundWritesLandInTheirOrderBeforeTheNextHandleReads)
{
    TestEnv env;
    QMutex mutex;
    QStringList landed;
    const auto note = [&](const char* what) {
        return [&mutex, &landed, what] {
            QMutexLocker lock(&mutex);
            landed.append(QString::fromLatin1(what));
        };
    };
    SettingsStore::writeInBackground({{QStringLiteral("count"), 1}, {QStringLiteral("path"), QStringLiteral("/a")}},
                                     note("first"));
    SettingsStore::writeInBackground({{QStringLiteral("count"), 2}}, note("second"));
    const auto store = SettingsStore::open();
    EXPECT_EQ(store->value(QStringLiteral("count")).toInt(), 2);
    EXPECT_EQ(store->value(QStringLiteral("path")).toString(), QStringLiteral("/a"));
    QMutexLocker lock(&mutex);
    EXPECT_EQ(landed, (QStringList{QStringLiteral("first"), QStringLiteral("second")}));
}

TEST(SettingsStoreWrites, AWriteGoesToTheFileOfItsMomentEvenWhenTheStoreMovesRightAfter)
{
    TestEnv env;
    const QString before = SettingsStore::filePath();
    SettingsStore::writeInBackground({{QStringLiteral("showHealthAura"), false}});
    {
        TestEnv other;
        EXPECT_NE(SettingsStore::filePath(), before);
        EXPECT_FALSE(SettingsStore::open()->contains(QStringLiteral("showHealthAura")));
    }
    QSettings file(before, QSettings::IniFormat);
    ASSERT_TRUE(file.contains(QStringLiteral("showHealthAura")));
    EXPECT_FALSE(file.value(QStringLiteral("showHealthAura")).toBool());
}

} // namespace
} // namespace roror::test
