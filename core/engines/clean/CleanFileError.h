#pragma once

#include "core/model/PathError.h"

#include <QString>

namespace roror {

// Thrown by the Smart Clean list files (protection list, clean report) when a file cannot be read,
// used or written.
class CleanFileError : public PathError {
public:
    enum class Kind {
        unreadable,
        notUtf8,
        notRegularFile, // a folder, a pipe, a device: nothing is read from it
        tooLarge,
        neverMatches, // a protection-list line that names no fixed place; `reason` holds the line
        folderNotCreated,
        notWritten,
    };

    CleanFileError(Kind kind, const QString& path, const QString& reason = QString());

    Kind kind() const { return m_kind; }

private:
    Kind m_kind;
};

} // namespace roror
