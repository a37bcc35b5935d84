#include "app/pages/uninstall/UninstallEntryModel.h"

#include "app/kit/RelativeDateText.h"
#include "app/pages/uninstall/UninstallTexts.h"
#include "core/model/LocalizationSettings.h"

#include <QUrl>

namespace roror {

UninstallEntryModel::UninstallEntryModel(std::function<bool(const QString&)> isSelected, std::function<QDateTime()> now,
                                         QObject* parent)
    : RecordListModel<UninstallRow>(
        {
            {"entryId", [](const UninstallRow& r) { return QVariant(r.entry.id); }},
            {"name", [](const UninstallRow& r) { return QVariant(r.entry.name); }},
            {"path", [](const UninstallRow& r) { return QVariant(r.entry.path); }},
            {"source", [](const UninstallRow& r) { return QVariant(r.entry.source); }},
            {"lastOpenedText", [](const UninstallRow& r) { return QVariant(r.lastOpenedText); }},
            // "Unknown" when the app's size is not known.
            {"appSizeText",
             [](const UninstallRow& r) {
                 return QVariant(r.entry.appSizeText ? *r.entry.appSizeText
                                                     : LocalizationSettings::shared().text(QStringLiteral("未知"),
                                                                                           QStringLiteral("Unknown")));
             }},
            // The "+ <size>" line; empty when it is not shown.
            {"leftoverSizeText",
             [](const UninstallRow& r) {
                 return QVariant(!r.entry.leftoverPaths.isEmpty() && r.entry.leftoverSizeText
                                     ? QStringLiteral("+ ") + *r.entry.leftoverSizeText
                                     : QString());
             }},
            {"selected", [isSelected](const UninstallRow& r) { return QVariant(isSelected(r.entry.path)); }},
            {"iconSource", [](const UninstallRow& r) { return QVariant(iconSource(r.entry.path)); }},
        },
        parent)
    , m_now(std::move(now))
{
}

std::function<QString(const UninstallPreviewReport::Entry&)> UninstallEntryModel::lastOpenedPhrase() const
{
    // One moment and one language for all rows.
    return [now = m_now(), language = LocalizationSettings::shared().resolvedLanguage(),
            system = RelativeDateText::systemLanguage()](const UninstallPreviewReport::Entry& entry) {
        return UninstallTexts::lastOpenedText(entry.lastOpened, now, language, system);
    };
}

QList<UninstallRow> UninstallEntryModel::rows(const QList<UninstallPreviewReport::Entry>& entries) const
{
    const auto phrase = lastOpenedPhrase();
    QList<UninstallRow> rows;
    rows.reserve(entries.size());
    for (const auto& entry : entries)
        rows.append({entry, phrase(entry)});
    return rows;
}

void UninstallEntryModel::reorder(const QList<UninstallPreviewReport::Entry>& entries)
{
    reorderRecords(rows(entries), [](const UninstallRow& r) { return r.entry.id; });
}

QList<UninstallPreviewReport::Entry> UninstallEntryModel::entries() const
{
    QList<UninstallPreviewReport::Entry> entries;
    entries.reserve(records().size());
    for (const UninstallRow& row : records())
        entries.append(row.entry);
    return entries;
}

void UninstallEntryModel::textsChanged()
{
    updateEach([phrase = lastOpenedPhrase()](UninstallRow& r) { r.lastOpenedText = phrase(r.entry); });
    rolesChanged({"lastOpenedText", "appSizeText"});
}

QString UninstallEntryModel::iconSource(const QString& bundlePath)
{
    return QStringLiteral("image://appicon/") + QString::fromLatin1(QUrl::toPercentEncoding(bundlePath));
}

} // namespace roror
