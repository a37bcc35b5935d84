#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace roror {

// The result of one storage analysis. Built with its lists already ordered and cut; the
// record itself sorts, cuts and checks nothing.
struct AnalysisReport {
    struct Entry {
        std::optional<QString> name;
        std::optional<QString> path;
        std::optional<qint64> size;
        std::optional<bool> isDirectory;

        // path, else name, else a fresh UUID text (different on every call).
        QString id() const;

        static const QStringList& codingKeys();
        bool operator==(const Entry& other) const;
    };

    std::optional<QString> path;
    std::optional<bool> overview;
    QList<Entry> entries;
    QList<Entry> largeFiles;
    std::optional<qint64> totalSize;
    std::optional<qint64> totalFiles;

    static const QStringList& codingKeys();
    bool operator==(const AnalysisReport& other) const;
};

} // namespace roror
