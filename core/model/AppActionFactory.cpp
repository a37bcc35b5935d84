#include "core/model/AppActionFactory.h"

#include "core/model/AppLocalization.h"

namespace roror::AppActionFactory {

namespace {

struct Pair {
    QString zh;
    QString en;
};

// The title and the detail each read the language choice on their own.
AppAction make(const Pair& title, const Pair& detail, QStringList arguments, bool isDestructive)
{
    AppAction action;
    action.arguments = std::move(arguments);
    action.title = AppLocalization::coreText(title.zh, title.en);
    action.detail = AppLocalization::coreText(detail.zh, detail.en);
    action.id = QUuid::createUuid();
    action.isDestructive = isDestructive;
    action.prefersTerminal = false;
    return action;
}

// Texts that exist in Chinese only; no language is read.
AppAction makeChineseOnly(const QString& title, const QString& detail, QStringList arguments)
{
    AppAction action;
    action.id = QUuid::createUuid();
    action.title = title;
    action.detail = detail;
    action.arguments = std::move(arguments);
    return action;
}

QStringList words(const QString& operation, std::initializer_list<std::pair<bool, const char*>> options)
{
    QStringList result{operation};
    for (const auto& [on, word] : options) {
        if (on)
            result.append(QString::fromLatin1(word));
    }
    return result;
}

} // namespace

AppAction clean(bool dryRun, bool debug)
{
    const QStringList args = words(QStringLiteral("clean"), {{dryRun, "--dry-run"}, {debug, "--debug"}});
    if (dryRun) {
        return make({QStringLiteral("预览清理项目"), QStringLiteral("Preview Cleanup Items")},
                    {QStringLiteral("只检查可清理项目，不会删除任何内容。"),
                     QStringLiteral("Only check cleanable items. Nothing will be deleted.")},
                    args, false);
    }
    return make({QStringLiteral("开始清理"), QStringLiteral("Start Cleaning")},
                {QStringLiteral("确认后开始清理缓存、日志、残留文件和废纸篓内容；需要管理员权限的系统缓存会跳过。"),
                 QStringLiteral("After confirmation, clean caches, logs, leftovers, and Trash. System caches "
                                "requiring admin access will be skipped.")},
                args, true);
}

AppAction cleanWhitelist()
{
    return make({QStringLiteral("编辑保护名单"), QStringLiteral("Edit Protection List")},
                {QStringLiteral("选择永远不要被清理的位置。"),
                 QStringLiteral("Choose locations that should never be cleaned.")},
                {QStringLiteral("clean"), QStringLiteral("--whitelist")}, false);
}

AppAction uninstall(bool dryRun, bool debug)
{
    const QStringList args = words(QStringLiteral("uninstall"), {{dryRun, "--dry-run"}, {debug, "--debug"}});
    if (dryRun) {
        return make({QStringLiteral("预览卸载项目"), QStringLiteral("Preview Uninstall Items")},
                    {QStringLiteral("查看可移除的应用残留，不会删除任何内容。"),
                     QStringLiteral("Review removable app leftovers. Nothing will be deleted.")},
                    args, false);
    }
    return make({QStringLiteral("选择应用卸载"), QStringLiteral("Choose Apps to Uninstall")},
                {QStringLiteral("选择要卸载的应用和相关文件。"),
                 QStringLiteral("Choose the apps and related files to uninstall.")},
                args, true);
}

AppAction optimize(bool dryRun, bool debug)
{
    const QStringList args = words(QStringLiteral("optimize"), {{dryRun, "--dry-run"}, {debug, "--debug"}});
    if (dryRun) {
        return make({QStringLiteral("预览优化项目"), QStringLiteral("Preview Optimization Items")},
                    {QStringLiteral("预览可优化的项目，不会改动电脑。"),
                     QStringLiteral("Preview optimization items without changing your Mac.")},
                    args, false);
    }
    return make({QStringLiteral("开始优化"), QStringLiteral("Start Optimizing")},
                {QStringLiteral("确认后刷新系统服务、重建缓存并整理诊断数据。"),
                 QStringLiteral("After confirmation, refresh services, rebuild caches, and organize diagnostics.")},
                args, true);
}

AppAction optimizeWhitelist()
{
    return make(
        {QStringLiteral("编辑优化保护项"), QStringLiteral("Edit Optimization Safeguards")},
        {QStringLiteral("选择优化时要跳过的项目。"), QStringLiteral("Choose items to skip during optimization.")},
        {QStringLiteral("optimize"), QStringLiteral("--whitelist")}, false);
}

AppAction analyze(const QString& path, bool json)
{
    QStringList args = words(QStringLiteral("analyze"), {{json, "--json"}});
    if (!path.trimmed().isEmpty())
        args.append(path);
    if (json) {
        return make({QStringLiteral("分析空间"), QStringLiteral("Analyze Storage")},
                    {QStringLiteral("检查所选位置，并汇总空间占用。"),
                     QStringLiteral("Scan the selected location and summarize storage usage.")},
                    args, false);
    }
    return make({QStringLiteral("打开详细查看"), QStringLiteral("Open Advanced View")},
                {QStringLiteral("打开更详细的空间查看窗口。"), QStringLiteral("Open a more detailed storage view.")},
                args, false);
}

AppAction status(bool json)
{
    return make({QStringLiteral("刷新状态"), QStringLiteral("Refresh Status")},
                {QStringLiteral("刷新 CPU、内存、磁盘、电池和网络状态。"),
                 QStringLiteral("Refresh CPU, memory, disk, battery, and network status.")},
                words(QStringLiteral("status"), {{json, "--json"}}), false);
}

AppAction purge(bool dryRun, bool debug)
{
    const QStringList args = words(QStringLiteral("purge"), {{dryRun, "--dry-run"}, {debug, "--debug"}});
    if (dryRun) {
        return make({QStringLiteral("预览项目文件"), QStringLiteral("Preview Project Files")},
                    {QStringLiteral("查找可整理的项目文件，不会删除任何内容。"),
                     QStringLiteral("Find project files that can be cleaned up without deleting anything.")},
                    args, false);
    }
    return make({QStringLiteral("选择项目清理"), QStringLiteral("Choose Project Cleanup")},
                {QStringLiteral("选择要清理的项目文件。"), QStringLiteral("Choose the project files to clean up.")},
                args, true);
}

AppAction purgePaths()
{
    return make({QStringLiteral("配置检查范围"), QStringLiteral("Set Scan Scope")},
                {QStringLiteral("选择项目瘦身要检查的位置。"),
                 QStringLiteral("Choose the locations to scan for project cleanup.")},
                {QStringLiteral("purge"), QStringLiteral("--paths")}, false);
}

AppAction installer(bool dryRun, bool debug)
{
    const QStringList args = words(QStringLiteral("installer"), {{dryRun, "--dry-run"}, {debug, "--debug"}});
    if (dryRun) {
        return make({QStringLiteral("预览安装包"), QStringLiteral("Preview Installer Files")},
                    {QStringLiteral("查找安装包文件，不会删除任何内容。"),
                     QStringLiteral("Find installer files without deleting anything.")},
                    args, false);
    }
    return make({QStringLiteral("选择安装包清理"), QStringLiteral("Choose Installer Cleanup")},
                {QStringLiteral("选择要清理的安装包文件。"), QStringLiteral("Choose the installer files to clean up.")},
                args, true);
}

AppAction touchID(bool dryRun)
{
    const Pair detail{QStringLiteral("Roror 暂不支持 Touch ID 配置。"),
                      QStringLiteral("Touch ID configuration is not available in Roror yet.")};
    const QStringList args = words(QStringLiteral("touchid"), {{dryRun, "--dry-run"}});
    if (dryRun)
        return make({QStringLiteral("预览 Touch ID"), QStringLiteral("Preview Touch ID")}, detail, args, false);
    return make({QStringLiteral("启用 Touch ID"), QStringLiteral("Enable Touch ID")}, detail, args, true);
}

AppAction completion(bool dryRun)
{
    const Pair detail{QStringLiteral("Roror 暂不支持快捷输入配置。"),
                      QStringLiteral("Shell completion setup is not available in Roror yet.")};
    const QStringList args = words(QStringLiteral("completion"), {{dryRun, "--dry-run"}});
    if (dryRun)
        return make({QStringLiteral("预览快捷输入"), QStringLiteral("Preview Shell Completion")}, detail, args, false);
    return make({QStringLiteral("启用快捷输入"), QStringLiteral("Enable Shell Completion")}, detail, args, true);
}

AppAction update(bool nightly, bool force)
{
    return make({QStringLiteral("检查 Roror 更新"), QStringLiteral("Check for Roror Updates")},
                {QStringLiteral("从配置的更新源检查是否有新版本。"),
                 QStringLiteral("Check the configured update feed for a newer version.")},
                words(QStringLiteral("update"), {{nightly, "--nightly"}, {force, "--force"}}), false);
}

AppAction remove(bool dryRun)
{
    const Pair detail{QStringLiteral("Roror 暂不支持从这里移除应用。"),
                      QStringLiteral("Removing Roror from this screen is not supported yet.")};
    const QStringList args = words(QStringLiteral("remove"), {{dryRun, "--dry-run"}});
    if (dryRun)
        return make({QStringLiteral("预览移除"), QStringLiteral("Preview Removal")}, detail, args, false);
    return make({QStringLiteral("移除 Roror"), QStringLiteral("Remove Roror")}, detail, args, true);
}

AppAction menu()
{
    return makeChineseOnly(QStringLiteral("打开高级菜单"), QStringLiteral("打开高级辅助窗口。"), {});
}

AppAction help()
{
    return makeChineseOnly(QStringLiteral("查看帮助"), QStringLiteral("查看帮助信息。"), {QStringLiteral("--help")});
}

AppAction version()
{
    return makeChineseOnly(QStringLiteral("查看版本"), QStringLiteral("查看当前版本。"), {QStringLiteral("--version")});
}

} // namespace roror::AppActionFactory
