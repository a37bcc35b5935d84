#include "core/engines/optimize/OptimizeDetailSnapshot.h"

#include "core/model/AppLocalization.h"
#include "core/model/SizeText.h"
#include "core/support/FolderWalker.h"
#include "core/support/StandardPath.h"
#include "platform/ToolRunner.h"

#include <QFile>
#include <QStringDecoder>
#include <sys/stat.h>
#include <unistd.h>

namespace roror {

namespace {

enum class DetailKind { spotlight, size, count, fixed, memory };

struct DetailRow {
    QString id;
    DetailKind kind;
    QStringList paths; // relative to the home folder
    QString filter;    // extension, empty for none
    QString zh;        // title, or the whole sentence of a fixed line
    QString en;
};

const QList<DetailRow>& detailRows()
{
    static const QList<DetailRow> rows{
        {QStringLiteral("system_maintenance"), DetailKind::spotlight, {}, QString(), QString(), QString()},
        {QStringLiteral("cache_refresh"),
         DetailKind::size,
         {QStringLiteral("Library/Caches/com.apple.QuickLook.thumbnailcache"),
          QStringLiteral("Library/Caches/com.apple.iconservices.store")},
         QString(),
         QStringLiteral("QuickLook 与图标缓存"),
         QStringLiteral("QuickLook and icon caches")},
        {QStringLiteral("saved_state_cleanup"),
         DetailKind::count,
         {QStringLiteral("Library/Saved Application State")},
         QString(),
         QStringLiteral("保存状态"),
         QStringLiteral("Saved states")},
        {QStringLiteral("fix_broken_configs"),
         DetailKind::count,
         {QStringLiteral("Library/Preferences")},
         QStringLiteral("plist"),
         QStringLiteral("偏好设置文件"),
         QStringLiteral("Preference files")},
        {QStringLiteral("network_optimization"),
         DetailKind::fixed,
         {},
         QString(),
         QStringLiteral("会刷新 DNS 缓存并检查当前代理配置。"),
         QStringLiteral("Will refresh DNS cache and check current proxy settings.")},
        {QStringLiteral("sqlite_vacuum"),
         DetailKind::size,
         {QStringLiteral("Library/Mail"), QStringLiteral("Library/Safari"), QStringLiteral("Library/Messages")},
         QStringLiteral("sqlite"),
         QStringLiteral("常见应用数据库"),
         QStringLiteral("Common app databases")},
        {QStringLiteral("launch_services_rebuild"),
         DetailKind::fixed,
         {},
         QString(),
         QStringLiteral("会重建打开方式与文件关联数据库。"),
         QStringLiteral("Will rebuild Open With and file association databases.")},
        {QStringLiteral("font_cache_rebuild"),
         DetailKind::count,
         {QStringLiteral("Library/Fonts")},
         QString(),
         QStringLiteral("用户字体"),
         QStringLiteral("User fonts")},
        {QStringLiteral("dock_refresh"),
         DetailKind::fixed,
         {},
         QString(),
         QStringLiteral("会刷新 Dock 与 Finder 相关显示状态。"),
         QStringLiteral("Will refresh Dock and Finder display state.")},
        {QStringLiteral("prevent_network_dsstore"),
         DetailKind::fixed,
         {},
         QString(),
         QStringLiteral("会检查 Finder 是否避免在网络卷生成 .DS_Store。"),
         QStringLiteral("Will check whether Finder avoids .DS_Store on network volumes.")},
        {QStringLiteral("memory_pressure_relief"), DetailKind::memory, {}, QString(), QString(), QString()},
        {QStringLiteral("network_stack_optimize"),
         DetailKind::fixed,
         {},
         QString(),
         QStringLiteral("会刷新路由、ARP 与网络解析缓存。"),
         QStringLiteral("Will refresh routing, ARP, and resolver caches.")},
        {QStringLiteral("disk_permissions_repair"),
         DetailKind::fixed,
         {},
         QString(),
         QStringLiteral("会检查用户目录常见权限异常。"),
         QStringLiteral("Will check common permission issues under the user folder.")},
        {QStringLiteral("bluetooth_reset"),
         DetailKind::fixed,
         {},
         QString(),
         QStringLiteral("会检查蓝牙服务状态，必要时提示刷新。"),
         QStringLiteral("Will check Bluetooth service state and suggest refresh when needed.")},
        {QStringLiteral("spotlight_index_optimize"), DetailKind::spotlight, {}, QString(), QString(), QString()},
        {QStringLiteral("periodic_maintenance"),
         DetailKind::fixed,
         {},
         QString(),
         QStringLiteral("会执行 macOS 周期维护脚本。"),
         QStringLiteral("Will run macOS periodic maintenance scripts.")},
        {QStringLiteral("shared_file_list_repair"),
         DetailKind::count,
         {QStringLiteral("Library/Application Support/com.apple.sharedfilelist")},
         QString(),
         QStringLiteral("共享列表文件"),
         QStringLiteral("Shared list files")},
        {QStringLiteral("disk_verify"),
         DetailKind::fixed,
         {},
         QString(),
         QStringLiteral("会检查主磁盘文件系统健康状态。"),
         QStringLiteral("Will check the main disk file-system health.")},
        {QStringLiteral("login_items_audit"),
         DetailKind::count,
         {QStringLiteral("Library/LaunchAgents")},
         QString(),
         QStringLiteral("登录项与启动配置"),
         QStringLiteral("Login items and launch configs")},
        {QStringLiteral("quarantine_cleanup"),
         DetailKind::size,
         {QStringLiteral("Library/Preferences/com.apple.LaunchServices.QuarantineEventsV2")},
         QString(),
         QStringLiteral("隔离记录数据库"),
         QStringLiteral("Quarantine database")},
        {QStringLiteral("launch_agents_cleanup"),
         DetailKind::count,
         {QStringLiteral("Library/LaunchAgents")},
         QStringLiteral("plist"),
         QStringLiteral("用户启动代理"),
         QStringLiteral("User launch agents")},
        {QStringLiteral("notification_cleanup"),
         DetailKind::size,
         {QStringLiteral("Library/Application Support/NotificationCenter")},
         QString(),
         QStringLiteral("通知记录"),
         QStringLiteral("Notification records")},
        {QStringLiteral("coreduet_cleanup"),
         DetailKind::size,
         {QStringLiteral("Library/Application Support/Knowledge")},
         QString(),
         QStringLiteral("使用数据"),
         QStringLiteral("Usage data")},
    };
    return rows;
}

bool passesFilter(const QString& name, const std::optional<QString>& extensionFilter)
{
    return !extensionFilter || pathExtension(name).toLower() == extensionFilter->toLower();
}

std::optional<QString> filterOf(const DetailRow& row)
{
    return row.filter.isEmpty() ? std::nullopt : std::optional<QString>(row.filter);
}

WalkOptions detailWalkOptions(bool statItems)
{
    WalkOptions options;
    options.skipHidden = true;
    options.skipPackageDescendants = true;
    options.statItems = statItems;
    return options;
}

} // namespace

std::optional<QString> OptimizeDetailSnapshot::detail(const QString& id) const
{
    for (const DetailRow& row : detailRows()) {
        if (row.id != id)
            continue;
        switch (row.kind) {
        case DetailKind::spotlight:
            return spotlightStatusDetail();
        case DetailKind::memory:
            return memoryDetail();
        case DetailKind::fixed:
            return AppLocalization::coreText(row.zh, row.en);
        case DetailKind::count:
            return countDetail(row.zh, row.en, joinPath(home, row.paths.value(0)), filterOf(row));
        case DetailKind::size: {
            QStringList paths;
            for (const QString& relative : row.paths)
                paths.append(joinPath(home, relative));
            return sizeDetail(row.zh, row.en, paths, filterOf(row));
        }
        }
    }
    return std::nullopt;
}

QString OptimizeDetailSnapshot::spotlightStatusDetail() const
{
    const std::optional<QString> output = runCommand(QStringLiteral("/usr/bin/mdutil"), {QStringLiteral("-s"), home});
    if (!output)
        return AppLocalization::coreText(QStringLiteral("Spotlight 状态：无法读取"),
                                         QStringLiteral("Spotlight status: unavailable"));
    if (output->toLower().contains(QLatin1String("enabled")))
        return AppLocalization::coreText(QStringLiteral("Spotlight 状态：") + QStringLiteral("已开启"),
                                         QStringLiteral("Spotlight status: ") + QStringLiteral("enabled"));
    return AppLocalization::coreText(QStringLiteral("Spotlight 状态：") + QStringLiteral("未开启或不可用"),
                                     QStringLiteral("Spotlight status: ") + QStringLiteral("disabled or unavailable"));
}

QString OptimizeDetailSnapshot::sizeDetail(const QString& titleZh, const QString& titleEn, const QStringList& paths,
                                           const std::optional<QString>& extensionFilter) const
{
    qint64 total = 0;
    for (const QString& path : paths)
        total += directorySize(path, extensionFilter);
    return AppLocalization::coreText(titleZh + QStringLiteral("：") + SizeText::bytes(total),
                                     titleEn + QStringLiteral(": ") + SizeText::bytes(total));
}

QString OptimizeDetailSnapshot::countDetail(const QString& titleZh, const QString& titleEn, const QString& path,
                                            const std::optional<QString>& extensionFilter) const
{
    const QString count = QString::number(itemCount(path, extensionFilter));
    return AppLocalization::coreText(titleZh + QStringLiteral("：") + count + QStringLiteral(" 项"),
                                     titleEn + QStringLiteral(": ") + count + QStringLiteral(" items"));
}

QString OptimizeDetailSnapshot::memoryDetail()
{
    const qint64 memory = physicalMemory();
    return AppLocalization::coreText(QStringLiteral("物理内存：") + SizeText::bytes(memory),
                                     QStringLiteral("Physical memory: ") + SizeText::bytes(memory));
}

int OptimizeDetailSnapshot::itemCount(const QString& path, const std::optional<QString>& extensionFilter)
{
    int count = 0;
    walkFolder(path, detailWalkOptions(false), [&](const WalkEntry& item) {
        if (!passesFilter(item.name, extensionFilter))
            return WalkAction::Continue;
        return ++count >= walkLimit ? WalkAction::Stop : WalkAction::Continue;
    });
    return count;
}

qint64 OptimizeDetailSnapshot::directorySize(const QString& path, const std::optional<QString>& extensionFilter)
{
    struct stat st { };
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return 0;
    if (!S_ISDIR(st.st_mode)) {
        if (!passesFilter(lastPathComponent(path), extensionFilter))
            return 0;
        return static_cast<qint64>(st.st_blocks) * 512;
    }
    qint64 total = 0;
    int measured = 0;
    walkFolder(path, detailWalkOptions(true), [&](const WalkEntry& item) {
        if (!item.info.isRegularFile || !passesFilter(item.name, extensionFilter))
            return WalkAction::Continue;
        total += item.info.allocatedSize;
        return ++measured >= walkLimit ? WalkAction::Stop : WalkAction::Continue;
    });
    return total;
}

qint64 OptimizeDetailSnapshot::physicalMemory()
{
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    if (pages > 0 && pageSize > 0)
        return static_cast<qint64>(pages) * pageSize;
    QFile meminfo(QStringLiteral("/proc/meminfo"));
    if (!meminfo.open(QIODevice::ReadOnly))
        return 0;
    while (!meminfo.atEnd()) {
        const QByteArray line = meminfo.readLine();
        if (line.startsWith("MemTotal:"))
            return line.mid(9).trimmed().split(' ').value(0).toLongLong() * 1024;
    }
    return 0;
}

std::optional<QString> OptimizeDetailSnapshot::runCommand(const QString& tool, const QStringList& arguments) const
{
    if (commandRunner)
        return commandRunner(tool, arguments);
    const ToolRunResult result = runTool(tool, arguments);
    if (!result.started || result.timedOut || !result.exitedNormally || result.exitCode != 0)
        return std::nullopt;
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(result.standardOutput);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

} // namespace roror
