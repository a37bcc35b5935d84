#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace roror::ScanPathGuard {

// The four Trash roots for a home folder: home, "/Applications", home + "/Applications",
// home + "/Library" (home standardized).
QStringList allowedTrashRoots(const QString& home);

// True when `path` may be moved to the Trash: an absolute path already in standard form (no "."
// or ".." component, no repeated or trailing "/") that lies strictly inside a root (a root itself
// is refused), and whose parent folder, with links resolved, still lies inside a root without the
// item landing on a root. The item itself is not resolved, so trashing a link moves the link. A
// home folder that is "/" allows nothing.
bool isTrashAllowed(const QString& path, const QString& home);

// The folder an allowed path's item really lies in: its parent with links resolved, the folder the
// rule above judged. A Trash move acts on exactly this folder. None when the path is refused.
std::optional<QString> allowedParentFolder(const QString& path, const QString& home);

} // namespace roror::ScanPathGuard
