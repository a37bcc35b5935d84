#include "core/engines/optimize/LocalOptimizeExecutor.h"

#include "platform/ToolRunner.h"

#include <QFileInfo>

namespace roror::LocalOptimizeExecutor {

namespace {

enum class CommandOutcome { completed, unavailable, failed };

CommandOutcome runCommand(const QStringList& commandLine)
{
    if (commandLine.isEmpty())
        return CommandOutcome::unavailable;
    const QString tool = commandLine.first();
    const QFileInfo info(tool);
    if (!info.isAbsolute() || !info.isFile() || !info.isExecutable())
        return CommandOutcome::unavailable; // the platform does not have this tool
    const ToolRunResult result = runTool(tool, commandLine.mid(1));
    if (result.started && result.exitedNormally && result.exitCode == 0)
        return CommandOutcome::completed;
    return CommandOutcome::failed;
}

} // namespace

const CommandTable& runnableSafeActions()
{
    static const CommandTable table{
        {QStringLiteral("system_maintenance"),
         {QStringLiteral("/usr/sbin/dscacheutil"), QStringLiteral("-flushcache")}},
        {QStringLiteral("network_optimization"),
         {QStringLiteral("/usr/sbin/dscacheutil"), QStringLiteral("-flushcache")}},
        {QStringLiteral("cache_refresh"),
         {QStringLiteral("/usr/bin/qlmanage"), QStringLiteral("-r"), QStringLiteral("cache")}},
#ifdef Q_OS_MACOS
        // Elsewhere there is no Dock to restart, and killall by name would end whatever unrelated
        // process happens to be called so.
        {QStringLiteral("dock_refresh"), {QStringLiteral("/usr/bin/killall"), QStringLiteral("Dock")}},
#endif
    };
    return table;
}

LocalOptimizeResult run(const OptimizePreviewReport& report, const QSet<QString>& skippedIDs)
{
    return run(report, skippedIDs, runnableSafeActions());
}

LocalOptimizeResult run(const OptimizePreviewReport& report, const QSet<QString>& skippedIDs,
                        const CommandTable& commands)
{
    LocalOptimizeResult result;
    for (const OptimizePreviewReport::Entry& entry : report.entries) {
        const auto command = commands.constFind(entry.id);
        if (skippedIDs.contains(entry.id) || !entry.safe || command == commands.constEnd()) {
            result.skipped.append(entry);
            continue;
        }
        switch (runCommand(*command)) {
        case CommandOutcome::completed:
            result.completed.append(entry);
            break;
        case CommandOutcome::unavailable:
            result.skipped.append(entry);
            break;
        case CommandOutcome::failed:
            result.failed.append(entry);
            break;
        }
    }
    return result;
}

} // namespace roror::LocalOptimizeExecutor
