#pragma once

#include <QString>

namespace roror {

// Resolves "." and ".." components and drops a trailing "/" without touching the disk
// (links are not resolved). A relative path is first made absolute against the current folder.
QString standardizedPath(const QString& path);

// True when `path` equals `folder` or lies below it. Both are compared as given (already standardized).
bool isPathInside(const QString& path, const QString& folder);

// Joins a folder and a relative name with exactly one "/".
QString joinPath(const QString& folder, const QString& name);

// Last path component ("" for "/").
QString lastPathComponent(const QString& path);

// Extension of the last component without the dot, as written ("" when none).
QString pathExtension(const QString& path);

} // namespace roror
