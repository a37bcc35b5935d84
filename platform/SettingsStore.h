#pragma once

#include <QList>
#include <QSettings>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <utility>

namespace roror {

// The per-user key-value store (user defaults). The file is
// $XDG_CONFIG_HOME/roror/settings.ini unless a test or the caller redirects it.
class SettingsStore {
public:
    // A fresh handle on the store; values written through one handle are seen by the next, and so
    // are the writes handed to writeInBackground() before it (it waits for them).
    static std::unique_ptr<QSettings> open();

    // Sets `values` (key and value) in the store and syncs it on the store's own thread, which
    // takes the writes one after another in the order they were handed over; `written` runs
    // there once they are in the file. A sync waits for the disk, which the interface must not.
    static void writeInBackground(QList<std::pair<QString, QVariant>> values, std::function<void()> written = {});
    // Returns once every write handed over so far is in the file.
    static void waitForWrites();

    static QString filePath();

    // Redirects the store to `path` for the whole process, after the writes under way have reached
    // the old one; an empty path restores the default.
    static void setFilePath(const QString& path);
};

} // namespace roror
