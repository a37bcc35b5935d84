#include "app/pages/installer/InstallerPage.h"

#include "app/model/AppModel.h"
#include "app/pages/installer/InstallerTexts.h"
#include "core/engines/installer/LocalInstallerPreview.h"
#include "core/model/AppActionFactory.h"
#include "core/model/LocalizationSettings.h"
#include "app/kit/RelativeDateText.h"
#include "core/model/SizeText.h"

#include <QDir>

namespace roror {

namespace {
AppResolvedLanguage language()
{
    return LocalizationSettings::shared().resolvedLanguage();
}
} // namespace

InstallerPage::InstallerPage(QObject* parent)
    : PathSelectionPage(AppFeature::installer, parent)
{
    m_entries = new InstallerEntryModel([this](const QString& path) { return isSelected(path); }, this);
    readScanLocations();
}

void InstallerPage::attach()
{
    if (AppModel* m = model()) {
        connect(m, &AppModel::installerPreviewReportChanged, this, &InstallerPage::reportArrived);
        connect(m, &AppModel::lastInstallerScanDateChanged, this, &InstallerPage::lastRunChanged);
        connect(m, &AppModel::lastInstallerCleanedCountChanged, this, &InstallerPage::lastRunChanged);
        connect(m, &AppModel::lastInstallerCleanedBytesChanged, this, &InstallerPage::lastRunChanged);
    }
    reportArrived();
    emit lastRunChanged();
}

void InstallerPage::languageChanged()
{
    m_entries->textsChanged();
    readScanLocations();
    emit reportChanged();
    emit lastRunChanged();
    emit selectionChanged();
}

void InstallerPage::readScanLocations()
{
    QStringList sources;
    for (const auto& location :
         LocalInstallerPreview::availableScanLocations(QDir::homePath(), QStringLiteral("/Users/Shared"))) {
        if (location.exists)
            sources.append(location.source);
    }
    m_scanLocationSources = sources;
    emit scanLocationsChanged();
}

QStringList InstallerPage::reportPaths() const
{
    QStringList paths;
    if (model()) {
        if (const auto report = model()->installerPreviewReport()) {
            for (const auto& entry : report->entries())
                paths.append(entry.path);
        }
    }
    return paths;
}

void InstallerPage::reportArrived()
{
    const auto report = model() ? model()->installerPreviewReport() : std::nullopt;
    m_entries->setEntries(report ? report->entries() : QList<InstallerPreviewReport::Entry>{});
    pruneSelectionToNewReport();
    // The card shows what exists now; a scan is when that is most likely to have changed.
    readScanLocations();
    emit reportChanged();
    emit selectionChanged();
}

bool InstallerPage::hasReport() const
{
    return model() && model()->installerPreviewReport().has_value();
}

QString InstallerPage::summaryText() const
{
    const auto report = model() ? model()->installerPreviewReport() : std::nullopt;
    const InstallerPreviewReport shown = report.value_or(InstallerPreviewReport{});
    return InstallerTexts::summaryText(shown.entries().size(), shown.totalSizeText(), isSelecting(), language());
}

bool InstallerPage::hasLastScan() const
{
    return model() && model()->lastInstallerScanDate() > 0;
}

QString InstallerPage::lastScanText() const
{
    if (!model())
        return QString();
    return InstallerTexts::lastScanText(model()->lastInstallerScanDate(), model()->lastInstallerCleanedCount(),
                                        model()->lastInstallerCleanedBytes(), now(), language(),
                                        RelativeDateText::systemLanguage())
        .value_or(QString());
}

qint64 InstallerPage::selectedBytes() const
{
    qint64 total = 0;
    for (const auto& entry : m_entries->entries()) {
        if (isSelected(entry.path))
            total += entry.byteCount;
    }
    return total;
}

QString InstallerPage::selectedSizeText() const
{
    return SizeText::bytes(selectedBytes());
}

QString InstallerPage::selectionLine() const
{
    return InstallerTexts::selectionLine(selectedPaths().size(), selectedSizeText(), language());
}

QString InstallerPage::filterCountText() const
{
    return InstallerTexts::filterCountText(selectedPaths().size(), language());
}

void InstallerPage::setShowingDeleteConfirmation(bool showing)
{
    if (showing == m_showingDeleteConfirmation)
        return;
    m_showingDeleteConfirmation = showing;
    emit showingDeleteConfirmationChanged();
}

QString InstallerPage::confirmationMessage() const
{
    return InstallerTexts::confirmationMessage(selectedPaths().size(), selectedSizeText(), language());
}

QString InstallerPage::contractSubtitle() const
{
    return InstallerTexts::contractSubtitle(m_scanLocationSources.size(), language());
}

QStringList InstallerPage::fileTypeTexts() const
{
    QStringList texts;
    for (const QString& extension : LocalInstallerPreview::scannedFileExtensions())
        texts.append(QLatin1Char('.') + extension);
    return texts;
}

QStringList InstallerPage::selectedPathList() const
{
    QStringList paths;
    QSet<QString> left = selectedPaths();
    for (const auto& entry : m_entries->entries()) {
        if (left.remove(entry.path))
            paths.append(entry.path);
    }
    QStringList rest(left.cbegin(), left.cend());
    rest.sort();
    return paths + rest;
}

void InstallerPage::preview()
{
    if (model())
        model()->request(AppActionFactory::installer(true, false));
}

void InstallerPage::enterInstallerSelection()
{
    setSelecting(true);
    const auto report = model() ? model()->installerPreviewReport() : std::nullopt;
    if (!report || report->entries().isEmpty()) {
        setSelection({});
        preview();
        return;
    }
    keepListedSelection();
}

void InstallerPage::requestDelete()
{
    setShowingDeleteConfirmation(true);
}

void InstallerPage::confirmDelete()
{
    // The alert's button is disabled with nothing selected; a stray call moves nothing.
    if (selectedPaths().isEmpty())
        return;
    const QStringList paths = selectedPathList();
    setShowingDeleteConfirmation(false);
    if (model())
        model()->moveInstallersToTrash(paths);
    setSelection({});
    setSelecting(false);
}

void InstallerPage::cancelDelete()
{
    setShowingDeleteConfirmation(false);
}

} // namespace roror
