#include "core/engines/clean/CleanPreviewReport.h"

#include <QHash>
#include <QSet>

namespace roror {

namespace {

struct StatusName {
    CleanPreviewEntryStatus status;
    const char* raw;
};

constexpr StatusName kStatusNames[] = {
    {CleanPreviewEntryStatus::cleanable, "cleanable"}, {CleanPreviewEntryStatus::done, "done"},
    {CleanPreviewEntryStatus::skipped, "skipped"},     {CleanPreviewEntryStatus::info, "info"},
    {CleanPreviewEntryStatus::detail, "detail"},       {CleanPreviewEntryStatus::review, "review"},
    {CleanPreviewEntryStatus::summary, "summary"},
};

} // namespace

QString toRaw(CleanPreviewEntryStatus status)
{
    for (const auto& item : kStatusNames) {
        if (item.status == status)
            return QString::fromLatin1(item.raw);
    }
    return QString();
}

std::optional<CleanPreviewEntryStatus> cleanPreviewEntryStatusFromRaw(const QString& raw)
{
    for (const auto& item : kStatusNames) {
        if (raw == QLatin1String(item.raw))
            return item.status;
    }
    return std::nullopt;
}

size_t qHash(CleanPreviewEntryStatus status, size_t seed) noexcept
{
    return qHash(toRaw(status), seed);
}

int CleanPreviewReport::sectionCount() const
{
    QSet<QString> sections;
    for (const Entry& entry : entries)
        sections.insert(entry.section);
    return static_cast<int>(sections.size());
}

} // namespace roror
