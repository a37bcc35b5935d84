#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace roror {

// The live detail lines of the Optimize preview, measured below one home folder. Nothing is changed.
struct OptimizeDetailSnapshot {
    // Runs a probe tool: its standard output, or nothing when it could not start, exited with a
    // status other than 0 or wrote text that is not UTF-8.
    using CommandRunner = std::function<std::optional<QString>(const QString& tool, const QStringList& arguments)>;

    // Counting and sizing walks stop after this many items (counts) or measured files (sizes).
    static constexpr int walkLimit = 10000;

    QString home;
    CommandRunner commandRunner; // empty: the platform's tool runner

    // The line for a catalogue step; nothing for an id the table does not know.
    std::optional<QString> detail(const QString& id) const;

    QString spotlightStatusDetail() const;
    // `paths` are absolute; their sizes are added up in order.
    QString sizeDetail(const QString& titleZh, const QString& titleEn, const QStringList& paths,
                       const std::optional<QString>& extensionFilter) const;
    QString countDetail(const QString& titleZh, const QString& titleEn, const QString& path,
                        const std::optional<QString>& extensionFilter) const;
    static QString memoryDetail();

    // Items at any depth (folders too), hidden items and package contents left out; 0..walkLimit.
    static int itemCount(const QString& path, const std::optional<QString>& extensionFilter);
    // Allocated bytes of the regular files below `path` (or of `path` itself when it is a file).
    static qint64 directorySize(const QString& path, const std::optional<QString>& extensionFilter);
    // The machine's physical memory in bytes (0 when it cannot be read).
    static qint64 physicalMemory();

    std::optional<QString> runCommand(const QString& tool, const QStringList& arguments) const;
};

} // namespace roror
