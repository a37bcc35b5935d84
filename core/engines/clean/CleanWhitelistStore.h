#pragma once

#include "core/engines/clean/CleanWhitelistState.h"

#include <QString>
#include <QStringList>

namespace roror::CleanWhitelistStore {

// The fixed list used whenever no list file exists or the file holds no pattern.
const QStringList& defaultPatterns();

// ~/.config/roror/whitelist, and the legacy ~/.config/zida/whitelist (read, never written).
QString configURL(const QString& home);
QString legacyConfigURL(const QString& home);

// A list file larger than this is not read.
inline constexpr qint64 maxFileBytes = 1024 * 1024;

// Reads the current file, else the legacy one, else gives the defaults. Throws CleanFileError when
// an existing file is not a regular file, is larger than `maxFileBytes` or cannot be read as UTF-8
// text.
CleanWhitelistState load(const QString& home);

// The list as `load` reads it, for a run that relies on it (the clean and its preview): also throws
// CleanFileError, naming the file and the line, when a line can never cover any path (a relative
// path, for one). The editor still loads such a list, so the line can be put right there.
CleanWhitelistState loadForClean(const QString& home);

// Writes the list atomically to the current location (header, blank line, one pattern per line).
// Throws CleanFileError when the folder cannot be created or the file cannot be written.
void save(const CleanWhitelistState& state, const QString& home);

} // namespace roror::CleanWhitelistStore
