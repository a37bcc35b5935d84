#include "core/engines/clean/CleanWhitelistStore.h"
#include "core/engines/optimize/OptimizeWhitelistStore.h"
#include "tests/app/model/ModelTestSupport.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace roror;
using namespace roror::test;

namespace {

// The editors against the real list stores in a fake home.
class ModelEditors : public ::testing::Test {
protected:
    void SetUp() override
    {
        useLanguage(AppLanguagePreference::english);
        const AppModelServices real = AppModelServices::real();
        services.loadCleanWhitelist = real.loadCleanWhitelist;
        services.saveCleanWhitelist = real.saveCleanWhitelist;
        services.loadOptimizeWhitelist = real.loadOptimizeWhitelist;
        services.saveOptimizeWhitelist = real.saveOptimizeWhitelist;
    }

    QString cleanFile() const { return env.home() + QStringLiteral("/.config/roror/whitelist"); }
    QString optimizeFile() const { return env.home() + QStringLiteral("/.config/roror/whitelist_optimize"); }
    static QByteArray read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    TestEnv env;
    AppModelServices services = fakeServices(env);
};

TEST_F(ModelEditors, LoadingWithoutAFileShowsTheDefaultsOnePerLine)
{
    AppModel model(services);
    model.loadCleanWhitelistEditor();
    EXPECT_EQ(model.cleanWhitelistText(), CleanWhitelistStore::defaultPatterns().join(QLatin1Char('\n')));
    EXPECT_FALSE(model.cleanWhitelistText().endsWith(QLatin1Char('\n')));
    EXPECT_FALSE(model.alertMessage());
}

TEST_F(ModelEditors, SavingSplitsTrimsAndKeepsTheEditorTextAsTyped)
{
    for (const auto language : {AppLanguagePreference::english, AppLanguagePreference::chinese}) {
        useLanguage(language);
        AppModel model(services);
        const QString typed
            = QStringLiteral("  ~/Projects/keep \r\n\r\n~/Library/Caches/x\u2028~/Projects/keep\n   \n# note");
        model.setCleanWhitelistText(typed);
        model.saveCleanWhitelistEditor();
        EXPECT_FALSE(model.alertMessage());
        EXPECT_EQ(model.cleanWhitelistText(), typed);
        if (language == AppLanguagePreference::english) {
            EXPECT_EQ(model.statusTitle(), QStringLiteral("Protection List Updated"));
            EXPECT_EQ(model.statusDetail(),
                      QStringLiteral("Smart Clean will skip items covered by the new protection list."));
        } else {
            EXPECT_EQ(model.statusTitle(), QStringLiteral("保护名单已更新"));
            EXPECT_EQ(model.statusDetail(), QStringLiteral("智能清理会按新的保护名单跳过对应内容。"));
        }
        // The store de-duplicates and drops the comment line when it reads the list back.
        model.loadCleanWhitelistEditor();
        EXPECT_EQ(model.cleanWhitelistText(), QStringLiteral("~/Projects/keep\n~/Library/Caches/x"));
    }

    // Carriage-return line ends save the same file as plain line feeds.
    AppModel model(services);
    model.setCleanWhitelistText(QStringLiteral("~/a\r\n~/b\r\n"));
    model.saveCleanWhitelistEditor();
    const QByteArray crlf = read(cleanFile());
    model.setCleanWhitelistText(QStringLiteral("~/a\n~/b"));
    model.saveCleanWhitelistEditor();
    EXPECT_EQ(read(cleanFile()), crlf);
}

TEST_F(ModelEditors, BlankEditorTextSavesNoPatternSoTheDefaultsComeBack)
{
    AppModel model(services);
    model.setCleanWhitelistText(QStringLiteral("\n   \n\t\n"));
    model.saveCleanWhitelistEditor();
    EXPECT_EQ(model.statusTitle(), QStringLiteral("Protection List Updated"));
    model.loadCleanWhitelistEditor();
    EXPECT_EQ(model.cleanWhitelistText(), CleanWhitelistStore::defaultPatterns().join(QLatin1Char('\n')));
}

TEST_F(ModelEditors, ALineThatCanNeverMatchIsNamedAndNothingIsSaved)
{
    env.writeFile(cleanFile(), "~/before\n");
    const QByteArray before = read(cleanFile());
    const struct {
        const char* line;
        const char* named;
    } table[] = {
        {"Library/Caches/keep", "Library/Caches/keep"},
        {"  ./keep  ", "./keep"},
        {"~someone/keep", "~someone/keep"},
    };
    for (const auto language : {AppLanguagePreference::english, AppLanguagePreference::chinese}) {
        useLanguage(language);
        for (const auto& c : table) {
            AppModel model(services);
            model.setCleanWhitelistText(QStringLiteral("~/fine\n# a note\nFINDER_METADATA\n")
                                        + QString::fromUtf8(c.line) + QStringLiteral("\n/also/fine"));
            model.saveCleanWhitelistEditor();
            ASSERT_TRUE(model.alertMessage()) << c.line;
            EXPECT_TRUE(model.alertMessage()->endsWith(QString::fromUtf8(c.named)))
                << model.alertMessage()->toStdString();
            EXPECT_TRUE(model.alertMessage()->contains(language == AppLanguagePreference::english
                                                           ? QStringLiteral("was not saved")
                                                           : QStringLiteral("没有保存")))
                << model.alertMessage()->toStdString();
            EXPECT_EQ(model.statusTitle(), QStringLiteral("准备就绪"));
            EXPECT_EQ(read(cleanFile()), before) << c.line;
        }
    }
    // Comments, the Finder keyword and full paths save as before.
    useLanguage(AppLanguagePreference::english);
    AppModel model(services);
    model.setCleanWhitelistText(QStringLiteral("# note\nFINDER_METADATA\n$HOME/x\n*/keep\n/abs"));
    model.saveCleanWhitelistEditor();
    EXPECT_FALSE(model.alertMessage());
    EXPECT_EQ(model.statusTitle(), QStringLiteral("Protection List Updated"));
}

TEST_F(ModelEditors, AnUnreadableListIsNeverSavedOverFromTheEditor)
{
    const QByteArray broken("~/keep\n\xff\xfe not text\n");
    env.writeFile(cleanFile(), broken);
    AppModel model(services);
    model.setCleanWhitelistText(QStringLiteral("before"));
    model.loadCleanWhitelistEditor();
    ASSERT_TRUE(model.alertMessage());
    EXPECT_FALSE(model.alertMessage()->isEmpty());
    EXPECT_EQ(model.cleanWhitelistText(), QStringLiteral("before"));

    model.setAlertMessage(std::nullopt);
    model.setCleanWhitelistText(QString());
    model.saveCleanWhitelistEditor();
    EXPECT_EQ(model.alertMessage(), QStringLiteral("The protection list could not be read, so it was not saved over."));
    EXPECT_EQ(read(cleanFile()), broken);
    EXPECT_EQ(model.statusTitle(), QStringLiteral("准备就绪"));

    // Once the file reads again, the editor saves as usual.
    env.writeFile(cleanFile(), "~/fixed\n");
    model.loadCleanWhitelistEditor();
    model.saveCleanWhitelistEditor();
    EXPECT_EQ(model.statusTitle(), QStringLiteral("Protection List Updated"));
}

TEST_F(ModelEditors, AFailedSaveAlertsAndLeavesTheBanner)
{
    env.writeFile(QStringLiteral(".config/roror"), "a file where the folder should be");
    AppModel model(services);
    model.setCleanWhitelistText(QStringLiteral("~/a"));
    model.saveCleanWhitelistEditor();
    ASSERT_TRUE(model.alertMessage());
    EXPECT_EQ(model.statusTitle(), QStringLiteral("准备就绪"));

    model.setAlertMessage(std::nullopt);
    model.saveOptimizeWhitelistEditor();
    ASSERT_TRUE(model.alertMessage());
    EXPECT_EQ(model.statusTitle(), QStringLiteral("准备就绪"));
}

TEST_F(ModelEditors, SafeguardsRoundTripWithTheirCustomKeys)
{
    const QString step = OptimizeWhitelistStore::options().first().id;
    env.writeFile(optimizeFile(),
                  (QStringLiteral("# safeguards\n") + step + QStringLiteral("\nmy_custom_key\n")).toUtf8());
    AppModel model(services);
    model.loadOptimizeWhitelistEditor();
    EXPECT_EQ(model.optimizeWhitelistSelection(), QSet<QString>{step});
    EXPECT_EQ(model.optimizeWhitelistCustomKeys(), QStringList{QStringLiteral("my_custom_key")});

    model.setOptimizeWhitelistSelection({});
    model.saveOptimizeWhitelistEditor();
    EXPECT_EQ(model.statusTitle(), QStringLiteral("Safeguards Updated"));
    EXPECT_EQ(model.statusDetail(), QStringLiteral("Optimization will skip the selected steps."));
    AppModel again(services);
    again.loadOptimizeWhitelistEditor();
    EXPECT_TRUE(again.optimizeWhitelistSelection().isEmpty());
    EXPECT_EQ(again.optimizeWhitelistCustomKeys(), QStringList{QStringLiteral("my_custom_key")});

    useLanguage(AppLanguagePreference::chinese);
    again.saveOptimizeWhitelistEditor();
    EXPECT_EQ(again.statusTitle(), QStringLiteral("保护项已更新"));
    EXPECT_EQ(again.statusDetail(), QStringLiteral("优化执行时会跳过已勾选的步骤。"));
}

TEST_F(ModelEditors, UnreadableSafeguardsKeepTheFieldsAndRefuseTheSave)
{
    const QByteArray broken("\xff\xfe\xfd");
    env.writeFile(optimizeFile(), broken);
    AppModel model(services);
    model.setOptimizeWhitelistSelection({QStringLiteral("kept")});
    model.loadOptimizeWhitelistEditor();
    ASSERT_TRUE(model.alertMessage());
    EXPECT_EQ(model.optimizeWhitelistSelection(), QSet<QString>{QStringLiteral("kept")});
    EXPECT_TRUE(model.optimizeWhitelistCustomKeys().isEmpty());

    model.saveOptimizeWhitelistEditor();
    EXPECT_EQ(model.alertMessage(), QStringLiteral("The safeguards could not be read, so they were not saved over."));
    EXPECT_EQ(read(optimizeFile()), broken);
}

} // namespace
