#include "core/model/AppActionFactory.h"
#include "core/model/SizeText.h"
#include "tests/app/model/ModelTestSupport.h"
#include "tests/support/Unprivileged.h"

#include <QFile>
#include <functional>
#include <gtest/gtest.h>

using namespace roror;
using namespace roror::test;

namespace {

CleanPreviewReport cleanReport(std::initializer_list<const char*> paths)
{
    CleanPreviewReport report;
    report.generatedAt = fixedNow();
    for (const char* p : paths) {
        CleanPreviewReport::Entry entry;
        entry.id = QUuid::createUuid();
        entry.section = QStringLiteral("Caches");
        entry.path = QString::fromUtf8(p);
        entry.status = CleanPreviewEntryStatus::cleanable;
        report.entries.append(entry);
    }
    return report;
}

OptimizePreviewReport optimizeReport(int count)
{
    OptimizePreviewReport report;
    for (int i = 0; i < count; ++i) {
        OptimizePreviewReport::Entry entry;
        entry.id = QStringLiteral("step%1").arg(i);
        entry.name = entry.id;
        report.entries.append(entry);
    }
    return report;
}

class ModelRuns : public ::testing::Test {
protected:
    void SetUp() override { useLanguage(AppLanguagePreference::english); }

    TestEnv env;
    AppModelServices services = fakeServices(env);
};

// ---- Smart Clean ----------------------------------------------------------------------------

TEST_F(ModelRuns, CleanUsesTheStoredPreviewThenReplacesItAndCounts)
{
    auto executed = std::make_shared<std::optional<std::pair<CleanPreviewReport, QStringList>>>();
    auto previews = std::make_shared<QList<CleanPreviewReport>>(
        QList<CleanPreviewReport>{cleanReport({"/h/a", "/h/b"}), cleanReport({"/h/left"})});
    services.cleanPreview = [previews] { return ready(previews->takeFirst()); };
    services.cleanExecutor = [executed](const CleanPreviewReport& report, const QStringList& roots) {
        *executed = std::make_pair(report, roots);
        return LocalCleanResult{3, 2, 4096, std::nullopt};
    };
    AppModel model(services);
    ASSERT_TRUE(finish(model.execute(AppActionFactory::clean(true, false))));
    const CleanPreviewReport stored = *model.cleanPreviewReport();

    ASSERT_TRUE(finish(model.execute(AppActionFactory::clean(false, false))));
    ASSERT_TRUE(*executed);
    EXPECT_EQ((*executed)->first, stored);
    EXPECT_EQ((*executed)->second, QStringList{env.home()});
    EXPECT_EQ(model.cleanPreviewReport()->entries.first().path, QStringLiteral("/h/left"));
    EXPECT_EQ(model.lastCleanCount(), 3);
    EXPECT_EQ(model.lastCleanDate(), 1700000000.0);
    EXPECT_EQ(model.statusTitle(), QStringLiteral("Cleanup Complete"));
    EXPECT_EQ(model.statusDetail(), QStringLiteral("Cleaned 3 items. 2 failed."));
}

TEST_F(ModelRuns, CleanWithoutUsablePreviewScansFirstAndFallsBackToNothing)
{
    auto executed = std::make_shared<QList<CleanPreviewReport>>();
    services.cleanExecutor = [executed](const CleanPreviewReport& report, const QStringList&) {
        executed->append(report);
        return LocalCleanResult{static_cast<qint64>(report.entries.size()), 0, 0, std::nullopt};
    };
    // Stored preview with no entry: a fresh preview is taken and cleaned, and is not what stays
    // stored; the preview taken after the clean is.
    {
        auto previews = std::make_shared<QList<CleanPreviewReport>>(
            QList<CleanPreviewReport>{CleanPreviewReport{}, cleanReport({"/h/first"}), cleanReport({"/h/after"})});
        AppModelServices s = services;
        s.cleanPreview = [previews] { return ready(previews->takeFirst()); };
        AppModel model(s);
        ASSERT_TRUE(finish(model.execute(AppActionFactory::clean(true, false))));
        ASSERT_TRUE(model.cleanPreviewReport());
        ASSERT_TRUE(finish(model.execute(AppActionFactory::clean(false, false))));
        ASSERT_EQ(executed->size(), 1);
        EXPECT_EQ(executed->first().entries.first().path, QStringLiteral("/h/first"));
        EXPECT_EQ(model.cleanPreviewReport()->entries.first().path, QStringLiteral("/h/after"));
        EXPECT_EQ(model.statusDetail(), QStringLiteral("Cleaned 1 items."));
    }
    // The preview fails: nothing is cleaned, the failure is said and shown, no counter is written.
    executed->clear();
    services.cleanPreview = [] { return failing<CleanPreviewReport>("scan failed"); };
    {
        auto store = SettingsStore::open();
        store->setValue(QStringLiteral("lastCleanCount"), 9);
        store->setValue(QStringLiteral("lastCleanDate"), 100.0);
        store->sync();
    }
    for (const auto language : {AppLanguagePreference::english, AppLanguagePreference::chinese}) {
        useLanguage(language);
        AppModel model(services);
        ASSERT_TRUE(finish(model.execute(AppActionFactory::clean(false, false))));
        EXPECT_TRUE(executed->isEmpty());
        EXPECT_FALSE(model.cleanPreviewReport());
        EXPECT_EQ(model.lastCleanCount(), 9);
        EXPECT_EQ(model.lastCleanDate(), 100.0);
        EXPECT_EQ(model.alertMessage(), QStringLiteral("scan failed"));
        EXPECT_EQ(model.statusDetail(), QStringLiteral("scan failed"));
        EXPECT_EQ(model.statusTitle(),
                  language == AppLanguagePreference::english ? QStringLiteral("Cleanup Failed")
                                                             : QStringLiteral("清理失败"));
    }
}

TEST_F(ModelRuns, CleanCountTextsInChinese)
{
    useLanguage(AppLanguagePreference::chinese);
    services.cleanExecutor = [](const CleanPreviewReport&, const QStringList&) {
        return LocalCleanResult{3, 2, 0, std::nullopt};
    };
    AppModel model(services);
    ASSERT_TRUE(finish(model.execute(AppActionFactory::clean(false, false))));
    EXPECT_EQ(model.statusDetail(), QStringLiteral("已清理 3 项，2 项没有成功。"));
}

TEST_F(ModelRuns, CleanStoppedByAnUnreadableProtectionListSaysSoAndCountsNothing)
{
    const QString reason = QStringLiteral("The protection list could not be read.");
    services.cleanPreview = [] { return ready(cleanReport({"/h/a"})); };
    services.cleanExecutor = [reason](const CleanPreviewReport&, const QStringList&) {
        return LocalCleanResult{0, 0, 0, reason};
    };
    {
        auto store = SettingsStore::open();
        store->setValue(QStringLiteral("lastCleanCount"), 4);
        store->setValue(QStringLiteral("lastCleanDate"), 100.0);
        store->sync();
    }
    AppModel model(services);
    ASSERT_TRUE(finish(model.execute(AppActionFactory::clean(true, false))));
    const auto preview = model.cleanPreviewReport();
    ASSERT_TRUE(finish(model.execute(AppActionFactory::clean(false, false))));
    EXPECT_EQ(model.alertMessage(), reason);
    EXPECT_EQ(model.statusTitle(), QStringLiteral("Cleanup Stopped"));
    EXPECT_EQ(model.statusDetail(), reason);
    EXPECT_EQ(model.lastCleanCount(), 4);
    EXPECT_EQ(model.lastCleanDate(), 100.0);
    EXPECT_EQ(model.cleanPreviewReport(), preview);
    EXPECT_FALSE(model.isRunning());
}

TEST_F(ModelRuns, AFailedRunSaysSoAndWritesNoCounter)
{
    // Each real run whose preview or executor fails: the feature's failure title, the error as the
    // detail and in the alert, and the counters and dates of the last run left as they were.
    struct Case {
        const char* name;
        std::function<void(AppModelServices&)> install;
        AppAction (*action)();
        const char* titleEn;
        const char* titleZh;
        const char* countKey;
        const char* dateKey;
    };
    const Case cases[] = {
        {"clean preview fails",
         [](AppModelServices& s) { s.cleanPreview = [] { return failing<CleanPreviewReport>("disk gone"); }; },
         [] { return AppActionFactory::clean(false, false); }, "Cleanup Failed", "清理失败", "lastCleanCount",
         "lastCleanDate"},
        {"clean executor throws",
         [](AppModelServices& s) {
             s.cleanPreview = [] { return ready(cleanReport({"/h/a"})); };
             s.cleanExecutor = [](const CleanPreviewReport&, const QStringList&) -> LocalCleanResult {
                 throw std::runtime_error("disk gone");
             };
         },
         [] { return AppActionFactory::clean(false, false); }, "Cleanup Failed", "清理失败", "lastCleanCount",
         "lastCleanDate"},
        {"optimization preview fails",
         [](AppModelServices& s) { s.optimizePreview = [] { return failing<OptimizePreviewReport>("disk gone"); }; },
         [] { return AppActionFactory::optimize(false, false); }, "Optimization Failed", "优化失败",
         "lastOptimizeCount", "lastOptimizeDate"},
        {"optimization executor throws",
         [](AppModelServices& s) {
             s.optimizeExecutor = [](const OptimizePreviewReport&, const QSet<QString>&) -> LocalOptimizeResult {
                 throw std::runtime_error("disk gone");
             };
         },
         [] { return AppActionFactory::optimize(false, false); }, "Optimization Failed", "优化失败",
         "lastOptimizeCount", "lastOptimizeDate"},
    };
    for (const Case& c : cases) {
        for (const auto language : {AppLanguagePreference::english, AppLanguagePreference::chinese}) {
            SCOPED_TRACE(c.name);
            useLanguage(language);
            {
                auto store = SettingsStore::open();
                store->setValue(QString::fromUtf8(c.countKey), 7);
                store->setValue(QString::fromUtf8(c.dateKey), 100.0);
                store->sync();
            }
            AppModelServices s = services;
            c.install(s);
            AppModel model(s);
            ASSERT_TRUE(finish(model.execute(c.action())));
            const bool english = language == AppLanguagePreference::english;
            EXPECT_EQ(model.statusTitle(), QString::fromUtf8(english ? c.titleEn : c.titleZh));
            EXPECT_EQ(model.statusDetail(), QStringLiteral("disk gone"));
            EXPECT_EQ(model.alertMessage(), QStringLiteral("disk gone"));
            auto store = SettingsStore::open();
            EXPECT_EQ(store->value(QString::fromUtf8(c.countKey)).toInt(), 7);
            EXPECT_EQ(store->value(QString::fromUtf8(c.dateKey)).toDouble(), 100.0);
            EXPECT_FALSE(model.isRunning());
        }
    }
}

// ---- Optimize --------------------------------------------------------------------------------

TEST_F(ModelRuns, OptimizeRunsTheStoredPreviewEvenWhenEmptyAndNeverRefetches)
{
    auto fetches = std::make_shared<int>(0);
    auto ran = std::make_shared<QList<OptimizePreviewReport>>();
    services.optimizePreview = [fetches] {
        ++*fetches;
        return ready(OptimizePreviewReport{});
    };
    services.optimizeExecutor = [ran](const OptimizePreviewReport& report, const QSet<QString>&) {
        ran->append(report);
        return LocalOptimizeResult{};
    };
    AppModel model(services);
    ASSERT_TRUE(finish(model.execute(AppActionFactory::optimize(true, false))));
    EXPECT_EQ(model.statusDetail(), QStringLiteral("There are no optimization items to show."));
    ASSERT_TRUE(finish(model.execute(AppActionFactory::optimize(false, false))));
    EXPECT_EQ(*fetches, 1);
    ASSERT_EQ(ran->size(), 1);
    EXPECT_TRUE(ran->first().entries.isEmpty());
    EXPECT_EQ(model.lastOptimizeCount(), 0);
    EXPECT_EQ(model.lastOptimizeDate(), 1700000000.0);
    EXPECT_EQ(model.statusTitle(), QStringLiteral("Optimization Complete"));
    EXPECT_EQ(model.statusDetail(), QStringLiteral("Completed 0 local optimizations."));
    EXPECT_EQ(model.optimizePreviewReport(), OptimizePreviewReport{});
}

TEST_F(ModelRuns, OptimizeSkipsTheSafeguardsOnDiskAndSaysWhatFailed)
{
    auto skippedSeen = std::make_shared<QList<QSet<QString>>>();
    auto fileReadable = std::make_shared<bool>(true);
    services.optimizePreview = [] { return ready(optimizeReport(5)); };
    services.loadOptimizeWhitelist = [fileReadable](const QString&) {
        if (!*fileReadable)
            throw std::runtime_error("unreadable");
        return OptimizeWhitelistState{{QStringLiteral("step1")}, {}};
    };
    services.optimizeExecutor = [skippedSeen](const OptimizePreviewReport& report, const QSet<QString>& skipped) {
        skippedSeen->append(skipped);
        LocalOptimizeResult result;
        result.completed = report.entries.mid(0, 2);
        result.skipped = report.entries.mid(2, 2);
        result.failed = report.entries.mid(4, 1);
        return result;
    };
    AppModel model(services);
    model.setOptimizeWhitelistSelection({QStringLiteral("unsaved")});
    ASSERT_TRUE(finish(model.execute(AppActionFactory::optimize(false, false))));
    EXPECT_EQ(skippedSeen->last(), QSet<QString>{QStringLiteral("step1")});
    EXPECT_EQ(model.lastOptimizeCount(), 2);
    EXPECT_EQ(model.statusDetail(), QStringLiteral("Completed 2 items and skipped 2 safeguarded items. 1 failed."));
    EXPECT_FALSE(model.optimizePreviewReport()); // the run's own preview is not stored

    *fileReadable = false;
    useLanguage(AppLanguagePreference::chinese);
    ASSERT_TRUE(finish(model.execute(AppActionFactory::optimize(false, false))));
    EXPECT_EQ(skippedSeen->last(), QSet<QString>{QStringLiteral("unsaved")});
    EXPECT_FALSE(model.alertMessage());
    EXPECT_EQ(model.statusTitle(), QStringLiteral("优化完成"));
    EXPECT_EQ(model.statusDetail(), QStringLiteral("已完成 2 项，跳过 2 项保护内容。1 项没有成功。"));

    services.optimizeExecutor = [](const OptimizePreviewReport&, const QSet<QString>&) {
        LocalOptimizeResult result;
        result.completed = optimizeReport(4).entries;
        return result;
    };
    AppModel clean(services);
    ASSERT_TRUE(finish(clean.execute(AppActionFactory::optimize(false, false))));
    EXPECT_EQ(clean.statusDetail(), QStringLiteral("已完成 4 项本地整理。"));

    services.optimizeExecutor = [](const OptimizePreviewReport&, const QSet<QString>&) {
        LocalOptimizeResult result;
        result.completed = optimizeReport(3).entries;
        result.failed = optimizeReport(1).entries;
        return result;
    };
    AppModel onlyFailed(services);
    useLanguage(AppLanguagePreference::english);
    ASSERT_TRUE(finish(onlyFailed.execute(AppActionFactory::optimize(false, false))));
    EXPECT_EQ(onlyFailed.statusDetail(), QStringLiteral("Completed 3 local optimizations. 1 failed."));
}

// ---- Previews --------------------------------------------------------------------------------

struct PreviewCase {
    const char* name;
    AppAction (*action)();
    // Installs a service answering with `count` entries, or failing when count < 0.
    void (*install)(AppModelServices&, int count);
    bool (*stored)(const AppModel&, int count);
    const char* titleEn;
    const char* titleZh;
    QString (*detailEn)(const AppModel&, int count);
    QString (*detailZh)(const AppModel&, int count);
    const char* failedEn; // the title when the service fails
    const char* failedZh;
};

template <typename Report>
QFuture<Report> answer(const Report& report, int count)
{
    return count < 0 ? failing<Report>("scan failed") : ready(report);
}

UninstallPreviewReport apps(int count)
{
    QList<UninstallPreviewReport::Entry> entries;
    for (int i = 0; i < count; ++i) {
        UninstallPreviewReport::Entry entry;
        entry.path = QStringLiteral("/Applications/App%1.app").arg(i);
        entries.append(entry);
    }
    return UninstallPreviewReport(entries);
}

InstallerPreviewReport installers(int count)
{
    QList<InstallerPreviewReport::Entry> entries;
    for (int i = 0; i < count; ++i) {
        InstallerPreviewReport::Entry entry;
        entry.path = QStringLiteral("/h/Downloads/setup%1.dmg").arg(i);
        entry.byteCount = 1500000 * (i + 1);
        entries.append(entry);
    }
    return InstallerPreviewReport(entries, fixedNow());
}

PurgePreviewReport projects(int count)
{
    QList<PurgePreviewReport::Entry> entries;
    for (int i = 0; i < count; ++i) {
        PurgePreviewReport::Entry entry;
        entry.path = QStringLiteral("/h/code/p%1/node_modules").arg(i);
        entry.byteCount = 2500000;
        entries.append(entry);
    }
    return PurgePreviewReport(QStringLiteral("/h/code"), entries, fixedNow());
}

const PreviewCase previewCases[] = {
    {"clean", [] { return AppActionFactory::clean(true, false); },
     [](AppModelServices& s, int n) {
         s.cleanPreview = [n] {
             return answer(cleanReport(n > 0 ? std::initializer_list<const char*>{"/h/a", "/h/b"}
                                             : std::initializer_list<const char*>{}),
                           n);
         };
     },
     [](const AppModel& m, int n) { return n < 0 ? !m.cleanPreviewReport() : m.cleanPreviewReport().has_value(); },
     "Preview Complete", "预览完成",
     [](const AppModel&, int) {
         return QStringLiteral("Cleanable items have been checked. You will still confirm before the real cleanup.");
     },
     [](const AppModel&, int) { return QStringLiteral("已检查可清理项目。正式清理前仍会让你确认。"); },
     "Preview Failed", "预览失败"},
    {"uninstall", [] { return AppActionFactory::uninstall(true, false); },
     [](AppModelServices& s, int n) { s.uninstallPreview = [n] { return answer(apps(std::max(n, 0)), n); }; },
     [](const AppModel& m, int n) {
         return n < 0 ? !m.uninstallPreviewReport() : m.uninstallPreviewReport()->entries().size() == n;
     },
     "Uninstall Preview Complete", "预览卸载项目完成",
     [](const AppModel&, int n) {
         return n > 0 ? QStringLiteral("Found %1 app items to review.").arg(n)
                      : QStringLiteral("There are no app items to show right now.");
     },
     [](const AppModel&, int n) {
         return n > 0 ? QStringLiteral("找到 %1 个可查看的应用项目。").arg(n)
                      : QStringLiteral("当前没有可显示的应用项目。");
     },
     "Uninstall Preview Failed", "卸载预览失败"},
    {"optimize", [] { return AppActionFactory::optimize(true, false); },
     [](AppModelServices& s, int n) { s.optimizePreview = [n] { return answer(optimizeReport(std::max(n, 0)), n); }; },
     [](const AppModel& m, int n) {
         return n < 0 ? !m.optimizePreviewReport() : m.optimizePreviewReport()->entries.size() == n;
     },
     "Optimization Preview Complete", "优化预览完成",
     [](const AppModel&, int n) {
         return n > 0
             ? QStringLiteral("%1 optimization items are listed. You will confirm again before running them.").arg(n)
             : QStringLiteral("There are no optimization items to show.");
     },
     [](const AppModel&, int n) {
         return n > 0 ? QStringLiteral("已列出 %1 项优化内容。正式执行前仍会再次确认。").arg(n)
                      : QStringLiteral("当前没有需要展示的优化内容。");
     },
     "Optimization Preview Failed", "优化预览失败"},
    {"installer", [] { return AppActionFactory::installer(true, false); },
     [](AppModelServices& s, int n) {
         s.installerPreview = [n](const QString&) { return answer(installers(std::max(n, 0)), n); };
     },
     [](const AppModel& m, int n) {
         return n < 0 ? !m.installerPreviewReport() : m.installerPreviewReport()->entries().size() == n;
     },
     "Installer Preview Complete", "安装包预览完成",
     [](const AppModel& m, int n) {
         return n > 0 ? QStringLiteral("Found %1 installer files, total %2.")
                            .arg(n)
                            .arg(m.installerPreviewReport()->totalSizeText())
                      : QStringLiteral("No obvious installer files were found.");
     },
     [](const AppModel& m, int n) {
         return n > 0
             ? QStringLiteral("发现 %1 个安装包，合计 %2。").arg(n).arg(m.installerPreviewReport()->totalSizeText())
             : QStringLiteral("没有发现明显可整理的安装包。");
     },
     "Installer Preview Failed", "安装包预览失败"},
    {"purge", [] { return AppActionFactory::purge(true, false); },
     [](AppModelServices& s, int n) {
         s.purgePreview = [n](const QString&) { return answer(projects(std::max(n, 0)), n); };
     },
     [](const AppModel& m, int n) {
         return n < 0 ? !m.purgePreviewReport() : m.purgePreviewReport()->entries().size() == n;
     },
     "Project Preview Complete", "项目预览完成",
     [](const AppModel& m, int n) {
         return n > 0
             ? QStringLiteral("Found %1 cleanup items, total %2.").arg(n).arg(m.purgePreviewReport()->totalSizeText())
             : QStringLiteral("No obvious cleanup targets were found in this scope.");
     },
     [](const AppModel& m, int n) {
         return n > 0
             ? QStringLiteral("发现 %1 个可整理项目，合计 %2。").arg(n).arg(m.purgePreviewReport()->totalSizeText())
             : QStringLiteral("当前范围里没有明显可整理的项目产物。");
     },
     "Project Preview Failed", "项目预览失败"},
};

TEST_F(ModelRuns, EveryPreviewStoresItsReportAndWritesItsTextsInBothLanguages)
{
    for (const auto& c : previewCases) {
        for (const int count : {2, 0, -1}) {
            for (const auto language : {AppLanguagePreference::english, AppLanguagePreference::chinese}) {
                useLanguage(language);
                AppModelServices s = services;
                c.install(s, count);
                AppModel model(s);
                ASSERT_TRUE(finish(model.execute(c.action())));
                const bool english = language == AppLanguagePreference::english;
                const std::string label
                    = std::string(c.name) + " count " + std::to_string(count) + (english ? " en" : " zh");
                EXPECT_TRUE(c.stored(model, count)) << label;
                EXPECT_FALSE(model.alertMessage()) << label;
                if (count < 0) {
                    // A failed scan is no empty result: its own title, and the error as the detail.
                    EXPECT_EQ(model.statusTitle(), QString::fromUtf8(english ? c.failedEn : c.failedZh)) << label;
                    EXPECT_EQ(model.statusDetail(), QStringLiteral("scan failed")) << label;
                    continue;
                }
                EXPECT_EQ(model.statusTitle(), QString::fromUtf8(english ? c.titleEn : c.titleZh)) << label;
                EXPECT_EQ(model.statusDetail(), english ? c.detailEn(model, count) : c.detailZh(model, count)) << label;
            }
        }
    }
}

TEST_F(ModelRuns, ACancelledServiceEndsTheRunLikeAFailedOne)
{
    // An abandoned promise cancels its future; so does an empty one.
    services.cleanPreview = [] {
        QPromise<CleanPreviewReport> abandoned;
        abandoned.start();
        return abandoned.future();
    };
    services.installerPreview = [](const QString&) { return QFuture<InstallerPreviewReport>(); };
    AppModel model(services);
    ASSERT_TRUE(finish(model.execute(AppActionFactory::clean(true, false))));
    EXPECT_FALSE(model.cleanPreviewReport());
    EXPECT_EQ(model.statusTitle(), QStringLiteral("Preview Failed"));
    EXPECT_EQ(model.statusDetail(), QStringLiteral("An unknown error occurred."));
    ASSERT_TRUE(finish(model.execute(AppActionFactory::installer(true, false))));
    EXPECT_FALSE(model.installerPreviewReport());
    EXPECT_EQ(model.statusTitle(), QStringLiteral("Installer Preview Failed"));
    EXPECT_FALSE(model.isRunning());
    EXPECT_EQ(model.runningFeature(), std::nullopt);
}

TEST_F(ModelRuns, InstallerTotalIsTheSumOfTheFoundFiles)
{
    services.installerPreview = [](const QString&) { return ready(installers(2)); }; // 1.5 MB + 3 MB
    AppModel model(services);
    ASSERT_TRUE(finish(model.execute(AppActionFactory::installer(true, false))));
    EXPECT_EQ(model.statusDetail(),
              QStringLiteral("Found 2 installer files, total ") + SizeText::bytes(4500000) + QStringLiteral("."));
}

TEST_F(ModelRuns, AProjectScanOfAFolderThatIsGoneFailsInsteadOfFindingNothing)
{
    services.purgePreview = AppModelServices::real().purgePreview;
    AppModel model(services);
    const QString gone = env.home() + QStringLiteral("/code");
    model.chooseScanPath(gone);
    ASSERT_TRUE(finish(model.execute(AppActionFactory::purge(true, false))));
    EXPECT_FALSE(model.purgePreviewReport());
    EXPECT_EQ(model.statusTitle(), QStringLiteral("Project Preview Failed"));
    EXPECT_EQ(model.statusDetail(), QStringLiteral("The folder “%1” doesn’t exist.").arg(gone));
    EXPECT_EQ(model.lastPurgeScanDate(), 0.0);
}

TEST_F(ModelRuns, AProjectScanOfAFolderItMayNotReadFails)
{
    if (test::ranUnprivileged())
        return;
    services.purgePreview = AppModelServices::real().purgePreview;
    AppModel model(services);
    const QString locked = env.makeDir(QStringLiteral("code"));
    env.makeDir(QStringLiteral("code/app/node_modules"));
    QFile::setPermissions(locked, QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    model.chooseScanPath(locked);
    ASSERT_TRUE(finish(model.execute(AppActionFactory::purge(true, false))));
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_FALSE(model.purgePreviewReport());
    EXPECT_EQ(model.statusTitle(), QStringLiteral("Project Preview Failed"));
    EXPECT_TRUE(model.statusDetail().startsWith(QStringLiteral("The folder “%1” couldn’t be read.").arg(locked)))
        << model.statusDetail().toStdString();
}

TEST_F(ModelRuns, ProjectPreviewScansTheFolderChosenWhenItStartsAndShowsItsScanningText)
{
    Gate<PurgePreviewReport> gate;
    QStringList roots;
    services.purgePreview = [&gate, &roots](const QString& root) {
        roots.append(root);
        return gate.future();
    };
    AppModel model(services);
    const auto run = model.execute(AppActionFactory::purge(true, false));
    EXPECT_EQ(model.statusDetail(), QStringLiteral("Scanning the project folder, please wait."));
    EXPECT_EQ(roots, QStringList{env.home()});
    gate.resolve(projects(1));
    ASSERT_TRUE(finish(run));
    EXPECT_EQ(model.purgePreviewReport()->entries().size(), 1);
}

// ---- Superseded results ----------------------------------------------------------------------

TEST_F(ModelRuns, AnOlderPreviewFinishingLastDoesNotReplaceTheNewerOne)
{
    Gate<CleanPreviewReport> gate;
    services.cleanPreview = [&gate] { return gate.future(); };
    AppModel model(services);
    const auto older = model.execute(AppActionFactory::clean(true, false));
    const auto newer = model.execute(AppActionFactory::clean(true, false));
    gate.resolve(cleanReport({"/h/newer"}), 1);
    ASSERT_TRUE(finish(newer));
    EXPECT_TRUE(model.isRunning()); // the older run still counts
    gate.resolve(cleanReport({"/h/older"}), 0);
    ASSERT_TRUE(finish(older));
    EXPECT_EQ(model.cleanPreviewReport()->entries.first().path, QStringLiteral("/h/newer"));
    EXPECT_FALSE(model.isRunning());
}

TEST_F(ModelRuns, AProjectScanOfAFolderNoLongerChosenIsDropped)
{
    Gate<PurgePreviewReport> gate;
    services.purgePreview = [&gate](const QString&) { return gate.future(); };
    AppModel model(services);
    const auto run = model.execute(AppActionFactory::purge(true, false));
    const QString other = env.makeDir(QStringLiteral("code"));
    model.chooseScanPath(other);
    gate.resolve(projects(3));
    ASSERT_TRUE(finish(run));
    EXPECT_FALSE(model.purgePreviewReport());
    EXPECT_EQ(model.scanPath(), other);
    EXPECT_FALSE(model.isRunning());
}

TEST_F(ModelRuns, ChoosingTheScanFolderClearsThePreviewAndCancelChangesNothing)
{
    services.purgePreview = [](const QString&) { return ready(projects(1)); };
    AppModel model(services);
    ASSERT_TRUE(finish(model.execute(AppActionFactory::purge(true, false))));
    model.chooseScanPath(QString()); // cancelled
    EXPECT_TRUE(model.purgePreviewReport());
    EXPECT_EQ(model.scanPath(), env.home());
    model.chooseScanPath(env.home()); // the same folder still clears the preview
    EXPECT_FALSE(model.purgePreviewReport());
    EXPECT_TRUE(model.recentScanPaths().isEmpty());
}

} // namespace
