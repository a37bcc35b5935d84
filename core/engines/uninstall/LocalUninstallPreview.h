#pragma once

#include "core/engines/uninstall/UninstallPreviewReport.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

namespace roror::LocalUninstallPreview {

// What an application's Contents/Info.plist says about it.
struct AppMetadata {
    std::optional<QString> displayName; // CFBundleDisplayName, else CFBundleName, else CFBundleExecutable
    std::optional<QString> bundleID;    // CFBundleIdentifier
    bool operator==(const AppMetadata&) const = default;
};

// The folders below ~/Library searched for an application's leftovers, in order.
const QStringList& leftoverFolderNames();

// Lists the applications in "/Applications" (only for the current user's home) and in
// home/Applications with their sizes, last use and leftovers, sorted by name.
UninstallPreviewReport snapshot(const QString& home);

AppMetadata appMetadata(const QString& appPath);

// A bundle identifier names files only when it is specific: at least two dots and no empty label.
bool isSpecificBundleID(const QString& bundleID);

// Whether a Library item belongs to the application, on the application's own evidence. By a specific
// bundle identifier (letter case ignored): the item is the identifier, its ".plist" or ".savedState",
// or a shared container named "group.", "TEAMID." or "TEAMID.group." and the identifier, TEAMID being
// ten capital letters or digits. By the application's name (three characters at least): a folder of
// exactly that name in Application Support, Caches or Logs. No substring or other prefix counts.
// The scan also leaves out an item that another application could claim (a container claim yields
// to the application the item names exactly), and a folder claimed by name when another application's
// name is that name followed by a blank, or its identifier's second label is that name.
bool matchesApp(const QString& libraryFolder, const QString& itemName, bool itemIsFolder, const QString& appName,
                const std::optional<QString>& bundleID);

// Reads the raw output of "mdls -name kMDItemLastUsedDate -raw": "yyyy-MM-dd HH:mm:ss Z".
std::optional<QDateTime> parseLastUsedDate(const QByteArray& output);

// The last-used date from the metadata tool, else the bundle's access time.
std::optional<QDateTime> lastOpenedDate(const QString& appPath);

// Bytes on disk of a file, or of the regular files below a folder (packages inside not entered).
// Links are never followed.
qint64 allocatedSize(const QString& path);

} // namespace roror::LocalUninstallPreview
