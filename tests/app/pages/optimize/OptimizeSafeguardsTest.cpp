#include "app/pages/optimize/OptimizeSafeguards.h"
#include "core/engines/optimize/OptimizeWhitelistStore.h"
#include "core/model/AppActionFactory.h"
#include "tests/app/model/ModelTestSupport.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace roror;
using namespace roror::test;

namespace {

class SafeguardsSheet : public ::testing::Test {
protected:
    void SetUp() override
    {
        useLanguage(AppLanguagePreference::english);
        services.loadOptimizeWhitelist = [this](const QString&) {
            if (failLoad)
                throw OptimizeWhitelistStoreError(QStringLiteral("safeguards file unreadable"));
            return stored;
        };
        services.saveOptimizeWhitelist = [this](const OptimizeWhitelistState& state, const QString&) {
            ++saves;
            stored = state;
        };
    }

    int rowOf(const OptimizeSafeguards& sheet, const QString& id) const
    {
        for (int i = 0; i < sheet.rowCount(); ++i) {
            if (sheet.index(i).data(OptimizeSafeguards::OptionIdRole).toString() == id)
                return i;
        }
        return -1;
    }

    TestEnv env;
    AppModelServices services = fakeServices(env);
    OptimizeWhitelistState stored;
    bool failLoad = false;
    int saves = 0;
};

TEST_F(SafeguardsSheet, TicksFollowTheSelectionAndEachClickIsOneChange)
{
    const QString first = OptimizeWhitelistStore::options().first().id;
    const QString last = OptimizeWhitelistStore::options().last().id;
    stored.selectedKeys = {last};
    AppModel model(services);
    OptimizeSafeguards sheet;
    sheet.setModel(&model);
    model.request(AppActionFactory::optimizeWhitelist());
    ASSERT_TRUE(model.showingOptimizeProtectionSheet());
    ASSERT_EQ(sheet.rowCount(), 23);
    EXPECT_EQ(sheet.index(0).data(OptimizeSafeguards::OptionIdRole).toString(), first);
    EXPECT_FALSE(sheet.index(0).data(OptimizeSafeguards::CheckedRole).toBool());
    EXPECT_TRUE(sheet.index(22).data(OptimizeSafeguards::CheckedRole).toBool());
    EXPECT_EQ(sheet.customCountText(), QString());

    QSignalSpy selection(&model, &AppModel::optimizeWhitelistSelectionChanged);
    QSignalSpy rows(&sheet, &QAbstractItemModel::dataChanged);
    sheet.setChecked(first, true);
    EXPECT_EQ(selection.count(), 1);
    EXPECT_GT(rows.count(), 0);
    EXPECT_TRUE(sheet.index(0).data(OptimizeSafeguards::CheckedRole).toBool());
    sheet.setChecked(first, true);
    sheet.setChecked(QStringLiteral("not-ticked"), false);
    EXPECT_EQ(selection.count(), 1);
    EXPECT_TRUE(sheet.setData(sheet.index(0), false, OptimizeSafeguards::CheckedRole));
    EXPECT_EQ(selection.count(), 2);
    EXPECT_EQ(model.optimizeWhitelistSelection(), QSet<QString>{last});

    // Cancel keeps the clicks in memory, unsaved; the next opening reads the file again.
    sheet.setChecked(first, true);
    sheet.file()->cancel();
    EXPECT_FALSE(model.showingOptimizeProtectionSheet());
    EXPECT_EQ(saves, 0);
    EXPECT_EQ(model.optimizeWhitelistSelection(), (QSet<QString>{first, last}));
    model.request(AppActionFactory::optimizeWhitelist());
    EXPECT_EQ(model.optimizeWhitelistSelection(), QSet<QString>{last});
}

TEST_F(SafeguardsSheet, CustomEntriesAreCountedKeptByRestoreAndSaved)
{
    stored.selectedKeys = {OptimizeWhitelistStore::options().at(3).id};
    stored.customKeys = {QStringLiteral("my-check"), QStringLiteral("other-check")};
    AppModel model(services);
    OptimizeSafeguards sheet;
    sheet.setModel(&model);
    model.request(AppActionFactory::optimizeWhitelist());
    EXPECT_EQ(sheet.customCountText(), QStringLiteral("2 custom items are also preserved."));
    useLanguage(AppLanguagePreference::chinese);
    EXPECT_EQ(sheet.customCountText(), QStringLiteral("另外保留了 2 个自定义项。"));
    useLanguage(AppLanguagePreference::english);

    sheet.restoreDefaults();
    for (int i = 0; i < sheet.rowCount(); ++i)
        EXPECT_FALSE(sheet.index(i).data(OptimizeSafeguards::CheckedRole).toBool());
    EXPECT_EQ(sheet.customCountText(), QStringLiteral("2 custom items are also preserved."));
    EXPECT_TRUE(model.showingOptimizeProtectionSheet());
    EXPECT_EQ(saves, 0);

    const QString ticked = OptimizeWhitelistStore::options().at(5).id;
    sheet.setChecked(ticked, true);
    EXPECT_TRUE(sheet.file()->save());
    EXPECT_FALSE(model.showingOptimizeProtectionSheet());
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(stored.selectedKeys, QSet<QString>{ticked});
    EXPECT_EQ(stored.customKeys, (QStringList{QStringLiteral("my-check"), QStringLiteral("other-check")}));
    EXPECT_EQ(model.statusTitle(), QStringLiteral("Safeguards Updated"));
}

TEST_F(SafeguardsSheet, AFileThatFailedToLoadIsShownAndNeverSavedOver)
{
    AppModel model(services);
    OptimizeSafeguards sheet;
    sheet.setModel(&model);
    failLoad = true;
    model.request(AppActionFactory::optimizeWhitelist());
    EXPECT_TRUE(model.showingOptimizeProtectionSheet());
    EXPECT_TRUE(sheet.file()->loadFailed());
    EXPECT_FALSE(sheet.file()->canSave());
    EXPECT_TRUE(sheet.file()->loadErrorText().contains(QStringLiteral("safeguards file unreadable")));
    sheet.setChecked(OptimizeWhitelistStore::options().first().id, true);
    EXPECT_FALSE(sheet.file()->save());
    EXPECT_EQ(saves, 0);
    EXPECT_TRUE(model.showingOptimizeProtectionSheet());

    failLoad = false;
    model.request(AppActionFactory::optimizeWhitelist());
    EXPECT_FALSE(sheet.file()->loadFailed());
    EXPECT_TRUE(sheet.file()->save());
    EXPECT_EQ(saves, 1);
}

TEST_F(SafeguardsSheet, ALanguageSwitchRetitlesTheOptions)
{
    AppModel model(services);
    OptimizeSafeguards sheet;
    sheet.setModel(&model);
    const QString english = sheet.index(0).data(OptimizeSafeguards::TitleRole).toString();
    QSignalSpy rows(&sheet, &QAbstractItemModel::dataChanged);
    useLanguage(AppLanguagePreference::chinese);
    EXPECT_EQ(rows.count(), 1);
    const QString chinese = sheet.index(0).data(OptimizeSafeguards::TitleRole).toString();
    EXPECT_NE(english, chinese);
    EXPECT_EQ(chinese, OptimizeWhitelistStore::options().first().title());
    useLanguage(AppLanguagePreference::english);
}

} // namespace
