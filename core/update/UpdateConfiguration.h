#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QUrl>
#include <optional>

namespace roror {

// Where the update feed lives: the environment first, then the address configured at build time.
// There is no built-in address.
namespace UpdateConfiguration {

inline const QString environmentKey = QStringLiteral("ROROR_UPDATE_FEED_URL");
// The bundle information key whose value `configuredFeedURL` stands for.
inline const QString bundleKey = QStringLiteral("RororUpdateFeedURL");

// `configuredFeedURL` is the build-time address (empty when none). A non-blank environment value
// decides alone, even when it is not a valid address.
std::optional<QUrl> feedURL(const QString& configuredFeedURL, const QProcessEnvironment& environment);

// feedURL() for this build and this process's environment.
std::optional<QUrl> feedURL();

// Whether an update address may be fetched: https anywhere, or http to a loopback address. The feed
// chooses what is downloaded and installed, so it is held to the same rule as the download.
bool isSecureAddress(const QUrl& url);

} // namespace UpdateConfiguration

} // namespace roror
