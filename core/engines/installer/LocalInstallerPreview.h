#pragma once

#include "core/engines/installer/InstallerPreviewReport.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <chrono>

namespace roror::LocalInstallerPreview {

// A folder that is searched, with the label shown beside every file found there.
struct LabelledLocation {
    QString path;
    QString source;
    bool operator==(const LabelledLocation&) const = default;
};

// A scan location as the Installer Cleanup page lists it.
struct ScanLocation {
    QString path;
    QString displayName;
    QString source;
    bool exists = false;
    bool operator==(const ScanLocation&) const = default;
};

// The time one snapshot may spend walking folders.
inline constexpr std::chrono::milliseconds scanBudget{8000};

// "dmg", "pkg", "mpkg", "iso", "xip", "zip", "appinstaller", "mobileconfig", in that order.
const QStringList& scannedFileExtensions();

// The locations searched, in order, labelled in the language in force now. The system-wide
// locations are added only when `home` is the current user's home folder.
QList<LabelledLocation> installerScanPaths(const QString& home, const QString& sharedRoot);

// One entry per location of installerScanPaths, telling whether something exists there.
QList<ScanLocation> availableScanLocations(const QString& home, const QString& sharedRoot);

// Walks every location (files up to `maxDepth` levels below it) within scanBudget.
InstallerPreviewReport snapshot(const QString& home, const QString& sharedRoot, int maxDepth);

// The same with another time budget.
InstallerPreviewReport snapshot(const QString& home, const QString& sharedRoot, int maxDepth,
                                std::chrono::milliseconds budget);

} // namespace roror::LocalInstallerPreview
