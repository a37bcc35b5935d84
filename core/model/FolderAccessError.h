#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

namespace roror {

// A folder a scan was asked to start from cannot be used: it does not exist, is not a folder or
// cannot be read. `description()` (and `what()`, as UTF-8) is the text shown to the user, in the
// language of the moment the error was made.
class FolderAccessError : public std::exception {
public:
    enum class Kind { missing, notFolder, unreadable };

    FolderAccessError(Kind kind, const QString& path, const QString& reason = QString());

    // Throws when `path` is not a folder this process can list (a link to one is fine).
    static void check(const QString& path);

    Kind kind() const { return m_kind; }
    QString path() const { return m_path; }
    QString description() const { return m_description; }
    const char* what() const noexcept override { return m_what.constData(); }

private:
    Kind m_kind;
    QString m_path;
    QString m_description;
    QByteArray m_what;
};

} // namespace roror
