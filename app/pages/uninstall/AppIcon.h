#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <optional>

namespace roror::AppIcon {

// The bundle's own icon file: Info.plist's CFBundleIconFile in Contents/Resources (".icns" added
// when the name has no extension). Nothing when the bundle names none, the name leaves the
// Resources folder or the file is not a regular file.
std::optional<QString> iconFile(const QString& bundlePath);

// The icon decoded at the smallest stored size that covers `size` and scaled to fit it; the
// generic application icon when the bundle has none or it cannot be read. Never null for a
// non-empty size. Safe on any thread.
QImage load(const QString& bundlePath, const QSize& size);

// The plain rounded tile shown for an application without an icon of its own.
QImage genericIcon(const QSize& size);

} // namespace roror::AppIcon
