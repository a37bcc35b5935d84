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
// or removed (it counts as failed, as does an entry that is itself a mount point, and an entry folder
// that cannot be opened). The home Trash is emptied through its content folders. The caches of a
// browser that is running are kept. A protection list that cannot be read or holds a line that can
// never match stops the run before anything is removed. Bytes count only space that was freed: a
// file with another link left elsewhere frees nothing. Every item passed over, kept or failed is
// logged (roror.clean, info).
LocalCleanResult clean(const CleanPreviewReport& report, const QStringList& allowedRoots);

// The same with the running process names given (instead of read from the process table).
LocalCleanResult clean(const CleanPreviewReport& report, const QStringList& allowedRoots,
                       const QSet<QString>& runningApps);

} // namespace roror::LocalCleanExecutor
