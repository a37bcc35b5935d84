#pragma once

#include "core/engines/purge/PurgePreviewReport.h"

#include <QString>
#include <QStringList>

namespace roror::LocalPurgePreview {

// The 51 build and dependency folder names; matched exactly, letter case included.
const QStringList& targetDirectoryNames();

// A matched folder is measured up to this many files and folders together.
inline constexpr int summaryItemLimit = 50000;

// The git the scan asks about ignored (and, when the index cannot be read, tracked) folders.
inline constexpr const char* defaultGitProgram = "/usr/bin/git";

// Finds the target folders up to `maxDepth` levels below `rootPath` (a matched folder is not
// entered, so nested targets are reported once) and measures each one.
//
// Only what a build tool made and can make again is listed:
// - the home's hidden folders (tool installs, editors, package managers) are not searched, and a
//   folder directly in the home is never a target;
// - "node_modules" counts only beside a "package.json";
// - a name people also give their own folders (build, vendor, env, target, bin, ...) counts only
//   when its tool's own stamp is inside (a CMake cache, "pyvenv.cfg", Go's "modules.txt", ...) or
//   when the git work tree holding it ignores it;
// - the other names, made by build tools alone, count by name, but inside a hidden folder of the
//   home only when git ignores them;
// - a folder holding files its repository tracks, or a repository of its own, is never listed.
// Without git at `gitProgram` the index is read directly; when neither tells, the stamps decide.
PurgePreviewReport snapshot(const QString& rootPath, int maxDepth);
PurgePreviewReport snapshot(const QString& rootPath, int maxDepth, const QString& gitProgram);

} // namespace roror::LocalPurgePreview
