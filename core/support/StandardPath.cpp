#include "core/support/StandardPath.h"

#include <QDir>
#include <QStringList>

namespace roror {

QString standardizedPath(const QString& path)
{
    if (path.isEmpty())
        return QString();
    QString absolute = path;
    if (!absolute.startsWith(QLatin1Char('/')))
        absolute = QDir::currentPath() + QLatin1Char('/') + absolute;

    QStringList parts;
    const auto components = QStringView(absolute).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const auto& component : components) {
        if (component == QLatin1String("."))
            continue;
        if (component == QLatin1String("..")) {
            if (!parts.isEmpty())
                parts.removeLast();
            continue;
        }
        parts.append(component.toString());
    }
    return QLatin1Char('/') + parts.join(QLatin1Char('/'));
}

bool isPathInside(const QString& path, const QString& folder)
{
    if (path == folder)
        return true;
    if (folder == QLatin1String("/"))
        return path.startsWith(QLatin1Char('/'));
    return path.size() > folder.size() && path.startsWith(folder) && path.at(folder.size()) == QLatin1Char('/');
}

QString joinPath(const QString& folder, const QString& name)
{
    if (folder.endsWith(QLatin1Char('/')))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}

QString lastPathComponent(const QString& path)
{
    QString trimmed = path;
    while (trimmed.size() > 1 && trimmed.endsWith(QLatin1Char('/')))
        trimmed.chop(1);
    if (trimmed == QLatin1String("/"))
        return QString();
    const qsizetype slash = trimmed.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? trimmed : trimmed.mid(slash + 1);
}

QString pathExtension(const QString& path)
{
    const QString name = lastPathComponent(path);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot <= 0 || dot == name.size() - 1)
        return QString();
    return name.mid(dot + 1);
}

} // namespace roror
