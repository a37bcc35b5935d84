#pragma once

#include "core/model/PathError.h"

#include <QString>

namespace roror {

// A folder a scan was asked to start from cannot be used: it does not exist, is not a folder or
// cannot be read.
class FolderAccessError : public PathError {
public:
    enum class Kind { missing, notFolder, unreadable };

    FolderAccessError(Kind kind, const QString& path, const QString& reason = QString());

    // Throws when `path` is not a folder this process can list (a link to one is fine).
    static void check(const QString& path);

    Kind kind() const { return m_kind; }

private:
    Kind m_kind;
};

} // namespace roror
