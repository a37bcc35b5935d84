#include "app/pages/installer/InstallerTexts.h"

#include "app/kit/RelativeDateText.h"
#include "core/model/SizeText.h"

namespace roror::InstallerTexts {

std::optional<QString> lastScanText(double lastInstallerScanDate, qint64 cleanedCount, qint64 cleanedBytes,
                                    const QDateTime& now, AppResolvedLanguage language,
                                    AppResolvedLanguage systemLanguage)
{
    const std::optional<QString> phrase = RelativeDateText::storedPhrase(lastInstallerScanDate, now, systemLanguage);
    if (!phrase)
        return std::nullopt;
    const QString r = *phrase;
    const QString n = QString::number(cleanedCount);
    const QString b = SizeText::bytes(cleanedBytes);
    return AppLocalization::text(
        QStringLiteral("上次整理 ") + r + QStringLiteral(" · 清理 ") + n + QStringLiteral(" 个 · 释放 ") + b,
        QStringLiteral("Last cleanup ") + r + QStringLiteral(" · ") + n + QStringLiteral(" files · freed ") + b,
        language);
}

QString summaryText(qsizetype entryCount, const QString& totalSizeText, bool selectionMode,
                    AppResolvedLanguage language)
{
    if (entryCount <= 0)
        return AppLocalization::text(QStringLiteral("当前没有发现明显可整理的安装包。"),
                                     QStringLiteral("No obvious installer files were found."), language);
    if (selectionMode)
        return AppLocalization::text(QStringLiteral("选择后可统一移到废纸篓。"),
                                     QStringLiteral("Selected files can be moved to Trash together."), language);
    const QString n = QString::number(entryCount);
    return AppLocalization::text(n + QStringLiteral(" 个，合计 ") + totalSizeText + QStringLiteral("。"),
                                 n + QStringLiteral(" files, total ") + totalSizeText + QStringLiteral("."), language);
}

QString selectionLine(qsizetype selectedCount, const QString& selectedSizeText, AppResolvedLanguage language)
{
    const QString n = QString::number(selectedCount);
    return AppLocalization::text(QStringLiteral("已选 ") + n + QStringLiteral(" 个 · ") + selectedSizeText,
                                 n + QStringLiteral(" selected · ") + selectedSizeText, language);
}

QString filterCountText(qsizetype selectedCount, AppResolvedLanguage language)
{
    const QString n = QString::number(selectedCount);
    return AppLocalization::text(QStringLiteral("已选中 ") + n + QStringLiteral(" 个"), n + QStringLiteral(" selected"),
                                 language);
}

QString contractSubtitle(qsizetype locationCount, AppResolvedLanguage language)
{
    const QString n = QString::number(locationCount);
    return AppLocalization::text(QStringLiteral("共检查 ") + n + QStringLiteral(" 处位置"),
                                 QStringLiteral("Checks ") + n + QStringLiteral(" locations"), language);
}

QString installerKind(const QString& path, AppResolvedLanguage language)
{
    const QString name = path.section(QLatin1Char('/'), -1);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString extension = dot > 0 ? name.mid(dot + 1) : QString();
    if (extension.isEmpty())
        return AppLocalization::text(QStringLiteral("文件"), QStringLiteral("File"), language);
    return extension.toUpper();
}

QString confirmationMessage(qsizetype selectedCount, const QString& selectedSizeText, AppResolvedLanguage language)
{
    const QString n = QString::number(selectedCount);
    return AppLocalization::text(
        QStringLiteral("会把选中的 ") + n + QStringLiteral(" 个安装包移到废纸篓，不会直接永久删除。\n\n合计 ")
            + selectedSizeText + QStringLiteral("。"),
        QStringLiteral("The selected ") + n
            + QStringLiteral(" installer files will be moved to Trash, not permanently deleted.\n\nTotal size: ")
            + selectedSizeText + QStringLiteral("."),
        language);
}

} // namespace roror::InstallerTexts
