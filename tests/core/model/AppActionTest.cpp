#include "core/model/AppActionFactory.h"
#include "core/model/AppActionKind.h"
#include "core/model/AppFeature.h"
#include "platform/PreferredLanguages.h"
#include "tests/support/TestEnv.h"

#include <functional>
#include <gtest/gtest.h>

using namespace roror;
using roror::test::TestEnv;

namespace {

struct BuilderCase {
    const char* name;
    std::function<AppAction()> build;
    QStringList arguments;
    bool destructive;
    QString titleZh, titleEn, detailZh, detailEn;
};

const QString kTouchIDZh = QStringLiteral("Roror 暂不支持 Touch ID 配置。");
const QString kTouchIDEn = QStringLiteral("Touch ID configuration is not available in Roror yet.");
const QString kCompletionZh = QStringLiteral("Roror 暂不支持快捷输入配置。");
const QString kCompletionEn = QStringLiteral("Shell completion setup is not available in Roror yet.");
const QString kRemoveZh = QStringLiteral("Roror 暂不支持从这里移除应用。");
const QString kRemoveEn = QStringLiteral("Removing Roror from this screen is not supported yet.");

QList<BuilderCase> builderCases()
{
    namespace F = AppActionFactory;
    const QString cleanPreviewZh = QStringLiteral("只检查可清理项目，不会删除任何内容。");
    const QString cleanPreviewEn = QStringLiteral("Only check cleanable items. Nothing will be deleted.");
    const QString cleanStartZh
        = QStringLiteral("确认后开始清理缓存、日志、残留文件和废纸篓内容；需要管理员权限的系统缓存会跳过。");
    const QString cleanStartEn = QStringLiteral("After confirmation, clean caches, logs, leftovers, and Trash. System "
                                                "caches requiring admin access will be skipped.");
    const QString uninstallPreview = QStringLiteral("查看可移除的应用残留，不会删除任何内容。");
    const QString optimizePreview = QStringLiteral("预览可优化的项目，不会改动电脑。");
    const QString analyzeZh = QStringLiteral("检查所选位置，并汇总空间占用。");
    const QString analyzeEn = QStringLiteral("Scan the selected location and summarize storage usage.");
    const QString statusZh = QStringLiteral("刷新 CPU、内存、磁盘、电池和网络状态。");
    const QString statusEn = QStringLiteral("Refresh CPU, memory, disk, battery, and network status.");
    const QString updateZh = QStringLiteral("从配置的更新源检查是否有新版本。");
    const QString updateEn = QStringLiteral("Check the configured update feed for a newer version.");
    const QString spaced = QStringLiteral(" /Users/ann/My Folder ");
    const QStringList clean{QStringLiteral("clean")};

    return {
        {"clean dry debug",
         [] { return F::clean(true, true); },
         {"clean", "--dry-run", "--debug"},
         false,
         "预览清理项目",
         "Preview Cleanup Items",
         cleanPreviewZh,
         cleanPreviewEn},
        {"clean dry",
         [] { return F::clean(true, false); },
         {"clean", "--dry-run"},
         false,
         "预览清理项目",
         "Preview Cleanup Items",
         cleanPreviewZh,
         cleanPreviewEn},
        {"clean",
         [] { return F::clean(false, false); },
         {"clean"},
         true,
         "开始清理",
         "Start Cleaning",
         cleanStartZh,
         cleanStartEn},
        {"clean debug",
         [] { return F::clean(false, true); },
         {"clean", "--debug"},
         true,
         "开始清理",
         "Start Cleaning",
         cleanStartZh,
         cleanStartEn},
        {"cleanWhitelist",
         [] { return F::cleanWhitelist(); },
         {"clean", "--whitelist"},
         false,
         "编辑保护名单",
         "Edit Protection List",
         "选择永远不要被清理的位置。",
         "Choose locations that should never be cleaned."},
        {"uninstall dry debug",
         [] { return F::uninstall(true, true); },
         {"uninstall", "--dry-run", "--debug"},
         false,
         "预览卸载项目",
         "Preview Uninstall Items",
         uninstallPreview,
         "Review removable app leftovers. Nothing will be deleted."},
        {"uninstall",
         [] { return F::uninstall(false, false); },
         {"uninstall"},
         true,
         "选择应用卸载",
         "Choose Apps to Uninstall",
         "选择要卸载的应用和相关文件。",
         "Choose the apps and related files to uninstall."},
        {"optimize dry",
         [] { return F::optimize(true, false); },
         {"optimize", "--dry-run"},
         false,
         "预览优化项目",
         "Preview Optimization Items",
         optimizePreview,
         "Preview optimization items without changing your Mac."},
        {"optimize debug",
         [] { return F::optimize(false, true); },
         {"optimize", "--debug"},
         true,
         "开始优化",
         "Start Optimizing",
         "确认后刷新系统服务、重建缓存并整理诊断数据。",
         "After confirmation, refresh services, rebuild caches, and organize diagnostics."},
        {"optimizeWhitelist",
         [] { return F::optimizeWhitelist(); },
         {"optimize", "--whitelist"},
         false,
         "编辑优化保护项",
         "Edit Optimization Safeguards",
         "选择优化时要跳过的项目。",
         "Choose items to skip during optimization."},
        {"analyze json, spaced path kept",
         [spaced] { return F::analyze(spaced, true); },
         {"analyze", "--json", spaced},
         false,
         "分析空间",
         "Analyze Storage",
         analyzeZh,
         analyzeEn},
        {"analyze blank path",
         [] { return F::analyze(QStringLiteral("   "), false); },
         {"analyze"},
         false,
         "打开详细查看",
         "Open Advanced View",
         "打开更详细的空间查看窗口。",
         "Open a more detailed storage view."},
        {"analyze line breaks only",
         [] { return F::analyze(QStringLiteral("\n\t \r\n"), true); },
         {"analyze", "--json"},
         false,
         "分析空间",
         "Analyze Storage",
         analyzeZh,
         analyzeEn},
        {"analyze empty path",
         [] { return F::analyze(QString(), true); },
         {"analyze", "--json"},
         false,
         "分析空间",
         "Analyze Storage",
         analyzeZh,
         analyzeEn},
        {"analyze plain path",
         [] { return F::analyze(QStringLiteral("/tmp/x"), false); },
         {"analyze", "/tmp/x"},
         false,
         "打开详细查看",
         "Open Advanced View",
         "打开更详细的空间查看窗口。",
         "Open a more detailed storage view."},
        {"status json",
         [] { return F::status(true); },
         {"status", "--json"},
         false,
         "刷新状态",
         "Refresh Status",
         statusZh,
         statusEn},
        {"status",
         [] { return F::status(false); },
         {"status"},
         false,
         "刷新状态",
         "Refresh Status",
         statusZh,
         statusEn},
        {"purge dry debug",
         [] { return F::purge(true, true); },
         {"purge", "--dry-run", "--debug"},
         false,
         "预览项目文件",
         "Preview Project Files",
         "查找可整理的项目文件，不会删除任何内容。",
         "Find project files that can be cleaned up without deleting anything."},
        {"purge",
         [] { return F::purge(false, false); },
         {"purge"},
         true,
         "选择项目清理",
         "Choose Project Cleanup",
         "选择要清理的项目文件。",
         "Choose the project files to clean up."},
        {"purgePaths",
         [] { return F::purgePaths(); },
         {"purge", "--paths"},
         false,
         "配置检查范围",
         "Set Scan Scope",
         "选择项目瘦身要检查的位置。",
         "Choose the locations to scan for project cleanup."},
        {"installer dry",
         [] { return F::installer(true, false); },
         {"installer", "--dry-run"},
         false,
         "预览安装包",
         "Preview Installer Files",
         "查找安装包文件，不会删除任何内容。",
         "Find installer files without deleting anything."},
        {"installer debug",
         [] { return F::installer(false, true); },
         {"installer", "--debug"},
         true,
         "选择安装包清理",
         "Choose Installer Cleanup",
         "选择要清理的安装包文件。",
         "Choose the installer files to clean up."},
        {"touchID dry",
         [] { return F::touchID(true); },
         {"touchid", "--dry-run"},
         false,
         "预览 Touch ID",
         "Preview Touch ID",
         kTouchIDZh,
         kTouchIDEn},
        {"touchID",
         [] { return F::touchID(false); },
         {"touchid"},
         true,
         "启用 Touch ID",
         "Enable Touch ID",
         kTouchIDZh,
         kTouchIDEn},
        {"completion dry",
         [] { return F::completion(true); },
         {"completion", "--dry-run"},
         false,
         "预览快捷输入",
         "Preview Shell Completion",
         kCompletionZh,
         kCompletionEn},
        {"completion",
         [] { return F::completion(false); },
         {"completion"},
         true,
         "启用快捷输入",
         "Enable Shell Completion",
         kCompletionZh,
         kCompletionEn},
        {"update",
         [] { return F::update(false, false); },
         {"update"},
         false,
         "检查 Roror 更新",
         "Check for Roror Updates",
         updateZh,
         updateEn},
        {"update force",
         [] { return F::update(false, true); },
         {"update", "--force"},
         false,
         "检查 Roror 更新",
         "Check for Roror Updates",
         updateZh,
         updateEn},
        {"update nightly force",
         [] { return F::update(true, true); },
         {"update", "--nightly", "--force"},
         false,
         "检查 Roror 更新",
         "Check for Roror Updates",
         updateZh,
         updateEn},
        {"update nightly",
         [] { return F::update(true, false); },
         {"update", "--nightly"},
         false,
         "检查 Roror 更新",
         "Check for Roror Updates",
         updateZh,
         updateEn},
        {"remove dry",
         [] { return F::remove(true); },
         {"remove", "--dry-run"},
         false,
         "预览移除",
         "Preview Removal",
         kRemoveZh,
         kRemoveEn},
        {"remove",
         [] { return F::remove(false); },
         {"remove"},
         true,
         "移除 Roror",
         "Remove Roror",
         kRemoveZh,
         kRemoveEn},
        // Chinese-only texts, whatever the language.
        {"menu",
         [] { return F::menu(); },
         {},
         false,
         "打开高级菜单",
         "打开高级菜单",
         "打开高级辅助窗口。",
         "打开高级辅助窗口。"},
        {"help",
         [] { return F::help(); },
         {"--help"},
         false,
         "查看帮助",
         "查看帮助",
         "查看帮助信息。",
         "查看帮助信息。"},
        {"version",
         [] { return F::version(); },
         {"--version"},
         false,
         "查看版本",
         "查看版本",
         "查看当前版本。",
         "查看当前版本。"},
    };
}

} // namespace

