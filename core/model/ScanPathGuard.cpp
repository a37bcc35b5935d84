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

QString canonical(const QString& path)
{
    return QFileInfo(path).canonicalFilePath();
}

// The folder as the file system really places it: its nearest existing ancestor with links
// resolved, followed by the components that do not exist yet. Empty when a component is a
// dangling link or an existing ancestor is not a folder.
QString resolveFolder(const QString& folder)
{
    QString current = folder;
    QStringList missing;
    for (;;) {
        const QFileInfo info(current);
        if (info.exists()) {
            if (!info.isDir())
                return QString();
            QString resolved = info.canonicalFilePath();
            if (resolved.isEmpty())
                return QString();
            for (const QString& name : missing)
                resolved = joinPath(resolved, name);
            return resolved;
        }
        if (info.isSymLink() || current == QLatin1String("/"))
            return QString();
        missing.prepend(lastPathComponent(current));
        current = parentOf(current);
    }
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
    return allowedParentFolder(path, home).has_value();
}

std::optional<QString> allowedParentFolder(const QString& path, const QString& home)
{
    // A relative path would depend on the process's current folder.
    if (!path.startsWith(QLatin1Char('/')) || home.isEmpty())
        return std::nullopt;

    // Only a path already in standard form: the guard judges the text while the kernel walks "..",
    // so "~/Downloads/link/../x" would be judged inside the home and moved from wherever link leads.
    const QString p = standardizedPath(path);
    if (p != path)
        return std::nullopt;
    const QStringList roots = allowedTrashRoots(home);
    // A home folder of "/" (as the platform reports it when HOME is unset) would admit every path
    // on the machine.
    if (roots.at(0) == QLatin1String("/") || canonical(roots.at(0)) == QLatin1String("/"))
        return std::nullopt;
    if (!insideAny(p, roots) || roots.contains(p))
        return std::nullopt;

    // Judge where the item really is: a link among its parent folders may lead outside the
    // roots or back onto a root. The item itself is not resolved (trashing a link moves the link).
    const QString parent = resolveFolder(parentOf(p));
    if (parent.isEmpty())
        return std::nullopt;
    const QString item = joinPath(parent, lastPathComponent(p));

    // The home folder and "/Applications" may themselves be reached through a link. A link
    // inside them (say ~/Library -> /etc) must not widen what is allowed, so only those two
    // are also taken resolved for the inside test.
    QStringList inside = roots;
    QStringList refused = roots;
    const QString resolvedHome = canonical(roots.at(0));
    for (const QString& root : {resolvedHome, canonical(roots.at(1))}) {
        if (!root.isEmpty())
            inside.append(root);
    }
    for (const QString& root : roots) {
        if (const QString resolved = canonical(root); !resolved.isEmpty())
            refused.append(resolved);
    }
    if (!resolvedHome.isEmpty()) {
        refused.append(joinPath(resolvedHome, QStringLiteral("Applications")));
        refused.append(joinPath(resolvedHome, QStringLiteral("Library")));
    }
    if (!insideAny(parent, inside) || refused.contains(item))
        return std::nullopt;
    return parent;
}

} // namespace roror::ScanPathGuard
