#include "app/pages/purge/PurgePage.h"

#include "app/model/AppModel.h"
#include "app/pages/common/FileActions.h"
#include "app/pages/purge/PurgeTexts.h"
#include "core/engines/purge/LocalPurgePreview.h"
#include "core/model/AppActionFactory.h"
#include "core/model/LocalizationSettings.h"
#include "app/kit/RelativeDateText.h"

#include <QFutureWatcher>

namespace roror {

namespace {
AppResolvedLanguage language()
{
    return LocalizationSettings::shared().resolvedLanguage();
}
} // namespace

PurgePage::PurgePage(QObject* parent)
    : FeaturePage(AppFeature::purge, parent)
    , m_entries(new PurgeEntryModel(this))
{
}

void PurgePage::attach()
{
    if (AppModel* m = model()) {
        connect(m, &AppModel::purgePreviewReportChanged, this, &PurgePage::reportArrived);
        connect(m, &AppModel::scanPathChanged, this, &PurgePage::scanPathChanged);
        connect(m, &AppModel::lastPurgeScanDateChanged, this, &PurgePage::lastRunChanged);
        connect(m, &AppModel::lastPurgeCleanedCountChanged, this, &PurgePage::lastRunChanged);
        connect(m, &AppModel::lastPurgeCleanedBytesChanged, this, &PurgePage::lastRunChanged);
    }
    reportArrived();
    emit scanPathChanged();
    emit lastRunChanged();
}

void PurgePage::languageChanged()
{
    m_entries->textsChanged();
    emit reportChanged();
    emit lastRunChanged();
    emit languageSwitched();
}

void PurgePage::reportArrived()
{
    const auto report = model() ? model()->purgePreviewReport() : std::nullopt;
    m_entries->setEntries(report ? report->entries() : QList<PurgePreviewReport::Entry>{});
    emit reportChanged();
}

bool PurgePage::hasReport() const
{
    return model() && model()->purgePreviewReport().has_value();
}

QString PurgePage::summaryText() const
{
    const auto report = model() ? model()->purgePreviewReport() : std::nullopt;
    const PurgePreviewReport shown = report.value_or(PurgePreviewReport{});
    return PurgeTexts::summaryText(shown.entries().size(), shown.totalSizeText(), language());
}

QString PurgePage::scanPath() const
{
    return model() ? model()->scanPath() : QString();
}

QUrl PurgePage::scanFolderUrl() const
{
    const QString path = scanPath();
    return path.isEmpty() ? QUrl() : QUrl::fromLocalFile(path);
}

bool PurgePage::hasLastPurge() const
{
    return model() && model()->lastPurgeScanDate() > 0;
}

QString PurgePage::lastPurgeText() const
{
    if (!model())
        return QString();
    return PurgeTexts::lastPurgeText(model()->lastPurgeScanDate(), model()->lastPurgeCleanedCount(),
                                     model()->lastPurgeCleanedBytes(), now(), language(),
                                     RelativeDateText::systemLanguage())
        .value_or(QString());
}

QString PurgePage::contractSubtitle() const
{
    return PurgeTexts::contractSubtitle(LocalPurgePreview::targetDirectoryNames().size(), language());
}

QStringList PurgePage::contractTargetNames() const
{
    return PurgeTexts::contractTargetNames();
}

const PurgePreviewReport::Entry* PurgePage::entryAt(int row) const
{
    const auto& entries = m_entries->entries();
    if (row < 0 || row >= entries.size())
        return nullptr;
    return &entries.at(row);
}

void PurgePage::preview()
{
    if (model())
        model()->request(AppActionFactory::purge(true, false));
}

void PurgePage::chooseScanFolder(const QUrl& folder)
{
    const QString path = folder.isLocalFile() ? folder.toLocalFile() : QString();
    if (model() && !path.isEmpty())
        model()->chooseScanPath(path);
}

void PurgePage::reveal(int row)
{
    if (const auto* entry = entryAt(row); entry && !entry->path.isEmpty())
        FileActions::reveal(entry->path);
}

void PurgePage::open(int row)
{
    if (const auto* entry = entryAt(row); entry && !entry->path.isEmpty())
        FileActions::open(entry->path);
}

void PurgePage::setPendingTrash(const std::optional<PurgePreviewReport::Entry>& entry)
{
    m_pendingTrash = entry;
    emit pendingTrashChanged();
}

void PurgePage::askTrash(int row)
{
    if (const auto* entry = entryAt(row); entry && !entry->path.isEmpty())
        setPendingTrash(*entry);
}

void PurgePage::cancelTrash()
{
    setPendingTrash(std::nullopt);
}

void PurgePage::confirmTrash()
{
    const std::optional<QString> path = m_pendingTrash ? std::optional<QString>(m_pendingTrash->path) : std::nullopt;
    setPendingTrash(std::nullopt);
    if (!model())
        return;
    // A fresh preview of the same folder follows every confirmed move, also a failed one, once the
    // move (which runs off the GUI thread) is done, so the new list never shows the folder again.
    auto* watcher = new QFutureWatcher<void>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher] {
        watcher->deleteLater();
        preview();
    });
    watcher->setFuture(model()->moveToTrash(path, AppFeature::purge));
}

} // namespace roror
