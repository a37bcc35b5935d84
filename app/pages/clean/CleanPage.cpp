#include "app/pages/clean/CleanPage.h"

#include "app/kit/KitText.h"
#include "app/kit/RelativeDateText.h"
#include "app/model/AppModel.h"
#include "core/model/AppActionFactory.h"
#include "core/model/LocalizationSettings.h"

#include <QFontMetricsF>
#include <algorithm>

namespace roror {

CleanPage::CleanPage(QObject* parent)
    : RunReportPage(AppFeature::clean, parent)
{
}

void CleanPage::setAccentColor(const QColor& color)
{
    if (color == m_rows.accentColor())
        return;
    m_rows.setAccentColor(color);
    emit paletteChanged();
}

void CleanPage::setMutedColor(const QColor& color)
{
    if (color == m_rows.mutedColor())
        return;
    m_rows.setMutedColor(color);
    emit paletteChanged();
}

void CleanPage::connectModel(AppModel& model)
{
    connect(&model, &AppModel::cleanPreviewReportChanged, this, &CleanPage::reportChanged);
    connect(&model, &AppModel::lastCleanDateChanged, this, &CleanPage::lastRunChanged);
    connect(&model, &AppModel::lastCleanCountChanged, this, &CleanPage::lastRunChanged);
}

void CleanPage::reportChanged()
{
    const auto report = model() ? model()->cleanPreviewReport() : std::nullopt;
    m_rows.setEntries(report ? report->entries : QList<CleanPreviewReport::Entry>{});
    announceReport();
}

bool CleanPage::hasReport() const
{
    return model() && model()->cleanPreviewReport().has_value();
}

bool CleanPage::reportIsEmpty() const
{
    return !hasReport() || model()->cleanPreviewReport()->entries.isEmpty();
}

bool CleanPage::hasCleaned() const
{
    // Not-a-number is not greater than 0 either.
    return model() && model()->lastCleanDate() > 0;
}

QString CleanPage::headerSymbol() const
{
    return hasCleaned() ? QStringLiteral("clock.arrow.circlepath") : QStringLiteral("sparkles");
}

QString CleanPage::lastCleanText() const
{
    if (!model())
        return {};
    return PageLines::lastRunLine(PageLines::LastRun::clean, model()->lastCleanDate(), model()->lastCleanCount(), now(),
                                  LocalizationSettings::shared().resolvedLanguage(), RelativeDateText::systemLanguage())
        .value_or(QString());
}

QString CleanPage::summaryText() const
{
    const auto report = model() ? model()->cleanPreviewReport() : std::nullopt;
    return summaryText(report.value_or(CleanPreviewReport{}), LocalizationSettings::shared().resolvedLanguage());
}

QString CleanPage::summaryText(const CleanPreviewReport& report, AppResolvedLanguage language)
{
    const bool chinese = language == AppResolvedLanguage::chinese;
    if (report.summary && !report.summary->isEmpty())
        return *report.summary;
    if (!report.entries.isEmpty()) {
        const QString n = QString::number(report.entries.size());
        return chinese ? n + QStringLiteral(" 项，正式清理前仍会让你确认。")
                       : n + QStringLiteral(" items. You will still confirm before real cleanup.");
    }
    return chinese ? QStringLiteral("本次检查没有需要重点处理的内容。")
                   : QStringLiteral("This scan did not find anything that needs attention.");
}

QString CleanPage::fitMiddle(const QString& text, const QFont& font, qreal width, int lines)
{
    if (width <= 0 || lines < 1)
        return text;
    const QFontMetricsF metrics(font);
    // Wrapping at any character leaves at most one character's width unused per line.
    const qreal room = width * lines - metrics.maxWidth() * lines;
    if (metrics.horizontalAdvance(text) <= room)
        return text;
    return metrics.elidedText(text, Qt::ElideMiddle, std::max<qreal>(room, metrics.maxWidth()));
}

void CleanPage::preview()
{
    if (model())
        model()->request(AppActionFactory::clean(true, debug));
}

void CleanPage::startCleaning()
{
    if (model())
        model()->request(AppActionFactory::clean(false, debug));
}

void CleanPage::openProtectionList()
{
    if (model())
        model()->request(AppActionFactory::cleanWhitelist());
}

} // namespace roror
