#include "core/model/AppActionFactory.h"
#include "tests/app/model/ModelTestSupport.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace roror;
using namespace roror::test;

namespace {

AppAction action(const QStringList& words, bool destructive = false, const QString& title = QStringLiteral("Act"))
{
    AppAction a;
    a.id = QUuid::createUuid();
    a.title = title;
    a.arguments = words;
    a.isDestructive = destructive;
    return a;
}

class ModelDispatch : public ::testing::Test {
protected:
    void SetUp() override
    {
        useLanguage(AppLanguagePreference::english);
        const auto note = [log = log](const QString& what) { log->append(what); };
        services.statusSnapshot
            = [note](const std::optional<QList<SystemReport::ProcessInfo>>&) { return SystemReport{}; };
        services.processSnapshot = [note] { return QList<SystemReport::ProcessInfo>{}; };
        services.analysis = [note, paths = analysedPaths](const QString& root) {
            paths->append(root);
            AnalysisReport r;
            r.path = root;
            return r;
        };
        // Logged on the GUI thread only (the pool members above must not touch the log).
        services.cleanPreview = [note] {
            note(QStringLiteral("clean preview"));
            return ready(CleanPreviewReport{});
        };
        services.cleanExecutor = [](const CleanPreviewReport&, const QStringList&) { return LocalCleanResult{}; };
        services.uninstallPreview = [note] {
            note(QStringLiteral("uninstall preview"));
            return ready(UninstallPreviewReport{});
        };
        services.optimizePreview = [note] {
            note(QStringLiteral("optimize preview"));
            return ready(OptimizePreviewReport{});
        };
        services.loadOptimizeWhitelist = [note](const QString&) {
            note(QStringLiteral("optimize run"));
            return OptimizeWhitelistState{};
        };
        services.installerPreview = [note](const QString&) {
            note(QStringLiteral("installer preview"));
            return ready(InstallerPreviewReport{});
        };
        services.purgePreview = [note](const QString&) {
            note(QStringLiteral("purge preview"));
            return ready(PurgePreviewReport{});
        };
        services.updateFeedURL = [note]() -> std::optional<QUrl> {
            note(QStringLiteral("update"));
            return std::nullopt;
        };
    }

    // Which branch a finished run took, from what it called and wrote.
    QString branchOf(const AppModel& model) const
    {
        if (!log->isEmpty())
            return log->join(QLatin1Char(','));
        if (!analysedPaths->isEmpty())
            return QStringLiteral("analysis");
        if (model.statusTitle() == QLatin1String("Status Updated"))
            return QStringLiteral("status");
        if (model.statusTitle() == QLatin1String("Version Updated"))
            return QStringLiteral("version");
        if (model.statusTitle() == QLatin1String("Not Available"))
            return QStringLiteral("not available");
        if (model.statusTitle() == QLatin1String("Completed"))
            return QStringLiteral("completed");
        return QStringLiteral("?") + model.statusTitle();
    }

