#pragma once

#include "core/engines/clean/CleanPreviewReport.h"
#include "core/engines/clean/LocalCleanResult.h"

#include <QSet>
#include <QString>
#include <QStringList>

namespace roror::LocalCleanExecutor {

// Permanently removes what the report's cleanable entries name: a file is removed, a folder is
// emptied and kept. An entry must be an absolute path strictly inside one of `allowedRoots` (also
// once its links are resolved; the file system root is never a root), neither a root's Library nor
// its Applications folder, not covered by the protection list, and not a link itself. Whatever the
// protection list covers survives at any depth, and so does a folder or link on the way to it; links
// are removed as links and never followed, and nothing on another file system or mount is entered
// or removed (it counts as failed, as does an entry folder that cannot be opened). The home Trash is
// emptied through its content folders. The caches of a browser that is running are kept. An
// unreadable protection list stops the run before anything is removed. Bytes count each file once,
// however many hard links to it go.
LocalCleanResult clean(const CleanPreviewReport& report, const QStringList& allowedRoots);

// The same with the running process names given (instead of read from the process table).
LocalCleanResult clean(const CleanPreviewReport& report, const QStringList& allowedRoots,
                       const QSet<QString>& runningApps);

} // namespace roror::LocalCleanExecutor
