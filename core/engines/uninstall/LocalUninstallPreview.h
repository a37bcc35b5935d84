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

// Whether a Library item named `itemName` belongs to the application. The match is anchored on
// dots: the item is the name itself, its ".plist", starts with "name." or ends with ".name"
// (letter case ignored). Only the bundle identifier, which is specific, may also be contained
// anywhere in the item name.
bool matchesApp(const QString& itemName, const QString& appName, const std::optional<QString>& bundleID);

// Reads the raw output of "mdls -name kMDItemLastUsedDate -raw": "yyyy-MM-dd HH:mm:ss Z".
std::optional<QDateTime> parseLastUsedDate(const QByteArray& output);

// The last-used date from the metadata tool, else the bundle's access time.
std::optional<QDateTime> lastOpenedDate(const QString& appPath);

// Bytes on disk of a file, or of the regular files below a folder (packages inside not entered).
// Links are never followed.
qint64 allocatedSize(const QString& path);

} // namespace roror::LocalUninstallPreview
