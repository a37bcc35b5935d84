#pragma once

#include <QString>
#include <optional>

namespace roror {

// What the running application knows about itself: the stand-in for the main bundle's information.
namespace AppBundle {

// The bundle name the update looks for in an image ("CFBundleName").
QString name();

// The version text of this build (ROROR_VERSION), the "CFBundleShortVersionString" stand-in.
QString shortVersion();

// This platform has no separate build number ("CFBundleVersion"), so it is always absent.
std::optional<QString> buildVersion();

// The feed address configured when the program was built ("RororUpdateFeedURL"); empty when none.
QString feedURL();

struct Location {
    QString bundlePath;     // the Roror.app folder
    QString executablePath; // the executable, relative to bundlePath
};

// The installed layout: the nearest folder named Roror.app above the executable. A program that runs
// from anywhere else (the build tree, for example) has no bundle.
std::optional<Location> locate(const QString& executablePath);

// locate() for the running executable.
std::optional<Location> current();

} // namespace AppBundle

} // namespace roror
