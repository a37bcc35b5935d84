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

// Reads the current file, else the legacy one, else gives the defaults. Throws CleanFileError when
// an existing file cannot be read as UTF-8 text.
CleanWhitelistState load(const QString& home);

// Writes the list atomically to the current location (header, blank line, one pattern per line).
// Throws CleanFileError when the folder cannot be created or the file cannot be written.
void save(const CleanWhitelistState& state, const QString& home);

} // namespace roror::CleanWhitelistStore
