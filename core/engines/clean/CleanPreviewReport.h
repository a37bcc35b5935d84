#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QUuid>
#include <optional>

namespace roror {

enum class CleanPreviewEntryStatus { cleanable, done, skipped, info, detail, review, summary };

QString toRaw(CleanPreviewEntryStatus status);
// Exact, case-sensitive match against the seven raw values.
std::optional<CleanPreviewEntryStatus> cleanPreviewEntryStatusFromRaw(const QString& raw);
size_t qHash(CleanPreviewEntryStatus status, size_t seed = 0) noexcept;

// The result of a Smart Clean dry run. Only `cleanable` entries are ever acted on by the real clean.
struct CleanPreviewReport {
    using EntryStatus = CleanPreviewEntryStatus;

    struct Entry {
        QUuid id;
        QString section;
        QString path; // a path, or the row's text for rows that are not paths (a skipped browser's message)
        std::optional<QString> note;
        EntryStatus status = EntryStatus::info;

        bool operator==(const Entry&) const = default;
    };

    QList<Entry> entries; // in the producer's order, never re-sorted
    QDateTime generatedAt;
    std::optional<QString> summary;

    // Distinct section texts (exact comparison).
    int sectionCount() const;

    bool operator==(const CleanPreviewReport&) const = default;
};

} // namespace roror
