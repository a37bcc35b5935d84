#include "app/model/AppModel.h"

#include "app/model/AppModelInternal.h"
#include "core/support/Log.h"

namespace roror {

using namespace appmodel;

void AppModel::runCleanBranch(Done done)
{
    // A failed service is said as such; nothing is cleaned and no counter is written.
    const auto fail = [this, done](const QString& error) {
        showFailure(log::clean(), text("清理失败", "Cleanup Failed"), error, true);
        done();
    };
    const auto cleanReport = [this, done, fail](const CleanPreviewReport& report) {
        const auto executor = m_services.cleanExecutor;
        const QStringList roots{home()};
        runOnPool<LocalCleanResult>(
            m_relay, [executor, report, roots] { return executor(report, roots); },
            [this, done, fail](Outcome<LocalCleanResult> outcome) {
                if (!outcome.value) {
                    fail(outcome.error);
                    return;
                }
                const LocalCleanResult result = *outcome.value;
                if (result.errorDescription) {
                    // Nothing was removed: say why, and leave the preview and the counters alone.
                    showAlert(log::clean(), *result.errorDescription);
                    setStatusTitle(text("清理已停止", "Cleanup Stopped"));
                    setStatusDetail(*result.errorDescription);
                    done();
                    return;
                }
                const quint64 request = startRequest(ReportSlot::clean);
                whenDone<CleanPreviewReport>(
                    m_relay, m_services.cleanPreview, [this, done, result, request](Outcome<CleanPreviewReport> fresh) {
                        // The clean itself went through; only the picture of what is left is missing.
                        if (isCurrentRequest(ReportSlot::clean, request))
                            setCleanPreviewReport(fresh.value);
                        writeRunSummary({{Persisted::lastCleanDate, nowSeconds()},
                                         {Persisted::lastCleanCount, result.removedCount}});
                        setStatusTitle(text("清理完成", "Cleanup Complete"));
                        const qint64 n = result.removedCount;
                        const qint64 m = result.failedCount;
                        if (m < 1)
                            setStatusDetail(text(QStringLiteral("已清理 ") + number(n) + QStringLiteral(" 项。"),
                                                 QStringLiteral("Cleaned ") + number(n) + QStringLiteral(" items.")));
                        else
                            setStatusDetail(text(QStringLiteral("已清理 ") + number(n) + QStringLiteral(" 项，")
                                                     + number(m) + QStringLiteral(" 项没有成功。"),
                                                 QStringLiteral("Cleaned ") + number(n) + QStringLiteral(" items. ")
                                                     + number(m) + QStringLiteral(" failed.")));
                        done();
                    });
            });
    };

    if (m_cleanPreviewReport && !m_cleanPreviewReport->entries.isEmpty()) {
        cleanReport(*m_cleanPreviewReport);
        return;
    }
    whenDone<CleanPreviewReport>(m_relay, m_services.cleanPreview,
                                 [cleanReport, fail](Outcome<CleanPreviewReport> preview) {
                                     if (preview.value)
                                         cleanReport(*preview.value);
                                     else
                                         fail(preview.error);
                                 });
}

void AppModel::runOptimizeBranch(Done done)
{
    const auto fail = [this, done](const QString& error) {
        showFailure(log::optimize(), text("优化失败", "Optimization Failed"), error, true);
        done();
    };
    const auto runReport = [this, done, fail](const OptimizePreviewReport& report) {
        QSet<QString> skipped;
        try {
            skipped = m_services.loadOptimizeWhitelist(home()).selectedKeys;
        } catch (...) {
            skipped = m_optimizeWhitelistSelection;
        }
        const auto executor = m_services.optimizeExecutor;
        runOnPool<LocalOptimizeResult>(
            m_relay, [executor, report, skipped] { return executor(report, skipped); },
            [this, done, fail](Outcome<LocalOptimizeResult> outcome) {
                if (!outcome.value) {
                    fail(outcome.error);
                    return;
                }
                const LocalOptimizeResult& result = *outcome.value;
                const qint64 n = result.completed.size();
                const qint64 m = result.skipped.size();
                // A step whose command failed is said as failed, never passed off as a safeguard.
                const qint64 f = result.failed.size();
                writeRunSummary({{Persisted::lastOptimizeDate, nowSeconds()}, {Persisted::lastOptimizeCount, n}});
                setStatusTitle(text("优化完成", "Optimization Complete"));
                QString detail;
                if (m == 0)
                    detail = text(QStringLiteral("已完成 ") + number(n) + QStringLiteral(" 项本地整理。"),
                                  QStringLiteral("Completed ") + number(n) + QStringLiteral(" local optimizations."));
                else
                    detail = text(QStringLiteral("已完成 ") + number(n) + QStringLiteral(" 项，跳过 ") + number(m)
                                      + QStringLiteral(" 项保护内容。"),
                                  QStringLiteral("Completed ") + number(n) + QStringLiteral(" items and skipped ")
                                      + number(m) + QStringLiteral(" safeguarded items."));
                if (f > 0)
                    detail += text(number(f) + QStringLiteral(" 项没有成功。"),
                                   QStringLiteral(" ") + number(f) + QStringLiteral(" failed."));
                setStatusDetail(detail);
                done();
            });
    };

    if (m_optimizePreviewReport) {
        runReport(*m_optimizePreviewReport);
        return;
    }
    whenDone<OptimizePreviewReport>(m_relay, m_services.optimizePreview,
                                    [runReport, fail](Outcome<OptimizePreviewReport> preview) {
                                        if (preview.value)
                                            runReport(*preview.value);
                                        else
                                            fail(preview.error);
                                    });
}

// ---------------------------------------------------------------------------------------------
// Preview branches

void AppModel::runCleanPreviewBranch(Done done)
{
    const quint64 request = startRequest(ReportSlot::clean);
    whenDone<CleanPreviewReport>(
        m_relay, m_services.cleanPreview, [this, done, request](Outcome<CleanPreviewReport> outcome) {
            if (isCurrentRequest(ReportSlot::clean, request) && !outcome.value) {
                setCleanPreviewReport(std::nullopt);
                showFailure(log::clean(), text("预览失败", "Preview Failed"), outcome.error, false);
            } else if (isCurrentRequest(ReportSlot::clean, request)) {
                setCleanPreviewReport(outcome.value);
                setStatusTitle(text("预览完成", "Preview Complete"));
                setStatusDetail(
                    text("已检查可清理项目。正式清理前仍会让你确认。",
                         "Cleanable items have been checked. You will still confirm before the real cleanup."));
            }
            done();
        });
}

void AppModel::runUninstallPreviewBranch(Done done)
{
    const quint64 request = startRequest(ReportSlot::uninstall);
    whenDone<UninstallPreviewReport>(
        m_relay, m_services.uninstallPreview, [this, done, request](Outcome<UninstallPreviewReport> outcome) {
            if (isCurrentRequest(ReportSlot::uninstall, request) && !outcome.value) {
                setUninstallPreviewReport(std::nullopt);
                showFailure(log::uninstall(), text("卸载预览失败", "Uninstall Preview Failed"), outcome.error, false);
            } else if (isCurrentRequest(ReportSlot::uninstall, request)) {
                setUninstallPreviewReport(outcome.value);
                setStatusTitle(text("预览卸载项目完成", "Uninstall Preview Complete"));
                const qint64 n = outcome.value ? outcome.value->entries().size() : 0;
                if (n > 0)
                    setStatusDetail(
                        text(QStringLiteral("找到 ") + number(n) + QStringLiteral(" 个可查看的应用项目。"),
                             QStringLiteral("Found ") + number(n) + QStringLiteral(" app items to review.")));
                else
                    setStatusDetail(text("当前没有可显示的应用项目。", "There are no app items to show right now."));
            }
            done();
        });
}

void AppModel::runOptimizePreviewBranch(Done done)
{
    const quint64 request = startRequest(ReportSlot::optimize);
    whenDone<OptimizePreviewReport>(
        m_relay, m_services.optimizePreview, [this, done, request](Outcome<OptimizePreviewReport> outcome) {
            if (isCurrentRequest(ReportSlot::optimize, request) && !outcome.value) {
                setOptimizePreviewReport(std::nullopt);
                showFailure(log::optimize(), text("优化预览失败", "Optimization Preview Failed"), outcome.error, false);
            } else if (isCurrentRequest(ReportSlot::optimize, request)) {
                setOptimizePreviewReport(outcome.value);
                setStatusTitle(text("优化预览完成", "Optimization Preview Complete"));
                const qint64 n = outcome.value ? outcome.value->entries.size() : 0;
                if (n > 0)
                    setStatusDetail(text(
                        QStringLiteral("已列出 ") + number(n) + QStringLiteral(" 项优化内容。正式执行前仍会再次确认。"),
                        number(n)
                            + QStringLiteral(
                                " optimization items are listed. You will confirm again before running them.")));
                else
                    setStatusDetail(text("当前没有需要展示的优化内容。", "There are no optimization items to show."));
            }
            done();
        });
}

void AppModel::runInstallerPreviewBranch(Done done)
{
    const quint64 request = startRequest(ReportSlot::installer);
    const QString homeFolder = home();
    const auto service = m_services.installerPreview;
    whenDone<InstallerPreviewReport>(
        m_relay, [service, homeFolder] { return service(homeFolder); },
        [this, done, request](Outcome<InstallerPreviewReport> outcome) {
            if (isCurrentRequest(ReportSlot::installer, request) && !outcome.value) {
                setInstallerPreviewReport(std::nullopt);
                showFailure(log::installer(), text("安装包预览失败", "Installer Preview Failed"), outcome.error, false);
            } else if (isCurrentRequest(ReportSlot::installer, request)) {
                setInstallerPreviewReport(outcome.value);
                setStatusTitle(text("安装包预览完成", "Installer Preview Complete"));
                const qint64 n = outcome.value ? outcome.value->entries().size() : 0;
                if (n > 0) {
                    const QString size = outcome.value->totalSizeText();
                    setStatusDetail(text(QStringLiteral("发现 ") + number(n) + QStringLiteral(" 个安装包，合计 ") + size
                                             + QStringLiteral("。"),
                                         QStringLiteral("Found ") + number(n)
                                             + QStringLiteral(" installer files, total ") + size
                                             + QStringLiteral(".")));
                } else {
                    setStatusDetail(text("没有发现明显可整理的安装包。", "No obvious installer files were found."));
                }
            }
            done();
        });
}

void AppModel::runPurgePreviewBranch(Done done)
{
    setStatusDetail(text("正在扫描项目目录，请稍等。", "Scanning the project folder, please wait."));
    const quint64 request = startRequest(ReportSlot::purge);
    const QString rootPath = m_scanPath;
    const auto service = m_services.purgePreview;
    whenDone<PurgePreviewReport>(
        m_relay, [service, rootPath] { return service(rootPath); },
        [this, done, request, rootPath](Outcome<PurgePreviewReport> outcome) {
            // A scan of a folder that is no longer the chosen one describes nothing on screen.
            const bool current = isCurrentRequest(ReportSlot::purge, request) && rootPath == m_scanPath;
            if (current && !outcome.value) {
                setPurgePreviewReport(std::nullopt);
                showFailure(log::purge(), text("项目预览失败", "Project Preview Failed"), outcome.error, false);
            } else if (current) {
                setPurgePreviewReport(outcome.value);
                setStatusTitle(text("项目预览完成", "Project Preview Complete"));
                const qint64 n = outcome.value ? outcome.value->entries().size() : 0;
                if (n > 0) {
                    const QString size = outcome.value->totalSizeText();
                    setStatusDetail(text(QStringLiteral("发现 ") + number(n) + QStringLiteral(" 个可整理项目，合计 ")
                                             + size + QStringLiteral("。"),
                                         QStringLiteral("Found ") + number(n) + QStringLiteral(" cleanup items, total ")
                                             + size + QStringLiteral(".")));
                } else {
                    setStatusDetail(text("当前范围里没有明显可整理的项目产物。",
                                         "No obvious cleanup targets were found in this scope."));
                }
            }
            done();
        });
}

// ---------------------------------------------------------------------------------------------
// The Project Cleanup folder

void AppModel::chooseScanPath(const QString& chosenPath)
{
    if (chosenPath.isEmpty())
        return;
    qCInfo(log::purge).noquote() << "folder chosen:" << chosenPath;
    setScanPath(chosenPath);
    setPurgePreviewReport(std::nullopt);
    setRecentScanPaths({});
}

} // namespace roror
