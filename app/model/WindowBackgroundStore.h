#pragma once

#include <QString>
#include <optional>

namespace roror::WindowBackgroundStore {

// The user's application-data folder + "Roror/WindowBackground", created with its parents.
// On failure returns nothing and puts the file system's message in `error`.
std::optional<QString> storageDirectory(QString* error = nullptr);

// Removes every entry of `folder` whose name begins with "wallpaper" (hidden ones too), except
// `keep` when given. Links are removed as links; folders are removed without following links.
// Stops at the first failure and reports it.
bool removeInstalledImages(const QString& folder, QString* error = nullptr, const QString& keep = QString());

// Copies `source` into the storage folder as "wallpaper-<UUID>.<ext>" (ext lower-cased, "jpg" when
// the source has none) and then removes the other installed images, so a failed copy keeps the
// current image. Returns the path of the copy.
std::optional<QString> installImage(const QString& source, QString* error = nullptr);

} // namespace roror::WindowBackgroundStore
