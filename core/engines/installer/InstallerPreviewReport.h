#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QUuid>

namespace roror {

// Result of an Installer Cleanup dry run. Entries are kept largest first, then by name in the
// Finder-like order; the constructor sorts, so every report is ordered however it was built.
class InstallerPreviewReport {
public:
    struct Entry {
        QUuid id;
        QString name;
        QString path;
        QString source; // label of the scan location, in the language of the scan
        qint64 byteCount = 0;

        QString sizeText() const;
        bool operator==(const Entry&) const = default;
    };

    InstallerPreviewReport() = default;
    InstallerPreviewReport(QList<Entry> entries, QDateTime generatedAt);

    const QList<Entry>& entries() const { return m_entries; }
    const QDateTime& generatedAt() const { return m_generatedAt; }

    qint64 totalBytes() const;
    QString totalSizeText() const;

    bool operator==(const InstallerPreviewReport&) const = default;

private:
    QList<Entry> m_entries;
    QDateTime m_generatedAt;
};

} // namespace roror
