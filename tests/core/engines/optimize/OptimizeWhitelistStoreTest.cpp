#include "core/engines/optimize/OptimizePreviewCatalog.h"
#include "core/engines/optimize/OptimizeWhitelistStore.h"
#include "tests/support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace roror;

namespace {

const QString kHeader = QStringLiteral("# Roror Optimization Whitelist - These optimization steps will be skipped");

class OptimizeWhitelistStoreTest : public ::testing::Test {
protected:
    QString current() const { return env.home() + "/.config/roror/whitelist_optimize"; }
    QString legacy() const { return env.home() + "/.config/zida/whitelist_optimize"; }
    QString legacyChecks() const { return env.home() + "/.config/zida/whitelist_checks"; }

    static QByteArray read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    test::TestEnv env;
};

TEST_F(OptimizeWhitelistStoreTest, NoFileMeansNothingProtected)
{
    EXPECT_EQ(OptimizeWhitelistStore::load(env.home()), OptimizeWhitelistState{});
    EXPECT_TRUE(OptimizeWhitelistStore::defaultSelectedKeys().isEmpty());
}

TEST_F(OptimizeWhitelistStoreTest, SaveWritesExactBytes)
{
    struct Case {
        OptimizeWhitelistState state;
        QByteArray bytes;
    };
    const Case cases[] = {
        {{}, kHeader.toUtf8() + "\n"},
        {{{"dock_refresh", "cache_refresh"}, {}}, kHeader.toUtf8() + "\n\ncache_refresh\ndock_refresh\n"},
        // Catalogue order for the selection, then the custom keys in their order, once each, without
        // the selected ones; selected keys outside the catalogue are not written.
        {{{"coreduet_cleanup", "system_maintenance", "not_in_catalogue", "my key"},
          {"zeta", "my key", "alpha", "zeta", "Dock_Refresh"}},
         kHeader.toUtf8() + "\n\nsystem_maintenance\ncoreduet_cleanup\nzeta\nalpha\nDock_Refresh\n"},
        {{{}, {"only_custom"}}, kHeader.toUtf8() + "\n\nonly_custom\n"},
    };
    for (const Case& c : cases) {
        OptimizeWhitelistStore::save(c.state, env.home());
        EXPECT_EQ(read(current()), c.bytes);
    }
}

TEST_F(OptimizeWhitelistStoreTest, RoundTripKeepsSelectionAndCustomKeys)
{
    const OptimizeWhitelistState state{{"dock_refresh", "sqlite_vacuum"}, {"custom-b", "custom-a"}};
    OptimizeWhitelistStore::save(state, env.home());
    EXPECT_EQ(OptimizeWhitelistStore::load(env.home()), state);

    OptimizeWhitelistStore::save({}, env.home());
    EXPECT_EQ(OptimizeWhitelistStore::load(env.home()), OptimizeWhitelistState{});
}

TEST_F(OptimizeWhitelistStoreTest, ReadingIsTolerantOfLayout)
{
    env.writeFile(current(),
                  "# header\r\n\r\n   dock_refresh  \r\n# a comment between keys\r\n\tcache_refresh\r\n"
                  "  # indented comment\n\n"
                  "Dock_Refresh\ncustom\ncustom\ndock_refresh\x0b"
                  "vt_key\x0c"
                  "ff_key\r"
                  "cr_key\xe2\x80\xa8"
                  "ls_key\xc2\x85"
                  "nel_key   \n\n");
    const OptimizeWhitelistState state = OptimizeWhitelistStore::load(env.home());
    EXPECT_EQ(state.selectedKeys, (QSet<QString>{"dock_refresh", "cache_refresh"}));
    EXPECT_EQ(state.customKeys,
              (QStringList{"Dock_Refresh", "custom", "vt_key", "ff_key", "cr_key", "ls_key", "nel_key"}));
}

TEST_F(OptimizeWhitelistStoreTest, LegacyFilesAreReadInOrderAndNeverWritten)
{
    env.writeFile(legacyChecks(), "dock_refresh\n");
    EXPECT_EQ(OptimizeWhitelistStore::load(env.home()).selectedKeys, QSet<QString>{"dock_refresh"});

    env.writeFile(legacy(), "cache_refresh\n");
    EXPECT_EQ(OptimizeWhitelistStore::load(env.home()).selectedKeys, QSet<QString>{"cache_refresh"});

    OptimizeWhitelistStore::save({{"sqlite_vacuum"}, {}}, env.home());
    EXPECT_EQ(read(legacy()), "cache_refresh\n");
    EXPECT_EQ(read(legacyChecks()), "dock_refresh\n");
    EXPECT_EQ(OptimizeWhitelistStore::load(env.home()).selectedKeys, QSet<QString>{"sqlite_vacuum"});
}

TEST_F(OptimizeWhitelistStoreTest, UnreadableFileThrowsInsteadOfFallingBack)
{
    env.writeFile(legacy(), "dock_refresh\n");
    env.writeFile(current(), QByteArray("dock_refresh\n\xff\xfe broken\n"));
    EXPECT_THROW(OptimizeWhitelistStore::load(env.home()), OptimizeWhitelistStoreError);

    QFile::remove(current());
    QDir().mkpath(current()); // a folder where the file should be
    try {
        OptimizeWhitelistStore::load(env.home());
        FAIL() << "a folder cannot be read as the list";
    } catch (const OptimizeWhitelistStoreError& error) {
        EXPECT_TRUE(error.description().contains(current())) << error.description().toStdString();
    }
}

TEST_F(OptimizeWhitelistStoreTest, SaveFailsWhenTheFolderCannotBeMade)
{
    env.writeFile(env.home() + "/.config/roror", "a file in the way");
    EXPECT_THROW(OptimizeWhitelistStore::save({{"dock_refresh"}, {}}, env.home()), OptimizeWhitelistStoreError);
    EXPECT_EQ(read(env.home() + "/.config/roror"), "a file in the way");
}

TEST_F(OptimizeWhitelistStoreTest, OptionsCarryTheCatalogueTexts)
{
    const auto options = OptimizeWhitelistStore::options();
    ASSERT_EQ(options.size(), 23);
    for (qsizetype i = 0; i < options.size(); ++i)
        EXPECT_EQ(options[i].id, OptimizePreviewCatalog::items()[i].id);

    env.setLanguagePreference("english");
    const OptimizeWhitelistOption dock{"dock_refresh"};
    EXPECT_EQ(dock.title(), QStringLiteral("Dock Refresh"));
    EXPECT_EQ(dock.detail(),
              QStringLiteral("Skipped during optimization: Refresh the Dock to fix icon and visual issues."));
    const OptimizeWhitelistOption custom{"my_custom"};
    EXPECT_EQ(custom.title(), QStringLiteral("my_custom"));
    EXPECT_EQ(custom.detail(), QStringLiteral("Skip this optimization step."));

    env.setLanguagePreference("chinese");
    EXPECT_EQ(dock.title(), QStringLiteral("Dock 刷新"));
    EXPECT_EQ(dock.detail(), QStringLiteral("优化执行时会跳过：刷新 Dock，修复图标异常和视觉问题。"));
    EXPECT_EQ(custom.detail(), QStringLiteral("跳过此优化步骤。"));
}

} // namespace
