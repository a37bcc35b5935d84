#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

namespace roror {

// Thrown by the Smart Clean list files (protection list, clean report) when a file cannot be
// read or written. `description()` is the text shown to the user, in the language of the moment
// the error was made.
class CleanFileError : public std::exception {
public:
    enum class Kind { unreadable, notUtf8, folderNotCreated, notWritten };

    CleanFileError(Kind kind, const QString& path, const QString& reason = QString());

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
