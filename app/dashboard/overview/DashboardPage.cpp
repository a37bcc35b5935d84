#include "app/dashboard/overview/DashboardPage.h"

#include "app/dashboard/DashboardText.h"
#include "app/dashboard/VariantList.h"
#include "app/dashboard/processes/FileManagerReveal.h"
#include "app/dashboard/skeleton/SkeletonStatusCardKind.h"
#include "core/model/LocalizationSettings.h"
#include "core/status/ProcessControl.h"

#include <QSysInfo>

namespace roror {

DashboardPage::DashboardPage(QObject* parent)
    : QObject(parent)
    , m_startTimes([] { return ProcessControl::listedStartTimes(); })
    , m_revealer([](const QString& path) { FileManagerReveal::reveal(path); })
    , m_localHostName(QSysInfo::machineHostName())
{
    connect(&LocalizationSettings::shared(), &LocalizationSettings::preferenceChanged, this, [this] {
        m_processes.setLanguage(language());
        rebuildAll();
        emit languageChanged();
        emit skeletonStatusTextChanged();
        emit forceQuitChanged();
    });
    m_rebuild.setSingleShot(true);
    m_rebuild.setInterval(0);
    connect(&m_rebuild, &QTimer::timeout, this, &DashboardPage::rebuildAll);
    connect(&m_processes, &ProcessUsageListModel::countChanged, this, &DashboardPage::processCountChanged);
    m_processes.setLanguage(language());
    m_hero.language = language();
    m_hero.hostSummary = DashboardView::hostSummary(std::nullopt, language(), m_localHostName);
}

DashboardPage::~DashboardPage()
{
    if (m_live && m_model)
        m_model->stopDashboardLiveStatus();
}

AppResolvedLanguage DashboardPage::language() const
{
    return DashboardText::currentLanguage();
}

void DashboardPage::setModel(AppModel* model)
{
    if (model == m_model)
        return;
    for (const auto& connection : std::as_const(m_modelConnections))
        disconnect(connection);
    m_modelConnections.clear();
    if (m_live && m_model)
        m_model->stopDashboardLiveStatus();
    m_model = model;
    if (m_model) {
        const auto later = [this] { m_rebuild.start(); };
        m_modelConnections = {
            connect(m_model, &AppModel::statusReportChanged, this, later),
            connect(m_model, &AppModel::processUsageChanged, this, later),
            connect(m_model, &AppModel::isLiveStatusActiveChanged, this, later),
            // The skeleton's line shows only until the first report; after that, telling it of each
            // refresh would lay out and draw a hidden text twice a refresh.
            connect(m_model, &AppModel::isRefreshingStatusChanged, this,
                    [this] {
                        if (!m_hasReport)
                            emit skeletonStatusTextChanged();
                    }),
            connect(m_model, &QObject::destroyed, this,
                    [this] {
                        // The pointer is already cleared here; forget the connections and show nothing.
                        m_modelConnections.clear();
                        rebuildAll();
                        emit modelChanged();
                    }),
        };
        if (m_live)
            startLiveWhenShown();
    }
    rebuildAll();
    emit modelChanged();
    emit skeletonStatusTextChanged();
}

void DashboardPage::setLive(bool live)
{
    if (live == m_live)
        return;
    m_live = live;
    if (live) {
        // Shown anew: the page's own choices start from their defaults.
        resetPageState();
        startLiveWhenShown();
    } else if (m_model) {
        m_model->stopDashboardLiveStatus();
    }
    emit liveChanged();
}

void DashboardPage::setWindow(QQuickWindow* window)
{
    if (window == m_window)
        return;
    disconnect(m_firstFrame);
    m_window = window;
    m_windowDrawn = false;
    if (m_window) {
        // Swapped on the render thread where there is one; the start runs back on this one.
        m_firstFrame = connect(
            m_window, &QQuickWindow::frameSwapped, this,
            [this] {
                disconnect(m_firstFrame);
                m_windowDrawn = true;
                startLiveWhenShown();
            },
            Qt::QueuedConnection);
    }
    emit windowChanged();
}

void DashboardPage::classBegin()
{
    m_completing = true;
}

void DashboardPage::componentComplete()
{
    m_completing = false;
    startLiveWhenShown();
}

void DashboardPage::startLiveWhenShown()
{
    if (!m_completing && m_live && m_model && (!m_window || m_windowDrawn))
        m_model->runDashboardLiveStatus();
}

void DashboardPage::resetPageState()
{
    setProcessSort(ProcessUsageSort::cpu);
    if (m_forceQuitTarget) {
        m_forceQuitTarget.reset();
        emit forceQuitChanged();
    }
}

void DashboardPage::setProcessSort(ProcessUsageSort sort)
{
    if (sort == m_sort)
        return;
    m_sort = sort;
    rebuildProcesses();
    emit processSortChanged();
}

void DashboardPage::setProcessSortRaw(const QString& raw)
{
    if (const auto sort = processUsageSortFromRaw(raw))
        setProcessSort(*sort);
}

void DashboardPage::rebuildAll()
{
    m_rebuild.stop();
    // The hero takes its figures while still hidden, so a first snapshot shows its ring in place
    // instead of sweeping up from nothing. The cards come after: a hidden grid layout would keep
    // laying out the cards a new list replaced.
    rebuildHero();
    updateHasReport();
    rebuildCards();
    rebuildProcesses();
}

void DashboardPage::updateHasReport()
{
    const bool has = m_model && m_model->statusReport().has_value();
    if (has == m_hasReport)
        return;
    m_hasReport = has;
    emit hasReportChanged();
    emit skeletonStatusTextChanged();
}

void DashboardPage::rebuildCards()
{
    if (!m_model) {
        m_cards.setCards({});
        return;
    }
    m_cards.setCards(DashboardView::statusCards(m_model->statusReport(), m_model->processUsage(), language()));
}

void DashboardPage::rebuildHero()
{
    OverviewHeroCard hero;
    hero.language = language();
    const std::optional<SystemReport> report = m_model ? m_model->statusReport() : std::nullopt;
    if (report) {
        hero.score = report->healthScore;
        hero.uptime = report->uptime;
    }
    hero.availableDiskText = DashboardView::availableDiskText(report, hero.language);
    hero.isLive = m_model && m_model->isLiveStatusActive();
    hero.hostSummary = DashboardView::hostSummary(report, hero.language, m_localHostName);
    if (hero == m_hero)
        return;
    m_hero = hero;
    emit heroChanged();
}

void DashboardPage::rebuildProcesses()
{
    if (!m_model) {
        m_processes.setEntries({});
        return;
    }
    const QList<SystemReport::ProcessInfo> rows
        = DashboardView::processRows(m_model->processUsage(), m_model->statusReport(), m_sort);
    m_processes.setEntries(ProcessUsageRow::entries(rows, m_startTimes()));
}

QString DashboardPage::forceQuitMessage() const
{
    if (!m_forceQuitTarget)
        return QString();
    return DashboardView::forceQuitMessage(m_forceQuitTarget->process.name, language());
}

QVariantList DashboardPage::skeletonCards() const
{
    return variantList(DashboardStatusSkeleton::cards(language()));
}

QString DashboardPage::skeletonStatusText() const
{
    return DashboardStatusSkeleton::statusText(m_model && m_model->isRefreshingStatus(), language());
}

void DashboardPage::quit(int row)
{
    if (const auto entry = m_processes.entry(row); entry && !entry->ended)
        end(*entry, false);
}

void DashboardPage::requestForceQuit(int row)
{
    const auto entry = m_processes.entry(row);
    if (!entry || entry->ended)
        return;
    m_forceQuitTarget = entry;
    emit forceQuitChanged();
}

void DashboardPage::confirmForceQuit()
{
    if (!m_forceQuitTarget)
        return;
    const ProcessUsageEntry target = *m_forceQuitTarget;
    end(target, true);
    m_forceQuitTarget.reset();
    emit forceQuitChanged();
}

void DashboardPage::cancelForceQuit()
{
    if (!m_forceQuitTarget)
        return;
    m_forceQuitTarget.reset();
    emit forceQuitChanged();
}

void DashboardPage::end(const ProcessUsageEntry& entry, bool force)
{
    if (!m_model)
        return;
    if (entry.process.pid) {
        const QHash<qint64, quint64> listed = m_startTimes();
        const auto now = listed.constFind(*entry.process.pid);
        const std::optional<quint64> listedNow = now != listed.constEnd() ? std::optional<quint64>(*now) : std::nullopt;
        if (!ProcessUsageRow::isSameProcess(entry.startTime, listedNow)) {
            // The process the user saw has ended, and its pid may belong to another one by now.
            m_model->setAlertMessage(ProcessControl::Failure::noSuchProcess().errorDescription());
            return;
        }
    }
    m_model->terminateProcess(entry.process, force);
}

void DashboardPage::reveal(int row)
{
    const auto entry = m_processes.entry(row);
    if (entry && entry->process.command)
        m_revealer(*entry->process.command);
}

bool DashboardPage::canReveal(int row) const
{
    const auto entry = m_processes.entry(row);
    return entry && ProcessUsageRow::hasRevealPath(entry->process);
}

void DashboardPage::setStartTimeSource(std::function<QHash<qint64, quint64>()> source)
{
    m_startTimes = std::move(source);
    rebuildProcesses();
}

void DashboardPage::setRevealer(std::function<void(const QString&)> revealer)
{
    m_revealer = std::move(revealer);
}

} // namespace roror
