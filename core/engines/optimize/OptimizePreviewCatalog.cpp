#include "core/engines/optimize/OptimizePreviewCatalog.h"

#include "core/model/AppLocalization.h"

namespace roror::OptimizePreviewCatalog {

namespace {

const Item* findItem(const QString& id)
{
    for (const Item& item : items()) {
        if (item.id == id)
            return &item;
    }
    return nullptr;
}

} // namespace

OptimizePreviewReport::Entry Item::localizedEntry() const
{
    OptimizePreviewReport::Entry entry;
    entry.id = id;
    entry.name = AppLocalization::coreText(zhName, enName);
    entry.description = AppLocalization::coreText(zhDescription, enDescription);
    entry.safe = true;
    return entry;
}

const QList<Item>& items()
{
    static const QList<Item> catalogue{
        {QStringLiteral("system_maintenance"), QStringLiteral("DNS 与 Spotlight 检查"),
         QStringLiteral("DNS and Spotlight Check"), QStringLiteral("刷新 DNS 缓存，并检查 Spotlight 当前状态。"),
         QStringLiteral("Refresh DNS cache and check current Spotlight status.")},
        {QStringLiteral("cache_refresh"), QStringLiteral("Finder 缓存刷新"), QStringLiteral("Finder Cache Refresh"),
         QStringLiteral("刷新 QuickLook 缩略图和图标服务缓存。"),
         QStringLiteral("Refresh QuickLook thumbnails and icon service caches.")},
        {QStringLiteral("saved_state_cleanup"), QStringLiteral("应用状态清理"), QStringLiteral("App State Cleanup"),
         QStringLiteral("清理较旧的应用保存状态文件。"), QStringLiteral("Clean up older saved app state files.")},
        {QStringLiteral("fix_broken_configs"), QStringLiteral("异常配置修复"), QStringLiteral("Broken Config Repair"),
         QStringLiteral("修复损坏或异常的偏好设置文件。"),
         QStringLiteral("Repair broken or abnormal preference files.")},
        {QStringLiteral("network_optimization"), QStringLiteral("网络缓存刷新"),
         QStringLiteral("Network Cache Refresh"), QStringLiteral("优化 DNS 缓存，并重启网络解析服务。"),
         QStringLiteral("Optimize DNS cache and restart network resolution services.")},
        {QStringLiteral("sqlite_vacuum"), QStringLiteral("数据库优化"), QStringLiteral("Database Optimization"),
         QStringLiteral("整理 Mail、Safari、Messages 等 SQLite 数据库。"),
         QStringLiteral("Optimize SQLite databases used by Mail, Safari, Messages, and more.")},
        {QStringLiteral("launch_services_rebuild"), QStringLiteral("LaunchServices 修复"),
         QStringLiteral("LaunchServices Repair"), QStringLiteral("修复“打开方式”和文件关联异常。"),
         QStringLiteral("Repair Open With and file association issues.")},
        {QStringLiteral("font_cache_rebuild"), QStringLiteral("字体缓存重建"), QStringLiteral("Font Cache Rebuild"),
         QStringLiteral("重建字体数据库，改善渲染异常。"),
         QStringLiteral("Rebuild the font database to fix rendering issues.")},
        {QStringLiteral("dock_refresh"), QStringLiteral("Dock 刷新"), QStringLiteral("Dock Refresh"),
         QStringLiteral("刷新 Dock，修复图标异常和视觉问题。"),
         QStringLiteral("Refresh the Dock to fix icon and visual issues.")},
        {QStringLiteral("prevent_network_dsstore"), QStringLiteral("Finder .DS_Store 优化"),
         QStringLiteral("Finder .DS_Store Optimization"),
         QStringLiteral("调整 Finder 偏好，减少网络卷与外接盘生成 .DS_Store。"),
         QStringLiteral("Adjust Finder preferences to reduce .DS_Store generation on network and external volumes.")},
        {QStringLiteral("memory_pressure_relief"), QStringLiteral("内存优化"), QStringLiteral("Memory Optimization"),
         QStringLiteral("释放部分非活跃内存，改善系统响应。"),
         QStringLiteral("Release some inactive memory to improve responsiveness.")},
        {QStringLiteral("network_stack_optimize"), QStringLiteral("网络栈刷新"),
         QStringLiteral("Network Stack Refresh"), QStringLiteral("刷新路由与 ARP 缓存，缓解常见网络异常。"),
         QStringLiteral("Refresh routing and ARP caches to ease common network issues.")},
        {QStringLiteral("disk_permissions_repair"), QStringLiteral("权限修复"), QStringLiteral("Permissions Repair"),
         QStringLiteral("检查并修复用户目录常见权限问题。"),
         QStringLiteral("Check and repair common permission problems in the user directory.")},
        {QStringLiteral("bluetooth_reset"), QStringLiteral("蓝牙刷新"), QStringLiteral("Bluetooth Refresh"),
         QStringLiteral("重启蓝牙模块，缓解连接不稳定问题。"),
         QStringLiteral("Restart the Bluetooth module to reduce unstable connections.")},
        {QStringLiteral("spotlight_index_optimize"), QStringLiteral("Spotlight 优化"),
         QStringLiteral("Spotlight Optimization"), QStringLiteral("在需要时整理索引，改善搜索速度。"),
         QStringLiteral("Optimize the index when needed to improve search speed.")},
        {QStringLiteral("periodic_maintenance"), QStringLiteral("系统周期维护"), QStringLiteral("Periodic Maintenance"),
         QStringLiteral("执行 macOS 日常维护脚本。"), QStringLiteral("Run the standard macOS maintenance scripts.")},
        {QStringLiteral("shared_file_list_repair"), QStringLiteral("共享列表修复"),
         QStringLiteral("Shared List Repair"), QStringLiteral("修复 Finder 收藏夹和最近项目列表异常。"),
         QStringLiteral("Repair Finder favorites and recent items list issues.")},
        {QStringLiteral("disk_verify"), QStringLiteral("磁盘健康检查"), QStringLiteral("Disk Health Check"),
         QStringLiteral("检查文件系统健康状态。"), QStringLiteral("Check file system health.")},
        {QStringLiteral("login_items_audit"), QStringLiteral("登录项检查"), QStringLiteral("Login Items Check"),
         QStringLiteral("检查并整理异常的开机登录项。"), QStringLiteral("Check and organize abnormal login items.")},
        {QStringLiteral("quarantine_cleanup"), QStringLiteral("隔离数据库清理"),
         QStringLiteral("Quarantine Database Cleanup"), QStringLiteral("清理 Gatekeeper 下载记录历史。"),
         QStringLiteral("Clean up Gatekeeper download history.")},
        {QStringLiteral("launch_agents_cleanup"), QStringLiteral("启动代理清理"),
         QStringLiteral("Launch Agent Cleanup"), QStringLiteral("移除目标程序已不存在的无效启动代理。"),
         QStringLiteral("Remove invalid launch agents whose target apps no longer exist.")},
        {QStringLiteral("notification_cleanup"), QStringLiteral("通知记录清理"), QStringLiteral("Notification Cleanup"),
         QStringLiteral("清理旧通知记录，减少数据库体积。"),
         QStringLiteral("Clean up old notification records to reduce database size.")},
        {QStringLiteral("coreduet_cleanup"), QStringLiteral("使用数据清理"), QStringLiteral("Usage Data Cleanup"),
         QStringLiteral("清理旧的系统使用追踪数据。"), QStringLiteral("Clean up old system usage tracking data.")},
    };
    return catalogue;
}

OptimizePreviewReport::Entry entry(const QString& id, const std::optional<QString>& fallbackName,
                                   const std::optional<QString>& fallbackDescription, bool safe)
{
    OptimizePreviewReport::Entry result;
    if (const Item* item = findItem(id)) {
        result = item->localizedEntry();
    } else {
        result.id = id;
        result.name = fallbackName.value_or(id);
        result.description = fallbackDescription.value_or(QString());
    }
    result.safe = safe;
    return result;
}

} // namespace roror::OptimizePreviewCatalog
