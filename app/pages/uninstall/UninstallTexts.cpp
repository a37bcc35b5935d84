#include "app/pages/uninstall/UninstallTexts.h"

#include "app/kit/RelativeDateText.h"

namespace roror::UninstallTexts {

std::optional<QString> lastUninstallText(double lastUninstallDate, qint64 lastUninstallCount, const QDateTime& now,
                                         AppResolvedLanguage language, AppResolvedLanguage systemLanguage)
{
    const std::optional<QString> phrase = RelativeDateText::storedPhrase(lastUninstallDate, now, systemLanguage);
    if (!phrase)
        return std::nullopt;
    const QString relative = *phrase;
    const QString n = QString::number(lastUninstallCount);
    return AppLocalization::text(
        QStringLiteral("上次卸载 ") + relative + QStringLiteral(" · 处理 ") + n + QStringLiteral(" 个应用"),
        QStringLiteral("Last uninstall ") + relative + QStringLiteral(" · ") + n + QStringLiteral(" apps"), language);
}

QString lastOpenedText(const std::optional<QDateTime>& lastOpened, const QDateTime& now, AppResolvedLanguage language,
                       AppResolvedLanguage systemLanguage)
{
    if (!lastOpened)
        return AppLocalization::text(QStringLiteral("从未"), QStringLiteral("Never"), language);
    return RelativeDateText::shortPhrase(*lastOpened, now, systemLanguage);
}

QString summaryText(qsizetype entryCount, AppResolvedLanguage language)
{
    if (entryCount <= 0)
        return AppLocalization::text(QStringLiteral("没有找到可列出的应用。"),
                                     QStringLiteral("No apps were found to list."), language);
    const QString n = QString::number(entryCount);
    return AppLocalization::text(n + QStringLiteral(" 个应用项目，正式卸载前仍会再次确认。"),
                                 n + QStringLiteral(" app items. You will confirm again before uninstalling."),
                                 language);
}

QString selectionCountText(qsizetype selectedCount, AppResolvedLanguage language)
{
    const QString n = QString::number(selectedCount);
    return AppLocalization::text(QStringLiteral("已选 ") + n + QStringLiteral(" 个"), n + QStringLiteral(" selected"),
                                 language);
}

QString confirmationMessage(const QStringList& appNames, AppResolvedLanguage language)
{
    const QString fixed = AppLocalization::text(
        QStringLiteral("会按你选中的应用执行卸载，并继续处理相关残留。正式处理前的确认已经在这里完成。"),
        QStringLiteral("The selected apps will be uninstalled and related leftovers will be handled. "
                       "This dialog is the final confirmation."),
        language);
    const qsizetype count = appNames.size();
    if (count == 0)
        return fixed;
    const QStringList shown = appNames.mid(0, confirmationNameLimit);
    const qsizetype more = count - shown.size();
    const QString n = QString::number(count);
    QString what;
    if (language == AppResolvedLanguage::chinese) {
        what = QStringLiteral("共 ") + n + QStringLiteral(" 个应用：") + shown.join(QStringLiteral("、"));
        if (more > 0)
            what += QStringLiteral(" 以及另外 ") + QString::number(more) + QStringLiteral(" 个");
        what += QStringLiteral("。");
    } else {
        what = n + (count == 1 ? QStringLiteral(" app: ") : QStringLiteral(" apps: "))
            + shown.join(QStringLiteral(", "));
        if (more > 0)
            what += QStringLiteral(" and ") + QString::number(more) + QStringLiteral(" more");
        what += QLatin1Char('.');
    }
    return fixed + QStringLiteral("\n\n") + what;
}

} // namespace roror::UninstallTexts