TEST(AppActionFactory, EveryBuilderHasItsArgumentsFlagsAndTextsInBothLanguages)
{
    TestEnv env({QStringLiteral("en-US")});
    for (const char* stored : {"chinese", "english"}) {
        env.setLanguagePreference(QString::fromLatin1(stored));
        const bool zh = QByteArray(stored) == "chinese";
        for (const BuilderCase& c : builderCases()) {
            SCOPED_TRACE(std::string(c.name) + " / " + stored);
            const AppAction action = c.build();
            EXPECT_EQ(action.arguments, c.arguments);
            EXPECT_EQ(action.isDestructive, c.destructive);
            EXPECT_FALSE(action.prefersTerminal);
            EXPECT_FALSE(action.id.isNull());
            EXPECT_EQ(action.title, zh ? c.titleZh : c.titleEn);
            EXPECT_EQ(action.detail, zh ? c.detailZh : c.detailEn);
        }
    }
}

TEST(AppActionFactory, ActionsBuiltAlikeAreDifferentActions)
{
    TestEnv env;
    const AppAction a = AppActionFactory::clean(true, false);
    const AppAction b = AppActionFactory::clean(true, false);
    EXPECT_NE(a.id, b.id);
    EXPECT_NE(a, b);
    AppAction copy = a;
    EXPECT_EQ(copy, a);
    copy.arguments.append(QStringLiteral("--debug"));
    EXPECT_NE(copy, a);
}

