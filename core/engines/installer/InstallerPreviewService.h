#pragma once

#include "core/engines/installer/InstallerPreviewReport.h"

#include <QFuture>
#include <QMap>
#include <QString>

namespace roror::InstallerPreviewService {

inline constexpr int maxDepth = 2;

// "/Users/Shared", the folder shared by all users of the machine.
QString sharedRoot();

// Runs LocalInstallerPreview::snapshot on a pool thread with the shared root and depth 2.
// `environment` is accepted for the callers' sake and not used.
QFuture<InstallerPreviewReport> snapshot(const QString& home, const QMap<QString, QString>& environment = {});

} // namespace roror::InstallerPreviewService
