#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace roror::ZipInstallerCheck {

// A program that prints an archive's member names one per line; the archive path is appended
// to `arguments` as a single argument.
struct ListingTool {
    QString executable;
    QStringList arguments;
};

inline constexpr int listingLineLimit = 50;
inline constexpr int toolTimeoutMs = 2000;
inline constexpr qint64 tailWindowBytes = 524288;

// "/usr/bin/unzip -Z -1", then "/usr/bin/zipinfo -1".
const QList<ListingTool>& listingTools();

// True when the ".zip" at `path` carries an application, a package, a disk image or a ".xip":
// by its name, else by a time-limited member listing, else by the archive's last bytes.
bool zipHoldsInstaller(const QString& path);
bool zipHoldsInstaller(const QString& path, const QList<ListingTool>& tools);

// Up to `limit` member-name lines from the first tool that gives any, or nothing.
std::optional<QStringList> listZipEntries(const QString& path, int limit, const QList<ListingTool>& tools);

// Up to `limit` output lines of one tool run (2-second limit), or nothing when the tool is
// missing, fails, times out, prints nothing or prints text that is not UTF-8.
std::optional<QStringList> runListingTool(const QString& executable, const QStringList& arguments, int limit);

// Searches the last 512 KiB (ASCII letters lowered) for ".app/", ".pkg/", ".dmg" or ".xip".
bool zipTailContainsInstallerMarker(const QString& path);

} // namespace roror::ZipInstallerCheck
