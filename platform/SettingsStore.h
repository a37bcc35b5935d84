#pragma once

#include <QSettings>
#include <QString>
#include <memory>

namespace roror {

// The per-user key-value store (user defaults). The file is
// $XDG_CONFIG_HOME/roror/settings.ini unless a test or the caller redirects it.
class SettingsStore {
public:
    // A fresh handle on the store; values written through one handle are seen by the next.
    static std::unique_ptr<QSettings> open();

    static QString filePath();

    // Redirects the store to `path` for the whole process; an empty path restores the default.
    static void setFilePath(const QString& path);
};

} // namespace roror
