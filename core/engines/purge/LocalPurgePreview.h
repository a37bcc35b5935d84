#pragma once

#include "core/engines/purge/PurgePreviewReport.h"

#include <QString>
#include <QStringList>

namespace roror::LocalPurgePreview {

// The 51 build and dependency folder names; matched exactly, letter case included.
const QStringList& targetDirectoryNames();

// A matched folder is measured up to this many files and folders together.
inline constexpr int summaryItemLimit = 50000;

// Finds the target folders up to `maxDepth` levels below `rootPath` (a matched folder is not
// entered, so nested targets are reported once) and measures each one. A name people also give
// their own folders (bin, build, vendor, env, ...) counts only beside a project file of an
// ecosystem that makes such a folder; a folder directly in the home folder is never a target.
PurgePreviewReport snapshot(const QString& rootPath, int maxDepth);

} // namespace roror::LocalPurgePreview
