#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QUrl>
#include <optional>

namespace roror {

// The update feed's record of the newest published release.
struct RororUpdateInfo {
    QString version;
    std::optional<QString> build;
    std::optional<QUrl> downloadURL;
    std::optional<QUrl> releaseNotesURL;
    std::optional<QString> releaseNotes;

    bool operator==(const RororUpdateInfo&) const = default;

    // Decodes one JSON document / object with the keys "version", "build", "download_url",
    // "release_notes_url" and "release_notes"; other keys are ignored. Throws UpdateDecodingError
    // at the first key that fails.
    static RororUpdateInfo decode(const QByteArray& json);
    static RororUpdateInfo decode(const QJsonObject& object);

    // "v" + version, exactly as stored.
    QString displayVersion() const;

    // The download address when this release is newer than the running one, else nothing.
    std::optional<QUrl> installableDownloadURL(const QString& currentVersion,
                                               const std::optional<QString>& currentBuild) const;
};

} // namespace roror