    TestEnv env;
    AppModelServices services = fakeServices(env);
    std::shared_ptr<QStringList> log = std::make_shared<QStringList>();
    std::shared_ptr<QStringList> analysedPaths = std::make_shared<QStringList>();
};

TEST_F(ModelDispatch, ArgumentWordsPickTheBranchAndThePage)
{
    using F = AppFeature;
    const struct {
        QStringList words;
        const char* branch;
        std::optional<AppFeature> feature;
    } cases[] = {
        {{"status", "--json"}, "status", F::dashboard},
        {{"status", "--json", "extra"}, "status", F::dashboard},
        {{"status"}, "completed", std::nullopt},
        {{"--json", "status"}, "completed", std::nullopt},
        {{"analyze", "--json", "/somewhere/else"}, "analysis", F::analyze},
        {{"analyze"}, "completed", F::analyze},
        {{"clean", "--dry-run"}, "clean preview", F::clean},
        {{"--dry-run", "clean"}, "clean preview", F::clean},
        // The real clean previews before (nothing stored) and after cleaning.
        {{"clean"}, "clean preview,clean preview", F::clean},
        {{"clean", "optimize"}, "clean preview,clean preview", F::clean},
        {{"Clean", "--dry-run"}, "completed", std::nullopt},
        {{"uninstall", "--dry-run"}, "uninstall preview", F::uninstall},
        {{"uninstall"}, "completed", F::uninstall},
        {{"optimize", "--dry-run"}, "optimize preview", F::optimize},
        {{"optimize"}, "optimize preview,optimize run", F::optimize},
        {{"installer", "--dry-run"}, "installer preview", F::installer},
        {{"installer"}, "completed", F::installer},
        {{"purge", "--dry-run"}, "purge preview", F::purge},
        {{"purge"}, "completed", F::purge},
        {{"--version"}, "version", std::nullopt},
        {{"--version", "x"}, "completed", std::nullopt},
        {{"update"}, "update", std::nullopt},
        {{"update", "--nightly", "--force"}, "update", std::nullopt},
        {{"x", "update"}, "completed", std::nullopt},
        {{"touchid"}, "not available", std::nullopt},
        {{"touchid", "--dry-run"}, "not available", std::nullopt},
        {{"completion"}, "not available", std::nullopt},
        {{"remove", "--dry-run"}, "not available", std::nullopt},
        {{"--help"}, "completed", std::nullopt},
        {{}, "completed", std::nullopt},
    };
    for (const auto& c : cases) {
        log->clear();
        analysedPaths->clear();
        AppModel model(services);
        std::optional<std::optional<AppFeature>> featureWhileRunning;
        QObject::connect(&model, &AppModel::runningFeatureChanged, &model, [&] {
            if (model.isRunning() && !featureWhileRunning)
                featureWhileRunning = model.runningFeature();
        });
        const QString label = c.words.join(QLatin1Char(' '));
        ASSERT_TRUE(finish(model.execute(action(c.words)))) << qPrintable(label);
        EXPECT_EQ(branchOf(model), QString::fromUtf8(c.branch)) << qPrintable(label);
        EXPECT_EQ(featureWhileRunning, std::optional<std::optional<AppFeature>>(c.feature)) << qPrintable(label);
        EXPECT_FALSE(model.isRunning()) << qPrintable(label);
        EXPECT_EQ(model.runningFeature(), std::nullopt) << qPrintable(label);
        EXPECT_TRUE(model.recentScanPaths().isEmpty()) << qPrintable(label);
        if (QString::fromUtf8(c.branch) == QLatin1String("analysis")) {
            EXPECT_EQ(*analysedPaths, QStringList{model.analysisPath()});
        }
    }
}

TEST_F(ModelDispatch, SmallBranchesWriteTheirTextsInBothLanguages)
{
    const struct {
        AppLanguagePreference language;
        QStringList words;
        const char* title;
        const char* detail;
        bool alert;
    } cases[] = {
        {AppLanguagePreference::english,
         {"touchid"},
         "Not Available",
         "This feature is not available in Roror yet.",
         true},
        {AppLanguagePreference::chinese, {"touchid"}, "暂不可用", "这个功能还没有在 Roror 里提供。", true},
        {AppLanguagePreference::english, {"--help"}, "Completed", "Act is finished.", false},
        {AppLanguagePreference::chinese, {"--help"}, "处理完成", "Act 已结束。", false},
        {AppLanguagePreference::english, {"--version"}, "Version Updated", "1.2.3", false},
        {AppLanguagePreference::chinese, {"--version"}, "版本已更新", "1.2.3", false},
    };
    for (const auto& c : cases) {
        useLanguage(c.language);
        AppModel model(services);
        ASSERT_TRUE(finish(model.execute(action(c.words))));
        EXPECT_EQ(model.statusTitle(), QString::fromUtf8(c.title));
        EXPECT_EQ(model.statusDetail(), QString::fromUtf8(c.detail));
        EXPECT_EQ(model.alertMessage().has_value(), c.alert);
        if (c.alert) {
            EXPECT_EQ(*model.alertMessage(), QString::fromUtf8(c.detail));
        }
    }

    services.bundleShortVersion = []() -> std::optional<QString> { return std::nullopt; };
    useLanguage(AppLanguagePreference::english);
    AppModel model(services);
    ASSERT_TRUE(finish(model.execute(action({QStringLiteral("--version")}))));
    EXPECT_EQ(model.versionText(), QStringLiteral("Local Build"));
    EXPECT_EQ(model.statusDetail(), QStringLiteral("Local Build"));
}

TEST_F(ModelDispatch, ARunShowsItsTitleAndWorkingTextUntilItsBranchWrites)
{
    Gate<UninstallPreviewReport> gate;
    services.uninstallPreview = [&gate] { return gate.future(); };
    AppModel model(services);
    const QFuture<void> run = model.execute(
        action({QStringLiteral("uninstall"), QStringLiteral("--dry-run")}, false, QStringLiteral("Preview apps")));
    EXPECT_TRUE(model.isRunning());
    EXPECT_EQ(model.runningFeature(), AppFeature::uninstall);
    EXPECT_EQ(model.statusTitle(), QStringLiteral("Preview apps"));
    EXPECT_EQ(model.statusDetail(), QStringLiteral("Working, please wait."));
    ASSERT_TRUE(spinUntil([&] { return gate.waiting() == 1; }));
    gate.resolve(UninstallPreviewReport{});
    ASSERT_TRUE(finish(run));
    EXPECT_FALSE(model.isRunning());
}

TEST_F(ModelDispatch, ProtectionListActionsOpenTheirEditorsAndNeverRun)
{
    services.loadCleanWhitelist = [](const QString&) { return CleanWhitelistState{{"~/a", "~/b"}}; };
    AppModel model(services);
    QSignalSpy running(&model, &AppModel::isRunningChanged);
    model.request(AppActionFactory::cleanWhitelist());
    EXPECT_TRUE(model.showingCleanProtectionSheet());
    EXPECT_EQ(model.cleanWhitelistText(), QStringLiteral("~/a\n~/b"));
    model.request(AppActionFactory::optimizeWhitelist());
    EXPECT_TRUE(model.showingOptimizeProtectionSheet());
    drainEvents();
    EXPECT_EQ(running.count(), 0);
    EXPECT_EQ(model.statusTitle(), QStringLiteral("准备就绪"));

    // A failed load still opens the sheet, with the editor as it was and the error shown.
    services.loadCleanWhitelist = [](const QString&) -> CleanWhitelistState { throw std::runtime_error("bad list"); };
    AppModel failing(services);
    failing.setCleanWhitelistText(QStringLiteral("typed"));
    failing.request(AppActionFactory::cleanWhitelist());
    EXPECT_TRUE(failing.showingCleanProtectionSheet());
    EXPECT_EQ(failing.cleanWhitelistText(), QStringLiteral("typed"));
    EXPECT_EQ(failing.alertMessage(), QStringLiteral("bad list"));

    // Only the exact two-word list is the editor action; a longer one is judged as any other.
    AppModel other(services);
    other.request(action({QStringLiteral("clean"), QStringLiteral("--whitelist"), QStringLiteral("x")}, true));
    EXPECT_FALSE(other.showingCleanProtectionSheet());
    EXPECT_TRUE(other.pendingAction());
}

TEST_F(ModelDispatch, DestructiveActionsWaitAndOnlyTheLastOneRunsOnConfirm)
{
    AppModel model(services);
    model.confirmPendingAction(); // nothing pending: nothing happens
    drainEvents();
    EXPECT_TRUE(log->isEmpty());

    const AppAction first = action({QStringLiteral("optimize")}, true, QStringLiteral("first"));
    const AppAction second = action({QStringLiteral("clean")}, true, QStringLiteral("second"));
    model.request(first);
    model.request(second);
    drainEvents();
    EXPECT_EQ(model.pendingAction(), second);
    EXPECT_TRUE(log->isEmpty());
    EXPECT_FALSE(model.isRunning());

    QSignalSpy pending(&model, &AppModel::pendingActionChanged);
    model.confirmPendingAction();
    EXPECT_FALSE(model.pendingAction()); // cleared before the run starts
    EXPECT_FALSE(model.isRunning());
    ASSERT_TRUE(spinUntil([&] { return model.statusTitle() == QLatin1String("Cleanup Complete"); }));
    EXPECT_EQ(*log, QStringList{QStringLiteral("clean preview")} + QStringList{QStringLiteral("clean preview")});
    EXPECT_EQ(pending.count(), 1);

    // Cancelling drops the action without running it.
    log->clear();
    model.request(first);
    model.setPendingAction(std::nullopt);
    model.confirmPendingAction();
    drainEvents();
    EXPECT_TRUE(log->isEmpty());
}

TEST_F(ModelDispatch, RequestReturnsBeforeTheActionRuns)
{
    AppModel model(services);
    model.request(AppActionFactory::purge(true, false));
    EXPECT_FALSE(model.isRunning());
    EXPECT_TRUE(log->isEmpty());
    ASSERT_TRUE(spinUntil([&] { return model.statusTitle() == QLatin1String("Project Preview Complete"); }));
    EXPECT_EQ(*log, QStringList{QStringLiteral("purge preview")});
}

TEST_F(ModelDispatch, OverlappingRunsKeepTheModelBusyUntilTheLastEnds)
{
    Gate<UninstallPreviewReport> apps;
    Gate<InstallerPreviewReport> installers;
    services.uninstallPreview = [&apps] { return apps.future(); };
    services.installerPreview = [&installers](const QString&) { return installers.future(); };
    AppModel model(services);
    const auto first = model.execute(action({QStringLiteral("uninstall"), QStringLiteral("--dry-run")}));
    const auto second = model.execute(action({QStringLiteral("installer"), QStringLiteral("--dry-run")}));
    EXPECT_EQ(model.runningFeature(), AppFeature::installer);

    installers.resolve(InstallerPreviewReport{});
    ASSERT_TRUE(finish(second));
    EXPECT_TRUE(model.isRunning());
    EXPECT_EQ(model.runningFeature(), AppFeature::uninstall);

    apps.resolve(UninstallPreviewReport{});
    ASSERT_TRUE(finish(first));
    EXPECT_FALSE(model.isRunning());
    EXPECT_EQ(model.runningFeature(), std::nullopt);
}

TEST_F(ModelDispatch, OpenSystemSettingsPaneOpensOnlyAddresses)
{
    QList<QUrl> opened;
    services.openURL = [&opened](const QUrl& url) { opened.append(url); };
    AppModel model(services);
    model.openSystemSettingsPane(
        QStringLiteral("x-apple.systempreferences:com.apple.preference.security?Privacy_AllFiles"));
    model.openSystemSettingsPane(QString());
    model.openSystemSettingsPane(QStringLiteral("not a url"));
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened.first().scheme(), QStringLiteral("x-apple.systempreferences"));
}

} // namespace
