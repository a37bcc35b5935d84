#include "app/pages/clean/CleanProtectionEditor.h"
#include "core/model/AppActionFactory.h"
#include "core/engines/clean/CleanWhitelistStore.h"
#include "tests/app/model/ModelTestSupport.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace roror;
using namespace roror::test;

namespace {

class CleanProtectionSheetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        useLanguage(AppLanguagePreference::english);
        services.loadCleanWhitelist = [this](const QString&) {
            if (failLoad)
                throw std::runtime_error("whitelist is not UTF-8");
            return CleanWhitelistState{stored};
        };
        services.saveCleanWhitelist = [this](const CleanWhitelistState& state, const QString&) {
            ++saves;
            stored = state.patterns;
        };
    }

    void open(AppModel& model) { model.request(AppActionFactory::cleanWhitelist()); }

    TestEnv env;
    AppModelServices services = fakeServices(env);
    QStringList stored{QStringLiteral("~/Projects"), QStringLiteral("~/Library/Caches/keep*")};
    bool failLoad = false;
    int saves = 0;
};

TEST_F(CleanProtectionSheetTest, EditsLiveInTheModelAndSaveWritesThemAndCloses)
{
    AppModel model(services);
    CleanProtectionEditor editor;
    editor.setModel(&model);
    open(model);
    ASSERT_TRUE(model.showingCleanProtectionSheet());
    EXPECT_EQ(editor.text(), QStringLiteral("~/Projects\n~/Library/Caches/keep*"));
    EXPECT_FALSE(editor.file()->loadFailed());
    EXPECT_TRUE(editor.file()->canSave());

    QSignalSpy textSpy(&editor, &CleanProtectionEditor::textChanged);
    editor.setText(QStringLiteral("  ~/Projects  \n\n~/Music\n"));
    EXPECT_EQ(model.cleanWhitelistText(), QStringLiteral("  ~/Projects  \n\n~/Music\n"));
    EXPECT_EQ(textSpy.count(), 1);
    editor.setText(model.cleanWhitelistText());
    EXPECT_EQ(textSpy.count(), 1);

    EXPECT_TRUE(editor.file()->save());
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(stored, (QStringList{QStringLiteral("~/Projects"), QStringLiteral("~/Music")}));
    EXPECT_FALSE(model.showingCleanProtectionSheet());
    EXPECT_EQ(model.statusTitle(), QStringLiteral("Protection List Updated"));
}

TEST_F(CleanProtectionSheetTest, RestoreDefaultsReplacesTheTextAndCancelWritesNothing)
{
    AppModel model(services);
    CleanProtectionEditor editor;
    editor.setModel(&model);
    open(model);
    editor.setText(QStringLiteral("my edit"));
    editor.restoreDefaults();
    const QStringList lines = editor.text().split(QLatin1Char('\n'));
    EXPECT_EQ(lines, CleanWhitelistStore::defaultPatterns());
    EXPECT_EQ(lines.size(), 21);
    EXPECT_FALSE(editor.text().endsWith(QLatin1Char('\n')));
    EXPECT_TRUE(model.showingCleanProtectionSheet());

    editor.file()->cancel();
    EXPECT_FALSE(model.showingCleanProtectionSheet());
    EXPECT_EQ(saves, 0);
    // The unsaved text stays until the next request reloads it from the store.
    EXPECT_EQ(model.cleanWhitelistText().split(QLatin1Char('\n')).size(), 21);
    open(model);
    EXPECT_EQ(editor.text(), QStringLiteral("~/Projects\n~/Library/Caches/keep*"));
}

TEST_F(CleanProtectionSheetTest, AListThatFailedToLoadIsShownAndNeverSavedOver)
{
    AppModel model(services);
    CleanProtectionEditor editor;
    editor.setModel(&model);
    QSignalSpy loadState(editor.file(), &ProtectionFile::loadStateChanged);
    failLoad = true;
    open(model);
    EXPECT_TRUE(model.showingCleanProtectionSheet());
    EXPECT_GT(loadState.count(), 0);
    EXPECT_TRUE(editor.file()->loadFailed());
    EXPECT_FALSE(editor.file()->canSave());
    EXPECT_TRUE(editor.file()->loadErrorText().contains(QStringLiteral("whitelist is not UTF-8")));
    EXPECT_TRUE(editor.file()->loadErrorText().startsWith(QStringLiteral("The protection list could not be read")));

    editor.setText(QStringLiteral("~/only-this"));
    EXPECT_FALSE(editor.file()->save());
    EXPECT_EQ(saves, 0);
    EXPECT_TRUE(model.showingCleanProtectionSheet()) << "the sheet stays open instead of closing as if saved";

    useLanguage(AppLanguagePreference::chinese);
    EXPECT_TRUE(editor.file()->loadErrorText().startsWith(QStringLiteral("保护名单没有读取成功")));
    useLanguage(AppLanguagePreference::english);

    // Once the list loads again the sheet saves as usual.
    editor.file()->cancel();
    failLoad = false;
    open(model);
    EXPECT_FALSE(editor.file()->loadFailed());
    EXPECT_EQ(editor.file()->loadErrorText(), QString());
    EXPECT_TRUE(editor.file()->save());
    EXPECT_EQ(saves, 1);
}

TEST_F(CleanProtectionSheetTest, AFailedWriteStillClosesAndTheAlertSaysWhy)
{
    services.saveCleanWhitelist
        = [](const CleanWhitelistState&, const QString&) { throw std::runtime_error("disk full"); };
    AppModel model(services);
    CleanProtectionEditor editor;
    editor.setModel(&model);
    open(model);
    editor.setText(QStringLiteral("~/x"));
    EXPECT_TRUE(editor.file()->save());
    EXPECT_FALSE(model.showingCleanProtectionSheet());
    EXPECT_EQ(model.alertMessage(), std::optional<QString>(QStringLiteral("disk full")));
    EXPECT_EQ(model.cleanWhitelistText(), QStringLiteral("~/x"));
}

} // namespace
