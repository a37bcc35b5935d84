#pragma once

#include "core/engines/clean/CleanPreviewReport.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <utility>

namespace roror::LocalCleanPreview {

// The measurement of one location: bytes of its regular files and the files and folders counted.
struct LocationSummary {
    quint64 bytes = 0;
    qint64 items = 0;

    bool operator==(const LocationSummary&) const = default;
};

// A catalogue row with a bilingual label (user essentials, diagnostics, Trash) or a fixed one
// (developer tools, where both texts are the same). `path` is relative to the home folder.
struct LabelledLocation {
    QString labelZh;
    QString labelEn;
    QString path;                    // relative to the home folder, or absolute where the platform places it
    QStringList contentFolders = {}; // when set, only what these folders hold is measured and cleaned
};

struct BrowserLocations {
    QString name;
    QStringList processNames;
    QStringList urls; // relative to the home folder, in order
};

const QList<LabelledLocation>& userEssentialLocations();
const QList<BrowserLocations>& browserLocations();
const QList<LabelledLocation>& developerLocations();
const QList<LabelledLocation>& diagnosticsLocations();
// The platform's own Trash of the home volume (on Linux the freedesktop Trash), measured by what its
// content folders hold.
QList<LabelledLocation> trashLocations(const QString& home);

// A walk stops counting at this many items.
inline constexpr qint64 itemLimit = 20000;

using RunningAppsSource = std::function<QSet<QString>()>;

// The dry run over the catalogue below `home`. The process table is read (through `runningApps`)
// after the user essentials have been measured. Measures leave out what the protection list covers
// (the defaults when the list cannot be read; the clean stops on such a list). A list holding a line
// that can never match stops the preview: these and the per-section functions below throw
// CleanFileError naming the line. What a walk leaves out is logged (roror.clean, info).
CleanPreviewReport snapshot(const QString& home);
CleanPreviewReport snapshot(const QString& home, const RunningAppsSource& runningApps);

QList<CleanPreviewReport::Entry> userEssentialEntries(const QString& home);
QList<CleanPreviewReport::Entry> browserEntries(const QString& home, const QSet<QString>& runningApps);
QList<CleanPreviewReport::Entry> developerEntries(const QString& home);
QList<CleanPreviewReport::Entry> diagnosticsEntries(const QString& home);
QList<CleanPreviewReport::Entry> trashEntries(const QString& home);

// Nothing when nothing exists at `path` (a final link is followed for this test), else the path and
// its measurement.
std::optional<std::pair<QString, LocationSummary>> existingSummary(const QString& path);

// Regular files and folders below `path`, hidden ones included, package contents and links never
// entered; stops at `itemLimit` items. A location that is not a readable folder measures itself.
LocationSummary directorySummary(const QString& path);

// Allocated size of a regular file (links not followed), 0 for anything else.
qint64 fileAllocatedSize(const QString& path);

// "<size>, <n> items" / "<size>, <n> 项" in the current language.
QString noteText(quint64 bytes, qint64 items);

// The first size written in `text` ("1.5 MB"), read back in the decimal units it was written in.
std::optional<quint64> byteCount(const std::optional<QString>& text);

// The summary line over the cleanable entries; a location inside another counted location adds nothing.
QString summaryText(const QList<CleanPreviewReport::Entry>& entries);

// Names of running processes: the kernel's process table where it is shown (/proc), else /bin/ps
// (empty when the tool is absent or fails).
QSet<QString> runningProcessNames();
// The last path component of each non-empty line of the tool's output.
QSet<QString> processNames(const QString& psOutput);
// The same for names read one by one.
QSet<QString> processNames(const QStringList& commands);

// Standard output of a tool run (absolute path, argument vector), or nothing when it cannot start,
// exits non-zero or prints something that is not UTF-8.
std::optional<QString> runCommand(const QString& program, const QStringList& arguments);

} // namespace roror::LocalCleanPreview
