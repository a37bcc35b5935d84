#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace roror {

// Result of an Uninstall Apps dry run: one entry per application, in the order the scan gave.
class UninstallPreviewReport {
public:
    struct Entry {
        QString id; // always the bundle path
        QString name;
        std::optional<QString> bundleID;
        QString source; // where it was found, with the leftover count; already in the user's language
        QString uninstallName;
        QString path;
        std::optional<QString> size;
        std::optional<QString> appSizeText;
        std::optional<qint64> appSizeBytes;
        std::optional<QString> leftoverSizeText;
        QStringList leftoverPaths;
        std::optional<QDateTime> lastOpened;

        Entry() = default;
        Entry(QString name, std::optional<QString> bundleID, QString source, QString uninstallName, QString path,
              std::optional<QString> size, std::optional<QString> appSizeText, std::optional<qint64> appSizeBytes,
              std::optional<QString> leftoverSizeText, QStringList leftoverPaths, std::optional<QDateTime> lastOpened);

        bool operator==(const Entry&) const = default;
    };

    UninstallPreviewReport() = default;
    explicit UninstallPreviewReport(QList<Entry> entries)
        : m_entries(std::move(entries))
    {
    }

    const QList<Entry>& entries() const { return m_entries; }

    bool operator==(const UninstallPreviewReport&) const = default;

private:
    QList<Entry> m_entries;
};

} // namespace roror
