#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

namespace roror {

// An error about one file or folder. `description()` (and `what()`, as UTF-8) is the text shown to
// the user, in the language of the moment the error was made.
class PathError : public std::exception {
public:
    QString path() const { return m_path; }
    QString description() const { return m_description; }
    const char* what() const noexcept override { return m_what.constData(); }

protected:
    // `message` names the path as "%1"; a non-empty `reason` follows it after a space.
    PathError(const QString& path, const QString& message, const QString& reason);

private:
    QString m_path;
    QString m_description;
    QByteArray m_what;
};

} // namespace roror
