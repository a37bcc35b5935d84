#include "app/model/AppModel.h"

#include "app/model/AppModelInternal.h"
#include "core/model/ScanPathGuard.h"
#include "core/support/Log.h"

#include <QMetaObject>

namespace roror {

using namespace appmodel;

namespace {

// What one guarded move came to. Runs on the Trash thread: it touches only its arguments.
struct MoveOutcome {
    bool moved = false;
    bool refused = false;
    QString error;
};

using TrashMover = std::function<bool(const QString& path, const QString& folder, QString* error)>;
using StopFlag = std::shared_ptr<std::atomic<bool>>;

MoveOutcome guardedMove(const TrashMover& moveToTrash, const QString& path, const QString& home)
{
    MoveOutcome outcome;
    // The move acts on the folder the guard judged, so a folder swapped afterwards fails the item.
    const std::optional<QString> folder = ScanPathGuard::allowedParentFolder(path, home);
    outcome.refused = !folder;
    if (outcome.refused) {
        qCInfo(log::trash).noquote() << "refused by the Trash guard:" << path;
        return outcome;
    }
    try {
        outcome.moved = moveToTrash(path, *folder, &outcome.error);
    } catch (const std::exception& error) {
        outcome.error = QString::fromUtf8(error.what());
        outcome.moved = false;
    } catch (...) {
        outcome.moved = false; // the GUI thread words an unknown error
    }
    if (!outcome.moved)
        qCInfo(log::trash).noquote() << "not moved to Trash:" << path << "-" << outcome.error;
    return outcome;
}

struct UninstallOutcome {
    QSet<QString> removedApps;
    qint64 handled = 0;
    qint64 failed = 0;
};

// The uninstall run: an application's leftovers go only once the application itself is gone, so a
// refused or failed application keeps everything it needs.
UninstallOutcome uninstallEntries(const TrashMover& moveToTrash, const QList<UninstallPreviewReport::Entry>& entries,
                                  const QString& home, const StopFlag& stop)
{
    UninstallOutcome outcome;
    QSet<QString> moved;
    for (const auto& entry : entries) {
        bool appGone = moved.contains(entry.path);
        if (!appGone) {
            if (*stop)
                return outcome;
            if (guardedMove(moveToTrash, entry.path, home).moved) {
                moved.insert(entry.path);
                ++outcome.handled;
                appGone = true;
            } else {
                ++outcome.failed;
            }
        }
        if (!appGone)
            continue;
        outcome.removedApps.insert(entry.path);
        for (const QString& leftover : entry.leftoverPaths) {
            if (moved.contains(leftover))
                continue;
            if (*stop)
                return outcome;
            if (guardedMove(moveToTrash, leftover, home).moved)
                moved.insert(leftover);
            else
                ++outcome.failed;
        }
    }
    return outcome;
}

} // namespace

void AppModel::runTrashJob(std::function<void()> work)
{
    // One mover at a time, in the order asked, so two batches never race for the same item.
    m_trashPool.start(std::move(work));
}

void AppModel::stopTrashMoves()
{
    *m_trashStop = true;
    m_trashPool.clear();
}

template <typename T>
void AppModel::runOnTrashThread(std::function<T()> work, std::function<void(std::optional<T>)> continuation)
{
    const std::shared_ptr<ThreadRelay> relay = m_relay;
    runTrashJob([relay, work = std::move(work), continuation = std::move(continuation)]() mutable {
        std::optional<T> value;
        try {
            value = work();
        } catch (...) {
        }
        relay->post([continuation = std::move(continuation), value = std::move(value)]() mutable {
            continuation(std::move(value));
        });
    });
}

quint64 AppModel::beginTrashRun(AppFeature feature, const QString& title, const QString& detail)
{
    if (m_trashRunsPending++ == 0) {
        m_trashStatusTitle = m_statusTitle;
        m_trashStatusDetail = m_statusDetail;
    }
    const quint64 run = beginRun(feature);
    setStatus(title, detail);
    return run;
}

void AppModel::endTrashRun(quint64 run, const std::optional<std::pair<QString, QString>>& result)
{
    --m_trashRunsPending;
    endRun(run);
    if (result) {
        m_trashStatusTitle = result->first;
        m_trashStatusDetail = result->second;
        setStatus(result->first, result->second);
    } else if (m_trashRunsPending == 0) {
        // A failed move changes nothing: the banner goes back to the last result, never to the
        // progress text of a move that has ended meanwhile.
        setStatus(m_trashStatusTitle, m_trashStatusDetail);
    }
}

QFuture<void> AppModel::uninstallSelectedApps(const QList<UninstallPreviewReport::Entry>& entries)
{
    if (entries.isEmpty()) {
        showAlert(log::uninstall(), text("请先选择要处理的应用。", "Choose the apps you want to process first."));
        return QtFuture::makeReadyFuture();
    }
    return track([this, entries](Done done) {
        QMetaObject::invokeMethod(
            this, [this, entries, done] { performUninstall(entries, done); }, Qt::QueuedConnection);
    });
}

void AppModel::performUninstall(const QList<UninstallPreviewReport::Entry>& entries, Done done)
{
    const quint64 run
        = beginTrashRun(AppFeature::uninstall, text("正在卸载", "Uninstalling"),
                        text("正在处理选中的应用，请稍等。", "Processing the selected apps, please wait."));

    const auto moveToTrash = m_services.moveToTrash;
    const QString homeFolder = home();
    const StopFlag stop = m_trashStop;
    runOnTrashThread<UninstallOutcome>(
        [moveToTrash, entries, homeFolder, stop] { return uninstallEntries(moveToTrash, entries, homeFolder, stop); },
        [this, run, done](std::optional<UninstallOutcome> result) {
            const UninstallOutcome outcome = result.value_or(UninstallOutcome{});
            const qint64 handled = outcome.handled;
            const qint64 failed = outcome.failed;
            if (handled == 0) {
                const QString title = text("没有完成", "Not Completed");
                const QString detail = text("选中的应用没有处理成功。", "The selected apps could not be processed.");
                logShownError(log::uninstall(), title + QStringLiteral(": ") + detail);
                endTrashRun(run, std::pair(title, detail));
                done();
                return;
            }
            // Only applications that really went to the Trash leave the report.
            QList<UninstallPreviewReport::Entry> remaining;
            if (m_uninstallPreviewReport) {
                for (const auto& entry : m_uninstallPreviewReport->entries()) {
                    if (!outcome.removedApps.contains(entry.path))
                        remaining.append(entry);
                }
            }
            setUninstallPreviewReport(UninstallPreviewReport(remaining));
            writeRunSummary({{Persisted::lastUninstallDate, nowSeconds()}, {Persisted::lastUninstallCount, handled}});
            QString detail;
            if (failed == 0)
                detail = text(QStringLiteral("已处理 ") + number(handled) + QStringLiteral(" 个应用项目。"),
                              QStringLiteral("Processed ") + number(handled) + QStringLiteral(" app items."));
            else
                detail = text(QStringLiteral("已处理 ") + number(handled) + QStringLiteral(" 个应用项目，")
                                  + number(failed) + QStringLiteral(" 个没有成功。"),
                              QStringLiteral("Processed ") + number(handled) + QStringLiteral(" app items. ")
                                  + number(failed) + QStringLiteral(" failed."));
            endTrashRun(run, std::pair(text("卸载完成", "Uninstall Complete"), detail));
            done();
        });
}

QFuture<void> AppModel::moveToTrash(const std::optional<QString>& path, AppFeature fromPage)
{
    if (!path)
        return QtFuture::makeReadyFuture();
    // The size is the one the preview knew before the move.
    qint64 size = 0;
    if (m_purgePreviewReport) {
        for (const auto& entry : m_purgePreviewReport->entries()) {
            if (entry.path == *path) {
                size = entry.byteCount;
                break;
            }
        }
    }
    return track([this, path = *path, fromPage, size](Done done) {
        const quint64 run = beginTrashRun(
            fromPage, text("正在移到废纸篓", "Moving to Trash"),
            text("正在把选中的项目移到废纸篓，请稍等。", "Moving the selected items to Trash, please wait."));
        const auto move = m_services.moveToTrash;
        const QString homeFolder = home();
        runOnTrashThread<MoveOutcome>(
            [move, path, homeFolder] { return guardedMove(move, path, homeFolder); },
            [this, run, done, path, fromPage, size](std::optional<MoveOutcome> result) {
                const MoveOutcome outcome = result.value_or(MoveOutcome{});
                if (!outcome.moved) {
                    endTrashRun(run, std::nullopt);
                    if (outcome.refused)
                        showAlert(log::trash(),
                                  text("这个路径不在允许范围内，无法移到废纸篓。",
                                       "This path is outside the allowed scope and cannot be moved to Trash."));
                    else
                        showAlert(log::trash(),
                                  outcome.error.isEmpty() ? text("发生了未知错误。", "An unknown error occurred.")
                                                          : outcome.error);
                    done();
                    return;
                }
                if (m_purgePreviewReport) {
                    QList<PurgePreviewReport::Entry> entries = m_purgePreviewReport->entries();
                    if (entries.removeIf([&path](const auto& entry) { return entry.path == path; }) > 0)
                        setPurgePreviewReport(PurgePreviewReport(m_purgePreviewReport->rootPath(), entries,
                                                                 m_purgePreviewReport->generatedAt()));
                }
                if (fromPage == AppFeature::purge) {
                    writeRunSummary({{Persisted::lastPurgeScanDate, nowSeconds()},
                                     {Persisted::lastPurgeCleanedCount, lastPurgeCleanedCount() + 1},
                                     {Persisted::lastPurgeCleanedBytes, lastPurgeCleanedBytes() + size}});
                }
                endTrashRun(run,
                            std::pair(text("已移到废纸篓", "Moved to Trash"),
                                      text("选中的项目已放入废纸篓。", "The selected item has been moved to Trash.")));
                done();
            });
    });
}

QFuture<void> AppModel::moveInstallersToTrash(const QStringList& paths)
{
    if (paths.isEmpty()) {
        showAlert(log::installer(),
                  text("请先选择要清理的安装包。", "Choose the installer files you want to clean up first."));
        return QtFuture::makeReadyFuture();
    }
    struct BatchOutcome {
        QSet<QString> moved;
        qint64 failed = 0;
    };
    return track([this, paths](Done done) {
        const quint64 run = beginTrashRun(
            AppFeature::installer, text("正在移到废纸篓", "Moving to Trash"),
            text("正在把选中的项目移到废纸篓，请稍等。", "Moving the selected items to Trash, please wait."));
        const auto move = m_services.moveToTrash;
        const QString homeFolder = home();
        const StopFlag stop = m_trashStop;
        runOnTrashThread<BatchOutcome>(
            [move, paths, homeFolder, stop] {
                BatchOutcome outcome;
                for (const QString& path : paths) {
                    if (*stop)
                        break;
                    if (guardedMove(move, path, homeFolder).moved)
                        outcome.moved.insert(path);
                    else
                        ++outcome.failed;
                }
                return outcome;
            },
            [this, run, done, paths](std::optional<BatchOutcome> result) {
                BatchOutcome outcome = result.value_or(BatchOutcome{});
                if (!result)
                    outcome.failed = paths.size();
                const qint64 failed = outcome.failed;
                const qint64 movedCount = static_cast<qint64>(paths.size()) - failed;
                if (movedCount == 0) {
                    const QString title = text("没有完成", "Not Completed");
                    const QString detail
                        = text("选中的安装包没有移动成功。", "The selected installer files could not be moved.");
                    logShownError(log::installer(), title + QStringLiteral(": ") + detail);
                    endTrashRun(run, std::pair(title, detail));
                    done();
                    return;
                }
                // Only what really went to the Trash leaves the report and counts as freed.
                qint64 freed = 0;
                QList<InstallerPreviewReport::Entry> remaining;
                if (m_installerPreviewReport) {
                    for (const auto& entry : m_installerPreviewReport->entries()) {
                        if (outcome.moved.contains(entry.path))
                            freed += entry.byteCount;
                        else
                            remaining.append(entry);
                    }
                }
                setInstallerPreviewReport(InstallerPreviewReport(remaining, m_services.now()));
                writeRunSummary({{Persisted::lastInstallerScanDate, nowSeconds()},
                                 {Persisted::lastInstallerCleanedCount, movedCount},
                                 {Persisted::lastInstallerCleanedBytes, freed}});
                QString detail;
                if (failed == 0)
                    detail = text(QStringLiteral("已移动 ") + number(movedCount) + QStringLiteral(" 个安装包。"),
                                  QStringLiteral("Moved ") + number(movedCount) + QStringLiteral(" installer files."));
                else
                    detail = text(QStringLiteral("已移动 ") + number(movedCount) + QStringLiteral(" 个安装包，")
                                      + number(failed) + QStringLiteral(" 个没有成功。"),
                                  QStringLiteral("Moved ") + number(movedCount) + QStringLiteral(" installer files. ")
                                      + number(failed) + QStringLiteral(" failed."));
                endTrashRun(run, std::pair(text("已移到废纸篓", "Moved to Trash"), detail));
                done();
            });
    });
}

} // namespace roror
