#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <optional>

namespace roror::GitIndex {

// Largest index file read; a bigger one is left to git itself.
inline constexpr qint64 maxIndexBytes = 256 * 1024 * 1024;

// The paths a git index file (versions 2 to 4) records, in file order, as the raw bytes git stores.
// `hashSize` is 20 for SHA-1 repositories and 32 for SHA-256 ones. Nothing when the data is not a
// whole index this reader understands, or when it names only part of the paths (a split index).
std::optional<QList<QByteArray>> readPaths(QByteArrayView data, int hashSize = 20);

} // namespace roror::GitIndex
