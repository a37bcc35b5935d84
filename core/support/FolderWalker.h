#pragma once

#include "core/support/FileInfo.h"

#include <QString>
#include <functional>

namespace roror {

// One item met by the walk. `depth` is 1 for the root's direct children.
struct WalkEntry {
    QString path;
    QString name;
    int depth = 0;
    FileInfo info; // from lstat; only the type fields are filled when WalkOptions::statItems is false
};

enum class WalkAction { Continue, SkipDescendants, Stop };

struct WalkOptions {
    bool skipHidden = false;             // hidden items are neither reported nor entered
    bool skipPackageDescendants = false; // a package folder is reported but not entered
    int maxDepth = -1;                   // folders at this depth are reported but not entered; -1 = no limit
    bool statItems = true;               // false: only the item type (from d_type where the file system gives it)
    std::function<void(const QString& path, int error)> onUnreadable; // a folder that could not be opened
};

using WalkVisitor = std::function<WalkAction(const WalkEntry&)>;

// Depth-first walk below `root` (the root itself is not reported). Links are reported as links and
// never entered; an unreadable folder is reported and then passed over; the walk ends when the
// visitor says Stop. Returns false when the root itself could not be opened as a folder.
bool walkFolder(const QString& root, const WalkOptions& options, const WalkVisitor& visitor);

struct TreeSize {
    qint64 allocatedBytes = 0; // size on disk
    qint64 logicalBytes = 0;
    qint64 fileCount = 0; // regular files counted
    bool complete = true; // false when the item limit cut the walk
};

// Sums the regular files below `root` (or the root itself when it is a file), hidden ones included,
// never following links. `itemLimit` (>0) stops after that many items were met.
TreeSize measureTree(const QString& root, qint64 itemLimit = 0);

} // namespace roror
