#include "app/pages/purge/PurgeTexts.h"

#include "app/kit/RelativeDateText.h"
#include "core/model/SizeText.h"

namespace roror::PurgeTexts {

std::optional<QString> lastPurgeText(double lastPurgeScanDate, qint64 cleanedCount, qint64 cleanedBytes,
                                     const QDateTime& now, AppResolvedLanguage language,
                                     AppResolvedLanguage systemLanguage)
{
    const std::optional<QString> phrase = RelativeDateText::storedPhrase(lastPurgeScanDate, now, systemLanguage);
    if (!phrase)
        return std::nullopt;
    const QString r = *phrase;
    const QString n = QString::number(cleanedCount);
    const QString b = SizeText::bytes(cleanedBytes);
    return AppLocalization::text(
        QStringLiteral("上次瘦身 ") + r + QStringLiteral(" · 清理 ") + n + QStringLiteral(" 项 · 释放 ") + b,
        QStringLiteral("Last cleanup ") + r + QStringLiteral(" · ") + n + QStringLiteral(" items · freed ") + b,
        language);
}

QString summaryText(qsizetype entryCount, const QString& totalSizeText, AppResolvedLanguage language)
{
    const QString n = QString::number(entryCount);
    return AppLocalization::text(n + QStringLiteral(" 项，合计 ") + totalSizeText + QStringLiteral("。"),
                                 n + QStringLiteral(" items, total ") + totalSizeText + QStringLiteral("."), language);
}

QString contractSubtitle(qsizetype targetNameCount, AppResolvedLanguage language)
{
    const QString n = QString::number(targetNameCount);
    return AppLocalization::text(QStringLiteral("共检查 ") + n + QStringLiteral(" 种目录类型"),
                                 QStringLiteral("Checks ") + n + QStringLiteral(" directory types"), language);
}

const QStringList& contractTargetNames()
{
    // JavaScript / Node, Python, iOS / macOS, Rust / Go / Zig, Android / Flutter, Other.
    static const QStringList names{
        QStringLiteral("node_modules"),  QStringLiteral("dist"),        QStringLiteral(".next"),
        QStringLiteral(".nuxt"),         QStringLiteral(".output"),     QStringLiteral(".turbo"),
        QStringLiteral(".parcel-cache"), QStringLiteral(".svelte-kit"), QStringLiteral(".astro"),
        QStringLiteral(".angular"),      QStringLiteral("venv"),        QStringLiteral(".venv"),
        QStringLiteral(".pytest_cache"), QStringLiteral(".mypy_cache"), QStringLiteral(".tox"),
        QStringLiteral(".nox"),          QStringLiteral(".ruff_cache"), QStringLiteral("__pycache__"),
        QStringLiteral("DerivedData"),   QStringLiteral("Pods"),        QStringLiteral("build"),
        QStringLiteral("target"),        QStringLiteral("bin"),         QStringLiteral("obj"),
        QStringLiteral(".zig-cache"),    QStringLiteral("zig-out"),     QStringLiteral(".gradle"),
        QStringLiteral(".dart_tool"),    QStringLiteral(".cxx"),        QStringLiteral(".expo"),
        QStringLiteral("vendor"),        QStringLiteral("coverage"),
    };
    return names;
}

} // namespace roror::PurgeTexts
