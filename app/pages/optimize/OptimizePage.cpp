#include "app/pages/optimize/OptimizePage.h"

#include "app/kit/KitText.h"
#include "app/kit/RelativeDateText.h"
#include "app/model/AppModel.h"
#include "core/engines/optimize/OptimizePreviewCatalog.h"
#include "core/model/AppActionFactory.h"
#include "core/model/LocalizationSettings.h"

namespace roror {

OptimizePage::OptimizePage(QObject* parent)
    : RunReportPage(AppFeature::optimize, parent)
{
}

void OptimizePage::connectModel(AppModel& model)
{
    connect(&model, &AppModel::optimizePreviewReportChanged, this, &OptimizePage::reportChanged);
    connect(&model, &AppModel::lastOptimizeDateChanged, this, &OptimizePage::lastRunChanged);
    connect(&model, &AppModel::lastOptimizeCountChanged, this, &OptimizePage::lastRunChanged);
}

void OptimizePage::reportChanged()
{
    const auto report = model() ? model()->optimizePreviewReport() : std::nullopt;
    m_rows.setEntries(report ? report->entries : QList<OptimizePreviewReport::Entry>{});
    announceReport();
}

bool OptimizePage::hasReport() const
{
    return model() && model()->optimizePreviewReport().has_value();
}

bool OptimizePage::reportIsEmpty() const
{
    return !hasReport() || model()->optimizePreviewReport()->entries.isEmpty();
}

bool OptimizePage::hasOptimized() const
{
    return model() && model()->lastOptimizeDate() > 0;
}

QString OptimizePage::headerSymbol() const
{
    return hasOptimized() ? QStringLiteral("clock.arrow.circlepath") : QStringLiteral("speedometer");
}

QString OptimizePage::lastOptimizeText() const
{
    if (!model())
        return {};
    return PageLines::lastRunLine(PageLines::LastRun::optimize, model()->lastOptimizeDate(),
                                  model()->lastOptimizeCount(), now(),
                                  LocalizationSettings::shared().resolvedLanguage(), RelativeDateText::systemLanguage())
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
    if (model())
        model()->request(AppActionFactory::optimize(true, debug));
}

void OptimizePage::startOptimizing()
{
    if (model())
        model()->request(AppActionFactory::optimize(false, debug));
}

void OptimizePage::openSafeguards()
{
    if (model())
        model()->request(AppActionFactory::optimizeWhitelist());
}

} // namespace roror