TEST(AppActionFactory, TitleAndDetailEachReadTheLanguageAfresh)
{
    // The preferred languages flip between the two reads: the title is resolved with the first
    // list, the detail with the second.
    TestEnv env;
    env.setLanguagePreference(QStringLiteral("system"));
    int reads = 0;
    PreferredLanguages::setSource([&reads] {
        return ++reads % 2 == 1 ? QStringList{QStringLiteral("zh-Hans")} : QStringList{QStringLiteral("en-US")};
    });
    const AppAction action = AppActionFactory::clean(true, false);
    EXPECT_EQ(reads, 2);
    EXPECT_EQ(action.title, QStringLiteral("预览清理项目"));
    EXPECT_EQ(action.detail, QStringLiteral("Only check cleanable items. Nothing will be deleted."));

    // A built action keeps its texts after the choice changes.
    env.setPreferredLanguages({QStringLiteral("en-US")});
    env.setLanguagePreference(QStringLiteral("chinese"));
    const AppAction before = AppActionFactory::status(false);
    env.setLanguagePreference(QStringLiteral("english"));
    EXPECT_EQ(before.title, QStringLiteral("刷新状态"));
    EXPECT_EQ(AppActionFactory::status(false).title, QStringLiteral("Refresh Status"));
}

TEST(AppActionKind, EveryActionReadsAsOneKindAndOnePage)
{
    TestEnv env;
    namespace F = AppActionFactory;
    using K = AppActionKind;
    using P = AppFeature;
    const auto words = [](const QStringList& arguments) {
        AppAction action;
        action.arguments = arguments;
        return action;
    };
    const struct {
        const char* name;
        AppAction action;
        AppActionKind kind;
        std::optional<AppFeature> feature;
    } cases[] = {
        // What the pages build.
        {"clean preview", F::clean(true, true), K::cleanPreview, P::clean},
        {"clean", F::clean(false, false), K::clean, P::clean},
        {"clean editor", F::cleanWhitelist(), K::cleanWhitelist, P::clean},
        {"uninstall preview", F::uninstall(true, false), K::uninstallPreview, P::uninstall},
        {"uninstall", F::uninstall(false, false), K::completed, P::uninstall},
        {"optimize preview", F::optimize(true, false), K::optimizePreview, P::optimize},
        {"optimize", F::optimize(false, true), K::optimize, P::optimize},
        {"optimize editor", F::optimizeWhitelist(), K::optimizeWhitelist, P::optimize},
        {"analyze json", F::analyze(QStringLiteral("/x"), true), K::analysis, P::analyze},
        {"analyze", F::analyze(QStringLiteral("/x"), false), K::completed, P::analyze},
        {"status json", F::status(true), K::statusRefresh, P::dashboard},
        {"status", F::status(false), K::completed, std::nullopt},
        {"purge preview", F::purge(true, false), K::purgePreview, P::purge},
        {"purge", F::purge(false, false), K::completed, P::purge},
        {"purge paths", F::purgePaths(), K::completed, P::purge},
        {"installer preview", F::installer(true, false), K::installerPreview, P::installer},
        {"installer", F::installer(false, false), K::completed, P::installer},
        {"touchid", F::touchID(true), K::notAvailable, std::nullopt},
        {"completion", F::completion(false), K::notAvailable, std::nullopt},
        {"update", F::update(true, true), K::update, std::nullopt},
        {"remove", F::remove(true), K::notAvailable, std::nullopt},
        {"menu", F::menu(), K::completed, std::nullopt},
        {"help", F::help(), K::completed, std::nullopt},
        {"version", F::version(), K::version, std::nullopt},
        // Word lists no page builds: the first rule that fits picks the kind, the first feature
        // word picks the page, each on its own.
        {"editor plus a word", words({"clean", "--whitelist", "x"}), K::clean, P::clean},
        {"editor words reordered", words({"--whitelist", "optimize"}), K::optimize, P::optimize},
        {"status json with a feature word", words({"status", "--json", "clean"}), K::statusRefresh, P::clean},
        {"optimize marks uninstall", words({"optimize", "uninstall"}), K::optimize, P::uninstall},
        {"uninstall preview before optimize", words({"optimize", "uninstall", "--dry-run"}), K::uninstallPreview,
         P::uninstall},
        {"analysis marks clean", words({"analyze", "--json", "clean"}), K::analysis, P::clean},
        {"update with clean", words({"update", "clean"}), K::clean, P::clean},
        {"case counts", words({"Clean", "--dry-run"}), K::completed, std::nullopt},
        {"version plus a word", words({"--version", "x"}), K::completed, std::nullopt},
        {"no words", words({}), K::completed, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parseAppAction(c.action), (ParsedAppAction{c.kind, c.feature})) << c.name;
    }
}

TEST(AppFeature, EightPagesInSidebarOrderWithExactRawValues)
{
    const QList<AppFeature> all = allAppFeatures();
    ASSERT_EQ(all.size(), 8);
    const QStringList raws{"dashboard", "clean", "uninstall", "optimize",
                           "analyze",   "purge", "installer", "maintenance"};
    for (qsizetype i = 0; i < all.size(); ++i) {
        EXPECT_EQ(toRaw(all.at(i)), raws.at(i));
        EXPECT_EQ(appFeatureFromRaw(raws.at(i)), all.at(i));
    }
    EXPECT_EQ(all.first(), AppFeature::dashboard);
    EXPECT_EQ(all.last(), AppFeature::maintenance);
    for (const char* bad : {"Clean", "CLEAN", " clean", "clean ", "", "settings", "dashboard2"})
        EXPECT_EQ(appFeatureFromRaw(QString::fromLatin1(bad)), std::nullopt) << bad;
}
