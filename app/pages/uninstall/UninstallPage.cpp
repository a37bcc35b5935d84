#include "app/pages/uninstall/UninstallPage.h"

#include "app/model/AppModel.h"
#include "app/pages/uninstall/AppIconProvider.h"
#include "app/pages/uninstall/UninstallTexts.h"
#include "core/model/AppActionFactory.h"
#include "core/model/LocalizationSettings.h"
#include "app/kit/RelativeDateText.h"

#include <QQmlEngine>

namespace roror {

namespace {
AppResolvedLanguage language()
{
    return LocalizationSettings::shared().resolvedLanguage();
}
} // namespace

UninstallPage::UninstallPage(QObject* parent)
    : PathSelectionPage(AppFeature::uninstall, parent)
{
    m_entries = new UninstallEntryModel([this](const QString& path) { return isSelected(path); },
                                        [this] { return now(); }, this);
}

void UninstallPage::classBegin()
{
    AppIconProvider::install(qmlEngine(this));
}

void UninstallPage::attach()
{
    if (AppModel* m = model()) {
        connect(m, &AppModel::uninstallPreviewReportChanged, this, &UninstallPage::reportArrived);
        connect(m, &AppModel::lastUninstallDateChanged, this, &UninstallPage::lastRunChanged);
        connect(m, &AppModel::lastUninstallCountChanged, this, &UninstallPage::lastRunChanged);
    }
    reportArrived();
    emit lastRunChanged();
}

void UninstallPage::languageChanged()
{
    m_entries->textsChanged();
    emit reportChanged();
    emit lastRunChanged();
    emit selectionChanged();
}

void UninstallPage::busyStateChanged()
{
    // The list gives way to the busy strip and comes back as a new panel, in its first order.
    if (busy())
        setSort({});
}

bool UninstallPage::hasReport() const
{
    return model() && model()->uninstallPreviewReport().has_value();
}

QStringList UninstallPage::reportPaths() const
{
    QStringList paths;
    if (model()) {
        if (const auto report = model()->uninstallPreviewReport()) {
            paths.reserve(report->entries().size());
            for (const auto& entry : report->entries())
                paths.append(entry.path);
        }
    }
    return paths;
}

void UninstallPage::reportArrived()
{
    const std::optional<UninstallPreviewReport> report = model() ? model()->uninstallPreviewReport() : std::nullopt;
    if (!report)
        m_sort = {};
    m_entries->setEntries(report ? sortedUninstallEntries(report->entries(), m_sort)
                                 : QList<UninstallPreviewReport::Entry>{});

    pruneSelectionToNewReport();
    emit reportChanged();
    emit sortChanged();
    emit selectionChanged();
}

QString UninstallPage::summaryText() const
{
    return UninstallTexts::summaryText(entryCount(), language());
}

bool UninstallPage::hasLastUninstall() const
{
    return model() && model()->lastUninstallDate() > 0;
}

QString UninstallPage::lastUninstallText() const
{
    if (!model())
        return QString();
    return UninstallTexts::lastUninstallText(model()->lastUninstallDate(), model()->lastUninstallCount(), now(),
                                             language(), RelativeDateText::systemLanguage())
        .value_or(QString());
}

QString UninstallPage::selectionCountText() const
{
    return UninstallTexts::selectionCountText(selectedPaths().size(), language());
}

void UninstallPage::setShowingUninstallConfirmation(bool showing)
{
    if (showing == m_showingUninstallConfirmation)
        return;
    m_showingUninstallConfirmation = showing;
    emit showingUninstallConfirmationChanged();
}

QList<UninstallPreviewReport::Entry> UninstallPage::selectedEntries() const
{
    QList<UninstallPreviewReport::Entry> chosen;
    if (!model())
        return chosen;
    if (const auto report = model()->uninstallPreviewReport()) {
        for (const auto& entry : report->entries()) {
            if (isSelected(entry.path))
                chosen.append(entry);
        }
    }
    return chosen;
}

QString UninstallPage::confirmationMessage() const
{
    QStringList names;
    for (const auto& entry : selectedEntries())
        names.append(entry.name);
    return UninstallTexts::confirmationMessage(names, language());
}

UninstallPage::SortKey UninstallPage::sortKey() const
{
    return m_sort.key == UninstallSortKey::size ? SortKey::Size : SortKey::LastOpened;
}

UninstallPage::SortDirection UninstallPage::sortDirection() const
{
    return m_sort.direction == UninstallSortDirection::descending ? SortDirection::Descending
                                                                  : SortDirection::Ascending;
}

void UninstallPage::preview()
{
    if (model())
        model()->request(AppActionFactory::uninstall(true, false));
}

void UninstallPage::enterUninstallSelection()
{
    setSelecting(true);
    if (model() && !model()->uninstallPreviewReport())
        preview();
}

void UninstallPage::requestUninstall()
{
    setShowingUninstallConfirmation(true);
}

void UninstallPage::toggleLastOpenedSort()
{
    setSort(m_sort.toggledLastOpened());
}

void UninstallPage::toggleSizeSort()
{
    setSort(m_sort.toggledSize());
}

void UninstallPage::setSort(UninstallSortState sort)
{
    if (sort == m_sort)
        return;
    m_sort = sort;
    if (model()) {
        if (const auto report = model()->uninstallPreviewReport())
            m_entries->reorder(sortedUninstallEntries(report->entries(), m_sort));
    }
    emit sortChanged();
}

void UninstallPage::confirmUninstall()
{
    // Continue is disabled with nothing selected; a stray call asks nothing and moves nothing.
    if (selectedPaths().isEmpty())
        return;
    const QList<UninstallPreviewReport::Entry> chosen = selectedEntries();
    setShowingUninstallConfirmation(false);
    if (model())
        model()->uninstallSelectedApps(chosen);
    setSelection({});
    setSelecting(false);
}

void UninstallPage::cancelUninstall()
{
    setShowingUninstallConfirmation(false);
}

} // namespace roror
