#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QUuid>
#include <optional>

namespace roror {

// Result of a Project Cleanup dry run. Entries are kept largest first, then by path in the
// Finder-like order; the constructor sorts, so every report is ordered however it was built.
class PurgePreviewReport {
public:
    struct Entry {
        QUuid id;
        QString name;   // the matched target name
        QString path;   // standardized folder path
        QString target; // the matched target name, or ".idea/system"
        qint64 byteCount = 0;
        std::optional<int> fileCount;
        std::optional<int> directoryCount;

        QString sizeText() const;
        // "F files / D folders" in the current language; absent when neither count is known.
        std::optional<QString> detailText() const;
        bool operator==(const Entry&) const = default;
    };

    PurgePreviewReport() = default;
    PurgePreviewReport(QString rootPath, QList<Entry> entries, QDateTime generatedAt);

    const QString& rootPath() const { return m_rootPath; }
    const QList<Entry>& entries() const { return m_entries; }
    const QDateTime& generatedAt() const { return m_generatedAt; }

    qint64 totalBytes() const;
    QString totalSizeText() const;

    bool operator==(const PurgePreviewReport&) const = default;

private:
    QString m_rootPath;
    QList<Entry> m_entries;
    QDateTime m_generatedAt;
};

} // namespace roror
