#include "app/pages/optimize/OptimizePage.h"

#include "app/kit/PageLines.h"
#include "app/kit/RelativeDateText.h"
#include "app/model/AppModel.h"
#include "core/engines/optimize/OptimizePreviewCatalog.h"
#include "core/model/AppActionFactory.h"
#include "core/model/LocalizationSettings.h"

namespace roror {

OptimizePage::OptimizePage(QObject* parent)
    : QObject(parent)
{
    m_clockTimer.setInterval(30 * 1000);
    connect(&m_clockTimer, &QTimer::timeout, this, &OptimizePage::lastRunChanged);
    connect(&LocalizationSettings::shared(), &LocalizationSettings::preferenceChanged, this, [this] {
        emit lastRunChanged();
        emit summaryChanged();
    });
}

void OptimizePage::setModel(AppModel* model)
{
    if (model == m_model)
        return;
    for (const auto& c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    m_model = model;
    if (m_model) {
        m_connections << connect(m_model, &AppModel::isRunningChanged, this, &OptimizePage::stateChanged)
                      << connect(m_model, &AppModel::runningFeatureChanged, this, &OptimizePage::stateChanged)
                      << connect(m_model, &AppModel::optimizePreviewReportChanged, this, &OptimizePage::reportChanged)
                      << connect(m_model, &AppModel::lastOptimizeDateChanged, this, &OptimizePage::lastRunChanged)
                      << connect(m_model, &AppModel::lastOptimizeCountChanged, this, &OptimizePage::lastRunChanged);
    }
    reportChanged();
    emit lastRunChanged();
    emit modelChanged();
}

void OptimizePage::setActive(bool active)
{
    if (active == m_active)
        return;
    m_active = active;
    if (m_active) {
        m_clockTimer.start();
        emit lastRunChanged();
    } else {
        m_clockTimer.stop();
    }
    emit activeChanged();
}

void OptimizePage::reportChanged()
{
    const auto report = m_model ? m_model->optimizePreviewReport() : std::nullopt;
    m_rows.setEntries(report ? report->entries : QList<OptimizePreviewReport::Entry>{});
    emit stateChanged();
    emit summaryChanged();
}

bool OptimizePage::busy() const
{
    return m_model && m_model->isRunning() && m_model->runningFeature() == AppFeature::optimize;
}

bool OptimizePage::hasReport() const
{
    return m_model && m_model->optimizePreviewReport().has_value();
}

bool OptimizePage::reportIsEmpty() const
{
    return !hasReport() || m_model->optimizePreviewReport()->entries.isEmpty();
}

bool OptimizePage::hasOptimized() const
{
    return m_model && m_model->lastOptimizeDate() > 0;
}

QString OptimizePage::headerSymbol() const
{
    return hasOptimized() ? QStringLiteral("clock.arrow.circlepath") : QStringLiteral("speedometer");
}

QString OptimizePage::lastOptimizeText() const
{
    if (!m_model)
        return {};
    return PageLines::lastRunLine(PageLines::LastRun::optimize, m_model->lastOptimizeDate(), m_model->lastOptimizeCount(),
                                  clock(), LocalizationSettings::shared().resolvedLanguage(),
                                  RelativeDateText::systemLanguage())
        .value_or(QString());
}

QString OptimizePage::summaryText() const
{
    return summaryText(m_rows.count(), LocalizationSettings::shared().resolvedLanguage());
}

QString OptimizePage::contractSubtitle() const
{
    return contractSubtitle(OptimizePreviewCatalog::items().size(), LocalizationSettings::shared().resolvedLanguage());
}

QString OptimizePage::summaryText(qsizetype entryCount, AppResolvedLanguage language)
{
    const QString n = QString::number(entryCount);
    if (language == AppResolvedLanguage::chinese)
        return n + QStringLiteral(" 项，正式执行前仍会再次确认。");
    return n + QStringLiteral(" items. You will confirm again before running them.");
}

QString OptimizePage::contractSubtitle(qsizetype checkCount, AppResolvedLanguage language)
{
    const QString n = QString::number(checkCount);
    if (language == AppResolvedLanguage::chinese)
        return QStringLiteral("共 ") + n + QStringLiteral(" 项检查");
    return n + QStringLiteral(" checks available");
}

void OptimizePage::preview()
{
    if (m_model)
        m_model->request(AppActionFactory::optimize(true, debug));
}

void OptimizePage::startOptimizing()
{
    if (m_model)
        m_model->request(AppActionFactory::optimize(false, debug));
}

void OptimizePage::openSafeguards()
{
    if (m_model)
        m_model->request(AppActionFactory::optimizeWhitelist());
}

} // namespace roror
