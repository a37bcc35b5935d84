#include "app/pages/installer/InstallerEntryModel.h"

#include "app/pages/installer/InstallerTexts.h"
#include "core/model/LocalizationSettings.h"

namespace roror {

using Entry = InstallerPreviewReport::Entry;

InstallerEntryModel::InstallerEntryModel(std::function<bool(const QString&)> isSelected, QObject* parent)
    : RecordListModel<Entry>(
        {
            {"entryId", [](const Entry& e) { return QVariant(e.id.toString(QUuid::WithoutBraces)); }},
            {"name", [](const Entry& e) { return QVariant(e.name); }},
            {"path", [](const Entry& e) { return QVariant(e.path); }},
            {"source", [](const Entry& e) { return QVariant(e.source); }},
            {"kind",
             [](const Entry& e) {
                 return QVariant(
                     InstallerTexts::installerKind(e.path, LocalizationSettings::shared().resolvedLanguage()));
             }},
            {"sizeText", [](const Entry& e) { return QVariant(e.sizeText()); }},
            {"selected", [isSelected](const Entry& e) { return QVariant(isSelected(e.path)); }},
        },
        parent)
{
}

} // namespace roror
