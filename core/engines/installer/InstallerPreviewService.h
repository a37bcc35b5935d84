#pragma once

#include "core/engines/installer/InstallerPreviewReport.h"

#include <QFuture>
#include <QProcessEnvironment>
#include <QString>

namespace roror::InstallerPreviewService {

inline constexpr int maxDepth = 2;

// "/Users/Shared", the folder shared by all users of the machine.
QString sharedRoot();

// Runs LocalInstallerPreview::snapshot on a pool thread with the shared root and depth 2.
// `environment` is accepted for the callers' sake and not used.
QFuture<InstallerPreviewReport> snapshot(const QString& home,
                                         const QProcessEnvironment& environment = QProcessEnvironment());

} // namespace roror::InstallerPreviewService
