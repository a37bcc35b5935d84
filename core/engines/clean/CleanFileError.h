#pragma once

#include "core/model/PathError.h"

#include <QString>

namespace roror {

// Thrown by the Smart Clean list files (protection list, clean report) when a file cannot be read or
// written.
class CleanFileError : public PathError {
public:
    enum class Kind { unreadable, notUtf8, folderNotCreated, notWritten };

    CleanFileError(Kind kind, const QString& path, const QString& reason = QString());

    Kind kind() const { return m_kind; }

private:
    Kind m_kind;
};

} // namespace roror
