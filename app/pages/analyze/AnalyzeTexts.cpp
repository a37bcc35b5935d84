#include "app/pages/analyze/AnalyzeTexts.h"

#include "app/kit/RelativeDateText.h"
#include "core/model/SizeText.h"

namespace roror::AnalyzeTexts {

std::optional<QString> lastAnalysisText(double lastAnalysisDate, qint64 totalSize, qint64 totalFiles,
                                        const QDateTime& now, AppResolvedLanguage language,
                                        AppResolvedLanguage systemLanguage)
{
    const std::optional<QString> phrase = RelativeDateText::storedPhrase(lastAnalysisDate, now, systemLanguage);
    if (!phrase)
        return std::nullopt;
    const QString relative = *phrase;
    const QString size = SizeText::bytes(totalSize);
    const QString files = QString::number(totalFiles);
    return AppLocalization::text(QStringLiteral("上次分析 ") + relative + QStringLiteral(" · ") + files
                                     + QStringLiteral(" 个文件 · ") + size,
                                 QStringLiteral("Last analysis ") + relative + QStringLiteral(" · ") + files
                                     + QStringLiteral(" files · ") + size,
                                 language);
}

QString parentPath(const QString& path)
{
    QString trimmed = path;
    while (trimmed.size() > 1 && trimmed.endsWith(QLatin1Char('/')))
        trimmed.chop(1);
    const qsizetype slash = trimmed.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return QString();
    return slash == 0 ? QStringLiteral("/") : trimmed.left(slash);
}

bool parentPathUnavailable(const QString& path)
{
    const QString parent = parentPath(path);
    return parent.isEmpty() || parent == path;
}

QString scannedValue(const AnalysisReport& report)
{
    return SizeText::bytes(report.totalSize);
}

QString scannedNote(const AnalysisReport& report, AppResolvedLanguage language)
{
    if (report.path)
        return *report.path;
    return AppLocalization::text(QStringLiteral("选中的位置"), QStringLiteral("Selected location"), language);
}

QString filesValue(const AnalysisReport& report)
{
    return QString::number(report.totalFiles.value_or(0));
}

QString entryName(const AnalysisReport::Entry& entry, AppResolvedLanguage language)
{
    if (entry.name)
        return *entry.name;
    return AppLocalization::text(QStringLiteral("未命名"), QStringLiteral("Untitled"), language);
}

bool isDrillable(const AnalysisReport::Entry& entry, bool allowsDrillDown)
{
    return allowsDrillDown && entry.isDirectory.value_or(false) && entry.path && !entry.path->isEmpty();
}

} // namespace roror::AnalyzeTexts
