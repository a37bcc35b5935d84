#include "core/model/ScanPathGuard.h"

#include "core/support/StandardPath.h"

#include <QFileInfo>

namespace roror::ScanPathGuard {

namespace {

bool insideAny(const QString& path, const QStringList& roots)
{
    for (const QString& root : roots) {
        if (isPathInside(path, root))
            return true;
    }
    return false;
}

QString parentOf(const QString& standardized)
{
    const qsizetype slash = standardized.lastIndexOf(QLatin1Char('/'));
    return slash <= 0 ? QStringLiteral("/") : standardized.left(slash);
}

} // namespace

QStringList allowedTrashRoots(const QString& home)
{
    const QString h = standardizedPath(home);
    return {h, QStringLiteral("/Applications"), joinPath(h, QStringLiteral("Applications")),
            joinPath(h, QStringLiteral("Library"))};
}

bool isTrashAllowed(const QString& path, const QString& home)
{
    // A relative path would depend on the process's current folder.
    if (!path.startsWith(QLatin1Char('/')) || home.isEmpty())
        return false;

    const QString p = standardizedPath(path);
    const QStringList roots = allowedTrashRoots(home);
    if (!insideAny(p, roots))
        return false;
    // A root itself is never trashed.
    if (roots.contains(p))
        return false;

    // A link among the parent folders may lead outside the roots; judge where the item really
    // is. The home folder and "/Applications" themselves may be reached through a link, but a
    // link inside them (say ~/Library -> /etc) must not widen the roots, so only those two are
    // also taken resolved.
    const QString parent = QFileInfo(parentOf(p)).canonicalFilePath();
    if (parent.isEmpty())
        return false;
    QStringList resolvedRoots = roots;
    for (const QString& root : {roots.at(0), roots.at(1)}) {
        const QString resolved = QFileInfo(root).canonicalFilePath();
        if (!resolved.isEmpty())
            resolvedRoots.append(resolved);
    }
    return insideAny(parent, resolvedRoots);
}

} // namespace roror::ScanPathGuard
